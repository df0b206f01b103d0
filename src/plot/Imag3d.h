#pragma once
// The picture control of a 3D graph window.

#include "plot/PtImList.h"

class TPlotThread3D;
class TSetting3DObj;
class TView3DZoomObj;

class TImage3D : public TPlotImageFuncList {
    Q_OBJECT
public:
    explicit TImage3D(QWidget* Owner = nullptr);
    ~TImage3D() override;

    // The pending view and settings that the window's commands and dialogs edit before
    // they call Replot.
    TView3DZoomObj& GetViewZoom();
    TSetting3DObj& GetSettings();

private:
    TPlotThread3D& controller();
};
