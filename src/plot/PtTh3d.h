#pragma once
// The controller of a 3D graph: rotated curves and surfaces drawn as wire frames.

#include "model/Set3dObj.h"
#include "model/Vw3dObj.h"
#include "plot/PtGr3d.h"
#include "plot/PtThList.h"

#include <string>

class TPlotThread3D : public TPlotThreadKind<TPlotGraph3D, TView3DZoomObj, TSetting3DObj> {
public:
    TPlotThread3D() = default;
    ~TPlotThread3D() override;

    void GetGraphTypeName(std::string& S) const override { S = "3D Cartesian"; }
    bool IsColorAlreadyInUse(TColor Color) const override;

protected:
    int32_t GraphKind() const override { return GraphKind3D; }
    // Each function writes its own kind tag (1 rotated curve, 2 surface) before its record.
    void WriteFunctions(TWriteGraphFile& Writer) const override;
    // Version 1 tags with a byte (0 rotated curve, 1 surface), later versions with an int32.
    void ReadFunctions(TReadGraphFile& Reader) override;
};
