#include "plot/PtTh2d.h"

#include "math/CenterDlg.h"
#include "model/FILESAVE.h"
#include "model/func2d.h"
#include "model/funcpara.h"
#include "platform/Errors.h"

#include <memory>

TPlotThread2D::~TPlotThread2D() {
    ShutDown();
}

bool TPlotThread2D::IsColorAlreadyInUse(TColor Color) const {
    return ColorInUse(Color,
                      "nil in FuncList in function function function TPlotThread2D.IsColorAlreadyInUse",
                      [](const TBaseFuncObj& f, TColor& c) {
                          if (const auto* function = dynamic_cast<const TFunc2DObj*>(&f)) {
                              c = function->FuncColor;
                              return true;
                          }
                          if (const auto* curve = dynamic_cast<const TFuncParametricObj*>(&f)) {
                              c = curve->FuncColor;
                              return true;
                          }
                          return false;
                      });
}

void TPlotThread2D::refuseSpecialValues() {
    CenterMessageDlg(std::string(TooManySpecialValuesText) +
                         "; this graph holds more, and can not be opened.",
                     mtError, {mbOK}, 0);
    throw EFileLoadError();
}

void TPlotThread2D::WriteFunctions(TWriteGraphFile& Writer) const {
    Writer.WriteInteger(FunctionCount());
    for (const auto& f : FuncList) {
        if (!f) continue;
        if (const auto* function = dynamic_cast<const TFunc2DObj*>(f.get())) {
            Writer.WriteInteger(Func2DKindFunction);
            function->WriteToFile(Writer);
        } else if (const auto* curve = dynamic_cast<const TFuncParametricObj*>(f.get())) {
            Writer.WriteInteger(Func2DKindParametric);
            curve->WriteToFile(Writer);
        } else {
            QX_FAIL("Invalid function object in TPlotThread2D.SaveToFile");
        }
    }
}

void TPlotThread2D::ReadFunctions(TReadGraphFile& Reader) {
    const int32_t version = Reader.VersionNumber();
    int64_t specialValues = 0;
    for (int32_t n = ReadFunctionCount(Reader); n > 0; --n) {
        const int32_t tag = version <= 2 ? Func2DKindFunction : Reader.ReadInteger();
        if (tag == Func2DKindFunction) {
            auto function = std::make_unique<TFunc2DObj>();
            // Older files never reported special values that could not be calculated.
            if (!function->ReadFromFile(Reader) && version >= 3) ReportSpecialValuesError();
            // Counted from the rows as they are read; none of them is worked out here.
            specialValues += function->SpecialValues.ValueCount();
            if (specialValues > MaxGraphSpecialValues) refuseSpecialValues();
            FuncList.push_back(std::move(function));
        } else if (tag == Func2DKindParametric) {
            auto curve = std::make_unique<TFuncParametricObj>();
            curve->ReadFromFile(Reader);
            FuncList.push_back(std::move(curve));
        } else {
            Reader.RaiseLoadError();
        }
    }
}
