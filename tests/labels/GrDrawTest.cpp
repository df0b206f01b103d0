#include "labels/GrDraw.h"

#include "math/DefFont.h"
#include "platform/ScriptedUiHook.h"

#include <climits>
#include <gtest/gtest.h>

TEST(GrDraw, OrderCornerPointsSwapsEachAxisOnItsOwn) {
    TPoint a{30, 5}, b{10, 40};
    OrderCornerPoints(a, b);
    EXPECT_EQ(a, (TPoint{10, 5}));
    EXPECT_EQ(b, (TPoint{30, 40}));

    a = {3, 50}, b = {9, 20};
    OrderCornerPoints(a, b);
    EXPECT_EQ(a, (TPoint{3, 20}));
    EXPECT_EQ(b, (TPoint{9, 50}));
}

TEST(GrDraw, PointInBitmapAndSpinLimits) {
    EXPECT_TRUE(PointInBitmap(0, 0, 10, 20));
    EXPECT_TRUE(PointInBitmap(9, 19, 10, 20));
    EXPECT_FALSE(PointInBitmap(10, 5, 10, 20));
    EXPECT_FALSE(PointInBitmap(5, 20, 10, 20));
    EXPECT_FALSE(PointInBitmap(-1, 5, 10, 20));

    EXPECT_EQ(CoordSpinMax(50, 400), 500);
    EXPECT_EQ(CoordSpinMax(900, 400), 900);
    EXPECT_EQ(CoordSpinMax(0, INT_MAX), INT_MAX);
}

TEST(GrDraw, PointDistanceTruncatesAndNeverOverflows) {
    EXPECT_EQ(PointDistance({0, 0}, {3, 4}), 5);
    EXPECT_EQ(PointDistance({0, 0}, {1, 1}), 1); // 1.41 truncated
    EXPECT_EQ(PointDistance({10, 10}, {10, 10}), 0);
    EXPECT_EQ(PointDistance({-5, 0}, {5, 0}), 10);
    // Squares beyond 32 bits are still exact.
    EXPECT_EQ(PointDistance({0, 0}, {60000, 80000}), 100000);
    // Beyond the int range: far away.
    EXPECT_EQ(PointDistance({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}), FarDistance);
}

TEST(GrDraw, LabelNotOnBitmapMessage) {
    TScopedScriptedUiHook hook;
    ShowLabelNotOnBitmapMsg();
    ASSERT_EQ(hook->Messages.size(), 1u);
    const auto& m = hook->Messages[0];
    EXPECT_EQ(m.Text, "The label must be on the graph bitmap.");
    EXPECT_EQ(m.Type, mtError);
    EXPECT_EQ(m.Buttons, (TMsgDlgButtons{mbOK}));
    EXPECT_EQ(m.HelpContext, 0);
    EXPECT_EQ(m.Owner, nullptr);
}

TEST(GrDraw, ToolBarAttribDefaults) {
    TFontRecord f = GetDefaultFont();
    f.Size = 23;
    DefaultFontHolder().SetFontAttributes(&f);
    TToolBarAttribClass a;
    DefaultFontHolder().ResetFont();
    EXPECT_EQ(a.Font, f);
    EXPECT_EQ(a.BrushColor, 0xFF0000u);
    EXPECT_EQ(a.BrushStyle, 1);
    EXPECT_EQ(a.PenColor, 0u);
    EXPECT_EQ(a.PenStyle, 0);
    EXPECT_EQ(a.PenWidth, 1);
}

TEST(GrDraw, EnumerationValuesMatchTheFileTagsAndTools) {
    EXPECT_EQ(int(lkLine), int(dtLine));
    EXPECT_EQ(int(lkFloodFill), int(dtFloodFill));
    EXPECT_EQ(int(lkRectangle), int(dtRectangle));
    EXPECT_EQ(int(lkEllipse), int(dtEllipse));
    EXPECT_EQ(int(lkRoundRect), int(dtRoundRect));
    EXPECT_EQ(int(lkText), int(dtText));
    EXPECT_EQ(int(lkFreeHand), int(dtFreeHand));

    EXPECT_EQ(CursorShapeOf(crSizeNS), Qt::SizeVerCursor);
    EXPECT_EQ(CursorShapeOf(crSizeWE), Qt::SizeHorCursor);
    EXPECT_EQ(CursorShapeOf(crDefault), Qt::ArrowCursor);
}
