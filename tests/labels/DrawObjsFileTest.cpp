// The labels' graph-file records and the label list section, against bytes built by hand.
#include "LabelTestSupport.h"

#include "common/GraphFileBytes.h"
#include "labels/DrawObjs.h"
#include "model/FILESAVE.h"
#include "platform/Errors.h"
#include "platform/ScriptedUiHook.h"

#include <QFont>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

using namespace labeltest;
using namespace recordtest;

namespace {

const TLabelBmpAttribs kBitmap{0xFFFFFF, 400, 300};

using TLabelList = TSequenceList<TDrawBaseClass>;

ByteBuilder& ShapeFields(ByteBuilder& b, uint8_t penStyle, uint32_t penColor, int32_t width,
                         uint32_t brushColor, uint8_t brushStyle, TPoint p1, TPoint p2) {
    b.U8(penStyle).I32(int32_t(penColor)).I32(width).I32(int32_t(brushColor)).U8(brushStyle);
    return b.I32(p1.X).I32(p1.Y).I32(p2.X).I32(p2.Y);
}

ByteBuilder& Block(ByteBuilder& b, TFreeHandBounds bounds,
                   const std::vector<std::pair<int16_t, int16_t>>& points, uint8_t unusedFill = 0) {
    b.I32(bounds.MinDX).I32(bounds.MinDY).I32(bounds.MaxDX).I32(bounds.MaxDY);
    for (size_t i = 0; i < 32; ++i) {
        if (i < points.size())
            b.I16(points[i].first).I16(points[i].second);
        else
            b.LE(unusedFill * 0x01010101u, 4);
    }
    return b;
}

// Reads a whole label list section of a file of the given version.
TLabelList ReadList(int version, const Bytes& body, const TLabelBmpAttribs& attribs = kBitmap) {
    TLabelList list;
    ReadBody(version, GraphKind2D, body, [&](TReadGraphFile& r) { ReadLabelList(r, attribs, list); });
    return list;
}

Bytes WrittenList(const TLabelList& list) {
    return WrittenBody(GraphKind2D, [&](TWriteGraphFile& w) { WriteLabelList(w, list); });
}

template <class T> T& As(const std::unique_ptr<TDrawBaseClass>& p) {
    auto* t = dynamic_cast<T*>(p.get());
    if (!t) throw std::runtime_error("label of another class");
    return *t;
}

TFontRecord SampleFont(int size = 12) {
    TFontRecord f;
    f.Name = "DejaVu Sans";
    f.Color = 0x0000FF;
    f.Style = fsBold | fsItalic;
    f.Size = size;
    return f;
}

// Where a text's P2 must be: its origin plus the extent of its text in its font.
TPoint MeasuredP2(TPoint origin, const std::string& text, const TFontRecord& font) {
    if (text.empty()) return origin;
    const TSize e = TextExtentIn(FontRecordToQFont(font), text);
    return {origin.X + e.cx, origin.Y + e.cy};
}

} // namespace

