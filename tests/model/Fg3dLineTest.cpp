// The 3D line store: counts, vertex sharing, the capacity limits and the fixed-point
// projection.
#include "model/Fg3dline.h"
#include "model/W32_asm.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t One = 65536;

Point3D pt(int32_t x, int32_t y, int32_t z) {
    return Point3D{x, y, z};
}

// Adds a line whose two ends are new, not shared with anything before.
int addFreshLine(TLineObj& store, const Point3D& a, const Point3D& b) {
    store.BeginGroup();
    TVertex3D* ra = nullptr;
    TVertex3D* rb = nullptr;
    return store.AddLine(1, a, b, ra, rb);
}

const TRotation3D NoRotation{One, One, One, 0, 0, 0};

} // namespace

TEST(LineStore, FreshStoreAndClear) {
    TLineObj store;
    EXPECT_EQ(store.VertexCount, 6);
    EXPECT_EQ(store.SegmentCount, 3);
    EXPECT_EQ(store.VertexBlockCount, 1);
    EXPECT_EQ(store.SegmentBlockCount, 1);
    EXPECT_EQ(store.GroupStart, 7);
    for (TColor c : store.Colors)
        EXPECT_EQ(c, 0u);

    store.SetColorEntry(5, clRed);
    store.SetColorEntry(255, clBlue);
    store.SetColorEntry(256, clLime);
    store.SetColorEntry(-1, clLime);
    EXPECT_EQ(store.Colors[5], clRed);
    EXPECT_EQ(store.Colors[255], clBlue);
    EXPECT_EQ(store.Colors[0], 0u);
    for (int i = 0; i < 256; ++i) {
        if (i != 5 && i != 255) {
            EXPECT_EQ(store.Colors[i], 0u) << i;
        }
    }

    // Three blocks' worth of vertices, then back to the empty state.
    for (int i = 0; i < 1500; ++i)
        ASSERT_EQ(addFreshLine(store, pt(i * One, 0, -One), pt(i * One, One, 2 * One)), 0);
    EXPECT_EQ(store.VertexCount, 6 + 3000);
    EXPECT_EQ(store.SegmentCount, 3 + 1500);
    EXPECT_EQ(store.VertexBlockCount, 3);
    EXPECT_EQ(store.SegmentBlockCount, 2);
    EXPECT_EQ(store.MaxX, 1499 * One);
    EXPECT_EQ(store.MinZ, -One);
    EXPECT_EQ(store.MaxZ, 2 * One);

    store.Clear();
    EXPECT_EQ(store.VertexCount, 6);
    EXPECT_EQ(store.SegmentCount, 3);
    EXPECT_EQ(store.VertexBlockCount, 1);
    EXPECT_EQ(store.SegmentBlockCount, 1);
    EXPECT_EQ(store.GroupStart, 7);
    EXPECT_EQ(store.MaxX, 0);
    EXPECT_EQ(store.MinZ, 0);
    EXPECT_EQ(store.Colors[5], 0u);
    EXPECT_FALSE(store.VertexBlocks[1]);
    EXPECT_FALSE(store.SegmentBlocks[1]);
    EXPECT_EQ(addFreshLine(store, pt(One, 0, 0), pt(0, One, 0)), 0);
    EXPECT_EQ(store.VertexCount, 8);

    EXPECT_EQ(LineObjErrorText(0), "");
    EXPECT_EQ(LineObjErrorText(1), "3D window full, partial function will be displayed");
    EXPECT_EQ(LineObjErrorText(2), "Out of memory");
    EXPECT_EQ(LineObjErrorText(3), "Undetermined error");
    EXPECT_EQ(LineObjErrorText(-1), "Undetermined error");
}

