#include "math/DialogBase.h"
#include "math/CenterDlg.h"
#include "math/ColorSample.h"
#include "math/DialogRows.h"
#include "platform/ScriptedUiHook.h"

#include "common/DialogTestSupport.h"
#include "common/HelpEventRecorder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A form with an edit A that has an exit check, a plain edit B, a spin edit and the
// standard buttons; it counts its checks and fails them on demand.
class TProbeDlg : public TDialogBase {
public:
    TProbeDlg() : TDialogBase(nullptr, 77) {
        auto* layout = new QVBoxLayout(this);
        A = new QLineEdit(this);
        B = new QLineEdit(this);
        Spin = MakeSpinEdit(this, 0, 100, 5, 3);
        for (QWidget* w : {static_cast<QWidget*>(A), static_cast<QWidget*>(B), static_cast<QWidget*>(Spin)})
            layout->addWidget(w);
        Buttons = MakeDialogButtons(*this);
        layout->addWidget(Buttons.Row);
        SetExitCheck(A, [this] {
            ++exitChecks;
            if (!failExit) return true;
            CenterMessageDlg("A is wrong", mtError, {mbOK}, 0, this);
            // The focus moves around while the box is up; no second check may start.
            B->setFocus();
            A->setFocus();
            return false;
        });
    }
    QLineEdit* A;
    QLineEdit* B;
    QSpinBox* Spin;
    TDialogButtons Buttons;
    int exitChecks = 0;
    int okChecks = 0;
    bool failExit = false;
    bool failOk = false;

protected:
    bool CanCloseOk() override {
        ++okChecks;
        return !failOk;
    }
};

struct TCloseRoute {
    const char* name;
    std::function<void(TProbeDlg&)> act;
    int result;   // modal result when the checks pass
    bool checked; // the OK check ran
};

} // namespace

TEST(DialogBase, OkEnterAndSpinKeysRunTheChecksCancelEscAndHelpNever) {
    const TCloseRoute routes[] = {
        {"OK button", [](TProbeDlg& d) { QTest::mouseClick(d.Buttons.OKBtn, Qt::LeftButton); }, mrOk, true},
        {"Enter in an edit",
         [](TProbeDlg& d) {
             d.B->setFocus();
             PressKey(Qt::Key_Return);
         },
         mrOk, true},
        {"Enter in a spin edit",
         [](TProbeDlg& d) {
             d.Spin->setFocus();
             PressKey(Qt::Key_Enter);
         },
         mrOk, true},
        {"Esc in a spin edit",
         [](TProbeDlg& d) {
             d.Spin->setFocus();
             PressKey(Qt::Key_Escape);
         },
         mrCancel, false},
        {"Cancel button", [](TProbeDlg& d) { QTest::mouseClick(d.Buttons.CancelBtn, Qt::LeftButton); },
         mrCancel, false},
        {"Esc in an edit",
         [](TProbeDlg& d) {
             d.B->setFocus();
             PressKey(Qt::Key_Escape);
         },
         QDialog::Rejected, false},
    };
    for (const auto& route : routes) {
        for (bool fail : {false, true}) {
            SCOPED_TRACE(std::string(route.name) + (fail ? " failing" : " passing"));
            TScopedScriptedUiHook hook;
            TProbeDlg d;
            d.failOk = fail;
            ASSERT_TRUE(ShowActive(d));
            d.setResult(-1);
            d.B->setFocus(); // B has no exit check; leaving A ran its check
            d.exitChecks = 0;
            route.act(d);
            EXPECT_EQ(d.okChecks, route.checked ? 1 : 0);
            const bool closes = !route.checked || !fail;
            EXPECT_EQ(d.isVisible(), !closes);
            if (closes) {
                EXPECT_EQ(d.result(), route.result);
            }
            EXPECT_EQ(d.exitChecks, 0);
        }
    }
    // Help asks for the dialog's context through the application's help event and closes
    // nothing.
    TScopedScriptedUiHook hook;
    THelpEventRecorder help;
    TProbeDlg d;
    ASSERT_TRUE(ShowActive(d));
    QTest::mouseClick(d.Buttons.HelpBtn, Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(help.Calls, (std::vector<THelpEventRecorder::TCall>{{HELP_CONTEXT, 77}}));
    EXPECT_EQ(d.okChecks, 0);
    // Qt makes dialog buttons auto-default; the base takes that back.
    for (QPushButton* b : d.findChildren<QPushButton*>())
        EXPECT_FALSE(b->autoDefault()) << b->text().toStdString();
    EXPECT_TRUE(d.Buttons.OKBtn->isDefault());
}

TEST(DialogBase, ExitChecksRunOnLeavingButNotOnTheWayToCancelOrHelp) {
    TScopedScriptedUiHook hook;
    TProbeDlg d;
    ASSERT_TRUE(ShowActive(d));
    d.A->setFocus();
    PressKey(Qt::Key_Tab); // to B
    EXPECT_EQ(Focused(), d.B);
    EXPECT_EQ(d.exitChecks, 1);

    // A failing check shows one message, keeps the focus in A, and the focus moves of its
    // own message box start no second check.
    d.failExit = true;
    d.A->setFocus();
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(d.exitChecks, 2);
    EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"A is wrong"});
    EXPECT_EQ(Focused(), d.A);

    // Going to Cancel and Help starts nothing; going on from there to B runs the check.
    d.Buttons.CancelBtn->setFocus(Qt::TabFocusReason);
    d.Buttons.HelpBtn->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(d.exitChecks, 2);
    d.B->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(d.exitChecks, 3);
    EXPECT_EQ(Focused(), d.A);

    // A click on OK from A runs A's check first; its failure keeps the dialog open
    // without the OK check.
    hook->Clear();
    QTest::mouseClick(d.Buttons.OKBtn, Qt::LeftButton);
    EXPECT_EQ(d.exitChecks, 4);
    EXPECT_EQ(d.okChecks, 0);
    EXPECT_EQ(hook->Messages.size(), 1u);
    EXPECT_TRUE(d.isVisible());
    // Cancel from A closes without a check.
    QTest::mouseClick(d.Buttons.CancelBtn, Qt::LeftButton);
    EXPECT_EQ(d.exitChecks, 4);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), mrCancel);
}

