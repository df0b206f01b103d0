#include "dialogs/SetPoDlg.h"

#include "dialogs/DlgRun.h"
#include "dialogs/StdAxis.h"
#include "math/CenterDlg.h"
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
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 2000;

TMathEditBounds positiveBounds() {
    return {{CheckLoBound, CheckHiBound, HiBoundCanEqual}, "0", 0, "1,000,000,000,000", 1e12L};
}

} // namespace

TSettingsPolarDlg::TSettingsPolarDlg(QWidget* parent)
    : TDialogBase(parent, kHelpContext), LabelFont(GetDefaultFont()) {
    setWindowTitle("Polar Graph Settings");
    auto* left = new QVBoxLayout;
    left->addWidget(buildAxisBox(), 1);
    left->addWidget(buildBackColorBox());
    left->addWidget(buildRadiusBox());
    auto* right = new QVBoxLayout;
    right->addWidget(buildTickMarkBox());
    right->addWidget(buildLabelBox());
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons.Row);
    SetExitCheck(EAxisList, [this] { return EAxisListExit(); });
}

// ---- building ----

QGroupBox* TSettingsPolarDlg::buildAxisBox() {
    AxisBox = MakeGroupBox("Axis Properties", this);
    TFormRows rows(AxisBox);
    EAxisList = new QPlainTextEdit(AxisBox);
    EAxisList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    EAxisList->setLineWrapMode(QPlainTextEdit::NoWrap);
    EAxisList->setTabChangesFocus(true);
    EAxisList->setMinimumHeight(EAxisList->fontMetrics().lineSpacing() * 8);
    rows.AddWide(MakeLabel("Axis List (Degrees)", AxisBox));
    rows.AddWide(EAxisList);
    Button1 = MakeButton("Standard Axis Lists", AxisBox);
    connect(Button1, &QPushButton::clicked, this, &TSettingsPolarDlg::Button1Click);
    rows.AddRow(Button1, nullptr);
    TColorRow color = MakeColorRow(AxisBox, "Axis Color", "Axis Color Sample");
    AxisColorButton = color.Button;
    EAxisColorSample = color.Sample;
    rows.AddRow(AxisColorButton, EAxisColorSample);
    TScrollRow width = MakeSizeBar(AxisBox);
    EAxisWidth = width.Bar;
    EAxisWidthLabel = width.Label;
    rows.AddRow("Axis Line Width", EAxisWidth, EAxisWidthLabel);
    AxisStyle = MakePenStyleButtons(AxisBox, "Axis Line Style");
    rows.AddWide(AxisStyle.Box);
    rows.Layout()->setRowStretch(1, 1);
    return AxisBox;
}

QGroupBox* TSettingsPolarDlg::buildBackColorBox() {
    BackColorBox = MakeBackColorBox(this, BackColorButton, EBackColorSample);
    return BackColorBox;
}

QGroupBox* TSettingsPolarDlg::buildRadiusBox() {
    RaidusBox1 = MakeGroupBox("Graph Radius", this);
    TFormRows rows(RaidusBox1);
    ERestrict = MakeCheckBox("Restrict Radius", RaidusBox1);
    ERestrictAmt = MakeMathEdit(RaidusBox1, "Restrict Graph Radius Amount", positiveBounds());
    ERestrictAmt->setText("5");
    rows.AddRow(ERestrict, ERestrictAmt);
    return RaidusBox1;
}

QGroupBox* TSettingsPolarDlg::buildTickMarkBox() {
    TickMarkBox = MakeGroupBox("Tick Mark Properties", this);
    TFormRows rows(TickMarkBox);
    ETickMarkIncrements = MakeMathEdit(TickMarkBox, "Tick Mark Increments", positiveBounds());
    ETickMarkIncrements->setText("1");
    rows.AddRow("Increments", ETickMarkIncrements);
    TColorRow color = MakeColorRow(TickMarkBox, "Color", "Tick Marks Color Sample");
    TickMarkColorButton = color.Button;
    ETickMarkColorSample = color.Sample;
    rows.AddRow(TickMarkColorButton, ETickMarkColorSample);
    rows.AddWide(buildTickTypeBox(TickMarkBox));
    CricleStyle = MakePenStyleButtons(TickMarkBox, "Circle Style");
    rows.AddWide(CricleStyle.Box);
    TScrollRow size = MakeSizeBar(TickMarkBox);
    ETickMarkSize = size.Bar;
    ETMSizeLabel = size.Label;
    SizeTypeLabel = MakeLabel("Dash Length", TickMarkBox);
    rows.AddRow(SizeTypeLabel, ETickMarkSize, ETMSizeLabel);
    return TickMarkBox;
}

