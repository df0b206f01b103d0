// The 3D renderer on scenes whose pixels are worked out by hand: with every view angle 0
// and zoom 1 a point (X, Y, Z) lands on column cx + X and row cy - Y at depth Z, so a
// scene is written straight in pixels.
#include "PlotTestSupport.h"
#include "common/BitmapTestSupport.h"

#include "model/func3d.h"
#include "model/func3dobj.h"
#include "plot/PtGr3d.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>
#include <set>
#include <utility>
#include <vector>

using namespace plottest;

namespace {

constexpr TColor Background = clWhite;
constexpr TColor Red = 0x0000FF, Green = 0x00A000, Blue = 0xFF0000;
constexpr TColor XAxis = 0x0080FF, YAxis = 0x808000, ZAxis = 0x800080, LabelInk = 0x2020C0;

// Wire lines given in pixels of a W x H bitmap at the test view: (column, row, depth).
struct TPix {
    int Col, Row, Depth;
};

class TSceneFunc : public TBaseFunc3DObj {
public:
    std::vector<std::pair<TPix, TPix>> Lines;
    std::vector<std::pair<Point3D, Point3D>> Points; // in whole units, added after Lines
    TColor Color = Red;
    int Result = lrDone;                                       // returned after the lines were added
    std::shared_ptr<int> Generated = std::make_shared<int>(0); // shared with every copy
    int W = 40, H = 30;

    std::unique_ptr<TSequenceListObj> Clone() const override { return std::make_unique<TSceneFunc>(); }
    void Assign(const TSequenceListObj& Source) override {
        const auto& s = SequenceSourceAs<TSceneFunc>(Source);
        Lines = s.Lines, Points = s.Points, Color = s.Color, Result = s.Result, Generated = s.Generated,
        W = s.W, H = s.H;
    }
    std::string GetDescription() const override { return "scene"; }
    void WriteToFile(TWriteGraphFile&) const override {}
    void ReadFromFile(TReadGraphFile&) override {}

    Point3D at(const TPix& p) const {
        return {(p.Col - W / 2) * 65536, (H / 2 - p.Row) * 65536, p.Depth * 65536};
    }
    int GenerateLines(uint8_t ColorIndex, TLineObj& Store) override {
        ++*Generated;
        Store.SetColorEntry(ColorIndex, Color);
        Store.BeginGroup();
        for (const auto& [a, b] : Lines) {
            TVertex3D *ra = nullptr, *rb = nullptr;
            if (int r = Store.AddLine(ColorIndex, at(a), at(b), ra, rb)) return r;
        }
        for (const auto& [a, b] : Points) {
            TVertex3D *ra = nullptr, *rb = nullptr;
            const Point3D pa{a.X * 65536, a.Y * 65536, a.Z * 65536},
                pb{b.X * 65536, b.Y * 65536, b.Z * 65536};
            if (int r = Store.AddLine(ColorIndex, pa, pb, ra, rb)) return r;
        }
        return Result;
    }
};

// A 3D model at the test view, axes hidden unless a test shows them.
struct TScene {
    TPlotGraph3D Graph;
    TSequenceList<TBaseFuncObj> Functions;
    int W, H;

    explicit TScene(int w = 40, int h = 30, TPixelFormat format = pf32bit) : W(w), H(h) {
        Graph.SetBitmapAttributes(format, w, h);
        Graph.ViewZoom().Zoom = 1;
        TSetting3DAxis* axes[3] = {&Graph.Settings().X, &Graph.Settings().Y, &Graph.Settings().Z};
        const TColor colors[3] = {XAxis, YAxis, ZAxis};
        for (int i = 0; i < 3; ++i) {
            axes[i]->ShowAxisLine = false;
            axes[i]->AxisColor = colors[i];
            axes[i]->LabelFont.Color = LabelInk;
        }
    }
    TSceneFunc& Add(TColor color, std::vector<std::pair<TPix, TPix>> lines) {
        auto f = std::make_unique<TSceneFunc>();
        f->Color = color, f->Lines = std::move(lines), f->W = W, f->H = H;
        Functions.push_back(std::move(f));
        return static_cast<TSceneFunc&>(*Functions.back());
    }
    std::string Draw() {
        Graph.AssignFunctions(Functions);
        std::string error;
        Graph.DrawGraph(error);
        return error;
    }
    TColor Pixel(int x, int y) const { return Graph.PlotBitmap().Pixel(x, y); }
    std::set<std::pair<int, int>> PixelsOf(TColor color) const {
        std::set<std::pair<int, int>> out;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (Pixel(x, y) == color) out.insert({x, y});
        return out;
    }
};

using Pixels = std::set<std::pair<int, int>>;

} // namespace

