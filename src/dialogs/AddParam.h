#pragma once
// The add and modify dialogs of parametric curves (X and Y of "T") and polar curves (R of
// "THETA" or "X"). They are one design: the polar form is the parametric one with a single
// expression edit. The checks and the mapping to the function live in AddParamLogic.h;
// the forms show entries, report a failed check and focus the control at fault.

#include "dialogs/AddParamLogic.h"
#include "math/DialogBase.h"
#include "model/funcpara.h"
#include "model/funcpolr.h"

#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSpinBox;
class TColorSample;

// The texts in which the two forms differ.
struct TCurveFormText {
    const char* Note;
    std::vector<const char*> FuncCaptions; // one caption per expression edit
    const char* LoCaption;
    const char* HiCaption;
    const char* Between;
};

class TCurveFuncDlg : public TDialogBase {
    Q_OBJECT
public:
    // What the controls hold now, and showing entries in them.
    TCurveEntries Entries() const;
    void ShowEntries(const TCurveEntries& Entries);
    // The control a check code points at.
    QWidget* ControlOf(int Control) const;

    QGroupBox* FuncStrBox;
    QLabel* Label6;
    std::vector<QLineEdit*> FuncEdits;
    QLineEdit* ELoBoundStr;
    QLineEdit* EHiBoundStr;
    QGroupBox* GroupBox1;
    QSpinBox* ESamples;
    QPushButton* ColorButton1;
    TColorSample* EFuncColorSample;
    QScrollBar* ELineWidth;
    QLabel* LineWidthLabel;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
    bool AddMode = false;

protected:
    TCurveFuncDlg(int HelpContext, const TCurveFormText& Text);
    virtual TDlgCheck validate(const TCurveEntries& Entries) = 0;
    bool CanCloseOk() override;

private:
    QGroupBox* buildFunctionGroup(const TCurveFormText& text);
    QGroupBox* buildPropertiesGroup();
};

class TAddParametricFuncDlg : public TCurveFuncDlg {
    Q_OBJECT
public:
    TAddParametricFuncDlg();
    void Load(const TFuncParametricObj& Func);
    void Store(TFuncParametricObj& Func) const;

    QLineEdit* EXUserFuncStr;
    QLineEdit* EYUserFuncStr;
    TParametricDlgLogic Logic;

protected:
    TDlgCheck validate(const TCurveEntries& Entries) override { return Logic.Validate(Entries); }
};

class TAddPolarFuncDlg : public TCurveFuncDlg {
    Q_OBJECT
public:
    TAddPolarFuncDlg();
    void Load(const TFuncPolarObj& Func);
    void Store(TFuncPolarObj& Func) const;

    QLineEdit* EUserFuncStr;
    TPolarDlgLogic Logic;

protected:
    TDlgCheck validate(const TCurveEntries& Entries) override { return Logic.Validate(Entries); }
};

// True when the user pressed OK: Func then holds the form and is marked modified. Cancel
// leaves it as it was. OwnerForm (the form that asks) may be null.
bool AddParametricFunctionDialog(TFuncParametricObj& Func, QWidget* OwnerForm);
bool ModifyParametricFunctionDialog(TFuncParametricObj& Func, QWidget* OwnerForm);
bool AddPolarFunctionDialog(TFuncPolarObj& Func, QWidget* OwnerForm);
bool ModifyPolarFunctionDialog(TFuncPolarObj& Func, QWidget* OwnerForm);
