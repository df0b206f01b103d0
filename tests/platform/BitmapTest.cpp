#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Errors.h"

#include "common/BitmapTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Little-endian byte builder for hand-made BMP images; it shares nothing with the codec.
struct Bytes {
    std::vector<uint8_t> b;
    Bytes& u8(unsigned v) {
        b.push_back(uint8_t(v));
        return *this;
    }
    Bytes& u16(unsigned v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
};

void paintSample(TBitmap& b) {
    TCanvas& c = b.Canvas();
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            b.SetPixel(x, y, RGBColor(x * 40, y * 60, 255 - x * 20));
    c.Pen.Color = clNavy;
    c.MoveTo(0, 0);
    c.LineTo(b.Width(), b.Height());
}

} // namespace

TEST(Bitmap, SizeAndDepthChangesKeepThePicture) {
    TBitmap b(3, 2, pf24bit);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.Pixel(2, 1), clWhite);
    b.SetPixel(1, 1, clRed);
    b.SetSize(5, 4);
    EXPECT_EQ(b.Pixel(1, 1), clRed);
    EXPECT_EQ(b.Pixel(4, 3), clWhite);
    b.SetWidth(1);
    EXPECT_EQ(b.Width(), 1);
    EXPECT_EQ(b.Pixel(1, 1), clInvalidPixel);
    b.SetWidth(2);
    EXPECT_EQ(b.Pixel(1, 1), clWhite);

    TBitmap c(2, 2, pf32bit);
    c.SetPixel(0, 0, clSkyBlue);
    c.SetPixelFormat(pf4bit);
    EXPECT_EQ(c.PixelFormat(), pf4bit);
    EXPECT_EQ(c.Pixel(0, 0), Palette16()[NearestPaletteIndex16(clSkyBlue)]);
    c.SetPixelFormat(pf15bit);
    EXPECT_EQ(c.Codec().BytesPerPixel, 2);
    EXPECT_THROW(c.SetPixelFormat(TPixelFormat(8)), EAssertionFailed);
    EXPECT_THROW(TBitmap(2, 2, TPixelFormat(1)), EAssertionFailed);

    TBitmap empty;
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.ScanLine(0), nullptr);
    empty.Canvas().Rectangle(0, 0, 10, 10); // nothing to draw on, no fault
    EXPECT_FALSE(empty.Canvas().FloodFill(0, 0, clWhite, fsSurface));
    b.SetSize(-4, 3);
    EXPECT_EQ(b.Width(), 0);
}

TEST(Bitmap, RawRowsFollowTheCodec) {
    for (TPixelFormat depth : bitmaptest::AllDepths) {
        TBitmap b(7, 3, depth);
        const TPixelCodec codec = b.Codec();
        const uint32_t raw = codec.Encode(clOlive);
        codec.Write(b.ScanLine(2), 6, raw);
        EXPECT_EQ(b.Pixel(6, 2), clOlive) << int(depth);
        EXPECT_EQ(codec.Read(b.ScanLine(2), 6), raw);
        EXPECT_GE(b.BytesPerLine(), 7 * codec.BytesPerPixel);
    }
    // Raw layouts the renderers rely on.
    EXPECT_EQ(TPixelCodec(pf15bit).Encode(RGBColor(0xFF, 0, 0)), 0x7C00u);
    EXPECT_EQ(TPixelCodec(pf16bit).Encode(RGBColor(0, 0xFF, 0)), 0x07E0u);
    EXPECT_EQ(TPixelCodec(pf32bit).Encode(RGBColor(1, 2, 3)), 0xFF010203u);
    EXPECT_EQ(TPixelCodec(pf24bit).Encode(RGBColor(1, 2, 3)), 0x030201u);
}

TEST(Bitmap, BmpWriteReadWriteIsByteIdenticalAtEveryDepth) {
    for (TPixelFormat depth : bitmaptest::AllDepths) {
        SCOPED_TRACE(int(depth));
        TBitmap b(13, 5, depth); // an odd width exercises row padding and half bytes
        paintSample(b);
        const std::vector<uint8_t> first = b.SaveToBmpBytes();
        TBitmap r;
        std::string error;
        ASSERT_TRUE(r.LoadFromBmpBytes(first, &error)) << error;
        EXPECT_EQ(r.PixelFormat(), depth);
        EXPECT_EQ(r.Width(), 13);
        EXPECT_EQ(r.Height(), 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 13; ++x)
                EXPECT_EQ(r.Pixel(x, y), b.Pixel(x, y));
        EXPECT_EQ(r.SaveToBmpBytes(), first);

        // Header fields as other programs read them.
        const int bits[] = {0, 0, 4, 8, 16, 16, 24, 32};
        EXPECT_EQ(first[0], 'B');
        EXPECT_EQ(first[28], bits[depth]);
        EXPECT_EQ(first[30], depth == pf16bit ? 3 : 0); // bit-field masks for 5-6-5
        uint32_t fileSize;
        std::memcpy(&fileSize, first.data() + 2, 4);
        EXPECT_EQ(fileSize, first.size());
    }
}

