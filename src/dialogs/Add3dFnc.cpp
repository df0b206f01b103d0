#include "dialogs/Add3dFnc.h"

#include "dialogs/DlgRun.h"
#include "math/ColorSample.h"
#include "math/DialogRows.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int kRotateHelp = 3005;
constexpr int k3DHelp = 3010;
constexpr int kFuncEditWidth = 300;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

std::string text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

TDetailEntry detailOf(const QSpinBox* spin) {
    return {spin->value(), spin->maximum(), spin->isReadOnly()};
}

void showDetail(QSpinBox* spin, const TDetailEntry& d) {
    spin->setMaximum(d.Max);
    spin->setValue(d.Value);
    spin->setReadOnly(d.ReadOnly);
}

// A spin edit of a line count (0..100) or a detail (0..5 until a count sets its maximum).
QSpinBox* countSpin(QWidget* parent, int value) {
    return MakeSpinEdit(parent, 0, 100, value, 3);
}

QSpinBox* detailSpin(QWidget* parent) {
    return MakeSpinEdit(parent, 0, 5, 0);
}

// An exit that only adjusts other fields never keeps the user in the field.
template <class TDlg> std::function<bool()> adjustingExit(TDlg* dlg, void (TDlg::*exit)()) {
    return [dlg, exit] {
        (dlg->*exit)();
        return true;
    };
}

// The buttons below the groups of either dialog, which keeps the size its groups need.
template <class TDlg> void addButtonRow(TDlg& dlg, QGridLayout* grid) {
    TDialogButtons buttons = MakeDialogButtons(dlg);
    dlg.OKBtn = buttons.OKBtn;
    dlg.CancelBtn = buttons.CancelBtn;
    dlg.HelpBtn = buttons.HelpBtn;
    grid->addWidget(buttons.Row, 3, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

// What a value past 700 does: not drawn, or rounded down; the two choices in a column or a row.
QGroupBox* makeRoundGroup(QWidget* parent, QBoxLayout::Direction direction, QRadioButton*& dontDraw,
                          QRadioButton*& roundDown) {
    QGroupBox* box = MakeGroupBox("Values > 700", parent);
    auto* line = new QBoxLayout(direction, box);
    dontDraw = MakeRadioButton("Don't Draw", box, true);
    roundDown = MakeRadioButton("Round Down", box);
    line->addWidget(dontDraw);
    line->addWidget(roundDown);
    line->addStretch(1);
    return box;
}

} // namespace

// ---- rotated curve ----

TAddRotateDlg::TAddRotateDlg() : TDialogBase(nullptr, kRotateHelp) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(buildFunctionGroup(), 0, 0, 1, 2);
    grid->addWidget(buildAppearanceGroup(), 1, 0);
    grid->addWidget(buildAxisGroup(), 1, 1);
    grid->addWidget(buildLineGroup(), 2, 0);
    RoundValuesBox = makeRoundGroup(this, QBoxLayout::TopToBottom, EDontVal, ERoundVal);
    grid->addWidget(RoundValuesBox, 2, 1);
    addButtonRow(*this, grid);
    SetExitCheck(ELines, adjustingExit(this, &TAddRotateDlg::ELinesExit));
    SetExitCheck(ECircles, adjustingExit(this, &TAddRotateDlg::ECirclesExit));
}

