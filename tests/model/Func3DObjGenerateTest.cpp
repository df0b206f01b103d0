// Wire frames of the rotated curve and the surface: shapes and counts by hand, the value
// limit, undefined points and counts that cannot be built.
#include "model/Fg3dline.h"
#include "model/func3dobj.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <set>
#include <tuple>

namespace {

constexpr int32_t One = 65536;

TMathValue value(long double v) {
    TMathValue m;
    FloatToMathValue(m, v);
    return m;
}

void setCurve(TFuncRotateObj& f, const std::string& expression, int lines, int lineDetail, int circles,
              int circleDetail) {
    f.Func->SetExpression(expression);
    ASSERT_TRUE(f.Func->CompileMathFunc()) << expression;
    f.Lines = lines;
    f.LineDetail = lineDetail;
    f.Circles = circles;
    f.CircleDetail = circleDetail;
}

void setSurface(TFunc3DObj& f, const std::string& expression, int var1Lines, int var1Detail, int var2Lines,
                int var2Detail) {
    f.Func->SetExpression(expression);
    ASSERT_TRUE(f.Func->CompileMathFunc()) << expression;
    f.Var1Lines = var1Lines;
    f.Var1Detail = var1Detail;
    f.Var2Lines = var2Lines;
    f.Var2Detail = var2Detail;
}

using Triple = std::tuple<int32_t, int32_t, int32_t>;

Triple at(const TVertex3D* v) {
    return {v->X, v->Y, v->Z};
}

// The function segments (the axes left out) as pairs of coordinate triples.
std::vector<std::pair<Triple, Triple>> segments(const TLineObj& store) {
    std::vector<std::pair<Triple, Triple>> out;
    for (int i = TLineObj::AxisSegmentCount; i < store.SegmentCount; ++i)
        out.emplace_back(at(store.Segment(i).VertexA), at(store.Segment(i).VertexB));
    return out;
}

bool near(int32_t a, int32_t b) {
    return std::abs(int64_t(a) - b) <= 1;
}

} // namespace

TEST(Func3D, MaxLineDetail) {
    EXPECT_EQ(MaxLineDetail(0), 100);
    EXPECT_EQ(MaxLineDetail(1), 98);
    EXPECT_EQ(MaxLineDetail(2), 98);
    EXPECT_EQ(MaxLineDetail(12), 8);
    EXPECT_EQ(MaxLineDetail(100), 0);
    EXPECT_EQ(MaxLineDetail(-5), 100);
    EXPECT_EQ(MaxLineDetail(6), 18);
    EXPECT_EQ(MaxLineDetail(7), 15);
    EXPECT_EQ(MaxLineDetail(50), 1);
    EXPECT_EQ(MaxLineDetail(51), 0);
    EXPECT_EQ(MaxLineDetail(101), 0);
    EXPECT_EQ(MaxLineDetail(INT32_MAX), 0);
    for (int count = 2; count <= 100; ++count) {
        const int n = MaxLineDetail(count);
        EXPECT_LE(count + (count - 1) * n, 100) << count;
        EXPECT_GT(count + (count - 1) * (n + 1), 100) << count;
    }
}

