// Whole graph loads, as opening a file runs them: the controller of each graph kind reads
// the entire body (bitmap attributes, background picture, view, settings, functions,
// labels) and must end in success or the load error. Each is seeded with a graph of that
// kind holding a function of every class and a label of every kind.
#include "fuzz/FuzzSupport.h"

#include "labels/DrawObjs.h"
#include "model/FILESAVE.h"
#include "model/func2d.h"
#include "model/func3dobj.h"
#include "model/funcpara.h"
#include "model/funcpolr.h"
#include "platform/Bitmap.h"
#include "plot/PtTh2d.h"
#include "plot/PtTh3d.h"
#include "plot/PtThPolr.h"

#include <memory>

namespace {

template <class C> void load(TReadGraphFile& reader) {
    C controller;
    (void)controller.LoadFromFile(pf24bit, "fuzz.qxf", reader);
}

// Gives the seed writer the function section the controller writes.
template <class C> class TSeedGraph : public C {
public:
    void Write(TWriteGraphFile& writer) {
        this->SetBitmapAttributes(pf24bit, 60, 40);
        this->BGPicture().Bitmap = std::make_unique<TBitmap>(5, 3, pf8bit);
        for (int32_t kind = 1; kind <= 7; ++kind)
            if (auto label = NewLabelOfKind(kind)) this->MasterLabelList().push_back(std::move(label));
        this->WriteBitmapAttribs(writer);
        this->WriteBackgroundPicture(writer);
        this->ViewZoom().WriteToFile(writer);
        this->Settings().WriteToFile(writer);
        this->WriteFunctions(writer);
        this->WriteLabels(writer);
    }
};

void writeSeed2D(TWriteGraphFile& writer) {
    TSeedGraph<TPlotThread2D> graph;
    auto function = std::make_unique<TFunc2DObj>();
    function->Func.SetExpression("1/X");
    auto row = std::make_unique<TFunc2DSpecialItem>();
    row->FirstStr = "0";
    function->SpecialValues.Items.push_back(std::move(row));
    graph.AddFunction(std::move(function));
    graph.AddFunction(std::make_unique<TFuncParametricObj>());
    graph.Write(writer);
}

void writeSeedPolar(TWriteGraphFile& writer) {
    TSeedGraph<TPlotThreadPolar> graph;
    auto curve = std::make_unique<TFuncPolarObj>();
    curve->Func.SetExpression("THETA");
    graph.AddFunction(std::move(curve));
    graph.Write(writer);
}

void writeSeed3D(TWriteGraphFile& writer) {
    TSeedGraph<TPlotThread3D> graph;
    graph.AddFunction(std::make_unique<TFuncRotateObj>());
    graph.AddFunction(std::make_unique<TFunc3DObj>());
    graph.Write(writer);
}

TRegisterBodyReader whole2D("whole 2D graph", load<TPlotThread2D>, writeSeed2D, GraphKind2D, true);
TRegisterBodyReader wholePolar("whole polar graph", load<TPlotThreadPolar>, writeSeedPolar, GraphKindPolar,
                               true);
TRegisterBodyReader whole3D("whole 3D graph", load<TPlotThread3D>, writeSeed3D, GraphKind3D, true);

} // namespace
