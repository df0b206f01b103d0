#pragma once
// The expression engine: compiles an expression text with named variables into a postfix
// program of bound steps and evaluates it on exact-fraction values.
//
// Use: SetExpression, SetVariableCount and SetVariableName, then CompileMathFunc once;
// per point SetVariableFloat or SetVariableValue, EvaluateMathFunc and read ResultValue
// (or GetResultFloat), GetErrorText on failure. One object serves one thread at a time;
// a worker evaluates its own copy made with Assign. Evaluation allocates nothing.

#include "math/MathCalc.h"
#include "math/MathStak.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum TMathErrorCode : std::uint8_t {
    meNoError = 0,
    meEmptyExpression = 1,
    meExpressionTooLong = 2,
    meIllegalChar = 3,
    meSyntaxError = 4,
    meInvalidNumber = 5,
    meInvalidParentheses = 6,
    meFunctionNoParen = 7,
    meUnknownSymbol = 8,
    meOutOfMemory = 9,
    meUnknownException = 10,
    meDivisionByZero = 11,
    meInvalidDomain = 12,
    meInvalidExponential = 13,
    meFactorialTooBig = 14,
    meFloatOverflow = 15,
    meFloatUnderflow = 16,
    meInvalidFloatOp = 17,
};

enum TMathFunctionState : std::uint8_t { msNotCompiled = 0, msError = 1, msCompiled = 2 };

using TMathEvalStack = std::vector<TMathValue>;
using TMathStringsArray = std::vector<std::string>;
using TMathValuesArray = std::vector<TMathValue>;

inline constexpr int MaxExpressionLength = 1000;

// The reserved words in match order: entry i is token type i + 1 for i = 0 .. 48; the last
// two are the constants PI and E. Longer words precede their prefixes ("ARCSINH" before
// "ARCSIN", "EXP" before "E").
inline constexpr std::array<std::string_view, 51> MathSymbolNames = {
    "(",        ")",         "+",         "-",          "*",          "/",       "^",       "DEGTORAD",
    "RADTODEG", "GRADTORAD", "RADTOGRAD", "CYCLETORAD", "RADTOCYCLE", "ARCSINH", "ARCCOSH", "ARCTANH",
    "ARCCSCH",  "ARCSECH",   "ARCCOTH",   "ARCSIN",     "ARCCOS",     "ARCTAN",  "ARCCSC",  "ARCSEC",
    "ARCCOT",   "SINH",      "COSH",      "TANH",       "CSCH",       "SECH",    "COTH",    "SIN",
    "COS",      "TAN",       "CSC",       "SEC",        "COT",        "EXP",     "GRINT",   "INT",
    "SQRT",     "SQUARE",    "TRUNC",     "ROUND",      "FRAC",       "ABS",     "LN",      "LOG",
    "FACT",     "PI",        "E"};

// "(" and ")" 5, functions 4, "^" 3, "*" and "/" 2, "+" and "-" 1, anything else 0.
int OperatorPrecedence(TMathTokenType TokenType);

// The fixed English message of a code, with " at Character " and the position when the
// position is known (> 0).
std::string MathErrorText(std::uint8_t Code, std::int32_t Position);

// Letters A-Z in any case, 1 to 1000 of them, and not a reserved word.
bool IsValidVariableName(const std::string& Name);

class TMathFunction {
public:
    TMathFunction();
    virtual ~TMathFunction();
    TMathFunction(const TMathFunction&) = delete;
    TMathFunction& operator=(const TMathFunction&) = delete;

    std::string GetExpression() const { return Expression; }
    void SetExpression(const std::string& Text);
    std::int32_t GetVariableCount() const { return VariableCount; }
    void SetVariableCount(std::int32_t Count);
    std::string GetVariableName(std::int32_t Index) const;
    void SetVariableName(std::int32_t Index, const std::string& Name);

    bool CompileMathFunc();
    bool EvaluateMathFunc();
    long double GetResultFloat() const { return ResultValue.FloatValue; }
    void SetVariableFloat(std::int32_t Index, long double X) {
        if (Index < 0 || Index >= VariableCount) [[unlikely]]
            variableIndexFault("SetVariableFloat");
        VariableValues[Index].Kind = mvFloat;
        VariableValues[Index].FloatValue = X;
    }
    void SetVariableValue(std::int32_t Index, const TMathValue& Value);
    std::string GetErrorText() const { return MathErrorText(ErrorCode, ErrorPos); }

