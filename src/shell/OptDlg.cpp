#include "shell/OptDlg.h"

#include "math/ComnDlgs.h"
#include "math/DefFont.h"
#include "math/DialogRows.h"
#include "platform/UiHook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstddef>
#include <utility>

namespace {

constexpr int kHelpContext = 4010;

// The step edits keep the caret where it was when tabbed into instead of selecting the
// whole text, so that a step is corrected rather than typed over by accident.
class TStepEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override {
        const bool hadSelection = hasSelectedText();
        QLineEdit::focusInEvent(event);
        if (!hadSelection) deselect();
    }
};

QLineEdit* makeStepEdit(QWidget* parent) {
    auto* edit = new TStepEdit(parent);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0.000000000")) + 12);
    return edit;
}

// A track bar whose ends read, from left to right, Left and Right: moving right makes the
// value smaller, since a short delay and a fast rate are small intervals.
struct TTrackRow {
    QLabel* Caption;
    QSlider* Bar;
    QWidget* Ends;
};
TTrackRow makeTrackRow(QWidget* parent, const char* caption, int min, int max, int tick, const char* left,
                       const char* right) {
    TTrackRow r{};
    r.Bar = new QSlider(Qt::Horizontal, parent);
    r.Bar->setRange(min, max);
    r.Bar->setTickInterval(tick);
    r.Bar->setTickPosition(QSlider::TicksBelow);
    r.Bar->setPageStep(tick);
    r.Bar->setInvertedAppearance(true);
    r.Bar->setInvertedControls(true);
    r.Bar->setMinimumWidth(200);
    r.Caption = MakeLabel(caption, parent, r.Bar);
    r.Ends = new QWidget(parent);
    auto* ends = new QHBoxLayout(r.Ends);
    ends->setContentsMargins(0, 0, 0, 0);
    ends->addWidget(MakeLabel(left, r.Ends));
    ends->addStretch(1);
    ends->addWidget(MakeLabel(right, r.Ends));
    return r;
}

template <std::size_t N> void checkRadio(const std::array<QRadioButton*, N>& radios, int index) {
    if (index >= 0 && index < int(N)) radios[std::size_t(index)]->setChecked(true);
}

template <std::size_t N> int checkedRadio(const std::array<QRadioButton*, N>& radios) {
    for (std::size_t i = 0; i < N; ++i)
        if (radios[i]->isChecked()) return int(i);
    return NoneChecked;
}

template <std::size_t N>
QGroupBox* radioGroup(QWidget* parent, const char* title, std::array<QRadioButton*, N>& radios,
                      const std::array<const char*, N>& captions) {
    QGroupBox* box = MakeGroupBox(title, parent);
    auto* column = new QVBoxLayout(box);
    for (std::size_t i = 0; i < N; ++i) {
        radios[i] = MakeRadioButton(captions[i], box);
        column->addWidget(radios[i]);
    }
    column->addStretch(1);
    return box;
}

constexpr std::array<const char*, 4> ViewCaptions = {"Graph Cartesian", "Graph Polar (Degrees)",
                                                     "Graph Polar (Radians)", "Pixels From Center"};
constexpr std::array<const char*, 5> MouseCaptions = {"Graph Cartesian", "Graph Polar (Degrees)",
                                                      "Graph Polar (Radians)", "Pixels From Center",
                                                      "Bitmap Pixels"};
constexpr std::array<const char*, 4> Mouse3DCaptions = {"Graph Cartesian", "Pixels From Center",
                                                        "Bitmap Pixels", "Don't Show"};
constexpr std::array<const char*, 4> PlacementCaptions = {"Center on Screen", "Center on Desktop",
                                                          "Center on Main Window",
                                                          "Center on Parent Dialog (Usually Main Window)"};

} // namespace

TOptionsDlg::TOptionsDlg() : TDialogBase(nullptr, kHelpContext) {
    setWindowTitle("Options");
    auto* column = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    GeneralTab = buildGeneralPage();
    StatusLineTab = buildStatusLinePage();
    HotKeys2D = buildHotKeyPage();
    HotKeysPolar = buildHotKeyPage();
    HotKey3DTab = buildHotKey3DPage();
    PageControl1->addTab(GeneralTab, "General");
    PageControl1->addTab(StatusLineTab, "Status Line");
    PageControl1->addTab(HotKeys2D.Tab, "2D Hotkeys");
    PageControl1->addTab(HotKeysPolar.Tab, "Polar Hotkeys");
    PageControl1->addTab(HotKey3DTab, "3D Hotkeys");
    column->addWidget(PageControl1);
    column->addWidget(buildBottomPanel());
    column->setSizeConstraint(QLayout::SetFixedSize);
}

// ---- pages ----

