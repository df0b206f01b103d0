#pragma once
// The graph tool bar of the main window: new, open and save, centring, zoom, and the
// scroll, page and rotate buttons of the kind of graph window that is active. Each layout
// shows the groups of one window kind (or of none) and hides the rest.

#include <QToolBar>

#include <vector>

class QAction;
class QToolButton;

enum TGraphToolBarLayout { tlNone, tl2D, tlPolar, tl3D };

class TGraphToolBar : public QToolBar {
public:
    explicit TGraphToolBar(QWidget* parent = nullptr);

    QToolButton* New2DButton;
    QToolButton* NewPolarButton;
    QToolButton* New3DButton;
    QToolButton* OpenFileButton;
    QToolButton* SaveFileButton;
    QAction* GraphTBarSpace1;
    QToolButton* CenterFuncButton;
    QToolButton* CenterBmpButton;
    QAction* GraphTBarSpace2;
    QToolButton* ZoomInButton;
    QToolButton* ZoomOutButton;
    QToolButton* ZoomXInButton;
    QToolButton* ZoomXOutButton;
    QToolButton* ZoomYInButton;
    QToolButton* ZoomYOutButton;
    QAction* GraphTBarSpace3;
    QToolButton* ScrollUpButton;
    QToolButton* ScrollDownButton;
    QToolButton* ScrollLeftButton;
    QToolButton* ScrollRightButton;
    QAction* GraphTBarSpace4;
    QToolButton* PageUpButton;
    QToolButton* PageDownButton;
    QToolButton* PageLeftButton;
    QToolButton* PageRightButton;
    QToolButton* RotateUpButton;
    QToolButton* RotateDownButton;
    QToolButton* RotateLeftButton;
    QToolButton* RotateRightButton;
    QToolButton* RotateZLeftButton;
    QToolButton* RotateZRightButton;

    // Shows exactly the groups of the layout.
    void SetLayout(TGraphToolBarLayout Layout);
    // Flat buttons show their frame only under the mouse.
    void SetFlat(bool Flat);
    // The buttons that repeat while held.
    const std::vector<QToolButton*>& RepeatButtons() const { return repeatButtons_; }

private:
    QToolButton* addButton(const char* Name, const char* Hint, const char* Icon,
                           const char* ThemeIcon = nullptr);
    QAction* addSpace(const char* Name);
    void showGroup(const std::vector<QToolButton*>& Buttons, bool Visible);

    std::vector<QToolButton*> axisZoomGroup_, scrollGroup_, pageGroup_, rotateGroup_;
    std::vector<QToolButton*> repeatButtons_;
    std::vector<QToolButton*> buttons_;
};
