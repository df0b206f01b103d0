#pragma once
// Fakes for the worker tests: labels that record their painting, an owner that starts and
// joins the workers the way a controller does, a capture of the program's log, and timed
// pumping of the synchronised calls.

#include "PlotTestSupport.h"
#include "common/ThreadTestSupport.h"

#include "plot/PtBuffer.h"
#include "plot/PtLabel.h"
#include "plot/PtThGraf.h"
#include "plot/PtThread.h"

#include <QtGlobal>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace plottest {

using namespace std::chrono_literals;
using threadtest::eventually;
using threadtest::finishOrDie;

// Runs the queued synchronised calls until Pred holds; after the limit the program ends
// with a failure, since a worker that never reports cannot be stopped safely either.
template <typename Pred> void pumpUntil(Pred pred, std::chrono::milliseconds limit = 30s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (!CheckSynchronize()) std::this_thread::sleep_for(100us);
        if (std::chrono::steady_clock::now() < end) continue;
        ADD_FAILURE() << "no completion within the time limit (deadlock?)";
        std::fprintf(stderr, "Deadlock in a worker test; ending the test program.\n");
        std::fflush(stderr);
        std::_Exit(1);
    }
}

// What the fake labels report, shared by a label and its mirror copies.
struct TLabelProbe {
    std::mutex Mutex;
    std::vector<int> Painted;        // ids in painting order
    std::function<void(int)> OnDraw; // runs on the worker before the label paints
    std::vector<int> TakePainted() {
        std::lock_guard lock(Mutex);
        return std::exchange(Painted, {});
    }
};

// A label that paints pixel (Id, 0) and pixel (0, 1) in its colour.
class TFakeLabel : public TDrawBaseClass {
public:
    int Id = 0;
    TColor Color = clBlack;
    std::shared_ptr<TLabelProbe> Probe;

    std::unique_ptr<TSequenceListObj> Clone() const override { return std::make_unique<TFakeLabel>(); }
    void Assign(const TSequenceListObj& Source) override {
        const auto& s = SequenceSourceAs<TFakeLabel>(Source);
        Id = s.Id;
        Color = s.Color;
        Probe = s.Probe;
    }
    void Draw(TBitmap& Bitmap, const TLabelBmpAttribs&) override {
        if (Probe) {
            std::lock_guard lock(Probe->Mutex);
            Probe->Painted.push_back(Id);
        }
        if (Probe && Probe->OnDraw) Probe->OnDraw(Id);
        Bitmap.SetPixel(Id, 0, Color);
        Bitmap.SetPixel(0, 1, Color);
    }
    void DrawEditOutline(TBitmap&, const TLabelBmpAttribs&) override {}
    void MouseEdit(int, int, TLabelMouseOp, TBitmap&, const TLabelBmpAttribs&) override {}
    int HitDistance(int, int) const override { return FarDistance; }
    std::string GetDescription() const override { return "fake " + std::to_string(Id); }
    void ToggleSelectionHandles(TBitmap&, const TLabelBmpAttribs&) override {}
    bool IsOnBitmap(const TLabelBmpAttribs&) const override { return true; }
    void WriteToGraphFile(TWriteGraphFile&) const override {}
    void ReadFromGraphFile(TReadGraphFile&, const TLabelBmpAttribs&) override {}
};

// Labels 1..Count, label i in colour 0x000100 * i + 0x40.
inline TSequenceList<TDrawBaseClass> MakeFakeLabels(int count, const std::shared_ptr<TLabelProbe>& probe) {
    TSequenceList<TDrawBaseClass> list;
    for (int i = 1; i <= count; ++i) {
        auto l = std::make_unique<TFakeLabel>();
        l->Id = i;
        l->Color = TColor(0x000100 * i + 0x40);
        l->Probe = probe;
        list.push_back(std::move(l));
    }
    return list;
}

