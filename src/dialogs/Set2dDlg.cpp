#include "dialogs/Set2dDlg.h"

#include "dialogs/DlgRun.h"
#include "math/ColorSample.h"
#include "math/ComnDlgs.h"
#include "math/DefFont.h"
#include "math/DialogRows.h"
#include "math/editmath.h"
#include "platform/UiHook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <tuple>

namespace {

constexpr int kHelpContext = 1000;

QString withLetter(const char* format, char letter) {
    return QString::fromUtf8(format).arg(QChar(letter));
}

TMathEditBounds limitBounds() {
    return {{AllowEmpty, CheckLoBound, LoBoundCanEqual, CheckHiBound, HiBoundCanEqual},
            "-1,000,000,000,000",
            -1e12L,
            "1,000,000,000,000",
            1e12L};
}

TMathEditBounds incrementBounds() {
    return {{CheckLoBound, CheckHiBound, HiBoundCanEqual}, "0", 0, "1,000,000,000,000", 1e12L};
}

void setScroll(QScrollBar* bar, QLabel* label, int value) {
    bar->setValue(value);
    label->setText(QString::number(bar->value()));
}

// Two groups side by side on a page, the X axis's on the left. The caller builds X's group
// first, so that Tab visits it first: the order in which arguments are evaluated is free.
QWidget* sideBySide(QWidget* page, QGroupBox* x, QGroupBox* y) {
    auto* row = new QWidget(page);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(x, 1);
    layout->addWidget(y, 1);
    return row;
}

} // namespace

TSettings2DDlg::TSettings2DDlg(QWidget* parent)
    : TDialogBase(parent, kHelpContext), XLabelFont(GetDefaultFont()), YLabelFont(GetDefaultFont()) {
    setWindowTitle("2D Cartesian Graph Settings");
    PageControl1 = new QTabWidget(this);
    AxisLinesTab = buildAxisLinesPage();
    TickMarksTab = buildTickMarksPage();
    LabelsTab = buildLabelsPage();
    PageControl1->addTab(AxisLinesTab, "Axis Lines");
    PageControl1->addTab(TickMarksTab, "Tick Marks");
    PageControl1->addTab(LabelsTab, "Axis Labels");
    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addWidget(buttons.Row);
}

// ---- building ----

QWidget* TSettings2DDlg::buildAxisLinesPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    QGroupBox* x = buildAxisLineGroup(page, X, 'X');
    QGroupBox* y = buildAxisLineGroup(page, Y, 'Y');
    layout->addWidget(sideBySide(page, x, y));
    BackColorBox = MakeBackColorBox(page, BackColorButton, BackColorSample);
    layout->addWidget(BackColorBox);
    layout->addStretch(1);
    return page;
}

QGroupBox* TSettings2DDlg::buildAxisLineGroup(QWidget* page, T2DAxisControls& a, char letter) {
    a.AxisLineBox = MakeGroupBox(withLetter("%1 Axis Line", letter), page);
    QGroupBox* box = a.AxisLineBox;
    TFormRows rows(box);
    a.EShowAxisLines = MakeCheckBox("Show Axis Lines", box);
    rows.AddWide(a.EShowAxisLines);
    a.ELimitHiAxis = MakeMathEdit(box, withLetter("Limit Hi %1 Axis End", letter), limitBounds());
    a.ELimitLoAxis = MakeMathEdit(box, withLetter("Limit Lo %1 Axis End", letter), limitBounds());
    rows.AddRow("Limit Hi Axis End", a.ELimitHiAxis);
    rows.AddRow("Limit Lo Axis End", a.ELimitLoAxis);
    TColorRow color = MakeColorRow(box, "Axis Color", withLetter("%1 Axis Color Sample", letter));
    a.AxisColorButton = color.Button;
    a.AxisColorSample = color.Sample;
    rows.AddRow(a.AxisColorButton, a.AxisColorSample);
    TScrollRow width = MakeSizeBar(box);
    a.EAxisWidth = width.Bar;
    a.AxisWidthLabel = width.Label;
    rows.AddRow("Axis Line Width", a.EAxisWidth, a.AxisWidthLabel);
    a.AxisPen = MakePenStyleButtons(box, "Axis Line Style");
    rows.AddWide(a.AxisPen.Box);
    rows.AddStretch();
    return box;
}

