// The 3D renderer on a 1000 x 1000 32-bit bitmap: the surface SIN(X)*COS(Y) over
// [-3, 3] x [-3, 3] with 100 x 100 wire lines, generated and drawn, then only redrawn after a
// rotation; and how soon a stop takes effect in either phase.
#include "model/func3dobj.h"
#include "plot/PtGr3d.h"

#include "StopLatency.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

namespace {

// Lets the benchmark mark the functions as changed without touching the function list.
class TBenchGraph3D : public TPlotGraph3D {
public:
    using TPlotGraph3D::FunctionsChanged;
};

std::unique_ptr<TBenchGraph3D> surfaceGraph(int zoom, int lines = 100) {
    auto graph = std::make_unique<TBenchGraph3D>();
    graph->SetBitmapAttributes(pf32bit, 1000, 1000);
    graph->ViewZoom().Zoom = zoom;
    graph->ViewZoom().RotationX = -60;
    graph->ViewZoom().RotationZ = 30;
    TSequenceList<TBaseFuncObj> functions;
    auto f = std::make_unique<TFunc3DObj>();
    f->Func->SetExpression("SIN(X)*COS(Y)");
    if (!f->Func->CompileMathFunc()) throw std::runtime_error("does not compile");
    FloatToMathValue(f->Var1Lo, -3);
    FloatToMathValue(f->Var1Hi, 3);
    FloatToMathValue(f->Var2Lo, -3);
    FloatToMathValue(f->Var2Hi, 3);
    f->Var1Lines = f->Var2Lines = lines;
    f->Var1Detail = f->Var2Detail = 0;
    functions.push_back(std::move(f));
    graph->AssignFunctions(functions);
    return graph;
}

void drawOrThrow(TPlotGraph3D& graph) {
    std::string error;
    graph.DrawGraph(error);
    if (!error.empty()) throw std::runtime_error(error);
}

// Zoom 150 spreads the surface over most of the bitmap; 20 is the default view.
void BM_Surface3DGenerateAndDraw(benchmark::State& state) {
    auto graph = surfaceGraph(int(state.range(0)));
    std::lock_guard lock(graph->PlotBitmap()); // as the graph worker holds it
    for (auto _ : state) {
        graph->FunctionsChanged = true;
        drawOrThrow(*graph);
    }
    state.counters["segments"] = graph->LineStore().SegmentCount;
}
BENCHMARK(BM_Surface3DGenerateAndDraw)->Arg(150)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_Surface3DRedrawAfterRotation(benchmark::State& state) {
    auto graph = surfaceGraph(int(state.range(0)));
    std::lock_guard lock(graph->PlotBitmap());
    drawOrThrow(*graph);
    int step = 0;
    for (auto _ : state) {
        graph->ViewZoom().RotationZ = 30 + (++step % 90);
        drawOrThrow(*graph);
    }
}
BENCHMARK(BM_Surface3DRedrawAfterRotation)->Arg(150)->Arg(20)->Unit(benchmark::kMillisecond);

// A stop requested Delay microseconds into a run (with generation when the second argument
// is 1; the third is the number of wire lines each way, 180 nearly fills the store): the
// time from the request until DrawGraph returns (StopLatency.h).
void BM_Surface3DStopLatency(benchmark::State& state) {
    auto graph = surfaceGraph(150, int(state.range(2)));
    const bool generate = state.range(1) != 0;
    std::lock_guard lock(graph->PlotBitmap());
    drawOrThrow(*graph); // the scene a redraw starts from
    MeasureStopLatency(state, *graph, std::chrono::microseconds(state.range(0)),
                       [&] { graph->FunctionsChanged = generate; });
}
BENCHMARK(BM_Surface3DStopLatency)
    ->Args({1000, 1, 100})
    ->Args({3000, 1, 100})
    ->Args({2000, 1, 180})
    ->Args({200, 0, 100})
    ->Args({600, 0, 100})
    ->UseManualTime()
    ->Iterations(30)
    ->Unit(benchmark::kMicrosecond);

} // namespace
