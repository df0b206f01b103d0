// The graph windows as the main window and the picture control see them: captions, merged
// menus, tool-bar layouts, status line, the picture control's events, and the close query
// with its bookkeeping, on real windows of every kind.
#include "GraphWindowRig.h"
#include "common/GraphFileBytes.h"
#include "labels/DrawObjs.h"
#include "model/func2d.h"
#include "platform/Jpeg.h"
#include "plot/PtTh2d.h"
#include "shell/GraphToolBar.h"
#include "shell/LabelToolBar.h"
#include "shell/Win2D.h"
#include "shell/Win3D.h"
#include "shell/WinPolar.h"
#include "shell/status.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QToolButton>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace wintest;

namespace {

bool shown(const TGraphToolBar& Bar, QToolButton* Button) {
    for (QAction* action : Bar.actions())
        if (Bar.widgetForAction(action) == Button) return action->isVisible();
    return false;
}

// Notes, at each message, the message and the window in front of the frame as
// "<question> | <active window's caption>", with " minimised" or " covered" when it is not
// really in sight.
class TFrontWatchingHook : public TScriptedUiHook {
public:
    explicit TFrontWatchingHook(QMdiArea& Area) : area_(Area) {}
    std::vector<std::string> Seen;

    int MessageDlg(const TMessageRequest& Request) override {
        QMdiSubWindow* front = area_.currentSubWindow();
        std::string seen = Request.Text + " | " + (front ? front->windowTitle().toStdString() : "none");
        if (front && front->isMinimized()) seen += " minimised";
        if (front && area_.subWindowList(QMdiArea::StackingOrder).back() != front) seen += " covered";
        Seen.push_back(seen);
        return TScriptedUiHook::MessageDlg(Request);
    }

private:
    QMdiArea& area_;
};

// Puts a hook in place of the test's own for its life.
class TSwappedHook {
public:
    explicit TSwappedHook(std::unique_ptr<TUiHook> Hook) : previous_(SetUiHook(std::move(Hook))) {}
    ~TSwappedHook() { SetUiHook(std::move(previous_)); }
    TSwappedHook(const TSwappedHook&) = delete;
    TSwappedHook& operator=(const TSwappedHook&) = delete;

private:
    std::unique_ptr<TUiHook> previous_;
};

} // namespace

TEST(GraphWindows, EachKindShowsItsCaptionMenusToolBarAndStatusLine) {
    TGraphWindowRig rig;
    struct Kind {
        int32_t Code;
        const char* Caption;
        const char* ZoomPanel;
        bool Scroll, Rotate;
    };
    for (const Kind& kind :
         {Kind{1, "2D Cartesian", "Zoom X:35 Y:35", true, false}, Kind{2, "Polar", "Zoom: 35", true, false},
          Kind{3, "3D Cartesian", "Zoom: 20", false, true}}) {
        SCOPED_TRACE(kind.Caption);
        TWindowBase& window = rig.open(kind.Code);
        EXPECT_EQ(window.windowTitle().toStdString(), kind.Caption);
        EXPECT_EQ(window.widget(), window.ImageBox);
        EXPECT_EQ(rig.menuTitles(), (std::vector<std::string>{"&File", "&Picture", "&Graph", "&View",
                                                              "&Label", "&Tools", "&Window", "&Help"}));
        const TGraphToolBar& bar = *rig.form->GraphToolBar;
        EXPECT_EQ(shown(bar, bar.ScrollUpButton), kind.Scroll);
        EXPECT_EQ(shown(bar, bar.ZoomXInButton), kind.Code == 1);
        EXPECT_EQ(shown(bar, bar.RotateUpButton), kind.Rotate);
        EXPECT_EQ(rig.panel(0), kind.ZoomPanel);
        // Placed in the frame at a size a user can work with.
        EXPECT_GE(window.width(), 320);
        EXPECT_GE(window.height(), 240);
    }
    EXPECT_EQ(rig.form->GraphWindowCount, 3);
}

