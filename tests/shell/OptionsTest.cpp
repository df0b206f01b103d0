#include "shell/Options.h"

#include "math/DefFont.h"
#include "platform/FormatSettings.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <climits>
#include <tuple>

namespace {

struct TBandStep {
    long double from;
    long double to;
    bool changed;
};

void expectSteps(const THotKey2DObj& keys, bool in, std::initializer_list<TBandStep> table) {
    for (const TBandStep& s : table) {
        long double z = s.from;
        const bool changed = in ? keys.ZoomIn(z) : keys.ZoomOut(z);
        EXPECT_EQ(z, s.to) << (in ? "in from " : "out from ") << (double)s.from;
        EXPECT_EQ(changed, s.changed) << (double)s.from;
    }
}

} // namespace

TEST(Options, ZoomBandsStepInToTheirCapsAndOutToTheirFloors) {
    const THotKey2DObj keys;
    expectSteps(keys, true,
                {{0.00005L, 0.00005L + 0.0002L, true},
                 {0.0001L, 0.0001L + 0.0002L, true},
                 {0.0099L, 0.01L, true},
                 {0.01L, 0.01L + 0.02L, true},
                 {0.99L, 1, true},
                 {1, 3, true},
                 {19, 20, true},
                 {20, 25, true},
                 {99, 100, true},
                 {100, 125, true},
                 {999, 1000, true},
                 {1000, 1500, true},
                 {9800, 10000, true},
                 {10000, 10000, false},
                 {20000, 10000, true}});
    expectSteps(keys, false,
                {{20000, 10000, true},
                 {10000, 9500, true},
                 {1000.5L, 1000, true},
                 {1000, 975, true},
                 {100, 95, true},
                 {20.5L, 20, true},
                 {20, 18, true},
                 {1, 1 - 0.02L, true},
                 {0.01L, 0.01L - 0.0002L, true},
                 {0.00025L, 0.0001L, true},
                 {0.0001L, 0.0001L, false},
                 {0.00005L, 0.0001L, true}});

    // The walk of the example: 19 in gives 20 and then 25; 20.5 out gives 20 and then 18.
    long double z = 19;
    keys.ZoomIn(z), keys.ZoomIn(z);
    EXPECT_EQ(z, 25);
    z = 20.5L;
    keys.ZoomOut(z), keys.ZoomOut(z);
    EXPECT_EQ(z, 18);
}

TEST(Options, ZoomStepsFromTheIniNeverLeaveTheZoomRange) {
    // A step of 0 changes nothing; a step below 0 or a huge one still ends inside 0.0001 .. 10000.
    for (long double step : {0.0L, -1.0L, -1e6L, 1e6L, 1e-30L}) {
        THotKeyPolarObj keys;
        keys.Zoom1Range = keys.Zoom2Range = keys.Zoom3Range = step;
        keys.Zoom4Range = keys.Zoom5Range = keys.Zoom6Range = step;
        for (long double start : {0.0001L, 0.005L, 0.5L, 5.0L, 50.0L, 500.0L, 5000.0L, 10000.0L}) {
            long double in = start, out = start;
            for (int i = 0; i < 40; ++i) {
                keys.ZoomIn(in), keys.ZoomOut(out);
                ASSERT_TRUE(in >= ZoomMin && in <= ZoomMax) << (double)step << " " << (double)start;
                ASSERT_TRUE(out >= ZoomMin && out <= ZoomMax) << (double)step << " " << (double)start;
            }
        }
    }
    THotKey2DObj keys;
    keys.Zoom4Range = 0;
    long double z = 5;
    EXPECT_FALSE(keys.ZoomIn(z));
    EXPECT_EQ(z, 5);
    keys.Zoom4Range = -10;
    EXPECT_TRUE(keys.ZoomIn(z));
    EXPECT_EQ(z, ZoomMin);
}

