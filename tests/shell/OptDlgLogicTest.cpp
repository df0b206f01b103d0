#include "shell/OptDlgLogic.h"

#include "math/DefFont.h"
#include "platform/FormatSettings.h"
#include "shell/Options.h"
#include "shell/status.h"

#include <gtest/gtest.h>

namespace {

struct TObjects {
    TGeneralOptionsObj General;
    TStatusLineObj StatusLine;
    THotKey2DObj HotKeys2D;
    THotKeyPolarObj HotKeysPolar;
    THotKey3DObj HotKeys3D;
    TOptionsTargets Targets() { return {General, StatusLine, HotKeys2D, HotKeysPolar, HotKeys3D}; }
};

void expectFailure(const TDlgCheck& c, const std::string& message, int control) {
    EXPECT_FALSE(c.Ok);
    EXPECT_EQ(c.Message, message);
    EXPECT_EQ(c.Control, control);
}

// Entries whose every step passes.
TOptionsEntries validEntries() {
    TObjects o;
    return LoadOptions(o.Targets());
}

} // namespace

TEST(OptDlgLogic, GeneralOptionsLoadIntoTheControlsRangesAndStoreBack) {
    struct TCase {
        int depth;
        int item;
        int storedDepth;
        int position;
        int radio;
        int storedPosition;
    };
    // Depth 1 shows no item and comes back as the screen's depth 0; a placement outside
    // the table checks the parent-dialog radio, which stores 3.
    const TCase cases[] = {{0, 0, 0, 0, 0, 0}, {1, NoneChecked, 0, 1, 1, 1},
                           {2, 1, 2, 2, 2, 2}, {6, 5, 6, 3, 3, 3},
                           {7, 6, 7, 9, 3, 3}, {200, NoneChecked, 0, 255, 3, 3}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.depth);
        TGeneralOptionsObj o;
        o.DefaultColorDepth = uint8_t(c.depth);
        o.CenterDlgsOnPosition = uint8_t(c.position);
        TGeneralEntries e = LoadGeneralOptions(o);
        EXPECT_EQ(e.ColorDepthItem, c.item);
        EXPECT_EQ(e.CenterPosition, c.radio);
        StoreGeneralOptions(e, o);
        EXPECT_EQ(o.DefaultColorDepth, c.storedDepth);
        EXPECT_EQ(o.CenterDlgsOnPosition, c.storedPosition);
    }
    // Values from a hand-edited ini file show at the ends of the controls' ranges.
    TGeneralOptionsObj o;
    o.RepeatDelay = 0, o.RepeatRate = 5000, o.DefaultBmpWidth = 3, o.DefaultBmpHeight = 9999;
    o.EnableRepTBButtons = false, o.FlatToolBars = true, o.CenterCommonDlgs = false;
    TGeneralEntries e = LoadGeneralOptions(o);
    EXPECT_EQ(e.RepeatDelay, 1);
    EXPECT_EQ(e.RepeatRate, 700);
    EXPECT_EQ(e.BmpWidth, 16);
    EXPECT_EQ(e.BmpHeight, 2000);
    EXPECT_FALSE(e.EnableRepTBButtons);
    EXPECT_TRUE(e.FlatToolBars);
    EXPECT_FALSE(e.CenterCommonDlgs);
    // No placement radio checked stores 3.
    e.CenterPosition = NoneChecked;
    StoreGeneralOptions(e, o);
    EXPECT_EQ(o.CenterDlgsOnPosition, 3);
    EXPECT_EQ(o.DefaultBmpWidth, 16);
}

