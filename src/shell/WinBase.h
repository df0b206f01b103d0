#pragma once
// The graph windows. A graph window is an MDI child of the main window that shows one
// graph; the picture, the drawing, the graph file and the label editing all live in its
// picture control, which the window owns. The window wires the control's ten events to
// the main window, offers the Label menu and its popup, and turns menu commands and
// keyboard steps into changes of the control's pending view record.
//
// The main window talks to the active child only through the operations below, after a
// class test: a command meant for another kind of window does nothing. TWindowBase also
// keeps the main window's books on the window: counted when it is made, its tool-bar
// layout when it becomes active, and when it really closes the drawing stopped, the count
// lowered and its file put on the recent list.
//
// Creation runs in two steps: the factory makes the window, the main window puts it into
// its MDI area and calls FormCreate, in which a concrete window builds its picture control.
// Files: WinBase.cpp (operations, events, caption, close), WinLabel.cpp (the Label menu
// and popup), Win2D, WinPolar, Win3D (the concrete windows).

#include "labels/GrDraw.h"

#include <QAction>
#include <QList>
#include <QMdiSubWindow>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

class QMenu;
class TBaseFuncObj;
class TPlotImageBox;
class TPlotImageFuncList;
class TReadGraphFile;

// Appended to the caption while the graph draws.
inline constexpr const char* RunningSuffix = " - (Running)";

class TWindowBase : public QMdiSubWindow {
public:
    TWindowBase();
    ~TWindowBase() override;

    // The picture control, null until a concrete window attached it.
    TPlotImageBox* ImageBox = nullptr;

    // ---- What the main window asks; each goes to the picture control ----
    // The graph's file name, empty for a graph never saved.
    virtual std::string GetFileName() const;
    virtual void CenterBitmap();
    // Loads the body of an opened graph file into a new window; false when the load failed.
    virtual bool LoadGraph(uint8_t PixelFormat, const std::string& FileName, TReadGraphFile& Reader);
    virtual void NewGraph(uint8_t PixelFormat, int Width, int Height);
    virtual void RedrawGraph();
    // Stops the drawing and waits for it.
    virtual void StopDrawing();
    // Tells the drawing to stop without waiting, so that many windows wind down together.
    virtual void PrepareStopDrawing();
    virtual bool SaveGraph();
    virtual bool SaveGraphAs(const std::string& FileName);
    virtual void PrintGraph(bool RegionOnly, int ScalePercent);
    virtual void SavePicture(const std::string& FileName, bool AsBitmap);
    virtual bool HasSelectedRegion();
    virtual void ShowPictureSizeDialog();
    virtual void ShowRegionDialog();
    virtual void CopyPictureToClipboard();
    // The save prompt of a graph with unsaved changes, asked with the window in front;
    // false keeps the window open.
    virtual bool CanCloseGraph();
    // Restored when minimised, and made the active child.
    void BringToFront();

    // The main tool bar's layout for this kind of window.
    virtual void SetMainToolBarLayout() = 0;
    // The status line shows this window's view, picture size and last mouse position.
    virtual void UpdateStatusLine() = 0;
    // The window's own menus, which the menu bar shows before "&Tools" while it is active:
    // "&Graph" and "&View" of the concrete window, then "&Label".
    virtual QList<QMenu*> WindowMenus() const;

    // Made and in the main window's MDI area: counted, and the tool bar laid out for it.
    // A concrete window runs this first and then builds its picture control.
    virtual void FormCreate();
    // Became the active child: tool bar and status line follow it.
    virtual void FormActivate();

    // The caption without any running suffix, and with it as shown.
    const std::string& Caption() const { return caption_; }
    std::string ShownCaption() const;

    // ---- The Label menu (WinLabel.cpp) ----
    QMenu* Label1;
    QAction* SelectTopLabel1;
    QAction* SelectNext1;
    QAction* SelectPrevious1;
    QAction* SendSelectedtoFront1;
    QAction* SendSelectedtoBack1;
    QAction* ShowFloodFillLocations1;
    QAction* EditSelected1;
    QAction* InPlaceTextLabelEditor1;
    QAction* LabelListDialog1;
    QAction* DeleteSelected1;
    QAction* DeleteAllLabels1;
    QAction* DeleteAllFloodFills1;
    QAction* DeleteAllLabelsAndFloodFills1;
    // The right-click popup over a selected label.
    QMenu* LabelPopup;
    QAction* SendToFront1;
    QAction* SendToBack1;
    QAction* EditLabel1;
    QAction* InPlaceEditor1;
    QAction* Delete1;

