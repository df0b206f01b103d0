// The picture control's output commands: clipboard, picture files, printing, and the
// region they can take, typed in its dialog or dragged.
#include "FullDiskSupport.h"
#include "ImageTestSupport.h"
#include "PdfTestSupport.h"

#include "plot/Selctdlg.h"
#include "plot/Selected.h"

#include <QClipboard>
#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace plottest;

namespace {

// Answers "Area to ..." with the selected rectangle, the whole picture, or Cancel.
enum TAreaAnswer { aaSelected, aaAll, aaCancel };
std::function<int(QDialog&)> areaAnswer(TAreaAnswer answer, QString* caption = nullptr) {
    return [answer, caption](QDialog& d) {
        auto& dlg = static_cast<TUseSelectedRectDlg&>(d);
        EXPECT_EQ(dlg.HelpContext(), 4040);
        EXPECT_TRUE(dlg.SelectedButton->isChecked()) << "the selected rectangle is offered first";
        if (caption) *caption = dlg.windowTitle();
        (answer == aaAll ? dlg.AllButton : dlg.SelectedButton)->setChecked(true);
        dlg.done(answer == aaCancel ? mrCancel : mrOk);
        return dlg.result();
    };
}

// The picture's pixels inside a rectangle, edges included.
QImage pictureArea(TBitmap& picture, TPoint c1, TPoint c2) {
    return picture.ToQImage().copy(QRect(QPoint(c1.X, c1.Y), QPoint(c2.X, c2.Y)));
}

} // namespace

class ImageOutputTest : public ImageBoxTest {
protected:
    void SetUp() override {
        ImageBoxTest::SetUp();
        addLabel(rect({20, 30}, {120, 80}));
        addLabel(fill({30, 40}, 0x00C000));
    }
    void selectRegion() {
        events.Tool = dtSelectRegion;
        drag({10, 20}, {110, 70});
        ASSERT_TRUE(box->IsRegionSelected());
    }
    QImage clipboardImage() {
        return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(ImageOutputTest, ClipboardTakesThePictureOrTheRegion) {
    box->SelectLabel(0); // its handles must not reach the clipboard
    box->CopyBitmapToClipboard();
    EXPECT_EQ(box->LabelWindowStatus(), lwNormal);
    EXPECT_EQ(differences(*freshRedraw()), 0);
    EXPECT_EQ(clipboardImage(), picture().ToQImage().convertToFormat(QImage::Format_RGB32));

    selectRegion();
    QString caption;
    ui->ScriptModal(areaAnswer(aaSelected, &caption));
    box->CopyBitmapToClipboard();
    EXPECT_EQ(caption, "Area to Paste to Clipboard");
    const QImage region = clipboardImage();
    ASSERT_EQ(region.size(), QSize(101, 51));
    EXPECT_EQ(region, pictureArea(picture(), {10, 20}, {110, 70}).convertToFormat(QImage::Format_RGB32))
        << "the dotted rectangle was taken off first";
    EXPECT_EQ(box->RegionCorner1(), TPoint(10, 20)) << "the corners survive";

    selectRegion();
    ui->ScriptModal(areaAnswer(aaAll));
    box->CopyBitmapToClipboard();
    EXPECT_EQ(clipboardImage(), freshRedraw()->ToQImage().convertToFormat(QImage::Format_RGB32));

    selectRegion();
    QGuiApplication::clipboard()->clear();
    ui->ScriptModal(areaAnswer(aaCancel));
    box->CopyBitmapToClipboard();
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
    EXPECT_TRUE(box->IsRegionSelected()) << "Cancel leaves the region selected";
    box->EndLabelOperation(true);
}

TEST_F(ImageOutputTest, PictureFilesTakeThePictureOrTheRegion) {
    QTemporaryDir dir;
    const std::string whole = (dir.path() + "/whole.bmp").toStdString();
    EXPECT_TRUE(box->SavePictureFile(whole, true));
    TBitmap back;
    ASSERT_TRUE(back.LoadFromFile(whole));
    EXPECT_EQ(CountMismatches(back, [&](int x, int y) { return picture().Pixel(x, y); }), 0);

    selectRegion();
    const std::string cancelled = (dir.path() + "/cancelled.jpg").toStdString();
    QString caption;
    ui->ScriptModal(areaAnswer(aaCancel, &caption));
    EXPECT_FALSE(box->SavePictureFile(cancelled, false));
    EXPECT_EQ(caption, "Area to Save to File");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(cancelled))) << "Cancel writes nothing";

    ui->ScriptModal(areaAnswer(aaSelected));
    const std::string region = (dir.path() + "/region.bmp").toStdString();
    EXPECT_TRUE(box->SavePictureFile(region, true));
    ASSERT_TRUE(back.LoadFromFile(region));
    ASSERT_EQ(back.Width(), 101);
    ASSERT_EQ(back.Height(), 51);
    EXPECT_EQ(CountMismatches(back, [&](int x, int y) { return picture().Pixel(10 + x, 20 + y); }), 0);

    // A write that fails on a full disk is reported with the file's name, and the old
    // file stays as it was.
    box->EndLabelOperation(true);
    const std::size_t shown = ui->Messages.size();
    bool written = true;
    {
        TFullDisk full(4096);
        written = box->SavePictureFile(whole, true);
    }
    EXPECT_FALSE(written);
    ASSERT_EQ(ui->Messages.size(), shown + 1);
    EXPECT_EQ(ui->Messages.back().Type, mtError);
    EXPECT_NE(ui->LastMessage().find(whole), std::string::npos) << ui->LastMessage();
    ASSERT_TRUE(back.LoadFromFile(whole));
    EXPECT_EQ(back.Width(), W) << "the old picture file is still whole";
}

