#include "platform/CanvasFigures.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include "common/BitmapTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <queue>
#include <string>
#include <vector>

using namespace bitmaptest;

namespace {

enum Kind { kRectangle, kEllipse, kRoundRect };

// The figure's own shape, independent of the canvas: is the point (px, py), in pixels from
// the box's top-left corner, inside the rounded box of size w x h with corner ellipse
// cw x ch? An ellipse is all corner, a rectangle has none.
bool insideShape(double px, double py, int w, int h, int cw, int ch) {
    if (cw <= 0 || ch <= 0) return px >= 0 && px <= w && py >= 0 && py <= h;
    const double dx = std::max(std::abs(px - w / 2.0) - (w - cw) / 2.0, 0.0);
    const double dy = std::max(std::abs(py - h / 2.0) - (h - ch) / 2.0, 0.0);
    return (dx * dx) / (cw * cw / 4.0) + (dy * dy) / (ch * ch / 4.0) <= 1.0 + 1e-12;
}

// The point of pixel (x, y)'s square nearest to the box's centre.
double nearestToCentre(int p, int size) {
    return std::clamp(size / 2.0, double(p), double(p + 1));
}

struct Drawn {
    std::vector<std::string> rows; // '#' pen, 'o' brush, '.' untouched; w x h
    char at(int x, int y) const { return rows[size_t(y)][size_t(x)]; }
};

Drawn drawFigure(Kind kind, int w, int h, int cw, int ch) {
    const int m = 3;
    TBitmap b(w + 2 * m, h + 2 * m);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clRed;
    if (kind == kEllipse)
        c.Ellipse(m, m, m + w, m + h);
    else if (kind == kRoundRect)
        c.RoundRect(m, m, m + w, m + h, -cw, -ch);
    else
        c.Rectangle(m + w, m + h, m, m);
    Drawn d;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const bool in = x >= m && x < m + w && y >= m && y < m + h;
            const TColor p = b.Pixel(x, y);
            if (!in) {
                EXPECT_EQ(p, clWhite) << "outside the box at " << x - m << "," << y - m;
                continue;
            }
            if (d.rows.size() <= size_t(y - m)) d.rows.emplace_back();
            d.rows[size_t(y - m)] += p == clBlack ? '#' : p == clRed ? 'o' : '.';
        }
    return d;
}

// Checks one drawn figure against the rules; returns a text for the first broken one.
std::string checkFigure(const Drawn& d, int w, int h, int cw, int ch) {
    auto drawn = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && d.at(x, y) != '.'; };
    int outline = 0, sides[4] = {0, 0, 0, 0};
    std::vector<std::pair<int, int>> pen;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const char p = d.at(x, y);
            if (p != d.at(w - 1 - x, y) || p != d.at(x, h - 1 - y)) return "not symmetric";
            // Every pixel whose centre lies inside the shape is drawn; every drawn pixel's
            // square meets the shape.
            if (insideShape(x + 0.5, y + 0.5, w, h, cw, ch) && p == '.') return "gap inside the shape";
            if (p != '.' && !insideShape(nearestToCentre(x, w), nearestToCentre(y, h), w, h, cw, ch))
                return "pixel beyond the shape";
            const bool edge = !drawn(x - 1, y) || !drawn(x + 1, y) || !drawn(x, y - 1) || !drawn(x, y + 1);
            // The outline is exactly the pixels next to the outside: no doubled outline and
            // no brush pixel touching the outside.
            if (p == '#' && !edge) return "outline pixel inside the figure";
            if (p == 'o' && edge) return "fill pixel on the edge";
            if (p == '#') {
                ++outline, pen.push_back({x, y});
                sides[0] += x == 0, sides[1] += x == w - 1, sides[2] += y == 0, sides[3] += y == h - 1;
            }
        }
    if (!sides[0] || !sides[1] || !sides[2] || !sides[3]) return "does not touch every side";
    // The outline is one 8-connected line.
    std::vector<char> seen(size_t(w * h), 0);
    std::queue<std::pair<int, int>> todo;
    todo.push(pen.front());
    seen[size_t(pen.front().second * w + pen.front().first)] = 1;
    int reached = 0;
    while (!todo.empty()) {
        auto [x, y] = todo.front();
        todo.pop();
        ++reached;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if (nx < 0 || ny < 0 || nx >= w || ny >= h || d.at(nx, ny) != '#') continue;
                if (!seen[size_t(ny * w + nx)]) seen[size_t(ny * w + nx)] = 1, todo.push({nx, ny});
            }
    }
    return reached == outline ? "" : "outline in pieces";
}

} // namespace

TEST(CanvasFigures, EveryBoxFrom2To30FollowsTheRules) {
    for (Kind kind : {kEllipse, kRoundRect, kRectangle}) {
        for (int w = 2; w <= 30; ++w)
            for (int h = 2; h <= 30; ++h) {
                // Round rectangles take the corners the labels give them: half the box.
                const int cw = kind == kEllipse ? w : kind == kRoundRect ? w / 2 : 0;
                const int ch = kind == kEllipse ? h : kind == kRoundRect ? h / 2 : 0;
                const std::string fault = checkFigure(drawFigure(kind, w, h, cw, ch), w, h, cw, ch);
                EXPECT_EQ(fault, "") << "kind " << kind << ", box " << w << " x " << h;
            }
    }
}

