#include "dialogs/AddParam.h"

#include "dialogs/DlgRun.h"
#include "math/ColorSample.h"
#include "math/DialogRows.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kParametricHelp = 1015;
constexpr int kPolarHelp = 2010;
constexpr int kFuncEditWidth = 320;

const TCurveFormText kParametricText{"The Independent Function Variable Must be \"T\".",
                                     {"X=", "Y="},
                                     "Lower Bound",
                                     "Upper Bound",
                                     "<= T <="};
const TCurveFormText kPolarText{"The Word 'Theta' or an 'X' Can be Used as The Variable Here.",
                                {"R="},
                                "Lower Bound (Radians)",
                                "Upper Bound",
                                "<= Theta <="};

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TCurveFuncDlg::TCurveFuncDlg(int HelpContext, const TCurveFormText& Text)
    : TDialogBase(nullptr, HelpContext) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFunctionGroup(Text));
    layout->addWidget(buildPropertiesGroup());
    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    layout->addWidget(buttons.Row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* TCurveFuncDlg::buildFunctionGroup(const TCurveFormText& text) {
    FuncStrBox = MakeGroupBox("Function Definition", this);
    auto* grid = new QGridLayout(FuncStrBox);
    Label6 = MakeLabel(text.Note, FuncStrBox);
    grid->addWidget(Label6, 0, 0, 1, 3);
    int row = 1;
    for (const char* caption : text.FuncCaptions) {
        auto* edit = new QLineEdit(FuncStrBox);
        edit->setMinimumWidth(kFuncEditWidth);
        FuncEdits.push_back(edit);
        auto* line = new QHBoxLayout;
        line->addWidget(MakeLabel(caption, FuncStrBox));
        line->addWidget(edit, 1);
        grid->addLayout(line, row++, 0, 1, 3);
    }
    ELoBoundStr = new QLineEdit(FuncStrBox);
    EHiBoundStr = new QLineEdit(FuncStrBox);
    grid->addWidget(MakeLabel(text.LoCaption, FuncStrBox), row, 0);
    grid->addWidget(MakeLabel(text.HiCaption, FuncStrBox), row++, 2);
    grid->addWidget(ELoBoundStr, row, 0);
    grid->addWidget(MakeLabel(text.Between, FuncStrBox), row, 1, Qt::AlignCenter);
    grid->addWidget(EHiBoundStr, row, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    return FuncStrBox;
}

QGroupBox* TCurveFuncDlg::buildPropertiesGroup() {
    GroupBox1 = MakeGroupBox("Properties", this);
    TFormRows rows(GroupBox1);
    ESamples = MakeSpinEdit(GroupBox1, MinCurveSamples, MaxCurveSamples, 10000, 6);
    rows.AddRow("Samples", ESamples);
    TColorRow color = MakeColorRow(GroupBox1, "Color", "Function Color Sample");
    ColorButton1 = color.Button;
    EFuncColorSample = color.Sample;
    rows.AddRow(ColorButton1, EFuncColorSample);
    TScrollRow width = MakeScrollRow(GroupBox1, 1, 10);
    ELineWidth = width.Bar;
    ELineWidth->setFocusPolicy(Qt::StrongFocus); // a tab stop: the arrow keys move it
    LineWidthLabel = width.Label;
    rows.AddRow("Line Width", ELineWidth, LineWidthLabel);
    return GroupBox1;
}

TCurveEntries TCurveFuncDlg::Entries() const {
    TCurveEntries e;
    for (const QLineEdit* edit : FuncEdits)
        e.Funcs.push_back(edit->text().toStdString());
    e.LoBound = ELoBoundStr->text().toStdString();
    e.HiBound = EHiBoundStr->text().toStdString();
    e.Samples = ESamples->value();
    e.Color = EFuncColorSample->SampleColor();
    e.LineWidth = ELineWidth->value();
    return e;
}

void TCurveFuncDlg::ShowEntries(const TCurveEntries& Entries) {
    TLoadScope loading = BeginLoad();
    for (std::size_t i = 0; i < FuncEdits.size(); ++i)
        FuncEdits[i]->setText(i < Entries.Funcs.size() ? qs(Entries.Funcs[i]) : QString());
    ELoBoundStr->setText(qs(Entries.LoBound));
    EHiBoundStr->setText(qs(Entries.HiBound));
    ESamples->setValue(Entries.Samples);
    EFuncColorSample->SetSampleColor(Entries.Color);
    ELineWidth->setValue(Entries.LineWidth);
    LineWidthLabel->setText(QString::number(ELineWidth->value()));
}

QWidget* TCurveFuncDlg::ControlOf(int Control) const {
    switch (Control) {
    case cuFirstFunc:
        return FuncEdits.empty() ? nullptr : FuncEdits[0];
    case cuSecondFunc:
        return FuncEdits.size() > 1 ? FuncEdits[1] : nullptr;
    case cuLoBound:
        return ELoBoundStr;
    case cuHiBound:
        return EHiBoundStr;
    default:
        return nullptr;
    }
}

bool TCurveFuncDlg::CanCloseOk() {
    const TDlgCheck check = validate(Entries());
    return ReportDlgCheck(check, this, ControlOf(check.Control));
}

// ---- the two forms ----

TAddParametricFuncDlg::TAddParametricFuncDlg() : TCurveFuncDlg(kParametricHelp, kParametricText) {
    setWindowTitle("Parametric Function");
    EXUserFuncStr = FuncEdits[0];
    EYUserFuncStr = FuncEdits[1];
}

void TAddParametricFuncDlg::Load(const TFuncParametricObj& Func) {
    ShowEntries(Logic.Load(Func));
}

void TAddParametricFuncDlg::Store(TFuncParametricObj& Func) const {
    Logic.Store(Entries(), Func);
}

TAddPolarFuncDlg::TAddPolarFuncDlg() : TCurveFuncDlg(kPolarHelp, kPolarText) {
    setWindowTitle("Polar Function");
    EUserFuncStr = FuncEdits[0];
}

void TAddPolarFuncDlg::Load(const TFuncPolarObj& Func) {
    ShowEntries(Logic.Load(Func));
}

void TAddPolarFuncDlg::Store(TFuncPolarObj& Func) const {
    Logic.Store(Entries(), Func);
}

// ---- launchers ----

bool AddParametricFunctionDialog(TFuncParametricObj& Func, QWidget* OwnerForm) {
    return RunFunctionDialog<TAddParametricFuncDlg>(Func, OwnerForm, true, "Add Parametric Function");
}

bool ModifyParametricFunctionDialog(TFuncParametricObj& Func, QWidget* OwnerForm) {
    return RunFunctionDialog<TAddParametricFuncDlg>(Func, OwnerForm, false, "Modify Parametric Function");
}

bool AddPolarFunctionDialog(TFuncPolarObj& Func, QWidget* OwnerForm) {
    return RunFunctionDialog<TAddPolarFuncDlg>(Func, OwnerForm, true, "Add Polar Function");
}

bool ModifyPolarFunctionDialog(TFuncPolarObj& Func, QWidget* OwnerForm) {
    return RunFunctionDialog<TAddPolarFuncDlg>(Func, OwnerForm, false, "Modify Polar Function");
}
