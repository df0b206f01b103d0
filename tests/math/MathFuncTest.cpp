#include "math/MathFunc.h"
#include "platform/Errors.h"
#include "platform/FormatSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr long double Pi = 3.14159265358979323846264338327950288L;

// Exposes the compiled program for inspection.
class TProbeFunction : public TMathFunction {
public:
    using TMathFunction::EvalStack;
    using TMathFunction::Program;
};

// A function over the variables given, compiled from Text.
struct TCompiled {
    std::unique_ptr<TProbeFunction> f = std::make_unique<TProbeFunction>();
    bool ok = false;
    TCompiled(const std::string& text, std::vector<std::string> names = {}) {
        f->SetVariableCount(static_cast<std::int32_t>(names.size()));
        for (std::size_t i = 0; i < names.size(); ++i)
            f->SetVariableName(static_cast<std::int32_t>(i), names[i]);
        f->SetExpression(text);
        ok = f->CompileMathFunc();
    }
};

// Compiles Text with the one variable X set to x (a float) and evaluates it.
struct TRun {
    bool ok = false;
    TMathValue value;
    int code = -1;
    int pos = -1;
};

TRun runX(const std::string& text, long double x) {
    TCompiled c(text, {"X"});
    TRun r;
    if (!c.ok) {
        r.code = c.f->ErrorCode;
        r.pos = c.f->ErrorPos;
        return r;
    }
    c.f->SetVariableFloat(0, x);
    r.ok = c.f->EvaluateMathFunc();
    r.value = c.f->ResultValue;
    r.code = c.f->ErrorCode;
    r.pos = c.f->ErrorPos;
    return r;
}

TRun runConstant(const std::string& text) {
    TCompiled c(text);
    TRun r;
    r.ok = c.ok;
    r.value = c.f->ResultValue;
    r.code = c.f->ErrorCode;
    r.pos = c.f->ErrorPos;
    return r;
}

::testing::AssertionResult exactResult(const TRun& r, std::int64_t n, std::int64_t d = 1) {
    if (!r.ok) return ::testing::AssertionFailure() << "failed with code " << r.code << " at " << r.pos;
    if (r.value.Kind != mvFraction)
        return ::testing::AssertionFailure() << "not exact: " << double(r.value.FloatValue);
    if (r.value.Numerator != n || r.value.Denominator != d)
        return ::testing::AssertionFailure() << r.value.Numerator << "/" << r.value.Denominator;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult floatResult(const TRun& r, long double x, long double relative = 1e-18L) {
    if (!r.ok) return ::testing::AssertionFailure() << "failed with code " << r.code << " at " << r.pos;
    if (r.value.Kind != mvFloat) return ::testing::AssertionFailure() << "not a float";
    const long double scale = std::fabs(x) > 1 ? std::fabs(x) : 1;
    if (!(std::fabs(r.value.FloatValue - x) <= relative * scale))
        return ::testing::AssertionFailure() << double(r.value.FloatValue) << " instead of " << double(x);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult fails(const TRun& r, int code, int pos = 0) {
    if (r.ok) return ::testing::AssertionFailure() << "succeeded with " << double(r.value.FloatValue);
    if (r.code != code || r.pos != pos)
        return ::testing::AssertionFailure()
               << "code " << r.code << " at " << r.pos << " instead of " << code << " at " << pos;
    if (r.value.Kind != mvEmpty) return ::testing::AssertionFailure() << "result not cleared";
    return ::testing::AssertionSuccess();
}

// Keeps the start pair of the trigonometric fix-up around each test that changes it.
struct TTrigFixupGuard {
    ~TTrigFixupGuard() { SetTrigFixup(tfTenThou, false); }
};

} // namespace

TEST(MathFuncCompile, ErrorCodesAndPositions) {
    EXPECT_TRUE(fails(runConstant(""), meEmptyExpression));
    EXPECT_TRUE(fails(runConstant("    "), meEmptyExpression));
    EXPECT_TRUE(fails(runConstant(std::string(1001, '1')), meExpressionTooLong));
    EXPECT_TRUE(runConstant(std::string(1000, '1')).ok); // a float of 1000 digits
    EXPECT_TRUE(exactResult(runConstant(std::string(999, ' ') + "7"), 7));

    EXPECT_TRUE(fails(runX("SIN X", 0), meFunctionNoParen, 1));
    EXPECT_TRUE(fails(runX("SIN()", 0), meSyntaxError, 5));
    EXPECT_TRUE(fails(runX("(1+2", 0), meInvalidParentheses, 0));
    EXPECT_TRUE(fails(runX("1+2)", 0), meInvalidParentheses, 4));
    EXPECT_TRUE(fails(runX(")(", 0), meInvalidParentheses, 1));
    EXPECT_TRUE(fails(runX("1.2.3", 0), meInvalidNumber, 4));
    EXPECT_TRUE(fails(runX("2 * .", 0), meInvalidNumber, 5));
    EXPECT_TRUE(fails(runX("X$", 0), meIllegalChar, 2));
    EXPECT_TRUE(fails(runX("1 + $", 0), meIllegalChar, 5));
    EXPECT_TRUE(fails(runX("X +  \xC3\xA9 + $", 0), meIllegalChar, 6)); // positions count characters
    EXPECT_TRUE(fails(runX("X\t+1", 0), meIllegalChar, 2));
    EXPECT_TRUE(fails(runX("Y", 0), meUnknownSymbol, 1));
    EXPECT_TRUE(fails(runX("  2 +  Y", 0), meUnknownSymbol, 8));
    EXPECT_TRUE(fails(runX("+", 0), meSyntaxError, 1));
    EXPECT_TRUE(fails(runX("*X", 0), meSyntaxError, 1));
    EXPECT_TRUE(fails(runX("X *", 0), meSyntaxError, 3));
    EXPECT_TRUE(fails(runX("X SIN", 0), meFunctionNoParen, 3));
    EXPECT_TRUE(fails(runX("X * / 2", 0), meSyntaxError, 5));
    EXPECT_TRUE(fails(runX("()", 0), meSyntaxError, 2));
    EXPECT_TRUE(fails(runX("2*-SIN X", 0), meFunctionNoParen, 4));
    EXPECT_TRUE(fails(runX("X + SQRT(-1)", 0), meInvalidDomain, 5));
    EXPECT_TRUE(fails(runConstant("SQRT(-1)"), meInvalidDomain, 0));
    EXPECT_TRUE(fails(runX("X + 1/0", 0), meDivisionByZero, 6));
    EXPECT_TRUE(fails(runX("X * (0^0)", 0), meInvalidExponential, 7));
    EXPECT_TRUE(fails(runX("X + FACT(21)", 0), meFactorialTooBig, 5));
    EXPECT_TRUE(fails(runX("X + EXP(100000)", 0), meFloatOverflow, 5));

    // A failed compile leaves nothing to run.
    TCompiled bad("X +", {"X"});
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.f->State, msError);
    EXPECT_TRUE(bad.f->Program.empty());
    EXPECT_FALSE(bad.f->EvaluateMathFunc());
    EXPECT_EQ(bad.f->ErrorCode, meUnknownException);
    EXPECT_EQ(bad.f->GetErrorText(), "Unknown Exception");

    TCompiled y("  2 +  Y", {"X"});
    EXPECT_EQ(y.f->GetErrorText(), "Unknown Symbol at Character 8");
}

