#pragma once
// What the main window knows of a graph window. A graph window is an MDI child that shows
// one graph; everything it does with the graph goes through its picture control, which
// the concrete windows own. The main window talks to the active child only through the
// operations below, after a class test: a command meant for another kind of window does
// nothing. TWindowBase also keeps the main window's books on the window: counted when it
// is made, its tool-bar layout when it becomes active, and when it really closes the
// drawing stopped, the count lowered and its file put on the recent list.

#include <QList>
#include <QMdiSubWindow>

#include <cstdint>
#include <string>

class QMenu;
class TReadGraphFile;

class TWindowBase : public QMdiSubWindow {
public:
    TWindowBase();

    // The graph's file name, empty for a graph never saved.
    virtual std::string GetFileName() const = 0;
    virtual void CenterBitmap() = 0;
    // Loads the body of an opened graph file into a new window; false when the load failed.
    virtual bool LoadGraph(uint8_t PixelFormat, const std::string& FileName, TReadGraphFile& Reader) = 0;
    virtual void NewGraph(uint8_t PixelFormat, int Width, int Height) = 0;
    virtual void RedrawGraph() = 0;
    // Stops the drawing and waits for it.
    virtual void StopDrawing() = 0;
    // Tells the drawing to stop without waiting, so that many windows wind down together.
    virtual void PrepareStopDrawing() = 0;
    virtual bool SaveGraph() = 0;
    virtual bool SaveGraphAs(const std::string& FileName) = 0;
    virtual void PrintGraph(bool RegionOnly, int ScalePercent) = 0;
    virtual void SavePicture(const std::string& FileName, bool AsBitmap) = 0;
    virtual bool HasSelectedRegion() = 0;
    virtual void ShowPictureSizeDialog() = 0;
    virtual void ShowRegionDialog() = 0;
    virtual void CopyPictureToClipboard() = 0;
    // The save prompt of a graph with unsaved changes; false keeps the window open.
    virtual bool CanCloseGraph() = 0;

    // The main tool bar's layout for this kind of window.
    virtual void SetMainToolBarLayout() = 0;
    virtual void UpdateStatusLine() = 0;
    // The window's own menus, which the menu bar shows before "&Tools" while it is active.
    virtual QList<QMenu*> WindowMenus() const { return {}; }

    // Made and in the main window's MDI area: counted, and the tool bar laid out for it.
    // A concrete window runs this first and then builds its picture control.
    virtual void FormCreate();
    // Became the active child: tool bar and status line follow it.
    virtual void FormActivate();

protected:
    // The close query, then (only when the window really closes) the bookkeeping.
    void closeEvent(QCloseEvent* event) override;
};

// A window that draws a graph and can zoom and centre its view.
class TWindowGraph : public TWindowBase {
public:
    virtual void ZoomIn() = 0;
    virtual void ZoomOut() = 0;
    virtual void CenterView() = 0;
};

// The 2D cartesian window as the tool bar reaches it (the concrete TWindow2D derives from it).
class TGraphWindow2D : public TWindowGraph {
public:
    virtual void ZoomXAxisIn() = 0;
    virtual void ZoomXAxisOut() = 0;
    virtual void ZoomYAxisIn() = 0;
    virtual void ZoomYAxisOut() = 0;
    virtual void ScrollViewUp() = 0;
    virtual void ScrollViewDown() = 0;
    virtual void ScrollViewLeft() = 0;
    virtual void ScrollViewRight() = 0;
    virtual void PageViewUp() = 0;
    virtual void PageViewDown() = 0;
    virtual void PageViewLeft() = 0;
    virtual void PageViewRight() = 0;
};

// The polar window as the tool bar reaches it.
class TGraphWindowPolar : public TWindowGraph {
public:
    virtual void ScrollViewUp() = 0;
    virtual void ScrollViewDown() = 0;
    virtual void ScrollViewLeft() = 0;
    virtual void ScrollViewRight() = 0;
    virtual void PageViewUp() = 0;
    virtual void PageViewDown() = 0;
    virtual void PageViewLeft() = 0;
    virtual void PageViewRight() = 0;
};

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
