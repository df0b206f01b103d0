#include "shell/ViewStep.h"

#include "model/Vw2dObj.h"
#include "model/Vw3dObj.h"
#include "model/VwPoObj.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TView2DZoomObj view2D(long double ZoomX, long double ZoomY) {
    TView2DZoomObj view;
    view.ZoomX = ZoomX;
    view.ZoomY = ZoomY;
    return view;
}

} // namespace

TEST(ViewStep, BothAxisZoomKeepsTheDifferenceUntilTheZoomsMeetOrReachALimit) {
    const THotKey2DObj keys;
    struct Case {
        long double X, Y;
        bool In;
        bool Changed;
        long double NewX, NewY;
    };
    for (const Case& c : {
             Case{35, 35, true, true, 40, 40},  // equal zooms step together
             Case{40, 40, false, true, 35, 35}, // and back
             Case{5, 50, true, true, 7, 52},    // Y moved more: it follows X's step of 2
             Case{7, 52, false, true, 5, 50},   // and back
             Case{60, 3, true, true, 62, 5},    // X moved more: it follows Y's step
             Case{10000, 10000, true, false, 10000, 10000},
             Case{0.0001L, 0.0001L, false, false, 0.0001L, 0.0001L},
             Case{9900, 30, true, true, 10000, 35}, // X reaches the limit: both take their own step
             Case{9999, 10000, true, true, 10000, 10000},
             Case{0.0002L, 50, false, true, 0.0001L, 45},
         }) {
        TView2DZoomObj view = view2D(c.X, c.Y);
        const bool changed = c.In ? Zoom2DIn(view, keys) : Zoom2DOut(view, keys);
        SCOPED_TRACE(testing::Message() << double(c.X) << " " << double(c.Y) << (c.In ? " in" : " out"));
        EXPECT_EQ(changed, c.Changed);
        EXPECT_EQ(view.Changed, c.Changed);
        EXPECT_NEAR(double(view.ZoomX), double(c.NewX), 1e-12);
        EXPECT_NEAR(double(view.ZoomY), double(c.NewY), 1e-12);
    }
}

TEST(ViewStep, SingleZoomStepsChangeOnlyWhatMoves) {
    const THotKey2DObj keys2D;
    TView2DZoomObj view = view2D(35, 10000);
    EXPECT_FALSE(ZoomAxisIn(view, vaY, keys2D));
    EXPECT_FALSE(view.Changed);
    EXPECT_TRUE(ZoomAxisIn(view, vaX, keys2D));
    EXPECT_EQ(view.ZoomX, 40);
    EXPECT_EQ(view.ZoomY, 10000);
    EXPECT_TRUE(ZoomAxisOut(view, vaY, keys2D));
    EXPECT_EQ(view.ZoomY, 9500);

    EXPECT_TRUE(SetZoomEqual(view, vaX));
    EXPECT_EQ(view.ZoomX, 9500);
    view.Changed = false;
    EXPECT_FALSE(SetZoomEqual(view, vaY));
    EXPECT_FALSE(view.Changed);
    view.ZoomY = 2;
    EXPECT_TRUE(SetZoomEqual(view, vaY));
    EXPECT_EQ(view.ZoomY, 9500);

    const THotKeyPolarObj keysPolar;
    TViewPolarZoomObj polar;
    polar.Zoom = ZoomMax;
    EXPECT_FALSE(ZoomPolarIn(polar, keysPolar));
    EXPECT_FALSE(polar.Changed);
    EXPECT_TRUE(ZoomPolarOut(polar, keysPolar));
    EXPECT_EQ(polar.Zoom, 9500);

    const THotKey3DObj keys3D;
    TView3DZoomObj view3D;
    view3D.Zoom = 1000;
    EXPECT_FALSE(Zoom3DIn(view3D, keys3D));
    EXPECT_FALSE(view3D.Changed);
    EXPECT_TRUE(Zoom3DOut(view3D, keys3D));
    EXPECT_EQ(view3D.Zoom, 980);
    EXPECT_TRUE(view3D.Changed);
}

