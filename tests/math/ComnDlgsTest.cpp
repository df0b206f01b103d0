// The shared colour and font pickers.
#include "math/ComnDlgs.h"
#include "math/CenterDlg.h"
#include "platform/Errors.h"
#include "platform/ScriptedUiHook.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

struct MainFormGuard {
    explicit MainFormGuard(QWidget* w) { SetApplicationMainForm(w); }
    ~MainFormGuard() { SetApplicationMainForm(nullptr); }
};

} // namespace

TEST(Pickers, ColourAndFontGoThroughTheHook) {
    TScopedScriptedUiHook hook;
    QWidget owner;
    TColor color = clRed;
    // No main window yet: nothing runs, nothing changes.
    EXPECT_FALSE(PickColor(color, &owner));
    EXPECT_EQ(color, clRed);
    EXPECT_EQ(SelectColor(clRed, &owner), clRed);
    TFontRecord font;
    font.Name = "Serif";
    EXPECT_FALSE(PickFont(font, &owner));
    EXPECT_EQ(font.Name, "Serif");
    EXPECT_TRUE(hook->ColorDialogs.empty());
    EXPECT_TRUE(hook->FontDialogs.empty());

    QWidget mainForm;
    MainFormGuard guard(&mainForm);
    hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clBlue;
        return true;
    });
    EXPECT_TRUE(PickColor(color, &owner));
    EXPECT_EQ(color, clBlue);
    ASSERT_EQ(hook->ColorDialogs.size(), 1u);
    EXPECT_EQ(hook->ColorDialogs[0], clRed); // preset to the given colour

    // Cancel keeps the colour; so does a dialog that fails.
    hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clLime;
        return false;
    });
    EXPECT_FALSE(PickColor(color, &owner));
    EXPECT_EQ(color, clBlue);
    hook->ColorScripts.push_back([](TColorDialogRequest&) -> bool { throw std::runtime_error("no dialog"); });
    EXPECT_FALSE(PickColor(color, &owner));
    EXPECT_EQ(color, clBlue);
    hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clYellow;
        return true;
    });
    EXPECT_EQ(SelectColor(clBlue, nullptr), clYellow);
    EXPECT_EQ(SelectColor(clBlue, nullptr), clBlue); // unscripted: cancelled

    hook->FontScripts.push_back([](TFontDialogRequest& r) {
        r.Font.Size = 14;
        r.Font.Style = fsBold;
        return true;
    });
    font.Color = clMaroon;
    EXPECT_TRUE(PickFont(font, &owner));
    EXPECT_EQ(font.Size, 14);
    EXPECT_EQ(font.Style, fsBold);
    EXPECT_EQ(font.Name, "Serif");
    EXPECT_EQ(font.Color, clMaroon);
    ASSERT_EQ(hook->FontDialogs.size(), 1u);
    EXPECT_EQ(hook->FontDialogs[0].Name, "Serif");
    TFontRecord before = font;
    EXPECT_FALSE(PickFont(font, &owner)); // unscripted: cancelled
    EXPECT_EQ(font, before);
}
