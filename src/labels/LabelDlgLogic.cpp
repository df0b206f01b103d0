#include "labels/LabelDlgLogic.h"

#include "platform/Canvas.h"

#include <QFontDatabase>
#include <QList>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace {

constexpr std::array<uint8_t, 5> kPenLine = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
constexpr std::array<uint8_t, 6> kPenShape = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear};
constexpr std::array<uint8_t, 2> kBrushLine = {bsClear, bsSolid};
constexpr std::array<uint8_t, 8> kBrushShape = {bsClear,     bsSolid,     bsHorizontal, bsVertical,
                                                bsFDiagonal, bsBDiagonal, bsCross,      bsDiagCross};
constexpr std::array<uint8_t, 7> kBrushFill = {bsSolid,     bsHorizontal, bsVertical, bsFDiagonal,
                                               bsBDiagonal, bsCross,      bsDiagCross};

constexpr int kOriginLimit = 100000;

int clampWidth(int width) {
    return std::clamp(width, MinDlgPenWidth, MaxDlgPenWidth);
}

// The pen and brush values of a shape as its dialog shows them.
TShapeStyleValues loadStyle(const TDrawShape& shape, TStyleGroup pens, std::optional<int> brushButton) {
    TShapeStyleValues v;
    v.PenButton = StyleButton(pens, shape.PenStyle);
    v.BrushButton = brushButton;
    v.PenColor = shape.PenColor;
    v.PenWidth = clampWidth(shape.PenWidth);
    v.BrushColor = shape.BrushColor;
    return v;
}

// Stores the pen and brush through the label's own setters, so that its class normalises
// them; with no button down a style stays as it was.
void storeStyle(const TShapeStyleValues& v, TStyleGroup pens, TStyleGroup brushes, TDrawShape& shape) {
    if (const std::optional<uint8_t> pen = StyleOfButton(pens, v.PenButton)) shape.SetPenStyle(*pen);
    shape.PenColor = v.PenColor;
    shape.PenWidth = v.PenWidth;
    shape.BrushColor = v.BrushColor;
    if (const std::optional<uint8_t> brush = StyleOfButton(brushes, v.BrushButton))
        shape.SetBrushStyle(*brush);
    shape.Modified = true;
}

// Lines and free hands show a solid brush only for a solid style.
std::optional<int> lineBrushButton(const TDrawShape& shape) {
    return shape.BrushStyle == bsSolid ? 1 : 0;
}

} // namespace

const TStyleGroup PenStylesLine{kPenLine};
const TStyleGroup PenStylesShape{kPenShape};
const TStyleGroup BrushStylesLine{kBrushLine};
const TStyleGroup BrushStylesShape{kBrushShape};
const TStyleGroup BrushStylesFill{kBrushFill};

std::optional<int> StyleButton(TStyleGroup Group, uint8_t Style) {
    const auto it = std::find(Group.begin(), Group.end(), Style);
    if (it == Group.end()) return std::nullopt;
    return static_cast<int>(it - Group.begin());
}

std::optional<uint8_t> StyleOfButton(TStyleGroup Group, std::optional<int> Button) {
    if (!Button || *Button < 0 || static_cast<std::size_t>(*Button) >= Group.size()) return std::nullopt;
    return Group[static_cast<std::size_t>(*Button)];
}

TSpinRange CoordSpinRange(int Shown, int Stored, int Size) {
    return {std::min(-100, Shown), std::max(CoordSpinMax(Stored, Size), Shown)};
}

TSpinRange OriginSpinRange(int Shown) {
    return {std::min(-kOriginLimit, Shown), std::max(kOriginLimit, Shown)};
}

// ---- Flood fill

TFloodFillDlgValues LoadFloodFillDlg(const TDrawFloodFill& Fill) {
    TFloodFillDlgValues v;
    // A clear fill paints solid, and an unknown style shows the default button.
    v.BrushButton =
        StyleButton(BrushStylesFill, Fill.BrushStyle == bsClear ? uint8_t(bsSolid) : Fill.BrushStyle);
    if (!v.BrushButton) v.BrushButton = 0;
    v.FillColor = Fill.FillColor;
    v.Location = Fill.Location;
    return v;
}

TSpinRange FloodFillSpinRange(int Size) {
    return {0, std::max(Size - 1, 0)};
}

void StoreFloodFillDlg(const TFloodFillDlgValues& Values, TDrawFloodFill& Fill) {
    Fill.Location = Values.Location;
    Fill.FillColor = Values.FillColor;
    if (const std::optional<uint8_t> style = StyleOfButton(BrushStylesFill, Values.BrushButton))
        Fill.SetBrushStyle(*style);
    Fill.Modified = true;
}

// ---- Free hand

TFreeHandDlgValues LoadFreeHandDlg(const TDrawFreeHand& FreeHand) {
    return {loadStyle(FreeHand, PenStylesLine, lineBrushButton(FreeHand)), FreeHand.P1};
}

namespace {

TPoint movedBy(const TPoint& p, const TPoint& from, const TPoint& to) {
    const auto shift = [](long long v, long long d) {
        return static_cast<int>(std::clamp<long long>(v + d, INT32_MIN, INT32_MAX));
    };
    return {shift(p.X, static_cast<long long>(to.X) - from.X),
            shift(p.Y, static_cast<long long>(to.Y) - from.Y)};
}

} // namespace