TEST(PlotGraph3D, SegmentsAreBresenhamLinesFromTheUpperEndWithBothEnds) {
    TScene s;
    // From (8, 7) down to (2, 10): dx 6, dy 3. Half-way pixels stay on the row of the
    // upper end, so (7, 7) and not (7, 8), which drawing from the other end would give.
    s.Add(Red, {{{2, 10, 0}, {8, 7, 0}}});
    // A steep one and a single point.
    s.Add(Green, {{{30, 2, 0}, {31, 6, 0}}, {{35, 20, 0}, {35, 20, 0}}});
    EXPECT_EQ(s.Draw(), "");
    EXPECT_EQ(s.PixelsOf(Red), (Pixels{{8, 7}, {7, 7}, {6, 8}, {5, 8}, {4, 9}, {3, 9}, {2, 10}}));
    // (30, 2) to (31, 6): dy 4, dx 1; at the half-way row 4 the column still stays.
    EXPECT_EQ(s.PixelsOf(Green), (Pixels{{30, 2}, {30, 3}, {30, 4}, {31, 5}, {31, 6}, {35, 20}}));
    EXPECT_EQ(s.Graph.PixelOwner(5, 8), 3); // the first function segment follows the three axes
    EXPECT_EQ(s.Graph.PixelOwner(0, 0), NoPixelOwner);
}

TEST(PlotGraph3D, WithoutFunctionsOnlyTheBackgroundShows) {
    TScene s;
    s.Graph.Settings().X.ShowAxisLine = true;
    s.Graph.Settings().Y.ShowAxisLine = true;
    EXPECT_EQ(s.Draw(), "");
    EXPECT_EQ(CountMismatches(s.Graph.PlotBitmap(), [](int, int) { return Background; }), 0);
    // A function that adds no line is no picture either.
    s.Add(Red, {});
    EXPECT_EQ(s.Draw(), "");
    EXPECT_EQ(CountMismatches(s.Graph.PlotBitmap(), [](int, int) { return Background; }), 0);
}

TEST(PlotGraph3D, TheNearerSegmentOwnsACrossingWhateverTheOrder) {
    for (bool nearFirst : {true, false}) {
        SCOPED_TRACE(nearFirst);
        TScene s;
        const std::vector<std::pair<TPix, TPix>> nearLine = {{{5, 10, 5}, {25, 10, 5}}};
        const std::vector<std::pair<TPix, TPix>> farLine = {{{15, 2, 3}, {15, 20, 3}}};
        if (nearFirst)
            s.Add(Red, nearLine), s.Add(Blue, farLine);
        else
            s.Add(Blue, farLine), s.Add(Red, nearLine);
        s.Draw();
        EXPECT_EQ(s.Pixel(15, 10), Red);
        EXPECT_EQ(s.Pixel(15, 9), Blue);
        EXPECT_EQ(s.Pixel(15, 11), Blue);
        EXPECT_EQ(s.PixelsOf(Red).size(), 21u);
        EXPECT_EQ(s.PixelsOf(Blue).size(), 18u);
    }
}

TEST(PlotGraph3D, OverlappingDepthRangesCompareTheDepthsAtThePixel) {
    // The red line rises from depth 0 at column 0 to 20 at column 20: depth 10 at column 10.
    // The blue one runs down column 10 from row 0 to row 20; its depth at row 10 is the
    // middle of its two ends. Both ranges overlap, so the interpolated depths decide.
    struct Case {
        int BlueTop, BlueBottom;
        TColor Expected;
    } cases[] = {
        {6, 16, Blue}, // 11 > 10
        {4, 14, Red},  // 9 < 10
        {5, 15, Blue}, // a tie goes to the larger colour index: blue is the second function
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.BlueTop);
        TScene s;
        s.Add(Red, {{{0, 10, 0}, {20, 10, 20}}});
        s.Add(Blue, {{{10, 0, c.BlueTop}, {10, 20, c.BlueBottom}}});
        s.Draw();
        EXPECT_EQ(s.Pixel(10, 10), c.Expected);
        EXPECT_EQ(s.Pixel(10, 9), Blue);
        EXPECT_EQ(s.Pixel(11, 10), Red);
    }
}

