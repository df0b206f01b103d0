#include "math/MathCalc.h"

#include "math/Primes.h"
#include "platform/Errors.h"
#include "platform/FormatSettings.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>

namespace {

constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();

// |n| of a value that is known not to be the int64 minimum.
inline std::int64_t abs64(std::int64_t n) {
    return n < 0 ? -n : n;
}

inline void setExactInteger(TMathValue& R, std::int64_t n) {
    R.Numerator = n;
    R.Denominator = 1;
    R.FloatValue = static_cast<long double>(n);
    R.Kind = mvFraction;
}

inline void setExactZero(TMathValue& R) {
    setExactInteger(R, 0);
}

inline bool isExactZero(const TMathValue& V) {
    return V.Kind == mvFraction && V.Numerator == 0 && V.FloatValue == 0;
}

// Makes R the exact fraction N/D in lowest terms; its float stays as computed.
inline void setReducedFraction(TMathValue& R, std::int64_t N, std::int64_t D) {
    R.Numerator = N;
    R.Denominator = D;
    R.Kind = mvFraction;
    Reduce(R);
}

// The operands of the binary operation Function: emptyText when either is empty, else
// "Invaid fraction #N denominator in function <Function>" for a bad operand N.
inline void checkBinaryOperands(const TMathValue& A, const TMathValue& B, const char* emptyText,
                                const char* Function) {
    if (A.Kind == mvEmpty || B.Kind == mvEmpty) QX_FAIL(emptyText);
    if (A.Kind == mvFraction && A.Denominator <= 0)
        QX_FAIL(std::string("Invaid fraction #1 denominator in function ") + Function);
    if (B.Kind == mvFraction && B.Denominator <= 0)
        QX_FAIL(std::string("Invaid fraction #2 denominator in function ") + Function);
}

inline void setFloat(TMathValue& R, long double F) {
    R.FloatValue = F;
    R.Kind = mvFloat;
}

// R becomes the float F, the start of an operation that may still find an exact result.
// That needs the operands, and R may be one of them, so a and b take exact copies first.
inline void setFloatKeepingOperands(const TMathValue& A, const TMathValue& B, long double F, TMathValue& a,
                                    TMathValue& b, TMathValue& R) {
    copyMathValue(a, A);
    copyMathValue(b, B);
    setFloat(R, F);
}

inline void checkUnaryOperand(const TMathValue& A) {
    if (A.Kind == mvEmpty) QX_FAIL("Empty MathValue in Function");
    if (A.Kind == mvFraction && A.Denominator <= 0) QX_FAIL("Invaid fraction denominator");
}

// Stands for the trap an x87 with overflow and invalid-operation exceptions unmasked
// would have taken on this result.
void raiseFloatFault(const TMathValue& R) {
    if (R.Kind == mvEmpty) return;
    if (std::isnan(R.FloatValue)) throw EInvalidOp();
    if (std::isinf(R.FloatValue)) throw EOverflow();
}

bool isIntegral(long double x) {
    return std::truncl(x) == x;
}

// The product of the table primes that divide G, each with its full multiplicity in G.
// Dividing it out of both parts of a fraction whose gcd is G gives exactly what repeated
// passes of trial division over the table give, without walking the table once per factor.
std::uint64_t tableSmoothPart(std::uint64_t g) {
    const auto& primes = PrimesTable();
    std::uint64_t smooth = 1;
    std::uint64_t rest = g;
    bool restIsPrimeOrOne = false;
    for (std::int32_t p32 : primes) {
        std::uint64_t p = static_cast<std::uint64_t>(p32);
        if (p * p > rest) {
            restIsPrimeOrOne = true;
            break;
        }
        if (rest % p == 0) {
            do {
                rest /= p;
                smooth *= p;
            } while (rest % p == 0);
        }
    }
    // A left-over prime is a table prime only when it does not exceed the last entry;
    // a left-over after the whole table holds only primes above it.
    if (restIsPrimeOrOne && rest > 1 && rest <= static_cast<std::uint64_t>(LargestTablePrime)) smooth *= rest;
    return smooth;
}

bool parseInt64(const std::string& text, std::int64_t& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    auto r = std::from_chars(first, last, value);
    return r.ec == std::errc() && r.ptr == last;
}

void exactIntegerPower(const TMathValue& A, const TMathValue& B, TMathValue& R) {
    R.Kind = mvFloat;
    if (A.Kind != mvFraction || B.Kind != mvFraction || B.Denominator != 1) return;
    std::int64_t n = 0, d = 0;
    bool ok;
    if (B.Numerator >= 0) {
        ok = SafeIntPower64(n, A.Numerator, B.Numerator) && SafeIntPower64(d, A.Denominator, B.Numerator);
    } else {
        if (B.Numerator == Int64Min) return;
        std::int64_t e = -B.Numerator;
        ok = SafeIntPower64(d, A.Numerator, e) && SafeIntPower64(n, A.Denominator, e);
    }
    if (ok) setReducedFraction(R, n, d);
}

constexpr std::int64_t MaxRootExponentPart = 1689550229929; // 1299827 squared

bool powerExponentInRange(const TMathValue& B) {
    if (B.Kind != mvFraction || B.Denominator <= 0 || B.Numerator == Int64Min) return false;
    if (!IsEven64(B.Numerator) || !IsEven64(B.Denominator)) {
        return abs64(B.Numerator) <= MaxRootExponentPart && B.Denominator <= MaxRootExponentPart;
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Constructors and packed form

void ClearMathValue(TMathValue& V) {
    V = TMathValue{};
}

void FloatToMathValue(TMathValue& V, long double X) {
    V.Numerator = 0;
    V.Denominator = 1;
    V.FloatValue = X;
    V.Kind = mvFloat;
}

void IntToMathValue(std::int32_t N, TMathValue& V) {
    setExactInteger(V, N);
}

void MathValueToPacked(const TMathValue& Source, TPackedMathValue& Dest) {
    Dest.Numerator = Source.Numerator;
    Dest.Denominator = Source.Denominator;
    std::memcpy(Dest.FloatValue, &Source.FloatValue, sizeof Dest.FloatValue);
    Dest.Kind = static_cast<std::uint8_t>(Source.Kind);
}

void PackedToMathValue(const TPackedMathValue& Source, TMathValue& Dest) {
    TMathValue v;
    v.Numerator = Source.Numerator;
    v.Denominator = Source.Denominator;
    long double f = 0; // the six bytes beyond the ten stay zero
    std::memcpy(&f, Source.FloatValue, sizeof Source.FloatValue);
    v.FloatValue = f;
    v.Kind = static_cast<TMathValueKind>(Source.Kind);
    Dest = v;
}

bool IsZeroMathValue(const TMathValue& V) {
    return V.FloatValue == 0 || (V.Kind == mvFraction && V.Numerator == 0);
}

// ---------------------------------------------------------------------------------------
// 64-bit guards

int BitLength64(std::int64_t V) {
    if (V == Int64Min) return 64;
    std::uint64_t u = static_cast<std::uint64_t>(abs64(V));
    return 64 - std::countl_zero(u);
}

bool SafeAdd64(std::int64_t& R, std::int64_t X, std::int64_t Y) {
    if (BitLength64(X) > 61 || BitLength64(Y) > 61) return false;
    R = X + Y;
    return true;
}

bool SafeSub64(std::int64_t& R, std::int64_t X, std::int64_t Y) {
    if (BitLength64(X) > 61 || BitLength64(Y) > 61) return false;
    R = X - Y;
    return true;
}

bool SafeMul64(std::int64_t& R, std::int64_t X, std::int64_t Y) {
    if (X == -1) {
        if (Y == Int64Min) return false;
        R = -Y;
        return true;
    }
    if (Y == -1) {
        if (X == Int64Min) return false;
        R = -X;
        return true;
    }
    if (X == 0 || Y == 0) {
        R = 0;
        return true;
    }
    if (X == 1) {
        R = Y;
        return true;
    }
    if (Y == 1) {
        R = X;
        return true;
    }
    if (BitLength64(X) + BitLength64(Y) > 62) return false;
    R = X * Y;
    return true;
}

bool SafeIntPower64(std::int64_t& R, std::int64_t Base, std::int64_t Exp) {
    QX_ASSERT(Exp >= 0, "Error negative integer power");
    if (Exp == 0) {
        if (Base == 0) return false;
        R = 1;
        return true;
    }
    if (Base == -1) {
        R = IsEven64(Exp) ? 1 : -1;
        return true;
    }
    if (Base == 0 || Base == 1) {
        R = Base;
        return true;
    }
    if (Exp >= 64) return false;
    std::int64_t r = Base;
    const int baseBits = BitLength64(Base);
    for (std::int64_t i = 1; i < Exp; ++i) {
        if (BitLength64(r) + baseBits > 62) return false;
        r *= Base;
    }
    if (BitLength64(r) >= 63) return false;
    R = r;
    return true;
}

bool ExactSqrt64(std::int64_t& R, std::int64_t V) {
    if (V < 0) return false;
    if (V <= 1) {
        R = V;
        return true;
    }
    long double s = std::sqrt(static_cast<long double>(V));
    if (!isIntegral(s)) return false;
    std::uint64_t r = static_cast<std::uint64_t>(s);
    if (r * r != static_cast<std::uint64_t>(V)) return false;
    R = static_cast<std::int64_t>(r);
    return true;
}

bool FloatFitsInt64(long double X) {
    constexpr long double lo = -9223372036854775807.0L;
    constexpr long double hi = 9223372036854775807.0L;
    return X >= lo && X <= hi;
}

bool IsEven64(std::int64_t V) {
    return (V & 1) == 0;
}

bool NormalizeSign(TMathValue& V) {
    if (V.Kind != mvFraction) return true;
    if (V.Numerator == Int64Min || V.Denominator == Int64Min) {
        V.Kind = mvFloat;
        return false;
    }
    if (V.Denominator < 0) {
        V.Numerator = -V.Numerator;
        V.Denominator = -V.Denominator;
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Primes and reduction

bool IsPrime(std::int64_t N) {
    if (N < std::numeric_limits<std::int32_t>::min() || N > std::numeric_limits<std::int32_t>::max())
        return false;
    const std::int64_t n = abs64(N);
    if (n < 2 || n > LargestTablePrime) return false;
    if (n <= 29) return ((0x208A28ACu >> n) & 1u) != 0;
    if (n == LargestTablePrime) return true;
    const auto& primes = PrimesTable();
    // 1-based positions; the two ends are known not to match.
    std::int32_t lo = 1, hi = PrimesTableCount;
    while (hi - lo > 1) {
        std::int32_t mid = lo + (hi - lo) / 2;
        std::int64_t entry = primes[mid - 1];
        if (entry == n) return true;
        if (n < entry)
            hi = mid;
        else
            lo = mid;
    }
    return false;
}

void Reduce(TMathValue& V) {
    if (V.Kind == mvEmpty) QX_FAIL("Reduce Empty MathValue");
    if (V.Kind == mvFloat) return;
    if (V.Denominator == 0) QX_FAIL("Fraction divide by zero, in Reduce");
    if (V.Numerator == 0) {
        V.Denominator = 1;
        return;
    }
    if (V.Numerator == Int64Min || V.Denominator == Int64Min) {
        if (V.Numerator == V.Denominator) {
            V.Numerator = 1;
            V.Denominator = 1;
        } else {
            V.Kind = mvFloat;
        }
        return;
    }
    if (!NormalizeSign(V)) return;
    if (V.Denominator == 1) return;
    const bool negative = V.Numerator < 0;
    const std::int64_t a = abs64(V.Numerator);
    const std::int64_t b = V.Denominator;
    if (a == 1) return;
    if (a == b) {
        V.Numerator = negative ? -1 : 1;
        V.Denominator = 1;
        return;
    }
    if (a < b && b % a == 0) {
        V.Denominator = b / a;
        V.Numerator = negative ? -1 : 1;
        return;
    }
    if (a > b && a % b == 0) {
        V.Numerator = V.Numerator / b;
        V.Denominator = 1;
        return;
    }
    if (IsPrime(V.Numerator) || IsPrime(V.Denominator)) return;
    const std::uint64_t g = std::gcd(static_cast<std::uint64_t>(a), static_cast<std::uint64_t>(b));
    if (g == 1) return;
    const std::uint64_t smooth = tableSmoothPart(g);
    if (smooth == 1) return;
    const std::int64_t ra = static_cast<std::int64_t>(static_cast<std::uint64_t>(a) / smooth);
    V.Numerator = negative ? -ra : ra;
    V.Denominator = static_cast<std::int64_t>(static_cast<std::uint64_t>(b) / smooth);
}

bool CommonDenominator(TMathValue& A, TMathValue& B) {
    if (A.Kind != mvFraction || B.Kind != mvFraction) QX_FAIL("Error can not calculate common denoninator");
    if (A.Denominator == 0 || B.Denominator == 0) QX_FAIL("Fraction divide by zero, in Common Denominator");
    TMathValue a, b;
    copyMathValue(a, A);
    copyMathValue(b, B);
    if (!NormalizeSign(a) || !NormalizeSign(b)) return false;
    if (a.Denominator != b.Denominator) {
        std::int64_t an, ad, bn;
        if (!SafeMul64(an, a.Numerator, b.Denominator)) return false;
        if (!SafeMul64(ad, a.Denominator, b.Denominator)) return false;
        if (!SafeMul64(bn, b.Numerator, a.Denominator)) return false;
        a.Numerator = an;
        a.Denominator = ad;
        b.Numerator = bn;
        b.Denominator = ad;
    }
    copyMathValue(A, a);
    copyMathValue(B, b);
    return true;
}

// ---------------------------------------------------------------------------------------
// Arithmetic without raising

namespace notrap {

namespace {

// A + B or A - B.
template <bool Subtract> void addOrSubtract(const TMathValue& A, const TMathValue& B, TMathValue& R) {
    const long double f = Subtract ? A.FloatValue - B.FloatValue : A.FloatValue + B.FloatValue;
    if (A.Kind != mvFraction || B.Kind != mvFraction) {
        setFloat(R, f);
        return;
    }
    TMathValue a, b;
    setFloatKeepingOperands(A, B, f, a, b, R);
    std::int64_t n;
    if (!CommonDenominator(a, b)) return;
    if (Subtract ? SafeSub64(n, a.Numerator, b.Numerator) : SafeAdd64(n, a.Numerator, b.Numerator))
        setReducedFraction(R, n, a.Denominator);
}

} // namespace

void AddMathValue(const TMathValue& A, const TMathValue& B, TMathValue& R) {
    checkBinaryOperands(A, B, "Add Empty MathValue", "AddMathValue");
    addOrSubtract<false>(A, B, R);
}

void SubMathValue(const TMathValue& A, const TMathValue& B, TMathValue& R) {
    checkBinaryOperands(A, B, "Sub Empty MathValue", "SubMathValue");
    addOrSubtract<true>(A, B, R);
}

void MulMathValue(const TMathValue& A, const TMathValue& B, TMathValue& R) {
    checkBinaryOperands(A, B, "Multiply Empty MathValue", "MulMathValue");
    const long double f = A.FloatValue * B.FloatValue;
    if (A.Kind != mvFraction && B.Kind != mvFraction) {
        setFloat(R, f);
        return;
    }
    TMathValue a, b;
    setFloatKeepingOperands(A, B, f, a, b, R);
    // An exact zero times anything, float or not, stays an exact zero.
    if ((isExactZero(a) || isExactZero(b)) && f == 0) {
        setExactZero(R);
        return;
    }
    if (a.Kind != mvFraction || b.Kind != mvFraction) return;
    std::int64_t n, d;
    if (SafeMul64(n, a.Numerator, b.Numerator) && SafeMul64(d, a.Denominator, b.Denominator))
        setReducedFraction(R, n, d);
}

void DivMathValue(const TMathValue& A, const TMathValue& B, bool& ZeroDivide, TMathValue& R) {
    checkBinaryOperands(A, B, "Division Empty MathValue", "DivMathValue");
    ZeroDivide = false;
    // An exact zero divisor counts even when its float carries rounding (1 - 1/41*41 is
    // exactly 0 but its float is not).
    if (IsZeroMathValue(B)) {
        ZeroDivide = true;
        R.Kind = mvEmpty;
        return;
    }
    const long double f = A.FloatValue / B.FloatValue;
    if (A.Kind != mvFraction) {
        setFloat(R, f);
        return;
    }
    TMathValue a, b;
    setFloatKeepingOperands(A, B, f, a, b, R);
    if (isExactZero(a) && f == 0) {
        setExactZero(R);
        return;
    }
    if (b.Kind != mvFraction || b.Numerator == 0) return;
    std::int64_t n, d;
    if (SafeMul64(n, a.Numerator, b.Denominator) && SafeMul64(d, a.Denominator, b.Numerator))
        setReducedFraction(R, n, d);
}

void PowerMathValue(const TMathValue& A, const TMathValue& B, bool& Invalid, TMathValue& R) {
    checkBinaryOperands(A, B, "Power Empty MathValue", "PowerMathValue");
    TMathValue a, b;
    copyMathValue(a, A);
    copyMathValue(b, B);
    Invalid = false;
    R.Numerator = 0;
    R.Denominator = 1;
    R.FloatValue = 0;
    R.Kind = mvEmpty;
    const bool aZero = IsZeroMathValue(a);
    const bool bZero = IsZeroMathValue(b);
    if (aZero && bZero) {
        Invalid = true;
        return;
    }
    if (aZero) {
        // Zero to a negative power is one over zero: no value, like zero to the zero, so
        // the calculator reports it and a curve leaves the point out instead of drawing 0.
        if (b.FloatValue < 0) {
            Invalid = true;
            return;
        }
        R.Kind = (a.Kind == mvFraction && a.Numerator == 0) ? mvFraction : mvFloat;
        return;
    }
    if (bZero) {
        R.Numerator = 1;
        R.FloatValue = 1;
        R.Kind = (b.Kind == mvFraction && b.Numerator == 0) ? mvFraction : mvFloat;
        return;
    }
    const long double x = a.FloatValue;
    const long double y = b.FloatValue;
    if (x > 0) {
        R.FloatValue = std::exp(std::log(x) * y);
    } else if (x < 0 && isIntegral(y)) {
        if (y == 1) {
            R.FloatValue = x;
        } else if (y == -1) {
            R.FloatValue = 1 / x;
        } else {
            long double r = std::exp(std::log(-x) * y);
            R.FloatValue = isIntegral(y / 2) ? r : -r;
        }
    } else if (x < 0) {
        if (!powerExponentInRange(b)) {
            Invalid = true;
            return;
        }
        if (IsEven64(b.Numerator) && IsEven64(b.Denominator))
            QX_FAIL("Error in function PowerMathValue; fraction not reduced, numerator and denominator are "
                    "both even");
        if (IsEven64(b.Denominator)) {
            Invalid = true;
            return;
        }
        // An odd root of a negative number is negative.
        long double r = std::exp(std::log(-x) * y);
        R.FloatValue = IsEven64(b.Numerator) ? r : -r;
    } else {
        R.FloatValue = x + y; // NaN operand: an invalid result for the caller to report
        R.Kind = mvFloat;
        return;
    }
    exactIntegerPower(a, b, R);
}

void ExpMathValue(const TMathValue& A, TMathValue& R) {
    checkUnaryOperand(A);
    if (IsZeroMathValue(A)) {
        const bool exact = A.Kind == mvFraction && A.Numerator == 0;
        setExactInteger(R, 1);
        if (!exact) R.Kind = mvFloat;
        return;
    }
    R.FloatValue = std::exp(A.FloatValue);
    R.Kind = mvFloat;
}

} // namespace notrap

// ---------------------------------------------------------------------------------------
// Arithmetic that raises float faults

void AddMathValue(const TMathValue& A, const TMathValue& B, TMathValue& R) {
    notrap::AddMathValue(A, B, R);
    raiseFloatFault(R);
}

void SubMathValue(const TMathValue& A, const TMathValue& B, TMathValue& R) {
    notrap::SubMathValue(A, B, R);
    raiseFloatFault(R);
}

void MulMathValue(const TMathValue& A, const TMathValue& B, TMathValue& R) {
    notrap::MulMathValue(A, B, R);
    raiseFloatFault(R);
}

void DivMathValue(const TMathValue& A, const TMathValue& B, bool& ZeroDivide, TMathValue& R) {
    notrap::DivMathValue(A, B, ZeroDivide, R);
    raiseFloatFault(R);
}

void PowerMathValue(const TMathValue& A, const TMathValue& B, bool& Invalid, TMathValue& R) {
    notrap::PowerMathValue(A, B, Invalid, R);
    raiseFloatFault(R);
}

void ExpMathValue(const TMathValue& A, TMathValue& R) {
    notrap::ExpMathValue(A, R);
    raiseFloatFault(R);
}

void SquareMathValue(const TMathValue& A, TMathValue& R) {
    MulMathValue(A, A, R);
}

// ---------------------------------------------------------------------------------------
// Integer parts. An exact value decides from its fraction: its float may carry the
// rounding of the operations that made it (1/41*41 is exactly 1 but floats to
// 0.99999999999999999995), and INT of that must still be 1.

void FloatToExactInteger(TMathValue& R) {
    R.Kind = mvFloat;
    if (!FloatFitsInt64(R.FloatValue)) return;
    const std::int64_t n = static_cast<std::int64_t>(R.FloatValue);
    R.Numerator = n;
    if (n != Int64Min && static_cast<long double>(n) == R.FloatValue) {
        R.Denominator = 1;
        R.Kind = mvFraction;
    }
}

void GrIntMathValue(const TMathValue& A, TMathValue& R) {
    checkUnaryOperand(A);
    if (A.Kind == mvFraction) {
        std::int64_t q = A.Numerator / A.Denominator;
        if (A.Numerator % A.Denominator != 0 && A.Numerator < 0) --q;
        setExactInteger(R, q);
        return;
    }
    const long double x = A.FloatValue;
    long double r = std::trunc(x);
    if (!(x >= 0) && r != x) r -= 1;
    R.FloatValue = r;
    FloatToExactInteger(R);
}

void IntMathValue(const TMathValue& A, TMathValue& R) {
    checkUnaryOperand(A);
    if (A.Kind == mvFraction) {
        setExactInteger(R, A.Numerator / A.Denominator);
        return;
    }
    R.FloatValue = std::trunc(A.FloatValue);
    FloatToExactInteger(R);
}

void RoundMathValue(const TMathValue& A, TMathValue& R) {
    checkUnaryOperand(A);
    if (A.Kind == mvFraction) {
        std::int64_t q = A.Numerator / A.Denominator;
        const std::int64_t rest = abs64(A.Numerator % A.Denominator);
        if (rest != 0 && rest >= A.Denominator - rest) q += A.Numerator < 0 ? -1 : 1;
        setExactInteger(R, q);
        return;
    }
    const long double x = A.FloatValue;
    const long double i = std::trunc(x);
    long double r = i;
    if (!(std::fabs(x - i) < 0.5L)) r = x >= 0 ? i + 1 : i - 1;
    R.FloatValue = r;
    FloatToExactInteger(R);
}

void FracMathValue(const TMathValue& A, TMathValue& R) {
    checkUnaryOperand(A);
    if (A.Kind == mvFraction) {
        if (A.Denominator == 1) {
            setExactZero(R);
            return;
        }
        R.FloatValue =
            static_cast<long double>(A.Numerator % A.Denominator) / static_cast<long double>(A.Denominator);
        R.Kind = mvFloat;
        return;
    }
    R.FloatValue = A.FloatValue - std::trunc(A.FloatValue);
    R.Kind = mvFloat;
}

void AbsMathValue(const TMathValue& A, TMathValue& R) {
    checkUnaryOperand(A);
    TMathValue a;
    copyMathValue(a, A);
    copyMathValue(R, a);
    R.FloatValue = std::fabs(a.FloatValue);
    if (a.Kind == mvFraction) {
        if (a.Numerator == Int64Min || a.Denominator == Int64Min) {
            R.Kind = mvFloat;
            return;
        }
        R.Numerator = abs64(a.Numerator);
        R.Denominator = abs64(a.Denominator);
    }
}

void SqrtMathValue(const TMathValue& A, bool& Invalid, TMathValue& R) {
    checkUnaryOperand(A);
    TMathValue a;
    copyMathValue(a, A);
    Invalid = false;
    // An exact value takes its sign from the fraction (an exact 0 may float to -5e-20).
    const bool negative = a.Kind == mvFraction ? a.Numerator < 0 : a.FloatValue < 0;
    if (negative) {
        Invalid = true;
        R.Kind = mvEmpty;
        return;
    }
    long double x = a.FloatValue;
    if (x < 0) x = static_cast<long double>(a.Numerator) / static_cast<long double>(a.Denominator);
    R.FloatValue = std::sqrt(x);
    R.Kind = mvFloat;
    std::int64_t n, d;
    if (a.Kind == mvFraction && a.Numerator >= 0 && a.Denominator > 0 && ExactSqrt64(n, a.Numerator) &&
        ExactSqrt64(d, a.Denominator)) {
        R.Numerator = n;
        R.Denominator = d;
        R.Kind = mvFraction;
    }
}

void FactMathValue(const TMathValue& A, bool& Invalid, bool& TooBig, TMathValue& R) {
    checkUnaryOperand(A);
    TMathValue a;
    copyMathValue(a, A);
    Invalid = false;
    TooBig = false;
    R.Kind = mvEmpty;
    if (a.Kind == mvFraction) {
        const std::int64_t q = a.Numerator / a.Denominator;
        const bool integral = a.Numerator % a.Denominator == 0;
        if (a.Numerator < 0) {
            Invalid = true;
        } else if (q > 20 || (q == 20 && !integral)) {
            TooBig = true;
        } else if (a.Numerator == 0) {
            setExactInteger(R, 1);
        } else if (!integral) {
            Invalid = true;
        } else {
            std::int64_t c = 1;
            for (std::int64_t k = 2; k <= q; ++k)
                c *= k;
            setExactInteger(R, c);
        }
        return;
    }
    const long double x = a.FloatValue;
    if (x < 0) {
        Invalid = true;
        return;
    }
    if (x > 20) {
        TooBig = true;
        return;
    }
    if (IsZeroMathValue(a)) {
        setExactInteger(R, 1);
        return;
    }
    if (!isIntegral(x)) {
        Invalid = true;
        return;
    }
    long double c = x, d = x;
    while (d > 2) {
        d -= 1;
        c *= d;
    }
    R.FloatValue = c;
    R.Kind = mvFloat;
    if (FloatFitsInt64(c)) {
        const std::int64_t n = static_cast<std::int64_t>(c);
        if (n != Int64Min) setExactInteger(R, n);
    }
}

// ---------------------------------------------------------------------------------------
// Number text

bool NormalizeNumberText(std::string& Text, std::int32_t& ErrorPos) {
    ErrorPos = 0;
    if (Text.empty()) return false;
    const char sep = FormatSettings().DecimalSeparator;
    bool seenSeparator = false, seenDigit = false;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c >= '0' && c <= '9') {
            seenDigit = true;
        } else if (c == sep && !seenSeparator) {
            seenSeparator = true;
        } else if ((c == '+' || c == '-') && i == 0) {
            // a sign is allowed only in front
        } else {
            ErrorPos = static_cast<std::int32_t>(i + 1);
            return false;
        }
    }
    if (!seenDigit) return false;
    if (Text[0] == '+') Text.erase(0, 1);
    const std::size_t start = Text[0] == '-' ? 1 : 0;
    while (start + 1 < Text.size() && Text[start] == '0' && Text[start + 1] != sep)
        Text.erase(start, 1);
    if (start < Text.size() && Text[start] == sep) Text.insert(start, 1, '0');
    if (seenSeparator) {
        while (Text.back() == '0')
            Text.pop_back();
        if (Text.back() == sep) Text.pop_back();
    }
    return true;
}

bool StrToMathValue(const std::string& Text, std::int32_t& ErrorPos, TMathValue& V) {
    ClearMathValue(V);
    ErrorPos = 0;
    std::string text = Text;
    if (!NormalizeNumberText(text, ErrorPos)) return false;
    const char sep = FormatSettings().DecimalSeparator;
    long double f = 0;
    if (!TextToLongDouble(text, f, sep)) {
        ClearMathValue(V);
        return false;
    }
    V.FloatValue = f;
    V.Kind = mvFloat;
    const std::size_t p = text.find(sep);
    std::int64_t n = 0;
    if (p != std::string::npos) {
        const std::size_t decimals = text.size() - p - 1;
        if (decimals > 18) return true;
        std::int64_t d = 1;
        for (std::size_t i = 0; i < decimals; ++i)
            d *= 10;
        V.Denominator = d;
        text.erase(p, 1);
        if (!parseInt64(text, n)) {
            V.Numerator = 0;
            V.Denominator = 1;
            return true;
        }
        V.Numerator = n;
        if (n != Int64Min) {
            V.Kind = mvFraction;
            Reduce(V);
        }
    } else {
        if (!parseInt64(text, n)) {
            V.Numerator = 0;
            return true;
        }
        V.Numerator = n;
        if (n != Int64Min) V.Kind = mvFraction;
    }
    return true;
}
