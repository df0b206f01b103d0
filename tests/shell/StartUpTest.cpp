#include "shell/StartUp.h"

#include "platform/FormatSettings.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

TEST(StartUp, SeparatorsThatClashWithExpressionsBecomeAPoint) {
    const std::string clashing = std::string("\0\t\n\r ()*+-/[]^{}", 17) + "0123456789AZaz";
    for (char c : clashing) {
        FormatSettings().DecimalSeparator = c;
        FixupDecimalSeparator();
        EXPECT_EQ(FormatSettings().DecimalSeparator, '.') << int(c);
    }
    for (char c : std::string(",.;:'_!$%&|<>?@\\")) {
        FormatSettings().DecimalSeparator = c;
        FixupDecimalSeparator();
        EXPECT_EQ(FormatSettings().DecimalSeparator, c) << c;
    }
    ResetFormatSettings();
}

TEST(StartUp, NumericLocaleGoesBackToC) {
    std::setlocale(LC_NUMERIC, "");
    ResetNumericLocale();
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
}
