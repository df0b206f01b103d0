#include "dialogs/SetPoDlg.h"
#include "dialogs/StdAxis.h"
#include "labels/LabelDlgParts.h"
#include "math/ColorSample.h"
#include "math/editmath.h"
#include "platform/ScriptedUiHook.h"

#include "SetDlgTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TSettingPolarObj unusualSettings() {
    TSettingPolarObj s;
    s.BackColor = 0x00ABCDEF;
    s.AxisCount = 5;
    s.AxisAngles.fill(11.25L); // the slots after the list are kept too
    for (int i = 0; i < 5; ++i)
        s.AxisAngles[i] = (300.5L - 60 * i); // unsorted: kept as loaded unless the list is left
    s.AxisColor = 0x00112233;
    s.AxisWidth = 7;
    s.AxisPenStyle = 3;
    TMathConstCheck eval;
    s.TickIncStr = "PI/4";
    eval.EvaluateText(s.TickIncStr);
    s.TickInc = eval.Value;
    s.TickMarkType = pkCircles;
    s.TickColor = 0x00445566;
    s.DashLength = 9;
    s.CircleWidth = 4;
    s.CirclePenStyle = 2;
    s.ShowLabels = false;
    s.LabelFormat = nfFixedDecimal;
    s.ThousandsSeparator = false;
    s.PlusSign = true;
    s.DecimalPlaces = 6;
    s.RestrictRadius = true;
    s.RadiusRestrictStr = "12.5";
    eval.EvaluateText(s.RadiusRestrictStr);
    s.RadiusRestrict = eval.Value;
    s.LabelFont = {"Polar Face", 0x00777777, fsStrikeOut | fsBold, 15};
    return s;
}

void typeLines(QWidget* memo, const std::string& text);

struct TOpenSettings {
    TScopedScriptedUiHook hook;
    TMainFormGuard mainForm;
    TSettingsPolarDlg d;

    explicit TOpenSettings(const TSettingPolarObj& s = TSettingPolarObj()) {
        d.Load(s);
        EXPECT_TRUE(ShowActive(d));
    }
    std::string memo() const { return d.EAxisList->toPlainText().toStdString(); }
    // Types the lines into the memo and leaves it with Tab.
    void typeList(const char* text) {
        d.EAxisList->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(d.EAxisList, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(d.EAxisList, Qt::Key_Delete);
        typeLines(d.EAxisList, text);
    }
};

std::vector<long double> angles(std::initializer_list<long double> a) {
    return a;
}

// Types text into a memo, Enter between the lines.
void typeLines(QWidget* memo, const std::string& text) {
    const QStringList lines = QString::fromStdString(text).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0) QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, lines[i]);
    }
}

} // namespace

TEST(SettingsPolarDlg, LeavingTheAxisListReadsSortsAndRefillsIt) {
    TOpenSettings t;
    TSettingsPolarDlg& d = t.d;
    EXPECT_EQ(t.memo(), "0\n45\n90\n135\n180\n225\n270\n315");
    EXPECT_EQ(Focused(), d.ERestrictAmt);

    t.typeList("90\n0\n90\n45");
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(Focused(), d.Button1);
    EXPECT_EQ(t.memo(), "0\n45\n90");
    EXPECT_EQ(d.Working.InUse(), angles({0, 45, 90}));

    t.typeList("-90\n\n370\n 12.5 \n");
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(t.memo(), "10\n12.5\n270");

    t.typeList("");
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(d.Working.Count, 0);
    EXPECT_EQ(t.memo(), "");

    // 400 good lines: the first 360 stay.
    std::string many;
    for (int i = 0; i < 400; ++i)
        many += std::to_string(i % 360 + (i >= 360 ? 0.5 : 0)) + "\n";
    t.typeList(many.c_str());
    PressKey(Qt::Key_Tab);
    ASSERT_EQ(d.Working.Count, 360);
    EXPECT_EQ(d.Working.Angles[359], 359);
    EXPECT_EQ(d.EAxisList->toPlainText().count('\n'), 359);
    EXPECT_TRUE(t.hook->Messages.empty());
}

