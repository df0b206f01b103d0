#pragma once
// The main window's status bar: three panels that the status line fills (zoom, centre,
// mouse). A double-click on the bar opens the Options on their Status Line tab.

#include <QStatusBar>

#include <array>
#include <functional>
#include <string>

class QLabel;

// The width of each panel in a main window MainWidth pixels wide: a third of the window,
// but 150 in windows of 450 pixels and less.
int StatusPanelWidth(int MainWidth);

class TMainStatusBar : public QStatusBar {
public:
    explicit TMainStatusBar(QWidget* parent = nullptr);

    std::array<QLabel*, 3> Panels;
    std::function<void()> OnDoubleClick;

    void SetPanelText(int Panel, const std::string& Text);
    // Panel widths for a main window of that width.
    void ResizePanels(int MainWidth);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
