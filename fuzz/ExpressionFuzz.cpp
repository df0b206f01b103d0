// The expression engine and the calculator on any text: compile with two variables,
// evaluate at exact and float values (and on a copy), take the error text; read the text as
// a number; and run the calculator with up to three variable rows from the input's lines
// ("NAME=VALUE"). Nothing may crash, hang or trip a sanitizer.
#include "fuzz/FuzzSupport.h"

#include "math/CalcLogic.h"
#include "math/MathCalc.h"
#include "math/MathFunc.h"

#include <array>
#include <string>
#include <vector>

namespace {

std::vector<std::string> lines(const uint8_t* data, size_t size) {
    std::vector<std::string> out(1);
    for (size_t i = 0; i < size && out.size() <= 4; ++i) {
        if (data[i] == '\n')
            out.emplace_back();
        else
            out.back() += char(data[i]);
    }
    return out;
}

TMathValue exact(int64_t numerator, int64_t denominator) {
    TMathValue v;
    v.Kind = mvFraction;
    v.Numerator = numerator;
    v.Denominator = denominator;
    v.FloatValue = static_cast<long double>(numerator) / static_cast<long double>(denominator);
    return v;
}

void engine(const std::string& text) {
    TMathFunction f;
    f.SetExpression(text);
    f.SetVariableCount(2);
    f.SetVariableName(0, "X");
    f.SetVariableName(1, "T");
    const bool compiled = f.CompileMathFunc();
    (void)f.GetErrorText();
    if (!compiled) return;
    const TMathValue exacts[] = {exact(0, 1), exact(1, 3), exact(-7, 1), exact(INT64_MAX, 1),
                                 exact(-1, INT64_MAX)};
    for (const TMathValue& x : exacts) {
        f.SetVariableValue(0, x);
        f.SetVariableValue(1, exacts[1]);
        f.EvaluateMathFunc();
        (void)f.GetErrorText();
    }
    const long double floats[] = {0.0L, 0.5L, -2.75L, 1e300L, -1e-4000L, 3.14159265358979323846L};
    for (long double x : floats) {
        f.SetVariableFloat(0, x);
        f.SetVariableFloat(1, -x);
        f.EvaluateMathFunc();
        (void)f.GetResultFloat();
        (void)f.GetErrorText();
    }
    TMathFunction copy;
    copy.Assign(f);
    copy.EvaluateMathFunc();
    (void)copy.GetErrorText();
}

void calculator(const std::vector<std::string>& parts, size_t size) {
    std::array<TCalcRow, 3> rows;
    for (size_t i = 1; i < parts.size() && i <= 3; ++i) {
        const size_t eq = parts[i].find('=');
        rows[i - 1].Name = parts[i].substr(0, eq);
        if (eq != std::string::npos) rows[i - 1].ValueText = parts[i].substr(eq + 1);
    }
    TCalculatorLogic logic;
    (void)logic.Calculate(parts[0], rows, TCalcResultFormat(size % 5));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSetUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0; // the engine takes at most 1000 characters; longer texts fail at once
    FuzzNextInput();
    const std::vector<std::string> parts = lines(data, size);
    engine(parts[0]);
    int32_t errorPos = 0;
    TMathValue value;
    (void)StrToMathValue(parts[0], errorPos, value);
    calculator(parts, size);
    return 0;
}
