#include "plot/PtFunc2d.h"

#include "model/funcpara.h"
#include "platform/Errors.h"
#include "plot/PtGraph.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Thrown when the run is cancelled in the middle of a curve; Plot catches it.
struct TPlotCancelled {};

// The whole column at or right of (ceil) or at or left of (floor) a scaled offset from the
// view's middle, range-checked like every other pixel.
int columnCeil(long double v) {
    return PixelOffset(std::ceil(v));
}
int columnFloor(long double v) {
    return PixelOffset(std::floor(v));
}

bool strictlyBetween(long double v, long double a, long double b) {
    return a < b ? (a < v && v < b) : (b < v && v < a);
}

} // namespace

TFunc2DPlotter::TFunc2DPlotter(const TPlotGraph& graph, TCanvas& canvas, const TView2DRecord& view,
                               TFunc2DObj& function, const TSpecialPointArray& points)
    : graph_(graph), canvas_(canvas), view_(view), function_(function), points_(points),
      color_(function.FuncColor), defaultMode_(function.ExtraUndefAccuracy ? smExtraAccuracy : smNormal) {}

void TFunc2DPlotter::checkAborted() const {
    if (graph_.IsAborted()) throw TPlotCancelled{};
}

void TFunc2DPlotter::Plot() {
    int first = 0, last = 0;
    if (!range(first, last)) return;
    try {
        run(first, last);
    } catch (const TPlotCancelled&) {
        // The curve stays as far as it got; the run reports no error.
    }
}

// The columns to draw (gaps first..last) and the x range whose special points count.
// Columns -1 and W lie just outside the bitmap, so that a curve runs off its edges.
bool TFunc2DPlotter::range(int& first, int& last) {
    const TView2DRecord& v = view_;
    if (function_.LoBoundEmpty) {
        first = -1;
        xlo_ = v.WorldX(-1);
    } else {
        const long double c = function_.LoBound.FloatValue * v.ZoomX;
        if (c > v.Right) return false;
        xlo_ = function_.LoBound.FloatValue;
        if (c <= v.Left)
            first = c <= -1 - v.cx + v.CenterX ? -1 : 0;
        else
            first = columnCeil(c - v.CenterX) + v.cx; // the first column not left of the bound
    }
    if (function_.HiBoundEmpty) {
        last = v.W;
        xhi_ = v.WorldX(v.W);
    } else {
        const long double d = function_.HiBound.FloatValue * v.ZoomX;
        if (d < v.Left) return false;
        xhi_ = function_.HiBound.FloatValue;
        if (d < v.Right)
            last = columnFloor(d - v.CenterX) + v.cx; // the last column not right of the bound
        else
            last = d >= v.W - v.cx + v.CenterX ? v.W : v.W - 1;
    }
    if (!(xlo_ <= xhi_)) return false;
    first = std::clamp(first, -1, v.W);
    last = std::clamp(last, -1, v.W);
    return first < last;
}

void TFunc2DPlotter::run(int first, int last) {
    g_[0] = g_[1] = g_[2] = TGap{};
    sampleAt(first - 1, p_[0]);
    sampleAt(first, p_[1]);
    sampleAt(first + 1, p_[2]);
    sampleAt(first + 2, p_[3]);
    int i = first + 2;
    processGap(0, false, true);
    processGap(1, true, true);
    processGap(2, true, i <= last);
    for (int g = 0; g < 3; ++g)
        trendOf(g);
    asymptoteCheck();
    for (;;) {
        if (i > last) {
            drawGap(1);
            return;
        }
        p_[0] = p_[1], p_[1] = p_[2], p_[2] = p_[3];
        g_[0] = g_[1], g_[1] = g_[2], g_[2] = TGap{};
        ++i;
        sampleAt(i, p_[3]);
        processGap(2, true, i <= last);
        trendOf(2);
        asymptoteCheck();
        drawGap(0);
    }
}

