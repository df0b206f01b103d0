#include "platform/FontDlg.h"

#include "platform/UiHook.h"

#include <QFontDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Qt's chooser used as a widget. As a dialog of its own it would hide itself on Esc and on
// Enter in its lists, and swallow Enter elsewhere for want of a default button; closing
// belongs to the dialog around it.
class TEmbeddedFontChooser : public QFontDialog {
public:
    using QFontDialog::QFontDialog;

    void done(int result) override {
        if (auto* outer = qobject_cast<QDialog*>(window()); outer && outer != this) outer->done(result);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Enter:
        case Qt::Key_Return:
            event->ignore();
            return;
        default:
            QFontDialog::keyPressEvent(event);
        }
    }
};

QFont shownFont(const TFontRecord& font) {
    QFont shown = FontRecordToQFont(font);
    shown.setStyleName(FaceStyleName(shown));
    return shown;
}

} // namespace

TFontColorDialog::TFontColorDialog(const TFontRecord& Font, QWidget* parent)
    : QDialog(parent), color_(Font.Color) {
    setWindowTitle("Font");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Chooser = new TEmbeddedFontChooser(shownFont(Font), this);
    Chooser->setWindowFlags(Qt::Widget);
    Chooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    Chooser->setSizeGripEnabled(false);

    auto* colorCaption = new QLabel("Color", this);
    ColorSample = new QFrame(this);
    ColorSample->setObjectName("ColorSample");
    ColorSample->setToolTip("Font Color Sample");
    ColorSample->setFrameShape(QFrame::Box);
    ColorSample->setAutoFillBackground(true);
    ColorSample->setFixedSize(48, 22);
    ColorButton = new QPushButton("&Color...", this);
    OKBtn = new QPushButton("OK", this);
    CancelBtn = new QPushButton("Cancel", this);
    ColorButton->setAutoDefault(false);
    CancelBtn->setAutoDefault(false);
    OKBtn->setDefault(true);
    connect(ColorButton, &QPushButton::clicked, this, &TFontColorDialog::colorButtonClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(colorCaption);
    row->addWidget(ColorSample);
    row->addWidget(ColorButton);
    row->addStretch(1);
    row->addWidget(OKBtn);
    row->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Chooser, 1);
    layout->addLayout(row);
    SetColor(color_);
}

TFontRecord TFontColorDialog::SelectedFont() const {
    return QFontToFontRecord(Chooser->currentFont(), color_);
}

void TFontColorDialog::SetColor(TColor Color) {
    color_ = Color;
    QPalette palette = ColorSample->palette();
    palette.setColor(QPalette::Window, TColorToQColor(Color));
    palette.setColor(QPalette::WindowText, Qt::black);
    ColorSample->setPalette(palette);
}

void TFontColorDialog::colorButtonClick() {
    TColorDialogRequest request;
    request.Color = color_;
    request.Owner = this;
    if (UiHook().ColorDialog(request)) SetColor(request.Color);
}
