// The graph worker with a fake model: hand-over, stop, error texts, the order of its last
// steps, and many runs started or torn down right after a completion. The suites start
// with "Thread" so that they also run under ThreadSanitizer.
#include "ControllerTestSupport.h"
#include "WorkerTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <stdexcept>

using namespace plottest;

namespace {

constexpr TColor kOld = 0x00445566; // what the buffer holds before a run
constexpr TColor kNew = 0x00AA33CC; // what the fake model draws

struct GraphRun {
    TFakeGraph model;
    TSafeBmpBuffer buffer;
    TGraphDrawingThread worker;
    int done = 0;
    std::string reported;

    GraphRun() {
        model.SetBitmapAttributes(pf24bit, 40, 30);
        model.SetBackgroundColor(kNew);
        buffer.SetBitmapAttributes(pf24bit, 40, 30);
        TBitmap old(40, 30, pf24bit);
        old.Fill(kOld);
        buffer.SetBufferBitmap(old);
        worker.Model = &model;
        worker.BmpBuffer = &buffer;
        worker.OnDone = [this](TGraphDrawingThread& w) {
            EXPECT_TRUE(IsGuiThread());
            ++done;
            reported = w.ErrorText;
        };
    }
    // Resumes the worker and waits for it; the wait runs its completion call.
    void run() {
        worker.Resume();
        finishOrDie(worker);
    }
    TColor bufferPixel() const { return buffer.Bitmap().Pixel(39, 29); }
};

} // namespace

TEST(ThreadGraphWorker, DrawsHandsOverAndReportsOnTheGuiThread) {
    GraphRun r;
    r.run();
    EXPECT_EQ(r.done, 1);
    EXPECT_EQ(r.reported, "");
    EXPECT_EQ(r.bufferPixel(), kNew);
    EXPECT_EQ(r.worker.Model, nullptr);
    EXPECT_EQ(r.worker.BmpBuffer, nullptr);
}

TEST(ThreadGraphWorker, ReferencesAndCallBackAreClearedBeforeDone) {
    GraphRun r;
    bool pollDuringRun = false;
    r.model.Body = [&](TFakeGraph& g, std::string&) {
        r.worker.Terminate(); // as a stop request would
        pollDuringRun = g.IsAborted();
    };
    r.worker.Resume();
    finishOrDie(r.worker);
    EXPECT_TRUE(pollDuringRun) << "the model asks the worker's stop request";
    EXPECT_EQ(r.done, 0) << "a stopped run reports nothing";
    EXPECT_FALSE(r.model.IsAborted()) << "the call-back is gone with the run";

    // In the completion call the owner may already reuse or free the model: the worker
    // has let go of it, so a stop request now no longer reaches the model.
    GraphRun q;
    bool checked = false;
    q.worker.OnDone = [&](TGraphDrawingThread& w) {
        EXPECT_EQ(w.Model, nullptr);
        EXPECT_EQ(w.BmpBuffer, nullptr);
        EXPECT_EQ(w.OnDone, nullptr);
        w.Terminate();
        EXPECT_FALSE(q.model.IsAborted());
        checked = true;
    };
    q.run();
    EXPECT_TRUE(checked);
}

TEST(ThreadGraphWorker, StopDuringDrawingLeavesTheBufferAndReportsNothing) {
    GraphRun r;
    std::atomic<bool> drawing{false};
    r.model.Body = [&](TFakeGraph& g, std::string&) {
        g.FillGraphBmpBackground();
        drawing = true;
        while (!g.IsAborted())
            std::this_thread::sleep_for(100us);
    };
    r.worker.Resume();
    ASSERT_TRUE(eventually([&] { return drawing.load(); }));
    r.worker.Terminate();
    finishOrDie(r.worker);
    EXPECT_EQ(r.done, 0);
    EXPECT_EQ(r.worker.ErrorText, "");
    EXPECT_EQ(r.bufferPixel(), kOld);
    EXPECT_EQ(r.model.PlotBitmap().Pixel(39, 29), kNew) << "the run got as far as it got";
}

