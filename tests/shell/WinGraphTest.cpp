// The graph windows' Graph and View menus on real windows: the view steps and when they
// redraw, the function limit, and every graph dialog opened from its menu item.
#include "GraphWindowRig.h"
#include "dialogs/Add2dfnc.h"
#include "model/Vw2dObj.h"
#include "model/Vw3dObj.h"
#include "model/VwPoObj.h"
#include "model/func2d.h"
#include "plot/Imag2d.h"
#include "plot/Imag3d.h"
#include "plot/ImagPolr.h"
#include "shell/Win2D.h"
#include "shell/Win3D.h"
#include "shell/WinPolar.h"

#include <QLineEdit>

using namespace wintest;

TEST(GraphWindowSteps, TwoDStepsRedrawOnlyWhenTheViewMoves) {
    TGraphWindowRig rig;
    auto& window = rig.open<TWindow2D>(1);
    TView2DZoomObj& view = window.ImageBox2D->GetViewZoom();
    auto runs = CountRuns(window);
    const auto step = [&](QAction* Item) {
        const int before = *runs;
        Item->trigger();
        TGraphWindowRig::idle(window);
        return *runs - before;
    };

    // F3 and F4 on the active window: 35 -> 40 and back, through the menu bar.
    QTest::keyClick(rig.form.get(), Qt::Key_F3);
    TGraphWindowRig::idle(window);
    EXPECT_EQ(view.ZoomX, 40);
    EXPECT_EQ(view.ZoomY, 40);
    EXPECT_EQ(rig.panel(0), "Zoom X:40 Y:40");
    QTest::keyClick(rig.form.get(), Qt::Key_F4);
    TGraphWindowRig::idle(window);
    EXPECT_EQ(view.ZoomX, 35);
    EXPECT_EQ(*runs, 2);

    view.ZoomX = 5;
    view.ZoomY = 50;
    EXPECT_EQ(step(window.ZoomIn1), 1);
    EXPECT_EQ(view.ZoomX, 7);
    EXPECT_EQ(view.ZoomY, 52);
    EXPECT_EQ(step(window.ZoomOut1), 1);
    EXPECT_EQ(view.ZoomX, 5);
    EXPECT_EQ(view.ZoomY, 50);
    EXPECT_EQ(step(window.SetXZoomEqualToY1), 1);
    EXPECT_EQ(view.ZoomX, 50);
    EXPECT_EQ(step(window.SetYZoomEqualToX1), 0);

    view.ZoomX = view.ZoomY = 10000;
    EXPECT_EQ(step(window.ZoomIn1), 0);
    EXPECT_EQ(step(window.ZoomXAxisIn1), 0);
    EXPECT_EQ(step(window.ZoomYAxisOut1), 1);
    EXPECT_EQ(view.ZoomY, 9500);
    view.ZoomX = view.ZoomY = 0.0001L;
    EXPECT_EQ(step(window.ZoomOut1), 0);
    EXPECT_EQ(step(window.ZoomXAxisOut1), 0);
    EXPECT_EQ(step(window.ZoomYAxisIn1), 1);

    view.CenterY = 100000 - 5;
    EXPECT_EQ(step(window.ScrollViewUp1), 1);
    EXPECT_EQ(view.CenterY, 100000);
    EXPECT_EQ(step(window.ScrollViewUp1), 0);
    EXPECT_EQ(step(window.PageViewUp1), 0);
    EXPECT_EQ(step(window.PageViewDown1), 1);
    EXPECT_EQ(view.CenterY, 100000 - PictureHeight / 2);
    EXPECT_EQ(step(window.ScrollViewDown1), 1);
    EXPECT_EQ(view.CenterY, 100000 - PictureHeight / 2 - 10);
    EXPECT_EQ(step(window.PageViewLeft1), 1);
    EXPECT_EQ(view.CenterX, -PictureWidth / 2);
    EXPECT_EQ(step(window.ScrollViewRight1), 1);
    EXPECT_EQ(step(window.PageViewRight1), 1);
    EXPECT_EQ(step(window.ScrollViewLeft1), 1);
    EXPECT_EQ(view.CenterX, 0);
    EXPECT_EQ(step(window.CenterFunctionView1), 1);
    EXPECT_EQ(view.CenterY, 0);
    EXPECT_EQ(step(window.CenterFunctionView1), 0);
}

