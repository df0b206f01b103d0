#include "shell/HtmlHelp.h"

#include "common/DialogTestSupport.h"
#include "common/TextFiles.h"
#include "dialogs/Add2dfnc.h"
#include "dialogs/Add3dFnc.h"
#include "dialogs/AddParam.h"
#include "dialogs/BmpSize.h"
#include "dialogs/FuncList.h"
#include "dialogs/PrnScale.h"
#include "dialogs/Set2dDlg.h"
#include "dialogs/Set3dDlg.h"
#include "dialogs/SetPoDlg.h"
#include "dialogs/StdAxis.h"
#include "dialogs/StringGrid.h"
#include "dialogs/ValueLst.h"
#include "dialogs/Vw2dDlg.h"
#include "dialogs/Vw3dDlg.h"
#include "dialogs/VwPoDlg.h"
#include "labels/dfilldlg.h"
#include "labels/dfreedlg.h"
#include "labels/dlinedlg.h"
#include "labels/drectdlg.h"
#include "labels/dtextdlg.h"
#include "labels/labeldlg.h"
#include "math/Calculat.h"
#include "math/MathFunc.h"
#include "model/readedit.h"
#include "platform/ScriptedUiHook.h"
#include "plot/Selctdlg.h"
#include "plot/Selected.h"
#include "shell/OptDlg.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Every help context the program's windows and dialogs carry.
const int kHelpContexts[] = {1000, 1005, 1010, 1015, 1020, 2000, 2005, 2010, 2015, 3000,
                             3005, 3010, 3015, 4000, 4005, 4010, 4015, 4035, 4040, 4045,
                             4050, 4080, 5000, 5010, 5015, 5020, 6000, 6005, 6010};

std::string pageIn(const QTemporaryDir& dir, const char* name) {
    return QDir(dir.path()).filePath(name).toStdString();
}

THelpRequest contextRequest(int context) {
    return {hcContext, context, {}};
}

struct TDialogHelp {
    const char* Name;
    int Context;
    std::function<std::unique_ptr<QDialog>()> Make;
    // Where F1 is pressed; none: the control that has the focus as the dialog opens (an edit
    // line, a spin box, a list, a button ...).
    std::function<QWidget*(QDialog&)> Target = {};
};

template <class D, class... A> std::function<std::unique_ptr<QDialog>()> make(A... args) {
    return [=] { return std::unique_ptr<QDialog>(std::make_unique<D>(args...)); };
}

const TLabelBmpAttribs kLabelBitmap{clWhite, 300, 200};

std::vector<TDialogHelp> everyDialog() {
    return {
        {"2D settings", 1000, make<TSettings2DDlg>()},
        {"2D function", 1005, make<TAdd2DFuncDlg>(),
         [](QDialog& d) { // the cell editor of the special values grid
             auto& dialog = dynamic_cast<TAdd2DFuncDlg&>(d);
             dialog.FocusCell(0, 0);
             return static_cast<QWidget*>(dialog.SpecialValuesGrid->Editor());
         }},
        {"2D view", 1010, make<TChange2DViewDlg>()},
        {"parametric function", 1015, make<TAddParametricFuncDlg>()},
        {"row values", 1020, make<TSpec2DValuesRowDlg>()},
        {"polar settings", 2000, make<TSettingsPolarDlg>()},
        {"standard axis lists", 2005, make<TStdAxisListDlg>()},
        {"polar function", 2010, make<TAddPolarFuncDlg>()},
        {"polar view", 2015, make<TChangePolarViewDlg>()},
        {"3D settings", 3000, make<TSettings3DDlg>()},
        {"rotated curve", 3005, make<TAddRotateDlg>()},
        {"3D function", 3010, make<TAdd3DDialog>()},
        {"3D view", 3015, make<TChange3DViewDlg>()},
        {"picture size", 4000, make<TBmpSizeDlg>()},
        {"function list", 4005, make<TFuncListDlg>()},
        {"options", 4010, make<TOptionsDlg>()},
        {"repair of a file value", 4015, make<TEditStrReadErrorDlg>()},
        {"print scale", 4035, make<TPrintScaleDlg>()},
        {"area to use", 4040, make<TUseSelectedRectDlg>()},
        {"selected region", 4045, make<TSelectedRegionDlg>()},
        {"calculator", 4050, make<TCaculatorDlg>()},
        {"flood fill label", 5010, make<TFloodFillDlg>(TDrawFloodFill(), kLabelBitmap)},
        {"free hand label", 5010, make<TFreeHandDlg>(TDrawFreeHand(), kLabelBitmap)},
        {"shape label", 5010, make<TInclosedShapeDlg>(TDrawInclosedShape(3), kLabelBitmap)},
        {"line label", 5010, make<TLineDlg>(TDrawLine(), kLabelBitmap)},
        {"text label", 5010, make<TTextLabelDlg>(TDrawText(), kLabelBitmap)},
    };
}

} // namespace

