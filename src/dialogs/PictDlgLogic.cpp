#include "dialogs/PictDlgLogic.h"

#include "platform/UiHook.h"

int PrintScalePercent = 100;

int ColorDepthIndex(int PixelFormat) {
    return PixelFormat >= 2 && PixelFormat <= 7 ? PixelFormat - 2 : -1;
}

bool ApplyBmpSize(TSettingBmpAttribsObj& Attribs, int Width, int Height, int DepthIndex) {
    const int format = DepthIndex >= 0 && DepthIndex <= 5 ? DepthIndex + 2 : Attribs.PixelFormat;
    const bool sizeChanged = Width != Attribs.Width || Height != Attribs.Height;
    const bool formatChanged = format != Attribs.PixelFormat;
    if (sizeChanged) {
        Attribs.SizeChanged = true;
        Attribs.Width = Width;
        Attribs.Height = Height;
    }
    if (formatChanged) {
        Attribs.PixelFormatChanged = true;
        Attribs.PixelFormat = uint8_t(format);
    }
    return sizeChanged || formatChanged;
}

bool ApplyPrintScale(int ModalResult, int Percent) {
    if (ModalResult == mrOk || ModalResult == mrPrint) PrintScalePercent = Percent;
    return ModalResult == mrPrint;
}
