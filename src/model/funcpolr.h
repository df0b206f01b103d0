#pragma once
// Curves r = f(theta) of polar graphs.

#include "model/funcobj.h"

// The expression r = f(theta): variables "THETA", then "X". THETA comes first so that it is
// matched before the X it does not contain, and an expression may use both.
class TMathPolarFunc : public TMathGraphFunc {
public:
    TMathPolarFunc();
};
