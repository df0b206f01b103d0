#include "dialogs/AddParam.h"
#include "dialogs/AddParamLogic.h"
#include "math/ColorSample.h"

#include "dialogs/FuncDlgTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

struct TCurveCase {
    std::vector<std::string> funcs;
    std::string lo, hi;
    std::string message;  // empty: passes
    std::string mathName; // set for an expression error
    int control;
};

void expectCheck(const TDlgCheck& c, const TCurveCase& k) {
    EXPECT_EQ(c.Ok, k.message.empty());
    EXPECT_EQ(c.Message, k.message);
    EXPECT_EQ(c.MathErrorName, k.mathName);
    EXPECT_EQ(c.Control, k.control);
}

TCurveEntries entries(const TCurveCase& k) {
    TCurveEntries e;
    e.Funcs = k.funcs;
    e.LoBound = k.lo;
    e.HiBound = k.hi;
    return e;
}

const std::string kRange = " must be >= -10,000*pi and <= 10,000*pi";

} // namespace

TEST(CurveDlgLogic, ChecksRunInTheirOrderAndStopAtTheFirstFailure) {
    const TCurveCase parametric[] = {
        {{"T", "T"}, "q", "1", "Error in: Lower Bound: Unknown Symbol at Character 1", "", cuLoBound},
        {{"T", "T"}, "0", "", "Error in: Upper Bound: Empty Expression", "", cuHiBound},
        {{"T", "T"}, "0", "10001pi", "Error: Upper Bound" + kRange, "", cuHiBound},
        // The edit's own limit comes before the order of the two.
        {{"T", "T"}, "10001pi", "1", "Error: Lower Bound" + kRange, "", cuLoBound},
        {{"T", "T"}, "-10000pi", "10000pi", "", "", cuNone},
        {{"T", "T"}, "1", "1", "", "", cuNone},
        {{"q", "q"}, "2", "1", "Lower Bound must be <= Upper Bound.", "", cuLoBound},
        {{"q", "q"}, "0", "1", "Unknown Symbol at Character 1", "\"X=\" Function Definition", cuFirstFunc},
        {{"T", "2*q"}, "0", "1", "Unknown Symbol at Character 3", "\"Y=\" Function Definition", cuSecondFunc},
    };
    for (const auto& k : parametric) {
        SCOPED_TRACE(k.lo + " " + k.hi + " " + k.funcs[0] + " " + k.funcs[1]);
        TParametricDlgLogic logic;
        TFuncParametricObj f;
        f.FuncX.SetExpression("T*7");
        logic.Load(f);
        expectCheck(logic.Validate(entries(k)), k);
        // The order failure stops before the expressions are looked at.
        if (k.control == cuLoBound || k.control == cuHiBound) {
            EXPECT_EQ(logic.WorkX.GetExpression(), "T*7");
        }
    }
    const TCurveCase polar[] = {
        {{"q"}, "0", "1", "Unknown Symbol at Character 1", "Function Definition", cuFirstFunc},
        {{"theta+x"}, "0", "1", "", "", cuNone},
        {{"1"}, "3", "-3", "Lower Bound must be <= Upper Bound.", "", cuLoBound},
    };
    for (const auto& k : polar) {
        SCOPED_TRACE(k.funcs[0]);
        TPolarDlgLogic logic;
        expectCheck(logic.Validate(entries(k)), k);
    }
}

TEST(CurveDlgLogic, StoreHandsTheCompiledWorkingCopiesAndTheComputedValuesOver) {
    TParametricDlgLogic logic;
    TFuncParametricObj f;
    TCurveEntries e = logic.Load(f);
    EXPECT_EQ(e.LoBound, "0");
    EXPECT_EQ(e.HiBound, "2pi");
    e.Funcs = {"T*3", "T-1"};
    e.LoBound = "1/2";
    e.HiBound = "pi";
    e.Samples = 250;
    e.Color = clRed;
    e.LineWidth = 4;
    ASSERT_TRUE(logic.Validate(e).Ok);
    logic.Store(e, f);
    // No compile here: the function runs the program the check compiled.
    f.FuncX.SetVariableFloat(0, 2);
    ASSERT_TRUE(f.FuncX.EvaluateMathFunc());
    EXPECT_EQ(f.FuncX.GetResultFloat(), 6);
    f.FuncY.SetVariableFloat(0, 2);
    ASSERT_TRUE(f.FuncY.EvaluateMathFunc());
    EXPECT_EQ(f.FuncY.GetResultFloat(), 1);
    EXPECT_EQ(f.LoBoundStr, "1/2");
    EXPECT_EQ(f.LoBound.Kind, mvFraction);
    EXPECT_EQ(f.LoBound.Denominator, 2);
    EXPECT_EQ(f.HiBoundStr, "pi");
    EXPECT_NEAR(double(f.HiBound.FloatValue), 3.14159265, 1e-8);
    EXPECT_EQ(f.Samples, 250);
    EXPECT_EQ(f.FuncColor, clRed);
    EXPECT_EQ(f.LineWidth, 4);
    EXPECT_FALSE(f.Modified); // the launcher marks it, not the mapping

    TPolarDlgLogic polar;
    TFuncPolarObj p;
    TCurveEntries pe = polar.Load(p);
    pe.Funcs = {"theta*x"};
    ASSERT_TRUE(polar.Validate(pe).Ok);
    polar.Store(pe, p);
    p.Func.SetVariableFloat(0, 3);
    p.Func.SetVariableFloat(1, 5);
    ASSERT_TRUE(p.Func.EvaluateMathFunc());
    EXPECT_EQ(p.Func.GetResultFloat(), 15);
}

