#include "dialogs/DlgRun.h"

#include <QWidget>

void FocusFirstControl(bool AddMode, QWidget* FuncEdit, QWidget* OKBtn) {
    (AddMode && FuncEdit ? FuncEdit : OKBtn)->setFocus();
}
