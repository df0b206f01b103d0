#include "math/CenterErrorMsgDlg.h"

#include "math/CenterDlg.h"
#include "platform/UiHook.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <memory>

bool StopShowingErrors = false;

namespace {

QPointer<TCustCenterErrorMsgDlg>& openBox() {
    static QPointer<TCustCenterErrorMsgDlg> box;
    return box;
}

} // namespace

TCustCenterErrorMsgDlg::TCustCenterErrorMsgDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle("Error");
    setFixedSize(337, 242);
    setModal(false);
    // An error box left open must not keep the program running, nor end it when closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    ErrorMsgTextLabel = new QLabel("Unknown Error", this);
    ErrorMsgTextLabel->setGeometry(18, 16, 302, 116);
    ErrorMsgTextLabel->setWordWrap(true);
    ErrorMsgTextLabel->setTextFormat(Qt::PlainText);
    ErrorMsgTextLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    StopShowingErrorCheckBox = new QCheckBox("Stop Showing Errors For This Session", this);
    StopShowingErrorCheckBox->setGeometry(18, 148, 302, 24);

    OKBtn = new QPushButton("OK", this);
    OKBtn->setGeometry(131, 196, 75, 28);
    OKBtn->setDefault(true);
    OKBtn->setAutoDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &TCustCenterErrorMsgDlg::OKBtnClick);
    // Every way of closing (OK, Enter, Esc, the window frame) ends in done().
    connect(this, &QDialog::finished, this, &TCustCenterErrorMsgDlg::FormClose);
}

void TCustCenterErrorMsgDlg::OKBtnClick() {
    done(mrOk);
}

void TCustCenterErrorMsgDlg::FormClose() {
    if (openBox() == this) openBox() = nullptr;
    if (StopShowingErrorCheckBox->isChecked()) StopShowingErrors = true;
    deleteLater();
}

void ShowCenterErrorMsg(const std::string& Text, QWidget* OwnerForm) {
    if (openBox() || StopShowingErrors) return;
    std::unique_ptr<TCustCenterErrorMsgDlg> box;
    try {
        box = std::make_unique<TCustCenterErrorMsgDlg>();
        openBox() = box.get();
        box->ErrorMsgTextLabel->setText(QString::fromUtf8(Text.data(), qsizetype(Text.size())));
        PositionDialog(box.get(), OwnerForm);
        UiHook().ShowModeless(*box);
        // From here on the box frees itself when it closes.
        box.release();
    } catch (...) {
        openBox() = nullptr;
    }
}

TCustCenterErrorMsgDlg* OpenCenterErrorMsgDlg() {
    return openBox().data();
}
