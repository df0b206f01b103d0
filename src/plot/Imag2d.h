#pragma once
// The picture control of a 2D cartesian graph window.

#include "plot/PtImList.h"
#include "plot/PtTh2d.h"

class TImage2D : public TImageOfKind<TPlotThread2D> {
public:
    using TImageOfKind::TImageOfKind;
};
