#include "model/funcpara.h"

#include "model/FILESAVE.h"
#include "model/RecordValues.h"
#include "platform/Errors.h"

TMathParametricFunc::TMathParametricFunc() {
    SetVariableCount(1);
    SetVariableName(0, "T");
}

namespace {
// Offsets of the curve record: versions 3 and 4 hold the range as packed values, version 2
// (polar curves only) as 80-bit floats.
struct TCurveLayout {
    std::size_t LoBound, HiBound, Samples, FuncColor, LineWidth;
    int32_t Size;
};
constexpr TCurveLayout PackedLayout{0, 27, 54, 58, 62, 66};
constexpr TCurveLayout FloatLayoutV2{0, 10, 20, 24, 28, 32};
} // namespace

// ---- TSampledCurveObj ----

TSampledCurveObj::TSampledCurveObj()
    : LoBound(ExactMathValue(0)), HiBound(FloatMathValue(DefaultHiBoundValue)) {}

void TSampledCurveObj::assignCurve(const TSampledCurveObj& source) {
    LoBoundStr = source.LoBoundStr;
    HiBoundStr = source.HiBoundStr;
    LoBound = source.LoBound;
    HiBound = source.HiBound;
    Samples = source.Samples;
    FuncColor = source.FuncColor;
    LineWidth = source.LineWidth;
}

void TSampledCurveObj::writeCurve(TWriteGraphFile& writer) const {
    const TCurveLayout& l = PackedLayout;
    TRecordBuilder rec(l.Size);
    SetPackedValue(rec, l.LoBound, LoBound);
    SetPackedValue(rec, l.HiBound, HiBound);
    rec.SetInt32(l.Samples, Samples);
    rec.SetColor(l.FuncColor, FuncColor);
    rec.SetInt32(l.LineWidth, LineWidth);
    rec.WriteTo(writer);
    writer.WriteMathString(LoBoundStr);
    writer.WriteMathString(HiBoundStr);
}

void TSampledCurveObj::readCurve(TReadGraphFile& reader) {
    const bool packed = reader.VersionNumber() >= 3;
    const TCurveLayout& l = packed ? PackedLayout : FloatLayoutV2;
    TRecordReader rec(reader, l.Size);
    LoBound = ConstantField(rec, l.LoBound, packed);
    HiBound = ConstantField(rec, l.HiBound, packed);
    Samples = rec.Int32(l.Samples);
    FuncColor = rec.Color(l.FuncColor);
    LineWidth = rec.Int32(l.LineWidth);
    reader.ReadMathConstString(LoBoundStr, LoBound, false);
    reader.ReadMathConstString(HiBoundStr, HiBound, false);
}

// ---- TFuncParametricObj ----

std::unique_ptr<TSequenceListObj> TFuncParametricObj::Clone() const {
    return std::make_unique<TFuncParametricObj>();
}

void TFuncParametricObj::Assign(const TSequenceListObj& Source) {
    const auto& src = SequenceSourceAs<TFuncParametricObj>(Source);
    if (&src == this) return;
    FuncX.Assign(src.FuncX);
    FuncY.Assign(src.FuncY);
    assignCurve(src);
}

std::string TFuncParametricObj::GetDescription() const {
    return "X=" + FuncX.GetExpression() + "; Y=" + FuncY.GetExpression();
}

void TFuncParametricObj::WriteToFile(TWriteGraphFile& writer) const {
    writeCurve(writer);
    FuncX.WriteToFile(writer);
    FuncY.WriteToFile(writer);
}

void TFuncParametricObj::ReadFromFile(TReadGraphFile& reader) {
    // Only the tagged function lists of version 3 and later can hold a parametric curve.
    QX_ASSERT(reader.VersionNumber() >= 3, "File version number error in read parametric");
    Modified = true;
    readCurve(reader);
    FuncX.ReadFromFile(reader);
    FuncY.ReadFromFile(reader);
}
