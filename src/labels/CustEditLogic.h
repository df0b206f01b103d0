#pragma once
// What the in-place text editor does, without its window: the text being typed, the caret
// (as a character index and as pixels from the editor's left edge), the editor's size,
// and the answers to keys and clicks. Everything is measured in the label's own font, the
// way the label itself measures its text.
//
// The editor shows its text 2 pixels in from its left and top edges, so the caret before
// the first character stands at x = 2.

#include "labels/GrDraw.h"
#include "platform/Fonts.h"

#include <QFont>
#include <QString>

#include <cstdint>
#include <string>

// Whether a typed character can be stored: texts go into graph files as Windows-1252, and
// a character that code page cannot hold would come back as '?'. Control characters are
// no text either.
bool IsStorableTextChar(QChar c);

class TTextEditLogic {
public:
    // The most characters a text can be typed to.
    static constexpr int MaxTextLength = MaxLabelTextLength;
    // The editor's width and height never grow past this.
    static constexpr int MaxExtent = 10000;

    // What a key did to the edit.
    enum TKeyOutcome : uint8_t {
        koNothing, // ignored, or nothing to do where the caret stands
        koCaret,   // the caret moved
        koText,    // the text changed (and the caret with it)
        koEnd,     // Enter or Esc: the edit ends, the text stays
    };

    TTextEditLogic();

    void SetFont(const TFontRecord& Font);
    const TFontRecord& Font() const { return font_; }
    const QFont& DrawFont() const { return qfont_; }

    // Replaces the text; the caret is not moved.
    void SetText(const std::string& Text);
    std::string Text() const; // UTF-8
    const QString& Chars() const { return text_; }

    int CaretIndex() const { return caretIndex_; }
    int CaretX() const { return caretX_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Measures the editor for the text: one line of the font plus 4 pixels, and the text's
    // width (at least 8) plus 4. True when the height changed.
    bool UpdateExtent();
    // Puts the caret before character Index, clamped to the text; its x is kept inside the
    // editor (at most width - 3).
    void PlaceCaret(int Index);
    // Back to the state between edits: caret at index 0 and x 2, no size.
    void ResetPlace();

    // A typed character: Backspace (8) deletes before the caret, Enter (13) and Esc (27)
    // end the edit, tab, line feed, other control characters and characters the files
    // cannot hold are ignored, anything else is inserted at the caret unless the text is full.
    TKeyOutcome KeyPress(QChar Char);
    // A key without a character: Home, End, Left, Right, Delete (Qt key codes).
    TKeyOutcome KeyDown(int Key);
    // Pasted text, inserted at the caret as far as the text has room. Tabs and line breaks
    // become spaces (a line break at the very end, as a copied line carries, is dropped);
    // other control characters and characters the files cannot hold are left out.
    TKeyOutcome InsertText(const QString& Chars);
    // The whole text removed (it has no selection to cut from): caret back to 0.
    TKeyOutcome ClearText();
    // A left click at X pixels from the editor's left edge: the caret goes to the nearest
    // character boundary, the later one on a tie. True when it moved.
    bool ClickAt(int X);

    // Pixels from the editor's left edge to the boundary after the first Count characters.
    int BoundaryX(int Count) const;

private:
    int textWidth(const QString& s) const;

    TFontRecord font_;
    QFont qfont_;
    QString text_;
    int caretIndex_ = 0;
    int caretX_ = 2;
    int width_ = 0;
    int height_ = 0;
};