    // ---- The picture control's events ----
    void ImageBoxDoneDrawing();
    void ImageBoxDisplayStatusMsg();
    void ImageBoxTurnDrawToolOff();
    void ImageBoxLabelWinStatusChange(TLabelWindowStatus LabelWindowStatus);
    void ImageBoxShowLabelPopupMenu(int ScreenX, int ScreenY, bool ShowInPlaceEditorItem);
    void ImageBoxRunningEnd();
    void ImageBoxRunningStart();

protected:
    // Hooks the control's ten events and makes it fill the window.
    void AttachImageBox(TPlotImageBox* Box);
    // The caption of the picture control (graph kind and file name), keeping the running
    // suffix while the graph draws.
    void TakeCaptionFromImageBox();
    void SetCaption(const std::string& Caption);
    // The concrete window's "&Graph" and "&View" menus.
    virtual QList<QMenu*> GraphMenus() const { return {}; }
    // True while this window is the main window's active graph window: only that one
    // writes the status line.
    bool IsActiveGraphWindow() const;

    // The close query, then (only when the window really closes) the bookkeeping.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLabelMenu();
    void buildLabelPopup();
    void placeInArea();
    // Runs a label command of the picture control.
    void labelCommand(void (TPlotImageBox::*Command)());

    std::string caption_;
    bool running_ = false;
};

// A window that draws a graph with functions and can zoom and centre its view.
class TWindowGraph : public TWindowBase {
public:
    virtual void ZoomIn() = 0;
    virtual void ZoomOut() = 0;
    virtual void CenterView() = 0;

protected:
    // The picture control with its function list (null before it is attached).
    TPlotImageFuncList* FuncListBox() const;
    // Adds a function of the command's class: refused with a message at the limit, else
    // through its add dialog; drawn when the dialog ended with OK.
    void AddNewFunction(std::unique_ptr<TBaseFuncObj> Func);
    // The function list dialog; any change redraws.
    void EditFunctionList();
    // Redraws after a view step that changed something.
    void ApplyViewChange(bool Changed);
    // Each menu item runs its step of the window once the picture control is there.
    template <class TWindow>
    void ConnectSteps(std::initializer_list<std::pair<QAction*, void (TWindow::*)()>> Steps) {
        for (const auto& [item, step] : Steps)
            connect(item, &QAction::triggered, this, [this, step = step] {
                if (ImageBox) (static_cast<TWindow*>(this)->*step)();
            });
    }
};

// The 2D and polar windows: their views scroll by the scroll amount of the window's hot-key
// options and page by half the picture, the same four ways on both.
class TGraphWindowPlane : public TWindowGraph {
public:
    virtual void ScrollViewUp();
    virtual void ScrollViewDown();
    virtual void ScrollViewLeft();
    virtual void ScrollViewRight();
    virtual void PageViewUp();
    virtual void PageViewDown();
    virtual void PageViewLeft();
    virtual void PageViewRight();

    QAction* ScrollViewUp1;
    QAction* ScrollViewDown1;
    QAction* ScrollViewLeft1;
    QAction* ScrollViewRight1;
    QAction* PageViewUp1;
    QAction* PageViewDown1;
    QAction* PageViewLeft1;
    QAction* PageViewRight1;

protected:
    // The scroll items, a separator and the page items of the "&View" menu; they act once
    // the picture control is there.
    void AddScrollPageItems(QMenu* View);
    // Moves the view centre by Delta pixels in Direction (a TViewDirection); true when it moved.
    virtual bool MoveViewCenter(uint8_t Direction, long double Delta) = 0;
    // The scroll step of the window's hot-key options, in pixels.
    virtual int ScrollAmount() const = 0;

private:
    void scroll(uint8_t Direction);
    void page(uint8_t Direction);
};

// The 2D cartesian window as the tool bar reaches it (the concrete TWindow2D derives from it).
class TGraphWindow2D : public TGraphWindowPlane {
public:
    virtual void ZoomXAxisIn() = 0;
    virtual void ZoomXAxisOut() = 0;
    virtual void ZoomYAxisIn() = 0;
    virtual void ZoomYAxisOut() = 0;
};

// The polar window as the tool bar reaches it.
class TGraphWindowPolar : public TGraphWindowPlane {};

// The 3D window as the tool bar reaches it.
class TGraphWindow3D : public TWindowGraph {
public:
    virtual void RotatePosX() = 0;
    virtual void RotateNegX() = 0;
    virtual void RotatePosY() = 0;
    virtual void RotateNegY() = 0;
    virtual void RotatePosZ() = 0;
    virtual void RotateNegZ() = 0;
};
