#include "math/Floatstr.h"

#include "platform/FormatSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kMaxSignificant = 18;
// Digits taken from the binary value before our own rounding; far more than any format
// keeps, so the first dropped digit is exact.
constexpr int kRawDigits = 60;

// |x| as decimal digits: Digits[0] stands for 10^Exponent. Zero is "0".
struct DecimalDigits {
    std::string Digits;
    int Exponent = 0;
    bool IsZero() const { return Digits == "0"; }
};

DecimalDigits rawDigits(long double x) {
    DecimalDigits out;
    x = std::fabs(x);
    if (x == 0) {
        out.Digits = "0";
        return out;
    }
    char buf[128];
    auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, kRawDigits - 1);
    std::string_view sci(buf, size_t(r.ptr - buf));
    size_t e = sci.find('e');
    for (char c : sci.substr(0, e))
        if (c != '.') out.Digits += c;
    out.Exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
    return out;
}

// Keeps the first `keep` digits, rounding half away from zero (2.5 shows as 3 with no
// decimals, as people round by hand); trailing zeros are dropped. keep may be 0 or less:
// then only a first digit of 5 or more survives, as a 1 one place higher.
DecimalDigits roundDigits(DecimalDigits d, int keep) {
    if (d.IsZero()) return d;
    if (keep < 0) return {"0", 0};
    if (size_t(keep) < d.Digits.size()) {
        bool up = d.Digits[size_t(keep)] >= '5';
        d.Digits.resize(size_t(keep));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && d.Digits[size_t(i)] == '9')
                d.Digits[size_t(i--)] = '0';
            if (i >= 0) {
                ++d.Digits[size_t(i)];
            } else {
                d.Digits.insert(d.Digits.begin(), '1');
                ++d.Exponent;
            }
        }
    }
    while (!d.Digits.empty() && d.Digits.back() == '0')
        d.Digits.pop_back();
    if (d.Digits.empty()) return {"0", 0};
    return d;
}

DecimalDigits significantDigits(long double x, int count) {
    return roundDigits(rawDigits(x), count);
}

std::string nonFiniteText(long double x) {
    if (std::isnan(x)) return "NAN";
    return x < 0 ? "-INF" : "INF";
}

std::string groupThousands(const std::string& integerDigits) {
    const std::string& sep = FormatSettings().ThousandSeparator;
    if (sep.empty() || integerDigits.size() <= 3) return integerDigits;
    std::string out;
    size_t lead = integerDigits.size() % 3;
    if (lead == 0) lead = 3;
    out = integerDigits.substr(0, lead);
    for (size_t i = lead; i < integerDigits.size(); i += 3) {
        out += sep;
        out += integerDigits.substr(i, 3);
    }
    return out;
}

// Unsigned fixed form of |x|: integer digits and exactly `decimals` decimals, with at most
// 18 significant digits; TooLarge when the integer part needs more than 18 digits.
struct FixedParts {
    std::string Integer;
    std::string Fraction;
    bool Zero = true; // every shown digit is 0
    bool TooLarge = false;
};

FixedParts fixedParts(long double x, int decimals) {
    FixedParts out;
    DecimalDigits raw = rawDigits(x);
    DecimalDigits d = roundDigits(raw, std::min(kMaxSignificant, raw.Exponent + 1 + decimals));
    if (!d.IsZero() && d.Exponent >= kMaxSignificant) {
        out.TooLarge = true;
        return out;
    }
    if (d.IsZero()) {
        out.Integer = "0";
    } else if (d.Exponent >= 0) {
        size_t intLen = size_t(d.Exponent) + 1;
        if (d.Digits.size() <= intLen) {
            out.Integer = d.Digits + std::string(intLen - d.Digits.size(), '0');
        } else {
            out.Integer = d.Digits.substr(0, intLen);
            out.Fraction = d.Digits.substr(intLen);
        }
        out.Zero = false;
    } else {
        out.Integer = "0";
        out.Fraction = std::string(size_t(-d.Exponent - 1), '0') + d.Digits;
        out.Zero = false;
    }
    out.Fraction.append(size_t(decimals) - std::min(out.Fraction.size(), size_t(decimals)), '0');
    return out;
}

