#include "dialogs/ViewCalc.h"
#include "math/GrGlobal.h"
#include "model/Vw2dObj.h"
#include "model/VwPoObj.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(ViewCalc, PixelsFromUnitsClampsRoundsHalvesToEvenAndSurvivesFaults) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    struct TCase {
        long double value, zoom;
        int32_t pixels;
    };
    const TCase cases[] = {
        {1, 35, 35},
        {10000, 35, 100000},
        {-10000, 35, -100000},
        {2.5L, 1, 2},
        {3.5L, 1, 4},
        {-2.5L, 1, -2},
        {-3.5L, 1, -4},
        {0.4999L, 1, 0},
        {1e4000L, 1e4000L, 100000}, // the product overflows: by the value's sign
        {-1e4000L, 1e4000L, -100000},
        {1e4000L, -1e4000L, 100000},
        {inf, 0, 0}, // no number
        {nan, 35, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PixelsFromUnits(c.value, c.zoom), c.pixels) << double(c.value) << " x " << double(c.zoom);

    EXPECT_EQ(UnitsFromPixels(35, 35), 1);
    EXPECT_EQ(UnitsFromPixels(5, 0), 0);
    EXPECT_EQ(UnitsFromPixels(0, 0), 0);
    EXPECT_EQ(ClampViewPixels(250000), 100000);
    EXPECT_EQ(ClampViewPixels(-1e300L), -100000);
    EXPECT_EQ(ClampViewPixels(12.9L), 12);
    EXPECT_EQ(ClampViewPixels(-12.9L), -12);
    EXPECT_EQ(ClampViewPixels(nan), 0);
}

TEST(ViewCalc, ZoomRangeIgnoreAndMessages) {
    EXPECT_TRUE(ViewZoomInRange(10000));
    EXPECT_TRUE(ViewZoomInRange(0.0001L));
    EXPECT_FALSE(ViewZoomInRange(10001));
    EXPECT_FALSE(ViewZoomInRange(0.00009L));
    EXPECT_FALSE(ViewZoomInRange(0));
    EXPECT_EQ(IgnoredViewZoom(10001), 10000);
    EXPECT_EQ(IgnoredViewZoom(1), 10000);
    EXPECT_EQ(IgnoredViewZoom(0.00001L), 0.0001L);
    EXPECT_EQ(IgnoredViewZoom(0), 0.0001L);
    EXPECT_EQ(IgnoredViewZoom(-5), 0.0001L);
    EXPECT_EQ(ViewZoomRangeMessage("X"), "Error: X Axis View Zoom must be <= 10,000 and >= 0.0001");
    EXPECT_EQ(ViewZoomRangeMessage("Y"), "Error: Y Axis View Zoom must be <= 10,000 and >= 0.0001");
    EXPECT_EQ(ViewZoomRangeMessage(""), "Error View Zoom must be <= 10,000 and >= 0.0001");
}

TEST(ViewCalc, ThetaIsReducedIntoOneTurn) {
    const long double eps = 1e-15L;
    EXPECT_NEAR(double(ReduceTheta(DegToRad(370))), double(DegToRad(10)), eps);
    EXPECT_NEAR(double(ReduceTheta(DegToRad(-90))), double(DegToRad(270)), eps);
    EXPECT_NEAR(double(ReduceTheta(DegToRad(-725))), double(DegToRad(355)), 1e-14);
    for (long double deg : {-360.0L, 360.0L, 720.0L, -720.0L, 0.0L, 359.999L, -1e-30L}) {
        const long double r = ReduceTheta(DegToRad(deg));
        EXPECT_GE(r, 0) << double(deg);
        EXPECT_LT(r, TwoPiExtended) << double(deg);
    }
    EXPECT_EQ(ReduceTheta(std::numeric_limits<long double>::infinity()), 0);
    EXPECT_EQ(ReduceTheta(std::numeric_limits<long double>::quiet_NaN()), 0);
}

