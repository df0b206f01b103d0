// The graph model base: size and depth rules, background setters and every placement of
// the background picture, pixel by pixel.
#include "PlotTestSupport.h"

#include "platform/Jpeg.h"
#include "plot/PtGraph.h"
#include "plot/PtShared.h"

#include <gtest/gtest.h>

#include <vector>

using namespace plottest;

namespace {

constexpr TColor kBack = 0x00102030; // no picture pixel has this blue

// A 120 x 100 model with the background colour kBack and, when given, a picture.
std::unique_ptr<TFakeGraph> makeGraph(uint8_t placement, int pw = 0, int ph = 0) {
    auto g = std::make_unique<TFakeGraph>();
    g->SetBitmapAttributes(pf24bit, 120, 100);
    g->SetBackgroundColor(kBack);
    g->SetPlacement(placement);
    if (pw > 0) {
        auto picture = MakePicture(pw, ph);
        g->SetBackgroundBitmap(picture.get(), pf24bit);
    }
    return g;
}

// The picture's pixel (sx, sy) when it lies inside a pw x ph picture, else the background.
TColor pictureOrBack(int sx, int sy, int pw, int ph) {
    return sx >= 0 && sy >= 0 && sx < pw && sy < ph ? PicturePixel(sx, sy) : kBack;
}

} // namespace

TEST(PlotGraph, SizeRulesAndRealSizeAfterFailure) {
    struct Case {
        int w, h;
        const char* message; // "" when accepted
    };
    const std::vector<Case> cases = {
        {16, 16, ""},
        {2000, 2000, ""},
        {15, 100, "Bitmap width to small"},
        {100, 15, "Bitmap height to small"},
        {2001, 100, "Bitmap width to large"},
        {100, 2001, "Bitmap height to large"},
        {2001, 2001, "Bitmap width to large"}, // width before height
        {15, 2001, "Bitmap height to large"},  // large before small
        {2001, 15, "Bitmap width to large"},
    };
    TFakeGraph g;
    EXPECT_EQ(g.Width(), -1);
    EXPECT_EQ(g.Height(), -1);
    g.SetGraphSize(40, 30);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        const int w0 = g.PlotBitmap().Width(), h0 = g.PlotBitmap().Height();
        EXPECT_EQ(AssertionOf([&] { g.SetGraphSize(c.w, c.h); }), c.message);
        const bool ok = *c.message == '\0';
        EXPECT_EQ(g.Width(), ok ? c.w : w0);
        EXPECT_EQ(g.Height(), ok ? c.h : h0);
        EXPECT_EQ(g.PlotBitmap().Width(), g.Width());
        EXPECT_EQ(g.PlotBitmap().Height(), g.Height());
    }
    EXPECT_EQ(AssertionOf([&] { g.SetBitmapAttributes(1, 50, 50); }), "Invalid picture color depth");
    EXPECT_EQ(AssertionOf([&] { g.SetColorDepth(8); }), "Invalid picture color depth");
    g.SetBitmapAttributes(pf16bit, 50, 60);
    EXPECT_EQ(g.PlotBitmap().PixelFormat(), pf16bit);
    EXPECT_EQ(g.ColorDepth(), pf16bit);
    EXPECT_EQ(g.Width(), 50);
    EXPECT_EQ(g.Height(), 60);
}