TEST(Func3D, RotatedCurveCopiesOfTheCurve) {
    TLineObj store;
    TFuncRotateObj f;
    f.FuncColor = clRed;
    // Twelve copies, each one straight segment from x = Lo to x = Hi.
    setCurve(f, "X+1", 12, 0, 0, 3);
    ASSERT_EQ(f.GenerateLines(4, store), 0);
    EXPECT_EQ(store.Colors[4], clRed);
    EXPECT_EQ(store.SegmentCount, 3 + 12);
    EXPECT_EQ(store.VertexCount, 6 + 24);
    const auto segs = segments(store);
    for (int a = 0; a < 12; ++a) {
        const auto& [p, q] = segs[a];
        EXPECT_EQ(std::get<0>(p), One); // the newer sample first
        EXPECT_EQ(std::get<0>(q), 0);
        // y = 2 at x = 1, y = 1 at x = 0, turned by 30 degrees per copy about the X axis.
        const double theta = a * M_PI / 6;
        EXPECT_TRUE(near(std::get<1>(p), int32_t(2 * One * std::cos(theta)))) << a;
        EXPECT_TRUE(near(std::get<2>(p), int32_t(2 * One * std::sin(theta)))) << a;
        EXPECT_TRUE(near(std::get<1>(q), int32_t(One * std::cos(theta)))) << a;
        EXPECT_EQ(store.Segment(3 + a).ColorIndex, 4);
    }
    EXPECT_EQ(segs[0].first, Triple(One, 2 * One, 0));
    EXPECT_EQ(segs[6].first, Triple(One, -2 * One, 0)); // half a turn

    // Where the curve meets the axis every copy shares one vertex.
    store.Clear();
    setCurve(f, "X", 12, 0, 0, 0);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 12);
    EXPECT_EQ(store.VertexCount, 6 + 12 + 1);

    // One circle without detail: no angular positions at all.
    store.Clear();
    setCurve(f, "X", 0, 0, 1, 0);
    EXPECT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3);
    EXPECT_EQ(store.VertexCount, 6);
    // With detail 3 it is a square ring at x = Lo: 4 sides, closed on the first point's place.
    setCurve(f, "X+1", 0, 0, 1, 3);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 4);
    EXPECT_EQ(store.VertexCount, 6 + 5); // the closing point is a vertex of its own
    const auto ring = segments(store);
    EXPECT_EQ(ring[0].second, Triple(0, One, 0));
    EXPECT_EQ(ring[3].first, Triple(0, One, 0));
    for (const auto& [p, q] : ring) {
        EXPECT_EQ(std::get<0>(p), 0);
        EXPECT_EQ(std::get<0>(q), 0);
    }

    // Nothing at all to draw.
    store.Clear();
    setCurve(f, "X", 0, 5, 0, 5);
    EXPECT_EQ(f.GenerateLines(0, store), 0);
    setCurve(f, "X", -3, 5, -1, 5);
    EXPECT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3);
}

TEST(Func3D, RotatedCurveMeshCounts) {
    TLineObj store;
    TFuncRotateObj f;
    // 2 lines and 2 circles with one step of detail each way: 4 angular positions (lines at
    // the 1st and 3rd), 3 samples (circles at the 1st and 3rd). Counted by hand:
    // position 1: 2 line segments, 3 vertices; 2: 2 circle pieces, 2 vertices; 3: 2 line
    // segments and 2 circle pieces, 3 vertices; 4 and the closing 5: 2 pieces, 2 vertices each.
    setCurve(f, "1", 2, 1, 2, 1);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 12);
    EXPECT_EQ(store.VertexCount, 6 + 12);
    const auto segs = segments(store);
    // Half a turn about X maps y = 1 to y = -1 (position 3's line), and the circles close
    // on the unrotated curve.
    EXPECT_EQ(segs[5].first, Triple(One / 2, -One, 0));
    EXPECT_EQ(segs[6].first, Triple(One, -One, 0));
    EXPECT_EQ(segs.back().first, Triple(One, One, 0));
    EXPECT_EQ(segs.back().second, Triple(One, 0, -One));

    // One line and one circle: the curve once, and a triangle ring at x = Lo.
    store.Clear();
    setCurve(f, "1", 1, 1, 1, 2);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 2 + 3);
    EXPECT_EQ(store.VertexCount, 6 + 3 + 3);

    // One line and three circles (one step of line detail): 5 samples, circles at 1, 3, 5.
    store.Clear();
    setCurve(f, "1", 1, 1, 3, 3);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 4 + 3 * 4);
    EXPECT_EQ(store.VertexCount, 6 + 5 + 3 * 4);

    // Three lines, one circle: 3 positions, the ring at x = Lo closes over the three lines.
    store.Clear();
    setCurve(f, "1", 3, 2, 1, 0);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 3 * 3 + 3);
    EXPECT_EQ(store.VertexCount, 6 + 3 * 4 + 1);
}

