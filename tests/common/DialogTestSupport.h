#pragma once
// Helpers of the widget tests of dialogs: showing a form as the active window of the
// offscreen platform (focus and key events need one) and pressing keys where the focus is.

#include <QApplication>
#include <QTest>
#include <QWidget>

// Shows w and waits until it is the active window (a generous guard for a busy machine).
inline bool ShowActive(QWidget& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w, 20000);
}

// The widget that has the keyboard focus now.
inline QWidget* Focused() {
    return QApplication::focusWidget();
}

// A key press and release at the focused widget.
inline void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    if (QWidget* w = Focused()) QTest::keyClick(w, key, modifiers);
}

// Characters typed at the focused widget.
inline void TypeText(const char* text) {
    if (QWidget* w = Focused()) QTest::keyClicks(w, QString::fromUtf8(text));
}
