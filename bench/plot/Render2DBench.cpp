// The 2D renderer on a default 1000 x 1000 32-bit graph (axes, tick marks, tick labels):
// - the axes alone, and the whole graph with ten functions; target: under 15 ms on one core;
// - the parametric circle with 100000 samples;
// - how long a stop takes to end a ten-function run on the graph worker, requested at
//   points spread over the run; target: within 20 ms.
// Each case also counts the allocations of one run.
#include "AllocCounter.h"

#include "model/func2d.h"
#include "model/funcpara.h"
#include "plot/PtBuffer.h"
#include "plot/PtGr2d.h"
#include "plot/PtThGraf.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr int kSize = 1000;

const char* const kTenFunctions[] = {"SIN(X)", "X^2",   "1/X",   "TAN(X)",   "SQRT(X)",
                                     "EXP(X)", "LN(X)", "X^3-X", "SIN(1/X)", "ABS(X)"};

std::unique_ptr<TPlotGraph2D> makeGraph(bool tenFunctions, int32_t circleSamples) {
    auto graph = std::make_unique<TPlotGraph2D>();
    graph->SetBitmapAttributes(pf32bit, kSize, kSize);
    TSequenceList<TBaseFuncObj> functions;
    if (tenFunctions) {
        TColor color = 0x000080;
        for (const char* text : kTenFunctions) {
            auto f = std::make_unique<TFunc2DObj>();
            f->Func.SetExpression(text);
            f->Func.CompileMathFunc();
            f->FuncColor = color += 0x101010;
            functions.push_back(std::move(f));
        }
    }
    if (circleSamples > 0) {
        auto p = std::make_unique<TFuncParametricObj>();
        p->FuncX.SetExpression("COS(T)");
        p->FuncY.SetExpression("SIN(T)");
        p->FuncX.CompileMathFunc();
        p->FuncY.CompileMathFunc();
        p->Samples = circleSamples;
        functions.push_back(std::move(p));
    }
    graph->AssignFunctions(functions);
    return graph;
}

void runGraph(benchmark::State& state, TPlotGraph2D& graph) {
    std::string error;
    graph.DrawGraph(error); // the first run sizes what later runs reuse
    const std::size_t before = AllocationCount();
    for (auto _ : state) {
        graph.DrawGraph(error);
        benchmark::DoNotOptimize(graph.PlotBitmap().ScanLine(kSize / 2));
    }
    state.counters["allocations/run"] = double(AllocationCount() - before) / double(state.iterations());
    if (!error.empty()) state.SkipWithError(error.c_str());
}

void BM_Axes2D(benchmark::State& state) {
    auto graph = makeGraph(false, 0);
    runGraph(state, *graph);
}
BENCHMARK(BM_Axes2D)->Unit(benchmark::kMillisecond);

void BM_TenFunctions2D(benchmark::State& state) {
    auto graph = makeGraph(true, 0);
    runGraph(state, *graph);
}
BENCHMARK(BM_TenFunctions2D)->Unit(benchmark::kMillisecond);

void BM_ParametricCircle100000(benchmark::State& state) {
    auto graph = makeGraph(false, 100000);
    runGraph(state, *graph);
    state.SetItemsProcessed(state.iterations() * 100001);
}
BENCHMARK(BM_ParametricCircle100000)->Unit(benchmark::kMillisecond);

// The time from Terminate to the end of WaitFor, with the stop requested after a delay
// that walks through the whole run (iteration i waits i/16 of a full run, modulo 1).
void BM_StopLatencyTenFunctions(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    auto graph = makeGraph(true, 0);
    TSafeBmpBuffer buffer;
    buffer.SetBitmapAttributes(pf32bit, kSize, kSize);
    std::string error;
    const auto fullStart = Clock::now();
    graph->DrawGraph(error);
    const auto full = Clock::now() - fullStart;
    double worst = 0, total = 0;
    int i = 0;
    for (auto _ : state) {
        TGraphDrawingThread worker;
        worker.Model = graph.get();
        worker.BmpBuffer = &buffer;
        worker.Resume();
        std::this_thread::sleep_for(full * (i++ % 16) / 16);
        const auto stop = Clock::now();
        worker.Terminate();
        worker.WaitFor();
        const double latency = std::chrono::duration<double>(Clock::now() - stop).count();
        state.SetIterationTime(latency);
        worst = std::max(worst, latency);
        total += latency;
    }
    state.counters["full_run_ms"] = std::chrono::duration<double, std::milli>(full).count();
    state.counters["worst_ms"] = worst * 1000;
    state.counters["mean_ms"] = total * 1000 / double(state.iterations());
}
BENCHMARK(BM_StopLatencyTenFunctions)->UseManualTime()->Iterations(160)->Unit(benchmark::kMicrosecond);

} // namespace
