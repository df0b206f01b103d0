#pragma once
// The font dialog the program shows. Qt's font chooser knows no colour, yet every font the
// program keeps draws in its own colour (labels, tick labels, axis names), so the chooser
// sits above a colour row whose button asks the colour dialog through the UI hook.

#include "platform/Fonts.h"

#include <QDialog>

class QFontDialog;
class QFrame;
class QPushButton;

class TFontColorDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFontColorDialog(const TFontRecord& Font, QWidget* parent = nullptr);

    // The chosen font in the chosen colour.
    TFontRecord SelectedFont() const;
    TColor Color() const { return color_; }
    void SetColor(TColor Color);

    QFontDialog* Chooser;
    QFrame* ColorSample;
    QPushButton* ColorButton;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    void colorButtonClick();

    TColor color_;
};
