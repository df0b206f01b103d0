#pragma once
// What the picture of a graph window becomes when it leaves the program: a region of it as
// a bitmap of its own, a BMP or JPEG file, a printed page. Kept apart from the picture
// control so that it runs without a window.

#include "platform/Bitmap.h"
#include "platform/Geometry.h"

#include <memory>
#include <string>

class QPrinter;

// The region between two corners on Picture (in any order; clamped to the picture), both
// edges included: a bitmap of the picture's depth, |C1.X - C2.X| + 1 by |C1.Y - C2.Y| + 1
// pixels, every one of them copied from the picture. Throws std::bad_alloc.
std::unique_ptr<TBitmap> MakeRegionBitmap(TBitmap& Picture, TPoint C1, TPoint C2);

// The printed size of a Width x Height picture at ScalePercent: round((Width - 1) x
// ScalePercent / 100) by round((Height - 1) x ScalePercent / 100), halves to even.
TSize PrintStretchSize(int Width, int Height, int ScalePercent);

// Writes Picture as a BMP file at its own depth, or as a JPEG file (quality 100,
// progressive, 24 bits). On failure ErrorText names the file and the reason; the target is
// never left half written, and an old file there stays as it was.
bool WritePictureFile(const TBitmap& Picture, const std::string& FileName, bool AsBitmap,
                      std::string& ErrorText);

// One page with Picture at (0, 0) in the printer's own pixels: pixel for pixel at exactly
// 100 %, otherwise stretched to PrintStretchSize. False when the page could not be begun.
bool PrintPicture(QPrinter& Printer, TBitmap& Picture, int ScalePercent);
