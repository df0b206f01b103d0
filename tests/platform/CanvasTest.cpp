#include "platform/Canvas.h"
#include "platform/Bitmap.h"

#include "common/BitmapTestSupport.h"

#include <QFont>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <set>
#include <vector>

using namespace bitmaptest;

namespace {

// A background where every pixel differs from its neighbours, so that a figure drawn in
// not-xor mode changes real values and a restore is a real test.
void fillVaried(TBitmap& b) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            b.SetPixel(x, y, RGBColor(x * 37 + y, y * 53 + x * 7, (x ^ y) * 29));
}

// A colour as a bitmap of that depth stores it.
TColor stored(TPixelFormat depth, TColor c) {
    return TPixelCodec(depth).Decode(TPixelCodec(depth).Encode(c));
}

} // namespace

TEST(Canvas, RectangleCoversLeftTopToRightBottomExclusive) {
    for (TPixelFormat depth : AllDepths) {
        SCOPED_TRACE(int(depth));
        TBitmap b(30, 30, depth), blank(30, 30, depth);
        TCanvas& c = b.Canvas();
        c.Pen.Color = clBlack;
        c.Brush.Color = clRed;
        c.Rectangle(10, 10, 20, 20);
        for (TPoint p : ChangedPixels(b, blank)) {
            EXPECT_TRUE(p.X >= 10 && p.X <= 19 && p.Y >= 10 && p.Y <= 19) << p.X << "," << p.Y;
        }
        EXPECT_EQ(b.Pixel(10, 10), stored(depth, clBlack));
        EXPECT_EQ(b.Pixel(19, 19), stored(depth, clBlack));
        EXPECT_EQ(b.Pixel(19, 14), stored(depth, clBlack));
        EXPECT_EQ(b.Pixel(15, 15), stored(depth, clRed));
        EXPECT_EQ(b.Pixel(20, 20), stored(depth, clWhite));
        EXPECT_EQ(ChangedPixels(b, blank).size(), 100u);

        // Corners in reverse order draw the same box; ellipses and round rectangles stay
        // inside the same bounds.
        TBitmap e(30, 30, depth);
        e.Canvas().Brush.Color = clRed;
        e.Canvas().Rectangle(20, 20, 10, 10);
        EXPECT_EQ(Snapshot(e), Snapshot(b));
        TBitmap f(30, 30, depth);
        f.Canvas().Brush.Color = clBlue;
        f.Canvas().Ellipse(10, 10, 20, 20);
        f.Canvas().RoundRect(10, 10, 20, 20, -6, -6);
        for (TPoint p : ChangedPixels(f, blank))
            EXPECT_TRUE(p.X >= 10 && p.X <= 19 && p.Y >= 10 && p.Y <= 19);
        EXPECT_EQ(f.Pixel(15, 15), stored(depth, clBlue));

        // FillRect takes the brush alone over the same pixels.
        TBitmap g(30, 30, depth);
        g.Canvas().Brush.Color = clLime;
        g.Canvas().FillRect(Rect(10, 10, 20, 20));
        EXPECT_EQ(ChangedPixels(g, blank).size(), 100u);
        EXPECT_EQ(g.Pixel(19, 19), stored(depth, clLime));
    }
}

