// The polar renderer on a 1000 x 1000 32-bit bitmap at the default view and settings (eight
// axes with dashes and labels) with the curve 1+COS(THETA) at 100000 samples, and how soon
// a stop takes effect.
#include "model/funcpolr.h"
#include "plot/PtGrPolr.h"

#include "StopLatency.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

namespace {

std::unique_ptr<TPlotGraphPolar> cardioidGraph(int32_t samples) {
    auto graph = std::make_unique<TPlotGraphPolar>();
    graph->SetBitmapAttributes(pf32bit, 1000, 1000);
    TSequenceList<TBaseFuncObj> functions;
    auto f = std::make_unique<TFuncPolarObj>();
    f->Func.SetExpression("1+COS(THETA)");
    if (!f->Func.CompileMathFunc()) throw std::runtime_error("does not compile");
    FloatToMathValue(f->LoBound, 0);
    FloatToMathValue(f->HiBound, DefaultHiBoundValue);
    f->Samples = samples;
    functions.push_back(std::move(f));
    graph->AssignFunctions(functions);
    return graph;
}

void BM_PolarCardioid(benchmark::State& state) {
    auto graph = cardioidGraph(int32_t(state.range(0)));
    std::lock_guard lock(graph->PlotBitmap()); // as the graph worker holds it
    for (auto _ : state) {
        std::string error;
        graph->DrawGraph(error);
        if (!error.empty()) throw std::runtime_error(error);
    }
}
BENCHMARK(BM_PolarCardioid)->Arg(100000)->Unit(benchmark::kMillisecond);

// A stop requested Delay microseconds into the run: the time until DrawGraph returns
// (StopLatency.h).
void BM_PolarStopLatency(benchmark::State& state) {
    auto graph = cardioidGraph(100000);
    std::lock_guard lock(graph->PlotBitmap());
    MeasureStopLatency(state, *graph, std::chrono::microseconds(state.range(0)));
}
BENCHMARK(BM_PolarStopLatency)
    ->Arg(200)
    ->Arg(2000)
    ->UseManualTime()
    ->Iterations(30)
    ->Unit(benchmark::kMicrosecond);

} // namespace
