#include "platform/Jpeg.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include "common/JpegBytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace jpegtest;

// Frame markers of a JPEG stream, read segment by segment up to the first scan.
std::vector<int> frameMarkers(const std::vector<uint8_t>& j) {
    std::vector<int> out;
    size_t i = 2;
    while (i + 4 <= j.size() && j[i] == 0xFF) {
        const int marker = j[i + 1];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            out.push_back(marker);
        if (marker == 0xDA) break;
        i += 2 + ((size_t(j[i + 2]) << 8) | j[i + 3]);
    }
    return out;
}

void paintBlocks(TBitmap& b) {
    TCanvas& c = b.Canvas();
    const TColor cols[4] = {clRed, clLime, clBlue, clYellow};
    for (int i = 0; i < 4; ++i) {
        c.Brush.Color = cols[i];
        c.FillRect(Rect((i % 2) * b.Width() / 2, (i / 2) * b.Height() / 2, (i % 2 + 1) * b.Width() / 2,
                        (i / 2 + 1) * b.Height() / 2));
    }
}

// The background picture of a graph file of the test fixtures: its bytes follow the
// header, the bitmap attributes, the placement, the picture's kind and its size.
std::vector<uint8_t> pictureInGraphFile(const std::string& name) {
    std::ifstream in(std::string(QUORIX_TEST_FIXTURES) + "/jpeg/" + name, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const size_t at = 63 + 12 + 1 + 4 + 4;
    if (file.size() < at) {
        ADD_FAILURE() << "no fixture " << name;
        return {};
    }
    const size_t size = size_t(file[at - 4]) | size_t(file[at - 3]) << 8 | size_t(file[at - 2]) << 16 |
                        size_t(file[at - 1]) << 24;
    return std::vector<uint8_t>(file.begin() + long(at),
                                file.begin() + long(std::min(at + size, file.size())));
}

// A picture decoded at every other depth has the 24-bit decode's pixels as CopyBitmap
// converts them, byte for byte (32 bits included, whose fourth byte Qt needs as 0xFF).
void expectEveryDepthAsConverted(const std::vector<uint8_t>& bytes, TBitmap& at24) {
    for (TPixelFormat depth : {pf4bit, pf8bit, pf15bit, pf16bit, pf32bit}) {
        SCOPED_TRACE(PixelFormatBits(depth));
        TBitmap out, expected(at24.Width(), at24.Height(), depth);
        CopyBitmap(expected, at24);
        std::string error;
        ASSERT_TRUE(DecodeJpeg(bytes.data(), bytes.size(), out, depth, &error)) << error;
        ASSERT_EQ(out.PixelFormat(), depth);
        ASSERT_EQ(out.Width(), at24.Width());
        ASSERT_EQ(out.Height(), at24.Height());
        const size_t rowBytes = size_t(out.Width()) * size_t(out.Codec().BytesPerPixel);
        int differing = 0;
        for (int y = 0; y < out.Height(); ++y)
            differing += std::memcmp(out.ScanLine(y), expected.ScanLine(y), rowBytes) != 0;
        EXPECT_EQ(differing, 0) << "rows unlike the converted 24-bit rows";
    }
}

bool near(TColor a, TColor b, int tolerance) {
    return std::abs(int(GetRValue(a)) - int(GetRValue(b))) <= tolerance &&
           std::abs(int(GetGValue(a)) - int(GetGValue(b))) <= tolerance &&
           std::abs(int(GetBValue(a)) - int(GetBValue(b))) <= tolerance;
}

} // namespace

