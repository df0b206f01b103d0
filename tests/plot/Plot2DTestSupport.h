#pragma once
// A 2D graph on a 32-bit bitmap with every element in its own colour, and the pixel
// checks of the 2D renderer tests.

#include "math/MathCalc.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "plot/PtGr2d.h"

#include <gtest/gtest.h>

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

    TSize Extent(const std::string& text, const TFontRecord& font) {
        TBitmap scratch(16, 16, pf32bit);
        scratch.Canvas().Font = font;
        return scratch.Canvas().TextExtent(text);
    }
};

} // namespace plottest