QGroupBox* TAddRotateDlg::buildFunctionGroup() {
    FuncBox = MakeGroupBox("Enter the 2D Function to be Rotated Here", this);
    auto* grid = new QGridLayout(FuncBox);
    EUserFuncStr = new QLineEdit(FuncBox);
    EUserFuncStr->setMinimumWidth(kFuncEditWidth);
    auto* line = new QHBoxLayout;
    line->addWidget(MakeLabel("Y= f(x) =", FuncBox));
    line->addWidget(EUserFuncStr, 1);
    grid->addLayout(line, 0, 0, 1, 3);
    EBeginXStr = new QLineEdit(FuncBox);
    EEndXStr = new QLineEdit(FuncBox);
    grid->addWidget(MakeLabel("Lower Bound", FuncBox), 1, 0);
    grid->addWidget(MakeLabel("Upper Bound", FuncBox), 1, 2);
    grid->addWidget(EBeginXStr, 2, 0);
    grid->addWidget(MakeLabel("<= X <=", FuncBox), 2, 1, Qt::AlignCenter);
    grid->addWidget(EEndXStr, 2, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    return FuncBox;
}

QGroupBox* TAddRotateDlg::buildAppearanceGroup() {
    AppearBox = MakeGroupBox("Function Appearance", this);
    auto* grid = new QGridLayout(AppearBox);
    ELines = countSpin(AppearBox, 6);
    ELineDetail = detailSpin(AppearBox);
    ECircles = countSpin(AppearBox, 6);
    ECircleDetail = detailSpin(AppearBox);
    grid->addWidget(MakeLabel("Lines", AppearBox), 0, 0);
    grid->addWidget(ELines, 0, 1);
    grid->addWidget(MakeLabel("Detail", AppearBox), 0, 2);
    grid->addWidget(ELineDetail, 0, 3);
    grid->addWidget(MakeLabel("Circles", AppearBox), 1, 0);
    grid->addWidget(ECircles, 1, 1);
    grid->addWidget(MakeLabel("Detail", AppearBox), 1, 2);
    grid->addWidget(ECircleDetail, 1, 3);
    TColorRow color = MakeColorRow(AppearBox, "Color", "Function Color Sample", [this] {
        ELinesExit();
        ECirclesExit();
    });
    EFuncColor = color.Button;
    EFuncSample = color.Sample;
    grid->addWidget(EFuncColor, 2, 0, 1, 2);
    grid->addWidget(EFuncSample, 2, 2, 1, 2);
    return AppearBox;
}

QGroupBox* TAddRotateDlg::buildAxisGroup() {
    RotAxisBox = MakeGroupBox("Axis of Rotation", this);
    auto* column = new QVBoxLayout(RotAxisBox);
    ERotX = MakeRadioButton("X Axis", RotAxisBox, true);
    ERotY = MakeRadioButton("Y Axis", RotAxisBox);
    ERotSpecified = MakeRadioButton("Specified Line", RotAxisBox);
    for (QRadioButton* b : {ERotX, ERotY, ERotSpecified})
        column->addWidget(b);
    column->addStretch(1);
    return RotAxisBox;
}

QGroupBox* TAddRotateDlg::buildLineGroup() {
    SLineBox = MakeGroupBox("Specified Rotation Line", this);
    auto* grid = new QGridLayout(SLineBox);
    grid->addWidget(MakeLabel("X", SLineBox), 0, 1, Qt::AlignCenter);
    grid->addWidget(MakeLabel("Y", SLineBox), 0, 2, Qt::AlignCenter);
    for (std::size_t i = 0; i < ELinePoints.size(); ++i) {
        const int row = 1 + int(i / 2);
        if (i % 2 == 0) grid->addWidget(MakeLabel(i == 0 ? "Point #1" : "Point #2", SLineBox), row, 0);
        ELinePoints[i] = new QLineEdit(SLineBox);
        grid->addWidget(ELinePoints[i], row, 1 + int(i % 2));
    }
    return SLineBox;
}

TRotateEntries TAddRotateDlg::Entries() const {
    TRotateEntries e;
    e.Func = text(EUserFuncStr);
    e.BeginX = text(EBeginXStr);
    e.EndX = text(EEndXStr);
    for (std::size_t i = 0; i < ELinePoints.size(); ++i)
        e.Points[i] = text(ELinePoints[i]);
    e.Axis = ERotX->isChecked() ? RotateAboutX : ERotY->isChecked() ? RotateAboutY : RotateAboutLine;
    e.Lines = ELines->value();
    e.LineDetail = detailOf(ELineDetail);
    e.Circles = ECircles->value();
    e.CircleDetail = detailOf(ECircleDetail);
    e.Color = EFuncSample->SampleColor();
    e.RoundDown = ERoundVal->isChecked();
    return e;
}

void TAddRotateDlg::ShowEntries(const TRotateEntries& Entries) {
    TLoadScope loading = BeginLoad();
    EUserFuncStr->setText(qs(Entries.Func));
    EBeginXStr->setText(qs(Entries.BeginX));
    EEndXStr->setText(qs(Entries.EndX));
    QRadioButton* axes[] = {ERotX, ERotY, ERotSpecified};
    axes[Entries.Axis <= RotateAboutLine ? Entries.Axis : RotateAboutX]->setChecked(true);
    for (std::size_t i = 0; i < ELinePoints.size(); ++i)
        ELinePoints[i]->setText(qs(Entries.Points[i]));
    ECircles->setValue(Entries.Circles);
    showDetail(ECircleDetail, Entries.CircleDetail);
    ELines->setValue(Entries.Lines);
    showDetail(ELineDetail, Entries.LineDetail);
    EFuncSample->SetSampleColor(Entries.Color);
    (Entries.RoundDown ? ERoundVal : EDontVal)->setChecked(true);
}

void TAddRotateDlg::Load(const TFuncRotateObj& Func) {
    ShowEntries(Logic.Load(Func));
}

void TAddRotateDlg::Store(TFuncRotateObj& Func) const {
    Logic.Store(Entries(), Func);
}

void TAddRotateDlg::ELinesExit() {
    TRotateEntries e = Entries();
    TRotateDlgLogic::LinesExit(e);
    showDetail(ECircleDetail, e.CircleDetail);
}

void TAddRotateDlg::ECirclesExit() {
    TRotateEntries e = Entries();
    TRotateDlgLogic::CirclesExit(e);
    showDetail(ELineDetail, e.LineDetail);
}

QWidget* TAddRotateDlg::ControlOf(int Control) const {
    switch (Control) {
    case rtFunc:
        return EUserFuncStr;
    case rtBeginX:
        return EBeginXStr;
    case rtEndX:
        return EEndXStr;
    case rtP1X:
    case rtP1Y:
    case rtP2X:
    case rtP2Y:
        return ELinePoints[std::size_t(Control - rtP1X)];
    default:
        return nullptr;
    }
}

void TAddRotateDlg::CloseQuery(int Result) {
    ELinesExit();
    ECirclesExit();
}

bool TAddRotateDlg::CanCloseOk() {
    const TDlgCheck check = Logic.Validate(Entries());
    return ReportDlgCheck(check, this, ControlOf(check.Control));
}

// ---- surface ----

TAdd3DDialog::TAdd3DDialog() : TDialogBase(nullptr, k3DHelp) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(buildFunctionGroup(), 0, 0, 1, 2);
    Var1GroupBox = buildVariableGroup(EBeginVar1Str, EEndVar1Str, EVar1LinesLabel, EVar1Lines, EVar1Detail);
    Var2GroupBox = buildVariableGroup(EBeginVar2Str, EEndVar2Str, EVar2LinesLabel, EVar2Lines, EVar2Detail);
    grid->addWidget(Var1GroupBox, 1, 0);
    grid->addWidget(Var2GroupBox, 1, 1);
    RoundValuesBox = makeRoundGroup(this, QBoxLayout::LeftToRight, ERadioDontDraw, ERadioRoundDown);
    grid->addWidget(RoundValuesBox, 2, 0, 1, 2);
    addButtonRow(*this, grid);
    SetExitCheck(EDependantVar, adjustingExit(this, &TAdd3DDialog::EDependantVarExit));
    SetExitCheck(EVar1Lines, adjustingExit(this, &TAdd3DDialog::EVar1LinesExit));
    SetExitCheck(EVar2Lines, adjustingExit(this, &TAdd3DDialog::EVar2LinesExit));
    relabel();
}

