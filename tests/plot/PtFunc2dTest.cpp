// y = f(x) and parametric curves of 2D graphs, pixel by pixel. The default view on
// 1000 x 1000: column c shows x = (c - 500) / 35, scaled y ys lies on row round(-ys) + 500.
#include "Plot2DTestSupport.h"
#include "PlotTestSupport.h"
#include "model/func2d.h"
#include "model/funcpara.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace plottest;

namespace {

constexpr TColor Ink = 0x0080FF, OtherInk = 0xFF8000;

struct TFunctionsFixture : TGraph2DFixture {
    TSequenceList<TBaseFuncObj> Source;

    explicit TFunctionsFixture(int w = 1000, int h = 1000) : TGraph2DFixture(w, h) {}

    TFunc2DObj& Add(const std::string& text, TColor color = Ink) {
        Source.push_back(CompiledFunction<TFunc2DObj>(text, color));
        return static_cast<TFunc2DObj&>(*Source.back());
    }

    TFuncParametricObj& AddParametric(const std::string& x, const std::string& y, long double lo,
                                      long double hi, int32_t samples, TColor color = Ink) {
        auto f = std::make_unique<TFuncParametricObj>();
        f->FuncX.SetExpression(x);
        f->FuncY.SetExpression(y);
        EXPECT_TRUE(f->FuncX.CompileMathFunc() && f->FuncY.CompileMathFunc()) << x << ", " << y;
        f->LoBound = MathValueOf(lo);
        f->HiBound = MathValueOf(hi);
        f->Samples = samples;
        f->FuncColor = color;
        Source.push_back(std::move(f));
        return static_cast<TFuncParametricObj&>(*Source.back());
    }

    void DrawFunctions() {
        Graph.AssignFunctions(Source);
        Draw();
    }
};

// A single special value x with its behaviours, as the function's only row.
void specialAt(TFunc2DObj& fn, long double x, uint8_t left, uint8_t at, uint8_t right) {
    auto item = std::make_unique<TFunc2DSpecialItem>();
    item->FirstValue = MathValueOf(x);
    item->LeftBehavior = left;
    item->AtBehavior = at;
    item->RightBehavior = right;
    fn.SpecialValues.Items.push_back(std::move(item));
    TMath2DFunc valueFunc;
    ASSERT_TRUE(fn.SpecialValues.CalculateValues(valueFunc));
}

} // namespace

TEST(Functions2D, BoundsPickTheColumnsInsideThemAndNothingOutside) {
    // Zoom 32 keeps the bounds exact in binary: column c shows x = (c - 500) / 32, and y = x
    // lies on row 1000 - c.
    struct Case {
        long double lo, hi; // 0 = unbounded
        int first, last;    // inked columns of the curve, first > last for none
    };
    const Case cases[] = {
        {-10.5L / 32, 10.5L / 32, 490, 510}, // non-whole bounds: ceil and floor
        {-10.0L / 32, 10.0L / 32, 490, 510}, // whole bounds: those very columns
        {-9.75L / 32, 9.75L / 32, 491, 509},
        {0.25L / 32, 0.75L / 32, 1, 0},      // inside one column gap
        {-0.25L / 32, 0.25L / 32, 1, 0},     // around one column only
        {510.0L / 32, 0, 1, 0},              // low bound beyond the right edge
        {0, -520.0L / 32, 1, 0},             // high bound left of the left edge
        {3.0L / 32, -3.0L / 32, 1, 0},       // reversed
        {-600.0L / 32, 600.0L / 32, 1, 999}, // beyond both edges: every column (row 1000 of column 0 is off)
    };
    for (const Case& c : cases) {
        TFunctionsFixture f;
        f.View().ZoomX = f.View().ZoomY = 32;
        TFunc2DObj& fn = f.Add("X");
        fn.LoBoundEmpty = c.lo == 0;
        fn.HiBoundEmpty = c.hi == 0;
        fn.LoBound = MathValueOf(c.lo);
        fn.HiBound = MathValueOf(c.hi);
        f.DrawFunctions();
        const std::string label =
            std::to_string(double(c.lo * 32)) + ".." + std::to_string(double(c.hi * 32));
        if (c.first > c.last) {
            EXPECT_EQ(f.CountAll(Ink), 0) << label;
            continue;
        }
        EXPECT_EQ(f.CountAll(Ink), c.last - c.first + 1) << label;
        EXPECT_TRUE(f.Is(c.first, 1000 - c.first, Ink)) << label;
        EXPECT_TRUE(f.Is(c.last, 1000 - c.last, Ink)) << label;
    }
}