TEST(MathFuncCompile, RewritesAndPrecedence) {
    EXPECT_TRUE(exactResult(runConstant("2 ^ 3 ^ 2"), 64));
    EXPECT_TRUE(exactResult(runConstant("-2^2"), -4));
    EXPECT_TRUE(exactResult(runConstant("2*-3^2"), 18));
    EXPECT_TRUE(exactResult(runConstant("2^-1"), 1, 2));
    EXPECT_TRUE(exactResult(runConstant("--3"), 3));
    EXPECT_TRUE(exactResult(runConstant("3-+-2"), 5));
    EXPECT_TRUE(exactResult(runConstant("+5"), 5));
    EXPECT_TRUE(exactResult(runConstant("(-(-(4)))"), 4));
    EXPECT_TRUE(exactResult(runConstant("2/-(1+3)"), -1, 2));
    EXPECT_TRUE(exactResult(runConstant("1+2*3-4/8"), 13, 2));
    EXPECT_TRUE(exactResult(runConstant("[1+1]*{2}"), 4));
    EXPECT_TRUE(exactResult(runConstant("2(3)(4)"), 24));
    EXPECT_TRUE(exactResult(runConstant("0.5 + 0.25"), 3, 4));
    EXPECT_TRUE(floatResult(runConstant("1E5"), 5 * 2.71828182845904523536L));
    EXPECT_TRUE(floatResult(runConstant("2PI"), 2 * Pi));
    EXPECT_TRUE(floatResult(runConstant("-SIN(PI/6)*2"), -1, 1e-18L));

    EXPECT_TRUE(floatResult(runX("x+1", 2), 3));
    EXPECT_TRUE(floatResult(runX("[x+1]*{2}", 2), 6));
    EXPECT_TRUE(floatResult(runX("-X^2", 3), -9));
    EXPECT_TRUE(floatResult(runX("2^-X", 2), 0.25L));
    EXPECT_TRUE(floatResult(runX("2*-X^2", 3), 18));
    EXPECT_TRUE(floatResult(runX("2*-SIN(X)", Pi / 2), -2));
    EXPECT_TRUE(floatResult(runX("2X", 3), 6));
    EXPECT_TRUE(floatResult(runX("2(X+1)", 3), 8));
    EXPECT_TRUE(floatResult(runX("(X)(X)", 3), 9));
    EXPECT_TRUE(floatResult(runX("2SIN(X)", Pi / 2), 2));
    EXPECT_TRUE(floatResult(runX("X X", 3), 9));
    EXPECT_TRUE(floatResult(runX("X^2^3", 2), 64, 1e-17L));

    // Variables are matched without case, first by index.
    TCompiled lower("x*X", {"x"});
    ASSERT_TRUE(lower.ok);
    TCompiled xy("XY", {"X", "XY"});
    EXPECT_FALSE(xy.ok);
    EXPECT_EQ(xy.f->ErrorCode, meUnknownSymbol);
    EXPECT_EQ(xy.f->ErrorPos, 2);
    TCompiled yx("XY", {"XY", "X"});
    ASSERT_TRUE(yx.ok);
    yx.f->SetVariableFloat(0, 5);
    yx.f->SetVariableFloat(1, 7);
    ASSERT_TRUE(yx.f->EvaluateMathFunc());
    EXPECT_EQ(yx.f->GetResultFloat(), 5);
    // Reserved words come first: SINE is SIN followed by E.
    TCompiled sine("SINE", {"SINE"});
    EXPECT_FALSE(sine.ok);
    EXPECT_EQ(sine.f->ErrorCode, meFunctionNoParen);
    EXPECT_EQ(sine.f->ErrorPos, 1);

    // Constant parts are folded: X*(2+3)*SQRT(4) runs as X, 10, *.
    TCompiled folded("X*((2+3)*SQRT(4))", {"X"});
    ASSERT_TRUE(folded.ok);
    ASSERT_EQ(folded.f->Program.size(), 3u);
    EXPECT_EQ(folded.f->Program[1].TokenType, ttConstant);
    EXPECT_EQ(folded.f->Program[1].Value.Numerator, 10);
    EXPECT_EQ(folded.f->Program[1].CharPos, 0);
    EXPECT_EQ(folded.f->EvalStack.size(), 3u);
    // Expressions without variables are computed once, when compiled.
    TCompiled constant("1/3+1/6");
    ASSERT_TRUE(constant.ok);
    EXPECT_FALSE(constant.f->HasVariables);
    EXPECT_TRUE(constant.f->Program.empty());
    EXPECT_EQ(constant.f->ResultValue.Numerator, 1);
    EXPECT_EQ(constant.f->ResultValue.Denominator, 2);
    EXPECT_TRUE(constant.f->EvaluateMathFunc());
    EXPECT_EQ(constant.f->ResultValue.Denominator, 2);
}

