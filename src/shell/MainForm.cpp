#include "shell/MainForm.h"

#include "math/CenterDlg.h"
#include "shell/About.h"
#include "shell/GraphToolBar.h"
#include "shell/GraphWindows.h"
#include "shell/LabelToolBar.h"
#include "shell/OptDlg.h"
#include "shell/StartUp.h"
#include "shell/StatusBar.h"
#include "shell/WinBase.h"
#include "shell/WindowArrange.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <utility>

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(std::string IniFileName)
    : TMainFormOptions(std::move(IniFileName)), Timer1(new QTimer(this)), repeatTimer_(*Timer1),
      autoRepeat_(repeatTimer_, GeneralOptions) {
    MainForm = this;
    SetApplicationMainForm(this);
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Quorix"));
    setWindowIcon(QIcon(ProgramIconPixmap(64)));
    FixupDecimalSeparator();
    ResetNumericLocale();

    MdiArea = new QMdiArea(this);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(MdiArea);
    // A tool bar shown or hidden, or the frame resized, changes the area under the icons.
    MdiArea->installEventFilter(this);
    connect(MdiArea, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* child) { childActivated(child); });
    GraphToolBar = new TGraphToolBar(this);
    addToolBar(Qt::TopToolBarArea, GraphToolBar);
    LabelShapeToolBar = new TLabelToolBar(this);
    LabelShapeToolBar->DialogOwner = this;
    LabelShapeToolBar->OnToolClick = [this](TDrawingTool Tool) {
        SelectBitmapRegion1->setChecked(false);
        DrawingTool = Tool;
    };
    // The label tools are a long row: they get a row of their own below the graph tools.
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, LabelShapeToolBar);
    for (QToolBar* bar : {static_cast<QToolBar*>(GraphToolBar), static_cast<QToolBar*>(LabelShapeToolBar)})
        bar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    StatusBar = new TMainStatusBar(this);
    setStatusBar(StatusBar);
    StatusBar->OnDoubleClick = [this] { ShowOptions(true); };
    GraphWindowFactory = CreateGraphWindow;
    OptionsDialogRunner = [](TMainForm& Form, bool FromStatusBar) {
        return ShowOptionsDialog(FromStatusBar, Form.GeneralOptions, Form.StatusLine, Form.HotKeys2D,
                                 Form.HotKeysPolar, Form.HotKeys3D);
    };
    StatusLine.PanelWriter = [this](int panel, const std::string& text) {
        StatusBar->SetPanelText(panel, text);
    };
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    buildMenus();
    connectToolBar();

    ReadIniFile();
    GraphToolBar->setVisible(IniShowGraphToolBar);
    LabelShapeToolBar->setVisible(IniShowLabelToolBar);
    ApplyOptions();
    DrawingTool = dtOff;
    LabelShapeToolBar->ShapeOffDown();
    ToolBarAttrib = std::make_unique<TToolBarAttribClass>();
    LabelShapeToolBar->SetAttrib(ToolBarAttrib.get());
    GraphWindowCount = 0;
    RecentFiles = TRecentFiles();
    refreshRecentFiles();
    DisableWindowItems();
    ScreenPixelsPerInch = logicalDpiY();
    LabelShapeToolBar->FillFontNames();
    SyncLabelFontControls();
    // Room for the graph tools and the label tools each on one row, on any screen of the
    // usual sizes; a smaller screen gets most of its width.
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(1200, screen.width() * 9 / 10), std::min(800, screen.height() * 9 / 10));
}

TMainForm::~TMainForm() {
    Timer1->stop();
    // The graph windows go while the objects they reach through MainForm still exist.
    qDeleteAll(MdiArea->subWindowList());
    if (MainForm == this) MainForm = nullptr;
}

void TMainForm::ApplyOptions() {
    GraphToolBar->SetFlat(GeneralOptions.FlatToolBars);
    LabelShapeToolBar->SetFlat(GeneralOptions.FlatToolBars);
    CenterCommonDialogs = GeneralOptions.CenterCommonDlgs;
    DialogPositionMode = static_cast<TDialogPosition>(GeneralOptions.CenterDlgsOnPosition);
    StatusBar->setVisible(StatusLine.ShowStatusLine);
}