TEST(Bitmap, BmpReaderTakesHandMadeImages) {
    // A 2 x 2 top-down 24-bit image: red, green / blue, white (rows padded to 8 bytes).
    Bytes img;
    img.u8('B').u8('M').u32(14 + 40 + 16).u32(0).u32(54);
    img.u32(40).u32(2).u32(uint32_t(-2)).u16(1).u16(24).u32(0).u32(16).u32(0).u32(0).u32(0).u32(0);
    img.u8(0).u8(0).u8(255).u8(0).u8(255).u8(0).u16(0);
    img.u8(255).u8(0).u8(0).u8(255).u8(255).u8(255).u16(0);
    TBitmap b;
    ASSERT_TRUE(b.LoadFromBmpBytes(img.b));
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(1, 0), clLime);
    EXPECT_EQ(b.Pixel(0, 1), clBlue);
    EXPECT_EQ(b.Pixel(1, 1), clWhite);

    // An 8-bit bottom-up image with a two-entry palette of its own: the picture keeps its
    // own colours (no snapping to the fixed palette), indices past the palette read black.
    Bytes pal;
    pal.u8('B').u8('M').u32(14 + 40 + 8 + 8).u32(0).u32(14 + 40 + 8);
    pal.u32(40).u32(3).u32(2).u16(1).u16(8).u32(0).u32(0).u32(0).u32(0).u32(2).u32(0);
    pal.u8(0xA6).u8(0xCA).u8(0xF0).u8(0).u8(0x10).u8(0x20).u8(0x30).u8(0);
    pal.u8(0).u8(1).u8(7).u8(0); // bottom row: index 0, 1, 7
    pal.u8(1).u8(1).u8(0).u8(0);
    ASSERT_TRUE(b.LoadFromBmpBytes(pal.b));
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    EXPECT_EQ(b.Pixel(0, 1), RGBColor(0xF0, 0xCA, 0xA6));
    EXPECT_EQ(b.Pixel(2, 1), clBlack);
    EXPECT_EQ(b.Pixel(0, 0), RGBColor(0x30, 0x20, 0x10));
    // Saved again, the image carries that palette: it reads back the same.
    TBitmap again;
    ASSERT_TRUE(again.LoadFromBmpBytes(b.SaveToBmpBytes()));
    EXPECT_EQ(again.Pixel(0, 1), RGBColor(0xF0, 0xCA, 0xA6));
    EXPECT_EQ(again.Pixel(1, 0), RGBColor(0x30, 0x20, 0x10));
    // What the program draws into such a bitmap still snaps to the fixed palette.
    again.SetPixel(0, 0, RGBColor(0x00, 0x80, 0xFF));
    EXPECT_EQ(again.Pixel(0, 0), Palette256()[NearestPaletteIndex256(RGBColor(0x00, 0x80, 0xFF))]);

    // A 4-bit image keeps its colours too: 0x0080FF stays 0x0080FF.
    Bytes four;
    four.u8('B').u8('M').u32(14 + 40 + 8 + 4).u32(0).u32(14 + 40 + 8);
    four.u32(40).u32(2).u32(1).u16(1).u16(4).u32(0).u32(0).u32(0).u32(0).u32(2).u32(0);
    four.u8(0xFF).u8(0x80).u8(0x00).u8(0).u8(0x01).u8(0x02).u8(0x03).u8(0);
    four.u8(0x01).u8(0).u16(0);
    ASSERT_TRUE(b.LoadFromBmpBytes(four.b));
    EXPECT_EQ(b.PixelFormat(), pf4bit);
    EXPECT_EQ(b.Pixel(0, 0), RGBColor(0x00, 0x80, 0xFF));
    EXPECT_EQ(b.Pixel(1, 0), RGBColor(0x03, 0x02, 0x01));

    // 16 bits without masks are 5-5-5.
    Bytes s15;
    s15.u8('B').u8('M').u32(14 + 40 + 4).u32(0).u32(54);
    s15.u32(40).u32(1).u32(1).u16(1).u16(16).u32(0).u32(4).u32(0).u32(0).u32(0).u32(0);
    s15.u16(0x7C00).u16(0);
    ASSERT_TRUE(b.LoadFromBmpBytes(s15.b));
    EXPECT_EQ(b.PixelFormat(), pf15bit);
    EXPECT_EQ(b.Pixel(0, 0), RGBColor(0xF8, 0, 0));
}

