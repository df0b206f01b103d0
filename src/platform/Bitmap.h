#pragma once
// Device-independent bitmaps at the six colour depths the graphs use.
//
// A TBitmap keeps its colour-depth code (2..7 for 4, 8, 15, 16, 24 and 32 bits per pixel)
// and its pixels in a QImage:
//   pf4bit, pf8bit  RGB32, every colour drawn snapped to the fixed 16- or 256-colour
//                   palette before it is stored (indexed only inside a BMP file); a
//                   picture read from a BMP file keeps its own palette and colours
//   pf15bit         RGB555        pf16bit  RGB16 (5-6-5)
//   pf24bit         RGB888        pf32bit  RGB32
// Pixels are read as 0x00BBGGRR colours through one routine (TPixelCodec::Decode): the
// low bits of 15- and 16-bit channels read as zero, the way the pictures were stored.
//
// Locking: every bitmap has a re-entrant lock that stands for the canvas lock. The
// bitmap's and the canvas's own operations take it themselves; a caller that touches raw
// rows, or that must keep several operations together (a worker drawing a whole graph),
// holds it for that span: std::lock_guard lock(bitmap), or Canvas().Lock()/Unlock().
// A worker that already holds it may take it again.

#include "platform/Colors.h"
#include "platform/Geometry.h"

#include <QImage>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TCanvas;

// The colour-depth code: the values are those stored and passed around as "pixel format".
enum TPixelFormat : uint8_t { pf4bit = 2, pf8bit = 3, pf15bit = 4, pf16bit = 5, pf24bit = 6, pf32bit = 7 };

inline constexpr bool IsValidPixelFormat(int code) {
    return code >= pf4bit && code <= pf32bit;
}
// Bits per pixel of a depth code: 4, 8, 15, 16, 24 or 32.
int PixelFormatBits(TPixelFormat format);

// The fixed palettes of depths 4 and 8. The 16 colours are the classic VGA set; the 256
// colours are those 16, a 6 x 6 x 6 colour cube and 24 greys.
const std::array<TColor, 16>& Palette16();
const std::array<TColor, 256>& Palette256();
// Index of the nearest palette colour (least squared RGB distance, lowest index on ties).
int NearestPaletteIndex16(TColor color);
int NearestPaletteIndex256(TColor color);

// How one depth stores a colour in a row. `Encode` gives the raw value written into a row
// (snapped to the palette at depths 4 and 8, low bits dropped at 15 and 16 bits);
// `Decode` is the one pixel-to-colour routine. Renderers encode a colour once and write
// raw values straight into ScanLine rows with `Write`.
struct TPixelCodec {
    TPixelFormat Format = pf24bit;
    int BytesPerPixel = 3; // 4 at depths 4, 8 and 32; 2 at 15 and 16; 3 at 24

    explicit TPixelCodec(TPixelFormat format = pf24bit);

    uint32_t Encode(TColor color) const; // color: a plain 0x00BBGGRR value (see ColorToRGB)
    TColor Decode(uint32_t raw) const;

    uint32_t Read(const uint8_t* row, int x) const {
        const uint8_t* p = row + x * BytesPerPixel;
        switch (BytesPerPixel) {
        case 2:
            return uint32_t(p[0]) | (uint32_t(p[1]) << 8);
        case 3:
            return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
        default:
            return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
        }
    }
    void Write(uint8_t* row, int x, uint32_t raw) const {
        uint8_t* p = row + x * BytesPerPixel;
        p[0] = uint8_t(raw);
        p[1] = uint8_t(raw >> 8);
        if (BytesPerPixel >= 3) p[2] = uint8_t(raw >> 16);
        if (BytesPerPixel == 4) p[3] = uint8_t(raw >> 24);
    }
    TColor ReadColor(const uint8_t* row, int x) const { return Decode(Read(row, x)); }
};

// Pixel() of a point outside the bitmap (the device's CLR_INVALID).
inline constexpr TColor clInvalidPixel = 0xFFFFFFFF;

class TBitmap {
public:
    // An empty (0 x 0) 24-bit bitmap.
    TBitmap();
    // A bitmap filled white. Throws EAssertionFailed for a depth outside 2..7 and
    // std::bad_alloc when the pixels cannot be had.
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const;
    int Height() const;
    TPixelFormat PixelFormat() const;
    TPixelCodec Codec() const { return TPixelCodec(PixelFormat()); }

