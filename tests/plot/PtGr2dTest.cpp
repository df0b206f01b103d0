// Axes, tick marks, grids and tick labels of 2D graphs, pixel by pixel. The default view
// on 1000 x 1000: cx = cy = 500, zoom 35, scaled edges left -500, right 499, top 500,
// bottom -499; tick k of an axis stands at column 500 + 35k and row 500 - 35k, k = -14..14.
#include "Plot2DTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>

using namespace plottest;

namespace {

int tickColumn(int k) {
    return 500 + 35 * k;
}
int tickRow(int k) {
    return 500 - 35 * k;
}

} // namespace

TEST(Axes2D, LinesMarksAndLabelsOfTickMarksAtTheDefaultView) {
    TGraph2DFixture f;
    f.Draw();
    // The X axis along row 500, crossed by 28 X marks and by the Y axis at column 500.
    EXPECT_EQ(f.Count(XAxisInk, 0, 500, 999, 500), 1000 - 28 - 1);
    EXPECT_EQ(f.Count(YAxisInk, 500, 0, 500, 999), 1000 - 28);
    EXPECT_TRUE(f.Is(500, 500, YAxisInk));
    // Marks of 11 pixels (length 5 each way, end pixel set), none at 0.
    EXPECT_EQ(f.CountAll(XTickInk), 28 * 11);
    EXPECT_EQ(f.CountAll(YTickInk), 28 * 11);
    for (int k : {-14, -1, 1, 14}) {
        EXPECT_EQ(f.Count(XTickInk, tickColumn(k), 495, tickColumn(k), 505), 11) << k;
        EXPECT_EQ(f.Count(YTickInk, 495, tickRow(k), 505, tickRow(k)), 11) << k;
    }
    f.ExpectDefaultTickLabels();
    // Nothing at 0, where the other axis's line shows.
    EXPECT_EQ(f.Count(XLabelInk, 485, 501, 515, 540), 0);
    EXPECT_EQ(f.Count(YLabelInk, 501, 485, 540, 515), 0);
}

TEST(Axes2D, GridMarksAndGridLinesWithTheirLabels) {
    {
        TGraph2DFixture f;
        f.Settings().X.TickType = tkGridMarks;
        f.Settings().Y.TickType = tkGridMarks;
        f.Draw();
        // At the crossing of X tick 1 and Y tick 1 (535, 465): a vertical X arm and a
        // horizontal Y arm, each 11 pixels with its end; the Y arm is drawn last.
        EXPECT_EQ(f.Count(XTickInk, 535, 460, 535, 470), 10);
        EXPECT_FALSE(f.Is(535, 459, XTickInk));
        EXPECT_FALSE(f.Is(535, 471, XTickInk));
        EXPECT_EQ(f.Count(YTickInk, 530, 465, 540, 465), 11);
        EXPECT_EQ(f.Count(YTickInk, 2 * 35 + 500 - 5, tickRow(-14), 2 * 35 + 500 + 5, tickRow(-14)), 11);
        // Grid marks leave out the rows and columns of 0; the marks on the axes are there.
        EXPECT_EQ(f.Count(XTickInk, 535, 495, 535, 505), 11);
        EXPECT_EQ(f.Count(YTickInk, 495, 465, 505, 465), 11);
        f.ExpectLabelAt("1", f.Settings().XLabelFont,
                        {535 - f.Extent("1", f.Settings().XLabelFont).cx / 2, 506});
    }
    {
        TGraph2DFixture f;
        TSetting2DObj& s = f.Settings();
        s.X.TickType = s.Y.TickType = tkGridLines;
        s.X.GridPenStyle = s.Y.GridPenStyle = psSolid;
        f.Draw();
        // Lines across the whole other extent, the Y lines drawn after the X lines.
        EXPECT_EQ(f.Count(XTickInk, 535, 0, 535, 999), 1000 - 28);
        EXPECT_EQ(f.Count(YTickInk, 0, 465, 999, 465), 1000);
        EXPECT_EQ(f.Count(XTickInk, 500, 0, 500, 999), 0); // not at 0
        // Labels beside the lines just off the axes: right of (X) or above (Y) the line,
        // left of or below it for negative values.
        const TFontRecord& xf = s.XLabelFont;
        const TFontRecord& yf = s.YLabelFont;
        f.ExpectLabelAt("1", xf, {536, 501});
        f.ExpectLabelAt("-1", xf, {465 - (f.Extent("-1", xf).cx + 1), 501});
        f.ExpectLabelAt("1", yf, {501, 465 - (f.Extent("1", yf).cy + 1)});
        f.ExpectLabelAt("-1", yf, {501, 536});
    }
    {
        // The dotted grid style leaves gaps.
        TGraph2DFixture f;
        f.Settings().X.TickType = tkGridLines;
        f.Draw();
        const int dots = f.Count(XTickInk, 535, 0, 535, 999);
        EXPECT_GT(dots, 300);
        EXPECT_LT(dots, 700);
    }
}