TEST(ViewStep, ScrollAndPageStepsStayInsideTheCentreLimit) {
    EXPECT_EQ(ScrollDelta(vdUp, 10), 10);
    EXPECT_EQ(ScrollDelta(vdDown, 10), -10);
    EXPECT_EQ(ScrollDelta(vdLeft, 10), -10);
    EXPECT_EQ(ScrollDelta(vdRight, 10), 10);
    EXPECT_EQ(PageDelta(vdUp, 401, 301), 150);
    EXPECT_EQ(PageDelta(vdDown, 401, 301), -150);
    EXPECT_EQ(PageDelta(vdLeft, 401, 301), -200);
    EXPECT_EQ(PageDelta(vdRight, 401, 301), 200);

    TView2DZoomObj view;
    view.CenterY = ViewCenterLimit - 5;
    EXPECT_TRUE(StepViewCenter(view, vdUp, ScrollDelta(vdUp, 10)));
    EXPECT_EQ(view.CenterY, ViewCenterLimit);
    view.Changed = false;
    EXPECT_FALSE(StepViewCenter(view, vdUp, ScrollDelta(vdUp, 10)));
    EXPECT_FALSE(view.Changed);
    EXPECT_TRUE(StepViewCenter(view, vdLeft, -1e9L));
    EXPECT_EQ(view.CenterX, -ViewCenterLimit);
    EXPECT_EQ(view.CenterY, ViewCenterLimit);

    TViewPolarZoomObj polar;
    EXPECT_TRUE(StepViewCenter(polar, vdRight, PageDelta(vdRight, 1000, 800)));
    EXPECT_EQ(polar.CenterX, 500);
    EXPECT_TRUE(polar.Changed);
    EXPECT_FALSE(StepViewCenter(polar, vdDown, 0));
}

TEST(ViewStep, CentringChangesOnlyAViewThatIsOffCentre) {
    TView2DZoomObj view;
    EXPECT_FALSE(CenterView2D(view));
    EXPECT_FALSE(view.Changed);
    view.CenterY = -3;
    EXPECT_TRUE(CenterView2D(view));
    EXPECT_EQ(view.CenterY, 0);
    EXPECT_TRUE(view.Changed);

    TViewPolarZoomObj polar;
    polar.CenterX = 1;
    EXPECT_TRUE(CenterViewPolar(polar));
    EXPECT_FALSE(CenterViewPolar(polar));

    TView3DZoomObj view3D;
    EXPECT_FALSE(CenterView3D(view3D));
    view3D.RotationZ = 45;
    EXPECT_TRUE(CenterView3D(view3D));
    EXPECT_EQ(view3D.RotationZ, 0);
    EXPECT_TRUE(view3D.Changed);
}

TEST(ViewStep, RotationsWrapInsideAWholeTurnWhateverTheStep) {
    struct Case {
        long double Angle, Step, Turned;
    };
    const long double inf = std::numeric_limits<long double>::infinity();
    for (const Case& c : {
             Case{358, 3, 1},
             Case{-358, -3, -1},
             Case{357, 3, 0},
             Case{-357, -3, 0},
             Case{10, 0, 10},
             Case{0, 1000, 280},
             Case{0, -1000, -280}, // a step over a whole turn from the ini file
             Case{359, 720, 359},
             Case{12, inf, 12},
             Case{12, -inf, 12},
         }) {
        const long double turned = RotateAngle(c.Angle, c.Step);
        EXPECT_EQ(turned, c.Turned) << double(c.Angle) << " + " << double(c.Step);
        EXPECT_LT(turned, 360);
        EXPECT_GT(turned, -360);
    }
    TView3DZoomObj view;
    view.RotationX = 358;
    Rotate3D(view, raX, 3);
    EXPECT_EQ(view.RotationX, 1);
    Rotate3D(view, raY, -3);
    EXPECT_EQ(view.RotationY, -3);
    view.Changed = false;
    Rotate3D(view, raZ, 0); // a step of 0 still counts as a change
    EXPECT_TRUE(view.Changed);
    EXPECT_EQ(view.RotationZ, 0);
}
