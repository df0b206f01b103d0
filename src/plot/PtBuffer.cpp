#include "plot/PtBuffer.h"

#include "platform/Errors.h"

#include <mutex>

namespace {
bool sameSize(const TBitmap& a, const TBitmap& b) {
    return a.Width() == b.Width() && a.Height() == b.Height();
}
} // namespace

void TSafeBmpBuffer::SetColorDepth(int PixelFormat) {
    QX_ASSERT(IsValidPixelFormat(PixelFormat), "Invalid picture color depth");
    bitmap_.SetPixelFormat(TPixelFormat(PixelFormat));
}

void TSafeBmpBuffer::SetSize(int Width, int Height) {
    bitmap_.SetSize(Width, Height);
}

void TSafeBmpBuffer::SetBitmapAttributes(int ColorDepth, int Width, int Height) {
    SetColorDepth(ColorDepth);
    SetSize(Width, Height);
}

void TSafeBmpBuffer::GetBufferBitmap(TBitmap& Dest) {
    std::lock_guard lock(lock_);
    QX_ASSERT(sameSize(bitmap_, Dest), "Width not equal in procedure TSafeBmpBuffer.GetBufferBitmap");
    CopyBitmap(Dest, bitmap_);
}

void TSafeBmpBuffer::SetBufferBitmap(TBitmap& Source) {
    std::lock_guard lock(lock_);
    QX_ASSERT(sameSize(bitmap_, Source), "Width not equal in procedure TSafeBmpBuffer.SetBufferBitmap");
    CopyBitmap(bitmap_, Source);
}
