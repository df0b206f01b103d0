#include "model/Vw3dObj.h"

#include "model/FILESAVE.h"

namespace {
constexpr int32_t RecordSize = 34;
constexpr int32_t RecordSizeV1 = 32; // a 16-bit zoom
} // namespace

void TView3DZoomObj::AssignFrom(const TView3DZoomObj& source) {
    RotationX = source.RotationX;
    RotationY = source.RotationY;
    RotationZ = source.RotationZ;
    Zoom = source.Zoom;
}

void TView3DZoomObj::WriteToFile(TWriteGraphFile& writer) const {
    TRecordBuilder rec(RecordSize);
    rec.SetExtended(0, RotationX);
    rec.SetExtended(10, RotationY);
    rec.SetExtended(20, RotationZ);
    rec.SetInt32(30, Zoom);
    rec.WriteTo(writer);
}

void TView3DZoomObj::ReadFromFile(TReadGraphFile& reader) {
    Changed = true;
    const bool v1 = reader.VersionNumber() == 1;
    TRecordReader rec(reader, v1 ? RecordSizeV1 : RecordSize);
    RotationX = rec.Extended(0);
    RotationY = rec.Extended(10);
    RotationZ = rec.Extended(20);
    Zoom = v1 ? int32_t(rec.Int16(30)) : rec.Int32(30);
}
