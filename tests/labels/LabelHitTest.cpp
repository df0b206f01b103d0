#include "LabelTestSupport.h"

#include <climits>
#include <gtest/gtest.h>

using namespace labeltest;

TEST(LabelHit, LineDistances) {
    // Outside the bounding box of a flat line the nearer end counts, not the line.
    auto flat = MakeLine({0, 0}, {100, 1});
    EXPECT_EQ(flat->HitDistance(50, 4), 50);

    // Horizontal and vertical lines measure straight across; 6 stays 6.
    auto horizontal = MakeLine({0, 10}, {50, 10});
    EXPECT_EQ(horizontal->HitDistance(25, 16), 6);
    EXPECT_EQ(horizontal->HitDistance(50, 13), 3);
    EXPECT_EQ(horizontal->HitDistance(53, 14), 5); // beyond the end: distance to (50, 10)
    auto vertical = MakeLine({10, 50}, {10, 0});
    EXPECT_EQ(vertical->HitDistance(16, 25), 6);
    EXPECT_EQ(vertical->HitDistance(10, 58), 8);

    // Flat sloped line (slope 0.5): vertical distance, and exactly 6 reports 5.
    auto sloped = MakeLine({0, 0}, {40, 20});
    EXPECT_EQ(sloped->HitDistance(20, 10), 0);
    EXPECT_EQ(sloped->HitDistance(20, 16), 5);
    EXPECT_EQ(sloped->HitDistance(20, 4), 5);
    EXPECT_EQ(sloped->HitDistance(20, 17), 7);
    EXPECT_EQ(sloped->HitDistance(20, 15), 5);

    // Steep line (slope 4): horizontal distance.
    auto steep = MakeLine({0, 0}, {10, 40});
    EXPECT_EQ(steep->HitDistance(9, 20), 4);
    EXPECT_EQ(steep->HitDistance(0, 20), 5);
    EXPECT_EQ(steep->HitDistance(1, 20), 4);

    // Rounding ties go to the even value: 0.5 x (5 - 10) = -2.5 rounds to -2.
    auto ties = MakeLine({0, 0}, {10, 5});
    EXPECT_EQ(ties->HitDistance(5, 0), 3);

    // Extreme coordinates give a defined answer.
    auto huge = MakeLine({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX - 1});
    EXPECT_GE(huge->HitDistance(0, 0), 0);
    EXPECT_EQ(MakeLine({INT_MIN, 0}, {INT_MAX, 0})->HitDistance(0, INT_MIN), FarDistance);
}

TEST(LabelHit, BoxOutlineAndTextDistances) {
    auto rect = MakeShape(lkRectangle, {110, 90}, {10, 10}); // corners in any order
    EXPECT_EQ(rect->HitDistance(60, 50), 40); // the middle of a large box is far from its outline
    EXPECT_EQ(rect->HitDistance(60, 12), 2);
    EXPECT_EQ(rect->HitDistance(60, 93), 3);
    EXPECT_EQ(rect->HitDistance(120, 50), 10);
    EXPECT_EQ(rect->HitDistance(7, 50), 3);
    // Outside both spans: the nearest corner.
    EXPECT_EQ(rect->HitDistance(115, 95), 7);
    EXPECT_EQ(rect->HitDistance(115, 5), 7);
    EXPECT_EQ(rect->HitDistance(5, 95), 7);
    EXPECT_EQ(rect->HitDistance(7, 6), 5);

    auto text = MakeText({20, 30}, "Label");
    ASSERT_GT(text->P2.X, text->P1.X);
    ASSERT_GT(text->P2.Y, text->P1.Y);
    const int midX = (text->P1.X + text->P2.X) / 2, midY = (text->P1.Y + text->P2.Y) / 2;
    EXPECT_EQ(text->HitDistance(midX, midY), 0);
    EXPECT_EQ(text->HitDistance(text->P2.X, text->P2.Y), 0);
    EXPECT_EQ(text->HitDistance(midX, 26), 4);
    EXPECT_EQ(text->HitDistance(text->P2.X + 3, midY), 3);

    auto fill = MakeFill({40, 40});
    EXPECT_EQ(fill->HitDistance(43, 44), 5);
    EXPECT_EQ(fill->HitDistance(40, 40), 0);
}

TEST(LabelHit, FreeHandDistances) {
    auto empty = std::make_unique<TDrawFreeHand>();
    EXPECT_EQ(empty->HitDistance(0, 0), FarDistance);

    // Segments inside one block are measured; a 6 on a sloped segment reports 5.
    auto corner = MakeFreeHand({{10, 10}, {50, 10}, {50, 50}, {10, 10}});
    EXPECT_EQ(corner->HitDistance(30, 12), 2);
    EXPECT_EQ(corner->HitDistance(48, 30), 2);
    EXPECT_EQ(corner->HitDistance(30, 24), 5); // diagonal (slope 1): |24 - 30| = 6
    EXPECT_EQ(corner->HitDistance(30, 36), 5);
    EXPECT_EQ(corner->HitDistance(70, 30), FarDistance); // outside the bounds widened by 5
    EXPECT_EQ(corner->HitDistance(55, 30), 5);

    // The first block runs up from (50, 50), the second runs right from (51, 50). A mouse
    // inside the label's bounds but outside both blocks' bounds is measured against the
    // first and last points only, although the curve passes 10 pixels away.
    std::vector<TPoint> pts;
    for (int i = 0; i < 32; ++i)
        pts.push_back({50, 50 - i});
    for (int i = 0; i < 32; ++i)
        pts.push_back({51 + i, 50});
    auto ell = MakeFreeHand(pts);
    ASSERT_EQ(ell->BlockCount(), 2);
    EXPECT_EQ(ell->HitDistance(60, 30), 22);
    EXPECT_EQ(ell->HitDistance(52, 30), 2);
    EXPECT_EQ(ell->HitDistance(70, 52), 2);
    EXPECT_EQ(ell->HitDistance(50, 50), 0);
}

