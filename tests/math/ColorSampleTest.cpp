// The colour swatch of the dialogs.
#include "math/ColorSample.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

class CountingSample : public TColorSample {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* e) override {
        ++paints;
        TColorSample::paintEvent(e);
    }
};

} // namespace

TEST(ColorSample, PaintsTheColourInABlackFrame) {
    TColorSample sample;
    EXPECT_EQ(sample.SampleColor(), clWhite);
    sample.resize(30, 16);
    sample.SetSampleColor(RGBColor(10, 200, 30));
    QImage img = sample.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(img.size(), QSize(30, 16));
    for (QPoint p :
         {QPoint(0, 0), QPoint(29, 0), QPoint(0, 15), QPoint(29, 15), QPoint(15, 0), QPoint(29, 8)})
        EXPECT_EQ(img.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(1, 1), QPoint(28, 14), QPoint(15, 8)})
        EXPECT_EQ(img.pixel(p), qRgb(10, 200, 30)) << p.x() << "," << p.y();
    // System colours are resolved.
    sample.SetSampleColor(clBtnFace);
    img = sample.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(QColor(img.pixel(5, 5)), TColorToQColor(clBtnFace));
}

TEST(ColorSample, RepaintsOnlyForANewColourAndReportsClicks) {
    CountingSample sample;
    sample.resize(30, 16);
    sample.show();
    QApplication::processEvents();
    sample.paints = 0;
    sample.SetSampleColor(clWhite);
    QApplication::processEvents();
    EXPECT_EQ(sample.paints, 0);
    sample.SetSampleColor(clRed);
    QApplication::processEvents();
    EXPECT_GE(sample.paints, 1);
    EXPECT_EQ(sample.SampleColor(), clRed);

    int clicks = 0;
    QObject::connect(&sample, &TColorSample::clicked, [&] { ++clicks; });
    auto mouse = [&](QEvent::Type type, QPointF at) {
        QMouseEvent e(type, at, sample.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&sample, &e);
    };
    mouse(QEvent::MouseButtonPress, {5, 5});
    mouse(QEvent::MouseButtonRelease, {6, 6});
    EXPECT_EQ(clicks, 1);
    // Released outside: no click.
    mouse(QEvent::MouseButtonPress, {5, 5});
    mouse(QEvent::MouseButtonRelease, {100, 6});
    EXPECT_EQ(clicks, 1);
}
