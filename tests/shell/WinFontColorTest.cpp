// A colour chosen in a font dialog, from every place that opens one on a graph, reaches
// what the font draws and the graph file: the axis label fonts of each kind's settings, the
// text label dialog, the label tool bar's text font and the default font of the options.
#include "GraphWindowRig.h"
#include "dialogs/Add3dFnc.h"
#include "dialogs/Set2dDlg.h"
#include "dialogs/Set3dDlg.h"
#include "dialogs/SetPoDlg.h"
#include "labels/DrawObjs.h"
#include "labels/custedit.h"
#include "labels/dtextdlg.h"
#include "math/ColorSample.h"
#include "math/DefFont.h"
#include "model/Set2dObj.h"
#include "model/Set3dObj.h"
#include "model/SetPoObj.h"
#include "platform/Bitmap.h"
#include "plot/Imag2d.h"
#include "plot/Imag3d.h"
#include "plot/ImagPolr.h"
#include "shell/LabelToolBar.h"
#include "shell/OptDlg.h"
#include "shell/Win2D.h"
#include "shell/Win3D.h"
#include "shell/WinPolar.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <functional>

using namespace wintest;

namespace {

constexpr TColor Ink = clRed;

// The next modal form, of type TDlg, is handed to Act, which ends it.
template <class TDlg> void answerForm(TGraphWindowRig& Rig, std::function<void(TDlg&)> Act) {
    Rig.hook->ScriptModal([Act](QDialog& dialog) {
        auto& d = dynamic_cast<TDlg&>(dialog);
        Act(d);
        return d.result();
    });
}

int inkPixels(const TWindowBase& Window) {
    const TBitmap& picture = Window.ImageBox->Image->Picture();
    int count = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            count += picture.Pixel(x, y) == Ink;
    return count;
}

TDrawText* firstText(const TWindowBase& Window) {
    const auto& labels = Window.ImageBox->MasterLabelList();
    return labels.empty() ? nullptr : dynamic_cast<TDrawText*>(labels.front().get());
}

TColor textColor(TWindowBase& Window) {
    const TDrawText* text = firstText(Window);
    return text ? text->Font.Color : clNone;
}

TColor xLabelColor2D(TWindowBase& Window) {
    return dynamic_cast<TWindow2D&>(Window).ImageBox2D->GetSettings().XLabelFont.Color;
}

// Types a text label with the text tool.
void typeText(TGraphWindowRig& Rig, TWindowBase& Window) {
    TLabelToolBar& bar = *Rig.form->LabelShapeToolBar;
    QTest::mouseClick(bar.TextButton, Qt::LeftButton);
    QTest::mouseClick(Window.ImageBox->Image, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    QTest::keyClicks(Window.ImageBox->TextEditor, "Hi");
    QTest::keyClick(Window.ImageBox->TextEditor, Qt::Key_Return);
    QTest::mouseClick(bar.ShapeOffButton, Qt::LeftButton);
}

// The options change the process's default font; the next case starts from the toolkit's.
struct TDefaultFontReset {
    ~TDefaultFontReset() { DefaultFontHolder().ResetFont(); }
};

struct TCase {
    const char* What;
    int32_t Kind;
    // Opens the font dialog (answered with Ink) the way the user would, before or after
    // the window was made.
    std::function<void(TGraphWindowRig&)> Before;
    std::function<void(TGraphWindowRig&, TWindowBase&)> After;
    // The colour the graph keeps for that font.
    std::function<TColor(TWindowBase&)> Kept;
};

std::vector<TCase> cases() {
    return {
        {"2D settings, X label font", 1, nullptr,
         [](TGraphWindowRig& rig, TWindowBase& w) {
             answerForm<TSettings2DDlg>(rig, [](TSettings2DDlg& d) {
                 d.PageControl1->setCurrentWidget(d.LabelsTab);
                 d.X.TMLabelFontButton->click();
                 d.OKBtn->click();
             });
             dynamic_cast<TWindow2D&>(w).GraphSettings2->trigger();
         },
         xLabelColor2D},
        {"polar settings, label font", 2, nullptr,
         [](TGraphWindowRig& rig, TWindowBase& w) {
             answerForm<TSettingsPolarDlg>(rig, [](TSettingsPolarDlg& d) {
                 d.LabelFontButton->click();
                 d.OKBtn->click();
             });
             dynamic_cast<TWindowPolar&>(w).GraphSettings2->trigger();
         },
         [](TWindowBase& w) {
             return dynamic_cast<TWindowPolar&>(w).ImageBoxPolar->GetSettings().LabelFont.Color;
         }},
        {"3D settings, all label fonts on black", 3, nullptr,
         [](TGraphWindowRig& rig, TWindowBase& w) {
             // The axes reach as far as the functions do.
             answerForm<TAdd3DDialog>(rig, [](TAdd3DDialog& d) {
                 d.EUserFuncString->setText("X*Y");
                 d.OKBtn->click();
             });
             dynamic_cast<TWindow3D&>(w).New3DFunctionXYZ1->trigger();
             TGraphWindowRig::idle(w);
             rig.hook->ColorScripts.push_back([](TColorDialogRequest& r) { return r.Color = clBlack, true; });
             answerForm<TSettings3DDlg>(rig, [](TSettings3DDlg& d) {
                 d.EBackgroundColor->click();
                 d.EAllLabelFonts->click();
                 d.OKBtn->click();
             });
             dynamic_cast<TWindow3D&>(w).GraphSettings2->trigger();
         },
         [](TWindowBase& w) {
             const TSetting3DObj& s = dynamic_cast<TWindow3D&>(w).ImageBox3D->GetSettings();
             return s.X.LabelFont.Color == s.Z.LabelFont.Color && s.BackColor == clBlack ? s.Z.LabelFont.Color
                                                                                         : clNone;
         }},
        {"text label dialog", 1, nullptr,
         [](TGraphWindowRig& rig, TWindowBase& w) {
             typeText(rig, w);
             TGraphWindowRig::idle(w);
             w.SelectTopLabel1->trigger();
             answerForm<TTextLabelDlg>(rig, [](TTextLabelDlg& d) {
                 d.FontDlgButton->click();
                 d.Buttons.OKBtn->click();
             });
             w.EditSelected1->trigger();
         },
         textColor},
        {"label tool bar text font", 2,
         [](TGraphWindowRig& rig) { rig.form->OpenTextLabelFontDialog1->trigger(); }, typeText, textColor},
        {"options, default font", 1,
         [](TGraphWindowRig& rig) {
             answerForm<TOptionsDlg>(rig, [](TOptionsDlg& d) {
                 d.DefaultFontButton->click();
                 d.OKBtn->click();
             });
             rig.form->Options1->trigger();
         },
         nullptr, xLabelColor2D},
    };
}

} // namespace

TEST(GraphWindowFonts, AColourChosenInAFontDialogIsDrawnSavedAndReadBack) {
    for (const TCase& c : cases()) {
        SCOPED_TRACE(c.What);
        TDefaultFontReset reset;
        TGraphWindowRig rig;
        rig.hook->FontScripts.push_back([](TFontDialogRequest& r) {
            r.Font.Color = Ink;
            r.Font.Size = 12;
            return true;
        });
        if (c.Before) c.Before(rig);
        TWindowBase& window = rig.open(c.Kind);
        if (c.After) c.After(rig, window);
        TGraphWindowRig::idle(window);
        EXPECT_EQ(rig.hook->FontDialogs.size(), 1u);
        EXPECT_EQ(rig.hook->Unscripted, 0);
        EXPECT_EQ(c.Kept(window), Ink);
        EXPECT_GT(inkPixels(window), 10) << "drawn in the font's colour";

        const std::string path = rig.path("font.qxf");
        ASSERT_TRUE(window.SaveGraphAs(path));
        DefaultFontHolder().ResetFont(); // what is read back comes from the file alone
        ASSERT_TRUE(rig.form->OpenGraphFile(path));
        TWindowBase* reopened = rig.form->ActiveGraphWindow();
        ASSERT_NE(reopened, &window);
        TGraphWindowRig::idle(*reopened);
        EXPECT_EQ(c.Kept(*reopened), Ink) << "read back";
        EXPECT_GT(inkPixels(*reopened), 10) << "drawn again";
    }
}
