#pragma once
// Counts heap allocations made through operator new in this program, so a benchmark can
// report how many happen inside its timed loop.

#include <cstddef>

std::size_t AllocationCount();
