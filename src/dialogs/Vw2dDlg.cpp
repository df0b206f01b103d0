#include "dialogs/Vw2dDlg.h"

#include "dialogs/DlgRun.h"
#include "dialogs/SetDlgRows.h"
#include "math/DialogRows.h"
#include "math/Floatstr.h"
#include "math/editmath.h"
#include "platform/UiHook.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 1010;

} // namespace

TChange2DViewDlg::TChange2DViewDlg(QWidget* parent) : TDialogBase(parent, kHelpContext) {
    setWindowTitle("Change 2D Cartesian View");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildGraphBox());
    layout->addWidget(buildPixelsBox());
    layout->addWidget(buildZoomBox());
    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    layout->addWidget(buttons.Row);

    SetExitCheck(ECartesianX, [this] { return ECartesianXExit(); });
    SetExitCheck(ECartesianY, [this] { return ECartesianYExit(); });
    SetExitCheck(EPixelsX, [this] { return EPixelsExit(); });
    SetExitCheck(EPixelsY, [this] { return EPixelsExit(); });
    SetExitCheck(EXViewZoom, [this] { return EXViewZoomExit(); });
    SetExitCheck(EYViewZoom, [this] { return EYViewZoomExit(); });
}

QGroupBox* TChange2DViewDlg::buildGraphBox() {
    GraphBox = MakeGroupBox("View Center (Graph Units From Center)", this);
    TFormRows rows(GraphBox);
    ECartesianX = MakeNumberEdit(GraphBox, "Cartesian X Center");
    ECartesianY = MakeNumberEdit(GraphBox, "Cartesian Y Center");
    rows.AddRow("X=", ECartesianX);
    rows.AddRow("Y=", ECartesianY);
    return GraphBox;
}

QGroupBox* TChange2DViewDlg::buildPixelsBox() {
    PixelsBox = MakePixelCenterBox(this, EPixelsX, EPixelsY);
    return PixelsBox;
}

QGroupBox* TChange2DViewDlg::buildZoomBox() {
    ZoomBox = MakeGroupBox("View Zoom", this);
    TFormRows rows(ZoomBox);
    EXViewZoom = MakeNumberEdit(ZoomBox, "X Axis Zoom");
    EYViewZoom = MakeNumberEdit(ZoomBox, "Y Axis Zoom");
    rows.AddRow("X Axis Zoom Value", EXViewZoom);
    rows.AddRow("Y Axis Zoom Value", EYViewZoom);
    rows.AddWide(MakeZoomNote(ZoomBox));
    return ZoomBox;
}

void TChange2DViewDlg::showPixels() {
    EPixelsX->setValue(Center.PixelsX);
    EPixelsY->setValue(Center.PixelsY);
}

void TChange2DViewDlg::showUnits() {
    ShowNumber(ECartesianX, Center.UnitsX);
    ShowNumber(ECartesianY, Center.UnitsY);
}

// ---- load and store ----

void TChange2DViewDlg::Load(const TView2DZoomObj& View) {
    TLoadScope loading = BeginLoad();
    Center.Load(View);
    ShowNumber(EXViewZoom, Center.ZoomX);
    ShowNumber(EYViewZoom, Center.ZoomY);
    showPixels();
    showUnits();
}

void TChange2DViewDlg::Store(TView2DZoomObj& View) {
    // The kept zooms, never the edits' texts: an out-of-range zoom never gets here.
    Center.Store(View);
}

// ---- exits ----

bool TChange2DViewDlg::unitsExit(TEditMathConst* edit, void (T2DViewCenter::*set)(long double)) {
    if (!edit->ValidateAndFocus()) return false;
    (Center.*set)(edit->Value.FloatValue);
    showPixels();
    showUnits();
    return true;
}

bool TChange2DViewDlg::ECartesianXExit() {
    return unitsExit(ECartesianX, &T2DViewCenter::SetUnitsX);
}

bool TChange2DViewDlg::ECartesianYExit() {
    return unitsExit(ECartesianY, &T2DViewCenter::SetUnitsY);
}

bool TChange2DViewDlg::EPixelsExit() {
    EPixelsX->interpretText();
    EPixelsY->interpretText();
    Center.SetPixels(EPixelsX->value(), EPixelsY->value());
    showPixels();
    showUnits();
    return true;
}

bool TChange2DViewDlg::zoomExit(TEditMathConst* edit, long double& kept, const char* axis) {
    return LeaveZoomEdit(*edit, kept, ViewZoomRangeMessage(axis), this, [this] {
        Center.DeriveUnits();
        showUnits();
    });
}

bool TChange2DViewDlg::EXViewZoomExit() {
    return zoomExit(EXViewZoom, Center.ZoomX, "X");
}

bool TChange2DViewDlg::EYViewZoomExit() {
    return zoomExit(EYViewZoom, Center.ZoomY, "Y");
}

// ---- launcher ----

bool Execute2DViewDlg(TView2DZoomObj& View) {
    return RunGraphRecordDialog<TChange2DViewDlg>(View);
}
