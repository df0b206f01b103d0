#pragma once
// What the graph model, the hand-over buffers and the workers share: the whole-bitmap
// copies of every hand-over, the size rule of the graph bitmaps, the one way a worker
// turns a failure into its message, and the room every tick label keeps from its mark.

#include "platform/Bitmap.h" // CopyBitmap, the hand-over between model, buffers and picture
#include "platform/Geometry.h"

#include <string>

// Copies a finished labelled bitmap onto the picture control's own picture bitmap at
// (0, 0): Bitmap is locked first, then the picture. The picture keeps its size; the
// control repaints itself afterwards.
void CopyBitmapToImage(TBitmap& ImagePicture, TBitmap& Bitmap);

// Graph bitmaps are 16 to 2000 pixels each way. Fails with "Bitmap width to large",
// "Bitmap height to large", "Bitmap width to small" or "Bitmap height to small", tested in
// that order.
void CheckGraphBitmapSize(int Width, int Height);

// Inside a catch block of a worker: the fixed message of the exception being handled
// ("Floating point over flow error" ... "Unknown error"). The exception's own text, with
// file and line for a failed assertion, goes to the program's log (Qt's warning channel),
// since the user only ever sees the fixed message.
std::string CurrentDrawingErrorText(const char* WorkerName);

// Blank pixels between a tick label's ink and every pixel of its tick mark or dash: a mark
// that touches a number reads as its minus sign.
inline constexpr int TickLabelClearance = 2;

// The top-left corner for a tick label: Corner, moved whole pixels in the direction Away
// (-1, 0 or 1 along each axis) until the label's ink (Ink, relative to the corner) keeps
// TickLabelClearance blank pixels from Mark, the box of the mark's pixels. A corner that
// already keeps them, or a label without ink, stays where it is.
TPoint ClearOfMark(TPoint Corner, const TRect& Ink, const TRect& Mark, TPoint Away);
