#include "shell/MainForm.h"

#include "StubWindows.h"
#include "math/CenterErrorMsgDlg.h"
#include "shell/GraphToolBar.h"
#include "shell/HtmlHelp.h"
#include "shell/LabelToolBar.h"
#include "shell/StatusBar.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace stubs;

namespace {

// The tool bar's shown items in order; "|" for a separator.
std::string shownItems(const TGraphToolBar& bar) {
    std::string out;
    for (QAction* action : bar.actions())
        if (action->isVisible())
            out += (action->isSeparator() ? std::string("|") : action->objectName().toStdString()) + " ";
    return out;
}

const std::string noneLayout =
    "New2DButton NewPolarButton New3DButton OpenFileButton SaveFileButton | CenterFuncButton "
    "CenterBmpButton | ZoomInButton ZoomOutButton ";

std::vector<std::string> menuTitles(QMenuBar* bar) {
    std::vector<std::string> out;
    for (QAction* action : bar->actions())
        out.push_back(action->text().toStdString());
    return out;
}

// Closes the modeless error box of a test, so that the next one shows again.
std::string takeErrorBox(TScriptedUiHook& hook) {
    auto* box = OpenCenterErrorMsgDlg();
    if (!box) return {};
    std::string text = box->ErrorMsgTextLabel->text().toStdString();
    box->accept();
    TMainFormRig::settle();
    return text;
}

} // namespace

TEST(MainForm, StartsEmptyWithTheWindowItemsOff) {
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    EXPECT_EQ(MainForm, &form);
    EXPECT_EQ(form.windowTitle(), "Quorix");
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(form.DrawingTool, dtOff);
    EXPECT_EQ(form.GraphWindowCount, 0);
    EXPECT_FALSE(form.GraphToolBar->isHidden());
    EXPECT_TRUE(form.LabelShapeToolBar->isHidden());
    EXPECT_EQ(form.LabelShapeToolBar->windowTitle(), "Label Shape");
    EXPECT_EQ(shownItems(*form.GraphToolBar), noneLayout);

    const std::vector<QAction*> windowItems = {
        form.SaveFile1,           form.SaveFileAs1,         form.PrintScale1,   form.Print1,
        form.CloseFile1,          form.SaveAsBMPFile1,      form.BitmapSize1,   form.CopyBitmaptoClopboard1,
        form.SelectBitmapRegion1, form.BitmapRegionDialog1, form.CenterBitmap1, form.RedrawWindow1,
        form.StopDrawingWindow1};
    const TGraphToolBar& bar = *form.GraphToolBar;
    const std::vector<QToolButton*> windowButtons = {
        bar.SaveFileButton, bar.CenterFuncButton, bar.CenterBmpButton, bar.ZoomInButton, bar.ZoomOutButton};
    const auto enabledCount = [&] {
        int n = 0;
        for (QAction* item : windowItems)
            n += item->isEnabled();
        for (QToolButton* button : windowButtons)
            n += button->isEnabled();
        return n;
    };
    EXPECT_EQ(enabledCount(), 0);
    for (QAction* item : {form.New2DCartisian1, form.OpenFile1, form.Exit1, form.FunctionCalculator1,
                          form.Options1, form.Tile1, form.hlp1, form.About1})
        EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
    for (QToolButton* button : {bar.New2DButton, bar.NewPolarButton, bar.New3DButton, bar.OpenFileButton})
        EXPECT_TRUE(button->isEnabled());
    for (QAction* item : form.FL)
        EXPECT_FALSE(item->isVisible());

    form.NewGraphWindow(1);
    EXPECT_EQ(enabledCount(), 18);
    form.MdiArea->currentSubWindow()->close();
    EXPECT_EQ(enabledCount(), 0);
}

