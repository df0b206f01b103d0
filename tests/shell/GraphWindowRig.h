#pragma once
// A main window with the real graph windows, for the window tests: small pictures so that
// graphs draw fast, a scripted UI hook, and waits (with generous time limits) for a
// window's drawing to end.

#include "StubWindows.h"
#include "math/CenterErrorMsgDlg.h"
#include "model/SetGraph.h"
#include "platform/ScriptedUiHook.h"
#include "plot/PtImList.h"
#include "plot/PtImage.h"
#include "plot/PtThread.h"
#include "shell/GraphWindows.h"
#include "shell/MainForm.h"
#include "shell/StatusBar.h"
#include "shell/WinBase.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace wintest {

inline constexpr int PictureWidth = 200;
inline constexpr int PictureHeight = 150;

struct TGraphWindowRig {
    TScopedScriptedUiHook hook;
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    // The captions of the modal forms shown, in order.
    std::vector<std::string> forms;

    TGraphWindowRig() {
        form = std::make_unique<TMainForm>(dir.filePath("quorix.ini").toStdString());
        form->GeneralOptions.DefaultBmpWidth = PictureWidth;
        form->GeneralOptions.DefaultBmpHeight = PictureHeight;
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get(), 20000));
    }
    ~TGraphWindowRig() {
        if (auto* errorBox = OpenCenterErrorMsgDlg()) errorBox->done(0);
        // The windows go before the hook they may still talk to.
        form.reset();
    }

    std::string path(const char* Name) const { return dir.filePath(Name).toStdString(); }

    // A new window of the kind (1 2D, 2 polar, 3 3D), its first drawing finished.
    template <class TWindow = TWindowBase> TWindow& open(int32_t Kind) {
        form->NewGraphWindow(Kind);
        auto* window = dynamic_cast<TWindow*>(form->ActiveGraphWindow());
        EXPECT_NE(window, nullptr);
        idle(*window);
        return *window;
    }

    // Lets the window's workers finish and deliver; fails after 30 s.
    static bool idle(TWindowBase& Window) {
        const bool done = QTest::qWaitFor([&] { return !Window.ImageBox->PlotThread()->IsBusy(); }, 30000);
        EXPECT_TRUE(done) << "the window still draws after 30 s";
        return done;
    }

    // The next modal form is recorded by caption and cancelled.
    void cancelNextForm() {
        hook->ScriptModal([this](QDialog& dialog) {
            forms.push_back(dialog.windowTitle().toStdString());
            return int(mrCancel);
        });
    }

    std::vector<std::string> menuTitles() const {
        std::vector<std::string> out;
        for (QAction* action : form->menuBar()->actions())
            out.push_back(action->text().toStdString());
        return out;
    }
    std::string panel(int Index) const {
        return form->StatusBar->Panels[size_t(Index)]->text().toStdString();
    }
    int windows() const { return int(form->MdiArea->subWindowList().size()); }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

// Counts the drawing runs a window starts from now on (the window still sees them).
inline std::shared_ptr<int> CountRuns(TWindowBase& Window) {
    auto runs = std::make_shared<int>(0);
    auto shown = Window.ImageBox->OnRunningStart;
    Window.ImageBox->OnRunningStart = [runs, shown](QObject* Sender) {
        ++*runs;
        shown(Sender);
    };
    return runs;
}

} // namespace wintest
