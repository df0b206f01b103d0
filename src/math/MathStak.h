#pragma once
// Tokens of compiled expressions and the growable token list the compiler works with.

#include "math/MathCalc.h"

#include <cstdint>
#include <vector>

class TMathFunction;
struct TMathTokenRec;

// 1 .. 7 are the brackets and operators, 8 .. 49 the functions in the order of the
// reserved-word table (MathFunc.h).
enum TMathTokenType : std::int32_t {
    ttNone = 0,
    ttOpenParen = 1,
    ttCloseParen = 2,
    ttPlus = 3,
    ttMinus = 4,
    ttMultiply = 5,
    ttDivide = 6,
    ttPower = 7,
    ttDegToRad = 8,
    ttRadToDeg = 9,
    ttGradToRad = 10,
    ttRadToGrad = 11,
    ttCycleToRad = 12,
    ttRadToCycle = 13,
    ttArcSinh = 14,
    ttArcCosh = 15,
    ttArcTanh = 16,
    ttArcCsch = 17,
    ttArcSech = 18,
    ttArcCoth = 19,
    ttArcSin = 20,
    ttArcCos = 21,
    ttArcTan = 22,
    ttArcCsc = 23,
    ttArcSec = 24,
    ttArcCot = 25,
    ttSinh = 26,
    ttCosh = 27,
    ttTanh = 28,
    ttCsch = 29,
    ttSech = 30,
    ttCoth = 31,
    ttSin = 32,
    ttCos = 33,
    ttTan = 34,
    ttCsc = 35,
    ttSec = 36,
    ttCot = 37,
    ttExp = 38,
    ttGrInt = 39,
    ttInt = 40,
    ttSqrt = 41,
    ttSquare = 42,
    ttTrunc = 43,
    ttRound = 44,
    ttFrac = 45,
    ttAbs = 46,
    ttLn = 47,
    ttLog = 48,
    ttFact = 49,
    ttConstant = 1000,
    ttVariable = 5000,
};

inline bool IsOperatorToken(TMathTokenType T) {
    return T >= ttPlus && T <= ttPower;
}
inline bool IsFunctionToken(TMathTokenType T) {
    return T >= ttDegToRad && T <= ttFact;
}

// The step routine of one program token. It works on the value stack of Owner.
using TMathStepCode = void (*)(TMathFunction& Owner, const TMathTokenRec& Token);

// A step bound to the function it belongs to; copies of a function bind their own.
struct TMathOperation {
    TMathStepCode Code = nullptr;
    TMathFunction* Data = nullptr;
    explicit operator bool() const { return Code != nullptr; }
};

struct TMathTokenRec {
    TMathOperation Operation;
    TMathTokenType TokenType = ttNone;
    std::int32_t VarIndex = 0;
    std::int32_t CharPos = 0; // 1-based in the expression text, blanks counted; 0 when made up
    TMathValue Value;         // of a constant token
};

using TMathTokenArray = std::vector<TMathTokenRec>;

void ClearTokenRec(TMathTokenRec& Rec);

// A list and stack of tokens. Items.size() is the capacity; Count records are in use.
class TMathTokenArrayStackObj {
public:
    std::int32_t Count = 0;
    TMathTokenArray Items;

    std::int32_t Capacity() const { return static_cast<std::int32_t>(Items.size()); }
    std::int32_t TopIndex() const { return Count - 1; }

    void PushBlankRecord();
    void PushFields(TMathStepCode Operation, TMathFunction* Owner, TMathTokenType TokenType,
                    std::int32_t VarIndex, std::int32_t CharPos, const TMathValue& Value);
    void PushTokenRec(const TMathTokenRec& Rec);
    void PopTokenRec(TMathTokenRec& Rec);
    void Delete(std::int32_t Position, std::int32_t RecCount);
    void InsertBlankRecord(std::int32_t Position);
    void InsertFields(std::int32_t Position, TMathStepCode Operation, TMathFunction* Owner,
                      TMathTokenType TokenType, std::int32_t VarIndex, std::int32_t CharPos,
                      const TMathValue& Value);
    void Clear();
    void CopyToArray(TMathTokenArray& Dest) const;
    void SetInitialCapacity(std::int32_t N);
    void EnsureCapacity();
};
