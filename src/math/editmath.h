#pragma once
// The edit box of the dialogs whose text is a constant expression with optional bounds.
// The dialogs set the bound fields when they build the form and call ValidateAndFocus from
// their OK check; a failure shows its message, brings the edit's tab page to the front
// and gives the edit the focus.

#include "math/MathConst.h"

#include <QLineEdit>

#include <string>

class TEditMathConst : public QLineEdit, public TMathConstCheck {
    Q_OBJECT
public:
    explicit TEditMathConst(QWidget* parent = nullptr);

    // Evaluates the edit's text; returns Valid.
    bool EvaluateText();
    // EvaluateText; on failure ShowError, its tab page to the front and the focus here.
    bool ValidateAndFocus();
    std::string GetErrorText() const { return TMathConstCheck::GetErrorText(); }
    // The current message as an error box over the owning form.
    void ShowError();
    // The form this edit sits on, or null.
    QWidget* GetOwnerForm() const;
    // Compares this edit's value with Other's; a failure shows its message over OwnerForm.
    bool CheckRelation(int Relation, TEditMathConst* Other, QWidget* OwnerForm);

    // "Error in: <Name>: <Msg>" as an error box; the function dialogs use it for expression errors.
    static void ShowMathError(const std::string& Msg, const std::string& Name, QWidget* OwnerForm);
};
