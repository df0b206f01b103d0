#pragma once
// Tool-bar glyphs drawn by the program itself, so that they look the same on every
// desktop whatever icon theme it has.

#include "labels/GrDraw.h"

#include <QIcon>

// The glyph of a label tool (a pointer for dtOff).
QIcon LabelToolGlyph(TDrawingTool Tool);
// A short line in a pen style (a TPenStyle code); the clear pen is an empty frame.
QIcon PenStyleGlyph(uint8_t PenStyle);
// A square filled in a brush style (a TBrushStyle code).
QIcon BrushStyleGlyph(uint8_t BrushStyle);
// The pencil of the pen colour button or the bucket of the brush colour button.
QIcon ColorButtonGlyph(bool Pen);
// A letter in bold, italic or underlined (a TFontStyle bit).
QIcon FontStyleGlyph(uint8_t Style);
