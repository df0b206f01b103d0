#include "model/SetPoObj.h"

#include "math/DefFont.h"
#include "model/FILESAVE.h"
#include "model/RecordValues.h"

namespace {
// Offsets of the fields after the angle table; versions 3 and 4 hold the two constants
// as packed values, version 2 as 80-bit floats.
struct TPolarLayout {
    std::size_t AxisColor, AxisWidth, AxisPenStyle, TickInc, TickMarkType, TickColor, DashLength, CircleWidth,
        CirclePenStyle, ShowLabels, LabelFormat, ThousandsSeparator, PlusSign, DecimalPlaces, RestrictRadius,
        RadiusRestrict;
    int32_t Size;
};
constexpr TPolarLayout PackedLayout{3608, 3612, 3616, 3617, 3644, 3645, 3649, 3653, 3657,
                                    3658, 3659, 3660, 3661, 3662, 3666, 3667, 3694};
constexpr TPolarLayout FloatLayoutV2{3608, 3612, 3616, 3617, 3627, 3628, 3632, 3636, 3640,
                                     3641, 3642, 3643, 3644, 3645, 3649, 3650, 3660};
constexpr std::size_t AnglesOffset = 8;
constexpr std::size_t AnglesOffsetV1 = 6;
constexpr int32_t RecordSizeV1 = 3749;
constexpr int ShortTextLenV1 = 50;

// The count indexes the angle table: a count beyond it could be neither drawn nor edited.
int32_t checkedAxisCount(const TRecordReader& rec, int32_t count) {
    if (count < 0 || count > MaxPolarAxes) rec.Reader().RaiseLoadError();
    return count;
}

void getAngles(const TRecordReader& rec, std::size_t offset, std::array<long double, MaxPolarAxes>& angles) {
    for (int i = 0; i < MaxPolarAxes; ++i)
        angles[i] = rec.Extended(offset + 10 * std::size_t(i));
}
} // namespace

TSettingPolarObj::TSettingPolarObj()
    : TickInc(ExactMathValue(1)), RadiusRestrict(ExactMathValue(5)), LabelFont(GetDefaultFont()) {
    for (int i = 0; i < 8; ++i)
        AxisAngles[i] = 45.0L * i;
}

void TSettingPolarObj::AssignFrom(const TSettingPolarObj& source) {
    if (&source == this) return;
    const bool changed = Changed;
    *this = source;
    Changed = changed;
}

void TSettingPolarObj::WriteToFile(TWriteGraphFile& writer) const {
    const TPolarLayout& l = PackedLayout;
    TRecordBuilder rec(l.Size);
    rec.SetColor(0, BackColor);
    rec.SetInt32(4, AxisCount);
    for (int i = 0; i < MaxPolarAxes; ++i)
        rec.SetExtended(AnglesOffset + 10 * std::size_t(i), AxisAngles[i]);
    rec.SetColor(l.AxisColor, AxisColor);
    rec.SetInt32(l.AxisWidth, AxisWidth);
    rec.SetByte(l.AxisPenStyle, AxisPenStyle);
    SetPackedValue(rec, l.TickInc, TickInc);
    rec.SetByte(l.TickMarkType, TickMarkType);
    rec.SetColor(l.TickColor, TickColor);
    rec.SetInt32(l.DashLength, DashLength);
    rec.SetInt32(l.CircleWidth, CircleWidth);
    rec.SetByte(l.CirclePenStyle, CirclePenStyle);
    rec.SetBoolean(l.ShowLabels, ShowLabels);
    rec.SetByte(l.LabelFormat, uint8_t(LabelFormat));
    rec.SetBoolean(l.ThousandsSeparator, ThousandsSeparator);
    rec.SetBoolean(l.PlusSign, PlusSign);
    rec.SetInt32(l.DecimalPlaces, DecimalPlaces);
    rec.SetBoolean(l.RestrictRadius, RestrictRadius);
    SetPackedValue(rec, l.RadiusRestrict, RadiusRestrict);
    rec.WriteTo(writer);
    writer.WriteMathString(TickIncStr);
    writer.WriteMathString(RadiusRestrictStr);
    writer.WriteFont(LabelFont);
}

void TSettingPolarObj::ReadFromFile(TReadGraphFile& reader) {
    Changed = true;
    const int32_t version = reader.VersionNumber();
    if (version == 1) {
        // Number format, thousands separator and plus sign are not in the record.
        TRecordReader rec(reader, RecordSizeV1);
        BackColor = rec.Color(0);
        AxisCount = checkedAxisCount(rec, rec.Int16(4));
        getAngles(rec, AnglesOffsetV1, AxisAngles);
        AxisColor = rec.Color(3606);
        AxisWidth = rec.Int16(3610);
        AxisPenStyle = rec.Byte(3612);
        TickIncStr = rec.ShortString(3613, ShortTextLenV1);
        TickInc = FloatMathValue(rec.Extended(3664));
        TickMarkType = rec.Byte(3674);
        TickColor = rec.Color(3675);
        DashLength = rec.Int16(3679);
        CircleWidth = rec.Int16(3681);
        CirclePenStyle = rec.Byte(3683);
        ShowLabels = rec.Boolean(3684);
        DecimalPlaces = rec.Int16(3685);
        RestrictRadius = rec.Boolean(3687);
        RadiusRestrictStr = rec.ShortString(3688, ShortTextLenV1);
        RadiusRestrict = FloatMathValue(rec.Extended(3739));
        reader.ReadFontV1(LabelFont);
        reader.EvaluateMathConstString(TickIncStr, TickInc);
        reader.EvaluateMathConstString(RadiusRestrictStr, RadiusRestrict);
        return;
    }
    const bool packed = version >= 3;
    const TPolarLayout& l = packed ? PackedLayout : FloatLayoutV2;
    TRecordReader rec(reader, l.Size);
    BackColor = rec.Color(0);
    AxisCount = checkedAxisCount(rec, rec.Int32(4));
    getAngles(rec, AnglesOffset, AxisAngles);
    AxisColor = rec.Color(l.AxisColor);
    AxisWidth = rec.Int32(l.AxisWidth);
    AxisPenStyle = rec.Byte(l.AxisPenStyle);
    TickInc = ConstantField(rec, l.TickInc, packed);
    TickMarkType = rec.Byte(l.TickMarkType);
    TickColor = rec.Color(l.TickColor);
    DashLength = rec.Int32(l.DashLength);
    CircleWidth = rec.Int32(l.CircleWidth);
    CirclePenStyle = rec.Byte(l.CirclePenStyle);
    ShowLabels = rec.Boolean(l.ShowLabels);
    LabelFormat = TNumberFormatKind(rec.Byte(l.LabelFormat));
    ThousandsSeparator = rec.Boolean(l.ThousandsSeparator);
    PlusSign = rec.Boolean(l.PlusSign);
    DecimalPlaces = rec.Int32(l.DecimalPlaces);
    RestrictRadius = rec.Boolean(l.RestrictRadius);
    RadiusRestrict = ConstantField(rec, l.RadiusRestrict, packed);
    reader.ReadMathConstString(TickIncStr, TickInc, false);
    reader.ReadMathConstString(RadiusRestrictStr, RadiusRestrict, false);
    reader.ReadFont(LabelFont);
}
