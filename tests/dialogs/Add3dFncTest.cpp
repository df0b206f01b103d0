#include "dialogs/Add3dFnc.h"
#include "dialogs/Add3dLogic.h"
#include "math/ColorSample.h"

#include "dialogs/FuncDlgTestSupport.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

void expectDetail(const TDetailEntry& d, int value, int max, bool readOnly) {
    EXPECT_EQ(d.Value, value);
    EXPECT_EQ(d.Max, max);
    EXPECT_EQ(d.ReadOnly, readOnly);
}

void expectFailure(const TDlgCheck& c, const std::string& message, const std::string& mathName, int control) {
    EXPECT_FALSE(c.Ok);
    EXPECT_EQ(c.Message, message);
    EXPECT_EQ(c.MathErrorName, mathName);
    EXPECT_EQ(c.Control, control);
}

void selectAllAndType(QWidget* w, const char* text) {
    w->setFocus();
    if (auto* spin = qobject_cast<QSpinBox*>(w)) spin->selectAll();
    if (auto* combo = qobject_cast<QComboBox*>(w)) combo->lineEdit()->selectAll();
    TypeText(text);
}

} // namespace

TEST(Add3dLogic, ALineCountCapsTheDetailOfTheOtherDirection) {
    // Each step leaves the count edit with the partner as the step before left it.
    struct TStep {
        int count;
        int value, max;
        bool readOnly;
    };
    const TStep steps[] = {
        {6, 3, 18, false}, {100, 0, 18, true}, {6, 0, 18, false},
        {1, 0, 98, false}, {0, 0, 100, false}, {12, 0, 8, false},
    };
    TDetailEntry partner{3, 5, false};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.count);
        CountExit(s.count, partner);
        expectDetail(partner, s.value, s.max, s.readOnly);
        partner.Value = std::max(partner.Value, 0);
    }
    partner = {20, 98, false};
    CountExit(12, partner); // a larger value comes down to the new limit
    expectDetail(partner, 8, 8, false);
    // Loading holds the value within the limit; a limit of 0 is read-only from the start.
    expectDetail(LoadDetail(100, 3), 0, 0, true);
    expectDetail(LoadDetail(6, 30), 18, 18, false);
    expectDetail(LoadDetail(12, 6), 6, 8, false);
}

TEST(Add3dLogic, TheDependentVariableTakesATypedFirstLetterOtherwiseTheTextGoesBack) {
    struct TCase {
        const char* typed;
        int code;
        const char* after;
        const char* var1;
        const char* var2;
    };
    const TCase cases[] = {
        {"y", 2, "Y=f(x,z)=", "X", "Z"},   {"w=f(x,y)", 2, "Y=f(x,z)=", "X", "Z"},
        {"", 2, "Y=f(x,z)=", "X", "Z"},    {"Xabc", 1, "X=f(y,z)=", "Y", "Z"},
        {"zed", 3, "Z=f(x,y)=", "X", "Y"}, {"Z=f(x,y)=", 3, "Z=f(x,y)=", "X", "Y"},
    };
    T3DDlgLogic logic;
    EXPECT_EQ(logic.DependentVar(), dvZ);
    EXPECT_EQ(logic.VarGroupTitle(1), "X Variable");
    for (const auto& k : cases) {
        SCOPED_TRACE(k.typed);
        T3DEntries e;
        e.DependentText = k.typed;
        logic.DependentVarExit(e);
        EXPECT_EQ(logic.DependentVar(), k.code);
        EXPECT_EQ(e.DependentText, k.after);
        EXPECT_EQ(logic.VarGroupTitle(1), std::string(k.var1) + " Variable");
        EXPECT_EQ(logic.VarGroupTitle(2), std::string(k.var2) + " Variable");
        EXPECT_EQ(logic.VarLinesLabel(1), std::string("Wire Lines Parallel to ") + k.var1);
        EXPECT_EQ(logic.VarLinesLabel(2), std::string("Wire Lines Parallel to ") + k.var2);
    }
    EXPECT_FALSE(logic.SetDependentVariable(dvZ)); // the current one: nothing
    EXPECT_TRUE(logic.SetDependentVariable(9));    // unknown codes mean Z ...
    EXPECT_EQ(logic.DependentVar(), dvZ);          // ... after a change was asked for
}

