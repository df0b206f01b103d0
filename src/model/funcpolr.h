#pragma once
// Curves r = f(theta) of polar graphs.

#include "model/funcobj.h"
#include "model/funcpara.h"

#include <memory>
#include <string>

// The expression r = f(theta): variables "THETA", then "X". THETA comes first so that it is
// matched before the X it does not contain, and an expression may use both.
class TMathPolarFunc : public TMathGraphFunc {
public:
    TMathPolarFunc();
};

class TFuncPolarObj : public TSampledCurveObj {
public:
    TMathPolarFunc Func; // variables "THETA" and "X"

    std::unique_ptr<TSequenceListObj> Clone() const override;
    void Assign(const TSequenceListObj& Source) override;
    std::string GetDescription() const override;

    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets the modified flag and reads the record of the reader's version.
    void ReadFromFile(TReadGraphFile& reader);
};
