// The picture hand-over between the two workers of a graph window and the label worker's
// painting, on a 1000 x 1000 32-bit picture:
// - graph bitmap to TSafeBmpBuffer to label bitmap, no labels: must not allocate while the
//   size stays the same;
// - the label worker painting 2000 labels, one whole run (start, copy, paint, report), and
//   the painting alone;
// - the cost of the cancel poll a renderer asks per column or per sample.
#include "AllocCounter.h"

#include "labels/DrawObjs.h"
#include "platform/Bitmap.h"
#include "plot/PtBuffer.h"
#include "plot/PtGraph.h"
#include "plot/PtLabel.h"
#include "plot/PtThGraf.h"
#include "plot/PtThread.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int kSize = 1000;

void BM_HandOverThroughBothBuffers(benchmark::State& state) {
    TBitmap plot(kSize, kSize, pf32bit), labelBitmap(kSize, kSize, pf32bit);
    plot.Fill(0x00336699);
    TSafeBmpBuffer buffer;
    buffer.SetBitmapAttributes(pf32bit, kSize, kSize);
    buffer.SetBufferBitmap(plot); // the first hand-over after a size change may allocate
    buffer.GetBufferBitmap(labelBitmap);
    const std::size_t before = AllocationCount();
    for (auto _ : state) {
        buffer.SetBufferBitmap(plot);
        buffer.GetBufferBitmap(labelBitmap);
        benchmark::DoNotOptimize(labelBitmap.ScanLine(kSize - 1));
    }
    const std::size_t allocations = AllocationCount() - before;
    state.counters["allocations"] = double(allocations);
    if (allocations != 0) state.SkipWithError("the hand-over allocated");
    state.SetBytesProcessed(state.iterations() * 2 * int64_t(kSize) * kSize * 4);
}
BENCHMARK(BM_HandOverThroughBothBuffers)->Unit(benchmark::kMicrosecond);

// 2000 labels of every kind but flood fills, spread over the picture.
TSequenceList<TDrawBaseClass> makeLabels() {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pos(0, kSize - 1), len(5, 120), colour(0, 0xFFFFFF);
    TSequenceList<TDrawBaseClass> list;
    for (int i = 0; i < 2000; ++i) {
        const TPoint a{pos(rng), pos(rng)}, b{a.X + len(rng), a.Y + len(rng)};
        switch (i % 10) {
        case 0:
        case 1:
        case 2:
        case 3: {
            auto l = std::make_unique<TDrawLine>();
            l->P1 = a, l->P2 = b, l->PenColor = TColor(colour(rng)), l->PenWidth = 1 + i % 3;
            list.push_back(std::move(l));
            break;
        }
        case 4:
        case 5:
        case 6: {
            auto s = std::make_unique<TDrawInclosedShape>(uint8_t(lkRectangle + i % 3));
            s->P1 = a, s->P2 = b, s->PenColor = TColor(colour(rng)), s->BrushColor = TColor(colour(rng));
            s->BrushStyle = uint8_t(i % 2 ? bsSolid : bsClear);
            list.push_back(std::move(s));
            break;
        }
        case 7:
        case 8: {
            auto f = std::make_unique<TDrawFreeHand>();
            f->PenColor = TColor(colour(rng));
            f->BeginCurve(a.X, a.Y);
            for (int k = 1; k <= 20; ++k)
                f->AddPoint(a.X + k * 3, a.Y + (k % 4) * 5);
            list.push_back(std::move(f));
            break;
        }
        default: {
            auto t = std::make_unique<TDrawText>();
            t->SetText(a, "Label " + std::to_string(i), nullptr);
            list.push_back(std::move(t));
        }
        }
    }
    return list;
}

struct LabelScene {
    TSafeBmpBuffer buffer;
    TPlotLabelsBuffer labels;
    TSequenceList<TDrawBaseClass> master = makeLabels();

    LabelScene() {
        TBitmap plot(kSize, kSize, pf32bit);
        plot.Fill(0x00F0F0F0);
        buffer.SetBitmapAttributes(pf32bit, kSize, kSize);
        buffer.SetBufferBitmap(plot);
        labels.SetBitmapAttributes(pf32bit, kSize, kSize);
        labels.SetLabels(master, -1);
    }
};

void BM_LabelWorker2000Labels(benchmark::State& state) {
    LabelScene scene;
    int delivered = 0;
    for (auto _ : state) {
        TLabelDrawingThread worker;
        worker.LabelsBuffer = &scene.labels;
        worker.BmpBuffer = &scene.buffer;
        worker.OnDone = [&](TBitmap&) { ++delivered; };
        worker.Resume();
        worker.WaitFor(); // runs the completion call on this (the GUI) thread
    }
    if (delivered != state.iterations()) state.SkipWithError("a run delivered nothing");
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_LabelWorker2000Labels)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PaintDrawLables2000Labels(benchmark::State& state) {
    LabelScene scene;
    const TIsTerminatedEvent never = [](bool& v) { v = false; };
    std::lock_guard lock(scene.labels.LabelBitmap());
    for (auto _ : state)
        scene.labels.PaintDrawLables(never);
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_PaintDrawLables2000Labels)->Unit(benchmark::kMillisecond);

class TIdleGraph : public TPlotGraph {
public:
    void DrawGraph(std::string& ErrorText) override { ErrorText.clear(); }
    void BeginIncrementalDraw() override {}
    bool DrawNextIncrement() override { return true; }
};

// The poll as a renderer sees it during a run: the graph worker's stop request behind the
// model's call-back.
void BM_IsAbortedPoll(benchmark::State& state) {
    TIdleGraph model;
    TGraphDrawingThread worker; // never started: only its stop request is asked
    model.SetIsAbortedEvent([&](bool& v) { worker.GetTerminated(v); });
    int stops = 0;
    for (auto _ : state) {
        stops += model.IsAborted();
        benchmark::DoNotOptimize(stops);
    }
    if (stops != 0) state.SkipWithError("stopped");
}
BENCHMARK(BM_IsAbortedPoll);

} // namespace

// Text labels need a GUI application for their fonts, the picture control a widget one.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