TEST(Canvas, ThinLinesLeaveOutTheirEndPixel) {
    TBitmap b(40, 40);
    TCanvas& c = b.Canvas();
    c.MoveTo(2, 5);
    c.LineTo(12, 5);
    EXPECT_EQ(b.Pixel(2, 5), clBlack);
    EXPECT_EQ(b.Pixel(11, 5), clBlack);
    EXPECT_EQ(b.Pixel(12, 5), clWhite);
    EXPECT_EQ(c.PenPos, Point(12, 5));
    c.LineTo(12, 15); // continues from the pen position, vertical
    EXPECT_EQ(b.Pixel(12, 5), clBlack);
    EXPECT_EQ(b.Pixel(12, 14), clBlack);
    EXPECT_EQ(b.Pixel(12, 15), clWhite);
    c.MoveTo(30, 30);
    c.LineTo(20, 20); // diagonal, drawn backwards
    EXPECT_EQ(b.Pixel(30, 30), clBlack);
    EXPECT_EQ(b.Pixel(21, 21), clBlack);
    EXPECT_EQ(b.Pixel(20, 20), clWhite);

    // A line to its own start leaves nothing with a 1-pixel pen, a dot with a wide one.
    TBitmap blank(40, 40), dot(40, 40);
    dot.Canvas().MoveTo(5, 5);
    dot.Canvas().LineTo(5, 5);
    EXPECT_TRUE(ChangedPixels(dot, blank).empty());
    dot.Canvas().Pen.Width = 3;
    dot.Canvas().LineTo(5, 5);
    EXPECT_EQ(dot.Pixel(5, 5), clBlack);
    EXPECT_EQ(dot.Pixel(4, 5), clBlack);
    EXPECT_EQ(dot.Pixel(6, 6), clBlack);
    EXPECT_EQ(dot.Pixel(8, 5), clWhite);

    // A polyline draws every joint once and leaves out only its last point.
    TBitmap poly(40, 40);
    TPoint pts[] = {{1, 1}, {10, 1}, {10, 10}, {1, 10}};
    poly.Canvas().Polyline(pts, 4);
    EXPECT_EQ(poly.Pixel(10, 1), clBlack);
    EXPECT_EQ(poly.Pixel(10, 10), clBlack);
    EXPECT_EQ(poly.Pixel(2, 10), clBlack);
    EXPECT_EQ(poly.Pixel(1, 10), clWhite);
    EXPECT_EQ(ChangedPixels(poly, blank).size(), 27u);

    // End points far outside the bitmap cost nothing and still hit the right pixels.
    TBitmap far(40, 40);
    far.Canvas().MoveTo(-2000000000, 20);
    far.Canvas().LineTo(2000000000, 20);
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(far.Pixel(x, 20), clBlack);
    EXPECT_EQ(ChangedPixels(far, blank).size(), 40u);
}

TEST(Canvas, WidePensAreCentredOnTheLine) {
    TBitmap b(40, 40), blank(40, 40);
    b.Canvas().Pen.Width = 3;
    b.Canvas().MoveTo(10, 20);
    b.Canvas().LineTo(30, 20);
    for (int x = 10; x <= 30; ++x) {
        EXPECT_EQ(b.Pixel(x, 19), clBlack) << x;
        EXPECT_EQ(b.Pixel(x, 20), clBlack) << x;
        EXPECT_EQ(b.Pixel(x, 21), clBlack) << x;
    }
    EXPECT_EQ(b.Pixel(20, 18), clWhite);
    EXPECT_EQ(b.Pixel(20, 22), clWhite);
}

TEST(Canvas, DashedLinesFollowTheDevicePatterns) {
    TBitmap b(60, 10);
    TCanvas& c = b.Canvas();
    c.Pen.Style = psDot;
    c.Brush.Style = bsClear;
    c.MoveTo(0, 1);
    c.LineTo(60, 1);
    std::string dots;
    for (int x = 0; x < 12; ++x)
        dots += b.Pixel(x, 1) == clBlack ? '#' : '.';
    EXPECT_EQ(dots, "###...###...");
    c.Pen.Style = psDash;
    c.MoveTo(0, 3);
    c.LineTo(60, 3);
    EXPECT_EQ(b.Pixel(17, 3), clBlack);
    EXPECT_EQ(b.Pixel(18, 3), clWhite);
    EXPECT_EQ(b.Pixel(24, 3), clBlack);
    // With a solid brush the gaps take the brush colour.
    c.Brush.Style = bsSolid;
    c.Brush.Color = clRed;
    c.Pen.Style = psDashDot;
    c.MoveTo(0, 5);
    c.LineTo(60, 5);
    std::string dashDot;
    for (int x = 0; x < 24; ++x)
        dashDot += b.Pixel(x, 5) == clBlack ? '#' : b.Pixel(x, 5) == clRed ? 'r' : '.';
    EXPECT_EQ(dashDot, "#########rrrrrr###rrrrrr");
    // Wider pens draw solid whatever the style.
    c.Pen.Width = 2;
    c.Pen.Style = psDot;
    c.MoveTo(0, 8);
    c.LineTo(40, 8);
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(b.Pixel(x, 8), clBlack) << x;
}