TEST(LabelHit, OnBitmapTests) {
    TLabelBmpAttribs a{clWhite, 100, 80};

    // Boxes: a corner inside, an edge crossing, or nothing.
    EXPECT_TRUE(MakeShape(lkRectangle, {90, 70}, {300, 300})->IsOnBitmap(a));
    EXPECT_FALSE(MakeShape(lkRectangle, {-10, -10}, {120, 100})->IsOnBitmap(a)); // encloses the bitmap
    EXPECT_TRUE(
        MakeShape(lkRectangle, {50, -10}, {200, 100})->IsOnBitmap(a)); // left edge crosses top to bottom
    EXPECT_TRUE(MakeShape(lkRectangle, {200, -10}, {50, 100})->IsOnBitmap(a));
    EXPECT_TRUE(
        MakeShape(lkRectangle, {-10, 40}, {120, 200})->IsOnBitmap(a)); // top edge crosses left to right
    EXPECT_FALSE(MakeShape(lkRectangle, {-50, -10}, {-5, 100})->IsOnBitmap(a));
    EXPECT_FALSE(MakeShape(lkEllipse, {100, 0}, {150, 50})->IsOnBitmap(a));
    EXPECT_TRUE(MakeShape(lkEllipse, {99, 79}, {150, 150})->IsOnBitmap(a));

    // Lines: clipped, so a line crossing the bitmap with both ends outside is on it.
    EXPECT_TRUE(MakeLine({-10, 40}, {200, 40})->IsOnBitmap(a));
    EXPECT_TRUE(MakeLine({-10, -10}, {200, 150})->IsOnBitmap(a));
    EXPECT_FALSE(MakeLine({-5, 3}, {3, -5})->IsOnBitmap(a)); // beside the corner
    EXPECT_FALSE(MakeLine({100, 0}, {100, 79})->IsOnBitmap(a));

    // Free hands: any stored point placed relative to the given origin.
    auto free = MakeFreeHand({{-20, -20}, {10, 10}, {-20, 0}});
    EXPECT_TRUE(free->IsOnBitmap(a));
    EXPECT_TRUE(free->RectOnBitmap({-20, -20}, {-20, 0}, a));
    EXPECT_FALSE(free->RectOnBitmap({-60, -20}, {-60, 0}, a));
    EXPECT_TRUE(free->RectOnBitmap({-25, -25}, {-25, -5}, a)); // only the middle point, at (5, 5)
    EXPECT_FALSE(free->RectOnBitmap({120, 60}, {120, 80}, a));

    auto fill = MakeFill({99, 79});
    EXPECT_TRUE(fill->IsOnBitmap(a));
    fill->Location = {100, 0};
    EXPECT_FALSE(fill->IsOnBitmap(a));
}

TEST(LabelHit, KeepTextOnBitmap) {
    TLabelBmpAttribs a{clWhite, 100, 80};
    TDrawText t;
    t.P1 = {150, 20};
    t.P2 = {180, 35};
    EXPECT_TRUE(t.KeepOnBitmap(a));
    EXPECT_TRUE(t.Modified);
    EXPECT_EQ(t.P1, (TPoint{99, 20}));
    EXPECT_EQ(t.P2, (TPoint{129, 35}));

    t.P1 = {-40, -30};
    t.P2 = {-10, -15};
    EXPECT_TRUE(t.KeepOnBitmap(a));
    EXPECT_EQ(t.P1, (TPoint{-30, -15}));
    EXPECT_EQ(t.P2, (TPoint{0, 0}));

    // Mirrored boxes (P2 left of or above P1) move the same way.
    t.P1 = {20, 130};
    t.P2 = {-5, 90};
    EXPECT_TRUE(t.KeepOnBitmap(a));
    EXPECT_EQ(t.P1, (TPoint{20, 119}));
    EXPECT_EQ(t.P2, (TPoint{-5, 79}));

    t.Modified = false;
    t.P1 = {10, 10};
    t.P2 = {40, 25};
    EXPECT_FALSE(t.KeepOnBitmap(a));
    EXPECT_FALSE(t.Modified);
    EXPECT_EQ(t.P1, (TPoint{10, 10}));

    t.P1 = {INT_MAX - 5, INT_MIN};
    t.P2 = {INT_MAX, INT_MIN + 10};
    EXPECT_TRUE(t.KeepOnBitmap(a));
    EXPECT_TRUE(PointInBitmap(t.P1.X, t.P2.Y, 100, 80));
}
