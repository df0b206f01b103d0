#pragma once
// Curves y = f(x) of 2D cartesian graphs.

#include "model/funcobj.h"

// The expression y = f(x): one variable, "X".
class TMath2DFunc : public TMathGraphFunc {
public:
    TMath2DFunc();
};
