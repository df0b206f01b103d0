#include "platform/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QStringList>

#include <climits>
#include <cstdlib>

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    long long p = (long long)a * b;
    long long q = p / c, r = p % c;
    // Round half away from zero.
    if (std::llabs(r) * 2 >= std::llabs((long long)c)) q += ((p < 0) != (c < 0)) ? -1 : 1;
    if (q < INT_MIN || q > INT_MAX) return -1; // overflow, as the routine it stands for reports it
    return int(q);
}

int FontPixelSize(int points) {
    return MulDiv(points, 96, 72);
}

int DrawnFontSize(int Size) {
    // A size of 0 asks for the default size; a negative one is taken by its magnitude.
    // Files keep such sizes as they are, so only the drawing interprets them.
    long long points = Size == 0 ? TFontRecord().Size : (Size < 0 ? -(long long)Size : Size);
    return int(points > MaxDrawnFontSize ? MaxDrawnFontSize : points);
}

QFont FontRecordToQFont(const TFontRecord& font) {
    QFont f(QString::fromStdString(font.Name));
    f.setPixelSize(FontPixelSize(DrawnFontSize(font.Size)));
    f.setBold(font.HasStyle(fsBold));
    f.setItalic(font.HasStyle(fsItalic));
    f.setUnderline(font.HasStyle(fsUnderline));
    f.setStrikeOut(font.HasStyle(fsStrikeOut));
    f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

TFontRecord QFontToFontRecord(const QFont& font, TColor color) {
    TFontRecord r;
    r.Name = font.family().toStdString();
    r.Color = color;
    r.Style = 0;
    if (font.bold()) r.Style |= fsBold;
    if (font.italic()) r.Style |= fsItalic;
    if (font.underline()) r.Style |= fsUnderline;
    if (font.strikeOut()) r.Style |= fsStrikeOut;
    if (font.pixelSize() > 0)
        r.Size = MulDiv(font.pixelSize(), 72, 96);
    else
        r.Size = int(font.pointSizeF() + 0.5);
    return r;
}

QString FaceStyleName(const QFont& font) {
    const QString family = font.family();
    QString best;
    int bestDistance = INT_MAX;
    for (const QString& style : QFontDatabase::styles(family)) {
        // An oblique face counts as italic, as it does when the font is drawn.
        const bool slanted = QFontDatabase::font(family, style, 12).style() != QFont::StyleNormal;
        if (slanted != (font.style() != QFont::StyleNormal)) continue;
        // The plain face of a weight wins over its condensed or other variants.
        const int distance =
            std::abs(QFontDatabase::weight(family, style) - font.weight()) * 1000 + int(style.size());
        if (distance < bestDistance) {
            bestDistance = distance;
            best = style;
        }
    }
    return best;
}

TSize TextExtentIn(const QFont& font, const std::string& text) {
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

TRect TextInkIn(const QFont& font, const std::string& text) {
    const QFontMetrics metrics(font);
    const QString s = QString::fromStdString(text);
    QRect ink = metrics.tightBoundingRect(s).translated(0, metrics.ascent());
    // The painter lays these lines up to a pixel off the positions the metrics give.
    const int advance = metrics.horizontalAdvance(s), line = metrics.lineWidth();
    if (advance > 0 && font.underline())
        ink |= QRect(0, metrics.ascent() + metrics.underlinePos(), advance, line + 1);
    if (advance > 0 && font.strikeOut())
        ink |= QRect(0, metrics.ascent() - metrics.strikeOutPos() - 1, advance, line + 2);
    if (ink.isEmpty()) return {};
    return {ink.left(), ink.top(), ink.right() + 1, ink.bottom() + 1};
}