TEST(Jpeg, EncodesProgressiveColourAndDecodesBack) {
    for (TPixelFormat depth : {pf4bit, pf16bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(int(depth));
        TBitmap b(64, 48, depth);
        paintBlocks(b);
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(EncodeJpeg(b, bytes, {}, &error)) << error;
        ASSERT_GT(bytes.size(), 4u);
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xD8);
        EXPECT_EQ(bytes[bytes.size() - 2], 0xFF);
        EXPECT_EQ(bytes[bytes.size() - 1], 0xD9);
        EXPECT_EQ(frameMarkers(bytes), std::vector<int>{0xC2}); // progressive start of frame

        TBitmap d(3, 3, pf8bit);
        ASSERT_TRUE(DecodeJpeg(bytes.data(), bytes.size(), d, &error)) << error;
        EXPECT_EQ(d.PixelFormat(), pf24bit);
        EXPECT_EQ(d.Width(), 64);
        EXPECT_EQ(d.Height(), 48);
        // Quality 100: flat areas come back within a few units.
        EXPECT_TRUE(near(d.Pixel(8, 8), b.Pixel(8, 8), 6));
        EXPECT_TRUE(near(d.Pixel(56, 40), b.Pixel(56, 40), 6));
    }
    // Baseline on request.
    TBitmap b(16, 16);
    std::vector<uint8_t> baseline;
    TJpegOptions options;
    options.Progressive = false;
    options.Quality = 75;
    ASSERT_TRUE(EncodeJpeg(b, baseline, options));
    EXPECT_EQ(frameMarkers(baseline), std::vector<int>{0xC0});
    TBitmap empty;
    std::string error;
    EXPECT_FALSE(EncodeJpeg(empty, baseline, {}, &error));
    EXPECT_FALSE(error.empty());
}