TEST(MathFuncCompile, UsersDecimalSeparator) {
    FormatSettings().DecimalSeparator = ',';
    EXPECT_TRUE(exactResult(runConstant("1,5 * 2"), 3));
    EXPECT_TRUE(fails(runConstant("1.5"), meIllegalChar, 2));
    EXPECT_TRUE(fails(runConstant("1,5,2"), meInvalidNumber, 4));
    ResetFormatSettings();
    EXPECT_TRUE(fails(runConstant("1,5"), meIllegalChar, 2));
}

TEST(MathFuncEvaluate, ErrorsOfSteps) {
    TMathFunction never;
    EXPECT_FALSE(never.EvaluateMathFunc());
    EXPECT_EQ(never.ErrorCode, meUnknownException);

    EXPECT_TRUE(fails(runX("1/X", 0), meDivisionByZero));
    EXPECT_TRUE(fails(runX("1 + 1/X", 0), meDivisionByZero));
    EXPECT_TRUE(fails(runX("SQRT(X - 1)", 0), meInvalidDomain));
    EXPECT_TRUE(fails(runX("1 + SQRT(X - 1)", 0), meInvalidDomain));
    EXPECT_TRUE(fails(runX("0^X", 0), meInvalidExponential));
    EXPECT_TRUE(fails(runX("(-8)^X", 0.5L), meInvalidExponential));
    EXPECT_TRUE(fails(runX("FACT(X)", 21), meFactorialTooBig));
    EXPECT_TRUE(fails(runX("FACT(X)", 2.5L), meInvalidDomain));
    EXPECT_TRUE(fails(runX("EXP(X)", 100000), meFloatOverflow));
    EXPECT_TRUE(floatResult(runX("EXP(-X)", 100000), 0));
    EXPECT_TRUE(fails(runX("X*X", 1e3000L), meFloatOverflow));
    EXPECT_TRUE(fails(runX("X^X", 5000), meFloatOverflow));
    EXPECT_TRUE(fails(runX("X+1", std::nanl("")), meInvalidFloatOp));

    TCompiled ok("X + 1", {"X"});
    ASSERT_TRUE(ok.ok);
    // An unset variable is empty: the engine's assertion becomes code 10, not a crash.
    EXPECT_FALSE(ok.f->EvaluateMathFunc());
    EXPECT_EQ(ok.f->ErrorCode, meUnknownException);
    ok.f->SetVariableFloat(0, 1);
    EXPECT_TRUE(ok.f->EvaluateMathFunc());
    EXPECT_EQ(ok.f->ErrorPos, 0);
    EXPECT_THROW(ok.f->SetVariableFloat(1, 1), EAssertionFailed);
    EXPECT_THROW(ok.f->SetVariableValue(-1, TMathValue{}), EAssertionFailed);
    EXPECT_THROW(ok.f->SetVariableName(1, "Y"), EAssertionFailed);

    // Exact variables keep results exact.
    TCompiled sum("X^2 + 1/3", {"X"});
    ASSERT_TRUE(sum.ok);
    TMathValue x;
    x.Numerator = 2;
    x.Denominator = 7;
    x.FloatValue = 2.0L / 7;
    x.Kind = mvFraction;
    sum.f->SetVariableValue(0, x);
    ASSERT_TRUE(sum.f->EvaluateMathFunc());
    EXPECT_EQ(sum.f->ResultValue.Kind, mvFraction);
    EXPECT_EQ(sum.f->ResultValue.Numerator, 61);
    EXPECT_EQ(sum.f->ResultValue.Denominator, 147);
}

