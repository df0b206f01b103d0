#include "dialogs/Vw3dDlg.h"
#include "math/GrGlobal.h"
#include "math/editmath.h"
#include "platform/ScriptedUiHook.h"

#include "SetDlgTestSupport.h"

#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <string>

namespace {

struct TOpenView {
    TScopedScriptedUiHook hook;
    TChange3DViewDlg d;

    explicit TOpenView(const TView3DZoomObj& view = TView3DZoomObj()) {
        d.Load(view);
        EXPECT_TRUE(ShowActive(d));
    }
};

} // namespace

TEST(Change3DViewDlg, AnglesLoadReducedAndStoreNormalized) {
    TView3DZoomObj view;
    view.RotationX = 725.5L;
    view.RotationY = -725;
    view.RotationZ = 1.0L / 3;
    TOpenView t(view);
    TChange3DViewDlg& d = t.d;
    EXPECT_EQ(d.ERotateX->text(), "5.5");
    EXPECT_EQ(d.ERotateY->text(), "-5");
    EXPECT_EQ(d.ERotateZ->text(), "0.333333");
    EXPECT_EQ(d.EViewZoom->value(), 20);

    struct TCase {
        const char* typed;
        long double stored;
    };
    const TCase cases[] = {
        {"370", 10}, {"-370", -10}, {"360", 0}, {"-720.5", -0.5L}, {"PI*100", PiExtended * 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        TypeInto(d.ERotateX, c.typed);
        TView3DZoomObj out;
        d.Store(out);
        EXPECT_EQ(out.RotationX, c.stored);
    }
}

TEST(Change3DViewDlg, OkChecksTheAnglesInOrderAndSpinKeysClose) {
    struct TCase {
        const char* x;
        const char* y;
        const char* z;
        std::string message;
        int field;
    };
    const TCase cases[] = {
        {"1", "2", "3", "", -1},
        {"30*PI", "-1/3", "1+", "Error in: Rotate Parallel to Z Axis: ", 2},
        {"X", "Y", "", "Error in: Rotate Parallel to X Axis: ", 0},
        {"0", "", "", "Error in: Rotate Parallel to Y Axis: ", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        TOpenView t;
        TChange3DViewDlg& d = t.d;
        d.ERotateX->setText(c.x);
        d.ERotateY->setText(c.y);
        d.ERotateZ->setText(c.z);
        // Enter in the zoom spin edit is OK for the dialog.
        d.EViewZoom->setFocus();
        PressKey(Qt::Key_Enter);
        if (c.message.empty()) {
            EXPECT_FALSE(d.isVisible());
            EXPECT_EQ(d.result(), mrOk);
            continue;
        }
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(t.hook->Messages.size(), 1u);
        EXPECT_EQ(t.hook->Messages[0].Text.substr(0, c.message.size()), c.message);
        TEditMathConst* fields[] = {d.ERotateX, d.ERotateY, d.ERotateZ};
        EXPECT_EQ(Focused(), fields[c.field]);
    }
    // Esc in the spin edit cancels without a check.
    TOpenView t;
    t.d.ERotateX->setText("bad");
    t.d.EViewZoom->setFocus();
    PressKey(Qt::Key_Escape);
    EXPECT_FALSE(t.d.isVisible());
    EXPECT_EQ(t.d.result(), mrCancel);
    EXPECT_TRUE(t.hook->Messages.empty());
}

TEST(Change3DViewDlg, ZoomStaysWithinItsRange) {
    TView3DZoomObj view;
    view.Zoom = 5000; // from a file
    TOpenView t(view);
    TChange3DViewDlg& d = t.d;
    EXPECT_EQ(d.EViewZoom->value(), 1000);
    TypeInto(d.EViewZoom, "0");
    PressKey(Qt::Key_Tab);
    EXPECT_GE(d.EViewZoom->value(), 1);
    TypeInto(d.EViewZoom, "99999");
    EXPECT_LE(d.EViewZoom->value(), 1000);
    TypeInto(d.EViewZoom, "250");
    d.EViewZoom->setFocus();
    PressKey(Qt::Key_Up);
    TView3DZoomObj out;
    d.Store(out);
    EXPECT_EQ(out.Zoom, 251);
    TypeInto(d.EViewZoom, "1000");
    PressKey(Qt::Key_Up);
    d.Store(out);
    EXPECT_EQ(out.Zoom, 1000);
}

TEST(Change3DViewDlg, LoadThenStoreKeepsEveryRecordAndCancelKeepsTheView) {
    TScopedScriptedUiHook hook;
    TView3DZoomObj view;
    view.RotationX = 12.5L;
    view.RotationY = -300.25L;
    view.RotationZ = 359.000001L;
    view.Zoom = 777;
    const recordtest::Bytes before = RecordsOf(view, GraphKind3D);
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TChange3DViewDlg&>(form);
        EXPECT_EQ(d.windowTitle(), "Change 3D Cartesian View");
        EXPECT_EQ(d.HelpContext(), 3015);
        EXPECT_TRUE(ShowActive(d));
        d.OKBtn->setFocus();
        PressKey(Qt::Key_Return);
        return d.result();
    });
    ASSERT_TRUE(Execute3DViewDlg(view));
    EXPECT_TRUE(view.Changed);
    EXPECT_EQ(FirstDifference(RecordsOf(view, GraphKind3D), before), -1);

    view.Changed = false;
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TChange3DViewDlg&>(form);
        d.ERotateX->setText("45");
        d.EViewZoom->setValue(3);
        d.done(mrCancel);
        return d.result();
    });
    EXPECT_FALSE(Execute3DViewDlg(view));
    EXPECT_FALSE(view.Changed);
    EXPECT_EQ(FirstDifference(RecordsOf(view, GraphKind3D), before), -1);
}

TEST(Change3DViewDlg, FormShowsWhole) {
    TOpenView t;
    EXPECT_TRUE(ClippedCaptions(t.d).empty());
    EXPECT_FALSE(Shot(t.d, "view3d").isNull());
}
