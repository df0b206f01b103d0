// Every dialog below the shell through the keyboard alone: where the focus is when it
// opens, what a spin edit makes of a number outside its limits, and how Tab and the arrow
// keys reach and set the buttons of a style row or a radio group.
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

// The text of an edit field and the part of it that is selected.
struct TFieldText {
    QString Text;
    QString Selected;
};

TFieldText fieldText(QWidget* w) {
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) w = spin->findChild<QLineEdit*>();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return {edit->text(), edit->selectedText()};
    ADD_FAILURE() << "not a one-line edit field";
    return {};
}

// The control of a dialog of class TDlg that f picks, or null for a form of another class.
template <class TDlg, class F> std::function<QWidget*(QDialog&)> pick(F f) {
    return [f](QDialog& form) -> QWidget* {
        auto* d = dynamic_cast<TDlg*>(&form);
        EXPECT_NE(d, nullptr) << "an unexpected form ran";
        return d ? static_cast<QWidget*>(f(*d)) : nullptr;
    };
}

template <class TFunc> std::unique_ptr<TBaseFuncObj> function(const char* expression) {
    auto f = std::make_unique<TFunc>();
    if constexpr (std::is_same_v<TFunc, TFuncParametricObj>)
        f->FuncX.SetExpression(expression);
    else if constexpr (std::is_same_v<TFunc, TFunc3DObj> || std::is_same_v<TFunc, TFuncRotateObj>)
        f->Func->SetExpression(expression);
    else
        f->Func.SetExpression(expression);
    return f;
}

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