TEST(GraphWindowSteps, PolarAnd3DStepsAndTheKeysOfTheActiveWindowOnly) {
    TGraphWindowRig rig;
    auto& polar = rig.open<TWindowPolar>(2);
    TViewPolarZoomObj& polarView = polar.ImageBoxPolar->GetViewZoom();
    auto& window = rig.open<TWindow3D>(3);
    TView3DZoomObj& view = window.ImageBox3D->GetViewZoom();
    auto runs = CountRuns(window);

    // F5 rotates the active 3D window; the polar window's F5 (scroll up) is not in the menu bar.
    QTest::keyClick(rig.form.get(), Qt::Key_F5);
    TGraphWindowRig::idle(window);
    EXPECT_EQ(view.RotationX, -3);
    EXPECT_EQ(polarView.CenterY, 0);
    view.RotationX = 358;
    window.RotatePosX1->trigger();
    EXPECT_EQ(view.RotationX, 1);
    view.RotationY = -358;
    window.RotateNegY1->trigger();
    EXPECT_EQ(view.RotationY, -1);
    view.RotationZ = 357;
    window.RotatePosZ1->trigger();
    EXPECT_EQ(view.RotationZ, 0);
    window.RotateNegZ1->trigger();
    EXPECT_EQ(view.RotationZ, -3);
    // A step of more than a whole turn from the ini file still leaves the angle inside one.
    rig.form->HotKeys3D.Rotation3DIncAmt = 1000;
    window.RotateNegX1->trigger();
    EXPECT_EQ(view.RotationX, 1 - 280);
    rig.form->HotKeys3D.Rotation3DIncAmt = 0;
    TGraphWindowRig::idle(window);
    const int before = *runs;
    window.RotatePosY1->trigger(); // a step of 0 still redraws
    TGraphWindowRig::idle(window);
    EXPECT_EQ(*runs, before + 1);
    window.RotateAllAxistoZero1->trigger();
    EXPECT_EQ(view.RotationX, 0);
    EXPECT_EQ(view.RotationZ, 0);
    window.ZoomIn1->trigger();
    EXPECT_EQ(view.Zoom, 25);
    TGraphWindowRig::idle(window);
    EXPECT_EQ(rig.panel(0), "Zoom: 25");

    rig.form->MdiArea->setActiveSubWindow(&polar);
    ASSERT_EQ(rig.form->ActiveGraphWindow(), &polar);
    QTest::keyClick(rig.form.get(), Qt::Key_F5);
    EXPECT_EQ(polarView.CenterY, 10);
    EXPECT_EQ(view.RotationX, 0);
    rig.form->HotKeysPolar.GrScrollAmt = 25; // the polar window's own amount, not the 2D one
    polar.ScrollViewDown1->trigger();
    EXPECT_EQ(polarView.CenterY, 10 - 25);
    polar.ZoomIn1->trigger();
    EXPECT_EQ(polarView.Zoom, 40);
    polar.PageViewRight1->trigger();
    EXPECT_EQ(polarView.CenterX, PictureWidth / 2);
    polar.CenterFunctionView1->trigger();
    EXPECT_EQ(polarView.CenterX, 0);
    EXPECT_EQ(polarView.CenterY, 0);
    TGraphWindowRig::idle(polar);
    TGraphWindowRig::idle(window);
}