TEST(Func3D, RotationAxes) {
    TFuncRotateObj f;
    setCurve(f, "1-X", 2, 0, 0, 0); // two copies: unrotated and half a turn
    TLineObj aboutX;
    ASSERT_EQ(f.GenerateLines(0, aboutX), 0);

    // A specified line through two equal points, and an unknown axis code, both mean X.
    f.RotationAxis = RotateAboutLine;
    f.P1X = f.P2X = value(3);
    f.P1Y = f.P2Y = value(-2);
    TLineObj same;
    ASSERT_EQ(f.GenerateLines(0, same), 0);
    EXPECT_EQ(segments(same), segments(aboutX));
    f.RotationAxis = 7;
    TLineObj unknown;
    ASSERT_EQ(f.GenerateLines(0, unknown), 0);
    EXPECT_EQ(segments(unknown), segments(aboutX));

    // About Y half a turn: (x, y) -> (-x, y).
    f.RotationAxis = RotateAboutY;
    TLineObj aboutY;
    ASSERT_EQ(f.GenerateLines(0, aboutY), 0);
    auto segs = segments(aboutY);
    ASSERT_EQ(segs.size(), 2u);
    EXPECT_EQ(segs[1].first, Triple(-One, 0, 0));
    EXPECT_EQ(segs[1].second, Triple(0, One, 0));

    // About the line y = x: (1, 0) and (0, 1) swap places.
    f.RotationAxis = RotateAboutLine;
    f.P1X = value(0);
    f.P1Y = value(0);
    f.P2X = value(2);
    f.P2Y = value(2);
    TLineObj aboutLine;
    ASSERT_EQ(f.GenerateLines(0, aboutLine), 0);
    segs = segments(aboutLine);
    ASSERT_EQ(segs.size(), 2u);
    EXPECT_EQ(segs[0].first, Triple(One, 0, 0));
    const auto [x1, y1, z1] = segs[1].first;
    EXPECT_TRUE(near(x1, 0) && near(y1, One) && near(z1, 0)) << x1 << " " << y1 << " " << z1;
    const auto [x0, y0, z0] = segs[1].second;
    EXPECT_TRUE(near(x0, One) && near(y0, 0) && near(z0, 0)) << x0 << " " << y0 << " " << z0;

    // Quarter turns about the line y = x through (1, 1): the sample (1, 0) keeps its
    // position along the line and its distance sqrt(0.5) from it.
    f.P1X = value(1);
    f.P1Y = value(1);
    f.P2X = value(3);
    f.P2Y = value(3);
    f.Lines = 4;
    TLineObj quarter;
    ASSERT_EQ(f.GenerateLines(0, quarter), 0);
    segs = segments(quarter);
    ASSERT_EQ(segs.size(), 4u);
    for (const auto& [p, q] : segs) {
        const double x = std::get<0>(p) / double(One) - 1, y = std::get<1>(p) / double(One) - 1;
        const double z = std::get<2>(p) / double(One);
        const double along = (x + y) / std::sqrt(2.0);
        const double radial2 = x * x + y * y + z * z - along * along;
        EXPECT_NEAR(along, -1 / std::sqrt(2.0), 1e-4);
        EXPECT_NEAR(radial2, 0.5, 1e-4);
    }
}

TEST(Func3D, ValueLimitAndUndefinedPoints) {
    TFuncRotateObj f;
    TLineObj store;
    setCurve(f, "1000", 3, 0, 2, 0);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3) << "values above 700 are not drawn";
    f.LimitTo700 = true;
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    ASSERT_GT(store.SegmentCount, 3);
    EXPECT_EQ(store.MaxY, 700 * One);
    EXPECT_EQ(store.Vertex(6).Y, 700 * One);
    setCurve(f, "-1000", 3, 0, 2, 0);
    store.Clear();
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.Vertex(6).Y, -700 * One);
    // Exactly 700 is drawn either way.
    f.LimitTo700 = false;
    setCurve(f, "700", 3, 0, 2, 0);
    store.Clear();
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 3 + 2 * 3);

    // Undefined samples break the curve: SQRT(X) on [-1, 1] with 4 samples leaves only the
    // two non-negative samples joined.
    setCurve(f, "SQRT(X)", 1, 2, 0, 0);
    f.LoBound = value(-1);
    f.HiBound = value(1);
    store.Clear();
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    ASSERT_EQ(store.SegmentCount, 3 + 1);
    EXPECT_EQ(segments(store)[0].first, Triple(One, One, 0));

    // Coordinates outside the 16.16 range, or not numbers, make their points undefined.
    setCurve(f, "1", 1, 0, 0, 0);
    f.LoBound = value(40000);
    f.HiBound = value(40001);
    store.Clear();
    EXPECT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3);
    f.LoBound = value(NAN);
    f.HiBound = value(1);
    EXPECT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3);
    f.LoBound = value(32767.99);
    f.HiBound = value(-32768);
    EXPECT_EQ(f.GenerateLines(0, store), 0);
    ASSERT_EQ(store.SegmentCount, 4);
    EXPECT_EQ(segments(store)[0].first, Triple(INT32_MIN, One, 0));
    EXPECT_EQ(std::get<0>(segments(store)[0].second), 2147482992); // 32767.99 * 65536 truncated
    // About Y a far x turns out of range; about a far line likewise.
    f.RotationAxis = RotateAboutLine;
    f.P1X = value(-1e12);
    f.P1Y = value(0);
    f.P2X = value(1e12);
    f.P2Y = value(1e12);
    f.Lines = 3;
    f.LoBound = value(0);
    f.HiBound = value(1);
    store.Clear();
    EXPECT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 1) << "only the unrotated copy stays in range";

    // An expression that never compiled draws nothing.
    TFuncRotateObj fresh;
    store.Clear();
    EXPECT_EQ(fresh.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3);
}

