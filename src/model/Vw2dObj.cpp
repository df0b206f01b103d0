#include "model/Vw2dObj.h"

#include "math/CenterDlg.h"
#include "model/FILESAVE.h"

namespace {
constexpr int32_t RecordSize = 40;
constexpr int32_t RecordSizeV1 = 30;
} // namespace

bool ClampViewCenterV1(long double& centerX, long double& centerY) {
    bool moved = false;
    for (long double* c : {&centerX, &centerY}) {
        if (*c > ViewCenterLimitV1) {
            *c = ViewCenterLimitV1;
            moved = true;
        } else if (*c < -ViewCenterLimitV1) {
            *c = -ViewCenterLimitV1;
            moved = true;
        }
    }
    return moved;
}

void ShowViewCenterChangedMsg() {
    CenterMessageDlg("The graph view center has been changed for compatibility reasons.", mtInformation,
                     {mbOK}, 0);
}

void TView2DZoomObj::AssignFrom(const TView2DZoomObj& source) {
    ZoomX = source.ZoomX;
    ZoomY = source.ZoomY;
    CenterX = source.CenterX;
    CenterY = source.CenterY;
}

void TView2DZoomObj::WriteToFile(TWriteGraphFile& writer) const {
    TRecordBuilder rec(RecordSize);
    rec.SetExtended(0, ZoomX);
    rec.SetExtended(10, ZoomY);
    rec.SetExtended(20, CenterX);
    rec.SetExtended(30, CenterY);
    rec.WriteTo(writer);
}

bool TView2DZoomObj::ReadFromFile(TReadGraphFile& reader) {
    Changed = true;
    if (reader.VersionNumber() == 1) {
        // One zoom for both axes, and a centre the old view could set beyond today's range.
        TRecordReader rec(reader, RecordSizeV1);
        ZoomX = ZoomY = rec.Extended(0);
        CenterX = rec.Extended(10);
        CenterY = rec.Extended(20);
        return ClampViewCenterV1(CenterX, CenterY);
    }
    TRecordReader rec(reader, RecordSize);
    ZoomX = rec.Extended(0);
    ZoomY = rec.Extended(10);
    CenterX = rec.Extended(20);
    CenterY = rec.Extended(30);
    return false;
}
