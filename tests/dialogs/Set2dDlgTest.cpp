#include "dialogs/Set2dDlg.h"
#include "labels/LabelDlgParts.h"
#include "math/ColorSample.h"
#include "math/editmath.h"
#include "platform/ScriptedUiHook.h"

#include "SetDlgTestSupport.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>

namespace {

// Every field away from its default, the two axes apart from each other.
TSetting2DObj unusualSettings() {
    TSetting2DObj s;
    int k = 0;
    for (TSetting2DAxis* a : {&s.X, &s.Y}) {
        ++k;
        a->ShowAxisLine = false;
        a->LoLimitStr = "-" + std::to_string(k) + "*2";
        a->LoLimitEmpty = false;
        a->HiLimitStr = "7/" + std::to_string(k);
        a->HiLimitEmpty = false;
        TMathConstCheck eval;
        eval.EvaluateText(a->LoLimitStr);
        a->LoLimit = eval.Value;
        eval.EvaluateText(a->HiLimitStr);
        a->HiLimit = eval.Value;
        a->AxisColor = 0x102030 * k;
        a->AxisWidth = 3 + k;
        a->AxisPenStyle = uint8_t(2 + k);
        a->TickType = uint8_t(1 + k);
        a->TickColor = 0x405060 + k;
        a->TickIncStr = "PI/" + std::to_string(k + 1);
        eval.EvaluateText(a->TickIncStr);
        a->TickInc = eval.Value;
        a->TickLength = 8 + k;
        a->GridPenStyle = uint8_t(k - 1);
        a->ShowTickLabels = false;
        a->LabelFormat = TNumberFormatKind(k == 1 ? nfScientific : nfCurrencyFixedDec);
        a->ThousandsSeparator = false;
        a->PlusSign = true;
        a->DecimalPlaces = 10 + k;
    }
    s.BackColor = 0x00C0FFEE;
    s.XLabelFont = {"Serif Face", 0x123456, fsBold | fsItalic, 13};
    s.YLabelFont = {"Mono Face", 0x654321, fsUnderline, 7};
    return s;
}

struct TOpenSettings {
    TScopedScriptedUiHook hook;
    TMainFormGuard mainForm;
    TSettings2DDlg d;

    explicit TOpenSettings(const TSetting2DObj& s = TSetting2DObj()) {
        d.Load(s);
        EXPECT_TRUE(ShowActive(d));
    }
};

} // namespace

TEST(Settings2DDlg, LoadThenStoreKeepsEveryRecordAndCancelKeepsTheSettings) {
    TScopedScriptedUiHook hook;
    TSetting2DObj s = unusualSettings();
    const recordtest::Bytes before = RecordsOf(s, GraphKind2D);
    ASSERT_NE(FirstDifference(RecordsOf(TSetting2DObj(), GraphKind2D), before), -1);
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TSettings2DDlg&>(form);
        EXPECT_EQ(d.PageControl1->currentIndex(), 0);
        EXPECT_TRUE(ShowActive(d));
        d.OKBtn->setFocus();
        PressKey(Qt::Key_Return);
        return d.result();
    });
    ASSERT_TRUE(Execute2DSettingsDlg(s));
    EXPECT_TRUE(s.Changed);
    EXPECT_EQ(FirstDifference(RecordsOf(s, GraphKind2D), before), -1);

    s.Changed = false;
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TSettings2DDlg&>(form);
        d.X.EShowAxisLines->setChecked(true);
        d.Y.Label.Format->setCurrentIndex(0);
        d.BackColorSample->SetSampleColor(clRed);
        d.XLabelFont.Size = 30;
        d.done(mrCancel);
        return d.result();
    });
    EXPECT_FALSE(Execute2DSettingsDlg(s));
    EXPECT_FALSE(s.Changed);
    EXPECT_EQ(FirstDifference(RecordsOf(s, GraphKind2D), before), -1);
}

