#pragma once
#include "plot/PtGraph.h"