TEST(Bitmap, BadBmpImagesFailAndLeaveTheBitmapAlone) {
    TBitmap good(9, 7, pf8bit);
    paintSample(good);
    const std::vector<uint8_t> bytes = good.SaveToBmpBytes();
    TBitmap target(3, 3, pf32bit);
    target.SetPixel(1, 1, clRed);
    std::string error;
    for (size_t cut : {size_t(0), size_t(1), size_t(13), size_t(30), size_t(60), bytes.size() - 1}) {
        EXPECT_FALSE(target.LoadFromBmpBytes(bytes.data(), cut, &error)) << cut;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.PixelFormat(), pf32bit);
    EXPECT_EQ(target.Pixel(1, 1), clRed);

    auto corrupt = [&](size_t at, uint32_t value, int width) {
        std::vector<uint8_t> b = bytes;
        for (int i = 0; i < width; ++i)
            b[at + i] = uint8_t(value >> (8 * i));
        return target.LoadFromBmpBytes(b);
    };
    EXPECT_FALSE(corrupt(0, 'X', 1));                         // signature
    EXPECT_FALSE(corrupt(14, 12, 4));                         // old-style header
    EXPECT_FALSE(corrupt(28, 1, 2));                          // 1 bit per pixel
    EXPECT_FALSE(corrupt(30, 1, 4));                          // run-length compressed
    EXPECT_FALSE(corrupt(46, 300, 4));                        // palette larger than 8 bits allow
    EXPECT_FALSE(corrupt(18, 0x7FFFFFFF, 4));                 // absurd width
    EXPECT_FALSE(corrupt(22, 0x80000000u, 4));                // the one height without a magnitude
    EXPECT_FALSE(corrupt(10, uint32_t(bytes.size()) + 5, 4)); // pixels past the end
    EXPECT_FALSE(target.LoadFromBmpBytes(nullptr, 0));
    EXPECT_EQ(target.Pixel(1, 1), clRed);
}

TEST(Bitmap, EmptyOrHugeSizesAreRefusedBeforeAnyWork) {
    // 78 bytes: a top-down 24-bit header of width 0 and height -1459617792, no pixels. It
    // promises no pixel bytes, so only the size check refuses it (before any row loop; the
    // time it takes is measured in bench/files).
    auto header = [](int32_t width, int32_t height, uint32_t bits) {
        Bytes b;
        b.u8('B').u8('M').u32(78).u32(0).u32(54);
        b.u32(40).u32(uint32_t(width)).u32(uint32_t(height)).u16(1).u16(uint16_t(bits));
        b.u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
        while (b.b.size() < 78)
            b.u8(0);
        return b.b;
    };
    TBitmap target(2, 2);
    EXPECT_FALSE(target.LoadFromBmpBytes(header(0, -1459617792, 24)));
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {1, -2147483647}, {100000, 100000}, {3, 4}})
        EXPECT_FALSE(target.LoadFromBmpBytes(header(w, h, 24))) << w << " x " << h;
    EXPECT_TRUE(target.LoadFromBmpBytes(header(2, -2, 24))); // two rows of 8 bytes are there
    EXPECT_EQ(target.Width(), 2);
}

TEST(Bitmap, BmpFilesRoundTrip) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string name = dir.filePath("pic.bmp").toStdString();
    TBitmap b(20, 10, pf16bit);
    paintSample(b);
    std::string error;
    ASSERT_TRUE(b.SaveToFile(name, &error)) << error;
    TBitmap r;
    ASSERT_TRUE(r.LoadFromFile(name, &error)) << error;
    EXPECT_EQ(r.SaveToBmpBytes(), b.SaveToBmpBytes());
    EXPECT_FALSE(r.LoadFromFile(dir.filePath("missing.bmp").toStdString(), &error));
    EXPECT_FALSE(b.SaveToFile(dir.filePath("no/such/dir/x.bmp").toStdString(), &error));
    EXPECT_FALSE(error.empty());
}

TEST(Bitmap, CopyBitmapCopiesAtTheOriginAndReusesMemory) {
    TBitmap src(30, 20, pf32bit), dst(30, 20, pf32bit);
    paintSample(src);
    const uint8_t* before = dst.ScanLine(0);
    {
        // The caller may already hold either lock (they are re-entrant).
        std::lock_guard held(dst);
        CopyBitmap(dst, src);
    }
    EXPECT_EQ(dst.ScanLine(0), before);
    EXPECT_EQ(dst.SaveToBmpBytes(), src.SaveToBmpBytes());

    // Another depth or size: drawn at (0, 0), converted, the destination keeps its shape.
    TBitmap small(10, 30, pf4bit);
    CopyBitmap(small, src);
    EXPECT_EQ(small.Width(), 10);
    EXPECT_EQ(small.PixelFormat(), pf4bit);
    EXPECT_EQ(small.Pixel(3, 4), Palette16()[NearestPaletteIndex16(src.Pixel(3, 4))]);
    EXPECT_EQ(small.Pixel(3, 25), clWhite);
    CopyBitmap(src, src); // a copy onto itself changes nothing
    EXPECT_EQ(dst.SaveToBmpBytes(), src.SaveToBmpBytes());
}
