#include "plot/PtGr2d.h"

#include "math/Floatstr.h"
#include "platform/Canvas.h"
#include "platform/Errors.h"
#include "plot/PtShared.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <mutex>

TView2DRecord TView2DRecord::Make(int width, int height, const TView2DZoomObj& zoom) {
    TView2DRecord v;
    static_cast<TPlotViewRect&>(v) = TPlotViewRect::Make(width, height, zoom.CenterX, zoom.CenterY);
    v.ZoomX = zoom.ZoomX;
    v.ZoomY = zoom.ZoomY;
    return v;
}

int TView2DRecord::ValueRow(long double y) const {
    const long double ys = y * ZoomY;
    // NaN passes the clamp and is caught by Row's range check.
    return Row(std::clamp(ys, Bottom - PlotValueMargin, Top + PlotValueMargin));
}

namespace {

// One axis of a run. Along the axis, pixels are columns for X and rows for Y; the axis
// line runs on one pixel line across (row r0 for X, column c0 for Y).
struct TAxisRun {
    const TSetting2DAxis& Set;
    bool IsX;
    long double Zoom;
    // The extent, in scaled units along the axis.
    bool InView = false;
    long double Lo = 0;
    long double Hi = 0;
    bool Valid = false;
    // The axis line's first pixel and the pixel after its last along the axis, and the
    // pixel line it runs on.
    int SpanFrom = 0;
    int SpanTo = 0;
    int LinePos = 0;
    bool AxisDrawn = false;
    bool TicksDrawn = false;

    TPoint at(int along, int across) const { return IsX ? TPoint{along, across} : TPoint{across, along}; }
    int tickLength() const {
        return std::clamp<int32_t>(Set.TickLength, -MaxDrawnTickLength, MaxDrawnTickLength);
    }
};

// The ticks of one axis: at scaled positions s*k for the whole k from the first multiple of
// the pixel step s not below the low end, while the position does not pass the high end.
class TTickWalk {
public:
    // Faults (EOverflow, EInvalidOp) on an increment or view so extreme that the pixel step
    // or the first tick index has no value: the caller's step then ends.
    TTickWalk(const TAxisRun& axis, int pixels) : increment_(axis.Set.TickInc.FloatValue) {
        step_ = increment_ * axis.Zoom;
        if (!std::isfinite(step_)) throw EOverflow("Tick step out of range");
        if (step_ < 5) return;
        const long double first = axis.Lo / step_;
        // Beyond 2^62 ticks from the origin neighbouring ticks are no longer told apart.
        if (!(std::fabs(first) < 0x1p62L)) throw EInvalidOp("Tick index out of range");
        first_ = int64_t(first);
        if (axis.Lo > step_ * first_) ++first_;
        // At most one tick per 5 pixels of the extent, which lies inside the view: a bound
        // that only a view too far out to place its ticks ever meets.
        const int limit = pixels / 5 + 2;
        while (count_ < limit && step_ * (first_ + count_) <= axis.Hi)
            ++count_;
    }

    int Count() const { return count_; }
    int64_t Index(int i) const { return first_ + i; }
    long double Position(int i) const { return step_ * Index(i); }
    long double Value(int i) const { return Index(i) * increment_; }

private:
    long double increment_;
    long double step_ = 0;
    int64_t first_ = 0;
    int count_ = 0;
};

class TAxesPainter {
public:
    TAxesPainter(const TPlotGraph& graph, TCanvas& canvas, const TView2DRecord& view,
                 const TSetting2DObj& settings)
        : graph_(graph), canvas_(canvas), view_(view),
          settings_(settings), x_{settings.X, true, view.ZoomX}, y_{settings.Y, false, view.ZoomY} {}

    void Draw() {
        if (graph_.IsAborted()) return;
        computeExtents();
        for (TAxisRun* axis : {&x_, &y_}) {
            if (graph_.IsAborted()) return;
            drawAxisLine(*axis);
        }
        if (graph_.IsAborted()) return;
        guarded([&] { drawGridMarks(); });
        for (TAxisRun* axis : {&x_, &y_}) {
            if (graph_.IsAborted()) return;
            const TAxisRun& other = axis == &x_ ? y_ : x_;
            guarded([&] { axis->TicksDrawn = drawTicks(*axis, other); });
        }
        for (TAxisRun* axis : {&x_, &y_}) {
            if (graph_.IsAborted()) return;
            guarded([&] { drawLabels(*axis, axis == &x_ ? y_ : x_); });
        }
    }

private:
    // A fault on extreme values or in a text ends the step alone.
    template <class Step> static void guarded(Step step) {
        try {
            step();
        } catch (...) {
        }
    }

    int pixelOf(const TAxisRun& axis, long double scaled) const {
        return axis.IsX ? view_.Column(scaled) : view_.Row(scaled);
    }

