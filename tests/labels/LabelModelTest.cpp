#include "LabelTestSupport.h"

#include "math/DefFont.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

using namespace labeltest;

TEST(LabelModel, ConstructorDefaults) {
    TDrawFloodFill fill;
    EXPECT_EQ(fill.BrushStyle, 0);
    EXPECT_EQ(fill.FillColor, 0u);
    EXPECT_EQ(fill.Location, (TPoint{0, 0}));
    EXPECT_FALSE(fill.HandlesShown);
    EXPECT_EQ(fill.Index, -1);
    EXPECT_FALSE(fill.Modified);

    TDrawLine line;
    EXPECT_EQ(line.GrabbedHandle, ghNone);
    EXPECT_EQ(line.PenStyle, psSolid);
    EXPECT_EQ(line.BrushStyle, bsClear);
    EXPECT_EQ(line.PenColor, 0u);
    EXPECT_EQ(line.PenWidth, 1);
    EXPECT_EQ(line.BrushColor, 0xFFFFFFu);

    TDrawFreeHand free;
    EXPECT_EQ(free.PointCount, 0);
    EXPECT_EQ(free.BlockCount(), 1);
    EXPECT_EQ(free.LastBlockCount, 0);
    EXPECT_EQ(free.Bounds, TFreeHandBounds{});

    TDrawText text;
    EXPECT_EQ(text.Font, GetDefaultFont());
    EXPECT_TRUE(text.Text.empty());
}

TEST(LabelModel, CloneGivesDefaultsOfTheSameClass) {
    TDrawInclosedShape ellipse(lkEllipse);
    ellipse.P1 = {4, 5};
    ellipse.PenWidth = 7;
    auto clone = ellipse.Clone();
    auto* e = dynamic_cast<TDrawInclosedShape*>(clone.get());
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->ShapeKind, lkEllipse);
    EXPECT_EQ(e->P1, (TPoint{0, 0}));
    EXPECT_EQ(e->PenWidth, 1);

    EXPECT_NE(dynamic_cast<TDrawLine*>(TDrawLine().Clone().get()), nullptr);
    EXPECT_NE(dynamic_cast<TDrawFreeHand*>(TDrawFreeHand().Clone().get()), nullptr);
    EXPECT_NE(dynamic_cast<TDrawText*>(TDrawText().Clone().get()), nullptr);
    EXPECT_NE(dynamic_cast<TDrawFloodFill*>(TDrawFloodFill().Clone().get()), nullptr);
}

TEST(LabelModel, AssignCopiesThePersistentFieldsOnly) {
    auto src = MakeShape(lkRoundRect, {1, 2}, {30, 40}, 0x123456, 4, bsCross, 0x654321);
    src->PenStyle = psDot;
    src->EditP1 = {9, 9};
    src->EditP2 = {8, 8};
    src->DownPoint = {7, 7};
    src->HandlesShown = true;
    src->GrabbedHandle = ghTop;
    TDrawInclosedShape dst(lkRectangle);
    dst.Assign(*src);
    EXPECT_EQ(dst.ShapeKind, lkRoundRect);
    EXPECT_EQ(dst.P1, (TPoint{1, 2}));
    EXPECT_EQ(dst.P2, (TPoint{30, 40}));
    EXPECT_EQ(dst.PenColor, 0x123456u);
    EXPECT_EQ(dst.PenWidth, 4);
    EXPECT_EQ(dst.PenStyle, psDot);
    EXPECT_EQ(dst.BrushStyle, bsCross);
    EXPECT_EQ(dst.BrushColor, 0x654321u);
    EXPECT_EQ(dst.EditP1, (TPoint{0, 0}));
    EXPECT_EQ(dst.EditP2, (TPoint{0, 0}));
    EXPECT_EQ(dst.DownPoint, (TPoint{0, 0}));
    EXPECT_FALSE(dst.HandlesShown);
    EXPECT_EQ(dst.GrabbedHandle, ghNone);

    auto text = MakeText({5, 6}, "Hello");
    TDrawText textCopy;
    textCopy.Assign(*text);
    EXPECT_EQ(textCopy.Text, "Hello");
    EXPECT_EQ(textCopy.Font, text->Font);
    EXPECT_EQ(textCopy.P2, text->P2);

    auto fill = MakeFill({3, 4}, 0x00FF00, bsVertical);
    TDrawFloodFill fillCopy;
    fillCopy.Assign(*fill);
    EXPECT_EQ(fillCopy.Location, (TPoint{3, 4}));
    EXPECT_EQ(fillCopy.FillColor, 0x00FF00u);
    EXPECT_EQ(fillCopy.BrushStyle, bsVertical);

    // A source of another class is refused and nothing is copied.
    TDrawLine line;
    line.P1 = {77, 77};
    EXPECT_THROW(line.Assign(*src), EConvertError);
    EXPECT_THROW(line.Assign(*fill), EConvertError);
    EXPECT_EQ(line.P1, (TPoint{77, 77}));
    EXPECT_THROW(dst.Assign(line), EConvertError);
}

