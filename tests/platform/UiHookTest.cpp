#include "platform/ScriptedUiHook.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>

namespace {
// A caller as the program writes them: it asks through the hook and acts on the answer.
std::string askToSave() {
    TMessageRequest req;
    req.Text = "Save changes to graph: sine.qxf";
    req.Type = mtConfirmation;
    req.Buttons = {mbYes, mbNo, mbCancel};
    switch (UiHook().MessageDlg(req)) {
    case mrYes:
        return "saved";
    case mrNo:
        return "discarded";
    default:
        return "kept open";
    }
}

std::string editName(const std::string& start) {
    QDialog dlg;
    auto* edit = new QLineEdit(QString::fromStdString(start), &dlg);
    edit->setObjectName("NameEdit");
    if (UiHook().ExecModal(dlg) != mrOk) return start;
    return edit->text().toStdString();
}
} // namespace

TEST(UiHook, ScriptedAnswersReachTheCaller) {
    TScopedScriptedUiHook hook;
    hook->AnswerMessage(mrYes);
    hook->AnswerMessage(mrNo);
    EXPECT_EQ(askToSave(), "saved");
    EXPECT_EQ(askToSave(), "discarded");
    // Unscripted: the safe answer is Cancel, and it is counted.
    EXPECT_EQ(askToSave(), "kept open");
    EXPECT_EQ(hook->Unscripted, 1);
    ASSERT_EQ(hook->Messages.size(), 3u);
    EXPECT_EQ(hook->Messages[0].Text, "Save changes to graph: sine.qxf");
    EXPECT_EQ(hook->Messages[0].Type, mtConfirmation);
    EXPECT_TRUE(hook->Messages[0].Buttons.Contains(mbCancel));
    EXPECT_FALSE(hook->Messages[0].Buttons.Contains(mbOK));
}

TEST(UiHook, ModalFormScriptsFillTheForm) {
    TScopedScriptedUiHook hook;
    hook->ScriptModal([](QDialog& d) {
        d.findChild<QLineEdit*>("NameEdit")->setText("X");
        d.done(mrOk);
        return d.result();
    });
    hook->ScriptModal([](QDialog& d) {
        d.findChild<QLineEdit*>("NameEdit")->setText("Y");
        d.reject();
        return d.result();
    });
    EXPECT_EQ(editName("A"), "X");
    EXPECT_EQ(editName("A"), "A"); // rejected reads as Cancel
    EXPECT_EQ(editName("A"), "A"); // unscripted is Cancel
    EXPECT_EQ(hook->ModalForms.size(), 3u);
    EXPECT_EQ(hook->Unscripted, 1);
}

TEST(UiHook, CommonDialogsAreScriptedAndScopedHookIsRestored) {
    TUiHook* before = &UiHook();
    {
        TScopedScriptedUiHook hook;
        EXPECT_NE(&UiHook(), before);
        hook->FileAnswers.push_back("/tmp/a.qxf");
        hook->FileAnswers.push_back("");
        TFileDialogRequest f;
        f.Filters = {{"Graph Files", "*.qxf"}};
        EXPECT_TRUE(UiHook().FileDialog(f));
        EXPECT_EQ(f.FileName, "/tmp/a.qxf");
        EXPECT_FALSE(UiHook().FileDialog(f));

        hook->ColorScripts.push_back([](TColorDialogRequest& r) {
            r.Color = clRed;
            return true;
        });
        TColorDialogRequest c;
        c.Color = clBlue;
        EXPECT_TRUE(UiHook().ColorDialog(c));
        EXPECT_EQ(c.Color, clRed);
        EXPECT_EQ(hook->ColorDialogs, std::vector<TColor>{clBlue});

        TFontDialogRequest fr;
        EXPECT_FALSE(UiHook().FontDialog(fr));
        EXPECT_EQ(hook->Unscripted, 1);
    }
    EXPECT_EQ(&UiHook(), before);
}

TEST(UiHook, ButtonsAndResults) {
    EXPECT_EQ(ModalResultOf(mbRetry), mrRetry);
    EXPECT_EQ(ModalResultOf(mbAbort), mrAbort);
    EXPECT_EQ(ModalResultOf(mbHelp), mrNone);
    EXPECT_EQ(MessageDlgCaption(mtConfirmation), "Confirm");
    TMsgDlgButtons b{mbAbort, mbRetry};
    EXPECT_TRUE(b.Contains(mbRetry));
    EXPECT_FALSE(b.Contains(mbOK));
    b.Include(mbOK);
    EXPECT_TRUE(b.Contains(mbOK));
}
