#pragma once
// The picture control of a 3D graph window.

#include "plot/PtImList.h"
#include "plot/PtTh3d.h"

class TImage3D : public TImageOfKind<TPlotThread3D> {
public:
    using TImageOfKind::TImageOfKind;
};
