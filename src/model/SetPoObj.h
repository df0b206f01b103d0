#pragma once
// Settings of a polar graph: background, the list of axis angles, axis and tick-mark
// appearance, labels, the radius restriction and the label font.

#include "math/Floatstr.h"
#include "math/MathCalc.h"
#include "model/SettingCodes.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"

#include <array>
#include <cstdint>
#include <string>

class TReadGraphFile;
class TWriteGraphFile;

inline constexpr int MaxPolarAxes = 360;

// Tick mark types of a polar graph; any other value draws none.
enum : uint8_t { pkDashes = 0, pkCircles = 1, pkNone = 2 };

// Pen styles, label format and decimal places hold what was read or typed; draw and show
// them through SettingCodes.h.
class TSettingPolarObj {
public:
    bool Changed = false;
    TColor BackColor = clWhite;
    int32_t AxisCount = 8;                              // entries of AxisAngles in use, 0..MaxPolarAxes
    std::array<long double, MaxPolarAxes> AxisAngles{}; // degrees
    TColor AxisColor = clBlack;
    int32_t AxisWidth = 1;
    uint8_t AxisPenStyle = 0;
    std::string TickIncStr = "1";
    TMathValue TickInc;
    uint8_t TickMarkType = pkDashes;
    TColor TickColor = clBlack;
    int32_t DashLength = 5;
    int32_t CircleWidth = 1;
    uint8_t CirclePenStyle = 0;
    bool ShowLabels = true;
    TNumberFormatKind LabelFormat = nfMaxDecimal;
    bool ThousandsSeparator = true;
    bool PlusSign = false;
    int32_t DecimalPlaces = DefaultFormatDigits(nfMaxDecimal);
    bool RestrictRadius = false;
    std::string RadiusRestrictStr = "5";
    TMathValue RadiusRestrict;
    TFontRecord LabelFont;

    TSettingPolarObj();

    // Copies every field but the changed flag.
    void AssignFrom(const TSettingPolarObj& source);
    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets Changed, then reads the record of the reader's version.
    void ReadFromFile(TReadGraphFile& reader);
};
