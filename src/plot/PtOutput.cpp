#include "plot/PtOutput.h"

#include "platform/Canvas.h"
#include "platform/Jpeg.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cfenv>
#include <cmath>

std::unique_ptr<TBitmap> MakeRegionBitmap(TBitmap& Picture, TPoint C1, TPoint C2) {
    const auto clampPoint = [&](TPoint& p) {
        p.X = std::clamp(p.X, 0, std::max(0, Picture.Width() - 1));
        p.Y = std::clamp(p.Y, 0, std::max(0, Picture.Height() - 1));
    };
    clampPoint(C1);
    clampPoint(C2);
    const int left = std::min(C1.X, C2.X), top = std::min(C1.Y, C2.Y);
    const int width = std::abs(C1.X - C2.X) + 1, height = std::abs(C1.Y - C2.Y) + 1;
    auto region = std::make_unique<TBitmap>(width, height, Picture.PixelFormat());
    region->Canvas().CopyRect(TRect(0, 0, width, height), Picture.Canvas(),
                              TRect(left, top, left + width, top + height));
    return region;
}

TSize PrintStretchSize(int Width, int Height, int ScalePercent) {
    const double ratio = ScalePercent / 100.0;
    const auto scaled = [ratio](int pixels) {
        const int rounding = std::fegetround();
        std::fesetround(FE_TONEAREST); // halves go to the even neighbour
        const double v = std::nearbyint((pixels - 1) * ratio);
        std::fesetround(rounding);
        return static_cast<int>(std::clamp(v, 0.0, 1.0e6));
    };
    return {scaled(Width), scaled(Height)};
}

bool WritePictureFile(const TBitmap& Picture, const std::string& FileName, bool AsBitmap,
                      std::string& ErrorText) {
    ErrorText.clear();
    if (AsBitmap) return Picture.SaveToFile(FileName, &ErrorText);
    TJPEGImage jpeg;
    jpeg.Options.Quality = 100;
    jpeg.Options.Progressive = true;
    std::string reason;
    if (!jpeg.Assign(Picture, &reason)) {
        ErrorText = "Cannot write file " + FileName + ": " + reason;
        return false;
    }
    return jpeg.SaveToFile(FileName, &ErrorText);
}

bool PrintPicture(QPrinter& Printer, TBitmap& Picture, int ScalePercent) {
    const QImage image = Picture.ToQImage();
    QPainter painter;
    if (!painter.begin(&Printer)) return false;
    if (ScalePercent == 100) {
        painter.drawImage(QPoint(0, 0), image);
    } else {
        const TSize size = PrintStretchSize(image.width(), image.height(), ScalePercent);
        painter.drawImage(QRect(0, 0, size.cx, size.cy), image);
    }
    return painter.end();
}
