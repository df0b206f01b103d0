#include "math/MathCalc.h"
#include "math/Primes.h"
#include "platform/Errors.h"
#include "platform/FormatSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();

TMathValue exact(std::int64_t n, std::int64_t d = 1) {
    TMathValue v;
    v.Numerator = n;
    v.Denominator = d;
    v.FloatValue = static_cast<long double>(n) / static_cast<long double>(d);
    v.Kind = mvFraction;
    return v;
}

TMathValue real(long double x) {
    TMathValue v;
    FloatToMathValue(v, x);
    return v;
}

TMathValue text(const std::string& s) {
    TMathValue v;
    std::int32_t pos = -1;
    EXPECT_TRUE(StrToMathValue(s, pos, v)) << s;
    return v;
}

::testing::AssertionResult isExact(const TMathValue& v, std::int64_t n, std::int64_t d = 1) {
    if (v.Kind != mvFraction) return ::testing::AssertionFailure() << "kind " << int(v.Kind) << ", not exact";
    if (v.Numerator != n || v.Denominator != d)
        return ::testing::AssertionFailure()
               << v.Numerator << "/" << v.Denominator << " instead of " << n << "/" << d;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult isFloat(const TMathValue& v, long double x, long double tolerance = 0) {
    if (v.Kind != mvFloat) return ::testing::AssertionFailure() << "kind " << int(v.Kind) << ", not a float";
    if (!(std::fabs(v.FloatValue - x) <= tolerance))
        return ::testing::AssertionFailure() << double(v.FloatValue) << " instead of " << double(x);
    return ::testing::AssertionSuccess();
}

// The 1/41*41 of the engine: exactly 1, but its float carries the rounding of 1/41.
TMathValue oneFromFortyFirsts() {
    TMathValue r;
    bool zero = false;
    DivMathValue(exact(1), exact(41), zero, r);
    MulMathValue(r, exact(41), r);
    return r;
}

// Reduction by repeated passes over the prime table, one common prime per pass, as the
// fast gcd-based reduction must reproduce.
void referenceReduce(std::int64_t& n, std::int64_t& d) {
    const auto& primes = PrimesTable();
    const bool negative = n < 0;
    std::int64_t a = negative ? -n : n, b = d;
    if (a <= 1 || b == 1) return;
    if (a == b) {
        n = negative ? -1 : 1;
        d = 1;
        return;
    }
    if (a < b && b % a == 0) {
        n = negative ? -1 : 1;
        d = b / a;
        return;
    }
    if (a > b && a % b == 0) {
        n /= b;
        d = 1;
        return;
    }
    if (IsPrime(a) || IsPrime(b)) return;
    bool removed = true;
    while (removed && !IsPrime(a) && !IsPrime(b)) {
        removed = false;
        const std::int64_t s = std::min(a, b);
        for (std::int32_t p : primes) {
            if (p > s) break;
            if (a % p == 0 && b % p == 0) {
                a /= p;
                b /= p;
                removed = true;
                break;
            }
        }
    }
    n = negative ? -a : a;
    d = b;
}

} // namespace

TEST(MathCalcPrimes, TableAndPrimeTest) {
    const auto& t = PrimesTable();
    ASSERT_EQ(t.size(), 100008u);
    EXPECT_EQ(t.front(), 2);
    EXPECT_EQ(t[99], 541);
    EXPECT_EQ(t[999], 7919);
    EXPECT_EQ(t[9999], 104729);
    EXPECT_EQ(t[99999], 1299709);
    EXPECT_EQ(t.back(), 1299827);
    for (std::size_t i = 1; i < t.size(); ++i)
        ASSERT_LT(t[i - 1], t[i]);

    EXPECT_TRUE(IsPrime(2));
    EXPECT_TRUE(IsPrime(29));
    EXPECT_TRUE(IsPrime(31));
    EXPECT_TRUE(IsPrime(1299827));
    EXPECT_TRUE(IsPrime(1299709));
    EXPECT_TRUE(IsPrime(-7));
    EXPECT_FALSE(IsPrime(1299833)); // prime, but beyond the table
    EXPECT_FALSE(IsPrime(0));
    EXPECT_FALSE(IsPrime(1));
    EXPECT_FALSE(IsPrime(-1));
    EXPECT_FALSE(IsPrime(25));
    EXPECT_FALSE(IsPrime(1299825));
    EXPECT_FALSE(IsPrime(std::int64_t(1) << 40));
    // The binary search agrees with trial division everywhere below 40000.
    for (std::int64_t n = 0; n < 40000; ++n) {
        bool prime = n >= 2;
        for (std::int64_t p = 2; p * p <= n && prime; ++p)
            prime = n % p != 0;
        ASSERT_EQ(IsPrime(n), prime) << n;
    }
}