// Behaviour codes of a special point side (low seven bits) as side modes.
uint8_t TFunc2DPlotter::sideMode(uint8_t behavior) const {
    switch (behavior & 0x7F) {
    case sbAutomatic:
        return defaultMode_;
    case sbExtraAccuracy:
        return smExtraAccuracy;
    case sbPositiveInfinity:
        return smPositiveInfinity;
    case sbNegativeInfinity:
        return smNegativeInfinity;
    case sbNotContinuous:
        return smNotContinuous;
    default: // sbNoExtraAccuracy and unknown codes
        return smNormal;
    }
}

void TFunc2DPlotter::evaluate(TSample& s) {
    checkAborted();
    TMath2DFunc& f = function_.Func;
    f.SetVariableFloat(0, s.X);
    if (f.EvaluateMathFunc()) {
        s.State = ssDefined;
        s.Y = f.GetResultFloat();
        s.Row = view_.ValueRow(s.Y);
    } else {
        s.State = ssUndefined;
    }
}

void TFunc2DPlotter::sampleAt(int column, TSample& s) {
    s = TSample{};
    s.Column = column;
    s.X = view_.WorldX(column);
    evaluate(s);
    while (sampleCursor_ < points_.size() && points_[sampleCursor_].Value < s.X)
        ++sampleCursor_;
    if (sampleCursor_ < points_.size() && points_[sampleCursor_].Value == s.X) {
        const TSpecialPoint& sp = points_[sampleCursor_];
        if (sp.AtBehavior == sbAtUndefined) s.State = ssUndefined;
        s.LeftMode = sideMode(sp.LeftBehavior);
        s.RightMode = sideMode(sp.RightBehavior);
    } else {
        s.LeftMode = s.RightMode = defaultMode_;
    }
    QX_ASSERT(s.State != ssEmpty, "Can not determine empty point attributes");
}

TFunc2DPlotter::TSample TFunc2DPlotter::specialSample(const TSpecialPoint& point, const TSample& pa,
                                                      const TSample& pb) {
    TSample b;
    b.LeftMode = sideMode(point.LeftBehavior);
    b.RightMode = sideMode(point.RightBehavior);
    b.X = point.Value;
    b.Column = std::fabs(b.X - pa.X) <= std::fabs(pb.X - b.X) ? pa.Column : pb.Column;
    if (point.AtBehavior == sbAtUndefined)
        b.State = ssUndefined;
    else
        evaluate(b);
    return b;
}

// Draws what lies inside gap g: the pieces through the special points strictly inside it,
// or the stroke toward an undefined neighbour. DrawLeft and DrawRight say whether the
// pieces touching its left and right samples are this gap's to draw.
void TFunc2DPlotter::processGap(int g, bool drawLeft, bool drawRight) {
    const TSample& pa = p_[g];
    const TSample& pb = p_[g + 1];
    TGap& gap = g_[g];
    QX_ASSERT(pa.State != ssEmpty && pb.State != ssEmpty, "Can not determine empty point attributes");
    QX_ASSERT(drawLeft || drawRight, "Not enough points to calulate with.");
    gap.Special = false;
    gap.Connect =
        pa.Defined() && pb.Defined() && pa.RightMode != smNotContinuous && pb.LeftMode != smNotContinuous;

    const auto xOf = [&](size_t k) { return points_[k].Value; };
    while (gapCursor_ < points_.size() && xOf(gapCursor_) <= pa.X)
        ++gapCursor_;
    size_t begin = gapCursor_, end = begin;
    while (end < points_.size() && xOf(end) < pb.X)
        ++end;
    const auto outside = [&](size_t k) { return !(xlo_ <= xOf(k) && xOf(k) <= xhi_); };
    while (begin < end && outside(begin))
        ++begin;
    while (end > begin && outside(end - 1))
        --end;

    if (begin < end) {
        gap.Special = true;
        TSample a = pa;
        for (size_t k = begin; k < end; ++k) {
            const TSample b = specialSample(points_[k], pa, pb);
            if (!b.Defined() || b.LeftMode == smNotContinuous || b.RightMode == smNotContinuous)
                gap.Connect = false;
            if (k != begin || drawLeft) drawPiece(a, b);
            a = b;
        }
        if (drawRight) drawPiece(a, pb);
    } else if (drawLeft && drawRight) {
        if (!pa.Defined() && pb.Defined())
            approach(pb, pa, pa.RightMode);
        else if (pa.Defined() && !pb.Defined())
            approach(pa, pb, pb.LeftMode);
    }
}