// Sign, first digit, the separator and the other digits when there are any, then "E+" or
// "E-" and at least minExponentDigits exponent digits.
std::string exponentForm(bool negative, const std::string& digits, int exponent, int minExponentDigits) {
    std::string out = negative ? "-" : "";
    out += digits[0];
    if (digits.size() > 1) {
        out += FormatSettings().DecimalSeparator;
        out += digits.substr(1);
    }
    out += exponent < 0 ? "E-" : "E+";
    std::string e = std::to_string(std::abs(exponent));
    if (int(e.size()) < minExponentDigits) e.insert(0, size_t(minExponentDigits) - e.size(), '0');
    return out + e;
}

// The exponent form used where a fixed text would need more than 18 integer digits.
std::string largeValueText(long double x) {
    DecimalDigits sig = significantDigits(x, kMaxSignificant);
    return exponentForm(x < 0, sig.Digits, sig.Exponent, 1);
}

// The digits of a fixed text without its sign: the integer part, grouped when asked, and
// the separator and decimals when there are any.
std::string unsignedFixedText(const FixedParts& parts, int decimals, bool thousands) {
    std::string out = thousands ? groupThousands(parts.Integer) : parts.Integer;
    if (decimals > 0) {
        out += FormatSettings().DecimalSeparator;
        out += parts.Fraction;
    }
    return out;
}

std::string currencyText(long double x, int decimals) {
    if (!std::isfinite(x)) return nonFiniteText(x);
    FixedParts parts = fixedParts(x, decimals);
    if (parts.TooLarge) return largeValueText(x);
    const std::string number = unsignedFixedText(parts, decimals, true);
    const TFormatSettings& fs = FormatSettings();
    const std::string& c = fs.CurrencyString;
    bool negative = x < 0 && !parts.Zero;
    if (!negative) {
        switch (fs.CurrencyFormat) {
        case 1:
            return number + c;
        case 2:
            return c + " " + number;
        case 3:
            return number + " " + c;
        default:
            return c + number;
        }
    }
    const std::string& n = number;
    switch (fs.NegCurrFormat) {
    case 1:
        return "-" + c + n;
    case 2:
        return c + "-" + n;
    case 3:
        return c + n + "-";
    case 4:
        return "(" + n + c + ")";
    case 5:
        return "-" + n + c;
    case 6:
        return n + "-" + c;
    case 7:
        return n + c + "-";
    case 8:
        return "-" + n + " " + c;
    case 9:
        return "-" + c + " " + n;
    case 10:
        return n + " " + c + "-";
    case 11:
        return c + " " + n + "-";
    case 12:
        return c + " -" + n;
    case 13:
        return n + "- " + c;
    case 14:
        return "(" + c + " " + n + ")";
    case 15:
        return "(" + n + " " + c + ")";
    default:
        return "(" + c + n + ")";
    }
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

void deleteBlanks(std::string& s) {
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
}

} // namespace

std::string FloatToFixedText(long double X, int Decimals, bool Thousands) {
    if (!std::isfinite(X)) return nonFiniteText(X);
    Decimals = std::clamp(Decimals, 0, kMaxSignificant);
    FixedParts parts = fixedParts(X, Decimals);
    if (parts.TooLarge) return largeValueText(X);
    // A value that rounds to zero shows no sign.
    return (X < 0 && !parts.Zero ? "-" : "") + unsignedFixedText(parts, Decimals, Thousands);
}

std::string FloatToExponentText(long double X, int Digits, int MinExponentDigits) {
    if (!std::isfinite(X)) return nonFiniteText(X);
    Digits = std::clamp(Digits, 1, 21);
    DecimalDigits sig = significantDigits(X, Digits);
    std::string d = sig.Digits;
    d.append(size_t(Digits) - d.size(), '0');
    return exponentForm(X < 0, d, sig.Exponent, MinExponentDigits);
}

