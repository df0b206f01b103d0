// 2D settings whose cosmetic codes are out of range (as a graph file may hold them) still
// draw: decimal places of -1 format tick labels with 0 decimals, and an axis pen style past
// the settings' five styles draws solid. The default view on 1000 x 1000 has tick k of an
// axis at column 500 + 35k and row 500 - 35k, k = -14..14.
#include "Plot2DTestSupport.h"

#include "model/SettingCodes.h"

#include <gtest/gtest.h>

#include <string>

using namespace plottest;

namespace {

// Both axes with decimal places -1 and axis pen style 5, labels in the fixed-decimal
// format so that the number of decimals shows in every label.
void outOfRangeCodes(TSetting2DObj& s) {
    for (TSetting2DAxis* a : {&s.X, &s.Y}) {
        a->DecimalPlaces = -1;
        a->AxisPenStyle = 5;
        a->LabelFormat = nfFixedDecimal;
    }
}

} // namespace

TEST(Axes2DSettingCodes, DecimalPlacesBelowZeroFormatLabelsWithNoDecimals) {
    TGraph2DFixture f;
    outOfRangeCodes(f.Settings());
    f.Draw();
    EXPECT_EQ(f.Settings().X.DecimalPlaces, -1); // drawing leaves the stored value alone
    // Marks of 11 pixels at every tick but 0, as with the default settings.
    EXPECT_EQ(f.CountAll(XTickInk), 28 * 11);
    EXPECT_EQ(f.CountAll(YTickInk), 28 * 11);
    f.ExpectDefaultTickLabels(); // "1", not "1.0" or worse
}

// Code 5 is the canvas's clear pen, but no setting offers it: the axis must still show.
TEST(Axes2DSettingCodes, AxisPenStyleBeyondTheSettingStylesDrawsSolid) {
    ASSERT_EQ(SettingPenStyle(5), psSolid);
    TGraph2DFixture f;
    outOfRangeCodes(f.Settings());
    f.Draw();
    EXPECT_EQ(f.Settings().X.AxisPenStyle, 5);
    // Unbroken lines, as with the default solid pen: the X axis crossed by 28 X marks and
    // the Y axis, the Y axis crossed by 28 Y marks.
    EXPECT_EQ(f.Count(XAxisInk, 0, 500, 999, 500), 1000 - 28 - 1);
    EXPECT_EQ(f.Count(YAxisInk, 500, 0, 500, 999), 1000 - 28);
}
