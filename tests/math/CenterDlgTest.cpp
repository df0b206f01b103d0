#include "math/CenterDlg.h"
#include "math/CenterErrorMsgDlg.h"
#include "platform/ScriptedUiHook.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A small dialog whose OK check can be made to fail, with a spin edit and a line edit.
class KeyDialog : public QDialog {
public:
    KeyDialog() {
        auto* layout = new QVBoxLayout(this);
        spin = new QSpinBox(this);
        edit = new QLineEdit(this);
        layout->addWidget(spin);
        layout->addWidget(edit);
    }
    void done(int r) override {
        if (r == mrOk) {
            ++checks;
            if (!checkPasses) return;
        }
        QDialog::done(r);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (DialogEnterEscKey(this, e)) return;
        QDialog::keyPressEvent(e);
    }
    QSpinBox* spin;
    QLineEdit* edit;
    int checks = 0;
    bool checkPasses = true;
};

void pressKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

struct ModeGuard {
    ~ModeGuard() {
        DialogPositionMode = dpSpecifiedFormCenter;
        CenterCommonDialogs = true;
        SetApplicationMainForm(nullptr);
    }
};

} // namespace

TEST(DialogPlacement, CentringRuleAndItsCorrections) {
    int left = -1, top = -1;
    // Centred inside the area.
    ASSERT_TRUE(CalcCenteredPos(200, 100, 100, 100, 600, 400, 1280, 1024, left, top));
    EXPECT_EQ(left, 300);
    EXPECT_EQ(top, 250);
    // Odd differences round towards zero.
    ASSERT_TRUE(CalcCenteredPos(201, 101, 0, 0, 600, 400, 1280, 1024, left, top));
    EXPECT_EQ(left, 199);
    EXPECT_EQ(top, 149);
    // An owner near the right edge: the dialog ends 10 pixels before the screen's edge.
    ASSERT_TRUE(CalcCenteredPos(300, 200, 1100, 850, 300, 300, 1280, 1024, left, top));
    EXPECT_EQ(left, 1280 - 300 - 10);
    EXPECT_EQ(top, 1024 - 200 - 10);
    // An owner partly off the left edge gives 10, never a negative position.
    ASSERT_TRUE(CalcCenteredPos(300, 200, -400, -300, 200, 100, 1280, 1024, left, top));
    EXPECT_EQ(left, 10);
    EXPECT_EQ(top, 10);
    // Never by calculation: as wide as the screen, wider, or a degenerate size.
    EXPECT_FALSE(CalcCenteredPos(1280, 100, 0, 0, 600, 400, 1280, 1024, left, top));
    EXPECT_FALSE(CalcCenteredPos(200, 2000, 0, 0, 600, 400, 1280, 1024, left, top));
    EXPECT_FALSE(CalcCenteredPos(0, 100, 0, 0, 600, 400, 1280, 1024, left, top));
    EXPECT_FALSE(CalcCenteredPos(100, 100, 0, 0, 600, -1, 1280, 1024, left, top));
    EXPECT_FALSE(CalcCenteredPos(100, 100, 0, 0, 600, 400, 0, 1024, left, top));

    const QSize screen(1280, 1024);
    const QRect owner(900, 100, 300, 300), mainForm(0, 0, 800, 600);
    auto p = CalcDialogPlacement(dpSpecifiedFormCenter, {200, 100}, owner, mainForm, screen);
    EXPECT_EQ(p.Kind, TDialogPlacement::At);
    EXPECT_EQ(p.Pos, QPoint(950, 200));
    p = CalcDialogPlacement(dpSpecifiedFormCenter, {200, 100}, std::nullopt, mainForm, screen);
    EXPECT_EQ(p.Pos, QPoint(300, 250));
    p = CalcDialogPlacement(dpMainFormCenter, {200, 100}, owner, mainForm, screen);
    EXPECT_EQ(p.Pos, QPoint(300, 250));
    EXPECT_EQ(CalcDialogPlacement(dpMainFormCenter, {200, 100}, owner, std::nullopt, screen).Kind,
              TDialogPlacement::ScreenCenter);
    EXPECT_EQ(CalcDialogPlacement(dpSpecifiedFormCenter, {1300, 100}, owner, mainForm, screen).Kind,
              TDialogPlacement::ScreenCenter);
    EXPECT_EQ(CalcDialogPlacement(dpScreenCenter, {200, 100}, owner, mainForm, screen).Kind,
              TDialogPlacement::ScreenCenter);
    EXPECT_EQ(CalcDialogPlacement(dpDesktopCenter, {200, 100}, owner, mainForm, screen).Kind,
              TDialogPlacement::DesktopCenter);
    EXPECT_EQ(CalcDialogPlacement(TDialogPosition(9), {200, 100}, owner, mainForm, screen).Kind,
              TDialogPlacement::Unchanged);

    // Common dialogs: centred on the area, or left alone when the rule refuses.
    const QRect screenRect(0, 0, 1280, 1024), desktop(0, 0, 2560, 1024);
    EXPECT_EQ(CalcCommonDialogPos(dpScreenCenter, {280, 224}, owner, mainForm, screenRect, desktop),
              QPoint(500, 400));
    EXPECT_EQ(CalcCommonDialogPos(dpDesktopCenter, {280, 224}, owner, mainForm, screenRect, desktop),
              QPoint(1140, 400));
    EXPECT_EQ(CalcCommonDialogPos(dpSpecifiedFormCenter, {280, 224}, owner, mainForm, screenRect, desktop),
              QPoint(910, 138));
    EXPECT_EQ(CalcCommonDialogPos(dpSpecifiedFormCenter, {280, 224}, std::nullopt, std::nullopt, screenRect,
                                  desktop),
              QPoint(500, 400));
    EXPECT_FALSE(CalcCommonDialogPos(dpMainFormCenter, {1280, 224}, owner, mainForm, screenRect, desktop));
}

