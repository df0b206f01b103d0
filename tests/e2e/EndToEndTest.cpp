// The whole program on a real X display, driven the way a user drives it: keys and mouse
// through the X server, real dialogs, and checks of what is on the screen.
//
// Run it with ctest (label e2e), which starts it under xvfb-run. The steps build on each
// other, in the order a user would take them.
#include "E2eDriver.h"

#include "labels/GrDraw.h"
#include "platform/FormatSettings.h"
#include "plot/PtImage.h"
#include "plot/PtThread.h"
#include "shell/About.h"
#include "shell/GraphToolBar.h"
#include "shell/HtmlHelp.h"
#include "shell/LabelToolBar.h"
#include "shell/MainForm.h"
#include "shell/OptDlg.h"
#include "shell/StatusBar.h"
#include "shell/WinBase.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr unsigned kBlue = 0x0000FF; // the first function colour, as the screen shows it
constexpr unsigned kBlack = 0x000000;
constexpr unsigned kWhite = 0xFFFFFF;

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QDir::setCurrent(folder.path());
        // An ini file that exists, so that the program keeps its options in it.
        QFile ini(folder.filePath("quorix.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.close();
        form = std::make_unique<TMainForm>(iniPath().toStdString());
        QObject::connect(form->MdiArea, &QMdiArea::subWindowActivated, [this](QMdiSubWindow* child) {
            if (!child || watched.count(child)) return;
            watched[child] = {child->windowTitle().toStdString()};
            QObject::connect(child, &QWidget::windowTitleChanged, [this, child](const QString& title) {
                watched[child].push_back(title.toStdString());
            });
        });
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get(), 20000));
        Focus(form.get());
    }
    void TearDown() override {
        // Whatever went wrong, the program goes without asking.
        for (QWidget* modal = QApplication::activeModalWidget(); modal;
             modal = QApplication::activeModalWidget())
            modal->close();
        form.reset();
    }

    QString iniPath() const { return folder.filePath("quorix.ini"); }
    TWindowBase* active() const { return form->ActiveGraphWindow(); }
    std::string panel(int Index) const {
        return form->StatusBar->Panels[size_t(Index)]->text().toStdString();
    }
    int windows() const { return int(form->MdiArea->subWindowList().size()); }
    bool idle(TWindowBase* Window) const {
        return Window && !Window->ImageBox->PlotThread()->IsBusy() &&
               !Window->windowTitle().endsWith(QLatin1String(RunningSuffix));
    }
    // A point of the picture: the picture widget shows the bitmap pixel for pixel.
    static QPoint at(TWindowBase*, int X, int Y) { return {X, Y}; }
    // Opens a menu of the bar by its mnemonic and picks an item by its mnemonic.
    void menu(const char* BarKey, const char* ItemKey) {
        Keys(form.get(), {QString("alt+") + BarKey, ItemKey});
    }
    // Opens a menu of the bar by its mnemonic and clicks an item of it, whatever its caption.
    void clickMenuItem(const char* BarKey, QMenu* Menu, QAction* Item) {
        Keys(form.get(), {QString("alt+") + BarKey});
        if (WaitFor([&] { return Menu->isVisible(); }, "the menu to open"))
            Click(Menu, Menu->actionGeometry(Item).center());
    }
    // The next file dialog gets Name typed and Enter; its chosen filter is kept in Filter.
    std::shared_ptr<bool> answerFileDialog(const QString& Name, QString* Filter = nullptr) {
        return WhenModal([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
                         [Name, Filter](QWidget* w) {
                             if (Filter) *Filter = qobject_cast<QFileDialog*>(w)->selectedNameFilter();
                             auto* edit = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                             if (edit) ClickCentre(edit);
                             Type(w, Name);
                             Keys(w, {"Return"});
                         });
    }
    // The next message box: its text is kept and the button pressed.
    std::shared_ptr<bool> answerMessage(std::string& Text, const QString& Button) {
        return WhenModal([](QWidget* w) { return !MessageText(w).empty(); },
                         [&Text, Button](QWidget* w) {
                             Text = MessageText(w);
                             PressButton(w, Button);
                         });
    }

    // ---- The steps, in the order a user takes them ----
    // A new 2D graph draws and loses its running suffix.
    void newGraphLosesItsRunningSuffix() {
        ClickCentre(form->GraphToolBar->New2DButton);
        ASSERT_TRUE(WaitFor([&] { return idle(active()); }, "the new 2D graph to be drawn"));
        graph = active();
        EXPECT_EQ(graph->windowTitle(), "2D Cartesian");
        EXPECT_EQ(watched[graph],
                  (std::vector<std::string>{"2D Cartesian", "2D Cartesian - (Running)", "2D Cartesian"}));
        EXPECT_EQ(panel(0), "Zoom X:35 Y:35");
        Shot("01-new-2d");
    }

    // F3 zooms to 40 and F4 back.
    void functionKeysZoomInAndOut() {
        Keys(form.get(), {"F3"});
        EXPECT_TRUE(WaitFor([&] { return panel(0) == "Zoom X:40 Y:40" && idle(graph); }, "F3 to zoom in"));
        Keys(form.get(), {"F4"});
        EXPECT_TRUE(WaitFor([&] { return panel(0) == "Zoom X:35 Y:35" && idle(graph); }, "F4 to zoom out"));
    }

    // X^2 typed in the New 2D Function dialog is drawn.
    void typedFunctionIsDrawn() {
        // The point (1, 1) of the parabola lies 35 pixels right of and 35 above the middle.
        midX = graph->ImageBox->Image->width() / 2;
        midY = graph->ImageBox->Image->height() / 2;
        onParabola = at(graph, midX + 35, midY - 35);
        EXPECT_TRUE(WaitFor([&] { return ScreenPixel(graph->ImageBox->Image, onParabola) == kWhite; },
                            "the empty picture on the screen", 10000));
        auto typed = WhenModal([](QWidget* w) { return w->windowTitle() == "Add 2D Function"; },
                               [](QWidget* w) {
                                   Type(w, "X^2");
                                   Keys(w, {"Return"});
                               });
        Keys(form.get(), {"ctrl+x"});
        ASSERT_TRUE(WaitFor([&] { return *typed && idle(graph); }, "the function to be added and drawn"));
        EXPECT_TRUE(WaitFor([&] { return ScreenPixel(graph->ImageBox->Image, onParabola) == kBlue; },
                            "the parabola on the screen", 10000));
        Shot("02-parabola");
    }

    // A rectangle label drawn with the mouse appears and Ctrl+T selects it.
    void rectangleLabelIsDrawnAndSelected() {
        menu("t", "l"); // Show/Hide Label Tool Bar
        ASSERT_TRUE(WaitFor([&] { return form->LabelShapeToolBar->isVisible(); }, "the label tool bar"));
        ClickCentre(form->LabelShapeToolBar->RectangleButton);
        EXPECT_EQ(form->DrawingTool, dtRectangle);
        const QPoint corner1 = at(graph, midX - 80, midY + 20), corner2 = at(graph, midX - 20, midY + 70);
        const QPoint onEdge = at(graph, midX - 80, midY + 45);
        EXPECT_TRUE(WaitFor([&] { return ScreenPixel(graph->ImageBox->Image, onEdge) == kWhite; },
                            "no rectangle yet", 10000));
        Drag(graph->ImageBox->Image, corner1, corner2);
        ASSERT_TRUE(WaitFor([&] { return graph->ImageBox->MasterLabelList().size() == 1 && idle(graph); },
                            "the rectangle label"));
        EXPECT_TRUE(WaitFor([&] { return ScreenPixel(graph->ImageBox->Image, onEdge) == kBlack; },
                            "the rectangle on the screen", 10000));
        ClickCentre(form->LabelShapeToolBar->ShapeOffButton);
        EXPECT_FALSE(graph->DeleteSelected1->isEnabled());
        Keys(form.get(), {"ctrl+t"});
        EXPECT_TRUE(
            WaitFor([&] { return graph->ImageBox->LabelWindowStatus() == lwLabelSelected; }, "Ctrl+T"));
        EXPECT_TRUE(graph->DeleteSelected1->isEnabled());
        Shot("03-label-selected");
    }

    // Save As writes a file that reopens from the recent list.
    void savedGraphReopensFromTheRecentList() {
        auto saved = answerFileDialog("graph1");
        menu("f", "a");
        ASSERT_TRUE(
            WaitFor([&] { return *saved && QFile::exists(folder.filePath("graph1.qxf")); }, "graph1.qxf"));
        EXPECT_TRUE(
            WaitFor([&] { return graph->windowTitle() == "2D Cartesian - [graph1.qxf]"; }, "the caption"));
        menu("f", "c"); // Close File
        ASSERT_TRUE(WaitFor([&] { return windows() == 0; }, "the window to close"));
        ASSERT_TRUE(form->FL[0]->isVisible());
        EXPECT_EQ(form->FL[0]->text(), "graph1.qxf");
        clickMenuItem("f", form->File1, form->FL[0]);
        ASSERT_TRUE(WaitFor([&] { return idle(active()); }, "the recent file to reopen"));
        graph = active();
        EXPECT_EQ(graph->windowTitle(), "2D Cartesian - [graph1.qxf]");
        EXPECT_EQ(graph->ImageBox->MasterLabelList().size(), 1u);
        EXPECT_TRUE(WaitFor([&] { return ScreenPixel(graph->ImageBox->Image, onParabola) == kBlue; },
                            "the reopened parabola", 10000));
        EXPECT_FALSE(form->FL[0]->isVisible());
    }

    // New 3D and New Polar show their status texts.
    void new3DAndPolarShowTheirStatus() {
        menu("f", "3");
        ASSERT_TRUE(WaitFor([&] { return active() != graph && idle(active()); }, "the 3D graph"));
        EXPECT_EQ(active()->windowTitle(), "3D Cartesian");
        EXPECT_EQ(panel(0), "Zoom: 20");
        EXPECT_EQ(panel(1), "Rotate X:0 Y:0 Z:0");
        Shot("04-3d");
        TWindowBase* graph3D = active();
        menu("f", "p");
        ASSERT_TRUE(WaitFor([&] { return active() != graph3D && idle(active()); }, "the polar graph"));
        EXPECT_EQ(active()->windowTitle(), "Polar");
        EXPECT_EQ(panel(0), "Zoom: 35");
        EXPECT_EQ(panel(1), "Center R:0 T:0d");
        Shot("05-polar");
    }

    // Options: the 2D mouse in bitmap pixels changes the mouse panel and the ini file.
    void optionsChangeTheMousePanelAndTheIni() {
        form->MdiArea->setActiveSubWindow(graph);
        ASSERT_TRUE(WaitFor([&] { return active() == graph; }, "the 2D window to be active"));
        MoveTo(graph->ImageBox->Image, at(graph, midX + 35, midY));
        EXPECT_TRUE(WaitFor([&] { return panel(2) == "Mouse X:1 Y:0"; }, "the mouse panel in graph units"));
        auto options = WhenModal([](QWidget* w) { return dynamic_cast<TOptionsDlg*>(w) != nullptr; },
                                 [](QWidget* w) {
                                     auto& dialog = dynamic_cast<TOptionsDlg&>(*w);
                                     EXPECT_EQ(dialog.PageControl1->currentWidget(), dialog.StatusLineTab);
                                     ClickCentre(dialog.EMouse2D[mpBitMap]);
                                     EXPECT_TRUE(dialog.EMouse2D[mpBitMap]->isChecked());
                                     ClickCentre(dialog.OKBtn);
                                 });
        Click(form->StatusBar->Panels[1], {5, 5}, 1, 2); // a double click on the status bar
        ASSERT_TRUE(
            WaitFor([&] { return *options && !QApplication::activeModalWidget(); }, "the Options dialog"));
        MoveTo(graph->ImageBox->Image, at(graph, midX + 36, midY + 1));
        EXPECT_TRUE(WaitFor(
            [&] {
                return panel(2) == "Mouse W:" + std::to_string(midX + 36) + " H:" + std::to_string(midY + 1);
            },
            "the mouse panel in bitmap pixels"));
        QFile ini(iniPath());
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        EXPECT_TRUE(ini.readAll().contains("MouseFormat2D=mpBitMap"));
    }

    // A picture saved as "x" with the Bitmap filter is x.bmp.
    void pictureSavedAsBitmap() {
        QString filter;
        auto exported = answerFileDialog("x", &filter);
        menu("f", "i"); // Save As Picture File
        ASSERT_TRUE(WaitFor([&] { return *exported && QFile::exists(folder.filePath("x.bmp")); }, "x.bmp"));
        EXPECT_EQ(filter, "Bitmap File (*.bmp)");
        QFile bmp(folder.filePath("x.bmp"));
        ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
        EXPECT_EQ(bmp.read(2), "BM");
        EXPECT_FALSE(QFile::exists(folder.filePath("x")));
    }

    // The 13th window is refused with its message.
    void thirteenthWindowIsRefused() {
        while (windows() < MaxGraphWindows) {
            const int before = windows();
            ClickCentre(form->GraphToolBar->NewPolarButton);
            ASSERT_TRUE(WaitFor([&] { return windows() == before + 1 && idle(active()); }, "another window"));
        }
        std::string refusal;
        auto refused = answerMessage(refusal, "OK");
        ClickCentre(form->GraphToolBar->New3DButton);
        ASSERT_TRUE(WaitFor([&] { return *refused; }, "the window limit message"));
        EXPECT_EQ(refusal, "A maximum of 12 graph windows may be open at once.");
        EXPECT_EQ(windows(), MaxGraphWindows);
        Shot("06-twelve-windows");
    }

    // Quitting with a modified graph asks to save; Cancel keeps the program running.
    void quitAsksToSaveAndCancelKeepsTheProgram() {
        form->MdiArea->setActiveSubWindow(graph);
        ASSERT_TRUE(WaitFor([&] { return active() == graph; }, "the saved graph to be active"));
        Keys(form.get(), {"F3"});
        ASSERT_TRUE(
            WaitFor([&] { return idle(graph) && graph->ImageBox->PlotThread()->Modified(); }, "a change"));
        std::string question;
        auto asked = answerMessage(question, "Cancel");
        menu("f", "x"); // Exit
        ASSERT_TRUE(WaitFor([&] { return *asked; }, "the save question"));
        EXPECT_EQ(question, "Save changes to graph: graph1.qxf ?");
        QTest::qWait(300);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(windows(), MaxGraphWindows);
        EXPECT_EQ(form->GraphWindowCount, MaxGraphWindows);
    }

    // And No lets it go.
    void noLetsTheProgramGo() {
        std::string question;
        auto letGo = answerMessage(question, "No");
        menu("f", "x");
        EXPECT_TRUE(WaitFor([&] { return *letGo && !form->isVisible(); }, "the program to close"));
    }

    QTemporaryDir folder;
    std::unique_ptr<TMainForm> form;
    std::map<QMdiSubWindow*, std::vector<std::string>> watched; // every caption each window showed

    // The 2D graph the steps work on, the middle of its picture and a point of the parabola.
    TWindowBase* graph = nullptr;
    int midX = 0, midY = 0;
    QPoint onParabola;
};