QWidget* TOptionsDlg::buildGeneralPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(buildRepeatGroup(page), 0, 0);
    grid->addWidget(buildBitmapGroup(page), 1, 0);
    grid->addWidget(buildMiscGroup(page), 0, 1);
    grid->addWidget(buildPlacementGroup(page), 1, 1);
    grid->setRowStretch(2, 1);
    return page;
}

QGroupBox* TOptionsDlg::buildRepeatGroup(QWidget* page) {
    QGroupBox* box = MakeGroupBox("Repeating Tool Bar Buttons", page);
    auto* column = new QVBoxLayout(box);
    RepeatingTBButtons_Gen = MakeCheckBox("Enable Repeating Buttons", box);
    column->addWidget(RepeatingTBButtons_Gen);
    const TTrackRow delay =
        makeTrackRow(box, "Repeat Delay", RepeatDelayMin, RepeatDelayMax, RepeatDelayTick, "Long", "Short");
    const TTrackRow rate =
        makeTrackRow(box, "Repeat Rate", RepeatRateMin, RepeatRateMax, RepeatRateTick, "Slow", "Fast");
    for (const TTrackRow& row : {delay, rate}) {
        column->addWidget(row.Caption);
        column->addWidget(row.Bar);
        column->addWidget(row.Ends);
    }
    RepeatDelay_Gen = delay.Bar;
    RepeatRate_Gen = rate.Bar;
    return box;
}

QGroupBox* TOptionsDlg::buildBitmapGroup(QWidget* page) {
    QGroupBox* box = MakeGroupBox("Default Graph Bitmap Attributes", page);
    TFormRows rows(box);
    DefaultBmpWidth_Gen = MakeSpinEdit(box, OptBmpSizeMin, OptBmpSizeMax, 1000, 4);
    DefaultBmpHeight_Gen = MakeSpinEdit(box, OptBmpSizeMin, OptBmpSizeMax, 1000, 4);
    rows.AddRow("Bitmap Width", DefaultBmpWidth_Gen);
    rows.AddRow("Bitmap Height", DefaultBmpHeight_Gen);
    rows.AddWide(MakeLabel("Values Must be in (16 <= Size <= 2000)", box));
    DefaultColorDepth_Gen = new QComboBox(box);
    for (const char* item : OptColorDepthItems)
        DefaultColorDepth_Gen->addItem(QString::fromUtf8(item));
    rows.AddWide(MakeLabel("Bitmap Color Depth (Colors Per Pixel)", box));
    rows.AddWide(DefaultColorDepth_Gen);
    rows.Layout()->setColumnStretch(2, 1);
    return box;
}

QGroupBox* TOptionsDlg::buildMiscGroup(QWidget* page) {
    QGroupBox* box = MakeGroupBox("Miscellaneous", page);
    auto* column = new QVBoxLayout(box);
    FlatToolBars_Gen = MakeCheckBox("Flat Tool Bars Effect", box);
    column->addWidget(FlatToolBars_Gen);
    DefaultFontButton = MakeButton("Default Font", box);
    connect(DefaultFontButton, &QPushButton::clicked, this, [this] { DefaultFontButtonClick(); });
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(DefaultFontButton);
    fontRow->addStretch(1);
    column->addLayout(fontRow);
    column->addStretch(1);
    return box;
}

QGroupBox* TOptionsDlg::buildPlacementGroup(QWidget* page) {
    QGroupBox* box = radioGroup(page, "Dialog Box Locations", CenterRadios_Gen, PlacementCaptions);
    CenterRadios_Gen[3]->setChecked(true);
    CenterComnChkBox_Gen = MakeCheckBox("Center Common Dialogs", box);
    static_cast<QVBoxLayout*>(box->layout())->insertWidget(4, CenterComnChkBox_Gen);
    return box;
}

QWidget* TOptionsDlg::buildStatusLinePage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(buildPlaneGroup(page, "2D Cartesian Settings", EView2D, EMouse2D), 0, 0);
    grid->addWidget(buildPlaneGroup(page, "Polar Settings", EViewPol, EMousePol), 1, 0);
    auto* right = new QVBoxLayout;
    right->addWidget(radioGroup(page, "3D Mouse Position Settings", E3D, Mouse3DCaptions));
    QGroupBox* show = MakeGroupBox("Show Status Line", page);
    auto* showColumn = new QVBoxLayout(show);
    EShowStatusLine = MakeCheckBox("Show Status Line", show);
    showColumn->addWidget(EShowStatusLine);
    right->addWidget(show);
    right->addStretch(1);
    grid->addLayout(right, 0, 1, 2, 1);
    grid->setRowStretch(2, 1);
    return page;
}

