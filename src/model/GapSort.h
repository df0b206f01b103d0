#pragma once
// An in-place sort driven by two call-backs, so the caller's container never has to
// expose its elements: a comb of halving gaps with repeated passes per gap.

#include <functional>

// Compare(I, J, Result): Result < 0, 0 or > 0 as element I is before, equal to or after J.
using TGapSortCompare = std::function<void(int I, int J, int& Result)>;
using TGapSortSwap = std::function<void(int I, int J)>;

// Sorts elements 0 .. Count - 1.
void GapSortRange(int Count, const TGapSortCompare& Compare, const TGapSortSwap& Swap);
