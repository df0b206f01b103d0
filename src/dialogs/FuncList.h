#pragma once
// The dialog in which the user edits the function list of one graph: change a function in
// its own dialog, delete functions, and change their order, which is the order in which
// they are drawn and stored. The rows and their rules live in FuncListLogic.h; the form
// mirrors them in a list box.

#include "dialogs/FuncListLogic.h"
#include "math/DialogBase.h"
#include "model/SeqList.h"
#include "model/funcobj.h"

#include <functional>

class QListWidget;
class QPushButton;
class QToolButton;

// An up/down button pair that is one tab stop: the arrow keys press its halves.
class TUpDownButton : public QWidget {
public:
    explicit TUpDownButton(QWidget* parent = nullptr);
    QToolButton* Up;
    QToolButton* Down;
    std::function<void()> OnUpClick;
    std::function<void()> OnDownClick;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

class TFuncListDlg : public TDialogBase {
    Q_OBJECT
public:
    TFuncListDlg();

    void Fill(const TSequenceList<TBaseFuncObj>& List);
    void ModifyButtonClick();
    void DeleteButtonClick();
    void SpinButton1UpClick();
    void SpinButton1DownClick();

    QListWidget* FListBox;
    TUpDownButton* SpinButton1;
    QPushButton* ModifyButton;
    QPushButton* DeleteButton;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    TFuncListLogic Logic;

protected:
    void FormShow() override;

private:
    // The list box shows the rows and the selection of the logic.
    void refresh();
};

// Runs the dialog on a graph's functions. Modified tells whether a function was changed
// (also after Cancel); on OK, Deleted and Moved tell whether rows were deleted or moved,
// and then List holds the remaining functions in their new order (the deleted ones are
// freed). After Cancel List is as it was and Deleted and Moved are false.
void ExecuteFuncListDlg(TSequenceList<TBaseFuncObj>& List, bool& Modified, bool& Deleted, bool& Moved);
