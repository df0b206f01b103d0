#pragma once
// Graph file bodies for the controller tests: the sections every kind shares (bitmap
// attributes, label lists of the first and of later versions) built byte by byte, labels
// of all seven kinds as objects, and loading and saving through a controller.

#include "WorkerTestSupport.h"
#include "common/GraphFileBytes.h"

#include "labels/DrawObjs.h"
#include "model/FILESAVE.h"
#include "platform/FormatSettings.h"
#include "platform/ScriptedUiHook.h"
#include "plot/PtLabel.h"
#include "plot/PtThList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

namespace bodytest {

using namespace recordtest;

// An expression as the first version stores it: one byte skipped, then a short text of 255.
inline ByteBuilder& ExprV1(ByteBuilder& b, const std::string& text) {
    b.U8(0);
    return b.Short(text, 255);
}

// Bitmap attributes: signed words in version 1, int32 height and width later, with the
// background colour from version 4 on.
inline Bytes BmpAttribsV1(int16_t height, int16_t width) {
    return ByteBuilder().I16(height).I16(width).b;
}
inline Bytes BmpAttribsV2(int32_t height, int32_t width) {
    return ByteBuilder().I32(height).I32(width).b;
}

// The label list of the first version: a line, a rectangle and a text, then two flood fills.
inline Bytes LabelsV1() {
    ByteBuilder b;
    b.I16(3);
    b.U8(1).U8(2).U8(0xAA).U8(0xBB).I32(0x0000FF).I16(3).I16(-5).I16(10).I16(30).I16(20);
    b.U8(3).U8(0).Zeros(2).I32(0x00FF00).I16(1).I16(2).I16(3).I16(20).I16(15);
    b.U8(6).I16(4).I16(5).I16(99).I16(99).Short("Hi", 255).FontV1("DejaVu Sans", 0x123456, 1, 10);
    b.I16(2);
    b.I16(7).I16(8).I32(0x00ABCD).U8(0);
    b.I16(9).I16(9).I32(0x000011).U8(2);
    return b.b;
}

inline void ExpectLabelsV1(const TSequenceList<TDrawBaseClass>& list) {
    ASSERT_EQ(list.size(), 5u);
    const auto& line = dynamic_cast<const TDrawLine&>(*list[0]);
    EXPECT_EQ(line.PenStyle, 2);
    EXPECT_EQ(line.PenColor, 0x0000FFu);
    EXPECT_EQ(line.PenWidth, 3);
    EXPECT_EQ(line.P1, TPoint(-5, 10)) << "sign-extended";
    EXPECT_EQ(line.P2, TPoint(30, 20));
    const auto& rect = dynamic_cast<const TDrawInclosedShape&>(*list[1]);
    EXPECT_EQ(rect.ShapeKind, lkRectangle);
    EXPECT_EQ(rect.BrushColor, 0xFFFFFFu) << "no brush in the first version";
    EXPECT_EQ(rect.BrushStyle, 1) << "clear";
    const auto& text = dynamic_cast<const TDrawText&>(*list[2]);
    EXPECT_EQ(text.Text, "Hi");
    EXPECT_EQ(text.Font.Color, 0x123456u);
    EXPECT_EQ(text.Font.Size, 10);
    EXPECT_EQ(text.P1, TPoint(4, 5));
    EXPECT_EQ(text.P2, TDrawText::CalcTextExtent({4, 5}, "Hi", text.Font)) << "measured, not read";
    const auto& fill1 = dynamic_cast<const TDrawFloodFill&>(*list[3]);
    EXPECT_EQ(fill1.Location, TPoint(7, 8));
    EXPECT_EQ(fill1.FillColor, 0x00ABCDu);
    const auto& fill2 = dynamic_cast<const TDrawFloodFill&>(*list[4]);
    EXPECT_EQ(fill2.BrushStyle, 2);
}

// The 30 shape bytes of lines, enclosed shapes and free hands.
inline ByteBuilder& ShapeFields(ByteBuilder& b, uint8_t pen, uint32_t penColor, int32_t width,
                                uint32_t brushColor, uint8_t brush, TPoint p1, TPoint p2) {
    b.U8(pen).I32(int32_t(penColor)).I32(width).I32(int32_t(brushColor)).U8(brush);
    return b.I32(p1.X).I32(p1.Y).I32(p2.X).I32(p2.Y);
}

// The label list of later versions: one label of each of the seven kinds.
inline Bytes LabelsV2() {
    ByteBuilder b;
    b.I32(7);
    ShapeFields(b.I32(1), 1, 0x0000FF, 2, 0xFFFFFF, 1, {1, 2}, {30, 25});
    b.I32(2).U8(0).I32(11).I32(12).I32(0x00CC00);
    ShapeFields(b.I32(3), 0, 0x000000, 1, 0x00FF00, 0, {3, 3}, {12, 9});
    ShapeFields(b.I32(4), 2, 0x800000, 1, 0x0000FF, 2, {4, 4}, {20, 14});
    ShapeFields(b.I32(5), 0, 0x008080, 3, 0xFFFFFF, 1, {5, 6}, {25, 16});
    b.I32(6).Str("Label").Font("DejaVu Sans", 0x0000FF, 0, 9).I32(6).I32(7).I32(0).I32(0);
    b.I32(7).I32(0).I32(0).I32(3).I32(2).I32(3).I32(1).I32(3);
    b.I32(0).I32(0).I32(3).I32(2).I16(0).I16(0).I16(3).I16(1).I16(2).I16(2).Zeros(29 * 4);
    ShapeFields(b, 0, 0x000080, 1, 0xFFFFFF, 1, {8, 8}, {10, 10});
    return b.b;
}

inline void ExpectLabelsV2(const TSequenceList<TDrawBaseClass>& list) {
    ASSERT_EQ(list.size(), 7u);
    const auto& line = dynamic_cast<const TDrawLine&>(*list[0]);
    EXPECT_EQ(line.PenWidth, 2);
    EXPECT_EQ(line.P2, TPoint(30, 25));
    EXPECT_EQ(dynamic_cast<const TDrawFloodFill&>(*list[1]).FillColor, 0x00CC00u);
    const uint8_t kinds[] = {lkRectangle, lkEllipse, lkRoundRect};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dynamic_cast<const TDrawInclosedShape&>(*list[2 + i]).ShapeKind, kinds[i]);
    EXPECT_EQ(dynamic_cast<const TDrawInclosedShape&>(*list[3]).BrushColor, 0x0000FFu);
    const auto& text = dynamic_cast<const TDrawText&>(*list[5]);
    EXPECT_EQ(text.Text, "Label");
    EXPECT_EQ(text.P2, TDrawText::CalcTextExtent({6, 7}, "Label", text.Font));
    const auto& hand = dynamic_cast<const TDrawFreeHand&>(*list[6]);
    EXPECT_EQ(hand.PointCount, 3);
    EXPECT_EQ(hand.PointAt(1), TPoint(11, 9));
    EXPECT_EQ(hand.P1, TPoint(8, 8));
}