TEST(Add3dLogic, RotatedCurveChecksRunInOrderAndTheMappingRoundTrips) {
    struct TCase {
        TRotateEntries e;
        std::string message, mathName;
        int control;
    };
    auto with = [](auto change) {
        TRotateEntries e;
        e.Func = "x^2";
        change(e);
        return e;
    };
    const std::string pointRange = " must be >= -1,000,000,000,000 and <= 1,000,000,000,000";
    const TCase cases[] = {
        {with([](TRotateEntries& e) { e.BeginX = "701"; }), "Error: Lower Bound must be >= -700 and <= +700",
         "", rtBeginX},
        {with([](TRotateEntries& e) { e.EndX = "-700.5"; }), "Error: Upper Bound must be >= -700 and <= +700",
         "", rtEndX},
        // The line points are checked whatever axis is chosen, before the range's order.
        {with([](TRotateEntries& e) {
             e.BeginX = "2";
             e.Points[3] = "1000000000001";
         }),
         "Error: Point 2 Y" + pointRange, "", rtP2Y},
        {with([](TRotateEntries& e) { e.Points[0] = "x"; }),
         "Error in: Point 1 X: Unknown Symbol at Character 1", "", rtP1X},
        {with([](TRotateEntries& e) {
             e.BeginX = "2";
             e.Func = "q";
         }),
         "Lower Bound must be <= Upper Bound.", "", rtBeginX},
        {with([](TRotateEntries& e) { e.Func = "y"; }), "Unknown Symbol at Character 1",
         "Function Definition", rtFunc},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.message);
        TRotateDlgLogic logic;
        expectFailure(logic.Validate(k.e), k.message, k.mathName, k.control);
    }

    TFuncRotateObj f;
    f.Func->SetExpression("sqrt(x)");
    f.LoBoundStr = "1/4";
    f.RotationAxis = 7; // a code of no axis rotates about X, and is stored as X
    f.P2YStr = "3";
    f.Lines = 100;
    f.CircleDetail = 4;
    f.Circles = 6;
    f.LineDetail = 40;
    f.LimitTo700 = true;
    TRotateDlgLogic logic;
    TRotateEntries e = logic.Load(f);
    EXPECT_EQ(e.Func, "sqrt(x)");
    EXPECT_EQ(e.Axis, RotateAboutX);
    expectDetail(e.CircleDetail, 0, 0, true);
    expectDetail(e.LineDetail, 18, 18, false);
    ASSERT_TRUE(logic.Validate(e).Ok);
    TFuncRotateObj g;
    logic.Store(e, g);
    EXPECT_EQ(g.GetDescription(), "Y=f(x)=sqrt(x)");
    EXPECT_EQ(g.LoBoundStr, "1/4");
    EXPECT_EQ(g.LoBound.Denominator, 4);
    EXPECT_EQ(g.RotationAxis, RotateAboutX);
    EXPECT_EQ(g.P2YStr, "3");
    EXPECT_EQ(g.P2Y.Numerator, 3);
    EXPECT_EQ(g.Lines, 100);
    EXPECT_EQ(g.CircleDetail, 0);
    EXPECT_EQ(g.LineDetail, 18);
    EXPECT_TRUE(g.LimitTo700);
    g.Func->SetVariableFloat(0, 9);
    ASSERT_TRUE(g.Func->EvaluateMathFunc());
    EXPECT_EQ(g.Func->GetResultFloat(), 3);
}

