#pragma once
// The logic of the calculator dialog that needs no window: the order in which the three
// variable rows are bound, and the text of a result in each of the five result formats.

#include <array>
#include <cstdint>
#include <string>

enum TCalcResultFormat : uint8_t {
    cfIntegerFraction, // "Integer / Fraction": N, or N/D
    cfDecimal,         // fixed form with 18 decimals
    cfScientific,      // exponent form with 18 significant digits
    cfFraction,        // N/D, also when D is 1
    cfMixedFraction,   // "W and R/D"
};

// The result text. Exact says whether the value is an exact fraction N/D (D > 0); a float
// value, and every value under Decimal and Scientific, is shown from F.
std::string FormatCalculatorResult(TCalcResultFormat Format, bool Exact, std::int64_t N, std::int64_t D,
                                   long double F);

// The rows in the order their variables are given to the expression: duplicate names
// (ignoring case) are cleared in Names, keeping the upper row, and the rows are ordered
// longest name first, names of equal length greater first ignoring case, so that the
// compiler, which takes the first variable that matches, never reads "XX" as "X" twice.
// Cleared and empty names come last.
std::array<int, 3> CalculatorBindingOrder(std::array<std::string, 3>& Names);
