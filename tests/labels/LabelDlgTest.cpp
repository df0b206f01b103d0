// The five label modify dialogs run through ModifyDrawObject, driven by real key and mouse
// events; their messages and the colour and font pickers answer through the UI hook.
#include "LabelDlgTestSupport.h"

#include "common/HelpEventRecorder.h"

#include "labels/dtextdlg.h"
#include "labels/labeldlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <stdexcept>

using namespace labeltest;
using namespace labeldlgtest;

namespace {

// A label of no class the dialogs know.
class TForeignLabel : public TDrawBaseClass {
public:
    std::unique_ptr<TSequenceListObj> Clone() const override { return std::make_unique<TForeignLabel>(); }
    void Assign(const TSequenceListObj&) override {}
    void Draw(TBitmap&, const TLabelBmpAttribs&) override {}
    void DrawEditOutline(TBitmap&, const TLabelBmpAttribs&) override {}
    void MouseEdit(int, int, TLabelMouseOp, TBitmap&, const TLabelBmpAttribs&) override {}
    int HitDistance(int, int) const override { return FarDistance; }
    std::string GetDescription() const override { return "?"; }
    void ToggleSelectionHandles(TBitmap&, const TLabelBmpAttribs&) override {}
    bool IsOnBitmap(const TLabelBmpAttribs&) const override { return true; }
    void WriteToGraphFile(TWriteGraphFile&) const override {}
    void ReadFromGraphFile(TReadGraphFile&, const TLabelBmpAttribs&) override {}
};

QPushButton* ButtonOf(QDialog& d, const char* caption) {
    for (QPushButton* b : d.findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    ADD_FAILURE() << "no button " << caption;
    return nullptr;
}

QPushButton* OkOf(QDialog& d) {
    return ButtonOf(d, "OK");
}

} // namespace

TEST(LabelDlg, FloodFillDialogKeepsTheLocationOnTheBitmap) {
    TScopedScriptedUiHook hook;
    THelpEventRecorder help;
    TMainFormStandIn mainForm;
    auto fill = MakeFill({20, 30}, 0x00C000, bsSolid);
    hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = 0x0000FF;
        return true;
    });
    hook->ScriptModal([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Edit Flood Fill Label");
        if (!ShowActive(d)) return int(mrCancel);
        QSpinBox* x = Spin(d, "EPointX");
        QSpinBox* y = Spin(d, "EPointY");
        EXPECT_EQ(x->maximum(), 299);
        EXPECT_EQ(y->maximum(), 199);
        EXPECT_EQ(x->minimum(), 0);
        EXPECT_TRUE(Child<QAbstractButton>(d, "SolidBrush")->isChecked());
        Click(Child(d, "CrossBrush"));
        Click(Child(d, "BrushColorButton"));
        TypeInto(x, 5000); // off the bitmap: the nearest limit
        TypeInto(y, 150);
        Click(ButtonOf(d, "&Help"));
        PressKey(Qt::Key_Return); // Enter in a spin edit closes as OK
        return d.result();
    });
    ASSERT_TRUE(ModifyDrawObject(*fill, kBitmap, nullptr));
    EXPECT_EQ(fill->Location, (TPoint{299, 150}));
    EXPECT_EQ(fill->BrushStyle, bsCross);
    EXPECT_EQ(fill->FillColor, 0x0000FFu);
    EXPECT_EQ(hook->ColorDialogs, std::vector<TColor>{0x00C000});
    EXPECT_EQ(help.Calls, (std::vector<THelpEventRecorder::TCall>{{HELP_CONTEXT, 5010}}));
    EXPECT_TRUE(hook->Messages.empty());
}