void TFunc2DPlotter::trendOf(int g) {
    const TSample& a = p_[g];
    const TSample& b = p_[g + 1];
    TTrend& t = g_[g].Trend;
    if (!a.Defined() || !b.Defined())
        t = trUndefined;
    else if (a.Y < b.Y)
        t = trRising;
    else if (a.Y == b.Y)
        t = trEqual;
    else
        t = trFalling;
}

// A vertical asymptote shows as a middle gap whose trend is against both neighbours':
// that jump is not joined.
void TFunc2DPlotter::asymptoteCheck() {
    if (!function_.AsymFixUp || !g_[0].Connect || !g_[1].Connect || !g_[2].Connect) return;
    const TTrend a = g_[0].Trend, b = g_[1].Trend, c = g_[2].Trend;
    if ((a == trFalling && b == trRising && c == trFalling) ||
        (a == trRising && b == trFalling && c == trRising))
        g_[1].Connect = false;
}

void TFunc2DPlotter::drawGap(int g) {
    const TSample& a = p_[g];
    const TSample& b = p_[g + 1];
    QX_ASSERT(a.State != ssEmpty && b.State != ssEmpty, "Error drawing empty increment point.");
    if (g_[g].Connect && !g_[g].Special && a.Defined() && b.Defined()) {
        segment(a.Column, a.Row, b.Column, b.Row);
        return;
    }
    if (a.Defined()) point(a);
    if (b.Defined()) point(b);
}

void TFunc2DPlotter::drawPiece(const TSample& a, const TSample& b) {
    if (!a.Defined() && !b.Defined()) return;
    if (!a.Defined()) {
        approach(b, a, a.RightMode);
    } else if (!b.Defined()) {
        approach(a, b, b.LeftMode);
    } else if (a.RightMode == smNotContinuous || b.LeftMode == smNotContinuous) {
        point(a);
        point(b);
    } else {
        segment(a.Column, a.Row, b.Column, b.Row);
    }
}

// The end of a curve beside an undefined sample, drawn at the defined sample's column by
// the undefined side's mode: a stroke toward the values found closer to the undefined
// point, a stroke off the top or bottom edge, or the point alone.
void TFunc2DPlotter::approach(const TSample& defined, const TSample& undefined, uint8_t mode) {
    const int column = defined.Column, row = defined.Row;
    switch (mode) {
    case smExtraAccuracy: {
        long double lowest = 0, highest = 0;
        refine(defined.X, undefined.X, defined.Y, lowest, highest);
        const int lowRow = view_.ValueRow(lowest), highRow = view_.ValueRow(highest);
        if (lowRow != row) segment(column, lowRow, column, row);
        if (highRow != row) segment(column, highRow, column, row);
        break;
    }
    case smPositiveInfinity:
        if (row >= -15) segment(column, -16, column, row);
        break;
    case smNegativeInfinity:
        if (row < view_.H + 16) segment(column, view_.H + 16, column, row);
        break;
    case smNormal:
    case smNotContinuous:
        point(defined);
        break;
    default:
        break;
    }
}