TEST(Options, ThreeDZoomStepsByBandWithinOneToThousand) {
    THotKey3DObj keys;
    const std::tuple<int32_t, int32_t, bool> in[] = {
        {1, 3, true},        {19, 21, true},     {20, 25, true},   {199, 204, true},
        {200, 210, true},    {499, 509, true},   {500, 520, true}, {990, 1000, true},
        {1000, 1000, false}, {2000, 1000, true}, {-5, 1, true}};
    for (auto [from, to, changed] : in) {
        int32_t z = from;
        EXPECT_EQ(keys.ZoomIn(z), changed) << from;
        EXPECT_EQ(z, to) << from;
    }
    const std::tuple<int32_t, int32_t, bool> out[] = {
        {2, 1, true},     {1, 1, false},    {-3, 1, true},    {21, 16, true},   {20, 18, true},
        {201, 191, true}, {200, 195, true}, {501, 481, true}, {500, 490, true}, {1000, 980, true}};
    for (auto [from, to, changed] : out) {
        int32_t z = from;
        EXPECT_EQ(keys.ZoomOut(z), changed) << from;
        EXPECT_EQ(z, to) << from;
    }
    // Steps count by their size whatever their sign, and even the most negative one cannot overflow.
    keys.Zoom4Range3D = -2;
    int32_t z = 5;
    keys.ZoomIn(z);
    EXPECT_EQ(z, 7);
    keys.Zoom4Range3D = INT_MIN;
    keys.ZoomIn(z);
    EXPECT_EQ(z, 1000);
    z = 5;
    keys.ZoomOut(z);
    EXPECT_EQ(z, 1);
}

TEST(Options, NewGraphSizesAndRepeatTimersStayUsable) {
    TGeneralOptionsObj options;
    const std::pair<int, int> sizes[] = {{INT_MIN, 16}, {-5, 16},     {0, 16},      {15, 16},       {16, 16},
                                         {1000, 1000},  {2000, 2000}, {2001, 2000}, {INT_MAX, 2000}};
    for (auto [stored, used] : sizes) {
        options.DefaultBmpWidth = stored;
        options.DefaultBmpHeight = stored;
        EXPECT_EQ(options.NewGraphBmpWidth(), used) << stored;
        EXPECT_EQ(options.NewGraphBmpHeight(), used) << stored;
        EXPECT_EQ(options.DefaultBmpWidth, stored); // the stored value is written back as read
    }

    QTimer timer;
    EXPECT_TRUE(StartRepeatTimer(timer, 150));
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 150);
    for (int interval : {0, -1, INT_MIN}) {
        EXPECT_FALSE(StartRepeatTimer(timer, interval));
        EXPECT_FALSE(timer.isActive()) << interval;
    }
}

TEST(Options, GeneralWordsAreCaseSensitiveAndInvalidCodesWriteTheDefaultWord) {
    TMemIniFile ini;
    ini.SetText(
        "[General]\nEnableRepTBButtons=0\nRepeatDelay=abc\nRepeatRate=-20\nDefaultColorDepth=PF24BIT\n"
        "FlatToolBars=2\nCenterDlgsOnPosition=dpMainFormCenter\nCenterCommonDlgs=no\n");
    TGeneralOptionsObj options;
    ASSERT_TRUE(options.ReadIni(ini));
    EXPECT_FALSE(options.EnableRepTBButtons);
    EXPECT_EQ(options.RepeatDelay, 600);
    EXPECT_EQ(options.RepeatRate, -20); // values are kept as read; the timer refuses it
    EXPECT_EQ(options.DefaultColorDepth, 7);
    EXPECT_TRUE(options.FlatToolBars);
    EXPECT_EQ(options.CenterDlgsOnPosition, 2);
    EXPECT_TRUE(options.CenterCommonDlgs);

    const std::pair<const char*, int> depths[] = {{"pfDevice", 0}, {"pf4bit", 2},  {"pf8bit", 3},
                                                  {"pf15bit", 4},  {"pf16bit", 5}, {"pf24bit", 6},
                                                  {"pf32bit", 7},  {"pf1bit", 7},  {"", 7}};
    for (auto [word, code] : depths) {
        ini.WriteString("General", "DefaultColorDepth", word);
        options.ReadIni(ini);
        EXPECT_EQ(options.DefaultColorDepth, code) << word;
    }

    const std::pair<int, const char*> writes[] = {
        {0, "pfDevice"}, {1, "pf32bit"}, {6, "pf24bit"}, {200, "pf32bit"}};
    for (auto [code, word] : writes) {
        options.DefaultColorDepth = uint8_t(code);
        options.CenterDlgsOnPosition = uint8_t(code);
        TMemIniFile out;
        ASSERT_TRUE(options.WriteIni(out));
        EXPECT_EQ(out.ReadString("General", "DefaultColorDepth", ""), word);
        EXPECT_EQ(out.ReadString("General", "CenterDlgsOnPosition", ""), code == 0 ? "dpScreenCenter"
                                                                         : code == 1
                                                                             ? "dpDesktopCenter"
                                                                             : "dpSpecifiedFormCenter");
    }
    options.SetDefaults();
    EXPECT_EQ(options.RepeatRate, 150);
    EXPECT_EQ(options.DefaultColorDepth, 7);
}