TEST(DialogPlacement, PositionDialogMovesRealForms) {
    ModeGuard guard;
    QRect screen = QGuiApplication::primaryScreen()->geometry();
    ASSERT_GT(screen.width(), 400);
    QWidget owner;
    owner.setGeometry(screen.width() - 150, 40, 120, 100);
    QDialog dialog;
    dialog.resize(200, 80);

    DialogPositionMode = dpSpecifiedFormCenter;
    PositionDialog(&dialog, &owner);
    EXPECT_EQ(dialog.pos().x(), screen.width() - 200 - 10);

    QWidget mainForm;
    mainForm.setGeometry(0, 0, 300, 200);
    SetApplicationMainForm(&mainForm);
    DialogPositionMode = dpMainFormCenter;
    PositionDialog(&dialog, &owner);
    EXPECT_EQ(dialog.pos(),
              QPoint(mainForm.frameGeometry().left() + (mainForm.frameGeometry().width() - 200) / 2,
                     mainForm.frameGeometry().top() + (mainForm.frameGeometry().height() - 80) / 2));

    DialogPositionMode = dpScreenCenter;
    PositionDialog(&dialog, &owner);
    EXPECT_EQ(dialog.pos(),
              QPoint(screen.left() + (screen.width() - 200) / 2, screen.top() + (screen.height() - 80) / 2));

    // Wider than the screen: screen centre, never a calculated place off its left edge.
    DialogPositionMode = dpSpecifiedFormCenter;
    dialog.resize(screen.width() + 50, 80);
    PositionDialog(&dialog, &owner);
    EXPECT_EQ(dialog.pos().x(), screen.left());

    // The main window is forgotten when it goes away.
    {
        QWidget transient;
        SetApplicationMainForm(&transient);
        EXPECT_EQ(ApplicationMainForm(), &transient);
    }
    EXPECT_EQ(ApplicationMainForm(), nullptr);
    PositionDialog(nullptr, &owner); // nothing happens
}

TEST(DialogPlacement, MessageBoxGoesThroughTheHook) {
    TScopedScriptedUiHook hook;
    QWidget owner;
    hook->AnswerMessage(mrNo);
    EXPECT_EQ(CenterMessageDlg("Save changes?", mtConfirmation, {mbYes, mbNo, mbCancel}, 4005, &owner), mrNo);
    ASSERT_EQ(hook->Messages.size(), 1u);
    EXPECT_EQ(hook->Messages[0].Text, "Save changes?");
    EXPECT_EQ(hook->Messages[0].Type, mtConfirmation);
    EXPECT_EQ(hook->Messages[0].Buttons, TMsgDlgButtons({mbYes, mbNo, mbCancel}));
    EXPECT_EQ(hook->Messages[0].HelpContext, 4005);
    EXPECT_EQ(hook->Messages[0].Owner, &owner);

    hook->AnswerMessage(mrOk);
    ShowTooManyFunctionsMsg(252);
    EXPECT_EQ(hook->LastMessage(), "This window can not accept more than 252 functions.");
    EXPECT_EQ(hook->Messages.back().Type, mtError);
    EXPECT_EQ(hook->Messages.back().Buttons, TMsgDlgButtons({mbOK}));
    EXPECT_EQ(hook->Unscripted, 0);
}

