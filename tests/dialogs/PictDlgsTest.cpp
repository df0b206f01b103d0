#include "dialogs/BmpSize.h"
#include "dialogs/PictDlgLogic.h"
#include "dialogs/PrnScale.h"

#include "dialogs/FuncDlgTestSupport.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

void typeInto(QSpinBox* spin, const char* text) {
    spin->setFocus();
    spin->selectAll();
    TypeText(text);
}

TSettingBmpAttribsObj attribs(int width, int height, int format) {
    TSettingBmpAttribsObj a;
    a.Width = width;
    a.Height = height;
    a.PixelFormat = uint8_t(format);
    return a;
}

} // namespace

TEST(PictDlgLogic, TheChangeFlagsAreSetForWhatChangedOnly) {
    struct TCase {
        int w, h, format;      // the attributes
        int newW, newH, index; // the form
        bool result, sizeChanged, formatChanged;
        int outW, outH, outFormat;
    };
    const TCase cases[] = {
        {400, 300, 6, 400, 300, 4, false, false, false, 400, 300, 6},
        {400, 300, 6, 400, 300, 1, true, false, true, 400, 300, 3},
        {400, 300, 6, 500, 300, 4, true, true, false, 500, 300, 6},
        {400, 300, 6, 400, 299, 4, true, true, false, 400, 299, 6},
        {400, 300, 6, 16, 2000, 5, true, true, true, 16, 2000, 7},
        // An unknown depth shows no entry; with none chosen the depth stays.
        {400, 300, 9, 400, 300, -1, false, false, false, 400, 300, 9},
        {400, 300, 9, 401, 300, -1, true, true, false, 401, 300, 9},
        {400, 300, 9, 400, 300, 0, true, false, true, 400, 300, 2},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.newW << "x" << k.newH << " entry " << k.index);
        TSettingBmpAttribsObj a = attribs(k.w, k.h, k.format);
        EXPECT_EQ(ApplyBmpSize(a, k.newW, k.newH, k.index), k.result);
        EXPECT_EQ(a.SizeChanged, k.sizeChanged);
        EXPECT_EQ(a.PixelFormatChanged, k.formatChanged);
        EXPECT_FALSE(a.BackColorChanged);
        EXPECT_EQ(a.Width, k.outW);
        EXPECT_EQ(a.Height, k.outH);
        EXPECT_EQ(a.PixelFormat, k.outFormat);
    }
    for (int format = 0; format < 10; ++format)
        EXPECT_EQ(ColorDepthIndex(format), format >= 2 && format <= 7 ? format - 2 : -1) << format;

    PrintScalePercent = 100;
    EXPECT_FALSE(ApplyPrintScale(mrOk, 250));
    EXPECT_EQ(PrintScalePercent, 250);
    EXPECT_TRUE(ApplyPrintScale(mrPrint, 30));
    EXPECT_EQ(PrintScalePercent, 30);
    EXPECT_FALSE(ApplyPrintScale(mrCancel, 400));
    EXPECT_EQ(PrintScalePercent, 30);
    PrintScalePercent = 100;
}

TEST(BmpSizeDlg, ShowsTheAttributesAndWritesBackOnlyWhatChanged) {
    TScopedScriptedUiHook hook;
    TSettingBmpAttribsObj a = attribs(640, 480, 9);
    ScriptDialog<TBmpSizeDlg>(*hook, [](TBmpSizeDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Picture Size and Colors");
        EXPECT_EQ(d.HelpContext(), 4000);
        EXPECT_EQ(d.TheBmpWidth->value(), 640);
        EXPECT_EQ(d.TheBmpHeight->value(), 480);
        EXPECT_EQ(d.EColorDepthCombo->currentIndex(), -1);
        ASSERT_EQ(d.EColorDepthCombo->count(), 6);
        EXPECT_EQ(d.EColorDepthCombo->itemText(4), "True Color (24 Bit) - Same as a JPEG Picture");
        Click(d.OKBtn);
    });
    EXPECT_FALSE(ExecuteBmpSizeDlg(a));
    EXPECT_FALSE(a.SizeChanged || a.PixelFormatChanged);
    EXPECT_EQ(a.PixelFormat, 9);

    // The extremes are taken; typing past them does not get a value outside.
    a = attribs(640, 480, 6);
    ScriptDialog<TBmpSizeDlg>(*hook, [](TBmpSizeDlg& d) {
        EXPECT_EQ(d.EColorDepthCombo->currentIndex(), 4);
        typeInto(d.TheBmpWidth, "16");
        typeInto(d.TheBmpHeight, "9999");
        EXPECT_LE(d.TheBmpHeight->value(), 2000);
        d.TheBmpHeight->setValue(2000);
        PressKey(Qt::Key_Return); // Enter in a spin edit is OK
    });
    EXPECT_TRUE(ExecuteBmpSizeDlg(a));
    EXPECT_TRUE(a.SizeChanged);
    EXPECT_FALSE(a.PixelFormatChanged);
    EXPECT_EQ(a.Width, 16);
    EXPECT_EQ(a.Height, 2000);

    a = attribs(640, 480, 6);
    ScriptDialog<TBmpSizeDlg>(*hook, [](TBmpSizeDlg& d) {
        d.EColorDepthCombo->setCurrentIndex(0);
        typeInto(d.TheBmpWidth, "100");
        PressKey(Qt::Key_Escape);
    });
    EXPECT_FALSE(ExecuteBmpSizeDlg(a));
    EXPECT_FALSE(a.SizeChanged || a.PixelFormatChanged);
    EXPECT_EQ(a.Width, 640);
    EXPECT_EQ(a.PixelFormat, 6);
}

TEST(PrintScaleDlg, OkAndPrintKeepThePercentageOnlyPrintAnswersTrue) {
    TScopedScriptedUiHook hook;
    PrintScalePercent = 100;
    struct TStep {
        int shown;
        const char* typed;
        std::function<void(TPrintScaleDlg&)> close;
        bool result;
        int kept;
    };
    const TStep steps[] = {
        {100, "250", [](TPrintScaleDlg& d) { Click(d.OKBtn); }, false, 250},
        {250, "25", [](TPrintScaleDlg& d) { Click(d.BPrint); }, true, 25},
        // Enter in the spin edit is OK: the percentage is kept, nothing is printed.
        {25, "500", [](TPrintScaleDlg&) { PressKey(Qt::Key_Enter); }, false, 500},
        {500, "30", [](TPrintScaleDlg& d) { Click(d.CancelBtn); }, false, 500},
        {500, "100", [](TPrintScaleDlg& d) { Click(d.BPrint); }, true, 100},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.typed);
        ScriptDialog<TPrintScaleDlg>(*hook, [&](TPrintScaleDlg& d) {
            EXPECT_EQ(d.windowTitle(), "Print Scale");
            EXPECT_EQ(d.HelpContext(), 4035);
            EXPECT_EQ(d.EPercent->value(), s.shown);
            typeInto(d.EPercent, s.typed);
            s.close(d);
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_EQ(ExecutePrintScaleDlg(), s.result);
        EXPECT_EQ(PrintScalePercent, s.kept);
    }
    PrintScalePercent = 100;
}
