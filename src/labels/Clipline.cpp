#include "labels/Clipline.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

struct ClipEnd {
    int X;
    int Y;
};

bool inside(const ClipEnd& p, int maxX, int maxY) {
    return p.X >= 0 && p.X <= maxX && p.Y >= 0 && p.Y <= maxY;
}

// Trunc(ratio * (target - from) + base) with ratio = num / den, all in extended precision.
// False when the division has no finite result or the value does not fit an int: the
// caller then treats the computation as failed.
bool slideCoordinate(long double num, long double den, int target, int from, int base, int& out) {
    if (den == 0.0L) return false;
    const long double ratio = num / den;
    const long double value = ratio * (static_cast<long double>(target) - static_cast<long double>(from)) +
                              static_cast<long double>(base);
    if (!std::isfinite(value)) return false;
    const long double truncated = std::trunc(value);
    if (truncated < static_cast<long double>(std::numeric_limits<int>::min()) ||
        truncated > static_cast<long double>(std::numeric_limits<int>::max()))
        return false;
    out = static_cast<int>(truncated);
    return true;
}

// Moves the end p of the segment a-b (p is a or b) along the line to X = x. The slope is
// taken from the current ends; when it cannot be computed Y falls back to 0.
void moveToX(ClipEnd& p, const ClipEnd& a, const ClipEnd& b, int x) {
    const long double dy = static_cast<long double>(a.Y) - static_cast<long double>(b.Y);
    const long double dx = static_cast<long double>(a.X) - static_cast<long double>(b.X);
    int y = 0;
    if (!slideCoordinate(dy, dx, x, p.X, p.Y, y)) y = 0;
    p.Y = y;
    p.X = x;
}

void moveToY(ClipEnd& p, const ClipEnd& a, const ClipEnd& b, int y) {
    const long double dy = static_cast<long double>(a.Y) - static_cast<long double>(b.Y);
    const long double dx = static_cast<long double>(a.X) - static_cast<long double>(b.X);
    int x = 0;
    if (!slideCoordinate(dx, dy, y, p.Y, p.X, x)) x = 0;
    p.X = x;
    p.Y = y;
}

} // namespace

bool ClipLine(int& X1, int& X2, int& Y1, int& Y2, int MaxY, int MaxX) {
    ClipEnd a{X1, Y1};
    ClipEnd b{X2, Y2};
    const bool aIn = inside(a, MaxX, MaxY);
    const bool bIn = inside(b, MaxX, MaxY);
    if (aIn && bIn) return true;
    if (!aIn && !bIn &&
        ((a.X < 0 && b.X < 0) || (a.X > MaxX && b.X > MaxX) || (a.Y < 0 && b.Y < 0) ||
         (a.Y > MaxY && b.Y > MaxY)))
        return false;

    if (a.X == b.X) {
        ClipEnd& lo = a.Y < b.Y ? a : b;
        ClipEnd& hi = a.Y < b.Y ? b : a;
        if (hi.Y >= 0 && lo.Y < 0) lo.Y = 0;
        if (hi.Y > MaxY && lo.Y <= MaxY) hi.Y = MaxY;
    } else if (a.Y == b.Y) {
        ClipEnd& lo = a.X < b.X ? a : b;
        ClipEnd& hi = a.X < b.X ? b : a;
        if (hi.X >= 0 && lo.X < 0) lo.X = 0;
        if (hi.X > MaxX && lo.X <= MaxX) hi.X = MaxX;
    } else {
        {
            const bool aIsLo = b.X > a.X;
            ClipEnd& lo = aIsLo ? a : b;
            ClipEnd& hi = aIsLo ? b : a;
            if (hi.X >= 0 && lo.X < 0) moveToX(lo, a, b, 0);
            if (hi.X > MaxX && lo.X <= MaxX) moveToX(hi, a, b, MaxX);
        }
        {
            const bool aIsLo = a.Y < b.Y;
            ClipEnd& lo = aIsLo ? a : b;
            ClipEnd& hi = aIsLo ? b : a;
            if (hi.Y >= 0 && lo.Y < 0) moveToY(lo, a, b, 0);
            if (hi.Y > MaxY && lo.Y <= MaxY) moveToY(hi, a, b, MaxY);
        }
    }

    X1 = a.X;
    Y1 = a.Y;
    X2 = b.X;
    Y2 = b.Y;
    return inside(a, MaxX, MaxY) && inside(b, MaxX, MaxY);
}
