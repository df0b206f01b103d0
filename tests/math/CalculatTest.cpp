#include "math/Calculat.h"
#include "math/MathFunc.h"
#include "platform/FormatSettings.h"
#include "platform/ScriptedUiHook.h"

#include "common/HelpEventRecorder.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

std::string resultOf(TCaculatorDlg& dlg) {
    return dlg.EFunctionResult->toPlainText().toStdString();
}

std::string calculate(TCaculatorDlg& dlg, const char* expression) {
    dlg.EFunctionStr->setText(expression);
    dlg.CalculateButton->click();
    return resultOf(dlg);
}

void setRow(QComboBox* name, QLineEdit* value, const char* n, const char* v) {
    name->setCurrentText(n);
    value->setText(v);
}

} // namespace

TEST(Calculator, FormLooksAsDesigned) {
    TCaculatorDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Function Calculator");
    EXPECT_EQ(dlg.width(), 489);
    EXPECT_EQ(dlg.EVar1Name->currentText(), "X");
    EXPECT_EQ(dlg.EVar2Name->currentText(), "Y");
    EXPECT_EQ(dlg.EVar3Name->currentText(), "Z");
    EXPECT_EQ(dlg.EVar1Name->count(), 5);
    EXPECT_EQ(dlg.EVar1Name->itemText(4), "Theta");
    for (QLineEdit* e : {dlg.EVar1Value, dlg.EVar2Value, dlg.EVar3Value})
        EXPECT_EQ(e->text(), "0");
    EXPECT_EQ(dlg.EFunctionStr->maxLength(), 250);
    EXPECT_EQ(dlg.EVar1Value->maxLength(), 50);
    EXPECT_TRUE(dlg.EFunctionResult->isReadOnly());
    EXPECT_TRUE(dlg.EIntegerFraction->isChecked());
    EXPECT_EQ(dlg.SelectedFormat(), cfIntegerFraction);
    EXPECT_TRUE(dlg.CalculateButton->isDefault());
    EXPECT_FALSE(dlg.OKBtn->autoDefault());
}

// The longest messages wrap and stay in view whole, their character position included: all
// of the text is in view when the area's vertical scroll bar has nothing to scroll.
TEST(Calculator, LongErrorsShowWholeWithTheWholeTextAsTooltip) {
    struct TCase {
        const char* Expression;
        const char* Var3Value;
        const char* Shown;
    };
    const TCase cases[] = {
        {"1+2)*3", "0", "Function Definition: Invalid Parentheses Grouping at Character 4"},
        {"1", "12345678+SIN 2",
         "Variable Value 3: Function Not Followed by Open Parentheses Character at Character 10"},
    };
    TCaculatorDlg dlg;
    dlg.show();
    QApplication::processEvents();
    const QPlainTextEdit& area = *dlg.EFunctionResult;
    for (const TCase& c : cases) {
        dlg.EVar3Value->setText(c.Var3Value);
        const std::string shown = calculate(dlg, c.Expression);
        EXPECT_EQ(shown, c.Shown);
        EXPECT_GT(area.fontMetrics().horizontalAdvance(QString::fromStdString(shown)),
                  area.viewport()->width())
            << c.Shown << ": longer than one line of the area";
        EXPECT_EQ(area.verticalScrollBar()->maximum(), 0) << c.Shown << ": all of it in view";
        EXPECT_EQ(area.toolTip().toStdString(), shown);
    }
}

TEST(Calculator, ResultFormats) {
    ResetFormatSettings();
    TCaculatorDlg dlg;
    EXPECT_EQ(calculate(dlg, "7/2"), "7/2");
    // Picking a format recalculates at once.
    dlg.EDecimal->click();
    EXPECT_EQ(resultOf(dlg), "3.500000000000000000");
    dlg.EScientific->click();
    EXPECT_EQ(resultOf(dlg), "3.50000000000000000E+0");
    dlg.EFraction->click();
    EXPECT_EQ(resultOf(dlg), "7/2");
    dlg.EMixedFrac->click();
    EXPECT_EQ(resultOf(dlg), "3 and 1/2");
    EXPECT_EQ(calculate(dlg, "-7/2"), "-3 and 1/2");
    EXPECT_EQ(calculate(dlg, "1/3"), "1/3");
    dlg.EFraction->click();
    EXPECT_EQ(calculate(dlg, "4/2"), "2/1");
    dlg.EIntegerFraction->click();
    EXPECT_EQ(resultOf(dlg), "2");
    // Floats show fixed decimals under every format but Scientific.
    for (QRadioButton* b : {dlg.EIntegerFraction, dlg.EDecimal, dlg.EFraction, dlg.EMixedFrac}) {
        b->click();
        EXPECT_EQ(calculate(dlg, "SQRT(2)"), "1.414213562373095050") << b->text().toStdString();
    }
    dlg.EScientific->click();
    EXPECT_EQ(resultOf(dlg), "1.41421356237309505E+0");

    // The user's decimal separator, in the expression and in the result.
    FormatSettings().DecimalSeparator = ',';
    dlg.EDecimal->click();
    EXPECT_EQ(calculate(dlg, "1,5*2"), "3,000000000000000000");
    ResetFormatSettings();
}