TEST(CanvasFigures, KnownEllipses) {
    // Boxes whose pixels are easy to count by hand from the rule: the pixel centres inside
    // the ellipse through the box's edges, the middle rows reaching the sides.
    const Drawn d = drawFigure(kEllipse, 4, 4, 4, 4);
    EXPECT_EQ(d.rows, (std::vector<std::string>{".##.", "#oo#", "#oo#", ".##."}));
    const Drawn flat = drawFigure(kEllipse, 9, 4, 9, 4);
    EXPECT_EQ(flat.rows, (std::vector<std::string>{"..#####..", "##ooooo##", "##ooooo##", "..#####.."}));
    // Ellipse(10, 10, 30, 20) stays in columns 10..29 and rows 10..19 and touches all four.
    TBitmap b(40, 30), blank(40, 30);
    b.Canvas().Ellipse(10, 10, 30, 20);
    for (TPoint p : ChangedPixels(b, blank))
        EXPECT_TRUE(p.X >= 10 && p.X <= 29 && p.Y >= 10 && p.Y <= 19) << p.X << "," << p.Y;
    EXPECT_EQ(b.Pixel(10, 14), clBlack);
    EXPECT_EQ(b.Pixel(29, 15), clBlack);
    EXPECT_EQ(b.Pixel(19, 10), clBlack);
    EXPECT_EQ(b.Pixel(20, 19), clBlack);
}

TEST(CanvasFigures, NoPenFillsOneColumnAndRowLess) {
    TBitmap b(20, 20), blank(20, 20);
    TCanvas& c = b.Canvas();
    c.Pen.Style = psClear;
    c.Brush.Color = clBlue;
    c.Rectangle(2, 3, 12, 9);
    const std::vector<TPoint> changed = ChangedPixels(b, blank);
    EXPECT_EQ(changed.size(), 9u * 5u);
    for (TPoint p : changed)
        EXPECT_TRUE(p.X >= 2 && p.X <= 10 && p.Y >= 3 && p.Y <= 7);
}

TEST(CanvasFigures, OutlineOrderWalksEveryPixelOnce) {
    // The dash order numbers each outline pixel once, 0 at the top row's leftmost pixel,
    // and neighbours along the outline get neighbouring numbers.
    for (int w = 1; w <= 12; ++w)
        for (int h = 1; h <= 12; ++h)
            for (int corner : {0, 1, 2}) {
                const int cw = corner == 0 ? 0 : corner == 1 ? w : w / 2;
                const int ch = corner == 0 ? 0 : corner == 1 ? h : h / 2;
                TFigureRows rows(5, -3, w, h, cw, ch);
                TOutlineOrder order(rows, -3, h - 4);
                std::vector<int> seen(size_t(order.Length()), 0);
                for (int y = -3; y < h - 3; ++y) {
                    const auto run = rows.Row(y);
                    for (int64_t x = run.First; x <= run.Last; ++x) {
                        if (x >= run.FillFirst && x <= run.FillLast) continue;
                        const int64_t i = order.Index(x, y);
                        ASSERT_TRUE(i >= 0 && i < order.Length()) << w << "x" << h << " " << corner;
                        ++seen[size_t(i)];
                    }
                }
                EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), order.Length())
                    << w << "x" << h << " " << corner;
                EXPECT_EQ(order.Index(rows.Row(-3).First, -3), 0);
            }
}