TEST(DialogBase, LoadingFiresNoHandlerAndExecuteGoesThroughTheHook) {
    TScopedScriptedUiHook hook;
    TProbeDlg d;
    int changes = 0;
    QObject::connect(d.B, &QLineEdit::textChanged, [&] { ++changes; });
    TScrollRow width = MakeScrollRow(&d, 1, 10);
    {
        TDialogBase::TLoadScope loading = d.BeginLoad();
        EXPECT_TRUE(d.Loading());
        d.B->setText("filled");
        width.Bar->setValue(7);
    }
    EXPECT_FALSE(d.Loading());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(width.Label->text(), "1"); // the loader sets labels itself
    d.B->setText("typed");
    width.Bar->setValue(4);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(width.Label->text(), "4");

    // The modal run is the hook's: a script fills the form and closes it through done().
    hook->ScriptModal([](QDialog& form) {
        auto& p = static_cast<TProbeDlg&>(form);
        p.failOk = true;
        p.done(mrOk); // refused
        EXPECT_EQ(p.okChecks, 1);
        p.failOk = false;
        p.done(mrOk);
        return p.result();
    });
    EXPECT_EQ(d.Execute(nullptr), mrOk);
    EXPECT_EQ(d.okChecks, 2);
    ASSERT_EQ(hook->ModalForms.size(), 1u);
}

TEST(DialogRows, ColorRowRunsThePickerFromButtonAndSample) {
    TScopedScriptedUiHook hook;
    QWidget mainForm;
    SetApplicationMainForm(&mainForm);
    TProbeDlg d;
    int before = 0;
    TColorRow row = MakeColorRow(&d, "Color", "Function Color Sample", [&] { ++before; });
    row.Sample->SetSampleColor(clRed);
    hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clLime;
        return true;
    });
    hook->ColorScripts.push_back([](TColorDialogRequest&) { return false; });
    row.Button->click();
    EXPECT_EQ(row.Sample->SampleColor(), clLime);
    emit row.Sample->clicked();
    EXPECT_EQ(row.Sample->SampleColor(), clLime); // cancelled
    EXPECT_EQ(hook->ColorDialogs, (std::vector<TColor>{clRed, clLime}));
    EXPECT_EQ(before, 2);
    EXPECT_EQ(row.Sample->toolTip(), "Function Color Sample");
    SetApplicationMainForm(nullptr);
}
