// The label worker with fake labels: what it paints, a stop while it paints, failures and
// the size check of the hand-over. The controller base: its run state, label redraws, the
// stops, captions and saving.
#include "ControllerTestSupport.h"
#include "WorkerTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace plottest;

namespace {

constexpr TColor kPlot = 0x00607080;

struct LabelRun {
    TSafeBmpBuffer buffer;
    TPlotLabelsBuffer labels;
    TLabelDrawingThread worker;
    std::shared_ptr<TLabelProbe> probe = std::make_shared<TLabelProbe>();
    int done = 0;

    explicit LabelRun(int labelCount, int excluded = -1) {
        buffer.SetBitmapAttributes(pf32bit, 40, 30);
        labels.SetBitmapAttributes(pf32bit, 40, 30);
        TBitmap plot(40, 30, pf32bit);
        plot.Fill(kPlot);
        buffer.SetBufferBitmap(plot);
        auto master = MakeFakeLabels(labelCount, probe);
        labels.SetLabels(master, excluded);
        worker.LabelsBuffer = &labels;
        worker.BmpBuffer = &buffer;
        worker.OnDone = [this](TBitmap& b) {
            EXPECT_EQ(&b, &labels.LabelBitmap());
            ++done;
        };
    }
    void run() {
        worker.Resume();
        finishOrDie(worker);
    }
    TColor pixel(int x, int y) { return labels.LabelBitmap().Pixel(x, y); }
};

TColor labelColor(int id) {
    return TColor(0x000100 * id + 0x40);
}

} // namespace

TEST(ThreadLabelWorker, PaintsEveryLabelButTheExcludedInOrder) {
    for (int excluded : {-1, 0, 2, 4}) {
        SCOPED_TRACE(excluded);
        LabelRun r(5, excluded);
        r.run();
        EXPECT_EQ(r.done, 1);
        EXPECT_EQ(r.worker.ErrorText, "");
        std::vector<int> want;
        for (int i = 0; i < 5; ++i)
            if (i != excluded) want.push_back(i + 1);
        EXPECT_EQ(r.probe->TakePainted(), want);
        for (int id = 1; id <= 5; ++id)
            EXPECT_EQ(r.pixel(id, 0), id - 1 == excluded ? kPlot : labelColor(id)) << id;
        EXPECT_EQ(r.pixel(0, 1), labelColor(want.back())) << "the last label lies on top";
        EXPECT_EQ(r.pixel(39, 29), kPlot) << "painted over the buffered plot";
    }
}

