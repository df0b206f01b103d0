#include "labels/Clipline.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

struct Seg {
    int ax, ay, bx, by;
    bool operator==(const Seg&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Seg& s) {
    return os << "(" << s.ax << ", " << s.ay << ")-(" << s.bx << ", " << s.by << ")";
}

// Runs the classic entry point with its unusual argument order.
bool clip(Seg& s, int maxX, int maxY) {
    return ClipLine(s.ax, s.bx, s.ay, s.by, maxY, maxX);
}

} // namespace

TEST(ClipLine, AxisParallelSegmentsAreClamped) {
    Seg s{-10, 5, 20, 5};
    EXPECT_TRUE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{0, 5, 9, 5}));

    s = {5, -3, 5, 30};
    EXPECT_TRUE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{5, 0, 5, 9}));

    // Reversed direction: the ends keep their roles.
    s = {30, 5, -10, 5};
    EXPECT_TRUE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{9, 5, 0, 5}));

    s = {5, 30, 5, -3};
    EXPECT_TRUE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{5, 9, 5, 0}));

    // One end inside, the other beyond one side.
    s = {4, 4, 4, 100};
    EXPECT_TRUE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{4, 4, 4, 9}));

    // Horizontal beside the rectangle: both Y beyond the bottom, untouched.
    s = {-5, 12, 20, 12};
    EXPECT_FALSE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{-5, 12, 20, 12}));
}

TEST(ClipLine, EarlyExitsLeaveTheSegmentAlone) {
    Seg s{-10, -10, -1, 20};
    EXPECT_FALSE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{-10, -10, -1, 20}));

    s = {1, 2, 8, 9};
    EXPECT_TRUE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{1, 2, 8, 9}));

    // Point-like segments.
    s = {3, 3, 3, 3};
    EXPECT_TRUE(clip(s, 9, 9));
    s = {12, 3, 12, 3};
    EXPECT_FALSE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{12, 3, 12, 3}));
    s = {-1, -1, -1, -1};
    EXPECT_FALSE(clip(s, 9, 9));
}

TEST(ClipLine, SlopedSegmentsSlideFirstInXThenInY) {
    Seg s{-5, -5, 15, 15};
    EXPECT_TRUE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{0, 0, 9, 9}));

    // Both ends moved in X, then the start moved again in Y.
    s = {-10, 20, 20, -10};
    EXPECT_TRUE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{1, 9, 9, 1}));

    // Truncation toward zero: 0.5 x (9 - 20) + 7 = 1.5 becomes 1.
    s = {-3, 0, 7, 20};
    EXPECT_TRUE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{0, 6, 1, 9}));

    // Beside the top-left corner: -4/3 x 2 + 1 = -1.67 truncates to -1 (not -2), and the
    // result is False with the partly moved ends written back.
    s = {-2, 1, 1, -3};
    EXPECT_FALSE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{0, -1, 1, -3}));

    s = {-5, 3, 3, -5};
    EXPECT_FALSE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{0, -2, 3, -5}));
}

TEST(ClipLine, TheRoundingClipperRoundsToTheNearestPixel) {
    struct Case {
        Seg In, Out;
        bool Visible;
    } cases[] = {
        {{-3, 0, 7, 20}, {0, 6, 2, 9}, true},      // 0.5 x (9 - 20) + 7 = 1.5: ties to even
        {{-3, 1, 7, 20}, {0, 7, 1, 9}, true},      // 1.9 x 3 + 1 = 6.7, then 7/13 x -11 + 7 = 1.08
        {{-10, 5, 30, 25}, {0, 10, 9, 14}, false}, // 14.5 gives 14: still below the last row
        {{-2, 1, 1, -3}, {0, -2, 1, -3}, false},   // beside the corner: -1.67 gives -2
    };
    for (const Case& c : cases) {
        Seg s = c.In;
        EXPECT_EQ(ClipSegmentRounded(s.ax, s.ay, s.bx, s.by, TClipLimits{9, 9}), c.Visible) << c.In;
        EXPECT_EQ(s, c.Out);
    }
}

