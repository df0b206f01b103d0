#pragma once
// The 2D cartesian graph model: draws axes, tick marks or grids, tick labels and every
// y = f(x) and parametric function of a 2D graph into its plot bitmap, on the graph worker.
//
// The controller brings the model's view and settings copies (ViewZoom, Settings) and its
// function copies up to date while no worker runs; a drawing run then reads only those.

#include "model/Set2dObj.h"
#include "model/Vw2dObj.h"
#include "plot/PtGrList.h"
#include "plot/PtPolyline.h"

#include <cstdint>
#include <memory>
#include <string>

class TFunc2DObj;
class TFuncParametricObj;

// Function values are drawn at most this many pixels beyond the view, so that steep lines
// stay short.
inline constexpr long double PlotValueMargin = 2500;
// Stored tick lengths are kept as read; drawing bounds them to +-MaxDrawnTickLength, which
// is longer than any bitmap.
inline constexpr int MaxDrawnTickLength = 4000;

// The view of one 2D run: the bitmap's rectangle with the zooms of both axes.
struct TView2DRecord : TPlotViewRect {
    long double ZoomX = 0;
    long double ZoomY = 0;

    static TView2DRecord Make(int width, int height, const TView2DZoomObj& zoom);

    // The world x shown at a column.
    long double WorldX(int column) const { return (column - cx + CenterX) / ZoomX; }
    // The row of a function value, its scaled value clamped to PlotValueMargin beyond the view.
    int ValueRow(long double y) const;
};

class TPlotGraph2D : public TPlotGraphFuncList {
public:
    TPlotGraph2D();
    ~TPlotGraph2D() override;

    void DrawGraph(std::string& ErrorText) override;
    void BeginIncrementalDraw() override;
    bool DrawNextIncrement() override;

    // Background, view, axes with their ticks and labels, then the functions in list order;
    // a cancel stops it at the next step, tick, column or sample.
    void DrawGraph2D();

    // The model's own copies; the controller updates them while no worker runs.
    TView2DZoomObj& ViewZoom() { return *viewZoom_; }
    TSetting2DObj& Settings() { return *settings_; }
    // The view record of the latest run.
    const TView2DRecord& View() const { return view_; }

protected:
    // Axis lines, grid marks, ticks or grid lines and tick labels. Nothing raised here
    // reaches the worker: a step that faults ends, and an axis whose ticks faulted gets no
    // labels.
    void DrawAxes2D();
    void PlotFunctions2D();
    void PlotFunction2D(TFunc2DObj& Function);
    void PlotParametric2D(TFuncParametricObj& Function);

private:
    std::unique_ptr<TView2DZoomObj> viewZoom_;
    std::unique_ptr<TSetting2DObj> settings_;
    TView2DRecord view_;
};
