#pragma once
// The y = f(x) plotter of 2D graphs: one sample per pixel column, joined with care around
// undefined points, vertical asymptotes and the function's special x values.
//
// Samples travel through a window of four consecutive columns; each gap between two of
// them is first processed (whatever lies inside it is drawn: pieces through special
// points, strokes toward undefined neighbours) when it enters the window, and drawn (the
// plain segment between its two samples, unless something forbade the join) when it
// reaches the front. The asymptote check sees three gaps at a time, so it can leave out the
// middle one when the trends around it flip twice.

#include "model/func2d.h"
#include "platform/Canvas.h"
#include "plot/PtGr2d.h"

#include <cstddef>
#include <cstdint>

class TPlotGraph;

class TFunc2DPlotter {
public:
    // Draws with the canvas pen as the caller set it (function colour and width, solid),
    // through the function's special points.
    TFunc2DPlotter(const TPlotGraph& graph, TCanvas& canvas, const TView2DRecord& view, TFunc2DObj& function,
                   const TSpecialPointArray& points);

    // The whole curve; returns quietly when the run is cancelled.
    void Plot();

private:
    enum TSampleState : uint8_t { ssEmpty, ssDefined, ssUndefined };
    // Side modes of a sample.
    enum : uint8_t {
        smNormal = 0,
        smExtraAccuracy = 1,
        smPositiveInfinity = 2,
        smNegativeInfinity = 3,
        smNotContinuous = 4
    };
    enum TTrend : uint8_t { trUndefined, trRising, trEqual, trFalling };

    struct TSample {
        TSampleState State = ssEmpty;
        uint8_t LeftMode = smNormal;
        uint8_t RightMode = smNormal;
        int Column = 0;
        int Row = 0;
        long double X = 0;
        long double Y = 0;
        bool Defined() const { return State == ssDefined; }
    };
    struct TGap {
        TTrend Trend = trUndefined;
        bool Connect = true;
        bool Special = false;
    };

    bool range(int& first, int& last);
    void run(int first, int last);
    uint8_t sideMode(uint8_t behavior) const;
    void evaluate(TSample& s);
    void sampleAt(int column, TSample& s);
    void processGap(int g, bool drawLeft, bool drawRight);
    TSample specialSample(const TSpecialPoint& point, const TSample& pa, const TSample& pb);
    void trendOf(int g);
    void asymptoteCheck();
    void drawGap(int g);
    void drawPiece(const TSample& a, const TSample& b);
    void approach(const TSample& defined, const TSample& undefined, uint8_t mode);
    void refine(long double d, long double u, long double y, long double& lowest, long double& highest);
    void segment(int x1, int y1, int x2, int y2);
    void point(const TSample& s);
    void checkAborted() const;

    const TPlotGraph& graph_;
    TCanvas& canvas_;
    const TView2DRecord& view_;
    TFunc2DObj& function_;
    const TSpecialPointArray& points_;
    TColor color_;
    uint8_t defaultMode_;
    long double xlo_ = 0;
    long double xhi_ = 0;
    TSample p_[4];
    TGap g_[3];
    size_t sampleCursor_ = 0;
    size_t gapCursor_ = 0;
};
