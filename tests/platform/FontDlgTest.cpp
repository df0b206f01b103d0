// The font dialog: Qt's chooser with a colour row, the colour asked through the hook.
#include "platform/FontDlg.h"
#include "platform/ScriptedUiHook.h"

#include "common/DialogTestSupport.h"

#include <QAbstractItemView>
#include <QFontDialog>
#include <QFrame>
#include <QImage>
#include <QPushButton>

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace {

TColor sampleColor(QFrame& sample) {
    const QImage shot = sample.grab().toImage();
    return QColorToTColor(shot.pixelColor(shot.width() / 2, shot.height() / 2));
}

TFontRecord serif(TColor color) {
    TFontRecord font;
    font.Name = "DejaVu Serif";
    font.Style = fsBold | fsItalic;
    font.Size = 14;
    font.Color = color;
    return font;
}

} // namespace

TEST(FontDialog, TheColourRowShowsAndChangesTheFontsColour) {
    struct TCase {
        const char* What;
        TColor Start;
        std::optional<bool> Answer; // the colour dialog's OK or Cancel, when it is asked
        TColor Expected;
    };
    const TCase cases[] = {
        {"nothing asked", 0x123456, std::nullopt, 0x123456},
        {"a colour chosen", 0x123456, true, clRed},
        {"a system colour kept on Cancel", clWindowText, false, clWindowText},
        {"a system colour replaced", clWindowText, true, clRed},
    };
    for (const TCase& c : cases) {
        TScopedScriptedUiHook hook;
        TFontColorDialog dialog(serif(c.Start));
        EXPECT_EQ(dialog.SelectedFont(), serif(c.Start)) << c.What << ": the font as given, colour included";
        EXPECT_EQ(sampleColor(*dialog.ColorSample), ColorToRGB(c.Start)) << c.What;
        if (c.Answer) {
            hook->ColorScripts.push_back([answer = *c.Answer](TColorDialogRequest& r) {
                r.Color = clRed;
                return answer;
            });
            dialog.ColorButton->click();
            EXPECT_EQ(hook->ColorDialogs, std::vector<TColor>{c.Start}) << c.What << ": preset to the colour";
        }
        EXPECT_EQ(dialog.SelectedFont(), serif(c.Expected)) << c.What;
        EXPECT_EQ(sampleColor(*dialog.ColorSample), ColorToRGB(c.Expected)) << c.What;
        EXPECT_EQ(hook->Unscripted, 0) << c.What;
    }
}

// Esc and Enter inside Qt's chooser close the whole dialog, as Cancel and OK.
TEST(FontDialog, EscAndEnterInTheChooserCloseTheDialog) {
    TScopedScriptedUiHook hook;
    TFontColorDialog dialog(serif(clRed));
    for (auto [key, result] :
         {std::pair{Qt::Key_Escape, QDialog::Rejected}, {Qt::Key_Return, QDialog::Accepted}}) {
        dialog.setResult(-1);
        ASSERT_TRUE(ShowActive(dialog));
        auto* list = dialog.Chooser->findChild<QAbstractItemView*>();
        ASSERT_NE(list, nullptr);
        list->setFocus();
        ASSERT_EQ(Focused(), list);
        PressKey(key);
        EXPECT_FALSE(dialog.isVisible()) << key;
        EXPECT_EQ(dialog.result(), result) << key;
        EXPECT_FALSE(dialog.Chooser->isHidden()) << key << ": the chooser stays in the dialog";
    }
}
