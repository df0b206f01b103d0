#include "plot/PtGrPolr.h"

#include "math/Floatstr.h"
#include "model/funcpolr.h"
#include "platform/Canvas.h"
#include "plot/PtShared.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

constexpr long double RadiansToDegrees = 57.295779513082320877L;
constexpr long double DegreesToRadians = 0.017453292519943295769L;
constexpr long double TwoPi = 6.283185307179586476925L;
// Beyond this many ticks from the origin neighbouring ticks are no longer told apart.
constexpr long double MaxTickIndex = 0x1p62L;

// Whether an angle lies in the range spanned by two corner angles: the plain interval,
// unless the corners lie either side of 0 degrees.
bool inCornerRange(long double angle, long double a, long double b) {
    const long double lo = std::min(a, b), hi = std::max(a, b);
    if (lo <= 90 && hi >= 270) return angle <= lo || angle >= hi;
    return lo <= angle && angle <= hi;
}

long double distance(long double x, long double y) {
    return std::hypot(x, y);
}

} // namespace

long double PointAngleDegrees(long double x, long double y) {
    if (x == 0) return y == 0 ? 0 : y > 0 ? 90 : 270;
    if (y == 0) return x >= 0 ? 0 : 180;
    if (x > 0 && y > 0) return std::atan(y / x) * RadiansToDegrees;
    if (x < 0 && y > 0) return 180 - std::atan(y / -x) * RadiansToDegrees;
    if (x > 0 && y < 0) return 360 - std::atan(-y / x) * RadiansToDegrees;
    return 180 + std::atan(y / x) * RadiansToDegrees;
}

TPolarViewRecord TPolarViewRecord::Make(int width, int height, const TViewPolarZoomObj& zoom,
                                        const TSettingPolarObj& settings) {
    TPolarViewRecord v;
    static_cast<TPlotViewRect&>(v) = TPlotViewRect::Make(width, height, zoom.CenterX, zoom.CenterY);
    v.Zoom = zoom.Zoom;
    v.AngleTL = PointAngleDegrees(v.Left, v.Top);
    v.AngleTR = PointAngleDegrees(v.Right, v.Top);
    v.AngleBL = PointAngleDegrees(v.Left, v.Bottom);
    v.AngleBR = PointAngleDegrees(v.Right, v.Bottom);
    v.OriginInView = v.Left <= 0 && 0 <= v.Right && v.Bottom <= 0 && 0 <= v.Top;
    v.RestrictRadius = settings.RestrictRadius ? std::fabs(settings.RadiusRestrict.FloatValue) * v.Zoom : 0;
    return v;
}

TPlotGraphPolar::TPlotGraphPolar() = default;

TPlotGraphPolar::~TPlotGraphPolar() = default;

void TPlotGraphPolar::DrawGraph(std::string& ErrorText) {
    ErrorText.clear();
    DrawGraphPolar();
}

void TPlotGraphPolar::BeginIncrementalDraw() {
    DrawGraphPolar();
}

bool TPlotGraphPolar::DrawNextIncrement() {
    DrawGraphPolar();
    return true;
}

void TPlotGraphPolar::DrawGraphPolar() {
    // The worker holds the lock already; a caller on another thread gets it here.
    std::lock_guard lock(PlotBitmap());
    if (IsAborted()) return;
    FillGraphBmpBackground();
    if (IsAborted()) return;
    if (settings_.ShowLabels) PlotBitmap().Canvas().Font = settings_.LabelFont;
    SetupPolarView();
    if (IsAborted()) return;
    ComputeAxisSegments();
    if (IsAborted()) return;
    DrawPolarAxes();
    if (IsAborted()) return;
    const long double increment = settings_.TickInc.FloatValue;
    if (increment > 0 && tickStep() >= 5) {
        if (settings_.TickMarkType == pkCircles)
            DrawCircleTicks();
        else if (settings_.TickMarkType == pkDashes)
            DrawDashTicks();
    }
    if (IsAborted()) return;
    PlotPolarFunctions();
}

void TPlotGraphPolar::SetupPolarView() {
    view_ = TPolarViewRecord::Make(Width(), Height(), viewZoom_, settings_);
}

int TPlotGraphPolar::axisCount() const {
    return std::clamp<int32_t>(settings_.AxisCount, 0, MaxPolarAxes);
}

// An axis angle in [0, 360), or NaN for an angle that is no number.
long double TPlotGraphPolar::axisAngle(int Index) const {
    long double a = settings_.AxisAngles[size_t(Index)];
    if (!std::isfinite(a)) return NAN;
    a = std::fmod(a, 360.0L);
    if (a < 0) a += 360;
    return a >= 360 ? 0 : a;
}