TEST(MathCalcPacked, BytesAndRoundTrip) {
    TPackedMathValue packed;
    MathValueToPacked(exact(1, 2), packed);
    const unsigned char expected[27] = {0x01, 0, 0, 0, 0, 0, 0, 0,                // numerator
                                        0x02, 0, 0, 0, 0, 0, 0, 0,                // denominator
                                        0,    0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F, // 0.5 as an 80-bit float
                                        0x02};                                    // kind
    EXPECT_EQ(std::memcmp(&packed, expected, 27), 0);

    // One to one both ways, including what a file may hold that no operation makes.
    const unsigned char bytes[27] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,             // -1
                                     0,    0,    0,    0,    0,    0,    0,    0,                // 0
                                     0,    0,    0,    0,    0,    0,    0,    0x80, 0x00, 0xC0, // -2.0
                                     7};
    TPackedMathValue odd;
    std::memcpy(&odd, bytes, 27);
    TMathValue v;
    PackedToMathValue(odd, v);
    EXPECT_EQ(v.Numerator, -1);
    EXPECT_EQ(v.Denominator, 0);
    EXPECT_EQ(v.FloatValue, -2.0L);
    EXPECT_EQ(int(v.Kind), 7);
    TPackedMathValue back;
    MathValueToPacked(v, back);
    EXPECT_EQ(std::memcmp(&back, bytes, 27), 0);
}

