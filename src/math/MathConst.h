#pragma once
// The check behind every constant-expression field of the dialogs: the text must compile
// to a constant (no variables), optionally be empty, and lie within optional bounds. Plain
// logic; the edit control TEditMathConst (editmath.h) puts it on screen.

#include "math/MathCalc.h"
#include "math/MathFunc.h"

#include <cstdint>
#include <initializer_list>
#include <string>

enum TEditMathBound : uint8_t { AllowEmpty, CheckLoBound, LoBoundCanEqual, CheckHiBound, HiBoundCanEqual };

// A set of TEditMathBound (bit n for the value n).
class TEditMathBounds {
public:
    constexpr TEditMathBounds() = default;
    constexpr TEditMathBounds(std::initializer_list<TEditMathBound> bounds) {
        for (auto b : bounds)
            bits_ |= uint8_t(1u << b);
    }
    constexpr bool Contains(TEditMathBound b) const { return (bits_ >> b) & 1u; }
    constexpr void Include(TEditMathBound b) { bits_ |= uint8_t(1u << b); }
    constexpr void Exclude(TEditMathBound b) { bits_ &= uint8_t(~(1u << b)); }
    constexpr uint8_t Bits() const { return bits_; }
    constexpr bool operator==(const TEditMathBounds&) const = default;

private:
    uint8_t bits_ = 0;
};

// Relations of CheckRelation: this value compared with another field's.
enum : int { erEqual = 0, erNotEqual = 1, erGreater = 2, erLess = 3, erGreaterEqual = 4, erLessEqual = 5 };

class TMathConstCheck {
public:
    TMathConstCheck();

    // Settings of the field.
    TEditMathBounds emBoundsCheck;
    std::string emCtrlErrorName; // the field's name in messages
    std::string emLoBoundStr;    // the low bound as messages show it; empty: its general text
    long double emLoBoundVal = 0;
    std::string emHiBoundStr;
    long double emHiBoundVal = 0;

    // State after the last evaluation.
    TMathErrorCode ErrorCode = meEmptyExpression;
    int32_t ErrorPos = 0;
    TMathValue Value;
    bool Empty = false; // empty and allowed to be
    bool Valid = false;

    // Evaluates Text, sets the state and returns Valid.
    bool EvaluateText(const std::string& Text);
    // The message for the current state; empty when valid.
    std::string GetErrorText() const;
    // Compares this value with Other's (both must be valid; an empty one always passes).
    // False with a message for a failed relation; false without one for an unknown relation
    // or an invalid field.
    bool CheckRelation(int Relation, const TMathConstCheck& Other, std::string& Message) const;
};
