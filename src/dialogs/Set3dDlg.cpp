#include "dialogs/Set3dDlg.h"

#include "dialogs/DlgRun.h"
#include "math/ColorSample.h"
#include "math/ComnDlgs.h"
#include "math/DefFont.h"
#include "math/DialogRows.h"
#include "platform/UiHook.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 3000;

QString withLetter(const char* format, char letter) {
    return QString::fromUtf8(format).arg(QChar(letter));
}

} // namespace

TSettings3DDlg::TSettings3DDlg(QWidget* parent) : TDialogBase(parent, kHelpContext) {
    setWindowTitle("3D Cartesian Graph Settings");
    auto* grid = new QGridLayout;
    grid->addWidget(buildAxisBox(X, 'X'), 0, 0);
    grid->addWidget(buildAxisBox(Y, 'Y'), 0, 1);
    grid->addWidget(buildAxisBox(Z, 'Z'), 1, 0);
    grid->addWidget(buildAttribsBox(), 1, 1);
    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons.Row);
    for (T3DAxisControls* a : axes())
        a->Font = GetDefaultFont();
}

QGroupBox* TSettings3DDlg::buildAxisBox(T3DAxisControls& a, char letter) {
    a.SettingsBox = MakeGroupBox(withLetter("%1 Axis Settings", letter), this);
    QGroupBox* box = a.SettingsBox;
    TFormRows rows(box);
    a.EShowAxisLine = MakeCheckBox(withLetter("Show %1 Axis Line", letter), box);
    rows.AddWide(a.EShowAxisLine);
    TColorRow color = MakeColorRow(box, "Line Color", withLetter("%1 Axis Color Sample", letter));
    a.ColorButton = color.Button;
    a.AxisColorSample = color.Sample;
    rows.AddRow(a.ColorButton, a.AxisColorSample);
    a.ELabelPos = MakeCheckBox(withLetter("Label \"+%1\" Axis", letter), box);
    a.ELabelNeg = MakeCheckBox(withLetter("Label \"-%1\" Axis", letter), box);
    a.EShowPlusSigns = MakeCheckBox("Show \"+\" Sign", box);
    a.EShowMinusSigns = MakeCheckBox("Show \"-\" Sign", box);
    rows.AddRow(a.ELabelPos, a.ELabelNeg);
    rows.AddRow(a.EShowPlusSigns, a.EShowMinusSigns);
    a.FontButton = MakeButton("Label Font", box);
    connect(a.FontButton, &QPushButton::clicked, this, [this, &a] { PickFont(a.Font, this); });
    rows.AddRow(a.FontButton, nullptr);
    rows.AddStretch();
    return box;
}

QGroupBox* TSettings3DDlg::buildAttribsBox() {
    GraphAttribsBox = MakeGroupBox("Graph Attributes", this);
    TFormRows rows(GraphAttribsBox);
    TColorRow back = MakeColorRow(GraphAttribsBox, "Background Color", "Background Color Sample");
    EBackgroundColor = back.Button;
    EBackGroundSample = back.Sample;
    rows.AddRow(EBackgroundColor, EBackGroundSample);
    EAllAxisLineColors = MakeButton("All Line Colors", GraphAttribsBox);
    EAllLabelFonts = MakeButton("All Label Fonts", GraphAttribsBox);
    connect(EAllAxisLineColors, &QPushButton::clicked, this, &TSettings3DDlg::EAllAxisLineColorsClick);
    connect(EAllLabelFonts, &QPushButton::clicked, this, &TSettings3DDlg::EAllLabelFontsClick);
    rows.AddRow(EAllAxisLineColors, nullptr);
    rows.AddRow(EAllLabelFonts, nullptr);
    rows.AddStretch();
    return GraphAttribsBox;
}

void TSettings3DDlg::FormShow() {
    OKBtn->setFocus();
}

void TSettings3DDlg::Load(const TSetting3DObj& Settings) {
    TLoadScope loading = BeginLoad();
    EBackGroundSample->SetSampleColor(Settings.BackColor);
    const std::array<const TSetting3DAxis*, 3> from = {&Settings.X, &Settings.Y, &Settings.Z};
    for (std::size_t i = 0; i < from.size(); ++i) {
        T3DAxisControls& a = *axes()[i];
        const TSetting3DAxis& s = *from[i];
        a.EShowAxisLine->setChecked(s.ShowAxisLine);
        a.AxisColorSample->SetSampleColor(s.AxisColor);
        a.ELabelPos->setChecked(s.LabelPositiveEnd);
        a.ELabelNeg->setChecked(s.LabelNegativeEnd);
        a.EShowPlusSigns->setChecked(s.ShowPlusSign);
        a.EShowMinusSigns->setChecked(s.ShowMinusSign);
        a.Font = s.LabelFont;
    }
}

void TSettings3DDlg::Store(TSetting3DObj& Settings) const {
    Settings.BackColor = EBackGroundSample->SampleColor();
    const std::array<const T3DAxisControls*, 3> from = {&X, &Y, &Z};
    const std::array<TSetting3DAxis*, 3> to = {&Settings.X, &Settings.Y, &Settings.Z};
    for (std::size_t i = 0; i < from.size(); ++i) {
        const T3DAxisControls& a = *from[i];
        TSetting3DAxis& s = *to[i];
        s.ShowAxisLine = a.EShowAxisLine->isChecked();
        s.AxisColor = a.AxisColorSample->SampleColor();
        s.LabelPositiveEnd = a.ELabelPos->isChecked();
        s.LabelNegativeEnd = a.ELabelNeg->isChecked();
        s.ShowPlusSign = a.EShowPlusSigns->isChecked();
        s.ShowMinusSign = a.EShowMinusSigns->isChecked();
        s.LabelFont = a.Font;
    }
}

void TSettings3DDlg::EAllAxisLineColorsClick() {
    TColor color = X.AxisColorSample->SampleColor();
    if (!PickColor(color, this)) return;
    for (T3DAxisControls* a : axes())
        a->AxisColorSample->SetSampleColor(color);
}

void TSettings3DDlg::EAllLabelFontsClick() {
    if (!PickFont(X.Font, this)) return;
    Y.Font = X.Font;
    Z.Font = X.Font;
}

bool Execute3DSettingsDlg(TSetting3DObj& Settings) {
    return RunGraphRecordDialog<TSettings3DDlg>(Settings);
}
