#pragma once
// The question whether the clipboard or a picture file takes the selected region or the
// whole picture.

#include "math/DialogBase.h"
#include "math/DialogRows.h"

class QGroupBox;
class QRadioButton;

inline constexpr int UseSelectedRectHelpContext = 4040;

class TUseSelectedRectDlg : public TDialogBase {
    Q_OBJECT
public:
    TUseSelectedRectDlg();

    QGroupBox* GroupBox1;
    QRadioButton* SelectedButton;
    QRadioButton* AllButton;
    TDialogButtons Buttons;
};

// "Area to Paste to Clipboard" when ForClipboard, else "Area to Save to File". True for OK;
// UseSelected tells whether the selected rectangle was chosen.
bool ExecuteUseSelectedRectDlg(bool ForClipboard, bool& UseSelected);
