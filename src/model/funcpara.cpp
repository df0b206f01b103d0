#include "model/funcpara.h"

#include "model/FILESAVE.h"
#include "model/RecordValues.h"
#include "platform/Errors.h"

TMathParametricFunc::TMathParametricFunc() {
    SetVariableCount(1);
    SetVariableName(0, "T");
}

namespace {
constexpr int32_t RecordSize = 66;
} // namespace

TFuncParametricObj::TFuncParametricObj()
    : LoBound(ExactMathValue(0)), HiBound(FloatMathValue(DefaultHiBoundValue)) {}

std::unique_ptr<TSequenceListObj> TFuncParametricObj::Clone() const {
    return std::make_unique<TFuncParametricObj>();
}

void TFuncParametricObj::Assign(const TSequenceListObj& Source) {
    const auto& src = SequenceSourceAs<TFuncParametricObj>(Source);
    if (&src == this) return;
    FuncX.Assign(src.FuncX);
    FuncY.Assign(src.FuncY);
    LoBoundStr = src.LoBoundStr;
    HiBoundStr = src.HiBoundStr;
    LoBound = src.LoBound;
    HiBound = src.HiBound;
    Samples = src.Samples;
    FuncColor = src.FuncColor;
    LineWidth = src.LineWidth;
}

std::string TFuncParametricObj::GetDescription() const {
    return "X=" + FuncX.GetExpression() + "; Y=" + FuncY.GetExpression();
}

void TFuncParametricObj::WriteToFile(TWriteGraphFile& writer) const {
    TRecordBuilder rec(RecordSize);
    SetPackedValue(rec, 0, LoBound);
    SetPackedValue(rec, 27, HiBound);
    rec.SetInt32(54, Samples);
    rec.SetColor(58, FuncColor);
    rec.SetInt32(62, LineWidth);
    rec.WriteTo(writer);
    writer.WriteMathString(LoBoundStr);
    writer.WriteMathString(HiBoundStr);
    FuncX.WriteToFile(writer);
    FuncY.WriteToFile(writer);
}

void TFuncParametricObj::ReadFromFile(TReadGraphFile& reader) {
    // Only the tagged function lists of version 3 and later can hold a parametric curve.
    QX_ASSERT(reader.VersionNumber() >= 3, "File version number error in read parametric");
    Modified = true;
    TRecordReader rec(reader, RecordSize);
    LoBound = rec.PackedMathValue(0);
    HiBound = rec.PackedMathValue(27);
    Samples = rec.Int32(54);
    FuncColor = rec.Color(58);
    LineWidth = rec.Int32(62);
    reader.ReadMathConstString(LoBoundStr, LoBound, false);
    reader.ReadMathConstString(HiBoundStr, HiBound, false);
    FuncX.ReadFromFile(reader);
    FuncY.ReadFromFile(reader);
}
