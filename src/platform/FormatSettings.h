#pragma once
// Process-wide number format settings and locale-independent number text.
//
// The C locale is set from the environment by Qt's application object, so nothing
// here may use strtold, printf("%Lf") or streams: a ',' locale would silently change
// every number in files and expressions.

#include <cfloat>
#include <string>
#include <string_view>

static_assert(LDBL_MANT_DIG == 64, "Quorix needs the 80-bit x87 long double");

struct TFormatSettings {
    char DecimalSeparator = '.';
    std::string ThousandSeparator = ","; // UTF-8; may be a non-ASCII space in some locales
    char ListSeparator = ',';
    std::string CurrencyString = "$"; // UTF-8
    // Positive currency placement: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    unsigned char CurrencyFormat = 0;
    // Negative currency placement, the sixteen classic patterns 0 "($1)" .. 15 "(1 $)".
    unsigned char NegCurrFormat = 0;
    unsigned char CurrencyDecimals = 2;
};

// The one record read by the engine and the formatters. GUI thread writes it at start-up
// (and tests set it directly); workers only read it.
TFormatSettings& FormatSettings();

// Fills FormatSettings() from the system locale; the shell calls it once at start-up.
void LoadFormatSettingsFromSystemLocale();

// Restores the neutral settings ('.' decimal, ',' thousands, "$" currency).
void ResetFormatSettings();

// Text for a long double, independent of the C locale.
// significantDigits 0 gives the shortest text that reads back to the same value;
// otherwise the value is rounded to that many significant digits (1..21).
// Fixed notation is used for decimal exponents from -5 up to the digit count,
// scientific ("1.5E+20") beyond.
std::string LongDoubleToText(long double value, int significantDigits = 0, char decimalSeparator = '.');

// Strict reading: optional sign, digits with at most one decimal separator and at least
// one digit, optional exponent "E"/"e" with optional sign and digits. No blanks, "inf",
// "nan" or hexadecimal. An overflowing value fails; an underflowing one reads as 0 or
// the nearest denormal.
bool TextToLongDouble(std::string_view text, long double& value, char decimalSeparator = '.');
