#pragma once
// The base of every modal form of the label and graph dialogs. It keeps the rules that all
// of them share in one place, so that a form only says what to check and what to load and
// store.
//
// How a dialog uses it:
//
//   class TMyDlg : public TDialogBase {
//   public:
//       TMyDlg() : TDialogBase(nullptr, 1234 /* help context */) {
//           auto* page = ...;                       // build with the DialogRows.h builders
//           TDialogButtons buttons = MakeDialogButtons(*this);   // OK, Cancel, Help
//           SetExitCheck(EZoom, [this] { return ZoomExit(); });   // leaving EZoom
//       }
//       void Load(const TObj& o) {
//           TLoadScope loading = BeginLoad();       // no handler fires while the form fills
//           ...
//       }
//   protected:
//       bool CanCloseOk() override { ... }          // the OK check: message, focus, false
//       void FormShow() override { ... }            // first page
//   };
//
//   bool EditMyObject(TObj& o, QWidget* owner) {
//       TMyDlg dlg;                                 // on the stack: freed in every case
//       dlg.Load(o);
//       if (dlg.Execute(owner) != mrOk) return false;
//       dlg.Store(o);
//       return true;
//   }
//
// The rules:
// - Checks run in done(): OK, Enter (which presses the default OK button, since no button
//   is auto-default) and Enter in a spin box (DialogEnterEscKey) all arrive there with
//   mrOk. Cancel, Esc, the close box and Help (the button or F1) never run a check. A
//   failed check shows its message, focuses the control at fault and keeps the dialog open.
// - Closing with OK first runs the exit check of the control the user is in (or has just
//   left for OK, Cancel or Help), as leaving it would, then CanCloseOk().
// - Exit checks: SetExitCheck(control, check) runs check when the focus leaves control (or
//   any of its children, such as a grid's cell editor) for another control of this dialog.
//   Focus moving to OK, Cancel, Help or a widget passed to ExemptFromExitChecks runs no
//   check then; the check runs when the focus goes on to an ordinary control, or at OK.
//   While a check runs (and its message box is up) no other exit check starts, so the
//   focus moves that a message box causes never stack a second message.
// - Execute() places the dialog (PositionDialog) and runs it through UiHook().ExecModal,
//   so a test scripts the modal run: it may show the form, type into it with QTest, close
//   it through done() and return result().
// - The dialog opens with the focus in its first edit field (FirstFocus) and that field's
//   text selected, so that what the user types at once replaces it.
// - BeginLoad() blocks the signals of every child widget and sets Loading() until the scope
//   ends, so filling a form runs no change handler.

#include <QDialog>
#include <QPointer>

#include <functional>
#include <utility>
#include <vector>

class QPushButton;

class TDialogBase : public QDialog {
    Q_OBJECT
public:
    explicit TDialogBase(QWidget* parent = nullptr, int helpContext = 0);
    ~TDialogBase() override;

    // Places the dialog over OwnerForm and runs it modally through the UI hook; returns
    // the modal result (mrOk, mrCancel, ...).
    int Execute(QWidget* OwnerForm);

    // Closes with result r; with mrOk only after the checks passed.
    void done(int r) override;

    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    // The help of this dialog's context, through the application's help event. The Help
    // button and F1 anywhere in the dialog run it.
    void ShowHelp();

    // Runs check when the focus leaves control for another control of this dialog. The
    // check returns false when it failed (it has shown its message and placed the focus).
    void SetExitCheck(QWidget* control, std::function<bool()> check);
    // Focus arriving at w (or a child of w) runs no exit check.
    void ExemptFromExitChecks(QWidget* w);
    // Runs the exit check of the control the user is in or has just left for an exempt
    // widget; true when there is none or it passed.
    bool RunPendingExitCheck();
    // A check of this dialog is running.
    bool InCheck() const { return checkDepth_ > 0; }

    // Blocks the signals of every child widget of the dialog while it lives. Models of item
    // views are not widgets and keep talking to their views.
    class TLoadScope {
    public:
        explicit TLoadScope(TDialogBase& dialog);
        ~TLoadScope();
        TLoadScope(TLoadScope&&) noexcept;
        TLoadScope(const TLoadScope&) = delete;
        TLoadScope& operator=(const TLoadScope&) = delete;
        TLoadScope& operator=(TLoadScope&&) = delete;

    private:
        TDialogBase* dialog_;
        // Each blocked widget with its former state; a widget deleted meanwhile is skipped.
        std::vector<std::pair<QPointer<QWidget>, bool>> blocked_;
    };
    [[nodiscard]] TLoadScope BeginLoad() { return TLoadScope(*this); }
    bool Loading() const { return loadDepth_ > 0; }

    // Runs f as a check: exit checks do not start meanwhile.
    bool RunCheck(const std::function<bool()>& f);

protected:
    // Runs before every close, whatever the result (exits that must run on Cancel too).
    virtual void CloseQuery(int result) {}
    // The OK check; false keeps the dialog open.
    virtual bool CanCloseOk() { return true; }
    // Runs each time the dialog is shown, before the first focus is placed.
    virtual void FormShow() {}
    // The control that takes the focus, its text selected, when the dialog is shown: the
    // first one-line edit or spin edit in tab order that the user can reach (on the page
    // shown), or null to leave the focus where FormShow put it.
    virtual QWidget* FirstFocus();

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct TExitCheck {
        QPointer<QWidget> Control;
        std::function<bool()> Check;
    };
    void focusChanged(QWidget* old, QWidget* now);
    bool isExempt(QWidget* w) const;
    TExitCheck* exitCheckContaining(QWidget* w);
    bool runExit(TExitCheck& exit);

    int helpContext_ = 0;
    int checkDepth_ = 0;
    int loadDepth_ = 0;
    std::vector<TExitCheck> exits_;
    std::vector<QPointer<QWidget>> exempt_;
    QPointer<QWidget> pendingExit_; // the control left for an exempt widget
    QMetaObject::Connection focusConnection_;
};