std::string FormatNumber(TNumberFormatKind Kind, bool Thousands, bool PlusSign, long double X, int Digits) {
    Digits = std::clamp(Digits, 0, kMaxSignificant);
    std::string s;
    bool currency = false;
    switch (Kind) {
    case nfMaxDecimal:
        s = FloatToFixedText(X, Digits, Thousands);
        TrimTrailingZeros(s);
        break;
    case nfFixedDecimal:
        s = FloatToFixedText(X, Digits, Thousands);
        break;
    case nfScientific:
        s = FloatToExponentText(X, std::max(Digits, 2), 1);
        break;
    case nfCurrencyMaxDec:
        currency = true;
        s = currencyText(X, Digits);
        TrimCurrencyZeros(s);
        break;
    case nfCurrencyFixedDec:
        currency = true;
        s = currencyText(X, Digits);
        break;
    default:
        s = FloatToStrGeneral(X);
        break;
    }
    if (s.empty()) s = "0";
    if (PlusSign && !currency && s[0] != '+' && s[0] != '-') {
        if (X < 0)
            s.insert(0, "-");
        else if (X > 0)
            s.insert(0, "+");
    }
    return s;
}

void GetNumberFormatOptions(TNumberFormatKind Kind, bool& ThousandsEnabled, bool& PlusEnabled,
                            std::string& DigitsCaption) {
    DigitsCaption = DecimalPlacesCaption;
    switch (Kind) {
    case nfScientific:
        ThousandsEnabled = false;
        PlusEnabled = true;
        DigitsCaption = PrecisionCaption;
        break;
    case nfCurrencyMaxDec:
    case nfCurrencyFixedDec:
        ThousandsEnabled = false;
        PlusEnabled = false;
        break;
    default:
        ThousandsEnabled = true;
        PlusEnabled = true;
        break;
    }
}

int DefaultFormatDigits(TNumberFormatKind Kind) {
    switch (Kind) {
    case nfScientific:
        return 3;
    case nfCurrencyMaxDec:
    case nfCurrencyFixedDec:
        return 2;
    default:
        return 1;
    }
}

TNumberFormatKind IndexToNumberFormat(int Index) {
    return Index >= 1 && Index <= 4 ? TNumberFormatKind(Index) : nfMaxDecimal;
}

int NumberFormatToIndex(TNumberFormatKind Kind) {
    return Kind >= 1 && Kind <= 4 ? int(Kind) : 0;
}

void TrimTrailingZeros(std::string& S) {
    deleteBlanks(S);
    const char sep = FormatSettings().DecimalSeparator;
    size_t separators = size_t(std::count(S.begin(), S.end(), sep));
    bool hasExponent = S.find_first_of("Ee") != std::string::npos;
    if (!S.empty() && !hasExponent && separators == 1) {
        while (!S.empty() && S.back() == '0')
            S.pop_back();
        if (!S.empty() && S.back() == sep) {
            if (S.size() == 1)
                S = "0";
            else if (!isDigit(S[S.size() - 2]))
                S.back() = '0';
            else
                S.pop_back();
        }
    }
    if (S.empty() || S == "+0" || S == "-0") S = "0";
}

void TrimCurrencyZeros(std::string& S) {
    deleteBlanks(S);
    const char sep = FormatSettings().DecimalSeparator;
    const size_t none = std::string::npos;
    size_t first = none, last = none, separators = 0;
    bool hasExponent = false;
    for (size_t i = 0; i < S.size(); ++i) {
        char c = S[i];
        if (isDigit(c) || c == sep) {
            if (first == none) first = i;
            last = i;
        }
        if (c == sep) ++separators;
        if (c == 'E' || c == 'e') hasExponent = true;
    }
    if (!hasExponent && separators == 1 && last != none) {
        size_t pos = last;
        while (pos > first && S[pos] == '0')
            S.erase(pos--, 1);
        if (S[pos] == sep) {
            if (S.size() == 1)
                S = "0";
            else if (pos == 0 || !isDigit(S[pos - 1]))
                S[pos] = '0';
            else
                S.erase(pos, 1);
        }
    }
    if (S.empty()) S = "0";
}

std::string FloatToStrTrim(long double X) {
    std::string s = FloatToFixedText(X, kMaxSignificant, false);
    TrimTrailingZeros(s);
    return s;
}

std::string FloatToStrTrim6(long double X) {
    std::string s = FloatToFixedText(X, 6, false);
    TrimTrailingZeros(s);
    return s;
}

std::string FloatToStrGeneral(long double X) {
    return LongDoubleToText(X, 15, FormatSettings().DecimalSeparator);
}

bool TryStrToExtended(std::string_view S, long double& X) {
    if (S.empty()) return false;
    return TextToLongDouble(S, X, FormatSettings().DecimalSeparator);
}
