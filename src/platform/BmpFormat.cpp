// BMP file images of TBitmap: the writer stores each depth in its natural BMP form, the
// reader accepts those forms from any writer and checks every field against the bytes
// that are really there before it touches a pixel.
#include "platform/Bitmap.h"

#include <cstring>
#include <limits>

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeader = 40;
// Larger pictures than this are refused rather than allocated (256 MB at 32 bits).
constexpr int64_t kMaxPixels = int64_t(1) << 26;

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}
uint32_t get16(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8);
}
uint32_t get32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

int fileBits(TPixelFormat f) {
    return f == pf15bit ? 16 : PixelFormatBits(f);
}

size_t rowStride(int width, int bits) {
    return ((size_t(width) * size_t(bits) + 31) / 32) * 4;
}

bool fail(std::string* errorText, const char* what) {
    if (errorText) *errorText = std::string("Invalid bitmap image: ") + what;
    return false;
}

} // namespace

std::vector<uint8_t> TBitmap::SaveToBmpBytes() const {
    std::lock_guard lock(mutex_);
    const int bits = fileBits(format_);
    const size_t stride = rowStride(width_, bits);
    const uint32_t paletteCount = format_ == pf4bit ? 16 : format_ == pf8bit ? 256 : 0;
    const uint32_t maskBytes = format_ == pf16bit ? 12 : 0;
    const uint32_t offBits = uint32_t(kFileHeader + kInfoHeader + maskBytes + 4 * paletteCount);
    const uint32_t imageSize = uint32_t(stride * size_t(height_));

    std::vector<uint8_t> out;
    out.reserve(offBits + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, offBits + imageSize);
    put32(out, 0);
    put32(out, offBits);
    put32(out, uint32_t(kInfoHeader));
    put32(out, uint32_t(width_));
    put32(out, uint32_t(height_)); // positive: bottom-up rows
    put16(out, 1);
    put16(out, uint32_t(bits));
    put32(out, format_ == pf16bit ? kBiBitfields : kBiRgb);
    put32(out, imageSize);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    if (format_ == pf16bit) {
        put32(out, 0xF800);
        put32(out, 0x07E0);
        put32(out, 0x001F);
    }
    const TColor* palette = !ownPalette_.empty() ? ownPalette_.data()
                            : format_ == pf4bit  ? Palette16().data()
                                                 : Palette256().data();
    for (uint32_t i = 0; i < paletteCount; ++i) {
        out.push_back(uint8_t(GetBValue(palette[i])));
        out.push_back(uint8_t(GetGValue(palette[i])));
        out.push_back(uint8_t(GetRValue(palette[i])));
        out.push_back(0);
    }

    const TPixelCodec codec(format_);
    // Pixels of depths 4 and 8 hold palette colours; the index of the last one is kept,
    // since neighbouring pixels mostly repeat it.
    uint32_t lastRaw = 0;
    int lastIndex = -1;
    auto indexOf = [&](uint32_t raw) {
        if (lastIndex < 0 || raw != lastRaw) {
            TColor c = codec.Decode(raw);
            lastIndex = paletteIndex(c);
            lastRaw = raw;
        }
        return lastIndex;
    };
    const size_t start = out.size();
    out.resize(start + imageSize, 0);
    for (int y = 0; y < height_; ++y) {
        const uint8_t* s = image_.constScanLine(y);
        uint8_t* d = out.data() + start + size_t(height_ - 1 - y) * stride;
        for (int x = 0; x < width_; ++x) {
            const uint32_t raw = codec.Read(s, x);
            switch (format_) {
            case pf4bit:
                d[x / 2] |= uint8_t((x & 1) ? indexOf(raw) : indexOf(raw) << 4);
                break;
            case pf8bit:
                d[x] = uint8_t(indexOf(raw));
                break;
            case pf15bit:
            case pf16bit:
                d[2 * x] = uint8_t(raw);
                d[2 * x + 1] = uint8_t(raw >> 8);
                break;
            case pf24bit: // the row holds R, G, B; the file B, G, R
                d[3 * x] = uint8_t(raw >> 16);
                d[3 * x + 1] = uint8_t(raw >> 8);
                d[3 * x + 2] = uint8_t(raw);
                break;
            case pf32bit:
                d[4 * x] = uint8_t(raw);
                d[4 * x + 1] = uint8_t(raw >> 8);
                d[4 * x + 2] = uint8_t(raw >> 16);
                d[4 * x + 3] = 0;
                break;
            }
        }
    }
    return out;
}