TEST(DialogKeyboard, EveryDialogOpensInItsFirstEditFieldWithItsTextSelected) {
    TScopedScriptedUiHook hook;
    TFunc2DObj func2D;
    func2D.Func.SetExpression("SIN(X)");
    TFunc2DObj empty2D;
    auto parametric = function<TFuncParametricObj>("COS(T)");
    auto polar = function<TFuncPolarObj>("THETA");
    auto rotate = function<TFuncRotateObj>("X*X");
    auto surface = function<TFunc3DObj>("X+Y");
    TSetting2DObj settings2D;
    settings2D.X.HiLimitStr = "10";
    TSettingPolarObj settingsPolar;
    TView2DZoomObj view2D;
    TViewPolarZoomObj viewPolar;
    TView3DZoomObj view3D;
    TSettingBmpAttribsObj attribs;
    int32_t axisCount = 0;
    std::array<long double, MaxPolarAxes> axes{};
    TDrawFloodFill fill;
    fill.Location = {20, 30};
    TDrawFreeHand freeHand;
    freeHand.BeginCurve(10, 10);
    freeHand.AddPoint(40, 60);
    TDrawInclosedShape shape(lkRectangle);
    shape.P1 = {10, 20};
    shape.P2 = {110, 90};
    TDrawLine line;
    line.P1 = {10, 20};
    line.P2 = {200, 150};
    TDrawText text;
    TFontRecord font;
    font.Name = "DejaVu Sans";
    text.SetText({30, 40}, "Label", &font);
    TPoint topLeft{10, 10}, bottomRight{100, 100};

    struct TCase {
        const char* name;
        std::function<void()> run;              // the dialog's own entry
        std::function<QWidget*(QDialog&)> want; // its first edit field
        bool hasText = true;
    };
    const TCase cases[] = {
        {"add 2D function", [&] { AddFunction2DDialog(empty2D, nullptr); },
         pick<TAdd2DFuncDlg>([](auto& d) { return d.EUserFuncStr; }), false},
        {"modify 2D function", [&] { ModifyFunction2DDialog(func2D, nullptr); },
         pick<TAdd2DFuncDlg>([](auto& d) { return d.EUserFuncStr; })},
        {"modify parametric function", [&] { ModifyFunctionDialog(*parametric, nullptr); },
         pick<TAddParametricFuncDlg>([](auto& d) { return d.EXUserFuncStr; })},
        {"modify polar function", [&] { ModifyFunctionDialog(*polar, nullptr); },
         pick<TAddPolarFuncDlg>([](auto& d) { return d.EUserFuncStr; })},
        {"modify rotated function", [&] { ModifyFunctionDialog(*rotate, nullptr); },
         pick<TAddRotateDlg>([](auto& d) { return d.EUserFuncStr; })},
        {"modify 3D function", [&] { ModifyFunctionDialog(*surface, nullptr); },
         pick<TAdd3DDialog>([](auto& d) { return d.EUserFuncString; })},
        {"2D settings", [&] { Execute2DSettingsDlg(settings2D); },
         pick<TSettings2DDlg>([](auto& d) { return d.X.ELimitHiAxis; })},
        // The axis list above is a memo, where Enter is a new line: the first one-line field.
        {"polar settings", [&] { ExecutePolarSettingsDlg(settingsPolar); },
         pick<TSettingsPolarDlg>([](auto& d) { return d.ERestrictAmt; })},
        {"standard axis lists", [&] { BuildStdAxisList(axisCount, axes, nullptr); },
         pick<TStdAxisListDlg>([](auto& d) { return d.EIntervalAmt; })},
        {"2D view", [&] { Execute2DViewDlg(view2D); },
         pick<TChange2DViewDlg>([](auto& d) { return d.ECartesianX; })},
        {"polar view", [&] { ExecutePolarViewDlg(viewPolar); },
         pick<TChangePolarViewDlg>([](auto& d) { return d.EPolarR; })},
        {"3D view", [&] { Execute3DViewDlg(view3D); },
         pick<TChange3DViewDlg>([](auto& d) { return d.ERotateX; })},
        {"picture size", [&] { ExecuteBmpSizeDlg(attribs); },
         pick<TBmpSizeDlg>([](auto& d) { return d.TheBmpWidth; })},
        {"print scale", [] { ExecutePrintScaleDlg(); },
         pick<TPrintScaleDlg>([](auto& d) { return d.EPercent; })},
        {"flood fill label", [&] { ExecuteModifyFloodFillDlg(fill, kBitmap, nullptr); },
         pick<TFloodFillDlg>([](auto& d) { return d.Location.X; })},
        {"free hand label", [&] { ExecuteModifyFreeHandDlg(freeHand, kBitmap, nullptr); },
         pick<TFreeHandDlg>([](auto& d) { return d.Origin.X; })},
        {"enclosed shape label", [&] { ExecuteModifyInclosedDlg(shape, kBitmap, nullptr); },
         pick<TInclosedShapeDlg>([](auto& d) { return d.TopLeft.X; })},
        {"line label", [&] { ExecuteModifyLineDlg(line, kBitmap, nullptr); },
         pick<TLineDlg>([](auto& d) { return d.Origin.X; })},
        {"text label", [&] { ExecuteModifyTextDlg(text, kBitmap, nullptr); },
         pick<TTextLabelDlg>([](auto& d) { return d.TopLeft.X; })},
        {"selected region", [&] { ExecuteSelectedRegionDlg(true, topLeft, bottomRight, 300, 200); },
         pick<TSelectedRegionDlg>([](auto& d) { return d.ETopX; })},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        hook->ScriptModal([&](QDialog& form) {
            EXPECT_TRUE(ShowActive(form));
            QWidget* want = c.want(form);
            EXPECT_EQ(Focused(), want);

            if (!want || Focused() != want) return int(mrCancel);
            const TFieldText shown = fieldText(want);
            EXPECT_EQ(shown.Text.isEmpty(), !c.hasText);
            EXPECT_EQ(shown.Selected, shown.Text);
            // What the user types at once replaces the field's text.
            TypeText("7");
            EXPECT_EQ(fieldText(want).Text, "7");
            form.done(mrCancel);
            return int(mrCancel);
        });
        c.run();
        EXPECT_EQ(hook->ModalForms.size(), 1u);
        hook->Clear();
    }
}

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