TEST(Options, HotKeyKeysCarryTheirSuffixAndFloatsUseAPointUnderAnyLocale) {
    THotKey2DObj keys2D;
    keys2D.GrScrollAmt = 25;
    keys2D.Zoom5Range = 0.05L;
    THotKeyPolarObj keysPolar;
    keysPolar.Zoom6Range = 0.0005L;
    TMemIniFile ini;
    FormatSettings().DecimalSeparator = ',';
    ASSERT_TRUE(keys2D.WriteIni(ini));
    ASSERT_TRUE(keysPolar.WriteIni(ini));
    EXPECT_EQ(ini.GetText(),
              "[HotKey2D]\nGrScrollAmt2D=25\nZoom1Range2D=500\nZoom2Range2D=25\nZoom3Range2D=5\n"
              "Zoom4Range2D=2\nZoom5Range2D=0.05\nZoom6Range2D=0.0002\n"
              "[HotKeyPol]\nGrScrollAmtPol=10\nZoom1RangePol=500\nZoom2RangePol=25\n"
              "Zoom3RangePol=5\nZoom4RangePol=2\nZoom5RangePol=0.02\nZoom6RangePol=0.0005\n");

    // Read back with an exponent form in '.' and a text that is no number.
    ini.WriteString("HotKeyPol", "Zoom1RangePol", "2.5E2");
    ini.WriteString("HotKeyPol", "Zoom2RangePol", "lots");
    THotKeyPolarObj read;
    ASSERT_TRUE(read.ReadIni(ini));
    EXPECT_EQ(read.Zoom1Range, 250);
    EXPECT_EQ(read.Zoom2Range, 25);
    EXPECT_EQ(read.Zoom6Range, 0.0005L);
    THotKey2DObj read2D;
    ASSERT_TRUE(read2D.ReadIni(ini));
    EXPECT_EQ(read2D.GrScrollAmt, 25);
    EXPECT_EQ(read2D.Zoom5Range, 0.05L);
    ResetFormatSettings();

    THotKey3DObj keys3D;
    keys3D.Rotation3DIncAmt = 7.5L;
    keys3D.Zoom3Range3D = 9;
    TMemIniFile ini3D;
    ASSERT_TRUE(keys3D.WriteIni(ini3D));
    EXPECT_EQ(ini3D.GetText(), "[HotKey3D]\nRotation3DIncAmt=7.5\nZoom1Range3D=20\nZoom2Range3D=10\n"
                               "Zoom3Range3D=9\nZoom4Range3D=2\n");
    THotKey3DObj read3D;
    ASSERT_TRUE(read3D.ReadIni(ini3D));
    EXPECT_EQ(read3D.Rotation3DIncAmt, 7.5L);
    EXPECT_EQ(read3D.Zoom3Range3D, 9);
}

TEST(Options, FontKeysKeepTheFontsOwnValuesAsDefaults) {
    TMemIniFile ini;
    ini.SetText("[Labels]\nName=Courier\nBold=1\nStrike=1\nSize=bad\n");
    TFontRecord font;
    font.Color = clRed;
    font.Size = 12;
    font.Style = fsItalic;
    ASSERT_TRUE(
        ReadFontFromIni(ini, font, "Labels", "Name", "Color", "Bold", "Italic", "Under", "Strike", "Size"));
    EXPECT_EQ(font.Name, "Courier");
    EXPECT_EQ(font.Color, clRed);
    EXPECT_EQ(font.Style, fsBold | fsItalic | fsStrikeOut);
    EXPECT_EQ(font.Size, 12);

    // The default font: a system colour (top bit set) survives the round trip.
    TFontRecord def;
    def.Name = "Serif Test";
    def.Color = 0x80000008u;
    def.Style = fsUnderline;
    def.Size = 14;
    DefaultFontHolder().SetFontAttributes(&def);
    TMemIniFile out;
    ASSERT_TRUE(WriteDefaultFontToIni(out));
    EXPECT_EQ(out.GetText(),
              "[General]\nDefFontName=Serif Test\nDefFontColor=-2147483640\nDefFontStyleBold=0\n"
              "DefFontStyleItalic=0\nDefFontStyleUnderline=1\nDefFontStyleStrikeOut=0\n"
              "DefFontSize=14\n");
    DefaultFontHolder().ResetFont();
    ASSERT_TRUE(ReadDefaultFontFromIni(out));
    EXPECT_EQ(GetDefaultFont(), def);

    // Keys that are missing give the attributes of a newly made font, not the held one.
    TMemIniFile empty;
    ASSERT_TRUE(ReadDefaultFontFromIni(empty));
    EXPECT_EQ(GetDefaultFont(), TFontRecord());
    DefaultFontHolder().ResetFont();
}
