#pragma once
// The main window: the frame of up to 12 graph windows, with the menus, the graph tool
// bar, the status bar and the options the whole program shares. Every command that needs
// a graph acts on the active graph window after testing its class and does nothing when
// that window is of another kind. GUI thread only.
//
// The unit is split by subject: MainForm.cpp start-up, window count, dispatch, options and
// shutdown; MainMenus.cpp the menus; MainFiles.cpp the file, picture and print commands
// and the command line; GraphToolBar the tool bar; AutoRepeat the held buttons;
// RecentFiles the recent list; StatusBar the panels.

#include "labels/GrDraw.h"
#include "shell/AutoRepeat.h"
#include "shell/MainOptions.h"
#include "shell/RecentFiles.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;
class TGraphToolBar;
class TLabelToolBar;
class TMainStatusBar;
class TWindowBase;

inline constexpr int MaxGraphWindows = 12;
inline constexpr int MaxCommandLineFiles = 1024;

class TMainForm : public QMainWindow, public TMainFormOptions {
public:
    // Runs the start-up steps: separator, options, ini file, tool bars, label tools.
    explicit TMainForm(std::string IniFileName = DefaultIniFileName());
    ~TMainForm() override;

    // Makes an empty graph window of a graph file kind (1 2D, 2 polar, 3 3D), not yet shown;
    // the real windows unless a test puts its own in.
    using TGraphWindowFactory = std::function<std::unique_ptr<TWindowBase>(int32_t GraphKind)>;
    TGraphWindowFactory GraphWindowFactory;
    // The Options dialog on the option objects, true after OK; a test may put a stand-in here.
    using TOptionsDialogRunner = std::function<bool(TMainForm& Form, bool FromStatusBar)>;
    TOptionsDialogRunner OptionsDialogRunner;

    QMdiArea* MdiArea;
    TGraphToolBar* GraphToolBar;
    TLabelToolBar* LabelShapeToolBar;
    TMainStatusBar* StatusBar;
    QTimer* Timer1; // the auto-repeat timer

    // File menu.
    QMenu* File1;
    QAction* New2DCartisian1;
    QAction* New2DPolar1;
    QAction* New3DCartisian1;
    QAction* OpenFile1;
    QAction* SaveFile1;
    QAction* SaveFileAs1;
    QAction* CloseFile1;
    QAction* N1;
    QAction* SaveAsBMPFile1;
    QAction* PrintScale1;
    QAction* Print1;
    QAction* Exit1;
    QAction* FileSeparatorLine;
    std::array<QAction*, TRecentFiles::MaxCount> FL; // FL1..FL5
    // Picture menu.
    QMenu* Picture1;
    QAction* BitmapSize1;
    QAction* SelectBitmapRegion1;
    QAction* BitmapRegionDialog1;
    QAction* CopyBitmaptoClopboard1;
    // Tools menu.
    QMenu* Tools1;
    QAction* ShowHideGraphViewToolBar1;
    QAction* ShowShapeToolBar1;
    QAction* ResizeLabelsMode1;
    QAction* OpenTextLabelFontDialog1;
    QAction* FunctionCalculator1;
    QAction* Options1;
    // Window menu.
    QMenu* Window1;
    QAction* Tile1;
    QAction* Cascade1;
    QAction* ArrangeAll1;
    QAction* CenterBitmap1;
    QAction* StopDrawingWindow1;
    QAction* RedrawWindow1;
    // Help menu.
    QMenu* Help1;
    QAction* hlp1;
    QAction* About1;

    int GraphWindowCount = 0;
    TDrawingTool DrawingTool = dtOff;
    std::unique_ptr<TToolBarAttribClass> ToolBarAttrib;
    TRecentFiles RecentFiles;
    int ScreenPixelsPerInch = 96;

    // Called by the graph windows.
    void GraphWindowOpened();
    void GraphWindowClosed();
    void RecountGraphWindows();
    void TurnDrawToolOff();
    bool GetResizeLabelsMode() const;
    void SetToolBarLayoutNone();
    void SetToolBarLayout2D();
    void SetToolBarLayoutPolar();
    void SetToolBarLayout3D();
    void AddRecentFile(const std::string& Path);
    // The label tool bar's font controls follow the label font.
    void SyncLabelFontControls();
    void FillFontSizeCombo();

    // The graph window that is the active child, or null for none or another class.
    TWindowBase* ActiveGraphWindow() const;
    // False, after telling the user, when 12 graph windows are open.
    bool CanOpenAnotherWindow();
    // A new graph window of a graph kind (1 2D, 2 polar, 3 3D).
    void NewGraphWindow(int32_t GraphKind);
    bool OpenGraphFile(const std::string& Path);
    void OpenCommandLineFiles(const QStringList& Arguments);
    void ApplyOptions();
    void ShowOptions(bool FromStatusBar);

    // The menu and tool-bar commands.
    void OpenFileClick();
    void SaveFileClick();
    void SaveFileAsClick();
    void CloseFileClick();
    void SaveAsPictureClick();
    void PrintScaleClick();
    void PrintClick();
    void FileListClick(int Tag);
    void SelectBitmapRegionClick();
    void OpenTextLabelFontDialogClick();
    void ArrangeIconsClick();
    void CenterFunctionClick();

    // The tool buttons' dispatch to the active window; Sender is the button.
    void ZoomActiveWindow(const void* Sender);
    void ZoomAxisActiveWindow(const void* Sender);
    void ScrollActiveWindow(const void* Sender);
    void PageActiveWindow(const void* Sender);
    void RotateActiveWindow(const void* Sender);
    // The auto-repeat timer fired.
    void Timer1Timer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildFileMenu();
    void buildPictureMenu();
    void buildToolsMenu();
    void buildWindowMenu();
    void buildHelpMenu();
    void fillWindowList();
    void centreArrangedPictures();
    void connectToolBar();
    void connectRepeatButton(QToolButton* Button, void (TMainForm::*Dispatch)(const void*));
    void EnableWindowItems();
    void DisableWindowItems();
    void setWindowItemsEnabled(bool Enabled);
    void refreshRecentFiles();
    void childActivated(QMdiSubWindow* Child);
    void mergeWindowMenus(TWindowBase* Window);
    void layOutForActiveChild();
    void adoptGraphWindow(TWindowBase& Window);
    void graphWindowDropped();
    uint8_t newGraphPixelFormat() const;

    TQtRepeatTimer repeatTimer_;
    TAutoRepeat autoRepeat_;
    std::map<QObject*, void (TMainForm::*)(const void*)> repeatDispatch_;
    QList<QAction*> windowListActions_;
    QObject* menuHelpKey_ = nullptr;
    QPointer<TWindowBase> mergedWindow_;
    QList<QPointer<QAction>> mergedMenus_;
};

// The one main window while it exists.
extern TMainForm* MainForm;