TEST(MathCalcGuards, BitLengthsAndSafeOperations) {
    EXPECT_EQ(BitLength64(0), 0);
    EXPECT_EQ(BitLength64(1), 1);
    EXPECT_EQ(BitLength64(-1), 1);
    EXPECT_EQ(BitLength64(Int64Min), 64);
    EXPECT_EQ(BitLength64(Int64Min + 1), 63);
    EXPECT_EQ(BitLength64(std::int64_t(1) << 60), 61);

    std::int64_t r = 0;
    const std::int64_t b61 = (std::int64_t(1) << 61) - 1, b62 = std::int64_t(1) << 61;
    EXPECT_TRUE(SafeAdd64(r, b61, b61));
    EXPECT_EQ(r, 2 * b61);
    EXPECT_FALSE(SafeAdd64(r, b62, 1));
    EXPECT_FALSE(SafeSub64(r, 1, -b62));
    EXPECT_TRUE(SafeSub64(r, -b61, b61));
    EXPECT_EQ(r, -2 * b61);

    EXPECT_FALSE(SafeMul64(r, -1, Int64Min));
    EXPECT_FALSE(SafeMul64(r, Int64Min, -1));
    EXPECT_TRUE(SafeMul64(r, 1, Int64Min));
    EXPECT_EQ(r, Int64Min);
    EXPECT_TRUE(SafeMul64(r, 0, Int64Min));
    EXPECT_EQ(r, 0);
    EXPECT_TRUE(SafeMul64(r, std::int64_t(1) << 30, (std::int64_t(1) << 31) - 1)); // 31 + 31 bits
    EXPECT_FALSE(SafeMul64(r, std::int64_t(1) << 30, std::int64_t(1) << 31));      // 31 + 32 bits

    EXPECT_TRUE(SafeIntPower64(r, 2, 60));
    EXPECT_EQ(r, std::int64_t(1) << 60);
    EXPECT_FALSE(SafeIntPower64(r, 2, 61));
    EXPECT_TRUE(SafeIntPower64(r, 3, 38));
    EXPECT_EQ(r, 1350851717672992089);
    EXPECT_FALSE(SafeIntPower64(r, 3, 39));
    EXPECT_TRUE(SafeIntPower64(r, -10, 17));
    EXPECT_EQ(r, -100000000000000000);
    EXPECT_TRUE(SafeIntPower64(r, 10, 18));
    EXPECT_FALSE(SafeIntPower64(r, 10, 19));
    EXPECT_TRUE(SafeIntPower64(r, -1, 1001));
    EXPECT_EQ(r, -1);
    EXPECT_TRUE(SafeIntPower64(r, 1, 1000));
    EXPECT_TRUE(SafeIntPower64(r, 0, 64));
    EXPECT_EQ(r, 0);
    EXPECT_FALSE(SafeIntPower64(r, 0, 0));
    EXPECT_FALSE(SafeIntPower64(r, 2, 64));
    EXPECT_THROW(SafeIntPower64(r, 2, -1), EAssertionFailed);

    EXPECT_TRUE(ExactSqrt64(r, 9));
    EXPECT_EQ(r, 3);
    EXPECT_TRUE(ExactSqrt64(r, 3037000499LL * 3037000499LL));
    EXPECT_EQ(r, 3037000499LL);
    EXPECT_FALSE(ExactSqrt64(r, 10));
    EXPECT_FALSE(ExactSqrt64(r, -4));
    EXPECT_FALSE(ExactSqrt64(r, 3037000499LL * 3037000499LL + 1));

    EXPECT_TRUE(FloatFitsInt64(9223372036854775807.0L));
    EXPECT_TRUE(FloatFitsInt64(-9223372036854775807.0L));
    EXPECT_FALSE(FloatFitsInt64(9223372036854775808.0L));
    EXPECT_FALSE(FloatFitsInt64(-9223372036854775808.0L));
    EXPECT_FALSE(FloatFitsInt64(std::nanl("")));
}

TEST(MathCalcReduce, TableLimitAndSigns) {
    TMathValue v = exact(6, 4);
    Reduce(v);
    EXPECT_TRUE(isExact(v, 3, 2));
    v = exact(6, -4);
    Reduce(v);
    EXPECT_TRUE(isExact(v, -3, 2));
    v = exact(0, -7);
    Reduce(v);
    EXPECT_TRUE(isExact(v, 0, 1));
    v = exact(-12, 18);
    Reduce(v);
    EXPECT_TRUE(isExact(v, -2, 3));
    // 1299833 is a prime above the table: its common factor stays.
    v = exact(3899499, 6499165);
    Reduce(v);
    EXPECT_TRUE(isExact(v, 3899499, 6499165));
    v = exact(7798998, 5199332);
    Reduce(v);
    EXPECT_TRUE(isExact(v, 3899499, 2599666));
    // 1299827 is the last table prime: its square is divided out.
    const std::int64_t p2 = 1299827LL * 1299827LL;
    v = exact(2 * p2, 3 * p2);
    Reduce(v);
    EXPECT_TRUE(isExact(v, 2, 3));
    v = exact(Int64Min, Int64Min);
    Reduce(v);
    EXPECT_TRUE(isExact(v, 1, 1));
    v = exact(Int64Min, 3);
    Reduce(v);
    EXPECT_EQ(v.Kind, mvFloat);
    v = exact(5, Int64Min);
    EXPECT_FALSE(NormalizeSign(v));
    EXPECT_EQ(v.Kind, mvFloat);

    v = real(2.5L);
    Reduce(v); // floats are left alone
    EXPECT_TRUE(isFloat(v, 2.5L));
    TMathValue empty;
    EXPECT_THROW(Reduce(empty), EAssertionFailed);
    v = exact(1, 0);
    EXPECT_THROW(Reduce(v), EAssertionFailed);

    // Random fractions made of small primes, primes near the end of the table and primes
    // beyond it reduce exactly as pass-by-pass trial division does.
    const std::int64_t factors[] = {2,       3,       5,       7,       11,      13,
                                    1299709, 1299721, 1299827, 1299833, 1299841, 2147483647};
    std::mt19937_64 rng(12345);
    for (int k = 0; k < 1500; ++k) {
        std::int64_t n = 1, d = 1;
        for (int j = 0; j < 5; ++j) {
            const std::int64_t f = factors[rng() % std::size(factors)];
            std::int64_t t;
            if (rng() % 3 != 0 && SafeMul64(t, n, f)) n = t;
            if (rng() % 3 != 0 && SafeMul64(t, d, f)) d = t;
        }
        if (rng() & 1) n = -n;
        std::int64_t rn = n, rd = d;
        referenceReduce(rn, rd);
        TMathValue w = exact(n, d);
        Reduce(w);
        ASSERT_TRUE(isExact(w, rn, rd)) << n << "/" << d;
    }
}

