#pragma once
// Clipping of a segment to a rectangle: in pixels (0..MaxX by 0..MaxY), used by line
// labels to decide whether any of a line shows on the bitmap, and in extended scaled
// units, used by the plot engine to cut curves at the edges of a view.
//
// The clipper clamps axis-parallel segments and slides the ends of sloped segments
// along the line, first in X and then in Y, truncating toward zero. It does not look
// for the true intersection of a segment that passes beside a corner: such a segment
// keeps an end outside and is reported as off the rectangle.

// The classic entry point. Note the order: the two X values, then the two Y values, then
// the Y limit before the X limit. Prefer ClipSegment, whose arguments cannot be swapped
// by accident.
// On return the four variables hold the clipped ends (unchanged when both ends were
// already inside, or when both lie beyond the same side); the result is True when both
// ends now lie inside the rectangle.
bool ClipLine(int& X1, int& X2, int& Y1, int& Y2, int MaxY, int MaxX);

// The largest column and row of the clip rectangle (width - 1, height - 1 of a bitmap).
struct TClipLimits {
    int MaxX;
    int MaxY;
};

// The same clipper with the ends given point by point: A = (ax, ay), B = (bx, by).
inline bool ClipSegment(int& ax, int& ay, int& bx, int& by, TClipLimits limits) {
    return ClipLine(ax, bx, ay, by, limits.MaxY, limits.MaxX);
}

// The same clipper with every slid coordinate rounded to the nearest pixel (ties to even)
// instead of truncated: the 3D renderer clips its projected segments with it, so that a
// cut segment keeps close to the line it was cut from.
bool ClipSegmentRounded(int& ax, int& ay, int& bx, int& by, TClipLimits limits);

// The same clipper in extended precision on the rectangle Left..Right by Bottom..Top (any
// orientation of Y will do: Bottom is simply the smaller limit). Ends slide exactly, with no
// truncation, so a clipped end lies exactly on the edge it was moved to. The result is True
// when both ends now lie inside; a slide without a finite result (a view so far out that
// its edges have merged) gives False.
struct TClipRectExtended {
    long double Left;
    long double Right;
    long double Bottom;
    long double Top;
};
bool ClipSegmentExtended(long double& ax, long double& ay, long double& bx, long double& by,
                         const TClipRectExtended& r);