TEST(DrawObjsFile, EveryKindWritesItsRecordAndReadsItBack) {
    TScopedScriptedUiHook hook;
    TLabelList list;
    list.push_back(MakeLine({10, -20}, {300, 40}, 0x0000C0, 3));
    As<TDrawLine>(list.back()).PenStyle = 200; // style bytes are kept as they came
    list.push_back(MakeFill({5, 6}, 0x00C000, bsCross));
    list.push_back(MakeShape(lkRectangle, {1, 2}, {30, 40}, 0x112233, 2, bsSolid, 0x445566));
    list.push_back(MakeShape(lkEllipse, {50, 60}, {10, 20}, 0x010203, 1, 9, 0x040506));
    list.push_back(MakeShape(lkRoundRect, {-5, -6}, {7, 8}));
    const TFontRecord font = SampleFont();
    auto text = std::make_unique<TDrawText>();
    text->SetText({20, 30}, "Peak \xc3\xa9t\xc3\xa9", &font); // "Peak été": Windows-1252 in the file
    list.push_back(std::move(text));
    list.push_back(MakeFreeHand({{100, 100}, {101, 103}, {99, 90}}, 0x800080, 2));
    const TPoint textP2 = MeasuredP2({20, 30}, "Peak \xc3\xa9t\xc3\xa9", font);

    ByteBuilder want;
    want.I32(7);
    ShapeFields(want.I32(1), 200, 0x0000C0, 3, 0xFFFFFF, 1, {10, -20}, {300, 40});
    want.I32(2).U8(bsCross).I32(5).I32(6).I32(0x00C000);
    ShapeFields(want.I32(3), 0, 0x112233, 2, 0x445566, bsSolid, {1, 2}, {30, 40});
    ShapeFields(want.I32(4), 0, 0x010203, 1, 0x040506, 9, {50, 60}, {10, 20});
    ShapeFields(want.I32(5), 0, 0x008000, 1, 0xC08040, bsClear, {-5, -6}, {7, 8});
    want.I32(6).Str("Peak \xe9t\xe9").Font("DejaVu Sans", 0x0000FF, fsBold | fsItalic, 12);
    want.I32(20).I32(30).I32(textP2.X).I32(textP2.Y);
    want.I32(7).I32(-1).I32(-10).I32(1).I32(3).I32(3).I32(1).I32(3);
    Block(want, {-1, -10, 1, 3}, {{0, 0}, {1, 3}, {-1, -10}});
    ShapeFields(want, 0, 0x800080, 2, 0xFFFFFF, 1, {100, 100}, {99, 90});
    ASSERT_EQ(WrittenList(list), want.b);

    const TLabelList back = ReadList(4, want.b);
    ASSERT_EQ(back.size(), 7u);
    for (size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i]->GetDescription(), list[i]->GetDescription()) << i;
        EXPECT_TRUE(back[i]->Modified) << i;
    }
    EXPECT_EQ(As<TDrawLine>(back[0]).PenStyle, 200);
    EXPECT_EQ(As<TDrawLine>(back[0]).PenWidth, 3);
    EXPECT_EQ(As<TDrawFloodFill>(back[1]).BrushStyle, bsCross);
    EXPECT_EQ(As<TDrawFloodFill>(back[1]).FillColor, 0x00C000u);
    EXPECT_EQ(As<TDrawInclosedShape>(back[3]).ShapeKind, lkEllipse);
    EXPECT_EQ(As<TDrawInclosedShape>(back[3]).BrushStyle, 9);
    EXPECT_EQ(As<TDrawInclosedShape>(back[3]).BrushColor, 0x040506u);
    EXPECT_EQ(As<TDrawText>(back[5]).Font, font);
    EXPECT_EQ(As<TDrawText>(back[5]).P2, textP2);
    const auto& fh = As<TDrawFreeHand>(back[6]);
    EXPECT_EQ(fh.PointCount, 3);
    EXPECT_EQ(fh.PointAt(2), (TPoint{99, 90}));
    EXPECT_EQ(fh.Bounds, (TFreeHandBounds{-1, -10, 1, 3}));
    EXPECT_EQ(WrittenList(back), want.b) << "a second save writes the same bytes";
    EXPECT_TRUE(hook->Messages.empty());

    // A shape kind byte that names no shape is drawn as a rectangle and stored as one.
    TLabelList odd;
    odd.push_back(MakeShape(77, {1, 1}, {2, 2}));
    EXPECT_EQ(WrittenList(odd)[4], 3);
}

TEST(DrawObjsFile, ListFramingCountsAndTags) {
    TScopedScriptedUiHook hook;
    for (int32_t count : {0, -1, INT32_MIN}) {
        EXPECT_TRUE(ReadList(2, ByteBuilder().I32(count).b).empty()) << count;
        EXPECT_TRUE(ReadList(4, ByteBuilder().I32(count).b).empty()) << count;
    }
    EXPECT_EQ(WrittenList({}), ByteBuilder().I32(0).b);
    TLabelList withGap;
    withGap.push_back(nullptr);
    withGap.push_back(MakeFill({1, 1}));
    EXPECT_EQ(WrittenList(withGap), ByteBuilder().I32(1).I32(2).U8(0).I32(1).I32(1).I32(0x00C000).b);
    EXPECT_TRUE(hook->Messages.empty());

    // An unknown tag ends the load; the labels before it stay in the list being built.
    for (int32_t tag : {0, 8, -1, 256 + 1}) {
        ByteBuilder b;
        b.I32(2).I32(2).U8(0).I32(3).I32(4).I32(0x10).I32(tag).Zeros(30);
        TLabelList list;
        hook->Clear();
        EXPECT_TRUE(LoadFails(3, GraphKind2D, b.b, [&](TReadGraphFile& r) {
            ReadLabelList(r, kBitmap, list);
        })) << tag;
        EXPECT_EQ(hook->LastMessage(), "Error loading file");
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(As<TDrawFloodFill>(list[0]).Location, (TPoint{3, 4}));
    }
    // So does a record cut short: the half-read label is not added.
    ByteBuilder cut;
    cut.I32(2).I32(1);
    ShapeFields(cut, 0, 0, 1, 0, 1, {1, 1}, {2, 2});
    cut.I32(1).Zeros(29);
    TLabelList list;
    EXPECT_TRUE(
        LoadFails(4, GraphKind2D, cut.b, [&](TReadGraphFile& r) { ReadLabelList(r, kBitmap, list); }));
    EXPECT_EQ(list.size(), 1u);
}

