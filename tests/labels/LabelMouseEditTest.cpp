#include "LabelTestSupport.h"

#include <functional>
#include <gtest/gtest.h>

using namespace labeltest;

namespace {

constexpr TColor kBg = 0xE8F0F4;
constexpr TColor kFiller = 0x3060A0;

// A bitmap with a solid block that the rubber bands of the gestures cross.
TScene fillerScene(TPixelFormat depth) {
    TScene s(160, 120, depth, kBg);
    TCanvas& c = s.B().Canvas();
    c.Brush = TBrush{kFiller, bsSolid};
    c.FillRect(TRect(80, 55, 140, 110));
    return s;
}

struct KindCase {
    const char* Name;
    std::function<std::unique_ptr<TDrawBaseClass>()> Make;
    TPoint Grab;      // where the gesture starts
    bool RepaintsOld; // smErase removes the old picture (not texts and flood fills)
};

std::vector<KindCase> kindCases() {
    return {
        {"line",
         [] {
             return std::unique_ptr<TDrawBaseClass>(MakeLine({10, 15}, {60, 45}, 0x0000C0, 3));
         },
         {10, 15},
         true},
        {"flood fill",
         [] {
             return std::unique_ptr<TDrawBaseClass>(MakeFill({20, 20}, 0x00C000));
         },
         {20, 20},
         false},
        {"rectangle",
         [] {
             return std::unique_ptr<TDrawBaseClass>(
                 MakeShape(lkRectangle, {10, 10}, {60, 50}, 0x008000, 2, bsSolid));
         },
         {10, 10},
         true},
        {"ellipse",
         [] {
             return std::unique_ptr<TDrawBaseClass>(
                 MakeShape(lkEllipse, {60, 50}, {10, 10}, 0x800000, 1, bsDiagCross));
         },
         {35, 10},
         true},
        {"round rectangle",
         [] {
             auto r = MakeShape(lkRoundRect, {10, 10}, {60, 50}, 0x008080, 1, bsClear);
             r->SetPenStyle(psDash);
             return std::unique_ptr<TDrawBaseClass>(std::move(r));
         },
         {35, 50},
         true},
        {"text",
         [] {
             return std::unique_ptr<TDrawBaseClass>(MakeText({12, 12}, "Move me"));
         },
         {14, 14},
         false},
        {"free hand",
         [] {
             std::vector<TPoint> pts;
             for (int i = 0; i < 50; ++i)
                 pts.push_back({10 + i, 20 + (i % 10 < 5 ? i % 10 : 10 - i % 10) * 5});
             return std::unique_ptr<TDrawBaseClass>(MakeFreeHand(pts, 0x804000, 2));
         },
         {10, 20},
         true},
    };
}

std::unique_ptr<TDrawBaseClass> copyOf(const TDrawBaseClass& label) {
    auto made = label.Clone();
    made->Assign(label);
    return std::unique_ptr<TDrawBaseClass>(static_cast<TDrawBaseClass*>(made.release()));
}

// Removes the old picture the way the first drag step does.
void eraseOld(TDrawBaseClass& old, TBitmap& bitmap, const TLabelBmpAttribs& a) {
    if (auto* two = dynamic_cast<TDrawLabel*>(&old)) two->DrawShape(two->P1, two->P2, smErase, bitmap, a);
}

TPoint firstPoint(const TDrawBaseClass& label) {
    if (auto* fill = dynamic_cast<const TDrawFloodFill*>(&label)) return fill->Location;
    return dynamic_cast<const TDrawLabel&>(label).P1;
}

void gesture(TDrawBaseClass& label, TScene& s, TPoint from, TPoint by, bool resize) {
    const TLabelMouseOp begin = resize ? moSizeBegin : moMoveBegin;
    const TLabelMouseOp first = resize ? moSizeFirstStep : moMoveFirstStep;
    const TLabelMouseOp step = resize ? moSizeStep : moMoveStep;
    const TLabelMouseOp end = resize ? moSizeEnd : moMoveEnd;
    label.MouseEdit(from.X, from.Y, begin, s.B(), s.Attribs);
    label.MouseEdit(from.X + by.X / 9, from.Y + by.Y / 9, first, s.B(), s.Attribs);
    label.MouseEdit(from.X + by.X / 3, from.Y + by.Y / 3, step, s.B(), s.Attribs);
    label.MouseEdit(from.X + by.X * 2 / 3, from.Y + by.Y * 2 / 3, step, s.B(), s.Attribs);
    label.MouseEdit(from.X + by.X, from.Y + by.Y, step, s.B(), s.Attribs);
    label.MouseEdit(from.X + by.X, from.Y + by.Y, end, s.B(), s.Attribs);
}

// Points of the bitmap changed by toggling a label's selection marks on a blank scene.
std::vector<TPoint> markPixels(TDrawBaseClass& label, int w = 200, int h = 150) {
    TScene s(w, h, pf24bit, clWhite);
    auto before = CopyOf(s.B());
    label.ToggleSelectionHandles(s.B(), s.Attribs);
    return ChangedPixels(*before, s.B());
}

// True when every changed pixel lies within a handle mark at one of the centres and every
// centre has a mark.
::testing::AssertionResult marksAt(const std::vector<TPoint>& changed, const std::vector<TPoint>& centres) {
    for (auto p : changed) {
        bool near = false;
        for (auto c : centres)
            near = near || (std::abs(p.X - c.X) <= 5 && std::abs(p.Y - c.Y) <= 5);
        if (!near) return ::testing::AssertionFailure() << "stray mark pixel at " << p.X << "," << p.Y;
    }
    for (auto c : centres) {
        bool any = false;
        for (auto p : changed)
            any = any || (std::abs(p.X - c.X) <= 5 && std::abs(p.Y - c.Y) <= 5);
        if (!any) return ::testing::AssertionFailure() << "no mark at " << c.X << "," << c.Y;
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(LabelMouseEdit, FeedbackRestoresEveryPixelAtEveryDepth) {
    for (TPixelFormat depth : AllDepths) {
        for (const KindCase& k : kindCases()) {
            SCOPED_TRACE(std::string(k.Name) + " at " + DepthName(depth));
            TScene s = fillerScene(depth);
            const auto blank = Snapshot(s.B());
            auto label = k.Make();
            label->Draw(s.B(), s.Attribs);
            const auto drawn = Snapshot(s.B());
            ASSERT_NE(drawn, blank);

            // The edit outline, drawn twice.
            label->EditP1 = firstPoint(*label);
            label->EditP1.X += 70;
            label->EditP1.Y += 40;
            if (auto* two = dynamic_cast<TDrawLabel*>(label.get())) {
                two->EditP2 = two->P2;
                two->EditP2.X += 70;
                two->EditP2.Y += 40;
            }
            label->DrawEditOutline(s.B(), s.Attribs);
            EXPECT_NE(Snapshot(s.B()), drawn);
            label->DrawEditOutline(s.B(), s.Attribs);
            EXPECT_EQ(Snapshot(s.B()), drawn);

            // The selection marks, toggled twice.
            label->ToggleSelectionHandles(s.B(), s.Attribs);
            EXPECT_TRUE(label->HandlesShown);
            EXPECT_NE(Snapshot(s.B()), drawn);
            label->ToggleSelectionHandles(s.B(), s.Attribs);
            EXPECT_FALSE(label->HandlesShown);
            EXPECT_EQ(Snapshot(s.B()), drawn);

            // A whole move gesture: afterwards only the old picture is gone and the last
            // rubber band shows; removing that outline leaves the bitmap as the erase left it.
            auto old = copyOf(*label);
            const TPoint start = firstPoint(*label);
            gesture(*label, s, k.Grab, {45, 30}, false);
            EXPECT_EQ(firstPoint(*label), (TPoint{start.X + 45, start.Y + 30}));
            TScene ref = fillerScene(depth);
            old->Draw(ref.B(), ref.Attribs);
            eraseOld(*old, ref.B(), ref.Attribs);
            const auto erased = Snapshot(ref.B());
            if (k.RepaintsOld) {
                EXPECT_EQ(erased, blank);
            }
            label->DrawEditOutline(ref.B(), ref.Attribs);
            EXPECT_EQ(Snapshot(s.B()), Snapshot(ref.B()));
            label->DrawEditOutline(s.B(), s.Attribs);
            EXPECT_EQ(Snapshot(s.B()), erased);
        }
    }
}

TEST(LabelMouseEdit, ResizeGesturesRestoreEveryPixelAtEveryDepth) {
    struct ResizeCase {
        const char* Name;
        std::function<std::unique_ptr<TDrawLabel>()> Make;
        TPoint Grab;
        uint8_t Handle;
        TPoint P1, P2; // after a drag by (45, 30)
    };
    const ResizeCase cases[] = {
        {"rectangle corner",
         [] {
             return std::unique_ptr<TDrawLabel>(
                 MakeShape(lkRectangle, {10, 10}, {60, 50}, 0x008000, 2, bsSolid));
         },
         {60, 50},
         ghBottomRight,
         {10, 10},
         {105, 80}},
        {"ellipse edge",
         [] {
             return std::unique_ptr<TDrawLabel>(
                 MakeShape(lkEllipse, {10, 10}, {60, 50}, 0x800000, 1, bsCross));
         },
         {35, 10},
         ghTop,
         {10, 40},
         {60, 50}},
        {"round rectangle body",
         [] {
             return std::unique_ptr<TDrawLabel>(MakeShape(lkRoundRect, {10, 10}, {60, 50}, 0x008080, 3));
         },
         {35, 30},
         ghNone,
         {55, 40},
         {105, 80}},
        {"line start",
         [] {
             return std::unique_ptr<TDrawLabel>(MakeLine({10, 15}, {60, 45}, 0x0000C0, 2));
         },
         {12, 16},
         ghLineStart,
         {55, 45},
         {60, 45}},
        {"line end",
         [] {
             return std::unique_ptr<TDrawLabel>(MakeLine({10, 15}, {60, 45}, 0x0000C0, 1));
         },
         {60, 45},
         ghLineEnd,
         {10, 15},
         {105, 75}},
        {"free hand",
         [] {
             return std::unique_ptr<TDrawLabel>(MakeFreeHand({{10, 10}, {40, 50}, {60, 20}}, 0x804000, 2));
         },
         {40, 50},
         ghNone,
         {55, 40},
         {105, 50}},
    };
    for (TPixelFormat depth : AllDepths) {
        for (const ResizeCase& k : cases) {
            SCOPED_TRACE(std::string(k.Name) + " at " + DepthName(depth));
            TScene s = fillerScene(depth);
            auto label = k.Make();
            label->Draw(s.B(), s.Attribs);
            auto old = copyOf(*label);
            gesture(*label, s, k.Grab, {45, 30}, true);
            if (auto* shape = dynamic_cast<TDrawShape*>(label.get())) {
                EXPECT_EQ(shape->GrabbedHandle, k.Handle);
            }
            EXPECT_EQ(label->P1, k.P1);
            EXPECT_EQ(label->P2, k.P2);
            TScene ref = fillerScene(depth);
            old->Draw(ref.B(), ref.Attribs);
            eraseOld(*old, ref.B(), ref.Attribs);
            EXPECT_EQ(Snapshot(ref.B()), Snapshot(fillerScene(depth).B()));
            label->DrawEditOutline(ref.B(), ref.Attribs);
            EXPECT_EQ(Snapshot(s.B()), Snapshot(ref.B()));
        }
    }
}

TEST(LabelMouseEdit, MovesCommitOnlyOnTheBitmap) {
    TScene s(100, 80, pf24bit, kBg);

    auto rect = MakeShape(lkRectangle, {10, 10}, {30, 30});
    gesture(*rect, s, {10, 10}, {200, 0}, false);
    EXPECT_EQ(rect->P1, (TPoint{10, 10}));
    EXPECT_EQ(rect->P2, (TPoint{30, 30}));
    EXPECT_EQ(rect->EditP1, (TPoint{210, 10}));
    gesture(*rect, s, {10, 10}, {-25, -25}, false); // one corner stays on the bitmap
    EXPECT_EQ(rect->P1, (TPoint{-15, -15}));
    EXPECT_EQ(rect->P2, (TPoint{5, 5}));

    auto line = MakeLine({10, 10}, {30, 20});
    gesture(*line, s, {20, 15}, {0, -40}, false);
    EXPECT_EQ(line->P1, (TPoint{10, 10}));
    gesture(*line, s, {20, 15}, {-20, 60}, false); // both ends off, the segment crosses
    EXPECT_EQ(line->P1, (TPoint{-10, 70}));
    EXPECT_EQ(line->P2, (TPoint{10, 80}));

    auto fill = MakeFill({50, 40});
    gesture(*fill, s, {50, 40}, {60, 0}, false);
    EXPECT_EQ(fill->Location, (TPoint{50, 40}));
    gesture(*fill, s, {50, 40}, {49, 39}, true);
    EXPECT_EQ(fill->Location, (TPoint{99, 79}));

    auto free = MakeFreeHand({{10, 10}, {20, 30}, {30, 10}});
    gesture(*free, s, {20, 30}, {-45, 0}, false);
    EXPECT_EQ(free->P1, (TPoint{10, 10}));
    gesture(*free, s, {20, 30}, {-25, 0}, true); // the middle point ends at (-5, 30)... off
    EXPECT_EQ(free->P1, (TPoint{-15, 10}));      // but the last one at (5, 10) is on
    EXPECT_EQ(free->P2, (TPoint{5, 10}));
    EXPECT_EQ(free->PointAt(1), (TPoint{-5, 30}));
    EXPECT_EQ(free->GrabbedHandle, ghNone);

    auto text = MakeText({10, 10}, "T");
    const TPoint size{text->P2.X - text->P1.X, text->P2.Y - text->P1.Y};
    gesture(*text, s, {12, 12}, {30, 20}, true);
    EXPECT_EQ(text->P1, (TPoint{40, 30}));
    EXPECT_EQ(text->P2, (TPoint{40 + size.X, 30 + size.Y}));
}

TEST(LabelMouseEdit, EachHandleMovesOnlyItsOwnCoordinates) {
    struct HandleCase {
        TPoint Grab;
        uint8_t Handle;
        TCursor Cursor;
        TPoint P1, P2;
    };
    // Rectangle (20, 20)-(80, 60), each handle dragged by (7, 5).
    const HandleCase cases[] = {
        {{20, 20}, ghTopLeft, crSizeNWSE, {27, 25}, {80, 60}},
        {{80, 20}, ghTopRight, crSizeNESW, {20, 25}, {87, 60}},
        {{20, 60}, ghBottomLeft, crSizeNESW, {27, 20}, {80, 65}},
        {{80, 60}, ghBottomRight, crSizeNWSE, {20, 20}, {87, 65}},
        {{50, 22}, ghTop, crSizeNS, {20, 25}, {80, 60}},
        {{50, 57}, ghBottom, crSizeNS, {20, 20}, {80, 65}},
        {{17, 40}, ghLeft, crSizeWE, {27, 20}, {80, 60}},
        {{84, 40}, ghRight, crSizeWE, {20, 20}, {87, 60}},
        {{50, 40}, ghNone, crDrag, {27, 25}, {87, 65}},
        {{83, 24}, ghTopRight, crSizeNESW, {20, 25}, {87, 60}},
    };
    for (const HandleCase& c : cases) {
        SCOPED_TRACE(int(c.Handle));
        TScene s(120, 90, pf24bit, kBg);
        // Stored out of order: the resize begin puts the corners in order first.
        auto rect = MakeShape(lkRectangle, {80, 60}, {20, 20});
        rect->MouseEdit(c.Grab.X, c.Grab.Y, moSizeBegin, s.B(), s.Attribs);
        EXPECT_EQ(rect->P1, (TPoint{20, 20}));
        EXPECT_EQ(rect->GrabbedHandle, c.Handle);
        EXPECT_EQ(rect->GetCursor(), c.Cursor);
        EXPECT_TRUE(rect->HandlesShown);
        rect->MouseEdit(c.Grab.X + 3, c.Grab.Y + 2, moSizeFirstStep, s.B(), s.Attribs);
        EXPECT_FALSE(rect->HandlesShown);
        rect->MouseEdit(c.Grab.X + 7, c.Grab.Y + 5, moSizeStep, s.B(), s.Attribs);
        rect->MouseEdit(c.Grab.X + 7, c.Grab.Y + 5, moSizeEnd, s.B(), s.Attribs);
        EXPECT_EQ(rect->P1, c.P1);
        EXPECT_EQ(rect->P2, c.P2);
        EXPECT_EQ(rect->GrabbedHandle, c.Handle); // until the next begin
        rect->MouseEdit(0, 0, moMoveBegin, s.B(), s.Attribs);
        EXPECT_EQ(rect->GrabbedHandle, ghNone);
    }

    // A corner dragged past the opposite one leaves the points out of order until the next
    // resize begin orders them again.
    TScene s(120, 90, pf24bit, kBg);
    auto rect = MakeShape(lkEllipse, {20, 20}, {80, 60});
    gesture(*rect, s, {20, 20}, {80, 50}, true);
    EXPECT_EQ(rect->P1, (TPoint{100, 70}));
    EXPECT_EQ(rect->P2, (TPoint{80, 60}));
    rect->MouseEdit(80, 60, moSizeBegin, s.B(), s.Attribs);
    EXPECT_EQ(rect->P1, (TPoint{80, 60}));
    EXPECT_EQ(rect->P2, (TPoint{100, 70}));
    EXPECT_EQ(rect->GrabbedHandle, ghTopLeft);
}

TEST(LabelMouseEdit, HandleTiesGoInTheirOrder) {
    TScene s(120, 90, pf24bit, kBg);
    const auto grabbed = [&](TPoint a, TPoint b, TPoint mouse) {
        auto r = MakeShape(lkRectangle, a, b);
        r->MouseEdit(mouse.X, mouse.Y, moSizeBegin, s.B(), s.Attribs);
        r->ToggleSelectionHandles(s.B(), s.Attribs);
        return r->GrabbedHandle;
    };
    // Corners: top-left, then bottom-right, then top-right, then bottom-left.
    EXPECT_EQ(grabbed({10, 10}, {16, 18}, {13, 14}), ghTopLeft); // 5 from all four corners
    EXPECT_EQ(grabbed({10, 10}, {40, 18}, {37, 14}), ghBottomRight);
    EXPECT_EQ(grabbed({10, 10}, {16, 40}, {13, 12}), ghTopLeft);
    EXPECT_EQ(grabbed({10, 10}, {40, 16}, {12, 13}), ghTopLeft);
    EXPECT_EQ(grabbed({10, 10}, {16, 40}, {13, 42}), ghBottomRight);
    EXPECT_EQ(grabbed({10, 10}, {40, 16}, {42, 13}), ghBottomRight);
    // Edges: bottom, then right, then top, then left.
    EXPECT_EQ(grabbed({10, 10}, {60, 18}, {35, 14}), ghBottom);
    EXPECT_EQ(grabbed({10, 10}, {18, 60}, {14, 35}), ghRight);
    EXPECT_EQ(grabbed({10, 10}, {60, 60}, {55, 55}), ghBottom);
    EXPECT_EQ(grabbed({10, 10}, {60, 60}, {15, 15}), ghTop);
    EXPECT_EQ(grabbed({10, 10}, {60, 60}, {55, 15}), ghRight);
    EXPECT_EQ(grabbed({10, 10}, {60, 60}, {15, 55}), ghBottom);
    // Outside the spans of an edge it is not a candidate.
    EXPECT_EQ(grabbed({10, 10}, {60, 60}, {64, 66}), ghNone);

    // A line grabbed halfway between close ends takes its end point.
    auto line = MakeLine({10, 10}, {16, 10});
    line->MouseEdit(13, 10, moSizeBegin, s.B(), s.Attribs);
    EXPECT_EQ(line->GrabbedHandle, ghLineEnd);
    EXPECT_EQ(line->GetCursor(), crSizeAll);
    line->MouseEdit(13, 20, moSizeFirstStep, s.B(), s.Attribs);
    line->MouseEdit(13, 20, moSizeEnd, s.B(), s.Attribs);
    EXPECT_EQ(line->P1, (TPoint{10, 10}));
    EXPECT_EQ(line->P2, (TPoint{16, 20}));
    line->MouseEdit(11, 10, moSizeBegin, s.B(), s.Attribs);
    EXPECT_EQ(line->GrabbedHandle, ghLineStart);
    line->MouseEdit(40, 40, moSizeBegin, s.B(), s.Attribs);
    EXPECT_EQ(line->GrabbedHandle, ghNone);
}

TEST(LabelMouseEdit, CreationGesturesLeaveOnlyTheFinishedLabel) {
    for (TPixelFormat depth : AllDepths) {
        SCOPED_TRACE(DepthName(depth));
        std::vector<std::unique_ptr<TDrawLabel>> labels;
        labels.push_back(MakeLine({0, 0}, {0, 0}, 0x0000C0, 2));
        labels.push_back(MakeShape(lkRectangle, {0, 0}, {0, 0}, 0x008000, 1, bsSolid));
        labels.push_back(MakeShape(lkEllipse, {0, 0}, {0, 0}, 0x800000, 3, bsFDiagonal));
        labels.push_back(MakeShape(lkRoundRect, {0, 0}, {0, 0}, 0x008080, 1));
        for (auto& label : labels) {
            TScene s = fillerScene(depth);
            label->MouseEdit(20, 20, moNewBegin, s.B(), s.Attribs);
            for (int i = 1; i <= 6; ++i)
                label->MouseEdit(20 + 15 * i, 20 + 12 * i, moNewDrag, s.B(), s.Attribs);
            label->MouseEdit(120, 95, moNewEnd, s.B(), s.Attribs);
            EXPECT_EQ(label->P1, (TPoint{20, 20}));
            EXPECT_EQ(label->P2, (TPoint{120, 95}));
            TScene ref = fillerScene(depth);
            label->Draw(ref.B(), ref.Attribs);
            EXPECT_EQ(Snapshot(s.B()), Snapshot(ref.B()));
        }

        // A free hand is drawn as it grows; the result is the curve's own picture.
        TScene s = fillerScene(depth);
        TDrawFreeHand free;
        free.PenColor = 0x804000;
        free.MouseEdit(10, 10, moNewBegin, s.B(), s.Attribs);
        free.MouseEdit(10, 10, moNewDrag, s.B(), s.Attribs); // the same pixel adds nothing
        EXPECT_EQ(free.PointCount, 1);
        for (int i = 1; i <= 40; ++i)
            free.MouseEdit(10 + 3 * i, 10 + (i * i) % 37, moNewDrag, s.B(), s.Attribs);
        free.MouseEdit(140, 100, moNewEnd, s.B(), s.Attribs);
        EXPECT_EQ(free.PointCount, 42);
        EXPECT_EQ(free.P2, (TPoint{140, 100}));
        TScene ref = fillerScene(depth);
        free.Draw(ref.B(), ref.Attribs);
        EXPECT_EQ(Snapshot(s.B()), Snapshot(ref.B()));
    }

    // A free-hand gesture that stays on one pixel stores one point.
    TScene s(60, 40, pf24bit, kBg);
    TDrawFreeHand dot;
    dot.MouseEdit(5, 5, moNewBegin, s.B(), s.Attribs);
    dot.MouseEdit(5, 5, moNewDrag, s.B(), s.Attribs);
    dot.MouseEdit(5, 5, moNewEnd, s.B(), s.Attribs);
    EXPECT_EQ(dot.PointCount, 1);
    EXPECT_EQ(dot.BlockCount(), 1);
    // A second begin starts afresh.
    dot.MouseEdit(9, 9, moNewDrag, s.B(), s.Attribs);
    dot.MouseEdit(20, 20, moNewBegin, s.B(), s.Attribs);
    EXPECT_EQ(dot.PointCount, 1);
    EXPECT_EQ(dot.P1, (TPoint{20, 20}));
    EXPECT_EQ(dot.Bounds, TFreeHandBounds{});

    // A flood fill is placed and painted at once; texts ignore creation steps.
    TScene f(60, 40, pf24bit, kBg);
    TDrawFloodFill fill;
    fill.FillColor = 0x00C000;
    fill.MouseEdit(30, 20, moNewBegin, f.B(), f.Attribs);
    EXPECT_EQ(fill.Location, (TPoint{30, 20}));
    EXPECT_EQ(f.Pixel(0, 0), 0x00C000u);
    auto text = MakeText({5, 5}, "x");
    const auto before = Snapshot(f.B());
    text->Modified = false;
    for (TLabelMouseOp op : {moNewBegin, moNewDrag, moNewEnd})
        text->MouseEdit(50, 30, op, f.B(), f.Attribs);
    EXPECT_EQ(text->P1, (TPoint{5, 5}));
    EXPECT_TRUE(text->Modified);
    EXPECT_EQ(Snapshot(f.B()), before);
}

TEST(LabelMouseEdit, UnknownOperationsOnlyMarkTheLabel) {
    for (const KindCase& k : kindCases()) {
        SCOPED_TRACE(k.Name);
        TScene s = fillerScene(pf24bit);
        auto label = k.Make();
        label->Draw(s.B(), s.Attribs);
        const auto before = Snapshot(s.B());
        const std::string description = label->GetDescription();
        label->Modified = false;
        for (int op : {11, 12, 100, 255})
            label->MouseEdit(70, 70, static_cast<TLabelMouseOp>(op), s.B(), s.Attribs);
        EXPECT_TRUE(label->Modified);
        EXPECT_FALSE(label->HandlesShown);
        EXPECT_EQ(label->GetDescription(), description);
        EXPECT_EQ(Snapshot(s.B()), before);
    }
}

TEST(LabelMouseEdit, SelectionMarksStayInStep) {
    TScene s = fillerScene(pf24bit);
    auto rect = MakeShape(lkRectangle, {10, 10}, {60, 50});
    rect->Draw(s.B(), s.Attribs);
    const auto plain = Snapshot(s.B());

    // A begin on a label whose marks already show draws nothing more.
    rect->MouseEdit(10, 10, moMoveBegin, s.B(), s.Attribs);
    const auto marked = Snapshot(s.B());
    EXPECT_NE(marked, plain);
    rect->MouseEdit(12, 12, moMoveBegin, s.B(), s.Attribs);
    EXPECT_EQ(Snapshot(s.B()), marked);
    EXPECT_EQ(rect->DownPoint, (TPoint{12, 12}));

    // Forgetting the marks draws nothing; redrawing them draws them anew.
    rect->Modified = false;
    rect->ForgetSelectionHandles();
    EXPECT_TRUE(rect->Modified);
    EXPECT_FALSE(rect->HandlesShown);
    EXPECT_EQ(Snapshot(s.B()), marked);
    TScene fresh = fillerScene(pf24bit);
    rect->Draw(fresh.B(), fresh.Attribs);
    rect->HandlesShown = true;
    rect->RedrawSelectionHandles(fresh.B(), fresh.Attribs);
    EXPECT_TRUE(rect->HandlesShown);
    EXPECT_EQ(Snapshot(fresh.B()), marked);
}

TEST(LabelMouseEdit, WhereTheSelectionMarksGo) {
    // Boxes: a mark per corner of a box 9 or more pixels each way.
    auto box = MakeShape(lkRectangle, {60, 50}, {20, 20});
    EXPECT_TRUE(marksAt(markPixels(*box), {{20, 20}, {60, 20}, {20, 50}, {60, 50}}));
    auto flat = MakeShape(lkRectangle, {20, 20}, {60, 28});
    EXPECT_TRUE(marksAt(markPixels(*flat), {{20, 20}, {60, 20}}));
    auto narrow = MakeText({20, 20}, "");
    narrow->P2 = {28, 60};
    EXPECT_TRUE(marksAt(markPixels(*narrow), {{20, 20}, {20, 60}}));

    // Lines: both ends, and the middle of a long one.
    EXPECT_TRUE(marksAt(markPixels(*MakeLine({20, 20}, {26, 28})), {{20, 20}}));
    EXPECT_TRUE(marksAt(markPixels(*MakeLine({20, 20}, {40, 28})), {{20, 20}, {40, 28}}));
    EXPECT_TRUE(marksAt(markPixels(*MakeLine({100, 20}, {20, 60})), {{100, 20}, {20, 60}, {60, 40}}));

    // Free hands: first and last point; with 8 points or more also spread-out middle points.
    std::vector<TPoint> seven;
    for (int i = 0; i < 7; ++i)
        seven.push_back({10 + 20 * i, 50});
    EXPECT_TRUE(marksAt(markPixels(*MakeFreeHand(seven)), {{10, 50}, {130, 50}}));
    std::vector<TPoint> eight = seven;
    eight.push_back({150, 50});
    EXPECT_TRUE(marksAt(markPixels(*MakeFreeHand(eight)), {{10, 50}, {150, 50}, {110, 50}}));
    // A closed loop: the last point is at the first, so only middle points get marks.
    std::vector<TPoint> loop;
    for (int i = 0; i < 64; ++i)
        loop.push_back({20 + i, 20});
    for (int i = 0; i < 64; ++i)
        loop.push_back({84, 20 + i});
    for (int i = 0; i < 64; ++i)
        loop.push_back({84 - i, 84});
    for (int i = 0; i < 64; ++i)
        loop.push_back({20, 84 - i});
    loop.push_back({20, 20});
    // 257 points: k = 8, step = 28, candidates at indices 29, 57, ..., 225.
    std::vector<TPoint> expected{{20, 20}};
    for (int j = 1; j <= 8; ++j)
        expected.push_back(loop[size_t(1 + 28 * j)]);
    EXPECT_TRUE(marksAt(markPixels(*MakeFreeHand(loop)), expected));

    // A flood fill's mark is the upright cross; marks far off the bitmap are not drawn.
    auto fill = MakeFill({30, 30});
    const auto cross = markPixels(*fill);
    for (auto p : cross)
        EXPECT_TRUE(p.X == 30 || p.X == 29 || p.X == 31 || p.Y == 30 || p.Y == 29 || p.Y == 31);
    EXPECT_FALSE(cross.empty());
    EXPECT_TRUE(markPixels(*MakeLine({-200, -200}, {-100, -300})).empty());
}
