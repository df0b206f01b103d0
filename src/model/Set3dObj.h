#pragma once
// Settings of a 3D graph: background and, per axis, the axis line, its end labels and
// their font.

#include "platform/Colors.h"
#include "platform/Fonts.h"

class TReadGraphFile;
class TWriteGraphFile;

struct TSetting3DAxis {
    bool ShowAxisLine = true;
    TColor AxisColor = clBlack;
    bool LabelPositiveEnd = true; // "+X"
    bool LabelNegativeEnd = true; // "-X"
    bool ShowPlusSign = true;
    bool ShowMinusSign = true;
    TFontRecord LabelFont;
};

class TSetting3DObj {
public:
    bool Changed = false;
    TColor BackColor = clWhite;
    TSetting3DAxis X;
    TSetting3DAxis Y;
    TSetting3DAxis Z;

    // The label fonts start as copies of the program's default label font.
    TSetting3DObj();

    // Copies every field but the changed flag.
    void AssignFrom(const TSetting3DObj& source);
    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets Changed, then reads the record of the reader's version.
    void ReadFromFile(TReadGraphFile& reader);
};
