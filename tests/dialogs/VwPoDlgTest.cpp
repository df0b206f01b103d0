#include "dialogs/VwPoDlg.h"
#include "math/Floatstr.h"
#include "math/GrGlobal.h"
#include "math/editmath.h"
#include "platform/ScriptedUiHook.h"

#include "SetDlgTestSupport.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

namespace {

struct TOpenView {
    TScopedScriptedUiHook hook;
    TViewPolarZoomObj view;
    std::unique_ptr<TChangePolarViewDlg> d;

    void open() {
        d = std::make_unique<TChangePolarViewDlg>();
        d->Load(view);
        ASSERT_TRUE(ShowActive(*d));
    }
    std::pair<int, int> pixels() const { return {d->EPixelsX->value(), d->EPixelsY->value()}; }
    std::string text(TEditMathConst* e) const { return e->text().toStdString(); }
    // Types into a field and leaves it forward.
    void enter(QWidget* w, const char* text) {
        TypeInto(w, text);
        PressKey(Qt::Key_Tab);
    }
};

} // namespace

TEST(ChangePolarViewDlg, ThetaTypedInAnyTurnPointsTheSameWay) {
    const std::pair<const char*, const char*> same[] = {{"370", "10"}, {"-90", "270"}, {"720+45", "45"}};
    for (auto [typed, plain] : same) {
        SCOPED_TRACE(typed);
        std::pair<int, int> at[2];
        for (int i = 0; i < 2; ++i) {
            TOpenView t;
            t.view.CenterX = 350; // R 10 at theta 0
            t.open();
            t.enter(t.d->EPolarTheta, i == 0 ? typed : plain);
            EXPECT_EQ(Focused(), t.d->EDegrees);
            at[i] = t.pixels();
            EXPECT_TRUE(t.hook->Messages.empty());
        }
        EXPECT_EQ(at[0], at[1]);
    }
    TOpenView t;
    t.view.CenterX = 350;
    t.open();
    t.enter(t.d->EPolarTheta, "-90");
    EXPECT_EQ(t.pixels(), (std::pair{0, -350}));
    EXPECT_EQ(t.text(t.d->EPolarTheta), FloatToStrTrim(RadToDeg(ThreeHalfPiExtended)));
    EXPECT_EQ(t.text(t.d->ECartesianY), "-10");
    EXPECT_EQ(t.text(t.d->EPolarR), "10");
}

TEST(ChangePolarViewDlg, EveryFieldMovesThePixelCentre) {
    TOpenView t;
    t.view.Zoom = 35;
    t.open();
    TChangePolarViewDlg& d = *t.d;
    EXPECT_EQ(d.windowTitle(), "Change Polar View");
    EXPECT_EQ(d.HelpContext(), 2015);
    EXPECT_EQ(Focused(), d.EPolarR);
    EXPECT_TRUE(d.EDegrees->isChecked());

    t.enter(d.EPolarR, "2");
    EXPECT_EQ(t.pixels(), (std::pair{70, 0}));
    t.enter(d.EPolarTheta, "90");
    EXPECT_EQ(t.pixels(), (std::pair{0, 70}));
    EXPECT_EQ(t.text(d.EPolarR), "2");
    t.enter(d.ECartesianX, "-1");
    EXPECT_EQ(t.pixels(), (std::pair{-35, 70}));
    EXPECT_EQ(t.text(d.EPolarTheta), FloatToStrTrim(RadToDeg(PiExtended - std::atan(2.0L))));
    t.enter(d.ECartesianY, "0");
    EXPECT_EQ(t.pixels(), (std::pair{-35, 0}));
    EXPECT_EQ(t.text(d.EPolarTheta), FloatToStrTrim(RadToDeg(PiExtended)));
    t.enter(d.EPixelsX, "700");
    EXPECT_EQ(t.text(d.ECartesianX), "20");
    EXPECT_EQ(t.text(d.EPolarR), "20");
    EXPECT_EQ(t.text(d.EPolarTheta), "0");
    // Far beyond the range: clamped pixels, the point shown is the one they hold.
    t.enter(d.ECartesianX, "1000000");
    EXPECT_EQ(d.EPixelsX->value(), 100000);
    EXPECT_EQ(t.text(d.ECartesianX), FloatToStrTrim(100000 / 35.0L));

    // Radians: the flag follows the buttons, and Theta is typed and shown in radians.
    QTest::mouseClick(d.ERadians, Qt::LeftButton, {}, QPoint(6, d.ERadians->height() / 2));
    EXPECT_TRUE(d.Center.ThetaInRadians);
    EXPECT_EQ(t.text(d.EPolarTheta), "0");
    t.enter(d.EPixelsY, "-100000");
    EXPECT_EQ(t.text(d.EPolarTheta), FloatToStrTrim(TwoPiExtended - HalfPiExtended / 2));
    t.enter(d.EPolarTheta, "PI/2");
    EXPECT_EQ(d.EPixelsX->value(), 0);
    QTest::mouseClick(d.EDegrees, Qt::LeftButton, {}, QPoint(6, d.EDegrees->height() / 2));
    EXPECT_FALSE(d.Center.ThetaInRadians);
    EXPECT_EQ(t.text(d.EPolarTheta), "90");
    EXPECT_TRUE(t.hook->Messages.empty());

    // A text that is no constant: its message, nothing moves.
    const auto before = t.pixels();
    t.enter(d.EPolarR, "R");
    EXPECT_EQ(t.hook->LastMessage().substr(0, 26), "Error in: R Center Value: ");
    EXPECT_EQ(Focused(), d.EPolarR);
    EXPECT_EQ(t.pixels(), before);
}