TEST(MainForm, MenusCarryTheirCaptionsShortcutsAndHelpContexts) {
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    EXPECT_EQ(menuTitles(form.menuBar()),
              (std::vector<std::string>{"&File", "&Picture", "&Tools", "&Window", "&Help"}));
    struct Item {
        QAction* item;
        const char* caption;
        const char* shortcut;
        int help;
    };
    for (const Item& i : {
             Item{form.New2DCartisian1, "New &2D Cartesian Graph", "", 6000},
             Item{form.New2DPolar1, "New &Polar Graph", "", 6005},
             Item{form.New3DCartisian1, "New &3D Cartesian Graph", "", 6010},
             Item{form.OpenFile1, "&Open File...", "", 5020},
             Item{form.SaveFile1, "&Save File", "Ctrl+S", 5020},
             Item{form.SaveFileAs1, "Save File &As...", "", 5020},
             Item{form.CloseFile1, "&Close File", "", 0},
             Item{form.SaveAsBMPFile1, "Save As P&icture File...", "", 5020},
             Item{form.PrintScale1, "Print Sca&le...", "", 0},
             Item{form.Print1, "P&rint...", "", 0},
             Item{form.Exit1, "E&xit", "", 0},
             Item{form.BitmapSize1, "Picture &Size and Colors...", "", 0},
             Item{form.SelectBitmapRegion1, "Select Picture &Region", "", 5015},
             Item{form.BitmapRegionDialog1, "Picture Region &Dialog...", "", 0},
             Item{form.CopyBitmaptoClopboard1, "&Copy Picture to Clipboard", "Ctrl+Ins", 0},
             Item{form.ShowHideGraphViewToolBar1, "Show/Hide &Graph Tool Bar", "", 0},
             Item{form.ShowShapeToolBar1, "Show/Hide &Label Tool Bar", "", 0},
             Item{form.ResizeLabelsMode1, "&Resize Labels Mode", "Ctrl+R", 0},
             Item{form.OpenTextLabelFontDialog1, "Label Tool Bar Text &Font...", "", 0},
             Item{form.FunctionCalculator1, "Function &Calculator...", "Ctrl+C", 0},
             Item{form.Options1, "&Options...", "", 0},
             Item{form.Tile1, "&Tile", "", 0},
             Item{form.Cascade1, "Casca&de", "", 0},
             Item{form.ArrangeAll1, "&Arrange Icons", "", 0},
             Item{form.CenterBitmap1, "&Center Bitmap In Window", "F2", 5000},
             Item{form.StopDrawingWindow1, "&Stop Drawing Window", "", 0},
             Item{form.RedrawWindow1, "&Redraw Window", "Ctrl+F2", 0},
             Item{form.hlp1, "Help &Contents...", "F1", 0},
             Item{form.About1, "&About...", "", 0},
         }) {
        EXPECT_EQ(i.item->text().toStdString(), i.caption);
        EXPECT_EQ(i.item->shortcut().toString().toStdString(), i.shortcut) << i.caption;
        EXPECT_EQ(i.item->property("helpContext").toInt(), i.help) << i.caption;
    }
    // The recent files stand at 16..20 of the File menu, after their separator.
    const QList<QAction*> file = form.File1->actions();
    ASSERT_EQ(file.size(), 21);
    EXPECT_EQ(file[15], form.FileSeparatorLine);
    EXPECT_EQ(file[16], form.FL[0]);
    EXPECT_EQ(file[20], form.FL[4]);
    EXPECT_EQ(form.FL[4]->data().toInt(), 5);

    // Every tool button tells what it does.
    for (QToolButton* button : form.GraphToolBar->findChildren<QToolButton*>())
        if (!button->objectName().startsWith("qt_")) {
            EXPECT_FALSE(button->toolTip().isEmpty()) << button->objectName().toStdString();
            EXPECT_FALSE(button->icon().isNull()) << button->objectName().toStdString();
        }
    EXPECT_EQ(form.GraphToolBar->RotateZLeftButton->toolTip(), "Rotate + to Z Axis");
}