TEST(GraphWindows, TheRunningSuffixIsAddedAndRemovedOnce) {
    TGraphWindowRig rig;
    TWindowBase& window = rig.open(1);
    window.ImageBoxRunningStart();
    window.ImageBoxRunningStart();
    EXPECT_EQ(window.windowTitle(), "2D Cartesian - (Running)");
    window.ImageBoxRunningEnd();
    EXPECT_EQ(window.windowTitle(), "2D Cartesian");
    window.ImageBoxRunningEnd();
    EXPECT_EQ(window.windowTitle(), "2D Cartesian");

    // A real run: the suffix while it draws, gone when it ends; a save while it draws keeps it.
    window.RedrawGraph();
    EXPECT_EQ(window.windowTitle(), "2D Cartesian - (Running)");
    ASSERT_TRUE(window.SaveGraphAs(rig.path("g[*].qxf")));
    EXPECT_EQ(window.windowTitle(), "2D Cartesian - [g[*][*].qxf] - (Running)");
    TGraphWindowRig::idle(window);
    EXPECT_EQ(window.Caption(), "2D Cartesian - [g[*].qxf]");
    EXPECT_EQ(window.windowTitle(), "2D Cartesian - [g[*][*].qxf]");
    // The Window menu lists it by the caption the user sees.
    emit rig.form->Window1->aboutToShow();
    EXPECT_EQ(rig.form->Window1->actions().back()->text(), "&1 2D Cartesian - [g[*].qxf]");
}

TEST(GraphWindows, AGraphWhosePictureCannotBeReadOpensWithoutItAndSaysSoOnce) {
    TGraphWindowRig rig;
    // A graph of one function over a picture, saved; then the same graph with its picture
    // cut off half-way.
    TPlotThread2D graph;
    graph.SetBitmapAttributes(pf24bit, PictureWidth, PictureHeight);
    auto function = std::make_unique<TFunc2DObj>();
    function->Func.SetExpression("X^2");
    ASSERT_TRUE(function->Func.CompileMathFunc());
    graph.AddFunction(std::move(function));
    TBitmap drawn(64, 48, pf24bit);
    drawn.Fill(clRed);
    auto picture = std::make_unique<TJPEGImage>();
    picture->Options.Progressive = false;
    ASSERT_TRUE(picture->Assign(drawn));
    const recordtest::Bytes cut(picture->Data().begin(),
                                picture->Data().begin() + long(picture->Data().size() / 2));
    graph.BGPicture().JPEG = std::move(picture);
    const std::string good = rig.path("good.qxf"), damaged = rig.path("cut.qxf");
    ASSERT_TRUE(graph.SaveAs(good));
    recordtest::writeBytes(damaged, recordtest::WithBackgroundPicture(recordtest::readBytes(good), cut));

    for (const auto& [file, message] :
         {std::pair{damaged,
                    "The background picture in cut.qxf could not be read (Invalid JPEG image: Premature "
                    "end of JPEG file). The graph opens without it; saving the graph leaves the picture "
                    "out."},
          std::pair{good, ""}}) {
        SCOPED_TRACE(file);
        rig.hook->Clear();
        ASSERT_TRUE(rig.form->OpenGraphFile(file));
        TWindowBase* window = rig.form->ActiveGraphWindow();
        ASSERT_NE(window, nullptr);
        TGraphWindowRig::idle(*window);
        if (*message) {
            EXPECT_EQ(rig.hook->MessageTexts(), std::vector<std::string>{message});
            EXPECT_EQ(rig.hook->Messages[0].Type, mtWarning);
        } else {
            EXPECT_TRUE(rig.hook->Messages.empty()) << rig.hook->LastMessage();
        }
        const auto& opened = dynamic_cast<TPlotThread2D&>(*window->ImageBox->PlotThread());
        EXPECT_EQ(opened.FuncList.size(), 1u) << "the rest of the graph opens";
        EXPECT_EQ(opened.BGPicture().JPEG != nullptr, !*message);
    }
}

TEST(GraphWindows, ThePictureControlsQuestionsAreAnsweredByTheMainWindow) {
    TGraphWindowRig rig;
    TMainForm& form = *rig.form;
    TWindowBase& window = rig.open(1);
    TPlotImageBox& box = *window.ImageBox;
    EXPECT_EQ(box.GetToolBarAttrib(), form.ToolBarAttrib.get());
    EXPECT_EQ(box.GetDrawingTool(), dtOff);
    QTest::mouseClick(form.LabelShapeToolBar->EllipseButton, Qt::LeftButton);
    EXPECT_EQ(box.GetDrawingTool(), dtEllipse);
    EXPECT_FALSE(box.GetResizeLabelsMode());
    form.ResizeLabelsMode1->trigger();
    EXPECT_TRUE(box.GetResizeLabelsMode());
    box.DoTurnDrawToolOff();
    EXPECT_EQ(form.DrawingTool, dtOff);
    EXPECT_TRUE(form.LabelShapeToolBar->ShapeOffButton->isChecked());

    // A mouse move over the picture shows the graph point under it; the mouse panel of a
    // new window is empty.
    EXPECT_EQ(rig.panel(2), "");
    QTest::mouseMove(box.Image, QPoint(5, 5));
    QTest::mouseMove(box.Image, QPoint(PictureWidth / 2 + 35, PictureHeight / 2));
    EXPECT_EQ(rig.panel(2), "Mouse X:1 Y:0");
    // Another window's picture does not write the status line of the active one.
    TWindowBase& other = rig.open(1);
    ASSERT_EQ(form.ActiveGraphWindow(), &other);
    box.DoDisplayStatusMsg();
    EXPECT_EQ(rig.panel(2), "");
}