TEST(ChangePolarViewDlg, ZoomExitHasItsOwnMessage) {
    struct TCase {
        const char* typed;
        int answer;
        long double kept;
        std::string shown;
    };
    const TCase cases[] = {{"10000", 0, 10000, "10000"},        {"0.0001", 0, 0.0001L, "0.0001"},
                           {"10001", mrIgnore, 10000, "10000"}, {"-1", mrIgnore, 0.0001L, "0.0001"},
                           {"10001", mrCancel, 35, "35"},       {"0", mrOk, 35, "0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        TOpenView t;
        t.view.CenterX = 70;
        t.open();
        TChangePolarViewDlg& d = *t.d;
        if (c.answer) t.hook->AnswerMessage(c.answer);
        TypeInto(d.EViewZoom, c.typed);
        PressKey(Qt::Key_Backtab);
        if (c.answer) {
            ASSERT_EQ(t.hook->Messages.size(), 1u);
            EXPECT_EQ(t.hook->Messages[0].Text, "Error View Zoom must be <= 10,000 and >= 0.0001");
            EXPECT_EQ(t.hook->Messages[0].Buttons, (TMsgDlgButtons{mbOK, mbCancel, mbIgnore}));
            EXPECT_EQ(t.hook->Messages[0].Type, mtError);
            EXPECT_EQ(Focused(), d.EViewZoom);
        } else {
            EXPECT_TRUE(t.hook->Messages.empty());
        }
        EXPECT_EQ(d.Center.Zoom, c.kept);
        EXPECT_EQ(t.text(d.EViewZoom), c.shown);
        EXPECT_EQ(t.pixels(), (std::pair{70, 0}));
        EXPECT_EQ(t.text(d.EPolarR), FloatToStrTrim(70 / c.kept));
    }
}

TEST(ChangePolarViewDlg, LoadThenStoreKeepsEveryRecordAndCancelKeepsTheView) {
    TScopedScriptedUiHook hook;
    TViewPolarZoomObj view;
    view.Zoom = 12.5L;
    view.CenterX = -4321;
    view.CenterY = 765;
    view.ThetaInRadians = true;
    const recordtest::Bytes before = RecordsOf(view, GraphKindPolar);
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TChangePolarViewDlg&>(form);
        EXPECT_TRUE(ShowActive(d));
        EXPECT_TRUE(d.ERadians->isChecked());
        EXPECT_EQ(d.EViewZoom->text(), "12.5");
        PressKey(Qt::Key_Return);
        return d.result();
    });
    ASSERT_TRUE(ExecutePolarViewDlg(view));
    EXPECT_TRUE(view.Changed);
    EXPECT_EQ(FirstDifference(RecordsOf(view, GraphKindPolar), before), -1);

    view.Changed = false;
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TChangePolarViewDlg&>(form);
        d.EDegrees->click();
        d.EPolarR->setText("3");
        d.EPolarRExit();
        d.done(mrCancel);
        return d.result();
    });
    EXPECT_FALSE(ExecutePolarViewDlg(view));
    EXPECT_FALSE(view.Changed);
    EXPECT_EQ(FirstDifference(RecordsOf(view, GraphKindPolar), before), -1);
}

TEST(ChangePolarViewDlg, FormShowsWhole) {
    TOpenView t;
    t.view.CenterX = 100;
    t.view.CenterY = -35;
    t.open();
    EXPECT_TRUE(ClippedCaptions(*t.d).empty());
    EXPECT_FALSE(Shot(*t.d, "viewpolar").isNull());
}
