#pragma once
// The graph model with its own copies of the window's functions: the base of the 2D,
// polar and 3D models.

#include "model/SeqList.h"
#include "model/funcobj.h"
#include "plot/PtGraph.h"

class TPlotGraphFuncList : public TPlotGraph {
public:
    TPlotGraphFuncList() = default;
    ~TPlotGraphFuncList() override;

    // Brings the model's copies in line with the controller's list (which keeps its own
    // objects); any change sets the functions-changed flag. On the GUI thread, worker stopped.
    void AssignFunctions(TSequenceList<TBaseFuncObj>& Source);
    // Frees every copy; sets the flag when there was any.
    void ClearFunctions();

    const TSequenceList<TBaseFuncObj>& Functions() const { return FunctionList; }
    bool AreFunctionsChanged() const { return FunctionsChanged; }

protected:
    // The model's own deep copies, evaluated by the drawing run.
    TSequenceList<TBaseFuncObj> FunctionList;
    // Set whenever the copies change; only the 3D model clears it, once it has rebuilt its
    // line store from them.
    bool FunctionsChanged = false;
};