TEST(DrawObjsFile, FirstVersionFramingAndNarrowRecords) {
    TScopedScriptedUiHook hook;
    const TFontRecord v1Font{"DejaVu Serif", 0x00FF00, fsUnderline, -14};
    ByteBuilder b;
    b.I16(3);
    // A line with negative 16-bit values; the two bytes after the pen style are ignored.
    b.U8(1).U8(3).U8(0xAA).U8(0xBB).I32(0x0000FF).I16(-2).I16(-30).I16(5).I16(-32768).I16(32767);
    // A rectangle: its brush is not stored.
    b.U8(3).U8(psDash).Zeros(2).I32(0x123456).I16(4).I16(10).I16(20).I16(110).I16(120);
    // A text: 16-bit corners (the second is measured anew), short string, version-1 font.
    b.U8(6).I16(50).I16(60).I16(0).I16(0).Short("Old text", 255);
    b.FontV1("DejaVu Serif", 0x00FF00, fsUnderline, -14);
    b.I16(2);
    b.I16(-7).I16(8).I32(0xABCDEF).U8(bsHorizontal);
    b.I16(9).I16(10).I32(0x000001).U8(99);
    const TLabelList list = ReadList(1, b.b);
    ASSERT_EQ(list.size(), 5u);
    const auto& line = As<TDrawLine>(list[0]);
    EXPECT_EQ(line.PenStyle, 3);
    EXPECT_EQ(line.PenColor, 0x0000FFu);
    EXPECT_EQ(line.PenWidth, -2);
    EXPECT_EQ(line.P1, (TPoint{-30, 5}));
    EXPECT_EQ(line.P2, (TPoint{-32768, 32767}));
    const auto& rect = As<TDrawInclosedShape>(list[1]);
    EXPECT_EQ(rect.ShapeKind, lkRectangle);
    EXPECT_EQ(rect.PenStyle, psDash);
    EXPECT_EQ(rect.PenWidth, 4);
    EXPECT_EQ(rect.BrushColor, 0xFFFFFFu);
    EXPECT_EQ(rect.BrushStyle, bsClear);
    EXPECT_EQ(rect.P2, (TPoint{110, 120}));
    const auto& text = As<TDrawText>(list[2]);
    EXPECT_EQ(text.Text, "Old text");
    EXPECT_EQ(text.Font, v1Font);
    EXPECT_EQ(text.P1, (TPoint{50, 60}));
    EXPECT_EQ(text.P2, MeasuredP2({50, 60}, "Old text", v1Font));
    EXPECT_EQ(As<TDrawFloodFill>(list[3]).Location, (TPoint{-7, 8}));
    EXPECT_EQ(As<TDrawFloodFill>(list[3]).FillColor, 0xABCDEFu);
    EXPECT_EQ(As<TDrawFloodFill>(list[3]).BrushStyle, bsHorizontal);
    EXPECT_EQ(As<TDrawFloodFill>(list[4]).BrushStyle, 99);
    for (const auto& l : list)
        EXPECT_TRUE(l->Modified);
    EXPECT_TRUE(hook->Messages.empty());

    // Counts below 1 hold nothing; the kinds of the later versions alone are no kind here.
    EXPECT_TRUE(ReadList(1, ByteBuilder().I16(0).I16(-1).b).empty());
    EXPECT_TRUE(ReadList(1, ByteBuilder().I16(-32768).I16(0).b).empty());
    for (uint8_t kind : {0, 2, 7, 8, 255}) {
        TLabelList partial;
        const Bytes bad = ByteBuilder().I16(1).U8(kind).Zeros(40).I16(0).b;
        EXPECT_TRUE(LoadFails(1, GraphKind2D, bad, [&](TReadGraphFile& r) {
            ReadLabelList(r, kBitmap, partial);
        })) << int(kind);
        EXPECT_TRUE(partial.empty());
    }
    EXPECT_EQ(hook->LastMessage(), "Error loading file");
}