TEST(DialogKeyboard, TabEntersAButtonSetAtItsCheckedButtonAndTheArrowsCheckTheNextOne) {
    TDrawInclosedShape shape(lkEllipse);
    shape.P1 = {10, 20};
    shape.P2 = {110, 90};
    shape.PenStyle = psDot;
    shape.BrushStyle = bsCross;
    TDrawLine line;
    line.P1 = {10, 20};
    line.P2 = {200, 150};
    TSetting2DObj settings;
    settings.Y.AxisPenStyle = 3;
    settings.X.TickType = 2;
    auto buttons = [](const TStyleButtons& s) {
        return std::vector<QAbstractButton*>(s.Buttons().begin(), s.Buttons().end());
    };
    struct TCase {
        const char* name;
        std::function<std::unique_ptr<TDialogBase>()> make;
        std::function<std::vector<QAbstractButton*>(TDialogBase&)> set;
        int checked;  // the button that is down when the dialog opens
        Qt::Key next; // the arrow to the next button
    };
    const TCase cases[] = {
        {"enclosed shape pen", [&] { return std::make_unique<TInclosedShapeDlg>(shape, kBitmap); },
         [&](TDialogBase& d) { return buttons(dynamic_cast<TInclosedShapeDlg&>(d).Pen.Styles); }, 2,
         Qt::Key_Right},
        {"enclosed shape brush", [&] { return std::make_unique<TInclosedShapeDlg>(shape, kBitmap); },
         [&](TDialogBase& d) { return buttons(dynamic_cast<TInclosedShapeDlg&>(d).Brush.Styles); }, 6,
         Qt::Key_Right},
        {"enclosed shape kind", [&] { return std::make_unique<TInclosedShapeDlg>(shape, kBitmap); },
         [&](TDialogBase& d) { return buttons(dynamic_cast<TInclosedShapeDlg&>(d).Shapes); }, 1,
         Qt::Key_Right},
        {"line pen", [&] { return std::make_unique<TLineDlg>(line, kBitmap); },
         [&](TDialogBase& d) { return buttons(dynamic_cast<TLineDlg&>(d).Pen.Styles); }, 0, Qt::Key_Right},
        {"2D settings axis pen",
         [&] {
             auto d = std::make_unique<TSettings2DDlg>();
             d->Load(settings);
             return d;
         },
         [&](TDialogBase& d) { return buttons(*dynamic_cast<TSettings2DDlg&>(d).Y.AxisPen.Styles); }, 3,
         Qt::Key_Right},
        {"2D settings tick type",
         [&] {
             auto d = std::make_unique<TSettings2DDlg>();
             d->Load(settings);
             d->PageControl1->setCurrentWidget(d->TickMarksTab);
             return d;
         },
         [&](TDialogBase& d) {
             auto& s = dynamic_cast<TSettings2DDlg&>(d);
             return std::vector<QAbstractButton*>{s.X.ENone, s.X.ETickMarks, s.X.EGridMarks, s.X.EGridLines};
         },
         2, Qt::Key_Right},
        {"standard axis lists", [] { return std::make_unique<TStdAxisListDlg>(); },
         [](TDialogBase& d) {
             auto& s = dynamic_cast<TStdAxisListDlg&>(d);
             return std::vector<QAbstractButton*>{s.ERadioNone, s.ERadio90, s.ERadio45, s.ERadio30,
                                                  s.ERadioIntervals};
         },
         2, Qt::Key_Down},
        {"area to use", [] { return std::make_unique<TUseSelectedRectDlg>(); },
         [](TDialogBase& d) {
             auto& s = dynamic_cast<TUseSelectedRectDlg&>(d);
             return std::vector<QAbstractButton*>{s.SelectedButton, s.AllButton};
         },
         0, Qt::Key_Down},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<TDialogBase> d = c.make();
        const std::vector<QAbstractButton*> set = c.set(*d);
        ASSERT_TRUE(ShowActive(*d));
        ASSERT_TRUE(set[size_t(c.checked)]->isChecked());
        // From the control before the set, Tab goes to the checked button, whichever it is.
        QWidget* before = set.front()->previousInFocusChain();
        while (std::find(set.begin(), set.end(), before) != set.end() ||
               !(before->focusPolicy() & Qt::TabFocus) || !before->isVisibleTo(d.get()) ||
               before->focusProxy())
            before = before->previousInFocusChain();
        before->setFocus(Qt::TabFocusReason);
        PressKey(Qt::Key_Tab);
        EXPECT_EQ(Focused(), set[size_t(c.checked)]);
        // The arrow moves on and checks; Tab leaves the set at once.
        PressKey(c.next);
        QAbstractButton* next = set[size_t(c.checked) + 1];
        EXPECT_EQ(Focused(), next);
        EXPECT_TRUE(next->isChecked());
        EXPECT_FALSE(set[size_t(c.checked)]->isChecked());
        PressKey(Qt::Key_Tab);
        EXPECT_EQ(std::find(set.begin(), set.end(), Focused()), set.end());
        // Shift+Tab comes back to the button now checked.
        PressKey(Qt::Key_Backtab);
        EXPECT_EQ(Focused(), next);
        d->done(mrCancel);
    }
    // The choices made with the keys reach the label on OK.
    TScopedScriptedUiHook hook;
    hook->ScriptModal([](QDialog& form) {
        auto& d = dynamic_cast<TInclosedShapeDlg&>(form);
        EXPECT_TRUE(ShowActive(d));
        for (TStyleButtons* s : {&d.Pen.Styles, &d.Brush.Styles, &d.Shapes}) {
            s->Buttons()[size_t(*s->Down())]->setFocus(Qt::TabFocusReason);
            PressKey(Qt::Key_Right);
        }
        d.done(mrOk);
        return d.result();
    });
    EXPECT_TRUE(ExecuteModifyInclosedDlg(shape, kBitmap, nullptr));
    EXPECT_EQ(shape.PenStyle, psDashDot);
    EXPECT_EQ(shape.BrushStyle, bsDiagCross);
    EXPECT_EQ(shape.ShapeKind, lkRoundRect);
}