TEST(HtmlHelp, CommandsMapAsTheHelpSystemExpects) {
    const std::pair<std::pair<uint16_t, int>, THtmlHelpCall> table[] = {
        {{HELP_CONTEXT, 4010}, {HH_HELP_CONTEXT, 4010}},
        {{HELP_CONTEXTPOPUP, 1005}, {HH_HELP_CONTEXT, 1005}},
        {{HELP_QUIT, 77}, {HH_CLOSE_ALL, 0}},
        {{HELP_CONTENTS, 77}, {HH_DISPLAY_TOC, 0}},
        {{HELP_FINDER, 77}, {HH_DISPLAY_TOPIC, 77}},
        {{HELP_KEY, 77}, {HH_DISPLAY_INDEX, 77}},
        {{4, 77}, {HH_DISPLAY_TOPIC, 0}},
        {{0xFFFF, 77}, {HH_DISPLAY_TOPIC, 0}}};
    for (auto [in, call] : table)
        EXPECT_EQ(MapHelpCommand(in.first, in.second), call) << in.first;

    const std::pair<THtmlHelpCall, THelpCommand> requests[] = {{{HH_HELP_CONTEXT, 5}, hcContext},
                                                               {{HH_CLOSE_ALL, 0}, hcCloseAll},
                                                               {{HH_DISPLAY_TOC, 0}, hcContents},
                                                               {{HH_DISPLAY_TOPIC, 5}, hcTopic},
                                                               {{HH_DISPLAY_INDEX, 5}, hcIndex}};
    for (auto [call, command] : requests) {
        EXPECT_EQ(HelpRequestFor(call).Command, command);
        EXPECT_EQ(HelpRequestFor(call).Context, call.Data);
    }
}

TEST(HtmlHelp, RequestsReachTheViewerOnlyWhileTheAdapterIsInstalled) {
    TScopedScriptedUiHook hook;
    EXPECT_FALSE(ApplicationHelpContext(4010));
    {
        THtmlHelpInstallation installation;
        EXPECT_TRUE(ApplicationHelpContext(4010));
        EXPECT_TRUE(ApplicationHelpCommand(HELP_CONTENTS, 0));
        ASSERT_EQ(hook->HelpRequests.size(), 2u);
        EXPECT_EQ(hook->HelpRequests[0].Command, hcContext);
        EXPECT_EQ(hook->HelpRequests[0].Context, 4010);
        EXPECT_EQ(hook->HelpRequests[1].Command, hcContents);

        bool callHelp = true;
        EXPECT_TRUE(TconHTMLHelp().ApplicationHelp(HELP_QUIT, 0, callHelp));
        EXPECT_FALSE(callHelp);
        EXPECT_EQ(hook->HelpRequests.back().Command, hcCloseAll);
    }
    EXPECT_FALSE(ApplicationHelpContext(4010));
    EXPECT_EQ(hook->HelpRequests.size(), 3u);
    // Under the test hook there is no Qt hook to give a viewer to.
    EXPECT_FALSE(InstallHtmlHelpViewer());
}

TEST(HtmlHelp, F1AnywhereInADialogAsksForItsOwnTopic) {
    TScopedScriptedUiHook hook;
    THtmlHelpInstallation installation;
    const auto pressF1 = [&](QDialog& dialog, int context, const std::function<QWidget*(QDialog&)>& where) {
        hook->HelpRequests.clear();
        ASSERT_TRUE(ShowActive(dialog));
        QWidget* target = where ? where(dialog) : dialog.focusWidget();
        ASSERT_NE(target, nullptr);
        ASSERT_TRUE(target->hasFocus());
        QTest::keyClick(target, Qt::Key_F1);
        ASSERT_EQ(hook->HelpRequests.size(), 1u);
        EXPECT_EQ(hook->HelpRequests[0].Command, hcContext);
        EXPECT_EQ(hook->HelpRequests[0].Context, context);
        EXPECT_TRUE(dialog.isVisible());
    };
    for (const TDialogHelp& row : everyDialog()) {
        SCOPED_TRACE(row.Name);
        pressF1(*row.Make(), row.Context, row.Target);
    }
    SCOPED_TRACE("label list");
    TSequenceList<TDrawBaseClass> labels;
    labels.push_back(std::make_unique<TDrawLine>());
    TLabelListLogic logic(labels);
    TLabelListDlg list(logic, kLabelBitmap);
    pressF1(list, 4080, nullptr);
}