TEST(Functions2D, SpecialPointOfOneOverXStrokesItsBranchesOffTheEdges) {
    // Zoom Y 1 brings the values next to 0 into view: at x = -1/35 (column 499), y = -35
    // lies on row 535. With the centre half a pixel right, 0 falls strictly between columns
    // 499 (x = -0.5/35, row 570) and 500 (row 430), and the special point lies inside a gap.
    for (long double centerX : {0.0L, 0.5L}) {
        for (bool special : {true, false}) {
            TFunctionsFixture f;
            f.View().ZoomY = 1;
            f.View().CenterX = centerX;
            TFunc2DObj& fn = f.Add("1/X");
            if (special) specialAt(fn, 0, sbNegativeInfinity, sbAtUndefined, sbPositiveInfinity);
            f.DrawFunctions();
            const int leftColumn = 499, rightColumn = centerX == 0 ? 501 : 500;
            const int leftRow = centerX == 0 ? 535 : 570, rightRow = centerX == 0 ? 465 : 430;
            SCOPED_TRACE(std::string(special ? "with" : "without") + " the point, centre " +
                         std::to_string(double(centerX)));
            // Down from the last defined value to the bottom edge, up from the first one to the top.
            EXPECT_EQ(f.Count(Ink, leftColumn, leftRow, leftColumn, 999), special ? 1000 - leftRow : 1);
            EXPECT_EQ(f.Count(Ink, rightColumn, 0, rightColumn, rightRow), special ? rightRow + 1 : 1);
        }
    }
}

TEST(Functions2D, NotContinuousSidesAreNeverJoined) {
    // y = 10x: column 499 lies on row 510, column 500 on row 500. With the centre half a
    // pixel right the special point x = 0 (row 500) lies inside the gap 499 (row 505) .. 500
    // (row 495) and is drawn at the column of the nearer sample (499 on a tie).
    struct Case {
        long double centerX;
        uint8_t left, right;
        int rowsJoined; // inked pixels in columns 499..500 between the two samples' rows
    };
    const Case cases[] = {
        {0, sbAutomatic, sbAutomatic, 9},        {0, sbNotContinuous, sbAutomatic, 0},
        {0.5L, sbAutomatic, sbAutomatic, 4},     {0.5L, sbNotContinuous, sbAutomatic, 0},
        {0.5L, sbAutomatic, sbNotContinuous, 0},
    };
    for (const Case& c : cases) {
        TFunctionsFixture f;
        f.View().CenterX = c.centerX;
        specialAt(f.Add("10*X"), 0, c.left, sbAtAutoDetect, c.right);
        f.DrawFunctions();
        const int low = c.centerX == 0 ? 510 : 505;
        if (c.centerX == 0)
            EXPECT_EQ(f.Count(Ink, 499, 501, 500, low - 1), c.rowsJoined);
        else if (c.right == sbNotContinuous)
            EXPECT_EQ(f.Count(Ink, 499, 496, 500, 499), c.rowsJoined); // B (row 500) to column 500
        else
            EXPECT_EQ(f.Count(Ink, 499, 501, 500, low - 1), c.rowsJoined);
        EXPECT_TRUE(f.Is(499, low, Ink));
    }
}

TEST(Functions2D, TangentPolesAreNotJoinedWithTheAsymptoteFix) {
    // The pole at pi/2 lies between column 554 (tan = 35.8, row -753) and 555 (tan = -1582,
    // clamped 2500 below the view); the one at -pi/2 between 445 and 446.
    for (bool fix : {true, false}) {
        TFunctionsFixture f;
        f.Add("TAN(X)").AsymFixUp = fix;
        f.DrawFunctions();
        for (int column : {445, 554}) {
            const int across = f.Count(Ink, column, 0, column + 1, 999);
            if (fix)
                EXPECT_EQ(across, 0) << column;
            else
                EXPECT_GE(across, 1000) << column;
        }
        // Away from the poles the curve is drawn the same.
        EXPECT_TRUE(f.Is(500, 500, Ink));
    }
}

