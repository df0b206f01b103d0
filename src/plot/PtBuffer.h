#pragma once
// The hand-over point between the two workers of a graph window: the graph worker puts
// its finished plot here and the label worker takes it to paint the labels over it, so a
// label edit never recomputes the functions.
//
// Lock order everywhere: a worker's own bitmap, then the buffer's lock, then the buffer's
// bitmap. The size and depth change only on the GUI thread while no worker runs.

#include "platform/Bitmap.h"
#include "platform/Threads.h"

class TSafeBmpBuffer {
public:
    TSafeBmpBuffer() = default;
    TSafeBmpBuffer(const TSafeBmpBuffer&) = delete;
    TSafeBmpBuffer& operator=(const TSafeBmpBuffer&) = delete;

    // Colour-depth code 2..7.
    void SetColorDepth(int PixelFormat);
    void SetSize(int Width, int Height);
    void SetBitmapAttributes(int ColorDepth, int Width, int Height);

    // Copies the buffer into Dest (label worker) or Source into the buffer (graph worker)
    // under the lock. Both bitmaps must have one size: "Width not equal in procedure
    // TSafeBmpBuffer.GetBufferBitmap" ("... SetBufferBitmap") otherwise, for a width and a
    // height mismatch alike. With equal depths the copy reuses the memory it has.
    void GetBufferBitmap(TBitmap& Dest);
    void SetBufferBitmap(TBitmap& Source);

    // For reading on the GUI thread while no worker runs.
    const TBitmap& Bitmap() const { return bitmap_; }

private:
    TBitmap bitmap_;
    TCriticalSection lock_;
};
