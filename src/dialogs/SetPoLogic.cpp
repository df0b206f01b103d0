#include "dialogs/SetPoLogic.h"

#include "math/GrGlobal.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

bool isBlank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    const auto last = s.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
}

} // namespace

std::vector<long double> TAxisList::InUse() const {
    const int n = std::clamp(Count, 0, MaxPolarAxes);
    return std::vector<long double>(Angles.begin(), Angles.begin() + n);
}

TAxisListRead ReadAxisLines(const std::vector<std::string>& Lines) {
    TAxisListRead read;
    for (std::size_t i = 0; i < Lines.size() && read.Angles.size() < std::size_t(MaxPolarAxes); ++i) {
        // Blanks around a number are what a user types by accident, not a format error.
        if (isBlank(Lines[i])) continue;
        long double angle = 0;
        if (!StrToAngle(trimmed(Lines[i]), angle)) {
            read.Ok = false;
            read.BadLine = int(i);
            break;
        }
        read.Angles.push_back(angle);
    }
    return read;
}

std::string AxisAngleErrorMessage(int Line) {
    return "Invalid numeric format in axis angle #" + std::to_string(Line);
}

void SetAxisAngles(TAxisList& List, const std::vector<long double>& Angles) {
    const std::size_t n = std::min(Angles.size(), List.Angles.size());
    std::copy_n(Angles.begin(), n, List.Angles.begin());
    List.Count = int32_t(n);
}

void SortAxisList(TAxisList& List) {
    const auto first = List.Angles.begin();
    const auto last = first + std::clamp(List.Count, 0, MaxPolarAxes);
    // Angles come from StrToAngle or the file: a stray no-number goes to the end.
    std::stable_sort(first, last,
                     [](long double a, long double b) { return std::isnan(b) ? !std::isnan(a) : a < b; });
    const auto end = std::unique(first, last);
    List.Count = int32_t(end - first);
}

std::vector<std::string> AxisListLines(const TAxisList& List) {
    std::vector<std::string> lines;
    for (long double a : List.InUse())
        lines.push_back(AngleToStrPositive(a));
    return lines;
}

std::vector<long double> StdAxisAngles(TStdAxisChoice Choice, long double Interval) {
    long double step = 0;
    switch (Choice) {
    case saNone:
        return {};
    case sa90:
        step = 90;
        break;
    case sa45:
        step = 45;
        break;
    case sa30:
        step = 30;
        break;
    case saIntervals:
        step = Interval;
        break;
    }
    std::vector<long double> angles;
    for (int i = 0; i < MaxPolarAxes; ++i) {
        const long double angle = i * step;
        if (!(angle < 360)) break;
        angles.push_back(angle);
        if (step == 0) break; // one angle 0, not 360 of them
    }
    return angles;
}

TPolarTickSizes::TShown TPolarTickSizes::ShownFor(uint8_t TickType) const {
    switch (TickType) {
    case pkDashes:
        return {DashLength, "Dash Length"};
    case pkCircles:
        return {CircleWidth, "Circle Width"};
    default:
        return {1, "No Tick Marks"};
    }
}

TPolarTickSizes::TShown TPolarTickSizes::Change(int Position, uint8_t NewType) {
    if (Type == pkDashes) DashLength = Position;
    if (Type == pkCircles) CircleWidth = Position;
    Type = NewType <= pkCircles ? NewType : uint8_t(pkNone);
    return ShownFor(Type);
}

uint8_t TPolarTickSizes::TakePosition(uint8_t CheckedType, int Position) {
    if (CheckedType == pkDashes) DashLength = Position;
    if (CheckedType == pkCircles) CircleWidth = Position;
    return CheckedType <= pkCircles ? CheckedType : uint8_t(pkNone);
}
