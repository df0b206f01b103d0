// Cost of one EvaluateMathFunc per sample point, beside the same computation written
// directly in long double. Target: each engine case at most twice its twin.
#include "math/MathFunc.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <string>

namespace {

constexpr std::size_t SampleCount = 1024;

// Positive sample points in [0.5, 10.5), so that 1/X and the powers stay defined.
const std::array<long double, SampleCount>& samples() {
    static const std::array<long double, SampleCount> xs = [] {
        std::array<long double, SampleCount> a{};
        for (std::size_t i = 0; i < SampleCount; ++i)
            a[i] = 0.5L + 10.0L * static_cast<long double>(i) / SampleCount;
        return a;
    }();
    return xs;
}

// The engine raises a float to a float power as exp(ln(x) * y).
inline long double enginePower(long double x, long double y) {
    return std::exp(std::log(x) * y);
}

void runEngine(benchmark::State& state, const char* text) {
    TMathFunction f;
    f.SetVariableCount(1);
    f.SetVariableName(0, "X");
    f.SetExpression(text);
    if (!f.CompileMathFunc()) {
        state.SkipWithError(f.GetErrorText().c_str());
        return;
    }
    const auto& xs = samples();
    std::size_t i = 0;
    for (auto _ : state) {
        f.SetVariableFloat(0, xs[i]);
        bool ok = f.EvaluateMathFunc();
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(f.ResultValue.FloatValue);
        i = (i + 1) % SampleCount;
    }
}

template <long double (*Twin)(long double)> void runDirect(benchmark::State& state) {
    const auto& xs = samples();
    std::size_t i = 0;
    for (auto _ : state) {
        long double x = xs[i];
        benchmark::DoNotOptimize(x);
        long double y = Twin(x);
        benchmark::DoNotOptimize(y);
        i = (i + 1) % SampleCount;
    }
}

long double twinPolySin(long double x) {
    return x * x * std::sin(x) + 1 / x;
}
long double twinSin(long double x) {
    return std::sin(x);
}
long double twinCubic(long double x) {
    return enginePower(x, 3) - 2 * enginePower(x, 2) + x - 1;
}
long double twinRootExp(long double x) {
    return std::sqrt(x * x + 1) * std::exp(-x / 10);
}

void BM_Engine_XXSinXPlusOneOverX(benchmark::State& s) {
    runEngine(s, "X*X*SIN(X)+1/X");
}
void BM_Direct_XXSinXPlusOneOverX(benchmark::State& s) {
    runDirect<twinPolySin>(s);
}
void BM_Engine_SinX(benchmark::State& s) {
    runEngine(s, "SIN(X)");
}
void BM_Direct_SinX(benchmark::State& s) {
    runDirect<twinSin>(s);
}
void BM_Engine_Cubic(benchmark::State& s) {
    runEngine(s, "X^3-2*X^2+X-1");
}
void BM_Direct_Cubic(benchmark::State& s) {
    runDirect<twinCubic>(s);
}
void BM_Engine_SqrtTimesExp(benchmark::State& s) {
    runEngine(s, "SQRT(X*X+1)*EXP(-X/10)");
}
void BM_Direct_SqrtTimesExp(benchmark::State& s) {
    runDirect<twinRootExp>(s);
}

BENCHMARK(BM_Engine_XXSinXPlusOneOverX);
BENCHMARK(BM_Direct_XXSinXPlusOneOverX);
BENCHMARK(BM_Engine_SinX);
BENCHMARK(BM_Direct_SinX);
BENCHMARK(BM_Engine_Cubic);
BENCHMARK(BM_Direct_Cubic);
BENCHMARK(BM_Engine_SqrtTimesExp);
BENCHMARK(BM_Direct_SqrtTimesExp);

// The exact path: X = k/7 keeps X^2 + 1/3 an exact fraction, reduced at every step.
void BM_Engine_ExactSquarePlusThird(benchmark::State& state) {
    TMathFunction f;
    f.SetVariableCount(1);
    f.SetVariableName(0, "X");
    f.SetExpression("X^2+1/3");
    if (!f.CompileMathFunc()) {
        state.SkipWithError(f.GetErrorText().c_str());
        return;
    }
    std::array<TMathValue, SampleCount> xs;
    for (std::size_t i = 0; i < SampleCount; ++i) {
        TMathValue v;
        v.Numerator = static_cast<std::int64_t>(i) + 1;
        v.Denominator = 7;
        v.FloatValue = static_cast<long double>(v.Numerator) / 7;
        v.Kind = mvFraction;
        Reduce(v);
        xs[i] = v;
    }
    std::size_t i = 0;
    for (auto _ : state) {
        f.SetVariableValue(0, xs[i]);
        bool ok = f.EvaluateMathFunc();
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(f.ResultValue.Numerator);
        i = (i + 1) % SampleCount;
    }
}
BENCHMARK(BM_Engine_ExactSquarePlusThird);

// Compiling the longest expression the engine accepts.
std::string thousandCharacterExpression() {
    const std::string piece = "SIN(X)*2.5+X^2-3/(X+1)+SQRT(ABS(X))-"; // 36 characters
    std::string text;
    while (text.size() + piece.size() <= 998)
        text += piece;
    text += "X";
    return std::string(1000 - text.size(), '+') + text; // leading signs fold away
}

void BM_Compile_1000Characters(benchmark::State& state) {
    const std::string text = thousandCharacterExpression();
    TMathFunction f;
    f.SetVariableCount(1);
    f.SetVariableName(0, "X");
    for (auto _ : state) {
        f.SetExpression(text);
        bool ok = f.CompileMathFunc();
        if (!ok) {
            state.SkipWithError(f.GetErrorText().c_str());
            break;
        }
        benchmark::DoNotOptimize(ok);
    }
    state.counters["characters"] = static_cast<double>(text.size());
}
BENCHMARK(BM_Compile_1000Characters);

} // namespace
