#include "labels/Clipline.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// One clipper for both number types: integer pixels (line labels) and extended scaled
// units (curves of the plot engine). Only the way an end slides along its line differs.
template <class T> struct ClipEnd {
    T X;
    T Y;
};

template <class T> struct ClipBox { T MinX, MaxX, MinY, MaxY; };

template <class T> bool inside(const ClipEnd<T>& p, const ClipBox<T>& box) {
    return p.X >= box.MinX && p.X <= box.MaxX && p.Y >= box.MinY && p.Y <= box.MaxY;
}

// Trunc(ratio * (target - from) + base) with ratio = num / den, all in extended precision
// (Rounded: the nearest integer, ties to even). A division without a finite result or a
// value that does not fit an int counts as a failed computation: the coordinate falls
// back to 0.
template <bool Rounded> struct IntSlide {
    int operator()(long double num, long double den, int target, int from, int base) const {
        if (den == 0.0L) return 0;
        const long double value = num / den * (static_cast<long double>(target) - from) + base;
        if (!std::isfinite(value)) return 0;
        const long double whole = Rounded ? std::nearbyint(value) : std::trunc(value);
        if (whole < static_cast<long double>(std::numeric_limits<int>::min()) ||
            whole > static_cast<long double>(std::numeric_limits<int>::max()))
            return 0;
        return static_cast<int>(whole);
    }
};

// The exact slide; a result that is not finite marks the whole clip as failed.
struct ExtendedSlide {
    bool& failed;
    long double operator()(long double num, long double den, long double target, long double from,
                           long double base) const {
        const long double value = num / den * (target - from) + base;
        if (!std::isfinite(value)) failed = true;
        return value;
    }
};

template <class T, class Slide> struct Clipper {
    using End = ClipEnd<T>;
    using Axis = T End::*;
    End& a;
    End& b;
    Slide slide;

    // Moves the end p (a or b) along the line until its `axis` coordinate is `value`; the
    // slope is taken from the current ends.
    void slideEnd(End& p, Axis axis, Axis other, T value) {
        const long double dAxis = static_cast<long double>(a.*axis) - static_cast<long double>(b.*axis);
        const long double dOther = static_cast<long double>(a.*other) - static_cast<long double>(b.*other);
        p.*other = slide(dOther, dAxis, value, p.*axis, p.*other);
        p.*axis = value;
    }

    // Brings the ends back into min..max along one axis where the segment crosses a limit:
    // the lower end to min, then the upper end to max. Axis-parallel segments are clamped,
    // sloped ones slide along their line.
    void clipAxis(Axis axis, Axis other, T min, T max, bool sloped) {
        const bool aIsLo = a.*axis < b.*axis;
        End& lo = aIsLo ? a : b;
        End& hi = aIsLo ? b : a;
        const auto moveTo = [&](End& p, T value) {
            if (sloped)
                slideEnd(p, axis, other, value);
            else
                p.*axis = value;
        };
        if (hi.*axis >= min && lo.*axis < min) moveTo(lo, min);
        if (hi.*axis > max && lo.*axis <= max) moveTo(hi, max);
    }

    // False at once when both ends lie beyond one side; otherwise clips and tells whether
    // both ends now lie inside. `changed` is false when nothing was touched.
    bool clip(const ClipBox<T>& box, bool& changed) {
        changed = false;
        const bool aIn = inside(a, box), bIn = inside(b, box);
        if (aIn && bIn) return true;
        if (!aIn && !bIn &&
            ((a.X < box.MinX && b.X < box.MinX) || (a.X > box.MaxX && b.X > box.MaxX) ||
             (a.Y < box.MinY && b.Y < box.MinY) || (a.Y > box.MaxY && b.Y > box.MaxY)))
            return false;
        changed = true;
        if (a.X == b.X) {
            clipAxis(&End::Y, &End::X, box.MinY, box.MaxY, false);
        } else if (a.Y == b.Y) {
            clipAxis(&End::X, &End::Y, box.MinX, box.MaxX, false);
        } else {
            clipAxis(&End::X, &End::Y, box.MinX, box.MaxX, true);
            clipAxis(&End::Y, &End::X, box.MinY, box.MaxY, true);
        }
        return inside(a, box) && inside(b, box);
    }
};

} // namespace

namespace {
template <bool Rounded> bool clipInt(int& X1, int& X2, int& Y1, int& Y2, int MaxY, int MaxX) {
    ClipEnd<int> a{X1, Y1};
    ClipEnd<int> b{X2, Y2};
    bool changed = false;
    const bool result = Clipper<int, IntSlide<Rounded>>{a, b, {}}.clip({0, MaxX, 0, MaxY}, changed);
    if (changed) {
        X1 = a.X;
        Y1 = a.Y;
        X2 = b.X;
        Y2 = b.Y;
    }
    return result;
}
} // namespace

bool ClipLine(int& X1, int& X2, int& Y1, int& Y2, int MaxY, int MaxX) {
    return clipInt<false>(X1, X2, Y1, Y2, MaxY, MaxX);
}

bool ClipSegmentRounded(int& ax, int& ay, int& bx, int& by, TClipLimits limits) {
    return clipInt<true>(ax, bx, ay, by, limits.MaxY, limits.MaxX);
}

bool ClipSegmentExtended(long double& ax, long double& ay, long double& bx, long double& by,
                         const TClipRectExtended& r) {
    ClipEnd<long double> a{ax, ay};
    ClipEnd<long double> b{bx, by};
    bool changed = false, failed = false;
    const bool result =
        Clipper<long double, ExtendedSlide>{a, b, {failed}}.clip({r.Left, r.Right, r.Bottom, r.Top}, changed);
    if (changed) {
        ax = a.X;
        ay = a.Y;
        bx = b.X;
        by = b.Y;
    }
    return result && !failed;
}