TEST(OptDlgLogic, StatusFormatsOutsideTheirGroupsCheckTheFallbackAndNoneCheckedKeepsTheField) {
    TStatusLineObj s;
    s.CenterFormat2D = TViewCenterFormat(7);
    s.MouseFormat2D = TMousePosFormat(9);
    s.CenterFormatPolar = TViewCenterFormat(4);
    s.MouseFormatPolar = TMousePosFormat(5);
    s.MouseFormat3D = TMouse3DFormat(4);
    s.ShowStatusLine = false;
    TStatusLineEntries e = LoadStatusLine(s);
    EXPECT_EQ(e.CenterFormat2D, vcCartesian);
    EXPECT_EQ(e.MouseFormat2D, mpCartesian);
    EXPECT_EQ(e.CenterFormatPolar, vcDegrees);
    EXPECT_EQ(e.MouseFormatPolar, mpDegrees);
    EXPECT_EQ(e.MouseFormat3D, m3DontShow);
    EXPECT_FALSE(e.ShowStatusLine);

    TStatusLineObj t;
    t.CenterFormat2D = vcPixels, t.MouseFormat2D = mpBitMap, t.MouseFormat3D = m3BitMap;
    e = LoadStatusLine(t);
    EXPECT_EQ(e.CenterFormat2D, vcPixels);
    EXPECT_EQ(e.MouseFormat2D, mpBitMap);
    EXPECT_EQ(e.MouseFormat3D, m3BitMap);
    e.CenterFormat2D = NoneChecked;
    e.MouseFormat2D = mpRadians;
    e.MouseFormatPolar = mpPixels;
    e.MouseFormat3D = m3Cartesian;
    e.ShowStatusLine = false;
    StoreStatusLine(e, t);
    EXPECT_EQ(t.CenterFormat2D, vcPixels);
    EXPECT_EQ(t.MouseFormat2D, mpRadians);
    EXPECT_EQ(t.MouseFormatPolar, mpPixels);
    EXPECT_EQ(t.MouseFormat3D, m3Cartesian);
    EXPECT_FALSE(t.ShowStatusLine);
}

TEST(OptDlgLogic, StepsShowWithSixDecimalsAndTheRotationAsAnAngle) {
    THotKey2DObj h;
    h.Zoom1Range = 1234.5L, h.Zoom6Range = 0.0000004L, h.GrScrollAmt = 5000;
    THotKeyEntries e = LoadHotKeys(h);
    const std::array<std::string, 6> texts = {"1234.5", "25", "5", "2", "0.02", "0"};
    EXPECT_EQ(e.Zoom, texts);
    EXPECT_EQ(e.ScrollAmt, 2000);
    THotKey3DObj h3;
    h3.Rotation3DIncAmt = 725.25L, h3.Zoom1Range3D = 0, h3.Zoom4Range3D = 150;
    THotKey3DEntries e3 = LoadHotKeys3D(h3);
    EXPECT_EQ(e3.Rotation, "5.25");
    EXPECT_EQ(e3.Zoom, (std::array<int, 4>{1, 10, 5, 100}));
    {
        // Steps are typed and shown in the user's notation.
        FormatSettings().DecimalSeparator = ',';
        FormatSettings().ThousandSeparator = ".";
        EXPECT_EQ(LoadHotKeys(THotKeyPolarObj()).Zoom[4], "0,02");
        TOptionsDlgLogic logic;
        TOptionsEntries entries = validEntries();
        entries.HotKeys2D.Zoom[0] = "2,5";
        ASSERT_TRUE(logic.Validate(entries).Ok);
        EXPECT_EQ(logic.Zoom2D[0].Value.FloatValue, 2.5L);
    }
    ResetFormatSettings();
}

TEST(OptDlgLogic, ChecksRunTwoDThenPolarThenThreeDAndStopAtTheFirstFailure) {
    const std::string bounds = " must be >= 0.00001 and <= 10,000";
    struct TCase {
        const char* zoom2D3;
        const char* zoomPol5;
        const char* rotation;
        std::string message;
        int control;
    };
    const TCase cases[] = {
        {"0", "0", "0", "Error: 100 to 20" + bounds, ocZoom2D1 + 2},
        {"20000", "x", "0", "Error: 100 to 20" + bounds, ocZoom2D1 + 2},
        {"1/4", "x", "0", "Error in: 1 to 0.01: ", ocZoomPol1 + 4},
        {"0.00001", "10000", "0.05", "Error: Rotation Amount must be >= 0.1 and <= 359", ocRotation3D},
        {"5", "5", "360", "Error: Rotation Amount must be >= 0.1 and <= 359", ocRotation3D},
        {"5", "5", "", "Error in: Rotation Amount: ", ocRotation3D},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.message);
        TOptionsDlgLogic logic;
        TOptionsEntries e = validEntries();
        e.HotKeys2D.Zoom[2] = c.zoom2D3;
        e.HotKeysPolar.Zoom[4] = c.zoomPol5;
        e.HotKeys3D.Rotation = c.rotation;
        const TDlgCheck check = logic.Validate(e);
        EXPECT_FALSE(check.Ok);
        // Expression errors end in the engine's own text.
        EXPECT_EQ(check.Message.substr(0, c.message.size()), c.message);
        if (c.message.back() != ' ') {
            EXPECT_EQ(check.Message, c.message);
        }
        EXPECT_EQ(check.Control, c.control);
    }
    EXPECT_EQ(OptionsPageOf(ocZoom2D1 + 2), opHotKey2D);
    EXPECT_EQ(OptionsPageOf(ocZoomPol6), opHotKeyPolar);
    EXPECT_EQ(OptionsPageOf(ocRotation3D), opHotKey3D);

    TOptionsDlgLogic logic;
    TOptionsEntries e = validEntries();
    e.HotKeysPolar.Zoom[0] = "(";
    const TDlgCheck bad = logic.Validate(e);
    expectFailure(bad, logic.ZoomPolar[0].GetErrorText(), ocZoomPol1);
    EXPECT_GT(bad.Message.size(), 27u);
    EXPECT_EQ(bad.Message.rfind("Error in: 10,000 to 1,000: ", 0), 0u);
    e.HotKeysPolar.Zoom[0] = "10000";
    e.HotKeys3D.Rotation = "359";
    EXPECT_TRUE(logic.Validate(e).Ok);
    e.HotKeys3D.Rotation = "0.1";
    EXPECT_TRUE(logic.Validate(e).Ok);
}

