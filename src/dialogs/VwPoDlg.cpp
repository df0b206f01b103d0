#include "dialogs/VwPoDlg.h"

#include "dialogs/DlgRun.h"
#include "dialogs/SetDlgRows.h"
#include "math/DialogRows.h"
#include "math/Floatstr.h"
#include "math/editmath.h"
#include "platform/UiHook.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 2015;

} // namespace

TChangePolarViewDlg::TChangePolarViewDlg(QWidget* parent) : TDialogBase(parent, kHelpContext) {
    setWindowTitle("Change Polar View");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildPolarBox());
    layout->addWidget(buildCartesianBox());
    layout->addWidget(buildPixelsBox());
    layout->addWidget(buildZoomBox());
    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    layout->addWidget(buttons.Row);

    SetExitCheck(EPolarR, [this] { return EPolarRExit(); });
    SetExitCheck(EPolarTheta, [this] { return EPolarThetaExit(); });
    SetExitCheck(ECartesianX, [this] { return ECartesianXExit(); });
    SetExitCheck(ECartesianY, [this] { return ECartesianYExit(); });
    SetExitCheck(EPixelsX, [this] { return EPixelsExit(); });
    SetExitCheck(EPixelsY, [this] { return EPixelsExit(); });
    SetExitCheck(EViewZoom, [this] { return EViewZoomExit(); });
}

QGroupBox* TChangePolarViewDlg::buildPolarBox() {
    GroupBox1 = MakeGroupBox("View Center (Polar Coordinates)", this);
    auto* row = new QHBoxLayout(GroupBox1);
    auto* fields = new QWidget(GroupBox1);
    TFormRows rows(fields);
    rows.Layout()->setContentsMargins(0, 0, 0, 0);
    EPolarR = MakeNumberEdit(fields, "R Center Value");
    EPolarTheta = MakeNumberEdit(fields, "Theta Center Value");
    rows.AddRow("R=", EPolarR);
    rows.AddRow("Theta =", EPolarTheta);
    row->addWidget(fields, 1);
    ThetaBox = MakeGroupBox("Theta Type", GroupBox1);
    auto* radios = new QVBoxLayout(ThetaBox);
    EDegrees = MakeRadioButton("Degrees", ThetaBox, true);
    ERadians = MakeRadioButton("Radians", ThetaBox);
    for (QRadioButton* b : {EDegrees, ERadians}) {
        radios->addWidget(b);
        connect(b, &QRadioButton::clicked, this, &TChangePolarViewDlg::ThetaTypeClick);
    }
    row->addWidget(ThetaBox);
    return GroupBox1;
}

QGroupBox* TChangePolarViewDlg::buildCartesianBox() {
    GroupBox2 = MakeGroupBox("View Center (Cartesian Coordinates)", this);
    TFormRows rows(GroupBox2);
    ECartesianX = MakeNumberEdit(GroupBox2, "Cartesian X Center Value");
    ECartesianY = MakeNumberEdit(GroupBox2, "Cartesian Y Center Value");
    rows.AddRow("X=", ECartesianX);
    rows.AddRow("Y=", ECartesianY);
    return GroupBox2;
}

QGroupBox* TChangePolarViewDlg::buildPixelsBox() {
    GroupBox3 = MakePixelCenterBox(this, EPixelsX, EPixelsY);
    return GroupBox3;
}

QGroupBox* TChangePolarViewDlg::buildZoomBox() {
    ZoomBox = MakeGroupBox("View Zoom", this);
    TFormRows rows(ZoomBox);
    EViewZoom = MakeNumberEdit(ZoomBox, "Zoom Value");
    rows.AddRow("Zoom Value", EViewZoom);
    rows.AddWide(MakeZoomNote(ZoomBox));
    return ZoomBox;
}

void TChangePolarViewDlg::showCenter() {
    EPixelsX->setValue(Center.PixelsX);
    EPixelsY->setValue(Center.PixelsY);
    ShowNumber(ECartesianX, Center.X);
    ShowNumber(ECartesianY, Center.Y);
    ShowNumber(EPolarR, Center.R);
    ShowNumber(EPolarTheta, Center.ThetaShown());
}

// ---- load and store ----

void TChangePolarViewDlg::Load(const TViewPolarZoomObj& View) {
    TLoadScope loading = BeginLoad();
    Center.Load(View);
    (Center.ThetaInRadians ? ERadians : EDegrees)->setChecked(true);
    ShowNumber(EViewZoom, Center.Zoom);
    showCenter();
}

void TChangePolarViewDlg::Store(TViewPolarZoomObj& View) {
    Center.Store(View);
}

// ---- exits ----

bool TChangePolarViewDlg::editExit(TEditMathConst* edit, void (TPolarViewCenter::*set)(long double)) {
    if (!edit->ValidateAndFocus()) return false;
    (Center.*set)(edit->Value.FloatValue);
    showCenter();
    return true;
}

bool TChangePolarViewDlg::ECartesianXExit() {
    return editExit(ECartesianX, &TPolarViewCenter::SetCartesianX);
}

bool TChangePolarViewDlg::ECartesianYExit() {
    return editExit(ECartesianY, &TPolarViewCenter::SetCartesianY);
}

bool TChangePolarViewDlg::EPolarRExit() {
    return editExit(EPolarR, &TPolarViewCenter::SetR);
}

bool TChangePolarViewDlg::EPolarThetaExit() {
    return editExit(EPolarTheta, &TPolarViewCenter::SetTheta);
}

bool TChangePolarViewDlg::EPixelsExit() {
    EPixelsX->interpretText();
    EPixelsY->interpretText();
    Center.SetPixels(EPixelsX->value(), EPixelsY->value());
    showCenter();
    return true;
}

bool TChangePolarViewDlg::EViewZoomExit() {
    return LeaveZoomEdit(*EViewZoom, Center.Zoom, ViewZoomRangeMessage(""), this, [this] {
        Center.Derive();
        showCenter();
    });
}

void TChangePolarViewDlg::ThetaTypeClick() {
    Center.ThetaInRadians = ERadians->isChecked();
    ShowNumber(EPolarTheta, Center.ThetaShown());
}

// ---- launcher ----

bool ExecutePolarViewDlg(TViewPolarZoomObj& View) {
    return RunGraphRecordDialog<TChangePolarViewDlg>(View);
}