TEST(Axes2D, LimitedAxisEndsAtItsBoundsAndTicksWithinThem) {
    TGraph2DFixture f;
    TSetting2DAxis& x = f.Settings().X;
    x.LoLimitEmpty = x.HiLimitEmpty = false;
    x.LoLimit = MathValueOf(-2);
    x.HiLimit = MathValueOf(3);
    f.Draw();
    // From the column of -70 (430) to one past that of 105 (605): the line covers 430..605.
    EXPECT_FALSE(f.Is(429, 500, XAxisInk));
    EXPECT_TRUE(f.Is(431, 500, XAxisInk));
    EXPECT_TRUE(f.Is(604, 500, XAxisInk));
    EXPECT_FALSE(f.Is(606, 500, XAxisInk));
    for (int k = -2; k <= 3; ++k)
        EXPECT_EQ(f.Count(XTickInk, tickColumn(k), 495, tickColumn(k), 505), k == 0 ? 0 : 11) << k;
    EXPECT_EQ(f.CountAll(XTickInk), 5 * 11);
}

TEST(Axes2D, NoTicksMeansNoLabelsAndAnInvalidExtentDrawsNothing) {
    {
        TGraph2DFixture f;
        f.Settings().X.TickType = tkNone;
        f.Draw();
        EXPECT_EQ(f.Count(XAxisInk, 0, 500, 999, 500), 999);
        EXPECT_EQ(f.CountAll(XTickInk) + f.CountAll(XLabelInk), 0);
        EXPECT_GT(f.CountAll(YLabelInk), 0);
    }
    {
        // A low end beyond the right edge (x = 20, scaled 700 > 499); grid marks asked for.
        TGraph2DFixture f;
        TSetting2DAxis& x = f.Settings().X;
        x.LoLimitEmpty = false;
        x.LoLimit = MathValueOf(20);
        x.TickType = f.Settings().Y.TickType = tkGridMarks;
        f.Draw();
        EXPECT_EQ(f.CountAll(XAxisInk) + f.CountAll(XTickInk) + f.CountAll(XLabelInk), 0);
        EXPECT_EQ(f.Count(YTickInk, 0, 0, 999, 999), 28 * 11); // the marks on the Y axis only
    }
}

TEST(Axes2D, ViewWithoutTheXAxisKeepsOnlyItsGridLines) {
    for (uint8_t type : {tkTickMarks, tkGridLines}) {
        TGraph2DFixture f;
        f.View().CenterY = 1000; // rows show scaled y 1500 .. 501
        f.Settings().X.TickType = type;
        f.Settings().X.GridPenStyle = psSolid;
        f.Draw();
        EXPECT_EQ(f.CountAll(XAxisInk), 0);
        EXPECT_EQ(f.CountAll(XLabelInk), 0);
        // Grid lines still cross the whole Y extent (not at 0: the Y axis line is set to show).
        EXPECT_EQ(f.Count(XTickInk, 535, 0, 535, 999), type == tkGridLines ? 1000 : 0);
        EXPECT_EQ(f.Count(XTickInk, 500, 0, 500, 999), 0);
        // The Y axis and its ticks from the first multiple of 35 not below 501 (525, row 975).
        EXPECT_TRUE(f.Is(500, 0, YAxisInk));
        EXPECT_EQ(f.Count(YTickInk, 495, 975, 505, 975), 11);
        EXPECT_EQ(f.Count(YTickInk, 495, 976, 505, 999), 0);
    }
}

TEST(Axes2D, TickAndLabelAtZeroOnlyWhenTheOtherAxisLineIsHidden) {
    for (bool showY : {true, false}) {
        TGraph2DFixture f;
        f.Settings().Y.ShowAxisLine = showY;
        f.Draw();
        const TFontRecord& xf = f.Settings().XLabelFont;
        if (showY) {
            EXPECT_EQ(f.Count(XTickInk, 500, 495, 500, 505), 0);
            EXPECT_EQ(f.Count(XLabelInk, 485, 501, 515, 540), 0);
        } else {
            EXPECT_EQ(f.Count(XTickInk, 500, 495, 500, 505), 11);
            f.ExpectLabelAt("0", xf, {500 - f.Extent("0", xf).cx / 2, 506});
            // No Y axis line: no Y tick marks and no Y labels either.
            EXPECT_EQ(f.CountAll(YAxisInk) + f.CountAll(YTickInk) + f.CountAll(YLabelInk), 0);
        }
    }
}

