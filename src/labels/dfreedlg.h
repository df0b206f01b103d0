#pragma once
// "Edit Free Hand Line Label": pen, brush colour and the origin of a free-hand curve; the
// whole curve moves with its origin and must keep a point on the bitmap.

#include "labels/LabelDlgParts.h"
#include "math/DialogBase.h"

class TFreeHandDlg : public TDialogBase {
    Q_OBJECT
public:
    TFreeHandDlg(const TDrawFreeHand& FreeHand, const TLabelBmpAttribs& BmpAttribs);

    TPenGroup Pen;
    TBrushGroup Brush;
    TPointGroup Origin; // EOriginX, EOriginY
    TDialogButtons Buttons;

    TFreeHandDlgValues Values() const;

protected:
    bool CanCloseOk() override;

private:
    const TDrawFreeHand& freeHand_;
    TLabelBmpAttribs bmpAttribs_;
};

bool ExecuteModifyFreeHandDlg(TDrawFreeHand& FreeHand, const TLabelBmpAttribs& BmpAttribs, QWidget* Owner);
