#include "shell/WinBase.h"

#include "shell/MainForm.h"

#include <QCloseEvent>

TWindowBase::TWindowBase() = default;

void TWindowBase::FormCreate() {
    if (MainForm) MainForm->GraphWindowOpened();
    SetMainToolBarLayout();
}

void TWindowBase::FormActivate() {
    SetMainToolBarLayout();
    UpdateStatusLine();
}

void TWindowBase::closeEvent(QCloseEvent* event) {
    if (!CanCloseGraph()) {
        event->ignore();
        return;
    }
    // The books are kept only for a window that really goes.
    StopDrawing();
    if (MainForm) {
        MainForm->StatusLine.Clear();
        MainForm->GraphWindowClosed();
        MainForm->SetToolBarLayoutNone();
        MainForm->AddRecentFile(GetFileName());
    }
    QMdiSubWindow::closeEvent(event);
}
