#pragma once
// Bitmap helpers shared by the canvas, bitmap and label tests.

#include "platform/Bitmap.h"
#include "platform/Geometry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace bitmaptest {

inline constexpr std::array<TPixelFormat, 6> AllDepths = {pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

// The stored bytes of every row (without row padding).
inline std::vector<uint8_t> Snapshot(const TBitmap& bitmap) {
    std::vector<uint8_t> bytes;
    const std::size_t rowBytes = std::size_t(bitmap.Width()) * std::size_t(bitmap.Codec().BytesPerPixel);
    bytes.reserve(rowBytes * std::size_t(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        bytes.insert(bytes.end(), row, row + rowBytes);
    }
    return bytes;
}

// Pixels whose colour differs between two bitmaps of one size.
inline std::vector<TPoint> ChangedPixels(const TBitmap& a, const TBitmap& b) {
    std::vector<TPoint> out;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) out.push_back({x, y});
    return out;
}

} // namespace bitmaptest
