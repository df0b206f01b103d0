#include "model/funcpolr.h"

#include "model/FILESAVE.h"
#include "model/RecordValues.h"

TMathPolarFunc::TMathPolarFunc() {
    SetVariableCount(2);
    SetVariableName(0, "THETA");
    SetVariableName(1, "X");
}

namespace {
constexpr int32_t RecordSizeV1 = 134;
constexpr int ShortTextLenV1 = 50;
} // namespace

std::unique_ptr<TSequenceListObj> TFuncPolarObj::Clone() const {
    return std::make_unique<TFuncPolarObj>();
}

void TFuncPolarObj::Assign(const TSequenceListObj& Source) {
    const auto& src = SequenceSourceAs<TFuncPolarObj>(Source);
    if (&src == this) return;
    Func.Assign(src.Func);
    assignCurve(src);
}

std::string TFuncPolarObj::GetDescription() const {
    return "R=f(Theta)=" + Func.GetExpression();
}

void TFuncPolarObj::WriteToFile(TWriteGraphFile& writer) const {
    writeCurve(writer);
    Func.WriteToFile(writer);
}

void TFuncPolarObj::ReadFromFile(TReadGraphFile& reader) {
    Modified = true;
    if (reader.VersionNumber() == 1) {
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
    readCurve(reader);
    Func.ReadFromFile(reader);
}
