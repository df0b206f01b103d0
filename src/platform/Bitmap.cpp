#include "platform/Bitmap.h"

#include "platform/Canvas.h"
#include "platform/Errors.h"
#include "platform/Files.h"

#include <QByteArray>

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace {

constexpr std::array<TColor, 16> kPalette16 = {
    clBlack, clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clSilver,
    clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite,
};

constexpr int kCubeStep = 0x33; // cube levels 00 33 66 99 CC FF
constexpr int kCubeBase = 16;
constexpr int kGreyBase = kCubeBase + 216;

constexpr std::array<TColor, 256> makePalette256() {
    std::array<TColor, 256> p{};
    for (int i = 0; i < 16; ++i)
        p[i] = kPalette16[i];
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p[kCubeBase + 36 * r + 6 * g + b] =
                    RGBColor(unsigned(r * kCubeStep), unsigned(g * kCubeStep), unsigned(b * kCubeStep));
    for (int i = 0; i < 24; ++i) {
        unsigned v = unsigned(8 + 10 * i);
        p[kGreyBase + i] = RGBColor(v, v, v);
    }
    return p;
}
constexpr std::array<TColor, 256> kPalette256 = makePalette256();

inline int distance2(TColor a, TColor b) {
    int dr = int(GetRValue(a)) - int(GetRValue(b));
    int dg = int(GetGValue(a)) - int(GetGValue(b));
    int db = int(GetBValue(a)) - int(GetBValue(b));
    return dr * dr + dg * dg + db * db;
}

// Moves best and bestD to the nearest of palette[first..last) where it is nearer. Entries
// are visited in index order, so ties keep the lowest index; an exact match ends the search.
void searchNearest(TColor color, const TColor* palette, int first, int last, int& best, int& bestD) {
    for (int i = first; i < last && bestD > 0; ++i) {
        const int d = distance2(color, palette[i]);
        if (d < bestD) best = i, bestD = d;
    }
}

inline uint32_t rgb32(TColor c) {
    return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

QImage::Format qtFormat(TPixelFormat f) {
    switch (f) {
    case pf15bit:
        return QImage::Format_RGB555;
    case pf16bit:
        return QImage::Format_RGB16;
    case pf24bit:
        return QImage::Format_RGB888;
    default:
        return QImage::Format_RGB32;
    }
}

// A large picture's pixels are mapped from the system on their own, starting on a huge
// page and taken in huge pages where the system has them. Its memory still becomes
// resident only as it is written, in steps of a huge page, but at a small part of the cost
// of a page at a time; and it is given back whole when the picture goes, without leaving
// holes in the heap.
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kMappedFrom = 2 * kHugePage;

struct TMappedPixels {
    void* base;
    size_t size;
};

void unmapPixels(void* info) {
    const std::unique_ptr<TMappedPixels> mapping(static_cast<TMappedPixels*>(info));
    munmap(mapping->base, mapping->size);
}

// An image whose pixels are left as the memory holds them.
QImage unfilledImage(int width, int height, QImage::Format format) {
    const size_t bytesPerLine =
        (size_t(width) * size_t(QImage::toPixelFormat(format).bitsPerPixel()) + 31) / 32 * 4;
    const size_t bytes = bytesPerLine * size_t(height);
    if (bytes < kMappedFrom) return QImage(width, height, format);
    const size_t used = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    auto mapping = std::make_unique<TMappedPixels>();
    mapping->size = used + kHugePage; // room to start on a huge page
    mapping->base = mmap(nullptr, mapping->size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping->base == MAP_FAILED) return QImage();
    auto* pixels = reinterpret_cast<uchar*>((reinterpret_cast<uintptr_t>(mapping->base) + kHugePage - 1) &
                                            ~uintptr_t(kHugePage - 1));
#ifdef MADV_HUGEPAGE
    madvise(pixels, used, MADV_HUGEPAGE);
#endif
    QImage image(pixels, width, height, qsizetype(bytesPerLine), format, unmapPixels, mapping.get());
    if (image.isNull()) {
        munmap(mapping->base, mapping->size);
        return QImage();
    }
    mapping.release(); // the image's last copy unmaps it
    return image;
}

void checkFormat(int code) {
    if (!IsValidPixelFormat(code)) QX_FAIL("Invalid pixel format in TBitmap.SetPixelFormat");
}

} // namespace

int PixelFormatBits(TPixelFormat format) {
    switch (format) {
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
        return 15;
    case pf16bit:
        return 16;
    case pf24bit:
        return 24;
    case pf32bit:
        return 32;
    }
    return 0;
}

const std::array<TColor, 16>& Palette16() {
    return kPalette16;
}
const std::array<TColor, 256>& Palette256() {
    return kPalette256;
}

int NearestPaletteIndex16(TColor color) {
    color &= 0xFFFFFF;
    int best = 0, bestD = distance2(color, kPalette16[0]);
    searchNearest(color, kPalette16.data(), 1, 16, best, bestD);
    return best;
}

int NearestPaletteIndex256(TColor color) {
    color &= 0xFFFFFF;
    // The cube's nearest entry follows per channel (its levels are evenly spaced by an odd
    // step, so no channel value lies half-way); only the other 40 entries need a search.
    int best = 0, bestD = distance2(color, kPalette256[0]);
    searchNearest(color, kPalette256.data(), 1, 16, best, bestD);
    auto level = [](unsigned v) { return int((v + kCubeStep / 2) / kCubeStep); };
    int cube =
        kCubeBase + 36 * level(GetRValue(color)) + 6 * level(GetGValue(color)) + level(GetBValue(color));
    if (int d = distance2(color, kPalette256[cube]); d < bestD) best = cube, bestD = d;
    searchNearest(color, kPalette256.data(), kGreyBase, 256, best, bestD);
    return best;
}

TPixelCodec::TPixelCodec(TPixelFormat format) : Format(format) {
    switch (format) {
    case pf15bit:
    case pf16bit:
        BytesPerPixel = 2;
        break;
    case pf24bit:
        BytesPerPixel = 3;
        break;
    default:
        BytesPerPixel = 4;
        break;
    }
}

uint32_t TPixelCodec::Encode(TColor color) const {
    unsigned r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    switch (Format) {
    case pf4bit:
        return rgb32(kPalette16[NearestPaletteIndex16(color)]);
    case pf8bit:
        return rgb32(kPalette256[NearestPaletteIndex256(color)]);
    case pf15bit:
        return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    case pf16bit:
        return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    case pf24bit:
        return r | (g << 8) | (b << 16); // bytes R, G, B in the row
    case pf32bit:
        return rgb32(color);
    }
    return 0;
}

TColor TPixelCodec::Decode(uint32_t raw) const {
    switch (Format) {
    case pf15bit:
        return RGBColor(((raw >> 10) & 31) << 3, ((raw >> 5) & 31) << 3, (raw & 31) << 3);
    case pf16bit:
        return RGBColor(((raw >> 11) & 31) << 3, ((raw >> 5) & 63) << 2, (raw & 31) << 3);
    case pf24bit:
        return raw & 0xFFFFFF;
    default:
        return RGBColor((raw >> 16) & 0xFF, (raw >> 8) & 0xFF, raw & 0xFF);
    }
}

// ---------------------------------------------------------------------------------------

TBitmap::TBitmap() : canvas_(std::make_unique<TCanvas>(*this)) {}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : TBitmap() {
    checkFormat(format);
    reshape(width, height, format);
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
    std::lock_guard lock(mutex_);
    return width_;
}

int TBitmap::Height() const {
    std::lock_guard lock(mutex_);
    return height_;
}

TPixelFormat TBitmap::PixelFormat() const {
    std::lock_guard lock(mutex_);
    return format_;
}

void TBitmap::SetWidth(int width) {
    std::lock_guard lock(mutex_);
    reshape(width, height_, format_);
}

void TBitmap::SetHeight(int height) {
    std::lock_guard lock(mutex_);
    reshape(width_, height, format_);
}

void TBitmap::SetSize(int width, int height) {
    std::lock_guard lock(mutex_);
    reshape(width, height, format_);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    checkFormat(format);
    std::lock_guard lock(mutex_);
    reshape(width_, height_, format);
}

void TBitmap::SetSizeUnfilled(int width, int height, TPixelFormat format) {
    checkFormat(format);
    width = std::max(width, 0);
    height = std::max(height, 0);
    QImage next;
    if (width > 0 && height > 0) {
        next = unfilledImage(width, height, qtFormat(format));
        if (next.isNull()) throw std::bad_alloc();
    }
    std::lock_guard lock(mutex_);
    image_ = std::move(next);
    width_ = width;
    height_ = height;
    format_ = format;
    ownPalette_.clear();
}

void TBitmap::Swap(TBitmap& other) {
    if (&other == this) return;
    std::scoped_lock lock(mutex_, other.mutex_);
    image_.swap(other.image_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    std::swap(format_, other.format_);
    ownPalette_.swap(other.ownPalette_);
}

void TBitmap::reshape(int width, int height, TPixelFormat format) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_ && format == format_) return;
    QImage next;
    if (width > 0 && height > 0) {
        next = QImage(width, height, qtFormat(format));
        if (next.isNull()) throw std::bad_alloc();
    }
    TPixelCodec to(format), from(format_);
    const uint32_t white = to.Encode(clWhite);
    const int keepW = std::min(width, width_), keepH = std::min(height, height_);
    for (int y = 0; y < height; ++y) {
        uint8_t* d = next.scanLine(y);
        int x = 0;
        if (y < keepH && keepW > 0) {
            const uint8_t* s = image_.constScanLine(y);
            if (format == format_) {
                std::memcpy(d, s, size_t(keepW) * to.BytesPerPixel);
            } else {
                for (; x < keepW; ++x)
                    to.Write(d, x, to.Encode(from.ReadColor(s, x)));
            }
            x = keepW;
        }
        for (; x < width; ++x)
            to.Write(d, x, white);
    }
    image_ = std::move(next);
    width_ = width;
    height_ = height;
    if (format != format_) ownPalette_.clear();
    format_ = format;
}