QGroupBox* TSettingsPolarDlg::buildTickTypeBox(QWidget* parent) {
    TickTypeBox = MakeGroupBox("Tick Mark Type", parent);
    auto* row = new QHBoxLayout(TickTypeBox);
    EDashes = MakeRadioButton("Dashes", TickTypeBox);
    ECircles = MakeRadioButton("Circles", TickTypeBox);
    ENoTicks = MakeRadioButton("None", TickTypeBox);
    for (QRadioButton* b : {EDashes, ECircles, ENoTicks}) {
        row->addWidget(b);
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on) tickTypeChange();
        });
    }
    row->addStretch(1);
    return TickTypeBox;
}

QGroupBox* TSettingsPolarDlg::buildLabelBox() {
    LabelBox = MakeGroupBox("Label Properties", this);
    TFormRows rows(LabelBox);
    ELabelTickMarks = MakeCheckBox("Show Labels", LabelBox);
    rows.AddWide(ELabelTickMarks);
    Label = MakeNumberFormatRows(LabelBox, "\",\"", "\"+\"", 8, 1);
    Label.Comma->setToolTip("Thousands Separator");
    Label.Plus->setToolTip("Plus Sign");
    rows.AddRow("Number Format", Label.Format);
    rows.AddRow(Label.Comma, Label.Plus);
    rows.AddRow(Label.DigitsCaption, Label.Digits);
    LabelFontButton = MakeButton("Font", LabelBox);
    connect(LabelFontButton, &QPushButton::clicked, this, [this] { PickFont(LabelFont, this); });
    rows.AddRow(LabelFontButton, nullptr);
    return LabelBox;
}

// ---- load and store ----

void TSettingsPolarDlg::Load(const TSettingPolarObj& Settings) {
    TLoadScope loading = BeginLoad();
    EBackColorSample->SetSampleColor(Settings.BackColor);
    Working.Count = Settings.AxisCount;
    Working.Angles = Settings.AxisAngles;
    Loaded = Working;
    fillMemo();
    EAxisColorSample->SetSampleColor(Settings.AxisColor);
    EAxisWidth->setValue(Settings.AxisWidth);
    EAxisWidthLabel->setText(QString::number(EAxisWidth->value()));
    SetPenStyle(AxisStyle, Settings.AxisPenStyle);
    ETickMarkIncrements->setText(QString::fromStdString(Settings.TickIncStr));
    TickSizes.Type = Settings.TickMarkType;
    TickSizes.DashLength = Settings.DashLength;
    TickSizes.CircleWidth = Settings.CircleWidth;
    (Settings.TickMarkType == pkDashes    ? EDashes
     : Settings.TickMarkType == pkCircles ? ECircles
                                          : ENoTicks)
        ->setChecked(true);
    showTickSize(TickSizes.ShownFor(Settings.TickMarkType));
    ETickMarkColorSample->SetSampleColor(Settings.TickColor);
    SetPenStyle(CricleStyle, Settings.CirclePenStyle);
    ELabelTickMarks->setChecked(Settings.ShowLabels);
    LoadNumberFormatRows(Label, Settings.LabelFormat, Settings.ThousandsSeparator, Settings.PlusSign,
                         Settings.DecimalPlaces);
    ERestrict->setChecked(Settings.RestrictRadius);
    ERestrictAmt->setText(QString::fromStdString(Settings.RadiusRestrictStr));
    LabelFont = Settings.LabelFont;
    RefreshLabelOptions(Label);
}

