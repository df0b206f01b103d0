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

class TFuncParametricObj : public TBaseFuncObj {
public:
    TMathParametricFunc FuncX;
    TMathParametricFunc FuncY;
    std::string LoBoundStr = "0";
    std::string HiBoundStr = "2pi";
    TMathValue LoBound;
    TMathValue HiBound;
    int32_t Samples = 10000;
    TColor FuncColor = clBlue;
    int32_t LineWidth = 1;

    TFuncParametricObj();

    std::unique_ptr<TSequenceListObj> Clone() const override;
    void Assign(const TSequenceListObj& Source) override;
    std::string GetDescription() const override;

    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets the modified flag and reads the record (file version 3 and later only).
    void ReadFromFile(TReadGraphFile& reader);
};
