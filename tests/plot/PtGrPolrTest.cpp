// The polar renderer on views whose pixels are worked out by hand. With the centre at 0
// and zoom 35 on a 201 x 201 bitmap, the origin is pixel (100, 100), the edges lie 100
// scaled units away and one unit is 35 pixels.
#include "PlotTestSupport.h"

#include "model/funcpolr.h"
#include "platform/Canvas.h"
#include "plot/PtGrPolr.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>
#include <set>
#include <utility>

using namespace plottest;

namespace {

constexpr TColor AxisInk = 0x0000C0, TickInk = 0xC00000, LabelInk = 0x00A000, CurveInk = 0x808000;
constexpr long double Pi = 3.141592653589793238462643L;

using Pixels = std::set<std::pair<int, int>>;

struct TPolarScene {
    TPlotGraphPolar Graph;
    TSequenceList<TBaseFuncObj> Functions;
    int W, H;

    explicit TPolarScene(int w = 201, int h = 201) : W(w), H(h) {
        Graph.SetBitmapAttributes(pf32bit, w, h);
        TSettingPolarObj& s = Graph.Settings();
        s.AxisColor = AxisInk;
        s.TickColor = TickInk;
        s.LabelFont.Color = LabelInk;
        s.ShowLabels = false;
    }
    TSettingPolarObj& Settings() { return Graph.Settings(); }
    void Axes(std::initializer_list<long double> angles) {
        Settings().AxisCount = int32_t(angles.size());
        int i = 0;
        for (long double a : angles)
            Settings().AxisAngles[size_t(i++)] = a;
    }
    TFuncPolarObj& AddCurve(const std::string& expression, long double lo, long double hi, int32_t samples) {
        auto f = CompiledFunction<TFuncPolarObj>(expression, CurveInk);
        FloatToMathValue(f->LoBound, lo);
        FloatToMathValue(f->HiBound, hi);
        f->Samples = samples;
        Functions.push_back(std::move(f));
        return static_cast<TFuncPolarObj&>(*Functions.back());
    }
    std::string Draw() {
        Graph.AssignFunctions(Functions);
        std::string error;
        Graph.DrawGraph(error);
        return error;
    }
    TColor Pixel(int x, int y) const { return Graph.PlotBitmap().Pixel(x, y); }
    Pixels PixelsOf(TColor color) const {
        Pixels out;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (Pixel(x, y) == color) out.insert({x, y});
        return out;
    }
    // Label ink inside [left, right] x [top, bottom].
    int InkIn(int left, int top, int right, int bottom) const {
        int n = 0;
        for (const auto& [x, y] : PixelsOf(LabelInk))
            n += x >= left && x <= right && y >= top && y <= bottom;
        return n;
    }
    TSize Extent(const std::string& text) {
        TBitmap scratch(8, 8);
        scratch.Canvas().Font = Settings().LabelFont;
        return scratch.Canvas().TextExtent(text);
    }
};

void setIncrement(TSettingPolarObj& s, long double increment) {
    FloatToMathValue(s.TickInc, increment);
}

} // namespace

TEST(PlotGraphPolar, PointAngleDegrees) {
    const struct {
        long double X, Y, Degrees;
    } cases[] = {{0, 0, 0},         {0, 2, 90},   {0, -1, 270},  {3, 0, 0},    {-3, 0, 180},
                 {1, 1, 45},        {-1, 1, 135}, {-1, -1, 225}, {1, -1, 315}, {std::sqrt(3.0L), 1, 30},
                 {-1, -1e-30L, 180}};
    for (const auto& c : cases)
        EXPECT_NEAR(double(PointAngleDegrees(c.X, c.Y)), double(c.Degrees), 1e-12) << c.X << ", " << c.Y;
}

TEST(PlotGraphPolar, AxesRunFromTheOriginToTheEdges) {
    TPolarScene s;
    s.Settings().TickMarkType = pkNone;
    EXPECT_EQ(s.Draw(), "");
    Pixels expected;
    for (int i = -100; i <= 100; ++i)
        expected.insert({{100 + i, 100}, {100, 100 + i}, {100 + i, 100 - i}, {100 + i, 100 + i}});
    EXPECT_EQ(s.PixelsOf(AxisInk), expected);
    const TPolarAxisSegment& diagonal = s.Graph.AxisSegments()[1]; // 45 degrees
    EXPECT_TRUE(diagonal.Visible);
    EXPECT_EQ(diagonal.X1, 0);
    EXPECT_NEAR(double(diagonal.X2), 100, 1e-9);
    EXPECT_EQ(diagonal.Y2, 100);
}

