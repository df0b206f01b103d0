#include "math/Primes.h"

#include <vector>

namespace {

std::array<std::int32_t, PrimesTableCount> sievePrimes() {
    std::array<std::int32_t, PrimesTableCount> table{};
    std::vector<bool> composite(LargestTablePrime + 1, false);
    int count = 0;
    for (std::int32_t n = 2; n <= LargestTablePrime; ++n) {
        if (composite[n]) continue;
        if (count < PrimesTableCount) table[count++] = n;
        for (std::int64_t m = std::int64_t(n) * n; m <= LargestTablePrime; m += n)
            composite[m] = true;
    }
    return table;
}

} // namespace

const std::array<std::int32_t, PrimesTableCount>& PrimesTable() {
    static const std::array<std::int32_t, PrimesTableCount> table = sievePrimes();
    return table;
}
