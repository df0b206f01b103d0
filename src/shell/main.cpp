#include "platform/FormatSettings.h"
#include "shell/About.h"
#include "shell/HtmlHelp.h"
#include "shell/MainForm.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorix");
    QApplication::setWindowIcon(QIcon(ProgramIconPixmap(64)));
    LoadFormatSettingsFromSystemLocale();
    // Help requests reach the help pages from here until the program ends.
    THtmlHelpInstallation help;
    InstallHtmlHelpViewer();

    TMainForm form;
    form.show();
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    form.OpenCommandLineFiles(arguments);
    return QApplication::exec();
}