TEST(Jpeg, CorruptDataFailsAndLaterDecodesStillWork) {
    TBitmap b(40, 30);
    paintBlocks(b);
    std::vector<uint8_t> good;
    ASSERT_TRUE(EncodeJpeg(b, good));
    TBitmap target(5, 5, pf32bit);
    target.SetPixel(2, 2, clRed);
    std::string error;

    std::vector<std::vector<uint8_t>> bad;
    bad.push_back({0x00, 0x01, 0x02, 0x03});                             // no start-of-image
    bad.push_back(std::vector<uint8_t>(good.begin(), good.begin() + 2)); // only SOI
    bad.push_back(std::vector<uint8_t>(good.begin(), good.begin() + long(good.size() / 2))); // truncated
    std::vector<uint8_t> noSof = good;
    for (size_t i = 2; i + 1 < noSof.size(); ++i)
        if (noSof[i] == 0xFF && noSof[i + 1] == 0xC2) noSof[i + 1] = 0xC7; // lossless frame: unsupported
    bad.push_back(noSof);
    std::vector<uint8_t> zeroSize = good;
    for (size_t i = 2; i + 8 < zeroSize.size(); ++i)
        if (zeroSize[i] == 0xFF && zeroSize[i + 1] == 0xC2) zeroSize[i + 5] = zeroSize[i + 6] = 0; // height 0
    bad.push_back(zeroSize);
    std::srand(7);
    std::vector<uint8_t> noise(500);
    for (auto& v : noise)
        v = uint8_t(std::rand());
    noise[0] = 0xFF;
    noise[1] = 0xD8;
    bad.push_back(noise);

    for (const auto& data : bad) {
        error.clear();
        EXPECT_FALSE(DecodeJpeg(data.data(), data.size(), target, &error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(DecodeJpeg(nullptr, 0, target, &error));
    EXPECT_EQ(target.Width(), 5);
    EXPECT_EQ(target.Pixel(2, 2), clRed);
    // The library is still in a good state.
    EXPECT_TRUE(DecodeJpeg(good.data(), good.size(), target, &error)) << error;
    EXPECT_EQ(target.Width(), 40);
}

TEST(Jpeg, PictureObjectKeepsItsBytes) {
    TBitmap b(24, 20, pf15bit);
    paintBlocks(b);
    TJPEGImage pic;
    EXPECT_TRUE(pic.Empty());
    ASSERT_TRUE(pic.Assign(b));
    EXPECT_EQ(pic.Width(), 24);
    EXPECT_EQ(pic.Height(), 20);
    const std::vector<uint8_t> bytes = pic.Data();

    TJPEGImage copy;
    ASSERT_TRUE(copy.LoadFromBytes(bytes));
    EXPECT_EQ(copy.Data(), bytes);
    EXPECT_EQ(copy.Width(), 24);
    std::vector<uint8_t> truncated(bytes.begin(), bytes.begin() + 40);
    std::string error;
    EXPECT_FALSE(copy.LoadFromBytes(truncated, &error));
    EXPECT_EQ(copy.Data(), bytes); // unchanged by the failed load
    TBitmap out;
    ASSERT_TRUE(copy.DecodeTo(out, pf24bit));
    EXPECT_EQ(out.Width(), 24);

    QTemporaryDir dir;
    const std::string name = dir.filePath("pic.jpg").toStdString();
    ASSERT_TRUE(copy.SaveToFile(name, &error)) << error;
    TJPEGImage fromFile;
    ASSERT_TRUE(fromFile.LoadFromFile(name, &error)) << error;
    EXPECT_EQ(fromFile.Data(), bytes);

    // Greyscale pictures from elsewhere decode to grey colour pixels.
    const std::vector<uint8_t> grey = GreyJpeg(10, 6);
    TJPEGImage g;
    ASSERT_TRUE(g.LoadFromBytes(grey, &error)) << error;
    ASSERT_TRUE(g.DecodeTo(out, pf24bit));
    EXPECT_TRUE(near(out.Pixel(4, 3), RGBColor(0x80, 0x80, 0x80), 2));
}

TEST(Jpeg, SizesTheDataCannotHoldAreRefusedBeforeDecoding) {
    TBitmap b(16, 16, pf24bit);
    b.Fill(clTeal);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(EncodeJpeg(b, bytes));
    TBitmap out(3, 3);
    std::string error;
    // 8000 x 8000 pixels from a few hundred bytes: refused without allocating the picture.
    const std::vector<uint8_t> huge = WithFrameSize(bytes, 8000, 8000);
    EXPECT_FALSE(DecodeJpeg(huge.data(), huge.size(), out, &error));
    EXPECT_NE(error.find("too short"), std::string::npos) << error;
    const std::vector<uint8_t> empty = WithFrameSize(bytes, 0, 16);
    EXPECT_FALSE(DecodeJpeg(empty.data(), empty.size(), out, &error));
    EXPECT_EQ(out.Width(), 3);
    EXPECT_TRUE(DecodeJpeg(bytes.data(), bytes.size(), out, &error)) << error;
    EXPECT_TRUE(near(out.Pixel(8, 8), clTeal, 2));
}

TEST(Jpeg, EveryCodingIsBoundedBeforeDecoding) {
    TBitmap teal(16, 16, pf24bit);
    teal.Fill(clTeal);
    std::vector<uint8_t> ours, oursBaseline; // progressive and baseline Huffman coding
    ASSERT_TRUE(EncodeJpeg(teal, ours));
    // Taller than a band of rows, its last rows red.
    TBitmap tealOverRed(16, 200, pf24bit);
    tealOverRed.Fill(clTeal);
    tealOverRed.Canvas().Brush.Color = clRed;
    tealOverRed.Canvas().FillRect(Rect(0, 160, 16, 200));
    TJpegOptions baseline;
    baseline.Progressive = false;
    ASSERT_TRUE(EncodeJpeg(tealOverRed, oursBaseline, baseline));
    const std::vector<uint8_t> arithmetic = GreyJpeg(16, 16, true);
    ASSERT_EQ(arithmetic[FrameHeader(arithmetic) + 1], 0xC9); // arithmetic-coded frame
    const std::vector<uint8_t> scanPerComponent = ColourJpegScanPerComponent(32, 32);
    const TColor grey = RGBColor(0x80, 0x80, 0x80);
    struct Case {
        std::string what;
        std::vector<uint8_t> bytes;
        const char* refusal; // null: decodes to a picture of the size and corner colours
        int width = 0, height = 0;
        TColor topLeft = 0, bottomRight = 0;
        std::vector<uint8_t> sameAs = {}; // when given, decodes to this picture's very pixels
    };
    std::vector<Case> cases = {
        // Comments make the file long enough for the size, but hold none of its data.
        {"Huffman 8000 x 8000 padded with comments", WithComment(WithFrameSize(ours, 8000, 8000), 16000),
         "too short"},
        {"arithmetic 8192 x 8192 padded with comments", ArithmeticJpegBomb(), "too large for its coding"},
        {"arithmetic just above 2048 x 2048", WithFrameSize(arithmetic, 2049, 2048),
         "too large for its coding"},
        // Each scan costs a pass over the whole picture, whatever it holds.
        {"progressive in 65 scans", GreyJpegInScans(64, 64, 65), "too many scans"},
        // A component that no scan codes would be decoded from no data at all.
        {"colour with a component never scanned", WithoutFirstScan(scanPerComponent),
         "missing for a component"},
        {"ours, progressive colour", ours, nullptr, 16, 16, clTeal, clTeal},
        {"ours, baseline colour", oursBaseline, nullptr, 16, 200, clTeal, clRed},
        {"progressive in 64 scans", GreyJpegInScans(64, 64, 64), nullptr, 64, 64, grey, grey},
        {"colour in a scan per component", scanPerComponent, nullptr, 32, 32, clTeal, clTeal},
        {"arithmetic of a plain size", arithmetic, nullptr, 16, 16, grey, grey},
        {"arithmetic progressive", GreyJpegInScans(64, 64, 6, true), nullptr, 64, 64, grey, grey},
        {"Huffman with a long comment", WithComment(ours, 70000), nullptr, 16, 16, clTeal, clTeal},
        // 16384 blocks in 12 KB of data, of which the first restart interval holds 96 bytes.
        {"Huffman with a restart marker every row", GreyJpeg(1024, 1024, false, 1), nullptr, 1024, 1024, grey,
         grey},
        // The data of every row but the first lies beyond a padded restart marker.
        {"Huffman with a restart marker every row, the first padded",
         WithFillBytes(GreyJpeg(1024, 1024, false, 1), FillBefore::RestartMarker, 1), nullptr, 1024, 1024,
         grey, grey},
        // The scans and components that count are those libjpeg reads, however a file
        // is laid out to hide them from a reading of its own.
        {"progressive in 65 scans, all but the first behind a comment of length 0",
         WithEmptyCommentAfterScan(GreyJpegInScans(64, 64, 65), 1), "too many scans"},
        {"arithmetic progressive with restart markers in 65 scans, all but the first behind a comment of "
         "length 0",
         WithEmptyCommentAfterScan(GreyJpegInScans(64, 64, 65, true, false, 1), 1), "too many scans"},
        {"sequential colour in 65 scans, all but the first three behind a comment of length 0",
         WithEmptyCommentAfterScan(WithLastScanRepeated(ColourJpegScanPerComponent(32, 32), 62), 3),
         "too many scans"},
        {"sequential colour in 64 scans", WithLastScanRepeated(ColourJpegScanPerComponent(32, 32), 61),
         nullptr, 32, 32, clTeal, clTeal},
        {"colour whose frame has one id twice, the second component never scanned",
         ColourJpegWithAnIdTwice(32, 32), "missing for a component"},
        // 1006 scans, the first of which has a fill byte before a stuffed byte.
        {"the shared picture of 1006 scans",
         pictureInGraphFile("progressive-2000x2000-1006-scans-fill-byte.qxf"), "too many scans"},
    };
    // libjpeg reads a run of 0xFF bytes before 0x00 as one data byte, and a run before any
    // other code as padding before a marker: the scans it decodes are the scans counted.
    for (const auto& [place, where] : {std::pair{"a stuffed byte", FillBefore::StuffedByte},
                                       {"a restart marker", FillBefore::RestartMarker},
                                       {"a marker", FillBefore::Marker}})
        for (const bool arithmetic : {false, true})
            for (const size_t count : {1, 5}) {
                const std::string how = (count == 1 ? "a fill byte" : std::to_string(count) + " fill bytes") +
                                        " before " + place + (arithmetic ? ", arithmetic" : ", Huffman");
                const std::vector<uint8_t> perComponent =
                    ColourJpegScanPerComponent(64, 64, arithmetic, true, 1);
                cases.push_back(
                    {"65 scans, " + how,
                     WithFillBytes(GreyJpegInScans(64, 64, 65, arithmetic, true, 1), where, count),
                     "too many scans"});
                cases.push_back({"colour with a component never scanned, " + how,
                                 WithFillBytes(WithoutFirstScan(perComponent), where, count),
                                 "missing for a component"});
                cases.push_back({"colour in a scan per component, " + how,
                                 WithFillBytes(perComponent, where, count), nullptr, 64, 64, clTeal, clTeal});
            }
    // Warnings that change nothing libjpeg decodes keep a picture; damaged or missing data
    // refuses it. In a sequential colour picture of a scan per component and a progressive
    // grey one, each in both codings.
    for (const bool arithmetic : {false, true}) {
        const std::string coding = arithmetic ? ", arithmetic" : ", Huffman";
        struct Clean {
            std::string kind;
            std::vector<uint8_t> bytes;
            int scans;
            TColor corner;
        };
        const Clean clean[] = {
            {"sequential colour", ColourJpegScanPerComponent(64, 64, arithmetic, true), 3, clTeal},
            {"progressive grey", GreyJpegInScans(64, 64, 10, arithmetic, true), 10, grey}};
        for (const auto& [kind, j, scans, corner] : clean) {
            const std::string what = kind + coding;
            const auto kept = [&](const std::string& how, std::vector<uint8_t> bytes) {
                cases.push_back({what + ", " + how, std::move(bytes), nullptr, 64, 64, corner, corner, j});
            };
            kept("JFIF revision 2.01", WithJfifRevision(j, 2, 1));
            kept("2 bytes before its first quantisation table", WithZeroBytes(j, FirstSegment(j, 0xDB), 2));
            kept("16 bytes between its first two scans", WithZeroBytes(j, EndOfScan(j, 1), 16));
            const auto [lastBegin, lastEnd] = ScanData(j, scans);
            cases.push_back({what + ", cut off half-way through its last scan",
                             std::vector<uint8_t>(j.begin(), j.begin() + long((lastBegin + lastEnd) / 2)),
                             "Premature end of JPEG file"});
            // Arithmetic decoders supply zero data past the end of a scan, as the coding
            // allows, and so cannot tell a scan cut short.
            if (!arithmetic)
                cases.push_back({what + ", its first scan cut short", WithScanCutShort(j, 1),
                                 "premature end of data segment"});
        }
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBitmap out(3, 3);
        std::string error;
        const bool decoded = DecodeJpeg(c.bytes.data(), c.bytes.size(), out, &error);
        if (c.refusal) {
            EXPECT_FALSE(decoded);
            EXPECT_NE(error.find(c.refusal), std::string::npos) << error;
            EXPECT_EQ(out.Width(), 3);
            continue;
        }
        EXPECT_TRUE(decoded) << error;
        if (!decoded) continue;
        EXPECT_EQ(out.Width(), c.width);
        EXPECT_EQ(out.Height(), c.height);
        // The last row too: the bitmap is not filled before its rows are decoded into it.
        EXPECT_TRUE(near(out.Pixel(0, 0), c.topLeft, 3)) << out.Pixel(0, 0);
        const TColor last = out.Pixel(c.width - 1, c.height - 1);
        EXPECT_TRUE(near(last, c.bottomRight, 3)) << last;
        if (!c.sameAs.empty()) {
            TBitmap clean;
            ASSERT_TRUE(DecodeJpeg(c.sameAs.data(), c.sameAs.size(), clean, &error)) << error;
            int differing = 0;
            for (int y = 0; y < c.height; ++y)
                for (int x = 0; x < c.width; ++x)
                    differing += out.Pixel(x, y) != clean.Pixel(x, y);
            EXPECT_EQ(differing, 0) << "pixels unlike the clean picture's";
        }
        expectEveryDepthAsConverted(c.bytes, out);
        // Loaded as a picture, it keeps its bytes for the next save.
        TJPEGImage picture;
        ASSERT_TRUE(picture.LoadFromBytes(c.bytes, &error)) << error;
        EXPECT_EQ(picture.Data(), c.bytes);
    }
}