void TMainForm::ShowOptions(bool FromStatusBar) {
    if (!OptionsDialogRunner || !OptionsDialogRunner(*this, FromStatusBar)) return;
    ApplyOptions();
    if (TWindowBase* window = ActiveGraphWindow()) window->UpdateStatusLine();
    WriteIniOptions();
}

// ---- Window count and the items that need a window ----

void TMainForm::GraphWindowOpened() {
    ++GraphWindowCount;
    EnableWindowItems();
}

void TMainForm::GraphWindowClosed() {
    if (--GraphWindowCount <= 0) {
        GraphWindowCount = 0;
        DisableWindowItems();
    }
}

void TMainForm::RecountGraphWindows() {
    GraphWindowCount = int(MdiArea->subWindowList().size());
    if (GraphWindowCount > 0) {
        EnableWindowItems();
    } else {
        GraphWindowCount = 0;
        DisableWindowItems();
    }
}

void TMainForm::EnableWindowItems() {
    setWindowItemsEnabled(true);
}

void TMainForm::DisableWindowItems() {
    setWindowItemsEnabled(false);
}

void TMainForm::setWindowItemsEnabled(bool Enabled) {
    for (QAction* item : {SaveFile1, SaveFileAs1, PrintScale1, Print1, CloseFile1, SaveAsBMPFile1,
                          BitmapSize1, CopyBitmaptoClopboard1, SelectBitmapRegion1, BitmapRegionDialog1,
                          CenterBitmap1, RedrawWindow1, StopDrawingWindow1})
        item->setEnabled(Enabled);
    for (QToolButton* button :
         {GraphToolBar->SaveFileButton, GraphToolBar->CenterFuncButton, GraphToolBar->CenterBmpButton,
          GraphToolBar->ZoomInButton, GraphToolBar->ZoomOutButton})
        button->setEnabled(Enabled);
}

bool TMainForm::CanOpenAnotherWindow() {
    if (MdiArea->subWindowList().size() < MaxGraphWindows) return true;
    CenterMessageDlg("A maximum of " + std::to_string(MaxGraphWindows) +
                         " graph windows may be open at once.",
                     mtError, {mbOK}, 0, this);
    return false;
}

TWindowBase* TMainForm::ActiveGraphWindow() const {
    return MdiArea ? dynamic_cast<TWindowBase*>(MdiArea->currentSubWindow()) : nullptr;
}

// ---- Label tools and tool-bar layouts ----

void TMainForm::TurnDrawToolOff() {
    if (DrawingTool == dtOff) return;
    SelectBitmapRegion1->setChecked(false);
    LabelShapeToolBar->ShapeOffDown();
    DrawingTool = dtOff;
}

bool TMainForm::GetResizeLabelsMode() const {
    return ResizeLabelsMode1->isChecked();
}

void TMainForm::SelectBitmapRegionClick() {
    // The menu item checks itself before this runs.
    LabelShapeToolBar->ShapeOffDown();
    DrawingTool = SelectBitmapRegion1->isChecked() ? dtSelectRegion : dtOff;
}

void TMainForm::SyncLabelFontControls() {
    LabelShapeToolBar->SyncLabelFontControls(ScreenPixelsPerInch);
}

void TMainForm::FillFontSizeCombo() {
    LabelShapeToolBar->FillFontSizeCombo(ScreenPixelsPerInch);
}

void TMainForm::SetToolBarLayoutNone() {
    if (GraphToolBar) GraphToolBar->SetLayout(tlNone);
}

void TMainForm::SetToolBarLayout2D() {
    if (GraphToolBar) GraphToolBar->SetLayout(tl2D);
}

void TMainForm::SetToolBarLayoutPolar() {
    if (GraphToolBar) GraphToolBar->SetLayout(tlPolar);
}

void TMainForm::SetToolBarLayout3D() {
    if (GraphToolBar) GraphToolBar->SetLayout(tl3D);
}

// The tool bar and status line belong to the active child; after a window went without
// closing through its own close (a failed New or Open), they follow whatever is active.
void TMainForm::layOutForActiveChild() {
    if (TWindowBase* window = ActiveGraphWindow()) {
        window->SetMainToolBarLayout();
        window->UpdateStatusLine();
    } else {
        SetToolBarLayoutNone();
        StatusLine.Clear();
    }
}

void TMainForm::childActivated(QMdiSubWindow* Child) {
    // A frame that lost the focus reports no active child, and a child may report its
    // activation twice; neither changes what the tool bar shows.
    auto* window = dynamic_cast<TWindowBase*>(Child);
    if (!window || window == mergedWindow_) return;
    mergeWindowMenus(window);
    window->FormActivate();
}

