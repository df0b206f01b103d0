// The shared view mapping, the 128-point polyline batches and the clipped curve joiner.
#include "plot/PtPolyline.h"
#include "PlotTestSupport.h"
#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace plottest;

namespace {

constexpr TColor ink = clRed;

// A white bitmap (100 x 100 unless told otherwise) with a red pen.
struct Surface {
    TFakeGraph graph;
    TBitmap bitmap;
    TCanvas& canvas = bitmap.Canvas();
    explicit Surface(int penWidth = 1, int width = 100) : bitmap(width, 100) {
        canvas.Pen = TPen{ink, penWidth, psSolid};
    }
    bool inked(int x, int y) const { return bitmap.Pixel(x, y) == ink; }
    int inkedInRow(int y, int from, int to) const {
        int n = 0;
        for (int x = from; x <= to; ++x)
            n += inked(x, y);
        return n;
    }
};

} // namespace

TEST(PlotViewRect, EdgesAndPixelsOfTheMiddle) {
    const TPlotViewRect v = TPlotViewRect::Make(1000, 999, 10, -20);
    EXPECT_EQ(v.cx, 500);
    EXPECT_EQ(v.cy, 499);
    EXPECT_EQ(v.Left, -490);
    EXPECT_EQ(v.Right, 509);   // 10 + (1000 - 1 - 500)
    EXPECT_EQ(v.Top, 479);     // -20 + 499
    EXPECT_EQ(v.Bottom, -519); // -20 - (999 - 1 - 499)
    EXPECT_EQ(v.Column(v.Left), 0);
    EXPECT_EQ(v.Column(v.Right), 999);
    EXPECT_EQ(v.Row(v.Top), 0);
    EXPECT_EQ(v.Row(v.Bottom), 998);
    // Ties go to the even neighbour.
    EXPECT_EQ(v.Column(10.5L), 500);
    EXPECT_EQ(v.Column(11.5L), 502);
    EXPECT_EQ(v.Row(-19.5L), 499);
    // Far away and NaN stay inside the integer range, with their side kept.
    EXPECT_EQ(v.Column(1e30L), PixelOffsetLimit + 500);
    EXPECT_EQ(v.Column(-1e4000L), -PixelOffsetLimit + 500);
    EXPECT_EQ(v.Row(std::numeric_limits<long double>::quiet_NaN()), PixelOffsetLimit + 499);
    EXPECT_EQ(PixelOffset(-std::numeric_limits<long double>::infinity()), -PixelOffsetLimit);

    EXPECT_EQ(DrawnPenWidth(-5), 1);
    EXPECT_EQ(DrawnPenWidth(7), 7);
    EXPECT_EQ(DrawnPenWidth(1 << 30), MaxDrawnPenWidth);
    EXPECT_EQ(DrawnSampleCount(-3), -3);
    EXPECT_EQ(DrawnSampleCount(100000), 100000);
    EXPECT_EQ(DrawnSampleCount(INT32_MAX), MaxDrawnSamples);
}

TEST(PolylineBuffer, BatchesRepeatTheirJoinPointAndSetTheLastPixel) {
    Surface s(1, 300);
    TPolylineBuffer buffer(s.graph, s.canvas, ink, true);
    // Thin lines leave out their end pixel, so a batch that did not start with the point
    // the one before ended at would leave pixels 127 and 254 out.
    for (int x = 0; x < 300; ++x)
        buffer.Add({x, 5});
    EXPECT_EQ(buffer.Count(), 300 - 2 * 127);
    EXPECT_EQ(s.inkedInRow(5, 0, 299), 254); // two batches drawn, 0..253
    buffer.Flush();
    EXPECT_EQ(buffer.Count(), 0);
    EXPECT_EQ(s.inkedInRow(5, 0, 299), 300); // the last pixel too

    // A lone point: its pixel with a thin pen, nothing with a wide one.
    buffer.Add({50, 50});
    buffer.Flush();
    EXPECT_TRUE(s.inked(50, 50));
    Surface wide(3);
    TPolylineBuffer wideBuffer(wide.graph, wide.canvas, ink, false);
    wideBuffer.Add({50, 50});
    wideBuffer.Flush();
    EXPECT_EQ(wide.inkedInRow(50, 40, 60), 0);
}