TEST(ViewCalc, TwoDCenterKeepsPixelsAsTheMasterCopy) {
    TView2DZoomObj view;
    view.ZoomX = 35;
    view.ZoomY = 20;
    view.CenterX = 70.9L;   // truncated
    view.CenterY = -250000; // beyond the fields
    T2DViewCenter c;
    c.Load(view);
    EXPECT_EQ(c.PixelsX, 70);
    EXPECT_EQ(c.PixelsY, -100000);
    EXPECT_EQ(c.UnitsX, 2);
    EXPECT_EQ(c.UnitsY, -5000);

    c.SetUnitsX(1);
    EXPECT_EQ(c.PixelsX, 35);
    EXPECT_EQ(c.PixelsY, -100000); // from the kept Y
    c.SetUnitsX(10000);
    EXPECT_EQ(c.PixelsX, 100000);
    EXPECT_EQ(c.UnitsX, 100000 / 35.0L);
    c.SetUnitsY(0.5L);
    EXPECT_EQ(c.PixelsY, 10);
    EXPECT_EQ(c.PixelsX, 100000);
    // A new zoom keeps the pixels and changes the units.
    c.SetZoomX(50);
    EXPECT_EQ(c.PixelsX, 100000);
    EXPECT_EQ(c.UnitsX, 2000);
    c.SetPixels(-300000, 12.5L);
    EXPECT_EQ(c.PixelsX, -100000);
    EXPECT_EQ(c.PixelsY, 12);

    TView2DZoomObj out;
    out.Changed = false;
    c.Store(out);
    EXPECT_EQ(out.ZoomX, 50);
    EXPECT_EQ(out.ZoomY, 20);
    EXPECT_EQ(out.CenterX, -100000);
    EXPECT_EQ(out.CenterY, 12);
    EXPECT_FALSE(out.Changed);
}

TEST(ViewCalc, PolarCenterFromEveryForm) {
    TViewPolarZoomObj view;
    view.Zoom = 35;
    view.CenterX = 350;
    TPolarViewCenter c;
    c.Load(view);
    EXPECT_EQ(c.X, 10);
    EXPECT_EQ(c.R, 10);
    EXPECT_EQ(c.Theta, 0);
    EXPECT_FALSE(c.ThetaInRadians);

    // Theta typed in degrees: 370 points where 10 does, -90 where 270 does.
    auto pixelsAt = [&](long double typed) {
        TPolarViewCenter p = c;
        p.SetTheta(typed);
        return std::pair{p.PixelsX, p.PixelsY};
    };
    EXPECT_EQ(pixelsAt(370), pixelsAt(10));
    EXPECT_EQ(pixelsAt(10), (std::pair{345, 61})); // 350 cos 10, 350 sin 10
    EXPECT_EQ(pixelsAt(-90), pixelsAt(270));
    EXPECT_EQ(pixelsAt(-90), (std::pair{0, -350}));
    c.SetTheta(90);
    EXPECT_EQ(c.PixelsX, 0);
    EXPECT_EQ(c.PixelsY, 350);
    EXPECT_NEAR(double(c.ThetaShown()), 90, 1e-12);
    c.ThetaInRadians = true;
    EXPECT_EQ(c.ThetaShown(), HalfPiExtended);
    c.SetTheta(PiExtended);
    EXPECT_EQ(c.PixelsX, -350);
    EXPECT_EQ(c.PixelsY, 0);

    c.SetR(20); // along the kept Theta
    EXPECT_EQ(c.PixelsX, -700);
    c.SetCartesianY(2);
    EXPECT_EQ(c.PixelsX, -700);
    EXPECT_EQ(c.PixelsY, 70);
    c.SetCartesianX(0);
    EXPECT_EQ(c.PixelsX, 0);
    EXPECT_EQ(c.R, 2);
    EXPECT_EQ(c.Theta, HalfPiExtended);
    c.SetZoom(70); // the pixels stay, the point moves
    EXPECT_EQ(c.PixelsY, 70);
    EXPECT_EQ(c.R, 1);
    c.SetPixels(1e6L, -1e6L);
    EXPECT_EQ(c.PixelsX, 100000);
    EXPECT_EQ(c.PixelsY, -100000);

    TViewPolarZoomObj out;
    c.Store(out);
    EXPECT_EQ(out.Zoom, 70);
    EXPECT_EQ(out.CenterX, 100000);
    EXPECT_EQ(out.CenterY, -100000);
    EXPECT_TRUE(out.ThetaInRadians);
    EXPECT_FALSE(out.Changed);
}