TEST(MathFuncEvaluate, ZeroToANegativePowerIsAnInvalidExponential) {
    // Each power of zero three ways: a constant expression (evaluated whole at compile
    // time), folded inside an expression with a variable, and with X a float 0 at run time.
    struct Case {
        const char* exponent;
        bool invalid;
    };
    const Case cases[] = {{"-1", true},     {"(-1/3)", true}, {"(-0.5)", true}, {"-2", true},
                          {"(-1/2)", true}, {"2", false},     {"(1/3)", false}, {"0.5", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exponent);
        const std::string exponent = c.exponent;
        const TRun constant = runConstant("0^" + exponent);
        const TRun folded = runX("X + 0^" + exponent, 7);
        const TRun variable = runX("X^" + exponent, 0);
        if (c.invalid) {
            EXPECT_TRUE(fails(constant, meInvalidExponential));
            EXPECT_TRUE(fails(folded, meInvalidExponential, 6));
            EXPECT_TRUE(fails(variable, meInvalidExponential));
        } else {
            EXPECT_TRUE(exactResult(constant, 0)) << "an exact zero stays exact";
            EXPECT_TRUE(floatResult(folded, 7));
            EXPECT_TRUE(floatResult(variable, 0));
        }
    }
}

TEST(MathFuncEvaluate, FunctionValuesAndDomains) {
    struct TCase {
        const char* text;
        long double x;
        long double expected;
    };
    const TCase cases[] = {
        {"DEGTORAD(X)", 180, Pi},
        {"RADTODEG(X)", Pi, 180},
        {"GRADTORAD(X)", 200, Pi},
        {"RADTOGRAD(X)", Pi, 200},
        {"CYCLETORAD(X)", 1, 2 * Pi},
        {"RADTOCYCLE(X)", Pi, 0.5L},
        {"ARCSINH(X)", 1, 0.881373587019543025232609324979792309L},
        {"ARCCOSH(X)", 2, 1.31695789692481670862504634730796844L},
        {"ARCTANH(X)", 0.5L, 0.549306144334054845697622618461262852L},
        {"ARCCSCH(X)", 2, 0.481211825059603447497758913424368424L},
        {"ARCSECH(X)", 0.5L, 1.31695789692481670862504634730796844L},
        {"ARCCOTH(X)", 2, 0.549306144334054845697622618461262852L},
        {"ARCCOTH(X)", -2, -0.549306144334054845697622618461262852L},
        {"ARCSIN(X)", 0.5L, Pi / 6},
        {"ARCCOS(X)", 0.5L, Pi / 3},
        {"ARCTAN(X)", 1, Pi / 4},
        {"ARCCSC(X)", 2, Pi / 6},
        {"ARCSEC(X)", 2, Pi / 3},
        {"ARCCOT(X)", 1, Pi / 4},
        {"ARCCOT(X)", -1, 3 * Pi / 4},
        {"SINH(X)", 1, 1.17520119364380145688238185059560082L},
        {"COSH(X)", 1, 1.54308063481524377847790562075706168L},
        {"TANH(X)", 1, 0.761594155955764888119458282604793496L},
        {"CSCH(X)", 1, 0.850918128239321545133842763287175284L},
        {"CSCH(X)", -2, -0.275720564771783207758351482163027121L},
        {"SECH(X)", 1, 0.648054273663885399574977353226150323L},
        {"COTH(X)", 1, 1.31303528549933130363616124693084783L},
        {"SIN(X)", Pi / 6, 0.5L},
        {"COS(X)", Pi / 3, 0.5L},
        {"TAN(X)", Pi / 4, 1},
        {"CSC(X)", Pi / 6, 2},
        {"SEC(X)", Pi / 3, 2},
        {"COT(X)", Pi / 4, 1},
        {"EXP(X)", 1, 2.71828182845904523536028747135266250L},
        {"LN(X)", 2.71828182845904523536028747135266250L, 1},
        {"LOG(X)", 1000, 3},
        {"SQRT(X)", 2, 1.41421356237309504880168872420969808L},
        {"SQUARE(X)", 1.5L, 2.25L},
        {"ABS(X)", -1.5L, 1.5L},
        {"FRAC(X)", -2.25L, -0.25L},
        // Accurate wherever the function is finite.
        {"TANH(X)", 100000, 1},
        {"TANH(X)", -100000, -1},
        {"SECH(X)", 100000, 0},
        {"CSCH(X)", 100000, 0},
        {"COTH(X)", -100000, -1},
        {"CSCH(X)", 1e-20L, 1e20L},
        {"COTH(X)", 1e-20L, 1e20L},
        {"ARCSINH(X)", -1e10L, -23.7189981105004021495996466683018186L},
        {"ARCCSCH(X)", -1e-10L, -23.7189981105004021495996466683018186L},
        {"ARCCOSH(X)", 1e3000L, 6908.44842616269699736339159617455080L},
        {"ARCSECH(X)", 1e-3000L, 6908.44842616269699736339159617455080L},
        {"ARCCSCH(X)", 1e-4000L, 9211.03351915674268138138305085891501L},
        {"SINH(X)", 1e-30L, 1e-30L},
        {"TANH(X)", 1e-30L, 1e-30L},
        {"ARCTANH(X)", 1e-30L, 1e-30L},
        {"ARCSINH(X)", 1e-30L, 1e-30L},
        {"ARCCOTH(X)", 1e30L, 1e-30L},
    };
    for (const TCase& c : cases) {
        const TRun r = runX(c.text, c.x);
        const long double tolerance =
            std::fabs(c.expected) < 1e-10L ? std::fabs(c.expected) * 1e-17L : 4e-18L;
        EXPECT_TRUE(floatResult(r, c.expected, c.expected == 0 ? 0 : tolerance))
            << c.text << " of " << double(c.x);
    }
    // Exact special values.
    EXPECT_EQ(runX("ARCSIN(X)", 1).value.FloatValue, Pi / 2);
    EXPECT_EQ(runX("ARCSIN(X)", -1).value.FloatValue, -Pi / 2);
    EXPECT_EQ(runX("ARCCOT(X)", 0).value.FloatValue, Pi / 2);
    EXPECT_EQ(runX("ARCCOS(X)", -1).value.FloatValue, Pi);
    EXPECT_EQ(runX("ARCCOS(X)", 1).value.FloatValue, 0);

    const std::pair<const char*, long double> domainErrors[] = {
        {"ARCCOSH(X)", 0.5L}, {"ARCTANH(X)", 1},    {"ARCTANH(X)", -1},  {"ARCCSCH(X)", 0},
        {"ARCSECH(X)", 0},    {"ARCSECH(X)", 1.5L}, {"ARCCOTH(X)", 1},   {"ARCCOTH(X)", 0},
        {"ARCSIN(X)", 1.5L},  {"ARCCOS(X)", -1.5L}, {"ARCCSC(X)", 0.5L}, {"ARCSEC(X)", 0},
        {"CSCH(X)", 0},       {"COTH(X)", 0},       {"LN(X)", 0},        {"LOG(X)", -1},
        {"CSC(X)", 0},        {"COT(X)", 0},        {"TAN(X)", Pi / 2},  {"SEC(X)", -Pi / 2},
        {"CSC(X)", Pi},       {"COT(X)", -3 * Pi}};
    for (auto [text, x] : domainErrors)
        EXPECT_TRUE(fails(runX(text, x), meInvalidDomain)) << text << " " << double(x);
}

