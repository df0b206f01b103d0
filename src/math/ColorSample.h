#pragma once
// The colour swatch of the dialogs: a rectangle filled with one colour and outlined in
// black. A click on it works like the colour button next to it, so it reports clicks.

#include "platform/Colors.h"

#include <QWidget>

class TColorSample : public QWidget {
    Q_OBJECT
public:
    explicit TColorSample(QWidget* parent = nullptr);

    TColor SampleColor() const { return sampleColor_; }
    // Stores Color and repaints, only when it differs from the current colour.
    void SetSampleColor(TColor Color);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TColor sampleColor_ = clWhite;
    bool pressed_ = false;
};