TEST(ThreadLabelWorker, StopWhilePaintingDeliversNothing) {
    LabelRun r(6);
    r.probe->OnDraw = [&](int id) {
        if (id == 3) r.worker.Terminate();
    };
    r.run();
    EXPECT_EQ(r.done, 0);
    EXPECT_EQ(r.probe->TakePainted(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(r.worker.LabelsBuffer, nullptr);
}

TEST(ThreadLabelWorker, FailuresAreReportedWithTheirText) {
    TLogCapture log;
    LabelRun r(3);
    r.probe->OnDraw = [](int id) {
        if (id == 2) throw EZeroDivide();
    };
    r.run();
    EXPECT_EQ(r.done, 1);
    EXPECT_EQ(r.worker.ErrorText, "Floating point divide-by-zero error");

    LabelRun mismatch(3);
    mismatch.labels.SetSize(41, 30);
    mismatch.run();
    EXPECT_EQ(mismatch.worker.ErrorText, "Unknown error");
    EXPECT_TRUE(mismatch.probe->TakePainted().empty());
    EXPECT_NE(TLogCapture::Text().find("Width not equal in procedure TSafeBmpBuffer.GetBufferBitmap"),
              std::string::npos)
        << TLogCapture::Text();
}

// ---------------------------------------------------------------------------------------
// The controller base

TEST(ThreadController, TwoRedrawRequestsDuringALabelRunGiveOneMoreRunAfterTheDelivery) {
    TEventLog log;
    auto probe = std::make_shared<TLabelProbe>();
    TGate gate;
    probe->OnDraw = [&](int id) {
        log.Add("paint " + std::to_string(id));
        if (id == 1) gate.Pass();
    };
    auto c = MakeFakeController(2, probe);
    log.Hook(*c);
    c->RestartLabelThread();
    ASSERT_TRUE(eventually([&] { return gate.Inside(); }));
    c->RequestLabelRedraw();
    c->RequestLabelRedraw();
    EXPECT_TRUE(c->RedrawPending());
    gate.Release();
    PumpUntilIdle(*c);
    auto events = log.Events();
    ASSERT_EQ(std::count(events.begin(), events.end(), "start"), 1);
    std::erase(events, "start"); // fired right after the worker started: before or after its first paint
    EXPECT_EQ(events, (std::vector<std::string>{"paint 1", "paint 2", "picture", "paint 1", "paint 2",
                                                "picture", "end"}));
    EXPECT_FALSE(c->RedrawPending());
    EXPECT_EQ(c->RunState(), 'E');
}

TEST(ThreadController, BusyAndIdleFireOncePerBusyPeriodAndAFailingHandlerFiresAgain) {
    TEventLog log;
    auto c = MakeFakeController(1);
    log.Hook(*c);
    int starts = 0;
    c->OnStart = [&](TPlotThread&) {
        log.Add("start");
        if (++starts == 1) throw std::runtime_error("handler failed");
    };
    EXPECT_EQ(c->RunState(), 'N');
    c->StartGraphDrawing();
    EXPECT_EQ(c->RunState(), 'N') << "the failed handler leaves the state unreported";
    PumpUntilIdle(*c);
    // The graph worker ends and the label worker follows: the update at the label start
    // fires the start event again, and the end fires once, after the last worker.
    EXPECT_EQ(log.Events(), (std::vector<std::string>{"start", "start", "picture", "end"}));
    EXPECT_EQ(c->RunState(), 'E');

    log.Clear();
    c->StartGraphDrawing();
    c->RestartLabelThread(); // both at once, one busy period
    PumpUntilIdle(*c);
    EXPECT_EQ(log.Count("start"), 1);
    EXPECT_EQ(log.Count("end"), 1);
    EXPECT_EQ(log.Events().back(), "end");
}

TEST(ThreadController, StopDrawingDropsAPictureAlreadyOnItsWayToTheWindow) {
    // The label worker has painted and waits in its completion call; the graph worker is
    // drawing. Waiting for the graph worker runs the queued completion: it must find the
    // label worker already gone and deliver nothing, fire nothing.
    for (bool destroy : {false, true}) {
        SCOPED_TRACE(destroy ? "destructor" : "StopDrawingAndWait");
        TEventLog log;
        auto probe = std::make_shared<TLabelProbe>();
        std::atomic<bool> painted{false};
        probe->OnDraw = [&](int) { painted = true; };
        auto c = MakeFakeController(1, probe);
        c->Model().Body = [](TFakeGraph& g, std::string&) {
            while (!g.IsAborted())
                std::this_thread::sleep_for(200us);
        };
        c->RestartLabelThread();
        ASSERT_TRUE(eventually([&] { return painted.load(); }));
        std::this_thread::sleep_for(100ms); // into its synchronised call; nobody pumps
        c->StartGraphDrawing();
        log.Hook(*c);
        if (destroy) {
            c.reset();
            EXPECT_TRUE(log.Events().empty());
            continue;
        }
        c->StopDrawingAndWait();
        EXPECT_EQ(log.Events(), (std::vector<std::string>{"end"}));
        EXPECT_FALSE(c->IsBusy());
        for (int i = 0; i < 20; ++i)
            CheckSynchronize();
        EXPECT_EQ(log.Count("picture"), 0);
    }
}

TEST(ThreadController, ARedrawAfterAStopSignalIsNotLost) {
    // The main window signals every graph to stop when it closes; a close the user cancels
    // leaves the windows open with workers told to stop that will never report.
    TEventLog log;
    auto probe = std::make_shared<TLabelProbe>();
    TGate gate;
    probe->OnDraw = [&](int) { gate.Pass(); };
    auto c = MakeFakeController(1, probe);
    c->RestartLabelThread();
    ASSERT_TRUE(eventually([&] { return gate.Inside(); }));
    c->SignalStopDrawing();
    gate.Release();
    probe->OnDraw = nullptr;
    log.Hook(*c);
    c->Replot(); // the graph run ends with a request for the labels
    PumpUntilIdle(*c);
    EXPECT_EQ(log.Count("picture"), 1);
    EXPECT_EQ(log.Events().back(), "end");
}

TEST(ThreadController, AGraphRunEndingInsideALabelStopCannotPaintTheMirrorBeingRebuilt) {
    // A label edit stops the label worker, rebuilds the mirror, restarts the worker. A graph
    // run whose completion is serviced while the stop waits starts a label run of its own:
    // the rebuild must stop that one too, not change the labels under it.
    TEventLog log;
    auto probe = std::make_shared<TLabelProbe>();
    TGate gate;
    probe->OnDraw = [&](int) { gate.Pass(); };
    auto c = MakeFakeController(1, probe);
    std::atomic<bool> drawn{false};
    c->Model().Body = [&](TFakeGraph& g, std::string&) {
        g.FillGraphBmpBackground();
        drawn = true;
    };
    c->RestartLabelThread();
    ASSERT_TRUE(eventually([&] { return gate.Inside(); }));
    c->StartGraphDrawing();
    ASSERT_TRUE(eventually([&] { return drawn.load(); }));
    std::this_thread::sleep_for(100ms); // its completion waits in the queue; nobody pumps
    log.Hook(*c);
    c->StopLabelThreadAndWait();
    EXPECT_TRUE(c->IsLabelThreadRunning()) << "the graph run's completion started one";
    auto& label = static_cast<TFakeLabel&>(*c->MasterLabelList()[0]);
    label.Color = 0x00123456;
    label.Modified = true;
    c->CopyLabelsToBuffer(-1);
    EXPECT_FALSE(c->IsLabelThreadRunning());
    gate.Release();
    c->RestartLabelThread();
    PumpUntilIdle(*c);
    EXPECT_EQ(log.Count("picture"), 1);
    ASSERT_NE(log.Picture, nullptr);
    EXPECT_EQ(log.Picture->Pixel(1, 0), 0x00123456u);
}

TEST(ThreadController, StopsReportTheErrorOfTheWorkerTheyStopped) {
    TLogCapture quiet;
    TEventLog log;
    auto probe = std::make_shared<TLabelProbe>();
    TGate gate;
    probe->OnDraw = [&](int) {
        gate.Pass();
        throw EOverflow();
    };
    auto c = MakeFakeController(1, probe);
    log.Hook(*c);
    c->RestartLabelThread();
    ASSERT_TRUE(eventually([&] { return gate.Inside(); }));
    c->StopLabelThreadAndWait(); // the failure came before the worker saw the stop
    EXPECT_EQ(log.Events(),
              (std::vector<std::string>{"start", "error: Floating point over flow error", "end"}));
}

TEST(PlotController, CaptionsAndSaving) {
    auto c = MakeFakeController();
    std::string s;
    c->GetCaption(s);
    EXPECT_EQ(s, "Fake Graph");
    c->GetShortFileName(s);
    EXPECT_EQ(s, "");

    c->SetModified();
    c->SaveBody = [](const std::string&) { return false; };
    EXPECT_FALSE(c->SaveAs("/somewhere/graph.qxf"));
    EXPECT_EQ(c->FileName(), "");
    EXPECT_TRUE(c->Modified());
    std::vector<std::string> saved;
    c->SaveBody = [&](const std::string& name) {
        saved.push_back(name);
        return true;
    };
    EXPECT_TRUE(c->SaveAs("/somewhere/graph.qxf"));
    EXPECT_EQ(c->FileName(), "/somewhere/graph.qxf");
    EXPECT_FALSE(c->Modified());
    c->GetCaption(s);
    EXPECT_EQ(s, "Fake Graph - [graph.qxf]");
    c->GetShortFileName(s);
    EXPECT_EQ(s, "graph.qxf");

    c->SetModified();
    c->SaveBody = [](const std::string&) { return false; };
    EXPECT_FALSE(c->Save());
    EXPECT_TRUE(c->Modified());
    c->SaveBody = [&](const std::string& name) {
        saved.push_back(name);
        return true;
    };
    EXPECT_TRUE(c->Save());
    EXPECT_FALSE(c->Modified());
    EXPECT_EQ(saved, (std::vector<std::string>{"/somewhere/graph.qxf", "/somewhere/graph.qxf"}));
}