// Collects what the program writes to its log (Qt's message channel) while it lives.
class TLogCapture {
public:
    TLogCapture() { previous_ = qInstallMessageHandler(&TLogCapture::handler); }
    ~TLogCapture() { qInstallMessageHandler(previous_); }
    static std::string Text() {
        std::lock_guard lock(mutex());
        return text();
    }

private:
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static std::string& text() {
        static std::string t;
        return t;
    }
    static void handler(QtMsgType, const QMessageLogContext&, const QString& message) {
        std::lock_guard lock(mutex());
        text() += message.toStdString() + "\n";
    }
    QtMessageHandler previous_;
};

// Starts, completes and joins the workers of one graph the way a controller does: a
// worker that reports is taken out of its field and joined only when the next one starts
// or the owner goes. On completion of a graph run the label worker follows.
class TTestOwner {
public:
    explicit TTestOwner(int width = 40, int height = 30, TPixelFormat depth = pf24bit) {
        Model->SetBitmapAttributes(depth, width, height);
        Buffer->SetBitmapAttributes(depth, width, height);
        Labels->SetBitmapAttributes(depth, width, height);
    }
    // Running workers are stopped and joined before the model and the buffers go; workers
    // that already reported are joined only after them, which is safe because a worker
    // lets go of all it borrowed before it reports.
    ~TTestOwner() {
        stop(GraphThread);
        stop(LabelThread);
        Model.reset();
        Buffer.reset();
        Labels.reset();
    }

    void StartGraph() {
        finishedGraph_.reset(); // joins
        stop(GraphThread);
        GraphThread = std::make_unique<TGraphDrawingThread>();
        GraphThread->OnDone = [this](TGraphDrawingThread& w) { graphDone(w); };
        GraphThread->Model = Model.get();
        GraphThread->BmpBuffer = Buffer.get();
        GraphThread->Resume();
    }
    void StartLabels() {
        finishedLabels_.reset();
        stop(LabelThread);
        LabelThread = std::make_unique<TLabelDrawingThread>();
        LabelThread->OnDone = [this](TBitmap& b) { labelsDone(b); };
        LabelThread->LabelsBuffer = Labels.get();
        LabelThread->BmpBuffer = Buffer.get();
        LabelThread->Resume();
    }

    // Declared first so that they are destroyed (joined) last.
    std::unique_ptr<TGraphDrawingThread> GraphThread, finishedGraph_;
    std::unique_ptr<TLabelDrawingThread> LabelThread, finishedLabels_;

    std::unique_ptr<TFakeGraph> Model = std::make_unique<TFakeGraph>();
    std::unique_ptr<TSafeBmpBuffer> Buffer = std::make_unique<TSafeBmpBuffer>();
    std::unique_ptr<TPlotLabelsBuffer> Labels = std::make_unique<TPlotLabelsBuffer>();
    bool FollowWithLabels = true;
    int GraphCompletions = 0;
    int LabelCompletions = 0;
    std::vector<std::string> Errors;
    TColor LastCorner = clInvalidPixel; // pixel (W-1, H-1) of the last labelled bitmap

private:
    template <class W> static void stop(std::unique_ptr<W>& worker) {
        if (!worker) return;
        std::unique_ptr<W> old = std::move(worker);
        old->Terminate();
        finishOrDie(*old);
    }
    void graphDone(TGraphDrawingThread& w) {
        if (GraphThread.get() != &w) return;
        finishedGraph_ = std::move(GraphThread);
        ++GraphCompletions;
        if (!w.ErrorText.empty())
            Errors.push_back(w.ErrorText);
        else if (FollowWithLabels)
            StartLabels();
    }
    void labelsDone(TBitmap& b) {
        if (!LabelThread) return;
        if (!LabelThread->ErrorText.empty()) Errors.push_back(LabelThread->ErrorText);
        LastCorner = b.Pixel(b.Width() - 1, b.Height() - 1);
        finishedLabels_ = std::move(LabelThread);
        ++LabelCompletions;
    }
};

} // namespace plottest
