// The hand-over buffer and the copy into the picture.
#include "PlotTestSupport.h"

#include "plot/PtBuffer.h"
#include "plot/PtShared.h"

#include <gtest/gtest.h>

using namespace plottest;

TEST(SafeBmpBuffer, CopiesBothWaysAndChecksTheSize) {
    TSafeBmpBuffer b;
    b.SetBitmapAttributes(pf32bit, 30, 20);
    EXPECT_EQ(b.Bitmap().PixelFormat(), pf32bit);
    auto picture = MakePicture(30, 20, pf32bit);
    b.SetBufferBitmap(*picture);
    TBitmap out(30, 20, pf32bit);
    b.GetBufferBitmap(out);
    EXPECT_EQ(CountMismatches(out, PicturePixel), 0);

    TBitmap shown(30, 20, pf32bit);
    CopyBitmapToImage(shown, out);
    EXPECT_EQ(CountMismatches(shown, PicturePixel), 0);

    TBitmap wide(31, 20, pf32bit), high(30, 21, pf32bit);
    EXPECT_EQ(AssertionOf([&] { b.SetBufferBitmap(wide); }),
              "Width not equal in procedure TSafeBmpBuffer.SetBufferBitmap");
    EXPECT_EQ(AssertionOf([&] { b.SetBufferBitmap(high); }),
              "Width not equal in procedure TSafeBmpBuffer.SetBufferBitmap");
    EXPECT_EQ(AssertionOf([&] { b.GetBufferBitmap(wide); }),
              "Width not equal in procedure TSafeBmpBuffer.GetBufferBitmap");
    EXPECT_EQ(AssertionOf([&] { b.GetBufferBitmap(high); }),
              "Width not equal in procedure TSafeBmpBuffer.GetBufferBitmap");
    EXPECT_EQ(CountMismatches(b.Bitmap(), PicturePixel), 0) << "a refused copy changes nothing";
    EXPECT_EQ(AssertionOf([&] { b.SetColorDepth(1); }), "Invalid picture color depth");
}
