#include "plot/Selctdlg.h"

#include "math/CenterDlg.h"
#include "platform/UiHook.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A corner's group: "X Pixel" and "Y Pixel" with their spin edits.
QGroupBox* cornerGroup(QWidget* parent, const char* title, QSpinBox*& x, QSpinBox*& y) {
    QGroupBox* box = MakeGroupBox(title, parent);
    TFormRows rows(box);
    x = MakeSpinEdit(box, 0, 2000, 0, 4);
    y = MakeSpinEdit(box, 0, 2000, 0, 4);
    rows.AddRow("X Pixel", x);
    rows.AddRow("Y Pixel", y);
    return box;
}

} // namespace

bool IsRegionLargeEnough(TPoint TopLeft, TPoint BottomRight) {
    return TopLeft.X < BottomRight.X && TopLeft.Y < BottomRight.Y && BottomRight.X - TopLeft.X > 4 &&
           BottomRight.Y - TopLeft.Y > 4;
}

TSelectedRegionDlg::TSelectedRegionDlg() : TDialogBase(nullptr, SelectedRegionHelpContext) {
    setWindowTitle("Selected Bitmap Region");
    auto* layout = new QVBoxLayout(this);
    auto* corners = new QGridLayout();
    TopLeftBox = cornerGroup(this, "Top Left Corner", ETopX, ETopY);
    BottomRightBox = cornerGroup(this, "Bottom Right Corner", EBottomX, EBottomY);
    ETopX->setObjectName("ETopX");
    ETopY->setObjectName("ETopY");
    EBottomX->setObjectName("EBottomX");
    EBottomY->setObjectName("EBottomY");
    corners->addWidget(TopLeftBox, 0, 0);
    corners->addWidget(BottomRightBox, 0, 1);
    layout->addLayout(corners);
    Buttons = MakeDialogButtons(*this);
    layout->addWidget(Buttons.Row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TSelectedRegionDlg::CanCloseOk() {
    if (IsRegionLargeEnough({ETopX->value(), ETopY->value()}, {EBottomX->value(), EBottomY->value()}))
        return true;
    CenterMessageDlg(RegionTooSmallMsg, mtError, {mbOK}, 0, this);
    EBottomX->setFocus();
    return false;
}

bool ExecuteSelectedRegionDlg(bool HasRegion, TPoint& TopLeft, TPoint& BottomRight, int BitmapWidth,
                              int BitmapHeight) {
    TSelectedRegionDlg dialog;
    dialog.ETopX->setMaximum(BitmapWidth - 1);
    dialog.EBottomX->setMaximum(BitmapWidth - 1);
    dialog.ETopY->setMaximum(BitmapHeight - 1);
    dialog.EBottomY->setMaximum(BitmapHeight - 1);
    if (HasRegion) {
        dialog.ETopX->setValue(TopLeft.X);
        dialog.ETopY->setValue(TopLeft.Y);
        dialog.EBottomX->setValue(BottomRight.X);
        dialog.EBottomY->setValue(BottomRight.Y);
    }
    if (dialog.Execute(nullptr) != mrOk) return false;
    TopLeft = {dialog.ETopX->value(), dialog.ETopY->value()};
    BottomRight = {dialog.EBottomX->value(), dialog.EBottomY->value()};
    return true;
}
