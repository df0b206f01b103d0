#include "dialogs/Add3dLogic.h"

#include <algorithm>
#include <cctype>

void CountExit(int Count, TDetailEntry& Partner) {
    const int limit = MaxLineDetail(Count);
    if (limit < Partner.Value) Partner.Value = std::max(limit, 0);
    if (limit <= 0) {
        Partner.ReadOnly = true;
    } else {
        Partner.ReadOnly = false;
        Partner.Max = limit;
    }
}

TDetailEntry LoadDetail(int Count, int Value) {
    TDetailEntry d;
    d.Max = std::max(MaxLineDetail(Count), 0);
    d.Value = std::clamp(Value, 0, d.Max);
    d.ReadOnly = d.Max == 0;
    return d;
}

// ---- rotated curve ----

TRotateDlgLogic::TRotateDlgLogic() {
    SetInclusiveBounds(BeginX, "Lower Bound", "-700", -Func3DRangeLimit, "+700", Func3DRangeLimit);
    SetInclusiveBounds(EndX, "Upper Bound", "-700", -Func3DRangeLimit, "+700", Func3DRangeLimit);
    const char* names[] = {"Point 1 X", "Point 1 Y", "Point 2 X", "Point 2 Y"};
    for (std::size_t i = 0; i < Points.size(); ++i)
        SetInclusiveBounds(Points[i], names[i], "-1,000,000,000,000", -RotationPointLimit,
                           "1,000,000,000,000", RotationPointLimit);
}

TRotateEntries TRotateDlgLogic::Load(const TFuncRotateObj& Func) {
    Work.Assign(*Func.Func);
    TRotateEntries e;
    e.Func = Work.GetExpression();
    e.BeginX = Func.LoBoundStr;
    e.EndX = Func.HiBoundStr;
    e.Axis = Func.RotationAxis == RotateAboutY || Func.RotationAxis == RotateAboutLine ? Func.RotationAxis
                                                                                       : RotateAboutX;
    e.Points = {Func.P1XStr, Func.P1YStr, Func.P2XStr, Func.P2YStr};
    e.Circles = Func.Circles;
    e.CircleDetail = LoadDetail(Func.Lines, Func.CircleDetail);
    e.Lines = Func.Lines;
    e.LineDetail = LoadDetail(Func.Circles, Func.LineDetail);
    e.Color = Func.FuncColor;
    e.RoundDown = Func.LimitTo700;
    return e;
}

void TRotateDlgLogic::LinesExit(TRotateEntries& Entries) {
    CountExit(Entries.Lines, Entries.CircleDetail);
}

void TRotateDlgLogic::CirclesExit(TRotateEntries& Entries) {
    CountExit(Entries.Circles, Entries.LineDetail);
}

TDlgCheck TRotateDlgLogic::Validate(const TRotateEntries& Entries) {
    if (TDlgCheck c = CheckConstField(BeginX, Entries.BeginX, rtBeginX); !c.Ok) return c;
    if (TDlgCheck c = CheckConstField(EndX, Entries.EndX, rtEndX); !c.Ok) return c;
    const int pointControls[] = {rtP1X, rtP1Y, rtP2X, rtP2Y};
    for (std::size_t i = 0; i < Points.size(); ++i)
        if (TDlgCheck c = CheckConstField(Points[i], Entries.Points[i], pointControls[i]); !c.Ok) return c;
    if (TDlgCheck c = CheckRangeOrder(BeginX, EndX, "Lower Bound must be <= Upper Bound.", rtBeginX); !c.Ok)
        return c;
    return CompileFuncField(Work, Entries.Func, "Function Definition", rtFunc);
}

void TRotateDlgLogic::Store(const TRotateEntries& Entries, TFuncRotateObj& Func) const {
    Func.Func->Assign(Work);
    Func.LoBoundStr = Entries.BeginX;
    Func.HiBoundStr = Entries.EndX;
    Func.LoBound = BeginX.Value;
    Func.HiBound = EndX.Value;
    Func.RotationAxis = Entries.Axis;
    Func.P1XStr = Entries.Points[0];
    Func.P1YStr = Entries.Points[1];
    Func.P2XStr = Entries.Points[2];
    Func.P2YStr = Entries.Points[3];
    Func.P1X = Points[0].Value;
    Func.P1Y = Points[1].Value;
    Func.P2X = Points[2].Value;
    Func.P2Y = Points[3].Value;
    Func.Circles = Entries.Circles;
    Func.CircleDetail = Entries.CircleDetail.Value;
    Func.Lines = Entries.Lines;
    Func.LineDetail = Entries.LineDetail.Value;
    Func.FuncColor = Entries.Color;
    Func.LimitTo700 = Entries.RoundDown;
}

// ---- surface ----

const char* DependentVarItem(int Code) {
    switch (Code) {
    case dvX:
        return "X=f(y,z)=";
    case dvY:
        return "Y=f(x,z)=";
    default:
        return "Z=f(x,y)=";
    }
}

