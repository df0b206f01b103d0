#include "plot/PtGraph.h"

#include "platform/Canvas.h"
#include "platform/Errors.h"
#include "platform/Jpeg.h"
#include "plot/PtShared.h"

#include <algorithm>
#include <mutex>

namespace {

void checkColorDepth(int ColorDepth) {
    QX_ASSERT(IsValidPixelFormat(ColorDepth), "Invalid picture color depth");
}

bool pieceInside(const TBgPiece& p, int width, int height) {
    return p.FirstRow <= p.LastRow && p.FirstCol <= p.LastCol && p.FirstRow >= 0 && p.LastRow < height &&
           p.FirstCol >= 0 && p.LastCol < width;
}

TBgPiece pieceFrom(int firstRow, int rows, int firstCol, int cols) {
    return {firstRow, firstRow + rows - 1, firstCol, firstCol + cols - 1};
}

// Centre placement along one axis: a larger picture is cropped to its middle, a smaller
// one is centred with the odd pixel on the far side.
void centreAxis(int size, int pictureSize, int& sourceFirst, int& destFirst, int& count) {
    if (size < pictureSize) {
        sourceFirst = (pictureSize - size) / 2;
        destFirst = 0;
        count = size;
    } else {
        sourceFirst = 0;
        destFirst = (size - pictureSize) / 2;
        count = pictureSize;
    }
}

} // namespace

void CheckBackgroundPieces(const TBgPiece& Source, const TBgPiece& Dest, int BW, int BH, int W, int H) {
    QX_ASSERT(pieceInside(Source, BW, BH),
              "Error in Source rect in procedure TPlotGraph.FillGraphBmpBackground");
    QX_ASSERT(pieceInside(Dest, W, H), "Error in Dest rect in procedure TPlotGraph.FillGraphBmpBackground");
    QX_ASSERT(Source.Rows() == Dest.Rows() && Source.Cols() == Dest.Cols(),
              "Error: Dest/Source rect different sizes in procedure TPlotGraph.FillGraphBmpBackground");
}

TPlotGraph::TPlotGraph() : plotBitmap_(std::make_unique<TBitmap>()) {}

TPlotGraph::~TPlotGraph() = default;

void TPlotGraph::SetBitmapAttributes(int ColorDepth, int Width, int Height) {
    checkColorDepth(ColorDepth);
    SetColorDepth(ColorDepth);
    SetGraphSize(Width, Height);
}

void TPlotGraph::SetColorDepth(int ColorDepth) {
    checkColorDepth(ColorDepth);
    backgroundBitmap_.reset();
    std::lock_guard lock(*plotBitmap_);
    plotBitmap_->SetPixelFormat(TPixelFormat(ColorDepth));
    colorDepth_ = TPixelFormat(ColorDepth);
}

void TPlotGraph::SetGraphSize(int Width, int Height) {
    CheckGraphBitmapSize(Width, Height);
    std::lock_guard lock(*plotBitmap_);
    try {
        plotBitmap_->SetWidth(Width);
        plotBitmap_->SetHeight(Height);
    } catch (...) {
        width_ = plotBitmap_->Width();
        height_ = plotBitmap_->Height();
        throw;
    }
    width_ = plotBitmap_->Width();
    height_ = plotBitmap_->Height();
}

// Gives the background bitmap and the plot bitmap the new depth; the caller holds their
// locks.
TBitmap& TPlotGraph::prepareBackgroundBitmap(int ColorDepth) {
    TBitmap& background = *backgroundBitmap_;
    background.SetPixelFormat(TPixelFormat(ColorDepth));
    plotBitmap_->SetPixelFormat(TPixelFormat(ColorDepth));
    colorDepth_ = TPixelFormat(ColorDepth);
    return background;
}

void TPlotGraph::SetBackgroundBitmap(TBitmap* Bitmap, int ColorDepth) {
    QX_ASSERT(Bitmap != nullptr, "Nil pointer in set bitmap background");
    checkColorDepth(ColorDepth);
    if (!backgroundBitmap_) backgroundBitmap_ = std::make_unique<TBitmap>();
    // The plot bitmap first, as a drawing run takes them: one order for every caller.
    std::lock_guard plotLock(*plotBitmap_);
    std::lock_guard backgroundLock(*backgroundBitmap_);
    std::lock_guard sourceLock(*Bitmap);
    TBitmap& background = prepareBackgroundBitmap(ColorDepth);
    background.SetHeight(Bitmap->Height());
    background.SetWidth(Bitmap->Width());
    CopyBitmap(background, *Bitmap);
}

void TPlotGraph::SetBackgroundJPEG(TJPEGImage* JPEG, int ColorDepth) {
    QX_ASSERT(JPEG != nullptr, "Nil pointer in set jpeg background");
    checkColorDepth(ColorDepth);
    // The picture is decoded at the graph's depth and becomes the background as it is: a
    // large picture is neither converted nor held twice. The picture it replaces goes
    // first, so that a change of depth never holds both; should the decode then fail (the
    // picture decoded when it was read, so only for want of memory), the graph is left
    // without a picture, as a change of depth without one leaves it.
    backgroundBitmap_.reset();
    TBitmap decoded;
    std::string decodeError;
    {
        std::lock_guard lock(decoded);
        if (!JPEG->DecodeTo(decoded, TPixelFormat(ColorDepth), &decodeError))
            throw EConvertError("The background picture could not be decoded: " + decodeError);
    }
    std::lock_guard plotLock(*plotBitmap_);
    plotBitmap_->SetPixelFormat(TPixelFormat(ColorDepth));
    colorDepth_ = TPixelFormat(ColorDepth);
    backgroundBitmap_ = std::make_unique<TBitmap>();
    backgroundBitmap_->Swap(decoded);
}