TEST(ClipLine, LimitsAreTakenInTheirOwnOrder) {
    // MaxY comes before MaxX in the classic call; a wide, low rectangle tells them apart.
    Seg s{-10, 5, 30, 5};
    EXPECT_TRUE(clip(s, 19, 9));
    EXPECT_EQ(s, (Seg{0, 5, 19, 5}));

    s = {5, -10, 5, 30};
    EXPECT_TRUE(clip(s, 19, 9));
    EXPECT_EQ(s, (Seg{5, 0, 5, 9}));

    // The typed wrapper gives the same answers with the ends point by point.
    int ax = -10, ay = 5, bx = 30, by = 5;
    EXPECT_TRUE(ClipSegment(ax, ay, bx, by, TClipLimits{19, 9}));
    EXPECT_EQ((Seg{ax, ay, bx, by}), (Seg{0, 5, 19, 5}));

    ax = 15, ay = 2, bx = 15, by = 2;
    EXPECT_FALSE(ClipSegment(ax, ay, bx, by, TClipLimits{9, 19}));
    EXPECT_TRUE(ClipSegment(ay, ax, by, bx, TClipLimits{9, 19}));
}

TEST(ClipLine, ExtremeCoordinatesStayDefined) {
    Seg s{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_TRUE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{0, 0, 9, 9}));

    // The line x + y = 1999 from far outside on both sides.
    s = {INT_MIN + 2000, INT_MAX, INT_MAX, INT_MIN + 2000};
    EXPECT_TRUE(clip(s, 1999, 1999));
    EXPECT_EQ(s, (Seg{0, 1999, 1999, 0}));

    // The line x + y = -1 passes beside the corner.
    s = {INT_MIN, INT_MAX, INT_MAX, INT_MIN};
    EXPECT_FALSE(clip(s, 1999, 1999));

    s = {INT_MIN, 0, INT_MAX, 0};
    EXPECT_TRUE(clip(s, 9, 9));
    EXPECT_EQ(s, (Seg{0, 0, 9, 0}));
}

TEST(ClipSegmentExtended, EndsLandExactlyOnTheEdgesWithoutTruncation) {
    // The view -10..10 by -5..5 (Bottom is the smaller limit, Y grows upward).
    const TClipRectExtended view{-10, 10, -5, 5};
    struct Case {
        long double ax, ay, bx, by;
        bool visible;
        long double wax, way, wbx, wby;
    };
    const Case cases[] = {
        // Leaves through the right edge: y = 0 + 1/4 * (10 - 0) = 2.5, not truncated.
        {0, 0, 20, 5, true, 0, 0, 10, 2.5L},
        // Both ends outside, crossing the whole view diagonally: X first, then Y.
        {-20, -20, 20, 20, true, -5, -5, 5, 5},
        // Vertical and horizontal segments are clamped.
        {3, -100, 3, 100, true, 3, -5, 3, 5},
        {-100, 1, 100, 1, true, -10, 1, 10, 1},
        // Both beyond the top: untouched, invisible.
        {-3, 6, 3, 9, false, -3, 6, 3, 9},
        // Beside the corner (x + y = 17): the right end moves onto x = 10 and stays above.
        {7, 10, 17, 0, false, 7, 10, 10, 7},
    };
    for (const Case& c : cases) {
        long double ax = c.ax, ay = c.ay, bx = c.bx, by = c.by;
        EXPECT_EQ(ClipSegmentExtended(ax, ay, bx, by, view), c.visible)
            << double(c.ax) << "," << double(c.ay);
        EXPECT_EQ(ax, c.wax);
        EXPECT_EQ(ay, c.way);
        EXPECT_EQ(bx, c.wbx);
        EXPECT_EQ(by, c.wby);
    }
    // A slope beyond the float range cannot slide an end: invisible, no fault.
    long double ax = -1e4932L, ay = -1, bx = 1e4932L, by = 1;
    EXPECT_FALSE(ClipSegmentExtended(ax, ay, bx, by, TClipRectExtended{-1.1e4932L, 1.1e4932L, 0, 0}));
}
