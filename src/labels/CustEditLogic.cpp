#include "labels/CustEditLogic.h"

#include "model/FILESAVE.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdlib>

bool IsStorableTextChar(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) return false;
    if (c.isSurrogate()) return false;
    const std::string utf8 = QString(c).toStdString();
    // The code page has no '?' of its own for a character it lacks: that is what it makes of one.
    return u == '?' || Utf8ToWin1252(utf8) != "?";
}

TTextEditLogic::TTextEditLogic() {
    SetFont(font_);
}

void TTextEditLogic::SetFont(const TFontRecord& Font) {
    font_ = Font;
    qfont_ = FontRecordToQFont(Font);
}

void TTextEditLogic::SetText(const std::string& Text) {
    text_ = QString::fromStdString(Text);
}

std::string TTextEditLogic::Text() const {
    return text_.toStdString();
}

int TTextEditLogic::textWidth(const QString& s) const {
    return QFontMetrics(qfont_).horizontalAdvance(s);
}

int TTextEditLogic::BoundaryX(int Count) const {
    return textWidth(text_.left(Count)) + 2;
}

bool TTextEditLogic::UpdateExtent() {
    const int oldHeight = height_;
    height_ = std::min(QFontMetrics(qfont_).height() + 4, MaxExtent);
    width_ = std::min(std::max(text_.isEmpty() ? 8 : textWidth(text_), 8) + 4, MaxExtent);
    return height_ != oldHeight;
}

void TTextEditLogic::PlaceCaret(int Index) {
    const int length = static_cast<int>(text_.size());
    int index = std::clamp(Index, 0, length);
    int x = index == 0 ? 2 : BoundaryX(index);
    x = std::min(x, width_ - 3);
    caretX_ = x;
    caretIndex_ = index;
}

void TTextEditLogic::ResetPlace() {
    width_ = 0;
    height_ = 0;
    caretX_ = 2;
    caretIndex_ = 0;
}

TTextEditLogic::TKeyOutcome TTextEditLogic::KeyPress(QChar Char) {
    switch (Char.unicode()) {
    case 8:
        if (caretIndex_ < 1) return koNothing;
        text_.remove(caretIndex_ - 1, 1);
        UpdateExtent();
        PlaceCaret(caretIndex_ - 1);
        return koText;
    case 13:
    case 27:
        return koEnd;
    default:
        break;
    }
    if (!IsStorableTextChar(Char)) return koNothing;
    if (text_.size() >= MaxTextLength) return koNothing;
    text_.insert(caretIndex_, Char);
    UpdateExtent();
    PlaceCaret(caretIndex_ + 1);
    return koText;
}

TTextEditLogic::TKeyOutcome TTextEditLogic::KeyDown(int Key) {
    const int length = static_cast<int>(text_.size());
    switch (Key) {
    case Qt::Key_End:
        if (caretIndex_ == length) return koNothing;
        PlaceCaret(length);
        return koCaret;
    case Qt::Key_Home:
        if (caretIndex_ == 0) return koNothing;
        PlaceCaret(0);
        return koCaret;
    case Qt::Key_Left:
        if (caretIndex_ == 0) return koNothing;
        PlaceCaret(caretIndex_ - 1);
        return koCaret;
    case Qt::Key_Right:
        if (caretIndex_ >= length) return koNothing;
        PlaceCaret(caretIndex_ + 1);
        return koCaret;
    case Qt::Key_Delete:
        if (caretIndex_ >= length) return koNothing;
        text_.remove(caretIndex_, 1);
        UpdateExtent();
        PlaceCaret(caretIndex_);
        return koText;
    default:
        return koNothing;
    }
}

TTextEditLogic::TKeyOutcome TTextEditLogic::InsertText(const QString& Chars) {
    QString pasted = Chars;
    while (pasted.endsWith(u'\n') || pasted.endsWith(u'\r'))
        pasted.chop(1);
    pasted.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    QString accepted;
    for (QChar c : pasted) {
        if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
        if (IsStorableTextChar(c)) accepted += c;
    }
    accepted.truncate(std::max(0, MaxTextLength - static_cast<int>(text_.size())));
    if (accepted.isEmpty()) return koNothing;
    text_.insert(caretIndex_, accepted);
    UpdateExtent();
    PlaceCaret(caretIndex_ + static_cast<int>(accepted.size()));
    return koText;
}

TTextEditLogic::TKeyOutcome TTextEditLogic::ClearText() {
    if (text_.isEmpty()) return koNothing;
    text_.clear();
    UpdateExtent();
    PlaceCaret(0);
    return koText;
}

bool TTextEditLogic::ClickAt(int X) {
    // Boundaries grow to the right, so the distances fall and then rise: the scan stops
    // at the first one that is worse, and a tie goes to the later boundary.
    int best = std::abs(2 - X);
    int bestIndex = 0;
    const int length = static_cast<int>(text_.size());
    for (int b = 1; b <= length; ++b) {
        const int d = std::abs(BoundaryX(b) - X);
        if (d > best) break;
        best = d;
        bestIndex = b;
    }
    if (bestIndex == caretIndex_) return false;
    PlaceCaret(bestIndex);
    return true;
}