TEST(PlotGraph, BackgroundSettersAndDepthDropsThePicture) {
    TFakeGraph g;
    g.SetBitmapAttributes(pf24bit, 64, 48);
    EXPECT_EQ(AssertionOf([&] { g.SetBackgroundBitmap(nullptr, pf24bit); }),
              "Nil pointer in set bitmap background");
    EXPECT_EQ(AssertionOf([&] { g.SetBackgroundJPEG(nullptr, pf24bit); }),
              "Nil pointer in set jpeg background");
    auto picture = MakePicture(30, 20);
    EXPECT_EQ(AssertionOf([&] { g.SetBackgroundBitmap(picture.get(), 9); }), "Invalid picture color depth");
    EXPECT_EQ(g.BackgroundBitmap(), nullptr);

    g.SetBackgroundBitmap(picture.get(), pf32bit);
    ASSERT_NE(g.BackgroundBitmap(), nullptr);
    EXPECT_EQ(g.BackgroundBitmap()->Width(), 30);
    EXPECT_EQ(g.BackgroundBitmap()->Height(), 20);
    EXPECT_EQ(g.BackgroundBitmap()->PixelFormat(), pf32bit);
    EXPECT_EQ(g.PlotBitmap().PixelFormat(), pf32bit);
    EXPECT_EQ(g.ColorDepth(), pf32bit);
    EXPECT_EQ(CountMismatches(*g.BackgroundBitmap(), PicturePixel), 0);

    g.SetColorDepth(pf24bit); // without setting the picture again: no picture
    EXPECT_EQ(g.BackgroundBitmap(), nullptr);
    EXPECT_EQ(g.PlotBitmap().PixelFormat(), pf24bit);

    // A JPEG of two flat halves keeps its size and, near enough, its colours.
    TBitmap halves(40, 24, pf24bit);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x)
            halves.SetPixel(x, y, x < 20 ? 0x0000C0 : 0xC00000);
    TJPEGImage jpeg;
    ASSERT_TRUE(jpeg.Assign(halves));
    g.SetBackgroundJPEG(&jpeg, pf16bit);
    ASSERT_NE(g.BackgroundBitmap(), nullptr);
    EXPECT_EQ(g.BackgroundBitmap()->Width(), 40);
    EXPECT_EQ(g.BackgroundBitmap()->Height(), 24);
    EXPECT_EQ(g.PlotBitmap().PixelFormat(), pf16bit);
    const TColor left = g.BackgroundBitmap()->Pixel(5, 12), right = g.BackgroundBitmap()->Pixel(35, 12);
    EXPECT_GT(left & 0xFF, 0xA0u);
    EXPECT_LT(left >> 16, 0x20u);
    EXPECT_GT(right >> 16, 0xA0u);
    EXPECT_LT(right & 0xFF, 0x20u);
}

