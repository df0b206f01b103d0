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

using Axis = int ClipEnd::*;

// Moves the end p of the segment a-b (p is a or b) along the line until its `axis`
// coordinate is `value`. The slope is taken from the current ends; when it cannot be
// computed the other coordinate falls back to 0.
void slideEnd(ClipEnd& p, const ClipEnd& a, const ClipEnd& b, Axis axis, Axis other, int value) {
    const long double dAxis = static_cast<long double>(a.*axis) - static_cast<long double>(b.*axis);
    const long double dOther = static_cast<long double>(a.*other) - static_cast<long double>(b.*other);
    int moved = 0;
    if (!slideCoordinate(dOther, dAxis, value, p.*axis, p.*other, moved)) moved = 0;
    p.*other = moved;
    p.*axis = value;
}

// Brings the ends back to 0..max along one axis where the segment crosses a limit: the
// lower end to 0, then the upper end to max. Axis-parallel segments are clamped, sloped
// ones slide along their line.
void clipAxis(ClipEnd& a, ClipEnd& b, Axis axis, Axis other, int max, bool slide) {
    const bool aIsLo = a.*axis < b.*axis;
    ClipEnd& lo = aIsLo ? a : b;
    ClipEnd& hi = aIsLo ? b : a;
    const auto moveTo = [&](ClipEnd& p, int value) {
        if (slide)
            slideEnd(p, a, b, axis, other, value);
        else
            p.*axis = value;
    };
    if (hi.*axis >= 0 && lo.*axis < 0) moveTo(lo, 0);
    if (hi.*axis > max && lo.*axis <= max) moveTo(hi, max);
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
        clipAxis(a, b, &ClipEnd::Y, &ClipEnd::X, MaxY, false);
    } else if (a.Y == b.Y) {
        clipAxis(a, b, &ClipEnd::X, &ClipEnd::Y, MaxX, false);
    } else {
        clipAxis(a, b, &ClipEnd::X, &ClipEnd::Y, MaxX, true);
        clipAxis(a, b, &ClipEnd::Y, &ClipEnd::X, MaxY, true);
    }

    X1 = a.X;
    Y1 = a.Y;
    X2 = b.X;
    Y2 = b.Y;
    return inside(a, MaxX, MaxY) && inside(b, MaxX, MaxY);
}