TEST(Calculator, VariablesAndTheirBinding) {
    TCaculatorDlg dlg;
    setRow(dlg.EVar1Name, dlg.EVar1Value, "X", "2");
    setRow(dlg.EVar2Name, dlg.EVar2Value, "XX", "3");
    setRow(dlg.EVar3Name, dlg.EVar3Value, "", "");
    EXPECT_EQ(calculate(dlg, "XX+X"), "5");
    setRow(dlg.EVar1Name, dlg.EVar1Value, "XX", "3");
    setRow(dlg.EVar2Name, dlg.EVar2Value, "X", "2");
    EXPECT_EQ(calculate(dlg, "XX+X"), "5");
    EXPECT_EQ(calculate(dlg, "X*XX - xx"), "3");
    // Values are constant expressions themselves.
    setRow(dlg.EVar1Name, dlg.EVar1Value, "Theta", "1/4 + 1/4");
    EXPECT_EQ(calculate(dlg, "theta*X"), "1");
    // x and X: one variable, with the upper row's value.
    setRow(dlg.EVar1Name, dlg.EVar1Value, "x", "10");
    setRow(dlg.EVar2Name, dlg.EVar2Value, "X", "20");
    EXPECT_EQ(calculate(dlg, "X"), "10");
    EXPECT_EQ(dlg.EVar2Value->text(), "20"); // the rows themselves are left alone
    // An empty name row is ignored even with an invalid value.
    setRow(dlg.EVar3Name, dlg.EVar3Value, "", "1/");
    EXPECT_EQ(calculate(dlg, "x+1"), "11");
}

TEST(Calculator, ErrorsGoIntoTheResultFieldAndFocusTheCulprit) {
    TScopedScriptedUiHook hook;
    TCaculatorDlg dlg;
    dlg.show();
    QApplication::processEvents();
    EXPECT_EQ(dlg.focusWidget(), dlg.EFunctionStr);

    setRow(dlg.EVar2Name, dlg.EVar2Value, "SIN", "1");
    EXPECT_EQ(calculate(dlg, "1+1"), "Error in Variable Name 2");
    EXPECT_EQ(dlg.focusWidget(), dlg.EVar2Name);
    setRow(dlg.EVar2Name, dlg.EVar2Value, "X2", "1");
    EXPECT_EQ(calculate(dlg, "1+1"), "Error in Variable Name 2");

    setRow(dlg.EVar2Name, dlg.EVar2Value, "Y", "1");
    setRow(dlg.EVar3Name, dlg.EVar3Value, "Z", "Q");
    EXPECT_EQ(calculate(dlg, "1+1"), "Variable Value 3: Unknown Symbol at Character 1");
    EXPECT_EQ(dlg.focusWidget(), dlg.EVar3Value);
    setRow(dlg.EVar3Name, dlg.EVar3Value, "Z", "");
    EXPECT_EQ(calculate(dlg, "1+1"), "Variable Value 3: Empty Expression");
    setRow(dlg.EVar3Name, dlg.EVar3Value, "Z", "0");

    // A constant division by zero is found by the compiler, a variable one by the evaluation.
    EXPECT_EQ(calculate(dlg, "1/0"), "Function Definition: Division by Zero");
    EXPECT_EQ(dlg.focusWidget(), dlg.EFunctionStr);
    setRow(dlg.EVar1Name, dlg.EVar1Value, "X", "0");
    dlg.EVar1Value->setFocus();
    EXPECT_EQ(calculate(dlg, "1/X"), "Error: Division by Zero");
    EXPECT_EQ(dlg.focusWidget(), dlg.EVar1Value);
    EXPECT_EQ(calculate(dlg, "1+W"), "Function Definition: Unknown Symbol at Character 3");
    // Nothing went to a message box.
    EXPECT_TRUE(hook->Messages.empty());

    // Enter in the function field runs the default button: Calculate.
    dlg.activateWindow();
    QApplication::processEvents();
    dlg.EFunctionStr->setText("2^10");
    dlg.EFunctionStr->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(dlg.EFunctionStr, &enter);
    EXPECT_EQ(resultOf(dlg), "1024");
    EXPECT_TRUE(dlg.isVisible());

    // Tab walks the variable rows row by row.
    dlg.EVar1Value->setFocus();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(dlg.EVar1Value, &tab);
    EXPECT_EQ(dlg.focusWidget(), dlg.EVar2Name);
}

TEST(Calculator, OpensModallyThroughTheHook) {
    TScopedScriptedUiHook hook;
    THelpEventRecorder help;
    std::string seen;
    hook->ScriptModal([&](QDialog& d) {
        auto& dlg = dynamic_cast<TCaculatorDlg&>(d);
        seen = calculate(dlg, "2*(3+4)");
        dlg.HelpBtn->click();
        dlg.OKBtn->click();
        return dlg.result();
    });
    ShowFunctionCalculator();
    EXPECT_EQ(seen, "14");
    ASSERT_EQ(hook->ModalForms.size(), 1u);
    EXPECT_EQ(help.Calls, (std::vector<THelpEventRecorder::TCall>{{HELP_CONTEXT, 4050}}));
    EXPECT_EQ(hook->Unscripted, 0);
}
