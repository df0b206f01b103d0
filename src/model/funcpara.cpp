#include "model/funcpara.h"

TMathParametricFunc::TMathParametricFunc() {
    SetVariableCount(1);
    SetVariableName(0, "T");
}
