#include "labels/custedit.h"

#include "labels/GrDraw.h"
#include "platform/Colors.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TCustomTextEdit::TCustomTextEdit(QWidget* Owner) : QWidget(Owner) {
    // Reached by clicks and by BeginEdit, never by the tab key.
    setFocusPolicy(Qt::ClickFocus);
    setCursor(CursorShapeOf(crIBeam));
    setEnabled(false);
    hide();
    setGeometry(1, 1, 0, 0);
}

TCustomTextEdit::~TCustomTextEdit() {
    // Going away while editing reports nothing: the owner is going too.
    OnEditDone = nullptr;
    editing_ = false;
}

void TCustomTextEdit::BeginEdit(TPoint BitmapPos, TPoint ClientPos, const TFontRecord& Font,
                                const std::string& Text) {
    if (editing_) EndEdit();
    editing_ = true;
    move(ClientPos.X - 2, ClientPos.Y - 2);
    logic_.SetFont(Font);
    logic_.SetText(Text);
    logic_.UpdateExtent();
    logic_.PlaceCaret(0);
    applyExtent();
    if (OnEditStart) OnEditStart(this, TPoint(BitmapPos.X - 2, BitmapPos.Y - 2), width(), height());
    setEnabled(true);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void TCustomTextEdit::EndEdit() {
    if (!editing_) return;
    // Cleared before hiding: hiding the focused editor takes its focus at once, and that
    // focus loss must not end the edit a second time.
    editing_ = false;
    setEnabled(false);
    hide();
    if (OnEditDone) OnEditDone(this);
    if (editing_) return; // the done event started the next edit
    setGeometry(1, 1, 0, 0);
    logic_.ResetPlace();
}

void TCustomTextEdit::applyExtent() {
    resize(logic_.Width(), logic_.Height());
    update();
}

void TCustomTextEdit::afterKey(TTextEditLogic::TKeyOutcome outcome) {
    if (outcome == TTextEditLogic::koText)
        applyExtent();
    else if (outcome == TTextEditLogic::koCaret)
        update();
}

void TCustomTextEdit::clipboardKey(int key) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    switch (key) {
    case Qt::Key_C:
        clipboard->setText(logic_.Chars());
        break;
    case Qt::Key_X:
        clipboard->setText(logic_.Chars());
        afterKey(logic_.ClearText());
        break;
    case Qt::Key_V:
        afterKey(logic_.InsertText(clipboard->text()));
        break;
    default:
        break;
    }
}

bool TCustomTextEdit::event(QEvent* event) {
    // Every key typed into a running edit is the editor's: the menus' short-cuts would
    // otherwise take Ctrl+C and the like before it, open their dialog and end the edit.
    if (event->type() == QEvent::ShortcutOverride && editing_) {
        event->accept();
        return true;
    }
    // Tab is a character the editor ignores, not a way out of it.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void TCustomTextEdit::keyPressEvent(QKeyEvent* event) {
    if (!editing_) {
        QWidget::keyPressEvent(event);
        return;
    }
    const TTextEditLogic::TKeyOutcome moved = logic_.KeyDown(event->key());
    if (moved != TTextEditLogic::koNothing) {
        afterKey(moved);
        return;
    }
    // Ctrl with Alt is AltGr on some keyboards and types a character; either one alone
    // types nothing here, whatever control character the platform makes of the key.
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (mods == Qt::ControlModifier) {
        clipboardKey(event->key());
        return;
    }
    if (mods == Qt::AltModifier) return;
    // The keys that stand for characters, whatever text the platform gives them.
    QString chars;
    switch (event->key()) {
    case Qt::Key_Backspace:
        chars = QChar(8);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        chars = QChar(13);
        break;
    case Qt::Key_Escape:
        chars = QChar(27);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return;
    default:
        chars = event->text();
        break;
    }
    if (chars.isEmpty()) {
        event->ignore(); // a key of the owner's, a menu short-cut say
        return;
    }
    for (QChar c : chars) {
        const TTextEditLogic::TKeyOutcome outcome = logic_.KeyPress(c);
        if (outcome == TTextEditLogic::koEnd) {
            EndEdit();
            return;
        }
        afterKey(outcome);
    }
}

void TCustomTextEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (logic_.ClickAt(static_cast<int>(event->position().x()))) update();
    setFocus(Qt::MouseFocusReason);
}

void TCustomTextEdit::focusInEvent(QFocusEvent* event) {
    caretCreated_ = true;
    update();
    QWidget::focusInEvent(event);
}

void TCustomTextEdit::focusOutEvent(QFocusEvent* event) {
    caretCreated_ = false;
    update();
    QWidget::focusOutEvent(event);
    // Another application or a popup menu borrows the focus only for a while; the edit
    // goes on when it comes back.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    EndEdit();
}

void TCustomTextEdit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // White text would vanish on the usual white field: it is shown on black.
    const bool whiteText = ColorToRGB(logic_.Font().Color) == clWhite;
    const QColor frame = whiteText ? Qt::white : Qt::black;
    painter.setPen(QPen(frame, 1));
    painter.setBrush(whiteText ? Qt::black : Qt::white);
    painter.drawRect(0, 0, width() - 1, height() - 1);
    painter.setFont(logic_.DrawFont());
    painter.setPen(TColorToQColor(logic_.Font().Color));
    painter.drawText(2, 2 + QFontMetrics(logic_.DrawFont()).ascent(), logic_.Chars());
    if (caretCreated_ && editing_) {
        painter.setPen(QPen(frame, 1));
        painter.drawLine(logic_.CaretX(), 2, logic_.CaretX(), height() - 3);
    }
}
