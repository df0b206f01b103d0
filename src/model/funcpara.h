#pragma once
// Parametric curves (X(t), Y(t)) of 2D cartesian graphs.

#include "model/funcobj.h"

// One coordinate of a parametric curve: one variable, "T".
class TMathParametricFunc : public TMathGraphFunc {
public:
    TMathParametricFunc();
};