QWidget* TSettings2DDlg::buildTickMarksPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    QGroupBox* x = buildTickMarkGroup(page, X, 'X');
    QGroupBox* y = buildTickMarkGroup(page, Y, 'Y');
    layout->addWidget(sideBySide(page, x, y));
    layout->addStretch(1);
    return page;
}

QGroupBox* TSettings2DDlg::buildTickMarkGroup(QWidget* page, T2DAxisControls& a, char letter) {
    a.TickMarkBox = MakeGroupBox(withLetter("%1 Tick Marks", letter), page);
    QGroupBox* box = a.TickMarkBox;
    TFormRows rows(box);
    QGroupBox* type = MakeGroupBox("Type", box);
    auto* types = new QGridLayout(type);
    a.ENone = MakeRadioButton("None", type);
    a.ETickMarks = MakeRadioButton("Tick Marks", type);
    a.EGridMarks = MakeRadioButton("Grid Marks", type);
    a.EGridLines = MakeRadioButton("Grid Lines", type);
    types->addWidget(a.ENone, 0, 0);
    types->addWidget(a.ETickMarks, 0, 1);
    types->addWidget(a.EGridMarks, 1, 0);
    types->addWidget(a.EGridLines, 1, 1);
    rows.AddWide(type);
    TColorRow color = MakeColorRow(box, "Color", withLetter("%1 Tick Marks Color Sample", letter));
    a.TMColorButton = color.Button;
    a.TMColorSample = color.Sample;
    rows.AddRow(a.TMColorButton, a.TMColorSample);
    a.ETickMarkInc = MakeMathEdit(box, withLetter("%1 Tick Mark Increments", letter), incrementBounds());
    a.ETickMarkInc->setText("1");
    rows.AddRow("Increments", a.ETickMarkInc);
    TScrollRow length = MakeSizeBar(box);
    a.ETickMarkLength = length.Bar;
    a.TMSizeLabel = length.Label;
    rows.AddRow("Tick Mark Length", a.ETickMarkLength, a.TMSizeLabel);
    a.GridPen = MakePenStyleButtons(box, "Grid Line Style");
    rows.AddWide(a.GridPen.Box);
    rows.AddStretch();
    return box;
}

QWidget* TSettings2DDlg::buildLabelsPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    QGroupBox* x = buildLabelGroup(page, X, 'X', XLabelFont);
    QGroupBox* y = buildLabelGroup(page, Y, 'Y', YLabelFont);
    layout->addWidget(sideBySide(page, x, y));
    layout->addStretch(1);
    return page;
}

QGroupBox* TSettings2DDlg::buildLabelGroup(QWidget* page, T2DAxisControls& a, char letter,
                                           TFontRecord& font) {
    a.TMLabelBox = MakeGroupBox(withLetter("%1 Axis Label Properties", letter), page);
    QGroupBox* box = a.TMLabelBox;
    TFormRows rows(box);
    a.EShowTMLabels = MakeCheckBox(withLetter("Show %1 Axis Labels", letter), box);
    rows.AddWide(a.EShowTMLabels);
    a.Label = MakeNumberFormatRows(box, "Thousands Separator \",\"", "Plus Sign \"+\"", 18, 2);
    rows.AddRow("Number Format", a.Label.Format);
    rows.AddWide(a.Label.Comma);
    rows.AddWide(a.Label.Plus);
    rows.AddRow(a.Label.DigitsCaption, a.Label.Digits);
    a.TMLabelFontButton = MakeButton("Font", box);
    connect(a.TMLabelFontButton, &QPushButton::clicked, this, [this, &font] { PickFont(font, this); });
    rows.AddRow(a.TMLabelFontButton, nullptr);
    rows.AddStretch();
    return box;
}

// ---- load and store ----

void TSettings2DDlg::Load(const TSetting2DObj& Settings) {
    TLoadScope loading = BeginLoad();
    loadAxis(X, Settings.X);
    loadAxis(Y, Settings.Y);
    BackColorSample->SetSampleColor(Settings.BackColor);
    XLabelFont = Settings.XLabelFont;
    YLabelFont = Settings.YLabelFont;
    RefreshLabelOptions(X.Label);
    RefreshLabelOptions(Y.Label);
}