    void computeExtents() {
        const auto extent = [&](TAxisRun& a, long double lowEdge, long double highEdge, long double otherLow,
                                long double otherHigh) {
            a.InView = otherLow <= 0 && 0 <= otherHigh;
            const long double lo = a.Set.LoLimit.FloatValue * a.Zoom, hi = a.Set.HiLimit.FloatValue * a.Zoom;
            a.Lo = (a.Set.LoLimitEmpty || lo <= lowEdge) ? lowEdge : lo;
            a.Hi = (a.Set.HiLimitEmpty || hi >= highEdge) ? highEdge : hi;
            a.Valid = a.Lo <= a.Hi && a.Lo <= highEdge && a.Hi >= lowEdge;
        };
        extent(x_, view_.Left, view_.Right, view_.Bottom, view_.Top);
        extent(y_, view_.Bottom, view_.Top, view_.Left, view_.Right);
        // A limited end stops at its own pixel; the far end of the line is drawn to its pixel + 1.
        x_.SpanFrom = x_.Lo != view_.Left ? view_.Column(x_.Lo) : 0;
        x_.SpanTo = x_.Hi != view_.Right ? view_.Column(x_.Hi) + 1 : view_.W;
        y_.SpanFrom = y_.Hi != view_.Top ? view_.Row(y_.Hi) : 0;
        y_.SpanTo = y_.Lo != view_.Bottom ? view_.Row(y_.Lo) + 1 : view_.H;
        x_.LinePos = view_.Row(0);
        y_.LinePos = view_.Column(0);
    }

    void line(TPoint from, TPoint to) {
        canvas_.MoveTo(from.X, from.Y);
        canvas_.LineTo(to.X, to.Y);
    }

    // A line that also sets its end pixel, which a line leaves out.
    void lineWithEnd(TPoint from, TPoint to, TColor color) {
        line(from, to);
        canvas_.Pixels(to.X, to.Y, color);
    }

    void drawAxisLine(TAxisRun& a) {
        if (!a.InView || !a.Valid || !a.Set.ShowAxisLine) return;
        canvas_.Pen =
            TPen{a.Set.AxisColor, DrawnPenWidth(a.Set.AxisWidth), SettingPenStyle(a.Set.AxisPenStyle)};
        line(a.at(a.SpanFrom, a.LinePos), a.at(a.SpanTo, a.LinePos));
        a.AxisDrawn = true;
    }

    // A tick at index k is left out at 0 when the other axis's line is set to show there.
    static bool skipped(int64_t k, const TAxisRun& other) { return k == 0 && other.Set.ShowAxisLine; }

    void drawGridMarks() {
        if (x_.Set.TickType != tkGridMarks && y_.Set.TickType != tkGridMarks) return;
        if (!x_.Valid || !y_.Valid || !(x_.Set.TickInc.FloatValue > 0) || !(y_.Set.TickInc.FloatValue > 0))
            return;
        const TTickWalk xs(x_, view_.W), ys(y_, view_.H);
        for (int i = 0; i < xs.Count(); ++i) {
            if (skipped(xs.Index(i), y_)) continue;
            const int column = view_.Column(xs.Position(i));
            for (int j = 0; j < ys.Count(); ++j) {
                if (graph_.IsAborted()) return;
                if (skipped(ys.Index(j), x_)) continue;
                gridMarkArms(column, view_.Row(ys.Position(j)));
            }
        }
    }

    void gridMarkArms(int column, int row) {
        if (x_.Set.TickType == tkGridMarks) {
            const int len = x_.tickLength();
            canvas_.Pen = TPen{x_.Set.TickColor, DrawnPenWidth(x_.Set.AxisWidth), psSolid};
            lineWithEnd({column, row - len}, {column, row + len}, x_.Set.TickColor);
        }
        if (y_.Set.TickType == tkGridMarks) {
            const int len = y_.tickLength();
            canvas_.Pen = TPen{y_.Set.TickColor, DrawnPenWidth(y_.Set.AxisWidth), psSolid};
            lineWithEnd({column - len, row}, {column + len, row}, y_.Set.TickColor);
        }
    }

    // Marks on the axis line (types 1 and 2), or grid lines across the other axis's extent
    // (type 3, drawn also when this axis's line is not). True when the step ended normally.
    bool drawTicks(const TAxisRun& a, const TAxisRun& other) {
        const uint8_t type = a.Set.TickType;
        const bool marks = (type == tkTickMarks || type == tkGridMarks) && a.AxisDrawn;
        if (!a.Valid || !(a.Set.TickInc.FloatValue > 0) || !(marks || type == tkGridLines)) return false;
        const TTickWalk walk(a, a.IsX ? view_.W : view_.H);
        if (type == tkGridLines && !other.Valid) return true;
        const TPenStyle style = type == tkGridLines ? SettingPenStyle(a.Set.GridPenStyle) : psSolid;
        canvas_.Pen = TPen{a.Set.TickColor, DrawnPenWidth(a.Set.AxisWidth), style};
        const int len = a.tickLength();
        for (int i = 0; i < walk.Count(); ++i) {
            if (graph_.IsAborted()) return false;
            if (skipped(walk.Index(i), other)) continue;
            const int p = pixelOf(a, walk.Position(i));
            if (type == tkGridLines)
                line(a.at(p, other.SpanFrom), a.at(p, other.SpanTo));
            else
                lineWithEnd(a.at(p, a.LinePos - len), a.at(p, a.LinePos + len), a.Set.TickColor);
        }
        return true;
    }

