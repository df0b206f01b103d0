#include "platform/ScriptedUiHook.h"

#include <QDialog>

std::vector<std::string> TScriptedUiHook::MessageTexts() const {
    std::vector<std::string> out;
    for (const auto& m : Messages)
        out.push_back(m.Text);
    return out;
}

void TScriptedUiHook::Clear() {
    Messages.clear();
    ModalForms.clear();
    ModelessForms.clear();
    FileDialogs.clear();
    ColorDialogs.clear();
    FontDialogs.clear();
    PrintDialogs = 0;
    PrintRequests.clear();
    HelpRequests.clear();
    Unscripted = 0;
}

int TScriptedUiHook::MessageDlg(const TMessageRequest& request) {
    Messages.push_back({request.Text, request.Type, request.Buttons, request.HelpContext, request.Owner});
    if (!MessageAnswers.empty()) {
        int answer = MessageAnswers.front();
        MessageAnswers.pop_front();
        return answer;
    }
    ++Unscripted;
    for (TMsgDlgBtn b : {mbCancel, mbOK, mbNo, mbAbort, mbIgnore})
        if (request.Buttons.Contains(b)) return ModalResultOf(b);
    return mrOk;
}

int TScriptedUiHook::ExecModal(QDialog& dialog) {
    ModalForms.push_back(&dialog);
    if (!ModalScripts.empty()) {
        auto script = std::move(ModalScripts.front());
        ModalScripts.pop_front();
        int r = script(dialog);
        return r == QDialog::Rejected ? mrCancel : r;
    }
    ++Unscripted;
    return mrCancel;
}

void TScriptedUiHook::ShowModeless(QWidget& form) {
    ModelessForms.push_back(&form);
}

bool TScriptedUiHook::FileDialog(TFileDialogRequest& request) {
    FileDialogs.push_back(request);
    if (FileAnswers.empty()) {
        ++Unscripted;
        return false;
    }
    std::string answer = FileAnswers.front();
    FileAnswers.pop_front();
    if (answer.empty()) return false;
    request.FileName = answer;
    return true;
}

bool TScriptedUiHook::ColorDialog(TColorDialogRequest& request) {
    ColorDialogs.push_back(request.Color);
    if (ColorScripts.empty()) {
        ++Unscripted;
        return false;
    }
    auto script = std::move(ColorScripts.front());
    ColorScripts.pop_front();
    return script(request);
}

bool TScriptedUiHook::FontDialog(TFontDialogRequest& request) {
    FontDialogs.push_back(request.Font);
    if (FontScripts.empty()) {
        ++Unscripted;
        return false;
    }
    auto script = std::move(FontScripts.front());
    FontScripts.pop_front();
    return script(request);
}

bool TScriptedUiHook::PrintDialog(TPrintDialogRequest& request) {
    ++PrintDialogs;
    PrintRequests.push_back(request);
    if (!PrintScripts.empty()) {
        auto script = std::move(PrintScripts.front());
        PrintScripts.pop_front();
        return script(request);
    }
    if (PrintAnswers.empty()) {
        ++Unscripted;
        return false;
    }
    bool answer = PrintAnswers.front();
    PrintAnswers.pop_front();
    return answer;
}

void TScriptedUiHook::ShowHelp(const THelpRequest& request) {
    HelpRequests.push_back(request);
}

TScopedScriptedUiHook::TScopedScriptedUiHook() {
    auto hook = std::make_unique<TScriptedUiHook>();
    hook_ = hook.get();
    previous_ = SetUiHook(std::move(hook));
}

TScopedScriptedUiHook::~TScopedScriptedUiHook() {
    SetUiHook(std::move(previous_));
}
