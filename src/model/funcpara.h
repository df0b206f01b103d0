#pragma once
// Parametric curves (X(t), Y(t)) of 2D cartesian graphs, sampled evenly over their
// parameter range.

#include "math/MathCalc.h"
#include "model/funcobj.h"
#include "platform/Colors.h"

#include <cstdint>
#include <memory>
#include <string>

// One coordinate of a parametric curve: one variable, "T".
class TMathParametricFunc : public TMathGraphFunc {
public:
    TMathParametricFunc();
};

// The default end of a parameter range, 2 pi, as the text "2pi" evaluates.
inline constexpr long double DefaultHiBoundValue = 6.283185307179586477L;

// What parametric and polar curves share: the parameter range as typed and as values, the
// samples over it, colour and width, and the one record both kinds write.
class TSampledCurveObj : public TBaseFuncObj {
public:
    std::string LoBoundStr = "0";
    std::string HiBoundStr = "2pi";
    TMathValue LoBound;
    TMathValue HiBound;
    int32_t Samples = 10000;
    TColor FuncColor = clBlue;
    int32_t LineWidth = 1;

protected:
    TSampledCurveObj();
    // Copies the fields above.
    void assignCurve(const TSampledCurveObj& source);
    // The record, then the two range texts.
    void writeCurve(TWriteGraphFile& writer) const;
    // The record of the reader's version (2 or later), then the two range texts evaluated.
    void readCurve(TReadGraphFile& reader);
};

class TFuncParametricObj : public TSampledCurveObj {
public:
    TMathParametricFunc FuncX;
    TMathParametricFunc FuncY;

    std::unique_ptr<TSequenceListObj> Clone() const override;
    void Assign(const TSequenceListObj& Source) override;
    std::string GetDescription() const override;

    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets the modified flag and reads the record (file version 3 and later only).
    void ReadFromFile(TReadGraphFile& reader);
};
