// The picture's ways out of the program: clipboard, picture files, printer, and the region
// they can take instead of the whole picture.
#include "plot/PtImage.h"

#include "math/CenterDlg.h"
#include "platform/UiHook.h"
#include "plot/PtOutput.h"
#include "plot/Selctdlg.h"
#include "plot/Selected.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPrinter>

#include <new>

namespace {

// Asks whether the command takes the selected region; false for Cancel. Without a region
// there is nothing to ask and the whole picture is taken.
bool chooseArea(bool HasRegion, bool ForClipboard, bool& UseRegion) {
    UseRegion = false;
    if (!HasRegion) return true;
    return ExecuteUseSelectedRectDlg(ForClipboard, UseRegion);
}

} // namespace

void TPlotImageBox::CopyBitmapToClipboard() {
    bool useRegion = false;
    if (!chooseArea(IsRegionSelected(), true, useRegion)) return;
    // Ending the operation takes every mark off the picture; the region's corners stay.
    EndLabelOperation(true);
    if (useRegion)
        QGuiApplication::clipboard()->setImage(
            MakeRegionBitmap(Image->Picture(), regionCorner1_, regionCorner2_)->ToQImage());
    else
        QGuiApplication::clipboard()->setImage(Image->Picture().ToQImage());
}

bool TPlotImageBox::SavePictureFile(const std::string& FileName, bool AsBitmap) {
    bool useRegion = false;
    if (!chooseArea(IsRegionSelected(), false, useRegion)) return false;
    EndLabelOperation(true);
    std::string errorText;
    bool written = false;
    if (useRegion)
        written = WritePictureFile(*MakeRegionBitmap(Image->Picture(), regionCorner1_, regionCorner2_),
                                   FileName, AsBitmap, errorText);
    else
        written = WritePictureFile(Image->Picture(), FileName, AsBitmap, errorText);
    if (!written) CenterMessageDlg(errorText, mtError, {mbOK}, 0, window());
    return written;
}

void TPlotImageBox::PrintBitmap(bool RegionOnly, int ScalePercent) {
    const bool region = RegionOnly && IsRegionSelected();
    EndLabelOperation(true);
    if (!region) {
        PrintPicture(Printer(), Image->Picture(), ScalePercent);
        return;
    }
    // The region is printed as every other output takes it, both edges included.
    std::unique_ptr<TBitmap> regionBitmap;
    try {
        regionBitmap = MakeRegionBitmap(Image->Picture(), regionCorner1_, regionCorner2_);
    } catch (const std::bad_alloc&) {
        ShowOutOfMemoryError();
        return;
    }
    PrintPicture(Printer(), *regionBitmap, ScalePercent);
}

void TPlotImageBox::ShowRegionDialog() {
    TPoint topLeft = regionCorner1_, bottomRight = regionCorner2_;
    OrderCornerPoints(topLeft, bottomRight);
    if (!ExecuteSelectedRegionDlg(IsRegionSelected(), topLeft, bottomRight, context_.Width, context_.Height))
        return;
    EndLabelOperation(true);
    DoTurnDrawToolOff();
    SetLabelWindowStatus(lwRegionSelected);
    OrderCornerPoints(topLeft, bottomRight);
    regionCorner1_ = topLeft;
    regionCorner2_ = bottomRight;
    DrawRegionRect(regionCorner1_, regionCorner2_);
}
