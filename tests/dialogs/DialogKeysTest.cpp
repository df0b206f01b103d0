// Every dialog below the shell through the keyboard alone: what a spin edit makes of a
// number outside its limits.
#include "dialogs/Add2dfnc.h"
#include "dialogs/Add3dFnc.h"
#include "dialogs/AddParam.h"
#include "dialogs/BmpSize.h"
#include "dialogs/FuncDlgs.h"
#include "dialogs/PrnScale.h"
#include "dialogs/Set2dDlg.h"
#include "dialogs/SetPoDlg.h"
#include "dialogs/StdAxis.h"
#include "dialogs/Vw2dDlg.h"
#include "dialogs/Vw3dDlg.h"
#include "dialogs/VwPoDlg.h"
#include "labels/LabelDlgParts.h"
#include "labels/dfilldlg.h"
#include "labels/dfreedlg.h"
#include "labels/dlinedlg.h"
#include "labels/drectdlg.h"
#include "labels/dtextdlg.h"
#include "math/editmath.h"
#include "model/func2d.h"
#include "model/func3dobj.h"
#include "model/funcpara.h"
#include "model/funcpolr.h"
#include "plot/Selctdlg.h"
#include "plot/Selected.h"

#include "dialogs/FuncDlgTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

const TLabelBmpAttribs kBitmap{0xFFFFFF, 300, 200};

// Spin edits of every dialog and every kind of limit.
struct TSpinDialog {
    std::unique_ptr<TDialogBase> Dialog;
    QSpinBox* Spin;
};

TSpinDialog bmpSizeWidth() {
    auto d = std::make_unique<TBmpSizeDlg>();
    d->TheBmpWidth->setValue(1000);
    QSpinBox* spin = d->TheBmpWidth;
    return {std::move(d), spin};
}

TSpinDialog printScale() {
    auto d = std::make_unique<TPrintScaleDlg>();
    QSpinBox* spin = d->EPercent;
    return {std::move(d), spin};
}

TSpinDialog view3DZoom() {
    auto d = std::make_unique<TChange3DViewDlg>();
    d->Load(TView3DZoomObj());
    QSpinBox* spin = d->EViewZoom;
    return {std::move(d), spin};
}

TSpinDialog view2DPixels() {
    auto d = std::make_unique<TChange2DViewDlg>();
    d->Load(TView2DZoomObj());
    QSpinBox* spin = d->EPixelsX;
    return {std::move(d), spin};
}

TSpinDialog regionCorner() {
    auto d = std::make_unique<TSelectedRegionDlg>();
    d->EBottomX->setMaximum(299);
    d->EBottomX->setValue(200);
    d->EBottomY->setValue(100);
    QSpinBox* spin = d->EBottomX;
    return {std::move(d), spin};
}

// A line whose origin lies left of the bitmap farther than the usual -100: its own value is
// the lower limit, so that the dialog never moves it.
TSpinDialog lineOrigin() {
    static TDrawLine line;
    line.P1 = {-300, 50};
    line.P2 = {200, 150};
    auto d = std::make_unique<TLineDlg>(line, kBitmap);
    QSpinBox* spin = d->Origin.X;
    return {std::move(d), spin};
}

TSpinDialog settingsDigits() {
    auto d = std::make_unique<TSettings2DDlg>();
    d->Load(TSetting2DObj());
    d->PageControl1->setCurrentWidget(d->LabelsTab);
    QSpinBox* spin = d->X.Label.Digits;
    return {std::move(d), spin};
}

} // namespace

TEST(DialogKeyboard, ASpinEditTakesAnyNumberItsLengthAllowsAndClampsItOnLeavingAndEnter) {
    struct TCase {
        const char* name;
        std::function<TSpinDialog()> make;
        const char* typed;
        int value; // the nearest limit, or the number typed when it lies within
    };
    const TCase cases[] = {
        {"picture width", bmpSizeWidth, "5000", 2000},
        {"picture width", bmpSizeWidth, "5", 16},
        {"picture width", bmpSizeWidth, "-100", 16},
        {"picture width", bmpSizeWidth, "640", 640},
        {"print scale", printScale, "9999", 500},
        {"print scale", printScale, "+7", 25},
        {"3D zoom", view3DZoom, "0", 1},
        {"view pixels", view2DPixels, "-99999999", -100000},
        {"region corner", regionCorner, "2000", 299},
        // A label point's own value, beyond -100, is its lower limit.
        {"line origin", lineOrigin, "-500", -300},
        {"line origin", lineOrigin, "-250", -250},
        {"decimal places", settingsDigits, "99", 18},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.typed);
        TSpinDialog s = c.make();
        ASSERT_TRUE(ShowActive(*s.Dialog));
        auto typeIn = [&] {
            s.Spin->setFocus();
            s.Spin->selectAll();
            TypeText(c.typed);
            // Nothing typed is refused or turned into another number while typing.
            EXPECT_EQ(s.Spin->text(), c.typed);
        };
        typeIn();
        PressKey(Qt::Key_Tab);
        EXPECT_NE(Focused(), s.Spin);
        EXPECT_EQ(s.Spin->value(), c.value);
        EXPECT_EQ(s.Spin->text(), QString::number(c.value));
        // Enter is OK, and OK reads the clamped value.
        typeIn();
        PressKey(Qt::Key_Enter);
        EXPECT_FALSE(s.Dialog->isVisible());
        EXPECT_EQ(s.Dialog->result(), mrOk);
        EXPECT_EQ(s.Spin->value(), c.value);
    }
    // An empty field keeps its value; a letter is refused.
    TSpinDialog s = bmpSizeWidth();
    ASSERT_TRUE(ShowActive(*s.Dialog));
    s.Spin->setFocus();
    s.Spin->selectAll();
    PressKey(Qt::Key_Delete);
    TypeText("x");
    EXPECT_EQ(s.Spin->text(), "");
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(s.Spin->value(), 1000);
    EXPECT_EQ(s.Spin->text(), "1000");
}