TEST(DrawObjsFile, TextsAreMeasuredAnewAndKeptOnTheBitmap) {
    TScopedScriptedUiHook hook;
    const TFontRecord font = SampleFont(20);
    const TPoint rightSize = MeasuredP2({0, 0}, "Wide", font);
    struct TCase {
        TPoint storedP1, storedP2, wantP1;
    };
    const TCase cases[] = {
        {{10, 20}, {11, 21}, {10, 20}},                         // a wrong P2 is measured anew
        {{10, 20}, {-5000, 9999}, {10, 20}},                    // whatever it was
        {{1000, 50}, {0, 0}, {399, 50}},                        // right of the bitmap
        {{-3000, -4000}, {0, 0}, {-rightSize.X, -rightSize.Y}}, // above and left of it
        {{20, 300}, {0, 0}, {20, 299}},                         // one row below it
    };
    for (const TCase& c : cases) {
        for (int version : {1, 4}) {
            ByteBuilder b;
            if (version == 1) {
                b.I16(1).U8(6).I16(int16_t(c.storedP1.X)).I16(int16_t(c.storedP1.Y));
                b.I16(int16_t(c.storedP2.X)).I16(int16_t(c.storedP2.Y)).Short("Wide", 255);
                b.FontV1(font.Name, font.Color, font.Style, int16_t(font.Size)).I16(0);
            } else {
                b.I32(1).I32(6).Str("Wide").Font(font.Name, font.Color, font.Style, font.Size);
                b.I32(c.storedP1.X).I32(c.storedP1.Y).I32(c.storedP2.X).I32(c.storedP2.Y);
            }
            const TLabelList list = ReadList(version, b.b);
            ASSERT_EQ(list.size(), 1u);
            const auto& t = As<TDrawText>(list[0]);
            EXPECT_EQ(t.P1, c.wantP1) << version << " " << c.storedP1.X;
            EXPECT_EQ(t.P2, (TPoint{c.wantP1.X + rightSize.X, c.wantP1.Y + rightSize.Y}));
            EXPECT_TRUE(t.IsOnBitmap(kBitmap));
        }
    }
    // An empty text has no extent: P2 is P1.
    const TLabelList empty =
        ReadList(4, ByteBuilder().I32(1).I32(6).I32(0).Font("X", 0, 0, 8).I32(3).I32(4).I32(90).I32(90).b);
    EXPECT_EQ(As<TDrawText>(empty[0]).P2, (TPoint{3, 4}));

    // A text longer than the editor and the text dialog take is cut where they stop.
    const std::string kept(MaxLabelTextLength, 'i');
    for (int version : {1, 4}) {
        ByteBuilder b;
        if (version == 1)
            b.I16(1).U8(6).Zeros(8).Short(kept + "iiiii", 255).FontV1(font.Name, 0, 0, 8).I16(0);
        else
            b.I32(1).I32(6).Str(kept + std::string(1000, 'i')).Font(font.Name, 0, 0, 8).Zeros(16);
        const TLabelList list = ReadList(version, b.b);
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(As<TDrawText>(list[0]).Text, kept) << version;
    }
}