TEST(AddParametricFuncDlg, AFailedCheckKeepsTheFormOpenAtTheControlThenOkStores) {
    TScopedScriptedUiHook hook;
    TFuncParametricObj f;
    ScriptDialog<TAddParametricFuncDlg>(*hook, [&](TAddParametricFuncDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Add Parametric Function");
        EXPECT_EQ(d.HelpContext(), 1015);
        EXPECT_EQ(Focused(), d.EXUserFuncStr); // add mode
        EXPECT_EQ(d.ELoBoundStr->text(), "0");
        EXPECT_EQ(d.EHiBoundStr->text(), "2pi");
        EXPECT_EQ(d.ESamples->value(), 10000);
        d.EXUserFuncStr->setText("cos(t)");
        d.EYUserFuncStr->setText("sin(t)");
        d.EHiBoundStr->setText("-1");
        Click(d.OKBtn);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Lower Bound must be <= Upper Bound."});
        EXPECT_EQ(hook->Messages[0].Type, mtError);
        EXPECT_EQ(hook->Messages[0].Owner, &d);
        EXPECT_EQ(Focused(), d.ELoBoundStr);
        d.EHiBoundStr->setText("pi");
        d.EYUserFuncStr->setText("sin(u)");
        Click(d.OKBtn);
        EXPECT_EQ(hook->LastMessage(), "Error in: \"Y=\" Function Definition: Unknown Symbol at Character 5");
        EXPECT_EQ(Focused(), d.EYUserFuncStr);
        d.EYUserFuncStr->setText("sin(t)");
        d.ESamples->setValue(500);
        d.ELineWidth->setValue(3);
        EXPECT_EQ(d.LineWidthLabel->text(), "3");
        Click(d.OKBtn);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(AddParametricFunctionDialog(f, nullptr));
    EXPECT_TRUE(f.Modified);
    EXPECT_EQ(f.GetDescription(), "X=cos(t); Y=sin(t)");
    EXPECT_EQ(f.HiBoundStr, "pi");
    EXPECT_EQ(f.Samples, 500);
    EXPECT_EQ(f.LineWidth, 3);
    EXPECT_EQ(hook->Messages.size(), 2u);
}

TEST(AddParametricFuncDlg, EnterAndEscInTheSpinEditCloseAndCancelLeavesTheFunctionAlone) {
    TScopedScriptedUiHook hook;
    TFuncParametricObj f;
    f.FuncX.SetExpression("T");
    f.FuncY.SetExpression("T^2");
    f.Samples = 300;
    f.Modified = false;
    struct TRoute {
        const char* name;
        std::function<void(TAddParametricFuncDlg&)> close;
        bool ok;
    };
    const TRoute routes[] = {
        {"Esc in the spin edit", [](TAddParametricFuncDlg&) { PressKey(Qt::Key_Escape); }, false},
        {"Cancel button", [](TAddParametricFuncDlg& d) { Click(d.CancelBtn); }, false},
        {"Enter in the spin edit", [](TAddParametricFuncDlg&) { PressKey(Qt::Key_Return); }, true},
    };
    for (const auto& route : routes) {
        SCOPED_TRACE(route.name);
        ScriptDialog<TAddParametricFuncDlg>(*hook, [&](TAddParametricFuncDlg& d) {
            EXPECT_EQ(d.windowTitle(), "Modify Parametric Function");
            EXPECT_EQ(Focused(), d.EXUserFuncStr); // modify mode too
            d.EXUserFuncStr->setText("T+1");
            d.ESamples->setFocus();
            d.ESamples->selectAll();
            TypeText("777");
            route.close(d);
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_EQ(ModifyParametricFunctionDialog(f, nullptr), route.ok);
        EXPECT_EQ(f.Modified, route.ok);
        EXPECT_EQ(f.GetDescription(), route.ok ? "X=T+1; Y=T^2" : "X=T; Y=T^2");
        EXPECT_EQ(f.Samples, route.ok ? 777 : 300);
    }
    EXPECT_TRUE(hook->Messages.empty());
}

TEST(AddPolarFuncDlg, OneExpressionEditWithItsOwnCaptionsAndChecks) {
    TScopedScriptedUiHook hook;
    TFuncPolarObj f;
    f.Func.SetExpression("theta");
    f.FuncColor = clRed;
    ScriptDialog<TAddPolarFuncDlg>(*hook, [&](TAddPolarFuncDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Modify Polar Function");
        EXPECT_EQ(d.HelpContext(), 2010);
        EXPECT_EQ(d.FuncEdits.size(), 1u);
        EXPECT_EQ(d.EUserFuncStr->text(), "theta");
        EXPECT_EQ(d.EFuncColorSample->SampleColor(), clRed);
        EXPECT_EQ(d.Label6->text(), "The Word 'Theta' or an 'X' Can be Used as The Variable Here.");
        d.EUserFuncStr->setText("2*y");
        Click(d.OKBtn);
        EXPECT_EQ(hook->LastMessage(), "Error in: Function Definition: Unknown Symbol at Character 3");
        EXPECT_EQ(Focused(), d.EUserFuncStr);
        d.EUserFuncStr->setText("2*x");
        Click(d.OKBtn);
    });
    EXPECT_TRUE(ModifyPolarFunctionDialog(f, nullptr));
    EXPECT_EQ(f.GetDescription(), "R=f(Theta)=2*x");
    ScriptDialog<TAddPolarFuncDlg>(*hook, [&](TAddPolarFuncDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Add Polar Function");
        EXPECT_EQ(Focused(), d.EUserFuncStr);
    });
    EXPECT_FALSE(AddPolarFunctionDialog(f, nullptr));
}