TEST(MathCalcArithmetic, SumsProductsQuotients) {
    TMathValue r;
    AddMathValue(exact(1, 3), exact(1, 6), r);
    EXPECT_TRUE(isExact(r, 1, 2));
    SubMathValue(exact(1, 3), exact(1, 2), r);
    EXPECT_TRUE(isExact(r, -1, 6));
    TMathValue big = text("4611686018427387904"); // 2^62: exact, but more than 61 bits
    EXPECT_TRUE(isExact(big, 4611686018427387904LL));
    AddMathValue(big, exact(1), r);
    EXPECT_TRUE(isFloat(r, 4611686018427387905.0L));
    AddMathValue(exact(1, 2), real(0.25L), r);
    EXPECT_TRUE(isFloat(r, 0.75L));

    MulMathValue(exact(2, 3), exact(9, 4), r);
    EXPECT_TRUE(isExact(r, 3, 2));
    MulMathValue(exact(0), real(2.75L), r);
    EXPECT_TRUE(isExact(r, 0));
    MulMathValue(real(1e-3000L), exact(0), r);
    EXPECT_TRUE(isExact(r, 0));
    // The result may be an operand.
    r = exact(3, 5);
    MulMathValue(r, r, r);
    EXPECT_TRUE(isExact(r, 9, 25));

    bool zero = true;
    DivMathValue(exact(0), real(2.5L), zero, r);
    EXPECT_FALSE(zero);
    EXPECT_TRUE(isExact(r, 0));
    DivMathValue(exact(3), exact(-6), zero, r);
    EXPECT_TRUE(isExact(r, -1, 2));
    DivMathValue(exact(1), exact(0), zero, r);
    EXPECT_TRUE(zero);
    EXPECT_EQ(r.Kind, mvEmpty);
    DivMathValue(exact(1), real(0), zero, r);
    EXPECT_TRUE(zero);
    EXPECT_EQ(r.Kind, mvEmpty);

    // Float overflow is raised; the evaluator's variant leaves it in the float.
    EXPECT_THROW(MulMathValue(real(1e3000L), real(1e3000L), r), EOverflow);
    notrap::MulMathValue(real(1e3000L), real(1e3000L), r);
    EXPECT_TRUE(std::isinf(r.FloatValue));
    EXPECT_THROW(DivMathValue(real(1e3000L), real(1e-3000L), zero, r), EOverflow);
    EXPECT_THROW(ExpMathValue(real(100000), r), EOverflow);
    ExpMathValue(real(-100000), r); // underflow is silent
    EXPECT_TRUE(isFloat(r, 0));

    TMathValue empty;
    try {
        AddMathValue(empty, exact(1), r);
        ADD_FAILURE() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "Add Empty MathValue");
    }
    try {
        MulMathValue(exact(1), exact(1, 0), r);
        ADD_FAILURE() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "Invaid fraction #2 denominator in function MulMathValue");
    }
    EXPECT_THROW(DivMathValue(exact(1, -2), exact(1), zero, r), EAssertionFailed);
    EXPECT_THROW(ExpMathValue(empty, r), EAssertionFailed);
}