    // Resizing keeps the pixels of the overlapping top-left part and fills new space
    // white; negative sizes count as 0. Changing the depth converts every pixel (through
    // Decode and Encode, so 4 and 8 bits snap to their palette).
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);
    void SetPixelFormat(TPixelFormat format);
    // A new size and depth whose pixels are left as the memory holds them, for a caller
    // that writes every row itself: the memory of a large bitmap becomes resident only as
    // its rows are written. Throws std::bad_alloc when the pixels cannot be had.
    void SetSizeUnfilled(int width, int height, TPixelFormat format);

    // Exchanges size, depth and pixels with Other (both locked) without copying a pixel.
    void Swap(TBitmap& other);

    // Makes this bitmap an independent copy of Source (size, depth and pixels).
    void Assign(const TBitmap& source);

    // Raw rows (top row 0) in the layout of TPixelCodec; nullptr outside 0..Height-1.
    // Hold the lock while using them.
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;
    int BytesPerLine() const;

    // The pixel as 0x00BBGGRR, or clInvalidPixel outside the bitmap.
    TColor Pixel(int x, int y) const;
    // Stores a colour (system colours resolved); points outside are ignored.
    void SetPixel(int x, int y, TColor color);
    // Fills the whole bitmap with one colour.
    void Fill(TColor color);

    // The drawing surface of this bitmap, with its pen, brush and font.
    TCanvas& Canvas();

    // BMP file image (BITMAPFILEHEADER, BITMAPINFOHEADER, masks for 16 bits, palette for
    // 4 and 8 bits, bottom-up rows). Loading accepts 4, 8, 16, 24 and 32 bits, bottom-up
    // and top-down, uncompressed or with the standard bit-field masks; anything else, or
    // a truncated or inconsistent image, returns false and leaves the bitmap as it was.
    // The header is checked before anything is allocated: at least 1 x 1 pixels, at most
    // 2^26, and every pixel byte it promises present. A 4- or 8-bit image keeps its own
    // palette, which a later save writes again.
    std::vector<uint8_t> SaveToBmpBytes() const;
    bool LoadFromBmpBytes(const uint8_t* data, size_t size, std::string* errorText = nullptr);
    bool LoadFromBmpBytes(const std::vector<uint8_t>& data, std::string* errorText = nullptr) {
        return LoadFromBmpBytes(data.data(), data.size(), errorText);
    }
    // Whole files; the writer replaces the target only after the whole image was written.
    bool SaveToFile(const std::string& fileName, std::string* errorText = nullptr) const;
    bool LoadFromFile(const std::string& fileName, std::string* errorText = nullptr);

    // A deep copy for the clipboard, printing and the screen (RGB32 for depths 4 and 8).
    QImage ToQImage() const;
    // The image itself, for painting it on the GUI thread under the lock. Do not keep a
    // copy of it: the next drawing would then have to duplicate the whole picture.
    const QImage& Image() const { return image_; }

    // The re-entrant lock (BasicLockable, for std::lock_guard and std::scoped_lock).
    void lock() const { mutex_.lock(); }
    void unlock() const { mutex_.unlock(); }
    bool try_lock() const { return mutex_.try_lock(); }

private:
    friend class TCanvas;
    friend void CopyBitmap(TBitmap& dest, TBitmap& source);

    void reshape(int width, int height, TPixelFormat format);
    // The index of the palette entry a BMP file gets for a colour of depth 4 or 8.
    int paletteIndex(TColor color) const;

    QImage image_;
    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = pf24bit;
    // The palette of a 4- or 8-bit picture read from a file, all 16 or 256 entries; empty
    // for the fixed palette.
    std::vector<TColor> ownPalette_;
    mutable std::recursive_mutex mutex_;
    std::unique_ptr<TCanvas> canvas_;
};

// The one whole-bitmap hand-over: locks Source, then Dest (both re-entrant), and draws
// the whole of Source onto Dest at (0, 0) unchanged, without transparency or stretching;
// Dest keeps its own size and depth. When size and depth match, Dest's memory is reused
// and the copy is one block transfer. Both locks are released, in the same order, also
// when the copy fails.
void CopyBitmap(TBitmap& dest, TBitmap& source);
