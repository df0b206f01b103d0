#pragma once
// The about box: the program's name and version, what it runs on and what it draws.

#include <QDialog>

class QLabel;
class QListWidget;
class QPixmap;
class QPushButton;

// The program's picture, a small 3D graph of Y=X^3, Size pixels square. The about box
// shows it; the main window may take it as its icon.
QPixmap ProgramIconPixmap(int Size);

class TAboutBox : public QDialog {
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* PlatformLine;
    QListWidget* FeatureList;
    QPushButton* OKButton;

    // Tells what the picture shows.
    void ProgramIconDblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Shows the about box modally in the middle of the screen.
void ShowAboutBox();