TEST(Canvas, NotXorTwiceRestoresEveryDepth) {
    for (TPixelFormat depth : AllDepths) {
        SCOPED_TRACE(int(depth));
        TBitmap b(80, 60, depth);
        fillVaried(b);
        const std::vector<uint8_t> before = Snapshot(b);
        TCanvas& c = b.Canvas();
        c.Font.Size = 10;
        c.Font.Color = clNavy;
        auto drawAll = [&] {
            c.Pen.Mode = pmNotXor;
            c.Pen.Color = clGreen;
            c.Pen.Width = 1;
            c.Pen.Style = psSolid;
            c.Brush.Style = bsClear;
            c.MoveTo(3, 3);
            c.LineTo(70, 41);
            c.Rectangle(5, 5, 40, 30);
            c.Ellipse(10, 12, 60, 50);
            c.RoundRect(20, 8, 75, 55, 12, 10);
            TPoint pts[] = {{0, 59}, {20, 10}, {40, 59}, {60, 0}, {79, 30}};
            c.Polyline(pts, 5);
            c.Brush.Style = bsSolid;
            c.Brush.Color = clYellow;
            c.Rectangle(30, 30, 50, 45);
            c.Brush.Style = bsDiagCross;
            c.Ellipse(2, 30, 30, 58);
            c.Pen.Style = psDash;
            c.Brush.Style = bsClear;
            c.Rectangle(1, 1, 79, 59);
            c.Brush.Style = bsSolid; // gaps in the brush colour
            c.Ellipse(44, 4, 78, 30);
            c.MoveTo(0, 20);
            c.LineTo(79, 25);
            c.Pen.Style = psSolid;
            c.Pen.Width = 4;
            c.MoveTo(5, 55);
            c.LineTo(75, 5);
            c.Ellipse(40, 20, 70, 50);
            c.Brush.Style = bsClear;
            c.TextOut(4, 36, "Wg+X");
            c.Brush.Style = bsSolid;
            c.TextOut(40, 2, "Hi");
        };
        drawAll();
        EXPECT_NE(Snapshot(b), before);
        drawAll();
        EXPECT_EQ(Snapshot(b), before);
    }
}

TEST(Canvas, NotXorOutlineStrikesEachPixelOnce) {
    // A rubber band on one colour shows its whole outline: no pixel of the figure is
    // inverted twice within one drawing.
    for (int kind = 0; kind < 3; ++kind) {
        TBitmap copy(60, 60), xored(60, 60), blank(60, 60);
        for (TBitmap* b : {&copy, &xored}) {
            TCanvas& c = b->Canvas();
            c.Brush.Style = bsClear;
            c.Pen.Mode = b == &xored ? pmNotXor : pmCopy;
            c.Pen.Color = clBlack; // ~(black ^ white) is black
            if (kind == 0)
                c.Ellipse(3, 5, 57, 41);
            else if (kind == 1)
                c.RoundRect(3, 5, 57, 41, 20, 14);
            else
                c.Rectangle(3, 5, 57, 41);
        }
        EXPECT_EQ(Snapshot(xored), Snapshot(copy)) << kind;
        EXPECT_FALSE(ChangedPixels(copy, blank).empty());
    }
}

TEST(Canvas, PaletteDepthsStorePaletteColoursOnly) {
    const TColor odd[] = {clSkyBlue, clMoneyGreen, RGBColor(200, 30, 77), clCream, RGBColor(1, 2, 3)};
    for (TPixelFormat depth : {pf4bit, pf8bit}) {
        TBitmap b(40, 20, depth);
        TCanvas& c = b.Canvas();
        std::set<TColor> palette;
        if (depth == pf4bit)
            palette.insert(Palette16().begin(), Palette16().end());
        else
            palette.insert(Palette256().begin(), Palette256().end());
        int x = 0;
        for (TColor col : odd) {
            c.Pen.Color = col;
            c.MoveTo(x, 0);
            c.LineTo(x, 10);
            c.Brush.Color = col;
            c.FillRect(Rect(x + 1, 0, x + 3, 10));
            b.SetPixel(x + 3, 15, col);
            c.Font.Color = col;
            c.Brush.Style = bsClear;
            c.TextOut(x, 12, "I");
            c.Brush.Style = bsSolid;
            x += 6;
        }
        for (int yy = 0; yy < 20; ++yy)
            for (int xx = 0; xx < 40; ++xx)
                EXPECT_TRUE(palette.count(b.Pixel(xx, yy))) << xx << "," << yy;
        // The nearest entry is taken: a colour of the palette stays itself.
        c.Brush.Color = clTeal;
        c.FillRect(Rect(0, 0, 2, 2));
        EXPECT_EQ(b.Pixel(1, 1), clTeal);
    }
    EXPECT_EQ(Palette256()[NearestPaletteIndex256(RGBColor(0x33, 0x66, 0x99))], RGBColor(0x33, 0x66, 0x99));
    EXPECT_EQ(Palette16()[NearestPaletteIndex16(RGBColor(250, 5, 5))], clRed);
}