TEST(LabelDlg, FreeHandDialogRefusesAnOriginThatTakesTheCurveOff) {
    TScopedScriptedUiHook hook;
    auto f = MakeFreeHand({{10, 10}, {20, 15}, {40, 30}});
    hook->ScriptModal([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Edit Free Hand Line Label");
        if (!ShowActive(d)) return int(mrCancel);
        EXPECT_TRUE(Child<QAbstractButton>(d, "SolidPen")->isChecked());
        EXPECT_TRUE(Child<QAbstractButton>(d, "ClearBrush")->isChecked());
        Click(Child(d, "DashPen"));
        Click(Child(d, "SolidBrush"));
        auto* bar = Child<QScrollBar>(d, "LabelPenWidthScroll");
        bar->setFocus();
        for (int i = 0; i < 3; ++i)
            PressKey(Qt::Key_Right);
        EXPECT_EQ(Child<QLabel>(d, "LabelPenSize")->text(), "4");
        TypeInto(Spin(d, "EOriginX"), -60);
        Click(OkOf(d));
        EXPECT_EQ(hook->LastMessage(), "The label must be on the graph bitmap.");
        EXPECT_TRUE(d.isVisible()) << "the dialog stays open";
        TypeInto(Spin(d, "EOriginX"), -25);
        Click(OkOf(d));
        return d.result();
    });
    ASSERT_TRUE(ModifyDrawObject(*f, kBitmap, nullptr));
    EXPECT_EQ(f->P1, (TPoint{-25, 10}));
    EXPECT_EQ(f->P2, (TPoint{5, 30}));
    EXPECT_EQ(f->PenStyle, psDash);
    EXPECT_EQ(f->BrushStyle, bsSolid);
    EXPECT_EQ(f->PenWidth, 4);
    EXPECT_EQ(hook->Messages.size(), 1u);
}

TEST(LabelDlg, ShapeDialogChecksCornersBeforeTheBitmap) {
    TScopedScriptedUiHook hook;
    auto s = MakeShape(lkRectangle, {10, 20}, {110, 90});
    hook->ScriptModal([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Edit Rectange/Ellipse/Round Rectangle Label");
        if (!ShowActive(d)) return int(mrCancel);
        EXPECT_TRUE(Child<QAbstractButton>(d, "RectangleButton")->isChecked());
        EXPECT_EQ(Spin(d, "ETopLeftX")->minimum(), -100);
        EXPECT_EQ(Spin(d, "EBottomRightX")->maximum(), 400);
        TypeInto(Spin(d, "ETopLeftX"), 50);
        TypeInto(Spin(d, "EBottomRightX"), 40);
        TypeInto(Spin(d, "ETopLeftY"), 150);
        PressKey(Qt::Key_Enter);
        EXPECT_EQ(hook->LastMessage(), "Top Left X must be <= Bottom Right X.") << "X goes first";
        EXPECT_EQ(Focused(), Spin(d, "EBottomRightX"));
        TypeInto(Spin(d, "EBottomRightX"), 350);
        PressKey(Qt::Key_Enter);
        EXPECT_EQ(hook->LastMessage(), "Top Left Y must be <= Bottom Right Y.");
        EXPECT_EQ(Focused(), Spin(d, "EBottomRightY"));
        TypeInto(Spin(d, "EBottomRightY"), 250);
        TypeInto(Spin(d, "ETopLeftX"), 310);
        PressKey(Qt::Key_Enter);
        EXPECT_EQ(hook->LastMessage(), "The label must be on the graph bitmap.");
        EXPECT_TRUE(d.isVisible());
        TypeInto(Spin(d, "ETopLeftX"), 50);
        Click(Child(d, "RoundRectButton"));
        Click(Child(d, "ClearPen"));
        Click(Child(d, "VerticalBrush"));
        PressKey(Qt::Key_Enter);
        return d.result();
    });
    ASSERT_TRUE(ModifyDrawObject(*s, kBitmap, nullptr));
    EXPECT_EQ(s->P1, (TPoint{50, 150}));
    EXPECT_EQ(s->P2, (TPoint{350, 250}));
    EXPECT_EQ(s->ShapeKind, lkRoundRect);
    EXPECT_EQ(s->PenStyle, psClear);
    EXPECT_EQ(s->BrushStyle, bsVertical);
    ASSERT_EQ(hook->Messages.size(), 3u);
    EXPECT_EQ(hook->Messages[0].Type, mtError);
    EXPECT_NE(hook->Messages[0].Owner, nullptr) << "over the dialog";
    EXPECT_EQ(hook->Messages[2].Owner, nullptr);
}

