#include "math/CalcResult.h"
#include "platform/FormatSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(CalcResult, FiveFormatsOfExactAndFloatValues) {
    ResetFormatSettings();
    const long double half7 = 3.5L;
    EXPECT_EQ(FormatCalculatorResult(cfIntegerFraction, true, 7, 2, half7), "7/2");
    EXPECT_EQ(FormatCalculatorResult(cfFraction, true, 7, 2, half7), "7/2");
    EXPECT_EQ(FormatCalculatorResult(cfMixedFraction, true, 7, 2, half7), "3 and 1/2");
    EXPECT_EQ(FormatCalculatorResult(cfDecimal, true, 7, 2, half7), "3.500000000000000000");
    EXPECT_EQ(FormatCalculatorResult(cfScientific, true, 7, 2, half7), "3.50000000000000000E+0");
    EXPECT_EQ(FormatCalculatorResult(cfMixedFraction, true, -7, 2, -half7), "-3 and 1/2");
    EXPECT_EQ(FormatCalculatorResult(cfMixedFraction, true, -1, 3, -1.0L / 3), "-1/3");
    EXPECT_EQ(FormatCalculatorResult(cfMixedFraction, true, -6, 3, -2), "-2");
    EXPECT_EQ(FormatCalculatorResult(cfMixedFraction, true, 0, 1, 0), "0/1");
    EXPECT_EQ(FormatCalculatorResult(cfIntegerFraction, true, 2, 1, 2), "2");
    EXPECT_EQ(FormatCalculatorResult(cfFraction, true, 2, 1, 2), "2/1");
    EXPECT_EQ(FormatCalculatorResult(cfScientific, true, -12345, 1, -12345), "-1.23450000000000000E+4");
    EXPECT_EQ(FormatCalculatorResult(cfScientific, false, 0, 1, 1e-300L), "1.00000000000000000E-300");
    // The most negative numerator is written without overflow.
    const std::int64_t minN = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(FormatCalculatorResult(cfMixedFraction, true, minN, 3, minN / 3.0L),
              "-3074457345618258602 and 2/3");
    // A float shows fixed decimals under every format but Scientific; past the 18
    // significant digits come zeros.
    const long double root2 = std::sqrt(2.0L);
    for (TCalcResultFormat f : {cfIntegerFraction, cfDecimal, cfFraction, cfMixedFraction})
        EXPECT_EQ(FormatCalculatorResult(f, false, 0, 1, root2), "1.414213562373095050") << int(f);
    EXPECT_EQ(FormatCalculatorResult(cfScientific, false, 0, 1, root2), "1.41421356237309505E+0");
    FormatSettings().DecimalSeparator = ',';
    EXPECT_EQ(FormatCalculatorResult(cfDecimal, true, 1, 4, 0.25L), "0,250000000000000000");
    ResetFormatSettings();
}

TEST(CalcResult, BindingOrderPutsLongerNamesFirstAndDropsDuplicates) {
    auto order = [](std::array<std::string, 3> names, std::array<std::string, 3>* after = nullptr) {
        auto o = CalculatorBindingOrder(names);
        if (after) *after = names;
        return o;
    };
    EXPECT_EQ(order({"X", "XX", ""}), (std::array<int, 3>{1, 0, 2}));
    EXPECT_EQ(order({"XX", "X", ""}), (std::array<int, 3>{0, 1, 2}));
    EXPECT_EQ(order({"", "X", "XX"}), (std::array<int, 3>{2, 1, 0}));
    EXPECT_EQ(order({"X", "Y", "Z"}), (std::array<int, 3>{2, 1, 0}));
    EXPECT_EQ(order({"Theta", "t", "T"}), (std::array<int, 3>{0, 1, 2}));
    std::array<std::string, 3> after;
    // x and X: one variable, the upper row's.
    EXPECT_EQ(order({"x", "X", "Z"}, &after), (std::array<int, 3>{2, 0, 1}));
    EXPECT_EQ(after, (std::array<std::string, 3>{"x", "", "Z"}));
    order({"ab", "Q", "AB"}, &after);
    EXPECT_EQ(after, (std::array<std::string, 3>{"ab", "Q", ""}));
    order({"", "", ""}, &after);
    EXPECT_EQ(after, (std::array<std::string, 3>{"", "", ""}));
}