TEST(PlotGraphPolar, AnAxisWhoseRayMissesTheViewIsNotDrawn) {
    // The view lies above and right of the origin: scaled x 400..600, y 200..400.
    TPolarScene s;
    s.Graph.ViewZoom().CenterX = 500;
    s.Graph.ViewZoom().CenterY = 300;
    s.Axes({30, 210});
    s.Settings().ShowLabels = true;
    s.Draw();
    EXPECT_TRUE(s.Graph.AxisSegments()[0].Visible);
    EXPECT_FALSE(s.Graph.AxisSegments()[1].Visible);
    // The 30 degree ray enters at (400, 230.9) and leaves at (600, 346.4): pixels (0, 169)
    // to (200, 54); the dashes stand on it, none elsewhere.
    s.Settings().TickMarkType = pkNone;
    s.Draw();
    const Pixels axis = s.PixelsOf(AxisInk);
    EXPECT_EQ(axis.size(), 201u);
    EXPECT_TRUE(axis.count({0, 169}));
    EXPECT_TRUE(axis.count({200, 54}));
}

TEST(PlotGraphPolar, TicksNeedFivePixelsBetweenThem) {
    struct Case {
        long double Increment;
        uint8_t Type;
        bool Ticks;
    } cases[] = {
        {1, pkDashes, true}, {0.1L, pkDashes, false}, {0.1L, pkCircles, false},
        {1, pkNone, false},  {-1, pkDashes, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << double(c.Increment) << " " << int(c.Type));
        TPolarScene s;
        s.Settings().ShowLabels = true;
        s.Settings().TickMarkType = c.Type;
        setIncrement(s.Settings(), c.Increment);
        s.AddCurve("2", 0, 2 * Pi, 100);
        s.Draw();
        EXPECT_EQ(!s.PixelsOf(TickInk).empty(), c.Ticks);
        EXPECT_EQ(!s.PixelsOf(LabelInk).empty(), c.Ticks);
        EXPECT_EQ(s.PixelsOf(AxisInk).size() > 700, true); // the axes, and the curve r = 2
        EXPECT_TRUE(s.Pixel(170, 100) == CurveInk);
    }
}

TEST(PlotGraphPolar, DashesCrossTheAxesAndTheirLabelsStandBesideThem) {
    // At distance 35 along each axis, a dash of 5 pixels to either side; the label's
    // top-left corner depends on the dash's slope in pixels.
    struct Case {
        long double Angle;
        Pixels Ends; // the dash's two end pixels
        int CornerX; // the column of the label's top-left corner; its row follows below
    } cases[] = {
        {0, {{135, 105}, {135, 95}}, 135}, // vertical: under the lower end, row 106
        {90, {{105, 65}, {95, 65}}, 106},  // horizontal: right of it, centred on row 65
        {45, {{128, 79}, {121, 72}}, 129}, // falling to the right: below-right, row 80
        {135, {{79, 72}, {72, 79}}, 80},   // rising: above-right of the upper end (row 72)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(double(c.Angle));
        TPolarScene s;
        s.Axes({c.Angle});
        s.Settings().ShowLabels = true;
        s.Draw();
        for (const auto& [x, y] : c.Ends)
            EXPECT_EQ(s.Pixel(x, y), TickInk) << x << "," << y;
        const TSize text = s.Extent("1");
        const int top = c.Angle == 0    ? 106
                        : c.Angle == 90 ? 65 - text.cy / 2
                        : c.Angle == 45 ? 80
                                        : 72 - (text.cy + 1);
        // All ink near the tick lies in the text box at the corner, and some does.
        const int inBox = s.InkIn(c.CornerX, top, c.CornerX + text.cx - 1, top + text.cy - 1);
        EXPECT_GT(inBox, 0);
        EXPECT_EQ(s.InkIn(c.CornerX - 6, top - 6, c.CornerX + text.cx + 5, top + text.cy + 5), inBox);
    }
}

