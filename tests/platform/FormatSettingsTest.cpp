#include "platform/FormatSettings.h"

#include "common/CommaLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

TEST(FormatSettings, LongDoubleTextIgnoresTheCLocale) {
    TCommaLocale comma;
    ASSERT_TRUE(comma.Active()) << "no ',' locale could be set up";
    // The C library itself now writes ',' ...
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", 1.5);
    EXPECT_STREQ(buf, "1,5");
    // ... but our conversions do not follow it.
    EXPECT_EQ(LongDoubleToText(1.5L), "1.5");
    EXPECT_EQ(LongDoubleToText(-0.25L, 0, ','), "-0,25");
    long double v = 0;
    ASSERT_TRUE(TextToLongDouble("2.75", v));
    EXPECT_EQ(v, 2.75L);
    ASSERT_TRUE(TextToLongDouble("2,75", v, ','));
    EXPECT_EQ(v, 2.75L);
    EXPECT_FALSE(TextToLongDouble("2,75", v, '.'));
}

TEST(FormatSettings, ShortestTextReadsBackToTheSameBits) {
    const long double samples[] = {0.1L,
                                   1.0L / 3.0L,
                                   3.14159265358979323846264338327950288L,
                                   1e-4000L,
                                   1.18973149535723176502e+4932L,
                                   -7.25e300L,
                                   123456789012345678.0L};
    for (long double s : samples) {
        long double back = 0;
        std::string text = LongDoubleToText(s);
        ASSERT_TRUE(TextToLongDouble(text, back)) << text;
        EXPECT_EQ(std::memcmp(&back, &s, 10), 0) << text;
    }
}

TEST(FormatSettings, LayoutOfFixedAndScientificText) {
    EXPECT_EQ(LongDoubleToText(0.0L), "0");
    EXPECT_EQ(LongDoubleToText(100.0L), "100");
    EXPECT_EQ(LongDoubleToText(0.0001L), "0.0001");
    EXPECT_EQ(LongDoubleToText(1e-6L), "1E-6");
    EXPECT_EQ(LongDoubleToText(1e22L), "1E+22");
    EXPECT_EQ(LongDoubleToText(2.0L / 3.0L, 15), "0.666666666666667");
    EXPECT_EQ(LongDoubleToText(1e15L, 15), "1E+15");
    EXPECT_EQ(LongDoubleToText(123456.0L, 15), "123456");
    EXPECT_EQ(LongDoubleToText(-1.5e-7L, 15, ','), "-1,5E-7");
}

TEST(FormatSettings, StrictReadingRefusesWhatIsNotPlainDecimal) {
    long double v = 42;
    for (const char* bad :
         {"", " 1", "1 ", "inf", "nan", "0x10", "1e", "1e+", ".", "-", "1.2.3", "1,2", "--1", "1e99999"}) {
        EXPECT_FALSE(TextToLongDouble(bad, v)) << bad;
    }
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(TextToLongDouble(".5", v));
    EXPECT_EQ(v, 0.5L);
    EXPECT_TRUE(TextToLongDouble("-5.", v));
    EXPECT_EQ(v, -5.0L);
    EXPECT_TRUE(TextToLongDouble("+1.5E3", v));
    EXPECT_EQ(v, 1500.0L);
    // Underflow is not an error: it reads as zero.
    EXPECT_TRUE(TextToLongDouble("1e-99999", v));
    EXPECT_EQ(v, 0.0L);
}

TEST(FormatSettings, GlobalRecordIsSharedAndResettable) {
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = ".";
    EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
    ResetFormatSettings();
    EXPECT_EQ(FormatSettings().DecimalSeparator, '.');
    EXPECT_EQ(FormatSettings().ThousandSeparator, ",");
}
