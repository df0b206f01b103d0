// The plot controller on the GUI thread:
// - how long Replot and StopDrawingAndWait hold the calling thread while a 1000 x 1000
//   32-bit 2D graph of ten functions is being drawn (the stop lands at a random moment of
//   the run; the figure is the time of the call alone);
// - saving and loading a 2D graph of 100 functions and 2000 labels of every kind, free
//   hands of 16000 points among them.
#include "labels/DrawObjs.h"
#include "model/FILESAVE.h"
#include "model/func2d.h"
#include "model/funcpara.h"
#include "platform/FormatSettings.h"
#include "platform/ScriptedUiHook.h"
#include "platform/Threads.h"
#include "plot/PtTh2d.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char* const kTenFunctions[] = {"SIN(X)", "X^2",   "1/X",   "TAN(X)",   "SQRT(X)",
                                     "EXP(X)", "LN(X)", "X^3-X", "SIN(1/X)", "ABS(X)"};

std::unique_ptr<TFunc2DObj> function2D(const std::string& text, TColor color) {
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression(text);
    f->Func.CompileMathFunc();
    f->FuncColor = color;
    return f;
}

std::unique_ptr<TPlotThread2D> tenFunctionGraph() {
    auto c = std::make_unique<TPlotThread2D>();
    c->SetBitmapAttributes(pf32bit, 1000, 1000);
    for (const char* text : kTenFunctions)
        c->AddFunction(function2D(text, c->NextFunctionColor()));
    return c;
}

// Runs the completion calls of the workers for a while, as the event loop would.
void serviceFor(std::chrono::microseconds span) {
    const auto end = Clock::now() + span;
    while (Clock::now() < end)
        if (!CheckSynchronize()) std::this_thread::sleep_for(std::chrono::microseconds(50));
}

// One measured call per iteration, made at a random moment of a running ten-function run.
template <class F> void whileDrawing(benchmark::State& state, F&& call) {
    auto c = tenFunctionGraph();
    c->Replot();
    serviceFor(std::chrono::milliseconds(50));
    std::mt19937 rng(16);
    std::vector<double> times;
    for (auto _ : state) {
        c->StartGraphDrawing();
        serviceFor(std::chrono::microseconds(rng() % 12000));
        const auto start = Clock::now();
        call(*c);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds * 1000);
    }
    c->StopDrawingAndWait();
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p90_ms"] = times[times.size() * 9 / 10];
    state.counters["longest_ms"] = times.back();
}

void BM_ReplotWhileDrawing(benchmark::State& state) {
    whileDrawing(state, [](TPlotThread2D& c) {
        c.ViewZoom().CenterX += 1; // a view step, as a keyboard scroll makes
        c.ViewZoom().Changed = true;
        c.Replot();
    });
}
BENCHMARK(BM_ReplotWhileDrawing)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(300);

void BM_StopDrawingAndWaitWhileDrawing(benchmark::State& state) {
    whileDrawing(state, [](TPlotThread2D& c) { c.StopDrawingAndWait(); });
}
BENCHMARK(BM_StopDrawingAndWaitWhileDrawing)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(300);

// The controller's own share of a replot: nothing runs, so nothing is waited for; what is
// left is applying the view and starting the worker.
void BM_ReplotWhenIdle(benchmark::State& state) {
    auto c = tenFunctionGraph();
    c->Replot();
    for (auto _ : state) {
        state.PauseTiming();
        c->StopDrawingAndWait();
        c->ViewZoom().CenterX += 1;
        c->ViewZoom().Changed = true;
        state.ResumeTiming();
        c->Replot();
    }
    c->StopDrawingAndWait();
}
BENCHMARK(BM_ReplotWhenIdle)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(300);

// The ten functions drawn whole, as a reference for the figures above.
void BM_TenFunctionRunThroughTheController(benchmark::State& state) {
    auto c = tenFunctionGraph();
    for (auto _ : state) {
        c->StartGraphDrawing();
        while (c->IsGraphThreadRunning())
            if (!CheckSynchronize()) std::this_thread::sleep_for(std::chrono::microseconds(20));
    }
    c->StopDrawingAndWait();
}
BENCHMARK(BM_TenFunctionRunThroughTheController)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---- Save and load ----