TEST(LabelDlg, LineDialogTakesEndsOffTheBitmapWhenTheLineCrossesIt) {
    TScopedScriptedUiHook hook;
    auto line = MakeLine({10, 10}, {20, 20});
    hook->ScriptModal([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Edit Line Label");
        if (!ShowActive(d)) return int(mrCancel);
        TypeInto(Spin(d, "EOriginPointX"), -50);
        TypeInto(Spin(d, "EOriginPointY"), 100);
        TypeInto(Spin(d, "EEndPointX"), 390);
        TypeInto(Spin(d, "EEndPointY"), 120);
        PressKey(Qt::Key_Enter);
        return d.result();
    });
    ASSERT_TRUE(ModifyDrawObject(*line, kBitmap, nullptr));
    EXPECT_EQ(line->P1, (TPoint{-50, 100}));
    EXPECT_EQ(line->P2, (TPoint{390, 120}));
    EXPECT_TRUE(hook->Messages.empty());

    // Esc in a spin edit cancels: nothing changes.
    hook->ScriptModal([&](QDialog& d) {
        if (!ShowActive(d)) return int(mrCancel);
        TypeInto(Spin(d, "EEndPointX"), 7);
        PressKey(Qt::Key_Escape);
        return d.result();
    });
    EXPECT_FALSE(ModifyDrawObject(*line, kBitmap, nullptr));
    EXPECT_EQ(line->P2, (TPoint{390, 120}));
}

TEST(LabelDlg, TextDialogEditsTextAndFont) {
    TScopedScriptedUiHook hook;
    TMainFormStandIn mainForm;
    auto text = MakeText({30, 40}, "Peak", 10);
    hook->FontScripts.push_back([](TFontDialogRequest& r) {
        r.Font.Style = fsItalic;
        r.Font.Size = 16;
        return true;
    });
    TFontRecord chosen;
    hook->ScriptModal([&](QDialog& dialog) {
        auto& d = static_cast<TTextLabelDlg&>(dialog);
        EXPECT_EQ(d.windowTitle(), "Edit Text Label");
        if (!ShowActive(d)) return int(mrCancel);
        EXPECT_EQ(d.EFontCombo->currentText(), "DejaVu Sans");
        EXPECT_EQ(d.EFontSizeCombo->currentText(), "10");
        EXPECT_EQ(d.EFontSizeCombo->count(), 16);
        EXPECT_EQ(d.TextSampleLabel->text(), "Peak ");
        d.ETextString->setFocus();
        d.ETextString->selectAll();
        PressKey(Qt::Key_Delete);
        EXPECT_EQ(d.TextSampleLabel->text(), "Sample Text ");
        TypeText("Max ");
        QTest::sendKeyEvent(QTest::Click, d.ETextString, Qt::Key_unknown, QString::fromUtf8("\xc3\xa9"),
                            Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, d.ETextString, Qt::Key_unknown, QString::fromUtf8("\xce\xa9"),
                            Qt::NoModifier);
        EXPECT_EQ(d.ETextString->text(), QString::fromUtf8("Max \xc3\xa9"))
            << "a character no file can hold is refused";
        Click(d.FontDlgButton);
        EXPECT_TRUE(d.EItalicFontButton->isChecked());
        EXPECT_FALSE(d.EBoldFontButton->isChecked());
        EXPECT_EQ(d.EFontSizeCombo->currentText(), "16");
        Click(d.EBoldFontButton);
        d.EFontSizeCombo->setFocus();
        d.EFontSizeCombo->lineEdit()->selectAll();
        TypeText("24x");
        EXPECT_EQ(d.DialogFont().Size, 24);
        PressKey(Qt::Key_Tab); // leaving the box rewrites its text
        EXPECT_EQ(d.EFontSizeCombo->currentText(), "24");
        d.EFontCombo->setFocus();
        const int before = d.EFontCombo->currentIndex();
        PressKey(before + 1 < d.EFontCombo->count() ? Qt::Key_Down : Qt::Key_Up);
        EXPECT_EQ(d.DialogFont().Name, d.EFontCombo->currentText().toStdString());
        d.EFontCombo->setCurrentIndex(before);
        emit d.EFontCombo->activated(before);
        chosen = d.DialogFont();
        TypeInto(d.TopLeft.X, 400);
        Click(d.Buttons.OKBtn);
        EXPECT_EQ(hook->LastMessage(), "The label must be on the graph bitmap.");
        TypeInto(d.TopLeft.X, 30);
        Click(d.Buttons.OKBtn);
        return d.result();
    });
    ASSERT_TRUE(ModifyDrawObject(*text, kBitmap, nullptr));
    EXPECT_EQ(text->Text, "Max \xc3\xa9");
    EXPECT_EQ(text->Font, chosen);
    EXPECT_EQ(text->Font.Style, fsItalic | fsBold);
    EXPECT_EQ(text->Font.Size, 24);
    EXPECT_EQ(text->P1, (TPoint{30, 40}));
    EXPECT_EQ(text->P2, TDrawText::CalcTextExtent({30, 40}, "Max \xc3\xa9", chosen))
        << "measured in the new font";
    ASSERT_EQ(hook->FontDialogs.size(), 1u);
    EXPECT_EQ(hook->FontDialogs[0].Size, 10);
}

