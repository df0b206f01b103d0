#include "model/funcpolr.h"

#include "model/FILESAVE.h"
#include "model/RecordValues.h"

TMathPolarFunc::TMathPolarFunc() {
    SetVariableCount(2);
    SetVariableName(0, "THETA");
    SetVariableName(1, "X");
}

namespace {
constexpr int32_t RecordSize = 66; // versions 3 and 4
constexpr int32_t RecordSizeV2 = 32;
constexpr int32_t RecordSizeV1 = 134;
constexpr int ShortTextLenV1 = 50;
} // namespace

TFuncPolarObj::TFuncPolarObj() : LoBound(ExactMathValue(0)), HiBound(FloatMathValue(DefaultHiBoundValue)) {}

std::unique_ptr<TSequenceListObj> TFuncPolarObj::Clone() const {
    return std::make_unique<TFuncPolarObj>();
}

void TFuncPolarObj::Assign(const TSequenceListObj& Source) {
    const auto& src = SequenceSourceAs<TFuncPolarObj>(Source);
    if (&src == this) return;
    Func.Assign(src.Func);
    LoBoundStr = src.LoBoundStr;
    HiBoundStr = src.HiBoundStr;
    LoBound = src.LoBound;
    HiBound = src.HiBound;
    Samples = src.Samples;
    FuncColor = src.FuncColor;
    LineWidth = src.LineWidth;
}

std::string TFuncPolarObj::GetDescription() const {
    return "R=f(Theta)=" + Func.GetExpression();
}

void TFuncPolarObj::WriteToFile(TWriteGraphFile& writer) const {
    TRecordBuilder rec(RecordSize);
    SetPackedValue(rec, 0, LoBound);
    SetPackedValue(rec, 27, HiBound);
    rec.SetInt32(54, Samples);
    rec.SetColor(58, FuncColor);
    rec.SetInt32(62, LineWidth);
    rec.WriteTo(writer);
    writer.WriteMathString(LoBoundStr);
    writer.WriteMathString(HiBoundStr);
    Func.WriteToFile(writer);
}

void TFuncPolarObj::ReadFromFile(TReadGraphFile& reader) {
    Modified = true;
    const int version = reader.VersionNumber();
    if (version == 1) {
        TRecordReader rec(reader, RecordSizeV1); // bytes 0 to 3 are not used
        LoBoundStr = rec.ShortString(4, ShortTextLenV1);
        HiBoundStr = rec.ShortString(55, ShortTextLenV1);
        LoBound = FloatMathValue(rec.Extended(106));
        HiBound = FloatMathValue(rec.Extended(116));
        Samples = rec.Int16(126);
        FuncColor = rec.Color(128);
        LineWidth = rec.Int16(132);
        Func.ReadFromFile(reader);
        reader.EvaluateMathConstString(LoBoundStr, LoBound);
        reader.EvaluateMathConstString(HiBoundStr, HiBound);
        return;
    }
    if (version == 2) {
        TRecordReader rec(reader, RecordSizeV2);
        LoBound = FloatMathValue(rec.Extended(0));
        HiBound = FloatMathValue(rec.Extended(10));
        Samples = rec.Int32(20);
        FuncColor = rec.Color(24);
        LineWidth = rec.Int32(28);
    } else {
        TRecordReader rec(reader, RecordSize);
        LoBound = rec.PackedMathValue(0);
        HiBound = rec.PackedMathValue(27);
        Samples = rec.Int32(54);
        FuncColor = rec.Color(58);
        LineWidth = rec.Int32(62);
    }
    reader.ReadMathConstString(LoBoundStr, LoBound, false);
    reader.ReadMathConstString(HiBoundStr, HiBound, false);
    Func.ReadFromFile(reader);
}