TEST(LineStore, AddLineSharesVerticesWithinAGroup) {
    TLineObj store;
    store.BeginGroup();
    TVertex3D* ra = nullptr;
    TVertex3D* rb = nullptr;

    // A = B: one vertex, a zero-length segment, RefB left alone.
    ASSERT_EQ(store.AddLine(7, pt(One, One, One), pt(One, One, One), ra, rb), 0);
    EXPECT_EQ(store.VertexCount, 7);
    EXPECT_EQ(store.SegmentCount, 4);
    ASSERT_NE(ra, nullptr);
    EXPECT_EQ(rb, nullptr);
    EXPECT_EQ(store.Segment(3).VertexA, ra);
    EXPECT_EQ(store.Segment(3).VertexB, ra);
    EXPECT_EQ(store.Segment(3).ColorIndex, 7);
    EXPECT_EQ(ra, &store.Vertex(6));

    // B without a reference is found among this group's vertices.
    TVertex3D* rc = nullptr;
    TVertex3D* rd = nullptr;
    ASSERT_EQ(store.AddLine(7, pt(2 * One, 0, 0), pt(One, One, One), rc, rd), 0);
    EXPECT_EQ(store.VertexCount, 8);
    EXPECT_EQ(rd, ra);

    // A is never searched for: the same point appended again as A is a second vertex,
    // and a later search finds the newest of the two.
    TVertex3D* re = nullptr;
    TVertex3D* rf = nullptr;
    ASSERT_EQ(store.AddLine(7, pt(One, One, One), pt(3 * One, 0, 0), re, rf), 0);
    EXPECT_EQ(store.VertexCount, 10);
    EXPECT_NE(re, ra);
    TVertex3D* rg = nullptr;
    TVertex3D* rh = nullptr;
    ASSERT_EQ(store.AddLine(7, pt(4 * One, 0, 0), pt(One, One, One), rg, rh), 0);
    EXPECT_EQ(rh, re);

    // Cached references are used as given, without looking at their coordinates.
    TVertex3D* ri = ra;
    TVertex3D* rj = rc;
    ASSERT_EQ(store.AddLine(9, pt(0, 0, 0), pt(5 * One, 5 * One, 5 * One), ri, rj), 0);
    EXPECT_EQ(store.VertexCount, 11);
    EXPECT_EQ(store.Segment(store.SegmentCount - 1).VertexA, ra);
    EXPECT_EQ(store.Segment(store.SegmentCount - 1).VertexB, rc);
    EXPECT_EQ(store.MaxX, 4 * One); // referenced points do not touch the box

    // A new group does not share with the previous one.
    store.BeginGroup();
    EXPECT_EQ(store.GroupStart, 12);
    TVertex3D* rk = nullptr;
    TVertex3D* rl = nullptr;
    ASSERT_EQ(store.AddLine(8, pt(6 * One, 0, 0), pt(One, One, One), rk, rl), 0);
    EXPECT_EQ(store.VertexCount, 13);
    EXPECT_NE(rl, ra);
    EXPECT_NE(rl, re);
    EXPECT_EQ(rl->X, One);

    // Blocks never move: the first pointer still reads its point after growth.
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(addFreshLine(store, pt(0, i, 0), pt(0, i, 1)), 0);
    EXPECT_EQ(ra->X, One);
    EXPECT_EQ(ra, &store.Vertex(6));
}

TEST(LineStore, BoundingBoxAlwaysHoldsTheOrigin) {
    TLineObj store;
    ASSERT_EQ(addFreshLine(store, pt(2 * One, 3 * One, 4 * One), pt(5 * One, 6 * One, 7 * One)), 0);
    EXPECT_EQ(store.MinX, 0);
    EXPECT_EQ(store.MaxX, 5 * One);
    EXPECT_EQ(store.MinY, 0);
    EXPECT_EQ(store.MaxY, 6 * One);
    ASSERT_EQ(addFreshLine(store, pt(-One, -2 * One, -3 * One), pt(-One / 2, 0, 0)), 0);
    EXPECT_EQ(store.MinX, -One);
    EXPECT_EQ(store.MinY, -2 * One);
    EXPECT_EQ(store.MinZ, -3 * One);
    EXPECT_EQ(store.MaxZ, 7 * One);
}

TEST(LineStore, CapacityLimits) {
    TLineObj store;
    // 32764 lines of two new vertices bring the store to 65534 vertices.
    for (int i = 0; i < 32764; ++i)
        ASSERT_EQ(addFreshLine(store, pt(i, 0, 0), pt(i, 1, 0)), 0) << i;
    EXPECT_EQ(store.VertexCount, 65534);
    // The call that starts at 65534 may still add the 65535th and 65536th vertices.
    ASSERT_EQ(addFreshLine(store, pt(-1, 0, 0), pt(-1, 1, 0)), 0);
    EXPECT_EQ(store.VertexCount, 65536);
    EXPECT_EQ(store.VertexBlockCount, 64);
    EXPECT_EQ(store.Vertex(65535).Y, 1);
    const int segments = store.SegmentCount;
    EXPECT_EQ(addFreshLine(store, pt(-2, 0, 0), pt(-2, 1, 0)), 1);
    EXPECT_EQ(store.VertexCount, 65536);
    EXPECT_EQ(store.SegmentCount, segments);
    EXPECT_EQ(store.MinX, -1); // a refused line leaves the box alone
}

