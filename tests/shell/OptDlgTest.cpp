#include "shell/OptDlg.h"

#include "StubWindows.h"
#include "common/DialogTestSupport.h"
#include "dialogs/FuncDlgTestSupport.h"
#include "math/CenterDlg.h"
#include "math/DefFont.h"
#include "platform/IniFile.h"
#include "platform/ScriptedUiHook.h"
#include "shell/HtmlHelp.h"
#include "shell/MainForm.h"
#include "shell/Options.h"
#include "shell/StatusBar.h"
#include "shell/status.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TObjects {
    TGeneralOptionsObj General;
    TStatusLineObj StatusLine;
    THotKey2DObj HotKeys2D;
    THotKeyPolarObj HotKeysPolar;
    THotKey3DObj HotKeys3D;

    bool Show(bool fromStatusBar) {
        return ShowOptionsDialog(fromStatusBar, General, StatusLine, HotKeys2D, HotKeysPolar, HotKeys3D);
    }
    // Everything as the ini file would hold it, to compare whole sets of options.
    std::string Text() const {
        TMemIniFile ini;
        General.WriteIni(ini);
        StatusLine.WriteIni(ini);
        HotKeys2D.WriteIni(ini);
        HotKeysPolar.WriteIni(ini);
        HotKeys3D.WriteIni(ini);
        WriteDefaultFontToIni(ini);
        return ini.GetText();
    }
};

// Every option and the default font away from their defaults.
TObjects changedObjects() {
    TObjects o;
    TGeneralOptionsObj& g = o.General;
    g.EnableRepTBButtons = false, g.RepeatDelay = 900, g.RepeatRate = 300, g.DefaultBmpWidth = 640;
    g.DefaultBmpHeight = 480, g.DefaultColorDepth = 4, g.FlatToolBars = true, g.CenterDlgsOnPosition = 1;
    g.CenterCommonDlgs = false;
    TStatusLineObj& s = o.StatusLine;
    s.CenterFormat2D = vcPixels, s.MouseFormat2D = mpRadians, s.CenterFormatPolar = vcRadians;
    s.MouseFormatPolar = mpBitMap, s.MouseFormat3D = m3Pixels, s.ShowStatusLine = false;
    THotKeyObj& h = o.HotKeys2D;
    h.Zoom1Range = 100, h.Zoom2Range = 10, h.Zoom3Range = 4, h.Zoom4Range = 1.5L, h.Zoom5Range = 0.05L;
    h.Zoom6Range = 0.0005L, h.GrScrollAmt = 25;
    THotKeyObj& p = o.HotKeysPolar;
    p.Zoom1Range = 200, p.Zoom3Range = 7, p.GrScrollAmt = 3;
    THotKey3DObj& d = o.HotKeys3D;
    d.Rotation3DIncAmt = 10, d.Zoom1Range3D = 30, d.Zoom2Range3D = 15, d.Zoom3Range3D = 7, d.Zoom4Range3D = 3;
    TFontRecord font;
    font.Name = "Options Face", font.Size = 13, font.Style = fsBold;
    DefaultFontHolder().SetFontAttributes(&font);
    return o;
}

void typeInto(QLineEdit* edit, const char* text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromUtf8(text));
}

class OptDlg : public ::testing::Test {
protected:
    TScopedScriptedUiHook hook;
    QWidget mainForm; // the font picker runs only with a main window
    void SetUp() override { SetApplicationMainForm(&mainForm); }
    void TearDown() override {
        SetApplicationMainForm(nullptr);
        DefaultFontHolder().ResetFont();
    }
};

} // namespace

TEST_F(OptDlg, TheStatusBarOpensTheStatusLinePageAndTheMenuTheGeneralPage) {
    TObjects o;
    ScriptDialog<TOptionsDlg>(*hook, [](TOptionsDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Options");
        EXPECT_EQ(d.PageControl1->currentWidget(), d.StatusLineTab);
        EXPECT_EQ(d.PageControl1->tabText(1), "Status Line");
        Click(d.EMouse2D[mpBitMap]);
        Click(d.OKBtn);
    });
    EXPECT_TRUE(o.Show(true));
    EXPECT_EQ(o.StatusLine.MouseFormat2D, mpBitMap);

    THtmlHelpInstallation help;
    ScriptDialog<TOptionsDlg>(*hook, [](TOptionsDlg& d) {
        EXPECT_EQ(d.PageControl1->currentWidget(), d.GeneralTab);
        // The first edit field has the focus, its text selected for typing over.
        EXPECT_EQ(Focused(), d.DefaultBmpWidth_Gen);
        EXPECT_EQ(d.DefaultBmpWidth_Gen->findChild<QLineEdit*>()->selectedText(), "1000");
        Click(d.HelpBtn);
        EXPECT_TRUE(d.isVisible());
        Click(d.CancelBtn);
    });
    EXPECT_FALSE(o.Show(false));
    ASSERT_EQ(hook->HelpRequests.size(), 1u);
    EXPECT_EQ(hook->HelpRequests[0].Context, 4010);
}

