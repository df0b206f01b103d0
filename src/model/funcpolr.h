#pragma once
// Curves r = f(theta) of polar graphs.

#include "math/MathCalc.h"
#include "model/funcobj.h"
#include "model/funcpara.h"
#include "platform/Colors.h"

#include <cstdint>
#include <memory>
#include <string>

// The expression r = f(theta): variables "THETA", then "X". THETA comes first so that it is
// matched before the X it does not contain, and an expression may use both.
class TMathPolarFunc : public TMathGraphFunc {
public:
    TMathPolarFunc();
};

class TFuncPolarObj : public TBaseFuncObj {
public:
    TMathPolarFunc Func; // variables "THETA" and "X"
    std::string LoBoundStr = "0";
    std::string HiBoundStr = "2pi";
    TMathValue LoBound;
    TMathValue HiBound;
    int32_t Samples = 10000;
    TColor FuncColor = clBlue;
    int32_t LineWidth = 1;

    TFuncPolarObj();

    std::unique_ptr<TSequenceListObj> Clone() const override;
    void Assign(const TSequenceListObj& Source) override;
    std::string GetDescription() const override;

    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets the modified flag and reads the record of the reader's version.
    void ReadFromFile(TReadGraphFile& reader);
};
