// The room tick labels keep from their marks, seen in the pixels of whole 2D and polar
// graphs: ticks and dashes in one colour, labels in another.
#include "Plot2DTestSupport.h"

#include "plot/PtGrPolr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plottest;

namespace {

constexpr TColor PolarTickInk = 0xC00000, PolarLabelInk = 0x00A000;

// The pixels of a drawn bitmap, sorted into mark pixels and label pixels by colour.
struct TInkMap {
    int W, H;
    std::vector<char> Mark;
    std::vector<TPoint> Labels;

    TInkMap(const TBitmap& b, std::initializer_list<TColor> marks, std::initializer_list<TColor> labels)
        : W(b.Width()), H(b.Height()), Mark(size_t(W) * size_t(H)) {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const TColor c = b.Pixel(x, y);
                for (TColor m : marks)
                    Mark[size_t(y) * size_t(W) + size_t(x)] |= c == m;
                for (TColor l : labels)
                    if (c == l) Labels.push_back({x, y});
            }
    }
    bool IsMark(int x, int y) const {
        return x >= 0 && y >= 0 && x < W && y < H && Mark[size_t(y) * size_t(W) + size_t(x)];
    }
    int MarkCount() const {
        int n = 0;
        for (char m : Mark)
            n += m;
        return n;
    }
    // Every label pixel with a mark pixel less than three steps away (two blank pixels are
    // wanted between them, diagonally too); "" when there is none.
    std::string Crowded() const {
        for (const TPoint& p : Labels)
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (IsMark(p.X + dx, p.Y + dy))
                        return "label pixel " + std::to_string(p.X) + "," + std::to_string(p.Y) +
                               " next to mark pixel " + std::to_string(p.X + dx) + "," +
                               std::to_string(p.Y + dy);
        return "";
    }
};

enum TGraphKind { gk2D, gkPolar };

struct TClearanceCase {
    const char* Name;
    TGraphKind Kind;
    uint8_t TickType;   // 2D: both axes; polar: always dashes
    int32_t PenWidth;   // axis width, which the marks and dashes are drawn with
    int32_t MarkLength; // tick mark or dash length
    long double Zoom;
    // Polar axes. All eight default axes together crowd the origin: from about 10 points
    // on, a first tick's label is as large as the room between its own dash and the next
    // axis's first dash, so the larger sizes are tried on half of the axes at a time.
    std::vector<long double> Angles = {};
    int MaxSize = 20;
};

TInkMap draw2D(const TClearanceCase& c, const TFontRecord& font) {
    TGraph2DFixture f(400, 400);
    TSetting2DObj& s = f.Settings();
    for (TSetting2DAxis* a : {&s.X, &s.Y}) {
        a->TickType = c.TickType;
        a->AxisWidth = c.PenWidth;
        a->TickLength = c.MarkLength;
    }
    s.XLabelFont = s.YLabelFont = font;
    s.XLabelFont.Color = XLabelInk;
    s.YLabelFont.Color = YLabelInk;
    f.View().ZoomX = f.View().ZoomY = c.Zoom;
    f.Draw();
    return TInkMap(f.Bitmap(), {XTickInk, YTickInk}, {XLabelInk, YLabelInk});
}

TInkMap drawPolar(const TClearanceCase& c, const TFontRecord& font) {
    TPlotGraphPolar graph;
    graph.SetBitmapAttributes(pf32bit, 400, 400);
    TSettingPolarObj& s = graph.Settings();
    s.TickColor = PolarTickInk;
    s.AxisWidth = c.PenWidth;
    s.DashLength = c.MarkLength;
    s.LabelFont = font;
    s.LabelFont.Color = PolarLabelInk;
    graph.ViewZoom().Zoom = c.Zoom;
    s.AxisCount = int32_t(c.Angles.size());
    for (size_t i = 0; i < c.Angles.size(); ++i)
        s.AxisAngles[i] = c.Angles[i];
    std::string error;
    graph.DrawGraph(error);
    EXPECT_EQ(error, "");
    return TInkMap(graph.PlotBitmap(), {PolarTickInk}, {PolarLabelInk});
}

} // namespace

TEST(TickLabels, KeepTwoBlankPixelsFromEveryTickMarkAndDash) {
    const TClearanceCase cases[] = {
        {"default 2D graph", gk2D, tkTickMarks, 1, 5, 35},
        {"2D grid marks, wide pen, long marks", gk2D, tkGridMarks, 4, 10, 100},
        {"2D tick marks, odd pen width", gk2D, tkTickMarks, 3, 1, 100},
        {"default polar graph", gkPolar, pkDashes, 1, 5, 35, {0, 45, 90, 135, 180, 225, 270, 315}, 9},
        {"default polar graph, straight axes", gkPolar, pkDashes, 1, 5, 35, {0, 90, 180, 270}},
        {"default polar graph, slanted axes", gkPolar, pkDashes, 1, 5, 35, {45, 135, 225, 315}},
        {"polar, wide pen, long dashes", gkPolar, pkDashes, 3, 10, 100, {0, 45, 90, 135, 180, 225, 270, 315}},
    };
    TFontRecord slanted;
    slanted.Name = "DejaVu Serif";
    slanted.Style = fsBold | fsItalic;
    for (const TClearanceCase& c : cases)
        for (const TFontRecord& face : {TFontRecord(), slanted})
            for (int size = 6; size <= c.MaxSize; ++size) {
                SCOPED_TRACE(std::string(c.Name) + ", " + face.Name + " " + std::to_string(face.Style) +
                             ", " + std::to_string(size) + " points");
                TFontRecord font = face;
                font.Size = size;
                const TInkMap ink = c.Kind == gk2D ? draw2D(c, font) : drawPolar(c, font);
                ASSERT_GT(ink.MarkCount(), 20);
                ASSERT_GT(ink.Labels.size(), 20u);
                EXPECT_EQ(ink.Crowded(), "");
            }
}
