#include "model/func2d.h"

TMath2DFunc::TMath2DFunc() {
    SetVariableCount(1);
    SetVariableName(0, "X");
}