TEST(Func3D, SurfaceGridCounts) {
    TLineObj store;
    TFunc3DObj f;
    f.FuncColor = clGreen;
    // 2 x 2 without detail: the border of the range.
    setSurface(f, "X+Y", 2, 0, 2, 0);
    ASSERT_EQ(f.GenerateLines(9, store), 0);
    EXPECT_EQ(store.Colors[9], clGreen);
    EXPECT_EQ(store.SegmentCount, 3 + 4);
    EXPECT_EQ(store.VertexCount, 6 + 4);
    std::set<Triple> corners;
    for (const auto& [p, q] : segments(store))
        corners.insert(p), corners.insert(q);
    EXPECT_EQ(corners, (std::set<Triple>{
                           {-One, -One, -2 * One}, {One, -One, 0}, {-One, One, 0}, {One, One, 2 * One}}));

    // 3 lines along x, 2 along y with one step of detail on x: 3 rows of 3 columns, lines
    // in every row and in columns 1 and 3: by hand 9 vertices and 10 segments.
    store.Clear();
    setSurface(f, "0", 3, 1, 2, 0);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 10);
    EXPECT_EQ(store.VertexCount, 6 + 9);

    // No lines along x, 3 along y with one step of detail: 3 columns of 3 rows.
    store.Clear();
    setSurface(f, "0", 0, 5, 3, 1);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 6);
    EXPECT_EQ(store.VertexCount, 6 + 9);
    for (const auto& [p, q] : segments(store))
        EXPECT_EQ(std::get<0>(p), std::get<0>(q)) << "lines along y";

    // One line along x: a single row, which lies at the low bound of y.
    store.Clear();
    setSurface(f, "X", 1, 2, 0, 0);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 3);
    for (const auto& [p, q] : segments(store)) {
        EXPECT_EQ(std::get<1>(p), -One);
        EXPECT_EQ(std::get<1>(q), -One);
    }

    // One line each way: a cross at the low bounds.
    store.Clear();
    setSurface(f, "0", 1, 1, 1, 1);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 2 + 2);
    EXPECT_EQ(store.VertexCount, 6 + 5);

    // The 100 x 100 grid of the dialogs' largest mesh.
    store.Clear();
    setSurface(f, "SIN(X)*COS(Y)", 100, 0, 100, 0);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.VertexCount, 6 + 100 * 100);
    EXPECT_EQ(store.SegmentCount, 3 + 2 * 100 * 99);
}

TEST(Func3D, SurfaceDependentVariableAndLimit) {
    TLineObj store;
    TFunc3DObj f;
    // Y = f(x, z) = 1000: nothing with "Don't Draw", the plane y = 700 with "Round Down".
    f.Func->SetDependentVar(dvY);
    setSurface(f, "1000", 3, 0, 3, 0);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3);
    f.LimitTo700 = true;
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 12);
    for (int i = 6; i < store.VertexCount; ++i)
        EXPECT_EQ(store.Vertex(i).Y, 700 * One);
    EXPECT_EQ(store.MinZ, -One);
    EXPECT_EQ(store.MaxZ, One);

    // X = f(y, z): the value goes to X, the variables to Y and Z.
    store.Clear();
    f.Func->SetDependentVar(dvX);
    setSurface(f, "Y-Z", 2, 0, 2, 0);
    f.Var1Lo = value(0);
    f.Var1Hi = value(2);
    f.Var2Lo = value(0);
    f.Var2Hi = value(1);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    std::set<Triple> corners;
    for (const auto& [p, q] : segments(store))
        corners.insert(p), corners.insert(q);
    EXPECT_EQ(corners,
              (std::set<Triple>{{0, 0, 0}, {2 * One, 2 * One, 0}, {-One, 0, One}, {One, 2 * One, One}}));

    // Undefined values and out-of-range coordinates leave gaps, not lines.
    store.Clear();
    f.Func->SetDependentVar(dvZ);
    setSurface(f, "SQRT(X)", 2, 0, 3, 0);
    f.Var1Lo = value(-1);
    f.Var1Hi = value(1);
    f.Var2Lo = value(-1);
    f.Var2Hi = value(1);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    // Columns x = -1 (undefined), 0, 1; rows y = -1, 1: the piece from x = 0 to 1 in each
    // row and the column lines at x = 0 and x = 1.
    EXPECT_EQ(store.SegmentCount, 3 + 2 + 2);
    store.Clear();
    setSurface(f, "1", 2, 0, 3, 0);
    f.Var2Lo = value(NAN);
    f.Var1Lo = value(-40000);
    ASSERT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 1) << "only the row at y = 1 between its last two columns stays";
}

