#pragma once
// What the rotated-curve and 3D function dialogs do, without their windows: the entries of
// the forms as plain values, the rule that a line count caps the detail of the other
// direction, the dependent-variable choice of a surface with the letters it gives the
// form, the OK checks in their fixed order, and loading and storing a function.

#include "dialogs/DlgCheck.h"
#include "math/MathConst.h"
#include "model/func3d.h"
#include "model/func3dobj.h"
#include "platform/Colors.h"

#include <array>
#include <cstdint>
#include <string>

// A detail spin edit: its value, its maximum and whether the user may change it.
struct TDetailEntry {
    int Value = 0;
    int Max = 5;
    bool ReadOnly = false;
};

// Leaving the edit of a line count: the partner detail may be at most MaxLineDetail(Count);
// a limit of 0 or less makes it read-only (its maximum stays), any other becomes its maximum.
void CountExit(int Count, TDetailEntry& Partner);
// Loading a detail whose direction has Count lines: the limit becomes its maximum, the value
// is held within it, and a limit of 0 makes it read-only as leaving the count edit would.
TDetailEntry LoadDetail(int Count, int Value);

// Limits of the ranges of 3D functions and of the points of a rotation line.
inline constexpr long double Func3DRangeLimit = 700;
inline constexpr long double RotationPointLimit = 1e12L;

// ---- rotated curve ----

enum TRotateControl : int { rtNone, rtFunc, rtBeginX, rtEndX, rtP1X, rtP1Y, rtP2X, rtP2Y };

struct TRotateEntries {
    std::string Func;
    std::string BeginX = "0";
    std::string EndX = "1";
    std::array<std::string, 4> Points{"0", "0", "1", "1"}; // P1X, P1Y, P2X, P2Y
    uint8_t Axis = RotateAboutX;
    int Lines = 6;
    TDetailEntry LineDetail;
    int Circles = 6;
    TDetailEntry CircleDetail;
    TColor Color = clBlue;
    bool RoundDown = false;
};

class TRotateDlgLogic {
public:
    TRotateDlgLogic();

    TMathRotateFunc Work;
    TMathConstCheck BeginX;
    TMathConstCheck EndX;
    std::array<TMathConstCheck, 4> Points;

    // The working copy takes the function's expression.
    TRotateEntries Load(const TFuncRotateObj& Func);
    // ELinesExit: the line count caps the circle detail; ECirclesExit the other way.
    static void LinesExit(TRotateEntries& Entries);
    static void CirclesExit(TRotateEntries& Entries);
    // The X range, the four line points (whatever axis is chosen), the range's order, then
    // the expression; the first failure stops.
    TDlgCheck Validate(const TRotateEntries& Entries);
    // After a passed Validate.
    void Store(const TRotateEntries& Entries, TFuncRotateObj& Func) const;
};

// ---- surface ----

enum T3DControl : int { t3None, t3DependentVar, t3Func, t3BeginVar1, t3EndVar1, t3BeginVar2, t3EndVar2 };

struct T3DEntries {
    std::string DependentText = "Z=f(x,y)="; // what the combo box shows or the user typed
    std::string Func;
    std::string BeginVar1 = "-1";
    std::string EndVar1 = "1";
    int Var1Lines = 0;
    TDetailEntry Var1Detail;
    std::string BeginVar2 = "-1";
    std::string EndVar2 = "1";
    int Var2Lines = 0;
    TDetailEntry Var2Detail;
    TColor Color = clBlue;
    bool RoundDown = false;
};

// The combo item of a dependent-variable code: "X=f(y,z)=", "Y=f(x,z)=", "Z=f(x,y)=".
const char* DependentVarItem(int Code);

class T3DDlgLogic {
public:
    T3DDlgLogic();

    TMath3DFunc Work;
    std::array<TMathConstCheck, 4> Ranges; // Var1 low, Var1 high, Var2 low, Var2 high

    uint8_t DependentVar() const { return dependentVar_; }
    // Nothing when Code is the current one; else the current code becomes Code when it is
    // 1..3, else 3. True when it changed (the form relabels then).
    bool SetDependentVariable(int Code);
    // The letter of variable 1 or 2 under the current dependent variable.
    char VarLetter(int Var) const;
    std::string VarGroupTitle(int Var) const; // "X Variable"
    std::string VarLinesLabel(int Var) const; // "Wire Lines Parallel to X"

    // EDependantVarExit: a text beginning with x, y or z (any case) selects that variable;
    // afterwards the text is the item of the current code.
    void DependentVarExit(T3DEntries& Entries);
    // Variable 1's line count caps variable 2's detail; and the other way.
    static void Var1LinesExit(T3DEntries& Entries);
    static void Var2LinesExit(T3DEntries& Entries);

    T3DEntries Load(const TFunc3DObj& Func);
    // The four range ends (named after the current letters), variable 1's order, variable
    // 2's order, then the expression under the current dependent variable.
    TDlgCheck Validate(const T3DEntries& Entries);
    void Store(const T3DEntries& Entries, TFunc3DObj& Func) const;

private:
    uint8_t dependentVar_ = dvZ;
};
