// Evaluation on worker threads and without allocation: graph workers evaluate their own
// Assign copies once per sample point, concurrently.
#include "math/MathFunc.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

// The sanitizer runtimes (ASan, TSan) call these hooks on every allocation of the process.
extern "C" int
__sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, std::size_t),
                                          void (*free_hook)(const volatile void*)) __attribute__((weak));

namespace {

thread_local bool tlsCounting = false;
thread_local long tlsAllocations = 0;

void countMalloc(const volatile void*, std::size_t) {
    if (tlsCounting) ++tlsAllocations;
}
void ignoreFree(const volatile void*) {}

bool allocationHooksInstalled() {
    static const bool installed = __sanitizer_install_malloc_and_free_hooks != nullptr &&
                                  __sanitizer_install_malloc_and_free_hooks(countMalloc, ignoreFree) != 0;
    return installed;
}

// Counts the allocations this thread makes while it lives.
class TAllocationCounter {
public:
    TAllocationCounter() {
        tlsAllocations = 0;
        tlsCounting = true;
    }
    ~TAllocationCounter() { tlsCounting = false; }
    long Count() const { return tlsAllocations; }
};

// The sample point i: alternately a float and an exact fraction, over both signs.
TMathValue samplePoint(int i) {
    TMathValue v;
    const std::int64_t n = i - 500000;
    if (i % 2 == 0) {
        FloatToMathValue(v, static_cast<long double>(n) / 997.0L);
    } else {
        v.Numerator = n;
        v.Denominator = 1000;
        v.FloatValue = static_cast<long double>(n) / 1000.0L;
        v.Kind = mvFraction;
        Reduce(v);
    }
    return v;
}

struct TPointResult {
    TPackedMathValue Value;
    std::uint8_t Code;
};

void evaluateRange(TMathFunction& f, int first, int last, std::vector<TPointResult>& out) {
    for (int i = first; i < last; ++i) {
        f.SetVariableValue(0, samplePoint(i));
        f.EvaluateMathFunc();
        TPointResult& r = out[static_cast<std::size_t>(i)];
        MathValueToPacked(f.ResultValue, r.Value);
        r.Code = f.ErrorCode;
    }
}

const char* const WorkerExpression =
    "X*X*SIN(X) + 1/(X-3) + SQRT(ABS(X)) - ROUND(X*7)/3 + EXP(-X/10)*COS(X)^2 + FRAC(X) + X^2/7 - LN(X)";

} // namespace

TEST(ThreadMathFunc, FourCopiesMatchOneThreadBitForBit) {
    TMathFunction source;
    source.SetVariableCount(1);
    source.SetVariableName(0, "X");
    source.SetExpression(WorkerExpression);
    ASSERT_TRUE(source.CompileMathFunc()) << source.GetErrorText();

    constexpr int points = 1000000;
    std::vector<TPointResult> single(points), parallel(points);
    {
        TMathFunction copy;
        copy.Assign(source);
        evaluateRange(copy, 0, points, single);
    }

    constexpr int workers = 4;
    std::vector<std::unique_ptr<TMathFunction>> copies;
    for (int t = 0; t < workers; ++t) {
        copies.push_back(std::make_unique<TMathFunction>());
        copies.back()->Assign(source);
    }
    std::vector<std::thread> threads;
    for (int t = 0; t < workers; ++t)
        threads.emplace_back([&, t] {
            evaluateRange(*copies[t], t * points / workers, (t + 1) * points / workers, parallel);
        });
    for (std::thread& th : threads)
        th.join();

    int mismatches = 0, failures = 0, exact = 0;
    for (int i = 0; i < points; ++i) {
        if (std::memcmp(&single[i], &parallel[i], sizeof(TPointResult)) != 0 && ++mismatches < 5)
            ADD_FAILURE() << "point " << i << " differs";
        if (single[i].Code != meNoError) ++failures;
        if (single[i].Value.Kind == mvFraction) ++exact;
    }
    EXPECT_EQ(mismatches, 0);
    // The run covers failing points (LN of X <= 0, the pole at 3) as well as good ones.
    EXPECT_GT(failures, points / 3);
    EXPECT_LT(failures, points * 2 / 3);
    EXPECT_EQ(exact, 0); // SIN and LN make every result a float
}

TEST(MathFuncEvaluate, EvaluationAllocatesNothing) {
    if (!allocationHooksInstalled()) GTEST_SKIP() << "allocation counting needs a sanitizer build";
    {
        TAllocationCounter probe;
        auto p = std::make_unique<long double>(1);
        ASSERT_GT(probe.Count(), 0) << "the allocation counter does not see allocations";
    }

    TMathFunction f, exactPath;
    f.SetVariableCount(1);
    f.SetVariableName(0, "X");
    f.SetExpression(WorkerExpression);
    ASSERT_TRUE(f.CompileMathFunc());
    exactPath.SetVariableCount(1);
    exactPath.SetVariableName(0, "X");
    exactPath.SetExpression("X^2 + 1/3 - INT(X)*FACT(3) + SQUARE(X)/(X+1)");
    ASSERT_TRUE(exactPath.CompileMathFunc());
    // The primes table is built once, on first use; build it before counting.
    TMathValue warm = samplePoint(3);
    exactPath.SetVariableValue(0, warm);
    ASSERT_TRUE(exactPath.EvaluateMathFunc());

    int good = 0, bad = 0;
    long allocations;
    {
        TAllocationCounter counter;
        for (int i = 0; i < 20000; ++i) {
            const TMathValue x = samplePoint(490000 + i);
            f.SetVariableValue(0, x);
            (f.EvaluateMathFunc() ? good : bad)++;
            exactPath.SetVariableValue(0, x);
            (exactPath.EvaluateMathFunc() ? good : bad)++;
            f.SetVariableFloat(0, -120000); // EXP(-X/10) overflows
            (f.EvaluateMathFunc() ? good : bad)++;
        }
        allocations = counter.Count();
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_GT(good, 10000);
    EXPECT_GT(bad, 10000);
}
