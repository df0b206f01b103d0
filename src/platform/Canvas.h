#pragma once
// The drawing surface of a TBitmap. The rules its callers rely on:
// - a 1-pixel line leaves out its end pixel (a line to the point it starts at draws
//   nothing); wider pens draw round caps and joins;
// - Rectangle, Ellipse, RoundRect and FillRect cover columns Left..Right-1 and rows
//   Top..Bottom-1: Rectangle(10, 10, 20, 20) touches columns and rows 10..19 only;
// - with a 1-pixel pen an ellipse or round rectangle is inscribed in that box: it touches
//   all four sides and is symmetric about both centre lines; outline and fill meet without
//   gap or overlap (CanvasFigures.h). Without a pen a figure fills one column and row less;
// - a figure sets the same pixels inside the bitmap however far it reaches beyond it;
// - the pen mode pmNotXor draws ~(source xor destination), so drawing the same figure
//   twice restores every pixel (lines, shapes, polylines and text alike); each pixel of
//   a figure is combined once, so a rubber band shows its whole outline. FillRect,
//   FloodFill, Pixels and the block copies always copy;
// - dashed and dotted styles apply to 1-pixel pens; their gaps take the brush colour when
//   the brush is solid and stay transparent otherwise;
// - hatch brushes are aligned to the bitmap origin and leave their gaps untouched;
// - text is drawn without anti-aliasing with its top-left corner at the given point, in
//   the font's colour; it is opaque (brush colour behind it) only with a solid brush;
// - FloodFill is an iterative scan-line fill over 4-connected pixels.
// Every colour is resolved (system colours) and encoded for the bitmap's depth before it
// is drawn, so depths 4 and 8 receive palette colours only (not-xor marks excepted: they
// are inverted colours until drawn a second time).
//
// The canvas belongs to its bitmap (TBitmap::Canvas()); each operation takes the bitmap's
// re-entrant lock itself. Pen, Brush and Font are plain values that the caller sets
// before drawing; a canvas is used by one thread at a time (whoever holds the lock).

#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TFigureRows;
class QFont;
class QPainter;

// Codes as stored in the graph files.
enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TBrushStyle : uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
enum TPenMode : uint8_t { pmCopy, pmNotXor };
enum TFillStyle : uint8_t { fsSurface, fsBorder };

// Pen styles and widths are stored as read; drawing takes an unknown style as solid and a
// width as 1..MaxDrawnPenWidth (0 or less as 1).
inline constexpr TPenStyle DrawnPenStyle(uint8_t code) {
    return code <= psInsideFrame ? static_cast<TPenStyle>(code) : psSolid;
}
inline constexpr int MaxDrawnPenWidth = 100;
inline constexpr int DrawnPenWidth(int32_t width) {
    return width < 1 ? 1 : width > MaxDrawnPenWidth ? MaxDrawnPenWidth : int(width);
}

struct TPen {
    TColor Color = clBlack;
    int Width = 1; // 0 or less draws as 1
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

class TCanvas {
public:
    explicit TCanvas(TBitmap& bitmap);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;
    TBrush Brush;
    TFontRecord Font;
    TPoint PenPos; // the current position of MoveTo and LineTo

    TBitmap& Bitmap() const { return bitmap_; }

    // The bitmap's lock (the canvas lock of the drawing workers).
    void Lock();
    void Unlock();
    bool TryLock();
    void lock() { Lock(); }
    void unlock() { Unlock(); }

    void MoveTo(int x, int y);
    // A line from PenPos to (x, y), which becomes the new PenPos.
    void LineTo(int x, int y);
    // Joined lines through the points; PenPos is neither used nor changed.
    void Polyline(const TPoint* points, int count);
    void Polyline(const std::vector<TPoint>& points) { Polyline(points.data(), int(points.size())); }

    // Outlined with the pen and filled with the brush. Corners in any order.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    // Corner ellipse width x3 and height y3, either sign (their absolute halves are the radii).
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    // The brush alone, always in copy mode.
    void FillRect(const TRect& r);

    // UTF-8 text; PenPos moves to the end of the text.
    void TextOut(int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    TSize TextExtent(const std::string& text);
    // The pixels TextOut sets for the text, relative to its top-left corner.
    TRect TextInk(const std::string& text);

    // Fills with the brush from (x, y): fsSurface fills the 4-connected area whose pixels
    // have Color; fsBorder fills the area bounded by pixels of Color. Returns false (and
    // changes nothing) for a point outside the bitmap, a clear brush, a seed that is not
    // part of such an area, or a solid fill whose colour the area already has.
    bool FloodFill(int x, int y, TColor color, TFillStyle style);

    // Pixel read (clInvalidPixel outside) and write (ignored outside; always copy mode).
    TColor Pixels(int x, int y) const;
    void Pixels(int x, int y, TColor color);

    // Block copies, always in copy mode: Source's rectangle onto this canvas's rectangle,
    // stretched (nearest pixel) when the sizes differ; Source may be this canvas.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
    void Draw(int x, int y, TBitmap& source);
    void StretchDraw(const TRect& dest, TBitmap& source);

private:
    struct Painter;
    void thinPolyline(const TPoint* points, int count);
    void figure(int kind, int x1, int y1, int x2, int y2, int64_t cornerW, int64_t cornerH);
    void thinFigure(const TFigureRows& rows, bool noPen);
    void strokeFigure(int kind, int x1, int y1, int x2, int y2, int rx, int ry);
    struct WideRect {
        int64_t left, top, right, bottom;
    };
    void blit(const WideRect& dest, TBitmap& source, const WideRect& sourceRect);
    const QFont& qfont();

    TBitmap& bitmap_;
    std::unique_ptr<QFont> font_;
    TFontRecord fontKey_;
};