// A label lying farther out than the usual spin limits, opened and closed with OK, keeps
// its record byte for byte.
TEST(LabelDlg, OkWithoutEditsLeavesALabelAsItWas) {
    TScopedScriptedUiHook hook;
    std::vector<std::unique_ptr<TDrawBaseClass>> labels;
    labels.push_back(MakeLine({-500, 50}, {100, 60}));
    labels.push_back(MakeLine({150, -500}, {140, 100}));
    labels.push_back(MakeShape(lkEllipse, {-500, -300}, {50, 80}));
    labels.push_back(MakeShape(lkRectangle, {-500, 20}, {900, 70}));
    labels.push_back(MakeFreeHand({{-500, 20}, {-100, 25}, {20, 30}}));
    auto big = MakeText({-500, 20}, "WWWWW", 150);
    labels.push_back(std::move(big));
    labels.push_back(MakeFill({299, 0}));
    for (const auto& label : labels) {
        label->Modified = false;
        const recordtest::Bytes before = RecordOf(*label);
        const std::string what = label->GetDescription();
        hook->ScriptModal([&](QDialog& d) {
            if (!ShowActive(d)) return int(mrCancel);
            Click(OkOf(d));
            return d.result();
        });
        EXPECT_TRUE(ModifyDrawObject(*label, kBitmap, nullptr)) << what;
        EXPECT_EQ(RecordOf(*label), before) << what;
        EXPECT_TRUE(label->Modified);
    }
    EXPECT_TRUE(hook->Messages.empty());

    // Corners stored out of order show in order, unclamped, and OK stores them so.
    auto shape = MakeShape(lkRectangle, {900, 20}, {-500, 70});
    hook->ScriptModal([&](QDialog& d) {
        if (!ShowActive(d)) return int(mrCancel);
        EXPECT_EQ(Spin(d, "ETopLeftX")->value(), -500);
        EXPECT_EQ(Spin(d, "EBottomRightX")->value(), 900);
        Click(OkOf(d));
        return d.result();
    });
    EXPECT_TRUE(ModifyDrawObject(*shape, kBitmap, nullptr));
    EXPECT_EQ(shape->P1, (TPoint{-500, 20}));
    EXPECT_EQ(shape->P2, (TPoint{900, 70}));
}

TEST(LabelDlg, ModifyDrawObjectAnswersFalseForOtherLabelsAndFailures) {
    TScopedScriptedUiHook hook;
    TForeignLabel foreign;
    EXPECT_FALSE(ModifyDrawObject(foreign, kBitmap, nullptr));
    EXPECT_TRUE(hook->ModalForms.empty());

    auto line = MakeLine({10, 10}, {20, 20});
    hook->ScriptModal([](QDialog& d) -> int {
        static_cast<TDialogBase&>(d).findChild<QSpinBox*>("EOriginPointX")->setValue(99);
        throw std::runtime_error("the dialog broke");
    });
    EXPECT_FALSE(ModifyDrawObject(*line, kBitmap, nullptr));
    EXPECT_EQ(line->P1, (TPoint{10, 10}));

    // Each class gets its own dialog.
    const std::pair<std::unique_ptr<TDrawBaseClass>, const char*> cases[] = {
        {MakeFill({1, 1}), "Edit Flood Fill Label"},
        {MakeFreeHand({{1, 1}, {5, 5}}), "Edit Free Hand Line Label"},
        {MakeShape(lkRoundRect, {1, 1}, {9, 9}), "Edit Rectange/Ellipse/Round Rectangle Label"},
        {MakeLine({1, 1}, {9, 9}), "Edit Line Label"},
        {MakeText({1, 1}, "T"), "Edit Text Label"},
    };
    for (const auto& [label, title] : cases) {
        std::string shown;
        hook->ScriptModal([&](QDialog& d) {
            shown = d.windowTitle().toStdString();
            EXPECT_EQ(static_cast<TDialogBase&>(d).HelpContext(), 5010);
            return int(mrCancel);
        });
        EXPECT_FALSE(ModifyDrawObject(*label, kBitmap, nullptr));
        EXPECT_EQ(shown, title);
    }
}
