#include "labels/dlinedlg.h"

#include "platform/UiHook.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QSpinBox>

TLineDlg::TLineDlg(const TDrawLine& Line, const TLabelBmpAttribs& BmpAttribs)
    : TDialogBase(nullptr, LabelModifyHelpContext), Pen(this, PenStylesLine),
      Brush(this, "Brush Color", BrushStylesLine),
      Origin(this, "Origin Point (Bitmap Pixels)", "EOriginPointX", "EOriginPointY"),
      End(this, "End Point (Bitmap Pixels)", "EEndPointX", "EEndPointY"), Buttons(MakeDialogButtons(*this)),
      line_(Line), bmpAttribs_(BmpAttribs) {
    setWindowTitle("Edit Line Label");
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
    Origin.LoadOnBitmap(v.Origin, Line.P1, BmpAttribs.Width, BmpAttribs.Height);
    End.LoadOnBitmap(v.End, Line.P2, BmpAttribs.Width, BmpAttribs.Height);
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
