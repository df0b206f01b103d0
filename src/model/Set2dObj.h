#pragma once
// Settings of a 2D cartesian graph: axis lines, tick marks or grids, tick labels and
// their fonts, background colour.

#include "math/Floatstr.h"
#include "math/MathCalc.h"
#include "model/SettingCodes.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"

#include <cstdint>
#include <string>

class TReadGraphFile;
class TWriteGraphFile;

// Everything about one axis of a 2D graph; the X and Y axes each have one. Pen styles, tick
// type, label format and decimal places hold what was read or typed; draw and show them
// through SettingCodes.h.
struct TSetting2DAxis {
    bool ShowAxisLine = true;
    // Where the axis line ends ("Limit Lo X Axis End"); an empty limit means none.
    std::string LoLimitStr;
    bool LoLimitEmpty = true;
    TMathValue LoLimit;
    std::string HiLimitStr;
    bool HiLimitEmpty = true;
    TMathValue HiLimit;
    TColor AxisColor = clBlack;
    int32_t AxisWidth = 1;
    uint8_t AxisPenStyle = 0; // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot
    uint8_t TickType = tkTickMarks;
    TColor TickColor = clBlack;
    std::string TickIncStr = "1";
    TMathValue TickInc;
    int32_t TickLength = 5;
    uint8_t GridPenStyle = 2; // dot
    bool ShowTickLabels = true;
    TNumberFormatKind LabelFormat = nfMaxDecimal;
    bool ThousandsSeparator = true;
    bool PlusSign = false;
    int32_t DecimalPlaces = DefaultFormatDigits(nfMaxDecimal);

    TSetting2DAxis();
};

class TSetting2DObj {
public:
    bool Changed = false;
    TSetting2DAxis X;
    TSetting2DAxis Y;
    TColor BackColor = clWhite;
    TFontRecord XLabelFont;
    TFontRecord YLabelFont;

    // The label fonts start as copies of the program's default label font.
    TSetting2DObj();

    // Copies every field but the changed flag.
    void AssignFrom(const TSetting2DObj& source);
    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets Changed, then reads the record of the reader's version; what an old record
    // does not hold keeps its value.
    void ReadFromFile(TReadGraphFile& reader);
};
