#pragma once
// Help. Every help request of the program (F1, the Help buttons of the dialogs, "Help
// &Contents...") is a classic help command with its data, raised through the application's
// help event (platform/UiHook.h). The adapter, the handler of that event, maps it to an HTML
// help command and hands that to the platform's help viewer (UiHook().ShowHelp). The
// viewer of the running program opens the HTML pages installed beside it in the
// desktop's browser: help/index.html for the contents, help/<context>.html for a context.

#include "platform/UiHook.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// HTML help commands.
enum : uint32_t {
    HH_DISPLAY_TOPIC = 0,
    HH_DISPLAY_TOC = 1,
    HH_DISPLAY_INDEX = 2,
    HH_HELP_CONTEXT = 15,
    HH_CLOSE_ALL = 18,
};

struct THtmlHelpCall {
    uint32_t Command = HH_DISPLAY_TOPIC;
    int Data = 0;
    bool operator==(const THtmlHelpCall&) const = default;
};

// The command mapping: context and context pop-up -> HH_HELP_CONTEXT with the context;
// quit -> HH_CLOSE_ALL; contents -> HH_DISPLAY_TOC; finder -> HH_DISPLAY_TOPIC with Data;
// key -> HH_DISPLAY_INDEX with Data; anything else -> HH_DISPLAY_TOPIC with 0.
THtmlHelpCall MapHelpCommand(uint16_t Command, int Data);
// The viewer's request for an HTML help call.
THelpRequest HelpRequestFor(const THtmlHelpCall& Call);

class TconHTMLHelp {
public:
    // The application's help handler. CallHelp is cleared (no other help runs), the mapped
    // call goes to the help viewer, and the request counts as handled.
    bool ApplicationHelp(uint16_t Command, int Data, bool& CallHelp);
};

// The one adapter, installed as the application's help handler from start-up until this
// object goes at shutdown; afterwards help requests no longer reach it.
class THtmlHelpInstallation {
public:
    THtmlHelpInstallation();
    ~THtmlHelpInstallation();
    THtmlHelpInstallation(const THtmlHelpInstallation&) = delete;
    THtmlHelpInstallation& operator=(const THtmlHelpInstallation&) = delete;

private:
    std::unique_ptr<TconHTMLHelp> help_;
};

// The help pages in a folder, opened in the desktop's browser.
class THtmlHelpViewer {
public:
    // Opens a page file; the default hands it to the desktop. True when it started.
    using TPageOpener = std::function<bool(const std::string& Page)>;

    // Folder empty: the "help" folder beside the program.
    explicit THtmlHelpViewer(std::string Folder = {}, TPageOpener Opener = {});

    const std::string& Folder() const { return folder_; }
    // The page a request opens: the context's page when there is one, else the index.
    std::string PageFor(const THelpRequest& Request) const;
    // Opens the page. A missing folder is reported once, in an information box; later
    // requests stay silent. Closing all help does nothing: the pages belong to the browser.
    void Show(const THelpRequest& Request);

private:
    std::string folder_;
    TPageOpener opener_;
    bool missingReported_ = false;
};

// "help" beside the running program.
std::string DefaultHelpFolder();
// Makes a viewer on the default folder the help viewer of the Qt UI hook, when that hook
// is the one in force; false otherwise.
bool InstallHtmlHelpViewer();