int TBitmap::paletteIndex(TColor color) const {
    if (ownPalette_.empty())
        return format_ == pf4bit ? NearestPaletteIndex16(color) : NearestPaletteIndex256(color);
    int best = 0, bestD = distance2(color & 0xFFFFFF, ownPalette_[0]);
    searchNearest(color & 0xFFFFFF, ownPalette_.data(), 1, int(ownPalette_.size()), best, bestD);
    return best;
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this) return;
    std::scoped_lock lock(source.mutex_, mutex_);
    QImage copy;
    if (!source.image_.isNull()) {
        copy = source.image_.copy();
        if (copy.isNull()) throw std::bad_alloc();
    }
    image_ = std::move(copy);
    width_ = source.width_;
    height_ = source.height_;
    format_ = source.format_;
    ownPalette_ = source.ownPalette_;
}

uint8_t* TBitmap::ScanLine(int y) {
    std::lock_guard lock(mutex_);
    return y >= 0 && y < height_ ? image_.scanLine(y) : nullptr;
}

const uint8_t* TBitmap::ScanLine(int y) const {
    std::lock_guard lock(mutex_);
    return y >= 0 && y < height_ ? image_.constScanLine(y) : nullptr;
}

int TBitmap::BytesPerLine() const {
    std::lock_guard lock(mutex_);
    return width_ > 0 && height_ > 0 ? int(image_.bytesPerLine()) : 0;
}