TSequenceList<TDrawBaseClass> labelsOfEveryKind() {
    std::mt19937 rng(17);
    std::uniform_int_distribution<int> pos(0, 999), len(5, 120);
    TSequenceList<TDrawBaseClass> list;
    for (int i = 0; i < 2000; ++i) {
        const TPoint a{pos(rng), pos(rng)}, b{a.X + len(rng), a.Y + len(rng)};
        if (i % 200 == 7) { // ten free hands of 16000 points
            auto f = std::make_unique<TDrawFreeHand>();
            f->BeginCurve(a.X, a.Y);
            for (int k = 1; k < 16000; ++k)
                f->AddPoint(a.X + (k % 400), a.Y + k / 400 + (k % 2));
            list.push_back(std::move(f));
            continue;
        }
        switch (i % 7) {
        case 0: {
            auto l = std::make_unique<TDrawLine>();
            l->P1 = a, l->P2 = b;
            list.push_back(std::move(l));
            break;
        }
        case 1: {
            auto f = std::make_unique<TDrawFloodFill>();
            f->Location = a;
            list.push_back(std::move(f));
            break;
        }
        case 2:
        case 3:
        case 4: {
            auto s = std::make_unique<TDrawInclosedShape>(uint8_t(lkRectangle + i % 7 - 2));
            s->P1 = a, s->P2 = b;
            list.push_back(std::move(s));
            break;
        }
        case 5: {
            auto t = std::make_unique<TDrawText>();
            t->SetText(a, "Label " + std::to_string(i), nullptr);
            list.push_back(std::move(t));
            break;
        }
        default: {
            auto f = std::make_unique<TDrawFreeHand>();
            f->BeginCurve(a.X, a.Y);
            for (int k = 1; k <= 40; ++k)
                f->AddPoint(a.X + k * 2, a.Y + (k % 5) * 3);
            list.push_back(std::move(f));
        }
        }
    }
    return list;
}

// 100 functions: y = f(x) with bounds and special values, and parametric curves.
std::unique_ptr<TPlotThread2D> bigGraph() {
    auto c = std::make_unique<TPlotThread2D>();
    c->SetBitmapAttributes(pf24bit, 1000, 1000);
    for (int i = 0; i < 100; ++i) {
        if (i % 4 == 3) {
            auto p = std::make_unique<TFuncParametricObj>();
            p->FuncX.SetExpression("COS(T)*" + std::to_string(i));
            p->FuncY.SetExpression("SIN(T*3)");
            p->FuncX.CompileMathFunc();
            p->FuncY.CompileMathFunc();
            c->AddFunction(std::move(p));
            continue;
        }
        auto f = function2D(std::string(kTenFunctions[i % 10]) + "+" + std::to_string(i), TColor(i * 2000));
        f->LoBoundStr = "-" + std::to_string(i % 7 + 1);
        f->LoBoundEmpty = false;
        auto row = std::make_unique<TFunc2DSpecialItem>();
        row->FirstStr = "1/" + std::to_string(i + 1);
        f->SpecialValues.Items.push_back(std::move(row));
        c->AddFunction(std::move(f));
    }
    c->MasterLabelList() = labelsOfEveryKind();
    return c;
}

std::string benchFile() {
    return (std::filesystem::temp_directory_path() / ("quorix-bench-" + std::to_string(::getpid()) + ".qxf"))
        .string();
}

void BM_SaveGraph100Functions2000Labels(benchmark::State& state) {
    auto c = bigGraph();
    const std::string file = benchFile();
    for (auto _ : state)
        if (!c->SaveAs(file)) state.SkipWithError("the save failed");
    state.counters["bytes"] = double(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}
BENCHMARK(BM_SaveGraph100Functions2000Labels)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadGraph100Functions2000Labels(benchmark::State& state) {
    const std::string file = benchFile();
    if (!bigGraph()->SaveAs(file)) state.SkipWithError("the save failed");
    for (auto _ : state) {
        TPlotThread2D c;
        TReadGraphFile reader;
        if (!reader.OpenGraphFile(file, FormatSettings().DecimalSeparator) ||
            !c.LoadFromFile(pf24bit, file, reader) || c.MasterLabelList().size() != 2000 ||
            c.FuncList.size() != 100)
            state.SkipWithError("the load failed");
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_LoadGraph100Functions2000Labels)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
