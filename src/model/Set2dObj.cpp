#include "model/Set2dObj.h"

#include "math/DefFont.h"
#include "model/FILESAVE.h"
#include "model/RecordValues.h"

namespace {
// Offsets of one axis block. Versions 3 and 4 hold the constants as packed values,
// version 2 as 80-bit floats; the Y block follows the X block.
struct TAxisLayout {
    std::size_t ShowAxisLine, LoLimitEmpty, LoLimit, HiLimitEmpty, HiLimit, AxisColor, AxisWidth,
        AxisPenStyle, TickType, TickColor, TickInc, TickLength, GridPenStyle, ShowTickLabels, LabelFormat,
        ThousandsSeparator, PlusSign, DecimalPlaces, BlockSize;
};
constexpr TAxisLayout PackedLayout{0,  1,  2,   29,  30,  57,  61,  65,  66, 67,
                                   71, 98, 102, 103, 104, 105, 106, 107, 111};
constexpr TAxisLayout FloatLayoutV2{0, 1, 2, 12, 13, 23, 27, 31, 32, 33, 37, 47, 51, 52, 53, 54, 55, 56, 60};

constexpr int32_t RecordSize = 226; // versions 3 and 4
constexpr std::size_t BackColorOffset = 222;
constexpr int32_t RecordSizeV2 = 124;
constexpr std::size_t BackColorOffsetV2 = 120;
constexpr int32_t RecordSizeV1 = 83;
constexpr int ShortTextLenV1 = 50;

void putAxis(TRecordBuilder& rec, std::size_t base, const TSetting2DAxis& a) {
    const TAxisLayout& l = PackedLayout;
    rec.SetBoolean(base + l.ShowAxisLine, a.ShowAxisLine);
    rec.SetBoolean(base + l.LoLimitEmpty, a.LoLimitEmpty);
    SetPackedValue(rec, base + l.LoLimit, a.LoLimit);
    rec.SetBoolean(base + l.HiLimitEmpty, a.HiLimitEmpty);
    SetPackedValue(rec, base + l.HiLimit, a.HiLimit);
    rec.SetColor(base + l.AxisColor, a.AxisColor);
    rec.SetInt32(base + l.AxisWidth, a.AxisWidth);
    rec.SetByte(base + l.AxisPenStyle, a.AxisPenStyle);
    rec.SetByte(base + l.TickType, a.TickType);
    rec.SetColor(base + l.TickColor, a.TickColor);
    SetPackedValue(rec, base + l.TickInc, a.TickInc);
    rec.SetInt32(base + l.TickLength, a.TickLength);
    rec.SetByte(base + l.GridPenStyle, a.GridPenStyle);
    rec.SetBoolean(base + l.ShowTickLabels, a.ShowTickLabels);
    rec.SetByte(base + l.LabelFormat, uint8_t(a.LabelFormat));
    rec.SetBoolean(base + l.ThousandsSeparator, a.ThousandsSeparator);
    rec.SetBoolean(base + l.PlusSign, a.PlusSign);
    rec.SetInt32(base + l.DecimalPlaces, a.DecimalPlaces);
}

void getAxis(const TRecordReader& rec, std::size_t base, TSetting2DAxis& a, bool packed) {
    const TAxisLayout& l = packed ? PackedLayout : FloatLayoutV2;
    a.ShowAxisLine = rec.Boolean(base + l.ShowAxisLine);
    a.LoLimitEmpty = rec.Boolean(base + l.LoLimitEmpty);
    a.LoLimit = ConstantField(rec, base + l.LoLimit, packed);
    a.HiLimitEmpty = rec.Boolean(base + l.HiLimitEmpty);
    a.HiLimit = ConstantField(rec, base + l.HiLimit, packed);
    a.AxisColor = rec.Color(base + l.AxisColor);
    a.AxisWidth = rec.Int32(base + l.AxisWidth);
    a.AxisPenStyle = rec.Byte(base + l.AxisPenStyle);
    a.TickType = rec.Byte(base + l.TickType);
    a.TickColor = rec.Color(base + l.TickColor);
    a.TickInc = ConstantField(rec, base + l.TickInc, packed);
    a.TickLength = rec.Int32(base + l.TickLength);
    a.GridPenStyle = rec.Byte(base + l.GridPenStyle);
    a.ShowTickLabels = rec.Boolean(base + l.ShowTickLabels);
    a.LabelFormat = TNumberFormatKind(rec.Byte(base + l.LabelFormat));
    a.ThousandsSeparator = rec.Boolean(base + l.ThousandsSeparator);
    a.PlusSign = rec.Boolean(base + l.PlusSign);
    a.DecimalPlaces = rec.Int32(base + l.DecimalPlaces);
}

void readAxisTexts(TReadGraphFile& reader, TSetting2DAxis& a) {
    // An empty limit keeps the value of the record and is never offered for repair.
    reader.ReadMathConstString(a.LoLimitStr, a.LoLimit, a.LoLimitEmpty);
    reader.ReadMathConstString(a.HiLimitStr, a.HiLimit, a.HiLimitEmpty);
    reader.ReadMathConstString(a.TickIncStr, a.TickInc, false);
}
} // namespace

