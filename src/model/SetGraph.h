#pragma once
// The two objects every graph's controller owns whatever the graph kind: the bitmap
// attributes (size, colour depth, background colour) and the optional background
// picture. Their change flags tell the controller what to apply before the next run.

#include "platform/Colors.h"

#include <cstdint>
#include <memory>

class TBitmap;
class TJPEGImage;
class TReadGraphFile;
class TWriteGraphFile;

// The sizes a graph's bitmap can take, each way.
inline constexpr int32_t MinGraphBitmapSize = 16;
inline constexpr int32_t MaxGraphBitmapSize = 2000;
// The size a file holds for a bitmap size: the nearest one the reader takes.
int32_t FileBitmapSize(int32_t size);

class TSettingBmpAttribsObj {
public:
    bool SizeChanged = false;
    bool PixelFormatChanged = false;
    bool BackColorChanged = false;
    int32_t Width = -1; // -1: not set yet
    int32_t Height = -1;
    uint8_t PixelFormat = 6; // colour depth code 2..7; 6 is 24 bits
    TColor BackColor = clWhite;

    void SetChanged(bool value);
    // Writes an unset or impossible size as the nearest one the reader takes.
    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets every change flag. A width or height the graph bitmap cannot take fails the
    // load. The pixel format is not in the file; the caller sets it after the load.
    void ReadFromFile(TReadGraphFile& reader);
};

// Picture kinds in the file.
enum : int32_t { bpNone = 0, bpBitmap = 1, bpJPEG = 2 };

class TSettingGrBGPictObj {
public:
    TSettingGrBGPictObj();
    ~TSettingGrBGPictObj();
    TSettingGrBGPictObj(const TSettingGrBGPictObj&) = delete;
    TSettingGrBGPictObj& operator=(const TSettingGrBGPictObj&) = delete;

    // At most one of the two is present.
    std::unique_ptr<TBitmap> Bitmap;
    std::unique_ptr<TJPEGImage> JPEG;
    bool PlacementChanged = false;
    bool PictureChanged = false;
    uint8_t Placement = 0; // the graph model's placement code

    void ClearPicture();
    void SetChanged(bool value);
    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets both change flags and drops the picture; only version-4 files hold the section.
    void ReadFromFile(TReadGraphFile& reader);
};
