#include "model/Set3dObj.h"

#include "math/DefFont.h"
#include "model/FILESAVE.h"

namespace {
constexpr int32_t RecordSize = 31; // version 2 and later: background, then 9 bytes per axis
constexpr std::size_t AxisBlockSize = 9;
constexpr int32_t RecordSizeV1 = 19;
} // namespace

TSetting3DObj::TSetting3DObj() {
    for (TSetting3DAxis* a : {&X, &Y, &Z})
        a->LabelFont = GetDefaultFont();
}

void TSetting3DObj::AssignFrom(const TSetting3DObj& source) {
    if (&source == this) return;
    const bool changed = Changed;
    *this = source;
    Changed = changed;
}

void TSetting3DObj::WriteToFile(TWriteGraphFile& writer) const {
    TRecordBuilder rec(RecordSize);
    rec.SetColor(0, BackColor);
    std::size_t at = 4;
    for (const TSetting3DAxis* a : {&X, &Y, &Z}) {
        rec.SetBoolean(at, a->ShowAxisLine);
        rec.SetColor(at + 1, a->AxisColor);
        rec.SetBoolean(at + 5, a->LabelPositiveEnd);
        rec.SetBoolean(at + 6, a->LabelNegativeEnd);
        rec.SetBoolean(at + 7, a->ShowPlusSign);
        rec.SetBoolean(at + 8, a->ShowMinusSign);
        at += AxisBlockSize;
    }
    rec.WriteTo(writer);
    for (const TSetting3DAxis* a : {&X, &Y, &Z})
        writer.WriteFont(a->LabelFont);
}

void TSetting3DObj::ReadFromFile(TReadGraphFile& reader) {
    Changed = true;
    if (reader.VersionNumber() == 1) {
        // One colour, one pair of sign flags and one font for all three axes.
        TRecordReader rec(reader, RecordSizeV1);
        BackColor = rec.Color(0);
        std::size_t axis = 0;
        for (TSetting3DAxis* a : {&X, &Y, &Z}) {
            a->ShowAxisLine = rec.Boolean(4 + axis);
            a->AxisColor = rec.Color(7);
            a->LabelPositiveEnd = rec.Boolean(11 + 2 * axis);
            a->LabelNegativeEnd = rec.Boolean(12 + 2 * axis);
            a->ShowPlusSign = rec.Boolean(17);
            a->ShowMinusSign = rec.Boolean(18);
            ++axis;
        }
        reader.ReadFontV1(X.LabelFont);
        Y.LabelFont = X.LabelFont;
        Z.LabelFont = X.LabelFont;
        return;
    }
    TRecordReader rec(reader, RecordSize);
    BackColor = rec.Color(0);
    std::size_t at = 4;
    for (TSetting3DAxis* a : {&X, &Y, &Z}) {
        a->ShowAxisLine = rec.Boolean(at);
        a->AxisColor = rec.Color(at + 1);
        a->LabelPositiveEnd = rec.Boolean(at + 5);
        a->LabelNegativeEnd = rec.Boolean(at + 6);
        a->ShowPlusSign = rec.Boolean(at + 7);
        a->ShowMinusSign = rec.Boolean(at + 8);
        at += AxisBlockSize;
    }
    for (TSetting3DAxis* a : {&X, &Y, &Z})
        reader.ReadFont(a->LabelFont);
}
