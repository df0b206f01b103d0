#pragma once
// The dialog that sets how much printed pictures are stretched or shrunk, and can start
// the printing.

#include "math/DialogBase.h"

class QGroupBox;
class QPushButton;
class QSpinBox;

class TPrintScaleDlg : public TDialogBase {
    Q_OBJECT
public:
    TPrintScaleDlg();

    QGroupBox* PercentBox;
    QSpinBox* EPercent;
    QPushButton* BPrint;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
};

// Edits PrintScalePercent: OK and Print keep the new percentage; true only for Print.
bool ExecutePrintScaleDlg();
