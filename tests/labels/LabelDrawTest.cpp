#include "LabelTestSupport.h"

#include <gtest/gtest.h>

using namespace labeltest;

namespace {
constexpr TColor kBg = 0xF0F0F0;
constexpr TColor kPen = 0x0000C0;
constexpr TColor kBrush = 0xC08040;
} // namespace

TEST(LabelDraw, EnclosedShapes) {
    TScene s(80, 60, pf24bit, kBg);
    auto rect = MakeShape(lkRectangle, {20, 20}, {10, 10}, kPen); // drawn with its corners ordered
    rect->HandlesShown = true;
    rect->Draw(s.B(), s.Attribs);
    EXPECT_FALSE(rect->HandlesShown);
    EXPECT_EQ(s.Pixel(10, 10), kPen);
    EXPECT_EQ(s.Pixel(19, 19), kPen);
    EXPECT_EQ(s.Pixel(19, 15), kPen);
    EXPECT_EQ(s.Pixel(20, 15), kBg);
    EXPECT_EQ(s.Pixel(20, 20), kBg);
    EXPECT_EQ(s.Pixel(15, 15), kBg); // clear brush
    EXPECT_EQ(CountColor(s.B(), kPen), 36);

    TScene solid(80, 60, pf24bit, kBg);
    MakeShape(lkRectangle, {10, 10}, {20, 20}, kPen, 1, bsSolid, kBrush)->Draw(solid.B(), solid.Attribs);
    EXPECT_EQ(solid.Pixel(15, 15), kBrush);
    EXPECT_EQ(CountColor(solid.B(), kBrush), 64);

    // Round rectangle: corner sizes of half the width and height round the corners.
    TScene round(80, 60, pf24bit, kBg);
    MakeShape(lkRoundRect, {10, 10}, {50, 40}, kPen)->Draw(round.B(), round.Attribs);
    EXPECT_EQ(round.Pixel(10, 10), kBg);
    EXPECT_EQ(round.Pixel(11, 11), kBg);
    EXPECT_EQ(round.Pixel(30, 10), kPen);
    EXPECT_EQ(round.Pixel(10, 25), kPen);

    TScene ellipse(80, 60, pf24bit, kBg);
    MakeShape(lkEllipse, {10, 10}, {50, 40}, kPen)->Draw(ellipse.B(), ellipse.Attribs);
    EXPECT_EQ(ellipse.Pixel(10, 10), kBg);
    EXPECT_EQ(ellipse.Pixel(30, 25), kBg);
    EXPECT_GT(CountColor(ellipse.B(), kPen, TRect(26, 10, 35, 11)), 0);
    EXPECT_EQ(CountColor(ellipse.B(), kPen, TRect(0, 40, 80, 60)), 0);

    // A round rectangle one pixel wide has no corner width: it draws as the rectangle.
    TScene thinRound(80, 60, pf24bit, kBg), thinRect(80, 60, pf24bit, kBg);
    MakeShape(lkRoundRect, {10, 10}, {11, 40}, kPen)->Draw(thinRound.B(), thinRound.Attribs);
    MakeShape(lkRectangle, {10, 10}, {11, 40}, kPen)->Draw(thinRect.B(), thinRect.Attribs);
    EXPECT_EQ(Snapshot(thinRound.B()), Snapshot(thinRect.B()));

    // An unknown shape kind draws nothing.
    TScene unknown(80, 60, pf24bit, kBg);
    const auto blank = Snapshot(unknown.B());
    MakeShape(9, {10, 10}, {50, 40}, kPen)->Draw(unknown.B(), unknown.Attribs);
    EXPECT_EQ(Snapshot(unknown.B()), blank);
}

