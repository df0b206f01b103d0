#pragma once
// Exact-fraction numbers of the expression engine.
//
// A value stays an exact fraction of two 64-bit integers while every operation on it can
// be done without overflow and falls back to an 80-bit float otherwise. The float is
// always computed first and kept, so every consumer can read FloatValue. Every function
// here is a pure function of its arguments; any thread may call them at once.

#include <bit>
#include <cfloat>
#include <cstdint>
#include <string>

static_assert(LDBL_MANT_DIG == 64, "the engine needs the 80-bit x87 long double");
static_assert(std::endian::native == std::endian::little, "packed values are stored little-endian");

enum TMathValueKind : std::uint8_t { mvEmpty = 0, mvFloat = 1, mvFraction = 2 };

struct TMathValue {
    std::int64_t Numerator = 0;
    std::int64_t Denominator = 1;
    long double FloatValue = 0;
    TMathValueKind Kind = mvEmpty;
};

// Copies field by field. A plain struct copy moves the float with 16-byte vector loads,
// which stall the processor when they follow the 80-bit store that wrote the float;
// values go from step to step of the evaluator this way many times per sample point.
inline void copyMathValue(TMathValue& Dest, const TMathValue& Source) {
    Dest.Numerator = Source.Numerator;
    Dest.Denominator = Source.Denominator;
    Dest.FloatValue = Source.FloatValue;
    Dest.Kind = Source.Kind;
}

#pragma pack(push, 1)
// The 27-byte form inside graph data files: numerator, denominator, the ten bytes of the
// 80-bit float and the kind byte, little-endian, nothing between them.
struct TPackedMathValue {
    std::int64_t Numerator;
    std::int64_t Denominator;
    std::uint8_t FloatValue[10];
    std::uint8_t Kind;
};
#pragma pack(pop)
static_assert(sizeof(TPackedMathValue) == 27);

// Constructors.
void ClearMathValue(TMathValue& V);
void FloatToMathValue(TMathValue& V, long double X);
void IntToMathValue(std::int32_t N, TMathValue& V);

// One-to-one copies; nothing is checked or normalised.
void MathValueToPacked(const TMathValue& Source, TPackedMathValue& Dest);
void PackedToMathValue(const TPackedMathValue& Source, TMathValue& Dest);

bool IsZeroMathValue(const TMathValue& V);

// 64-bit guards: results are formed only when the bit lengths prove they fit.
int BitLength64(std::int64_t V);
bool SafeAdd64(std::int64_t& R, std::int64_t X, std::int64_t Y);
bool SafeSub64(std::int64_t& R, std::int64_t X, std::int64_t Y);
bool SafeMul64(std::int64_t& R, std::int64_t X, std::int64_t Y);
bool SafeIntPower64(std::int64_t& R, std::int64_t Base, std::int64_t Exp);
bool ExactSqrt64(std::int64_t& R, std::int64_t V);
bool FloatFitsInt64(long double X);
bool IsEven64(std::int64_t V);

bool NormalizeSign(TMathValue& V);
bool IsPrime(std::int64_t N);
void Reduce(TMathValue& V);
bool CommonDenominator(TMathValue& A, TMathValue& B);

// Arithmetic. A result record may be one of the operands. A float overflow raises
// EOverflow and an invalid float result EInvalidOp (platform/Errors.h); domain conditions
// come back through the flags, with R empty.
void AddMathValue(const TMathValue& A, const TMathValue& B, TMathValue& R);
void SubMathValue(const TMathValue& A, const TMathValue& B, TMathValue& R);
void MulMathValue(const TMathValue& A, const TMathValue& B, TMathValue& R);
void DivMathValue(const TMathValue& A, const TMathValue& B, bool& ZeroDivide, TMathValue& R);
void PowerMathValue(const TMathValue& A, const TMathValue& B, bool& Invalid, TMathValue& R);

// Unary value functions (EXP, GRINT, INT and TRUNC, SQUARE, ROUND, FRAC, ABS, SQRT, FACT).
void ExpMathValue(const TMathValue& A, TMathValue& R);
void GrIntMathValue(const TMathValue& A, TMathValue& R);
void IntMathValue(const TMathValue& A, TMathValue& R);
void SquareMathValue(const TMathValue& A, TMathValue& R);
void RoundMathValue(const TMathValue& A, TMathValue& R);
void FracMathValue(const TMathValue& A, TMathValue& R);
void AbsMathValue(const TMathValue& A, TMathValue& R);
void SqrtMathValue(const TMathValue& A, bool& Invalid, TMathValue& R);
void FactMathValue(const TMathValue& A, bool& Invalid, bool& TooBig, TMathValue& R);
void FloatToExactInteger(TMathValue& R);

// Plain decimal text in the user's decimal separator (FormatSettings) to a value: exact
// with up to 18 digits after the separator, a float otherwise. ErrorPos is the 1-based
// position of the first offending character, 0 when none can be named.
bool StrToMathValue(const std::string& Text, std::int32_t& ErrorPos, TMathValue& V);
bool NormalizeNumberText(std::string& Text, std::int32_t& ErrorPos);

// The expression evaluator runs these once per step and per sample point, where an
// exception per overflowing point would be far too dear. They give the same results as
// the functions above but leave an overflowed or invalid float in FloatValue (infinite or
// NaN) for the caller to test instead of raising it.
namespace notrap {
void AddMathValue(const TMathValue& A, const TMathValue& B, TMathValue& R);
void SubMathValue(const TMathValue& A, const TMathValue& B, TMathValue& R);
void MulMathValue(const TMathValue& A, const TMathValue& B, TMathValue& R);
void DivMathValue(const TMathValue& A, const TMathValue& B, bool& ZeroDivide, TMathValue& R);
void PowerMathValue(const TMathValue& A, const TMathValue& B, bool& Invalid, TMathValue& R);
void ExpMathValue(const TMathValue& A, TMathValue& R);
} // namespace notrap
