#include "platform/FormatSettings.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

TFormatSettings gFormatSettings;

// Takes a locale string only when it is one 7-bit character; the engine and the files
// work on single bytes for the decimal and list separators.
char singleAsciiChar(const QString& s, char fallback) {
    if (s.size() == 1 && s.at(0).unicode() > 32 && s.at(0).unicode() < 127) return char(s.at(0).unicode());
    return fallback;
}

locale_t cLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return loc;
}

} // namespace

TFormatSettings& FormatSettings() {
    return gFormatSettings;
}

void ResetFormatSettings() {
    gFormatSettings = TFormatSettings{};
}

void LoadFormatSettingsFromSystemLocale() {
    QLocale loc = QLocale::system();
    TFormatSettings fs;
    fs.DecimalSeparator = singleAsciiChar(loc.decimalPoint(), '.');
    QString group = loc.groupSeparator();
    fs.ThousandSeparator = group.isEmpty() ? std::string() : group.toStdString();
    fs.ListSeparator = fs.DecimalSeparator == ',' ? ';' : ',';
    QString currency = loc.currencySymbol(QLocale::CurrencySymbol);
    if (!currency.isEmpty()) fs.CurrencyString = currency.toStdString();
    // Qt tells the placement by example: format 1 and -1 and see where the symbol lands.
    QString pos = loc.toCurrencyString(1.0, currency, 0);
    QString neg = loc.toCurrencyString(-1.0, currency, 0);
    bool prefix = pos.startsWith(currency);
    bool spaced = prefix
                      ? (pos.size() > currency.size() && pos.at(currency.size()).isSpace())
                      : (pos.size() > currency.size() && pos.at(pos.size() - currency.size() - 1).isSpace());
    fs.CurrencyFormat = static_cast<unsigned char>((prefix ? 0 : 1) + (spaced ? 2 : 0));
    if (neg.startsWith('('))
        fs.NegCurrFormat = prefix ? (spaced ? 14 : 0) : (spaced ? 15 : 4);
    else if (prefix)
        fs.NegCurrFormat = neg.startsWith('-') ? (spaced ? 9 : 1) : (spaced ? 12 : 2);
    else
        fs.NegCurrFormat = spaced ? 8 : 5;
    fs.CurrencyDecimals = 2;
    gFormatSettings = fs;
}

std::string LongDoubleToText(long double value, int significantDigits, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    char buf[128];
    std::to_chars_result r;
    if (significantDigits <= 0) {
        r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    } else {
        if (significantDigits > 21) significantDigits = 21;
        r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, significantDigits - 1);
    }
    std::string sci(buf, r.ptr);
    // Split "d.ddde+XX" into sign, digits and exponent, then lay them out ourselves.
    bool negative = !sci.empty() && sci[0] == '-';
    if (negative) sci.erase(0, 1);
    auto ePos = sci.find('e');
    std::string mantissa = sci.substr(0, ePos);
    int exponent = std::atoi(sci.c_str() + ePos + 1);
    std::string digits;
    for (char c : mantissa)
        if (c != '.') digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    if (value == 0) {
        digits.assign(1, '0');
        exponent = 0;
    }
    int precision = significantDigits <= 0 ? 21 : significantDigits;
    std::string out;
    if (negative) out += '-';
    if (exponent >= -5 && exponent < precision) {
        if (exponent < 0) {
            out += '0';
            out += decimalSeparator;
            out.append(size_t(-exponent - 1), '0');
            out += digits;
        } else {
            if (digits.size() <= size_t(exponent) + 1) {
                out += digits;
                out.append(size_t(exponent) + 1 - digits.size(), '0');
            } else {
                out += digits.substr(0, size_t(exponent) + 1);
                out += decimalSeparator;
                out += digits.substr(size_t(exponent) + 1);
            }
        }
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += decimalSeparator;
            out += digits.substr(1);
        }
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        out += std::to_string(exponent < 0 ? -exponent : exponent);
    }
    return out;
}

bool TextToLongDouble(std::string_view text, long double& value, char decimalSeparator) {
    std::string buf;
    buf.reserve(text.size());
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) buf += text[i++];
    size_t digits = 0;
    bool seenSeparator = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            buf += c;
            ++digits;
        } else if (c == decimalSeparator && !seenSeparator) {
            buf += '.';
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        buf += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) buf += text[i++];
        size_t expDigits = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++expDigits)
            buf += text[i];
        if (expDigits == 0) return false;
    }
    if (i != text.size()) return false;
    char* end = nullptr;
    long double v = strtold_l(buf.c_str(), &end, cLocale());
    if (end != buf.c_str() + buf.size()) return false;
    if (std::isinf(v)) return false;
    value = v;
    return true;
}
