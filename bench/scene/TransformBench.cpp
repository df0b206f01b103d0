// Projection of the 3D line store: a full store of 65534 vertices, and smaller stores to
// show that the time per vertex does not depend on the count.
#include "AllocCounter.h"

#include "model/Fg3dline.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

int32_t fixed(double v) {
    return static_cast<int32_t>(std::lround(v * 65536.0));
}

// Fills the store with lines of two new vertices each until it holds Vertices vertices.
void fillStore(TLineObj& store, int vertices) {
    store.Clear();
    store.BeginGroup();
    int i = 0;
    while (store.VertexCount + 2 <= vertices) {
        TVertex3D* a = nullptr;
        TVertex3D* b = nullptr;
        const int32_t x = (i % 1000) * 4000 - 2000000;
        const int32_t y = (i / 1000) * 30000 - 1000000;
        // Each line's second end sits above its first, so no search ever finds a match.
        if (store.AddLine(1, Point3D{x, y, -65536}, Point3D{x, y, 65536 + i}, a, b) != 0) break;
        ++i;
        if (i % 256 == 0) store.BeginGroup(); // keep the set-up's sharing search short
    }
}

TRotation3D viewRotation() {
    const double a = 30 * M_PI / 180, b = -20 * M_PI / 180, c = 45 * M_PI / 180;
    return {fixed(std::cos(a)), fixed(std::cos(b)), fixed(std::cos(c)),
            fixed(std::sin(a)), fixed(std::sin(b)), fixed(std::sin(c))};
}

void BM_TransformAll(benchmark::State& state) {
    TLineObj store;
    fillStore(store, static_cast<int>(state.range(0)));
    const TRotation3D rotation = viewRotation();
    bool aborted = false;
    const TAbortPoll poll = [&](bool& abort) { abort = aborted; };
    const std::size_t before = AllocationCount();
    for (auto _ : state) {
        store.TransformAll(rotation, 40, poll, 400, 300);
        benchmark::DoNotOptimize(store.Vertex(store.VertexCount - 1).ScreenX);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["allocs/iter"] = static_cast<double>(AllocationCount() - before) / iterations;
    state.counters["vertices"] = store.VertexCount;
    state.counters["ns/vertex"] = benchmark::Counter(
        iterations * store.VertexCount, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TransformAll)->Arg(8192)->Arg(16384)->Arg(32768)->Arg(65534)->Unit(benchmark::kMicrosecond);

} // namespace