TEST(Canvas, FifteenAndSixteenBitPixelsReadWithLowBitsZero) {
    TBitmap b15(4, 4, pf15bit), b16(4, 4, pf16bit);
    const TColor c = RGBColor(0xFF, 0xFF, 0xFF);
    b15.Canvas().Brush.Color = c;
    b15.Canvas().FillRect(Rect(0, 0, 4, 4));
    b16.SetPixel(1, 1, RGBColor(0x0F, 0x0F, 0x0F));
    EXPECT_EQ(b15.Pixel(2, 2), RGBColor(0xF8, 0xF8, 0xF8));
    EXPECT_EQ(b16.Pixel(1, 1), RGBColor(0x08, 0x0C, 0x08));
    EXPECT_EQ(b16.Pixel(0, 0), RGBColor(0xF8, 0xFC, 0xF8)); // white as stored
    // Drawn and written colours agree, so a flood fill finds what a line drew.
    b16.Canvas().Pen.Color = RGBColor(0x13, 0x57, 0x9B);
    b16.Canvas().MoveTo(0, 3);
    b16.Canvas().LineTo(4, 3);
    EXPECT_EQ(b16.Pixel(2, 3), RGBColor(0x10, 0x54, 0x98));
}

TEST(Canvas, FloodFillStaysInsideClosedShapes) {
    TBitmap b(60, 60), blank(60, 60);
    TCanvas& c = b.Canvas();
    c.Brush.Style = bsClear;
    c.Ellipse(10, 10, 50, 50);
    TBitmap ring(60, 60);
    ring.Assign(b);
    c.Brush.Style = bsSolid;
    c.Brush.Color = clBlue;
    EXPECT_TRUE(c.FloodFill(30, 30, clWhite, fsSurface));
    EXPECT_EQ(b.Pixel(30, 30), clBlue);
    EXPECT_EQ(b.Pixel(12, 30), clBlue);
    EXPECT_EQ(b.Pixel(5, 5), clWhite);
    EXPECT_EQ(b.Pixel(55, 30), clWhite);
    for (TPoint p : ChangedPixels(b, ring))
        EXPECT_TRUE(p.X > 10 && p.X < 49 && p.Y > 10 && p.Y < 49);

    // A diagonal gap does not let the fill through (4-connected).
    TBitmap d(20, 20);
    TCanvas& dc = d.Canvas();
    for (int i = 0; i < 20; ++i)
        d.SetPixel(i, 19 - i, clBlack);
    dc.Brush.Color = clRed;
    EXPECT_TRUE(dc.FloodFill(0, 0, clWhite, fsSurface));
    EXPECT_EQ(d.Pixel(18, 0), clRed);
    EXPECT_EQ(d.Pixel(19, 19), clWhite);
    EXPECT_EQ(d.Pixel(1, 19), clWhite);

    // Border kind: everything up to the border colour, whatever lies inside.
    TBitmap e(30, 30);
    TCanvas& ec = e.Canvas();
    ec.Brush.Style = bsClear;
    ec.Pen.Color = clMaroon;
    ec.Rectangle(5, 5, 25, 25);
    e.SetPixel(15, 15, clGreen);
    ec.Brush.Style = bsSolid;
    ec.Brush.Color = clGreen; // the same colour as a pixel inside must not stop it
    EXPECT_TRUE(ec.FloodFill(10, 10, clMaroon, fsBorder));
    EXPECT_EQ(e.Pixel(6, 6), clGreen);
    EXPECT_EQ(e.Pixel(23, 23), clGreen);
    EXPECT_EQ(e.Pixel(5, 5), clMaroon);
    EXPECT_EQ(e.Pixel(2, 2), clWhite);
    EXPECT_FALSE(ec.FloodFill(5, 10, clMaroon, fsBorder)); // seed on the border
}