long double TPlotGraphPolar::tickStep() const {
    return settings_.TickInc.FloatValue * view_.Zoom;
}

std::string TPlotGraphPolar::tickLabel(int64_t K) const {
    return FormatNumber(settings_.LabelFormat, settings_.ThousandsSeparator, settings_.PlusSign,
                        static_cast<long double>(K) * settings_.TickInc.FloatValue, settings_.DecimalPlaces);
}

void TPlotGraphPolar::ComputeAxisSegments() {
    const TPolarViewRecord& v = view_;
    axes_.fill({});
    for (int i = 0; i < axisCount(); ++i) {
        const long double degrees = axisAngle(i);
        if (std::isnan(degrees)) continue;
        const long double theta = degrees * DegreesToRadians, c = std::cos(theta), s = std::sin(theta);
        long double px[2], py[2];
        int count = 0;
        auto add = [&](long double x, long double y) { px[count] = x, py[count] = y, ++count; };
        if (v.OriginInView) add(0, 0);
        // Where the ray crosses a horizontal edge at height h, or a vertical one at x = w.
        auto onHorizontal = [&](long double h) {
            if (h == 0 || degrees == 0 || degrees == 180)
                return (90 <= degrees && degrees <= 270) ? v.Left : v.Right;
            return std::clamp(h * c / s, v.Left, v.Right);
        };
        auto onVertical = [&](long double w) {
            if (w == 0 || degrees == 90 || degrees == 270) return degrees >= 180 ? v.Bottom : v.Top;
            return std::clamp(w * s / c, v.Bottom, v.Top);
        };
        // An edge through the origin is not tried when the origin is already a point.
        auto tryEdge = [&](long double at, long double a, long double b) {
            return count < 2 && !(v.OriginInView && at == 0) && inCornerRange(degrees, a, b);
        };
        if (tryEdge(v.Top, v.AngleTR, v.AngleTL)) add(onHorizontal(v.Top), v.Top);
        if (tryEdge(v.Bottom, v.AngleBL, v.AngleBR)) add(onHorizontal(v.Bottom), v.Bottom);
        if (tryEdge(v.Left, v.AngleBL, v.AngleTL)) add(v.Left, onVertical(v.Left));
        if (tryEdge(v.Right, v.AngleBR, v.AngleTR)) add(v.Right, onVertical(v.Right));
        if (count < 2) continue;

        TPolarAxisSegment& axis = axes_[size_t(i)];
        axis = {true, px[0], py[0], px[1], py[1]};
        if (!settings_.RestrictRadius) continue;
        const long double R = v.RestrictRadius, d1 = distance(px[0], py[0]), d2 = distance(px[1], py[1]);
        if (std::min(d1, d2) > R) {
            axis.Visible = false;
        } else if (d2 > R) {
            axis.X2 = R * c, axis.Y2 = R * s;
        } else if (d1 > R) {
            axis.X1 = R * c, axis.Y1 = R * s;
        }
    }
}

void TPlotGraphPolar::DrawPolarAxes() {
    TCanvas& canvas = PlotBitmap().Canvas();
    const TPenStyle style = SettingPenStyle(settings_.AxisPenStyle);
    canvas.Pen = TPen{settings_.AxisColor, DrawnPenWidth(settings_.AxisWidth), style};
    for (int i = 0; i < axisCount(); ++i) {
        const TPolarAxisSegment& axis = axes_[size_t(i)];
        if (!axis.Visible) continue;
        if (IsAborted()) return;
        const TPoint from = pixelOf(axis.X1, axis.Y1), to = pixelOf(axis.X2, axis.Y2);
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(to.X, to.Y);
        // A line leaves out its end pixel; an unbroken axis reaches it.
        if (style == psSolid) canvas.Pixels(to.X, to.Y, settings_.AxisColor);
    }
}

