#include "plot/PtTh3d.h"

#include "model/FILESAVE.h"
#include "model/func3dobj.h"
#include "platform/Errors.h"

#include <memory>

namespace {

std::unique_ptr<TBaseFunc3DObj> newFunctionOfTag(int32_t tag) {
    if (tag == Func3DKindRotate) return std::make_unique<TFuncRotateObj>();
    if (tag == Func3DKindSurface) return std::make_unique<TFunc3DObj>();
    return nullptr;
}

} // namespace

TPlotThread3D::~TPlotThread3D() {
    ShutDown();
}

bool TPlotThread3D::IsColorAlreadyInUse(TColor Color) const {
    return ColorInUse(Color, "nil in FuncList in function TPlotThread3D.IsColorAlreadyInUse",
                      [](const TBaseFuncObj& f, TColor& c) {
                          if (const auto* rotate = dynamic_cast<const TFuncRotateObj*>(&f)) {
                              c = rotate->FuncColor;
                              return true;
                          }
                          if (const auto* surface = dynamic_cast<const TFunc3DObj*>(&f)) {
                              c = surface->FuncColor;
                              return true;
                          }
                          return false;
                      });
}

void TPlotThread3D::WriteFunctions(TWriteGraphFile& Writer) const {
    Writer.WriteInteger(FunctionCount());
    for (const auto& f : FuncList) {
        if (!f) continue;
        const auto* function = dynamic_cast<const TBaseFunc3DObj*>(f.get());
        QX_ASSERT(function != nullptr, "Invalid function object in TPlotThread3D.SaveToFile");
        function->WriteToFile(Writer);
    }
}

void TPlotThread3D::ReadFunctions(TReadGraphFile& Reader) {
    const bool firstVersion = Reader.VersionNumber() == 1;
    for (int32_t n = ReadFunctionCount(Reader); n > 0; --n) {
        int32_t tag = 0;
        if (firstVersion) {
            uint8_t byteTag = 0;
            Reader.ReadRecord(&byteTag, 1);
            tag = byteTag + 1; // 0 rotated curve, 1 surface
        } else {
            tag = Reader.ReadInteger();
        }
        std::unique_ptr<TBaseFunc3DObj> function = newFunctionOfTag(tag);
        if (!function) Reader.RaiseLoadError();
        function->ReadFromFile(Reader); // a failure frees it on the way out
        FuncList.push_back(std::move(function));
    }
}
