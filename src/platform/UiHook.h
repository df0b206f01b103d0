#pragma once
// The one door through which the program talks to the user modally: message boxes, the
// modeless error box, every modal form and the common dialogs (files, colour, font,
// printer) and help. The program installs the Qt implementation at start; tests install
// TScriptedUiHook, which records what was shown and answers from a script, so that no
// test ever waits on a real window.

#include "platform/Colors.h"
#include "platform/Fonts.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QDialog;
class QPrinter;
class QWidget;

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : uint8_t {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};

// A set of TMsgDlgBtn.
class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
        for (auto b : buttons)
            bits_ |= 1u << b;
    }
    constexpr bool Contains(TMsgDlgBtn b) const { return (bits_ >> b) & 1u; }
    constexpr void Include(TMsgDlgBtn b) { bits_ |= 1u << b; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr bool operator==(const TMsgDlgButtons&) const = default;

private:
    uint32_t bits_ = 0;
};

// Modal results, with the classic values (mrOk 1, mrCancel 2, ...). A dialog closed through
// the window frame or Esc reports mrCancel.
enum : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

// Moves a dialog to where the placement option wants it; called when the dialog has its
// size, just before it shows.
using TPlaceDialog = std::function<void(QWidget& dialog)>;

struct TMessageRequest {
    std::string Text;
    TMsgDlgType Type = mtInformation;
    TMsgDlgButtons Buttons{mbOK};
    int HelpContext = 0;
    QWidget* Owner = nullptr;
    TPlaceDialog Place;
};

struct TFileFilter {
    std::string Description; // "Graph Files"
    std::string Patterns;    // "*.qxf" or "*.bmp *.jpg"
};

struct TFileDialogRequest {
    bool Save = false;
    std::string Title;
    std::vector<TFileFilter> Filters;
    int FilterIndex = 1;    // 1-based, in and out
    std::string DefaultExt; // without the dot; appended when the typed name has none
    std::string InitialDir;
    std::string FileName; // in and out
    bool OverwritePrompt = true;
    QWidget* Owner = nullptr;
};

struct TColorDialogRequest {
    TColor Color = clBlack; // in and out
    QWidget* Owner = nullptr;
    TPlaceDialog Place;
};

struct TFontDialogRequest {
    TFontRecord Font; // in and out
    QWidget* Owner = nullptr;
    TPlaceDialog Place;
};

struct TPrintDialogRequest {
    QPrinter* Printer = nullptr;
    QWidget* Owner = nullptr;
    TPlaceDialog Place;
    bool SelectionEnabled = false; // the dialog offers to print the selection only
    bool PrintSelection = false;   // in and out: the selection is the chosen print range
};

// The program's one printer: the print dialog sets it up and printing draws on it.
QPrinter& Printer();

// Classic help commands, as the program raises them through the application's help event.
enum : uint16_t {
    HELP_CONTEXT = 1,
    HELP_QUIT = 2,
    HELP_CONTENTS = 3,
    HELP_CONTEXTPOPUP = 8,
    HELP_FINDER = 11,
    HELP_KEY = 257,
};

// The application's help event. Every help request of the program (F1, the Help buttons of
// the dialogs, the Help menu) is raised here, in whatever layer it starts; the installed
// handler turns it into a request of the help viewer (UiHook().ShowHelp).
using THelpHandler = std::function<bool(uint16_t Command, int Data, bool& CallHelp)>;
void SetApplicationHelpHandler(THelpHandler Handler);
// Sends a help command to the handler; false when no handler is installed.
bool ApplicationHelpCommand(uint16_t Command, int Data);
// ApplicationHelpCommand(HELP_CONTEXT, Context).
bool ApplicationHelpContext(int Context);
// F1 anywhere in Window, whichever of its controls has the focus, runs Help.
void AddHelpKey(QWidget& Window, std::function<void()> Help);

// Help commands of the help adapter.
enum THelpCommand : uint8_t { hcContents, hcContext, hcTopic, hcIndex, hcCloseAll };

struct THelpRequest {
    THelpCommand Command = hcContents;
    int Context = 0;
    std::string Topic;
};

class TUiHook {
public:
    virtual ~TUiHook();
    // The standard message box; returns the modal result of the pressed button.
    virtual int MessageDlg(const TMessageRequest& request) = 0;
    // Shows a modal form and returns its modal result (mrCancel when it was rejected).
    virtual int ExecModal(QDialog& dialog) = 0;
    // Shows a modeless form (the error box); the form manages its own lifetime.
    virtual void ShowModeless(QWidget& form) = 0;
    virtual bool FileDialog(TFileDialogRequest& request) = 0;
    virtual bool ColorDialog(TColorDialogRequest& request) = 0;
    virtual bool FontDialog(TFontDialogRequest& request) = 0;
    virtual bool PrintDialog(TPrintDialogRequest& request) = 0;
    virtual void ShowHelp(const THelpRequest& request) = 0;
};

// The hook in force. Until one is installed, the Qt implementation serves.
TUiHook& UiHook();
// Installs a hook and returns the previous one (null when it was the built-in Qt hook).
std::unique_ptr<TUiHook> SetUiHook(std::unique_ptr<TUiHook> hook);

// The implementation on real Qt windows.
class TQtUiHook : public TUiHook {
public:
    int MessageDlg(const TMessageRequest& request) override;
    int ExecModal(QDialog& dialog) override;
    void ShowModeless(QWidget& form) override;
    bool FileDialog(TFileDialogRequest& request) override;
    bool ColorDialog(TColorDialogRequest& request) override;
    bool FontDialog(TFontDialogRequest& request) override;
    bool PrintDialog(TPrintDialogRequest& request) override;
    void ShowHelp(const THelpRequest& request) override;

    // Where help requests go; the shell sets a viewer. Without one, help does nothing.
    std::function<void(const THelpRequest&)> HelpViewer;
};

// The caption the message box of a type carries ("Warning", "Error", "Information", "Confirm").
std::string MessageDlgCaption(TMsgDlgType type);
// Modal result of a button (mbYes gives mrYes, ...; mbHelp gives mrNone).
int ModalResultOf(TMsgDlgBtn button);