TEST(Func3D, CraftedCountsGiveDoneOrOutOfMemory) {
    TLineObj store;
    TFuncRotateObj r;
    setCurve(r, "X", 0, 0, 0, 0);
    TFunc3DObj s;
    setSurface(s, "X*Y", 0, 0, 0, 0);
    const int32_t huge = INT32_MAX;
    struct Case {
        int32_t a, ad, b, bd;
    };
    const Case cases[] = {
        {huge, huge, huge, huge},
        {huge, 0, 0, 0},
        {0, 0, huge, 0},
        {2, huge, 2, huge},
        {1, huge, 1, 0},
        {0, huge, 1, 0},
        {huge, 0, 1, 0},
        {-1, -1, -1, -1},
        {-5, 3, 2, -7},
        {INT32_MIN, 0, 2, 0},
        {3, INT32_MIN, 0, INT32_MIN},
    };
    for (const Case& c : cases) {
        store.Clear();
        r.Lines = c.a, r.CircleDetail = c.ad, r.Circles = c.b, r.LineDetail = c.bd;
        const int rr = r.GenerateLines(0, store);
        EXPECT_TRUE(rr == 0 || rr == 2) << c.a << " " << c.ad << " " << c.b << " " << c.bd;
        store.Clear();
        s.Var1Lines = c.a, s.Var2Detail = c.ad, s.Var2Lines = c.b, s.Var1Detail = c.bd;
        const int sr = s.GenerateLines(0, store);
        EXPECT_TRUE(sr == 0 || sr == 2) << c.a << " " << c.ad << " " << c.b << " " << c.bd;
    }
    // Sizes that cannot be built are out of memory, with nothing added.
    store.Clear();
    r.Lines = huge, r.CircleDetail = 0, r.Circles = 0, r.LineDetail = 0;
    EXPECT_EQ(r.GenerateLines(0, store), 2);
    s.Var1Lines = 2, s.Var1Detail = huge, s.Var2Lines = 2, s.Var2Detail = 0;
    EXPECT_EQ(s.GenerateLines(0, store), 2);
    EXPECT_EQ(store.SegmentCount, 3);
    // A negative count counts as none: 3 copies of the curve and no circles.
    r.Lines = 3, r.CircleDetail = 0, r.Circles = -4, r.LineDetail = -2;
    EXPECT_EQ(r.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount, 3 + 3);
}

TEST(Func3D, FullStoreStopsGeneration) {
    TLineObj store;
    TFunc3DObj f;
    // 300 x 300 points need about 180,000 segments: result 1 after the row that was
    // refused, with the segments full.
    setSurface(f, "X*Y", 300, 0, 300, 0);
    EXPECT_EQ(f.GenerateLines(0, store), 1);
    EXPECT_EQ(store.SegmentCount, 65535);
    // By hand: row 1 takes 299 segments, each later row 599 (1 + 2 per further point), so
    // 109 rows end at 64994 segments and row 110 gets 541 more: its first 271 points.
    EXPECT_EQ(store.VertexCount, 6 + 300 * 109 + 271);
    const int segments = store.SegmentCount;
    // The next function is refused at once.
    TFuncRotateObj r;
    setCurve(r, "X", 3, 0, 3, 0);
    EXPECT_EQ(r.GenerateLines(1, store), 1);
    EXPECT_EQ(store.SegmentCount, segments);
    EXPECT_EQ(store.Colors[1], clBlue) << "the colour entry is set before anything is added";
}

TEST(Func3D, AStopEndsGenerationAfterTheCurrentRow) {
    TLineObj store;
    int polls = 0;
    store.GenerationAbortPoll = [&](bool& abort) { abort = ++polls >= 3; };
    TFunc3DObj f;
    setSurface(f, "X*Y", 10, 0, 10, 0);
    EXPECT_EQ(f.GenerateLines(0, store), 0);
    // Rows 1 to 3 only: 9 segments in the first, 9 + 10 in each of the next two.
    EXPECT_EQ(store.SegmentCount - 3, 9 + 19 + 19);
    store.GenerationAbortPoll = nullptr;
    TFuncRotateObj r;
    setCurve(r, "X", 3, 0, 3, 0);
    store.Clear();
    polls = 0;
    store.GenerationAbortPoll = [&](bool& abort) { abort = ++polls >= 1; };
    EXPECT_EQ(r.GenerateLines(0, store), 0);
    EXPECT_EQ(store.SegmentCount - 3, 2); // the first copy of the curve alone
}
