// The label buffer: size rules, its label mirror and the painting loop.
#include "WorkerTestSupport.h"

#include <gtest/gtest.h>

using namespace plottest;

TEST(PlotLabelsBuffer, SizeRulesKeepTheRealSize) {
    TPlotLabelsBuffer b;
    EXPECT_EQ(b.Context().Width, -1);
    EXPECT_EQ(b.Context().Height, -1);
    EXPECT_EQ(b.Context().BackgroundColor, clWhite);
    b.SetBitmapAttributes(pf8bit, 50, 40);
    EXPECT_EQ(b.LabelBitmap().PixelFormat(), pf8bit);
    struct Case {
        int w, h;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{{15, 100, "Bitmap width to small"},
                                           {100, 15, "Bitmap height to small"},
                                           {2001, 2001, "Bitmap width to large"},
                                           {100, 2001, "Bitmap height to large"},
                                           {16, 2000, ""}}) {
        const int w0 = b.LabelBitmap().Width(), h0 = b.LabelBitmap().Height();
        EXPECT_EQ(AssertionOf([&] { b.SetSize(c.w, c.h); }), c.message);
        const bool ok = *c.message == '\0';
        EXPECT_EQ(b.Context().Width, ok ? c.w : w0);
        EXPECT_EQ(b.Context().Height, ok ? c.h : h0);
    }
    b.SetBackgroundColor(0x123456);
    EXPECT_EQ(b.Context().BackgroundColor, 0x123456u);
}

TEST(PlotLabelsBuffer, MirrorAndPainting) {
    auto probe = std::make_shared<TLabelProbe>();
    auto master = MakeFakeLabels(4, probe);
    TPlotLabelsBuffer b;
    b.SetBitmapAttributes(pf24bit, 20, 20);
    b.SetLabels(master, 1);
    ASSERT_EQ(b.LabelList().size(), 4u);
    EXPECT_NE(b.LabelList()[0].get(), master[0].get()) << "its own label objects";
    EXPECT_EQ(b.ExcludedIndex(), 1);

    EXPECT_EQ(AssertionOf([&] { b.PaintDrawLables(nullptr); }),
              "IsTerminatedEvent = nil in function TPlotLabelsBuffer.PaintDrawLables");
    int polls = 0;
    b.PaintDrawLables([&](bool& v) { v = ++polls > 3; }); // the start, then labels 1 and 2
    EXPECT_EQ(probe->TakePainted(), (std::vector<int>{1}));
    b.PaintDrawLables([](bool& v) { v = false; });
    EXPECT_EQ(probe->TakePainted(), (std::vector<int>{1, 3, 4}));

    master.erase(master.begin());
    b.SetLabels(master, -1);
    b.PaintDrawLables([](bool& v) { v = false; });
    EXPECT_EQ(probe->TakePainted(), (std::vector<int>{2, 3, 4}));
    b.ClearLabels();
    EXPECT_TRUE(b.LabelList().empty());
}