TEST_F(ImageOutputTest, PrintingTakesThePictureOrTheRegionAtItsScale) {
    QTemporaryDir dir;
    QPrinter& printer = Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(72);
    const auto printed = [&](bool regionOnly, int percent) {
        printer.setOutputFileName(dir.path() + QString("/print%1%2.pdf").arg(regionOnly).arg(percent));
        box->PrintBitmap(regionOnly, percent);
        return pdftest::PlacedImages(printer.outputFileName());
    };
    auto images = printed(false, 100);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_NEAR(images[0].Width, W, 0.01);
    EXPECT_NEAR(images[0].Height, H, 0.01);
    images = printed(false, 50);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_NEAR(images[0].Width, 100, 0.01); // round(199 x 0.5)
    EXPECT_NEAR(images[0].Height, 74, 0.01); // round(149 x 0.5), half to even
    // A region prints as every other output takes it, both edges included.
    selectRegion();
    images = printed(true, 100);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].PixelWidth, 101);
    EXPECT_EQ(images[0].PixelHeight, 51);
    EXPECT_NEAR(images[0].Width, 101, 0.01);
    EXPECT_FALSE(box->IsRegionSelected()) << "printing ends the operation";
    selectRegion();
    images = printed(true, 200);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_NEAR(images[0].Width, 200, 0.01);
    EXPECT_NEAR(images[0].Height, 100, 0.01);
    images = printed(true, 100); // no region selected any more: the whole picture
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].PixelWidth, W);
    printer.setOutputFormat(QPrinter::NativeFormat);
}

TEST_F(ImageOutputTest, RegionDialogChecksItsCornersAndSelectsTheRegion) {
    int maxX = 0, maxY = 0;
    std::vector<std::string> refused;
    ui->ScriptModal([&](QDialog& d) {
        auto& dlg = static_cast<TSelectedRegionDlg&>(d);
        maxX = dlg.EBottomX->maximum();
        maxY = dlg.EBottomY->maximum();
        EXPECT_EQ(dlg.ETopX->value(), 0) << "no region yet: zeros";
        EXPECT_EQ(dlg.windowTitle(), "Selected Bitmap Region");
        EXPECT_EQ(dlg.HelpContext(), 4045);
        dlg.ETopX->setValue(10);
        dlg.ETopY->setValue(10);
        dlg.EBottomX->setValue(14); // only 4 to the right
        dlg.EBottomY->setValue(50);
        dlg.Buttons.OKBtn->click();
        EXPECT_FALSE(dlg.isHidden() && dlg.result() == mrOk) << "refused";
        refused = ui->MessageTexts();
        dlg.ETopX->setValue(15);
        dlg.ETopY->setValue(15);
        dlg.EBottomX->setValue(20);
        dlg.EBottomY->setValue(20);
        dlg.Buttons.OKBtn->click();
        return dlg.result();
    });
    box->ShowRegionDialog();
    EXPECT_EQ(maxX, W - 1);
    EXPECT_EQ(maxY, H - 1);
    EXPECT_EQ(refused, std::vector<std::string>{RegionTooSmallMsg});
    EXPECT_TRUE(box->IsRegionSelected());
    EXPECT_EQ(box->RegionCorner1(), TPoint(15, 15));
    EXPECT_EQ(box->RegionCorner2(), TPoint(20, 20));
    EXPECT_EQ(events.ToolOff, 1);
    // Opened again, it shows the region.
    ui->ScriptModal([&](QDialog& d) {
        auto& dlg = static_cast<TSelectedRegionDlg&>(d);
        EXPECT_EQ(dlg.ETopX->value(), 15);
        EXPECT_EQ(dlg.EBottomY->value(), 20);
        dlg.done(mrCancel);
        return dlg.result();
    });
    box->ShowRegionDialog();
    EXPECT_TRUE(box->IsRegionSelected()) << "Cancel changes nothing";
    box->EndLabelOperation(true);
    EXPECT_EQ(differences(*freshRedraw()), 0);
}

TEST(RegionDialogTest, CornersMustBeFiveApart) {
    EXPECT_FALSE(IsRegionLargeEnough({10, 10}, {14, 50}));
    EXPECT_FALSE(IsRegionLargeEnough({10, 10}, {50, 14}));
    EXPECT_FALSE(IsRegionLargeEnough({20, 20}, {15, 15}));
    EXPECT_TRUE(IsRegionLargeEnough({15, 15}, {20, 20}));
    // A picture of 200 x 100 takes at most 199 and 99.
    TScopedScriptedUiHook ui;
    ui->ScriptModal([](QDialog& d) {
        auto& dlg = static_cast<TSelectedRegionDlg&>(d);
        dlg.EBottomX->setValue(500);
        dlg.EBottomY->setValue(500);
        dlg.Buttons.OKBtn->click();
        return dlg.result();
    });
    TPoint tl, br;
    ASSERT_TRUE(ExecuteSelectedRegionDlg(false, tl, br, 200, 100));
    EXPECT_EQ(br, TPoint(199, 99));
}