TEST(LineStore, RefusesEveryLineFrom65535Vertices) {
    TLineObj store;
    for (int i = 0; i < 32764; ++i)
        ASSERT_EQ(addFreshLine(store, pt(i, 0, 0), pt(i, 1, 0)), 0);
    ASSERT_EQ(addFreshLine(store, pt(7, 7, 7), pt(7, 7, 7)), 0); // one vertex
    ASSERT_EQ(store.VertexCount, 65535);
    const int segments = store.SegmentCount;
    EXPECT_EQ(addFreshLine(store, pt(-5, 0, 0), pt(-5, 1, 0)), 1);
    // Even a line on cached vertices is refused once the count is past 65534.
    TVertex3D* ra = &store.Vertex(100);
    TVertex3D* rb = &store.Vertex(101);
    EXPECT_EQ(store.AddLine(1, pt(0, 0, 0), pt(-5, 0, 0), ra, rb), 1);
    EXPECT_EQ(store.VertexCount, 65535);
    EXPECT_EQ(store.SegmentCount, segments);
    EXPECT_EQ(store.MinX, 0);
}

TEST(LineStore, SegmentLimit) {
    TLineObj store;
    store.BeginGroup();
    TVertex3D* ra = nullptr;
    TVertex3D* rb = nullptr;
    ASSERT_EQ(store.AddLine(1, pt(1, 2, 3), pt(1, 2, 3), ra, rb), 0);
    // Zero-length lines on a cached vertex add a segment and no vertex.
    while (store.SegmentCount < 65535)
        ASSERT_EQ(store.AddLine(1, pt(1, 2, 3), pt(1, 2, 3), ra, rb), 0);
    EXPECT_EQ(store.VertexCount, 7);
    EXPECT_EQ(store.SegmentBlockCount, 64);
    EXPECT_EQ(store.AddLine(1, pt(1, 2, 3), pt(1, 2, 3), ra, rb), 1);
    EXPECT_EQ(store.SegmentCount, 65535);
}

TEST(LineStore, ProjectionKnownAnswers) {
    TVertex3D v[6] = {};
    v[0] = {One, 2 * One, 0, 0, 0, 0};
    v[1] = {-3 * One / 2, -One / 4, 0, 0, 0, 0};
    v[2] = {-1, 0, 0, 0, 0, 0}; // -1/65536: the shift rounds toward minus infinity
    v[3] = {0, 0, 5 * One, 0, 0, 0};
    TransformVertices(v, 4, 20, 100, 50, One, One, One, 0, 0, 0);
    EXPECT_EQ(v[0].ScreenX, 120);
    EXPECT_EQ(v[0].ScreenY, 10);
    EXPECT_EQ(v[0].Depth, 0);
    EXPECT_EQ(v[1].ScreenX, 70);
    EXPECT_EQ(v[1].ScreenY, 55);
    EXPECT_EQ(v[2].ScreenX, 99);
    EXPECT_EQ(v[2].ScreenY, 50);
    EXPECT_EQ(v[3].Depth, 5 * One);
    EXPECT_EQ(v[3].ScreenX, 100);

    // A quarter turn about X takes +Y to +Z (depth); about Y, +X to -Z; about Z, +X to +Y.
    TVertex3D q[3] = {};
    q[0] = {0, One, 0, 0, 0, 0};
    TransformVertices(q, 1, 10, 0, 0, 0, One, One, One, 0, 0);
    EXPECT_EQ(q[0].Depth, One);
    EXPECT_EQ(q[0].ScreenY, 0);
    q[1] = {One, 0, 0, 0, 0, 0};
    TransformVertices(q + 1, 1, 10, 0, 0, One, 0, One, 0, One, 0);
    EXPECT_EQ(q[1].Depth, -One);
    EXPECT_EQ(q[1].ScreenX, 0);
    q[2] = {One, 0, 0, 0, 0, 0};
    TransformVertices(q + 2, 1, 10, 0, 0, One, One, 0, 0, 0, One);
    EXPECT_EQ(q[2].ScreenX, 0);
    EXPECT_EQ(q[2].ScreenY, -10);

    // 30 degrees about Z, fixed-point sine and cosine: (2, 0, 0) -> (1.732, 1) * 100.
    TVertex3D r = {2 * One, 0, 0, 0, 0, 0};
    TransformVertices(&r, 1, 100, 0, 0, One, One, 56756, 0, 0, 32768);
    // X3 = m(131072, 56756) = 113512; m(113512, 100) = 173 (173.2 floored).
    EXPECT_EQ(r.ScreenX, 173);
    EXPECT_EQ(r.ScreenY, -100);

    // Sums wrap around in 32 bits: 32767 + 32767 is -2.0 in 16.16.
    TVertex3D w = {0x7FFF0000, 0, 0x7FFF0000, 0, 0, 0};
    TransformVertices(&w, 1, 1, 0, 0, One, One, One, 0, One, 0);
    // Z1 = 0x7FFF0000; X2 = 0x7FFF0000 + 0x7FFF0000 -> 0xFFFE0000; ScreenX = m(-131072, 1) = -2.
    EXPECT_EQ(w.ScreenX, -2);
    // Depth = m(Z1, 65536) - m(X, 65536) = 0.
    EXPECT_EQ(w.Depth, 0);
    // The centre addition wraps as well.
    TVertex3D c = {One, 0, 0, 0, 0, 0};
    TransformVertices(&c, 1, 1, INT32_MAX, INT32_MIN, One, One, One, 0, 0, 0);
    EXPECT_EQ(c.ScreenX, INT32_MIN);
    EXPECT_EQ(c.ScreenY, INT32_MIN);
    // The product itself is taken in 64 bits before the shift: 32767.0 * 32767 pixels.
    TVertex3D big = {0x7FFF0000, 0, 0, 0, 0, 0};
    TransformVertices(&big, 1, 32767, 0, 0, One, One, One, 0, 0, 0);
    EXPECT_EQ(big.ScreenX, 32767 * 32767);
}

