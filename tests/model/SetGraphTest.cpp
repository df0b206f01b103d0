// The bitmap attributes and the background picture: the first two sections of every
// graph file body.
#include "common/GraphFileBytes.h"

#include "model/SetGraph.h"
#include "platform/Bitmap.h"
#include "platform/Jpeg.h"
#include "platform/ScriptedUiHook.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace recordtest;

TEST(BmpAttribs, DefaultsRecordsAndSizeLimits) {
    TScopedScriptedUiHook hook;
    TSettingBmpAttribsObj a;
    EXPECT_EQ(a.Width, -1);
    EXPECT_EQ(a.Height, -1);
    EXPECT_EQ(a.PixelFormat, 6);
    EXPECT_EQ(a.BackColor, 0xFFFFFFu);
    EXPECT_FALSE(a.SizeChanged || a.PixelFormatChanged || a.BackColorChanged);
    // An unset size goes out as the smallest one the reader takes, so the file stays readable.
    EXPECT_EQ(WrittenBody(1, [&](TWriteGraphFile& w) { a.WriteToFile(w); }),
              ByteBuilder().I32(16).I32(16).I32(0xFFFFFF).b);
    a.SetChanged(true);
    EXPECT_TRUE(a.SizeChanged && a.PixelFormatChanged && a.BackColorChanged);
    a.SetChanged(false);
    EXPECT_FALSE(a.SizeChanged || a.PixelFormatChanged || a.BackColorChanged);

    // Version 4: height, width, colour.
    const Bytes v4 = ByteBuilder().I32(600).I32(800).I32(0x00FF00).b;
    ReadBody(4, 1, v4, [&](TReadGraphFile& r) { a.ReadFromFile(r); });
    EXPECT_EQ(a.Height, 600);
    EXPECT_EQ(a.Width, 800);
    EXPECT_EQ(a.BackColor, 0x00FF00u);
    EXPECT_TRUE(a.SizeChanged && a.PixelFormatChanged && a.BackColorChanged);
    EXPECT_EQ(WrittenBody(1, [&](TWriteGraphFile& w) { a.WriteToFile(w); }), v4);

    // Versions 2 and 3 hold no colour: it stays, but every flag is set.
    for (int version : {2, 3}) {
        TSettingBmpAttribsObj b;
        b.BackColor = 0x123456;
        ReadBody(version, 1, ByteBuilder().I32(16).I32(2000).b,
                 [&](TReadGraphFile& r) { b.ReadFromFile(r); });
        EXPECT_EQ(b.Height, 16);
        EXPECT_EQ(b.Width, 2000);
        EXPECT_EQ(b.BackColor, 0x123456u);
        EXPECT_TRUE(b.SizeChanged && b.PixelFormatChanged && b.BackColorChanged);
    }
    // Version 1: two 16-bit words.
    ReadBody(1, 1, ByteBuilder().LE(300, 2).LE(400, 2).b, [&](TReadGraphFile& r) { a.ReadFromFile(r); });
    EXPECT_EQ(a.Height, 300);
    EXPECT_EQ(a.Width, 400);
    EXPECT_TRUE(hook->Messages.empty());

    // A size the graph bitmap cannot take ends the load.
    for (auto [h, w] : {std::pair{15, 100}, {100, 2001}, {-1, -1}, {0, 500}, {2147483647, 100}}) {
        TSettingBmpAttribsObj c;
        EXPECT_TRUE(LoadFails(4, 1, ByteBuilder().I32(h).I32(w).I32(0).b,
                              [&](TReadGraphFile& r) { c.ReadFromFile(r); }))
            << h << " x " << w;
    }
    EXPECT_TRUE(LoadFails(1, 1, ByteBuilder().LE(0xFFF0, 2).LE(100, 2).b, [&](TReadGraphFile& r) {
        a.ReadFromFile(r);
    })) << "a version-1 word is a signed number";
    EXPECT_EQ(hook->LastMessage(), "Error loading file");

    // Whatever the object holds, what it writes reads back.
    hook->Clear();
    for (auto [h, w] : {std::pair{-1, -1}, {0, 2001}, {15, 16}, {2000, 2147483647}, {-2147483647 - 1, 700}}) {
        TSettingBmpAttribsObj d, back;
        d.Height = h, d.Width = w;
        ReadBody(4, 1, WrittenBody(1, [&](TWriteGraphFile& wr) { d.WriteToFile(wr); }),
                 [&](TReadGraphFile& r) { back.ReadFromFile(r); });
        EXPECT_EQ(back.Height, std::clamp(h, 16, 2000));
        EXPECT_EQ(back.Width, std::clamp(w, 16, 2000));
    }
    EXPECT_TRUE(hook->Messages.empty());
}

