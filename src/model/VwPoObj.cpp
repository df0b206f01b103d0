#include "model/VwPoObj.h"

#include "model/FILESAVE.h"
#include "model/Vw2dObj.h"

namespace {
constexpr int32_t RecordSize = 31;      // version 4
constexpr int32_t RecordSizeV1to3 = 30; // without the theta unit
} // namespace

void TViewPolarZoomObj::AssignFrom(const TViewPolarZoomObj& source) {
    Zoom = source.Zoom;
    CenterX = source.CenterX;
    CenterY = source.CenterY;
    ThetaInRadians = source.ThetaInRadians;
}

void TViewPolarZoomObj::WriteToFile(TWriteGraphFile& writer) const {
    TRecordBuilder rec(RecordSize);
    rec.SetExtended(0, Zoom);
    rec.SetExtended(10, CenterX);
    rec.SetExtended(20, CenterY);
    rec.SetBoolean(30, ThetaInRadians);
    rec.WriteTo(writer);
}

bool TViewPolarZoomObj::ReadFromFile(TReadGraphFile& reader) {
    Changed = true;
    const int32_t version = reader.VersionNumber();
    TRecordReader rec(reader, version >= 4 ? RecordSize : RecordSizeV1to3);
    Zoom = rec.Extended(0);
    CenterX = rec.Extended(10);
    CenterY = rec.Extended(20);
    if (version >= 4) ThetaInRadians = rec.Boolean(30);
    if (version == 1) return ClampViewCenterV1(CenterX, CenterY);
    return false;
}