TEST(GraphWindows, ClosingKeepsTheBooksOnlyForAWindowThatReallyGoes) {
    TGraphWindowRig rig;
    TMainForm& form = *rig.form;
    auto& window = rig.open<TWindow2D>(1);
    const std::string file = rig.path("kept.qxf");
    ASSERT_TRUE(window.SaveGraphAs(file));
    window.ZoomIn(); // modified again
    TGraphWindowRig::idle(window);

    // Cancel in the save prompt: open, counted, nothing on the recent list.
    rig.hook->AnswerMessage(mrCancel);
    EXPECT_FALSE(window.close());
    EXPECT_EQ(rig.hook->LastMessage(), "Save changes to graph: kept.qxf ?");
    EXPECT_EQ(rig.windows(), 1);
    EXPECT_EQ(form.GraphWindowCount, 1);
    EXPECT_EQ(form.RecentFiles.Count(), 0);
    EXPECT_TRUE(form.SaveFile1->isEnabled());
    EXPECT_EQ(rig.panel(0), "Zoom X:40 Y:40");

    // No: the window goes, and the books follow.
    rig.hook->AnswerMessage(mrNo);
    EXPECT_TRUE(window.close());
    TGraphWindowRig::settle();
    EXPECT_EQ(rig.windows(), 0);
    EXPECT_EQ(form.GraphWindowCount, 0);
    ASSERT_EQ(form.RecentFiles.Count(), 1);
    EXPECT_EQ(form.RecentFiles.Path(1), file);
    EXPECT_FALSE(form.SaveFile1->isEnabled());
    EXPECT_EQ(rig.panel(0), "");
    EXPECT_FALSE(shown(*form.GraphToolBar, form.GraphToolBar->ScrollUpButton));

    // The recent entry reopens the graph as it was saved.
    form.FL[0]->trigger();
    auto* reopened = dynamic_cast<TWindow2D*>(form.ActiveGraphWindow());
    ASSERT_NE(reopened, nullptr);
    TGraphWindowRig::idle(*reopened);
    EXPECT_EQ(reopened->windowTitle(), "2D Cartesian - [kept.qxf]");
    EXPECT_EQ(form.RecentFiles.Count(), 0);
    EXPECT_EQ(rig.panel(0), "Zoom X:35 Y:35");
}

