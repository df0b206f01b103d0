#pragma once
// The dialog that sets the size and colour depth of the picture a graph window draws into.

#include "math/DialogBase.h"
#include "model/SetGraph.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class QSpinBox;

class TBmpSizeDlg : public TDialogBase {
    Q_OBJECT
public:
    TBmpSizeDlg();

    QGroupBox* BmpSizeBox;
    QSpinBox* TheBmpWidth;
    QSpinBox* TheBmpHeight;
    QGroupBox* ColorDepthGroup;
    QComboBox* EColorDepthCombo;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
};

// Edits the size and colour depth of Attribs. True only after OK with a change: the new
// size sets the size-changed flag and both sides, a new depth the pixel-format-changed flag.
bool ExecuteBmpSizeDlg(TSettingBmpAttribsObj& Attribs);
