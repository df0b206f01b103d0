#include "plot/PtThList.h"

#include "platform/Errors.h"
#include "plot/PtGrList.h"

TPlotThreadFuncList::~TPlotThreadFuncList() {
    ShutDown();
    ClearFunctions();
}

void TPlotThreadFuncList::DoAssignFieldObjects() {
    TPlotThreadGraph::DoAssignFieldObjects();
    auto* model = dynamic_cast<TPlotGraphFuncList*>(PlotGraph());
    QX_ASSERT(model != nullptr, "Invalid PlotGraph object type in DoAssignFieldObjects");
    model->AssignFunctions(FuncList);
}

void TPlotThreadFuncList::ClearFunctions() {
    for (auto& f : FuncList)
        f.reset();
    FuncList.clear();
}

TColor TPlotThreadFuncList::NextFunctionColor() const {
    for (TColor c : DefaultFunctionColors)
        if (!IsColorAlreadyInUse(c)) return c;
    return DefaultFunctionColors[FuncList.size() % DefaultFunctionColors.size()];
}