TEST(LabelDraw, ShapesNeverVanishAndStyleBytesAreMapped) {
    // A clear pen with a clear brush still shows the outline.
    TScene s(80, 60, pf24bit, kBg);
    auto ghost = MakeShape(lkRectangle, {10, 10}, {30, 30}, kPen);
    ghost->PenStyle = psClear;
    ghost->Draw(s.B(), s.Attribs);
    EXPECT_EQ(CountColor(s.B(), kPen), 76);

    // A clear pen with a solid brush shows only the fill.
    TScene f(80, 60, pf24bit, kBg);
    auto filled = MakeShape(lkRectangle, {10, 10}, {30, 30}, kPen, 1, bsSolid, kBrush);
    filled->PenStyle = psClear;
    filled->Draw(f.B(), f.Attribs);
    EXPECT_EQ(CountColor(f.B(), kPen), 0);
    EXPECT_GT(CountColor(f.B(), kBrush), 300);

    // Style bytes from outside the enumerations draw as a solid pen and a clear brush.
    TScene odd(80, 60, pf24bit, kBg), plain(80, 60, pf24bit, kBg);
    auto oddShape = MakeShape(lkEllipse, {10, 10}, {60, 50}, kPen, 2, 99, kBrush);
    oddShape->PenStyle = 200;
    oddShape->Draw(odd.B(), odd.Attribs);
    MakeShape(lkEllipse, {10, 10}, {60, 50}, kPen, 2, bsClear, kBrush)->Draw(plain.B(), plain.Attribs);
    EXPECT_EQ(Snapshot(odd.B()), Snapshot(plain.B()));
    EXPECT_EQ(oddShape->PenStyle, 200); // stored as given

    TScene oddLine(80, 60, pf24bit, kBg), plainLine(80, 60, pf24bit, kBg);
    auto l = MakeLine({5, 5}, {70, 50}, kPen);
    l->PenStyle = 77;
    l->BrushStyle = 250;
    l->Draw(oddLine.B(), oddLine.Attribs);
    MakeLine({5, 5}, {70, 50}, kPen)->Draw(plainLine.B(), plainLine.Attribs);
    EXPECT_EQ(Snapshot(oddLine.B()), Snapshot(plainLine.B()));
}

TEST(LabelDraw, PenWidthsAreLimitedWhenDrawnNotStored) {
    TScene wide(300, 300, pf24bit, kBg), limit(300, 300, pf24bit, kBg);
    auto huge = MakeLine({20, 150}, {280, 150}, kPen, 1000000);
    huge->Draw(wide.B(), wide.Attribs);
    MakeLine({20, 150}, {280, 150}, kPen, 100)->Draw(limit.B(), limit.Attribs);
    EXPECT_EQ(Snapshot(wide.B()), Snapshot(limit.B()));
    EXPECT_EQ(huge->PenWidth, 1000000);
    EXPECT_EQ(wide.Pixel(150, 20), kBg);

    TScene negative(60, 60, pf24bit, kBg), one(60, 60, pf24bit, kBg);
    MakeLine({5, 5}, {50, 30}, kPen, -5)->Draw(negative.B(), negative.Attribs);
    MakeLine({5, 5}, {50, 30}, kPen, 1)->Draw(one.B(), one.Attribs);
    EXPECT_EQ(Snapshot(negative.B()), Snapshot(one.B()));
}

TEST(LabelDraw, LinesAndDashGaps) {
    TScene s(60, 30, pf24bit, kBg);
    MakeLine({10, 10}, {30, 10}, kPen)->Draw(s.B(), s.Attribs);
    EXPECT_EQ(s.Pixel(10, 10), kPen);
    EXPECT_EQ(s.Pixel(29, 10), kPen);
    EXPECT_EQ(s.Pixel(30, 10), kBg); // the end pixel is left out
    EXPECT_EQ(CountColor(s.B(), kPen), 20);

    // A dashed line with a solid brush fills its gaps with the brush colour.
    TScene opaque(120, 20, pf24bit, kBg), clear(120, 20, pf24bit, kBg);
    auto dashed = MakeLine({0, 10}, {110, 10}, kPen);
    dashed->SetPenStyle(psDash);
    dashed->SetBrushStyle(bsSolid);
    dashed->BrushColor = kBrush;
    dashed->Draw(opaque.B(), opaque.Attribs);
    EXPECT_GT(CountColor(opaque.B(), kBrush), 0);
    EXPECT_EQ(CountColor(opaque.B(), kBg, TRect(0, 10, 110, 11)), 0);
    dashed->SetBrushStyle(bsClear);
    dashed->Draw(clear.B(), clear.Attribs);
    EXPECT_EQ(CountColor(clear.B(), kBrush), 0);
    EXPECT_GT(CountColor(clear.B(), kBg, TRect(0, 10, 110, 11)), 0);
}