TEST(HtmlHelp, TheViewerOpensTheContextPageOrFallsBackToTheIndex) {
    QTemporaryDir dir;
    writeTextFile(pageIn(dir, "index.html"), "<html></html>");
    writeTextFile(pageIn(dir, "4010.html"), "<html></html>");
    std::vector<std::string> opened;
    THtmlHelpViewer viewer(dir.path().toStdString(), [&](const std::string& page) {
        opened.push_back(page);
        return true;
    });
    TScopedScriptedUiHook hook;
    viewer.Show(contextRequest(4010));
    viewer.Show(contextRequest(9999));
    viewer.Show({hcContents, 4010, {}});
    viewer.Show({hcIndex, 0, {}});
    viewer.Show({hcTopic, 4010, {}});
    viewer.Show({hcCloseAll, 0, {}});
    const std::vector<std::string> expected = {pageIn(dir, "4010.html"), pageIn(dir, "index.html"),
                                               pageIn(dir, "index.html"), pageIn(dir, "index.html"),
                                               pageIn(dir, "4010.html")};
    EXPECT_EQ(opened, expected);
    EXPECT_TRUE(hook->Messages.empty());

    // A browser that does not start is reported each time.
    THtmlHelpViewer noBrowser(dir.path().toStdString(), [](const std::string&) { return false; });
    noBrowser.Show(contextRequest(4010));
    ASSERT_EQ(hook->Messages.size(), 1u);
    EXPECT_NE(hook->Messages[0].Text.find("could not be opened"), std::string::npos);
}

TEST(HtmlHelp, AMissingFolderIsReportedOncePerSession) {
    TScopedScriptedUiHook hook;
    // The real viewer looks beside the test program, where no help folder lies.
    THtmlHelpViewer viewer;
    ASSERT_FALSE(QDir(QString::fromStdString(viewer.Folder())).exists());
    viewer.Show(contextRequest(4010));
    viewer.Show({hcContents, 0, {}});
    viewer.Show(contextRequest(1005));
    ASSERT_EQ(hook->Messages.size(), 1u);
    EXPECT_EQ(hook->Messages[0].Type, mtInformation);
    EXPECT_EQ(hook->Messages[0].Buttons, TMsgDlgButtons{mbOK});
    EXPECT_NE(hook->Messages[0].Text.find(viewer.Folder()), std::string::npos);
}

TEST(HtmlHelp, TheBuildShipsAPageForEveryContext) {
    const QDir folder(QUORIX_HELP_BUILD_DIR);
    const std::string index = readTextFile(folder.filePath("index.html").toStdString());
    ASSERT_FALSE(index.empty()) << QUORIX_HELP_BUILD_DIR;
    THtmlHelpViewer viewer(QUORIX_HELP_BUILD_DIR, [](const std::string&) { return true; });
    for (int context : kHelpContexts) {
        const std::string name = std::to_string(context) + ".html";
        EXPECT_EQ(viewer.PageFor(contextRequest(context)),
                  folder.filePath(QString::fromStdString(name)).toStdString());
        const std::string page = readTextFile(folder.filePath(QString::fromStdString(name)).toStdString());
        EXPECT_NE(page.find("<title>Quorix Help: "), std::string::npos) << name;
        EXPECT_NE(page.find("href=\"index.html\""), std::string::npos) << name;
        EXPECT_NE(index.find("href=\"" + name + "\""), std::string::npos) << name;
    }
}

TEST(HtmlHelp, TheExpressionPageNamesEveryFunctionAndConstantOfTheEngine) {
    const QDir folder(QUORIX_HELP_BUILD_DIR);
    const std::string page = readTextFile(folder.filePath("expressions.html").toStdString());
    ASSERT_FALSE(page.empty()) << QUORIX_HELP_BUILD_DIR;
    EXPECT_NE(page.find("<title>Quorix Help: "), std::string::npos);
    for (std::string_view name : MathSymbolNames) {
        if (!std::isalpha(static_cast<unsigned char>(name.front()))) continue; // an operator
        const std::string entry = "<code>" + std::string(name);
        const bool named =
            page.find(entry + "(") != std::string::npos || page.find(entry + "</code>") != std::string::npos;
        EXPECT_TRUE(named) << name;
    }
    // The contents and the help of every dialog that takes a function expression lead to it.
    for (const char* from :
         {"index.html", "1005.html", "1015.html", "2010.html", "3005.html", "3010.html", "4050.html"}) {
        const std::string text = readTextFile(folder.filePath(from).toStdString());
        EXPECT_NE(text.find("href=\"expressions.html\""), std::string::npos) << from;
    }
}
