#pragma once
// "Edit Flood Fill Label": the brush and the location of a flood fill. The location spins
// cannot leave the bitmap, so the dialog needs no check of its own.

#include "labels/LabelDlgParts.h"
#include "math/DialogBase.h"

class TFloodFillDlg : public TDialogBase {
    Q_OBJECT
public:
    TFloodFillDlg(const TDrawFloodFill& FloodFill, const TLabelBmpAttribs& BmpAttribs);

    TBrushGroup Brush;
    TPointGroup Location; // EPointX, EPointY
    TDialogButtons Buttons;

    TFloodFillDlgValues Values() const;
};

// Edits FloodFill in its dialog; true (and the label changed) on OK.
bool ExecuteModifyFloodFillDlg(TDrawFloodFill& FloodFill, const TLabelBmpAttribs& BmpAttribs, QWidget* Owner);
