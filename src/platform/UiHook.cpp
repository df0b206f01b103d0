#include "platform/UiHook.h"

#include "platform/FontDlg.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>

namespace {

std::unique_ptr<TUiHook>& installedHook() {
    static std::unique_ptr<TUiHook> hook;
    return hook;
}

THelpHandler& helpHandler() {
    static THelpHandler handler;
    return handler;
}

TQtUiHook& builtInHook() {
    static TQtUiHook hook;
    return hook;
}

QString qs(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString qtFilter(const std::vector<TFileFilter>& filters) {
    QStringList parts;
    for (const auto& f : filters)
        parts << qs(f.Description) + " (" + qs(f.Patterns) + ")";
    return parts.join(";;");
}

} // namespace

TUiHook::~TUiHook() = default;

QPrinter& Printer() {
    // Made on first use: a printer needs the application object.
    static QPrinter printer;
    return printer;
}

TUiHook& UiHook() {
    auto& h = installedHook();
    return h ? *h : static_cast<TUiHook&>(builtInHook());
}

std::unique_ptr<TUiHook> SetUiHook(std::unique_ptr<TUiHook> hook) {
    std::swap(installedHook(), hook);
    return hook;
}

std::string MessageDlgCaption(TMsgDlgType type) {
    switch (type) {
    case mtWarning:
        return "Warning";
    case mtError:
        return "Error";
    case mtInformation:
        return "Information";
    case mtConfirmation:
        return "Confirm";
    default:
        return "Quorix";
    }
}

int ModalResultOf(TMsgDlgBtn button) {
    switch (button) {
    case mbYes:
        return mrYes;
    case mbNo:
        return mrNo;
    case mbOK:
        return mrOk;
    case mbCancel:
        return mrCancel;
    case mbAbort:
        return mrAbort;
    case mbRetry:
        return mrRetry;
    case mbIgnore:
        return mrIgnore;
    case mbAll:
        return mrAll;
    case mbNoToAll:
        return mrNoToAll;
    case mbYesToAll:
        return mrYesToAll;
    default:
        return mrNone;
    }
}

int TQtUiHook::MessageDlg(const TMessageRequest& request) {
    static const std::pair<TMsgDlgBtn, QMessageBox::StandardButton> kButtons[] = {
        {mbYes, QMessageBox::Yes},
        {mbNo, QMessageBox::No},
        {mbOK, QMessageBox::Ok},
        {mbCancel, QMessageBox::Cancel},
        {mbAbort, QMessageBox::Abort},
        {mbRetry, QMessageBox::Retry},
        {mbIgnore, QMessageBox::Ignore},
        {mbNoToAll, QMessageBox::NoToAll},
        {mbYesToAll, QMessageBox::YesToAll},
        {mbHelp, QMessageBox::Help},
    };
    QMessageBox box(request.Owner);
    box.setWindowTitle(qs(MessageDlgCaption(request.Type)));
    box.setText(qs(request.Text));
    switch (request.Type) {
    case mtWarning:
        box.setIcon(QMessageBox::Warning);
        break;
    case mtError:
        box.setIcon(QMessageBox::Critical);
        break;
    case mtInformation:
        box.setIcon(QMessageBox::Information);
        break;
    case mtConfirmation:
        box.setIcon(QMessageBox::Question);
        break;
    default:
        break;
    }
    std::vector<std::pair<QAbstractButton*, TMsgDlgBtn>> made;
    for (auto [b, sb] : kButtons)
        if (request.Buttons.Contains(b)) made.emplace_back(box.addButton(sb), b);
    // Qt has no standard "All" button.
    if (request.Buttons.Contains(mbAll))
        made.emplace_back(box.addButton("&All", QMessageBox::AcceptRole), mbAll);
    if (made.empty()) made.emplace_back(box.addButton(QMessageBox::Ok), mbOK);
    // Enter presses the first button, Esc the cancelling one, as the classic box does.
    box.setDefaultButton(qobject_cast<QPushButton*>(made.front().first));
    for (auto& [btn, b] : made)
        if (b == mbCancel || (b == mbNo && !request.Buttons.Contains(mbCancel))) box.setEscapeButton(btn);
    box.adjustSize();
    if (request.Place) request.Place(box);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (auto& [btn, b] : made)
        if (btn == clicked) return ModalResultOf(b);
    return request.Buttons.Contains(mbCancel) ? mrCancel : mrNone;
}

int TQtUiHook::ExecModal(QDialog& dialog) {
    int r = dialog.exec();
    return r == QDialog::Rejected ? mrCancel : r;
}

void TQtUiHook::ShowModeless(QWidget& form) {
    form.show();
    form.raise();
}

bool TQtUiHook::FileDialog(TFileDialogRequest& request) {
    QFileDialog dlg(request.Owner, qs(request.Title), qs(request.InitialDir), qtFilter(request.Filters));
    dlg.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(request.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.OverwritePrompt) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.DefaultExt.empty()) dlg.setDefaultSuffix(qs(request.DefaultExt));
    QStringList names = dlg.nameFilters();
    if (request.FilterIndex >= 1 && request.FilterIndex <= names.size())
        dlg.selectNameFilter(names[request.FilterIndex - 1]);
    if (!request.FileName.empty()) dlg.selectFile(qs(request.FileName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
    request.FileName = dlg.selectedFiles().first().toStdString();
    request.FilterIndex = int(names.indexOf(dlg.selectedNameFilter())) + 1;
    return true;
}

bool TQtUiHook::ColorDialog(TColorDialogRequest& request) {
    QColorDialog dlg(TColorToQColor(request.Color), request.Owner);
    dlg.adjustSize();
    if (request.Place) request.Place(dlg);
    if (dlg.exec() != QDialog::Accepted) return false;
    request.Color = QColorToTColor(dlg.currentColor());
    return true;
}

bool TQtUiHook::FontDialog(TFontDialogRequest& request) {
    TFontColorDialog dlg(request.Font, request.Owner);
    dlg.adjustSize();
    if (request.Place) request.Place(dlg);
    if (dlg.exec() != QDialog::Accepted) return false;
    request.Font = dlg.SelectedFont();
    return true;
}

bool TQtUiHook::PrintDialog(TPrintDialogRequest& request) {
    if (!request.Printer) return false;
    QPrintDialog dlg(request.Printer, request.Owner);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, request.SelectionEnabled);
    if (request.SelectionEnabled && request.PrintSelection)
        dlg.setPrintRange(QAbstractPrintDialog::Selection);
    dlg.adjustSize();
    if (request.Place) request.Place(dlg);
    if (dlg.exec() != QDialog::Accepted) return false;
    request.PrintSelection = dlg.printRange() == QAbstractPrintDialog::Selection;
    return true;
}

void TQtUiHook::ShowHelp(const THelpRequest& request) {
    if (HelpViewer) HelpViewer(request);
}

void SetApplicationHelpHandler(THelpHandler Handler) {
    helpHandler() = std::move(Handler);
}

bool ApplicationHelpCommand(uint16_t Command, int Data) {
    THelpHandler handler = helpHandler();
    if (!handler) return false;
    bool callHelp = true;
    return handler(Command, Data, callHelp);
}

bool ApplicationHelpContext(int Context) {
    return ApplicationHelpCommand(HELP_CONTEXT, Context);
}

void AddHelpKey(QWidget& Window, std::function<void()> Help) {
    // A shortcut of the window rather than a key handler of the form: it works whichever
    // control has the focus, without counting on each control to pass the key on.
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &Window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, &Window, std::move(Help));
}