TEST(ThreadGraphWorker, MessageOfTheModelStillHandsOver) {
    GraphRun r;
    r.model.Body = [](TFakeGraph& g, std::string& text) {
        g.FillGraphBmpBackground();
        text = "3D window full, partial function will be displayed";
    };
    r.run();
    EXPECT_EQ(r.done, 1);
    EXPECT_EQ(r.reported, "3D window full, partial function will be displayed");
    EXPECT_EQ(r.bufferPixel(), kNew);
}

TEST(ThreadGraphWorker, EveryFailureHasItsOwnText) {
    struct Case {
        std::function<void()> fail;
        const char* text;
    };
    const std::vector<Case> cases = {
        {[] { throw EOverflow(); }, "Floating point over flow error"},
        {[] { throw EUnderflow(); }, "Floating point under flow error"},
        {[] { throw EZeroDivide(); }, "Floating point divide-by-zero error"},
        {[] { throw EInvalidOp(); }, "Invalid floating point operation error"},
        {[] { throw EMathError(); }, "Floating point math error"},
        {[] { throw EDivByZero(); }, "Integer divide-by-zero error"},
        {[] { throw EIntOverflow(); }, "Integer over flow error"},
        {[] { throw ERangeError(); }, "Integer calculation error"},
        {[] { throw std::bad_alloc(); }, "Out of memory error"},
        {[] { throw EInvalidPointer(); }, "Invalid pointer operations error"},
        {[] { throw EConvertError(); }, "String or object conversion error"},
        {[] { QX_FAIL("Some invariant"); }, "Unknown error"},
        {[] { throw std::runtime_error("anything"); }, "Unknown error"},
    };
    TLogCapture quiet;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        GraphRun r;
        r.model.Body = [&](TFakeGraph& g, std::string&) {
            g.FillGraphBmpBackground();
            c.fail();
        };
        r.run();
        EXPECT_EQ(r.done, 1);
        EXPECT_EQ(r.reported, c.text);
        EXPECT_EQ(r.bufferPixel(), kOld) << "a failed run hands nothing over";
    }
}

TEST(ThreadGraphWorker, SizeMismatchIsUnknownErrorAndLogged) {
    TLogCapture log;
    GraphRun r;
    r.buffer.SetSize(40, 31);
    r.run();
    EXPECT_EQ(r.reported, "Unknown error");
    EXPECT_NE(TLogCapture::Text().find("Width not equal in procedure TSafeBmpBuffer.SetBufferBitmap"),
              std::string::npos)
        << TLogCapture::Text();
}

TEST(ThreadGraphWorker, WaitForServesTheCompletionCall) {
    // The GUI thread never returns to an event loop here: only WaitFor can run the
    // worker's completion call, and it must, or the worker could never finish.
    GraphRun r;
    std::atomic<bool> inWait{false};
    bool ranInsideWait = false;
    r.worker.OnDone = [&](TGraphDrawingThread&) { ranInsideWait = inWait.load(); };
    r.model.Body = [&](TFakeGraph& g, std::string&) {
        g.FillGraphBmpBackground();
        while (!inWait.load())
            std::this_thread::sleep_for(100us);
    };
    r.worker.Resume();
    inWait = true;
    ASSERT_TRUE(r.worker.WaitFor(30s)) << "deadlock: WaitFor did not serve Synchronize";
    EXPECT_TRUE(ranInsideWait);
}

TEST(ThreadWorkerRounds, NewRunRightAfterEachCompletion) {
    TTestOwner owner;
    owner.Model->SetBackgroundColor(kNew);
    auto probe = std::make_shared<TLabelProbe>();
    auto labels = MakeFakeLabels(3, probe);
    owner.Labels->SetLabels(labels, -1);
    for (int round = 1; round <= 1000; ++round) {
        owner.StartGraph();
        pumpUntil([&] { return owner.LabelCompletions == round; });
    }
    EXPECT_EQ(owner.GraphCompletions, 1000);
    EXPECT_TRUE(owner.Errors.empty());
    EXPECT_EQ(owner.LastCorner, kNew);
    EXPECT_EQ(probe->TakePainted().size(), 3000u);
}

