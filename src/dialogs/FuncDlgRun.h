#pragma once
// The run of every add and modify dialog of a function: create the form, place it over its
// owner, set the mode and caption, load the function, show it modally, and only on OK store
// the form into the function and mark it modified. The form lives on the stack, so it is
// freed in every case, also when a step throws.

#include "platform/UiHook.h"

class QWidget;

// TDlg has AddMode, Load(Func) and Store(Func), and runs through TDialogBase::Execute.
template <class TDlg, class TFunc>
bool RunFunctionDialog(TFunc& Func, QWidget* OwnerForm, bool AddMode, const char* Caption) {
    TDlg dialog;
    dialog.AddMode = AddMode;
    dialog.setWindowTitle(Caption);
    dialog.Load(Func);
    if (dialog.Execute(OwnerForm) != mrOk) return false;
    dialog.Store(Func);
    Func.Modified = true;
    return true;
}