TEST_F(OptDlg, EveryControlShowsItsOptionAndOkStoresThemBackUnchanged) {
    TObjects o = changedObjects();
    const std::string before = o.Text();
    ScriptDialog<TOptionsDlg>(*hook, [](TOptionsDlg& d) {
        EXPECT_FALSE(d.RepeatingTBButtons_Gen->isChecked());
        EXPECT_EQ(d.RepeatDelay_Gen->value(), 900);
        EXPECT_EQ(d.RepeatRate_Gen->value(), 300);
        EXPECT_EQ(d.DefaultBmpHeight_Gen->value(), 480);
        EXPECT_EQ(d.DefaultColorDepth_Gen->currentText(), "32,768 Colors (15 Bit)");
        EXPECT_TRUE(d.CenterRadios_Gen[1]->isChecked());
        EXPECT_EQ(d.CenterRadios_Gen[1]->text(), "Center on Desktop");
        EXPECT_TRUE(d.EView2D[vcPixels]->isChecked());
        EXPECT_TRUE(d.EMousePol[mpBitMap]->isChecked());
        EXPECT_EQ(d.E3D[m3Pixels]->text(), "Pixels From Center");
        EXPECT_TRUE(d.E3D[m3Pixels]->isChecked());
        EXPECT_EQ(d.HotKeys2D.Zoom[3]->text(), "1.5");
        EXPECT_EQ(d.HotKeys2D.Zoom[5]->text(), "0.0005");
        EXPECT_EQ(d.HotKeysPolar.EScrollAmt->value(), 3);
        EXPECT_EQ(d.ERotAmount_3D->text(), "10");
        EXPECT_EQ(d.SpinEdit_3D[3]->value(), 3);
        EXPECT_EQ(d.DefaultFontCopy.Name, "Options Face");
        Click(d.OKBtn);
    });
    EXPECT_TRUE(o.Show(false));
    EXPECT_EQ(o.Text(), before);

    // A colour depth code without an item shows none and comes back as the screen's depth.
    o.General.DefaultColorDepth = 1;
    ScriptDialog<TOptionsDlg>(*hook, [](TOptionsDlg& d) {
        EXPECT_EQ(d.DefaultColorDepth_Gen->currentIndex(), -1);
        Click(d.OKBtn);
    });
    EXPECT_TRUE(o.Show(false));
    EXPECT_EQ(o.General.DefaultColorDepth, 0);
    EXPECT_EQ(hook->Unscripted, 0);
}