bool TBitmap::LoadFromBmpBytes(const uint8_t* data, size_t size, std::string* errorText) {
    if (!data || size < kFileHeader + 4) return fail(errorText, "too short");
    if (data[0] != 'B' || data[1] != 'M') return fail(errorText, "no BMP signature");
    const uint32_t offBits = get32(data + 10);
    const uint32_t infoSize = get32(data + 14);
    if (infoSize == 12) return fail(errorText, "unsupported header");
    if (infoSize < kInfoHeader || infoSize > size - kFileHeader) return fail(errorText, "bad header size");
    const uint8_t* info = data + kFileHeader;
    const int32_t width = int32_t(get32(info + 4));
    const int32_t rawHeight = int32_t(get32(info + 8));
    const uint32_t planes = get16(info + 12);
    const uint32_t bits = get16(info + 14);
    const uint32_t compression = get32(info + 16);
    const uint32_t clrUsed = get32(info + 32);
    if (planes != 1) return fail(errorText, "bad plane count");
    // The size is checked before anything is allocated or looped over: at least one pixel
    // each way, a height with a magnitude, and no more pixels than we take.
    if (width < 1 || rawHeight == 0 || rawHeight == std::numeric_limits<int32_t>::min())
        return fail(errorText, "bad size");
    const bool topDown = rawHeight < 0;
    const int32_t height = topDown ? -rawHeight : rawHeight;
    if (int64_t(width) * int64_t(height) > kMaxPixels) return fail(errorText, "picture too large");

    size_t pos = kFileHeader + infoSize;
    TPixelFormat format;
    uint32_t masks[3] = {0, 0, 0};
    if (compression == kBiBitfields) {
        if (bits != 16 && bits != 32) return fail(errorText, "bit-field masks at this depth");
        const uint8_t* m;
        if (infoSize >= kInfoHeader + 12) {
            m = info + kInfoHeader;
        } else {
            if (size - pos < 12) return fail(errorText, "truncated masks");
            m = data + pos;
            pos += 12;
        }
        for (int i = 0; i < 3; ++i)
            masks[i] = get32(m + 4 * i);
    } else if (compression != kBiRgb) {
        return fail(errorText, "compressed image");
    }
    switch (bits) {
    case 4:
        format = pf4bit;
        break;
    case 8:
        format = pf8bit;
        break;
    case 16:
        if (compression == kBiRgb || (masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F))
            format = pf15bit;
        else if (masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F)
            format = pf16bit;
        else
            return fail(errorText, "unsupported 16-bit masks");
        break;
    case 24:
        format = pf24bit;
        break;
    case 32:
        if (compression == kBiBitfields && !(masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF))
            return fail(errorText, "unsupported 32-bit masks");
        format = pf32bit;
        break;
    default:
        return fail(errorText, "unsupported depth");
    }

    std::vector<TColor> palette;
    if (bits <= 8) {
        const uint32_t full = 1u << bits;
        const uint32_t count = clrUsed == 0 ? full : clrUsed;
        if (count > full) return fail(errorText, "bad palette size");
        if ((size - pos) / 4 < count) return fail(errorText, "truncated palette");
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* q = data + pos + 4 * i;
            palette.push_back(RGBColor(q[2], q[1], q[0]));
        }
        pos += 4 * size_t(count);
        palette.resize(full, clBlack); // indices past the stored entries read as black
    }

    const size_t stride = rowStride(width, int(bits));
    const size_t imageBytes = stride * size_t(height); // at most about 4 * kMaxPixels
    if (offBits != 0) {
        if (offBits < pos || offBits > size) return fail(errorText, "bad pixel offset");
        pos = offBits;
    }
    if (size - pos < imageBytes) return fail(errorText, "truncated pixels");

    // Depths 4 and 8 keep the picture's own palette and colours: the fixed palettes are for
    // what the program draws, not for pictures it was given.
    QImage next(width, height,
                format == pf15bit   ? QImage::Format_RGB555
                : format == pf16bit ? QImage::Format_RGB16
                : format == pf24bit ? QImage::Format_RGB888
                                    : QImage::Format_RGB32);
    if (next.isNull()) return fail(errorText, "out of memory");
    const TPixelCodec codec(format), exact(pf32bit);
    std::vector<uint32_t> paletteRaw;
    for (TColor c : palette)
        paletteRaw.push_back(exact.Encode(c));
    for (int y = 0; y < height; ++y) {
        const uint8_t* s = data + pos + size_t(topDown ? y : height - 1 - y) * stride;
        uint8_t* d = next.scanLine(y);
        for (int x = 0; x < width; ++x) {
            uint32_t raw;
            switch (bits) {
            case 4:
                raw = paletteRaw[(x & 1) ? (s[x / 2] & 0x0F) : (s[x / 2] >> 4)];
                break;
            case 8:
                raw = paletteRaw[s[x]];
                break;
            case 16:
                raw = get16(s + 2 * x) & (format == pf15bit ? 0x7FFFu : 0xFFFFu);
                break;
            case 24:
                raw = uint32_t(s[3 * x + 2]) | (uint32_t(s[3 * x + 1]) << 8) | (uint32_t(s[3 * x]) << 16);
                break;
            default:
                raw = 0xFF000000u | (get32(s + 4 * x) & 0xFFFFFF);
                break;
            }
            codec.Write(d, x, raw);
        }
    }

    std::lock_guard lock(mutex_);
    image_ = std::move(next);
    width_ = width;
    height_ = height;
    format_ = format;
    ownPalette_ = std::move(palette);
    return true;
}