TEST(ThreadWorkerRounds, OwnerGoneRightAfterEachCompletion) {
    for (int round = 0; round < 1000; ++round) {
        auto owner = std::make_unique<TTestOwner>();
        owner->FollowWithLabels = round % 2 == 0;
        owner->StartGraph();
        if (owner->FollowWithLabels)
            pumpUntil([&] { return owner->LabelCompletions == 1; });
        else
            pumpUntil([&] { return owner->GraphCompletions == 1; });
        owner.reset(); // model and buffers go before the workers that reported are joined
    }
}

TEST(ThreadWorkerRounds, LabelRunsWhileTheGraphDraws) {
    // Both workers at once on one buffer: a label run restarted while the graph draws.
    TTestOwner owner;
    owner.FollowWithLabels = false;
    owner.Model->Body = [](TFakeGraph& g, std::string&) {
        for (int i = 0; i < 5 && !g.IsAborted(); ++i)
            g.FillGraphBmpBackground();
    };
    for (int round = 1; round <= 200; ++round) {
        owner.StartGraph();
        owner.StartLabels();
        pumpUntil([&] { return owner.GraphCompletions == round && owner.LabelCompletions == round; });
    }
    EXPECT_TRUE(owner.Errors.empty());
}

// ---------------------------------------------------------------------------------------
// The controller's graph level

TEST(ThreadController, GraphErrorIsReportedOnceAndNoPictureFollows) {
    TLogCapture quiet;
    TEventLog log;
    auto c = MakeFakeController(2);
    log.Hook(*c);
    c->Model().Body = [](TFakeGraph& g, std::string&) {
        g.FillGraphBmpBackground();
        throw EZeroDivide();
    };
    c->StartGraphDrawing();
    PumpUntilIdle(*c);
    EXPECT_EQ(log.Events(),
              (std::vector<std::string>{"start", "error: Floating point divide-by-zero error", "end"}));
}

TEST(ThreadController, RestartReportsTheOldWorkersErrorBeforeTheNewRun) {
    TLogCapture quiet;
    TEventLog log;
    auto c = MakeFakeController();
    log.Hook(*c);
    int run = 0;
    std::atomic<bool> firstRunWaits{false};
    c->Model().Body = [&](TFakeGraph& g, std::string&) {
        if (++run == 1) { // fails after the stop request, so only the restart can report it
            firstRunWaits = true;
            while (!g.IsAborted())
                std::this_thread::sleep_for(200us);
            throw EInvalidOp();
        }
        log.Add("draw " + std::to_string(run));
        g.FillGraphBmpBackground();
    };
    c->StartGraphDrawing();
    ASSERT_TRUE(eventually([&] { return firstRunWaits.load(); }));
    c->StartGraphDrawing();
    PumpUntilIdle(*c);
    EXPECT_EQ(log.Events(),
              (std::vector<std::string>{"start", "error: Invalid floating point operation error", "draw 2",
                                        "picture", "end"}));
}