TEST(ErrorBox, OneBoxAtATimeAndTheStickyFlag) {
    TScopedScriptedUiHook hook;
    StopShowingErrors = false;
    ASSERT_EQ(OpenCenterErrorMsgDlg(), nullptr);

    ShowCenterErrorMsg("Floating point over flow error");
    ShowUnknownError(); // dropped: a box is open
    ShowOutOfMemoryError();
    ASSERT_EQ(hook->ModelessForms.size(), 1u);
    auto* box = qobject_cast<TCustCenterErrorMsgDlg*>(hook->ModelessForms[0]);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(OpenCenterErrorMsgDlg(), box);
    EXPECT_EQ(box->ErrorMsgTextLabel->text(), "Floating point over flow error");
    EXPECT_EQ(box->windowTitle(), "Error");
    EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(box->isModal());

    // OK without the tick: the next error shows again.
    box->OKBtn->click();
    flushDeletes();
    EXPECT_EQ(OpenCenterErrorMsgDlg(), nullptr);
    EXPECT_FALSE(StopShowingErrors);
    ShowUnknownError();
    ASSERT_EQ(hook->ModelessForms.size(), 2u);
    box = qobject_cast<TCustCenterErrorMsgDlg*>(hook->ModelessForms[1]);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->ErrorMsgTextLabel->text(), "Unknown error");

    // Esc (reject) closes it as well; this time with the tick.
    box->StopShowingErrorCheckBox->setChecked(true);
    box->reject();
    flushDeletes();
    EXPECT_TRUE(StopShowingErrors);
    EXPECT_EQ(OpenCenterErrorMsgDlg(), nullptr);
    ShowCenterErrorMsg("Integer over flow error");
    ShowOutOfMemoryError();
    EXPECT_EQ(hook->ModelessForms.size(), 2u);
    EXPECT_TRUE(hook->Messages.empty());
    StopShowingErrors = false;
}

TEST(DialogKeys, EnterAndEscInASpinEditCloseTheDialog) {
    KeyDialog dialog;
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();
    ASSERT_TRUE(dialog.isActiveWindow()) << "the offscreen platform did not activate the dialog";

    // Enter in the spin edit runs the OK check; a failing check keeps the dialog open.
    dialog.spin->setFocus();
    dialog.checkPasses = false;
    pressKey(dialog.spin, Qt::Key_Return);
    EXPECT_EQ(dialog.checks, 1);
    EXPECT_TRUE(dialog.isVisible());
    dialog.checkPasses = true;
    pressKey(dialog.spin, Qt::Key_Enter);
    EXPECT_EQ(dialog.checks, 2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), mrOk);

    // Esc closes as Cancel without checks.
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();
    dialog.spin->setFocus();
    pressKey(dialog.spin, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), mrCancel);
    EXPECT_EQ(dialog.checks, 2);

    // The key routine itself: only Enter and Esc, only with a spin edit focused.
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();
    dialog.edit->setFocus();
    int key = 13;
    EXPECT_FALSE(DialogEnterEscKey(&dialog, key));
    EXPECT_EQ(key, 13);
    dialog.spin->setFocus();
    key = 'a';
    EXPECT_FALSE(DialogEnterEscKey(&dialog, key));
    EXPECT_FALSE(DialogEnterEscKey(nullptr, key));
    key = 27;
    EXPECT_TRUE(DialogEnterEscKey(&dialog, key));
    EXPECT_EQ(key, 0);
    EXPECT_EQ(dialog.result(), mrCancel);

    // A dialog that is not the active window is left alone.
    KeyDialog inactive;
    inactive.spin->setFocus();
    key = 13;
    EXPECT_FALSE(DialogEnterEscKey(&inactive, key));
    EXPECT_EQ(inactive.checks, 0);
}
