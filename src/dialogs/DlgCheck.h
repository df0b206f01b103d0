#pragma once
// The outcome of a windowless dialog check: passed, or the message to show and the control
// that gets the focus. The checks stay plain code that tests drive directly; the forms
// only show the outcome and move the focus.

#include "math/MathConst.h"

class TMathFunction;

#include <string>

class QWidget;

struct TDlgCheck {
    bool Ok = true;
    std::string Message;       // an error box with OK
    std::string MathErrorName; // set: Message is an engine error, shown as "Error in: <name>: ..."
    int Control = 0;           // the dialog's own code of the control at fault
};

// A failure with Message at Control.
TDlgCheck DlgCheckFailed(std::string Message, int Control);
// Evaluates Text in Field; a failure gives the field's own message at Control.
TDlgCheck CheckConstField(TMathConstCheck& Field, const std::string& Text, int Control);
// Gives Work the text and compiles it; a failure gives the engine's message under Name.
TDlgCheck CompileFuncField(TMathFunction& Work, const std::string& Text, const std::string& Name,
                           int Control);
// Lo's value must not exceed Hi's (as floats; equal passes); else Message at Control.
TDlgCheck CheckRangeOrder(const TMathConstCheck& Lo, const TMathConstCheck& Hi, std::string Message,
                          int Control);
// The bounds of a constant-expression field: both checked, both inclusive.
void SetInclusiveBounds(TMathConstCheck& Field, const std::string& Name, const std::string& LoStr,
                        long double LoVal, const std::string& HiStr, long double HiVal);

// Shows a failed outcome over Form: the engine's message through ShowMathError, any other
// as an error box.
void ShowDlgCheck(const TDlgCheck& Check, QWidget* Form);
// The end of a form's OK check: true when Check passed; else shows it over Form, moves the
// focus to AtFault (when there is one) and gives false.
bool ReportDlgCheck(const TDlgCheck& Check, QWidget* Form, QWidget* AtFault);