TColor TBitmap::Pixel(int x, int y) const {
    std::lock_guard lock(mutex_);
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clInvalidPixel;
    return TPixelCodec(format_).ReadColor(image_.constScanLine(y), x);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    std::lock_guard lock(mutex_);
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    TPixelCodec codec(format_);
    codec.Write(image_.scanLine(y), x, codec.Encode(ColorToRGB(color)));
}

void TBitmap::Fill(TColor color) {
    std::lock_guard lock(mutex_);
    if (width_ == 0 || height_ == 0) return;
    TPixelCodec codec(format_);
    const uint32_t raw = codec.Encode(ColorToRGB(color));
    uint8_t* first = image_.scanLine(0);
    for (int x = 0; x < width_; ++x)
        codec.Write(first, x, raw);
    const size_t rowBytes = size_t(width_) * codec.BytesPerPixel;
    for (int y = 1; y < height_; ++y)
        std::memcpy(image_.scanLine(y), first, rowBytes);
}

TCanvas& TBitmap::Canvas() {
    return *canvas_;
}

QImage TBitmap::ToQImage() const {
    std::lock_guard lock(mutex_);
    return image_.copy();
}

bool TBitmap::SaveToFile(const std::string& fileName, std::string* errorText) const {
    const std::vector<uint8_t> bytes = SaveToBmpBytes();
    return WriteFileBytes(fileName, bytes.data(), bytes.size(), errorText);
}

bool TBitmap::LoadFromFile(const std::string& fileName, std::string* errorText) {
    QByteArray bytes;
    if (!ReadFileBytes(fileName, bytes, errorText)) return false;
    return LoadFromBmpBytes(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()),
                            errorText);
}

void CopyBitmap(TBitmap& dest, TBitmap& source) {
    if (&dest == &source) return;
    source.mutex_.lock();
    try {
        dest.mutex_.lock();
    } catch (...) {
        source.mutex_.unlock();
        throw;
    }
    auto unlockBoth = [&] {
        source.mutex_.unlock();
        dest.mutex_.unlock();
    };
    try {
        if (dest.width_ == source.width_ && dest.height_ == source.height_ &&
            dest.format_ == source.format_) {
            if (dest.width_ > 0 && dest.height_ > 0) {
                const qsizetype bytes = source.image_.sizeInBytes();
                if (dest.image_.bytesPerLine() == source.image_.bytesPerLine() &&
                    dest.image_.sizeInBytes() == bytes) {
                    std::memcpy(dest.image_.bits(), source.image_.constBits(), size_t(bytes));
                } else {
                    const size_t rowBytes = size_t(source.width_) * TPixelCodec(source.format_).BytesPerPixel;
                    for (int y = 0; y < source.height_; ++y)
                        std::memcpy(dest.image_.scanLine(y), source.image_.constScanLine(y), rowBytes);
                }
            }
        } else {
            dest.canvas_->Draw(0, 0, source);
        }
    } catch (...) {
        unlockBoth();
        throw;
    }
    unlockBoth();
}