TEST(MathFuncEvaluate, ExactIntegerPartsOfRoundedFloats) {
    // 1/41*41 is exactly 1 while its float is 0.99999999999999999995.
    ASSERT_NE(runConstant("1/41*41").value.FloatValue, 1.0L);
    EXPECT_TRUE(exactResult(runConstant("INT(1/41*41)"), 1));
    EXPECT_TRUE(exactResult(runConstant("TRUNC(1/41*41)"), 1));
    EXPECT_TRUE(exactResult(runConstant("GRINT(1/41*41)"), 1));
    EXPECT_TRUE(exactResult(runConstant("ROUND(1/41*41)"), 1));
    EXPECT_TRUE(exactResult(runConstant("FRAC(1/41*41)"), 0));
    EXPECT_TRUE(exactResult(runConstant("FACT(1/41*41)"), 1));
    EXPECT_TRUE(exactResult(runConstant("ROUND(10^18)"), 1000000000000000000));
    EXPECT_TRUE(exactResult(runConstant("FACT(20)"), 2432902008176640000));
    EXPECT_TRUE(fails(runConstant("1/(1-1/41*41)"), meDivisionByZero));
    EXPECT_TRUE(exactResult(runConstant("SQRT(1/41*41-1)"), 0));
    // Float operands keep the float rules.
    EXPECT_TRUE(exactResult(runX("ROUND(X)", 2.5L), 3));
    EXPECT_TRUE(exactResult(runX("GRINT(X)", -2.5L), -3));
    EXPECT_TRUE(floatResult(runX("FRAC(X)", -2.5L), -0.5L));
}