TEST(Canvas, FloodFillReturnsAtOnceWhenNothingWouldChange) {
    TBitmap b(20, 20);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clWhite;
    const std::vector<uint8_t> before = Snapshot(b);
    EXPECT_FALSE(c.FloodFill(5, 5, clWhite, fsSurface));
    c.Brush.Color = clRed;
    EXPECT_FALSE(c.FloodFill(5, 5, clBlack, fsSurface)); // the seed is not that colour
    EXPECT_FALSE(c.FloodFill(-1, 5, clWhite, fsSurface));
    EXPECT_FALSE(c.FloodFill(5, 20, clWhite, fsSurface));
    c.Brush.Style = bsClear;
    EXPECT_FALSE(c.FloodFill(5, 5, clWhite, fsSurface));
    EXPECT_EQ(Snapshot(b), before);
    // A hatch in the area's own colour changes nothing either, and ends.
    c.Brush.Style = bsCross;
    c.Brush.Color = clWhite;
    EXPECT_FALSE(c.FloodFill(5, 5, clWhite, fsSurface));
    EXPECT_EQ(Snapshot(b), before);
}

TEST(Canvas, HatchFillChangesOnlyPatternPixels) {
    for (TBrushStyle style : {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross}) {
        SCOPED_TRACE(int(style));
        TBitmap b(40, 40), rect(40, 40);
        TCanvas& c = b.Canvas();
        c.Brush.Style = bsClear;
        c.Rectangle(4, 4, 36, 36);
        c.Brush.Style = style;
        c.Brush.Color = clRed;
        ASSERT_TRUE(c.FloodFill(20, 20, clWhite, fsSurface));
        // FillRect lays the same pattern, aligned to the bitmap origin.
        rect.Canvas().Brush.Style = style;
        rect.Canvas().Brush.Color = clRed;
        rect.Canvas().FillRect(Rect(5, 5, 35, 35));
        int red = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                const bool inner = x >= 5 && x < 35 && y >= 5 && y < 35;
                if (inner) {
                    EXPECT_EQ(b.Pixel(x, y), rect.Pixel(x, y)) << x << "," << y;
                    EXPECT_TRUE(b.Pixel(x, y) == clRed || b.Pixel(x, y) == clWhite);
                    red += b.Pixel(x, y) == clRed;
                } else {
                    EXPECT_NE(b.Pixel(x, y), clRed) << x << "," << y;
                }
            }
        }
        EXPECT_GT(red, 0);
        EXPECT_LT(red, 30 * 30 / 2 + 60);
    }
}

TEST(Canvas, TextSitsBelowAndRightOfItsPoint) {
    TBitmap b(120, 40), blank(120, 40);
    TCanvas& c = b.Canvas();
    c.Font.Size = 12; // 16 pixels
    c.Font.Color = clBlack;
    const TSize extent = c.TextExtent("Hello");
    EXPECT_GT(extent.cx, 20);
    EXPECT_GE(extent.cy, 16);
    EXPECT_LE(extent.cy, 24);
    EXPECT_EQ(c.TextWidth("Hello"), extent.cx);
    EXPECT_EQ(c.TextHeight("Hello"), extent.cy);
    EXPECT_EQ(c.TextWidth(""), 0);
    EXPECT_LT(c.TextWidth("i"), c.TextWidth("W"));
    // Text placed without a canvas is measured the same way.
    EXPECT_EQ(TextExtentIn(FontRecordToQFont(c.Font), "Hello"), extent);

    c.Brush.Style = bsClear;
    c.TextOut(10, 8, "Hello");
    EXPECT_EQ(c.PenPos, Point(10 + extent.cx, 8));
    const std::vector<TPoint> ink = ChangedPixels(b, blank);
    ASSERT_FALSE(ink.empty());
    for (TPoint p : ink) {
        EXPECT_TRUE(p.X >= 10 && p.X < 10 + extent.cx && p.Y >= 8 && p.Y < 8 + extent.cy)
            << p.X << "," << p.Y;
        EXPECT_EQ(b.Pixel(p.X, p.Y), clBlack); // no anti-aliased shades
    }
    // Opaque text paints its whole box in the brush colour first.
    TBitmap o(120, 40);
    o.Canvas().Font = c.Font;
    o.Canvas().Brush.Color = clYellow;
    o.Canvas().TextOut(10, 8, "Hello");
    EXPECT_EQ(o.Pixel(10, 8), clYellow);
    EXPECT_EQ(o.Pixel(10 + extent.cx - 1, 8 + extent.cy - 1), clYellow);
    EXPECT_EQ(o.Pixel(10 + extent.cx, 8), clWhite);
    EXPECT_EQ(ChangedPixels(o, b).size(), size_t(extent.cx * extent.cy) - ink.size());
}