// Closes in on the border between a defined x d and an undefined x u and reports the
// lowest and highest values met on the way. Bounded by 1499 passes, by 20 repeats of one
// value, and by the probe factor k, which runs toward the undefined side once the values
// settle and backs off while it makes no progress.
void TFunc2DPlotter::refine(long double d, long double u, long double y, long double& lowest,
                            long double& highest) {
    lowest = highest = y;
    int32_t k = 3;
    int count = 0, repeats = 0;
    long double previous = y;
    TSample probe;
    // Records a value; true when the values have repeated long enough to stop.
    const auto record = [&](long double value) {
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
        if (++count >= 2) repeats = value != previous ? 0 : repeats + 1;
        previous = value;
        return repeats >= 20;
    };
    const long double direction = d - u;
    const auto metOrCrossed = [&] { return !((d - u) * direction > 0); };
    for (int pass = 0; pass < 1499; ++pass) {
        for (int h = 0; h < 3; ++h) {
            const long double g = (d + u) / 2;
            if (!strictlyBetween(g, u, d)) return;
            probe.X = g;
            evaluate(probe);
            if (probe.Defined()) {
                if (record(probe.Y)) return;
                d = g;
            } else {
                u = g;
            }
            if (metOrCrossed()) return;
        }
        if (count < 18) continue;
        bool progress = false;
        const long double p = u + (d - u) / k;
        if (std::isfinite(p) && strictlyBetween(p, u, d)) {
            probe.X = p;
            evaluate(probe);
            if (!probe.Defined()) {
                u = p;
            } else if (probe.Y != previous) {
                record(probe.Y);
                d = p;
                if (k > INT32_MAX / 2) return; // the factor cannot double any more
                k *= 2;
                progress = true;
            }
        }
        if (!progress && k >= 30) k /= 2;
        if (metOrCrossed()) return;
    }
}

void TFunc2DPlotter::segment(int x1, int y1, int x2, int y2) {
    checkAborted();
    canvas_.MoveTo(x1, y1);
    canvas_.LineTo(x2, y2);
    canvas_.Pixels(x2, y2, color_);
}

void TFunc2DPlotter::point(const TSample& s) {
    checkAborted();
    canvas_.MoveTo(s.Column, s.Row);
    canvas_.LineTo(s.Column, s.Row);
    canvas_.Pixels(s.Column, s.Row, color_);
}

void TPlotGraph2D::PlotFunctions2D() {
    TCanvas& canvas = PlotBitmap().Canvas();
    canvas.Pen.Style = psSolid;
    canvas.Pen.Mode = pmCopy;
    for (const auto& object : FunctionList) {
        if (IsAborted()) return;
        if (auto* f = dynamic_cast<TFunc2DObj*>(object.get()))
            PlotFunction2D(*f);
        else if (auto* p = dynamic_cast<TFuncParametricObj*>(object.get()))
            PlotParametric2D(*p);
    }
}

void TPlotGraph2D::PlotFunction2D(TFunc2DObj& Function) {
    // The first run that draws a function works out its special points; a stop meanwhile
    // ends the run like any other step, and the next run starts them again.
    const TSpecialPointArray* points = Function.SpecialValues.ExpandPoints([this] { return IsAborted(); });
    if (!points) return;
    TCanvas& canvas = PlotBitmap().Canvas();
    canvas.Pen.Color = Function.FuncColor;
    canvas.Pen.Width = DrawnPenWidth(Function.LineWidth);
    TFunc2DPlotter(*this, canvas, View(), Function, *points).Plot();
}

void TPlotGraph2D::PlotParametric2D(TFuncParametricObj& Function) {
    TCanvas& canvas = PlotBitmap().Canvas();
    const int width = DrawnPenWidth(Function.LineWidth);
    canvas.Pen.Color = Function.FuncColor;
    canvas.Pen.Width = width;
    const long double low = Function.LoBound.FloatValue, high = Function.HiBound.FloatValue;
    // No samples, or a count of 0 (which would divide by zero), draws nothing.
    const int32_t n = DrawnSampleCount(Function.Samples);
    if (!(low < high) || n <= 0) return;
    const TView2DRecord& v = View();
    TClippedPolyline curve(*this, canvas, v, Function.FuncColor, width == 1);
    for (int32_t j = 0; j <= n; ++j) {
        if (IsAborted()) return;
        const long double t = static_cast<long double>(j) / n * (high - low) + low;
        Function.FuncX.SetVariableFloat(0, t);
        bool good = Function.FuncX.EvaluateMathFunc();
        if (good) {
            Function.FuncY.SetVariableFloat(0, t);
            good = Function.FuncY.EvaluateMathFunc();
        }
        curve.AddSample(good, Function.FuncX.GetResultFloat() * v.ZoomX,
                        Function.FuncY.GetResultFloat() * v.ZoomY);
    }
    curve.Finish();
}