TEST_F(OptDlg, AFailedStepBringsItsPageForwardFocusesItAndKeepsTheDialogOpen) {
    TObjects o;
    ScriptDialog<TOptionsDlg>(*hook, [&](TOptionsDlg& d) {
        typeInto(d.HotKeys2D.Zoom[3], "20000");
        typeInto(d.HotKeysPolar.Zoom[1], "abc");
        typeInto(d.ERotAmount_3D, "0");
        d.SetActivePage(opGeneral);
        d.RepeatingTBButtons_Gen->setFocus();
        hook->AnswerMessage(mrOk);
        Click(d.OKBtn);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(hook->LastMessage(), "Error: 20 to 1 must be >= 0.00001 and <= 10,000");
        EXPECT_EQ(d.PageControl1->currentWidget(), d.HotKeys2D.Tab);
        EXPECT_EQ(Focused(), d.HotKeys2D.Zoom[3]);

        typeInto(d.HotKeys2D.Zoom[3], "1/4");
        hook->AnswerMessage(mrOk);
        Click(d.OKBtn);
        EXPECT_EQ(hook->LastMessage().rfind("Error in: 1,000 to 100: ", 0), 0u);
        EXPECT_EQ(d.PageControl1->currentWidget(), d.HotKeysPolar.Tab);
        EXPECT_EQ(Focused(), d.HotKeysPolar.Zoom[1]);

        typeInto(d.HotKeysPolar.Zoom[1], "30");
        hook->AnswerMessage(mrOk);
        PressKey(Qt::Key_Return); // Enter is OK
        EXPECT_EQ(hook->LastMessage(), "Error: Rotation Amount must be >= 0.1 and <= 359");
        EXPECT_EQ(d.PageControl1->currentWidget(), d.HotKey3DTab);
        EXPECT_EQ(Focused(), d.ERotAmount_3D);
        EXPECT_EQ(hook->Messages.size(), 3u);

        typeInto(d.ERotAmount_3D, "7.5");
        Click(d.OKBtn);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(o.Show(false));
    EXPECT_EQ(o.HotKeys2D.Zoom4Range, 0.25L);
    EXPECT_EQ(o.HotKeysPolar.Zoom2Range, 30);
    EXPECT_EQ(o.HotKeys3D.Rotation3DIncAmt, 7.5L);
    EXPECT_EQ(hook->Unscripted, 0);
}

TEST_F(OptDlg, EnterAndEscInASpinEditCloseTheDialogAsOkAndCancel) {
    TObjects o;
    ScriptDialog<TOptionsDlg>(*hook, [](TOptionsDlg& d) {
        d.SetActivePage(opHotKey2D);
        d.HotKeys2D.EScrollAmt->setFocus();
        d.HotKeys2D.EScrollAmt->selectAll();
        TypeText("44");
        PressKey(Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_FALSE(o.Show(false));
    EXPECT_EQ(o.HotKeys2D.GrScrollAmt, 10);

    ScriptDialog<TOptionsDlg>(*hook, [](TOptionsDlg& d) {
        d.SetActivePage(opHotKey3D);
        d.SpinEdit_3D[1]->setFocus();
        d.SpinEdit_3D[1]->selectAll();
        TypeText("150"); // 100 at most: Enter takes the limit
        EXPECT_EQ(d.SpinEdit_3D[1]->text(), "150");
        PressKey(Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(o.Show(false));
    EXPECT_EQ(o.HotKeys3D.Zoom2Range3D, 100);

    // A bitmap size outside 16..2000 becomes the nearer limit when the field is left.
    struct TCase {
        const char* typed;
        int stored;
    };
    for (const TCase c : {TCase{"5000", 2000}, TCase{"5", 16}, TCase{"-100", 16}}) {
        SCOPED_TRACE(c.typed);
        ScriptDialog<TOptionsDlg>(*hook, [&](TOptionsDlg& d) {
            d.DefaultBmpWidth_Gen->setFocus();
            d.DefaultBmpWidth_Gen->selectAll();
            TypeText(c.typed);
            EXPECT_EQ(d.DefaultBmpWidth_Gen->text(), c.typed);
            PressKey(Qt::Key_Tab);
            EXPECT_EQ(d.DefaultBmpWidth_Gen->text(), QString::number(c.stored));
            Click(d.OKBtn);
        });
        EXPECT_TRUE(o.Show(false));
        EXPECT_EQ(o.General.DefaultBmpWidth, c.stored);
    }
}

TEST_F(OptDlg, DefaultResetsEverythingOnOkOnlyAndAPickedFontWaitsForOk) {
    TObjects o = changedObjects();
    const std::string before = o.Text();
    hook->FontScripts.push_back([](TFontDialogRequest& r) {
        r.Font.Name = "Picked Face";
        return true;
    });
    ScriptDialog<TOptionsDlg>(*hook, [](TOptionsDlg& d) {
        Click(d.DefaultFontButton);
        EXPECT_EQ(d.DefaultFontCopy.Name, "Picked Face");
        Click(d.EDefaultChBox);
        Click(d.CancelBtn);
    });
    EXPECT_FALSE(o.Show(false));
    EXPECT_EQ(o.Text(), before);
    ASSERT_EQ(hook->FontDialogs.size(), 1u);
    EXPECT_EQ(hook->FontDialogs[0].Name, "Options Face");

    hook->FontScripts.push_back([](TFontDialogRequest& r) {
        r.Font.Name = "Picked Face";
        return true;
    });
    ScriptDialog<TOptionsDlg>(*hook, [](TOptionsDlg& d) {
        Click(d.DefaultFontButton);
        Click(d.OKBtn);
    });
    EXPECT_TRUE(o.Show(false));
    EXPECT_EQ(GetDefaultFont().Name, "Picked Face");

    ScriptDialog<TOptionsDlg>(*hook, [](TOptionsDlg& d) {
        EXPECT_EQ(d.EDefaultChBox->toolTip(), "Reset All Options To Defaults");
        Click(d.EDefaultChBox);
        d.SetActivePage(opStatusLine);
        Click(d.EMouse2D[mpPixels]);
        Click(d.OKBtn);
    });
    EXPECT_TRUE(o.Show(false));
    EXPECT_EQ(o.Text(), TObjects().Text());
    EXPECT_EQ(GetDefaultFont(), TFontRecord());
}

TEST_F(OptDlg, KeysMoveThroughEachPageInReadingOrder) {
    TOptionsDlg d;
    TObjects o;
    d.Load(LoadOptions({o.General, o.StatusLine, o.HotKeys2D, o.HotKeysPolar, o.HotKeys3D}));
    ASSERT_TRUE(ShowActive(d));
    auto walk = [&](QWidget* first, int steps) {
        std::vector<QWidget*> seen;
        first->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < steps; ++i) {
            seen.push_back(Focused());
            PressKey(Qt::Key_Tab);
        }
        return seen;
    };
    const std::vector<QWidget*> tail = {d.EDefaultChBox, d.OKBtn, d.CancelBtn, d.HelpBtn};
    auto withTail = [&](std::vector<QWidget*> v) {
        v.insert(v.end(), tail.begin(), tail.end());
        return v;
    };
    // Tab enters a radio group once, at its checked button; the arrows move within it.
    d.SetActivePage(opGeneral);
    EXPECT_EQ(walk(d.RepeatingTBButtons_Gen, 14),
              withTail({d.RepeatingTBButtons_Gen, d.RepeatDelay_Gen, d.RepeatRate_Gen, d.DefaultBmpWidth_Gen,
                        d.DefaultBmpHeight_Gen, d.DefaultColorDepth_Gen, d.FlatToolBars_Gen,
                        d.DefaultFontButton, d.CenterRadios_Gen[3], d.CenterComnChkBox_Gen}));
    d.SetActivePage(opStatusLine);
    EXPECT_EQ(walk(d.EView2D[0], 10), withTail({d.EView2D[0], d.EMouse2D[0], d.EViewPol[1], d.EMousePol[1],
                                                d.E3D[3], d.EShowStatusLine}));
    // Every group alike: an arrow moves on and checks, and Tab then enters at the new one.
    const std::vector<std::pair<std::vector<QRadioButton*>, int>> groups = {
        {{d.EView2D.begin(), d.EView2D.end()}, 0},
        {{d.EMouse2D.begin(), d.EMouse2D.end()}, 0},
        {{d.EViewPol.begin(), d.EViewPol.end()}, 1},
        {{d.EMousePol.begin(), d.EMousePol.end()}, 1},
        {{d.E3D.begin(), d.E3D.end()}, 3},
        {{d.CenterRadios_Gen.begin(), d.CenterRadios_Gen.end()}, 3},
    };
    for (const auto& [group, checked] : groups) {
        SCOPED_TRACE(group[0]->parentWidget()->property("title").toString().toStdString());
        d.PageControl1->setCurrentWidget(group[0] == d.CenterRadios_Gen[0] ? d.GeneralTab : d.StatusLineTab);
        group[size_t(checked)]->setFocus(Qt::TabFocusReason);
        const int next = checked == 0 ? 1 : checked - 1;
        PressKey(checked == 0 ? Qt::Key_Down : Qt::Key_Up);
        EXPECT_EQ(Focused(), group[size_t(next)]);
        EXPECT_TRUE(group[size_t(next)]->isChecked());
        PressKey(Qt::Key_Tab);
        PressKey(Qt::Key_Backtab);
        EXPECT_EQ(Focused(), group[size_t(next)]);
    }
    d.SetActivePage(opHotKeyPolar);
    std::vector<QWidget*> polar(d.HotKeysPolar.Zoom.begin(), d.HotKeysPolar.Zoom.end());
    polar.push_back(d.HotKeysPolar.EScrollAmt);
    EXPECT_EQ(walk(d.HotKeysPolar.Zoom[0], 11), withTail(polar));
    // A tabbed-into step keeps its text unselected.
    d.HotKeysPolar.Zoom[0]->setFocus();
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(Focused(), d.HotKeysPolar.Zoom[1]);
    EXPECT_FALSE(d.HotKeysPolar.Zoom[1]->hasSelectedText());
    d.SetActivePage(opHotKey3D);
    EXPECT_EQ(walk(d.ERotAmount_3D, 9), withTail({d.ERotAmount_3D, d.SpinEdit_3D[0], d.SpinEdit_3D[1],
                                                  d.SpinEdit_3D[2], d.SpinEdit_3D[3]}));

    // The track bars read "Long ... Short" and "Slow ... Fast": the right arrow moves the
    // handle right, towards shorter intervals.
    d.SetActivePage(opGeneral);
    d.RepeatDelay_Gen->setFocus();
    PressKey(Qt::Key_Right);
    EXPECT_EQ(d.RepeatDelay_Gen->value(), 599);
    EXPECT_EQ(d.RepeatDelay_Gen->tickInterval(), 50);
    EXPECT_EQ(d.RepeatRate_Gen->tickInterval(), 20);
    EXPECT_EQ(d.RepeatRate_Gen->maximum(), 700);
    d.done(mrCancel);
}

TEST_F(OptDlg, EveryPageIsLaidOutWithNothingCutOff) {
    TOptionsDlg d;
    TObjects o;
    d.Load(LoadOptions({o.General, o.StatusLine, o.HotKeys2D, o.HotKeysPolar, o.HotKeys3D}));
    ASSERT_TRUE(ShowActive(d));
    const char* names[] = {"options-general", "options-status", "options-2d", "options-polar", "options-3d"};
    for (int page = opGeneral; page <= opHotKey3D; ++page) {
        d.SetActivePage(TOptionsPage(page));
        QTest::qWait(1);
        const QImage shot = d.grab().toImage();
        ASSERT_FALSE(shot.isNull());
        for (QWidget* w : d.PageOf(TOptionsPage(page))->findChildren<QWidget*>()) {
            const QWidget* parent = w->parentWidget();
            if (!w->isVisibleTo(&d) || parent->inherits("QAbstractSpinBox") || parent->inherits("QComboBox"))
                continue;
            EXPECT_TRUE(parent->rect().contains(w->geometry()))
                << names[page] << ": " << w->metaObject()->className();
            const QSize need = w->minimumSizeHint();
            EXPECT_TRUE(w->width() >= need.width() && w->height() >= need.height())
                << names[page] << ": " << w->metaObject()->className() << " is " << w->width() << "x"
                << w->height() << ", needs " << need.width() << "x" << need.height();
        }
        // Set QUORIX_SHOTS to a folder to look at the pages.
        if (const QByteArray dir = qgetenv("QUORIX_SHOTS"); !dir.isEmpty())
            shot.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(names[page]) + ".png"));
    }
    d.done(mrCancel);
}

TEST(OptDlgMainForm, TheStatusBarAndTheMenuOpenItAndOkAppliesAndWritesTheIniWhenAllowed) {
    const std::string locked = "[CanSaveOptions]\nAllowIniFileChanges=0\n";
    for (const std::string& ini : {std::string("[StatusLine]\nMouseFormat2D=mpPixels\n"), locked}) {
        SCOPED_TRACE(ini);
        stubs::TMainFormRig rig(true, ini);
        TMainForm& form = *rig.form;
        form.show();
        ScriptDialog<TOptionsDlg>(*rig.hook, [](TOptionsDlg& d) {
            EXPECT_EQ(d.PageControl1->currentWidget(), d.StatusLineTab);
            Click(d.EMouse2D[mpBitMap]);
            Click(d.EShowStatusLine);
            Click(d.OKBtn);
        });
        QTest::mouseDClick(form.StatusBar, Qt::LeftButton);
        EXPECT_EQ(form.StatusLine.MouseFormat2D, mpBitMap);
        EXPECT_TRUE(form.StatusBar->isHidden());
        std::stringstream text;
        text << std::ifstream(rig.path("quorix.ini")).rdbuf();
        if (ini == locked) {
            EXPECT_EQ(text.str(), locked);
        } else {
            EXPECT_NE(text.str().find("MouseFormat2D=mpBitMap"), std::string::npos);
            EXPECT_NE(text.str().find("ShowStatusLine=0"), std::string::npos);
        }

        // The menu item opens the General page; Cancel applies nothing.
        ScriptDialog<TOptionsDlg>(*rig.hook, [](TOptionsDlg& d) {
            EXPECT_EQ(d.PageControl1->currentWidget(), d.GeneralTab);
            Click(d.FlatToolBars_Gen);
            Click(d.CancelBtn);
        });
        form.Options1->trigger();
        EXPECT_FALSE(form.GeneralOptions.FlatToolBars);
        EXPECT_EQ(rig.hook->Unscripted, 0);
    }
    DefaultFontHolder().ResetFont();
}