TEST(LabelDraw, FreeHandBlocksAndBatchedDrawing) {
    std::vector<TPoint> pts;
    for (int i = 0; i < 200; ++i)
        pts.push_back({10 + i, 30 + ((i / 5) % 2 == 0 ? i % 5 : 5 - i % 5) * 7});
    auto free = MakeFreeHand(pts, kPen);
    EXPECT_EQ(free->PointCount, 200);
    EXPECT_EQ(free->BlockCount(), 7);
    EXPECT_EQ(free->LastBlockCount, 8);
    EXPECT_EQ(free->P1, pts.front());
    EXPECT_EQ(free->P2, pts.back());
    EXPECT_EQ(free->Bounds, (TFreeHandBounds{0, 0, 199, 35}));
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(free->PointAt(i), pts[size_t(i)]);

    for (int width : {1, 3}) {
        free->PenWidth = width;
        TScene batched(240, 90, pf24bit, kBg), single(240, 90, pf24bit, kBg);
        free->Draw(batched.B(), batched.Attribs);
        TCanvas& c = single.B().Canvas();
        c.Pen = TPen{kPen, width, psSolid, pmCopy};
        c.Brush = TBrush{kBrush, bsClear};
        c.Polyline(pts);
        EXPECT_EQ(Snapshot(batched.B()), Snapshot(single.B())) << "pen width " << width;
        EXPECT_GT(CountColor(batched.B(), kPen), 200);
    }

    // The edit copies draw a moved curve: the same picture shifted.
    free->PenWidth = 1;
    TScene moved(240, 90, pf24bit, kBg), reference(240, 90, pf24bit, kBg);
    free->DrawShape({12, 33}, {0, 0}, smFinal, moved.B(), moved.Attribs);
    std::vector<TPoint> shifted;
    for (auto p : pts)
        shifted.push_back({p.X + 2, p.Y + 3});
    TCanvas& c = reference.B().Canvas();
    c.Pen = TPen{kPen, 1, psSolid, pmCopy};
    c.Polyline(shifted);
    EXPECT_EQ(Snapshot(moved.B()), Snapshot(reference.B()));

    // One point: a line from the first to the second point given; none: nothing.
    auto dot = MakeFreeHand({{10, 10}}, kPen);
    TScene one(60, 30, pf24bit, kBg);
    dot->DrawShape({10, 10}, {30, 10}, smFinal, one.B(), one.Attribs);
    EXPECT_EQ(CountColor(one.B(), kPen), 20);
    TDrawFreeHand none;
    TScene empty(60, 30, pf24bit, kBg);
    const auto blank = Snapshot(empty.B());
    none.DrawShape({10, 10}, {30, 10}, smFinal, empty.B(), empty.Attribs);
    EXPECT_EQ(Snapshot(empty.B()), blank);
}

TEST(LabelDraw, FreeHandPointLimits) {
    // Offsets from P1 are kept in 16 bits: a point that does not fit is dropped, not wrapped.
    TDrawFreeHand f;
    f.BeginCurve(0, 0);
    EXPECT_FALSE(f.AddPoint(40000, 0));
    EXPECT_FALSE(f.AddPoint(0, -32769));
    EXPECT_EQ(f.PointCount, 1);
    EXPECT_EQ(f.P2, (TPoint{0, 0}));
    EXPECT_TRUE(f.AddPoint(32767, -32768));
    EXPECT_EQ(f.PointAt(1), (TPoint{32767, -32768}));
    EXPECT_EQ(f.Bounds, (TFreeHandBounds{0, -32768, 32767, 0}));

    // At most 16001 points; the 16002nd is refused. A repeated point is never stored.
    TDrawFreeHand big;
    big.BeginCurve(0, 0);
    EXPECT_FALSE(big.AddPoint(0, 0));
    for (int i = 1; i < 16001; ++i)
        ASSERT_TRUE(big.AddPoint(i % 200, i / 200)) << i;
    EXPECT_EQ(big.PointCount, 16001);
    EXPECT_FALSE(big.AddPoint(5, 150));
    EXPECT_EQ(big.PointCount, 16001);
    EXPECT_EQ(big.BlockCount(), 501);
    EXPECT_EQ(big.LastBlockCount, 1);
    EXPECT_EQ(big.P2, (TPoint{16000 % 200, 16000 / 200}));
}