QGroupBox* TOptionsDlg::buildPlaneGroup(QWidget* page, const char* title, std::array<QRadioButton*, 4>& view,
                                        std::array<QRadioButton*, 5>& mouse) {
    QGroupBox* box = MakeGroupBox(title, page);
    auto* row = new QHBoxLayout(box);
    row->addWidget(radioGroup(box, "View Center", view, ViewCaptions));
    row->addWidget(radioGroup(box, "Mouse Position", mouse, MouseCaptions));
    return box;
}

THotKeyPage TOptionsDlg::buildHotKeyPage() {
    THotKeyPage p;
    p.Tab = new QWidget;
    auto* grid = new QGridLayout(p.Tab);
    QGroupBox* zoomBox = MakeGroupBox("Zoom Increment Ranges", p.Tab);
    TFormRows rows(zoomBox);
    for (std::size_t i = 0; i < p.Zoom.size(); ++i) {
        p.Zoom[i] = makeStepEdit(zoomBox);
        rows.AddRow(ZoomBandNames[i], p.Zoom[i]);
    }
    QGroupBox* scrollBox = MakeGroupBox("Scroll Amount", p.Tab);
    auto* scrollRow = new QHBoxLayout(scrollBox);
    p.EScrollAmt = MakeSpinEdit(scrollBox, ScrollAmtMin, ScrollAmtMax, 10, 4);
    scrollRow->addWidget(p.EScrollAmt);
    scrollRow->addStretch(1);
    grid->addWidget(zoomBox, 0, 0);
    grid->addWidget(scrollBox, 0, 1, Qt::AlignTop);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(2, 1);
    return p;
}

QWidget* TOptionsDlg::buildHotKey3DPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    QGroupBox* rotBox = MakeGroupBox("Rotation Amount (Positive Degrees)", page);
    auto* rotRow = new QHBoxLayout(rotBox);
    ERotAmount_3D = makeStepEdit(rotBox);
    rotRow->addWidget(ERotAmount_3D);
    rotRow->addStretch(1);
    QGroupBox* zoomBox = MakeGroupBox("Zoom Increment Ranges", page);
    TFormRows rows(zoomBox);
    for (std::size_t i = 0; i < SpinEdit_3D.size(); ++i) {
        SpinEdit_3D[i] = MakeSpinEdit(zoomBox, Zoom3DStepMin, Zoom3DStepMax, 1, 3);
        rows.AddRow(Zoom3DBandNames[i], SpinEdit_3D[i]);
    }
    grid->addWidget(rotBox, 0, 0);
    grid->addWidget(zoomBox, 1, 0);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

QWidget* TOptionsDlg::buildBottomPanel() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    EDefaultChBox = MakeCheckBox("Default", panel);
    EDefaultChBox->setToolTip("Reset All Options To Defaults");
    row->addWidget(EDefaultChBox);
    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    buttons.Row->setParent(panel);
    row->addWidget(buttons.Row, 1);
    return panel;
}

// ---- loading and storing ----

void TOptionsDlg::Load(const TOptionsEntries& Entries) {
    TLoadScope loading = BeginLoad();
    const TGeneralEntries& g = Entries.General;
    RepeatingTBButtons_Gen->setChecked(g.EnableRepTBButtons);
    RepeatDelay_Gen->setValue(g.RepeatDelay);
    RepeatRate_Gen->setValue(g.RepeatRate);
    DefaultBmpWidth_Gen->setValue(g.BmpWidth);
    DefaultBmpHeight_Gen->setValue(g.BmpHeight);
    DefaultColorDepth_Gen->setCurrentIndex(g.ColorDepthItem);
    FlatToolBars_Gen->setChecked(g.FlatToolBars);
    checkRadio(CenterRadios_Gen, g.CenterPosition);
    CenterComnChkBox_Gen->setChecked(g.CenterCommonDlgs);

    const TStatusLineEntries& s = Entries.StatusLine;
    checkRadio(EView2D, s.CenterFormat2D);
    checkRadio(EMouse2D, s.MouseFormat2D);
    checkRadio(EViewPol, s.CenterFormatPolar);
    checkRadio(EMousePol, s.MouseFormatPolar);
    checkRadio(E3D, s.MouseFormat3D);
    EShowStatusLine->setChecked(s.ShowStatusLine);

    for (auto [page, keys] :
         {std::pair{&HotKeys2D, &Entries.HotKeys2D}, std::pair{&HotKeysPolar, &Entries.HotKeysPolar}}) {
        for (std::size_t i = 0; i < page->Zoom.size(); ++i)
            page->Zoom[i]->setText(QString::fromStdString(keys->Zoom[i]));
        page->EScrollAmt->setValue(keys->ScrollAmt);
    }
    ERotAmount_3D->setText(QString::fromStdString(Entries.HotKeys3D.Rotation));
    for (std::size_t i = 0; i < SpinEdit_3D.size(); ++i)
        SpinEdit_3D[i]->setValue(Entries.HotKeys3D.Zoom[i]);
    EDefaultChBox->setChecked(Entries.Default);
}

