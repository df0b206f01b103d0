#pragma once
// What the "Function Calculator" does, without its window: binds up to three named
// variables whose values are constant expressions, compiles and evaluates the function
// and writes the result, or the first error, as the text of the result field.

#include "math/CalcResult.h"
#include "math/MathCalc.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class TMathFunction;

// The controls of the calculator that a failure hands the focus to.
enum TCalcControl : uint8_t {
    ccNone,
    ccFunction,
    ccVarName1,
    ccVarName2,
    ccVarName3,
    ccVarValue1,
    ccVarValue2,
    ccVarValue3,
};

struct TCalcRow {
    std::string Name;      // the variable name box's text; empty binds nothing
    std::string ValueText; // a constant expression
};

struct TCalcOutcome {
    bool Ok = false;
    std::string Text;            // the result, or the error message
    TCalcControl Focus = ccNone; // the control at fault
};

class TCalculatorLogic {
public:
    TCalculatorLogic();
    ~TCalculatorLogic();
    TCalculatorLogic(const TCalculatorLogic&) = delete;
    TCalculatorLogic& operator=(const TCalculatorLogic&) = delete;

    // Reads one row (Index 0..2): an empty name binds nothing; otherwise the name must be a
    // valid variable name and the value text must compile to a constant.
    bool ReadVariable(const TCalcRow& Row, int Index, std::string& Name, TMathValue& Value,
                      TCalcOutcome& Failure);
    // Gives the function the variables of the three rows, longest names first.
    bool BindVariables(const std::array<TCalcRow, 3>& Rows, TCalcOutcome& Failure);
    // Binds, compiles Expression, evaluates it and formats the result.
    TCalcOutcome Calculate(const std::string& Expression, const std::array<TCalcRow, 3>& Rows,
                           TCalcResultFormat Format);

    // The function as last bound and compiled.
    const TMathFunction& Function() const { return *function_; }

private:
    std::unique_ptr<TMathFunction> function_;
    std::unique_ptr<TMathFunction> valueChecker_; // never has variables
};