TEST(PlotGraphPolar, CirclesAroundAnOriginInView) {
    // Origin at pixel (150, 150); the farthest corner is 212 pixels away: circles of 35,
    // 70, ... 210 pixels.
    auto draw = [](long double centerX, long double centerY) {
        auto s = std::make_unique<TPolarScene>(301, 301);
        s->Settings().TickMarkType = pkCircles;
        s->Graph.ViewZoom().CenterX = centerX;
        s->Graph.ViewZoom().CenterY = centerY;
        s->Draw();
        return s;
    };
    const auto s = draw(0, 0);
    for (int k = 1; k <= 4; ++k) {
        const int r = 35 * k;
        for (auto [x, y] : {std::pair{150 + r, 150}, {150 - r, 150}, {150, 150 + r}, {150, 150 - r}})
            EXPECT_EQ(s->Pixel(x, y), TickInk) << k << ": " << x << "," << y;
        EXPECT_NE(s->Pixel(150 + r + 1, 150), TickInk);
        EXPECT_NE(s->Pixel(150 + r - 1, 150), TickInk);
    }
    // The same circles around whatever pixel the origin falls on: with the centre at
    // (0.5, -0.5) the origin stays on (150, 150), with (0.7, 0.2) it moves to (149, 150).
    EXPECT_EQ(draw(0.5L, -0.5L)->PixelsOf(TickInk), s->PixelsOf(TickInk));
    Pixels shifted;
    for (const auto& [x, y] : s->PixelsOf(TickInk))
        if (x >= 1) shifted.insert({x - 1, y});
    Pixels moved = draw(0.7L, 0.2L)->PixelsOf(TickInk);
    std::erase_if(moved, [](const auto& p) { return p.first == 300; });
    EXPECT_EQ(moved, shifted);
}

TEST(PlotGraphPolar, CirclesAroundAnOriginOutsideTheView) {
    // The view lies right of the origin (scaled x 400..600): the first circle reaching it
    // has radius 420 and crosses the x axis at column 20; the last is 595.
    TPolarScene s;
    s.Graph.ViewZoom().CenterX = 500;
    s.Settings().TickMarkType = pkCircles;
    s.Settings().AxisCount = 0;
    s.Draw();
    for (int column = 20; column <= 195; column += 35)
        EXPECT_EQ(s.Pixel(column, 100), TickInk) << column;
    EXPECT_NE(s.Pixel(19, 100), TickInk);
}

TEST(PlotGraphPolar, CirclesAbove4000PixelsAreArcsAcrossTheView) {
    // Scaled x 4900..5100: arcs of radius 4900, 4935, ... 5075 cross the x axis at
    // columns 0, 35, ... 175, each labelled where it meets the 0 degree axis.
    TPolarScene s;
    s.Graph.ViewZoom().CenterX = 5000;
    s.Settings().TickMarkType = pkCircles;
    s.Settings().ShowLabels = true;
    s.Axes({0});
    s.Draw();
    for (int column = 0; column <= 175; column += 35) {
        EXPECT_EQ(s.Pixel(column, 100), TickInk) << column;
        EXPECT_GT(s.InkIn(column + 1, 101, column + 34, 120), 0) << column;
    }
    EXPECT_EQ(s.Pixel(200, 100), AxisInk); // no arc at 5110
    // The arcs bend toward the origin above and below the axis.
    EXPECT_EQ(s.Pixel(34, 0), TickInk);
    EXPECT_EQ(s.Pixel(34, 200), TickInk);
}

TEST(PlotGraphPolar, RestrictRadiusCutsAxesAndCircles) {
    // Radius 5 at zoom 35: 175 pixels from the origin at (250, 250).
    TPolarScene s(501, 501);
    s.Settings().RestrictRadius = true;
    FloatToMathValue(s.Settings().RadiusRestrict, 5);
    s.Settings().TickMarkType = pkNone;
    s.Draw();
    EXPECT_EQ(s.Pixel(425, 250), AxisInk);
    EXPECT_NE(s.Pixel(426, 250), AxisInk);
    EXPECT_EQ(s.Pixel(75, 250), AxisInk);
    EXPECT_NE(s.Pixel(74, 250), AxisInk);
    EXPECT_EQ(s.Pixel(374, 126), AxisInk); // 45 degrees: 123.7 pixels each way
    EXPECT_NE(s.Pixel(375, 125), AxisInk);

    // The last dash stands right at the cut, 175 pixels out: (377, 130) to (370, 123) on
    // the 45 degree axis, whatever the rounding of the cut point's distance.
    s.Settings().TickMarkType = pkDashes;
    s.Draw();
    EXPECT_EQ(s.Pixel(377, 130), TickInk);
    EXPECT_EQ(s.Pixel(370, 123), TickInk);

    s.Settings().TickMarkType = pkCircles;
    s.Draw();
    EXPECT_EQ(s.Pixel(425, 250), TickInk);
    EXPECT_EQ(s.Pixel(250, 75), TickInk);
    EXPECT_EQ(s.Pixel(460, 250), clWhite); // no circle of 210
    EXPECT_EQ(s.Pixel(250, 40), clWhite);
}