TEST(DrawObjsFile, FreeHandCountsMustAgree) {
    TScopedScriptedUiHook hook;
    // The body of one free hand with the given counts and as many blocks as the block count
    // asks for (at most 600), the last one's unused slots filled with 0x5A.
    auto freeHand = [](int32_t points, int32_t blocks, int32_t last) {
        ByteBuilder b;
        b.I32(1).I32(7).I32(-2).I32(0).I32(40).I32(6).I32(points).I32(blocks).I32(last);
        for (int32_t i = 0; i < std::min(blocks, 600); ++i) {
            std::vector<std::pair<int16_t, int16_t>> pts;
            const int used = i + 1 < blocks ? 32 : std::clamp(last, 0, 32);
            for (int k = 0; k < used; ++k)
                pts.push_back({int16_t(k + i), int16_t(k % 7)});
            Block(b, {0, 0, 40, 6}, pts, 0x5A);
        }
        return ShapeFields(b, 0, 0x0000FF, 1, 0xFFFFFF, 1, {10, 10}, {50, 16}).b;
    };
    struct TCase {
        int32_t points, blocks, last;
        bool ok;
    };
    const TCase cases[] = {
        {0, 0, 0, true},
        {1, 1, 1, true},
        {32, 1, 32, true},
        {33, 2, 1, true},
        {16001, 501, 1, true},
        {16032, 501, 32, true},
        {0, 1, 0, false},
        {1, 0, 1, false},
        {0, 0, 1, false},
        {33, 1, 33, false},
        {34, 2, 1, false},
        {32, 2, 0, false},
        {31, 1, 32, false},
        {16033, 502, 1, false},
        {-1, 1, -1, false},
        {1, -1, 1, false},
        {INT32_MAX, INT32_MAX, 32, false},
        {64, 2, 32, true},
        {63, 2, 32, false},
    };
    for (const TCase& c : cases) {
        const Bytes body = freeHand(c.points, c.blocks, c.last);
        TLabelList list;
        if (!c.ok) {
            hook->Clear();
            EXPECT_TRUE(
                LoadFails(4, GraphKind2D, body, [&](TReadGraphFile& r) { ReadLabelList(r, kBitmap, list); }))
                << c.points << "/" << c.blocks << "/" << c.last;
            EXPECT_EQ(hook->LastMessage(), "Error loading file");
            EXPECT_TRUE(list.empty());
            continue;
        }
        list = ReadList(4, body);
        ASSERT_EQ(list.size(), 1u);
        auto& f = As<TDrawFreeHand>(list[0]);
        EXPECT_EQ(f.PointCount, c.points);
        EXPECT_EQ(f.StoredPointCount(), c.points);
        EXPECT_EQ(f.LastBlockCount, c.last);
        EXPECT_EQ(f.P1, (TPoint{10, 10}));
        // Everything that walks the points stays within them.
        TScene scene(60, 40, pf24bit);
        f.Draw(scene.B(), scene.Attribs);
        (void)f.HitDistance(15, 12);
        f.ToggleSelectionHandles(scene.B(), scene.Attribs);
        // Written back: the same bytes but zeros in the unused slots of the last block.
        Bytes want = body;
        if (c.blocks > 0 && c.last < 32) {
            const size_t lastBlock = 4 + 4 + 28 + size_t(c.blocks - 1) * 144;
            std::fill(want.begin() + lastBlock + 16 + c.last * 4, want.begin() + lastBlock + 144, 0);
        }
        EXPECT_EQ(WrittenList(list), want) << c.points;
    }
    // A label that was never drawn, or one cut back to nothing, writes counts of 0 and no block.
    TLabelList fresh;
    fresh.push_back(std::make_unique<TDrawFreeHand>());
    EXPECT_EQ(WrittenList(fresh).size(), 4u + 4 + 28 + 30);

    // Only a new label reads a record.
    auto drawn = MakeFreeHand({{1, 1}, {2, 2}});
    EXPECT_THROW(ReadBody(4, GraphKind2D, Bytes(58 + 30, 0),
                          [&](TReadGraphFile& r) { drawn->ReadFromGraphFile(r, kBitmap); }),
                 EAssertionFailed);
}

TEST(DrawObjsFile, NewLabelOfEveryKind) {
    EXPECT_NE(dynamic_cast<TDrawLine*>(NewLabelOfKind(lkLine).get()), nullptr);
    EXPECT_NE(dynamic_cast<TDrawFloodFill*>(NewLabelOfKind(lkFloodFill).get()), nullptr);
    for (int32_t kind : {lkRectangle, lkEllipse, lkRoundRect}) {
        const auto label = NewLabelOfKind(kind);
        ASSERT_NE(dynamic_cast<TDrawInclosedShape*>(label.get()), nullptr);
        EXPECT_EQ(As<TDrawInclosedShape>(label).ShapeKind, kind);
    }
    EXPECT_NE(dynamic_cast<TDrawText*>(NewLabelOfKind(lkText).get()), nullptr);
    EXPECT_NE(dynamic_cast<TDrawFreeHand*>(NewLabelOfKind(lkFreeHand).get()), nullptr);
    for (int32_t kind : {0, 8, -1, 256 + lkLine})
        EXPECT_EQ(NewLabelOfKind(kind), nullptr) << kind;
}