TEST(Canvas, PixelsReadAndWriteInsideOnly) {
    TBitmap b(5, 5);
    TCanvas& c = b.Canvas();
    c.Pixels(2, 3, clPurple);
    EXPECT_EQ(c.Pixels(2, 3), clPurple);
    c.Pixels(-1, 0, clRed);
    c.Pixels(5, 0, clRed);
    EXPECT_EQ(c.Pixels(5, 0), clInvalidPixel);
    EXPECT_EQ(c.Pixels(0, -1), clInvalidPixel);
    c.Pixels(0, 0, clBtnFace); // system colours are resolved
    EXPECT_EQ(c.Pixels(0, 0), ColorToRGB(clBtnFace));
}

TEST(Canvas, BlockCopiesDrawStretchAndConvert) {
    TBitmap src(4, 2, pf32bit);
    const TColor cols[8] = {clRed, clLime, clBlue, clYellow, clAqua, clFuchsia, clBlack, clGray};
    for (int i = 0; i < 8; ++i)
        src.SetPixel(i % 4, i / 4, cols[i]);

    TBitmap d(10, 10, pf24bit);
    d.Canvas().Draw(3, 4, src);
    EXPECT_EQ(d.Pixel(3, 4), clRed);
    EXPECT_EQ(d.Pixel(6, 5), clGray);
    EXPECT_EQ(d.Pixel(7, 5), clWhite);
    d.Canvas().Draw(8, 9, src); // clipped at the right and bottom edges
    EXPECT_EQ(d.Pixel(9, 9), clLime);

    TBitmap s(8, 4, pf16bit);
    s.Canvas().StretchDraw(Rect(0, 0, 8, 4), src); // each source pixel becomes 2 x 2
    EXPECT_EQ(s.Pixel(0, 0), stored(pf16bit, clRed));
    EXPECT_EQ(s.Pixel(1, 1), s.Pixel(0, 0));
    EXPECT_EQ(s.Pixel(7, 3), RGBColor(0x80, 0x80, 0x80));
    EXPECT_EQ(s.Pixel(2, 0), RGBColor(0, 0xFC, 0));

    // CopyRect of a part, shrinking; and within one bitmap with overlap.
    TBitmap h(2, 1, pf4bit);
    h.Canvas().CopyRect(Rect(0, 0, 2, 1), src.Canvas(), Rect(0, 0, 4, 2));
    EXPECT_EQ(h.Pixel(0, 0), clRed);
    EXPECT_EQ(h.Pixel(1, 0), clBlue);
    TBitmap row(6, 1, pf24bit);
    for (int x = 0; x < 6; ++x)
        row.SetPixel(x, 0, RGBColor(x, 0, 0));
    row.Canvas().CopyRect(Rect(1, 0, 6, 1), row.Canvas(), Rect(0, 0, 5, 1));
    for (int x = 1; x < 6; ++x)
        EXPECT_EQ(row.Pixel(x, 0), RGBColor(x - 1, 0, 0));
}

TEST(Canvas, ExtremeCoordinatesDrawWhatShowsAndNothingElse) {
    const int lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
    TBitmap b(40, 30), blank(40, 30);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clRed;
    c.Rectangle(lo, lo, hi, hi); // the outline lies far outside; the brush covers all
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(39, 29), clRed);
    c.RoundRect(lo, 0, hi, 10, lo, lo);
    c.Ellipse(lo, lo, 5, 5);
    c.Pen.Width = 5;
    c.Pen.Color = clBlue;
    c.MoveTo(lo, 15);
    c.LineTo(hi, 15);
    EXPECT_EQ(b.Pixel(0, 15), clBlue);
    EXPECT_EQ(b.Pixel(39, 17), clBlue);
    c.TextOut(hi, hi, "far");
    c.TextOut(lo, 5, "far");
    c.Draw(hi, hi, blank);
    c.Draw(lo, lo, blank);
    EXPECT_EQ(b.Pixel(39, 15), clBlue); // neither copy reached the bitmap
    EXPECT_EQ(b.Pixel(20, 25), clRed);
    TBitmap dot(1, 1);
    dot.SetPixel(0, 0, clLime);
    c.StretchDraw(Rect(lo, lo, hi, hi), dot); // one pixel spread over 2^32 x 2^32
    EXPECT_EQ(b.Pixel(39, 15), clLime);
    // Shrinking a huge source rectangle samples it sparsely; samples outside the
    // source bitmap leave the destination as it was.
    c.CopyRect(Rect(0, 0, 10, 10), blank.Canvas(), Rect(lo, lo, hi, hi));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(b.Pixel(i, i), clLime);
}
