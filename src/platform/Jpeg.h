#pragma once
// JPEG pictures through libjpeg's release-6 interface, with libjpeg-turbo's extended colour
// spaces.
//
// A TJPEGImage holds a JPEG (JFIF) file image as it was loaded or made, so that writing
// it again gives the same bytes. Bitmaps are encoded as 24-bit colour (by default at
// quality 100, progressive, the picture export's settings) and decoded into bitmaps of
// the depth asked for. Bad data never ends the process: libjpeg's fatal errors return
// through the decoder's own error manager, and the first warning about damaged or missing
// data ends the decode in the same way, so a damaged picture is refused rather than shown
// half-grey, and refused before it costs what a good picture of its size would. Warnings
// that change nothing libjpeg decodes (an unknown JFIF revision or Adobe transform code,
// bytes between segments) do not refuse a picture. A good picture is decoded once,
// straight into the bitmap that shows it.

#include "platform/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TJpegOptions {
    int Quality = 100;       // 1..100
    bool Progressive = true; // progressive scans (start-of-frame marker 0xFFC2)
};

// Encodes the whole bitmap (read through its pixel codec) into Out.
bool EncodeJpeg(const TBitmap& bitmap, std::vector<uint8_t>& out, const TJpegOptions& options = {},
                std::string* errorText = nullptr);
// Decodes a JPEG file image into Out as a bitmap of the picture's size at Format; on
// failure Out is left as it was. At 24 and 32 bits libjpeg writes the bitmap's rows
// itself; other depths get the 24-bit pixels converted as CopyBitmap converts them.
bool DecodeJpeg(const uint8_t* data, size_t size, TBitmap& out, TPixelFormat format,
                std::string* errorText = nullptr);
inline bool DecodeJpeg(const uint8_t* data, size_t size, TBitmap& out, std::string* errorText = nullptr) {
    return DecodeJpeg(data, size, out, pf24bit, errorText);
}

class TJPEGImage {
public:
    TJPEGImage() = default;

    // The settings Assign encodes with.
    TJpegOptions Options;
    // The depth a load decodes the picture at: the depth it is to be shown at, so that the
    // first DecodeTo of that depth hands the decoded bitmap over as it is.
    TPixelFormat LoadDepth = pf24bit;

    bool Empty() const { return data_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The JPEG file image.
    const std::vector<uint8_t>& Data() const { return data_; }

    // Takes a file image after decoding it once to check it; a failure leaves the
    // picture as it was. The decoded picture is kept for the next DecodeTo.
    bool LoadFromBytes(const uint8_t* data, size_t size, std::string* errorText = nullptr);
    bool LoadFromBytes(const std::vector<uint8_t>& data, std::string* errorText = nullptr) {
        return LoadFromBytes(data.data(), data.size(), errorText);
    }
    // The same, keeping Data itself rather than a copy of it when it loads.
    bool LoadFromBytes(std::vector<uint8_t>&& data, std::string* errorText = nullptr);
    // Encodes a bitmap with Options.
    bool Assign(const TBitmap& bitmap, std::string* errorText = nullptr);
    // The picture as a bitmap of Format. The first call after a load hands over the bitmap
    // the load decoded when it has that depth, without copying it, so that a picture read
    // from a file and then shown is decoded once; it is not kept twice, and later calls
    // (and a first call of another depth) decode again.
    bool DecodeTo(TBitmap& out, TPixelFormat format, std::string* errorText = nullptr);

    // Whole files; the writer replaces the target only after the whole image was written.
    bool SaveToFile(const std::string& fileName, std::string* errorText = nullptr) const;
    bool LoadFromFile(const std::string& fileName, std::string* errorText = nullptr);

private:
    std::vector<uint8_t> data_;
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<TBitmap> decoded_; // from the last load, until DecodeTo takes it
};