TEST(MainForm, EachLayoutShowsExactlyItsGroups) {
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    const std::string scrollPage =
        "| ScrollUpButton ScrollDownButton ScrollLeftButton ScrollRightButton | PageUpButton "
        "PageDownButton PageLeftButton PageRightButton ";
    const std::string axisZoom = "ZoomXInButton ZoomXOutButton ZoomYInButton ZoomYOutButton ";
    const std::string rotate = "| RotateUpButton RotateDownButton RotateLeftButton RotateRightButton "
                               "RotateZLeftButton RotateZRightButton ";
    form.NewGraphWindow(1);
    EXPECT_EQ(shownItems(*form.GraphToolBar), noneLayout + axisZoom + scrollPage);
    form.NewGraphWindow(2);
    EXPECT_EQ(shownItems(*form.GraphToolBar), noneLayout + scrollPage);
    form.NewGraphWindow(3);
    EXPECT_EQ(shownItems(*form.GraphToolBar), noneLayout + rotate);
    form.SetToolBarLayoutNone();
    EXPECT_EQ(shownItems(*form.GraphToolBar), noneLayout);

    // Activating another child lays the bar out for it.
    form.MdiArea->setActiveSubWindow(form.MdiArea->subWindowList()[0]);
    EXPECT_EQ(shownItems(*form.GraphToolBar), noneLayout + axisZoom + scrollPage);
}

TEST(MainForm, ToolButtonsReachTheActiveWindowByItsClass) {
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    const TGraphToolBar& bar = *form.GraphToolBar;
    const auto pressAll = [&] {
        rig.world.Log.clear();
        for (QToolButton* b : {bar.ZoomInButton, bar.ZoomOutButton})
            form.ZoomActiveWindow(b);
        for (QToolButton* b : {bar.ZoomXInButton, bar.ZoomXOutButton, bar.ZoomYInButton, bar.ZoomYOutButton})
            form.ZoomAxisActiveWindow(b);
        for (QToolButton* b :
             {bar.ScrollUpButton, bar.ScrollDownButton, bar.ScrollLeftButton, bar.ScrollRightButton})
            form.ScrollActiveWindow(b);
        for (QToolButton* b : {bar.PageUpButton, bar.PageDownButton, bar.PageLeftButton, bar.PageRightButton})
            form.PageActiveWindow(b);
        for (QToolButton* b : {bar.RotateUpButton, bar.RotateDownButton, bar.RotateLeftButton,
                               bar.RotateRightButton, bar.RotateZLeftButton, bar.RotateZRightButton})
            form.RotateActiveWindow(b);
        form.CenterFunctionClick();
        std::string out;
        for (const std::string& entry : rig.world.Log)
            out += entry + " ";
        return out;
    };
    EXPECT_EQ(pressAll(), ""); // no window
    form.NewGraphWindow(1);
    EXPECT_EQ(pressAll(),
              "2D:ZoomIn 2D:ZoomOut 2D:ZoomXAxisIn 2D:ZoomXAxisOut 2D:ZoomYAxisIn 2D:ZoomYAxisOut "
              "2D:ScrollViewUp 2D:ScrollViewDown 2D:ScrollViewLeft 2D:ScrollViewRight 2D:PageViewUp "
              "2D:PageViewDown 2D:PageViewLeft 2D:PageViewRight 2D:CenterView ");
    form.NewGraphWindow(2);
    EXPECT_EQ(pressAll(),
              "P:ZoomIn P:ZoomOut P:ScrollViewUp P:ScrollViewDown P:ScrollViewLeft P:ScrollViewRight "
              "P:PageViewUp P:PageViewDown P:PageViewLeft P:PageViewRight P:CenterView ");
    form.NewGraphWindow(3);
    EXPECT_EQ(pressAll(), "3D:ZoomIn 3D:ZoomOut 3D:RotateNegX 3D:RotatePosX 3D:RotateNegY 3D:RotatePosY "
                          "3D:RotatePosZ 3D:RotateNegZ 3D:CenterView ");
    form.NewGraphWindow(4); // a window of none of the graph classes
    EXPECT_EQ(pressAll(), "");
    rig.world.Log.clear();
    form.CenterBitmap1->trigger();
    form.RedrawWindow1->trigger();
    form.StopDrawingWindow1->trigger();
    form.BitmapSize1->trigger();
    form.BitmapRegionDialog1->trigger();
    form.CopyBitmaptoClopboard1->trigger();
    EXPECT_EQ(rig.world.Log, (std::vector<std::string>{"O:CenterBitmap", "O:RedrawGraph", "O:StopDrawing",
                                                       "O:ShowPictureSizeDialog", "O:ShowRegionDialog",
                                                       "O:CopyPictureToClipboard"}));
}

