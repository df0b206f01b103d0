#include "model/func2d.h"
#include "model/func3d.h"
#include "model/funcpara.h"
#include "model/funcpolr.h"
#include "model/readedit.h"

#include "common/GraphFileBytes.h"
#include "platform/Errors.h"
#include "platform/ScriptedUiHook.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

using namespace recordtest;

namespace {

std::vector<std::string> variables(const TMathFunction& f) {
    std::vector<std::string> out;
    for (int i = 0; i < f.GetVariableCount(); ++i)
        out.push_back(f.GetVariableName(i));
    return out;
}

// Answers the repair dialog: records the shown error text, types `text`, presses OK.
std::function<int(QDialog&)> repairWith(const std::string& text, std::vector<std::string>& shown) {
    return [text, &shown](QDialog& d) {
        auto& dlg = dynamic_cast<TEditStrReadErrorDlg&>(d);
        shown.push_back(dlg.ErrorTextLabel->text().toStdString() + " | " +
                        dlg.EditString->text().toStdString());
        dlg.EditString->setText(QString::fromStdString(text));
        dlg.done(mrOk);
        return mrOk;
    };
}

} // namespace

TEST(FuncObj, ExpressionClassesDeclareTheirVariables) {
    EXPECT_EQ(variables(TMath2DFunc()), std::vector<std::string>{"X"});
    EXPECT_EQ(variables(TMathParametricFunc()), std::vector<std::string>{"T"});
    EXPECT_EQ(variables(TMathRotateFunc()), std::vector<std::string>{"X"});
    EXPECT_EQ(TMath2DFunc().GetExpression(), "");
    EXPECT_EQ(TMath2DFunc().State, msNotCompiled);

    // A polar expression may use both THETA and X, variables 0 and 1.
    TMathPolarFunc polar;
    EXPECT_EQ(variables(polar), (std::vector<std::string>{"THETA", "X"}));
    polar.SetExpression("THETA*10+X");
    ASSERT_TRUE(polar.CompileMathFunc());
    polar.SetVariableFloat(0, 2);
    polar.SetVariableFloat(1, 3);
    ASSERT_TRUE(polar.EvaluateMathFunc());
    EXPECT_EQ(polar.GetResultFloat(), 23.0L);

    TMath3DFunc surface;
    EXPECT_EQ(surface.DependentVar(), dvZ);
    EXPECT_EQ(variables(surface), (std::vector<std::string>{"X", "Y"}));
    surface.SetDependentVar(dvX);
    EXPECT_EQ(variables(surface), (std::vector<std::string>{"Y", "Z"}));
    surface.SetDependentVar(dvY);
    EXPECT_EQ(variables(surface), (std::vector<std::string>{"X", "Z"}));
    surface.SetDependentVar(dvZ);
    surface.SetDependentVar(9); // any other code is Y
    EXPECT_EQ(surface.DependentVar(), dvY);
    EXPECT_EQ(variables(surface), (std::vector<std::string>{"X", "Z"}));

    // Assign carries the compiled program and the dependent variable.
    surface.SetExpression("X*Z");
    ASSERT_TRUE(surface.CompileMathFunc());
    TMath3DFunc copy;
    copy.Assign(surface);
    EXPECT_EQ(copy.DependentVar(), dvY);
    copy.SetVariableFloat(0, 4);
    copy.SetVariableFloat(1, 5);
    ASSERT_TRUE(copy.EvaluateMathFunc());
    EXPECT_EQ(copy.GetResultFloat(), 20.0L);
}

