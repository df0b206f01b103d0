#pragma once
// The repair dialog of the graph file reader: an expression or number text of a file that
// the engine no longer compiles is shown with the engine's message, for the user to mend
// or to give up the load.

#include <QDialog>

#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TEditStrReadErrorDlg : public QDialog {
    Q_OBJECT
public:
    explicit TEditStrReadErrorDlg(QWidget* parent = nullptr);

    static constexpr int HelpContext = 4015;

    QGroupBox* GroupBox1;
    QLabel* ErrorTextLabel;
    QLineEdit* EditString;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
};

// Shows ErrorText and S in the repair dialog. On OK, S becomes the edited text and the
// result is true; otherwise S stays as it was and the result is false.
bool EditIncompatibleValueString(const std::string& ErrorText, std::string& S);
