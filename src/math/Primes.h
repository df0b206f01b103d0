#pragma once
// The table of small primes behind exact-fraction reduction.

#include <array>
#include <cstdint>

// 2 .. 1299827, the first 100,008 primes.
inline constexpr int PrimesTableCount = 100008;
inline constexpr std::int32_t LargestTablePrime = 1299827;

// Ascending; built by a sieve on first use and constant afterwards (thread-safe).
const std::array<std::int32_t, PrimesTableCount>& PrimesTable();
