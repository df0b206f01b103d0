#pragma once
// The rules of the polar settings dialog without its window: the axis list typed one angle
// a line, its order, the standard lists, and the tick size that the dash and circle tick
// types each keep for themselves.

#include "model/SetPoObj.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A list of axis angles in degrees, shaped like the settings object's: the count in use
// and all the slots.
struct TAxisList {
    int32_t Count = 0;
    std::array<long double, MaxPolarAxes> Angles{};

    // The first Count angles.
    std::vector<long double> InUse() const;
};

// The outcome of reading the axis list's lines.
struct TAxisListRead {
    bool Ok = true;
    int BadLine = -1; // index of the line that failed, counted from 0
    std::vector<long double> Angles;
};

// Reads one angle a line, each reduced into [0, 360): empty lines (blanks only) are
// skipped, reading stops at the first line that is no number or after MaxPolarAxes angles.
TAxisListRead ReadAxisLines(const std::vector<std::string>& Lines);
// "Invalid numeric format in axis angle #<Line>"
std::string AxisAngleErrorMessage(int Line);
inline constexpr const char* AxisListResetQuestion = "This will reset the axis list to original values.";

// Puts Angles into the first slots of List; the slots after them keep what they held.
void SetAxisAngles(TAxisList& List, const std::vector<long double>& Angles);
// Sorts the angles in use ascending and keeps one of each run of exactly equal angles.
void SortAxisList(TAxisList& List);
// The lines that show the angles in use, each in [0, 360).
std::vector<std::string> AxisListLines(const TAxisList& List);

// The choices of the standard axis list dialog.
enum TStdAxisChoice : uint8_t { saNone, sa90, sa45, sa30, saIntervals };
// The angles of a choice: none, every 90, 45 or 30 degrees, or every Interval degrees as
// long as the angle stays below 360 (at most MaxPolarAxes of them).
std::vector<long double> StdAxisAngles(TStdAxisChoice Choice, long double Interval);

// The tick size scroll bar serves two sizes: the dash length of dash ticks and the circle
// width of circle ticks. Each type keeps its own while the user switches between them.
class TPolarTickSizes {
public:
    uint8_t Type = pkDashes; // the type whose size the scroll bar shows
    int32_t DashLength = 5;
    int32_t CircleWidth = 1;

    struct TShown {
        int Position;
        const char* Caption; // "Dash Length", "Circle Width" or "No Tick Marks"
    };
    // What the scroll bar and its caption show for a type (any type above circles: none).
    TShown ShownFor(uint8_t TickType) const;
    // The scroll bar at Position belongs to the current type; NewType takes over.
    TShown Change(int Position, uint8_t NewType);
    // The store: the checked type's size takes Position; the type code to store (0, 1 or 2).
    uint8_t TakePosition(uint8_t CheckedType, int Position);
};
