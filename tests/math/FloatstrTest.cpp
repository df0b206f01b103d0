#include "math/Floatstr.h"
#include "math/GrGlobal.h"
#include "platform/FormatSettings.h"

#include "common/CommaLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Restores the neutral settings after a test changed them.
struct ScopedFormatSettings {
    ScopedFormatSettings() { ResetFormatSettings(); }
    ~ScopedFormatSettings() { ResetFormatSettings(); }
};

void useGermanNotation() {
    TFormatSettings& fs = FormatSettings();
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = ".";
    fs.CurrencyString = "\xE2\x82\xAC"; // euro sign
    fs.CurrencyFormat = 3;              // "1 €"
    fs.NegCurrFormat = 8;               // "-1 €"
}

} // namespace

TEST(FormatNumber, ExamplesOfTheFiveKinds) {
    ScopedFormatSettings reset;
    EXPECT_EQ(FormatNumber(nfMaxDecimal, false, false, 2.5L, 4), "2.5");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, 2.5L, 4), "2.5000");
    EXPECT_EQ(FormatNumber(nfScientific, false, false, 2.5L, 3), "2.50E+0");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, true, 2.5L, 1), "+2.5");
    EXPECT_EQ(FormatNumber(nfMaxDecimal, false, true, -0.0001L, 2), "-0");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, -0.0001L, 2), "0.00");
    EXPECT_EQ(FormatNumber(nfMaxDecimal, false, true, 0.0L, 2), "0");
    EXPECT_EQ(FormatNumber(nfMaxDecimal, false, false, 3.0L, 0), "3");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, 2.6875L, 3), "2.688");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, -1.005L, 0), "-1");
    // Digits are clamped into 0..18.
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, 0.5L, 25),
              FormatNumber(nfFixedDecimal, false, false, 0.5L, 18));
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, 0.5L, 25), "0.500000000000000000");
    // Halves round away from zero.
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, 2.5L, -3), "3");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, -2.5L, 0), "-3");
    EXPECT_EQ(FormatNumber(nfScientific, false, false, 1.25L, 2), "1.3E+0");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, 0.0096L, 2), "0.01");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, 99.996L, 2), "100.00");
    EXPECT_EQ(FormatNumber(nfScientific, false, false, 2.5L, 0), "2.5E+0");
    // Scientific ignores the thousands option; the plus sign still applies.
    EXPECT_EQ(FormatNumber(nfScientific, true, true, 12345.0L, 2), "+1.2E+4");
    EXPECT_EQ(FormatNumber(nfScientific, false, false, -9.99L, 2), "-1.0E+1");
    EXPECT_EQ(FormatNumber(nfScientific, false, false, 1e-300L, 3), "1.00E-300");
    EXPECT_EQ(FormatNumber(nfScientific, false, false, 0.0L, 3), "0.00E+0");
    // A kind outside the table gets the general form.
    EXPECT_EQ(FormatNumber(TNumberFormatKind(9), false, false, 1.5L, 7), "1.5");
    EXPECT_EQ(FormatNumber(nfMaxDecimal, false, false, std::numeric_limits<long double>::quiet_NaN(), 2),
              "NAN");
}

TEST(FormatNumber, EighteenSignificantDigitsAndLargeValues) {
    ScopedFormatSettings reset;
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, 1.0L / 3.0L, 18), "0.333333333333333333");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, 2.0L / 3.0L, 18), "0.666666666666666667");
    // Places beyond the 18 significant digits are zeros, not binary noise.
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, 12345.678L, 18), "12345.678000000000000000");
    EXPECT_EQ(FormatNumber(nfMaxDecimal, false, false, 12345.678L, 18), "12345.678");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, 123456789012345678.0L, 2), "123456789012345678.00");
    // Beyond 18 integer digits the exponent form takes over, trailing zeros dropped.
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, false, 1e18L, 2), "1E+18");
    EXPECT_EQ(FormatNumber(nfMaxDecimal, true, false, -1.5e20L, 2), "-1.5E+20");
    EXPECT_EQ(FormatNumber(nfMaxDecimal, false, true, 2e300L, 2), "+2E+300");
    EXPECT_EQ(FloatToStrTrim(0.1L), "0.1");
    EXPECT_EQ(FloatToStrTrim(-2.0L), "-2");
    EXPECT_EQ(FloatToStrTrim(1e-20L), "0");
    EXPECT_EQ(FloatToStrTrim(1e25L), "1E+25");
    EXPECT_EQ(FloatToStrTrim6(1.0L / 3.0L), "0.333333");
    EXPECT_EQ(FloatToStrTrim6(-0.0000001L), "0");
}

