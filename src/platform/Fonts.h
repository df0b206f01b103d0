#pragma once
// The plain font record the graph files, the ini file and the labels keep. It is a value
// that any thread may copy; a QFont is made from it only where text is measured or drawn.

#include "platform/Colors.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <string>

class QFont;
class QString;

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t; // a set of TFontStyle bits

struct TFontRecord {
    std::string Name = DefaultFontName(); // UTF-8 face name
    TColor Color = clWindowText;
    TFontStyles Style = 0;
    int Size = 8; // points

    static std::string DefaultFontName() { return "DejaVu Sans"; }
    bool HasStyle(TFontStyle s) const { return (Style & s) != 0; }
    bool operator==(const TFontRecord&) const = default;
};

// Screen pixels for a point size at the fixed 96 dots per inch of the pictures,
// rounded as MulDiv(points, 96, 72).
int FontPixelSize(int points);

// The largest point size text is drawn at; larger sizes are drawn at this one.
inline constexpr int MaxDrawnFontSize = 1638;
// The point size a record's Size is drawn at: 0 is the default size (a new record's), a
// negative size its magnitude, and no size above MaxDrawnFontSize.
int DrawnFontSize(int Size);

// A QFont for drawing on pictures: pixel-sized, without anti-aliasing, at DrawnFontSize;
// the record itself is never changed.
QFont FontRecordToQFont(const TFontRecord& font);
// The record for a QFont; the colour is given separately because QFont has none.
TFontRecord QFontToFontRecord(const QFont& font, TColor color);
// The name of the face of the font's family that has its weight and slant ("Book",
// "Bold Oblique" ...), empty when the family is unknown. A font dialog shown a font
// without it would pick the family's first face, which may be a slanted one.
QString FaceStyleName(const QFont& font);

// The advance width and the line height of UTF-8 text in a font. The canvas measures with
// it, and so does everything that places text without one, so the two never disagree.
TSize TextExtentIn(const QFont& font, const std::string& text);
// The pixels UTF-8 text sets when drawn in a font with its top-left corner at (0, 0),
// underline and strike-out included; the box may reach left of or above the corner (a
// slanted face's overhang). Empty for text that sets no pixel.
TRect TextInkIn(const QFont& font, const std::string& text);

// a * b / c in 64 bits, rounded half away from zero; -1 when c is 0 or the result does not
// fit an int.
int MulDiv(int a, int b, int c);
