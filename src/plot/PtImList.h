#pragma once
// The picture control of a graph with a function list: the function commands of its window.

#include "model/SeqList.h"
#include "model/funcobj.h"
#include "platform/Colors.h"
#include "plot/PtImGraf.h"

#include <memory>

class TPlotThreadFuncList;

class TPlotImageFuncList : public TPlotImageGraph {
    Q_OBJECT
public:
    using TPlotImageGraph::TPlotImageGraph;

    // Each fails with "PlotThread is not TPlotThreadFuncList" under any other controller.
    void AddFunction(std::unique_ptr<TBaseFuncObj> Func);
    TSequenceList<TBaseFuncObj>& GetFunctionList();
    TColor GetNextFunctionColor();
    bool CanAddFunction();

private:
    TPlotThreadFuncList& funcListThread();
};

// A graph kind's picture control: it makes the kind's controller, and hands out the
// controller's pending view and settings, which the window's commands and dialogs edit
// before they call Replot.
template <class TController> class TImageOfKind : public TPlotImageFuncList {
public:
    explicit TImageOfKind(QWidget* Owner = nullptr) : TPlotImageFuncList(Owner) {
        SetPlotThread(std::make_unique<TController>());
    }

    auto& GetViewZoom() { return controller().ViewZoom(); }
    auto& GetSettings() { return controller().Settings(); }
    TController& controller() { return static_cast<TController&>(*PlotThread()); }
};
