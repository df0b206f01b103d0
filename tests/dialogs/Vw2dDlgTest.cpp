#include "dialogs/Vw2dDlg.h"
#include "math/Floatstr.h"
#include "math/editmath.h"
#include "platform/ScriptedUiHook.h"

#include "SetDlgTestSupport.h"

#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// The dialog on a view, shown and active.
struct TOpenView {
    TScopedScriptedUiHook hook;
    TView2DZoomObj view;
    std::unique_ptr<TChange2DViewDlg> d;

    void open() {
        d = std::make_unique<TChange2DViewDlg>();
        d->Load(view);
        ASSERT_TRUE(ShowActive(*d));
    }
    std::string text(TEditMathConst* e) const { return e->text().toStdString(); }
};

std::string trim(long double x) {
    return FloatToStrTrim(x);
}

} // namespace

TEST(Change2DViewDlg, LeavingTheCentreFieldsConvertsThroughThePixels) {
    TOpenView t;
    t.open();
    TChange2DViewDlg& d = *t.d;
    EXPECT_EQ(d.windowTitle(), "Change 2D Cartesian View");
    EXPECT_EQ(d.HelpContext(), 1010);
    EXPECT_EQ(t.text(d.EXViewZoom), "35");
    EXPECT_EQ(t.text(d.ECartesianX), "0");

    TypeInto(d.ECartesianX, "1");
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(Focused(), d.ECartesianY);
    EXPECT_EQ(d.EPixelsX->value(), 35);
    EXPECT_EQ(t.text(d.ECartesianX), "1");

    // Beyond the pixel range: clamped, and the units shown are what the pixels hold.
    TypeInto(d.ECartesianX, "10000");
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(d.EPixelsX->value(), 100000);
    EXPECT_EQ(t.text(d.ECartesianX), trim(100000 / 35.0L));

    TypeInto(d.ECartesianY, "-2*3");
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(Focused(), d.EPixelsX);
    EXPECT_EQ(d.EPixelsY->value(), -210);
    EXPECT_EQ(d.EPixelsX->value(), 100000);

    // The pixel fields: the graph units follow when one is left.
    TypeInto(d.EPixelsX, "-350");
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(t.text(d.ECartesianX), "-10");
    TypeInto(d.EPixelsY, "17");
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(t.text(d.ECartesianY), trim(17 / 35.0L));
    // More digits than the range holds are refused as they are typed.
    TypeInto(d.EPixelsX, "1234567");
    EXPECT_LE(d.EPixelsX->value(), 100000);
    PressKey(Qt::Key_Tab);
    EXPECT_LE(d.EPixelsX->value(), 100000);
    EXPECT_TRUE(t.hook->Messages.empty());

    // A text that is no constant: its message, and nothing changes.
    const int pixelsY = d.EPixelsY->value();
    TypeInto(d.ECartesianY, "X+1");
    PressKey(Qt::Key_Tab);
    ASSERT_EQ(t.hook->Messages.size(), 1u);
    EXPECT_EQ(t.hook->LastMessage().substr(0, 30), "Error in: Cartesian Y Center: ");
    EXPECT_EQ(Focused(), d.ECartesianY);
    EXPECT_EQ(d.EPixelsY->value(), pixelsY);
}

