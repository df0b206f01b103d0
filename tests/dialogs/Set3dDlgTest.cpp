#include "dialogs/Set3dDlg.h"
#include "math/ColorSample.h"
#include "platform/ScriptedUiHook.h"

#include "SetDlgTestSupport.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

namespace {

TSetting3DObj unusualSettings() {
    TSetting3DObj s;
    s.BackColor = 0x00102030;
    int k = 0;
    for (TSetting3DAxis* a : {&s.X, &s.Y, &s.Z}) {
        ++k;
        a->ShowAxisLine = k != 2;
        a->AxisColor = 0x00111111 * TColor(k);
        a->LabelPositiveEnd = k == 2;
        a->LabelNegativeEnd = false;
        a->ShowPlusSign = k == 3;
        a->ShowMinusSign = false;
        a->LabelFont = {"Face " + std::to_string(k), 0x00010101 * TColor(k), TFontStyles(k), 9 + k};
    }
    return s;
}

struct TOpenSettings {
    TScopedScriptedUiHook hook;
    TMainFormGuard mainForm;
    TSettings3DDlg d;

    explicit TOpenSettings(const TSetting3DObj& s = TSetting3DObj()) {
        d.Load(s);
        EXPECT_TRUE(ShowActive(d));
    }
};

} // namespace

TEST(Settings3DDlg, LoadThenStoreKeepsEveryRecordAndCancelKeepsTheSettings) {
    TScopedScriptedUiHook hook;
    TSetting3DObj s = unusualSettings();
    const recordtest::Bytes before = RecordsOf(s, GraphKind3D);
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TSettings3DDlg&>(form);
        EXPECT_TRUE(ShowActive(d));
        EXPECT_EQ(Focused(), d.OKBtn);
        PressKey(Qt::Key_Return);
        return d.result();
    });
    ASSERT_TRUE(Execute3DSettingsDlg(s));
    EXPECT_TRUE(s.Changed);
    EXPECT_EQ(FirstDifference(RecordsOf(s, GraphKind3D), before), -1);

    s.Changed = false;
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TSettings3DDlg&>(form);
        d.Z.EShowMinusSigns->setChecked(true);
        d.Y.Font.Size = 50;
        d.EBackGroundSample->SetSampleColor(clBlack);
        PressKey(Qt::Key_Escape);
        d.done(mrCancel);
        return d.result();
    });
    EXPECT_FALSE(Execute3DSettingsDlg(s));
    EXPECT_FALSE(s.Changed);
    EXPECT_EQ(FirstDifference(RecordsOf(s, GraphKind3D), before), -1);
}

TEST(Settings3DDlg, AllColorsAndAllFontsActOnlyWhenChosen) {
    TOpenSettings t(unusualSettings());
    TSettings3DDlg& d = t.d;
    const TColor x = d.X.AxisColorSample->SampleColor();
    const TColor y = d.Y.AxisColorSample->SampleColor();
    const TFontRecord yFont = d.Y.Font;

    // Cancelled pickers change nothing.
    t.hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clLime;
        return false;
    });
    t.hook->FontScripts.push_back([](TFontDialogRequest& r) {
        r.Font.Size = 99;
        return false;
    });
    QTest::mouseClick(d.EAllAxisLineColors, Qt::LeftButton);
    QTest::mouseClick(d.EAllLabelFonts, Qt::LeftButton);
    EXPECT_EQ(d.X.AxisColorSample->SampleColor(), x);
    EXPECT_EQ(d.Y.AxisColorSample->SampleColor(), y);
    EXPECT_EQ(d.Y.Font, yFont);
    EXPECT_EQ(t.hook->ColorDialogs, std::vector<TColor>{x}); // preset to the X colour
    EXPECT_EQ(t.hook->FontDialogs.at(0), d.X.Font);

    t.hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clLime;
        return true;
    });
    t.hook->FontScripts.push_back([](TFontDialogRequest& r) {
        r.Font.Size = 99;
        return true;
    });
    QTest::mouseClick(d.EAllAxisLineColors, Qt::LeftButton);
    QTest::mouseClick(d.EAllLabelFonts, Qt::LeftButton);
    for (const T3DAxisControls* a : {&d.X, &d.Y, &d.Z}) {
        EXPECT_EQ(a->AxisColorSample->SampleColor(), clLime);
        EXPECT_EQ(a->Font.Size, 99);
        EXPECT_EQ(a->Font.Name, "Face 1");
    }

    // One axis alone, by its button or its sample.
    t.hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clRed;
        return true;
    });
    t.hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clBlue;
        return true;
    });
    t.hook->FontScripts.push_back([](TFontDialogRequest& r) {
        r.Font.Name = "Z only";
        return true;
    });
    QTest::mouseClick(d.Y.ColorButton, Qt::LeftButton);
    QTest::mouseClick(d.EBackGroundSample, Qt::LeftButton);
    QTest::mouseClick(d.Z.FontButton, Qt::LeftButton);
    TSetting3DObj out;
    d.Store(out);
    EXPECT_EQ(out.X.AxisColor, clLime);
    EXPECT_EQ(out.Y.AxisColor, clRed);
    EXPECT_EQ(out.BackColor, clBlue);
    EXPECT_EQ(out.Z.LabelFont.Name, "Z only");
    EXPECT_EQ(out.Y.LabelFont.Name, "Face 1");
}

TEST(Settings3DDlg, FormShowsWhole) {
    TOpenSettings t(unusualSettings());
    EXPECT_EQ(t.d.windowTitle(), "3D Cartesian Graph Settings");
    EXPECT_EQ(t.d.HelpContext(), 3000);
    EXPECT_EQ(t.d.X.ELabelPos->text(), "Label \"+X\" Axis");
    EXPECT_EQ(t.d.Z.EShowMinusSigns->text(), "Show \"-\" Sign");
    EXPECT_TRUE(ClippedCaptions(t.d).empty());
    EXPECT_FALSE(Shot(t.d, "settings3d").isNull());
}