namespace {

// A list of every kind in both layouts, for the damage test.
Bytes SampleListV4() {
    TLabelList list;
    list.push_back(MakeLine({10, 20}, {300, 40}));
    list.push_back(MakeFill({5, 6}));
    list.push_back(MakeShape(lkRoundRect, {1, 2}, {30, 40}));
    list.push_back(MakeText({20, 30}, "Label"));
    std::vector<TPoint> pts;
    for (int i = 0; i < 70; ++i)
        pts.push_back({50 + i, 50 + (i * 7) % 13});
    list.push_back(MakeFreeHand(pts));
    list.push_back(MakeShape(lkEllipse, {100, 100}, {10, 20}));
    return WrittenList(list);
}

Bytes SampleListV1() {
    ByteBuilder b;
    b.I16(3);
    b.U8(1).U8(0).Zeros(2).I32(0xFF).I16(1).I16(1).I16(2).I16(100).I16(50);
    b.U8(5).U8(0).Zeros(2).I32(0xFF).I16(2).I16(10).I16(20).I16(30).I16(40);
    b.U8(6).I16(5).I16(5).I16(0).I16(0).Short("Hi", 255).FontV1("DejaVu Sans", 0, 0, 10);
    b.I16(1).I16(3).I16(4).I32(0xFF00).U8(0);
    return b.b;
}

} // namespace

TEST(DrawObjsFile, DamagedListsEndInSuccessOrTheLoadError) {
    TScopedScriptedUiHook hook;
    const int32_t nasty[] = {-1, 0, 1, 2, 7, 32, 33, 501, 502, 16032, 65535, 1 << 20, INT32_MAX, INT32_MIN};
    std::mt19937 rng(20240917);
    TScene scene(64, 48, pf24bit);
    const TLabelBmpAttribs small = scene.Attribs;
    int outcomes[2] = {};
    TTempDir dir;
    const std::string damaged = dir.File("damaged.qxf");
    // Every list that loads is saved again, all into one file.
    TWriteGraphFile saved;
    ASSERT_TRUE(saved.CreateGraphFile(dir.File("saved.qxf"), GraphKind2D, '.'));
    for (int version : {1, 4}) {
        const Bytes original = version == 1 ? SampleListV1() : SampleListV4();
        ASSERT_EQ(ReadList(version, original, small).size(), version == 1 ? 4u : 6u);
        for (int iteration = 0; iteration < 2500; ++iteration) {
            Bytes body = original;
            const auto at = [&] { return size_t(rng() % body.size()); };
            switch (rng() % 5) {
            case 0:                                         // cut short
                body.resize(1 + rng() % (body.size() - 1)); // a file holds at least one body byte
                break;
            case 1: // a few bytes changed
                for (int n = 1 + int(rng() % 4); n > 0; --n)
                    body[at()] = uint8_t(rng());
                break;
            case 2: { // a count, tag or size overwritten
                size_t p = at();
                const int width = version == 1 && rng() % 2 ? 2 : 4;
                if (p + width > body.size()) p = body.size() - width;
                const uint32_t v = uint32_t(nasty[rng() % std::size(nasty)]);
                for (int i = 0; i < width; ++i)
                    body[p + i] = uint8_t(v >> (8 * i));
                break;
            }
            case 3: { // bytes taken out or put in
                const size_t p = at();
                if (rng() % 2)
                    body.erase(body.begin() + p, body.begin() + std::min(body.size(), p + 1 + rng() % 6));
                else
                    body.insert(body.begin() + p, 1 + rng() % 6, uint8_t(rng()));
                break;
            }
            default: // one bit
                body[at()] ^= uint8_t(1u << (rng() % 8));
                break;
            }
            TLabelList list;
            bool failed = false;
            try {
                // A fresh file each time: rewriting one in place makes the file system flush it.
                std::filesystem::remove(damaged);
                writeBytes(damaged, graphFile(version, GraphKind2D, body));
                TReadGraphFile reader;
                ASSERT_TRUE(reader.OpenGraphFile(damaged, '.'));
                ReadLabelList(reader, small, list);
            } catch (const EFileLoadError&) {
                failed = true;
            }
            ++outcomes[failed ? 1 : 0];
            // Whatever was read draws, answers hit tests and saves without leaving its data.
            for (const auto& label : list) {
                label->Draw(scene.B(), small);
                (void)label->HitDistance(20, 20);
                label->ToggleSelectionHandles(scene.B(), small);
            }
            if (!failed) WriteLabelList(saved, list);
        }
    }
    EXPECT_TRUE(saved.CloseGraphFile());
    EXPECT_GT(outcomes[0], 100);
    EXPECT_GT(outcomes[1], 100);
    for (const auto& m : hook->Messages)
        EXPECT_TRUE(m.Text == "Error loading file" || m.Text == "Error reading from file") << m.Text;
}