TEST(PlotGraph3D, AnAxisBeatsAFunctionAtEqualDepth) {
    TScene s;
    s.Graph.Settings().X.ShowAxisLine = true;
    s.Graph.Settings().Y.ShowAxisLine = true;
    for (auto* axis : {&s.Graph.Settings().X, &s.Graph.Settings().Y})
        axis->LabelPositiveEnd = axis->LabelNegativeEnd = false;
    // The X axis runs along row 15 (cy) from column 5 to 35, the Y axis along column 20
    // (cx) from row 4 to 26, both at depth 0; the function crosses both at depth 0.
    s.Add(Red, {{{5, 15, 0}, {35, 15, 0}}, {{20, 4, 0}, {20, 26, 0}}});
    s.Add(Green, {{{12, 5, 0}, {12, 25, 0}}});
    s.Draw();
    EXPECT_EQ(s.Pixel(12, 15), XAxis);
    EXPECT_EQ(s.Pixel(12, 14), Green);
    EXPECT_EQ(s.Pixel(30, 15), XAxis);
    EXPECT_EQ(s.Pixel(20, 10), YAxis);
    EXPECT_EQ(s.Pixel(20, 15), YAxis); // the Y axis is drawn after the X axis: larger index
    EXPECT_EQ(s.PixelsOf(Red).size(), 0u);
}

TEST(PlotGraph3D, SegmentsAreClippedToTheBitmap) {
    TScene s;
    // Slope 1/2 from (-10, 5): the left end moves to column 0, row 5 + 10/2 = 10.
    s.Add(Red, {{{-10, 5, 0}, {30, 25, 0}}});
    // Both ends left of the bitmap: skipped.
    s.Add(Green, {{{-5, 2, 0}, {-1, 20, 0}}});
    // Beyond two different edges but missing the bitmap's corner: skipped after clipping.
    s.Add(Blue, {{{-10, 5, 0}, {5, -10, 0}}});
    // A vertical line through the whole bitmap has its rows clamped.
    s.Add(0x00FFFF, {{{38, -50, 0}, {38, 90, 0}}});
    s.Draw();
    const Pixels red = s.PixelsOf(Red);
    EXPECT_EQ(red.size(), 31u);
    EXPECT_TRUE(red.count({0, 10}));
    EXPECT_TRUE(red.count({30, 25}));
    EXPECT_TRUE(red.count({2, 11})); // (1, 10) then (2, 11): from (0, 10) at slope 1/2
    EXPECT_TRUE(s.PixelsOf(Green).empty());
    EXPECT_TRUE(s.PixelsOf(Blue).empty());
    EXPECT_EQ(s.PixelsOf(0x00FFFF).size(), 30u);
}

TEST(PlotGraph3D, ColourIndicesFollowTheListAndStayBelowTheAxisEntries) {
    TScene s;
    s.Graph.Settings().X.ShowAxisLine = true;
    s.Graph.Settings().X.LabelPositiveEnd = s.Graph.Settings().X.LabelNegativeEnd = false;
    for (int i = 0; i < 256; ++i) // every function a one-pixel segment of its own colour
        s.Add(TColor(0x010000 * (i + 1)), {{{i % 40, 2 + i / 40, 1}, {i % 40, 2 + i / 40, 1}}});
    s.Add(Red, {{{5, 15, 0}, {35, 15, 0}}}); // gives the X axis its extent
    s.Draw();
    const TLineObj& store = s.Graph.LineStore();
    EXPECT_EQ(store.Segment(3).ColorIndex, 0);
    EXPECT_EQ(store.Segment(3 + 100).ColorIndex, 100);
    EXPECT_EQ(store.Segment(3 + 252).ColorIndex, 252);
    EXPECT_EQ(store.Segment(3 + 255).ColorIndex, 252);
    EXPECT_EQ(store.Colors[253], XAxis);
    EXPECT_EQ(s.Pixel(20, 15), XAxis);
    EXPECT_EQ(s.Pixel(0, 2), TColor(0x010000));
    EXPECT_EQ(s.Pixel(1, 2), TColor(0x020000));
}

