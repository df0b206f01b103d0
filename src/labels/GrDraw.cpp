#include "labels/GrDraw.h"

#include "math/CenterDlg.h"
#include "math/DefFont.h"

#include <cmath>
#include <limits>
#include <utility>

TToolBarAttribClass::TToolBarAttribClass() : Font(GetDefaultFont()) {}

Qt::CursorShape CursorShapeOf(TCursor cursor) {
    switch (cursor) {
    case crDrag:
        return Qt::DragMoveCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crDefault:
        break;
    }
    return Qt::ArrowCursor;
}

void OrderCornerPoints(TPoint& P1, TPoint& P2) {
    if (P2.X < P1.X) std::swap(P1.X, P2.X);
    if (P2.Y < P1.Y) std::swap(P1.Y, P2.Y);
}

void ShowLabelNotOnBitmapMsg() {
    CenterMessageDlg("The label must be on the graph bitmap.", mtError, {mbOK}, 0, nullptr);
}

int CoordSpinMax(int Value, int Size) {
    const long long limit = static_cast<long long>(Size) + 100;
    if (Value >= limit) return Value;
    return limit > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                   : static_cast<int>(limit);
}

int PointDistance(const TPoint& P1, const TPoint& P2) {
    // Differences of 32-bit values squared need the 64-bit significand of long double to
    // stay exact; the root of anything that fits is far below the int range check below.
    const long double dx = static_cast<long double>(P1.X) - P2.X;
    const long double dy = static_cast<long double>(P1.Y) - P2.Y;
    const long double d = std::sqrt(std::fabs(dx * dx) + std::fabs(dy * dy));
    if (!std::isfinite(d) || d >= static_cast<long double>(std::numeric_limits<int>::max()))
        return FarDistance;
    return static_cast<int>(d); // truncates toward zero
}
