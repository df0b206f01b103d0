// What opening a 2D graph whose functions are full of special x values costs the GUI
// thread, and how much memory it makes resident. Each function holds as many as one
// function may: 50 series rows of 5000 values each, taken through a long f(x) of 30
// function calls, and 1000 single values (251,000 values). Graphs of 1, 8 and 252 such
// functions; the open runs as File > Open runs it, up to the model ready to draw
// (reader, body, hand-over to the model). Targets: no open holds the thread for a second
// or makes more than 1 GB resident, and the one-function graph still opens.
//
// drawAfterOpen times the first drawing run of the one-function graph on the calling
// thread, for where the values are worked out when the open does not.
#include "PeakMemory.h"
#include "model/FILESAVE.h"
#include "model/func2d.h"
#include "platform/FormatSettings.h"
#include "platform/ScriptedUiHook.h"
#include "plot/PtTh2d.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace {

std::string longExpression() {
    std::string text;
    for (int i = 1; i <= 15; ++i)
        text += (i > 1 ? "+" : "") + std::string("SIN(X/") + std::to_string(i) + ")*COS(X/" +
                std::to_string(i + 1) + ")";
    return text;
}

TMathValue constant(const std::string& text) {
    TMathFunction f;
    f.SetExpression(text);
    f.CompileMathFunc();
    return f.ResultValue;
}

std::unique_ptr<TFunc2DObj> functionAtTheLimits(int index) {
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression("X^2-" + std::to_string(index));
    f->Func.CompileMathFunc();
    const std::string through = longExpression();
    for (int row = 0; row < MaxSeriesRows; ++row) {
        auto item = std::make_unique<TFunc2DSpecialItem>();
        const int64_t base = int64_t(row) * 10000 + index;
        item->FirstStr = std::to_string(base);
        item->SecondStr = std::to_string(base + 1);
        item->EndStr = std::to_string(base + MaxSeriesValues - 1);
        item->FirstValue = constant(item->FirstStr);
        item->SecondValue = constant(item->SecondStr);
        item->EndValue = constant(item->EndStr);
        item->FuncStr = through;
        item->Kind = skSeriesFunc;
        CountSeriesValues(item->FirstValue, item->SecondValue, item->EndValue, item->ValueCount);
        f->SpecialValues.Items.push_back(std::move(item));
    }
    for (int row = 0; row < MaxPointRows; ++row) {
        auto item = std::make_unique<TFunc2DSpecialItem>();
        item->FirstStr = std::to_string(row) + ".25";
        item->FirstValue = constant(item->FirstStr);
        f->SpecialValues.Items.push_back(std::move(item));
    }
    return f;
}

// The graph file of Functions such functions, made once per run of the program.
const std::string& graphFile(int functions) {
    static QTemporaryDir dir;
    static std::map<int, std::string> names;
    std::string& name = names[functions];
    if (!name.empty()) return name;
    TPlotThread2D c;
    c.SetBitmapAttributes(pf24bit, 400, 300);
    for (int i = 0; i < functions; ++i)
        c.AddFunction(functionAtTheLimits(i));
    name = dir.filePath(QString("special-%1.qxf").arg(functions)).toStdString();
    if (!c.SaveAs(name)) name.clear();
    return name;
}

// Resident memory above where it stood, at its highest while Work ran.
template <class F> int64_t peakGrowth(F&& work) {
    const int64_t before = StartPeak();
    work();
    return before < 0 ? -1 : StatusBytes("VmHWM") - before;
}

int64_t fileBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary | std::ios::ate);
    return int64_t(in.tellg());
}

void openSpecialValues(benchmark::State& state) {
    const int functions = int(state.range(0));
    const std::string& name = graphFile(functions);
    if (name.empty()) {
        state.SkipWithError("the graph could not be made");
        return;
    }
    TScopedScriptedUiHook hook;
    bool loaded = false;
    int64_t peak = 0;
    for (auto _ : state) {
        peak = std::max(peak, peakGrowth([&] {
                            TPlotThread2D c;
                            TReadGraphFile reader;
                            loaded = reader.OpenGraphFile(name, FormatSettings().DecimalSeparator) &&
                                     c.LoadFromFile(pf24bit, name, reader);
                            if (loaded) c.AssignFieldsAndLabels();
                        }));
    }
    state.counters["loaded"] = loaded ? 1 : 0;
    state.counters["peak_MB"] = double(peak) / (1024 * 1024);
    state.counters["file_MB"] = double(fileBytes(name)) / (1024 * 1024);
    state.SetLabel(hook->LastMessage());
}

// Tick labels need a GUI application for their fonts; the other benchmarks here need none.
void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "bench_files";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

void drawAfterOpen(benchmark::State& state) {
    ensureGuiApplication();
    const std::string& name = graphFile(1);
    TScopedScriptedUiHook hook;
    for (auto _ : state) {
        state.PauseTiming();
        TPlotThread2D c;
        TReadGraphFile reader;
        if (!reader.OpenGraphFile(name, FormatSettings().DecimalSeparator) ||
            !c.LoadFromFile(pf24bit, name, reader)) {
            state.SkipWithError("the graph did not load");
            break;
        }
        c.AssignFieldsAndLabels();
        state.ResumeTiming();
        std::string error;
        c.Model().DrawGraph(error);
    }
}

} // namespace

BENCHMARK(openSpecialValues)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(openSpecialValues)->Arg(8)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(openSpecialValues)->Arg(252)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(drawAfterOpen)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