TEST(Add3dLogic, SurfaceMessagesNameTheCurrentLettersAndTheExpressionUsesThem) {
    struct TCase {
        int code;
        T3DEntries e;
        std::string message, mathName;
        int control;
    };
    auto with = [](auto change) {
        T3DEntries e;
        e.Func = "1";
        change(e);
        return e;
    };
    const TCase cases[] = {
        {dvX, with([](T3DEntries& e) { e.BeginVar1 = "800"; }),
         "Error: Y Lower Bound must be >= -700 and <= +700", "", t3BeginVar1},
        {dvY, with([](T3DEntries& e) { e.EndVar2 = "q"; }),
         "Error in: Z Upper Bound: Unknown Symbol at Character 1", "", t3EndVar2},
        {dvZ, with([](T3DEntries& e) { e.BeginVar1 = "2"; }), "X Lower Bound must be <= X Upper Bound.", "",
         t3BeginVar1},
        {dvX, with([](T3DEntries& e) { e.BeginVar2 = "3"; }), "Z Lower Bound must be <= Z Upper Bound.", "",
         t3BeginVar2},
        {dvX, with([](T3DEntries& e) { e.Func = "y+x"; }), "Unknown Symbol at Character 3",
         "Function Definition", t3Func},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.message);
        T3DDlgLogic logic;
        logic.SetDependentVariable(k.code);
        expectFailure(logic.Validate(k.e), k.message, k.mathName, k.control);
    }

    TFunc3DObj f;
    f.Func->SetDependentVar(dvX);
    f.Func->SetExpression("y*z");
    f.Var1Lines = 100;
    f.Var2Detail = 9;
    f.Var2Lines = 11;
    f.Var1Detail = 9;
    T3DDlgLogic logic;
    T3DEntries e = logic.Load(f);
    EXPECT_EQ(logic.DependentVar(), dvX);
    EXPECT_EQ(e.DependentText, "X=f(y,z)=");
    expectDetail(e.Var1Detail, 8, 8, false); // capped by Var2Lines = 11
    expectDetail(e.Var2Detail, 0, 0, true);  // capped by Var1Lines = 100
    ASSERT_TRUE(logic.Validate(e).Ok);
    TFunc3DObj g;
    logic.Store(e, g);
    EXPECT_EQ(g.GetDescription(), "X=f(y,z)=y*z");
    EXPECT_EQ(g.Func->DependentVar(), dvX);
    g.Func->SetVariableFloat(0, 2);
    g.Func->SetVariableFloat(1, 3);
    ASSERT_TRUE(g.Func->EvaluateMathFunc());
    EXPECT_EQ(g.Func->GetResultFloat(), 6);
    EXPECT_EQ(g.Var1Lines, 100);
    EXPECT_EQ(g.Var2Detail, 0);
    EXPECT_EQ(g.Var1Lo.Numerator, -1);
}

