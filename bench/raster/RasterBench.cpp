// Raster speed on full-size pictures (2000 x 2000): a flood fill against FillRect of the
// same rectangle (target: within 10 times), CopyBitmap against a plain memcpy of the same
// bytes (target: within 2 times), and 10,000 random 1-pixel lines.
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kSize = 2000;

void floodFill(benchmark::State& state, TPixelFormat depth) {
    TBitmap b(kSize, kSize, depth);
    TCanvas& c = b.Canvas();
    TColor current = clWhite;
    for (auto _ : state) {
        const TColor next = current == clWhite ? clBlue : clWhite;
        c.Brush.Color = next;
        if (!c.FloodFill(kSize / 2, kSize / 2, current, fsSurface)) state.SkipWithError("fill did nothing");
        current = next;
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kSize) * kSize);
}

void fillRect(benchmark::State& state, TPixelFormat depth) {
    TBitmap b(kSize, kSize, depth);
    TCanvas& c = b.Canvas();
    bool blue = false;
    for (auto _ : state) {
        blue = !blue;
        c.Brush.Color = blue ? clBlue : clWhite;
        c.FillRect(Rect(0, 0, kSize, kSize));
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kSize) * kSize);
}

void BM_FloodFill_32bit(benchmark::State& state) {
    floodFill(state, pf32bit);
}
void BM_FillRect_32bit(benchmark::State& state) {
    fillRect(state, pf32bit);
}
void BM_FloodFill_24bit(benchmark::State& state) {
    floodFill(state, pf24bit);
}
void BM_FillRect_24bit(benchmark::State& state) {
    fillRect(state, pf24bit);
}

void BM_FloodFill_Hatch_32bit(benchmark::State& state) {
    TBitmap b(kSize, kSize, pf32bit);
    TCanvas& c = b.Canvas();
    c.Brush.Style = bsDiagCross;
    c.Brush.Color = clRed;
    for (auto _ : state) {
        state.PauseTiming();
        b.Fill(clWhite);
        state.ResumeTiming();
        c.FloodFill(kSize / 2, kSize / 2, clWhite, fsSurface);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kSize) * kSize);
}

void BM_RandomLines10000(benchmark::State& state) {
    TBitmap b(kSize, kSize, pf24bit);
    TCanvas& c = b.Canvas();
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> coord(0, kSize - 1);
    std::vector<TPoint> ends(20000);
    for (TPoint& p : ends)
        p = {coord(rng), coord(rng)};
    for (auto _ : state) {
        for (size_t i = 0; i < ends.size(); i += 2) {
            c.Pen.Color = TColor(i * 2654435761u) & 0xFFFFFF;
            c.MoveTo(ends[i].X, ends[i].Y);
            c.LineTo(ends[i + 1].X, ends[i + 1].Y);
        }
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

void BM_CopyBitmap_2000x2000x32(benchmark::State& state) {
    TBitmap src(kSize, kSize, pf32bit), dst(kSize, kSize, pf32bit);
    src.Canvas().Brush.Color = clTeal;
    src.Canvas().FillRect(Rect(0, 0, kSize / 2, kSize));
    for (auto _ : state) {
        CopyBitmap(dst, src);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(kSize) * kSize * 4);
}

void BM_Memcpy_2000x2000x32(benchmark::State& state) {
    std::vector<uint8_t> src(size_t(kSize) * kSize * 4, 0x5A), dst(src.size(), 0);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(src.size()));
}

} // namespace

BENCHMARK(BM_FloodFill_32bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillRect_32bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFill_24bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillRect_24bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFill_Hatch_32bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomLines10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyBitmap_2000x2000x32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy_2000x2000x32)->Unit(benchmark::kMillisecond);
