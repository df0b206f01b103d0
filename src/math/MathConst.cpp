#include "math/MathConst.h"

#include "math/Floatstr.h"

TMathConstCheck::TMathConstCheck() {
    ClearMathValue(Value);
}

bool TMathConstCheck::EvaluateText(const std::string& Text) {
    Valid = false;
    if (emBoundsCheck.Contains(AllowEmpty) && Text.empty()) {
        ErrorCode = meNoError;
        ErrorPos = 0;
        ClearMathValue(Value);
        Empty = true;
        Valid = true;
        return true;
    }
    Empty = false;
    try {
        TMathFunction function;
        function.SetExpression(Text);
        Valid = function.CompileMathFunc();
        ErrorCode = function.ErrorCode;
        ErrorPos = function.ErrorPos;
        Value = function.ResultValue;
    } catch (...) {
        Valid = false;
        ErrorCode = meUnknownException;
        ErrorPos = 0;
        ClearMathValue(Value);
    }
    if (Valid) {
        const long double x = Value.FloatValue;
        if (emBoundsCheck.Contains(CheckLoBound))
            Valid = emBoundsCheck.Contains(LoBoundCanEqual) ? x >= emLoBoundVal : x > emLoBoundVal;
        if (Valid && emBoundsCheck.Contains(CheckHiBound))
            Valid = emBoundsCheck.Contains(HiBoundCanEqual) ? x <= emHiBoundVal : x < emHiBoundVal;
    }
    return Valid;
}

std::string TMathConstCheck::GetErrorText() const {
    if (Valid && ErrorCode == meNoError) return {};
    if (ErrorCode != meNoError)
        return "Error in: " + emCtrlErrorName + ": " + MathErrorText(ErrorCode, ErrorPos);
    std::string b;
    if (emBoundsCheck.Contains(CheckLoBound)) {
        b = emBoundsCheck.Contains(LoBoundCanEqual) ? ">= " : "> ";
        b += emLoBoundStr.empty() ? FloatToStrGeneral(emLoBoundVal) : emLoBoundStr;
    }
    if (emBoundsCheck.Contains(CheckHiBound)) {
        if (!b.empty()) b += " and ";
        b += emBoundsCheck.Contains(HiBoundCanEqual) ? "<= " : "< ";
        b += emHiBoundStr.empty() ? FloatToStrGeneral(emHiBoundVal) : emHiBoundStr;
    }
    if (b.empty()) return {};
    return "Error: " + emCtrlErrorName + " must be " + b;
}

bool TMathConstCheck::CheckRelation(int Relation, const TMathConstCheck& Other, std::string& Message) const {
    Message.clear();
    if (!Valid || !Other.Valid) return false;
    if (Empty || Other.Empty) return true;
    const long double p = Value.FloatValue, q = Other.Value.FloatValue;
    const std::string& a = emCtrlErrorName;
    const std::string& b = Other.emCtrlErrorName;
    bool pass = false;
    switch (Relation) {
    case erEqual:
        pass = p == q;
        Message = "Error: " + a + " must equal " + b;
        break;
    case erNotEqual:
        pass = p != q;
        Message = "Error: " + a + " can not equal " + b;
        break;
    case erGreater:
        pass = p > q;
        Message = "Error: " + a + " must be > " + b;
        break;
    case erLess:
        pass = p < q;
        Message = "Error: " + a + " must be < " + b;
        break;
    case erGreaterEqual:
        pass = p >= q;
        Message = "Error: " + a + " must be >= " + b;
        break;
    case erLessEqual:
        pass = p <= q;
        Message = "Error: " + a + " must be <= " + b;
        break;
    default:
        return false;
    }
    if (pass) Message.clear();
    return pass;
}
