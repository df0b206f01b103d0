#include "shell/HtmlHelp.h"

#include "math/CenterDlg.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <utility>

namespace {

bool openInDesktop(const std::string& Page) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(Page)));
}

bool isFile(const QString& path) {
    return QFileInfo(path).isFile();
}

} // namespace

THtmlHelpCall MapHelpCommand(uint16_t Command, int Data) {
    switch (Command) {
    case HELP_CONTEXT:
    case HELP_CONTEXTPOPUP:
        return {HH_HELP_CONTEXT, Data};
    case HELP_QUIT:
        return {HH_CLOSE_ALL, 0};
    case HELP_CONTENTS:
        return {HH_DISPLAY_TOC, 0};
    case HELP_FINDER:
        return {HH_DISPLAY_TOPIC, Data};
    case HELP_KEY:
        return {HH_DISPLAY_INDEX, Data};
    default:
        return {HH_DISPLAY_TOPIC, 0};
    }
}

THelpRequest HelpRequestFor(const THtmlHelpCall& Call) {
    THelpRequest request;
    request.Context = Call.Data;
    switch (Call.Command) {
    case HH_HELP_CONTEXT:
        request.Command = hcContext;
        break;
    case HH_CLOSE_ALL:
        request.Command = hcCloseAll;
        break;
    case HH_DISPLAY_TOC:
        request.Command = hcContents;
        break;
    case HH_DISPLAY_INDEX:
        request.Command = hcIndex;
        break;
    default:
        request.Command = hcTopic;
        break;
    }
    return request;
}

bool TconHTMLHelp::ApplicationHelp(uint16_t Command, int Data, bool& CallHelp) {
    CallHelp = false;
    UiHook().ShowHelp(HelpRequestFor(MapHelpCommand(Command, Data)));
    return true;
}

THtmlHelpInstallation::THtmlHelpInstallation() : help_(std::make_unique<TconHTMLHelp>()) {
    TconHTMLHelp* help = help_.get();
    SetApplicationHelpHandler([help](uint16_t command, int data, bool& callHelp) {
        return help->ApplicationHelp(command, data, callHelp);
    });
}

THtmlHelpInstallation::~THtmlHelpInstallation() {
    SetApplicationHelpHandler(nullptr);
}

std::string DefaultHelpFolder() {
    const QString folder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return QDir(folder).filePath("help").toStdString();
}

THtmlHelpViewer::THtmlHelpViewer(std::string Folder, TPageOpener Opener)
    : folder_(Folder.empty() ? DefaultHelpFolder() : std::move(Folder)),
      opener_(Opener ? std::move(Opener) : TPageOpener(openInDesktop)) {}

std::string THtmlHelpViewer::PageFor(const THelpRequest& Request) const {
    const QDir dir(QString::fromStdString(folder_));
    const bool byContext = Request.Command == hcContext || Request.Command == hcTopic;
    if (byContext && Request.Context > 0) {
        const QString page = dir.filePath(QString::number(Request.Context) + ".html");
        if (isFile(page)) return page.toStdString();
    }
    return dir.filePath("index.html").toStdString();
}

void THtmlHelpViewer::Show(const THelpRequest& Request) {
    if (Request.Command == hcCloseAll) return;
    const std::string page = PageFor(Request);
    if (!isFile(QString::fromStdString(page))) {
        if (!missingReported_) {
            missingReported_ = true;
            CenterMessageDlg("The help pages were not found. They belong in the folder \"" + folder_ +
                                 "\" beside the program.",
                             mtInformation, {mbOK}, 0);
        }
        return;
    }
    if (!opener_(page))
        CenterMessageDlg("The help page \"" + page + "\" could not be opened in a web browser.",
                         mtInformation, {mbOK}, 0);
}

bool InstallHtmlHelpViewer() {
    auto* qtHook = dynamic_cast<TQtUiHook*>(&UiHook());
    if (!qtHook) return false;
    auto viewer = std::make_shared<THtmlHelpViewer>();
    qtHook->HelpViewer = [viewer](const THelpRequest& request) { viewer->Show(request); };
    return true;
}