TEST(PlotGraph3D, ScenesAreGeneratedOnlyWhenTheFunctionsChanged) {
    TScene s;
    TSceneFunc& f = s.Add(Red, {{{14, 10, 0}, {20, 10, 0}}});
    const std::shared_ptr<int> generated = f.Generated;
    s.Draw();
    EXPECT_EQ(*generated, 1);
    EXPECT_FALSE(s.Graph.AreFunctionsChanged());
    // A rotation redraws the same segments: a quarter turn about Z maps (X, Y) to (-Y, X),
    // so the line from X = -6 to 0 at Y = 5 stands upright in column cx - 5, rows cy..cy + 6.
    s.Graph.ViewZoom().RotationZ = 90;
    s.Draw();
    EXPECT_EQ(*generated, 1);
    EXPECT_EQ(s.PixelsOf(Red),
              (Pixels{{15, 15}, {15, 16}, {15, 17}, {15, 18}, {15, 19}, {15, 20}, {15, 21}}));
    f.Lines.push_back({{2, 20, 0}, {8, 20, 0}});
    f.Modified = true;
    s.Draw();
    EXPECT_EQ(*generated, 2);
}

TEST(PlotGraph3D, AFullStoreDrawsThePartialSceneAndReportsOnce) {
    TScene s(200, 200);
    auto surface = std::make_unique<TFunc3DObj>();
    surface->Func->SetExpression("X*Y/10");
    ASSERT_TRUE(surface->Func->CompileMathFunc());
    surface->FuncColor = Red;
    surface->Var1Lines = surface->Var2Lines = 190; // 2 * 190 * 189 lines: more than the store holds
    surface->Var1Detail = surface->Var2Detail = 0;
    s.Graph.ViewZoom().Zoom = 90;
    s.Functions.push_back(std::move(surface));
    s.Add(Green, {{{0, 0, 0}, {199, 199, 0}}}); // a later success hides nothing
    EXPECT_EQ(s.Draw(), "3D window full, partial function will be displayed");
    EXPECT_FALSE(s.Graph.AreFunctionsChanged());
    const int segments = s.Graph.LineStore().SegmentCount;
    EXPECT_EQ(segments, TLineObj::FullCount + 1);
    const size_t drawn = s.PixelsOf(Red).size();
    EXPECT_GT(drawn, 10000u);
    // The next replot keeps the scene and says nothing.
    s.Graph.ViewZoom().RotationX = 10;
    EXPECT_EQ(s.Draw(), "");
    EXPECT_EQ(s.Graph.LineStore().SegmentCount, segments);
    EXPECT_GT(s.PixelsOf(Red).size(), 10000u);
}

TEST(PlotGraph3D, OtherFailuresDrawNothingAndGenerateAgain) {
    for (int code : {int(lrOutOfMemory), 7}) {
        SCOPED_TRACE(code);
        TScene s;
        TSceneFunc& failing = s.Add(Red, {{{2, 10, 0}, {8, 10, 0}}});
        failing.Result = code;
        s.Add(Green, {{{2, 12, 0}, {8, 12, 0}}});
        s.Graph.PlotBitmap().Fill(Blue);
        EXPECT_EQ(s.Draw(), code == lrOutOfMemory ? "Out of memory" : "Undetermined error");
        EXPECT_EQ(CountMismatches(s.Graph.PlotBitmap(), [](int, int) { return Blue; }), 0);
        EXPECT_TRUE(s.Graph.AreFunctionsChanged());
        s.Draw();
        EXPECT_EQ(*failing.Generated, 2);
    }
}

