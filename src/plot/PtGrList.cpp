#include "plot/PtGrList.h"

TPlotGraphFuncList::~TPlotGraphFuncList() {
    ClearFunctions();
}

void TPlotGraphFuncList::AssignFunctions(TSequenceList<TBaseFuncObj>& Source) {
    try {
        if (AssignSequenceLists(FunctionList, Source)) FunctionsChanged = true;
    } catch (...) {
        // A failed synchronisation empties the copies, which is a change as well.
        FunctionsChanged = true;
        throw;
    }
}

void TPlotGraphFuncList::ClearFunctions() {
    if (FunctionList.empty()) return;
    FunctionsChanged = true;
    for (auto& function : FunctionList)
        function.reset();
    FunctionList.clear();
}
