#pragma once
// The label list dialog "Edit Label List" and ModifyDrawObject, which opens the modify
// dialog that fits a label.

#include "labels/LabelListLogic.h"
#include "math/DialogBase.h"
#include "math/DialogRows.h"

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;

// Runs the modify dialog of Obj's class over Owner; true when it was closed with OK (the
// label changed then). False for a label of no known class, and whenever an error came up.
bool ModifyDrawObject(TDrawBaseClass& Obj, const TLabelBmpAttribs& BmpAttribs, QWidget* Owner);

class TLabelListDlg : public TDialogBase {
    Q_OBJECT
public:
    TLabelListDlg(TLabelListLogic& Logic, const TLabelBmpAttribs& BmpAttribs);

    QListWidget* FListBox;
    QPushButton* ModifyButton;
    QPushButton* DeleteButton;
    QToolButton* SpinButtonUp; // the two halves of the reordering spin button
    QToolButton* SpinButtonDown;
    QPushButton* OkSelectButton;
    TDialogButtons Buttons;

    // The selected line, -1 for none.
    int CurrentLine() const;
    void SelectLine(int Line);
    // OK/Select closed the dialog.
    bool SelectWanted() const { return selectWanted_; }

    void ModifyButtonClick();
    void DeleteButtonClick();
    void MoveDownClick();
    void MoveUpClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildSideButtons();
    void fillLines(int select);

    TLabelListLogic& logic_;
    TLabelBmpAttribs bmpAttribs_;
    bool selectWanted_ = false;
};

// The label list of a graph in its dialog. On entry SelectFlag tells whether ItemIndex is
// the selected label, whose line is then selected (else the first line). OK puts the list
// in the dialog's order without the deleted labels, which are freed; the result is true
// when anything was changed. OK/Select with a line selected sets SelectFlag and ItemIndex
// to that line. Cancel leaves the list as it was and frees nothing; changes made to a label
// through Modify stay, and LabelsModified (when given) tells whether there were any, so that
// the caller can redraw them and mark its graph changed even after Cancel.
bool ExecuteLabelListDlg(TSequenceList<TDrawBaseClass>& List, const TLabelBmpAttribs& BmpAttribs,
                         bool& SelectFlag, int& ItemIndex, bool* LabelsModified = nullptr);
