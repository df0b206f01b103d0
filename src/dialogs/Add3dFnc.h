#pragma once
// The add and modify dialogs of 3D graphs: a curve y = f(x) rotated about an axis or a
// given line (TAddRotateDlg), and a surface giving X, Y or Z in terms of the other two
// (TAdd3DDialog). Both are drawn as wire meshes whose line counts cap the detail of the
// other direction. The checks and the mapping live in Add3dLogic.h; the forms show
// entries, run the exits when the user leaves a count or the variable choice, and report
// a failed check at the control at fault.

#include "dialogs/Add3dLogic.h"
#include "math/DialogBase.h"
#include "model/func3dobj.h"

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TColorSample;

class TAddRotateDlg : public TDialogBase {
    Q_OBJECT
public:
    TAddRotateDlg();
    void Load(const TFuncRotateObj& Func);
    void Store(TFuncRotateObj& Func) const;
    TRotateEntries Entries() const;
    void ShowEntries(const TRotateEntries& Entries);
    QWidget* ControlOf(int Control) const;

    // Leaving the line count caps the circle detail; leaving the circle count the line detail.
    void ELinesExit();
    void ECirclesExit();

    QGroupBox* FuncBox;
    QLineEdit* EUserFuncStr;
    QLineEdit* EBeginXStr;
    QLineEdit* EEndXStr;
    QGroupBox* AppearBox;
    QSpinBox* ELines;
    QSpinBox* ELineDetail;
    QSpinBox* ECircles;
    QSpinBox* ECircleDetail;
    QPushButton* EFuncColor;
    TColorSample* EFuncSample;
    QGroupBox* RotAxisBox;
    QRadioButton* ERotX;
    QRadioButton* ERotY;
    QRadioButton* ERotSpecified;
    QGroupBox* SLineBox;
    std::array<QLineEdit*, 4> ELinePoints; // ELineP1XStr, ELineP1YStr, ELineP2XStr, ELineP2YStr
    QGroupBox* RoundValuesBox;
    QRadioButton* EDontVal;
    QRadioButton* ERoundVal;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    TRotateDlgLogic Logic;
    bool AddMode = false;

protected:
    void CloseQuery(int Result) override;
    bool CanCloseOk() override;

private:
    QGroupBox* buildFunctionGroup();
    QGroupBox* buildAppearanceGroup();
    QGroupBox* buildAxisGroup();
    QGroupBox* buildLineGroup();
};

class TAdd3DDialog : public TDialogBase {
    Q_OBJECT
public:
    TAdd3DDialog();
    void Load(const TFunc3DObj& Func);
    void Store(TFunc3DObj& Func) const;
    T3DEntries Entries() const;
    void ShowEntries(const T3DEntries& Entries);
    QWidget* ControlOf(int Control) const;

    // Selects the dependent variable (1 X, 2 Y, 3 Z) and relabels the form.
    void SetDependentVariable(int Code);
    // Leaving the variable choice; leaving each line count.
    void EDependantVarExit();
    void EVar1LinesExit();
    void EVar2LinesExit();

    QGroupBox* FuncBox;
    QComboBox* EDependantVar;
    QLineEdit* EUserFuncString;
    QPushButton* EColor;
    TColorSample* EFuncSample;
    QGroupBox* Var1GroupBox;
    QLineEdit* EBeginVar1Str;
    QLineEdit* EEndVar1Str;
    QLabel* EVar1LinesLabel;
    QSpinBox* EVar1Lines;
    QSpinBox* EVar1Detail;
    QGroupBox* Var2GroupBox;
    QLineEdit* EBeginVar2Str;
    QLineEdit* EEndVar2Str;
    QLabel* EVar2LinesLabel;
    QSpinBox* EVar2Lines;
    QSpinBox* EVar2Detail;
    QGroupBox* RoundValuesBox;
    QRadioButton* ERadioDontDraw;
    QRadioButton* ERadioRoundDown;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    T3DDlgLogic Logic;
    bool AddMode = false;

protected:
    void CloseQuery(int Result) override;
    bool CanCloseOk() override;

private:
    QGroupBox* buildFunctionGroup();
    QGroupBox* buildVariableGroup(QLineEdit*& begin, QLineEdit*& end, QLabel*& linesLabel, QSpinBox*& lines,
                                  QSpinBox*& detail);
    void relabel();
    void runExits();
};

// True when the user pressed OK: Func then holds the form and is marked modified.
bool AddRotateFunctionDialog(TFuncRotateObj& Func, QWidget* OwnerForm);
bool ModifyRotateFunctionDialog(TFuncRotateObj& Func, QWidget* OwnerForm);
bool Add3DFunctionDialog(TFunc3DObj& Func, QWidget* OwnerForm);
bool Modify3DFunctionDialog(TFunc3DObj& Func, QWidget* OwnerForm);