// Labels of all seven kinds inside a 40 x 30 bitmap, as the picture control makes them.
inline TSequenceList<TDrawBaseClass> AllSevenLabels() {
    TSequenceList<TDrawBaseClass> list;
    auto line = std::make_unique<TDrawLine>();
    line->P1 = {1, 1};
    line->P2 = {38, 28};
    line->PenColor = 0x0000FF;
    line->PenWidth = 2;
    list.push_back(std::move(line));
    auto fill = std::make_unique<TDrawFloodFill>();
    fill->Location = {20, 3};
    fill->FillColor = 0x00FFFF;
    list.push_back(std::move(fill));
    for (uint8_t kind : {lkRectangle, lkEllipse, lkRoundRect}) {
        auto shape = std::make_unique<TDrawInclosedShape>(kind);
        shape->P1 = {2 + kind, 2};
        shape->P2 = {14 + kind, 12};
        shape->BrushColor = 0x00FF00;
        shape->BrushStyle = 0;
        list.push_back(std::move(shape));
    }
    auto text = std::make_unique<TDrawText>();
    text->SetText({3, 14}, "Ab", nullptr);
    list.push_back(std::move(text));
    auto hand = std::make_unique<TDrawFreeHand>();
    hand->BeginCurve(5, 20);
    for (int i = 1; i < 40; ++i) // two blocks, the last one partly used
        hand->AddPoint(5 + i % 30, 20 + i % 7);
    list.push_back(std::move(hand));
    return list;
}

