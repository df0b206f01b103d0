#pragma once
// What the five label modify dialogs do, without their windows: which style button of a
// group stands for which stored style, the limits of the coordinate spin edits, the values
// each dialog shows, the checks it runs before OK and how it stores the values back into
// its label. The dialogs only copy these values into their controls and back.

#include "labels/DrawObjs.h"
#include "labels/GrDraw.h"
#include "platform/Fonts.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The style codes of a group of style buttons, in the order the buttons stand.
using TStyleGroup = std::span<const uint8_t>;

// Pens of lines and free hands (no clear pen), and of enclosed shapes (clear last).
extern const TStyleGroup PenStylesLine;
extern const TStyleGroup PenStylesShape;
// Brushes of lines and free hands (clear, solid), of enclosed shapes (clear, solid and the
// six hatches) and of flood fills (solid and the six hatches).
extern const TStyleGroup BrushStylesLine;
extern const TStyleGroup BrushStylesShape;
extern const TStyleGroup BrushStylesFill;

// The button of the group that stands for Style, or nullopt when none does.
std::optional<int> StyleButton(TStyleGroup Group, uint8_t Style);
// The style of the button that is down; nullopt when none is.
std::optional<uint8_t> StyleOfButton(TStyleGroup Group, std::optional<int> Button);

// The limits of a coordinate spin edit. The lower limit is -100, the upper one the bitmap
// size plus 100 (CoordSpinMax of the stored value); both widen to the value shown, so that
// a label lying farther out (dragged there, or read from a file) is not moved by a dialog
// that was only opened and closed.
struct TSpinRange {
    int Min;
    int Max;
};
TSpinRange CoordSpinRange(int Shown, int Stored, int Size);
// The fixed range of the free-hand and text origins, widened the same way.
TSpinRange OriginSpinRange(int Shown);

// The outcome of a close check: empty when it passed, else the message to show.
struct TLabelDlgCheck {
    std::string Message;
    bool Ok() const { return Message.empty(); }
};

// ---- Flood fill

struct TFloodFillDlgValues {
    std::optional<int> BrushButton; // in BrushStylesFill
    TColor FillColor = 0;
    TPoint Location;
};
TFloodFillDlgValues LoadFloodFillDlg(const TDrawFloodFill& Fill);
// Spin limits that keep the location on the bitmap.
TSpinRange FloodFillSpinRange(int Size);
void StoreFloodFillDlg(const TFloodFillDlgValues& Values, TDrawFloodFill& Fill);

// ---- Pen and brush of lines, free hands and enclosed shapes

struct TShapeStyleValues {
    std::optional<int> PenButton;   // in the dialog's pen group
    std::optional<int> BrushButton; // in the dialog's brush group
    TColor PenColor = 0;
    int PenWidth = 1; // the width bar's position, 1..10
    TColor BrushColor = 0;
};
// The width bar runs 1..10; a stored width outside shows at the nearer end.
inline constexpr int MinDlgPenWidth = 1;
inline constexpr int MaxDlgPenWidth = 10;

// ---- Free hand

struct TFreeHandDlgValues {
    TShapeStyleValues Style; // pens PenStylesLine, brushes BrushStylesLine
    TPoint Origin;
};
TFreeHandDlgValues LoadFreeHandDlg(const TDrawFreeHand& FreeHand);
// The moved curve must keep a point on the bitmap.
TLabelDlgCheck CheckFreeHandDlg(const TFreeHandDlgValues& Values, const TDrawFreeHand& FreeHand,
                                const TLabelBmpAttribs& BmpAttribs);
// The whole curve moves with its origin.
void StoreFreeHandDlg(const TFreeHandDlgValues& Values, TDrawFreeHand& FreeHand);

// ---- Enclosed shapes

struct TInclosedDlgValues {
    TShapeStyleValues Style; // pens PenStylesShape, brushes BrushStylesShape
    TPoint TopLeft;          // the corners, ordered
    TPoint BottomRight;
    uint8_t ShapeKind = lkRectangle;
};
TInclosedDlgValues LoadInclosedDlg(const TDrawInclosedShape& Shape);
// The controls of the shape dialog a failed check focuses.
enum TInclosedDlgControl : uint8_t { icNone, icBottomRightX, icBottomRightY, icTopLeftX };
struct TInclosedDlgCheck : TLabelDlgCheck {
    TInclosedDlgControl Control = icNone;
};
// In this order: the corners' X order, their Y order, then the shape on the bitmap.
TInclosedDlgCheck CheckInclosedDlg(const TInclosedDlgValues& Values, const TDrawInclosedShape& Shape,
                                   const TLabelBmpAttribs& BmpAttribs);
void StoreInclosedDlg(const TInclosedDlgValues& Values, TDrawInclosedShape& Shape);

// ---- Line

struct TLineDlgValues {
    TShapeStyleValues Style; // pens PenStylesLine, brushes BrushStylesLine
    TPoint Origin;
    TPoint End;
};
TLineDlgValues LoadLineDlg(const TDrawLine& Line);
// Some of the segment must cross the bitmap, even with both ends off it.
TLabelDlgCheck CheckLineDlg(const TLineDlgValues& Values, const TDrawLine& Line,
                            const TLabelBmpAttribs& BmpAttribs);
void StoreLineDlg(const TLineDlgValues& Values, TDrawLine& Line);

// ---- Text

struct TTextDlgValues {
    TPoint TopLeft;
    std::string Text; // UTF-8
    TFontRecord Font;
};
TTextDlgValues LoadTextDlg(const TDrawText& Text);
// The text's box in its new font at its new place must show on the bitmap.
TLabelDlgCheck CheckTextDlg(const TTextDlgValues& Values, const TDrawText& Text,
                            const TLabelBmpAttribs& BmpAttribs);
// The label's second corner is measured anew from the new text and font.
void StoreTextDlg(const TTextDlgValues& Values, TDrawText& Text);

// The most characters the text edit takes, and the size box.
inline constexpr int MaxTextDlgLength = MaxLabelTextLength;
inline constexpr int MaxFontSizeChars = 4;
// The sizes offered for a font family: its own sizes when it has fixed ones, else the
// usual list; two-digit texts ("08"), sorted as texts.
std::vector<std::string> FontSizeList(const std::string& Family);
// The size a typed text stands for: the number, or Current when it is none, within
// -9999..9999.
int ParseFontSize(const std::string& Text, int Current);
// The sample's text: the text and a space, or "Sample Text " for an empty text.
std::string TextSampleCaption(const std::string& Text);