TEST(FormatNumber, ThousandsAndCurrencyFollowTheSettings) {
    ScopedFormatSettings reset;
    {
        // The C library's locale has no say; only FormatSettings() does.
        TCommaLocale comma;
        ASSERT_TRUE(comma.Active());
        EXPECT_EQ(FormatNumber(nfFixedDecimal, true, false, 1234.5L, 2), "1,234.50");
        long double x = 0;
        EXPECT_TRUE(TryStrToExtended("0.5", x));
        EXPECT_EQ(x, 0.5L);
    }
    EXPECT_EQ(FormatNumber(nfMaxDecimal, true, false, 1234567.891L, 2), "1,234,567.89");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, true, true, -1234.0L, 1), "-1,234.0");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, true, false, 123.0L, 0), "123");
    EXPECT_EQ(FormatNumber(nfCurrencyFixedDec, false, false, 1234.5L, 2), "$1,234.50");
    EXPECT_EQ(FormatNumber(nfCurrencyMaxDec, false, true, 1234.5L, 2), "$1,234.5");
    EXPECT_EQ(FormatNumber(nfCurrencyMaxDec, false, false, 12.0L, 2), "$12");
    EXPECT_EQ(FormatNumber(nfCurrencyFixedDec, false, false, -1234.5L, 2), "($1,234.50)");
    FormatSettings().NegCurrFormat = 1;
    EXPECT_EQ(FormatNumber(nfCurrencyFixedDec, false, true, -3.0L, 0), "-$3");

    useGermanNotation();
    EXPECT_EQ(FormatNumber(nfMaxDecimal, true, false, 1234567.891L, 2), "1.234.567,89");
    EXPECT_EQ(FormatNumber(nfMaxDecimal, false, false, 2.5L, 4), "2,5");
    EXPECT_EQ(FormatNumber(nfFixedDecimal, false, true, 2.5L, 1), "+2,5");
    EXPECT_EQ(FormatNumber(nfScientific, false, false, 2.5L, 3), "2,50E+0");
    EXPECT_EQ(FormatNumber(nfMaxDecimal, false, true, -0.0001L, 2), "-0");
    EXPECT_EQ(FormatNumber(nfCurrencyFixedDec, false, false, 1234.5L, 2), "1.234,50 \xE2\x82\xAC");
    EXPECT_EQ(FormatNumber(nfCurrencyFixedDec, false, false, -1234.5L, 2), "-1.234,50 \xE2\x82\xAC");
    EXPECT_EQ(FormatNumber(nfCurrencyMaxDec, false, false, 1234.5L, 2), "1.234,5\xE2\x82\xAC");
    EXPECT_EQ(FormatNumber(nfCurrencyMaxDec, false, false, 12.0L, 2), "12\xE2\x82\xAC");
    EXPECT_EQ(FloatToStrTrim(0.25L), "0,25");
}

TEST(FormatNumber, TrimRules) {
    ScopedFormatSettings reset;
    auto trim = [](std::string s) {
        TrimTrailingZeros(s);
        return s;
    };
    EXPECT_EQ(trim("12.500"), "12.5");
    EXPECT_EQ(trim("3.000"), "3");
    EXPECT_EQ(trim("-0.000"), "0");
    EXPECT_EQ(trim("1,234.000"), "1,234");
    EXPECT_EQ(trim("1.5E+003"), "1.5E+003");
    EXPECT_EQ(trim("100"), "100");
    EXPECT_EQ(trim("-.000"), "0");
    EXPECT_EQ(trim("."), "0");
    EXPECT_EQ(trim(" 1 2.50 "), "12.5");
    EXPECT_EQ(trim(""), "0");
    EXPECT_EQ(trim("1.2.0"), "1.2.0");
    auto trimCurrency = [](std::string s) {
        TrimCurrencyZeros(s);
        return s;
    };
    EXPECT_EQ(trimCurrency("$1,234.50"), "$1,234.5");
    EXPECT_EQ(trimCurrency("$12.00"), "$12");
    EXPECT_EQ(trimCurrency("12.00\xE2\x82\xAC"), "12\xE2\x82\xAC");
    EXPECT_EQ(trimCurrency("($0.00)"), "($0)");
    EXPECT_EQ(trimCurrency("$.00"), "$0");
    EXPECT_EQ(trimCurrency("$100"), "$100");
    EXPECT_EQ(trimCurrency(""), "0");
    FormatSettings().DecimalSeparator = ',';
    EXPECT_EQ(trim("12,500"), "12,5");
    EXPECT_EQ(trim("12.500"), "12.500");
    EXPECT_EQ(trimCurrency("1.234,50 \xE2\x82\xAC"), "1.234,5\xE2\x82\xAC");
}