// Loads a file into a controller as the program opens one; true when it loaded.
template <class C> bool LoadGraph(C& controller, const std::string& file, int depth = pf24bit) {
    TReadGraphFile reader;
    if (!reader.OpenGraphFile(file, FormatSettings().DecimalSeparator)) return false;
    const bool loaded = controller.LoadFromFile(depth, file, reader);
    EXPECT_FALSE(reader.IsFileOpen()) << "the load closes the reader";
    return loaded;
}

// Loads a hand-built body of a version into a fresh controller.
template <class C>
std::unique_ptr<C> LoadBody(int version, int kind, const Bytes& body, bool* loaded = nullptr) {
    TTempDir dir;
    writeBytes(dir.File("body.qxf"), graphFile(version, kind, body));
    auto c = std::make_unique<C>();
    const bool ok = LoadGraph(*c, dir.File("body.qxf"));
    if (loaded)
        *loaded = ok;
    else
        EXPECT_TRUE(ok);
    return c;
}

// The whole file a controller saves.
template <class C> Bytes SavedFile(C& controller) {
    TTempDir dir;
    EXPECT_TRUE(controller.SaveAs(dir.File("saved.qxf")));
    return readBytes(dir.File("saved.qxf"));
}

// Saves, loads into a fresh controller and saves again: both files must be the same.
template <class C> void ExpectSaveLoadSave(C& controller) {
    TTempDir dir;
    ASSERT_TRUE(controller.SaveAs(dir.File("first.qxf")));
    const Bytes first = readBytes(dir.File("first.qxf"));
    C back;
    ASSERT_TRUE(LoadGraph(back, dir.File("first.qxf")));
    ASSERT_TRUE(back.SaveAs(dir.File("second.qxf")));
    EXPECT_EQ(readBytes(dir.File("second.qxf")), first);
}

} // namespace bodytest