TEST_F(EndToEnd, AUserDrawsSavesReopensExportsAndQuits) {
    ASSERT_NO_FATAL_FAILURE(newGraphLosesItsRunningSuffix());
    ASSERT_NO_FATAL_FAILURE(functionKeysZoomInAndOut());
    ASSERT_NO_FATAL_FAILURE(typedFunctionIsDrawn());
    ASSERT_NO_FATAL_FAILURE(rectangleLabelIsDrawnAndSelected());
    ASSERT_NO_FATAL_FAILURE(savedGraphReopensFromTheRecentList());
    ASSERT_NO_FATAL_FAILURE(new3DAndPolarShowTheirStatus());
    ASSERT_NO_FATAL_FAILURE(optionsChangeTheMousePanelAndTheIni());
    ASSERT_NO_FATAL_FAILURE(pictureSavedAsBitmap());
    ASSERT_NO_FATAL_FAILURE(thirteenthWindowIsRefused());
    ASSERT_NO_FATAL_FAILURE(quitAsksToSaveAndCancelKeepsTheProgram());
    ASSERT_NO_FATAL_FAILURE(noLetsTheProgramGo());
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorix");
    QApplication::setWindowIcon(QIcon(ProgramIconPixmap(64)));
    LoadFormatSettingsFromSystemLocale();
    THtmlHelpInstallation help;
    InstallHtmlHelpViewer();
    return RUN_ALL_TESTS();
}