TEST(FormatNumber, OptionsDigitsAndIndexes) {
    bool thousands = false, plus = false;
    std::string caption;
    GetNumberFormatOptions(nfFixedDecimal, thousands, plus, caption);
    EXPECT_TRUE(thousands);
    EXPECT_TRUE(plus);
    EXPECT_EQ(caption, "Decimal Places");
    GetNumberFormatOptions(nfScientific, thousands, plus, caption);
    EXPECT_FALSE(thousands);
    EXPECT_TRUE(plus);
    EXPECT_EQ(caption, "Precision");
    GetNumberFormatOptions(nfCurrencyMaxDec, thousands, plus, caption);
    EXPECT_FALSE(thousands);
    EXPECT_FALSE(plus);
    EXPECT_EQ(caption, "Decimal Places");
    GetNumberFormatOptions(TNumberFormatKind(200), thousands, plus, caption);
    EXPECT_TRUE(thousands);
    EXPECT_TRUE(plus);
    EXPECT_EQ(DefaultFormatDigits(nfScientific), 3);
    EXPECT_EQ(DefaultFormatDigits(nfCurrencyFixedDec), 2);
    EXPECT_EQ(DefaultFormatDigits(nfMaxDecimal), 1);
    EXPECT_EQ(DefaultFormatDigits(TNumberFormatKind(77)), 1);
    EXPECT_EQ(IndexToNumberFormat(4), nfCurrencyFixedDec);
    EXPECT_EQ(IndexToNumberFormat(5), nfMaxDecimal);
    EXPECT_EQ(IndexToNumberFormat(-1), nfMaxDecimal);
    EXPECT_EQ(NumberFormatToIndex(nfScientific), 2);
    EXPECT_EQ(NumberFormatToIndex(TNumberFormatKind(8)), 0);
    EXPECT_STREQ(NumberFormatNames[nfCurrencyMaxDec], "Currency Max Dec");
}

TEST(FormatNumber, ReadingNumbersChecksTheSyntax) {
    ScopedFormatSettings reset;
    long double x = 7;
    for (const char* bad : {"", " 1", "1 ", "inf", "nan", "INF", "0x10", "1,5", "1e", "--2", "1e99999", "+"})
        EXPECT_FALSE(TryStrToExtended(bad, x)) << bad;
    EXPECT_EQ(x, 7);
    ASSERT_TRUE(TryStrToExtended("-1.5e2", x));
    EXPECT_EQ(x, -150);
    FormatSettings().DecimalSeparator = ',';
    ASSERT_TRUE(TryStrToExtended("2,25", x));
    EXPECT_EQ(x, 2.25L);
    EXPECT_FALSE(TryStrToExtended("2.25", x));
}

TEST(GrGlobal, AnglesAndCoordinates) {
    ScopedFormatSettings reset;
    EXPECT_EQ(NormalizeAngle(725), 5);
    EXPECT_EQ(NormalizeAngle(-725), -5);
    EXPECT_EQ(NormalizeAngle(359.5L), 359.5L);
    EXPECT_EQ(NormalizeAngle(-360), 0);
    long double huge = NormalizeAngle(1e30L);
    EXPECT_TRUE(huge >= 0 && huge < 360) << double(huge);
    EXPECT_EQ(AngleToStr(-725), "-5");
    EXPECT_EQ(AngleToStr(30.1234567L), "30.123457");
    EXPECT_EQ(AngleToStrPositive(-725), "355");
    EXPECT_EQ(AngleToStrPositive(-1e-30L), "0");
    long double a = -1;
    EXPECT_TRUE(StrToAngle("360", a));
    EXPECT_EQ(a, 0);
    EXPECT_TRUE(StrToAngle("-90", a));
    EXPECT_EQ(a, 270);
    EXPECT_FALSE(StrToAngle("ninety", a));
    EXPECT_EQ(a, 0);

    long double r = -1, t = -1;
    RectToPolar(0, 0, r, t);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(t, 0);
    RectToPolar(-1, 0, r, t);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(t, PiExtended);
    RectToPolar(0, -2, r, t);
    EXPECT_EQ(r, 2);
    EXPECT_EQ(t, ThreeHalfPiExtended);
    RectToPolar(1, -1, r, t);
    EXPECT_NEAR(double(t), 7 * M_PI / 4, 1e-15);
    RectToPolar(-3, 4, r, t);
    EXPECT_EQ(r, 5);
    EXPECT_NEAR(double(t), M_PI - std::atan(4.0 / 3.0), 1e-15);
    RectToPolar(-1, -1, r, t);
    EXPECT_NEAR(double(t), 5 * M_PI / 4, 1e-15);
    RectToPolar(1e3000L, 1, r, t);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(t, 0);
    long double x = -1, y = -1;
    PolarToRect(2, PiExtended / 2, x, y);
    EXPECT_NEAR(double(x), 0, 1e-18);
    EXPECT_EQ(y, 2);
    PolarToRect(1, std::numeric_limits<long double>::infinity(), x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_NEAR(double(DegToRad(180)), M_PI, 1e-15);
    EXPECT_NEAR(double(RadToDeg(PiExtended)), 180, 1e-13);

    const std::string suffix = " - (Running)";
    EXPECT_TRUE(StrEndsWith("graph.qxf - (Running)", suffix));
    EXPECT_TRUE(StrEndsWith(suffix, suffix));
    EXPECT_FALSE(StrEndsWith("graph.qxf", suffix));
    EXPECT_FALSE(StrEndsWith("abc", ""));
    EXPECT_FALSE(StrEndsWith("", suffix));
    EXPECT_FALSE(StrEndsWith("ing)", suffix));
}
