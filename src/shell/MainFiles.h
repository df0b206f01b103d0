#pragma once
// The rules behind the main window's file commands that need no window: which picture
// format a typed export name asks for, and the pixel format a new graph's picture gets.

#include <cstdint>
#include <string>

enum TPictureFileKind : uint8_t { pkBitmap, pkJpeg, pkUnknown };

struct TPictureFileChoice {
    std::string FileName; // with ".bmp" or ".jpg" added when the typed name had no extension
    TPictureFileKind Kind = pkUnknown;
};

// The export file for a typed Name and the dialog's 1-based FilterIndex (1 bitmap, 2 JPEG).
// A name without extension takes the filter's; ".bmp" is a bitmap, ".jpg" and ".jpeg" are
// JPEG, in any case; anything else is unknown.
TPictureFileChoice ChoosePictureFile(const std::string& Name, int FilterIndex);

// "Unknown file type extension. ..." as the export shows it.
extern const char* const UnknownPictureExtensionMsg;

// The pixel format code of a new graph's picture: the option when it names a format
// (2..7), else the screen's.
uint8_t NewGraphPixelFormat(uint8_t DefaultColorDepth, uint8_t ScreenFormat);
