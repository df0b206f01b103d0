#pragma once
// "Selected Bitmap Region": the user types the corners of the picture region that the
// clipboard, the printer and picture files can take instead of the whole picture.

#include "math/DialogBase.h"
#include "math/DialogRows.h"
#include "platform/Geometry.h"

class QGroupBox;
class QSpinBox;

// Help context of the dialog.
inline constexpr int SelectedRegionHelpContext = 4045;
// The message of a region that is too small.
inline constexpr const char* RegionTooSmallMsg =
    "The Bottom Right (X,Y) must be at least 5 greater than the Top Left (X,Y).";

// A typed region is accepted when the bottom-right corner lies at least 5 pixels right of
// and below the top-left one.
bool IsRegionLargeEnough(TPoint TopLeft, TPoint BottomRight);

class TSelectedRegionDlg : public TDialogBase {
    Q_OBJECT
public:
    TSelectedRegionDlg();

    QGroupBox* TopLeftBox;
    QSpinBox* ETopX;
    QSpinBox* ETopY;
    QGroupBox* BottomRightBox;
    QSpinBox* EBottomX;
    QSpinBox* EBottomY;
    TDialogButtons Buttons;

protected:
    bool CanCloseOk() override;
};

// Runs the dialog on a picture of BitmapWidth x BitmapHeight; the corners are preset when
// HasRegion. True for OK, with the typed corners.
bool ExecuteSelectedRegionDlg(bool HasRegion, TPoint& TopLeft, TPoint& BottomRight, int BitmapWidth,
                              int BitmapHeight);