TEST(PlotGraph3D, AxisLabelsStandBeyondTheAxisEndsAndAreCutAtTheEdges) {
    // The X axis from column 5 to column 35 (or beyond the right edge), along row 15.
    auto scene = [](int right, bool showAxis) {
        auto s = std::make_unique<TScene>();
        TSetting3DAxis& x = s->Graph.Settings().X;
        x.ShowAxisLine = showAxis;
        x.AxisColor = Red;
        s->Add(Green, {{{5, 15, 0}, {right, 15, 0}}});
        s->Draw();
        return s;
    };
    auto inkIn = [](const TScene& s, int left, int right, int top, int bottom) {
        int n = 0;
        for (const auto& [x, y] : s.PixelsOf(LabelInk))
            n += x >= left && x <= right && y >= top && y <= bottom;
        return n;
    };
    auto whole = scene(25, true);
    // "+X" lies above and right of column 25, "-X" above and left of column 5.
    const int plus = inkIn(*whole, 25, 39, 0, 14), minus = inkIn(*whole, 0, 4, 0, 14);
    EXPECT_GT(plus, 0);
    EXPECT_GT(minus, 0);
    EXPECT_EQ(int(whole->PixelsOf(LabelInk).size()), plus + minus);
    for (const auto& [x, y] : whole->PixelsOf(LabelInk))
        EXPECT_EQ(whole->Graph.PixelOwner(x, y), NoPixelOwner) << x << "," << y; // labels own nothing

    // Anchored three columns from the right edge: only those columns of "+X" remain.
    auto cut = scene(37, true);
    int firstColumns = 0;
    for (const auto& [x, y] : whole->PixelsOf(LabelInk))
        firstColumns += x >= 25 && x <= 27 && y <= 14;
    EXPECT_EQ(inkIn(*cut, 37, 39, 0, 14), firstColumns);

    // Anchored beyond the edge: no "+X" at all; a hidden axis has no labels.
    auto outside = scene(45, true);
    EXPECT_EQ(inkIn(*outside, 5, 39, 0, 29), 0);
    EXPECT_GT(inkIn(*outside, 0, 4, 0, 14), 0);
    EXPECT_TRUE(scene(25, false)->PixelsOf(LabelInk).empty());

    // The label bitmap grows to the largest label and keeps that size.
    TScene big;
    big.Graph.Settings().X.ShowAxisLine = true;
    big.Graph.Settings().X.LabelFont.Size = 40;
    big.Add(Green, {{{5, 15, 0}, {25, 15, 0}}});
    EXPECT_EQ(big.Graph.LabelBitmap().Width(), 32);
    big.Draw();
    const int grownWidth = big.Graph.LabelBitmap().Width(), grownHeight = big.Graph.LabelBitmap().Height();
    EXPECT_GT(grownWidth, 32);
    EXPECT_GT(grownHeight, 32);
    big.Graph.Settings().X.LabelFont.Size = 8;
    big.Draw();
    EXPECT_EQ(big.Graph.LabelBitmap().Width(), grownWidth);
    EXPECT_EQ(big.Graph.LabelBitmap().Height(), grownHeight);
    EXPECT_FALSE(big.PixelsOf(LabelInk).empty());
}

TEST(PlotGraph3D, LabelsTakeTheDepthTestOfTheSegments) {
    // A quarter turn about Y looks along the X axis: column cx + Z, row cy - Y, depth -X.
    // Both X axis ends fall on (cx, cy), so both labels stand above and left of it, "+X"
    // at depth -2 behind the wall at X = 0 that fills that corner, "-X" at depth 2 before it.
    for (bool wall : {false, true})
        for (bool positive : {true, false}) {
            SCOPED_TRACE(testing::Message() << wall << positive);
            TScene s;
            TSetting3DAxis& x = s.Graph.Settings().X;
            x.ShowAxisLine = true;
            x.LabelPositiveEnd = positive;
            x.LabelNegativeEnd = !positive;
            s.Graph.ViewZoom().RotationY = 90;
            TSceneFunc& f = s.Add(Green, {});
            f.Points.push_back({{-2, -10, 10}, {2, -10, 10}});
            for (int y = 1; wall && y <= 15; ++y)
                f.Points.push_back({{0, y, -20}, {0, y, -1}});
            s.Draw();
            EXPECT_EQ(s.PixelsOf(LabelInk).empty(), wall && positive);
        }
}

TEST(PlotGraph3D, TheOwnerBufferIsReusedUntilTheSizeChanges) {
    TScene s;
    s.Add(Red, {{{2, 10, 0}, {8, 10, 0}}});
    s.Draw();
    const uint16_t* buffer = s.Graph.OwnerBufferData();
    s.Graph.ViewZoom().RotationZ = 180;
    s.Draw();
    EXPECT_EQ(s.Graph.OwnerBufferData(), buffer);
    EXPECT_EQ(s.Graph.PixelOwner(2, 10), NoPixelOwner); // refilled: the old line is gone
    EXPECT_EQ(s.Graph.PixelOwner(38, 20), 3);           // (cx - 18, cy - (-5)) turned half round

    s.Graph.SetGraphSize(60, 50);
    s.Graph.ViewZoom().RotationZ = 0;
    s.Draw();
    // The centre moved to (30, 25): the line now runs from column 12 to 18 on row 20.
    EXPECT_EQ(s.Graph.PixelOwner(18, 20), 3);
    EXPECT_EQ(s.Graph.PixelOwner(59, 49), NoPixelOwner);
    EXPECT_EQ(s.Pixel(12, 20), Red);
}

