#include "plot/PtThPolr.h"

#include "model/FILESAVE.h"
#include "model/funcpolr.h"
#include "platform/Errors.h"

#include <memory>

TPlotThreadPolar::~TPlotThreadPolar() {
    ShutDown();
}

bool TPlotThreadPolar::IsColorAlreadyInUse(TColor Color) const {
    return ColorInUse(Color, "nil in FuncList in function function TPlotThreadPolar.IsColorAlreadyInUse",
                      [](const TBaseFuncObj& f, TColor& c) {
                          const auto* curve = dynamic_cast<const TFuncPolarObj*>(&f);
                          if (curve) c = curve->FuncColor;
                          return curve != nullptr;
                      });
}

void TPlotThreadPolar::WriteFunctions(TWriteGraphFile& Writer) const {
    Writer.WriteInteger(FunctionCount());
    for (const auto& f : FuncList) {
        if (!f) continue;
        const auto* curve = dynamic_cast<const TFuncPolarObj*>(f.get());
        QX_ASSERT(curve != nullptr, "Invalid function object in TPlotThreadPolar.SaveToFile");
        curve->WriteToFile(Writer);
    }
}

void TPlotThreadPolar::ReadFunctions(TReadGraphFile& Reader) {
    for (int32_t n = ReadFunctionCount(Reader); n > 0; --n) {
        auto curve = std::make_unique<TFuncPolarObj>();
        curve->ReadFromFile(Reader); // a failure frees it on the way out
        FuncList.push_back(std::move(curve));
    }
}
