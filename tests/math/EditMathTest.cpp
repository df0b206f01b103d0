#include "math/editmath.h"
#include "platform/ScriptedUiHook.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A two-page dialog with a bounded field on the second page, checked on OK.
class TwoPageDialog : public QDialog {
public:
    TwoPageDialog() {
        auto* layout = new QVBoxLayout(this);
        tabs = new QTabWidget(this);
        layout->addWidget(tabs);
        first = new QWidget;
        second = new QWidget;
        tabs->addTab(first, "First");
        tabs->addTab(second, "Second");
        firstEdit = new TEditMathConst(first);
        auto* group = new QGroupBox("Ticks", second);
        auto* groupLayout = new QVBoxLayout(group);
        tick = new TEditMathConst(group);
        groupLayout->addWidget(tick);
        tick->emCtrlErrorName = "X Tick Mark Increments";
        tick->emBoundsCheck = {CheckLoBound, CheckHiBound, HiBoundCanEqual};
        tick->emLoBoundVal = 0;
        tick->emLoBoundStr = "0";
        tick->emHiBoundVal = 1e12L;
        tick->emHiBoundStr = "1,000,000,000,000";
        tick->setText("1");
        tabs->setCurrentWidget(first);
    }
    void done(int r) override {
        if (r == mrOk && !tick->ValidateAndFocus()) return;
        QDialog::done(r);
    }
    QTabWidget* tabs;
    QWidget* first;
    QWidget* second;
    TEditMathConst* firstEdit;
    TEditMathConst* tick;
};

TEditMathConst* makeEdit(const char* name, TEditMathBounds bounds, const char* text) {
    auto* e = new TEditMathConst;
    e->emCtrlErrorName = name;
    e->emBoundsCheck = bounds;
    e->setText(text);
    return e;
}

} // namespace

TEST(EditMathConst, EmptiesBoundsAndMessages) {
    TEditMathConst edit;
    EXPECT_FALSE(edit.Valid);
    EXPECT_EQ(edit.ErrorCode, meEmptyExpression);
    edit.emCtrlErrorName = "Lower Bound";

    // Empty: valid only where allowed.
    edit.emBoundsCheck = {AllowEmpty};
    EXPECT_TRUE(edit.EvaluateText());
    EXPECT_TRUE(edit.Empty);
    EXPECT_EQ(edit.ErrorCode, meNoError);
    EXPECT_EQ(edit.GetErrorText(), "");
    edit.emBoundsCheck = {};
    EXPECT_FALSE(edit.EvaluateText());
    EXPECT_FALSE(edit.Empty);
    EXPECT_EQ(edit.ErrorCode, meEmptyExpression);
    EXPECT_EQ(edit.GetErrorText(), "Error in: Lower Bound: Empty Expression");

    // A constant expression, evaluated exactly.
    edit.setText("2pi - pi*2 + 3/4");
    ASSERT_TRUE(edit.EvaluateText());
    EXPECT_NEAR(double(edit.Value.FloatValue), 0.75, 1e-15);
    edit.setText("1/3");
    ASSERT_TRUE(edit.EvaluateText());
    EXPECT_EQ(edit.Value.Kind, mvFraction);
    EXPECT_EQ(edit.Value.Numerator, 1);
    EXPECT_EQ(edit.Value.Denominator, 3);
    // A variable is an unknown symbol here.
    edit.setText("2*x");
    EXPECT_FALSE(edit.EvaluateText());
    EXPECT_EQ(edit.ErrorCode, meUnknownSymbol);
    EXPECT_EQ(edit.GetErrorText(), "Error in: Lower Bound: Unknown Symbol at Character 3");

    // Low bound 0 included.
    edit.emBoundsCheck = {CheckLoBound, LoBoundCanEqual};
    edit.emLoBoundStr = "0";
    edit.setText("0");
    EXPECT_TRUE(edit.EvaluateText());
    edit.setText("-0.5");
    EXPECT_FALSE(edit.EvaluateText());
    EXPECT_EQ(edit.ErrorCode, meNoError);
    EXPECT_EQ(edit.GetErrorText(), "Error: Lower Bound must be >= 0");

    // Both bounds, excluded, with the general text of the values.
    edit.emBoundsCheck = {CheckLoBound, CheckHiBound};
    edit.emLoBoundStr.clear();
    edit.emLoBoundVal = 0.0001L;
    edit.emHiBoundVal = 359;
    edit.setText("359");
    EXPECT_FALSE(edit.EvaluateText());
    EXPECT_EQ(edit.GetErrorText(), "Error: Lower Bound must be > 0.0001 and < 359");
    edit.setText("0.0001");
    EXPECT_FALSE(edit.EvaluateText());
    edit.setText("358.5");
    EXPECT_TRUE(edit.EvaluateText());
    edit.emBoundsCheck = {CheckHiBound, HiBoundCanEqual};
    edit.emHiBoundStr = "1,000,000,000,000";
    edit.emHiBoundVal = 1e12L;
    edit.setText("10^12");
    EXPECT_TRUE(edit.EvaluateText());
    edit.setText("10^12+1");
    EXPECT_FALSE(edit.EvaluateText());
    EXPECT_EQ(edit.GetErrorText(), "Error: Lower Bound must be <= 1,000,000,000,000");
}