    // Where a label's top-left corner goes: beside the grid line (type 3) or off the mark.
    TPoint labelCorner(const TAxisRun& a, int p, long double value, const std::string& text) {
        const bool negative = value < 0;
        const bool grid = a.Set.TickType == tkGridLines;
        if (a.IsX) {
            const int width = canvas_.TextWidth(text);
            if (grid) return {negative ? p - (width + 1) : p + 1, a.LinePos + 1};
            return clearOfMark(a, p, text, {p - width / 2, a.LinePos + a.tickLength() + 1});
        }
        const int height = canvas_.TextHeight(text);
        if (grid) return {a.LinePos + 1, negative ? p + 1 : p - (height + 1)};
        const TPoint corner = clearOfMark(a, p, text, {a.LinePos + a.tickLength() + 1, p - height / 2});
        return {corner.X + (negative ? 3 : 0), corner.Y};
    }

    // A label below its X mark or right of its Y mark, moved further off it where the
    // glyphs' ink would come too close to the mark's pixels (pen width included).
    TPoint clearOfMark(const TAxisRun& a, int p, const std::string& text, TPoint corner) {
        const int reach = DrawnPenWidth(a.Set.AxisWidth) / 2, half = std::abs(a.tickLength()) + reach;
        const TRect mark = a.IsX ? TRect(p - reach, a.LinePos - half, p + reach + 1, a.LinePos + half + 1)
                                 : TRect(a.LinePos - half, p - reach, a.LinePos + half + 1, p + reach + 1);
        return ClearOfMark(corner, canvas_.TextInk(text), mark, a.IsX ? TPoint{0, 1} : TPoint{1, 0});
    }

    void drawLabels(const TAxisRun& a, const TAxisRun& other) {
        if (!a.Set.ShowTickLabels || !a.TicksDrawn || !a.AxisDrawn) return;
        canvas_.Font = a.IsX ? settings_.XLabelFont : settings_.YLabelFont;
        const TTickWalk walk(a, a.IsX ? view_.W : view_.H);
        for (int i = 0; i < walk.Count(); ++i) {
            if (graph_.IsAborted()) return;
            if (skipped(walk.Index(i), other)) continue;
            const long double value = walk.Value(i);
            const std::string text = FormatNumber(a.Set.LabelFormat, a.Set.ThousandsSeparator, a.Set.PlusSign,
                                                  value, a.Set.DecimalPlaces);
            const TPoint corner = labelCorner(a, pixelOf(a, walk.Position(i)), value, text);
            canvas_.TextOut(corner.X, corner.Y, text);
        }
    }

    const TPlotGraph& graph_;
    TCanvas& canvas_;
    const TView2DRecord& view_;
    const TSetting2DObj& settings_;
    TAxisRun x_;
    TAxisRun y_;
};

} // namespace

TPlotGraph2D::TPlotGraph2D()
    : viewZoom_(std::make_unique<TView2DZoomObj>()), settings_(std::make_unique<TSetting2DObj>()) {}

TPlotGraph2D::~TPlotGraph2D() = default;

void TPlotGraph2D::DrawGraph(std::string& ErrorText) {
    ErrorText.clear();
    DrawGraph2D();
}

void TPlotGraph2D::BeginIncrementalDraw() {
    DrawGraph2D();
}

bool TPlotGraph2D::DrawNextIncrement() {
    DrawGraph2D();
    return true;
}

void TPlotGraph2D::DrawGraph2D() {
    // The worker holds the lock already; taking it once here spares every drawing call
    // its own first locking when the model draws on the caller's thread.
    std::lock_guard lock(PlotBitmap());
    if (IsAborted()) return;
    FillGraphBmpBackground();
    if (IsAborted()) return;
    view_ = TView2DRecord::Make(Width(), Height(), *viewZoom_);
    if (IsAborted()) return;
    DrawAxes2D();
    if (!IsAborted()) PlotFunctions2D();
}

void TPlotGraph2D::DrawAxes2D() {
    try {
        TAxesPainter(*this, PlotBitmap().Canvas(), view_, *settings_).Draw();
    } catch (...) {
        // Axes are decoration: whatever went wrong with them, the functions still draw.
    }
}