T3DDlgLogic::T3DDlgLogic() {
    for (TMathConstCheck& range : Ranges)
        SetInclusiveBounds(range, "", "-700", -Func3DRangeLimit, "+700", Func3DRangeLimit);
}

bool T3DDlgLogic::SetDependentVariable(int Code) {
    if (Code == dependentVar_) return false;
    dependentVar_ = uint8_t(Code >= dvX && Code <= dvZ ? Code : int(dvZ));
    return true;
}

char T3DDlgLogic::VarLetter(int Var) const {
    if (Var == 1) return dependentVar_ == dvX ? 'Y' : 'X';
    return dependentVar_ == dvZ ? 'Y' : 'Z';
}

std::string T3DDlgLogic::VarGroupTitle(int Var) const {
    return std::string(1, VarLetter(Var)) + " Variable";
}

std::string T3DDlgLogic::VarLinesLabel(int Var) const {
    return "Wire Lines Parallel to " + std::string(1, VarLetter(Var));
}

void T3DDlgLogic::DependentVarExit(T3DEntries& Entries) {
    if (!Entries.DependentText.empty()) {
        const char first = char(std::toupper(static_cast<unsigned char>(Entries.DependentText[0])));
        if (first >= 'X' && first <= 'Z') SetDependentVariable(first - 'X' + dvX);
    }
    Entries.DependentText = DependentVarItem(dependentVar_);
}

void T3DDlgLogic::Var1LinesExit(T3DEntries& Entries) {
    CountExit(Entries.Var1Lines, Entries.Var2Detail);
}

void T3DDlgLogic::Var2LinesExit(T3DEntries& Entries) {
    CountExit(Entries.Var2Lines, Entries.Var1Detail);
}

T3DEntries T3DDlgLogic::Load(const TFunc3DObj& Func) {
    SetDependentVariable(Func.Func->DependentVar());
    Work.Assign(*Func.Func);
    T3DEntries e;
    e.DependentText = DependentVarItem(dependentVar_);
    e.Func = Work.GetExpression();
    e.Color = Func.FuncColor;
    e.BeginVar1 = Func.Var1LoStr;
    e.EndVar1 = Func.Var1HiStr;
    e.Var1Lines = Func.Var1Lines;
    e.Var1Detail = LoadDetail(Func.Var2Lines, Func.Var1Detail);
    e.BeginVar2 = Func.Var2LoStr;
    e.EndVar2 = Func.Var2HiStr;
    e.Var2Lines = Func.Var2Lines;
    e.Var2Detail = LoadDetail(Func.Var1Lines, Func.Var2Detail);
    e.RoundDown = Func.LimitTo700;
    return e;
}

TDlgCheck T3DDlgLogic::Validate(const T3DEntries& Entries) {
    const std::string letters[] = {std::string(1, VarLetter(1)), std::string(1, VarLetter(2))};
    for (std::size_t i = 0; i < Ranges.size(); ++i)
        Ranges[i].emCtrlErrorName = letters[i / 2] + (i % 2 == 0 ? " Lower Bound" : " Upper Bound");
    const std::string* texts[] = {&Entries.BeginVar1, &Entries.EndVar1, &Entries.BeginVar2, &Entries.EndVar2};
    const int controls[] = {t3BeginVar1, t3EndVar1, t3BeginVar2, t3EndVar2};
    for (std::size_t i = 0; i < Ranges.size(); ++i)
        if (TDlgCheck c = CheckConstField(Ranges[i], *texts[i], controls[i]); !c.Ok) return c;
    for (int v = 0; v < 2; ++v) {
        const std::string message = letters[v] + " Lower Bound must be <= " + letters[v] + " Upper Bound.";
        if (TDlgCheck c = CheckRangeOrder(Ranges[2 * v], Ranges[2 * v + 1], message, controls[2 * v]); !c.Ok)
            return c;
    }
    Work.SetDependentVar(dependentVar_);
    return CompileFuncField(Work, Entries.Func, "Function Definition", t3Func);
}

void T3DDlgLogic::Store(const T3DEntries& Entries, TFunc3DObj& Func) const {
    Func.Func->Assign(Work);
    Func.FuncColor = Entries.Color;
    Func.Var1LoStr = Entries.BeginVar1;
    Func.Var1HiStr = Entries.EndVar1;
    Func.Var1Lo = Ranges[0].Value;
    Func.Var1Hi = Ranges[1].Value;
    Func.Var1Lines = Entries.Var1Lines;
    Func.Var1Detail = Entries.Var1Detail.Value;
    Func.Var2LoStr = Entries.BeginVar2;
    Func.Var2HiStr = Entries.EndVar2;
    Func.Var2Lo = Ranges[2].Value;
    Func.Var2Hi = Ranges[3].Value;
    Func.Var2Lines = Entries.Var2Lines;
    Func.Var2Detail = Entries.Var2Detail.Value;
    Func.LimitTo700 = Entries.RoundDown;
}
