#include "dialogs/DlgCheck.h"

#include "math/CenterDlg.h"
#include "math/MathFunc.h"
#include "math/editmath.h"

#include <QWidget>

#include <utility>

TDlgCheck DlgCheckFailed(std::string Message, int Control) {
    return {false, std::move(Message), {}, Control};
}

TDlgCheck CheckConstField(TMathConstCheck& Field, const std::string& Text, int Control) {
    if (Field.EvaluateText(Text)) return {};
    return DlgCheckFailed(Field.GetErrorText(), Control);
}

TDlgCheck CompileFuncField(TMathFunction& Work, const std::string& Text, const std::string& Name,
                           int Control) {
    Work.SetExpression(Text);
    if (Work.CompileMathFunc()) return {};
    return {false, Work.GetErrorText(), Name, Control};
}

TDlgCheck CheckRangeOrder(const TMathConstCheck& Lo, const TMathConstCheck& Hi, std::string Message,
                          int Control) {
    if (Lo.Value.FloatValue <= Hi.Value.FloatValue) return {};
    return DlgCheckFailed(std::move(Message), Control);
}

void SetInclusiveBounds(TMathConstCheck& Field, const std::string& Name, const std::string& LoStr,
                        long double LoVal, const std::string& HiStr, long double HiVal) {
    Field.emCtrlErrorName = Name;
    Field.emBoundsCheck = {CheckLoBound, LoBoundCanEqual, CheckHiBound, HiBoundCanEqual};
    Field.emLoBoundStr = LoStr;
    Field.emLoBoundVal = LoVal;
    Field.emHiBoundStr = HiStr;
    Field.emHiBoundVal = HiVal;
}

void ShowDlgCheck(const TDlgCheck& Check, QWidget* Form) {
    if (Check.Ok) return;
    if (!Check.MathErrorName.empty())
        TEditMathConst::ShowMathError(Check.Message, Check.MathErrorName, Form);
    else
        CenterMessageDlg(Check.Message, mtError, {mbOK}, 0, Form);
}

bool ReportDlgCheck(const TDlgCheck& Check, QWidget* Form, QWidget* AtFault) {
    if (Check.Ok) return true;
    ShowDlgCheck(Check, Form);
    if (AtFault) AtFault->setFocus(Qt::OtherFocusReason);
    return false;
}
