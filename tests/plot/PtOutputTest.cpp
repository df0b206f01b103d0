// Region bitmaps, printed sizes, picture files and printed pages, without a window.
#include "FullDiskSupport.h"
#include "PdfTestSupport.h"
#include "PlotTestSupport.h"
#include "common/BitmapTestSupport.h"

#include "platform/Jpeg.h"
#include "plot/PtOutput.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace plottest;

TEST(PtOutputTest, RegionBitmapHoldsEveryPixelOfTheRegionAtEachDepth) {
    for (TPixelFormat depth : bitmaptest::AllDepths) {
        SCOPED_TRACE(int(depth));
        auto picture = MakePicture(200, 150, depth);
        // Corners in either order give the same inclusive region.
        for (auto [c1, c2] :
             {std::pair{TPoint(10, 20), TPoint(110, 70)}, std::pair{TPoint(110, 20), TPoint(10, 70)}}) {
            auto region = MakeRegionBitmap(*picture, c1, c2);
            ASSERT_EQ(region->Width(), 101);
            ASSERT_EQ(region->Height(), 51);
            EXPECT_EQ(region->PixelFormat(), depth);
            EXPECT_EQ(CountMismatches(*region, [&](int x, int y) { return picture->Pixel(10 + x, 20 + y); }),
                      0);
        }
        // The last row and column of the picture are reachable; a corner beyond is clamped.
        auto corner = MakeRegionBitmap(*picture, {195, 145}, {199, 149});
        EXPECT_EQ(corner->Width(), 5);
        EXPECT_EQ(corner->Pixel(4, 4), picture->Pixel(199, 149));
        EXPECT_EQ(MakeRegionBitmap(*picture, {190, 140}, {500, 500})->Width(), 10);
    }
}

TEST(PtOutputTest, PrintedSizesRoundHalvesToEven) {
    struct {
        int w, h, percent, W, H;
    } cases[] = {
        {400, 300, 50, 200, 150}, // 199.5 and 149.5
        {400, 300, 25, 100, 75},  // 99.75 and 74.75
        {101, 51, 200, 200, 100}, {200, 150, 50, 100, 74}, {16, 16, 500, 75, 75}, {640, 480, 99, 633, 474},
    };
    for (const auto& c : cases) {
        const TSize s = PrintStretchSize(c.w, c.h, c.percent);
        EXPECT_EQ(s.cx, c.W) << c.w << " at " << c.percent;
        EXPECT_EQ(s.cy, c.H) << c.h << " at " << c.percent;
    }
}

TEST(PtOutputTest, BmpFilesReadBackEqualAtEachDepth) {
    QTemporaryDir dir;
    for (TPixelFormat depth : bitmaptest::AllDepths) {
        SCOPED_TRACE(int(depth));
        auto picture = MakePicture(64, 48, depth);
        const std::string name = (dir.path() + QString("/picture%1.bmp").arg(int(depth))).toStdString();
        std::string error;
        ASSERT_TRUE(WritePictureFile(*picture, name, true, error)) << error;
        TBitmap back;
        ASSERT_TRUE(back.LoadFromFile(name, &error)) << error;
        ASSERT_EQ(back.Width(), 64);
        EXPECT_EQ(CountMismatches(back, [&](int x, int y) { return picture->Pixel(x, y); }), 0);
    }
}

TEST(PtOutputTest, JpegFilesAreProgressiveAndCloseToThePicture) {
    QTemporaryDir dir;
    auto picture = MakePicture(120, 90, pf32bit);
    const std::string name = (dir.path() + "/picture.jpg").toStdString();
    std::string error;
    ASSERT_TRUE(WritePictureFile(*picture, name, false, error)) << error;
    QFile file(QString::fromStdString(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains(QByteArray("\xFF\xC2", 2))) << "progressive start of frame";
    TBitmap back;
    ASSERT_TRUE(
        DecodeJpeg(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), back, &error));
    ASSERT_EQ(back.Width(), 120);
    ASSERT_EQ(back.Height(), 90);
    int worst = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x)
            for (int shift : {0, 8, 16})
                worst = std::max(worst, std::abs(int((back.Pixel(x, y) >> shift) & 0xFF) -
                                                 int((picture->Pixel(x, y) >> shift) & 0xFF)));
    EXPECT_LE(worst, 8) << "quality 100 stays within a few steps";
}

TEST(PtOutputTest, WriteFailuresNameTheFileAndKeepTheOldOne) {
    QTemporaryDir dir;
    auto picture = MakePicture(200, 150);
    std::string error;
    // A folder as the name.
    EXPECT_FALSE(WritePictureFile(*picture, dir.path().toStdString(), true, error));
    EXPECT_NE(error.find(dir.path().toStdString()), std::string::npos) << error;
    // A folder that does not exist.
    const std::string missing = (dir.path() + "/no/such/folder.bmp").toStdString();
    EXPECT_FALSE(WritePictureFile(*picture, missing, false, error));
    EXPECT_NE(error.find(missing), std::string::npos) << error;

    // The disk fills up part way: writes past 16 KB fail as on a full disk.
    const std::string target = (dir.path() + "/old.bmp").toStdString();
    auto small = MakePicture(16, 16);
    ASSERT_TRUE(WritePictureFile(*small, target, true, error));
    const QByteArray before = [&] {
        QFile f(QString::fromStdString(target));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    bool bmpWritten = true, jpegWritten = true;
    std::string bmpError;
    {
        TFullDisk full(16 * 1024);
        bmpWritten = WritePictureFile(*picture, target, true, bmpError);
        jpegWritten = WritePictureFile(*MakePicture(1000, 1000), target, false, error);
    }
    EXPECT_FALSE(bmpWritten);
    EXPECT_FALSE(jpegWritten);
    EXPECT_NE(bmpError.find(target), std::string::npos) << bmpError;
    QFile f(QString::fromStdString(target));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before) << "the old file stays as it was";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.bmp"}) << "no partial file is left";
}

TEST(PtOutputTest, PrintedPagesHoldThePictureAtItsScale) {
    QTemporaryDir dir;
    for (auto [width, height, percent, w, h] :
         {std::tuple{640, 480, 100, 640, 480}, std::tuple{400, 300, 50, 200, 150},
          std::tuple{400, 300, 25, 100, 75}}) {
        SCOPED_TRACE(percent);
        auto picture = MakePicture(width, height);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.path() + QString("/page%1.pdf").arg(percent));
        printer.setResolution(72); // one printer pixel per point
        ASSERT_TRUE(PrintPicture(printer, *picture, percent));
        const std::vector<pdftest::TPlacedImage> images = pdftest::PlacedImages(printer.outputFileName());
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].PixelWidth, width);
        EXPECT_NEAR(images[0].Width, w, 0.01);
        EXPECT_NEAR(images[0].Height, h, 0.01);
    }
}
