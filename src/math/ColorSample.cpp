#include "math/ColorSample.h"

#include <QMouseEvent>
#include <QPainter>

TColorSample::TColorSample(QWidget* parent) : QWidget(parent) {
    resize(40, 20);
}

void TColorSample::SetSampleColor(TColor Color) {
    if (Color == sampleColor_) return;
    sampleColor_ = Color;
    update();
}

void TColorSample::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(TColorToQColor(sampleColor_));
    // With a 1-pixel pen this outlines columns 0 and width-1 and rows 0 and height-1.
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

void TColorSample::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void TColorSample::mouseReleaseEvent(QMouseEvent* event) {
    bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}
