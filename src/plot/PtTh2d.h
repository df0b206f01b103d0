#pragma once
// The controller of a 2D cartesian graph: curves y = f(x) and parametric curves.

#include "model/Set2dObj.h"
#include "model/Vw2dObj.h"
#include "plot/PtGr2d.h"
#include "plot/PtThList.h"

#include <string>

// Kind tags of the 2D function section (files of version 3 and later).
inline constexpr int32_t Func2DKindFunction = 1;
inline constexpr int32_t Func2DKindParametric = 2;

class TPlotThread2D : public TPlotThreadKind<TPlotGraph2D, TView2DZoomObj, TSetting2DObj> {
public:
    TPlotThread2D() = default;
    ~TPlotThread2D() override;

    void GetGraphTypeName(std::string& S) const override { S = "2D Cartesian"; }
    bool IsColorAlreadyInUse(TColor Color) const override;

protected:
    int32_t GraphKind() const override { return GraphKind2D; }
    // The tag (1 function, 2 parametric curve), then the object's record.
    void WriteFunctions(TWriteGraphFile& Writer) const override;
    // Versions 1 and 2 hold untagged functions y = f(x), later versions tagged entries. A
    // graph whose functions hold more than MaxGraphSpecialValues special x values is
    // refused as soon as the rows read so far pass it.
    void ReadFunctions(TReadGraphFile& Reader) override;

private:
    // Says why, and ends the load.
    [[noreturn]] static void refuseSpecialValues();
};