TEST(AddRotateDlg, LeavingACountEditCapsThePartnerDetailAndEnterInASpinEditCloses) {
    TScopedScriptedUiHook hook;
    TFuncRotateObj f;
    f.Func->SetExpression("x");
    ScriptDialog<TAddRotateDlg>(*hook, [&](TAddRotateDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Modify 2D Function Rotated Into 3D");
        EXPECT_EQ(d.HelpContext(), 3005);
        EXPECT_EQ(Focused(), d.EUserFuncStr);
        EXPECT_EQ(d.ECircleDetail->maximum(), 8); // 12 lines
        selectAllAndType(d.ELines, "100");
        PressKey(Qt::Key_Tab);
        EXPECT_EQ(Focused(), d.ELineDetail);
        EXPECT_TRUE(d.ECircleDetail->isReadOnly());
        EXPECT_EQ(d.ECircleDetail->value(), 0);
        selectAllAndType(d.ELines, "6");
        PressKey(Qt::Key_Tab);
        EXPECT_FALSE(d.ECircleDetail->isReadOnly());
        EXPECT_EQ(d.ECircleDetail->maximum(), 18);
        selectAllAndType(d.ECircleDetail, "18");
        // The circle count caps the line detail when OK closes, even without leaving it.
        selectAllAndType(d.ECircles, "100");
        d.ERotSpecified->setChecked(true);
        d.ECircles->setFocus();
        PressKey(Qt::Key_Enter);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(ModifyRotateFunctionDialog(f, nullptr));
    EXPECT_TRUE(f.Modified);
    EXPECT_EQ(f.Lines, 6);
    EXPECT_EQ(f.CircleDetail, 18);
    EXPECT_EQ(f.Circles, 100);
    EXPECT_EQ(f.LineDetail, 0);
    EXPECT_EQ(f.RotationAxis, RotateAboutLine);
    EXPECT_TRUE(hook->Messages.empty());

    ScriptDialog<TAddRotateDlg>(*hook, [&](TAddRotateDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Add 2D Function Rotated Into 3D");
        EXPECT_EQ(Focused(), d.EUserFuncStr);
        d.ELinePoints[1]->setText("2q");
        Click(d.OKBtn);
        EXPECT_EQ(hook->LastMessage(), "Error in: Point 1 Y: Unknown Symbol at Character 2");
        EXPECT_EQ(Focused(), d.ELinePoints[1]);
    });
    TFuncRotateObj fresh;
    EXPECT_FALSE(AddRotateFunctionDialog(fresh, nullptr));
    EXPECT_FALSE(fresh.Modified);
}

TEST(Add3DDialog, ATypedLetterSwapsTheVariablesAndKeepsWhatWasTyped) {
    TScopedScriptedUiHook hook;
    TFunc3DObj f;
    f.Modified = false;
    ScriptDialog<TAdd3DDialog>(*hook, [&](TAdd3DDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Add 3D Function");
        EXPECT_EQ(d.HelpContext(), 3010);
        EXPECT_EQ(Focused(), d.EUserFuncString);
        EXPECT_EQ(d.Var1GroupBox->title(), "X Variable");
        EXPECT_EQ(d.EVar2LinesLabel->text(), "Wire Lines Parallel to Y");
        d.EUserFuncString->setText("x*z");
        d.EBeginVar1Str->setText("-2");
        d.EVar2Lines->setValue(9);
        selectAllAndType(d.EDependantVar, "y");
        PressKey(Qt::Key_Tab);
        EXPECT_EQ(d.Var1GroupBox->title(), "X Variable");
        EXPECT_EQ(d.Var2GroupBox->title(), "Z Variable");
        EXPECT_EQ(d.EVar1LinesLabel->text(), "Wire Lines Parallel to X");
        EXPECT_EQ(d.EVar2LinesLabel->text(), "Wire Lines Parallel to Z");
        EXPECT_EQ(d.EDependantVar->currentText(), "Y=f(x,z)=");
        EXPECT_EQ(d.EBeginVar1Str->text(), "-2");
        EXPECT_EQ(d.EVar2Lines->value(), 9);
        selectAllAndType(d.EDependantVar, "w");
        PressKey(Qt::Key_Tab);
        EXPECT_EQ(d.EDependantVar->currentText(), "Y=f(x,z)=");
        EXPECT_EQ(d.Var2GroupBox->title(), "Z Variable");
        d.EEndVar2Str->setText("-5");
        Click(d.OKBtn);
        EXPECT_EQ(hook->LastMessage(), "Z Lower Bound must be <= Z Upper Bound.");
        EXPECT_EQ(Focused(), d.EBeginVar2Str);
        d.EEndVar2Str->setText("5");
        Click(d.OKBtn);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(Add3DFunctionDialog(f, nullptr));
    EXPECT_TRUE(f.Modified);
    EXPECT_EQ(f.GetDescription(), "Y=f(x,z)=x*z");
    EXPECT_EQ(f.Var1LoStr, "-2");
    EXPECT_EQ(f.Var2HiStr, "5");
    EXPECT_EQ(f.Var2Lines, 9);
    EXPECT_EQ(f.Var1Detail, 6); // capped by 9 lines at most 11
}