TEST(EditMathConst, RelationsBetweenFields) {
    TScopedScriptedUiHook hook;
    QDialog form;
    auto* lo = makeEdit("Limit Lo X Axis End", {AllowEmpty}, "");
    auto* hi = makeEdit("Limit Hi X Axis End", {AllowEmpty}, "5");
    lo->setParent(&form);
    hi->setParent(&form);
    ASSERT_TRUE(lo->EvaluateText());
    ASSERT_TRUE(hi->EvaluateText());
    // An empty field passes any relation.
    EXPECT_TRUE(lo->CheckRelation(erLess, hi, &form));
    lo->setText("7");
    ASSERT_TRUE(lo->EvaluateText());
    EXPECT_FALSE(lo->CheckRelation(erLessEqual, hi, &form));
    ASSERT_EQ(hook->Messages.size(), 1u);
    EXPECT_EQ(hook->Messages[0].Text, "Error: Limit Lo X Axis End must be <= Limit Hi X Axis End");
    EXPECT_EQ(hook->Messages[0].Type, mtError);
    EXPECT_EQ(hook->Messages[0].Buttons, TMsgDlgButtons({mbOK}));
    EXPECT_EQ(hook->Messages[0].Owner, &form);
    EXPECT_TRUE(lo->CheckRelation(erGreater, hi, &form));
    EXPECT_TRUE(lo->CheckRelation(erNotEqual, hi, &form));
    EXPECT_FALSE(lo->CheckRelation(erEqual, hi, &form));
    EXPECT_EQ(hook->LastMessage(), "Error: Limit Lo X Axis End must equal Limit Hi X Axis End");
    EXPECT_FALSE(lo->CheckRelation(erLess, hi, &form));
    EXPECT_EQ(hook->LastMessage(), "Error: Limit Lo X Axis End must be < Limit Hi X Axis End");
    EXPECT_TRUE(lo->CheckRelation(erGreaterEqual, hi, &form));
    hi->setText("7");
    ASSERT_TRUE(hi->EvaluateText());
    EXPECT_FALSE(lo->CheckRelation(erNotEqual, hi, &form));
    EXPECT_EQ(hook->LastMessage(), "Error: Limit Lo X Axis End can not equal Limit Hi X Axis End");
    EXPECT_FALSE(hi->CheckRelation(erGreater, lo, &form));
    EXPECT_EQ(hook->LastMessage(), "Error: Limit Hi X Axis End must be > Limit Lo X Axis End");
    size_t shown = hook->Messages.size();
    // An unknown relation or an invalid field fails without a message.
    EXPECT_FALSE(lo->CheckRelation(6, hi, &form));
    hi->setText("x");
    hi->EvaluateText();
    EXPECT_FALSE(lo->CheckRelation(erLessEqual, hi, &form));
    EXPECT_EQ(hook->Messages.size(), shown);

    TEditMathConst::ShowMathError("Expression Syntax Error at Character 4", "Function Definition", &form);
    EXPECT_EQ(hook->LastMessage(), "Error in: Function Definition: Expression Syntax Error at Character 4");
    EXPECT_EQ(lo->GetOwnerForm(), &form);
    TEditMathConst loose;
    EXPECT_EQ(loose.GetOwnerForm(), nullptr);
}

TEST(EditMathConst, FailedCheckShowsItsMessageOnItsOwnTabPage) {
    for (bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "dialog on screen" : "dialog not yet shown");
        TScopedScriptedUiHook hook;
        TwoPageDialog dlg;
        if (shown) {
            dlg.show();
            QApplication::processEvents();
        }
        dlg.firstEdit->setFocus();
        // OK with a value out of bounds: message, second page in front, focus on the field, still open.
        dlg.tick->setText("0");
        hook->AnswerMessage(mrOk);
        dlg.done(mrOk);
        ASSERT_EQ(hook->Messages.size(), 1u);
        EXPECT_EQ(hook->Messages[0].Text,
                  "Error: X Tick Mark Increments must be > 0 and <= 1,000,000,000,000");
        EXPECT_EQ(hook->Messages[0].Owner, &dlg);
        EXPECT_EQ(dlg.tabs->currentWidget(), dlg.second);
        EXPECT_EQ(dlg.focusWidget(), dlg.tick);
        EXPECT_EQ(dlg.result(), 0);
        EXPECT_EQ(dlg.isVisible(), shown);
        // Cancel runs no check.
        dlg.tabs->setCurrentWidget(dlg.first);
        dlg.done(mrCancel);
        EXPECT_EQ(dlg.result(), mrCancel);
        EXPECT_EQ(dlg.tabs->currentWidget(), dlg.first);
        // A good value passes.
        dlg.tick->setText("0.5");
        dlg.done(mrOk);
        EXPECT_EQ(dlg.result(), mrOk);
        EXPECT_EQ(hook->Messages.size(), 1u);
    }
}
