#pragma once
// Bitmaps, snapshots and sample labels shared by the label tests.

#include "common/BitmapTestSupport.h"
#include "labels/DrawObjs.h"
#include "labels/GrDraw.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace labeltest {

using bitmaptest::AllDepths;
using bitmaptest::ChangedPixels;
using bitmaptest::Snapshot;

inline const char* DepthName(TPixelFormat f) {
    switch (f) {
    case pf4bit:
        return "4 bits";
    case pf8bit:
        return "8 bits";
    case pf15bit:
        return "15 bits";
    case pf16bit:
        return "16 bits";
    case pf24bit:
        return "24 bits";
    default:
        return "32 bits";
    }
}

// A bitmap filled with the background colour of its attributes.
struct TScene {
    TLabelBmpAttribs Attribs;
    std::unique_ptr<TBitmap> Bitmap;

    TScene(int width, int height, TPixelFormat format, TColor background = 0x00F0E0D0) {
        Attribs.BackgroundColor = background;
        Attribs.Width = width;
        Attribs.Height = height;
        Bitmap = std::make_unique<TBitmap>(width, height, format);
        Bitmap->Fill(background);
    }
    TBitmap& B() { return *Bitmap; }
    TColor Pixel(int x, int y) const { return Bitmap->Pixel(x, y); }
};

inline int CountColor(const TBitmap& bitmap, TColor color, const TRect& area) {
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (bitmap.Pixel(x, y) == color) ++n;
    return n;
}

inline int CountColor(const TBitmap& bitmap, TColor color) {
    return CountColor(bitmap, color, TRect(0, 0, bitmap.Width(), bitmap.Height()));
}

// An independent copy of a bitmap.
inline std::unique_ptr<TBitmap> CopyOf(const TBitmap& bitmap) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(bitmap);
    return copy;
}

inline std::unique_ptr<TDrawLine> MakeLine(TPoint a, TPoint b, TColor pen = 0x0000C0, int width = 1) {
    auto l = std::make_unique<TDrawLine>();
    l->P1 = a;
    l->P2 = b;
    l->PenColor = pen;
    l->PenWidth = width;
    return l;
}

inline std::unique_ptr<TDrawInclosedShape> MakeShape(uint8_t kind, TPoint a, TPoint b, TColor pen = 0x008000,
                                                     int width = 1, uint8_t brushStyle = bsClear,
                                                     TColor brush = 0xC08040) {
    auto s = std::make_unique<TDrawInclosedShape>(kind);
    s->P1 = a;
    s->P2 = b;
    s->PenColor = pen;
    s->PenWidth = width;
    s->BrushStyle = brushStyle;
    s->BrushColor = brush;
    return s;
}

// A free hand through the given points (the first is its origin).
inline std::unique_ptr<TDrawFreeHand> MakeFreeHand(const std::vector<TPoint>& points, TColor pen = 0x800080,
                                                   int width = 1) {
    auto f = std::make_unique<TDrawFreeHand>();
    f->PenColor = pen;
    f->PenWidth = width;
    f->BeginCurve(points.front().X, points.front().Y);
    for (size_t i = 1; i < points.size(); ++i)
        f->AddPoint(points[i].X, points[i].Y);
    return f;
}

inline std::unique_ptr<TDrawText> MakeText(TPoint origin, const std::string& text, int size = 10) {
    auto t = std::make_unique<TDrawText>();
    TFontRecord font;
    font.Name = "DejaVu Sans";
    font.Size = size;
    font.Color = 0x000080;
    t->SetText(origin, text, &font);
    return t;
}

inline std::unique_ptr<TDrawFloodFill> MakeFill(TPoint location, TColor color = 0x00C000,
                                                uint8_t style = bsSolid) {
    auto f = std::make_unique<TDrawFloodFill>();
    f->Location = location;
    f->FillColor = color;
    f->BrushStyle = style;
    return f;
}

} // namespace labeltest