TEST(SettingsPolarDlg, ABadLineAsksOkOrAbortAndAbortMayReset) {
    struct TCase {
        const char* name;
        std::vector<int> answers;
        bool reset;
    };
    const TCase cases[] = {
        {"OK keeps the text", {mrOk}, false},
        {"Abort, then Cancel keeps the text", {mrAbort, mrCancel}, false},
        {"Abort, then OK resets", {mrAbort, mrOk}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TSettingPolarObj s;
        s.AxisCount = 3;
        s.AxisAngles[0] = 200; // unsorted at load
        s.AxisAngles[1] = 100;
        s.AxisAngles[2] = 0;
        TOpenSettings t(s);
        TSettingsPolarDlg& d = t.d;
        t.typeList("30");
        PressKey(Qt::Key_Tab);
        EXPECT_EQ(d.Working.InUse(), angles({30}));
        for (int a : c.answers)
            t.hook->AnswerMessage(a);
        t.typeList("10\nten\n20");
        PressKey(Qt::Key_Tab);
        ASSERT_GE(t.hook->Messages.size(), 1u);
        const auto& m = t.hook->Messages[0];
        EXPECT_EQ(m.Text, "Invalid numeric format in axis angle #1");
        EXPECT_EQ(m.Type, mtError);
        EXPECT_EQ(m.Buttons, (TMsgDlgButtons{mbOK, mbAbort}));
        EXPECT_EQ(m.Owner, &d);
        if (c.answers.size() > 1) {
            ASSERT_EQ(t.hook->Messages.size(), 2u);
            EXPECT_EQ(t.hook->Messages[1].Text, "This will reset the axis list to original values.");
            EXPECT_EQ(t.hook->Messages[1].Type, mtConfirmation);
            EXPECT_EQ(t.hook->Messages[1].Buttons, (TMsgDlgButtons{mbOK, mbCancel}));
        }
        EXPECT_EQ(Focused(), d.EAxisList);
        if (c.reset) {
            EXPECT_EQ(d.Working.InUse(), angles({0, 100, 200}));
            EXPECT_EQ(t.memo(), "0\n100\n200");
        } else {
            EXPECT_EQ(d.Working.InUse(), angles({30}));
            EXPECT_EQ(t.memo(), "10\nten\n20");
        }
    }
}

TEST(SettingsPolarDlg, OkReadsAChangedAxisListAgainAndRefusesABadOne) {
    // After the exit's message was answered OK, a click on OK asks again and keeps the
    // dialog open; the old list is never stored silently.
    TOpenSettings t;
    TSettingsPolarDlg& d = t.d;
    t.typeList("15\n1x5");
    PressKey(Qt::Key_Tab);
    ASSERT_EQ(t.hook->Messages.size(), 1u);
    QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    ASSERT_EQ(t.hook->Messages.size(), 2u);
    EXPECT_EQ(t.hook->Messages[1].Text, "Invalid numeric format in axis angle #1");

    // Text that reaches the memo while the focus is elsewhere, so that no exit reads it:
    // OK reads it all the same.
    t.typeList("5");
    PressKey(Qt::Key_Tab);
    d.ERestrict->setFocus();
    d.OKBtn->setFocus();
    QTest::keyClick(d.EAxisList, Qt::Key_End, Qt::ControlModifier);
    typeLines(d.EAxisList, "\nabc");
    EXPECT_EQ(Focused(), d.OKBtn);
    EXPECT_EQ(t.memo(), "5\nabc");
    t.hook->Clear();
    PressKey(Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(t.hook->MessageTexts(), std::vector<std::string>{"Invalid numeric format in axis angle #1"});
    EXPECT_EQ(Focused(), d.EAxisList);
    EXPECT_EQ(d.Working.InUse(), angles({5}));

    // Mended: OK takes the list the memo shows.
    t.typeList("300\n15\n150");
    d.OKBtn->setFocus();
    PressKey(Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), mrOk);
    TSettingPolarObj out;
    d.Store(out);
    EXPECT_EQ(out.AxisCount, 3);
    EXPECT_EQ(std::vector<long double>(out.AxisAngles.begin(), out.AxisAngles.begin() + 3),
              angles({15, 150, 300}));
}

TEST(SettingsPolarDlg, OkChecksIncrementsThenRadius) {
    struct TCase {
        const char* inc;
        const char* radius;
        std::string message;
    };
    const TCase cases[] = {
        {"1", "5", ""},
        {"1000000000000", "0.001", ""},
        {"0", "5", "Error: Tick Mark Increments must be > 0 and <= 1,000,000,000,000"},
        {"0", "0", "Error: Tick Mark Increments must be > 0 and <= 1,000,000,000,000"},
        {"2", "-1", "Error: Restrict Graph Radius Amount must be > 0 and <= 1,000,000,000,000"},
        {"2", "", "Error in: Restrict Graph Radius Amount: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        TOpenSettings t;
        TSettingsPolarDlg& d = t.d;
        d.ETickMarkIncrements->setText(c.inc);
        d.ERestrictAmt->setText(c.radius);
        PressKey(Qt::Key_Return);
        if (c.message.empty()) {
            EXPECT_FALSE(d.isVisible());
            EXPECT_TRUE(t.hook->Messages.empty());
            continue;
        }
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(t.hook->Messages.size(), 1u);
        EXPECT_EQ(t.hook->Messages[0].Text.substr(0, c.message.size()), c.message);
        EXPECT_EQ(Focused(), c.message.find("Increments") != std::string::npos
                                 ? static_cast<QWidget*>(d.ETickMarkIncrements)
                                 : d.ERestrictAmt);
    }
}

TEST(SettingsPolarDlg, TickTypesKeepTheirOwnSizes) {
    TSettingPolarObj s;
    s.DashLength = 5;
    s.CircleWidth = 2;
    TOpenSettings t(s);
    TSettingsPolarDlg& d = t.d;
    EXPECT_TRUE(d.EDashes->isChecked());
    EXPECT_EQ(d.SizeTypeLabel->text(), "Dash Length");
    EXPECT_EQ(d.ETickMarkSize->value(), 5);
    d.ETickMarkSize->setFocus();
    for (int i = 0; i < 3; ++i)
        PressKey(Qt::Key_Right);
    EXPECT_EQ(d.ETMSizeLabel->text(), "8");
    const QPoint dot(6, d.ECircles->height() / 2);
    QTest::mouseClick(d.ECircles, Qt::LeftButton, {}, dot);
    EXPECT_EQ(d.SizeTypeLabel->text(), "Circle Width");
    EXPECT_EQ(d.ETickMarkSize->value(), 2);
    EXPECT_EQ(d.ETMSizeLabel->text(), "2");
    d.ETickMarkSize->setValue(3);
    // The arrow keys move between the three buttons as clicks do.
    d.ECircles->setFocus();
    PressKey(Qt::Key_Left);
    EXPECT_TRUE(d.EDashes->isChecked());
    EXPECT_EQ(d.ETickMarkSize->value(), 8);
    QTest::mouseClick(d.ENoTicks, Qt::LeftButton, {}, dot);
    EXPECT_EQ(d.SizeTypeLabel->text(), "No Tick Marks");
    EXPECT_EQ(d.ETickMarkSize->value(), 1);
    QTest::mouseClick(d.ECircles, Qt::LeftButton, {}, dot);
    EXPECT_EQ(d.ETickMarkSize->value(), 3);
    d.ETickMarkSize->setValue(6);
    TSettingPolarObj out;
    d.Store(out);
    EXPECT_EQ(out.TickMarkType, pkCircles);
    EXPECT_EQ(out.CircleWidth, 6);
    EXPECT_EQ(out.DashLength, 8);

    // A loaded type beyond the three shows none and stores as none.
    s.TickMarkType = 9;
    TSettingsPolarDlg other;
    other.Load(s);
    EXPECT_TRUE(other.ENoTicks->isChecked());
    EXPECT_EQ(other.SizeTypeLabel->text(), "No Tick Marks");
    other.Store(out);
    EXPECT_EQ(out.TickMarkType, pkNone);
    EXPECT_EQ(out.DashLength, 5);
}

TEST(SettingsPolarDlg, StandardListsThroughTheirDialog) {
    struct TCase {
        const char* name;
        std::function<void(TStdAxisListDlg&)> choose;
        std::vector<long double> first;
        int count;
    };
    const TCase cases[] = {
        {"45 is checked at first", [](TStdAxisListDlg&) {}, {0, 45}, 8},
        {"None", [](TStdAxisListDlg& s) { s.ERadioNone->setChecked(true); }, {}, 0},
        {"90", [](TStdAxisListDlg& s) { s.ERadio90->setChecked(true); }, {0, 90}, 4},
        {"30", [](TStdAxisListDlg& s) { s.ERadio30->setChecked(true); }, {0, 30}, 12},
        {"15", [](TStdAxisListDlg& s) { s.ERadioIntervals->setChecked(true); }, {0, 15}, 24},
        {"359",
         [](TStdAxisListDlg& s) {
             s.ERadioIntervals->setChecked(true);
             s.EIntervalAmt->setText("359");
         },
         {0, 359},
         2},
        {"1",
         [](TStdAxisListDlg& s) {
             s.ERadioIntervals->setChecked(true);
             s.EIntervalAmt->setText("1");
         },
         {0, 1},
         360},
        // A bad interval only counts when intervals are chosen.
        {"bad interval unused",
         [](TStdAxisListDlg& s) {
             s.ERadio90->setChecked(true);
             s.EIntervalAmt->setText("0");
         },
         {0, 90},
         4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TOpenSettings t;
        TSettingsPolarDlg& d = t.d;
        t.hook->ScriptModal([&](QDialog& form) {
            auto& s = static_cast<TStdAxisListDlg&>(form);
            EXPECT_EQ(s.windowTitle(), "Standard Axis Lists");
            EXPECT_EQ(s.HelpContext(), 2005);
            EXPECT_EQ(s.EIntervalAmt->text(), "15");
            EXPECT_TRUE(s.ERadio45->isChecked());
            c.choose(s);
            s.done(mrOk);
            return s.result();
        });
        QTest::mouseClick(d.Button1, Qt::LeftButton);
        ASSERT_EQ(t.hook->ModalForms.size(), 1u);
        EXPECT_EQ(d.Working.Count, c.count);
        for (std::size_t i = 0; i < c.first.size(); ++i)
            EXPECT_EQ(d.Working.Angles[i], c.first[i]);
        const QStringList lines = d.EAxisList->toPlainText().split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(lines.size(), c.count);
        EXPECT_TRUE(t.hook->Messages.empty());
    }

    // 0 and 360 are refused by the interval field; Cancel then changes nothing.
    TOpenSettings t;
    TSettingsPolarDlg& d = t.d;
    t.hook->ScriptModal([&](QDialog& form) {
        auto& s = static_cast<TStdAxisListDlg&>(form);
        s.ERadioIntervals->setChecked(true);
        for (const char* bad : {"0", "360"}) {
            s.EIntervalAmt->setText(bad);
            s.done(mrOk);
            EXPECT_EQ(s.result(), mrNone) << bad;
        }
        s.done(mrCancel);
        return s.result();
    });
    QTest::mouseClick(d.Button1, Qt::LeftButton);
    EXPECT_EQ(t.hook->MessageTexts(),
              (std::vector<std::string>{"Error: Interval Amount must be >= 1 and <= 359",
                                        "Error: Interval Amount must be >= 1 and <= 359"}));
    EXPECT_EQ(d.Working.Count, 8);
    EXPECT_EQ(d.Working.Angles[1], 45);
}

TEST(SettingsPolarDlg, LoadThenStoreKeepsEveryRecordAndCancelKeepsTheSettings) {
    TScopedScriptedUiHook hook;
    TSettingPolarObj s = unusualSettings();
    const recordtest::Bytes before = RecordsOf(s, GraphKindPolar);
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TSettingsPolarDlg&>(form);
        EXPECT_TRUE(ShowActive(d));
        EXPECT_EQ(d.EAxisList->toPlainText(), "300.5\n240.5\n180.5\n120.5\n60.5");
        EXPECT_TRUE(d.ECircles->isChecked());
        EXPECT_EQ(d.ETickMarkSize->value(), 4);
        PressKey(Qt::Key_Return);
        return d.result();
    });
    ASSERT_TRUE(ExecutePolarSettingsDlg(s));
    EXPECT_TRUE(s.Changed);
    EXPECT_EQ(FirstDifference(RecordsOf(s, GraphKindPolar), before), -1);

    s.Changed = false;
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TSettingsPolarDlg&>(form);
        d.EAxisList->setPlainText("1\n2");
        d.EAxisListExit();
        d.EDashes->setChecked(true);
        d.LabelFont.Size = 40;
        d.done(mrCancel);
        return d.result();
    });
    EXPECT_FALSE(ExecutePolarSettingsDlg(s));
    EXPECT_FALSE(s.Changed);
    EXPECT_EQ(FirstDifference(RecordsOf(s, GraphKindPolar), before), -1);
}

