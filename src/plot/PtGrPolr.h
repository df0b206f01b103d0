#pragma once
// The polar graph model: radial axes at the angles of the settings' axis list, tick marks
// as circles around the origin or as dashes across the axes, their labels, and every
// r = f(theta) function as polylines clipped to the view, drawn on the graph worker.
//
// The controller brings the model's view and settings copies (ViewZoom, Settings) and its
// function copies up to date while no worker runs; a drawing run then reads only those.

#include "model/SetPoObj.h"
#include "model/VwPoObj.h"
#include "plot/PtGrList.h"
#include "plot/PtPolyline.h"

#include <array>
#include <string>

class TCanvas;
class TFuncPolarObj;

// The angle of the point (x, y) seen from the origin, in degrees in [0, 360); 0 for the
// origin itself.
long double PointAngleDegrees(long double x, long double y);

// Circles whose radius passes this many pixels are drawn as arcs across the view.
inline constexpr long double MaxCirclePixels = 4000;
// An arc has at most this many pieces; its points are clamped to +-ArcPixelLimit.
inline constexpr int MaxArcPieces = 501;
inline constexpr int ArcPixelLimit = 30000;
// Stored dash lengths are kept as read; drawing bounds them to +-MaxDrawnDashLength, which
// is longer than any bitmap.
inline constexpr int MaxDrawnDashLength = 4000;

// The view of one polar run: the bitmap's rectangle in scaled units (world units times
// the zoom), its corners' angles and the radius restriction.
struct TPolarViewRecord : TPlotViewRect {
    long double Zoom = 0;
    long double AngleTL = 0, AngleTR = 0, AngleBL = 0, AngleBR = 0; // degrees
    bool OriginInView = false;
    long double RestrictRadius = 0; // scaled; 0 when the radius is not restricted

    static TPolarViewRecord Make(int width, int height, const TViewPolarZoomObj& zoom,
                                 const TSettingPolarObj& settings);
};

// One radial axis of a run in scaled units: the origin (when in view) or the first edge
// crossing found, then the other end.
struct TPolarAxisSegment {
    bool Visible = false;
    long double X1 = 0, Y1 = 0;
    long double X2 = 0, Y2 = 0;
};

class TPlotGraphPolar : public TPlotGraphFuncList {
public:
    TPlotGraphPolar();
    ~TPlotGraphPolar() override;

    void DrawGraph(std::string& ErrorText) override;
    void BeginIncrementalDraw() override;
    bool DrawNextIncrement() override;

    // Background, view, axes, tick circles or dashes with their labels, then the functions
    // in list order; a cancel stops it at the next step, axis, tick or sample.
    void DrawGraphPolar();

    // The model's own copies; the controller updates them while no worker runs.
    TViewPolarZoomObj& ViewZoom() { return viewZoom_; }
    TSettingPolarObj& Settings() { return settings_; }
    // The view record and the axis segments of the latest run.
    const TPolarViewRecord& View() const { return view_; }
    const std::array<TPolarAxisSegment, MaxPolarAxes>& AxisSegments() const { return axes_; }

private:
    void SetupPolarView();
    void ComputeAxisSegments();
    void DrawPolarAxes();
    void DrawCircleTicks();
    void DrawDashTicks();
    void PlotPolarFunctions();
    void plotPolarFunction(TFuncPolarObj& Function);

    int axisCount() const;
    long double axisAngle(int Index) const;
    TPoint pixelOf(long double xs, long double ys) const { return {view_.Column(xs), view_.Row(ys)}; }
    // Scaled pixels between two ticks, k-th tick's label text.
    long double tickStep() const;
    std::string tickLabel(int64_t K) const;
    void drawCircle(long double Radius);
    void drawArc(long double Radius);
    void drawCircleLabels(int64_t K);
    void drawDash(long double Rho, long double Theta, int64_t K);

    TViewPolarZoomObj viewZoom_;
    TSettingPolarObj settings_;
    TPolarViewRecord view_;
    std::array<TPolarAxisSegment, MaxPolarAxes> axes_{};
};
