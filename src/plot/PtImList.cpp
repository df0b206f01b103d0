#include "plot/PtImList.h"

#include "platform/Errors.h"
#include "plot/PtThList.h"

TPlotThreadFuncList& TPlotImageFuncList::funcListThread() {
    auto* controller = dynamic_cast<TPlotThreadFuncList*>(PlotThread());
    QX_ASSERT(controller != nullptr, "PlotThread is not TPlotThreadFuncList");
    return *controller;
}

void TPlotImageFuncList::AddFunction(std::unique_ptr<TBaseFuncObj> Func) {
    funcListThread().AddFunction(std::move(Func));
}

TSequenceList<TBaseFuncObj>& TPlotImageFuncList::GetFunctionList() {
    return funcListThread().FuncList;
}

TColor TPlotImageFuncList::GetNextFunctionColor() {
    return funcListThread().NextFunctionColor();
}

bool TPlotImageFuncList::CanAddFunction() {
    return funcListThread().CanAddFunction();
}
