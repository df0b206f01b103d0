#include "model/SetGraph.h"

#include "model/FILESAVE.h"

#include <algorithm>

int32_t FileBitmapSize(int32_t size) {
    return std::clamp(size, MinGraphBitmapSize, MaxGraphBitmapSize);
}

void TSettingBmpAttribsObj::SetChanged(bool value) {
    SizeChanged = value;
    PixelFormatChanged = value;
    BackColorChanged = value;
}

void TSettingBmpAttribsObj::WriteToFile(TWriteGraphFile& writer) const {
    // A size the reader refuses would make the file unreadable: an unset or impossible size
    // goes out as the nearest one a graph bitmap can take.
    writer.WriteInteger(FileBitmapSize(Height));
    writer.WriteInteger(FileBitmapSize(Width));
    TRecordBuilder rec(4);
    rec.SetColor(0, BackColor);
    rec.WriteTo(writer);
}

void TSettingBmpAttribsObj::ReadFromFile(TReadGraphFile& reader) {
    SetChanged(true);
    const int version = reader.VersionNumber();
    int32_t height, width;
    if (version == 1) {
        height = int16_t(reader.ReadWord());
        width = int16_t(reader.ReadWord());
    } else {
        height = reader.ReadInteger();
        width = reader.ReadInteger();
    }
    // The graph's bitmap, its label buffer and the picture control all assume a size
    // they can take; a file is the one place another size could come from.
    if (FileBitmapSize(height) != height || FileBitmapSize(width) != width) reader.RaiseLoadError();
    Height = height;
    Width = width;
    if (version >= 4) {
        TRecordReader rec(reader, 4);
        BackColor = rec.Color(0);
    }
}

TSettingGrBGPictObj::TSettingGrBGPictObj() = default;
TSettingGrBGPictObj::~TSettingGrBGPictObj() = default;

void TSettingGrBGPictObj::ClearPicture() {
    Bitmap.reset();
    JPEG.reset();
}

void TSettingGrBGPictObj::SetChanged(bool value) {
    PlacementChanged = value;
    PictureChanged = value;
}

void TSettingGrBGPictObj::WriteToFile(TWriteGraphFile& writer) const {
    TRecordBuilder rec(1);
    rec.SetByte(0, Placement);
    rec.WriteTo(writer);
    if (Bitmap) {
        writer.WriteInteger(bpBitmap);
        writer.WriteBitmap(*Bitmap);
    } else if (JPEG) {
        writer.WriteInteger(bpJPEG);
        writer.WriteJPEG(*JPEG);
    } else {
        writer.WriteInteger(bpNone);
    }
}

void TSettingGrBGPictObj::ReadFromFile(TReadGraphFile& reader) {
    SetChanged(true);
    ClearPicture();
    if (reader.VersionNumber() < 4) return; // older files hold no such section
    TRecordReader rec(reader, 1);
    Placement = rec.Byte(0);
    switch (reader.ReadInteger()) {
    case bpBitmap:
        Bitmap = reader.ReadBitmap();
        break;
    case bpJPEG:
        JPEG = reader.ReadJPEG();
        break;
    default:
        break; // no picture
    }
}
