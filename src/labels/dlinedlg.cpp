#include "labels/dlinedlg.h"

#include "platform/UiHook.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QSpinBox>

TLineDlg::TLineDlg(const TDrawLine& Line, const TLabelBmpAttribs& BmpAttribs)
    : TDialogBase(nullptr, LabelModifyHelpContext), Pen(this, PenStylesLine),
      Brush(this, "Brush Color", BrushStylesLine), Origin(this, "Origin Point (Bitmap Pixels)"),
      End(this, "End Point (Bitmap Pixels)"), Buttons(MakeDialogButtons(*this)), line_(Line),
      bmpAttribs_(BmpAttribs) {
    setWindowTitle("Edit Line Label");
    Origin.X->setObjectName("EOriginPointX");
    Origin.Y->setObjectName("EOriginPointY");
    End.X->setObjectName("EEndPointX");
    End.Y->setObjectName("EEndPointY");
    auto* layout = new QGridLayout(this);
    layout->addWidget(Pen.Box, 0, 0, 2, 1);
    layout->addWidget(Brush.Box, 0, 1, 2, 1);
    layout->addWidget(Origin.Box, 2, 0);
    layout->addWidget(End.Box, 2, 1);
    layout->addWidget(Buttons.Row, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const TLineDlgValues v = LoadLineDlg(Line);
    Pen.Load(v.Style);
    Brush.Load(v.Style);
    const int w = BmpAttribs.Width, h = BmpAttribs.Height;
    Origin.Load(v.Origin, CoordSpinRange(v.Origin.X, Line.P1.X, w), CoordSpinRange(v.Origin.Y, Line.P1.Y, h));
    End.Load(v.End, CoordSpinRange(v.End.X, Line.P2.X, w), CoordSpinRange(v.End.Y, Line.P2.Y, h));
}

TLineDlgValues TLineDlg::Values() const {
    TLineDlgValues v;
    Pen.Store(v.Style);
    Brush.Store(v.Style);
    v.Origin = Origin.Value();
    v.End = End.Value();
    return v;
}

bool TLineDlg::CanCloseOk() {
    if (CheckLineDlg(Values(), line_, bmpAttribs_).Ok()) return true;
    ShowLabelNotOnBitmapMsg();
    Origin.X->setFocus();
    return false;
}

bool ExecuteModifyLineDlg(TDrawLine& Line, const TLabelBmpAttribs& BmpAttribs, QWidget* Owner) {
    TLineDlg dialog(Line, BmpAttribs);
    if (dialog.Execute(Owner) != mrOk) return false;
    StoreLineDlg(dialog.Values(), Line);
    return true;
}