TEST(Functions2D, ZeroToANegativePowerLeavesTheColumnOfZeroUndrawn) {
    // Column 500 shows x = 0. A negative power of zero has no value, so the curve leaves
    // that column out exactly as 1/X does instead of joining its branches through y = 0.
    struct Case {
        const char* text;
        bool inkedAtZero, sameAsReciprocal;
    };
    const Case cases[] = {
        {"X^(-1)", false, true}, {"X^(-1/3)", false, false}, {"X^(1/3)", true, false}, {"X^2", true, false}};
    TFunctionsFixture reciprocal;
    reciprocal.Add("1/X");
    reciprocal.DrawFunctions();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TFunctionsFixture f;
        f.Add(c.text);
        f.DrawFunctions();
        EXPECT_EQ(f.Count(Ink, 500, 0, 500, 999) > 0, c.inkedAtZero);
        EXPECT_GT(f.Count(Ink, 480, 0, 499, 999), 0) << "the branch left of it is drawn";
        if (c.sameAsReciprocal) {
            EXPECT_EQ(f.CountAll(Ink), reciprocal.CountAll(Ink));
            EXPECT_EQ(f.Count(Ink, 495, 0, 505, 999), reciprocal.Count(Ink, 495, 0, 505, 999));
        }
    }
}

TEST(Functions2D, ExtraAccuracyStrokesTowardTheValuesNearAnUndefinedNeighbour) {
    // SQRT(X) with the centre half a pixel right and zoom Y 350: the first defined column
    // 500 shows x = 0.5/35, sqrt = 0.1195, row 458; refining toward x = 0 finds values down
    // to 0, row 500.
    struct Case {
        bool flag;
        uint8_t rightOfUndefined; // behaviour of a special point at column 499's x
        int stroke;               // inked pixels of column 500 in rows 459..500
    };
    const Case cases[] = {
        {true, 0xFF, 42}, {false, 0xFF, 0}, {false, sbExtraAccuracy, 42}, {true, sbNoExtraAccuracy, 0}};
    for (const Case& c : cases) {
        TFunctionsFixture f;
        f.View().CenterX = 0.5L;
        f.View().ZoomY = 350;
        TFunc2DObj& fn = f.Add("SQRT(X)");
        fn.ExtraUndefAccuracy = c.flag;
        if (c.rightOfUndefined != 0xFF)
            specialAt(fn, -0.5L / 35, sbAutomatic, sbAtAutoDetect, c.rightOfUndefined);
        f.DrawFunctions();
        EXPECT_TRUE(f.Is(500, 458, Ink));
        EXPECT_EQ(f.Count(Ink, 500, 459, 500, 500), c.stroke) << c.flag << " " << int(c.rightOfUndefined);
        EXPECT_EQ(f.Count(Ink, 499, 0, 499, 999), 0);
    }
}

TEST(Functions2D, ParametricCircleOfFourSamplesIsASquare) {
    TFunctionsFixture f;
    f.AddParametric("COS(T)", "SIN(T)", 0, DefaultHiBoundValue, 4);
    f.DrawFunctions();
    // (535, 500) -> (500, 465) -> (465, 500) -> (500, 535) -> back: four diagonals of 35.
    EXPECT_EQ(f.CountAll(Ink), 4 * 35);
    for (int i = 0; i < 35; ++i) {
        EXPECT_TRUE(f.Is(535 - i, 500 - i, Ink)) << i;
        EXPECT_TRUE(f.Is(500 - i, 465 + i, Ink)) << i;
        EXPECT_TRUE(f.Is(465 + i, 500 + i, Ink)) << i;
        EXPECT_TRUE(f.Is(500 + i, 535 - i, Ink)) << i;
    }
}