TEST(BackgroundPicture, SectionKindsAndRoundTrips) {
    TScopedScriptedUiHook hook;
    TSettingGrBGPictObj p;
    EXPECT_FALSE(p.Bitmap);
    EXPECT_FALSE(p.JPEG);
    EXPECT_EQ(p.Placement, 0);
    EXPECT_EQ(WrittenBody(1, [&](TWriteGraphFile& w) { p.WriteToFile(w); }), ByteBuilder().U8(0).I32(0).b);

    // Kind 0 and unknown kinds read only their five bytes and leave no picture.
    for (int32_t kind : {0, 7, -3}) {
        p.Bitmap = std::make_unique<TBitmap>(2, 2);
        ReadBody(4, 1, ByteBuilder().U8(3).I32(kind).b, [&](TReadGraphFile& r) { p.ReadFromFile(r); });
        EXPECT_FALSE(p.Bitmap);
        EXPECT_FALSE(p.JPEG);
        EXPECT_EQ(p.Placement, 3);
        EXPECT_TRUE(p.PlacementChanged && p.PictureChanged);
    }
    // Files before version 4 hold no such section.
    p.Placement = 5;
    p.JPEG = std::make_unique<TJPEGImage>();
    p.SetChanged(false);
    ReadBody(3, 1, Bytes{0x5A}, [&](TReadGraphFile& r) {
        p.ReadFromFile(r);
        r.SkipBytes(1); // the file's one byte that follows
    });
    EXPECT_FALSE(p.JPEG);
    EXPECT_EQ(p.Placement, 5);
    EXPECT_TRUE(p.PlacementChanged && p.PictureChanged);

    // A bitmap goes out as kind 1 and comes back with its pixels.
    p.Bitmap = std::make_unique<TBitmap>(5, 3, pf24bit);
    p.Bitmap->SetPixel(0, 0, 0x0000FF);
    p.Bitmap->SetPixel(4, 2, 0x00FF00);
    p.Placement = 2;
    const Bytes withBitmap = WrittenBody(1, [&](TWriteGraphFile& w) { p.WriteToFile(w); });
    ASSERT_GT(withBitmap.size(), 9u);
    EXPECT_EQ(withBitmap[0], 2);
    EXPECT_EQ(Bytes(withBitmap.begin() + 1, withBitmap.begin() + 5), ByteBuilder().I32(1).b);
    TSettingGrBGPictObj q;
    ReadBody(4, 1, withBitmap, [&](TReadGraphFile& r) { q.ReadFromFile(r); });
    ASSERT_TRUE(q.Bitmap);
    EXPECT_FALSE(q.JPEG);
    EXPECT_EQ(q.Bitmap->Width(), 5);
    EXPECT_EQ(q.Bitmap->Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(q.Bitmap->Pixel(4, 2), 0x00FF00u);
    EXPECT_EQ(WrittenBody(1, [&](TWriteGraphFile& w) { q.WriteToFile(w); }), withBitmap);

    // A JPEG goes out as kind 2 with its own bytes.
    TBitmap source(8, 8, pf24bit);
    source.Fill(0x336699);
    auto jpeg = std::make_unique<TJPEGImage>();
    ASSERT_TRUE(jpeg->Assign(source));
    const std::vector<uint8_t> jpegBytes = jpeg->Data();
    q.ClearPicture();
    EXPECT_FALSE(q.Bitmap);
    q.JPEG = std::move(jpeg);
    const Bytes withJpeg = WrittenBody(1, [&](TWriteGraphFile& w) { q.WriteToFile(w); });
    EXPECT_EQ(withJpeg, ByteBuilder().U8(2).I32(2).I32(int32_t(jpegBytes.size())).Append(jpegBytes).b);
    TSettingGrBGPictObj r2;
    ReadBody(4, 1, withJpeg, [&](TReadGraphFile& r) { r2.ReadFromFile(r); });
    ASSERT_TRUE(r2.JPEG);
    EXPECT_EQ(r2.JPEG->Data(), jpegBytes);

    // A picture that does not decode leaves no picture, and the load goes on.
    ByteBuilder broken;
    broken.U8(1).I32(2).I32(6).U8(0xFF).U8(0xD8).U8(1).U8(2).U8(3).U8(4);
    TSettingGrBGPictObj r3;
    ReadBody(4, 1, broken.b, [&](TReadGraphFile& r) { r3.ReadFromFile(r); });
    EXPECT_FALSE(r3.JPEG);
    EXPECT_FALSE(r3.Bitmap);
    EXPECT_EQ(r3.Placement, 1);
}

TEST(BackgroundPicture, PicturesKeepTheirOwnColoursAndBadHeadersAreDropped) {
    TScopedScriptedUiHook hook;
    // An 8-bit picture with a palette of its own: 0x0080FF (in 0x00BBGGRR) is no colour of
    // the fixed palette, and must come back as it is.
    ByteBuilder bmp;
    bmp.U8('B').U8('M').I32(14 + 40 + 8 + 4).I32(0).I32(14 + 40 + 8);
    bmp.I32(40).I32(2).I32(1).LE(1, 2).LE(8, 2).I32(0).I32(4).I32(0).I32(0).I32(2).I32(0);
    bmp.U8(0xFF).U8(0x80).U8(0x00).U8(0).U8(0x10).U8(0x20).U8(0x30).U8(0); // B, G, R, 0
    bmp.U8(0).U8(1).U8(0).U8(0);
    ByteBuilder section;
    section.U8(0).I32(1).I32(int32_t(bmp.Size())).Append(bmp.b);
    TSettingGrBGPictObj p;
    ReadBody(4, 1, section.b, [&](TReadGraphFile& r) { p.ReadFromFile(r); });
    ASSERT_TRUE(p.Bitmap);
    EXPECT_EQ(p.Bitmap->Pixel(0, 0), 0xFF8000u);
    EXPECT_EQ(p.Bitmap->Pixel(1, 0), 0x102030u);
    // Saved again, it reads back with the same colours.
    TSettingGrBGPictObj q;
    ReadBody(4, 1, WrittenBody(1, [&](TWriteGraphFile& w) { p.WriteToFile(w); }),
             [&](TReadGraphFile& r) { q.ReadFromFile(r); });
    ASSERT_TRUE(q.Bitmap);
    EXPECT_EQ(q.Bitmap->Pixel(0, 0), 0xFF8000u);

    // The 78-byte BMP of width 0 and height -1459617792: dropped like any picture that does
    // not decode, and the rest of the body still reads.
    ByteBuilder empty;
    empty.U8('B').U8('M').I32(78).I32(0).I32(54);
    empty.I32(40).I32(0).I32(-1459617792).LE(1, 2).LE(24, 2).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0);
    while (empty.Size() < 78)
        empty.U8(0);
    ByteBuilder withEmpty;
    withEmpty.U8(4).I32(1).I32(78).Append(empty.b).I32(12345);
    TSettingGrBGPictObj r2;
    int32_t after = 0;
    ReadBody(4, 1, withEmpty.b, [&](TReadGraphFile& r) {
        r2.ReadFromFile(r);
        after = r.ReadInteger();
    });
    EXPECT_FALSE(r2.Bitmap);
    EXPECT_EQ(r2.Placement, 4);
    EXPECT_EQ(after, 12345);
    EXPECT_TRUE(hook->Messages.empty());
}