TEST(FuncObj, ExpressionsWriteAndReadInEveryVersion) {
    TDecimalSeparator comma(',');
    TScopedScriptedUiHook hook;
    TTempDir dir;
    {
        TWriteGraphFile w;
        ASSERT_TRUE(w.CreateGraphFile(dir.File("e.qxf"), GraphKind3D, ','));
        TMath2DFunc f;
        f.SetExpression("1,5*X");
        f.WriteToFile(w);
        TMath3DFunc s;
        s.SetDependentVar(dvX);
        s.SetExpression("Y+Z");
        s.WriteToFile(w);
        ASSERT_TRUE(w.CloseGraphFile());
    }
    Bytes file = readBytes(dir.File("e.qxf"));
    ByteBuilder expected;
    expected.Str("1.5*X").I32(1).Str("Y+Z");
    EXPECT_EQ(Bytes(file.begin() + 63, file.end() - 2), expected.b);

    ReadBody(
        4, 3, BodyOf(file),
        [](TReadGraphFile& r) {
            TMath2DFunc f;
            f.ReadFromFile(r);
            EXPECT_EQ(f.GetExpression(), "1,5*X");
            EXPECT_EQ(f.State, msCompiled);
            f.SetVariableFloat(0, 2);
            ASSERT_TRUE(f.EvaluateMathFunc());
            EXPECT_EQ(f.GetResultFloat(), 3.0L);
            TMath3DFunc s;
            s.ReadFromFile(r);
            EXPECT_EQ(s.DependentVar(), dvX);
            EXPECT_EQ(s.GetExpression(), "Y+Z");
            EXPECT_EQ(s.State, msCompiled);
        },
        ',');

    // Version 1: a skipped byte and a 256-byte short text, localised before compiling; no
    // dependent-variable code.
    ByteBuilder v1;
    v1.U8(0xEE).Short("2.5*X", 255).U8(0).Short("X-Y", 255);
    ReadBody(
        1, 3, v1.b,
        [](TReadGraphFile& r) {
            TMath2DFunc f;
            f.ReadFromFile(r);
            EXPECT_EQ(f.GetExpression(), "2,5*X");
            EXPECT_EQ(f.State, msCompiled);
            TMath3DFunc s;
            s.ReadFromFile(r);
            EXPECT_EQ(s.DependentVar(), dvZ);
            EXPECT_EQ(s.GetExpression(), "X-Y");
            EXPECT_EQ(r.BytesLeft(), 0);
        },
        ',');

    // Version 2: codes 1 to 3 are taken, others ignored.
    ByteBuilder v2;
    v2.I32(2).Str("X+Z").I32(7).Str("X*Y");
    ReadBody(2, 3, v2.b, [](TReadGraphFile& r) {
        TMath3DFunc a, b;
        a.ReadFromFile(r);
        EXPECT_EQ(a.DependentVar(), dvY);
        b.ReadFromFile(r);
        EXPECT_EQ(b.DependentVar(), dvZ);
        EXPECT_EQ(b.State, msCompiled);
    });
    EXPECT_TRUE(hook->Messages.empty());
    EXPECT_TRUE(hook->ModalForms.empty());
}

TEST(FuncObj, ExpressionThatNoLongerCompilesGoesToTheRepairDialog) {
    TScopedScriptedUiHook hook;
    ByteBuilder body;
    body.Str("SIN(X").Str("T*");
    std::vector<std::string> shown;
    hook->ScriptModal(repairWith("SIN(X+", shown));
    hook->ScriptModal(repairWith("SIN(X)", shown));
    ReadBody(4, 1, body.b, [&](TReadGraphFile& r) {
        TMath2DFunc f;
        f.ReadFromFile(r);
        EXPECT_EQ(f.GetExpression(), "SIN(X)");
        EXPECT_EQ(f.State, msCompiled);
        ASSERT_EQ(shown.size(), 2u);
        TMath2DFunc probe;
        probe.SetExpression("SIN(X");
        probe.CompileMathFunc();
        EXPECT_EQ(shown[0], probe.GetErrorText() + " | SIN(X");
        EXPECT_EQ(shown[1].substr(shown[1].size() - 9), " | SIN(X+");
        EXPECT_TRUE(hook->Messages.empty());

        // Cancelled: the whole load ends with the load error.
        TMathParametricFunc p;
        EXPECT_THROW(p.ReadFromFile(r), EFileLoadError);
        EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error loading file"});
        EXPECT_EQ(hook->ModalForms.size(), 3u);
    });
}
