#include "plot/PtPolyline.h"

#include "plot/PtGraph.h"

#include <algorithm>
#include <cmath>

int PixelOffset(long double offset) {
    constexpr long double limit = PixelOffsetLimit;
    if (!(offset > -limit)) return std::isnan(offset) ? PixelOffsetLimit : -PixelOffsetLimit;
    if (offset > limit) return PixelOffsetLimit;
    // The default rounding mode rounds to nearest with ties to even. llrint converts in one
    // instruction; nearbyint saves and restores the floating-point environment around the
    // rounding, which made it the costliest step of drawing a curve sample.
    return int(std::llrint(offset));
}

TPlotViewRect TPlotViewRect::Make(int width, int height, long double centerX, long double centerY) {
    TPlotViewRect v;
    v.W = width;
    v.H = height;
    v.cx = width / 2;
    v.cy = height / 2;
    v.CenterX = centerX;
    v.CenterY = centerY;
    v.Left = centerX - v.cx;
    v.Right = centerX + (width - 1 - v.cx);
    v.Top = centerY + v.cy;
    v.Bottom = centerY - (height - 1 - v.cy);
    return v;
}

int32_t DrawnSampleCount(int32_t samples) {
    return std::min(samples, MaxDrawnSamples);
}

TPolylineBuffer::TPolylineBuffer(const TPlotGraph& graph, TCanvas& canvas, TColor color, bool thin)
    : graph_(graph), canvas_(canvas), color_(color), thin_(thin) {}

void TPolylineBuffer::Add(TPoint p) {
    points_[size_t(count_++)] = p;
    if (count_ < Capacity) return;
    if (!graph_.IsAborted()) canvas_.Polyline(points_.data(), count_);
    points_[0] = points_[Capacity - 1];
    count_ = 1;
}

void TPolylineBuffer::Flush() {
    const int count = count_;
    count_ = 0;
    if (count == 0 || graph_.IsAborted()) return;
    const TPoint last = points_[size_t(count - 1)];
    if (count >= 2) {
        canvas_.Polyline(points_.data(), count);
        if (thin_ && !graph_.IsAborted()) canvas_.Pixels(last.X, last.Y, color_);
    } else if (thin_) {
        canvas_.Pixels(last.X, last.Y, color_);
    }
}

TClippedPolyline::TClippedPolyline(const TPlotGraph& graph, TCanvas& canvas, const TPlotViewRect& view,
                                   TColor color, bool thin)
    : buffer_(graph, canvas, color, thin), view_(view) {}

void TClippedPolyline::addScaled(long double xs, long double ys) {
    buffer_.Add({view_.Column(xs), view_.Row(ys)});
}

void TClippedPolyline::AddSample(bool good, long double xs, long double ys) {
    good = good && std::isfinite(xs) && std::isfinite(ys);
    if (!good) {
        buffer_.Flush();
        previousGood_ = false;
        return;
    }
    const bool inside = view_.Contains(xs, ys);
    if (!previousGood_) {
        if (inside) addScaled(xs, ys);
    } else if (previousInside_ && inside) {
        addScaled(xs, ys);
    } else {
        long double ax = previousX_, ay = previousY_, bx = xs, by = ys;
        if (ClipSegmentExtended(ax, ay, bx, by, view_.ClipRect())) {
            if (!previousInside_) {
                buffer_.Flush();
                addScaled(ax, ay);
            }
            addScaled(bx, by);
            if (!inside) buffer_.Flush();
        } else {
            buffer_.Flush();
        }
    }
    previousGood_ = true;
    previousInside_ = inside;
    previousX_ = xs;
    previousY_ = ys;
}
