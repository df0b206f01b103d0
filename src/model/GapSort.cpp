#include "model/GapSort.h"

void GapSortRange(int Count, const TGapSortCompare& Compare, const TGapSortSwap& Swap) {
    if (Count < 2) return;
    auto orderPair = [&](int i, int j) {
        int result = 0;
        Compare(i, j, result);
        if (result > 0) {
            Swap(i, j);
            return true;
        }
        return false;
    };
    if (Count == 2) {
        orderPair(0, 1);
        return;
    }
    if (Count == 3) {
        orderPair(0, 1);
        orderPair(1, 2);
        orderPair(0, 1);
        return;
    }
    int gap = Count / 2;
    for (;;) {
        bool swapped = false;
        for (int i = 0; i <= Count - 1 - gap; ++i)
            if (orderPair(i, i + gap)) swapped = true;
        if (swapped) continue; // same gap again until a pass changes nothing
        if (gap < 2) return;
        gap /= 2;
    }
}