void TPlotGraphPolar::DrawCircleTicks() {
    const TPolarViewRecord& v = view_;
    PlotBitmap().Canvas().Pen = TPen{settings_.TickColor, DrawnPenWidth(settings_.CircleWidth),
                                     SettingPenStyle(settings_.CirclePenStyle)};
    const long double s = tickStep();
    long double rMax = std::max({distance(v.Left, v.Top), distance(v.Right, v.Top),
                                 distance(v.Left, v.Bottom), distance(v.Right, v.Bottom)});
    if (settings_.RestrictRadius) rMax = std::min(rMax, v.RestrictRadius);
    long double first = 1;
    if (!v.OriginInView) {
        long double rMin;
        if (v.Left <= 0 && 0 <= v.Right)
            rMin = std::min(std::fabs(v.Top), std::fabs(v.Bottom));
        else if (v.Bottom <= 0 && 0 <= v.Top)
            rMin = std::min(std::fabs(v.Left), std::fabs(v.Right));
        else
            rMin = std::min({distance(v.Left, v.Top), distance(v.Right, v.Top), distance(v.Left, v.Bottom),
                             distance(v.Right, v.Bottom)});
        if (s < rMin) first = std::ceil(rMin / s);
    }
    if (!(first < MaxTickIndex)) return;
    // The circles that meet the view are at most its diagonal apart; counting them also
    // ends the walk where the radius grows too large to change by one step.
    int left = int(std::hypot(double(v.W), double(v.H)) / double(s)) + 2;
    for (int64_t k = int64_t(first); s * k <= rMax && left-- > 0; ++k) {
        if (IsAborted()) return;
        const long double radius = s * k;
        if (!v.OriginInView && radius > MaxCirclePixels)
            drawArc(radius);
        else
            drawCircle(radius);
        if (settings_.ShowLabels) drawCircleLabels(k);
    }
}

// A circle around the origin's pixel with a whole radius: the same pixels wherever the
// origin lies. The box includes its right column and bottom row, which the canvas leaves out.
void TPlotGraphPolar::drawCircle(long double Radius) {
    const TPoint origin = pixelOf(0, 0);
    const int n = PixelOffset(Radius);
    PlotBitmap().Canvas().Ellipse(origin.X - n, origin.Y - n, origin.X + n + 1, origin.Y + n + 1);
}

// The visible part of a circle too large for the canvas, as a polyline through the angles
// of the view's corners.
void TPlotGraphPolar::drawArc(long double Radius) {
    const TPolarViewRecord& v = view_;
    const long double step = std::acos((Radius - 0.5L) / Radius);
    if (!std::isfinite(step)) return;
    long double start, span, direction = 1;
    if (v.Bottom <= 0 && 0 <= v.Top && v.Left > 0) {
        // Right of the origin across the x axis: from the top-left corner down through 0.
        start = v.AngleTL;
        span = v.AngleTL + (360 - v.AngleBL);
        direction = -1;
    } else {
        start = std::min({v.AngleTL, v.AngleTR, v.AngleBL, v.AngleBR});
        span = std::max({v.AngleTL, v.AngleTR, v.AngleBL, v.AngleBR}) - start;
    }
    start *= DegreesToRadians;
    span *= DegreesToRadians;
    const long double pieces = span / (2 * step);
    const int n = !(pieces > 0)                ? 0
                  : pieces >= MaxArcPieces - 1 ? MaxArcPieces - 1
                                               : int(std::nearbyint(pieces));
    auto pointAt = [&](long double phi) {
        const TPoint p = pixelOf(Radius * std::cos(phi), Radius * std::sin(phi));
        return TPoint{std::clamp(p.X, -ArcPixelLimit, ArcPixelLimit),
                      std::clamp(p.Y, -ArcPixelLimit, ArcPixelLimit)};
    };
    TCanvas& canvas = PlotBitmap().Canvas();
    const TPoint first = pointAt(start);
    canvas.MoveTo(first.X, first.Y);
    for (int i = 1; i <= n; ++i) {
        long double phi = std::fmod(start + direction * span * i / (n + 1), TwoPi);
        if (phi < 0) phi += TwoPi;
        const TPoint p = pointAt(phi);
        canvas.LineTo(p.X, p.Y);
    }
    const TPoint last = pointAt(start + direction * span);
    canvas.LineTo(last.X, last.Y);
    if (canvas.Pen.Style == psSolid) canvas.Pixels(last.X, last.Y, settings_.TickColor);
}

void TPlotGraphPolar::drawCircleLabels(int64_t K) {
    TCanvas& canvas = PlotBitmap().Canvas();
    const std::string text = tickLabel(K);
    const long double radius = tickStep() * K;
    for (int i = 0; i < axisCount(); ++i) {
        if (!axes_[size_t(i)].Visible) continue;
        const long double theta = axisAngle(i) * DegreesToRadians;
        const long double x = radius * std::cos(theta), y = radius * std::sin(theta);
        if (!view_.Contains(x, y)) continue;
        const TPoint p = pixelOf(x, y);
        canvas.TextOut(p.X + 1, p.Y + 1, text);
    }
}