TSetting2DAxis::TSetting2DAxis()
    : LoLimit(EmptyMathValue()), HiLimit(EmptyMathValue()), TickInc(ExactMathValue(1)) {}

TSetting2DObj::TSetting2DObj() : XLabelFont(GetDefaultFont()), YLabelFont(GetDefaultFont()) {}

void TSetting2DObj::AssignFrom(const TSetting2DObj& source) {
    if (&source == this) return;
    const bool changed = Changed;
    *this = source;
    Changed = changed;
}

void TSetting2DObj::WriteToFile(TWriteGraphFile& writer) const {
    TRecordBuilder rec(RecordSize);
    putAxis(rec, 0, X);
    putAxis(rec, PackedLayout.BlockSize, Y);
    rec.SetColor(BackColorOffset, BackColor);
    rec.WriteTo(writer);
    for (const TSetting2DAxis* a : {&X, &Y}) {
        writer.WriteMathString(a->LoLimitStr);
        writer.WriteMathString(a->HiLimitStr);
        writer.WriteMathString(a->TickIncStr);
    }
    writer.WriteFont(XLabelFont);
    writer.WriteFont(YLabelFont);
}

void TSetting2DObj::ReadFromFile(TReadGraphFile& reader) {
    Changed = true;
    const int32_t version = reader.VersionNumber();
    if (version == 1) {
        // One set of values for both axes; limits, grid style and label format are not
        // in the record and keep their values.
        TRecordReader rec(reader, RecordSizeV1);
        for (TSetting2DAxis* a : {&X, &Y}) {
            a->ShowAxisLine = rec.Boolean(0);
            a->AxisColor = rec.Color(1);
            a->AxisWidth = rec.Int16(5);
            a->AxisPenStyle = rec.Byte(7);
            a->TickType = rec.Boolean(12) ? tkTickMarks : tkNone;
            a->TickIncStr = rec.ShortString(13, ShortTextLenV1);
            a->TickInc = FloatMathValue(rec.Extended(64));
            a->TickColor = rec.Color(74);
            a->TickLength = rec.Int16(78);
            a->ShowTickLabels = rec.Boolean(80);
            a->DecimalPlaces = rec.Int16(81);
        }
        BackColor = rec.Color(8);
        reader.ReadFontV1(XLabelFont);
        YLabelFont = XLabelFont;
        reader.EvaluateMathConstString(X.TickIncStr, X.TickInc);
        reader.EvaluateMathConstString(Y.TickIncStr, Y.TickInc);
        return;
    }
    const bool packed = version >= 3;
    TRecordReader rec(reader, packed ? RecordSize : RecordSizeV2);
    const TAxisLayout& l = packed ? PackedLayout : FloatLayoutV2;
    getAxis(rec, 0, X, packed);
    getAxis(rec, l.BlockSize, Y, packed);
    BackColor = rec.Color(packed ? BackColorOffset : BackColorOffsetV2);
    readAxisTexts(reader, X);
    readAxisTexts(reader, Y);
    reader.ReadFont(XLabelFont);
    reader.ReadFont(YLabelFont);
}
