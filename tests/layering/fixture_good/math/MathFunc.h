#pragma once
#include "MathCalc.h"