TEST(CanvasFigures, FiguresPartlyOffTheBitmapSetTheSamePixelsInside) {
    // Each figure is drawn on a 20 x 20 bitmap and, shifted by 32 (a whole number of hatch
    // periods), on an 84 x 84 one; the pixels inside the small bitmap must agree.
    struct Style {
        int width;
        TPenStyle pen;
        TBrushStyle brush;
        TPenMode mode;
    };
    const Style styles[] = {{1, psSolid, bsSolid, pmCopy},       {1, psSolid, bsClear, pmCopy},
                            {1, psDash, bsSolid, pmCopy},        {1, psDot, bsDiagCross, pmNotXor},
                            {1, psClear, bsSolid, pmCopy},       {1, psSolid, bsHorizontal, pmNotXor},
                            {3, psSolid, bsSolid, pmCopy},       {4, psSolid, bsClear, pmNotXor},
                            {2, psInsideFrame, bsCross, pmCopy}, {2, psSolid, bsSolid, pmCopy},
                            {5, psSolid, bsSolid, pmNotXor},     {6, psInsideFrame, bsClear, pmCopy}};
    int figures = 0, differ = 0;
    for (TPixelFormat depth : AllDepths)
        for (const Style& st : styles)
            for (int i = 0; i < 24; ++i) {
                // Corners from -15 to 34: most figures cross one or two edges.
                const int x1 = (i * 7) % 50 - 15, y1 = (i * 13 + 5) % 50 - 15;
                const int x2 = (i * 11 + 20) % 50 - 15, y2 = (i * 17 + 31) % 50 - 15;
                for (int kind = 0; kind < 5; ++kind) {
                    TBitmap small(20, 20, depth), big(84, 84, depth);
                    for (TBitmap* b : {&small, &big}) {
                        const int o = b == &big ? 32 : 0;
                        TCanvas& c = b->Canvas();
                        c.Pen.Width = st.width, c.Pen.Style = st.pen, c.Pen.Mode = st.mode;
                        c.Pen.Color = clNavy;
                        c.Brush.Style = st.brush, c.Brush.Color = clYellow;
                        if (kind == 0) c.Rectangle(x1 + o, y1 + o, x2 + o, y2 + o);
                        if (kind == 1) c.Ellipse(x1 + o, y1 + o, x2 + o, y2 + o);
                        if (kind == 2)
                            c.RoundRect(x1 + o, y1 + o, x2 + o, y2 + o, (x1 - x2) / 2, (y1 - y2) / 2);
                        if (kind == 3) c.FillRect(Rect(x1 + o, y1 + o, x2 + o, y2 + o));
                        if (kind == 4) {
                            const TPoint pts[] = {
                                {x1 + o, y1 + o}, {x2 + o, y1 + o}, {x1 + o, y2 + o}, {x2 + o, y2 + o}};
                            c.Polyline(pts, 4);
                        }
                    }
                    ++figures;
                    bool same = true;
                    for (int y = 0; y < 20 && same; ++y)
                        for (int x = 0; x < 20 && same; ++x)
                            same = small.Pixel(x, y) == big.Pixel(x + 32, y + 32);
                    differ += !same;
                    EXPECT_TRUE(same)
                        << "depth " << int(depth) << " pen " << st.width << "/" << int(st.pen) << " kind "
                        << kind << " box " << x1 << "," << y1 << "," << x2 << "," << y2;
                }
            }
    EXPECT_EQ(differ, 0) << "of " << figures;
}

TEST(CanvasFigures, WidePensPartlyOffTheBitmapSetTheSamePixelsInside) {
    // Wide strokes at many widths, both modes, with their joins and caps near the border.
    uint32_t seed = 12345;
    auto next = [&](int lo, int hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + int((seed >> 8) % uint32_t(hi - lo + 1));
    };
    int differ = 0;
    for (int i = 0; i < 3000; ++i) {
        const int x1 = next(-25, 45), y1 = next(-25, 45), x2 = next(-25, 45), y2 = next(-25, 45);
        const int kind = next(0, 4), width = next(2, 14);
        TBitmap small(20, 20), big(84, 84);
        for (TBitmap* b : {&small, &big}) {
            const int o = b == &big ? 32 : 0;
            TCanvas& c = b->Canvas();
            c.Pen.Width = width, c.Pen.Color = clNavy;
            c.Pen.Style = (i & 1) ? psSolid : psInsideFrame;
            c.Pen.Mode = (i & 2) ? pmCopy : pmNotXor;
            c.Brush.Style = TBrushStyle(i % 8), c.Brush.Color = clYellow;
            const TPoint pts[] = {{x1 + o, y1 + o}, {x2 + o, y1 + o}, {x1 + o, y2 + o}, {x2 + o, y2 + o}};
            if (kind == 0) c.Rectangle(x1 + o, y1 + o, x2 + o, y2 + o);
            if (kind == 1) c.Ellipse(x1 + o, y1 + o, x2 + o, y2 + o);
            if (kind == 2) c.RoundRect(x1 + o, y1 + o, x2 + o, y2 + o, (x1 - x2) / 2, (y1 - y2) / 2);
            if (kind == 3) c.Polyline(pts, 4);
            if (kind == 4) c.Polyline(pts, 2);
        }
        bool same = true;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                same = same && small.Pixel(x, y) == big.Pixel(x + 32, y + 32);
        differ += !same;
        EXPECT_TRUE(same) << "kind " << kind << " width " << width << " at " << x1 << "," << y1 << "," << x2
                          << "," << y2;
    }
    EXPECT_EQ(differ, 0);
}

TEST(CanvasFigures, FarFiguresCostLittleAndShowTheirInside) {
    TBitmap b(30, 30);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clRed;
    // A huge ellipse around the bitmap: the bitmap lies in its fill.
    c.Ellipse(-2000000000, -2000000000, 2000000000, 2000000000);
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(29, 29), clRed);
    // Its dashed outline crossing the bitmap: the middle rows' left end is at column 0.
    TBitmap d(30, 30);
    d.Canvas().Pen.Style = psDot;
    d.Canvas().Brush.Style = bsClear;
    d.Canvas().Ellipse(0, -100000000, 200000000, 100000000);
    int ink = 0;
    for (int y = 0; y < 30; ++y)
        ink += d.Pixel(0, y) == clBlack;
    EXPECT_GT(ink, 10);
    EXPECT_LT(ink, 20);
}