TEST(Functions2D, ParametricCurveLeavingTheViewEndsOnItsEdges) {
    // (t, 20 - t^2) leaves through the top (y = 500/35) at t = -2.3905 (column 416.3) and
    // comes back at column 583.7; a thin pen sets the pixels the clipped ends land on.
    TFunctionsFixture f;
    f.AddParametric("T", "20-T^2", -10, 10, 2000);
    f.DrawFunctions();
    EXPECT_TRUE(f.Is(416, 0, Ink));
    EXPECT_TRUE(f.Is(584, 0, Ink));
    EXPECT_EQ(f.Count(Ink, 417, 0, 583, 0), 0);
    EXPECT_EQ(f.Count(Ink, 0, 0, 415, 0) + f.Count(Ink, 585, 0, 999, 0), 0);
}

TEST(Functions2D, ZeroOrNegativeSampleCountsDrawNothingAndTheRestDraws) {
    for (int32_t samples : {0, -5, INT32_MIN}) {
        TFunctionsFixture f;
        f.AddParametric("COS(T)", "SIN(T)", 0, DefaultHiBoundValue, samples);
        f.Add("X", OtherInk);
        EXPECT_NO_THROW(f.DrawFunctions());
        EXPECT_EQ(f.CountAll(Ink), 0) << samples;
        EXPECT_GT(f.CountAll(OtherInk), 900) << samples;
    }
}

TEST(Functions2D, RenderersEvaluateTheirOwnCopies) {
    TFunctionsFixture f;
    TFunc2DObj& source = f.Add("X+1");
    source.Func.SetVariableFloat(0, 41);
    ASSERT_TRUE(source.Func.EvaluateMathFunc());
    f.DrawFunctions();
    EXPECT_EQ(source.Func.GetResultFloat(), 42);
    EXPECT_GT(f.CountAll(Ink), 900);
}

TEST(Functions2D, ACancelInMidRunLeavesAPartialPictureAndNoError) {
    TFunctionsFixture f;
    f.Add("X");
    f.Add("-X", OtherInk);
    f.Graph.AssignFunctions(f.Source);
    // Axes and labels ask about 130 times; then every column of the first function asks
    // before its sample and before its segment.
    int polls = 0;
    f.Graph.SetIsAbortedEvent([&](bool& v) { v = ++polls > 600; });
    std::string error = "x";
    EXPECT_NO_THROW(f.Graph.DrawGraph(error));
    EXPECT_EQ(error, "");
    EXPECT_GT(f.CountAll(Ink), 100);
    EXPECT_LT(f.CountAll(Ink), 900);
    EXPECT_EQ(f.CountAll(OtherInk), 0);
}

TEST(Functions2D, ExtremeViewsAndStoredValuesDrawWithoutFault) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    struct Case {
        long double centerX, centerY, zoomX, zoomY;
    };
    const Case cases[] = {{1e30L, 1e30L, 35, 35},  {0, 0, 1e-4L, 1e-4L}, {nan, 0, 35, 35},
                          {0, 0, 0, 35},           {0, 0, 35, 0},        {-1e4900L, 0, 1e-4900L, 1e4900L},
                          {0, 0, 1e4900L, 1e4900L}};
    for (const Case& c : cases) {
        TFunctionsFixture f(120, 80);
        f.View().CenterX = c.centerX;
        f.View().CenterY = c.centerY;
        f.View().ZoomX = c.zoomX;
        f.View().ZoomY = c.zoomY;
        TFunc2DObj& bounded = f.Add("SQRT(X)");
        bounded.ExtraUndefAccuracy = true;
        bounded.AsymFixUp = true;
        bounded.LoBoundEmpty = bounded.HiBoundEmpty = false;
        bounded.LoBound = MathValueOf(-1e4000L);
        bounded.HiBound = MathValueOf(1e4000L);
        bounded.LineWidth = INT32_MAX;
        specialAt(f.Add("1/X"), 0, sbNegativeInfinity, sbAtUndefined, sbPositiveInfinity);
        f.AddParametric("T*10^300", "T", -1e4000L, 1e4000L, 100000).LineWidth = INT32_MIN;
        EXPECT_NO_THROW(f.DrawFunctions()) << double(c.centerX) << " " << double(c.zoomX);
    }
}