// The active child's own menus stand before "&Tools"; only menus in the bar fire their
// shortcuts, so the keys of different children never clash.
void TMainForm::mergeWindowMenus(TWindowBase* Window) {
    for (const QPointer<QAction>& menu : std::as_const(mergedMenus_))
        if (menu) menuBar()->removeAction(menu);
    mergedMenus_.clear();
    mergedWindow_ = Window;
    for (QMenu* menu : Window->WindowMenus()) {
        menu->removeEventFilter(menuHelpKey_);
        menu->installEventFilter(menuHelpKey_);
        menuBar()->insertAction(Tools1->menuAction(), menu->menuAction());
        mergedMenus_.append(menu->menuAction());
    }
}

// ---- Tool-button dispatch ----

void TMainForm::CenterFunctionClick() {
    if (auto* window = dynamic_cast<TWindowGraph*>(ActiveGraphWindow())) window->CenterView();
}

void TMainForm::ZoomActiveWindow(const void* Sender) {
    auto* window = dynamic_cast<TWindowGraph*>(ActiveGraphWindow());
    if (!window) return;
    if (Sender == GraphToolBar->ZoomInButton) window->ZoomIn();
    if (Sender == GraphToolBar->ZoomOutButton) window->ZoomOut();
}

void TMainForm::ZoomAxisActiveWindow(const void* Sender) {
    auto* window = dynamic_cast<TGraphWindow2D*>(ActiveGraphWindow());
    if (!window) return;
    if (Sender == GraphToolBar->ZoomXInButton) window->ZoomXAxisIn();
    if (Sender == GraphToolBar->ZoomXOutButton) window->ZoomXAxisOut();
    if (Sender == GraphToolBar->ZoomYInButton) window->ZoomYAxisIn();
    if (Sender == GraphToolBar->ZoomYOutButton) window->ZoomYAxisOut();
}

namespace {

void stepPlane(TGraphWindowPlane& Window, const void* Sender, const TGraphToolBar& Bar, bool Page) {
    if (Sender == (Page ? Bar.PageUpButton : Bar.ScrollUpButton))
        Page ? Window.PageViewUp() : Window.ScrollViewUp();
    if (Sender == (Page ? Bar.PageDownButton : Bar.ScrollDownButton))
        Page ? Window.PageViewDown() : Window.ScrollViewDown();
    if (Sender == (Page ? Bar.PageLeftButton : Bar.ScrollLeftButton))
        Page ? Window.PageViewLeft() : Window.ScrollViewLeft();
    if (Sender == (Page ? Bar.PageRightButton : Bar.ScrollRightButton))
        Page ? Window.PageViewRight() : Window.ScrollViewRight();
}

} // namespace

void TMainForm::ScrollActiveWindow(const void* Sender) {
    if (auto* window = dynamic_cast<TGraphWindowPlane*>(ActiveGraphWindow()))
        stepPlane(*window, Sender, *GraphToolBar, false);
}

void TMainForm::PageActiveWindow(const void* Sender) {
    if (auto* window = dynamic_cast<TGraphWindowPlane*>(ActiveGraphWindow()))
        stepPlane(*window, Sender, *GraphToolBar, true);
}

void TMainForm::RotateActiveWindow(const void* Sender) {
    auto* window = dynamic_cast<TGraphWindow3D*>(ActiveGraphWindow());
    if (!window) return;
    // The buttons name the direction on screen: up turns the X axis negative, and the
    // Z "left" spin is the positive one.
    if (Sender == GraphToolBar->RotateUpButton) window->RotateNegX();
    if (Sender == GraphToolBar->RotateDownButton) window->RotatePosX();
    if (Sender == GraphToolBar->RotateLeftButton) window->RotateNegY();
    if (Sender == GraphToolBar->RotateRightButton) window->RotatePosY();
    if (Sender == GraphToolBar->RotateZLeftButton) window->RotatePosZ();
    if (Sender == GraphToolBar->RotateZRightButton) window->RotateNegZ();
}

// ---- Tool-bar wiring and the held buttons ----