    // An independent copy: text, variables, compiled program (bound to this object),
    // state, result and error. The copy keeps working after its source is gone.
    virtual void Assign(const TMathFunction& Source);

    // One step outside a program, as constant folding runs it.
    void ComputeAOperator(const TMathValue& A, const TMathValue& B, const TMathTokenRec& Operator,
                          TMathValue& R);
    void ComputeAFunc(const TMathValue& A, const TMathTokenRec& Func, TMathValue& R);
    TMathOperation GetOperation(TMathTokenType TokenType);
    void BindOperations(TMathTokenArrayStackObj& List);
    void BindOperations(TMathTokenArray& List);

    // Read directly by owners; written only by this class.
    TMathFunctionState State = msNotCompiled;
    TMathValue ResultValue;
    bool HasVariables = false;
    TMathErrorCode ErrorCode = meNoError;
    std::int32_t ErrorPos = 0;

protected:
    std::int32_t StackTop = -1;
    TMathEvalStack EvalStack;
    std::int32_t StepIndex = 0;
    std::string Expression;
    std::int32_t VariableCount = 0;
    TMathStringsArray VariableNames;
    TMathValuesArray VariableValues;
    TMathTokenArray Program;

private:
    friend struct TMathSteps;

    void resetProgram();
    [[noreturn]] static void variableIndexFault(const char* Operation);
    void setFault(TMathErrorCode Code, std::int32_t Position);
    void Tokenize(TMathTokenArrayStackObj& Input);
    void CleanExpression(std::string& Text, std::vector<std::int32_t>& Positions) const;
    void CheckCharacters(const std::string& Text, const std::vector<std::int32_t>& Positions);
    void ScanTokens(const std::string& Text, const std::vector<std::int32_t>& Positions,
                    TMathTokenArrayStackObj& Input);
    void ScanNumber(const std::string& Text, const std::vector<std::int32_t>& Positions, std::size_t& P,
                    TMathTokenArrayStackObj& Input);
    bool ScanReservedWord(const std::string& Text, const std::vector<std::int32_t>& Positions, std::size_t& P,
                          TMathTokenArrayStackObj& Input);
    void ScanVariable(const std::string& Text, const std::vector<std::int32_t>& Positions,
                      const std::vector<std::string>& UpperNames, std::size_t& P,
                      TMathTokenArrayStackObj& Input);
    void CheckParentheses(const TMathTokenArrayStackObj& Input);
    void FoldSigns(TMathTokenArrayStackObj& Input);
    void InsertImplicitProducts(TMathTokenArrayStackObj& Input);
    void ExpandUnarySigns(TMathTokenArrayStackObj& Input);
    void NegateOperand(TMathTokenArrayStackObj& Input, std::int32_t Index);
    void NegateGroup(TMathTokenArrayStackObj& Input, std::int32_t Index);
    void CheckSyntax(const TMathTokenArrayStackObj& Input);
    void InfixToPostfix(const TMathTokenArrayStackObj& Input, TMathTokenArrayStackObj& Output);
    void SimplifyPostFix(TMathTokenArrayStackObj& Output);
    void EvalConstantPostFix(const TMathTokenArrayStackObj& Output);
};

// ---------------------------------------------------------------------------------------
// Trigonometric zero fix-up: SIN, COS, TAN, CSC, SEC and COT go through two replaceable
// routines that can snap a tiny result near a zero of the function to exactly 0.0.

enum TTrigFixupType : std::uint8_t {
    tfNormal = 0,
    tfThou = 1,
    tfTenThou = 2,
    tfHundThou = 3,
    tfMill = 4,
    tfTenMill = 5
};

using TTrigRoutine = long double (*)(long double X);

// Installs the routines of the pair; the start pair is (tfTenThou, false). Called on the
// GUI thread at start-up, before any worker evaluates.
void SetTrigFixup(TTrigFixupType Level, bool RequireExact);
TTrigFixupType CurrentTrigFixup();
bool CurrentRequireExact();

long double SineRoutine(long double X);
long double CosineRoutine(long double X);

// The configuration word of a level, compared exactly ("tfNormal" .. "tfTenMill"); any
// other text, other cases included, is tfTenThou.
TTrigFixupType TrigFixupTypeFromWord(std::string_view Word);