TEST(Settings2DDlg, OkChecksTheSixFieldsThenTheLimitOrder) {
    struct TCase {
        const char* xLo;
        const char* xHi;
        const char* xInc;
        const char* yLo;
        const char* yHi;
        const char* yInc;
        std::string message; // empty: closes
        int page = 0;
    };
    const TCase cases[] = {
        {"", "", "1", "", "", "1", ""},
        {"5", "", "1", "", "-5", "1", ""},
        {"3", "3", "1", "-2", "-2", "1", ""},
        {"", "", "1000000000000", "", "", "1", ""},
        {"4", "3", "1", "", "", "1", "Error: Limit Lo X Axis End must be <= Limit Hi X Axis End"},
        {"1", "2", "1", "0", "-1", "1", "Error: Limit Lo Y Axis End must be <= Limit Hi Y Axis End"},
        {"", "", "0", "", "", "1", "Error: X Tick Mark Increments must be > 0 and <= 1,000,000,000,000", 1},
        {"", "", "1", "", "", "", "Error in: Y Tick Mark Increments: ", 1},
        {"", "2000000000000", "1", "", "", "1",
         "Error: Limit Hi X Axis End must be >= -1,000,000,000,000 and <= 1,000,000,000,000"},
        {"4", "3", "1", "", "", "X", "Error in: Y Tick Mark Increments: ", 1}, // fields before order
        {"SIN(", "", "0", "", "", "1", "Error in: Limit Lo X Axis End: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.empty() ? "passes" : c.message);
        TOpenSettings t;
        TSettings2DDlg& d = t.d;
        d.PageControl1->setCurrentIndex(2);
        d.X.ELimitLoAxis->setText(c.xLo);
        d.X.ELimitHiAxis->setText(c.xHi);
        d.X.ETickMarkInc->setText(c.xInc);
        d.Y.ELimitLoAxis->setText(c.yLo);
        d.Y.ELimitHiAxis->setText(c.yHi);
        d.Y.ETickMarkInc->setText(c.yInc);
        d.OKBtn->setFocus();
        PressKey(Qt::Key_Return);
        if (c.message.empty()) {
            EXPECT_FALSE(d.isVisible());
            EXPECT_EQ(d.result(), mrOk);
            EXPECT_TRUE(t.hook->Messages.empty());
            continue;
        }
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(t.hook->Messages.size(), 1u);
        EXPECT_EQ(t.hook->Messages[0].Text.substr(0, c.message.size()), c.message);
        EXPECT_EQ(t.hook->Messages[0].Type, mtError);
        const bool order = c.message.find("<= Limit Hi") != std::string::npos;
        // A field's own failure brings its page up and focuses it; the order check moves nothing.
        EXPECT_EQ(d.PageControl1->currentIndex(), order ? 2 : c.page);
        if (order) {
            EXPECT_EQ(Focused(), d.OKBtn);
        } else {
            EXPECT_NE(qobject_cast<TEditMathConst*>(Focused()), nullptr);
        }
    }
}

TEST(Settings2DDlg, FormatChangeResetsTheDigitsAndLoadingDoesNot) {
    TSetting2DObj s;
    s.X.LabelFormat = nfScientific;
    s.X.DecimalPlaces = 7;
    s.Y.LabelFormat = nfCurrencyMaxDec;
    s.Y.DecimalPlaces = 0;
    TOpenSettings t(s);
    TSettings2DDlg& d = t.d;
    EXPECT_EQ(d.X.Label.Digits->value(), 7);
    EXPECT_EQ(d.X.Label.DigitsCaption->text(), "Precision");
    EXPECT_FALSE(d.X.Label.Comma->isEnabled());
    EXPECT_TRUE(d.X.Label.Plus->isEnabled());
    EXPECT_EQ(d.Y.Label.Digits->value(), 0);
    EXPECT_FALSE(d.Y.Label.Comma->isEnabled());
    EXPECT_FALSE(d.Y.Label.Plus->isEnabled());
    EXPECT_EQ(d.Y.Label.DigitsCaption->text(), "Decimal Places");

    // The user picks formats with the keyboard.
    struct TStep {
        int index;
        int digits;
        const char* caption;
        bool comma, plus;
    };
    const TStep steps[] = {{0, 1, "Decimal Places", true, true},
                           {1, 1, "Decimal Places", true, true},
                           {2, 3, "Precision", false, true},
                           {3, 2, "Decimal Places", false, false},
                           {4, 2, "Decimal Places", false, false}};
    d.PageControl1->setCurrentWidget(d.LabelsTab);
    d.X.Label.Format->setFocus();
    PressKey(Qt::Key_Home);
    for (const auto& step : steps) {
        if (step.index > 0) PressKey(Qt::Key_Down);
        EXPECT_EQ(d.X.Label.Format->currentIndex(), step.index);
        EXPECT_EQ(d.X.Label.Digits->value(), step.digits);
        EXPECT_EQ(d.X.Label.DigitsCaption->text(), step.caption);
        EXPECT_EQ(d.X.Label.Comma->isEnabled(), step.comma);
        EXPECT_EQ(d.X.Label.Plus->isEnabled(), step.plus);
    }
    EXPECT_EQ(d.Y.Label.Digits->value(), 0); // the other axis is its own
}

TEST(Settings2DDlg, StylesTypesColoursFontsAndBars) {
    TSetting2DObj s;
    s.X.AxisPenStyle = 9; // outside the codes: solid
    s.X.GridPenStyle = 4;
    s.X.TickType = 7; // outside the codes: no type checked, stored as none
    s.Y.TickType = tkGridLines;
    s.X.AxisWidth = 25; // beyond the bar
    TOpenSettings t(s);
    TSettings2DDlg& d = t.d;
    EXPECT_TRUE(d.X.AxisPen.Styles->Buttons()[0]->isChecked());
    EXPECT_TRUE(d.X.GridPen.Styles->Buttons()[4]->isChecked());
    for (QRadioButton* r : {d.X.ENone, d.X.ETickMarks, d.X.EGridMarks, d.X.EGridLines})
        EXPECT_FALSE(r->isChecked());
    EXPECT_TRUE(d.Y.EGridLines->isChecked());
    EXPECT_EQ(d.X.AxisWidthLabel->text(), "10");
    EXPECT_EQ(d.X.AxisPen.Styles->Buttons()[3]->toolTip(), "Dash Dot Line");

    // The user's clicks and drags.
    d.PageControl1->setCurrentWidget(d.AxisLinesTab);
    QTest::mouseClick(d.Y.AxisPen.Styles->Buttons()[1], Qt::LeftButton);
    d.X.EAxisWidth->setFocus();
    PressKey(Qt::Key_Left);
    EXPECT_EQ(d.X.AxisWidthLabel->text(), "9");
    t.hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clBlue;
        return true;
    });
    t.hook->ColorScripts.push_back([](TColorDialogRequest&) { return false; });
    QTest::mouseClick(d.Y.AxisColorButton, Qt::LeftButton);
    QTest::mouseClick(d.BackColorSample, Qt::LeftButton);
    t.hook->FontScripts.push_back([](TFontDialogRequest& r) {
        r.Font.Size = 21;
        return true;
    });
    t.hook->FontScripts.push_back([](TFontDialogRequest& r) {
        r.Font.Size = 1;
        return false;
    });
    d.PageControl1->setCurrentWidget(d.LabelsTab);
    QTest::mouseClick(d.Y.TMLabelFontButton, Qt::LeftButton);
    QTest::mouseClick(d.X.TMLabelFontButton, Qt::LeftButton);
    d.PageControl1->setCurrentWidget(d.TickMarksTab);
    QTest::mouseClick(d.X.EGridMarks, Qt::LeftButton, {}, QPoint(6, d.X.EGridMarks->height() / 2));

    TSetting2DObj out;
    d.Store(out);
    EXPECT_EQ(out.X.AxisPenStyle, 0);
    EXPECT_EQ(out.Y.AxisPenStyle, 1);
    EXPECT_EQ(out.X.AxisWidth, 9);
    EXPECT_EQ(out.Y.AxisColor, clBlue);
    EXPECT_EQ(out.BackColor, clWhite);
    EXPECT_EQ(out.Y.TickType, tkGridLines);
    EXPECT_EQ(out.X.TickType, tkGridMarks);
    EXPECT_EQ(out.YLabelFont.Size, 21);
    EXPECT_EQ(out.XLabelFont, TSetting2DObj().XLabelFont);
    EXPECT_EQ(t.hook->ColorDialogs, (std::vector<TColor>{clBlack, clWhite}));

    // With no type checked the store gives none.
    TSettings2DDlg fresh;
    fresh.Load(s);
    TSetting2DObj none;
    fresh.Store(none);
    EXPECT_EQ(none.X.TickType, tkNone);
}

TEST(Settings2DDlg, EveryPageShowsWhole) {
    TOpenSettings t(unusualSettings());
    TSettings2DDlg& d = t.d;
    EXPECT_EQ(d.windowTitle(), "2D Cartesian Graph Settings");
    EXPECT_EQ(d.HelpContext(), 1000);
    const char* names[] = {"settings2d-axislines", "settings2d-tickmarks", "settings2d-labels"};
    for (int page = 0; page < 3; ++page) {
        d.PageControl1->setCurrentIndex(page);
        EXPECT_TRUE(ClippedCaptions(d).empty()) << names[page];
        EXPECT_FALSE(Shot(d, names[page]).isNull());
    }
}