TEST(LabelModel, FreeHandAssignDuplicatesTheBlocksAndSurvivesItself) {
    std::vector<TPoint> pts;
    for (int i = 0; i < 70; ++i)
        pts.push_back({10 + i, 20 + (i % 7)});
    auto src = MakeFreeHand(pts);
    ASSERT_EQ(src->PointCount, 70);
    ASSERT_EQ(src->BlockCount(), 3);

    TDrawFreeHand copy;
    copy.Assign(*src);
    EXPECT_EQ(copy.PointCount, 70);
    EXPECT_EQ(copy.BlockCount(), 3);
    EXPECT_EQ(copy.LastBlockCount, 6);
    EXPECT_EQ(copy.Bounds, src->Bounds);
    for (int i = 0; i < 70; ++i)
        EXPECT_EQ(copy.PointAt(i), pts[size_t(i)]) << i;

    // The copy is independent of its source.
    src->AddPoint(300, 300);
    EXPECT_EQ(copy.PointCount, 70);

    // Assigning a label from itself keeps every point.
    copy.Assign(copy);
    EXPECT_EQ(copy.PointCount, 70);
    EXPECT_EQ(copy.BlockCount(), 3);
    for (int i = 0; i < 70; ++i)
        ASSERT_EQ(copy.PointAt(i), pts[size_t(i)]) << i;

    // A long curve replaces a short one completely.
    auto shortOne = MakeFreeHand({{1, 1}, {2, 5}});
    shortOne->Assign(copy);
    EXPECT_EQ(shortOne->PointCount, 70);
    EXPECT_EQ(shortOne->P2, pts.back());
}

TEST(LabelModel, StyleSettersNormalisePerClass) {
    TDrawLine line;
    line.SetPenStyle(psClear);
    EXPECT_EQ(line.PenStyle, psSolid);
    EXPECT_TRUE(line.Modified);
    line.SetPenStyle(psDashDot);
    EXPECT_EQ(line.PenStyle, psDashDot);
    line.SetBrushStyle(bsCross);
    EXPECT_EQ(line.BrushStyle, bsClear);
    line.SetBrushStyle(bsSolid);
    EXPECT_EQ(line.BrushStyle, bsSolid);

    TDrawFreeHand free;
    free.SetPenStyle(psClear);
    EXPECT_EQ(free.PenStyle, psSolid);
    free.SetBrushStyle(bsDiagCross);
    EXPECT_EQ(free.BrushStyle, bsClear);

    TDrawInclosedShape rect(lkRectangle);
    rect.SetPenStyle(psClear);
    EXPECT_EQ(rect.PenStyle, psClear);
    rect.SetBrushStyle(bsDiagCross);
    EXPECT_EQ(rect.BrushStyle, bsDiagCross);

    TDrawFloodFill fill;
    fill.SetBrushStyle(bsClear);
    EXPECT_EQ(fill.BrushStyle, bsSolid);
    fill.SetBrushStyle(bsHorizontal);
    EXPECT_EQ(fill.BrushStyle, bsHorizontal);
    EXPECT_TRUE(fill.Modified);
}

TEST(LabelModel, SetDefaultsTakesTheToolBarOrTheBuiltInAttributes) {
    TToolBarAttribClass attribs;
    attribs.PenStyle = psClear;
    attribs.PenColor = 0x112233;
    attribs.PenWidth = 6;
    attribs.BrushColor = 0x445566;
    attribs.BrushStyle = bsBDiagonal;

    TDrawLine line;
    line.SetDefaults(&attribs);
    EXPECT_EQ(line.PenStyle, psSolid); // through the line's own setter
    EXPECT_EQ(line.PenColor, 0x112233u);
    EXPECT_EQ(line.PenWidth, 6);
    EXPECT_EQ(line.BrushColor, 0x445566u);
    EXPECT_EQ(line.BrushStyle, bsClear);
    EXPECT_TRUE(line.Modified);

    TDrawInclosedShape ellipse(lkEllipse);
    ellipse.SetDefaults(&attribs);
    EXPECT_EQ(ellipse.PenStyle, psClear);
    EXPECT_EQ(ellipse.BrushStyle, bsBDiagonal);

    ellipse.SetDefaults(nullptr);
    EXPECT_EQ(ellipse.PenStyle, psSolid);
    EXPECT_EQ(ellipse.PenColor, 0u);
    EXPECT_EQ(ellipse.PenWidth, 1);
    EXPECT_EQ(ellipse.BrushColor, 0xFF0000u);
    EXPECT_EQ(ellipse.BrushStyle, bsClear);

    TDrawFloodFill fill;
    fill.SetDefaults(&attribs);
    EXPECT_EQ(fill.FillColor, 0x445566u);
    EXPECT_EQ(fill.BrushStyle, bsBDiagonal);
    fill.SetDefaults(nullptr);
    EXPECT_EQ(fill.FillColor, 0xFF0000u);
    EXPECT_EQ(fill.BrushStyle, bsSolid); // clear is stored as solid
}

