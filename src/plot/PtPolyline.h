#pragma once
// What the 2D and polar renderers share: the view rectangle with its pixel mapping, the
// bounds that keep stored pen widths and sample counts drawable, and the clipped polyline
// that parametric and polar curves are drawn with.
//
// How a curve renderer draws one sampled curve (scaled units are world units times zoom):
//
//   const TPlotViewRect view = TPlotViewRect::Make(W, H, centerX, centerY);
//   const int width = DrawnPenWidth(function.LineWidth);
//   canvas.Pen = TPen{function.FuncColor, width, psSolid};
//   TClippedPolyline curve(*this, canvas, view, function.FuncColor, width == 1);
//   const int32_t n = DrawnSampleCount(function.Samples);
//   for (int32_t j = 0; n > 0 && j <= n; ++j) {      // n <= 0 draws nothing
//       if (IsAborted()) return;                       // the curve stays as far as it got
//       ... evaluate; good when defined, xs and ys scaled ...
//       curve.AddSample(good, xs, ys);
//   }
//   curve.Finish();
//
// A sample that is bad (undefined, or not finite once scaled) breaks the curve; a curve
// that leaves the view is cut exactly at its edge and goes on as a new polyline where it
// comes back. Points reach the canvas in polylines of at most 128 points, each batch
// starting with the last point of the one before, and a 1-pixel pen also sets the last
// point's pixel, which the canvas's lines leave out. The polyline asks IsAborted before
// every drawing call it makes.

#include "labels/Clipline.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Geometry.h"

#include <array>
#include <cstdint>

class TPlotGraph;

// Pixels a scaled offset from the view's middle lies away: rounded to nearest, ties to
// even. Offsets beyond +-PixelOffsetLimit (and NaN) give the limit with their sign (NaN
// +), far outside any bitmap, so that no conversion ever leaves the integer range.
inline constexpr int PixelOffsetLimit = 1 << 29;
int PixelOffset(long double offset);

// The view of a 2D or polar graph on a W x H bitmap: the scaled point (CenterX, CenterY)
// sits at the middle pixel (cx, cy) = (W div 2, H div 2); rows grow downward.
struct TPlotViewRect {
    int W = 0;
    int H = 0;
    int cx = 0;
    int cy = 0;
    long double CenterX = 0;
    long double CenterY = 0;
    // Edges in scaled units: the scaled coordinates of columns 0 and W - 1, rows 0 and H - 1.
    long double Left = 0;
    long double Right = 0;
    long double Top = 0;
    long double Bottom = 0;

    static TPlotViewRect Make(int width, int height, long double centerX, long double centerY);

    int Column(long double xs) const { return PixelOffset(xs - CenterX) + cx; }
    int Row(long double ys) const { return PixelOffset(CenterY - ys) + cy; }
    bool Contains(long double xs, long double ys) const {
        return Left <= xs && xs <= Right && Bottom <= ys && ys <= Top;
    }
    TClipRectExtended ClipRect() const { return {Left, Right, Bottom, Top}; }
};

// (Stored pen widths are bounded for drawing by DrawnPenWidth of the canvas.)
// Stored sample counts are kept as read; drawing takes at most MaxDrawnSamples (ten times
// what the function dialogs offer), so that the sample loop always ends in reach.
inline constexpr int32_t MaxDrawnSamples = 1000000;
int32_t DrawnSampleCount(int32_t samples);

// Pending curve points, drawn as one polyline whenever 128 have gathered.
class TPolylineBuffer {
public:
    static constexpr int Capacity = 128;

    // Color is the pen's colour (for the end pixel); Thin: the pen is 1 pixel wide.
    TPolylineBuffer(const TPlotGraph& graph, TCanvas& canvas, TColor color, bool thin);

    // A full buffer is drawn and keeps its last point as the first of the next batch.
    void Add(TPoint p);
    // Draws what is pending (two or more points; a lone point only with a thin pen) and
    // empties the buffer.
    void Flush();
    int Count() const { return count_; }

private:
    const TPlotGraph& graph_;
    TCanvas& canvas_;
    TColor color_;
    bool thin_;
    int count_ = 0;
    std::array<TPoint, Capacity> points_{};
};

// Joins the samples of one curve into polylines clipped to the view rectangle.
class TClippedPolyline {
public:
    TClippedPolyline(const TPlotGraph& graph, TCanvas& canvas, const TPlotViewRect& view, TColor color,
                     bool thin);

    // The next sample in scaled units; Good is false for an undefined one.
    void AddSample(bool good, long double xs, long double ys);
    // After the last sample.
    void Finish() { buffer_.Flush(); }

private:
    void addScaled(long double xs, long double ys);

    TPolylineBuffer buffer_;
    const TPlotViewRect view_;
    bool previousGood_ = false;
    bool previousInside_ = false;
    long double previousX_ = 0;
    long double previousY_ = 0;
};
