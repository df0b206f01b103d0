#include "model/readedit.h"

#include "math/CenterDlg.h"
#include "platform/UiHook.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QString toQString(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
} // namespace

TEditStrReadErrorDlg::TEditStrReadErrorDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle("An Incompatible Value String Was Found");
    setFixedSize(498, 170);

    GroupBox1 = new QGroupBox("Edit it to remove the error or, cancel to abort loading the graph", this);
    GroupBox1->setGeometry(8, 8, 482, 112);
    ErrorTextLabel = new QLabel(GroupBox1);
    ErrorTextLabel->setGeometry(16, 24, 449, 44);
    ErrorTextLabel->setWordWrap(true);
    ErrorTextLabel->setTextFormat(Qt::PlainText);
    ErrorTextLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    EditString = new QLineEdit(GroupBox1);
    EditString->setGeometry(16, 74, 449, 24);

    OKBtn = new QPushButton("OK", this);
    OKBtn->setGeometry(253, 132, 75, 28);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setGeometry(333, 132, 75, 28);
    HelpBtn = new QPushButton("Help", this);
    HelpBtn->setGeometry(413, 132, 75, 28);
    for (QPushButton* b : {OKBtn, CancelBtn, HelpBtn})
        b->setAutoDefault(false);
    OKBtn->setDefault(true);

    connect(OKBtn, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(HelpBtn, &QPushButton::clicked, this, [] { ApplicationHelpContext(HelpContext); });
    AddHelpKey(*this, [] { ApplicationHelpContext(HelpContext); });
}

bool EditIncompatibleValueString(const std::string& ErrorText, std::string& S) {
    TEditStrReadErrorDlg dialog;
    dialog.ErrorTextLabel->setText(toQString(ErrorText));
    dialog.EditString->setText(toQString(S));
    PositionDialog(&dialog, nullptr);
    if (UiHook().ExecModal(dialog) != mrOk) return false;
    S = dialog.EditString->text().toStdString();
    return true;
}