TEST(MainForm, HeldButtonsRepeatOnTheTimerAndNeverAtRelease) {
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, 20000));
    form.NewGraphWindow(1);
    QToolButton* zoomIn = form.GraphToolBar->ZoomInButton;
    rig.world.Log.clear();
    QTest::mousePress(zoomIn, Qt::LeftButton);
    EXPECT_EQ(rig.world.Log, (std::vector<std::string>{"2D:ZoomIn"}));
    EXPECT_TRUE(form.Timer1->isActive());
    EXPECT_EQ(form.Timer1->interval(), 600);
    form.Timer1Timer();
    EXPECT_EQ(form.Timer1->interval(), 150);
    form.Timer1Timer();
    EXPECT_EQ(rig.world.Log.size(), 3u);
    QTest::mouseRelease(zoomIn, Qt::LeftButton); // clicks, but does not act
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(rig.world.Log.size(), 3u);

    // Dragged off the button while held: the repeat ends.
    QTest::mousePress(form.GraphToolBar->ScrollUpButton, Qt::LeftButton);
    QMouseEvent away(QEvent::MouseMove, QPointF(-5, -5), QPointF(-5, -5), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(form.GraphToolBar->ScrollUpButton, &away);
    EXPECT_FALSE(form.Timer1->isActive());
    QTest::mouseRelease(form.GraphToolBar->ScrollUpButton, Qt::LeftButton);
    EXPECT_EQ(rig.world.Log.back(), "2D:ScrollViewUp");
    EXPECT_EQ(rig.world.Log.size(), 4u);

    // Repeating off: the click acts, once.
    form.GeneralOptions.EnableRepTBButtons = false;
    rig.world.Log.clear();
    QTest::mouseClick(form.GraphToolBar->ZoomOutButton, Qt::LeftButton);
    EXPECT_EQ(rig.world.Log, (std::vector<std::string>{"2D:ZoomOut"}));
    EXPECT_FALSE(form.Timer1->isActive());
}

TEST(MainForm, FailedNewOrOpenLaysTheToolBarOutForWhatRemains) {
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    form.NewGraphWindow(3);
    rig.world.Next.ThrowOnNewGraph = true;
    form.NewGraphWindow(1);
    EXPECT_EQ(takeErrorBox(*rig.hook), "Out of memory error");
    EXPECT_EQ(rig.windows(), 1);
    EXPECT_EQ(form.GraphWindowCount, 1);
    EXPECT_NE(shownItems(*form.GraphToolBar).find("RotateUpButton"), std::string::npos);

    form.MdiArea->currentSubWindow()->close();
    TMainFormRig::settle();
    rig.world.Next.ThrowOnNewGraph = false;
    rig.world.Next.LoadResult = false;
    form.StatusLine.SetZoomText("Zoom: 5");
    EXPECT_FALSE(form.OpenGraphFile(rig.graphFile("p.qxf", 2)));
    EXPECT_EQ(rig.windows(), 0);
    EXPECT_EQ(form.GraphWindowCount, 0);
    EXPECT_EQ(shownItems(*form.GraphToolBar), noneLayout);
    EXPECT_EQ(form.StatusBar->Panels[0]->text(), "");
    EXPECT_FALSE(form.SaveFile1->isEnabled());
}

TEST(MainForm, StatusPanelsFollowTheWindowWidthAndOpenTheOptions) {
    for (auto [width, panel] : {std::pair{300, 150}, {450, 150}, {451, 150}, {600, 200}, {901, 300}})
        EXPECT_EQ(StatusPanelWidth(width), panel) << width;
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    form.resize(900, 600);
    form.show();
    EXPECT_EQ(form.StatusBar->Panels[2]->maximumWidth(), form.width() / 3);
    form.StatusLine.SetCenterText("Center X:1 Y:2");
    EXPECT_EQ(form.StatusBar->Panels[1]->text(), "Center X:1 Y:2");

    std::vector<bool> opened;
    form.OptionsDialogRunner = [&](TMainForm& f, bool fromStatusBar) {
        opened.push_back(fromStatusBar);
        f.StatusLine.ShowStatusLine = false;
        f.GeneralOptions.FlatToolBars = true;
        return fromStatusBar;
    };
    form.NewGraphWindow(2);
    rig.world.Log.clear();
    form.Options1->trigger(); // cancelled: nothing applied
    EXPECT_FALSE(form.StatusBar->isHidden());
    QTest::mouseDClick(form.StatusBar, Qt::LeftButton);
    EXPECT_EQ(opened, (std::vector<bool>{false, true}));
    EXPECT_TRUE(form.StatusBar->isHidden());
    EXPECT_TRUE(form.GraphToolBar->ZoomInButton->autoRaise());
    EXPECT_EQ(rig.world.Log, (std::vector<std::string>{"P:UpdateStatusLine"}));
}