TEST(PlotGraph, EveryPlacementPixelByPixel) {
    struct Case {
        const char* name;
        uint8_t placement;
        int pw, ph; // 0: no picture
        std::function<TColor(int, int)> expected;
    };
    const std::vector<Case> cases = {
        {"no picture", bgCenter, 0, 0, [](int, int) { return kBack; }},
        {"centre, larger", bgCenter, 200, 150, [](int x, int y) { return PicturePixel(x + 40, y + 25); }},
        // 69 pixels to spare each way: 34 on the left and top, 35 on the right and bottom.
        {"centre, smaller, odd", bgCenter, 51, 31,
         [](int x, int y) { return pictureOrBack(x - 34, y - 34, 51, 31); }},
        {"centre, wider but lower", bgCenter, 200, 31,
         [](int x, int y) { return pictureOrBack(x + 40, y - 34, 200, 31); }},
        {"tile", bgTile, 50, 30, [](int x, int y) { return PicturePixel(x % 50, y % 30); }},
        {"tile, larger", bgTile, 200, 150, [](int x, int y) { return PicturePixel(x, y); }},
        {"top-left", bgTopLeft, 50, 30, [](int x, int y) { return pictureOrBack(x, y, 50, 30); }},
        {"top-right", bgTopRight, 50, 30, [](int x, int y) { return pictureOrBack(x - 70, y, 50, 30); }},
        {"bottom-left", bgBottomLeft, 50, 30, [](int x, int y) { return pictureOrBack(x, y - 70, 50, 30); }},
        {"bottom-right", bgBottomRight, 50, 30,
         [](int x, int y) { return pictureOrBack(x - 70, y - 70, 50, 30); }},
        {"top-left, larger", bgTopLeft, 200, 150, [](int x, int y) { return PicturePixel(x, y); }},
        {"top-right, larger", bgTopRight, 200, 150, [](int x, int y) { return PicturePixel(x + 80, y); }},
        {"bottom-left, larger", bgBottomLeft, 200, 150, [](int x, int y) { return PicturePixel(x, y + 50); }},
        {"bottom-right, larger", bgBottomRight, 200, 150,
         [](int x, int y) { return PicturePixel(x + 80, y + 50); }},
        {"unknown placement", 7, 50, 30, [](int, int) { return kBack; }},
        {"unknown placement 255", 255, 50, 30, [](int, int) { return kBack; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto g = makeGraph(c.placement, c.pw, c.ph);
        g->PlotBitmap().Fill(0x00FFFFFF);
        g->FillGraphBmpBackground();
        EXPECT_EQ(CountMismatches(g->PlotBitmap(), c.expected), 0);
    }
}

TEST(PlotGraph, StretchCoversTheWholeBitmap) {
    // Four flat quadrants of 30 x 25 stretched to 120 x 100: each covers a quarter.
    auto g = makeGraph(bgStretch);
    TBitmap quads(60, 50, pf24bit);
    const TColor colours[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 60; ++x)
            quads.SetPixel(x, y, colours[(y >= 25) * 2 + (x >= 30)]);
    g->SetBackgroundBitmap(&quads, pf24bit);
    g->FillGraphBmpBackground();
    EXPECT_EQ(
        CountMismatches(g->PlotBitmap(), [&](int x, int y) { return colours[(y >= 50) * 2 + (x >= 60)]; }),
        0);
}

TEST(PlotGraph, CancelAndBrokenState) {
    auto g = makeGraph(bgTile, 50, 30);
    g->PlotBitmap().Fill(0x00FFFFFF);
    int polls = 0;
    int stopAt = 1; // the poll that answers "stop"
    g->SetIsAbortedEvent([&](bool& v) { v = ++polls >= stopAt; });
    g->FillGraphBmpBackground();
    EXPECT_EQ(polls, 1);
    EXPECT_EQ(CountMismatches(g->PlotBitmap(), [](int, int) { return clWhite; }), 0)
        << "cancel before the fill";

    polls = 0;
    stopAt = 2; // stops right after the colour fill
    g->FillGraphBmpBackground();
    EXPECT_EQ(CountMismatches(g->PlotBitmap(), [](int, int) { return kBack; }), 0);

    polls = 0;
    stopAt = 1000; // never: the whole run polls once per tile and more
    g->FillGraphBmpBackground();
    EXPECT_GE(polls, 12 * 2);
    EXPECT_EQ(CountMismatches(g->PlotBitmap(), [](int x, int y) { return PicturePixel(x % 50, y % 30); }), 0);

    g->SetIsAbortedEvent(nullptr);
    EXPECT_FALSE(g->IsAborted());

    g->PlotBitmap().SetHeight(99); // behind the model's back
    EXPECT_EQ(AssertionOf([&] { g->FillGraphBmpBackground(); }),
              "Invalid Graph Height in procedure TPlotGraph.FillGraphBmpBackground");
    g->PlotBitmap().SetSize(119, 100);
    EXPECT_EQ(AssertionOf([&] { g->FillGraphBmpBackground(); }),
              "Invalid Graph Width in procedure TPlotGraph.FillGraphBmpBackground");
    TFakeGraph unsized;
    EXPECT_EQ(AssertionOf([&] { unsized.FillGraphBmpBackground(); }),
              "Invalid Graph Height in procedure TPlotGraph.FillGraphBmpBackground");
}

TEST(PlotGraph, PieceChecks) {
    const TBgPiece good{0, 9, 0, 19};
    struct Case {
        TBgPiece source, dest;
        const char* message;
    };
    const std::vector<Case> cases = {
        {good, good, ""},
        {{5, 4, 0, 19}, good, "Error in Source rect in procedure TPlotGraph.FillGraphBmpBackground"},
        {{0, 30, 0, 19}, good, "Error in Source rect in procedure TPlotGraph.FillGraphBmpBackground"},
        {{0, 9, -1, 18}, good, "Error in Source rect in procedure TPlotGraph.FillGraphBmpBackground"},
        {good, {0, 9, 40, 59}, "Error in Dest rect in procedure TPlotGraph.FillGraphBmpBackground"},
        {good, {0, 9, 3, 2}, "Error in Dest rect in procedure TPlotGraph.FillGraphBmpBackground"},
        {good,
         {0, 10, 0, 19},
         "Error: Dest/Source rect different sizes in procedure TPlotGraph.FillGraphBmpBackground"},
        {{0, 30, 0, 19},
         {0, 100, 0, 19},
         "Error in Source rect in procedure TPlotGraph.FillGraphBmpBackground"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AssertionOf([&] { CheckBackgroundPieces(c.source, c.dest, 30, 20, 50, 40); }), c.message);
}
