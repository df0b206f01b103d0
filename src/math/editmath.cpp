#include "math/editmath.h"

#include "math/CenterDlg.h"

#include <QStackedWidget>
#include <QTabWidget>

TEditMathConst::TEditMathConst(QWidget* parent) : QLineEdit(parent) {}

bool TEditMathConst::EvaluateText() {
    return TMathConstCheck::EvaluateText(text().toStdString());
}

bool TEditMathConst::ValidateAndFocus() {
    if (EvaluateText()) return true;
    ShowError();
    // The first tab page outwards from the edit: a page of a QTabWidget is a child of the
    // tab widget's QStackedWidget.
    for (QWidget* page = parentWidget(); page; page = page->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (!tabs) continue;
        // Visible as far as the form is concerned: the form itself may not be on screen yet.
        if (tabs->isVisibleTo(window())) tabs->setCurrentWidget(page);
        break;
    }
    if (isVisibleTo(window())) setFocus(Qt::OtherFocusReason);
    return false;
}

void TEditMathConst::ShowError() {
    CenterMessageDlg(GetErrorText(), mtError, {mbOK}, 0, GetOwnerForm());
}

QWidget* TEditMathConst::GetOwnerForm() const {
    QWidget* form = window();
    return form != this ? form : nullptr;
}

bool TEditMathConst::CheckRelation(int Relation, TEditMathConst* Other, QWidget* OwnerForm) {
    if (!Other) return false;
    std::string message;
    bool pass = TMathConstCheck::CheckRelation(Relation, *Other, message);
    if (!pass && !message.empty()) CenterMessageDlg(message, mtError, {mbOK}, 0, OwnerForm);
    return pass;
}

void TEditMathConst::ShowMathError(const std::string& Msg, const std::string& Name, QWidget* OwnerForm) {
    CenterMessageDlg("Error in: " + Name + ": " + Msg, mtError, {mbOK}, 0, OwnerForm);
}
