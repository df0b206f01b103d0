#include "plot/PtShared.h"

#include "platform/Errors.h"

#include <QtGlobal>

#include <exception>

void CopyBitmapToImage(TBitmap& ImagePicture, TBitmap& Bitmap) {
    CopyBitmap(ImagePicture, Bitmap);
}

void CheckGraphBitmapSize(int Width, int Height) {
    QX_ASSERT(Width <= 2000, "Bitmap width to large");
    QX_ASSERT(Height <= 2000, "Bitmap height to large");
    QX_ASSERT(Width >= 16, "Bitmap width to small");
    QX_ASSERT(Height >= 16, "Bitmap height to small");
}

std::string CurrentDrawingErrorText(const char* WorkerName) {
    const std::exception_ptr error = std::current_exception();
    try {
        if (error) std::rethrow_exception(error);
    } catch (const std::exception& e) {
        qWarning("%s: %s", WorkerName, e.what());
    } catch (...) {
        qWarning("%s: an exception of unknown type", WorkerName);
    }
    return WorkerErrorText(error);
}
