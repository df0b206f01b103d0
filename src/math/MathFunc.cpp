#include "math/MathFunc.h"

#include "platform/Errors.h"
#include "platform/FormatSettings.h"

#include <atomic>
#include <cfloat>
#include <cmath>
#include <new>

namespace {

// Extended constants, rounded to nearest by the compiler from their decimal expansions.
constexpr long double Pi = 3.14159265358979323846264338327950288L;
constexpr long double PiOver2 = 1.57079632679489661923132169163975144L;
constexpr long double TwoPi = 6.28318530717958647692528676655900577L;
constexpr long double PiOver180 = 0.0174532925199432957692369076848861271L;
constexpr long double OneEightyOverPi = 57.2957795130823208767981548141051703L;
constexpr long double PiOver200 = 0.0157079632679489661923132169163975144L;
constexpr long double TwoHundredOverPi = 63.6619772367581343075535053490057448L;
constexpr long double Ln10 = 2.30258509299404568401799145468436421L;
constexpr long double Ln2 = 0.693147180559945309417232121458176568L;
constexpr long double EulerE = 2.71828182845904523536028747135266250L;

// Below this magnitude 1/x overflows or comes close; the inverse hyperbolic functions of
// such x are ln(2/|x|) to full precision.
constexpr long double TinyArgument = 1e-2400L;

std::size_t characterCount(const std::string& text) {
    std::size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string upperAscii(const std::string& text) {
    std::string s = text;
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool isSign(TMathTokenType t) {
    return t == ttPlus || t == ttMinus;
}
bool startsOperand(TMathTokenType t) {
    return t == ttOpenParen || IsFunctionToken(t) || t == ttConstant || t == ttVariable;
}
bool endsOperand(TMathTokenType t) {
    return t == ttCloseParen || t == ttConstant || t == ttVariable;
}

TMathValue exactMinusOne() {
    TMathValue v;
    IntToMathValue(-1, v);
    return v;
}

// Index of the ")" that closes the "(" at Open; the list is known to be balanced.
std::int32_t matchingParen(const TMathTokenArrayStackObj& list, std::int32_t open) {
    std::int32_t depth = 0;
    for (std::int32_t i = open; i < list.Count; ++i) {
        if (list.Items[i].TokenType == ttOpenParen)
            ++depth;
        else if (list.Items[i].TokenType == ttCloseParen && --depth == 0)
            return i;
    }
    QX_FAIL("Unbalanced parentheses in TMathFunction.NegateGroup");
}

TMathErrorCode currentExceptionCode() {
    try {
        throw;
    } catch (const EOverflow&) {
        return meFloatOverflow;
    } catch (const EUnderflow&) {
        return meFloatUnderflow;
    } catch (const EZeroDivide&) {
        return meDivisionByZero;
    } catch (const EInvalidOp&) {
        return meInvalidFloatOp;
    } catch (...) {
        return meUnknownException;
    }
}

// ---------------------------------------------------------------------------------------
// Float-only functions. Each reports a domain violation through its flag.

// Num / Den; a zero Den is a domain violation.
long double domainQuotient(long double num, long double den, bool& domain) {
    if (den == 0) {
        domain = true;
        return 0;
    }
    return num / den;
}

long double arcSinValue(long double x, bool& domain) {
    if (x < -1 || x > 1) {
        domain = true;
        return 0;
    }
    if (x == 1) return PiOver2;
    if (x == -1) return -PiOver2;
    return std::atan(x / std::sqrt((1 - x) * (1 + x)));
}

long double arcCosValue(long double x, bool& domain) {
    if (x < -1 || x > 1) {
        domain = true;
        return 0;
    }
    if (x == 1) return 0;
    if (x == -1) return Pi;
    return std::atan(-x / std::sqrt((1 - x) * (1 + x))) + PiOver2;
}

long double fDegToRad(long double x, bool&) {
    return x * PiOver180;
}
long double fRadToDeg(long double x, bool&) {
    return x * OneEightyOverPi;
}
long double fGradToRad(long double x, bool&) {
    return x * PiOver200;
}
long double fRadToGrad(long double x, bool&) {
    return x * TwoHundredOverPi;
}
long double fCycleToRad(long double x, bool&) {
    return x * TwoPi;
}
long double fRadToCycle(long double x, bool&) {
    return x / TwoPi;
}

// The hyperbolic functions and their inverses use forms that stay accurate wherever the
// function is finite: no exp(x) - exp(-x) cancellation for tiny x, no overflowing x*x
// for large x, limits instead of overflow in the tails.
long double fArcSinh(long double x, bool&) {
    return std::asinh(x);
}

long double fArcCosh(long double x, bool& domain) {
    if (x < 1) {
        domain = true;
        return 0;
    }
    return std::acosh(x);
}

long double fArcTanh(long double x, bool& domain) {
    if (std::fabs(x) >= 1) {
        domain = true;
        return 0;
    }
    return std::atanh(x);
}

long double fArcCsch(long double x, bool& domain) {
    if (x == 0) {
        domain = true;
        return 0;
    }
    if (std::fabs(x) < TinyArgument) return std::copysign(Ln2 - std::log(std::fabs(x)), x);
    return std::asinh(1 / x);
}

long double fArcSech(long double x, bool& domain) {
    if (x <= 0 || x > 1) {
        domain = true;
        return 0;
    }
    if (x < TinyArgument) return Ln2 - std::log(x);
    const long double d = 1 - x;
    return std::log1p((d + std::sqrt(d * (1 + x))) / x);
}

long double fArcCoth(long double x, bool& domain) {
    const long double a = std::fabs(x);
    if (a <= 1) {
        domain = true;
        return 0;
    }
    const long double r = 0.5L * std::log1p(2 / (a - 1));
    return x < 0 ? -r : r;
}

long double fArcSin(long double x, bool& domain) {
    return arcSinValue(x, domain);
}
long double fArcCos(long double x, bool& domain) {
    return arcCosValue(x, domain);
}
long double fArcTan(long double x, bool&) {
    return std::atan(x);
}

long double fArcCsc(long double x, bool& domain) {
    if (x > -1 && x < 1) {
        domain = true;
        return 0;
    }
    return arcSinValue(1 / x, domain);
}

long double fArcSec(long double x, bool& domain) {
    if (x > -1 && x < 1) {
        domain = true;
        return 0;
    }
    return arcCosValue(1 / x, domain);
}

long double fArcCot(long double x, bool&) {
    if (x > 0) return std::atan(1 / x);
    if (x == 0) return PiOver2;
    return std::atan(1 / x) + Pi;
}

long double fSinh(long double x, bool&) {
    return std::sinh(x);
}
long double fCosh(long double x, bool&) {
    return std::cosh(x);
}
long double fTanh(long double x, bool&) {
    return std::tanh(x);
}

long double fCsch(long double x, bool& domain) {
    if (x == 0) {
        domain = true;
        return 0;
    }
    const long double a = std::fabs(x);
    if (a <= 1) return 1 / std::sinh(x);
    const long double e = std::exp(-a);
    return std::copysign(2 * e / ((1 - e) * (1 + e)), x);
}

long double fSech(long double x, bool&) {
    const long double e = std::exp(-std::fabs(x));
    return 2 * e / (1 + e * e);
}

long double fCoth(long double x, bool& domain) {
    if (x == 0) {
        domain = true;
        return 0;
    }
    return 1 / std::tanh(x);
}

long double fSin(long double x, bool&) {
    return SineRoutine(x);
}
long double fCos(long double x, bool&) {
    return CosineRoutine(x);
}

long double fTan(long double x, bool& domain) {
    return domainQuotient(SineRoutine(x), CosineRoutine(x), domain);
}
long double fCsc(long double x, bool& domain) {
    return domainQuotient(1, SineRoutine(x), domain);
}
long double fSec(long double x, bool& domain) {
    return domainQuotient(1, CosineRoutine(x), domain);
}
long double fCot(long double x, bool& domain) {
    return domainQuotient(CosineRoutine(x), SineRoutine(x), domain);
}

long double fLn(long double x, bool& domain) {
    if (x <= 0) {
        domain = true;
        return 0;
    }
    return std::log(x);
}

long double fLog(long double x, bool& domain) {
    return fLn(x, domain) / Ln10;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Program steps. Each works on the owner's value stack at StackTop; a failing step sets
// ErrorCode and the evaluation loop stops.

struct TMathSteps {
    // Finite without a memory operand: x - x is 0 for every finite x and NaN otherwise.
    static bool isFinite(long double x) { return x - x == 0; }

    // An x87 with overflow and invalid-operation traps enabled would have trapped here.
    [[gnu::noinline]] static void floatFault(TMathFunction& f, long double x) {
        f.ErrorCode = std::isnan(x) ? meInvalidFloatOp : meFloatOverflow;
    }

    static void checkFloat(TMathFunction& f, const TMathValue& v) {
        const long double x = v.FloatValue;
        if (!isFinite(x)) [[unlikely]]
            floatFault(f, x);
    }

    [[noreturn, gnu::noinline]] static void stackUnderflow() {
        QX_FAIL("Value stack underflow in TMathFunction");
    }

    // The left operand's slot, which takes the result; the right operand lies above it.
    static TMathValue* binaryOperands(TMathFunction& f) {
        const std::int32_t top = f.StackTop;
        if (top < 1) [[unlikely]]
            stackUnderflow();
        f.StackTop = top - 1;
        return f.EvalStack.data() + (top - 1);
    }

    static TMathValue& topOperand(TMathFunction& f) {
        if (f.StackTop < 0) [[unlikely]]
            stackUnderflow();
        return f.EvalStack[f.StackTop];
    }

    // A constant was written at compile time, so a whole-record vector copy is safe here
    // and cheaper than moving its float through the x87 unit.
    static void pushConstant(TMathFunction& f, const TMathTokenRec& t) {
        f.EvalStack[++f.StackTop] = t.Value;
    }

    static void pushVariable(TMathFunction& f, const TMathTokenRec& t) {
        copyMathValue(f.EvalStack[++f.StackTop], f.VariableValues[t.VarIndex]);
    }

    // A float operand makes the result a float: such pairs take the short road, with the
    // same result the value functions give them but without the call and the checks that
    // only exact pairs and broken values need.
    static bool floatPair(const TMathValue& a, const TMathValue& b) {
        if (a.Kind == mvFloat) return b.Kind == mvFloat || (b.Kind == mvFraction && b.Denominator > 0);
        return b.Kind == mvFloat && a.Kind == mvFraction && a.Denominator > 0;
    }

    static void setFloat(TMathFunction& f, TMathValue& v, long double x) {
        v.FloatValue = x;
        v.Kind = mvFloat;
        if (!isFinite(x)) [[unlikely]]
            floatFault(f, x);
    }

    [[gnu::noinline]] static void addSlow(TMathFunction& f, TMathValue* s) {
        notrap::AddMathValue(s[0], s[1], s[0]);
        checkFloat(f, s[0]);
    }

    [[gnu::noinline]] static void subtractSlow(TMathFunction& f, TMathValue* s) {
        notrap::SubMathValue(s[0], s[1], s[0]);
        checkFloat(f, s[0]);
    }

    [[gnu::noinline]] static void multiplySlow(TMathFunction& f, TMathValue* s) {
        notrap::MulMathValue(s[0], s[1], s[0]);
        checkFloat(f, s[0]);
    }

    [[gnu::noinline]] static void divideSlow(TMathFunction& f, TMathValue* s) {
        bool zeroDivide = false;
        notrap::DivMathValue(s[0], s[1], zeroDivide, s[0]);
        if (zeroDivide)
            f.ErrorCode = meDivisionByZero;
        else
            checkFloat(f, s[0]);
    }

    // + - * / as a bound step: the short road of floatOperation where it applies (the same
    // road the evaluation loop takes), the full value function otherwise.
    template <TMathTokenType Op, void (*Slow)(TMathFunction&, TMathValue*)>
    static void arithmetic(TMathFunction& f, const TMathTokenRec&) {
        TMathValue* s = binaryOperands(f);
        long double r;
        if (floatOperation(Op, s[0], s[1], r)) [[likely]]
            setFloat(f, s[0], r);
        else
            Slow(f, s);
    }

    static void power(TMathFunction& f, const TMathTokenRec&) {
        TMathValue* s = binaryOperands(f);
        bool invalid = false;
        notrap::PowerMathValue(s[0], s[1], invalid, s[0]);
        if (invalid)
            f.ErrorCode = meInvalidExponential;
        else
            checkFloat(f, s[0]);
    }

    template <long double (*F)(long double, bool&)>
    static void floatFunction(TMathFunction& f, const TMathTokenRec&) {
        TMathValue& v = topOperand(f);
        bool domain = false;
        const long double r = F(v.FloatValue, domain);
        if (domain) [[unlikely]] {
            v.Kind = mvFloat;
            f.ErrorCode = meInvalidDomain;
            return;
        }
        setFloat(f, v, r);
    }

    template <void (*F)(const TMathValue&, TMathValue&)>
    static void exactFunction(TMathFunction& f, const TMathTokenRec&) {
        TMathValue& v = topOperand(f);
        F(v, v);
        checkFloat(f, v);
    }

    [[gnu::noinline]] static void exponentialSlow(TMathFunction& f, TMathValue& v) {
        notrap::ExpMathValue(v, v);
        checkFloat(f, v);
    }

    static void exponential(TMathFunction& f, const TMathTokenRec&) {
        TMathValue& v = topOperand(f);
        if (v.Kind == mvFloat && v.FloatValue != 0) [[likely]]
            setFloat(f, v, std::exp(v.FloatValue));
        else
            exponentialSlow(f, v);
    }

    static void square(TMathFunction& f, const TMathTokenRec&) {
        TMathValue& v = topOperand(f);
        if (v.Kind == mvFloat) [[likely]] {
            setFloat(f, v, v.FloatValue * v.FloatValue);
            return;
        }
        notrap::MulMathValue(v, v, v);
        checkFloat(f, v);
    }

    static void squareRoot(TMathFunction& f, const TMathTokenRec&) {
        TMathValue& v = topOperand(f);
        if (v.Kind == mvFloat && v.FloatValue >= 0) [[likely]] {
            setFloat(f, v, std::sqrt(v.FloatValue));
            return;
        }
        bool invalid = false;
        SqrtMathValue(v, invalid, v);
        if (invalid)
            f.ErrorCode = meInvalidDomain;
        else
            checkFloat(f, v);
    }

    static void factorial(TMathFunction& f, const TMathTokenRec&) {
        TMathValue& v = topOperand(f);
        bool invalid = false, tooBig = false;
        FactMathValue(v, invalid, tooBig, v);
        if (tooBig)
            f.ErrorCode = meFactorialTooBig;
        else if (invalid)
            f.ErrorCode = meInvalidDomain;
        else
            checkFloat(f, v);
    }

    // The float result of A op B when a float operand makes the result a float; false when
    // the pair needs the full value function. An exact zero factor stays an exact zero, and
    // only a float dividend over a non-zero, well-formed divisor gives a float quotient.
    static bool floatOperation(TMathTokenType op, const TMathValue& a, const TMathValue& b, long double& r) {
        switch (op) {
        case ttPlus:
            if (!floatPair(a, b)) return false;
            r = a.FloatValue + b.FloatValue;
            return true;
        case ttMinus:
            if (!floatPair(a, b)) return false;
            r = a.FloatValue - b.FloatValue;
            return true;
        case ttMultiply:
            if (!floatPair(a, b) || (a.Kind != mvFloat && a.Numerator == 0) ||
                (b.Kind != mvFloat && b.Numerator == 0))
                return false;
            r = a.FloatValue * b.FloatValue;
            return true;
        case ttDivide:
            if (a.Kind != mvFloat || b.FloatValue == 0 ||
                !(b.Kind == mvFloat || (b.Kind == mvFraction && b.Numerator != 0 && b.Denominator > 0)))
                return false;
            r = a.FloatValue / b.FloatValue;
            return true;
        default:
            return false;
        }
    }

    // The evaluation loop. Every step runs through its bound operation except the two kinds
    // that make up most of every program, which run here without a call: pushes, and
    // + - * / on float results. A push that feeds such an operation directly is not copied
    // onto the stack at all. The results are those of the bound steps, bit for bit.
    // Returns the index of the step the run stopped at.
    static std::int32_t run(TMathFunction& f, const TMathTokenRec* steps, std::int32_t count) {
        TMathValue* const stack = f.EvalStack.data();
        const TMathValue* const variables = f.VariableValues.data();
        std::int32_t top = f.StackTop;
        std::int32_t i = 0;
        long double r;
        while (i < count) {
            const TMathTokenRec& t = steps[i];
            const TMathTokenType type = t.TokenType;
            if (type == ttConstant || type == ttVariable) {
                const TMathValue& operand = type == ttConstant ? t.Value : variables[t.VarIndex];
                if (top >= 0 && i + 1 < count &&
                    floatOperation(steps[i + 1].TokenType, stack[top], operand, r)) {
                    ++i; // the operation's step
                } else {
                    if (type == ttConstant)
                        stack[++top] = t.Value; // written at compile time: see pushConstant
                    else
                        copyMathValue(stack[++top], operand);
                    ++i;
                    continue;
                }
            } else if (top >= 1 && floatOperation(type, stack[top - 1], stack[top], r)) {
                --top;
            } else {
                f.StackTop = top;
                t.Operation.Code(*t.Operation.Data, t);
                if (f.ErrorCode != meNoError) return i;
                top = f.StackTop;
                ++i;
                continue;
            }
            stack[top].FloatValue = r;
            stack[top].Kind = mvFloat;
            if (!isFinite(r)) [[unlikely]] {
                f.StackTop = top;
                floatFault(f, r);
                return i;
            }
            ++i;
        }
        f.StackTop = top;
        return count;
    }

    // One step on operands already on the stack, outside a program, as constant folding
    // runs it: R is its result, or 0 with ErrorCode set when the step raised.
    static void runAlone(TMathFunction& f, const TMathTokenRec& t, TMathValue& R) {
        try {
            codeOf(t.TokenType)(f, t);
            copyMathValue(R, f.EvalStack[0]);
        } catch (...) {
            f.ErrorCode = currentExceptionCode();
            FloatToMathValue(R, 0);
        }
    }

    // After a run without error the one value left on the stack is the result; anything
    // else means the program was broken.
    static void takeResult(TMathFunction& f) {
        if (f.ErrorCode != meNoError) return;
        if (f.StackTop == 0)
            copyMathValue(f.ResultValue, f.EvalStack[0]);
        else
            f.ErrorCode = meUnknownException;
    }

    static void noStep(TMathFunction&, const TMathTokenRec&) {
        QX_FAIL("Token without a step in TMathFunction");
    }

    static TMathStepCode codeOf(TMathTokenType t) {
        switch (t) {
        case ttConstant:
            return pushConstant;
        case ttVariable:
            return pushVariable;
        case ttPlus:
            return arithmetic<ttPlus, addSlow>;
        case ttMinus:
            return arithmetic<ttMinus, subtractSlow>;
        case ttMultiply:
            return arithmetic<ttMultiply, multiplySlow>;
        case ttDivide:
            return arithmetic<ttDivide, divideSlow>;
        case ttPower:
            return power;
        case ttDegToRad:
            return floatFunction<fDegToRad>;
        case ttRadToDeg:
            return floatFunction<fRadToDeg>;
        case ttGradToRad:
            return floatFunction<fGradToRad>;
        case ttRadToGrad:
            return floatFunction<fRadToGrad>;
        case ttCycleToRad:
            return floatFunction<fCycleToRad>;
        case ttRadToCycle:
            return floatFunction<fRadToCycle>;
        case ttArcSinh:
            return floatFunction<fArcSinh>;
        case ttArcCosh:
            return floatFunction<fArcCosh>;
        case ttArcTanh:
            return floatFunction<fArcTanh>;
        case ttArcCsch:
            return floatFunction<fArcCsch>;
        case ttArcSech:
            return floatFunction<fArcSech>;
        case ttArcCoth:
            return floatFunction<fArcCoth>;
        case ttArcSin:
            return floatFunction<fArcSin>;
        case ttArcCos:
            return floatFunction<fArcCos>;
        case ttArcTan:
            return floatFunction<fArcTan>;
        case ttArcCsc:
            return floatFunction<fArcCsc>;
        case ttArcSec:
            return floatFunction<fArcSec>;
        case ttArcCot:
            return floatFunction<fArcCot>;
        case ttSinh:
            return floatFunction<fSinh>;
        case ttCosh:
            return floatFunction<fCosh>;
        case ttTanh:
            return floatFunction<fTanh>;
        case ttCsch:
            return floatFunction<fCsch>;
        case ttSech:
            return floatFunction<fSech>;
        case ttCoth:
            return floatFunction<fCoth>;
        case ttSin:
            return floatFunction<fSin>;
        case ttCos:
            return floatFunction<fCos>;
        case ttTan:
            return floatFunction<fTan>;
        case ttCsc:
            return floatFunction<fCsc>;
        case ttSec:
            return floatFunction<fSec>;
        case ttCot:
            return floatFunction<fCot>;
        case ttExp:
            return exponential;
        case ttGrInt:
            return exactFunction<GrIntMathValue>;
        case ttInt:
            return exactFunction<IntMathValue>;
        case ttSqrt:
            return squareRoot;
        case ttSquare:
            return square;
        case ttTrunc:
            return exactFunction<IntMathValue>;
        case ttRound:
            return exactFunction<RoundMathValue>;
        case ttFrac:
            return exactFunction<FracMathValue>;
        case ttAbs:
            return exactFunction<AbsMathValue>;
        case ttLn:
            return floatFunction<fLn>;
        case ttLog:
            return floatFunction<fLog>;
        case ttFact:
            return factorial;
        default:
            return noStep;
        }
    }
};

// ---------------------------------------------------------------------------------------
// Free functions

int OperatorPrecedence(TMathTokenType TokenType) {
    if (TokenType == ttOpenParen || TokenType == ttCloseParen) return 5;
    if (IsFunctionToken(TokenType)) return 4;
    if (TokenType == ttPower) return 3;
    if (TokenType == ttMultiply || TokenType == ttDivide) return 2;
    if (TokenType == ttPlus || TokenType == ttMinus) return 1;
    return 0;
}

std::string MathErrorText(std::uint8_t Code, std::int32_t Position) {
    static const char* const texts[] = {"No Error",
                                        "Empty Expression",
                                        "Expressions May Not Be Longer Than 1000 Characters",
                                        "Illegal Char",
                                        "Expression Syntax Error",
                                        "Invalid Numeric Floating Point Number",
                                        "Invalid Parentheses Grouping",
                                        "Function Not Followed by Open Parentheses Character",
                                        "Unknown Symbol",
                                        "Out of Memory",
                                        "Unknown Exception",
                                        "Division by Zero",
                                        "Invalid Function Domain",
                                        "Invalid Exponential",
                                        "Factorial to Big",
                                        "Floating Point Over Flow",
                                        "Floating Point Under Flow",
                                        "Invalid Floating Point Operation"};
    std::string text = Code < std::size(texts) ? texts[Code] : "Undetermined Error";
    if (Position > 0) text += " at Character " + std::to_string(Position);
    return text;
}

bool IsValidVariableName(const std::string& Name) {
    if (Name.empty() || characterCount(Name) > MaxExpressionLength) return false;
    const std::string upper = upperAscii(Name);
    for (char c : upper)
        if (c < 'A' || c > 'Z') return false;
    for (std::string_view word : MathSymbolNames)
        if (upper == word) return false;
    return true;
}

// ---------------------------------------------------------------------------------------
// TMathFunction: set-up

TMathFunction::TMathFunction() = default;
TMathFunction::~TMathFunction() = default;

void TMathFunction::resetProgram() {
    State = msNotCompiled;
    ErrorCode = meNoError;
    Program.clear();
    EvalStack.clear();
}

void TMathFunction::SetExpression(const std::string& Text) {
    Expression = Text;
    resetProgram();
}

void TMathFunction::SetVariableCount(std::int32_t Count) {
    if (Count == VariableCount) return;
    resetProgram();
    if (Count <= 0) {
        VariableNames.clear();
        VariableValues.clear();
        VariableCount = 0;
        return;
    }
    VariableNames.resize(static_cast<std::size_t>(Count));
    VariableValues.resize(static_cast<std::size_t>(Count));
    VariableCount = Count;
}

void TMathFunction::variableIndexFault(const char* Operation) {
    QX_FAIL(std::string("Variable index out of range in TMathFunction.") + Operation);
}

std::string TMathFunction::GetVariableName(std::int32_t Index) const {
    QX_ASSERT(Index >= 0 && Index < VariableCount,
              "Variable index out of range in TMathFunction.GetVariableName");
    return VariableNames[Index];
}

void TMathFunction::SetVariableName(std::int32_t Index, const std::string& Name) {
    QX_ASSERT(Index >= 0 && Index < VariableCount,
              "Variable index out of range in TMathFunction.SetVariableName");
    VariableNames[Index] = Name;
    resetProgram();
}

void TMathFunction::SetVariableValue(std::int32_t Index, const TMathValue& Value) {
    QX_ASSERT(Index >= 0 && Index < VariableCount,
              "Variable index out of range in TMathFunction.SetVariableValue");
    copyMathValue(VariableValues[Index], Value);
}

void TMathFunction::Assign(const TMathFunction& Source) {
    if (&Source == this) return;
    Expression = Source.Expression;
    VariableCount = Source.VariableCount;
    VariableNames = Source.VariableNames;
    VariableValues = Source.VariableValues;
    Program = Source.Program;
    State = Source.State;
    ResultValue = Source.ResultValue;
    HasVariables = Source.HasVariables;
    ErrorCode = Source.ErrorCode;
    ErrorPos = Source.ErrorPos;
    EvalStack.assign(Source.EvalStack.size(), TMathValue{});
    StackTop = -1;
    StepIndex = 0;
    BindOperations(Program);
}

TMathOperation TMathFunction::GetOperation(TMathTokenType TokenType) {
    return {TMathSteps::codeOf(TokenType), this};
}

void TMathFunction::BindOperations(TMathTokenArrayStackObj& List) {
    for (std::int32_t i = 0; i < List.Count; ++i)
        List.Items[i].Operation = GetOperation(List.Items[i].TokenType);
}

void TMathFunction::BindOperations(TMathTokenArray& List) {
    for (TMathTokenRec& rec : List)
        rec.Operation = GetOperation(rec.TokenType);
}

void TMathFunction::setFault(TMathErrorCode Code, std::int32_t Position) {
    ErrorCode = Code;
    ErrorPos = Position;
}

// ---------------------------------------------------------------------------------------
// Compiling

bool TMathFunction::CompileMathFunc() {
    HasVariables = false;
    ErrorPos = 0;
    ErrorCode = meNoError;
    EvalStack.clear();
    Program.clear();
    ClearMathValue(ResultValue);
    try {
        TMathTokenArrayStackObj input, output;
        Tokenize(input);
        if (ErrorCode == meNoError) {
            InfixToPostfix(input, output);
            BindOperations(output);
            EvalStack.resize(static_cast<std::size_t>(output.Count));
            if (HasVariables) {
                SimplifyPostFix(output);
                if (ErrorCode == meNoError) output.CopyToArray(Program);
            } else {
                EvalConstantPostFix(output);
                Program.clear();
            }
            if (EvalStack.size() != Program.size()) EvalStack.resize(Program.size());
        }
    } catch (const std::bad_alloc&) {
        ErrorCode = meOutOfMemory;
    } catch (...) {
        ErrorCode = meUnknownException;
    }
    if (ErrorCode != meNoError) {
        State = msError;
        Program.clear();
        EvalStack.clear();
        return false;
    }
    State = msCompiled;
    return true;
}

void TMathFunction::Tokenize(TMathTokenArrayStackObj& Input) {
    if (characterCount(Expression) > MaxExpressionLength) {
        setFault(meExpressionTooLong, 0);
        return;
    }
    Input.SetInitialCapacity(static_cast<std::int32_t>(Expression.size()) + 8);
    std::string text;
    std::vector<std::int32_t> positions;
    CleanExpression(text, positions);
    CheckCharacters(text, positions);
    if (ErrorCode != meNoError) return;
    ScanTokens(text, positions, Input);
    if (ErrorCode != meNoError) return;
    CheckParentheses(Input);
    if (ErrorCode != meNoError) return;
    FoldSigns(Input);
    InsertImplicitProducts(Input);
    ExpandUnarySigns(Input);
    if (ErrorCode != meNoError) return;
    CheckSyntax(Input);
}

// Drops the blanks, turns [ ] { } into ( ) and upper-cases letters. Positions[i] is the
// 1-based character position in Expression of Text[i], so every reported position counts
// the blanks the user typed.
void TMathFunction::CleanExpression(std::string& Text, std::vector<std::int32_t>& Positions) const {
    Text.clear();
    Positions.clear();
    Text.reserve(Expression.size());
    Positions.reserve(Expression.size());
    std::int32_t character = 0;
    for (char c : Expression) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++character;
        if (c == ' ') continue;
        if (c == '[' || c == '{')
            c = '(';
        else if (c == ']' || c == '}')
            c = ')';
        else if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        Text += c;
        Positions.push_back(character);
    }
}

void TMathFunction::CheckCharacters(const std::string& Text, const std::vector<std::int32_t>& Positions) {
    if (Text.empty()) {
        setFault(meEmptyExpression, 0);
        return;
    }
    const char sep = FormatSettings().DecimalSeparator;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        const bool allowed = c == '(' || c == ')' || c == '*' || c == '+' || c == '-' || c == '/' ||
                             (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '[' || c == ']' ||
                             c == '^' || c == '{' || c == '}' || c == sep;
        if (!allowed) {
            setFault(meIllegalChar, Positions[i]);
            return;
        }
    }
}

void TMathFunction::ScanTokens(const std::string& Text, const std::vector<std::int32_t>& Positions,
                               TMathTokenArrayStackObj& Input) {
    std::vector<std::string> upperNames;
    upperNames.reserve(VariableNames.size());
    for (const std::string& name : VariableNames)
        upperNames.push_back(upperAscii(name));
    const char sep = FormatSettings().DecimalSeparator;
    std::size_t p = 0;
    while (p < Text.size() && ErrorCode == meNoError) {
        const char c = Text[p];
        if ((c >= '0' && c <= '9') || c == sep)
            ScanNumber(Text, Positions, p, Input);
        else if (!ScanReservedWord(Text, Positions, p, Input))
            ScanVariable(Text, Positions, upperNames, p, Input);
    }
}

void TMathFunction::ScanNumber(const std::string& Text, const std::vector<std::int32_t>& Positions,
                               std::size_t& P, TMathTokenArrayStackObj& Input) {
    const char sep = FormatSettings().DecimalSeparator;
    std::size_t end = P;
    bool digit = false;
    while (end < Text.size() && ((Text[end] >= '0' && Text[end] <= '9') || Text[end] == sep)) {
        if (Text[end] != sep) digit = true;
        ++end;
    }
    TMathValue value;
    std::int32_t reported = 0;
    bool ok = false;
    if (digit) {
        try {
            ok = StrToMathValue(Text.substr(P, end - P), reported, value);
        } catch (...) {
            ok = false;
            reported = 0;
        }
    }
    if (!ok) {
        const std::size_t at = reported > 0 ? P + static_cast<std::size_t>(reported) - 1 : P;
        setFault(meInvalidNumber, Positions[at]);
        return;
    }
    Input.PushFields(nullptr, nullptr, ttConstant, 0, Positions[P], value);
    P = end;
}

bool TMathFunction::ScanReservedWord(const std::string& Text, const std::vector<std::int32_t>& Positions,
                                     std::size_t& P, TMathTokenArrayStackObj& Input) {
    for (std::size_t i = 0; i < MathSymbolNames.size(); ++i) {
        const std::string_view word = MathSymbolNames[i];
        if (Text.compare(P, word.size(), word) != 0) continue;
        TMathValue value;
        TMathTokenType type;
        if (word == "PI") {
            FloatToMathValue(value, Pi);
            type = ttConstant;
        } else if (word == "E") {
            FloatToMathValue(value, EulerE);
            type = ttConstant;
        } else {
            type = static_cast<TMathTokenType>(i + 1);
        }
        Input.PushFields(nullptr, nullptr, type, 0, Positions[P], value);
        P += word.size();
        return true;
    }
    return false;
}

void TMathFunction::ScanVariable(const std::string& Text, const std::vector<std::int32_t>& Positions,
                                 const std::vector<std::string>& UpperNames, std::size_t& P,
                                 TMathTokenArrayStackObj& Input) {
    for (std::size_t i = 0; i < UpperNames.size(); ++i) {
        const std::string& name = UpperNames[i];
        if (name.empty() || Text.compare(P, name.size(), name) != 0) continue;
        Input.PushFields(nullptr, nullptr, ttVariable, static_cast<std::int32_t>(i), Positions[P],
                         TMathValue{});
        HasVariables = true;
        P += name.size();
        return;
    }
    setFault(meUnknownSymbol, Positions[P]);
}

void TMathFunction::CheckParentheses(const TMathTokenArrayStackObj& Input) {
    std::int32_t depth = 0;
    for (std::int32_t i = 0; i < Input.Count; ++i) {
        const TMathTokenRec& t = Input.Items[i];
        if (t.TokenType == ttOpenParen)
            ++depth;
        else if (t.TokenType == ttCloseParen && --depth < 0) {
            setFault(meInvalidParentheses, t.CharPos);
            return;
        }
    }
    if (depth != 0) setFault(meInvalidParentheses, 0);
}

// "--" and "++" become "+", "+-" and "-+" become "-". A merge never makes an earlier
// pair foldable, so the scan goes on where it merged.
void TMathFunction::FoldSigns(TMathTokenArrayStackObj& Input) {
    std::int32_t i = 0;
    while (i + 1 < Input.Count) {
        TMathTokenRec& a = Input.Items[i];
        const TMathTokenRec& b = Input.Items[i + 1];
        if (isSign(a.TokenType) && isSign(b.TokenType)) {
            a.TokenType = a.TokenType == b.TokenType ? ttPlus : ttMinus;
            Input.Delete(i + 1, 1);
        } else {
            ++i;
        }
    }
}

// 2X, 2(X+1), (X)(Y), 2SIN(X), 2PI and X Y are products.
void TMathFunction::InsertImplicitProducts(TMathTokenArrayStackObj& Input) {
    std::int32_t i = 0;
    while (i + 1 < Input.Count) {
        if (endsOperand(Input.Items[i].TokenType) && startsOperand(Input.Items[i + 1].TokenType)) {
            const std::int32_t pos = Input.Items[i + 1].CharPos;
            Input.InsertFields(i + 1, nullptr, nullptr, ttMultiply, 0, pos, TMathValue{});
            i += 2;
        } else {
            ++i;
        }
    }
}

// A sign that starts an operand: "+" goes, "-" becomes a product with the exact -1. The
// rewrites only touch tokens from the sign on, so the search goes on from there.
void TMathFunction::ExpandUnarySigns(TMathTokenArrayStackObj& Input) {
    std::int32_t i = 0;
    while (i < Input.Count && ErrorCode == meNoError) {
        const TMathTokenType t = Input.Items[i].TokenType;
        const TMathTokenType before = i > 0 ? Input.Items[i - 1].TokenType : ttNone;
        const bool unaryPlace = i == 0 || before == ttOpenParen || IsOperatorToken(before);
        if (!isSign(t) || !unaryPlace || i + 1 >= Input.Count ||
            !startsOperand(Input.Items[i + 1].TokenType)) {
            ++i;
            continue;
        }
        if (t == ttPlus) {
            Input.Delete(i, 1);
        } else if (i == 0 || before == ttOpenParen || isSign(before)) {
            NegateOperand(Input, i);
            i += 2;
        } else {
            NegateGroup(Input, i);
            i += 3;
        }
    }
}

// -X^2 is -1 * X^2: the negation binds below the power.
void TMathFunction::NegateOperand(TMathTokenArrayStackObj& Input, std::int32_t Index) {
    TMathTokenRec& sign = Input.Items[Index];
    const std::int32_t pos = sign.CharPos;
    sign.TokenType = ttConstant;
    sign.Value = exactMinusOne();
    Input.InsertFields(Index + 1, nullptr, nullptr, ttMultiply, 0, pos, TMathValue{});
}

// After *, / and ^ the sign negates just the next operand: 2*-3^2 is 2*(-1*3)^2.
void TMathFunction::NegateGroup(TMathTokenArrayStackObj& Input, std::int32_t Index) {
    const std::int32_t pos = Input.Items[Index].CharPos;
    Input.Items[Index].TokenType = ttOpenParen;
    Input.Items[Index].Value = TMathValue{};
    Input.InsertFields(Index + 1, nullptr, nullptr, ttConstant, 0, pos, exactMinusOne());
    Input.InsertFields(Index + 2, nullptr, nullptr, ttMultiply, 0, pos, TMathValue{});
    const std::int32_t start = Index + 3;
    const TMathTokenType t = Input.Items[start].TokenType;
    std::int32_t end = start;
    if (t == ttOpenParen) {
        end = matchingParen(Input, start);
    } else if (IsFunctionToken(t)) {
        if (start + 1 >= Input.Count || Input.Items[start + 1].TokenType != ttOpenParen) {
            setFault(meFunctionNoParen, Input.Items[start].CharPos);
            return;
        }
        end = matchingParen(Input, start + 1);
    }
    Input.InsertFields(end + 1, nullptr, nullptr, ttCloseParen, 0, 0, TMathValue{});
}

void TMathFunction::CheckSyntax(const TMathTokenArrayStackObj& Input) {
    if (Input.Count == 0) return;
    const TMathTokenRec& first = Input.Items[0];
    const TMathTokenRec& last = Input.Items[Input.Count - 1];
    if (IsOperatorToken(first.TokenType)) {
        setFault(meSyntaxError, first.CharPos);
        return;
    }
    if (IsOperatorToken(last.TokenType)) {
        setFault(meSyntaxError, last.CharPos);
        return;
    }
    if (IsFunctionToken(last.TokenType)) {
        setFault(meFunctionNoParen, last.CharPos);
        return;
    }
    for (std::int32_t i = 0; i + 1 < Input.Count; ++i) {
        const TMathTokenRec& a = Input.Items[i];
        const TMathTokenRec& b = Input.Items[i + 1];
        if ((IsOperatorToken(a.TokenType) || a.TokenType == ttOpenParen) &&
            (IsOperatorToken(b.TokenType) || b.TokenType == ttCloseParen)) {
            setFault(meSyntaxError, b.CharPos);
            return;
        }
        if (IsFunctionToken(a.TokenType) && b.TokenType != ttOpenParen) {
            setFault(meFunctionNoParen, a.CharPos);
            return;
        }
    }
}

// Shunting-yard; every binary operator, "^" included, is left-associative: 2^3^2 is 64.
void TMathFunction::InfixToPostfix(const TMathTokenArrayStackObj& Input, TMathTokenArrayStackObj& Output) {
    TMathTokenArrayStackObj stack;
    TMathTokenRec top;
    for (std::int32_t i = 0; i < Input.Count; ++i) {
        const TMathTokenRec& t = Input.Items[i];
        const TMathTokenType type = t.TokenType;
        if (type == ttConstant || type == ttVariable) {
            Output.PushTokenRec(t);
        } else if (IsFunctionToken(type) || type == ttOpenParen) {
            stack.PushTokenRec(t);
        } else if (type == ttCloseParen) {
            while (stack.Count > 0) {
                stack.PopTokenRec(top);
                if (top.TokenType == ttOpenParen) break;
                Output.PushTokenRec(top);
            }
        } else if (IsOperatorToken(type)) {
            const int precedence = OperatorPrecedence(type);
            while (stack.Count > 0) {
                const TMathTokenRec& s = stack.Items[stack.TopIndex()];
                if (s.TokenType == ttOpenParen || OperatorPrecedence(s.TokenType) < precedence) break;
                stack.PopTokenRec(top);
                Output.PushTokenRec(top);
            }
            stack.PushTokenRec(t);
        }
    }
    while (stack.Count > 0) {
        stack.PopTokenRec(top);
        Output.PushTokenRec(top);
    }
}

// Folds constant sub-expressions of expressions with variables. A fold leaves its constant
// where its operands began, so only the tokens after it can fold next: one left-to-right
// pass that re-examines the token after each new constant finds them all, and the first
// failing fold in reading order names the error position.
void TMathFunction::SimplifyPostFix(TMathTokenArrayStackObj& Output) {
    bool changed = true;
    while (changed && ErrorCode == meNoError) {
        changed = false;
        for (std::int32_t i = 0; i < Output.Count; ++i) {
            const TMathTokenRec t = Output.Items[i];
            TMathValue r;
            std::int32_t first;
            if (IsFunctionToken(t.TokenType) && i >= 1 && Output.Items[i - 1].TokenType == ttConstant) {
                ComputeAFunc(Output.Items[i - 1].Value, t, r);
                first = i - 1;
            } else if (IsOperatorToken(t.TokenType) && i >= 2 &&
                       Output.Items[i - 1].TokenType == ttConstant &&
                       Output.Items[i - 2].TokenType == ttConstant) {
                ComputeAOperator(Output.Items[i - 2].Value, Output.Items[i - 1].Value, t, r);
                first = i - 2;
            } else {
                continue;
            }
            if (ErrorCode != meNoError) {
                ErrorPos = t.CharPos;
                return;
            }
            TMathTokenRec& folded = Output.Items[first];
            folded.TokenType = ttConstant;
            folded.Operation = GetOperation(ttConstant);
            folded.VarIndex = 0;
            folded.CharPos = 0;
            folded.Value = r;
            Output.Delete(first + 1, i - first);
            i = first;
            changed = true;
        }
    }
}

void TMathFunction::EvalConstantPostFix(const TMathTokenArrayStackObj& Output) {
    StackTop = -1;
    ErrorCode = meNoError;
    try {
        for (StepIndex = 0; StepIndex < Output.Count; ++StepIndex) {
            const TMathTokenRec& t = Output.Items[StepIndex];
            if (t.TokenType == ttVariable) {
                ErrorCode = meUnknownException;
                break;
            }
            t.Operation.Code(*this, t);
            if (ErrorCode != meNoError) break;
        }
    } catch (...) {
        ErrorCode = currentExceptionCode();
    }
    TMathSteps::takeResult(*this);
    if (ErrorCode != meNoError) ClearMathValue(ResultValue);
}

void TMathFunction::ComputeAOperator(const TMathValue& A, const TMathValue& B, const TMathTokenRec& Operator,
                                     TMathValue& R) {
    QX_ASSERT(EvalStack.size() >= 2, "Incorrect array size TMathFunction.ComputeAOperator");
    ErrorCode = meNoError;
    EvalStack[0] = A;
    EvalStack[1] = B;
    StackTop = 1;
    TMathSteps::runAlone(*this, Operator, R);
}

void TMathFunction::ComputeAFunc(const TMathValue& A, const TMathTokenRec& Func, TMathValue& R) {
    QX_ASSERT(EvalStack.size() >= 1, "Incorrect array size TMathFunction.ComputeAFunc");
    ErrorCode = meNoError;
    EvalStack[0] = A;
    StackTop = 0;
    TMathSteps::runAlone(*this, Func, R);
}

// ---------------------------------------------------------------------------------------
// Evaluating

bool TMathFunction::EvaluateMathFunc() {
    if (State != msCompiled) {
        // Whatever position a failed compile left would otherwise be appended to a
        // message that has nothing to do with it.
        ErrorCode = meUnknownException;
        ErrorPos = 0;
        ClearMathValue(ResultValue);
        return false;
    }
    QX_ASSERT(EvalStack.size() >= Program.size(), "Incorrect array size TMathFunction.EvaluateMathFunc");
    ErrorCode = meNoError;
    if (HasVariables) {
        StackTop = -1;
        const TMathTokenRec* steps = Program.data();
        const std::int32_t count = static_cast<std::int32_t>(Program.size());
        try {
            StepIndex = TMathSteps::run(*this, steps, count);
        } catch (...) {
            ErrorCode = currentExceptionCode();
        }
        TMathSteps::takeResult(*this);
    }
    if (ErrorCode != meNoError) {
        ClearMathValue(ResultValue);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Trigonometric zero fix-up

namespace {

// An 80-bit extended from its sign-and-exponent word and 64-bit significand; every
// threshold below is given by its exact bit pattern.
constexpr long double extendedFromBits(std::uint16_t signExp, std::uint64_t significand) {
    long double v = static_cast<long double>(significand);
    int e = (signExp & 0x7FFF) - 16383 - 63;
    for (; e > 0; --e)
        v *= 2;
    for (; e < 0; ++e)
        v /= 2;
    return (signExp & 0x8000) ? -v : v;
}

struct TFixupLevel {
    long double SineTolerance, SineBound, CosineTolerance, CosineBound;
};

constexpr TFixupLevel FixupLevels[6] = {
    {0, 0, 0, 0},
    {extendedFromBits(0x3FCA, 0xB900000000000040), extendedFromBits(0x400A, 0xC4597B8254A04DA8),
     extendedFromBits(0x3FC9, 0xB770000000000009), extendedFromBits(0x4009, 0xC48BBF78FD28A7D8)},
    {extendedFromBits(0x3FCD, 0xC7A6000000000062), extendedFromBits(0x400D, 0xF56FDA62E9C86112),
     extendedFromBits(0x3FCC, 0xC7A600000000000F), extendedFromBits(0x400C, 0xF57622E1BED96C58)},
    {extendedFromBits(0x3FD1, 0xAE8080000000002D), extendedFromBits(0x4011, 0x9965E87DD21D3CAB),
     extendedFromBits(0x3FD0, 0xAE7D600000000006), extendedFromBits(0x4010, 0x99664D05BF6E4D5F)},
    {extendedFromBits(0x3FD4, 0xBC54FC000000001F), extendedFromBits(0x4014, 0xBFBF629D46A48BD6),
     extendedFromBits(0x3FD3, 0xBC54FC0000000010), extendedFromBits(0x4013, 0xBFBF6F2E444EADEC)},
    {extendedFromBits(0x3FD7, 0xCC3FDE000000000B), extendedFromBits(0x4017, 0xEFAF3B44984DAECB),
     extendedFromBits(0x3FD6, 0xCC1BEF8000000003), extendedFromBits(0x4016, 0xEFAF3CD6B802F30E)},
};

constexpr long double StrictPi = extendedFromBits(0x4000, 0xC90FDAA22168C235);
constexpr long double StrictTwoOverPi = extendedFromBits(0x3FFE, 0xA2F9836E4E44152A);
constexpr long double StrictPiOver2 = extendedFromBits(0x3FFF, 0xC90FDAA22168C235);

// The C library's routines rather than a bare fsin/fcos, which return their argument
// unchanged above 2^63.
long double plainSine(long double x) {
    return std::sin(x);
}
long double plainCosine(long double x) {
    return std::cos(x);
}

template <int Level, bool Strict> long double fixedSine(long double x) {
    const long double r = std::sin(x);
    constexpr TFixupLevel level = FixupLevels[Level];
    if (std::fabs(r) <= level.SineTolerance && std::fabs(x) <= level.SineBound) {
        if (!Strict) return 0.0L;
        const long double n = std::nearbyint(x / StrictPi);
        if (n * StrictPi == x) return 0.0L;
    }
    return r;
}

template <int Level, bool Strict> long double fixedCosine(long double x) {
    const long double r = std::cos(x);
    constexpr TFixupLevel level = FixupLevels[Level];
    if (std::fabs(r) <= level.CosineTolerance && std::fabs(x) <= level.CosineBound) {
        if (!Strict) return 0.0L;
        const long double n = std::nearbyint(x * StrictTwoOverPi);
        if (n * StrictPiOver2 == x) return 0.0L;
    }
    return r;
}

constexpr TTrigRoutine SineRoutines[2][6] = {{plainSine, fixedSine<1, false>, fixedSine<2, false>,
                                              fixedSine<3, false>, fixedSine<4, false>, fixedSine<5, false>},
                                             {plainSine, fixedSine<1, true>, fixedSine<2, true>,
                                              fixedSine<3, true>, fixedSine<4, true>, fixedSine<5, true>}};

constexpr TTrigRoutine CosineRoutines[2][6] = {
    {plainCosine, fixedCosine<1, false>, fixedCosine<2, false>, fixedCosine<3, false>, fixedCosine<4, false>,
     fixedCosine<5, false>},
    {plainCosine, fixedCosine<1, true>, fixedCosine<2, true>, fixedCosine<3, true>, fixedCosine<4, true>,
     fixedCosine<5, true>}};

// Written once at start-up on the GUI thread, read by every evaluating thread; relaxed
// atomics keep that free of data races at the cost of a plain load.
std::atomic<TTrigRoutine> gSineRoutine{fixedSine<2, false>};
std::atomic<TTrigRoutine> gCosineRoutine{fixedCosine<2, false>};
std::atomic<TTrigFixupType> gTrigFixup{tfTenThou};
std::atomic<bool> gRequireExact{false};

} // namespace

void SetTrigFixup(TTrigFixupType Level, bool RequireExact) {
    QX_ASSERT(Level <= tfTenMill, "Invalid level in SetTrigFixup");
    if (Level == gTrigFixup.load(std::memory_order_relaxed) &&
        RequireExact == gRequireExact.load(std::memory_order_relaxed))
        return;
    gTrigFixup.store(Level, std::memory_order_relaxed);
    gRequireExact.store(RequireExact, std::memory_order_relaxed);
    gSineRoutine.store(SineRoutines[RequireExact ? 1 : 0][Level], std::memory_order_relaxed);
    gCosineRoutine.store(CosineRoutines[RequireExact ? 1 : 0][Level], std::memory_order_relaxed);
}

TTrigFixupType CurrentTrigFixup() {
    return gTrigFixup.load(std::memory_order_relaxed);
}
bool CurrentRequireExact() {
    return gRequireExact.load(std::memory_order_relaxed);
}

long double SineRoutine(long double X) {
    return gSineRoutine.load(std::memory_order_relaxed)(X);
}
long double CosineRoutine(long double X) {
    return gCosineRoutine.load(std::memory_order_relaxed)(X);
}

TTrigFixupType TrigFixupTypeFromWord(std::string_view Word) {
    static constexpr std::string_view words[] = {"tfNormal",   "tfThou", "tfTenThou",
                                                 "tfHundThou", "tfMill", "tfTenMill"};
    for (std::size_t i = 0; i < std::size(words); ++i)
        if (Word == words[i]) return static_cast<TTrigFixupType>(i);
    return tfTenThou;
}