void TMainForm::connectToolBar() {
    TGraphToolBar& bar = *GraphToolBar;
    connect(bar.New2DButton, &QToolButton::clicked, this, [this] { NewGraphWindow(1); });
    connect(bar.NewPolarButton, &QToolButton::clicked, this, [this] { NewGraphWindow(2); });
    connect(bar.New3DButton, &QToolButton::clicked, this, [this] { NewGraphWindow(3); });
    connect(bar.OpenFileButton, &QToolButton::clicked, this, [this] { OpenFileClick(); });
    connect(bar.SaveFileButton, &QToolButton::clicked, this, [this] { SaveFileClick(); });
    connect(bar.CenterFuncButton, &QToolButton::clicked, this, [this] { CenterFunctionClick(); });
    connect(bar.CenterBmpButton, &QToolButton::clicked, CenterBitmap1, &QAction::trigger);
    for (QToolButton* button : {bar.ZoomInButton, bar.ZoomOutButton})
        connectRepeatButton(button, &TMainForm::ZoomActiveWindow);
    for (QToolButton* button : {bar.ZoomXInButton, bar.ZoomXOutButton, bar.ZoomYInButton, bar.ZoomYOutButton})
        connectRepeatButton(button, &TMainForm::ZoomAxisActiveWindow);
    for (QToolButton* button :
         {bar.ScrollUpButton, bar.ScrollDownButton, bar.ScrollLeftButton, bar.ScrollRightButton})
        connectRepeatButton(button, &TMainForm::ScrollActiveWindow);
    for (QToolButton* button :
         {bar.PageUpButton, bar.PageDownButton, bar.PageLeftButton, bar.PageRightButton})
        connectRepeatButton(button, &TMainForm::PageActiveWindow);
    for (QToolButton* button : {bar.RotateUpButton, bar.RotateDownButton, bar.RotateLeftButton,
                                bar.RotateRightButton, bar.RotateZLeftButton, bar.RotateZRightButton})
        connectRepeatButton(button, &TMainForm::RotateActiveWindow);
}

void TMainForm::connectRepeatButton(QToolButton* Button, void (TMainForm::*Dispatch)(const void*)) {
    repeatDispatch_[Button] = Dispatch;
    Button->installEventFilter(this);
    connect(Button, &QToolButton::clicked, this, [this, Button, Dispatch] {
        if (autoRepeat_.ClickActs()) (this->*Dispatch)(Button);
    });
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MdiArea) {
        // The area lays out its icons in its own way while it handles the resize, under the
        // other windows; ours follow once it is done, where Arrange Icons puts them, on top.
        if (event->type() == QEvent::Resize)
            QMetaObject::invokeMethod(
                this, [this] { ArrangeIconRows(*MdiArea); }, Qt::QueuedConnection);
        return QMainWindow::eventFilter(watched, event);
    }
    auto it = repeatDispatch_.find(watched);
    if (it == repeatDispatch_.end()) return QMainWindow::eventFilter(watched, event);
    auto* button = static_cast<QToolButton*>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: // Qt sends this in place of a second press
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && button->isEnabled()) {
            const auto dispatch = it->second;
            autoRepeat_.MouseDown([this, dispatch](const void* sender) { (this->*dispatch)(sender); },
                                  button);
        }
        break;
    case QEvent::MouseButtonRelease:
        autoRepeat_.MouseUp();
        break;
    case QEvent::MouseMove: {
        auto* move = static_cast<QMouseEvent*>(event);
        const bool held = move->buttons() & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
        autoRepeat_.MouseMove(true, held, button->rect().contains(move->position().toPoint()));
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::Timer1Timer() {
    autoRepeat_.TimerTick();
}

// ---- Size and shutdown ----

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    StatusBar->ResizePanels(width());
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Every graph is asked first; one Cancel keeps the program, and every window, as it was.
    const QList<QMdiSubWindow*> children = MdiArea->subWindowList();
    for (QMdiSubWindow* child : children)
        if (auto* window = dynamic_cast<TWindowBase*>(child); window && !window->CanCloseGraph()) {
            event->ignore();
            return;
        }
    autoRepeat_.MouseUp();
    // All drawings are told to stop before any is waited for, so they wind down together.
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (auto* window = dynamic_cast<TWindowBase*>(*it)) window->PrepareStopDrawing();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (auto* window = dynamic_cast<TWindowBase*>(*it)) window->StopDrawing();
    WriteIniToolBarVisibility(!GraphToolBar->isHidden(), !LabelShapeToolBar->isHidden());
    event->accept();
}