void TSettings2DDlg::loadAxis(T2DAxisControls& a, const TSetting2DAxis& s) {
    a.EShowAxisLines->setChecked(s.ShowAxisLine);
    a.ELimitLoAxis->setText(QString::fromStdString(s.LoLimitStr));
    a.ELimitHiAxis->setText(QString::fromStdString(s.HiLimitStr));
    a.AxisColorSample->SetSampleColor(s.AxisColor);
    setScroll(a.EAxisWidth, a.AxisWidthLabel, s.AxisWidth);
    SetPenStyle(a.AxisPen, s.AxisPenStyle);
    const std::array<QRadioButton*, 4> types = {a.ENone, a.ETickMarks, a.EGridMarks, a.EGridLines};
    if (s.TickType < types.size()) types[s.TickType]->setChecked(true);
    a.TMColorSample->SetSampleColor(s.TickColor);
    a.ETickMarkInc->setText(QString::fromStdString(s.TickIncStr));
    setScroll(a.ETickMarkLength, a.TMSizeLabel, s.TickLength);
    SetPenStyle(a.GridPen, s.GridPenStyle);
    a.EShowTMLabels->setChecked(s.ShowTickLabels);
    LoadNumberFormatRows(a.Label, s.LabelFormat, s.ThousandsSeparator, s.PlusSign, s.DecimalPlaces);
}

void TSettings2DDlg::Store(TSetting2DObj& Settings) {
    storeAxis(X, Settings.X);
    storeAxis(Y, Settings.Y);
    Settings.BackColor = BackColorSample->SampleColor();
    Settings.XLabelFont = XLabelFont;
    Settings.YLabelFont = YLabelFont;
}

void TSettings2DDlg::storeAxis(const T2DAxisControls& a, TSetting2DAxis& s) const {
    s.ShowAxisLine = a.EShowAxisLines->isChecked();
    for (auto [edit, text, empty, value] :
         {std::tuple{a.ELimitLoAxis, &s.LoLimitStr, &s.LoLimitEmpty, &s.LoLimit},
          std::tuple{a.ELimitHiAxis, &s.HiLimitStr, &s.HiLimitEmpty, &s.HiLimit}}) {
        edit->EvaluateText();
        *text = edit->text().toStdString();
        *empty = edit->Empty;
        *value = edit->Value; // cleared when empty
    }
    s.AxisColor = a.AxisColorSample->SampleColor();
    s.AxisWidth = a.EAxisWidth->value();
    s.AxisPenStyle = PenStyleOf(a.AxisPen);
    s.TickType = a.ETickMarks->isChecked()   ? tkTickMarks
                 : a.EGridMarks->isChecked() ? tkGridMarks
                 : a.EGridLines->isChecked() ? tkGridLines
                                             : tkNone;
    s.TickColor = a.TMColorSample->SampleColor();
    a.ETickMarkInc->EvaluateText();
    s.TickIncStr = a.ETickMarkInc->text().toStdString();
    s.TickInc = a.ETickMarkInc->Value;
    s.TickLength = a.ETickMarkLength->value();
    s.GridPenStyle = PenStyleOf(a.GridPen);
    s.ShowTickLabels = a.EShowTMLabels->isChecked();
    StoreNumberFormatRows(a.Label, s.LabelFormat, s.ThousandsSeparator, s.PlusSign, s.DecimalPlaces);
}

// ---- checks ----

bool TSettings2DDlg::CanCloseOk() {
    for (TEditMathConst* edit :
         {X.ELimitLoAxis, X.ELimitHiAxis, X.ETickMarkInc, Y.ELimitLoAxis, Y.ELimitHiAxis, Y.ETickMarkInc})
        if (!edit->ValidateAndFocus()) return false;
    return X.ELimitLoAxis->CheckRelation(erLessEqual, X.ELimitHiAxis, this) &&
           Y.ELimitLoAxis->CheckRelation(erLessEqual, Y.ELimitHiAxis, this);
}

// ---- launcher ----

bool Execute2DSettingsDlg(TSetting2DObj& Settings) {
    return RunGraphRecordDialog<TSettings2DDlg>(Settings);
}