TEST(Axes2D, TicksNeedFivePixelsBetweenThem) {
    struct Case {
        long double increment;
        int ticks;
    };
    // Zoom X 1: left = -500, so the ticks of increment 5 start at column 0.
    for (const Case c : {Case{5, 199}, Case{4, 0}}) {
        TGraph2DFixture f;
        f.View().ZoomX = 1;
        f.Settings().X.TickInc = MathValueOf(c.increment);
        f.Draw();
        EXPECT_EQ(f.Count(XTickInk, 0, 495, 999, 495), c.ticks) << double(c.increment);
        if (c.ticks > 0) {
            EXPECT_TRUE(f.Is(0, 495, XTickInk));
            EXPECT_TRUE(f.Is(5, 495, XTickInk));
            EXPECT_FALSE(f.Is(6, 495, XTickInk));
            EXPECT_GT(f.CountAll(XLabelInk), 0);
        } else {
            EXPECT_EQ(f.CountAll(XLabelInk), 0);
        }
    }
}

TEST(Axes2D, AFaultInOneTickStepDropsOnlyThatAxisLabels) {
    TGraph2DFixture f;
    f.Settings().Y.TickInc = MathValueOf(1e4931L); // times zoom 35: no finite pixel step
    f.Draw();
    EXPECT_EQ(f.Count(YAxisInk, 500, 0, 500, 999), 1000);
    EXPECT_EQ(f.CountAll(YTickInk), 0);
    EXPECT_EQ(f.CountAll(YLabelInk), 0);
    EXPECT_EQ(f.CountAll(XTickInk), 28 * 11);
    EXPECT_GT(f.CountAll(XLabelInk), 0);
}

TEST(Axes2D, ExtremeViewsAndStoredValuesDrawWithoutFault) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    struct Case {
        long double centerX, centerY, zoomX, zoomY, increment;
    };
    const Case cases[] = {
        {1e30L, 1e30L, 35, 35, 1},    {-1e30L, 0, 35, 35, 1},
        {0, 0, 1e-4L, 1e-4L, 1e30L},  {0, 0, 1e-4L, 1e-4L, 1e4000L},
        {1e4900L, 0, 1e4900L, 35, 1}, {nan, nan, 35, 35, 1},
        {0, 0, inf, 35, 1},           {0, 0, 0, 0, 1},
        {0, 0, 35, 35, 1e-4000L},     {5e18L, 5e18L, 35, 35, 1e-10L},
        {0, 0, -35, -35, -1},
    };
    for (const Case& c : cases) {
        TGraph2DFixture f(200, 150);
        f.View().CenterX = c.centerX;
        f.View().CenterY = c.centerY;
        f.View().ZoomX = c.zoomX;
        f.View().ZoomY = c.zoomY;
        for (TSetting2DAxis* a : {&f.Settings().X, &f.Settings().Y}) {
            a->TickInc = MathValueOf(c.increment);
            a->TickType = tkGridMarks;
            a->TickLength = INT_MAX;
            a->AxisWidth = INT_MAX;
        }
        EXPECT_NO_THROW(f.Draw()) << double(c.centerX) << " " << double(c.zoomX);
    }
    // Stored lengths, widths and styles beyond any bitmap or style are drawn bounded: the
    // marks cross the whole bitmap, the Y axis and its marks are 100 pixels wide (columns
    // 445..555 at most), an unknown style draws solid.
    TGraph2DFixture f;
    f.Settings().X.TickLength = INT_MIN;
    f.Settings().Y.AxisWidth = INT_MAX;
    f.Settings().X.AxisPenStyle = 200;
    f.Draw();
    EXPECT_EQ(f.Count(XTickInk, 10, 0, 10, 999), 1000);
    EXPECT_EQ(f.Count(XAxisInk, 0, 500, 440, 500), 441 - 13);
    const auto yInk = [&](int x) { return f.Is(x, 300, YAxisInk) || f.Is(x, 300, YTickInk); };
    EXPECT_TRUE(yInk(451) && yInk(549));
    EXPECT_FALSE(yInk(440) || yInk(560));
}

TEST(Axes2D, ACancelLeavesAPartialPictureAndNoError) {
    TGraph2DFixture f;
    int polls = 0;
    f.Graph.SetIsAbortedEvent([&](bool& v) { v = ++polls > 20; });
    f.Draw();
    // Background and axis lines are there, the ticks stopped early, no labels.
    EXPECT_GT(f.CountAll(XAxisInk), 900);
    EXPECT_GT(f.CountAll(XTickInk), 0);
    EXPECT_LT(f.CountAll(XTickInk), 28 * 11);
    EXPECT_EQ(f.CountAll(YLabelInk), 0);
}