namespace bodytest {

// A graph file to damage, with the offsets (from the file's start) of its counts and tags,
// which the mutations aim at besides hitting anywhere.
struct TMutationSource {
    Bytes File;
    std::vector<size_t> Fields;
};

// A body and the offsets (from the body's start) of its counts and tags, as a test builds it.
struct TBodyWithFields {
    ByteBuilder Body;
    std::vector<size_t> Fields;
    // Notes that a count or tag starts here.
    ByteBuilder& Field() {
        Fields.push_back(Body.Size());
        return Body;
    }
    TMutationSource Frame(int version, int kind) const {
        TMutationSource s{graphFile(version, kind, Body.b), {}};
        for (size_t f : Fields)
            s.Fields.push_back(63 + f);
        return s;
    }
};

// The file a controller saves, with the offsets of its function count, of each function
// entry (WriteEntry writes entry i as the body holds it), of the label count and of each
// label's tag.
template <class C>
TMutationSource SavedWithFields(C& c, int kind,
                                const std::function<void(TWriteGraphFile&, size_t)>& WriteEntry) {
    TMutationSource s{SavedFile(c), {}};
    size_t at = 63 + WrittenBody(kind, [&](TWriteGraphFile& w) {
                         c.BmpAttribs().WriteToFile(w);
                         c.BGPicture().WriteToFile(w);
                         c.ViewZoom().WriteToFile(w);
                         c.Settings().WriteToFile(w);
                     }).size();
    s.Fields.push_back(at);
    at += 4;
    for (size_t i = 0; i < c.FuncList.size(); ++i) {
        s.Fields.push_back(at);
        at += WrittenBody(kind, [&](TWriteGraphFile& w) { WriteEntry(w, i); }).size();
    }
    s.Fields.push_back(at);
    at += 4;
    for (const auto& label : c.MasterLabelList()) {
        s.Fields.push_back(at);
        at += WrittenBody(kind, [&](TWriteGraphFile& w) { label->WriteToGraphFile(w); }).size();
    }
    EXPECT_EQ(at, s.File.size() - 2) << "the sections add up to the body";
    return s;
}

struct TMutationOutcome {
    int Loaded = 0;
    int Failed = 0;
};

// One damaged copy of Source: truncated, bytes changed, a count, size or tag overwritten
// with a nasty value, bytes inserted or taken out; the sums are made right again (but for
// some truncations) so that the body reader meets the damage.
inline Bytes Mutate(const TMutationSource& source, std::mt19937& rng) {
    static const int32_t nasty[] = {-1,  0,    1,     2,       3,         7,         8,   255,
                                    256, 4096, 65535, 1 << 20, INT32_MAX, INT32_MIN, -100};
    Bytes f = source.File;
    const size_t bodyStart = 63, bodyEnd = f.size() - 2;
    auto bodyOffset = [&] { return bodyStart + rng() % (bodyEnd - bodyStart); };
    auto putInt32 = [&](size_t at, int32_t v) {
        at = std::min(at, bodyEnd - 4);
        for (int i = 0; i < 4; ++i)
            f[at + i] = uint8_t(uint32_t(v) >> (8 * i));
    };
    switch (rng() % 6) {
    case 0: // the body cut short anywhere, with a right trailer
        f.resize(bodyStart + 1 + rng() % (bodyEnd - bodyStart) + 2);
        break;
    case 1: // a few bytes changed
        for (int n = 1 + int(rng() % 4); n > 0; --n)
            f[bodyOffset()] = uint8_t(rng());
        break;
    case 2: // a count or a tag overwritten
        if (!source.Fields.empty()) {
            putInt32(source.Fields[rng() % source.Fields.size()], nasty[rng() % std::size(nasty)]);
            break;
        }
        [[fallthrough]];
    case 3: // any four bytes overwritten with a nasty value
        putInt32(bodyOffset(), nasty[rng() % std::size(nasty)]);
        break;
    case 4: { // bytes inserted or taken out
        const size_t at = bodyOffset();
        const size_t n = 1 + rng() % 8;
        if (rng() % 2)
            f.insert(f.begin() + std::ptrdiff_t(at), n, uint8_t(rng()));
        else
            f.erase(f.begin() + std::ptrdiff_t(at), f.begin() + std::ptrdiff_t(std::min(at + n, bodyEnd)));
        break;
    }
    default: // a count or tag a little off
        if (!source.Fields.empty()) {
            const size_t at = source.Fields[rng() % source.Fields.size()];
            f[at] = uint8_t(f[at] + (rng() % 2 ? 1 : -1));
        }
        break;
    }
    fixSums(f);
    return f;
}

// Loads Iterations damaged copies of the sources into fresh controllers of kind C. Every
// load must end in success or the load error; a loaded graph has its labels painted and
// hit-tested, and some are saved again, so that nothing read can reach past what it owns.
template <class C>
TMutationOutcome LoadDamagedBodies(const std::vector<TMutationSource>& sources, uint32_t seed,
                                   int iterations) {
    TTempDir dir(TTempDir::MemoryBase());
    const std::string file = dir.File("damaged.qxf"), again = dir.File("again.qxf");
    std::mt19937 rng(seed);
    TMutationOutcome outcome;
    TScopedScriptedUiHook hook;
    for (int i = 0; i < iterations; ++i) {
        writeBytes(file, Mutate(sources[size_t(i) % sources.size()], rng));
        hook->Clear();
        C c;
        TReadGraphFile reader;
        if (!reader.OpenGraphFile(file, '.')) {
            ++outcome.Failed;
            continue;
        }
        if (!c.LoadFromFile(pf24bit, file, reader)) {
            ++outcome.Failed;
            EXPECT_FALSE(reader.IsFileOpen());
            // The user has been told, or has given up mending a text in the repair dialog.
            EXPECT_TRUE(!hook->Messages.empty() || !hook->ModalForms.empty()) << "iteration " << i;
            EXPECT_TRUE(c.FuncList.empty() && c.MasterLabelList().empty()) << "iteration " << i;
            continue;
        }
        // Saving waits for the disk, so only some loaded graphs are written back.
        if (outcome.Loaded++ % 50 == 0) {
            EXPECT_TRUE(c.SaveAs(again)) << "iteration " << i;
        }
        TPlotLabelsBuffer& labels = c.PlotLabelsBuffer();
        std::lock_guard lock(labels.LabelBitmap());
        labels.PaintDrawLables([](bool& stop) { stop = false; });
        for (const auto& label : c.MasterLabelList())
            (void)label->HitDistance(int(rng() % 100), int(rng() % 100));
        if (::testing::Test::HasFailure()) break;
    }
    return outcome;
}

} // namespace bodytest
