#include "shell/MainFiles.h"

#include "StubWindows.h"
#include "dialogs/PictDlgLogic.h"
#include "dialogs/PrnScale.h"
#include "shell/GraphToolBar.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <QToolButton>

using namespace stubs;

TEST(MainFiles, PictureNamesTakeTheirFormatFromTheExtensionOrTheFilter) {
    struct Case {
        const char* name;
        int filter;
        const char* file;
        TPictureFileKind kind;
    };
    for (const Case& c : {
             Case{"x", 1, "x.bmp", pkBitmap},
             Case{"x", 2, "x.jpg", pkJpeg},
             Case{"x", 3, "x", pkUnknown},
             Case{"/a.b/x", 1, "/a.b/x.bmp", pkBitmap},
             Case{"x.BMP", 2, "x.BMP", pkBitmap},
             Case{"x.bmp", 2, "x.bmp", pkBitmap},
             Case{"x.JPEG", 1, "x.JPEG", pkJpeg},
             Case{"x.jpg", 1, "x.jpg", pkJpeg},
             Case{"x.Jpeg", 1, "x.Jpeg", pkJpeg},
             Case{"x.gif", 1, "x.gif", pkUnknown},
             Case{"x.", 1, "x.", pkUnknown},
             Case{"x.bmp.png", 1, "x.bmp.png", pkUnknown},
         }) {
        const TPictureFileChoice choice = ChoosePictureFile(c.name, c.filter);
        EXPECT_EQ(choice.FileName, c.file) << c.name;
        EXPECT_EQ(choice.Kind, c.kind) << c.name;
    }
}

TEST(MainFiles, PictureExportSavesOrNamesTheValidExtensions) {
    TMainFormRig rig;
    rig.form->NewGraphWindow(1);
    rig.world.Log.clear();
    rig.hook->FileAnswers = {"/p/x", "/p/y.JPEG", "/p/z.gif", ""};
    for (int i = 0; i < 4; ++i)
        rig.form->SaveAsBMPFile1->trigger();
    EXPECT_EQ(rig.world.Log,
              (std::vector<std::string>{"2D:SavePicture /p/x.bmp bmp", "2D:SavePicture /p/y.JPEG jpeg"}));
    ASSERT_EQ(rig.hook->Messages.size(), 1u);
    EXPECT_EQ(rig.hook->Messages[0].Text,
              "Unknown file type extension. Valid file extenions are \"bmp\", \"jpg\" and \"jpeg\".");
    EXPECT_EQ(rig.hook->Messages[0].Type, mtError);
    const TFileDialogRequest& asked = rig.hook->FileDialogs[0];
    EXPECT_EQ(asked.Title, "Save As Bitmap or Jpeg File");
    ASSERT_EQ(asked.Filters.size(), 2u);
    EXPECT_EQ(asked.Filters[1].Patterns, "*.jpg *.jpeg");
}

TEST(MainFiles, NewAndOpenMakeTheWindowOfTheFilesKind) {
    TMainFormRig rig;
    rig.form->GeneralOptions.DefaultBmpWidth = 5000; // kept in 16..2000 at use
    rig.form->GeneralOptions.DefaultColorDepth = 4;
    rig.form->NewGraphWindow(2);
    EXPECT_EQ(rig.world.Log,
              (std::vector<std::string>{"P:NewGraph 4 2000 1000", "P:CenterBitmap", "P:RedrawGraph"}));

    rig.world.Log.clear();
    const std::string file = rig.graphFile("three.qxf", 3);
    EXPECT_TRUE(rig.form->OpenGraphFile(file));
    EXPECT_EQ(rig.world.Log,
              (std::vector<std::string>{"3D:LoadGraph 4 " + file, "3D:CenterBitmap", "3D:RedrawGraph"}));
    EXPECT_EQ(rig.form->GraphWindowCount, 2);

    // A relative name opens as the absolute path of the file.
    rig.world.Log.clear();
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(rig.dir.path());
    EXPECT_TRUE(rig.form->OpenGraphFile("three.qxf"));
    QDir::setCurrent(cwd);
    EXPECT_EQ(rig.world.Log[0], "3D:LoadGraph 4 " + file);

    // A file that is no graph file, or a load that fails, leaves no window behind.
    rig.world.Log.clear();
    TMainFormRig::writeText(rig.path("junk.qxf"), std::string(100, 'j'));
    rig.hook->AnswerMessage(mrAbort);
    EXPECT_FALSE(rig.form->OpenGraphFile(rig.path("junk.qxf")));
    rig.world.Next.LoadResult = false;
    EXPECT_FALSE(rig.form->OpenGraphFile(file));
    rig.world.Next.LoadResult = true;
    rig.world.Next.ThrowOnLoad = true;
    EXPECT_FALSE(rig.form->OpenGraphFile(file));
    EXPECT_EQ(rig.windows(), 3);
    EXPECT_EQ(rig.form->GraphWindowCount, 3);
}