void TPlotGraph::FillGraphBmpBackground() {
    std::lock_guard plotLock(*plotBitmap_);
    std::unique_lock<TBitmap> backgroundLock;
    if (backgroundBitmap_) backgroundLock = std::unique_lock<TBitmap>(*backgroundBitmap_);

    if (IsAborted()) return;
    QX_ASSERT(height_ > 0 && height_ == plotBitmap_->Height(),
              "Invalid Graph Height in procedure TPlotGraph.FillGraphBmpBackground");
    QX_ASSERT(width_ > 0 && width_ == plotBitmap_->Width(),
              "Invalid Graph Width in procedure TPlotGraph.FillGraphBmpBackground");

    TCanvas& canvas = plotBitmap_->Canvas();
    canvas.Pen = TPen{0xFF0000, 1, psSolid, pmCopy};
    canvas.Brush = TBrush{backgroundColor_, bsSolid};
    canvas.FillRect(Rect(0, 0, width_, height_));
    // Text drawn later by the renderers goes on a transparent background.
    canvas.Brush.Style = bsClear;

    if (IsAborted()) return;
    if (backgroundBitmap_) drawBackgroundPicture();
}

void TPlotGraph::drawBackgroundPicture() {
    const int W = width_, H = height_;
    const int BW = backgroundBitmap_->Width(), BH = backgroundBitmap_->Height();
    QX_ASSERT(BH > 0, "Invalid Background Height in procedure TPlotGraph.FillGraphBmpBackground");
    QX_ASSERT(BW > 0, "Invalid Background Width in procedure TPlotGraph.FillGraphBmpBackground");
    const int mH = std::min(H, BH), mW = std::min(W, BW);
    if (IsAborted()) return;

    TBgPiece source, dest;
    switch (placement_) {
    case bgCenter: {
        int sourceRow, destRow, rows, sourceCol, destCol, cols;
        centreAxis(H, BH, sourceRow, destRow, rows);
        centreAxis(W, BW, sourceCol, destCol, cols);
        source = pieceFrom(sourceRow, rows, sourceCol, cols);
        dest = pieceFrom(destRow, rows, destCol, cols);
        break;
    }
    case bgStretch:
        plotBitmap_->Canvas().StretchDraw(Rect(0, 0, W, H), *backgroundBitmap_);
        return;
    case bgTile:
        tileBackgroundPicture(mW, mH);
        return;
    case bgTopLeft:
        source = dest = pieceFrom(0, mH, 0, mW);
        break;
    case bgTopRight:
        source = pieceFrom(0, mH, BW - mW, mW);
        dest = pieceFrom(0, mH, W - mW, mW);
        break;
    case bgBottomLeft:
        source = pieceFrom(BH - mH, mH, 0, mW);
        dest = pieceFrom(H - mH, mH, 0, mW);
        break;
    case bgBottomRight:
        source = pieceFrom(BH - mH, mH, BW - mW, mW);
        dest = pieceFrom(H - mH, mH, W - mW, mW);
        break;
    default:
        return;
    }
    CheckBackgroundPieces(source, dest, BW, BH, W, H);
    copyPiece(source, dest);
}

// Whole pictures from the top-left corner, left to right and top to bottom, cut at the
// right and bottom edges.
void TPlotGraph::tileBackgroundPicture(int mW, int mH) {
    const int W = width_, H = height_;
    const int BW = backgroundBitmap_->Width(), BH = backgroundBitmap_->Height();
    TBgPiece dest = pieceFrom(0, mH, 0, mW);
    TBgPiece source = dest;
    CheckBackgroundPieces(source, dest, BW, BH, W, H);
    for (;;) {
        if (!copyPiece(source, dest)) return;
        while (dest.LastCol < W - 1) {
            dest.FirstCol = dest.LastCol + 1;
            dest.LastCol = std::min(dest.FirstCol + BW - 1, W - 1);
            source = pieceFrom(0, dest.Rows(), 0, dest.Cols());
            CheckBackgroundPieces(source, dest, BW, BH, W, H);
            if (!copyPiece(source, dest)) return;
        }
        if (IsAborted()) return;
        dest.FirstRow = dest.LastRow + 1;
        if (dest.FirstRow > H - 1) return;
        dest.LastRow = std::min(dest.FirstRow + BH - 1, H - 1);
        dest.FirstCol = 0;
        dest.LastCol = mW - 1;
        source = pieceFrom(0, dest.Rows(), 0, dest.Cols());
        CheckBackgroundPieces(source, dest, BW, BH, W, H);
    }
}

bool TPlotGraph::copyPiece(const TBgPiece& Source, const TBgPiece& Dest) {
    if (IsAborted()) return false;
    plotBitmap_->Canvas().CopyRect(
        Rect(Dest.FirstCol, Dest.FirstRow, Dest.LastCol + 1, Dest.LastRow + 1), backgroundBitmap_->Canvas(),
        Rect(Source.FirstCol, Source.FirstRow, Source.LastCol + 1, Source.LastRow + 1));
    return !IsAborted();
}
