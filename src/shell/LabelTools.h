#pragma once
// The rules behind the label tool bar and the Label menu that need no widget: which Label
// menu items a picture's label status allows, what a typed font size means, and which
// sizes the font size list offers for a font.

#include "labels/GrDraw.h"

#include <string>
#include <vector>

// The Label menu items a label status enables, in four groups.
struct TLabelMenuEnabling {
    bool InPlaceEditor = false; // In Place Text Label Editor
    bool General = false;   // Select Top, Show Flood Fill Locations, Label List Dialog, the three Delete All
    bool Selection = false; // Select Next, Select Previous, Send to Front, Send to Back, Delete Selected
    bool EditSelected = false; // Edit Selected
    bool operator==(const TLabelMenuEnabling&) const = default;
};
TLabelMenuEnabling LabelMenuEnabling(TLabelWindowStatus Status);

// Sizes the font size box keeps a label font inside.
inline constexpr int MinLabelFontSize = -9999;
inline constexpr int MaxLabelFontSize = 9999;
// The box takes at most this many characters.
inline constexpr int LabelFontSizeChars = 4;

// The size a typed Text asks for: the text as a whole integer (spaces around it allowed),
// or Current when it is none; clamped to MinLabelFontSize..MaxLabelFontSize either way.
int LabelFontSizeFromText(const std::string& Text, int Current);

// One face of a font family as the size list sees it.
struct TFontFaceInfo {
    bool Scalable = true; // an outline face, which takes any size
    int EmPixels = 0;     // a fixed-size face: its character height in screen pixels
};
// The size list of a family: the sizes of its fixed-size faces at PixelsPerInch, rounded
// to the nearest point (halves to even), written with at least two digits, each once and
// in the list's sorted order; the first outline face ends the search. A family that gave
// no size gets the usual list "08" .. "72".
std::vector<std::string> LabelFontSizeList(const std::vector<TFontFaceInfo>& Faces, int PixelsPerInch);

// The faces of an installed family, as the font database knows them.
std::vector<TFontFaceInfo> InstalledFontFaces(const std::string& Family, int PixelsPerInch);
