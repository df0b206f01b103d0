#include "platform/Colors.h"
#include "platform/Fonts.h"

#include <QColor>
#include <QFont>
#include <gtest/gtest.h>

#include <climits>

TEST(Colors, ByteOrderAndSystemColours) {
    EXPECT_EQ(RGBColor(0xFF, 0, 0), clRed);
    EXPECT_EQ(GetBValue(clBlue), 0xFFu);
    QColor q = TColorToQColor(0x00336699); // BB=33 GG=66 RR=99
    EXPECT_EQ(q.red(), 0x99);
    EXPECT_EQ(q.green(), 0x66);
    EXPECT_EQ(q.blue(), 0x33);
    EXPECT_EQ(QColorToTColor(q), 0x00336699u);
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xC8D0D4u);
    EXPECT_EQ(ColorToRGB(0x12345678), 0x00345678u);
}

TEST(Fonts, RecordConvertsToAndFromQFont) {
    TFontRecord r;
    r.Name = "DejaVu Serif";
    r.Size = 12;
    r.Style = fsBold | fsUnderline;
    r.Color = clRed;
    QFont f = FontRecordToQFont(r);
    EXPECT_EQ(f.family(), "DejaVu Serif");
    EXPECT_EQ(f.pixelSize(), 16);
    EXPECT_TRUE(f.bold());
    EXPECT_FALSE(f.italic());
    EXPECT_TRUE(f.underline());
    EXPECT_EQ(f.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
    EXPECT_EQ(QFontToFontRecord(f, clRed), r);

    // Sizes of 0 or less are drawn at the default size (0) or their magnitude, huge ones
    // at the largest size; the record keeps them.
    struct Case {
        int Size;
        int Pixels;
    };
    for (const Case& c :
         {Case{-5, 7}, Case{0, 11}, Case{1, 1}, Case{-12, 16}, Case{INT_MIN, 2184}, Case{1000000, 2184}}) {
        TFontRecord odd = r;
        odd.Size = c.Size;
        EXPECT_EQ(FontRecordToQFont(odd).pixelSize(), c.Pixels) << c.Size;
        EXPECT_EQ(odd.Size, c.Size);
    }
}

TEST(Fonts, FaceStyleNameIsThePlainFaceOfTheWeightAndSlant) {
    struct Case {
        bool Bold, Italic;
        const char* Face;
    };
    for (const Case& c : {Case{false, false, "Book"}, Case{true, false, "Bold"}, Case{false, true, "Oblique"},
                          Case{true, true, "Bold Oblique"}}) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setBold(c.Bold);
        f.setItalic(c.Italic);
        EXPECT_EQ(FaceStyleName(f).toStdString(), c.Face);
    }
    EXPECT_TRUE(FaceStyleName(QFont(QStringLiteral("No Such Family 123"))).isEmpty());
}

TEST(Fonts, MulDivRoundsHalfAwayFromZeroAndReportsOverflow) {
    EXPECT_EQ(MulDiv(8, 96, 72), 11); // 10.67
    EXPECT_EQ(MulDiv(9, 96, 72), 12);
    EXPECT_EQ(MulDiv(3, 1, 2), 2); // half away from zero
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 7, 0), -1);
    EXPECT_EQ(MulDiv(2000000000, 2, 4), 1000000000);
    EXPECT_EQ(MulDiv(2000000000, 2, 1), -1);
    EXPECT_EQ(MulDiv(-2000000000, 3, 2), -1);
    EXPECT_EQ(MulDiv(-2147483647 - 1, 1, 1), -2147483647 - 1);
    EXPECT_EQ(MulDiv(2147483647, 2, 2), 2147483647);
}
