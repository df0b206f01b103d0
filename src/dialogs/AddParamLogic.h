#pragma once
// What the parametric and polar function dialogs do, without their windows: the entries of
// the form as plain values, loading them from a function, the OK check in its fixed order
// and storing them back. The check compiles the typed expressions into the dialog's own
// working copies, and the store hands exactly those compiled copies to the function.

#include "dialogs/DlgCheck.h"
#include "math/MathConst.h"
#include "model/funcpara.h"
#include "model/funcpolr.h"
#include "platform/Colors.h"

#include <string>
#include <vector>

// The controls of the two dialogs a failed check points at.
enum TCurveControl : int { cuNone, cuFirstFunc, cuSecondFunc, cuLoBound, cuHiBound };

// What the controls of a curve dialog hold.
struct TCurveEntries {
    std::vector<std::string> Funcs; // X and Y of a parametric curve, R of a polar one
    std::string LoBound = "0";
    std::string HiBound = "2pi";
    int Samples = 10000;
    TColor Color = clBlue;
    int LineWidth = 1;
};

// Limits of the parameter range: 10,000 pi with a margin, so that 10,000 pi itself passes.
inline constexpr long double CurveBoundLimit = 10000.0L * 3.14159265358979323846264338327950288L + 0.0001L;
inline constexpr int MinCurveSamples = 10;
inline constexpr int MaxCurveSamples = 100000;

// The part both dialogs share: the range, samples, colour and width.
class TCurveDlgLogic {
public:
    TMathConstCheck LoBound;
    TMathConstCheck HiBound;

protected:
    TCurveDlgLogic();
    TCurveEntries loadCurve(const TSampledCurveObj& Func) const;
    // Both bounds, then their order.
    TDlgCheck validateRange(const TCurveEntries& Entries);
    // The range texts and the values the check computed, samples, colour and width.
    void storeCurve(const TCurveEntries& Entries, TSampledCurveObj& Func) const;
};

class TParametricDlgLogic : public TCurveDlgLogic {
public:
    TMathParametricFunc WorkX;
    TMathParametricFunc WorkY;

    // The working copies take the function's expressions.
    TCurveEntries Load(const TFuncParametricObj& Func);
    // Lower bound, upper bound, their order, X, then Y; the first failure stops.
    TDlgCheck Validate(const TCurveEntries& Entries);
    // After a passed Validate.
    void Store(const TCurveEntries& Entries, TFuncParametricObj& Func) const;
};

class TPolarDlgLogic : public TCurveDlgLogic {
public:
    TMathPolarFunc Work;

    TCurveEntries Load(const TFuncPolarObj& Func);
    // Lower bound, upper bound, their order, then the expression.
    TDlgCheck Validate(const TCurveEntries& Entries);
    void Store(const TCurveEntries& Entries, TFuncPolarObj& Func) const;
};