TEST(LabelModel, Descriptions) {
    EXPECT_EQ(MakeFill({12, -3})->GetDescription(), "Flood Fill: Location(12, -3)");
    EXPECT_EQ(MakeShape(lkRectangle, {1, 2}, {3, 4})->GetDescription(),
              "Rectangle: Top Left(1, 2) Bottom Right(3, 4)");
    EXPECT_EQ(MakeShape(lkEllipse, {5, 6}, {7, 8})->GetDescription(),
              "Ellipse: Top Left(5, 6) Bottom Right(7, 8)");
    EXPECT_EQ(MakeShape(lkRoundRect, {0, 0}, {9, 9})->GetDescription(),
              "Round Rectangle: Top Left(0, 0) Bottom Right(9, 9)");
    EXPECT_EQ(MakeShape(9, {0, 0}, {9, 9})->GetDescription(), ": Top Left(0, 0) Bottom Right(9, 9)");
    EXPECT_EQ(MakeFreeHand({{14, 15}, {20, 20}})->GetDescription(), "Free Hand: Origin Point(14, 15)");
    EXPECT_EQ(MakeLine({1, 2}, {-3, 40})->GetDescription(), "Line: Origin Point(1, 2) End Point(-3, 40)");
    EXPECT_EQ(MakeText({4, 5}, "a b")->GetDescription(), "Text: Origin Point(4, 5) \"a b\"");
}

TEST(LabelModel, CursorsFollowTheGrabbedHandle) {
    TDrawInclosedShape rect(lkRectangle);
    const std::pair<uint8_t, TCursor> table[] = {{ghNone, crDrag},
                                                 {ghLineStart, crSizeAll},
                                                 {ghLineEnd, crSizeAll},
                                                 {ghTopLeft, crSizeNWSE},
                                                 {ghBottomRight, crSizeNWSE},
                                                 {ghTopRight, crSizeNESW},
                                                 {ghBottomLeft, crSizeNESW},
                                                 {ghTop, crSizeNS},
                                                 {ghBottom, crSizeNS},
                                                 {ghLeft, crSizeWE},
                                                 {ghRight, crSizeWE},
                                                 {11, crDefault},
                                                 {255, crDefault}};
    for (auto [handle, cursor] : table) {
        rect.GrabbedHandle = handle;
        EXPECT_EQ(rect.GetCursor(), cursor) << int(handle);
    }
    EXPECT_EQ(TDrawFloodFill().GetCursor(), crDrag);
    EXPECT_EQ(TDrawText().GetCursor(), crDrag);
}

TEST(LabelModel, FreeHandTakesStoredBlocksOnlyWithMatchingCounts) {
    std::vector<TFreeHandBlock> blocks(2);
    for (int i = 0; i < 32; ++i)
        blocks[0].Points[size_t(i)] = {int16_t(i), int16_t(-i)};
    blocks[1].Points[0] = {100, 5};
    blocks[1].Points[1] = {-7, 300};
    const TFreeHandBounds bounds{-7, -31, 100, 300};

    TDrawFreeHand f;
    f.P1 = {1000, 1000};
    EXPECT_FALSE(f.AssignCurve(blocks, bounds, 35, 2));  // count off by one
    EXPECT_FALSE(f.AssignCurve(blocks, bounds, 32, 0));  // empty last block
    EXPECT_FALSE(f.AssignCurve(blocks, bounds, 97, 33)); // more than a block holds
    EXPECT_FALSE(f.AssignCurve({}, bounds, 1, 1));       // points without blocks
    EXPECT_FALSE(f.AssignCurve(std::vector<TFreeHandBlock>(502), bounds, 16033,
                               1)); // past the last block a curve fills
    EXPECT_EQ(f.PointCount, 0);
    EXPECT_EQ(f.BlockCount(), 1);
    EXPECT_FALSE(f.Modified);

    ASSERT_TRUE(f.AssignCurve(blocks, bounds, 34, 2));
    EXPECT_TRUE(f.Modified);
    EXPECT_EQ(f.BlockCount(), 2);
    EXPECT_EQ(f.Bounds, bounds);
    EXPECT_EQ(f.PointAt(31), (TPoint{1031, 969}));
    EXPECT_EQ(f.PointAt(33), (TPoint{993, 1300}));
    EXPECT_EQ(f.StoredPointCount(), 34);

    // No blocks and no points: a curve without points, ready to be drawn again.
    ASSERT_TRUE(f.AssignCurve({}, bounds, 0, 0));
    EXPECT_EQ(f.StoredPointCount(), 0);
    EXPECT_EQ(f.BlockCount(), 1);
    EXPECT_TRUE(f.AddPoint(1001, 1001));
}
