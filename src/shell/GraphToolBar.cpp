#include "shell/GraphToolBar.h"

#include <QAction>
#include <QIcon>
#include <QToolButton>

namespace {

// The desktop theme's glyph where the theme has one, else our own from the resources.
QIcon toolIcon(const char* Icon, const char* ThemeIcon) {
    const QIcon own(QStringLiteral(":/icons/%1.png").arg(QLatin1String(Icon)));
    return ThemeIcon ? QIcon::fromTheme(QLatin1String(ThemeIcon), own) : own;
}

} // namespace

TGraphToolBar::TGraphToolBar(QWidget* parent) : QToolBar(QStringLiteral("Graph"), parent) {
    setObjectName(QStringLiteral("GraphToolBar"));
    setIconSize(QSize(24, 24));
    New2DButton = addButton("New2DButton", "New 2D Cartesian Graph", "new-2d");
    NewPolarButton = addButton("NewPolarButton", "New Polar Graph", "new-polar");
    New3DButton = addButton("New3DButton", "New 3D Cartesian Graph", "new-3d");
    OpenFileButton = addButton("OpenFileButton", "Open File", "document-open", "document-open");
    SaveFileButton = addButton("SaveFileButton", "Save File", "document-save", "document-save");
    GraphTBarSpace1 = addSpace("GraphTBarSpace1");
    CenterFuncButton = addButton("CenterFuncButton", "Center Function View", "center-function");
    CenterBmpButton = addButton("CenterBmpButton", "Center Bitmap In Window", "center-bitmap");
    GraphTBarSpace2 = addSpace("GraphTBarSpace2");
    ZoomInButton = addButton("ZoomInButton", "Zoom In", "zoom-in", "zoom-in");
    ZoomOutButton = addButton("ZoomOutButton", "Zoom Out", "zoom-out", "zoom-out");
    ZoomXInButton = addButton("ZoomXInButton", "Zoom X Axis In", "zoom-x-in");
    ZoomXOutButton = addButton("ZoomXOutButton", "Zoom X Axis Out", "zoom-x-out");
    ZoomYInButton = addButton("ZoomYInButton", "Zoom Y Axis In", "zoom-y-in");
    ZoomYOutButton = addButton("ZoomYOutButton", "Zoom Y Axis Out", "zoom-y-out");
    GraphTBarSpace3 = addSpace("GraphTBarSpace3");
    ScrollUpButton = addButton("ScrollUpButton", "Scroll Up", "scroll-up");
    ScrollDownButton = addButton("ScrollDownButton", "Scroll Down", "scroll-down");
    ScrollLeftButton = addButton("ScrollLeftButton", "Scroll Left", "scroll-left");
    ScrollRightButton = addButton("ScrollRightButton", "Scroll Right", "scroll-right");
    GraphTBarSpace4 = addSpace("GraphTBarSpace4");
    PageUpButton = addButton("PageUpButton", "Page Up", "page-up");
    PageDownButton = addButton("PageDownButton", "Page Down", "page-down");
    PageLeftButton = addButton("PageLeftButton", "Page Left", "page-left");
    PageRightButton = addButton("PageRightButton", "Page Right", "page-right");
    RotateUpButton = addButton("RotateUpButton", "Rotate - to X Axis", "rotate-x-neg");
    RotateDownButton = addButton("RotateDownButton", "Rotate + to X Axis", "rotate-x-pos");
    RotateLeftButton = addButton("RotateLeftButton", "Rotate - to Y Axis", "rotate-y-neg");
    RotateRightButton = addButton("RotateRightButton", "Rotate + to Y Axis", "rotate-y-pos");
    RotateZLeftButton = addButton("RotateZLeftButton", "Rotate + to Z Axis", "rotate-z-pos");
    RotateZRightButton = addButton("RotateZRightButton", "Rotate - to Z Axis", "rotate-z-neg");

    axisZoomGroup_ = {ZoomXInButton, ZoomXOutButton, ZoomYInButton, ZoomYOutButton};
    scrollGroup_ = {ScrollUpButton, ScrollDownButton, ScrollLeftButton, ScrollRightButton};
    pageGroup_ = {PageUpButton, PageDownButton, PageLeftButton, PageRightButton};
    rotateGroup_ = {RotateUpButton,    RotateDownButton,  RotateLeftButton,
                    RotateRightButton, RotateZLeftButton, RotateZRightButton};
    repeatButtons_ = {ZoomInButton, ZoomOutButton};
    for (const auto* group : {&axisZoomGroup_, &scrollGroup_, &pageGroup_, &rotateGroup_})
        repeatButtons_.insert(repeatButtons_.end(), group->begin(), group->end());
    SetLayout(tlNone);
}

QToolButton* TGraphToolBar::addButton(const char* Name, const char* Hint, const char* Icon,
                                      const char* ThemeIcon) {
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(Name));
    button->setToolTip(QLatin1String(Hint));
    button->setIcon(toolIcon(Icon, ThemeIcon));
    button->setFocusPolicy(Qt::NoFocus);
    buttons_.push_back(button);
    // The tool bar's action stands for the button when it is shown or hidden.
    addWidget(button)->setObjectName(QLatin1String(Name));
    return button;
}

QAction* TGraphToolBar::addSpace(const char* Name) {
    QAction* space = addSeparator();
    space->setObjectName(QLatin1String(Name));
    return space;
}

void TGraphToolBar::showGroup(const std::vector<QToolButton*>& Buttons, bool Visible) {
    for (QToolButton* button : Buttons)
        for (QAction* action : actions())
            if (widgetForAction(action) == button) action->setVisible(Visible);
}

void TGraphToolBar::SetLayout(TGraphToolBarLayout Layout) {
    const bool plane = Layout == tl2D || Layout == tlPolar;
    showGroup(axisZoomGroup_, Layout == tl2D);
    GraphTBarSpace3->setVisible(plane);
    showGroup(scrollGroup_, plane);
    GraphTBarSpace4->setVisible(Layout != tlNone);
    showGroup(pageGroup_, plane);
    showGroup(rotateGroup_, Layout == tl3D);
}

void TGraphToolBar::SetFlat(bool Flat) {
    for (QToolButton* button : buttons_)
        button->setAutoRaise(Flat);
}