TOptionsEntries TOptionsDlg::Entries() const {
    TOptionsEntries e;
    TGeneralEntries& g = e.General;
    g.EnableRepTBButtons = RepeatingTBButtons_Gen->isChecked();
    g.RepeatDelay = RepeatDelay_Gen->value();
    g.RepeatRate = RepeatRate_Gen->value();
    g.BmpWidth = DefaultBmpWidth_Gen->value();
    g.BmpHeight = DefaultBmpHeight_Gen->value();
    g.ColorDepthItem = DefaultColorDepth_Gen->currentIndex();
    g.FlatToolBars = FlatToolBars_Gen->isChecked();
    g.CenterPosition = checkedRadio(CenterRadios_Gen);
    g.CenterCommonDlgs = CenterComnChkBox_Gen->isChecked();

    TStatusLineEntries& s = e.StatusLine;
    s.CenterFormat2D = checkedRadio(EView2D);
    s.MouseFormat2D = checkedRadio(EMouse2D);
    s.CenterFormatPolar = checkedRadio(EViewPol);
    s.MouseFormatPolar = checkedRadio(EMousePol);
    s.MouseFormat3D = checkedRadio(E3D);
    s.ShowStatusLine = EShowStatusLine->isChecked();

    for (auto [page, keys] :
         {std::pair{&HotKeys2D, &e.HotKeys2D}, std::pair{&HotKeysPolar, &e.HotKeysPolar}}) {
        for (std::size_t i = 0; i < page->Zoom.size(); ++i)
            keys->Zoom[i] = page->Zoom[i]->text().toStdString();
        keys->ScrollAmt = page->EScrollAmt->value();
    }
    e.HotKeys3D.Rotation = ERotAmount_3D->text().toStdString();
    for (std::size_t i = 0; i < SpinEdit_3D.size(); ++i)
        e.HotKeys3D.Zoom[i] = SpinEdit_3D[i]->value();
    e.Default = EDefaultChBox->isChecked();
    return e;
}

void TOptionsDlg::SetActivePage(TOptionsPage Page) {
    if (QWidget* page = PageOf(Page)) PageControl1->setCurrentWidget(page);
}

QWidget* TOptionsDlg::PageOf(TOptionsPage Page) const {
    switch (Page) {
    case opGeneral:
        return GeneralTab;
    case opStatusLine:
        return StatusLineTab;
    case opHotKey2D:
        return HotKeys2D.Tab;
    case opHotKeyPolar:
        return HotKeysPolar.Tab;
    case opHotKey3D:
        return HotKey3DTab;
    }
    return nullptr;
}

QWidget* TOptionsDlg::ControlOf(int Control) const {
    if (Control >= ocZoom2D1 && Control <= ocZoom2D6) return HotKeys2D.Zoom[std::size_t(Control - ocZoom2D1)];
    if (Control >= ocZoomPol1 && Control <= ocZoomPol6)
        return HotKeysPolar.Zoom[std::size_t(Control - ocZoomPol1)];
    if (Control == ocRotation3D) return ERotAmount_3D;
    return nullptr;
}

bool TOptionsDlg::CanCloseOk() {
    const TDlgCheck check = Logic.Validate(Entries());
    if (check.Ok) return true;
    ShowDlgCheck(check, this);
    SetActivePage(OptionsPageOf(check.Control));
    if (QWidget* control = ControlOf(check.Control)) control->setFocus(Qt::OtherFocusReason);
    return false;
}

void TOptionsDlg::DefaultFontButtonClick() {
    PickFont(DefaultFontCopy, this);
}

bool ShowOptionsDialog(bool FromStatusBar, TGeneralOptionsObj& GeneralOptions, TStatusLineObj& StatusLine,
                       THotKey2DObj& HotKeys2D, THotKeyPolarObj& HotKeysPolar, THotKey3DObj& HotKeys3D) {
    const TOptionsTargets targets{GeneralOptions, StatusLine, HotKeys2D, HotKeysPolar, HotKeys3D};
    TOptionsDlg dialog;
    dialog.SetActivePage(FromStatusBar ? opStatusLine : opGeneral);
    dialog.DefaultFontCopy = DefaultFontHolder().GetFontCopy();
    dialog.Load(LoadOptions(targets));
    if (dialog.Execute(nullptr) != mrOk) return false;
    dialog.Logic.Store(dialog.Entries(), dialog.DefaultFontCopy, targets);
    return true;
}
