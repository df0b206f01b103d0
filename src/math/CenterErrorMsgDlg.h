#pragma once
// The single modeless error box for errors that arise while graphs draw. While one box is
// on screen further errors are dropped, and once the user ticks "Stop Showing Errors For
// This Session" no box appears again until the program restarts.

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QPushButton;

class TCustCenterErrorMsgDlg : public QDialog {
    Q_OBJECT
public:
    explicit TCustCenterErrorMsgDlg(QWidget* parent = nullptr);

    QLabel* ErrorMsgTextLabel;
    QPushButton* OKBtn;
    QCheckBox* StopShowingErrorCheckBox;

private:
    void OKBtnClick();
    void FormClose();
};

// Set from the error box's check box when the box closes; never cleared by the program.
extern bool StopShowingErrors;

// Shows Text in the error box unless one is open or StopShowingErrors is set. Never raises.
void ShowCenterErrorMsg(const std::string& Text, QWidget* OwnerForm = nullptr);

// The error box on screen, or null.
TCustCenterErrorMsgDlg* OpenCenterErrorMsgDlg();
