#pragma once
// The picture control of a polar graph window.

#include "plot/PtImList.h"
#include "plot/PtThPolr.h"

class TImagePolar : public TImageOfKind<TPlotThreadPolar> {
public:
    using TImageOfKind::TImageOfKind;
};
