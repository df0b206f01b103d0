#include "E2eDriver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace e2e {

bool Xdo(const QStringList& Arguments) {
    QProcess xdo;
    xdo.start(QStringLiteral("xdotool"), Arguments);
    const bool ran =
        xdo.waitForFinished(15000) && xdo.exitStatus() == QProcess::NormalExit && xdo.exitCode() == 0;
    EXPECT_TRUE(ran) << "xdotool " << Arguments.join(' ').toStdString() << ": "
                     << xdo.readAllStandardError().toStdString();
    if (xdo.state() != QProcess::NotRunning) xdo.kill();
    // The events reach the program through the X server; let them arrive.
    QTest::qWait(60);
    return ran;
}

void Focus(QWidget* W) {
    QWidget* window = W->window();
    window->raise();
    Xdo({"windowfocus", QString::number(window->winId())});
    // Best effort: a window manager may keep the focus, and the keys go by X window anyway.
    (void)QTest::qWaitForWindowActive(window, 5000);
}

void Keys(QWidget* W, const QStringList& Chords) {
    Focus(W);
    for (const QString& chord : Chords)
        Xdo({"key", "--clearmodifiers", chord});
}

void Type(QWidget* W, const QString& Text) {
    Focus(W);
    Xdo({"type", "--delay", "40", Text});
}

void MoveTo(QWidget* W, QPoint Local) {
    const QPoint at = W->mapToGlobal(Local);
    Xdo({"mousemove", QString::number(at.x()), QString::number(at.y())});
    WaitFor([&] { return QCursor::pos() == at; }, "the pointer to arrive", 5000);
}

void Click(QWidget* W, QPoint Local, int Button, int Count) {
    MoveTo(W, Local);
    Xdo({"click", "--repeat", QString::number(Count), "--delay", "80", QString::number(Button)});
}

void ClickCentre(QWidget* W) {
    Click(W, W->rect().center());
}

void Drag(QWidget* W, QPoint From, QPoint To) {
    MoveTo(W, From);
    Xdo({"mousedown", "1"});
    MoveTo(W, (From + To) / 2);
    MoveTo(W, To);
    Xdo({"mouseup", "1"});
}

bool WaitFor(const std::function<bool()>& Pred, const char* What, int Limit) {
    const bool met = QTest::qWaitFor(Pred, Limit);
    EXPECT_TRUE(met) << "still waiting after " << Limit << " ms for: " << What;
    return met;
}

std::shared_ptr<bool> WhenModal(std::function<bool(QWidget*)> Matches, std::function<void(QWidget*)> Act) {
    auto done = std::make_shared<bool>(false);
    auto* timer = new QTimer(qApp);
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, done, Matches, Act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || !Matches(modal)) return;
        timer->stop();
        timer->deleteLater();
        // Let the window finish showing before it is used.
        QTest::qWait(150);
        Act(modal);
        *done = true;
    });
    timer->start();
    return done;
}

std::string MessageText(QWidget* W) {
    auto* box = qobject_cast<QMessageBox*>(W);
    return box ? box->text().toStdString() : std::string();
}

void PressButton(QWidget* Dialog, const QString& Text) {
    for (QAbstractButton* button : Dialog->findChildren<QAbstractButton*>())
        if (button->isVisible() && button->text().remove('&') == Text) {
            ClickCentre(button);
            return;
        }
    ADD_FAILURE() << "no button " << Text.toStdString() << " in " << Dialog->windowTitle().toStdString();
}

QImage ScreenOf(QWidget* W) {
    const QPoint at = W->mapToGlobal(QPoint(0, 0));
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, at.x(), at.y(), W->width(), W->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

unsigned ScreenPixel(QWidget* W, QPoint Local) {
    const QPoint at = W->mapToGlobal(Local);
    const QImage pixel = QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage();
    return pixel.isNull() ? 0xFFFFFFFFu : (pixel.pixel(0, 0) & 0xFFFFFFu);
}

void Shot(const char* Name) {
    const QString folder = qEnvironmentVariable("QUORIX_E2E_SHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QGuiApplication::primaryScreen()->grabWindow(0).save(folder + '/' + QLatin1String(Name) + ".png");
}

} // namespace e2e
