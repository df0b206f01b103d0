#include "dialogs/Vw3dDlg.h"

#include "dialogs/DlgRun.h"
#include "math/DialogRows.h"
#include "math/GrGlobal.h"
#include "math/editmath.h"
#include "platform/UiHook.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

namespace {
constexpr int kHelpContext = 3015;
} // namespace

TChange3DViewDlg::TChange3DViewDlg(QWidget* parent) : TDialogBase(parent, kHelpContext) {
    setWindowTitle("Change 3D Cartesian View");
    auto* layout = new QVBoxLayout(this);
    GroupBox1 = MakeGroupBox("Current Rotation Angles (in Degrees)", this);
    TFormRows angles(GroupBox1);
    for (auto [edit, name] : {std::pair{&ERotateX, "Rotate Parallel to X Axis"},
                              std::pair{&ERotateY, "Rotate Parallel to Y Axis"},
                              std::pair{&ERotateZ, "Rotate Parallel to Z Axis"}}) {
        *edit = MakeMathEdit(GroupBox1, name);
        angles.AddRow(name, *edit);
    }
    layout->addWidget(GroupBox1);
    GroupBox2 = MakeGroupBox("Current Zoom", this);
    TFormRows zoom(GroupBox2);
    EViewZoom = MakeSpinEdit(GroupBox2, Min3DViewZoom, Max3DViewZoom, 20, 4);
    zoom.AddRow(EViewZoom, MakeLabel("(Pixels Per Graph Unit)", GroupBox2));
    layout->addWidget(GroupBox2);
    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    layout->addWidget(buttons.Row);
}

void TChange3DViewDlg::Load(const TView3DZoomObj& View) {
    TLoadScope loading = BeginLoad();
    ERotateX->setText(QString::fromStdString(AngleToStr(View.RotationX)));
    ERotateY->setText(QString::fromStdString(AngleToStr(View.RotationY)));
    ERotateZ->setText(QString::fromStdString(AngleToStr(View.RotationZ)));
    EViewZoom->setValue(View.Zoom);
}

void TChange3DViewDlg::Store(TView3DZoomObj& View) {
    for (auto [edit, angle] : {std::pair{ERotateX, &View.RotationX}, std::pair{ERotateY, &View.RotationY},
                               std::pair{ERotateZ, &View.RotationZ}}) {
        edit->EvaluateText();
        *angle = NormalizeAngle(edit->Value.FloatValue);
    }
    EViewZoom->interpretText();
    View.Zoom = EViewZoom->value();
}

bool TChange3DViewDlg::CanCloseOk() {
    return ERotateX->ValidateAndFocus() && ERotateY->ValidateAndFocus() && ERotateZ->ValidateAndFocus();
}

bool Execute3DViewDlg(TView3DZoomObj& View) {
    return RunGraphRecordDialog<TChange3DViewDlg>(View);
}