QGroupBox* TAdd3DDialog::buildFunctionGroup() {
    FuncBox = MakeGroupBox("Function Definition", this);
    auto* grid = new QGridLayout(FuncBox);
    EDependantVar = new QComboBox(FuncBox);
    EDependantVar->setEditable(true);
    EDependantVar->setInsertPolicy(QComboBox::NoInsert);
    for (int code : {dvX, dvY, dvZ})
        EDependantVar->addItem(DependentVarItem(code));
    EDependantVar->setCurrentIndex(dvZ - 1);
    // Picking an item from the list is leaving the choice at once.
    connect(EDependantVar, &QComboBox::activated, this, [this] { EDependantVarExit(); });
    EUserFuncString = new QLineEdit(FuncBox);
    EUserFuncString->setMinimumWidth(kFuncEditWidth);
    grid->addWidget(MakeLabel("Function", FuncBox), 0, 0, 1, 2);
    grid->addWidget(EDependantVar, 1, 0);
    grid->addWidget(EUserFuncString, 1, 1, 1, 3);
    TColorRow color = MakeColorRow(FuncBox, "Color", "Function Color Sample", [this] { runExits(); });
    EColor = color.Button;
    EFuncSample = color.Sample;
    grid->addWidget(EColor, 2, 0);
    grid->addWidget(EFuncSample, 2, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    return FuncBox;
}

QGroupBox* TAdd3DDialog::buildVariableGroup(QLineEdit*& begin, QLineEdit*& end, QLabel*& linesLabel,
                                            QSpinBox*& lines, QSpinBox*& detail) {
    QGroupBox* box = MakeGroupBox("Variable 1", this);
    TFormRows rows(box);
    begin = new QLineEdit(box);
    rows.AddRow("Lower Bound", begin);
    end = new QLineEdit(box);
    rows.AddRow("Upper Bound", end);
    lines = countSpin(box, 0);
    // Wide enough for the longest text the label takes.
    linesLabel = MakeLabel("Wire Lines Parallel to W", box, lines);
    linesLabel->setMinimumWidth(linesLabel->sizeHint().width());
    rows.AddRow(linesLabel, lines);
    detail = detailSpin(box);
    rows.AddRow("Wire Detail", detail);
    return box;
}

void TAdd3DDialog::relabel() {
    Var1GroupBox->setTitle(qs(Logic.VarGroupTitle(1)));
    Var2GroupBox->setTitle(qs(Logic.VarGroupTitle(2)));
    EVar1LinesLabel->setText(qs(Logic.VarLinesLabel(1)));
    EVar2LinesLabel->setText(qs(Logic.VarLinesLabel(2)));
    const QSignalBlocker block(EDependantVar);
    EDependantVar->setCurrentIndex(Logic.DependentVar() - 1);
    EDependantVar->setEditText(DependentVarItem(Logic.DependentVar()));
}

void TAdd3DDialog::SetDependentVariable(int Code) {
    if (Logic.SetDependentVariable(Code)) relabel();
}

void TAdd3DDialog::EDependantVarExit() {
    T3DEntries e = Entries();
    Logic.DependentVarExit(e);
    relabel();
}

void TAdd3DDialog::EVar1LinesExit() {
    T3DEntries e = Entries();
    T3DDlgLogic::Var1LinesExit(e);
    showDetail(EVar2Detail, e.Var2Detail);
}

void TAdd3DDialog::EVar2LinesExit() {
    T3DEntries e = Entries();
    T3DDlgLogic::Var2LinesExit(e);
    showDetail(EVar1Detail, e.Var1Detail);
}

void TAdd3DDialog::runExits() {
    EDependantVarExit();
    EVar1LinesExit();
    EVar2LinesExit();
}

T3DEntries TAdd3DDialog::Entries() const {
    T3DEntries e;
    e.DependentText = EDependantVar->currentText().toStdString();
    e.Func = text(EUserFuncString);
    e.BeginVar1 = text(EBeginVar1Str);
    e.EndVar1 = text(EEndVar1Str);
    e.Var1Lines = EVar1Lines->value();
    e.Var1Detail = detailOf(EVar1Detail);
    e.BeginVar2 = text(EBeginVar2Str);
    e.EndVar2 = text(EEndVar2Str);
    e.Var2Lines = EVar2Lines->value();
    e.Var2Detail = detailOf(EVar2Detail);
    e.Color = EFuncSample->SampleColor();
    e.RoundDown = ERadioRoundDown->isChecked();
    return e;
}

void TAdd3DDialog::ShowEntries(const T3DEntries& Entries) {
    TLoadScope loading = BeginLoad();
    relabel();
    EUserFuncString->setText(qs(Entries.Func));
    EFuncSample->SetSampleColor(Entries.Color);
    EBeginVar1Str->setText(qs(Entries.BeginVar1));
    EEndVar1Str->setText(qs(Entries.EndVar1));
    EVar1Lines->setValue(Entries.Var1Lines);
    showDetail(EVar1Detail, Entries.Var1Detail);
    EBeginVar2Str->setText(qs(Entries.BeginVar2));
    EEndVar2Str->setText(qs(Entries.EndVar2));
    EVar2Lines->setValue(Entries.Var2Lines);
    showDetail(EVar2Detail, Entries.Var2Detail);
    (Entries.RoundDown ? ERadioRoundDown : ERadioDontDraw)->setChecked(true);
}

void TAdd3DDialog::Load(const TFunc3DObj& Func) {
    ShowEntries(Logic.Load(Func));
}

void TAdd3DDialog::Store(TFunc3DObj& Func) const {
    Logic.Store(Entries(), Func);
}

QWidget* TAdd3DDialog::ControlOf(int Control) const {
    switch (Control) {
    case t3DependentVar:
        return EDependantVar;
    case t3Func:
        return EUserFuncString;
    case t3BeginVar1:
        return EBeginVar1Str;
    case t3EndVar1:
        return EEndVar1Str;
    case t3BeginVar2:
        return EBeginVar2Str;
    case t3EndVar2:
        return EEndVar2Str;
    default:
        return nullptr;
    }
}

void TAdd3DDialog::CloseQuery(int Result) {
    runExits();
}

bool TAdd3DDialog::CanCloseOk() {
    const TDlgCheck check = Logic.Validate(Entries());
    return ReportDlgCheck(check, this, ControlOf(check.Control));
}

// ---- launchers ----

bool AddRotateFunctionDialog(TFuncRotateObj& Func, QWidget* OwnerForm) {
    return RunFunctionDialog<TAddRotateDlg>(Func, OwnerForm, true, "Add 2D Function Rotated Into 3D");
}

bool ModifyRotateFunctionDialog(TFuncRotateObj& Func, QWidget* OwnerForm) {
    return RunFunctionDialog<TAddRotateDlg>(Func, OwnerForm, false, "Modify 2D Function Rotated Into 3D");
}

bool Add3DFunctionDialog(TFunc3DObj& Func, QWidget* OwnerForm) {
    return RunFunctionDialog<TAdd3DDialog>(Func, OwnerForm, true, "Add 3D Function");
}

bool Modify3DFunctionDialog(TFunc3DObj& Func, QWidget* OwnerForm) {
    return RunFunctionDialog<TAdd3DDialog>(Func, OwnerForm, false, "Modify 3D Function");
}