TEST(MainFiles, CommandLineOpensFilesUpToTheLimit) {
    TMainFormRig rig;
    const std::string file2D = rig.graphFile("a.qxf", 1);
    const std::string filePolar = rig.graphFile("b.qxf", 2);

    // Empty names, missing files and folders are passed by; only the first 1024 count.
    QStringList arguments = {"", QString::fromStdString(rig.path("missing.qxf")), rig.dir.path(),
                             QString::fromStdString(file2D)};
    while (arguments.size() < MaxCommandLineFiles - 1)
        arguments << "";
    arguments << QString::fromStdString(filePolar) << QString::fromStdString(file2D);
    rig.form->OpenCommandLineFiles(arguments);
    EXPECT_EQ(rig.windows(), 2);
    EXPECT_TRUE(rig.hook->Messages.empty());

    // The limit stops the loop with its message once.
    for (int i = 2; i < MaxGraphWindows; ++i)
        rig.form->NewGraphWindow(3);
    rig.world.Log.clear();
    rig.form->OpenCommandLineFiles({QString::fromStdString(file2D), QString::fromStdString(filePolar)});
    EXPECT_EQ(rig.hook->MessageTexts(),
              (std::vector<std::string>{"A maximum of 12 graph windows may be open at once."}));
    EXPECT_EQ(rig.hook->Messages[0].Type, mtError);
    EXPECT_TRUE(rig.world.Log.empty());
}

TEST(MainFiles, TheThirteenthWindowIsRefusedOnEveryPath) {
    TMainFormRig rig;
    const std::string file = rig.graphFile("a.qxf", 1);
    rig.form->OpenGraphFile(file);
    rig.form->MdiArea->currentSubWindow()->close(); // on the recent list now
    TMainFormRig::settle();
    for (int i = 0; i < MaxGraphWindows; ++i)
        rig.form->New2DCartisian1->trigger();
    ASSERT_EQ(rig.windows(), MaxGraphWindows);
    rig.world.Log.clear();

    rig.form->New2DCartisian1->trigger();
    rig.form->GraphToolBar->New3DButton->click();
    rig.form->FL[0]->trigger();
    rig.form->OpenFile1->trigger();
    rig.form->OpenCommandLineFiles({QString::fromStdString(file)});
    EXPECT_EQ(rig.hook->MessageTexts(),
              std::vector<std::string>(5, "A maximum of 12 graph windows may be open at once."));
    EXPECT_EQ(rig.windows(), MaxGraphWindows);
    EXPECT_EQ(rig.form->GraphWindowCount, MaxGraphWindows);
    EXPECT_TRUE(rig.world.Log.empty());
    EXPECT_TRUE(rig.hook->FileDialogs.empty());
    EXPECT_EQ(rig.form->RecentFiles.Count(), 1);
}

TEST(MainFiles, RecentFilesComeOffWhenReopenedAndBackWhenClosed) {
    TMainFormRig rig;
    const std::string a = rig.graphFile("a.qxf", 1), b = rig.graphFile("b&c.qxf", 2);
    EXPECT_FALSE(rig.form->FileSeparatorLine->isVisible());
    rig.form->OpenGraphFile(a);
    rig.form->OpenGraphFile(b);
    for (QMdiSubWindow* child : rig.form->MdiArea->subWindowList())
        child->close();
    TMainFormRig::settle();
    EXPECT_EQ(rig.form->RecentFiles.Count(), 2);
    EXPECT_TRUE(rig.form->FileSeparatorLine->isVisible());
    EXPECT_TRUE(rig.form->FL[1]->isVisible());
    EXPECT_FALSE(rig.form->FL[2]->isVisible());
    EXPECT_EQ(rig.form->FL[2]->text(), "");
    const QString first = rig.form->FL[0]->text(), second = rig.form->FL[1]->text();
    EXPECT_TRUE((first == "a.qxf" && second == "b&&c.qxf") || (first == "b&&c.qxf" && second == "a.qxf"));

    // A failed open leaves the list as it was.
    rig.world.Next.LoadResult = false;
    rig.form->FL[0]->trigger();
    EXPECT_EQ(rig.form->RecentFiles.Count(), 2);
    rig.world.Next.LoadResult = true;

    // Reopened: off the list; closed: back on top.
    const std::string top = rig.form->RecentFiles.Path(1);
    rig.form->FL[0]->trigger();
    EXPECT_EQ(rig.form->RecentFiles.Count(), 1);
    EXPECT_NE(rig.form->RecentFiles.Path(1), top);
    rig.form->MdiArea->currentSubWindow()->close();
    TMainFormRig::settle();
    EXPECT_EQ(rig.form->RecentFiles.Count(), 2);
    EXPECT_EQ(rig.form->RecentFiles.Path(1), top);
}