TEST(LabelDraw, Texts) {
    TScene s(160, 60, pf24bit, kBg);
    auto t = MakeText({10, 10}, "Quorix 42");
    // The extent is what the canvas measures for the same font.
    TCanvas& c = s.B().Canvas();
    c.Font = t->Font;
    const TSize extent = c.TextExtent("Quorix 42");
    EXPECT_EQ(t->P2, (TPoint{10 + extent.cx, 10 + extent.cy}));
    EXPECT_EQ(TDrawText::CalcTextExtent({-5, 7}, "Quorix 42", t->Font),
              (TPoint{-5 + extent.cx, 7 + extent.cy}));

    const auto blank = Snapshot(s.B());
    t->DrawShape(t->P1, t->P2, smErase, s.B(), s.Attribs); // texts are never erased
    EXPECT_EQ(Snapshot(s.B()), blank);

    auto before = CopyOf(s.B());
    t->Draw(s.B(), s.Attribs);
    const auto changed = ChangedPixels(*before, s.B());
    EXPECT_GT(changed.size(), 20u);
    for (auto p : changed) {
        ASSERT_TRUE(p.X >= t->P1.X && p.X < t->P2.X && p.Y >= t->P1.Y && p.Y < t->P2.Y) << p.X << "," << p.Y;
        ASSERT_EQ(s.Pixel(p.X, p.Y), 0x000080u);
    }

    // The edit outline is a dotted frame around the box.
    auto plain = CopyOf(s.B());
    t->EditP1 = t->P1;
    t->EditP2 = t->P2;
    t->DrawEditOutline(s.B(), s.Attribs);
    const auto frame = ChangedPixels(*plain, s.B());
    EXPECT_GT(frame.size(), 10u);
    for (auto p : frame)
        ASSERT_TRUE(p.X == t->P1.X || p.X == t->P2.X - 1 || p.Y == t->P1.Y || p.Y == t->P2.Y - 1);
    const int w = t->P2.X - t->P1.X, h = t->P2.Y - t->P1.Y;
    EXPECT_LT(frame.size(), size_t(2 * (w + h) - 4) * 3 / 4); // dotted, not solid
    t->DrawEditOutline(s.B(), s.Attribs);
    EXPECT_EQ(Snapshot(s.B()), Snapshot(*plain));

    // An empty text has no extent and draws nothing.
    TScene e(60, 30, pf24bit, kBg);
    auto empty = MakeText({10, 10}, "");
    EXPECT_EQ(empty->P2, empty->P1);
    const auto eb = Snapshot(e.B());
    empty->Draw(e.B(), e.Attribs);
    EXPECT_EQ(Snapshot(e.B()), eb);

    // SetText without a font keeps and measures with the label's own font.
    TFontRecord big = t->Font;
    big.Size = 20;
    t->SetText({0, 0}, "Quorix 42", &big);
    const TPoint bigExtent = t->P2;
    t->SetText({0, 0}, "Quorix 42", nullptr);
    EXPECT_EQ(t->Font.Size, 20);
    EXPECT_EQ(t->P2, bigExtent);
    EXPECT_GT(bigExtent.Y, extent.cy);

    // Font sizes from files are kept as they are and limited only for drawing.
    TFontRecord giant = t->Font;
    giant.Size = 1000000;
    t->SetText({5, 5}, "Q", &giant);
    EXPECT_EQ(t->Font.Size, 1000000);
    EXPECT_GT(t->P2.Y, 5);
    TScene g(80, 60, pf24bit, kBg);
    t->Draw(g.B(), g.Attribs);
    giant.Size = -40;
    t->SetText({5, 5}, "Q", &giant);
    EXPECT_EQ(t->Font.Size, -40);
    t->Draw(g.B(), g.Attribs);
}

