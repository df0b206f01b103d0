#pragma once
// A UI hook for tests: every request is recorded, and answers come from scripts queued
// by the test. A request nobody scripted gets the safe answer (Cancel where the box has
// it) and is counted in Unscripted, so a test can insist that nothing unexpected showed.

#include "platform/UiHook.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class TScriptedUiHook : public TUiHook {
public:
    struct TShownMessage {
        std::string Text;
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        int HelpContext;
        QWidget* Owner;
    };

    // Recorded requests, in order.
    std::vector<TShownMessage> Messages;
    std::vector<QDialog*> ModalForms;    // pointers are only valid during the call
    std::vector<QWidget*> ModelessForms; // forms shown modelessly (not shown on screen)
    std::vector<TFileDialogRequest> FileDialogs;
    std::vector<TColor> ColorDialogs;     // the colour each colour dialog opened with
    std::vector<TFontRecord> FontDialogs; // the font each font dialog opened with
    int PrintDialogs = 0;
    std::vector<TPrintDialogRequest> PrintRequests; // as each print dialog was asked
    std::vector<THelpRequest> HelpRequests;
    int Unscripted = 0;

    // Scripts, consumed in order. A message answer is a modal result (mrYes, mrRetry, ...).
    std::deque<int> MessageAnswers;
    // A modal-form script gets the form before it would show; it may fill controls and
    // call done(); it returns the modal result to report.
    std::deque<std::function<int(QDialog&)>> ModalScripts;
    // A file-dialog answer: the chosen path, or empty for Cancel.
    std::deque<std::string> FileAnswers;
    // Colour and font scripts edit the request and return true for OK, false for Cancel.
    std::deque<std::function<bool(TColorDialogRequest&)>> ColorScripts;
    std::deque<std::function<bool(TFontDialogRequest&)>> FontScripts;
    std::deque<bool> PrintAnswers;
    // Print scripts go before the answers above; they may choose the print range.
    std::deque<std::function<bool(TPrintDialogRequest&)>> PrintScripts;

    void AnswerMessage(int modalResult) { MessageAnswers.push_back(modalResult); }
    void ScriptModal(std::function<int(QDialog&)> script) { ModalScripts.push_back(std::move(script)); }
    // Texts of the recorded messages, for quick comparisons.
    std::vector<std::string> MessageTexts() const;
    std::string LastMessage() const { return Messages.empty() ? std::string() : Messages.back().Text; }
    void Clear();

    int MessageDlg(const TMessageRequest& request) override;
    int ExecModal(QDialog& dialog) override;
    void ShowModeless(QWidget& form) override;
    bool FileDialog(TFileDialogRequest& request) override;
    bool ColorDialog(TColorDialogRequest& request) override;
    bool FontDialog(TFontDialogRequest& request) override;
    bool PrintDialog(TPrintDialogRequest& request) override;
    void ShowHelp(const THelpRequest& request) override;
};

// Installs a fresh scripted hook for the life of the object and puts the previous hook back.
class TScopedScriptedUiHook {
public:
    TScopedScriptedUiHook();
    ~TScopedScriptedUiHook();
    TScopedScriptedUiHook(const TScopedScriptedUiHook&) = delete;
    TScopedScriptedUiHook& operator=(const TScopedScriptedUiHook&) = delete;
    TScriptedUiHook* operator->() { return hook_; }
    TScriptedUiHook& operator*() { return *hook_; }

private:
    TScriptedUiHook* hook_;
    std::unique_ptr<TUiHook> previous_;
};
