#pragma once
// Helpers of the settings and view dialog tests: the main window the shared pickers need,
// the file records an object writes, a look for clipped texts, and pictures of the forms.

#include "common/DialogTestSupport.h"
#include "common/GraphFileBytes.h"
#include "math/CenterDlg.h"

#include <QAbstractButton>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// The colour and font pickers run only while the program has a main window.
class TMainFormGuard {
public:
    TMainFormGuard() { SetApplicationMainForm(&form_); }
    ~TMainFormGuard() { SetApplicationMainForm(nullptr); }
    TMainFormGuard(const TMainFormGuard&) = delete;
    TMainFormGuard& operator=(const TMainFormGuard&) = delete;

private:
    QWidget form_;
};

// The bytes an object writes into a graph file of its kind: its record, then its texts and fonts.
template <class T> recordtest::Bytes RecordsOf(const T& object, int kind) {
    return recordtest::WrittenBody(kind, [&](TWriteGraphFile& w) { object.WriteToFile(w); });
}

// Offset of the first byte in which two written bodies differ; -1 when they are equal.
inline long FirstDifference(const recordtest::Bytes& a, const recordtest::Bytes& b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i]) return long(i);
    return a.size() == b.size() ? -1 : long(std::min(a.size(), b.size()));
}

// Every caption on the form that its widget cannot show whole: the widget is narrower or
// lower than the text needs. Hidden widgets do not count.
inline std::vector<std::string> ClippedCaptions(const QWidget& form) {
    std::vector<std::string> clipped;
    for (const QWidget* w : form.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&form)) continue;
        QString text;
        if (auto* label = qobject_cast<const QLabel*>(w))
            text = label->text();
        else if (auto* button = qobject_cast<const QAbstractButton*>(w))
            text = button->text();
        else
            continue;
        const QSize need = w->minimumSizeHint();
        if (!text.isEmpty() && (w->width() < need.width() || w->height() < need.height()))
            clipped.push_back(text.toStdString());
    }
    return clipped;
}

// Moves the focus into w as a click would, and types text over what it holds.
inline void TypeInto(QWidget* w, const char* text) {
    w->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Delete);
    QTest::keyClicks(w, QString::fromUtf8(text));
}

// A picture of the form; with QUORIX_SHOTS set to a folder it is saved there as name.png.
inline QImage Shot(QWidget& form, const char* name) {
    QImage image = form.grab().toImage();
    if (const QByteArray dir = qgetenv("QUORIX_SHOTS"); !dir.isEmpty())
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromUtf8(name) + ".png"));
    return image;
}