TEST(SettingsPolarDlg, LabelFormatColoursAndFont) {
    TSettingPolarObj s;
    s.LabelFormat = nfScientific;
    s.DecimalPlaces = 5;
    TOpenSettings t(s);
    TSettingsPolarDlg& d = t.d;
    EXPECT_EQ(d.Label.Digits->value(), 5);
    EXPECT_EQ(d.Label.DigitsCaption->text(), "Precision");
    EXPECT_FALSE(d.Label.Comma->isEnabled());
    EXPECT_EQ(d.Label.Comma->text(), "\",\"");
    EXPECT_EQ(d.Label.Comma->toolTip(), "Thousands Separator");
    d.Label.Format->setFocus();
    PressKey(Qt::Key_Down);
    EXPECT_EQ(d.Label.Digits->value(), 2);
    PressKey(Qt::Key_Home);
    EXPECT_EQ(d.Label.Digits->value(), 1);
    EXPECT_TRUE(d.Label.Comma->isEnabled());
    EXPECT_EQ(d.Label.Digits->maximum(), 8);

    t.hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clRed;
        return true;
    });
    t.hook->FontScripts.push_back([](TFontDialogRequest& r) {
        r.Font.Name = "Chosen";
        return true;
    });
    QTest::mouseClick(d.ETickMarkColorSample, Qt::LeftButton);
    QTest::mouseClick(d.LabelFontButton, Qt::LeftButton);
    QTest::mouseClick(d.AxisStyle.Styles->Buttons()[4], Qt::LeftButton);
    TSettingPolarObj out;
    d.Store(out);
    EXPECT_EQ(out.TickColor, clRed);
    EXPECT_EQ(out.LabelFont.Name, "Chosen");
    EXPECT_EQ(out.AxisPenStyle, 4);
    EXPECT_EQ(out.LabelFormat, nfMaxDecimal);
}

TEST(SettingsPolarDlg, FormsShowWhole) {
    TOpenSettings t(unusualSettings());
    EXPECT_EQ(t.d.windowTitle(), "Polar Graph Settings");
    EXPECT_EQ(t.d.HelpContext(), 2000);
    EXPECT_TRUE(ClippedCaptions(t.d).empty());
    EXPECT_FALSE(Shot(t.d, "settingspolar").isNull());
    TStdAxisListDlg s;
    ASSERT_TRUE(ShowActive(s));
    EXPECT_TRUE(ClippedCaptions(s).empty());
    EXPECT_FALSE(Shot(s, "stdaxislist").isNull());
}
