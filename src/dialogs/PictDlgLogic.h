#pragma once
// The rules of the picture-size and print-scale dialogs, without their windows: which
// colour depth list entry stands for which pixel format, what a closed picture-size
// dialog changes in the bitmap attributes, and what a closed print-scale dialog keeps.

#include "model/SetGraph.h"

#include <cstdint>

// The entries of the colour depth list; entry i stands for pixel format i + 2.
inline constexpr const char* ColorDepthItems[] = {
    "16 Colors (4 Bit)",
    "256 Colors (8 Bit)",
    "32,768 Colors (15 Bit)",
    "65,536 Colors (16 Bit)",
    "True Color (24 Bit) - Same as a JPEG Picture",
    "True Color (32 Bit)",
};
inline constexpr int MinBmpSize = 16;
inline constexpr int MaxBmpSize = 2000;

// The list entry of a pixel format (2..7 give 0..5), -1 for any other.
int ColorDepthIndex(int PixelFormat);

// After OK in the picture-size dialog: the size when it differs (width and height both, with
// the size-changed flag), the pixel format of the chosen entry when it differs (with its
// flag; no entry keeps the format). True when anything changed.
bool ApplyBmpSize(TSettingBmpAttribsObj& Attribs, int Width, int Height, int DepthIndex);

// The stretch of printed pictures in percent (25..500), 100 at start; kept while the
// program runs.
extern int PrintScalePercent;
inline constexpr int MinPrintScale = 25;
inline constexpr int MaxPrintScale = 500;
// The modal result of the Print button.
inline constexpr int mrPrint = 6;

// After the print-scale dialog closed with ModalResult: OK and Print keep Percent; only
// Print answers true (print now).
bool ApplyPrintScale(int ModalResult, int Percent);
