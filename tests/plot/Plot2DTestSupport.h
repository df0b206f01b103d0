#pragma once
// A 2D graph on a 32-bit bitmap with every element in its own colour, and the pixel
// checks of the 2D renderer tests.

#include "math/MathCalc.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "plot/PtGr2d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

namespace plottest {

inline constexpr TColor XAxisInk = 0x0000C0, YAxisInk = 0x00C000, XTickInk = 0xC00000, YTickInk = 0xC000C0,
                        XLabelInk = 0x00C0C0, YLabelInk = 0xC0C000;

inline TMathValue MathValueOf(long double x) {
    TMathValue v;
    FloatToMathValue(v, x);
    return v;
}

// The default 2D graph (zoom 35, centre 0, tick marks every unit) on a W x H 32-bit bitmap.
struct TGraph2DFixture {
    TPlotGraph2D Graph;

    explicit TGraph2DFixture(int w = 1000, int h = 1000) {
        Graph.SetBitmapAttributes(pf32bit, w, h);
        TSetting2DObj& s = Graph.Settings();
        s.X.AxisColor = XAxisInk;
        s.Y.AxisColor = YAxisInk;
        s.X.TickColor = XTickInk;
        s.Y.TickColor = YTickInk;
        s.XLabelFont.Color = XLabelInk;
        s.YLabelFont.Color = YLabelInk;
    }

    TSetting2DObj& Settings() { return Graph.Settings(); }
    TView2DZoomObj& View() { return Graph.ViewZoom(); }
    const TBitmap& Bitmap() { return Graph.PlotBitmap(); }

    void Draw() {
        std::string error = "not cleared";
        Graph.DrawGraph(error);
        EXPECT_EQ(error, "");
    }

    bool Is(int x, int y, TColor c) { return Bitmap().Pixel(x, y) == c; }

    // Pixels of colour C in columns x1..x2 and rows y1..y2 (inclusive).
    int Count(TColor c, int x1, int y1, int x2, int y2) {
        int n = 0;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                n += Is(x, y, c);
        return n;
    }
    int CountAll(TColor c) { return Count(c, 0, 0, Bitmap().Width() - 1, Bitmap().Height() - 1); }

    // The text as the label font writes it with its top-left corner at Corner: every
    // pixel of the label colour within 4 pixels around it is where a reference drawing
    // of the same text at that corner puts one, and there is at least one.
    void ExpectLabelAt(const std::string& text, const TFontRecord& font, TPoint corner) {
        TBitmap reference(Bitmap().Width(), Bitmap().Height(), pf32bit);
        TCanvas& c = reference.Canvas();
        c.Font = font;
        c.Brush.Style = bsClear;
        c.TextOut(corner.X, corner.Y, text);
        const TSize size = c.TextExtent(text);
        int inked = 0, wrong = 0;
        for (int y = corner.Y - 4; y < corner.Y + size.cy + 4; ++y)
            for (int x = corner.X - 4; x < corner.X + size.cx + 4; ++x) {
                const bool want = reference.Pixel(x, y) == font.Color,
                           got = Bitmap().Pixel(x, y) == font.Color;
                inked += got;
                wrong += want != got;
            }
        EXPECT_GT(inked, 0) << "label \"" << text << "\" at " << corner.X << ", " << corner.Y;
        EXPECT_EQ(wrong, 0) << "label \"" << text << "\" at " << corner.X << ", " << corner.Y;
    }

    // The labels of ticks -14, -1, 1 and 14 of the default view on 1000 x 1000 (marks at
    // column and row 500 + 35k, 5 pixels to either side): X labels centred under their marks
    // from row 506 on, Y labels right of theirs from column 506 on, vertically centred,
    // negative ones 3 pixels further right; each moved off its mark as far as its ink needs
    // to leave two blank pixels after the mark's end (row or column 505).
    void ExpectDefaultTickLabels() {
        const TFontRecord& xf = Settings().XLabelFont;
        const TFontRecord& yf = Settings().YLabelFont;
        for (int k : {-14, -1, 1, 14}) {
            const std::string text = std::to_string(k);
            const int row = 506 + std::max(0, 2 - InkBox(text, xf).Top);
            ExpectLabelAt(text, xf, {500 + 35 * k - Extent(text, xf).cx / 2, row});
            const int column = 506 + std::max(0, 2 - InkBox(text, yf).Left) + (k < 0 ? 3 : 0);
            ExpectLabelAt(text, yf, {column, 500 - 35 * k - Extent(text, yf).cy / 2});
        }
    }

    TSize Extent(const std::string& text, const TFontRecord& font) {
        TBitmap scratch(16, 16, pf32bit);
        scratch.Canvas().Font = font;
        return scratch.Canvas().TextExtent(text);
    }

    // The box of the pixels the text sets, relative to its top-left corner, as found in a
    // drawing of it.
    TRect InkBox(const std::string& text, const TFontRecord& font) {
        constexpr int margin = 16;
        const TSize size = Extent(text, font);
        TBitmap scratch(size.cx + 2 * margin, size.cy + 2 * margin, pf32bit);
        TCanvas& c = scratch.Canvas();
        c.Font = font;
        c.Brush.Style = bsClear;
        c.TextOut(margin, margin, text);
        TRect ink{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (int y = 0; y < scratch.Height(); ++y)
            for (int x = 0; x < scratch.Width(); ++x)
                if (scratch.Pixel(x, y) == font.Color)
                    ink = {std::min(ink.Left, x - margin), std::min(ink.Top, y - margin),
                           std::max(ink.Right, x - margin + 1), std::max(ink.Bottom, y - margin + 1)};
        return ink;
    }
};

} // namespace plottest