TEST(MainFiles, SaveAsksForANameOnlyForANewGraph) {
    TMainFormRig rig;
    rig.form->NewGraphWindow(1);
    rig.world.Log.clear();
    rig.hook->FileAnswers = {"/g/new.qxf", ""};
    rig.form->SaveFile1->trigger();   // no name yet: Save As
    rig.form->SaveFileAs1->trigger(); // cancelled
    EXPECT_EQ(rig.hook->FileDialogs.size(), 2u);
    EXPECT_EQ(rig.hook->FileDialogs[0].Title, "Save File As");
    EXPECT_EQ(rig.hook->FileDialogs[0].DefaultExt, "qxf");
    EXPECT_TRUE(rig.hook->FileDialogs[0].Save);
    dynamic_cast<TStub2D*>(rig.form->ActiveGraphWindow())->Switches.FileName = "/g/new.qxf";
    rig.form->GraphToolBar->SaveFileButton->click();
    EXPECT_EQ(rig.world.Log, (std::vector<std::string>{"2D:SaveGraphAs /g/new.qxf", "2D:SaveGraph"}));
}

TEST(MainFiles, PrintOffersTheSelectionWhenThereIsOne) {
    TMainFormRig rig;
    rig.form->NewGraphWindow(3);
    auto* window = dynamic_cast<TStub3D*>(rig.form->ActiveGraphWindow());
    rig.world.Log.clear();
    rig.hook->PrintAnswers = {true, true};
    rig.form->Print1->trigger();
    window->Switches.SelectedRegion = true;
    rig.form->Print1->trigger();
    window->Switches.SelectedRegion = true;
    rig.hook->PrintScripts.push_back([](TPrintDialogRequest& request) {
        request.PrintSelection = false; // the user chose all pages
        return true;
    });
    rig.form->Print1->trigger();
    ASSERT_EQ(rig.hook->PrintRequests.size(), 3u);
    EXPECT_FALSE(rig.hook->PrintRequests[0].SelectionEnabled);
    EXPECT_TRUE(rig.hook->PrintRequests[1].SelectionEnabled);
    EXPECT_TRUE(rig.hook->PrintRequests[1].PrintSelection);
    EXPECT_EQ(rig.world.Log, (std::vector<std::string>{"3D:PrintGraph 0 100", "3D:PrintGraph 1 100",
                                                       "3D:PrintGraph 0 100"}));
}

TEST(MainFiles, PrintScalesPrintButtonPrintsThroughThePrintDialogAtTheNewScale) {
    TMainFormRig rig;
    rig.form->NewGraphWindow(1);
    rig.world.Log.clear();
    const auto scaleTo = [](int percent, int result) {
        return [percent, result](QDialog& dialog) {
            dynamic_cast<TPrintScaleDlg&>(dialog).EPercent->setValue(percent);
            return result;
        };
    };
    // OK keeps the new percentage and prints nothing.
    rig.hook->ScriptModal(scaleTo(50, mrOk));
    rig.form->PrintScale1->trigger();
    EXPECT_EQ(rig.hook->PrintDialogs, 0);
    // Print goes through the print dialog, at the percentage just chosen.
    rig.hook->ScriptModal(scaleTo(250, mrPrint));
    rig.hook->PrintAnswers = {true, false, true};
    rig.form->PrintScale1->trigger();
    rig.hook->ScriptModal(scaleTo(300, mrPrint));
    rig.form->PrintScale1->trigger(); // the print dialog is cancelled
    rig.form->Print1->trigger();
    EXPECT_EQ(rig.hook->PrintDialogs, 3);
    EXPECT_EQ(rig.world.Log, (std::vector<std::string>{"2D:PrintGraph 0 250", "2D:PrintGraph 0 300"}));
    PrintScalePercent = 100;
}
