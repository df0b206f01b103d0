#pragma once
// The stop latency of a renderer: each iteration runs DrawGraph with a stop requested Delay
// after its start and reports the time from the request until DrawGraph returns (manual
// time), with the worst as the counter worst_ms. The request is a point in time that the
// stop poll compares with the clock, so no thread wake-up blurs the figure. The caller holds
// the bitmap lock; beforeRun prepares each run.

#include "plot/PtGraph.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>

inline void MeasureStopLatency(benchmark::State& state, TPlotGraph& graph, std::chrono::microseconds delay,
                               const std::function<void()>& beforeRun = {}) {
    std::chrono::steady_clock::time_point requested;
    graph.SetIsAbortedEvent([&](bool& value) { value = std::chrono::steady_clock::now() >= requested; });
    double worst = 0;
    for (auto _ : state) {
        if (beforeRun) beforeRun();
        requested = std::chrono::steady_clock::now() + delay;
        std::string error;
        graph.DrawGraph(error);
        const auto ended = std::chrono::steady_clock::now();
        if (ended < requested) throw std::runtime_error("the run ended before the stop");
        const double seconds = std::chrono::duration<double>(ended - requested).count();
        worst = std::max(worst, seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["worst_ms"] = worst * 1e3;
}
