#pragma once
// The controller of a polar graph: curves r = f(theta).

#include "model/SetPoObj.h"
#include "model/VwPoObj.h"
#include "plot/PtGrPolr.h"
#include "plot/PtThList.h"

#include <string>

class TPlotThreadPolar : public TPlotThreadKind<TPlotGraphPolar, TViewPolarZoomObj, TSettingPolarObj> {
public:
    TPlotThreadPolar() = default;
    ~TPlotThreadPolar() override;

    void GetGraphTypeName(std::string& S) const override { S = "Polar"; }
    bool IsColorAlreadyInUse(TColor Color) const override;

protected:
    int32_t GraphKind() const override { return GraphKindPolar; }
    // Every entry is a polar curve's record, without a tag.
    void WriteFunctions(TWriteGraphFile& Writer) const override;
    void ReadFunctions(TReadGraphFile& Reader) override;
};