TEST(LabelDraw, FloodFillsStopAtTheBordersOfOtherLabels) {
    for (TPixelFormat depth : AllDepths) {
        SCOPED_TRACE(DepthName(depth));
        TScene s(120, 90, depth, kBg);
        MakeShape(lkRectangle, {10, 10}, {50, 40}, kPen)->Draw(s.B(), s.Attribs);
        MakeShape(lkEllipse, {60, 10}, {110, 60}, kPen)->Draw(s.B(), s.Attribs);
        // A closed diamond drawn free hand: its diagonal steps must not let the fill out.
        MakeFreeHand({{30, 50}, {45, 65}, {30, 80}, {15, 65}, {30, 50}}, kPen)->Draw(s.B(), s.Attribs);
        const TColor bg = s.Pixel(0, 0);
        const TColor pen = s.Pixel(10, 10);
        auto before = CopyOf(s.B());

        auto inRect = MakeFill({30, 25}, 0x00C000);
        inRect->Draw(s.B(), s.Attribs);
        const TColor green = s.Pixel(30, 25);
        EXPECT_NE(green, bg);
        EXPECT_EQ(CountColor(s.B(), green, TRect(11, 11, 49, 39)), 38 * 28);
        for (auto p : ChangedPixels(*before, s.B()))
            ASSERT_TRUE(p.X > 10 && p.X < 49 && p.Y > 10 && p.Y < 39);
        EXPECT_EQ(s.Pixel(10, 25), pen);

        auto afterRect = CopyOf(s.B());
        MakeFill({85, 35}, 0x0000C0)->Draw(s.B(), s.Attribs);
        const auto inEllipse = ChangedPixels(*afterRect, s.B());
        EXPECT_GT(inEllipse.size(), 1000u);
        for (auto p : inEllipse)
            ASSERT_TRUE(p.X > 60 && p.X < 109 && p.Y > 10 && p.Y < 59);

        auto afterEllipse = CopyOf(s.B());
        MakeFill({30, 65}, 0xC000C0)->Draw(s.B(), s.Attribs);
        const auto inDiamond = ChangedPixels(*afterEllipse, s.B());
        EXPECT_GT(inDiamond.size(), 150u);
        for (auto p : inDiamond)
            ASSERT_TRUE(p.X > 15 && p.X < 45 && p.Y > 50 && p.Y < 80);

        // Outside every shape the fill takes the whole background, and nothing else.
        auto afterDiamond = CopyOf(s.B());
        MakeFill({115, 85}, 0x00C0C0)->Draw(s.B(), s.Attribs);
        for (auto p : ChangedPixels(*afterDiamond, s.B()))
            ASSERT_EQ(afterDiamond->Pixel(p.X, p.Y), bg);
        EXPECT_EQ(CountColor(s.B(), bg), 0);
    }
}

TEST(LabelDraw, FloodFillStyles) {
    TScene s(60, 40, pf24bit, kBg);
    auto fill = MakeFill({5, 5}, 0x00C000, bsClear); // a clear fill paints solid
    fill->Draw(s.B(), s.Attribs);
    EXPECT_EQ(CountColor(s.B(), 0x00C000), 60 * 40);

    TScene odd(60, 40, pf24bit, kBg);
    MakeFill({5, 5}, 0x00C000, 123)->Draw(odd.B(), odd.Attribs);
    EXPECT_EQ(CountColor(odd.B(), 0x00C000), 60 * 40);

    TScene hatch(60, 40, pf24bit, kBg);
    MakeFill({5, 5}, 0x00C000, bsHorizontal)->Draw(hatch.B(), hatch.Attribs);
    const int painted = CountColor(hatch.B(), 0x00C000);
    EXPECT_GT(painted, 0);
    EXPECT_EQ(painted + CountColor(hatch.B(), kBg), 60 * 40);
    EXPECT_LT(painted, 60 * 40 / 2);

    // Off the bitmap nothing happens; on a pixel that already has the colour neither.
    TScene off(60, 40, pf24bit, kBg);
    const auto blank = Snapshot(off.B());
    auto outside = MakeFill({60, 5}, 0x00C000);
    outside->HandlesShown = true;
    outside->Draw(off.B(), off.Attribs);
    EXPECT_FALSE(outside->HandlesShown);
    EXPECT_EQ(Snapshot(off.B()), blank);
    MakeFill({5, 5}, kBg)->Draw(off.B(), off.Attribs);
    EXPECT_EQ(Snapshot(off.B()), blank);
}

TEST(LabelDraw, FloodFillLocationMark) {
    TScene s(60, 40, pf24bit, kBg);
    auto fill = MakeFill({30, 20});
    const auto blank = Snapshot(s.B());
    fill->DrawLocationMark(s.B(), s.Attribs);
    EXPECT_NE(Snapshot(s.B()), blank);
    // The diagonal cross runs through the corners, not along the axes.
    EXPECT_NE(s.Pixel(26, 16), kBg);
    EXPECT_NE(s.Pixel(34, 16), kBg);
    EXPECT_EQ(s.Pixel(30, 15), kBg);
    EXPECT_EQ(s.Pixel(24, 20), kBg);
    fill->DrawLocationMark(s.B(), s.Attribs);
    EXPECT_EQ(Snapshot(s.B()), blank);

    // While the selection cross shows, the location mark stays away.
    fill->ToggleSelectionHandles(s.B(), s.Attribs);
    EXPECT_TRUE(fill->HandlesShown);
    EXPECT_NE(s.Pixel(24, 20), kBg); // the upright cross
    const auto selected = Snapshot(s.B());
    fill->DrawLocationMark(s.B(), s.Attribs);
    EXPECT_EQ(Snapshot(s.B()), selected);
}
