#pragma once
// The picture control of a graph that has a model (every graph kind).

#include "plot/PtImage.h"

class TPlotImageGraph : public TPlotImageBox {
    Q_OBJECT
public:
    using TPlotImageBox::TPlotImageBox;
};
