#pragma once
// The "Function Calculator" dialog: one expression, up to three named variables whose
// values are constant expressions, and the result in one of five formats. Every error is
// written into the result field; no message box is shown.

#include "math/CalcLogic.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TCaculatorDlg : public QDialog {
    Q_OBJECT
public:
    explicit TCaculatorDlg(QWidget* parent = nullptr);

    QLineEdit* EFunctionStr;
    QComboBox* EVar1Name;
    QComboBox* EVar2Name;
    QComboBox* EVar3Name;
    QLineEdit* EVar1Value;
    QLineEdit* EVar2Value;
    QLineEdit* EVar3Value;
    QPlainTextEdit* EFunctionResult;
    QRadioButton* EDecimal;
    QRadioButton* EScientific;
    QRadioButton* EFraction;
    QRadioButton* EMixedFrac;
    QRadioButton* EIntegerFraction;
    QPushButton* CalculateButton;
    QPushButton* OKBtn;
    QPushButton* HelpBtn;

    void CalculateButtonClick();
    TCalcResultFormat SelectedFormat() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* controlOf(TCalcControl control) const;

    TCalculatorLogic logic_;
};

// Opens the calculator modally, placed without an owner form.
void ShowFunctionCalculator();
