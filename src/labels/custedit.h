#pragma once
// The one-line editor laid over a graph's picture to type a text label where it stands,
// in the label's own font. It is drawn by itself (no system edit box) so that what is
// typed looks as the label will. The picture control owns one, starts an edit with
// BeginEdit and takes the text back when OnEditDone fires; an edit ends with Enter, Esc,
// the focus moving elsewhere, or EndEdit. While it edits, no key typed into it reaches
// a short-cut of the window around it.

#include "labels/CustEditLogic.h"
#include "platform/Fonts.h"
#include "platform/Geometry.h"

#include <QWidget>

#include <functional>
#include <string>

class TCustomTextEdit : public QWidget {
    Q_OBJECT
public:
    // BitmapPos is where the editor's top-left corner lies on the bitmap.
    using TEditStartEvent = std::function<void(QObject* Sender, TPoint BitmapPos, int Width, int Height)>;
    using TEditDoneEvent = std::function<void(QObject* Sender)>;

    explicit TCustomTextEdit(QWidget* Owner = nullptr);
    ~TCustomTextEdit() override;

    TEditStartEvent OnEditStart;
    TEditDoneEvent OnEditDone; // fires exactly once per edit

    // Starts editing Text at the label origin, given on the bitmap and in the owner's
    // coordinates; a running edit is ended first. The editor shows, takes the focus and
    // puts the caret before the first character.
    void BeginEdit(TPoint BitmapPos, TPoint ClientPos, const TFontRecord& Font, const std::string& Text);
    // Ends a running edit: hides the editor and fires OnEditDone; nothing when idle.
    void EndEdit();

    bool Editing() const { return editing_; }
    std::string Text() const { return logic_.Text(); } // UTF-8
    // The caret is shown only while the editor has the focus.
    bool CaretCreated() const { return caretCreated_; }
    int CaretX() const { return logic_.CaretX(); }
    int CaretIndex() const { return logic_.CaretIndex(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void applyExtent();
    void afterKey(TTextEditLogic::TKeyOutcome outcome);
    // Ctrl+C, Ctrl+X and Ctrl+V work on the whole text through the clipboard; other Ctrl
    // keys do nothing.
    void clipboardKey(int key);

    TTextEditLogic logic_;
    bool editing_ = false;
    bool caretCreated_ = false;
};
