#pragma once
// Number texts the user sees: the five number formats of tick labels and value displays,
// the trimming of trailing zeros, and reading numbers typed in the user's notation.
// Pure functions of their arguments and FormatSettings(); any thread may call them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum TNumberFormatKind : uint8_t {
    nfMaxDecimal = 0,
    nfFixedDecimal = 1,
    nfScientific = 2,
    nfCurrencyMaxDec = 3,
    nfCurrencyFixedDec = 4,
};

// Display names of the kinds, indexed by kind (the order of the format combo boxes).
inline constexpr std::array<const char*, 5> NumberFormatNames = {"Max Decimal", "Fixed Decimal", "Scientific",
                                                                 "Currency Max Dec", "Currency Fixed Dec"};
// Captions of the digits field of a number-format group.
inline constexpr const char* DecimalPlacesCaption = "Decimal Places";
inline constexpr const char* PrecisionCaption = "Precision";

// The text of X in format Kind. Digits is clamped to 0..18; Thousands adds group separators
// (fixed kinds only); PlusSign adds "+" to positive values and makes sure a negative value
// that rounds to zero still shows "-" (not for the currency kinds).
std::string FormatNumber(TNumberFormatKind Kind, bool Thousands, bool PlusSign, long double X, int Digits);

// Which options of a number-format group apply to Kind.
void GetNumberFormatOptions(TNumberFormatKind Kind, bool& ThousandsEnabled, bool& PlusEnabled,
                            std::string& DigitsCaption);
int DefaultFormatDigits(TNumberFormatKind Kind);
TNumberFormatKind IndexToNumberFormat(int Index);
int NumberFormatToIndex(TNumberFormatKind Kind);

// Removes blanks and the zeros after the decimal separator ("12.500" -> "12.5", "3.000" -> "3").
void TrimTrailingZeros(std::string& S);
// The same for a currency text, leaving the symbols around the number in place.
void TrimCurrencyZeros(std::string& S);

// General number text: fixed form, at most 18 significant digits and 18 decimals, trimmed.
std::string FloatToStrTrim(long double X);
// Fixed form with 6 decimals, trimmed.
std::string FloatToStrTrim6(long double X);
// Shortest text of 15 significant digits, fixed or exponent form as the value needs.
std::string FloatToStrGeneral(long double X);

// Reads a number in the user's notation (decimal separator of FormatSettings(), optional
// sign and exponent). False for an empty text, blanks, "inf", "nan", hexadecimal, a value
// out of range or anything else that is not a plain number; X is then left alone.
bool TryStrToExtended(std::string_view S, long double& X);

// Building blocks of the formats, shared with the calculator.
// Fixed form with exactly Decimals decimals (0..18) of X rounded to 18 significant digits;
// a value whose integer part needs more than 18 digits gets the exponent form instead.
std::string FloatToFixedText(long double X, int Decimals, bool Thousands);
// Exponent form: Digits significant digits (1..21), "E", the exponent's sign and at least
// MinExponentDigits exponent digits.
std::string FloatToExponentText(long double X, int Digits, int MinExponentDigits);