TEST(PlotGraphPolar, FourSamplesOfAUnitCircleDrawASquare) {
    TPolarScene s;
    s.Settings().AxisCount = 0;
    s.Settings().TickMarkType = pkNone;
    s.AddCurve("1+THETA-X", 0, 2 * Pi, 4); // 1 only when THETA and X are both set
    s.Draw();
    Pixels expected;
    for (int i = 0; i < 35; ++i)
        expected.insert({{135 - i, 100 - i}, {100 - i, 65 + i}, {65 + i, 100 + i}, {100 + i, 135 - i}});
    EXPECT_EQ(s.PixelsOf(CurveInk), expected);
}

TEST(PlotGraphPolar, ACurveWithoutSamplesDrawsNothing) {
    for (int32_t samples : {0, -3, INT32_MIN}) {
        TPolarScene s;
        s.Settings().TickMarkType = pkNone;
        s.AddCurve("1", 0, 2 * Pi, samples);
        s.AddCurve("2", 0, 2 * Pi, 8); // the next curve still draws
        EXPECT_EQ(s.Draw(), "");
        EXPECT_FALSE(s.PixelsOf(AxisInk).empty());
        EXPECT_EQ(s.Pixel(135, 100), AxisInk);
        EXPECT_EQ(s.Pixel(170, 100), CurveInk);
    }
}

TEST(PlotGraphPolar, ViewsAndSettingsFromAFileAtTheirLimitsDrawWithoutFault) {
    const long double centres[] = {0, 1e30L, -1e19L, INFINITY, NAN};
    const long double zooms[] = {35, 1e-4L, 1e30L, 0, -35, INFINITY};
    for (long double centre : centres)
        for (long double zoom : zooms)
            for (uint8_t type : {pkDashes, pkCircles}) {
                TPolarScene s(64, 48);
                s.Graph.ViewZoom().CenterX = centre;
                s.Graph.ViewZoom().CenterY = -centre / 3;
                s.Graph.ViewZoom().Zoom = zoom;
                s.Settings().TickMarkType = type;
                s.Settings().ShowLabels = true;
                s.Settings().AxisCount = 400;
                s.Settings().AxisAngles[1] = NAN;
                s.Settings().AxisAngles[2] = -1e30L;
                s.Settings().AxisWidth = INT32_MAX;
                s.Settings().DashLength = INT32_MIN;
                s.Settings().RestrictRadius = centre == 0;
                setIncrement(s.Settings(), zoom == 35 ? 1e-30L : 1e30L);
                s.AddCurve("1/THETA", -1, 1, 1000);
                EXPECT_EQ(s.Draw(), "");
            }
    // A view 1e20 scaled units out: arcs whose step angle is 0 stop at their piece limit.
    TPolarScene s;
    s.Graph.ViewZoom().CenterX = 1e20L;
    s.Settings().TickMarkType = pkCircles;
    EXPECT_EQ(s.Draw(), "");
}

TEST(PlotGraphPolar, ACancelLeavesAPartialPictureQuietly) {
    TPolarScene s;
    s.AddCurve("2", 0, 2 * Pi, 100000);
    int polls = 0;
    s.Graph.SetIsAbortedEvent([&](bool& stop) { stop = ++polls > 2000; });
    EXPECT_EQ(s.Draw(), "");
    EXPECT_FALSE(s.PixelsOf(AxisInk).empty());
    const size_t drawn = s.PixelsOf(CurveInk).size(); // a few batches of the circle
    EXPECT_GT(drawn, 0u);
    EXPECT_LT(drawn, 60u);
}