TEST(GraphWindowDialogs, EveryGraphDialogOpensFromItsMenuItem) {
    TGraphWindowRig rig;
    auto& w2 = rig.open<TWindow2D>(1);
    auto& wp = rig.open<TWindowPolar>(2);
    auto& w3 = rig.open<TWindow3D>(3);
    const std::vector<std::pair<QAction*, const char*>> items = {
        {w2.GraphSettings2, "2D Cartesian Graph Settings"},
        {w2.New2DFunction1, "Add 2D Function"},
        {w2.NewParametricFunction1, "Add Parametric Function"},
        {w2.EditFunctionList1, "Edit Function List"},
        {w2.ChangeView1, "Change 2D Cartesian View"},
        {wp.GraphSettings2, "Polar Graph Settings"},
        {wp.NewPolarFunction1, "Add Polar Function"},
        {wp.EditFunctionList1, "Edit Function List"},
        {wp.ChangeView1, "Change Polar View"},
        {w3.GraphSettings2, "3D Cartesian Graph Settings"},
        {w3.New2DRotationXY1, "Add 2D Function Rotated Into 3D"},
        {w3.New3DFunctionXYZ1, "Add 3D Function"},
        {w3.EditFuctionList1, "Edit Function List"},
        {w3.ChangeView1, "Change 3D Cartesian View"},
        {rig.form->BitmapSize1, "Picture Size and Colors"},
    };
    for (const auto& [item, caption] : items) {
        rig.cancelNextForm();
        item->trigger();
        ASSERT_FALSE(rig.forms.empty()) << caption;
        EXPECT_EQ(rig.forms.back(), caption);
    }
    EXPECT_EQ(rig.forms.size(), items.size());
    // Nothing was added or changed by the cancelled dialogs.
    for (TWindowBase* window : std::initializer_list<TWindowBase*>{&w2, &wp, &w3}) {
        EXPECT_TRUE(dynamic_cast<TPlotImageFuncList&>(*window->ImageBox).GetFunctionList().empty());
        EXPECT_FALSE(window->ImageBox->PlotThread()->Modified());
    }
}

TEST(GraphWindowDialogs, AFunctionTypedInTheAddDialogIsDrawnAndTheLimitRefusesMore) {
    TGraphWindowRig rig;
    auto& window = rig.open<TWindow2D>(1);
    TPlotImageFuncList& box = *window.ImageBox2D;
    rig.hook->ScriptModal([](QDialog& dialog) {
        auto& add = dynamic_cast<TAdd2DFuncDlg&>(dialog);
        add.EUserFuncStr->setText("X^2");
        add.done(mrOk);
        return add.result();
    });
    window.New2DFunction1->trigger();
    TGraphWindowRig::idle(window);
    ASSERT_EQ(box.GetFunctionList().size(), 1u);
    // The parabola through the origin in the first function colour: blue at (0, 0) and
    // (2, 4), which at zoom 35 lies 70 pixels right and 140 up, beyond this picture; its
    // point (1, 1) lies 35 right and 35 up of the middle.
    const TBitmap& picture = box.Image->Picture();
    const TColor blue = 0xFF0000;
    EXPECT_EQ(picture.Pixel(PictureWidth / 2 + 35, PictureHeight / 2 - 35), blue);
    EXPECT_NE(picture.Pixel(PictureWidth / 2 + 35, PictureHeight / 2 + 35), blue);

    while (box.CanAddFunction())
        box.AddFunction(std::make_unique<TFunc2DObj>());
    EXPECT_EQ(box.GetFunctionList().size(), 252u);
    // The refusal is a message of its own, not a drawing error: it shows even while the
    // drawing-error box is silenced for the session.
    StopShowingErrors = true;
    const size_t formsBefore = rig.hook->ModalForms.size();
    rig.hook->AnswerMessage(mrOk);
    window.NewParametricFunction1->trigger();
    StopShowingErrors = false;
    EXPECT_EQ(rig.hook->ModalForms.size(), formsBefore);
    EXPECT_EQ(OpenCenterErrorMsgDlg(), nullptr);
    ASSERT_EQ(rig.hook->Messages.size(), 1u);
    const TScriptedUiHook::TShownMessage& shown = rig.hook->Messages.back();
    EXPECT_EQ(shown.Text, "This window can not accept more than 252 functions.");
    EXPECT_EQ(shown.Type, mtError);
    EXPECT_EQ(shown.Buttons, TMsgDlgButtons({mbOK}));
    EXPECT_EQ(rig.hook->Unscripted, 0);
    EXPECT_EQ(box.GetFunctionList().size(), 252u);
}