TEST(OptDlgLogic, OkStoresTheCheckedValuesOrWithDefaultResetsEverything) {
    TFontRecord font;
    font.Name = "Options Test Face", font.Size = 17, font.Style = fsItalic;
    TObjects o;
    TOptionsDlgLogic logic;
    TOptionsEntries e = LoadOptions(o.Targets());
    e.General.RepeatDelay = 40, e.General.ColorDepthItem = 3, e.General.CenterPosition = 0;
    e.StatusLine.MouseFormat2D = mpBitMap;
    e.HotKeys2D.Zoom[3] = "1/4";
    e.HotKeys2D.ScrollAmt = 33;
    e.HotKeysPolar.Zoom[5] = "0.001*3";
    e.HotKeys3D.Rotation = "45/2";
    e.HotKeys3D.Zoom = {1, 2, 3, 4};
    ASSERT_TRUE(logic.Validate(e).Ok);
    logic.Store(e, font, o.Targets());
    EXPECT_EQ(DefaultFontHolder().GetFontCopy(), font);
    EXPECT_EQ(o.General.RepeatDelay, 40);
    EXPECT_EQ(o.General.DefaultColorDepth, 4);
    EXPECT_EQ(o.General.CenterDlgsOnPosition, 0);
    EXPECT_EQ(o.StatusLine.MouseFormat2D, mpBitMap);
    EXPECT_EQ(o.HotKeys2D.Zoom4Range, 0.25L);
    EXPECT_EQ(o.HotKeys2D.Zoom1Range, 500);
    EXPECT_EQ(o.HotKeys2D.GrScrollAmt, 33);
    EXPECT_NEAR(double(o.HotKeysPolar.Zoom6Range), 0.003, 1e-15);
    EXPECT_EQ(o.HotKeys3D.Rotation3DIncAmt, 22.5L);
    EXPECT_EQ(o.HotKeys3D.Zoom3Range3D, 3);

    // With "Default" the entries, even changed ones, do not matter.
    e.Default = true;
    logic.Store(e, font, o.Targets());
    EXPECT_EQ(DefaultFontHolder().GetFontCopy(), TFontRecord());
    EXPECT_EQ(o.General.RepeatDelay, 600);
    EXPECT_EQ(o.General.DefaultColorDepth, 7);
    EXPECT_EQ(o.StatusLine.MouseFormat2D, mpCartesian);
    EXPECT_EQ(o.HotKeys2D.Zoom4Range, 2);
    EXPECT_EQ(o.HotKeys2D.GrScrollAmt, 10);
    EXPECT_EQ(o.HotKeysPolar.Zoom6Range, 0.0002L);
    EXPECT_EQ(o.HotKeys3D.Rotation3DIncAmt, 3);
    EXPECT_EQ(o.HotKeys3D.Zoom3Range3D, 5);

    // A step whose edit never passed a check keeps its value.
    TOptionsDlgLogic unchecked;
    o.HotKeys2D.Zoom2Range = 7;
    e.Default = false;
    unchecked.Store(e, font, o.Targets());
    EXPECT_EQ(o.HotKeys2D.Zoom2Range, 7);
    EXPECT_EQ(o.HotKeys3D.Rotation3DIncAmt, 3);
    EXPECT_EQ(o.HotKeys2D.GrScrollAmt, 33);
    DefaultFontHolder().ResetFont();
}