TEST(MathFuncEvaluate, TextsAndNames) {
    EXPECT_EQ(MathErrorText(8, 0), "Unknown Symbol");
    EXPECT_EQ(MathErrorText(8, 5), "Unknown Symbol at Character 5");
    EXPECT_EQ(MathErrorText(2, 0), "Expressions May Not Be Longer Than 1000 Characters");
    EXPECT_EQ(MathErrorText(20, 0), "Undetermined Error");
    EXPECT_EQ(MathErrorText(14, 0), "Factorial to Big");
    EXPECT_EQ(MathErrorText(0, 0), "No Error");

    EXPECT_TRUE(IsValidVariableName("X"));
    EXPECT_TRUE(IsValidVariableName("theta"));
    EXPECT_TRUE(IsValidVariableName("Alpha"));
    EXPECT_TRUE(IsValidVariableName(std::string(1000, 'Q')));
    EXPECT_FALSE(IsValidVariableName(""));
    EXPECT_FALSE(IsValidVariableName("X1"));
    EXPECT_FALSE(IsValidVariableName("PI"));
    EXPECT_FALSE(IsValidVariableName("e"));
    EXPECT_FALSE(IsValidVariableName("sin"));
    EXPECT_FALSE(IsValidVariableName("ArcCotH"));
    EXPECT_FALSE(IsValidVariableName("A B"));
    EXPECT_FALSE(IsValidVariableName(std::string(1001, 'Q')));

    EXPECT_EQ(OperatorPrecedence(ttOpenParen), 5);
    EXPECT_EQ(OperatorPrecedence(ttFact), 4);
    EXPECT_EQ(OperatorPrecedence(ttPower), 3);
    EXPECT_EQ(OperatorPrecedence(ttDivide), 2);
    EXPECT_EQ(OperatorPrecedence(ttMinus), 1);
    EXPECT_EQ(OperatorPrecedence(ttConstant), 0);
}

TEST(MathFuncAssign, IndependentCopies) {
    auto source = std::make_unique<TProbeFunction>();
    source->SetVariableCount(2);
    source->SetVariableName(0, "T");
    source->SetVariableName(1, "X");
    source->SetExpression("X*T + SIN(T)");
    ASSERT_TRUE(source->CompileMathFunc());
    source->SetVariableFloat(0, 2);
    source->SetVariableFloat(1, 3);

    TProbeFunction copy;
    copy.Assign(*source);
    EXPECT_EQ(copy.GetExpression(), "X*T + SIN(T)");
    EXPECT_EQ(copy.GetVariableCount(), 2);
    EXPECT_EQ(copy.GetVariableName(1), "X");
    EXPECT_EQ(copy.State, msCompiled);
    ASSERT_EQ(copy.Program.size(), source->Program.size());
    for (const TMathTokenRec& step : copy.Program)
        EXPECT_EQ(step.Operation.Data, &copy);

    source->SetVariableFloat(1, 100); // later changes of the source do not reach the copy
    source.reset();
    ASSERT_TRUE(copy.EvaluateMathFunc());
    EXPECT_EQ(copy.GetResultFloat(), 6 + std::sin(2.0L));
    copy.SetVariableFloat(1, 4);
    ASSERT_TRUE(copy.EvaluateMathFunc());
    EXPECT_EQ(copy.GetResultFloat(), 8 + std::sin(2.0L));

    // A failed compile travels with its error.
    TMathFunction broken, brokenCopy;
    broken.SetExpression("1+");
    EXPECT_FALSE(broken.CompileMathFunc());
    brokenCopy.Assign(broken);
    EXPECT_EQ(brokenCopy.State, msError);
    EXPECT_EQ(brokenCopy.ErrorCode, meSyntaxError);
    EXPECT_EQ(brokenCopy.ErrorPos, 2);

    // Changing text or variables asks for a new compile.
    copy.SetExpression("T");
    EXPECT_EQ(copy.State, msNotCompiled);
    EXPECT_FALSE(copy.EvaluateMathFunc());
    ASSERT_TRUE(copy.CompileMathFunc());
    copy.SetVariableCount(2); // same count: nothing changes
    EXPECT_EQ(copy.State, msCompiled);
    copy.SetVariableCount(3);
    EXPECT_EQ(copy.State, msNotCompiled);
    EXPECT_EQ(copy.GetVariableName(2), "");
}