TLabelDlgCheck CheckFreeHandDlg(const TFreeHandDlgValues& Values, const TDrawFreeHand& FreeHand,
                                const TLabelBmpAttribs& BmpAttribs) {
    const TPoint last = movedBy(FreeHand.P2, FreeHand.P1, Values.Origin);
    if (FreeHand.RectOnBitmap(Values.Origin, last, BmpAttribs)) return {};
    return {"The label must be on the graph bitmap."};
}

void StoreFreeHandDlg(const TFreeHandDlgValues& Values, TDrawFreeHand& FreeHand) {
    FreeHand.P2 = movedBy(FreeHand.P2, FreeHand.P1, Values.Origin);
    FreeHand.P1 = Values.Origin;
    storeStyle(Values.Style, PenStylesLine, BrushStylesLine, FreeHand);
}

// ---- Enclosed shapes

TInclosedDlgValues LoadInclosedDlg(const TDrawInclosedShape& Shape) {
    TInclosedDlgValues v;
    std::optional<int> brush = StyleButton(BrushStylesShape, Shape.BrushStyle);
    v.Style = loadStyle(Shape, PenStylesShape, brush ? brush : 0);
    v.TopLeft = Shape.P1;
    v.BottomRight = Shape.P2;
    OrderCornerPoints(v.TopLeft, v.BottomRight);
    v.ShapeKind = Shape.ShapeKind == lkEllipse || Shape.ShapeKind == lkRoundRect ? Shape.ShapeKind
                                                                                 : uint8_t(lkRectangle);
    return v;
}

TInclosedDlgCheck CheckInclosedDlg(const TInclosedDlgValues& Values, const TDrawInclosedShape& Shape,
                                   const TLabelBmpAttribs& BmpAttribs) {
    TInclosedDlgCheck c;
    if (Values.BottomRight.X < Values.TopLeft.X) {
        c.Message = "Top Left X must be <= Bottom Right X.";
        c.Control = icBottomRightX;
    } else if (Values.BottomRight.Y < Values.TopLeft.Y) {
        c.Message = "Top Left Y must be <= Bottom Right Y.";
        c.Control = icBottomRightY;
    } else if (!Shape.RectOnBitmap(Values.TopLeft, Values.BottomRight, BmpAttribs)) {
        c.Message = "The label must be on the graph bitmap.";
        c.Control = icTopLeftX;
    }
    return c;
}

void StoreInclosedDlg(const TInclosedDlgValues& Values, TDrawInclosedShape& Shape) {
    Shape.P1 = Values.TopLeft;
    Shape.P2 = Values.BottomRight;
    storeStyle(Values.Style, PenStylesShape, BrushStylesShape, Shape);
    Shape.ShapeKind = Values.ShapeKind;
}

// ---- Line

TLineDlgValues LoadLineDlg(const TDrawLine& Line) {
    return {loadStyle(Line, PenStylesLine, lineBrushButton(Line)), Line.P1, Line.P2};
}

TLabelDlgCheck CheckLineDlg(const TLineDlgValues& Values, const TDrawLine& Line,
                            const TLabelBmpAttribs& BmpAttribs) {
    if (Line.RectOnBitmap(Values.Origin, Values.End, BmpAttribs)) return {};
    return {"The label must be on the graph bitmap."};
}

void StoreLineDlg(const TLineDlgValues& Values, TDrawLine& Line) {
    Line.P1 = Values.Origin;
    Line.P2 = Values.End;
    storeStyle(Values.Style, PenStylesLine, BrushStylesLine, Line);
}

// ---- Text

TTextDlgValues LoadTextDlg(const TDrawText& Text) {
    return {Text.P1, Text.Text, Text.Font};
}

TLabelDlgCheck CheckTextDlg(const TTextDlgValues& Values, const TDrawText& Text,
                            const TLabelBmpAttribs& BmpAttribs) {
    const TPoint bottomRight = TDrawText::CalcTextExtent(Values.TopLeft, Values.Text, Values.Font);
    if (Text.RectOnBitmap(Values.TopLeft, bottomRight, BmpAttribs)) return {};
    return {"The label must be on the graph bitmap."};
}

void StoreTextDlg(const TTextDlgValues& Values, TDrawText& Text) {
    Text.SetText(Values.TopLeft, Values.Text, &Values.Font);
}

std::vector<std::string> FontSizeList(const std::string& Family) {
    std::vector<std::string> sizes;
    const QString family = QString::fromStdString(Family);
    // A scalable font takes any size: it gets the usual list.
    if (!QFontDatabase::isScalable(family)) {
        for (int points : QFontDatabase::pointSizes(family)) {
            char text[16];
            std::snprintf(text, sizeof text, "%.2d", points);
            if (std::find(sizes.begin(), sizes.end(), text) == sizes.end()) sizes.emplace_back(text);
        }
    }
    if (sizes.empty())
        sizes = {"08", "09", "10", "11", "12", "14", "16", "18",
                 "20", "22", "24", "26", "28", "36", "48", "72"};
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

int ParseFontSize(const std::string& Text, int Current) {
    int value = Current;
    const char* first = Text.data();
    const char* last = Text.data() + Text.size();
    while (first < last && *first == ' ')
        ++first;
    while (last > first && last[-1] == ' ')
        --last;
    int parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (error == std::errc() && end == last && first != last) value = parsed;
    return std::clamp(value, -9999, 9999);
}

std::string TextSampleCaption(const std::string& Text) {
    return Text.empty() ? std::string("Sample Text ") : Text + " ";
}