void TSettingsPolarDlg::Store(TSettingPolarObj& Settings) {
    Settings.BackColor = EBackColorSample->SampleColor();
    Settings.AxisCount = Working.Count;
    Settings.AxisAngles = Working.Angles;
    Settings.AxisColor = EAxisColorSample->SampleColor();
    Settings.AxisWidth = EAxisWidth->value();
    Settings.AxisPenStyle = PenStyleOf(AxisStyle);
    ETickMarkIncrements->EvaluateText();
    Settings.TickIncStr = ETickMarkIncrements->text().toStdString();
    Settings.TickInc = ETickMarkIncrements->Value;
    Settings.TickMarkType = TickSizes.TakePosition(checkedTickType(), ETickMarkSize->value());
    Settings.DashLength = TickSizes.DashLength;
    Settings.CircleWidth = TickSizes.CircleWidth;
    Settings.TickColor = ETickMarkColorSample->SampleColor();
    Settings.CirclePenStyle = PenStyleOf(CricleStyle);
    Settings.ShowLabels = ELabelTickMarks->isChecked();
    StoreNumberFormatRows(Label, Settings.LabelFormat, Settings.ThousandsSeparator, Settings.PlusSign,
                          Settings.DecimalPlaces);
    Settings.RestrictRadius = ERestrict->isChecked();
    ERestrictAmt->EvaluateText();
    Settings.RadiusRestrictStr = ERestrictAmt->text().toStdString();
    Settings.RadiusRestrict = ERestrictAmt->Value;
    Settings.LabelFont = LabelFont;
}

// ---- axis list ----

std::vector<std::string> TSettingsPolarDlg::memoLines() const {
    std::vector<std::string> lines;
    for (const QString& line : EAxisList->toPlainText().split('\n'))
        lines.push_back(line.toStdString());
    return lines;
}

void TSettingsPolarDlg::fillMemo() {
    QStringList lines;
    for (const std::string& line : AxisListLines(Working))
        lines << QString::fromStdString(line);
    EAxisList->setPlainText(lines.join('\n'));
    // Unmodified: the memo shows the working list exactly.
    EAxisList->document()->setModified(false);
}

bool TSettingsPolarDlg::EAxisListExit() {
    const TAxisListRead read = ReadAxisLines(memoLines());
    if (read.Ok) {
        SetAxisAngles(Working, read.Angles);
    } else {
        const int answer =
            CenterMessageDlg(AxisAngleErrorMessage(read.BadLine), mtError, {mbOK, mbAbort}, 0, this);
        const bool reset = answer == mrAbort && CenterMessageDlg(AxisListResetQuestion, mtConfirmation,
                                                                 {mbOK, mbCancel}, 0, this) == mrOk;
        if (reset) Working = Loaded;
        EAxisList->setFocus(Qt::OtherFocusReason);
        // Without a reset the typed text stays for the user to mend.
        if (!reset) return false;
    }
    SortAxisList(Working);
    fillMemo();
    return read.Ok;
}

void TSettingsPolarDlg::Button1Click() {
    if (BuildStdAxisList(Working.Count, Working.Angles, this)) fillMemo();
}

// ---- tick type ----

uint8_t TSettingsPolarDlg::checkedTickType() const {
    return EDashes->isChecked() ? pkDashes : ECircles->isChecked() ? pkCircles : pkNone;
}

void TSettingsPolarDlg::tickTypeChange() {
    showTickSize(TickSizes.Change(ETickMarkSize->value(), checkedTickType()));
}

void TSettingsPolarDlg::showTickSize(TPolarTickSizes::TShown shown) {
    SizeTypeLabel->setText(shown.Caption);
    ETickMarkSize->setValue(shown.Position);
    ETMSizeLabel->setText(QString::number(ETickMarkSize->value()));
}

// ---- checks ----

bool TSettingsPolarDlg::CanCloseOk() {
    // The list typed since it was last read must be read now: OK must not keep an old list
    // while the memo shows another, nor close over a line that is no angle.
    if (EAxisList->document()->isModified() && !EAxisListExit()) return false;
    return ETickMarkIncrements->ValidateAndFocus() && ERestrictAmt->ValidateAndFocus();
}

// ---- launcher ----

bool ExecutePolarSettingsDlg(TSettingPolarObj& Settings) {
    return RunGraphRecordDialog<TSettingsPolarDlg>(Settings);
}
