#include "plot/PtShared.h"

#include "platform/Errors.h"

#include <QtGlobal>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <exception>

void CopyBitmapToImage(TBitmap& ImagePicture, TBitmap& Bitmap) {
    CopyBitmap(ImagePicture, Bitmap);
}

void CheckGraphBitmapSize(int Width, int Height) {
    QX_ASSERT(Width <= 2000, "Bitmap width to large");
    QX_ASSERT(Height <= 2000, "Bitmap height to large");
    QX_ASSERT(Width >= 16, "Bitmap width to small");
    QX_ASSERT(Height >= 16, "Bitmap height to small");
}

std::string CurrentDrawingErrorText(const char* WorkerName) {
    const std::exception_ptr error = std::current_exception();
    try {
        if (error) std::rethrow_exception(error);
    } catch (const std::exception& e) {
        qWarning("%s: %s", WorkerName, e.what());
    } catch (...) {
        qWarning("%s: an exception of unknown type", WorkerName);
    }
    return WorkerErrorText(error);
}

namespace {

// Pixel steps from the mark's nearest pixel to the ink's along one axis, on the side the
// label moves to (any side when it does not move along this axis); 0 or less where they overlap.
int64_t distanceAlong(int away, int64_t inkFirst, int64_t inkEnd, int markFirst, int markEnd) {
    const int64_t after = inkFirst - (markEnd - 1), before = markFirst - (inkEnd - 1);
    return away > 0 ? after : away < 0 ? before : std::max(after, before);
}

} // namespace

TPoint ClearOfMark(TPoint Corner, const TRect& Ink, const TRect& Mark, TPoint Away) {
    if (Ink.IsEmpty() || Mark.IsEmpty() || (Away.X == 0 && Away.Y == 0)) return Corner;
    const int64_t need = TickLabelClearance + 1;
    // Steps along Away until one axis alone keeps the label clear; one that cannot get
    // there (the label does not move along it) counts only when it already is.
    const auto stepsAlong = [&](int away, int corner, int inkFirst, int inkEnd, int markFirst, int markEnd) {
        const int64_t d =
            distanceAlong(away, int64_t(corner) + inkFirst, int64_t(corner) + inkEnd, markFirst, markEnd);
        if (d >= need) return int64_t(0);
        return away != 0 ? need - d : INT64_MAX;
    };
    const int64_t steps = std::min(stepsAlong(Away.X, Corner.X, Ink.Left, Ink.Right, Mark.Left, Mark.Right),
                                   stepsAlong(Away.Y, Corner.Y, Ink.Top, Ink.Bottom, Mark.Top, Mark.Bottom));
    const auto moved = [&](int at, int away) {
        return int(std::clamp<int64_t>(at + steps * away, INT_MIN, INT_MAX));
    };
    return {moved(Corner.X, Away.X), moved(Corner.Y, Away.Y)};
}
