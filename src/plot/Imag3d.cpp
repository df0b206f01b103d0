#include "plot/Imag3d.h"

#include "plot/PtTh3d.h"

TImage3D::TImage3D(QWidget* Owner) : TPlotImageFuncList(Owner) {
    SetPlotThread(std::make_unique<TPlotThread3D>());
}

TImage3D::~TImage3D() = default;

TPlotThread3D& TImage3D::controller() {
    return static_cast<TPlotThread3D&>(*PlotThread());
}

TView3DZoomObj& TImage3D::GetViewZoom() {
    return controller().ViewZoom();
}

TSetting3DObj& TImage3D::GetSettings() {
    return controller().Settings();
}
