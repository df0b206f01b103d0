#include "platform/FormatSettings.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorix");
    LoadFormatSettingsFromSystemLocale();

    QMainWindow window;
    window.setWindowTitle("Quorix");
    auto* label = new QLabel("Quorix", &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(800, 600);
    window.show();
    return app.exec();
}
