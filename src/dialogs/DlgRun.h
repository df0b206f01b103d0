#pragma once
// The runs that the dialogs share. A form lives on the stack, so it is freed in every case,
// also when a step throws, and nothing is stored unless the user pressed OK.

#include "platform/UiHook.h"

class QWidget;

// The run of every add and modify dialog of a function: create the form, place it over its
// owner, set the mode and caption, load the function, show it modally, and only on OK store
// the form into the function and mark it modified.
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

// The run of the settings and view dialogs of a graph: load Record, show the form, and only
// on OK store the form into Record and mark it changed.
template <class TDlg, class TRecord> bool RunGraphRecordDialog(TRecord& Record) {
    TDlg dialog;
    dialog.Load(Record);
    if (dialog.Execute(nullptr) != mrOk) return false;
    dialog.Store(Record);
    Record.Changed = true;
    return true;
}
