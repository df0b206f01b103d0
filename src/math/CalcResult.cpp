#include "math/CalcResult.h"

#include "math/Floatstr.h"

#include <utility>

namespace {

std::string upperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

// |v| without overflow for the most negative value.
std::uint64_t magnitude(std::int64_t v) {
    return v < 0 ? ~std::uint64_t(v) + 1 : std::uint64_t(v);
}

std::string fractionText(std::int64_t n, std::int64_t d) {
    return std::to_string(n) + "/" + std::to_string(d);
}

std::string mixedText(std::int64_t n, std::int64_t d) {
    std::uint64_t un = magnitude(n), ud = magnitude(d);
    if (un < ud) return fractionText(n, d);
    std::uint64_t whole = un / ud, rest = un % ud;
    bool negative = (n < 0) != (d < 0);
    std::string w = (negative && whole != 0 ? "-" : "") + std::to_string(whole);
    if (rest == 0) return w;
    return w + " and " + std::to_string(rest) + "/" + std::to_string(ud);
}

// Longer-first: true when name a is to stand before name b.
bool comesFirst(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return a.size() > b.size();
    return upperAscii(a) > upperAscii(b);
}

} // namespace

std::string FormatCalculatorResult(TCalcResultFormat Format, bool Exact, std::int64_t N, std::int64_t D,
                                   long double F) {
    if (Format == cfScientific) return FloatToExponentText(F, 18, 1);
    if (Format == cfDecimal || !Exact || D == 0) return FloatToFixedText(F, 18, false);
    switch (Format) {
    case cfIntegerFraction:
        return D == 1 ? std::to_string(N) : fractionText(N, D);
    case cfFraction:
        return fractionText(N, D);
    case cfMixedFraction:
        return mixedText(N, D);
    default:
        return FloatToFixedText(F, 18, false);
    }
}

std::array<int, 3> CalculatorBindingOrder(std::array<std::string, 3>& Names) {
    auto same = [](const std::string& a, const std::string& b) {
        return !a.empty() && upperAscii(a) == upperAscii(b);
    };
    if (same(Names[2], Names[0]) || same(Names[2], Names[1])) Names[2].clear();
    if (same(Names[1], Names[0])) Names[1].clear();
    std::array<int, 3> order = {0, 1, 2};
    auto step = [&](int i, int j) {
        if (comesFirst(Names[size_t(order[size_t(j)])], Names[size_t(order[size_t(i)])]))
            std::swap(order[size_t(i)], order[size_t(j)]);
    };
    step(0, 1);
    step(1, 2);
    step(0, 1);
    return order;
}
