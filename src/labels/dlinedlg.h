#pragma once
// "Edit Line Label": pen, brush colour and the two end points of a line; some of the line
// must cross the bitmap.

#include "labels/LabelDlgParts.h"
#include "math/DialogBase.h"

class TLineDlg : public TDialogBase {
    Q_OBJECT
public:
    TLineDlg(const TDrawLine& Line, const TLabelBmpAttribs& BmpAttribs);

    TPenGroup Pen;
    TBrushGroup Brush;
    TPointGroup Origin; // EOriginPointX, EOriginPointY
    TPointGroup End;    // EEndPointX, EEndPointY
    TDialogButtons Buttons;

    TLineDlgValues Values() const;

protected:
    bool CanCloseOk() override;

private:
    const TDrawLine& line_;
    TLabelBmpAttribs bmpAttribs_;
};

bool ExecuteModifyLineDlg(TDrawLine& Line, const TLabelBmpAttribs& BmpAttribs, QWidget* Owner);