TEST(MathCalcArithmetic, Powers) {
    TMathValue r;
    bool invalid = true;
    PowerMathValue(real(0), exact(2), invalid, r);
    EXPECT_TRUE(isFloat(r, 0));
    PowerMathValue(exact(0), exact(0), invalid, r);
    EXPECT_TRUE(invalid);
    EXPECT_EQ(r.Kind, mvEmpty);
    PowerMathValue(real(2.5L), exact(0), invalid, r);
    EXPECT_TRUE(isExact(r, 1));
    PowerMathValue(real(2.5L), real(0), invalid, r);
    EXPECT_TRUE(isFloat(r, 1));
    PowerMathValue(exact(2), exact(-3), invalid, r);
    EXPECT_TRUE(isExact(r, 1, 8));
    PowerMathValue(exact(-2), exact(-3), invalid, r);
    EXPECT_TRUE(isExact(r, -1, 8));
    PowerMathValue(exact(-2, 3), exact(3), invalid, r);
    EXPECT_TRUE(isExact(r, -8, 27));
    PowerMathValue(exact(-8), exact(1, 3), invalid, r);
    EXPECT_FALSE(invalid);
    EXPECT_TRUE(isFloat(r, -2, 1e-17L));
    PowerMathValue(exact(-8), exact(2, 3), invalid, r);
    EXPECT_TRUE(isFloat(r, 4, 1e-17L));
    PowerMathValue(exact(-8), exact(1, 2), invalid, r);
    EXPECT_TRUE(invalid);
    EXPECT_EQ(r.Kind, mvEmpty);
    PowerMathValue(exact(-8), real(0.5L), invalid, r); // a float root of a negative number
    EXPECT_TRUE(invalid);
    PowerMathValue(real(-2), real(3), invalid, r);
    EXPECT_TRUE(isFloat(r, -8, 1e-17L));
    PowerMathValue(real(-2), real(-1), invalid, r);
    EXPECT_TRUE(isFloat(r, -0.5L));

    PowerMathValue(exact(2), exact(60), invalid, r);
    EXPECT_TRUE(isExact(r, std::int64_t(1) << 60));
    PowerMathValue(exact(2), exact(61), invalid, r);
    EXPECT_EQ(r.Kind, mvFloat);
    PowerMathValue(exact(3), exact(38), invalid, r);
    EXPECT_TRUE(isExact(r, 1350851717672992089));
    PowerMathValue(exact(3), exact(39), invalid, r);
    EXPECT_EQ(r.Kind, mvFloat);
    PowerMathValue(exact(10), exact(18), invalid, r);
    EXPECT_TRUE(isExact(r, 1000000000000000000));
    PowerMathValue(exact(10), exact(19), invalid, r);
    EXPECT_EQ(r.Kind, mvFloat);
    PowerMathValue(exact(-1), exact(65), invalid, r);
    EXPECT_TRUE(isExact(r, -1));
    PowerMathValue(exact(1, 2), exact(64), invalid, r);
    EXPECT_EQ(r.Kind, mvFloat);

    EXPECT_THROW(PowerMathValue(real(10), real(5000), invalid, r), EOverflow);
    PowerMathValue(real(10), real(-5000), invalid, r);
    EXPECT_TRUE(isFloat(r, 0));
}