TEST(LineStore, TransformAllRebuildsAxesAndProjectsEveryBlock) {
    TLineObj store;
    int polls = 0;
    TAbortPoll countPolls = [&](bool&) { ++polls; };

    // Only the axes: they are rebuilt but not projected.
    store.Vertex(0).ScreenX = -77;
    store.TransformAll(NoRotation, 10, countPolls, 100, 100);
    EXPECT_EQ(store.Vertex(0).ScreenX, -77);
    EXPECT_EQ(polls, 1);

    for (int i = 0; i < 1100; ++i)
        ASSERT_EQ(addFreshLine(store, pt(i * One / 100, -One, 0), pt(i * One / 100, 2 * One, 3 * One)), 0);
    ASSERT_EQ(store.VertexCount, 2206);
    polls = 0;
    store.TransformAll(NoRotation, 10, countPolls, 100, 100);
    EXPECT_EQ(polls, 4); // once before anything, then before each of the three blocks
    // Axes from the box: X axis 0..10.99, Y -1..2, Z 0..3, with the axis colours.
    EXPECT_EQ(store.Vertex(0).X, 0);
    EXPECT_EQ(store.Vertex(1).X, 1099 * One / 100);
    EXPECT_EQ(store.Vertex(2).Y, -One);
    EXPECT_EQ(store.Vertex(3).Y, 2 * One);
    EXPECT_EQ(store.Vertex(5).Z, 3 * One);
    EXPECT_EQ(store.Segment(0).VertexA, &store.Vertex(0));
    EXPECT_EQ(store.Segment(0).VertexB, &store.Vertex(1));
    EXPECT_EQ(store.Segment(0).ColorIndex, 253);
    EXPECT_EQ(store.Segment(1).ColorIndex, 254);
    EXPECT_EQ(store.Segment(2).VertexB, &store.Vertex(5));
    EXPECT_EQ(store.Segment(2).ColorIndex, 255);
    EXPECT_EQ(store.Vertex(1).ScreenX, 100 + 109); // 10.99 * 10 floored
    EXPECT_EQ(store.Vertex(3).ScreenY, 80);
    EXPECT_EQ(store.Vertex(2205).ScreenY, 80);
    EXPECT_EQ(store.Vertex(2205).Depth, 3 * One);
    EXPECT_EQ(store.Vertex(2204).ScreenY, 110);

    // An abort before the second block leaves the later blocks as they were.
    for (int i = 6; i < store.VertexCount; ++i)
        store.Vertex(i).ScreenX = -1;
    int calls = 0;
    store.TransformAll(
        NoRotation, 10, [&](bool& abort) { abort = ++calls == 3; }, 100, 100);
    // Vertex 1023 is the second end of line 508: x = 5.08, 50.8 pixels floored.
    EXPECT_EQ(store.Vertex(1023).ScreenX, 150);
    EXPECT_EQ(store.Vertex(1024).ScreenX, -1);
    EXPECT_EQ(store.Vertex(2205).ScreenX, -1);

    // An abort at the start touches nothing, not even the axes.
    store.Vertex(1).X = 0;
    store.TransformAll(
        NoRotation, 10, [](bool& abort) { abort = true; }, 100, 100);
    EXPECT_EQ(store.Vertex(1).X, 0);
    EXPECT_EQ(store.Vertex(1024).ScreenX, -1);

    // No poll at all is fine.
    store.TransformAll(NoRotation, 10, nullptr, 0, 0);
    EXPECT_EQ(store.Vertex(2205).ScreenX, 109);
}
