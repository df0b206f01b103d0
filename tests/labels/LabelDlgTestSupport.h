#pragma once
// Helpers of the label dialog tests: a main window for the shared pickers, finding controls
// by name, the record bytes of a label, and a layout check of a rendered dialog.

#include "LabelTestSupport.h"

#include "common/DialogTestSupport.h"
#include "common/GraphFileBytes.h"
#include "math/CenterDlg.h"
#include "platform/ScriptedUiHook.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QSpinBox>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace labeldlgtest {

inline const TLabelBmpAttribs kBitmap{0xFFFFFF, 300, 200};

// The pickers run only with a main window; one stands by for the life of the object.
class TMainFormStandIn {
public:
    TMainFormStandIn() { SetApplicationMainForm(&form_); }
    ~TMainFormStandIn() { SetApplicationMainForm(nullptr); }

private:
    QWidget form_;
};

template <class W = QWidget> W* Child(QWidget& dialog, const char* name) {
    W* w = dialog.findChild<W*>(QString::fromLatin1(name));
    if (!w) ADD_FAILURE() << "no control " << name;
    return w;
}

inline QSpinBox* Spin(QWidget& dialog, const char* name) {
    return Child<QSpinBox>(dialog, name);
}

// Replaces a spin edit's text by typing, as a user would.
inline void TypeInto(QSpinBox* spin, int value) {
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QString::number(value));
}

inline void Click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
}

// The label's record as a graph file holds it.
inline recordtest::Bytes RecordOf(const TDrawBaseClass& label) {
    return recordtest::WrittenBody(1, [&](TWriteGraphFile& w) { label.WriteToGraphFile(w); });
}

// The object names of the controls the tab key visits, in order, from the first one.
inline std::vector<std::string> TabOrder(QWidget& dialog) {
    std::vector<std::string> names;
    QWidget* first = nullptr;
    for (QWidget* w = dialog.nextInFocusChain(); w && w != &dialog; w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(&dialog) || !w->isEnabled()) continue;
        // The edit inside a spin edit or combo box is that control's own.
        if (w->parentWidget()->inherits("QAbstractSpinBox") || w->parentWidget()->inherits("QComboBox"))
            continue;
        if (w == first) break;
        if (!first) first = w;
        QString name = w->objectName();
        if (name.isEmpty()) {
            if (auto* b = qobject_cast<QAbstractButton*>(w)) name = b->text();
            if (name.isEmpty()) name = w->metaObject()->className();
        }
        names.push_back(name.toStdString());
    }
    return names;
}

// Every visible control lies inside its parent and has at least the size it asks for, so
// that nothing is cut off. A rendering goes to $QUORIX_SHOTS/<name>.png when that is set.
inline void ExpectLaidOut(QWidget& dialog, const char* name) {
    dialog.adjustSize();
    const QImage shot = dialog.grab().toImage();
    EXPECT_FALSE(shot.isNull());
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&dialog) || !w->parentWidget()) continue;
        // The inner parts of spin edits, combo boxes and scroll areas are their own business.
        const QWidget* p = w->parentWidget();
        if (p->inherits("QAbstractSpinBox") || p->inherits("QComboBox") ||
            p->inherits("QAbstractScrollArea") || p->objectName() == "qt_scrollarea_viewport")
            continue;
        const QRect inside = w->parentWidget()->rect();
        EXPECT_TRUE(inside.contains(w->geometry())) << name << ": " << w->metaObject()->className() << " "
                                                    << w->objectName().toStdString() << " sticks out";
        const QSize need = w->minimumSizeHint();
        EXPECT_TRUE(w->width() >= need.width() && w->height() >= need.height())
            << name << ": " << w->metaObject()->className() << " " << w->objectName().toStdString() << " is "
            << w->width() << "x" << w->height() << ", needs " << need.width() << "x" << need.height();
    }
    const QByteArray dir = qgetenv("QUORIX_SHOTS");
    if (dir.isEmpty()) return;
    const QDir folder(QString::fromLocal8Bit(dir));
    shot.save(folder.filePath(QString::fromLatin1(name) + ".png"));
    shot.scaled(shot.size() * 2).save(folder.filePath(QString::fromLatin1(name) + "-2x.png"));
}

} // namespace labeldlgtest