TEST(MathCalcUnary, IntegerPartsRootsFactorials) {
    TMathValue r;
    RoundMathValue(real(2.5L), r);
    EXPECT_TRUE(isExact(r, 3));
    RoundMathValue(real(-2.5L), r);
    EXPECT_TRUE(isExact(r, -3));
    RoundMathValue(real(-2.49L), r);
    EXPECT_TRUE(isExact(r, -2));
    GrIntMathValue(real(-2.5L), r);
    EXPECT_TRUE(isExact(r, -3));
    GrIntMathValue(real(-3), r);
    EXPECT_TRUE(isExact(r, -3));
    IntMathValue(real(-2.5L), r);
    EXPECT_TRUE(isExact(r, -2));
    IntMathValue(real(1e30L), r); // integral, but beyond int64
    EXPECT_TRUE(isFloat(r, 1e30L));
    FracMathValue(real(-2.5L), r);
    EXPECT_TRUE(isFloat(r, -0.5L));
    FracMathValue(exact(7), r);
    EXPECT_TRUE(isExact(r, 0));
    FracMathValue(exact(-5, 2), r);
    EXPECT_TRUE(isFloat(r, -0.5L));
    GrIntMathValue(exact(-5, 2), r);
    EXPECT_TRUE(isExact(r, -3));
    RoundMathValue(exact(-5, 2), r);
    EXPECT_TRUE(isExact(r, -3));
    RoundMathValue(exact(7, 3), r);
    EXPECT_TRUE(isExact(r, 2));
    IntMathValue(exact(-7, 3), r);
    EXPECT_TRUE(isExact(r, -2));

    AbsMathValue(exact(-3, 4), r);
    EXPECT_TRUE(isExact(r, 3, 4));
    AbsMathValue(real(-1.5L), r);
    EXPECT_TRUE(isFloat(r, 1.5L));

    bool invalid = true, tooBig = true;
    SqrtMathValue(exact(9, 4), invalid, r);
    EXPECT_FALSE(invalid);
    EXPECT_TRUE(isExact(r, 3, 2));
    SqrtMathValue(exact(2), invalid, r);
    EXPECT_TRUE(isFloat(r, std::sqrt(2.0L)));
    SqrtMathValue(exact(-1), invalid, r);
    EXPECT_TRUE(invalid);
    EXPECT_EQ(r.Kind, mvEmpty);
    SquareMathValue(exact(-3, 7), r);
    EXPECT_TRUE(isExact(r, 9, 49));

    FactMathValue(exact(0), invalid, tooBig, r);
    EXPECT_TRUE(isExact(r, 1));
    FactMathValue(exact(20), invalid, tooBig, r);
    EXPECT_FALSE(invalid || tooBig);
    EXPECT_TRUE(isExact(r, 2432902008176640000));
    EXPECT_EQ(r.FloatValue, 2432902008176640000.0L);
    FactMathValue(real(20), invalid, tooBig, r);
    EXPECT_TRUE(isExact(r, 2432902008176640000));
    FactMathValue(exact(21), invalid, tooBig, r);
    EXPECT_TRUE(tooBig);
    EXPECT_EQ(r.Kind, mvEmpty);
    FactMathValue(real(2.5L), invalid, tooBig, r);
    EXPECT_TRUE(invalid);
    EXPECT_FALSE(tooBig);
    FactMathValue(exact(5, 2), invalid, tooBig, r);
    EXPECT_TRUE(invalid);
    FactMathValue(exact(-1), invalid, tooBig, r);
    EXPECT_TRUE(invalid);
    FactMathValue(exact(41, 2), invalid, tooBig, r); // 20.5
    EXPECT_TRUE(tooBig);

    ExpMathValue(exact(0), r);
    EXPECT_TRUE(isExact(r, 1));
    ExpMathValue(real(0), r);
    EXPECT_TRUE(isFloat(r, 1));
}

