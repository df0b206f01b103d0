#include "math/DialogBase.h"

#include "math/CenterDlg.h"
#include "math/DialogRows.h"
#include "platform/UiHook.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

bool isWithin(const QWidget* ancestor, const QWidget* w) {
    return ancestor && w && (ancestor == w || ancestor->isAncestorOf(w));
}

// Counts a running check for the length of a scope, also when the check throws.
class TDepth {
public:
    explicit TDepth(int& depth) : depth_(depth) { ++depth_; }
    ~TDepth() { --depth_; }
    TDepth(const TDepth&) = delete;
    TDepth& operator=(const TDepth&) = delete;

private:
    int& depth_;
};

// A one-line field the user types into: a line edit or a spin edit. The line edit inside a
// spin box or a combo box is part of its owner, and a read-only field is only shown. A
// multi-line field is never the first: Enter there starts a new line instead of closing the
// dialog, and over a selected text it would wipe the whole list.
bool isEditField(const QWidget* w) {
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(w)) return !spin->isReadOnly();
    auto* edit = qobject_cast<const QLineEdit*>(w);
    if (!edit || edit->isReadOnly()) return false;
    const QWidget* owner = w->parentWidget();
    return !qobject_cast<const QAbstractSpinBox*>(owner) && !qobject_cast<const QComboBox*>(owner);
}

void selectAllText(QWidget* w) {
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->selectAll();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w))
        spin->selectAll();
}

} // namespace

TDialogBase::TDialogBase(QWidget* parent, int helpContext) : QDialog(parent), helpContext_(helpContext) {
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    focusConnection_ = connect(qApp, &QApplication::focusChanged, this, &TDialogBase::focusChanged);
    AddHelpKey(*this, [this] { ShowHelp(); });
}

TDialogBase::~TDialogBase() {
    // QWidget's destructor moves the focus; by then this is no TDialogBase any more.
    disconnect(focusConnection_);
}

int TDialogBase::Execute(QWidget* OwnerForm) {
    PositionDialog(this, OwnerForm);
    return UiHook().ExecModal(*this);
}

void TDialogBase::done(int r) {
    // A check's message box is up: the close waits for the user to answer it.
    if (InCheck()) return;
    bool pass = RunCheck([&] {
        CloseQuery(r);
        if (r != mrOk) return true;
        return RunPendingExitCheck() && CanCloseOk();
    });
    if (!pass) return;
    pendingExit_ = nullptr;
    QDialog::done(r);
}

void TDialogBase::ShowHelp() {
    ApplicationHelpContext(helpContext_);
}

void TDialogBase::SetExitCheck(QWidget* control, std::function<bool()> check) {
    exits_.push_back({control, std::move(check)});
}

void TDialogBase::ExemptFromExitChecks(QWidget* w) {
    exempt_.emplace_back(w);
}

bool TDialogBase::RunCheck(const std::function<bool()>& f) {
    TDepth depth(checkDepth_);
    return f();
}

bool TDialogBase::RunPendingExitCheck() {
    TExitCheck* exit = pendingExit_ ? exitCheckContaining(pendingExit_) : nullptr;
    if (!exit) exit = exitCheckContaining(focusWidget());
    pendingExit_ = nullptr;
    return !exit || runExit(*exit);
}

bool TDialogBase::isExempt(QWidget* w) const {
    for (const auto& e : exempt_)
        if (isWithin(e, w)) return true;
    return false;
}

TDialogBase::TExitCheck* TDialogBase::exitCheckContaining(QWidget* w) {
    for (auto& e : exits_)
        if (isWithin(e.Control, w)) return &e;
    return nullptr;
}

bool TDialogBase::runExit(TExitCheck& exit) {
    std::function<bool()> check = exit.Check; // the check may register further checks
    return RunCheck(check);
}

void TDialogBase::focusChanged(QWidget* old, QWidget* now) {
    // Focus going to another window (a message box, another program) is no exit.
    if (InCheck() || Loading() || !now || now->window() != this) return;
    TExitCheck* left = exitCheckContaining(old);
    if (isExempt(now)) {
        if (left && !isWithin(left->Control, now)) pendingExit_ = left->Control;
        return;
    }
    if (!left && pendingExit_) left = exitCheckContaining(pendingExit_);
    pendingExit_ = nullptr;
    if (left && !isWithin(left->Control, now)) runExit(*left);
}

void TDialogBase::showEvent(QShowEvent* event) {
    // Qt makes every push button of a dialog auto-default; Enter must always mean OK.
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    // Forms are loaded with their signals blocked: Tab must enter each radio group and style
    // row at the choice loaded.
    for (QAbstractButton* b : findChildren<QAbstractButton*>())
        if (b->autoExclusive() && b->isChecked()) MoveTabStopTo(b);
    QDialog::showEvent(event);
    FormShow();
    if (QWidget* first = FirstFocus()) {
        first->setFocus(Qt::OtherFocusReason);
        selectAllText(first);
    }
}

QWidget* TDialogBase::FirstFocus() {
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (isEditField(w) && w->isEnabled() && w->isVisibleTo(this) && (w->focusPolicy() & Qt::TabFocus))
            return w;
    return nullptr;
}

void TDialogBase::keyPressEvent(QKeyEvent* event) {
    if (DialogEnterEscKey(this, event)) return;
    QDialog::keyPressEvent(event);
}

TDialogBase::TLoadScope::TLoadScope(TDialogBase& dialog) : dialog_(&dialog) {
    ++dialog_->loadDepth_;
    for (QWidget* w : dialog.findChildren<QWidget*>())
        blocked_.emplace_back(w, w->blockSignals(true));
}

TDialogBase::TLoadScope::TLoadScope(TLoadScope&& other) noexcept
    : dialog_(other.dialog_), blocked_(std::move(other.blocked_)) {
    other.dialog_ = nullptr;
}

TDialogBase::TLoadScope::~TLoadScope() {
    if (!dialog_) return;
    for (auto it = blocked_.rbegin(); it != blocked_.rend(); ++it)
        if (it->first) it->first->blockSignals(it->second);
    --dialog_->loadDepth_;
}
