#include "shell/StatusBar.h"

#include <QLabel>
#include <QMouseEvent>

int StatusPanelWidth(int MainWidth) {
    return MainWidth > 450 ? MainWidth / 3 : 150;
}

TMainStatusBar::TMainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(false);
    for (size_t i = 0; i < Panels.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Each panel takes up to its width; none may hold the window wider than the user
        // makes it, whatever the text.
        panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        panel->setMinimumWidth(0);
        panel->setMaximumWidth(150);
        addWidget(panel, 1);
        Panels[i] = panel;
    }
}

void TMainStatusBar::SetPanelText(int Panel, const std::string& Text) {
    if (Panel >= 0 && Panel < int(Panels.size()))
        Panels[size_t(Panel)]->setText(QString::fromStdString(Text));
}

void TMainStatusBar::ResizePanels(int MainWidth) {
    const int width = StatusPanelWidth(MainWidth);
    for (QLabel* panel : Panels)
        panel->setMaximumWidth(width);
}

void TMainStatusBar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OnDoubleClick) OnDoubleClick();
    event->accept();
}
