#pragma once
#include "math/MathFunc.h"
#include <vector>