TEST(MathFuncTrigFixup, LevelsAndStrictness) {
    TTrigFixupGuard guard;
    ASSERT_EQ(CurrentTrigFixup(), tfTenThou);
    ASSERT_FALSE(CurrentRequireExact());
    // The start pair.
    EXPECT_TRUE(floatResult(runConstant("SIN(PI)"), 0, 0));
    EXPECT_TRUE(floatResult(runConstant("COS(PI/2)"), 0, 0));
    EXPECT_TRUE(fails(runConstant("TAN(PI/2)"), meInvalidDomain));
    EXPECT_TRUE(fails(runX("TAN(X)", Pi / 2), meInvalidDomain));
    const TRun far = runConstant("SIN(10001*PI)");
    ASSERT_TRUE(far.ok);
    EXPECT_NE(far.value.FloatValue, 0);
    EXPECT_LT(std::fabs(far.value.FloatValue), 1e-14L);
    EXPECT_EQ(runConstant("SIN(10000*PI)").value.FloatValue, 0);
    EXPECT_EQ(runConstant("COS(0)").value.FloatValue, 1);
    EXPECT_EQ(runConstant("SIN(PI/2)").value.FloatValue, 1);

    SetTrigFixup(tfNormal, false);
    const TRun plain = runConstant("SIN(PI)");
    EXPECT_LT(plain.value.FloatValue, -4.9e-20L);
    EXPECT_GT(plain.value.FloatValue, -5.1e-20L);
    const TRun huge = runConstant("TAN(PI/2)");
    ASSERT_TRUE(huge.ok);
    EXPECT_GT(std::fabs(huge.value.FloatValue), 1e18L);
    // The C library reduces large arguments; a bare fsin would return 2^70 itself.
    EXPECT_LE(std::fabs(runConstant("SIN(2^70)").value.FloatValue), 1);

    SetTrigFixup(tfNormal, true); // strictness means nothing without a level
    EXPECT_NE(runConstant("SIN(PI)").value.FloatValue, 0);

    SetTrigFixup(tfTenThou, true);
    EXPECT_EQ(runConstant("SIN(PI)").value.FloatValue, 0);
    EXPECT_EQ(runConstant("COS(PI/2)").value.FloatValue, 0);
    const long double nextPi = std::nextafter(Pi, 4.0L);
    const TRun off = runX("SIN(X)", nextPi);
    ASSERT_TRUE(off.ok);
    EXPECT_NE(off.value.FloatValue, 0);
    SetTrigFixup(tfTenThou, false);
    EXPECT_EQ(runX("SIN(X)", nextPi).value.FloatValue, 0);

    // The bound of each level: 10^(k+2) pi for the sine, (5*10^(k+1) + 1/2) pi for the cosine.
    const long double sineBounds[] = {0, 1000, 10000, 100000, 1000000, 10000000};
    const long double cosineBounds[] = {0, 500.5L, 5000.5L, 50000.5L, 500000.5L, 5000000.5L};
    for (int level = 1; level <= 5; ++level) {
        SetTrigFixup(static_cast<TTrigFixupType>(level), false);
        EXPECT_EQ(SineRoutine(sineBounds[level] * Pi), 0) << level;
        EXPECT_NE(SineRoutine((sineBounds[level] + 2) * Pi), 0) << level;
        EXPECT_EQ(CosineRoutine(cosineBounds[level] * Pi), 0) << level;
        EXPECT_NE(CosineRoutine((cosineBounds[level] + 2) * Pi), 0) << level;
        EXPECT_EQ(SineRoutine(Pi / 2), 1);
        EXPECT_EQ(CosineRoutine(0), 1);
        EXPECT_EQ(SineRoutine(1e-10L), std::sin(1e-10L)); // above the tolerance: untouched
    }

    SetTrigFixup(tfMill, true);
    SetTrigFixup(tfMill, true);
    EXPECT_EQ(CurrentTrigFixup(), tfMill);
    EXPECT_TRUE(CurrentRequireExact());

    EXPECT_EQ(TrigFixupTypeFromWord("tfNormal"), tfNormal);
    EXPECT_EQ(TrigFixupTypeFromWord("tfThou"), tfThou);
    EXPECT_EQ(TrigFixupTypeFromWord("tfTenThou"), tfTenThou);
    EXPECT_EQ(TrigFixupTypeFromWord("tfHundThou"), tfHundThou);
    EXPECT_EQ(TrigFixupTypeFromWord("tfMill"), tfMill);
    EXPECT_EQ(TrigFixupTypeFromWord("tfTenMill"), tfTenMill);
    EXPECT_EQ(TrigFixupTypeFromWord("tfthou"), tfTenThou);
    EXPECT_EQ(TrigFixupTypeFromWord("xyz"), tfTenThou);
    EXPECT_EQ(TrigFixupTypeFromWord(""), tfTenThou);
}