TEST(PlotGraph3D, EveryDepthShowsTheSamePicture) {
    auto draw = [](TPixelFormat format) {
        auto s = std::make_unique<TScene>(40, 30, format);
        s->Graph.Settings().X.ShowAxisLine = true;
        s->Graph.Settings().Z.ShowAxisLine = true;
        s->Graph.ViewZoom().RotationX = -60;
        s->Graph.ViewZoom().RotationZ = 30;
        s->Add(Red, {{{3, 3, 2}, {30, 20, -4}}, {{30, 20, -4}, {10, 25, 6}}});
        s->Add(0x40C080, {{{5, 25, 1}, {35, 4, 1}}});
        s->Draw();
        return s;
    };
    const auto reference = draw(pf32bit);
    for (TPixelFormat format : bitmaptest::AllDepths) {
        SCOPED_TRACE(int(format));
        const auto s = draw(format);
        const TPixelCodec codec(format);
        EXPECT_EQ(
            CountMismatches(s->Graph.PlotBitmap(),
                            [&](int x, int y) { return codec.Decode(codec.Encode(reference->Pixel(x, y))); }),
            0);
    }
}

TEST(PlotGraph3D, ViewsFromAFileAtTheirLimitsDrawWithoutFault) {
    const long double angles[] = {INFINITY, -INFINITY, NAN, 1e4000L, -1e30L, 720};
    const int32_t zooms[] = {INT32_MAX, INT32_MIN, 0, -5, 65535};
    for (long double angle : angles)
        for (int32_t zoom : zooms) {
            TScene s;
            s.Graph.Settings().X.ShowAxisLine = s.Graph.Settings().Y.ShowAxisLine = true;
            s.Add(Red, {{{0, 0, 100}, {39, 29, -100}}, {{-30000, 5, 0}, {30000, 6, 0}}});
            s.Graph.ViewZoom().RotationX = angle;
            s.Graph.ViewZoom().RotationY = angle;
            s.Graph.ViewZoom().Zoom = zoom;
            EXPECT_EQ(s.Draw(), "");
        }
}

TEST(PlotGraph3D, ACancelStopsGenerationAndDrawingQuietly) {
    TScene s;
    TSceneFunc& f = s.Add(Red, {{{2, 10, 0}, {8, 10, 0}}});
    s.Graph.PlotBitmap().Fill(Blue);
    s.Graph.SetIsAbortedEvent([](bool& stop) { stop = true; });
    EXPECT_EQ(s.Draw(), ""); // stops before the first function
    EXPECT_EQ(*f.Generated, 0);
    EXPECT_TRUE(s.Graph.AreFunctionsChanged());
    EXPECT_EQ(CountMismatches(s.Graph.PlotBitmap(), [](int, int) { return Blue; }), 0);
    s.Graph.SetIsAbortedEvent(nullptr);
    s.Draw();
    EXPECT_EQ(*f.Generated, 1);
    // A stop inside a surface's rows leaves the scene marked as unfinished.
    auto surface = std::make_unique<TFunc3DObj>();
    surface->Func->SetExpression("X*Y");
    ASSERT_TRUE(surface->Func->CompileMathFunc());
    s.Functions.push_back(std::move(surface));
    int rows = 0;
    s.Graph.SetIsAbortedEvent([&](bool& stop) { stop = ++rows > 3; });
    EXPECT_EQ(s.Draw(), "");
    EXPECT_EQ(*f.Generated, 2);
    EXPECT_TRUE(s.Graph.AreFunctionsChanged());
    s.Functions.pop_back();
    // Cancelled in the projection: the background is drawn, the line is not.
    int polls = 0;
    s.Graph.SetIsAbortedEvent([&](bool& stop) { stop = ++polls > 8; });
    s.Graph.PlotBitmap().Fill(Blue);
    EXPECT_EQ(s.Draw(), "");
    EXPECT_TRUE(s.PixelsOf(Red).empty());
    EXPECT_FALSE(s.PixelsOf(Background).empty());
}
