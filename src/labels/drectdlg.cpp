#include "labels/drectdlg.h"

#include "math/CenterDlg.h"
#include "platform/UiHook.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSpinBox>

#include <array>

namespace {

constexpr std::array<uint8_t, 3> kShapeKinds = {lkRectangle, lkEllipse, lkRoundRect};

} // namespace

TInclosedShapeDlg::TInclosedShapeDlg(const TDrawInclosedShape& Shape, const TLabelBmpAttribs& BmpAttribs)
    : TDialogBase(nullptr, LabelModifyHelpContext), Pen(this, PenStylesShape),
      Brush(this, "Brush Attributes", BrushStylesShape),
      TopLeft(this, "Top Left Point (Bitmap Pixels)", "ETopLeftX", "ETopLeftY"),
      BottomRight(this, "Bottom Right Point (Bitmap Pixels)", "EBottomRightX", "EBottomRightY"),
      ShapeBox(MakeGroupBox("Shape Type", this)), Shapes(ShapeBox, kShapeKinds, sgShape),
      Buttons(MakeDialogButtons(*this)), shape_(Shape), bmpAttribs_(BmpAttribs) {
    setWindowTitle("Edit Rectange/Ellipse/Round Rectangle Label");
    (new QHBoxLayout(ShapeBox))->addWidget(Shapes.Row());
    auto* layout = new QGridLayout(this);
    layout->addWidget(Pen.Box, 0, 0);
    layout->addWidget(Brush.Box, 0, 1);
    layout->addWidget(TopLeft.Box, 1, 0);
    layout->addWidget(BottomRight.Box, 1, 1);
    layout->addWidget(ShapeBox, 2, 0, 1, 2);
    layout->addWidget(Buttons.Row, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const TInclosedDlgValues v = LoadInclosedDlg(Shape);
    Pen.Load(v.Style);
    Brush.Load(v.Style);
    TopLeft.LoadOnBitmap(v.TopLeft, Shape.P1, BmpAttribs.Width, BmpAttribs.Height);
    BottomRight.LoadOnBitmap(v.BottomRight, Shape.P2, BmpAttribs.Width, BmpAttribs.Height);
    Shapes.SetDown(StyleButton(kShapeKinds, v.ShapeKind));
}

TInclosedDlgValues TInclosedShapeDlg::Values() const {
    TInclosedDlgValues v;
    Pen.Store(v.Style);
    Brush.Store(v.Style);
    v.TopLeft = TopLeft.Value();
    v.BottomRight = BottomRight.Value();
    v.ShapeKind = StyleOfButton(kShapeKinds, Shapes.Down()).value_or(lkRectangle);
    return v;
}

bool TInclosedShapeDlg::CanCloseOk() {
    const TInclosedDlgCheck check = CheckInclosedDlg(Values(), shape_, bmpAttribs_);
    switch (check.Control) {
    case icNone:
        return true;
    case icTopLeftX:
        ShowLabelNotOnBitmapMsg();
        TopLeft.X->setFocus();
        return false;
    default:
        CenterMessageDlg(check.Message, mtError, {mbOK}, 0, this);
        (check.Control == icBottomRightX ? BottomRight.X : BottomRight.Y)->setFocus();
        return false;
    }
}

bool ExecuteModifyInclosedDlg(TDrawInclosedShape& Shape, const TLabelBmpAttribs& BmpAttribs, QWidget* Owner) {
    TInclosedShapeDlg dialog(Shape, BmpAttribs);
    if (dialog.Execute(Owner) != mrOk) return false;
    StoreInclosedDlg(dialog.Values(), Shape);
    return true;
}
