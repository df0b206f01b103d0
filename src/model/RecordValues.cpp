#include "model/RecordValues.h"

void SetPackedValue(TRecordBuilder& rec, std::size_t offset, const TMathValue& value) {
    TMathValue v = value;
    if (v.Kind == mvFloat) {
        v.Numerator = 0;
        v.Denominator = 1;
    }
    rec.SetPackedMathValue(offset, v);
}

TMathValue ConstantField(const TRecordReader& rec, std::size_t offset, bool packed) {
    return packed ? rec.PackedMathValue(offset) : FloatMathValue(rec.Extended(offset));
}

TMathValue FloatMathValue(long double value) {
    TMathValue v;
    FloatToMathValue(v, value);
    return v;
}

TMathValue EmptyMathValue() {
    TMathValue v;
    ClearMathValue(v);
    return v;
}

TMathValue ExactMathValue(int32_t value) {
    TMathValue v;
    IntToMathValue(value, v);
    return v;
}
