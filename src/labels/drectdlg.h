#pragma once
// "Edit Rectange/Ellipse/Round Rectangle Label": pen, brush, the two corners and the shape
// of an enclosed shape, which the dialog may turn into another of the three shapes.

#include "labels/LabelDlgParts.h"
#include "math/DialogBase.h"

class TInclosedShapeDlg : public TDialogBase {
    Q_OBJECT
public:
    TInclosedShapeDlg(const TDrawInclosedShape& Shape, const TLabelBmpAttribs& BmpAttribs);

    TPenGroup Pen;
    TBrushGroup Brush;
    TPointGroup TopLeft;     // ETopLeftX, ETopLeftY
    TPointGroup BottomRight; // EBottomRightX, EBottomRightY
    QGroupBox* ShapeBox;
    TStyleButtons Shapes; // RectangleButton, EllipseButton, RoundRectButton
    TDialogButtons Buttons;

    TInclosedDlgValues Values() const;

protected:
    bool CanCloseOk() override;

private:
    const TDrawInclosedShape& shape_;
    TLabelBmpAttribs bmpAttribs_;
};

bool ExecuteModifyInclosedDlg(TDrawInclosedShape& Shape, const TLabelBmpAttribs& BmpAttribs, QWidget* Owner);