TEST(MainForm, ClosingAWindowKeepsTheBooksOnlyWhenItGoes) {
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    rig.world.Next.FileName = rig.path("g.qxf");
    form.NewGraphWindow(2);
    auto* window = form.ActiveGraphWindow();
    dynamic_cast<TStubPolar*>(window)->Switches.CanClose = false;
    rig.world.Log.clear();
    form.CloseFile1->trigger();
    EXPECT_EQ(rig.world.Log, (std::vector<std::string>{"P:CanCloseGraph"}));
    EXPECT_EQ(form.GraphWindowCount, 1);
    EXPECT_EQ(form.RecentFiles.Count(), 0);

    dynamic_cast<TStubPolar*>(window)->Switches.CanClose = true;
    form.StatusLine.SetMouseText("Mouse W:1 H:2");
    form.CloseFile1->trigger();
    TMainFormRig::settle();
    EXPECT_EQ(rig.windows(), 0);
    EXPECT_EQ(form.GraphWindowCount, 0);
    EXPECT_EQ(form.StatusBar->Panels[2]->text(), "");
    EXPECT_EQ(shownItems(*form.GraphToolBar), noneLayout);
    EXPECT_EQ(form.RecentFiles.Path(1), rig.path("g.qxf"));
}

TEST(MainForm, QuittingAsksEveryGraphBeforeAnyStops) {
    TMainFormRig rig(true, "[ToolBarVisibility]\nShowGraphToolBar=1\n");
    TMainForm& form = *rig.form;
    form.NewGraphWindow(1);
    rig.world.Next.CanClose = false;
    form.NewGraphWindow(3);
    rig.world.Log.clear();
    EXPECT_FALSE(form.close());
    EXPECT_EQ(rig.world.Log, (std::vector<std::string>{"2D:CanCloseGraph", "3D:CanCloseGraph"}));
    EXPECT_EQ(rig.windows(), 2);
    EXPECT_EQ(form.GraphWindowCount, 2);

    dynamic_cast<TStub3D*>(form.MdiArea->subWindowList()[1])->Switches.CanClose = true;
    form.ShowHideGraphViewToolBar1->trigger();
    rig.world.Log.clear();
    EXPECT_TRUE(form.close());
    EXPECT_EQ(rig.world.Log,
              (std::vector<std::string>{"2D:CanCloseGraph", "3D:CanCloseGraph", "3D:PrepareStopDrawing",
                                        "2D:PrepareStopDrawing", "3D:StopDrawing", "2D:StopDrawing"}));
    std::ifstream ini(rig.path("quorix.ini"));
    std::stringstream text;
    text << ini.rdbuf();
    EXPECT_EQ(text.str(), "[ToolBarVisibility]\nShowGraphToolBar=0\nShowLabelToolBar=0\n");
}

