#include "math/CalcLogic.h"

#include "math/MathFunc.h"

TCalculatorLogic::TCalculatorLogic()
    : function_(std::make_unique<TMathFunction>()), valueChecker_(std::make_unique<TMathFunction>()) {}

TCalculatorLogic::~TCalculatorLogic() = default;

bool TCalculatorLogic::ReadVariable(const TCalcRow& Row, int Index, std::string& Name, TMathValue& Value,
                                    TCalcOutcome& Failure) {
    Name.clear();
    ClearMathValue(Value);
    if (Row.Name.empty()) return true;
    const std::string indexText = std::to_string(Index + 1);
    if (!IsValidVariableName(Row.Name)) {
        Failure = {false, "Error in Variable Name " + indexText, TCalcControl(ccVarName1 + Index)};
        return false;
    }
    valueChecker_->SetExpression(Row.ValueText);
    if (valueChecker_->CompileMathFunc()) {
        Name = Row.Name;
        Value = valueChecker_->ResultValue;
        return true;
    }
    Failure = {false, "Variable Value " + indexText + ": " + valueChecker_->GetErrorText(),
               TCalcControl(ccVarValue1 + Index)};
    return false;
}

bool TCalculatorLogic::BindVariables(const std::array<TCalcRow, 3>& Rows, TCalcOutcome& Failure) {
    function_->SetVariableCount(0);
    std::array<std::string, 3> names;
    std::array<TMathValue, 3> values;
    for (int i = 0; i < 3; ++i)
        if (!ReadVariable(Rows[size_t(i)], i, names[size_t(i)], values[size_t(i)], Failure)) return false;
    std::array<int, 3> order = CalculatorBindingOrder(names);
    for (int row : order) {
        const std::string& name = names[size_t(row)];
        if (name.empty()) continue;
        int32_t index = function_->GetVariableCount();
        function_->SetVariableCount(index + 1);
        function_->SetVariableName(index, name);
        function_->SetVariableValue(index, values[size_t(row)]);
    }
    return true;
}

TCalcOutcome TCalculatorLogic::Calculate(const std::string& Expression, const std::array<TCalcRow, 3>& Rows,
                                         TCalcResultFormat Format) {
    TCalcOutcome out;
    if (!BindVariables(Rows, out)) return out;
    function_->SetExpression(Expression);
    if (!function_->CompileMathFunc())
        return {false, "Function Definition: " + function_->GetErrorText(), ccFunction};
    if (!function_->EvaluateMathFunc()) return {false, "Error: " + function_->GetErrorText(), ccNone};
    const TMathValue& v = function_->ResultValue;
    out.Ok = true;
    out.Text = FormatCalculatorResult(Format, v.Kind == mvFraction, v.Numerator, v.Denominator, v.FloatValue);
    return out;
}