TEST(ThreadController, BitmapAttributesAndBackgroundPictureReachModelAndBuffers) {
    TLogCapture quiet;
    auto c = MakeFakeController();
    TFakeKindModel& model = c->Model();
    TSettingBmpAttribsObj& a = c->BmpAttribs();
    a.Width = 64;
    a.Height = 48;
    a.PixelFormat = pf32bit;
    a.BackColor = 0x00123456;
    a.SetChanged(true);
    c->BGPicture().Bitmap = MakePicture(10, 8);
    c->BGPicture().Placement = bgTopLeft;
    c->BGPicture().SetChanged(true);
    c->Replot();
    PumpUntilIdle(*c);
    EXPECT_EQ(model.Width(), 64);
    EXPECT_EQ(model.Height(), 48);
    EXPECT_EQ(model.ColorDepth(), pf32bit);
    EXPECT_EQ(model.BackgroundColor(), 0x00123456u);
    EXPECT_EQ(model.Placement(), bgTopLeft);
    ASSERT_NE(model.BackgroundBitmap(), nullptr);
    EXPECT_EQ(c->BmpBuffer().Bitmap().Width(), 64);
    EXPECT_EQ(c->BmpBuffer().Bitmap().PixelFormat(), pf32bit);
    const TLabelBmpAttribs& context = c->PlotLabelsBuffer().Context();
    EXPECT_EQ(context.Width, 64);
    EXPECT_EQ(context.Height, 48);
    EXPECT_EQ(context.BackgroundColor, 0x00123456u);
    EXPECT_FALSE(a.SizeChanged || a.PixelFormatChanged || a.BackColorChanged);
    EXPECT_FALSE(c->BGPicture().PlacementChanged || c->BGPicture().PictureChanged);
    const TBitmap& shown = c->PlotLabelsBuffer().LabelBitmap();
    EXPECT_EQ(shown.Pixel(5, 5), PicturePixel(5, 5)) << "the picture in its corner";
    EXPECT_EQ(shown.Pixel(63, 47), 0x00123456u) << "the background colour beside it";

    // A new depth alone brings the picture back with it, since a depth change drops it.
    a.PixelFormat = pf16bit;
    a.PixelFormatChanged = true;
    c->Replot();
    PumpUntilIdle(*c);
    EXPECT_EQ(model.ColorDepth(), pf16bit);
    EXPECT_NE(model.BackgroundBitmap(), nullptr);
    c->BGPicture().ClearPicture();
    c->BGPicture().PictureChanged = true;
    c->Replot();
    PumpUntilIdle(*c);
    EXPECT_EQ(model.BackgroundBitmap(), nullptr);
}

TEST(ThreadControllerLife, DestroyedAtAnyMomentOfARun) {
    // Before the start, while the graph draws, while a worker waits in its completion call,
    // and after completion; every label and the model are read by the workers, so freeing
    // either too early is a sanitizer report.
    enum Moment { beforeStart, duringGraph, insideGraphCompletion, insideLabelCompletion, afterCompletion };
    for (int round = 0; round < 40; ++round)
        for (Moment m :
             {beforeStart, duringGraph, insideGraphCompletion, insideLabelCompletion, afterCompletion}) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", moment " << m);
            TEventLog log;
            auto probe = std::make_shared<TLabelProbe>();
            std::atomic<bool> painted{false}, drawn{false};
            probe->OnDraw = [&](int) { painted = true; };
            auto c = MakeFakeController(3, probe);
            c->Model().Body = [&, m](TFakeGraph& g, std::string&) {
                g.FillGraphBmpBackground();
                drawn = true;
                while (m == duringGraph && !g.IsAborted())
                    std::this_thread::sleep_for(100us);
            };
            log.Hook(*c);
            if (m != beforeStart) c->StartGraphDrawing();
            if (m == duringGraph) {
                ASSERT_TRUE(eventually([&] { return drawn.load(); }));
            }
            if (m == insideGraphCompletion) {
                ASSERT_TRUE(eventually([&] { return drawn.load(); }));
                std::this_thread::sleep_for(round % 4 == 0 ? 2ms : 0ms);
            }
            if (m == insideLabelCompletion) {
                pumpUntil([&] { return painted.load(); });
                std::this_thread::sleep_for(round % 4 == 0 ? 2ms : 0ms);
            }
            if (m == afterCompletion) PumpUntilIdle(*c);
            const auto before = log.Events().size();
            c.reset();
            EXPECT_EQ(log.Events().size(), before) << "nothing fires on the way out";
            for (int i = 0; i < 5; ++i)
                CheckSynchronize(); // nothing of the dead controller may still be queued
        }
}