TEST(Change2DViewDlg, ZoomExitAcceptsTheRangeAndAsksOutsideIt) {
    struct TCase {
        const char* typed;
        int answer; // 0: no question
        long double kept;
        std::string shown;
        bool y = false;
    };
    const TCase cases[] = {
        {"10000", 0, 10000, "10000"},
        {"0.0001", 0, 0.0001L, "0.0001"},
        {"70", 0, 70, "70"},
        {"10001", mrIgnore, 10000, "10000"},
        {"0.00001", mrIgnore, 0.0001L, "0.0001"},
        {"0", mrIgnore, 0.0001L, "0.0001"},
        {"-4", mrIgnore, 0.0001L, "0.0001"},
        {"10001", mrCancel, 35, "35"},
        {"10001", mrOk, 35, "10001"},
        {"20000", mrIgnore, 10000, "10000", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + (c.y ? " Y" : " X") + " answer " + std::to_string(c.answer));
        TOpenView t;
        t.view.CenterX = 70;
        t.view.CenterY = 70;
        t.open();
        TChange2DViewDlg& d = *t.d;
        TEditMathConst* zoom = c.y ? d.EYViewZoom : d.EXViewZoom;
        if (c.answer) t.hook->AnswerMessage(c.answer);
        TypeInto(zoom, c.typed);
        // Back from Y, since Tab there goes on to OK, which leaves the check for the close.
        PressKey(c.y ? Qt::Key_Backtab : Qt::Key_Tab);
        if (c.answer) {
            ASSERT_EQ(t.hook->Messages.size(), 1u);
            const auto& m = t.hook->Messages[0];
            EXPECT_EQ(m.Text, std::string("Error: ") + (c.y ? "Y" : "X") +
                                  " Axis View Zoom must be <= 10,000 and >= 0.0001");
            EXPECT_EQ(m.Type, mtError);
            EXPECT_EQ(m.Buttons, (TMsgDlgButtons{mbOK, mbCancel, mbIgnore}));
            EXPECT_EQ(m.HelpContext, 0);
            EXPECT_EQ(m.Owner, &d);
            EXPECT_EQ(Focused(), zoom);
        } else {
            EXPECT_TRUE(t.hook->Messages.empty());
        }
        EXPECT_EQ(c.y ? d.Center.ZoomY : d.Center.ZoomX, c.kept);
        EXPECT_EQ(zoom->text().toStdString(), c.shown);
        // The pixel centre stays; the graph units follow the kept zoom.
        EXPECT_EQ(d.EPixelsX->value(), 70);
        EXPECT_EQ(d.EPixelsY->value(), 70);
        EXPECT_EQ(t.text(c.y ? d.ECartesianY : d.ECartesianX), trim(70 / c.kept));
        // The store writes the kept zoom, never the text.
        TView2DZoomObj out;
        d.Store(out);
        EXPECT_EQ(c.y ? out.ZoomY : out.ZoomX, c.kept);
    }
}

TEST(Change2DViewDlg, OkRunsTheExitOfTheFieldItLeaves) {
    TOpenView t;
    t.view.ZoomX = 50;
    t.open();
    TChange2DViewDlg& d = *t.d;
    // An out-of-range zoom and a click on OK: the question, and the dialog stays.
    TypeInto(d.EXViewZoom, "99999");
    QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    ASSERT_EQ(t.hook->Messages.size(), 1u);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(Focused(), d.EXViewZoom);
    // A value typed and Enter at once: the exit runs before the dialog closes.
    TypeInto(d.ECartesianX, "2");
    PressKey(Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), mrOk);
    TView2DZoomObj out;
    d.Store(out);
    EXPECT_EQ(out.ZoomX, 50);
    EXPECT_EQ(out.CenterX, 100);
}

TEST(Change2DViewDlg, LoadThenStoreKeepsEveryRecordAndCancelKeepsTheView) {
    TScopedScriptedUiHook hook;
    TView2DZoomObj view;
    view.ZoomX = 12.5L;
    view.ZoomY = 0.25L;
    view.CenterX = -1234;
    view.CenterY = 99999;
    const recordtest::Bytes before = RecordsOf(view, GraphKind2D);
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TChange2DViewDlg&>(form);
        EXPECT_TRUE(ShowActive(d));
        EXPECT_EQ(d.ECartesianX->text().toStdString(), FloatToStrTrim(-1234 / 12.5L));
        EXPECT_EQ(d.ECartesianY->text().toStdString(), "399996");
        EXPECT_EQ(d.EPixelsX->value(), -1234);
        PressKey(Qt::Key_Return);
        return d.result();
    });
    ASSERT_TRUE(Execute2DViewDlg(view));
    EXPECT_TRUE(view.Changed);
    EXPECT_EQ(FirstDifference(RecordsOf(view, GraphKind2D), before), -1);

    view.Changed = false;
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TChange2DViewDlg&>(form);
        d.ECartesianX->setText("5");
        d.ECartesianXExit();
        d.EYViewZoom->setText("3");
        d.EYViewZoomExit();
        d.done(mrCancel);
        return d.result();
    });
    EXPECT_FALSE(Execute2DViewDlg(view));
    EXPECT_FALSE(view.Changed);
    EXPECT_EQ(FirstDifference(RecordsOf(view, GraphKind2D), before), -1);
    EXPECT_TRUE(hook->Messages.empty());
}

TEST(Change2DViewDlg, FormShowsWhole) {
    TOpenView t;
    t.open();
    EXPECT_TRUE(ClippedCaptions(*t.d).empty());
    EXPECT_FALSE(Shot(*t.d, "view2d").isNull());
}