TEST(MathStakList, CapacityAndEditing) {
    TMathTokenArrayStackObj list;
    std::vector<int> capacities;
    for (int i = 0; i < 170; ++i) {
        list.PushFields(nullptr, nullptr, ttConstant, 0, i + 1, TMathValue{});
        if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
    }
    const std::vector<int> expected = {8, 16, 24, 32, 40, 48, 56, 64, 72, 88, 104, 120, 136, 168, 200};
    EXPECT_EQ(capacities, expected);
    EXPECT_EQ(list.TopIndex(), 169);

    list.Delete(1, 2);
    EXPECT_EQ(list.Count, 168);
    EXPECT_EQ(list.Items[1].CharPos, 4);
    list.Delete(160, 100); // runs past the end: cut
    EXPECT_EQ(list.Count, 160);
    list.InsertFields(0, nullptr, nullptr, ttPlus, 3, 99, TMathValue{});
    EXPECT_EQ(list.Items[0].TokenType, ttPlus);
    EXPECT_EQ(list.Items[0].VarIndex, 3);
    EXPECT_EQ(list.Items[1].CharPos, 1);
    list.InsertBlankRecord(list.Count);
    EXPECT_EQ(list.Items[list.TopIndex()].TokenType, ttNone);
    TMathTokenRec rec;
    list.PopTokenRec(rec);
    EXPECT_EQ(rec.TokenType, ttNone);
    list.PopTokenRec(rec);
    EXPECT_EQ(rec.CharPos, 162);
    TMathTokenArray copy;
    list.CopyToArray(copy);
    EXPECT_EQ(copy.size(), std::size_t(list.Count));

    EXPECT_THROW(list.Delete(-1, 1), EAssertionFailed);
    EXPECT_THROW(list.Delete(list.Count, 1), EAssertionFailed);
    EXPECT_THROW(list.Delete(0, 0), EAssertionFailed);
    EXPECT_THROW(list.InsertBlankRecord(list.Count + 1), EAssertionFailed);
    EXPECT_THROW(list.SetInitialCapacity(-1), EAssertionFailed);
    list.SetInitialCapacity(5); // below the count: kept
    EXPECT_EQ(list.Capacity(), 200);
    list.Clear();
    EXPECT_EQ(list.Count, 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_THROW(list.PopTokenRec(rec), EAssertionFailed);
    list.SetInitialCapacity(12);
    EXPECT_EQ(list.Capacity(), 12);
}

// Random texts of the expression alphabet never crash the compiler or the evaluator; every
// failure has a code and a position inside the text.
TEST(MathFuncCompile, RandomTextsFailCleanly) {
    const char* pieces[] = {"X",  "Y",  "XY", "2",       "0",     "1.5", ".",  "+",   "-",    "*",
                            "/",  "^",  "(",  ")",       "[",     "}",   " ",  "SIN", "SQRT", "FACT",
                            "LN", "PI", "E",  "ARCCOTH", "ROUND", "$",   "10", "3.25"};
    std::uint32_t seed = 2024;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int compiled = 0;
    for (int k = 0; k < 20000; ++k) {
        std::string text;
        const int n = 1 + int(next() % 12);
        for (int i = 0; i < n; ++i)
            text += pieces[next() % std::size(pieces)];
        TMathFunction f;
        f.SetVariableCount(2);
        f.SetVariableName(0, "XY");
        f.SetVariableName(1, "X");
        f.SetExpression(text);
        const bool ok = f.CompileMathFunc();
        ASSERT_LE(int(f.ErrorCode), 17) << text;
        ASSERT_GE(f.ErrorPos, 0) << text;
        ASSERT_LE(f.ErrorPos, int(text.size())) << text;
        ASSERT_EQ(ok, f.ErrorCode == meNoError) << text;
        if (!ok) continue;
        ++compiled;
        for (long double x : {0.0L, -1.5L, 2.0L, 1e300L}) {
            f.SetVariableFloat(0, x);
            f.SetVariableFloat(1, x / 3);
            const bool evaluated = f.EvaluateMathFunc();
            ASSERT_EQ(evaluated, f.ErrorCode == meNoError) << text;
            ASSERT_NE(f.ErrorCode, meUnknownException) << text;
            if (evaluated) {
                ASSERT_NE(f.ResultValue.Kind, mvEmpty) << text;
            }
        }
    }
    EXPECT_GT(compiled, 1000);
}

// A variable's value written into the text instead gives the very same bytes: the
// evaluation loop of a compiled program and the compile-time run of a constant
// expression must agree, exact and float paths, errors included.
TEST(MathFuncEvaluate, ProgramsAgreeWithConstantRuns) {
    const char* pieces[] = {"X", "X", "2",     "0",      "1.5",  "+",   "-", "*",   "/",    "^",
                            "(", ")", "SQRT(", "ROUND(", "SIN(", "1/3", "-", "X*X", "EXP(", "ABS("};
    struct TValue {
        const char* text;
        TMathValue value;
    };
    TRun sqrt2 = runConstant("SQRT(2)");
    TRun sevenThirds = runConstant("7/3");
    TRun minusFive = runConstant("-5");
    TRun zero = runConstant("0");
    const TValue values[] = {{"(SQRT(2))", sqrt2.value},
                             {"(7/3)", sevenThirds.value},
                             {"(-5)", minusFive.value},
                             {"(0)", zero.value}};
    std::uint32_t seed = 77;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int compared = 0, failed = 0;
    for (int k = 0; k < 20000; ++k) {
        const TValue& v = values[next() % std::size(values)];
        std::string text, constantText;
        const int n = 2 + int(next() % 10);
        int open = 0;
        for (int i = 0; i < n; ++i) {
            const std::string piece = pieces[next() % std::size(pieces)];
            text += piece;
            for (char c : piece) {
                open += c == '(' ? 1 : c == ')' ? -1 : 0;
                // Only the variable pieces hold an X ("EXP" is not one of them).
                constantText += c == 'X' && piece != "EXP(" ? std::string(v.text) : std::string(1, c);
            }
        }
        // Close what was opened so that more texts compile.
        if (open < 0) continue;
        text.append(std::size_t(open), ')');
        constantText.append(std::size_t(open), ')');
        TCompiled program(text, {"X"});
        if (!program.ok || !program.f->HasVariables) continue;
        program.f->SetVariableValue(0, v.value);
        const bool ok = program.f->EvaluateMathFunc();
        TCompiled constant(constantText);
        ASSERT_EQ(ok, constant.ok) << text << " / " << constantText;
        ASSERT_EQ(program.f->ErrorCode, constant.f->ErrorCode) << text;
        TPackedMathValue a, b;
        MathValueToPacked(program.f->ResultValue, a);
        MathValueToPacked(constant.f->ResultValue, b);
        ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0) << text << " / " << constantText;
        ++compared;
        if (!ok) ++failed;
    }
    EXPECT_GT(compared, 2000);
    EXPECT_GT(failed, 100);
}
