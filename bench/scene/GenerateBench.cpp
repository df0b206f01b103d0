// Wire-frame generation of the two 3D function kinds at the dialogs' largest meshes. Each
// iteration starts from an empty store, as every redraw after a function change does; the
// allocations per iteration are the store's new blocks and the two rings or rows.
#include "AllocCounter.h"

#include "model/Fg3dline.h"
#include "model/func3dobj.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

template <class TObj> void runGeneration(benchmark::State& state, TObj& f) {
    TLineObj store;
    const std::size_t before = AllocationCount();
    for (auto _ : state) {
        store.Clear();
        if (f.GenerateLines(0, store) != 0) throw std::runtime_error("generation failed");
        benchmark::DoNotOptimize(store.SegmentCount);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["allocs/iter"] = static_cast<double>(AllocationCount() - before) / iterations;
    state.counters["vertices"] = store.VertexCount - TLineObj::AxisVertexCount;
    state.counters["segments"] = store.SegmentCount - TLineObj::AxisSegmentCount;
}

void BM_GenerateSurface100x100(benchmark::State& state) {
    TFunc3DObj f;
    f.Func->SetExpression("SIN(X)*COS(Y)");
    if (!f.Func->CompileMathFunc()) throw std::runtime_error("does not compile");
    FloatToMathValue(f.Var1Lo, -3);
    FloatToMathValue(f.Var1Hi, 3);
    FloatToMathValue(f.Var2Lo, -3);
    FloatToMathValue(f.Var2Hi, 3);
    f.Var1Lines = 100;
    f.Var1Detail = 0;
    f.Var2Lines = 100;
    f.Var2Detail = 0;
    runGeneration(state, f);
}
BENCHMARK(BM_GenerateSurface100x100)->Unit(benchmark::kMicrosecond);

void BM_GenerateRotated100x100(benchmark::State& state) {
    TFuncRotateObj f;
    f.Func->SetExpression("SIN(X)+2");
    if (!f.Func->CompileMathFunc()) throw std::runtime_error("does not compile");
    FloatToMathValue(f.LoBound, 0);
    FloatToMathValue(f.HiBound, 6);
    f.Lines = 100;
    f.LineDetail = 0;
    f.Circles = 100;
    f.CircleDetail = 0;
    runGeneration(state, f);
}
BENCHMARK(BM_GenerateRotated100x100)->Unit(benchmark::kMicrosecond);

} // namespace
