#include "model/funcpolr.h"

TMathPolarFunc::TMathPolarFunc() {
    SetVariableCount(2);
    SetVariableName(0, "THETA");
    SetVariableName(1, "X");
}
