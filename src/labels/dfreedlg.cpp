#include "labels/dfreedlg.h"

#include "platform/UiHook.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QSpinBox>

TFreeHandDlg::TFreeHandDlg(const TDrawFreeHand& FreeHand, const TLabelBmpAttribs& BmpAttribs)
    : TDialogBase(nullptr, LabelModifyHelpContext), Pen(this, PenStylesLine),
      Brush(this, "Brush Color", BrushStylesLine),
      Origin(this, "Origin Point (Bitmap Pixels)", "EOriginX", "EOriginY"), Buttons(MakeDialogButtons(*this)),
      freeHand_(FreeHand), bmpAttribs_(BmpAttribs) {
    setWindowTitle("Edit Free Hand Line Label");
    auto* layout = new QGridLayout(this);
    layout->addWidget(Pen.Box, 0, 0, 2, 1);
    layout->addWidget(Brush.Box, 0, 1);
    layout->addWidget(Origin.Box, 1, 1);
    layout->addWidget(Buttons.Row, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const TFreeHandDlgValues v = LoadFreeHandDlg(FreeHand);
    Pen.Load(v.Style);
    Brush.Load(v.Style);
    Origin.LoadOrigin(v.Origin);
}

TFreeHandDlgValues TFreeHandDlg::Values() const {
    TFreeHandDlgValues v;
    Pen.Store(v.Style);
    Brush.Store(v.Style);
    v.Origin = Origin.Value();
    return v;
}

bool TFreeHandDlg::CanCloseOk() {
    if (CheckFreeHandDlg(Values(), freeHand_, bmpAttribs_).Ok()) return true;
    ShowLabelNotOnBitmapMsg();
    Origin.X->setFocus();
    return false;
}

bool ExecuteModifyFreeHandDlg(TDrawFreeHand& FreeHand, const TLabelBmpAttribs& BmpAttribs, QWidget* Owner) {
    TFreeHandDlg dialog(FreeHand, BmpAttribs);
    if (dialog.Execute(Owner) != mrOk) return false;
    StoreFreeHandDlg(dialog.Values(), FreeHand);
    return true;
}
