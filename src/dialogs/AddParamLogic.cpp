#include "dialogs/AddParamLogic.h"

TCurveDlgLogic::TCurveDlgLogic() {
    SetInclusiveBounds(LoBound, "Lower Bound", "-10,000*pi", -CurveBoundLimit, "10,000*pi", CurveBoundLimit);
    SetInclusiveBounds(HiBound, "Upper Bound", "-10,000*pi", -CurveBoundLimit, "10,000*pi", CurveBoundLimit);
}

TCurveEntries TCurveDlgLogic::loadCurve(const TSampledCurveObj& Func) const {
    TCurveEntries e;
    e.LoBound = Func.LoBoundStr;
    e.HiBound = Func.HiBoundStr;
    e.Samples = Func.Samples;
    e.Color = Func.FuncColor;
    e.LineWidth = Func.LineWidth;
    return e;
}

TDlgCheck TCurveDlgLogic::validateRange(const TCurveEntries& Entries) {
    if (TDlgCheck c = CheckConstField(LoBound, Entries.LoBound, cuLoBound); !c.Ok) return c;
    if (TDlgCheck c = CheckConstField(HiBound, Entries.HiBound, cuHiBound); !c.Ok) return c;
    return CheckRangeOrder(LoBound, HiBound, "Lower Bound must be <= Upper Bound.", cuLoBound);
}

void TCurveDlgLogic::storeCurve(const TCurveEntries& Entries, TSampledCurveObj& Func) const {
    Func.LoBoundStr = Entries.LoBound;
    Func.HiBoundStr = Entries.HiBound;
    Func.LoBound = LoBound.Value;
    Func.HiBound = HiBound.Value;
    Func.Samples = Entries.Samples;
    Func.FuncColor = Entries.Color;
    Func.LineWidth = Entries.LineWidth;
}

// ---- parametric ----

TCurveEntries TParametricDlgLogic::Load(const TFuncParametricObj& Func) {
    WorkX.Assign(Func.FuncX);
    WorkY.Assign(Func.FuncY);
    TCurveEntries e = loadCurve(Func);
    e.Funcs = {WorkX.GetExpression(), WorkY.GetExpression()};
    return e;
}

TDlgCheck TParametricDlgLogic::Validate(const TCurveEntries& Entries) {
    if (TDlgCheck c = validateRange(Entries); !c.Ok) return c;
    const std::string& x = Entries.Funcs.size() > 0 ? Entries.Funcs[0] : std::string();
    const std::string& y = Entries.Funcs.size() > 1 ? Entries.Funcs[1] : std::string();
    if (TDlgCheck c = CompileFuncField(WorkX, x, "\"X=\" Function Definition", cuFirstFunc); !c.Ok) return c;
    return CompileFuncField(WorkY, y, "\"Y=\" Function Definition", cuSecondFunc);
}

void TParametricDlgLogic::Store(const TCurveEntries& Entries, TFuncParametricObj& Func) const {
    Func.FuncX.Assign(WorkX);
    Func.FuncY.Assign(WorkY);
    storeCurve(Entries, Func);
}

// ---- polar ----

TCurveEntries TPolarDlgLogic::Load(const TFuncPolarObj& Func) {
    Work.Assign(Func.Func);
    TCurveEntries e = loadCurve(Func);
    e.Funcs = {Work.GetExpression()};
    return e;
}

TDlgCheck TPolarDlgLogic::Validate(const TCurveEntries& Entries) {
    if (TDlgCheck c = validateRange(Entries); !c.Ok) return c;
    const std::string& r = Entries.Funcs.empty() ? std::string() : Entries.Funcs[0];
    return CompileFuncField(Work, r, "Function Definition", cuFirstFunc);
}

void TPolarDlgLogic::Store(const TCurveEntries& Entries, TFuncPolarObj& Func) const {
    Func.Func.Assign(Work);
    storeCurve(Entries, Func);
}