TEST(MainForm, ToolsAndHelpMenus) {
    TMainFormRig rig(
        true, "[ToolBarVisibility]\nShowGraphToolBar=0\nShowLabelToolBar=1\n[General]\nFlatToolBars=1\n");
    TMainForm& form = *rig.form;
    EXPECT_TRUE(form.GraphToolBar->isHidden());
    EXPECT_FALSE(form.LabelShapeToolBar->isHidden());
    EXPECT_TRUE(form.GraphToolBar->ZoomInButton->autoRaise());
    form.ShowShapeToolBar1->trigger();
    EXPECT_TRUE(form.LabelShapeToolBar->isHidden());

    form.NewGraphWindow(1);
    form.SelectBitmapRegion1->trigger();
    EXPECT_EQ(form.DrawingTool, dtSelectRegion);
    EXPECT_TRUE(form.SelectBitmapRegion1->isChecked());
    form.TurnDrawToolOff();
    EXPECT_EQ(form.DrawingTool, dtOff);
    EXPECT_FALSE(form.SelectBitmapRegion1->isChecked());
    EXPECT_FALSE(form.GetResizeLabelsMode());
    form.ResizeLabelsMode1->trigger();
    EXPECT_TRUE(form.GetResizeLabelsMode());

    rig.hook->FontScripts.push_back([](TFontDialogRequest& request) {
        request.Font.Size = 31;
        return true;
    });
    form.OpenTextLabelFontDialog1->trigger();
    EXPECT_EQ(form.ToolBarAttrib->Font.Size, 31);

    int modal = 0;
    rig.hook->ScriptModal([&](QDialog& dialog) {
        modal += dialog.windowTitle() == "Function Calculator";
        return int(mrOk);
    });
    rig.hook->ScriptModal([&](QDialog& dialog) {
        modal += dialog.windowTitle() == "About";
        return int(mrOk);
    });
    form.FunctionCalculator1->trigger();
    form.About1->trigger();
    EXPECT_EQ(modal, 2);

    THtmlHelpInstallation help;
    form.hlp1->trigger();
    // F1 over an open menu: the highlighted item's help, when it has some.
    for (QAction* item : {form.OpenFile1, form.CloseFile1}) {
        form.File1->setActiveAction(item);
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(form.File1, &f1);
    }
    ASSERT_EQ(rig.hook->HelpRequests.size(), 2u);
    EXPECT_EQ(rig.hook->HelpRequests[0].Command, hcContents);
    EXPECT_EQ(rig.hook->HelpRequests[1].Command, hcContext);
    EXPECT_EQ(rig.hook->HelpRequests[1].Context, 5020);
}

TEST(MainForm, TheActiveWindowsMenusStandBeforeTools) {
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, 20000));
    QMenu graph("&Graph"), view("&View");
    rig.world.Next.Menus = {&graph, &view};
    form.NewGraphWindow(1);
    EXPECT_EQ(menuTitles(form.menuBar()), (std::vector<std::string>{"&File", "&Picture", "&Graph", "&View",
                                                                    "&Tools", "&Window", "&Help"}));
    rig.world.Next.Menus = {};
    form.NewGraphWindow(3);
    EXPECT_EQ(menuTitles(form.menuBar()),
              (std::vector<std::string>{"&File", "&Picture", "&Tools", "&Window", "&Help"}));
    form.MdiArea->activatePreviousSubWindow();
    EXPECT_EQ(menuTitles(form.menuBar()).size(), 7u);

    // The Window menu lists the open windows, the active one checked.
    emit form.Window1->aboutToShow();
    std::vector<std::string> listed;
    for (QAction* item : form.Window1->actions())
        if (item->isCheckable())
            listed.push_back(item->text().toStdString() + (item->isChecked() ? "*" : ""));
    EXPECT_EQ(listed, (std::vector<std::string>{"&1 2D*", "&2 3D"}));
    form.MdiArea->closeAllSubWindows();
    TMainFormRig::settle();
}

TEST(MainForm, OnlyTheFirstNineWindowsInTheWindowMenuHaveKeys) {
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    for (int i = 0; i < MaxGraphWindows; ++i)
        form.NewGraphWindow(1 + i % 3);
    emit form.Window1->aboutToShow();
    std::vector<std::string> listed;
    std::set<QKeySequence> keys;
    for (QAction* item : form.Window1->actions())
        if (item->isCheckable()) {
            listed.push_back(item->text().toStdString());
            const QKeySequence key = QKeySequence::mnemonic(item->text());
            if (!key.isEmpty()) {
                EXPECT_TRUE(keys.insert(key).second) << item->text().toStdString();
            }
        }
    EXPECT_EQ(listed, (std::vector<std::string>{"&1 2D", "&2 P", "&3 3D", "&4 2D", "&5 P", "&6 3D", "&7 2D",
                                                "&8 P", "&9 3D", "10 2D", "11 P", "12 3D"}));
    EXPECT_EQ(keys.size(), 9u);
    form.MdiArea->closeAllSubWindows();
    TMainFormRig::settle();
}
