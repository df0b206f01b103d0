#include "model/readedit.h"

#include "platform/ScriptedUiHook.h"

#include "common/HelpEventRecorder.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TEST(ReadEdit, RepairDialogReturnsTheEditedTextOnlyOnOk) {
    TScopedScriptedUiHook hook;
    THelpEventRecorder help;
    std::string shown, caption, group;
    QSize size;
    hook->ScriptModal([&](QDialog& d) {
        auto& dlg = dynamic_cast<TEditStrReadErrorDlg&>(d);
        shown = dlg.ErrorTextLabel->text().toStdString() + "|" + dlg.EditString->text().toStdString();
        caption = dlg.windowTitle().toStdString();
        group = dlg.GroupBox1->title().toStdString();
        size = dlg.size();
        EXPECT_TRUE(dlg.OKBtn->isDefault());
        EXPECT_FALSE(dlg.CancelBtn->autoDefault());
        dlg.HelpBtn->click();
        dlg.EditString->setText("SIN(X)+1\xC2\xB2");
        dlg.OKBtn->click();
        return dlg.result();
    });
    std::string s = "SIN(X)+";
    EXPECT_TRUE(EditIncompatibleValueString("Syntax error at Character 8", s));
    EXPECT_EQ(s, "SIN(X)+1\xC2\xB2");
    EXPECT_EQ(shown, "Syntax error at Character 8|SIN(X)+");
    EXPECT_EQ(caption, "An Incompatible Value String Was Found");
    EXPECT_EQ(group, "Edit it to remove the error or, cancel to abort loading the graph");
    EXPECT_EQ(size, QSize(498, 170));
    EXPECT_EQ(help.Calls, (std::vector<THelpEventRecorder::TCall>{{HELP_CONTEXT, 4015}}));

    // Cancel, and a dialog closed any other way, leave the text alone.
    hook->ScriptModal([](QDialog& d) {
        dynamic_cast<TEditStrReadErrorDlg&>(d).EditString->setText("changed");
        dynamic_cast<TEditStrReadErrorDlg&>(d).CancelBtn->click();
        return d.result();
    });
    EXPECT_FALSE(EditIncompatibleValueString("error", s));
    EXPECT_FALSE(EditIncompatibleValueString("error", s)); // unscripted: rejected
    EXPECT_EQ(s, "SIN(X)+1\xC2\xB2");
}