void TPlotGraphPolar::DrawDashTicks() {
    PlotBitmap().Canvas().Pen = TPen{settings_.TickColor, DrawnPenWidth(settings_.AxisWidth), psSolid};
    const long double s = tickStep();
    const int maxTicks = int(std::hypot(double(view_.W), double(view_.H)) / double(s)) + 2;
    for (int i = 0; i < axisCount(); ++i) {
        const TPolarAxisSegment& axis = axes_[size_t(i)];
        if (!axis.Visible) continue;
        if (IsAborted()) return;
        const long double d1 = distance(axis.X1, axis.Y1), d2 = distance(axis.X2, axis.Y2);
        const long double near = std::min(d1, d2), far = std::max(d1, d2);
        const long double first = s >= near ? 1 : std::ceil(near / s);
        if (!(first < MaxTickIndex)) continue;
        const long double theta = axisAngle(i) * DegreesToRadians;
        int left = maxTicks;
        for (int64_t k = int64_t(first); s * k <= far + 1e-10L && left-- > 0; ++k) {
            if (IsAborted()) return;
            drawDash(s * k, theta, k);
        }
    }
}

// A dash across the axis at distance Rho, with its label beside the dash's end that lies
// away from the axis's other ticks.
void TPlotGraphPolar::drawDash(long double Rho, long double Theta, int64_t K) {
    TCanvas& canvas = PlotBitmap().Canvas();
    const long double L = std::clamp<int32_t>(settings_.DashLength, -MaxDrawnDashLength, MaxDrawnDashLength);
    const long double c = std::cos(Theta), s = std::sin(Theta);
    const TPoint a = pixelOf(Rho * c + L * s, Rho * s - L * c);
    const TPoint b = pixelOf(Rho * c - L * s, Rho * s + L * c);
    canvas.MoveTo(a.X, a.Y);
    canvas.LineTo(b.X, b.Y);
    canvas.Pixels(b.X, b.Y, settings_.TickColor);
    if (!settings_.ShowLabels) return;

    const std::string text = tickLabel(K);
    const int height = canvas.TextHeight(text);
    TPoint corner, away;
    if (a.X == b.X) {
        const TPoint& lower = a.Y > b.Y ? a : b;
        corner = {lower.X, lower.Y + 1}, away = {0, 1};
    } else {
        const TPoint& right = a.X > b.X ? a : b;
        const TPoint& other = a.X > b.X ? b : a;
        if (a.Y == b.Y)
            corner = {right.X + 1, right.Y - height / 2}, away = {1, 0};
        else if (right.Y < other.Y) // rising to the right: above its upper end
            corner = {right.X + 1, right.Y - (height + 1)}, away = {1, -1};
        else // falling to the right: below its lower end
            corner = {right.X + 1, right.Y + 1}, away = {1, 1};
    }
    // The dash's pixels, its pen's width included.
    const int reach = DrawnPenWidth(settings_.AxisWidth) / 2;
    const TRect dash(std::min(a.X, b.X) - reach, std::min(a.Y, b.Y) - reach, std::max(a.X, b.X) + reach + 1,
                     std::max(a.Y, b.Y) + reach + 1);
    corner = ClearOfMark(corner, canvas.TextInk(text), dash, away);
    canvas.TextOut(corner.X, corner.Y, text);
}

void TPlotGraphPolar::PlotPolarFunctions() {
    for (const auto& function : FunctionList) {
        if (IsAborted()) return;
        if (auto* polar = dynamic_cast<TFuncPolarObj*>(function.get())) plotPolarFunction(*polar);
    }
}

void TPlotGraphPolar::plotPolarFunction(TFuncPolarObj& Function) {
    const long double lo = Function.LoBound.FloatValue, hi = Function.HiBound.FloatValue;
    if (!(lo < hi)) return;
    // A sample count of 0 or less (possible in a file) is a curve without samples.
    const int32_t n = DrawnSampleCount(Function.Samples);
    if (n <= 0) return;
    TCanvas& canvas = PlotBitmap().Canvas();
    const int width = DrawnPenWidth(Function.LineWidth);
    canvas.Pen = TPen{Function.FuncColor, width, psSolid};
    TClippedPolyline curve(*this, canvas, view_, Function.FuncColor, width == 1);
    TMathPolarFunc& f = Function.Func;
    for (int32_t j = 0; j <= n; ++j) {
        if (IsAborted()) return;
        const long double theta = static_cast<long double>(j) / n * (hi - lo) + lo;
        f.SetVariableFloat(0, theta); // THETA
        f.SetVariableFloat(1, theta); // X
        long double xs = 0, ys = 0;
        const bool good = f.EvaluateMathFunc();
        if (good) {
            // Double precision places a sample well within a pixel at any zoom, and its
            // sine and cosine cost a fraction of the extended ones.
            const double t = double(theta);
            const long double r = f.GetResultFloat();
            xs = r * std::cos(t) * view_.Zoom;
            ys = r * std::sin(t) * view_.Zoom;
        }
        curve.AddSample(good, xs, ys);
    }
    curve.Finish();
}