// The float of an exact value carries the rounding of the operations that made it; the
// integer parts, FRAC, FACT, SQRT and the zero test of a divisor go by the fraction.
TEST(MathCalcUnary, ExactValuesDecideFromTheFraction) {
    const TMathValue one = oneFromFortyFirsts();
    ASSERT_TRUE(isExact(one, 1));
    ASSERT_NE(one.FloatValue, 1.0L) << "the float should carry the rounding of 1/41";
    TMathValue r;
    IntMathValue(one, r);
    EXPECT_TRUE(isExact(r, 1));
    EXPECT_EQ(r.FloatValue, 1.0L);
    GrIntMathValue(one, r);
    EXPECT_TRUE(isExact(r, 1));
    RoundMathValue(one, r);
    EXPECT_TRUE(isExact(r, 1));
    FracMathValue(one, r);
    EXPECT_TRUE(isExact(r, 0));
    bool invalid = true, tooBig = true;
    FactMathValue(one, invalid, tooBig, r);
    EXPECT_FALSE(invalid);
    EXPECT_TRUE(isExact(r, 1));

    bool powerInvalid = true;
    TMathValue e18;
    PowerMathValue(exact(10), exact(18), powerInvalid, e18);
    ASSERT_TRUE(isExact(e18, 1000000000000000000));
    RoundMathValue(e18, r);
    EXPECT_TRUE(isExact(r, 1000000000000000000));
    EXPECT_EQ(r.FloatValue, 1e18L);

    // 1/41*41 - 1 is exactly 0 with a tiny non-zero float.
    TMathValue zero;
    SubMathValue(one, exact(1), zero);
    ASSERT_TRUE(isExact(zero, 0));
    ASSERT_NE(zero.FloatValue, 0.0L);
    SqrtMathValue(zero, invalid, r);
    EXPECT_FALSE(invalid);
    EXPECT_TRUE(isExact(r, 0));
    bool zeroDivide = false;
    DivMathValue(exact(1), zero, zeroDivide, r);
    EXPECT_TRUE(zeroDivide);
}

TEST(MathCalcText, NumbersFromText) {
    TMathValue v = text("0.1");
    EXPECT_TRUE(isExact(v, 1, 10));
    EXPECT_EQ(v.FloatValue, 0.1L);
    v = text("0.1234567890123456789"); // 19 decimals
    EXPECT_TRUE(isFloat(v, 0.1234567890123456789L));
    v = text("0.123456789012345678"); // 18 decimals
    EXPECT_TRUE(isExact(v, 61728394506172839, 500000000000000000));
    v = text("-.5");
    EXPECT_TRUE(isExact(v, -1, 2));
    v = text("+2.50");
    EXPECT_TRUE(isExact(v, 5, 2));
    v = text("007");
    EXPECT_TRUE(isExact(v, 7));
    v = text("9223372036854775807");
    EXPECT_TRUE(isExact(v, 9223372036854775807LL));
    v = text("9223372036854775808"); // does not fit int64
    EXPECT_TRUE(isFloat(v, 9223372036854775808.0L));
    EXPECT_EQ(v.Numerator, 0);
    v = text("-9223372036854775808"); // the int64 minimum is never exact
    EXPECT_EQ(v.Kind, mvFloat);

    std::int32_t pos = -1;
    EXPECT_FALSE(StrToMathValue("1.2.3", pos, v));
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(v.Kind, mvEmpty);
    EXPECT_FALSE(StrToMathValue("5-", pos, v));
    EXPECT_EQ(pos, 2);
    EXPECT_FALSE(StrToMathValue("", pos, v));
    EXPECT_EQ(pos, 0);
    EXPECT_FALSE(StrToMathValue("-.", pos, v));
    EXPECT_EQ(pos, 0);

    for (auto [in, out] : {std::pair<const char*, const char*>{"00.5", "0.5"},
                           {".5", "0.5"},
                           {"-.5", "-0.5"},
                           {"3.00", "3"},
                           {"2.50", "2.5"},
                           {"-007", "-7"},
                           {"000", "0"},
                           {"5.", "5"},
                           {"+0.0", "0"}}) {
        std::string s = in;
        EXPECT_TRUE(NormalizeNumberText(s, pos)) << in;
        EXPECT_EQ(s, out) << in;
    }

    // The user's separator, never the C locale's.
    FormatSettings().DecimalSeparator = ',';
    v = text("2,5");
    EXPECT_TRUE(isExact(v, 5, 2));
    EXPECT_FALSE(StrToMathValue("2.5", pos, v));
    EXPECT_EQ(pos, 2);
    ResetFormatSettings();
}
