#include "shell/LabelTools.h"

#include <gtest/gtest.h>

TEST(LabelTools, LabelMenuFollowsTheLabelStatus) {
    struct Case {
        TLabelWindowStatus Status;
        TLabelMenuEnabling Enabling;
    };
    for (const Case& c : {
             Case{lwLabelSelected, {true, true, true, true}},
             Case{lwNormal, {false, true, false, false}},
             Case{lwFloodFillsVisible, {false, true, false, false}},
             Case{lwRegionSelected, {false, true, false, false}},
             Case{lwEditingText, {false, false, false, true}},
             Case{lwDrawingNewLabel, {false, false, false, false}},
             Case{lwDragResizeLabel, {false, false, false, false}},
             Case{lwDrawingRegion, {false, false, false, false}},
         })
        EXPECT_EQ(LabelMenuEnabling(c.Status), c.Enabling) << int(c.Status);
}

TEST(LabelTools, TypedFontSizesAreWholeNumbersInRange) {
    struct Case {
        const char* Text;
        int Size;
    };
    for (const Case& c :
         {Case{"12", 12}, Case{"+7", 7}, Case{"-20", -20}, Case{"0", 0}, Case{"abc", 9}, Case{"", 9},
          Case{"1.5", 9}, Case{"12x", 9}, Case{" 12 ", 12}, Case{"-", 9}, Case{"99999", 9999},
          Case{"-99999", -9999}, Case{"123456789012345678901234567890", 9}})
        EXPECT_EQ(LabelFontSizeFromText(c.Text, 9), c.Size) << c.Text;
    // A kept size out of range is brought back into it too.
    EXPECT_EQ(LabelFontSizeFromText("x", 20000), 9999);
}

TEST(LabelTools, SizeListComesFromFixedFacesOrIsTheUsualOne) {
    const std::vector<std::string> usual = {"08", "09", "10", "11", "12", "14", "16", "18",
                                            "20", "22", "24", "26", "28", "36", "48", "72"};
    EXPECT_EQ(LabelFontSizeList({}, 96), usual);
    EXPECT_EQ(LabelFontSizeList({{true, 0}, {false, 16}}, 96), usual); // an outline face first
    // Fixed faces: 13 px at 96 dpi is 9.75 -> 10; 12 px is 9; 14 px is 10.5 -> 10 (halves to
    // even) and is not listed twice; 20 px is 15; an outline face ends the search.
    EXPECT_EQ(
        LabelFontSizeList({{false, 13}, {false, 12}, {false, 14}, {false, 20}, {true, 0}, {false, 40}}, 96),
        (std::vector<std::string>{"09", "10", "15"}));
    EXPECT_EQ(LabelFontSizeList({{false, 18}}, 96), (std::vector<std::string>{"14"})); // 13.5 -> 14
    EXPECT_EQ(LabelFontSizeList({{false, 200}}, 72), (std::vector<std::string>{"200"}));
    // The installed DejaVu family is an outline font.
    EXPECT_EQ(LabelFontSizeList(InstalledFontFaces("DejaVu Sans", 96), 96), usual);
}
