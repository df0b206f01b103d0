#include "math/Calculat.h"
#include "platform/FormatSettings.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorix");
    LoadFormatSettingsFromSystemLocale();

    // Until the main window exists, the Function Calculator is the program's window.
    ShowFunctionCalculator();
    return 0;
}