TEST(GraphWindows, AMainCloseCancelledInALaterWindowLeavesEveryWindowAsItWas) {
    TGraphWindowRig rig;
    TMainForm& form = *rig.form;
    std::vector<TWindow2D*> windows;
    for (const char* name : {"a.qxf", "b.qxf"}) {
        auto& window = rig.open<TWindow2D>(1);
        ASSERT_TRUE(window.SaveGraphAs(rig.path(name)));
        window.ZoomOut();
        TGraphWindowRig::idle(window);
        windows.push_back(&window);
    }
    rig.hook->AnswerMessage(mrNo);     // the first window may go unsaved
    rig.hook->AnswerMessage(mrCancel); // the second keeps the program
    QCloseEvent close;
    QApplication::sendEvent(&form, &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_EQ(rig.hook->MessageTexts(),
              (std::vector<std::string>{"Save changes to graph: a.qxf ?", "Save changes to graph: b.qxf ?"}));
    EXPECT_EQ(rig.windows(), 2);
    EXPECT_EQ(form.GraphWindowCount, 2);
    EXPECT_EQ(form.RecentFiles.Count(), 0);
    EXPECT_TRUE(form.SaveFile1->isEnabled());
    EXPECT_TRUE(form.isVisible());

    // Asked again, both agree: every drawing stops and the frame may close.
    rig.hook->AnswerMessage(mrNo);
    rig.hook->AnswerMessage(mrNo);
    windows[0]->RedrawGraph();
    windows[1]->RedrawGraph();
    QCloseEvent again;
    QApplication::sendEvent(&form, &again);
    EXPECT_TRUE(again.isAccepted());
    for (TWindow2D* window : windows)
        EXPECT_FALSE(window->ImageBox->PlotThread()->IsBusy());
}

TEST(GraphWindows, OptionsOkRewritesTheActiveWindowsMousePanelInItsNewFormat) {
    TGraphWindowRig rig;
    TMainForm& form = *rig.form;
    struct Kind {
        int32_t Code;
        std::function<void(TStatusLineObj&)> Choose;
        const char* Before;
        const char* After;
    };
    const QPoint mouse(PictureWidth / 2 + 35, PictureHeight / 2);
    const std::string bitmap = "Mouse W:" + std::to_string(mouse.x()) + " H:" + std::to_string(mouse.y());
    for (const Kind& kind :
         {Kind{1, [](TStatusLineObj& S) { S.MouseFormat2D = mpBitMap; }, "Mouse X:1 Y:0", ""},
          Kind{2, [](TStatusLineObj& S) { S.MouseFormatPolar = mpPixels; }, "Mouse R:1 T:0d",
               "Mouse(Pix) X:35 Y:0"},
          Kind{3, [](TStatusLineObj& S) { S.MouseFormat3D = m3BitMap; }, "", ""}}) {
        SCOPED_TRACE(kind.Code);
        TWindowBase& window = rig.open(kind.Code);
        // From elsewhere first: a move to where the pointer already is reports nothing.
        QTest::mouseMove(window.ImageBox->Image, mouse + QPoint(5, 5));
        QTest::mouseMove(window.ImageBox->Image, mouse);
        EXPECT_EQ(rig.panel(2), kind.Before);
        form.OptionsDialogRunner = [&](TMainForm& Form, bool) {
            kind.Choose(Form.StatusLine);
            return true;
        };
        form.ShowOptions(false);
        EXPECT_EQ(rig.panel(2), *kind.After ? std::string(kind.After) : bitmap);
    }
}

TEST(GraphWindows, EachSaveQuestionIsAskedWithItsWindowInFront) {
    TGraphWindowRig rig;
    TMainForm& form = *rig.form;
    const auto changedWindow = [&](const char* Name) -> TWindow2D& {
        auto& window = rig.open<TWindow2D>(1);
        if (Name) {
            EXPECT_TRUE(window.SaveGraphAs(rig.path(Name)));
        }
        window.ZoomOut();
        TGraphWindowRig::idle(window);
        return window;
    };
    TWindow2D& a = changedWindow("a.qxf");
    rig.open(1); // unchanged: no question
    TWindow2D& unnamed = changedWindow(nullptr);
    TWindow2D& b = changedWindow("b.qxf");
    a.showMinimized();
    form.MdiArea->setActiveSubWindow(&b);

    auto owned = std::make_unique<TFrontWatchingHook>(*form.MdiArea);
    TFrontWatchingHook& hook = *owned;
    TSwappedHook swapped(std::move(owned));
    // Exit asks in the windows' order, each window brought up (a restored from its icon);
    // Cancel at b keeps everything.
    hook.AnswerMessage(mrNo);
    hook.AnswerMessage(mrNo);
    hook.AnswerMessage(mrCancel);
    QCloseEvent close;
    QApplication::sendEvent(&form, &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_EQ(hook.Seen, (std::vector<std::string>{
                             "Save changes to graph: a.qxf ? | 2D Cartesian - [a.qxf]",
                             "Save changes to graph: 2D Cartesian ? | 2D Cartesian",
                             "Save changes to graph: b.qxf ? | 2D Cartesian - [b.qxf]",
                         }));
    EXPECT_FALSE(a.isMinimized());

    // Close File on a minimised active window, and a close of a window in the background.
    hook.Seen.clear();
    form.MdiArea->setActiveSubWindow(&unnamed);
    unnamed.showMinimized();
    ASSERT_EQ(form.ActiveGraphWindow(), &unnamed);
    hook.AnswerMessage(mrCancel);
    form.CloseFile1->trigger();
    hook.AnswerMessage(mrCancel);
    EXPECT_FALSE(a.close());
    EXPECT_EQ(hook.Seen, (std::vector<std::string>{
                             "Save changes to graph: 2D Cartesian ? | 2D Cartesian",
                             "Save changes to graph: a.qxf ? | 2D Cartesian - [a.qxf]",
                         }));
    EXPECT_EQ(rig.windows(), 4);
    EXPECT_EQ(hook.Unscripted, 0);
}