TEST(PolylineBuffer, NothingIsDrawnOnceTheRunIsCancelled) {
    Surface s;
    s.graph.SetIsAbortedEvent([](bool& v) { v = true; });
    TClippedPolyline curve(s.graph, s.canvas, TPlotViewRect::Make(100, 100, 0, 0), ink, true);
    for (int i = -200; i <= 200; ++i)
        curve.AddSample(true, i, 0);
    curve.Finish();
    EXPECT_EQ(s.inkedInRow(50, 0, 99), 0);
}

TEST(ClippedPolyline, CurvesEndExactlyOnTheEdgesAndBreakAtBadSamples) {
    // View 100 x 100 around (0, 0): columns 0..99 are x = -50..49, rows 0..99 are y = 50..-49.
    const TPlotViewRect view = TPlotViewRect::Make(100, 100, 0, 0);
    {
        // A line through the whole view from far outside: one polyline, edge to edge.
        Surface s;
        TClippedPolyline curve(s.graph, s.canvas, view, ink, true);
        curve.AddSample(true, -1000, 0);
        curve.AddSample(true, 1000, 0);
        curve.Finish();
        EXPECT_EQ(s.inkedInRow(50, 0, 99), 100);
    }
    {
        // Up through the top and back: (-40, 0) -> (0, 80) -> (40, 0) leaves at
        // x = -40 + 40 * 50/80 = -15 (column 35) and comes back at x = 15 (column 65).
        Surface s;
        TClippedPolyline curve(s.graph, s.canvas, view, ink, true);
        curve.AddSample(true, -40, 0);
        curve.AddSample(true, 0, 80);
        curve.AddSample(true, 40, 0);
        curve.Finish();
        EXPECT_TRUE(s.inked(10, 50));
        EXPECT_TRUE(s.inked(35, 0));
        EXPECT_TRUE(s.inked(65, 0));
        EXPECT_TRUE(s.inked(90, 50)); // the last pixel, set for the thin pen
        EXPECT_EQ(s.inkedInRow(0, 36, 64), 0);
        EXPECT_EQ(s.inkedInRow(0, 30, 34), 0);
    }
    {
        // An undefined sample between two defined ones breaks the line; a sample whose
        // scaled value overflowed counts as undefined.
        Surface s;
        TClippedPolyline curve(s.graph, s.canvas, view, ink, true);
        curve.AddSample(true, -40, 30);
        curve.AddSample(true, -10, 30);
        curve.AddSample(false, 0, 30);
        curve.AddSample(true, 10, 30);
        curve.AddSample(true, std::numeric_limits<long double>::infinity(), 30);
        curve.AddSample(true, 20, 30);
        curve.AddSample(true, 40, 30);
        curve.Finish();
        EXPECT_EQ(s.inkedInRow(20, 10, 40), 31);
        EXPECT_EQ(s.inkedInRow(20, 41, 59), 0);
        EXPECT_EQ(s.inkedInRow(20, 61, 69), 0);
        EXPECT_TRUE(s.inked(60, 20)); // the lone point x = 10, thin pen
        EXPECT_EQ(s.inkedInRow(20, 70, 90), 21);
    }
    {
        // Passing beside a corner, or beyond one edge, draws nothing.
        Surface t;
        TClippedPolyline curve(t.graph, t.canvas, view, ink, true);
        curve.AddSample(true, 30, 200);
        curve.AddSample(true, 200, 30);
        curve.AddSample(true, 300, -300);
        curve.Finish();
        int total = 0;
        for (int y = 0; y < 100; ++y)
            total += t.inkedInRow(y, 0, 99);
        EXPECT_EQ(total, 0);
    }
}
