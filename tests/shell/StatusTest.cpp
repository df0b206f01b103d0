#include "shell/status.h"

#include "model/Vw2dObj.h"
#include "model/Vw3dObj.h"
#include "model/VwPoObj.h"
#include "platform/FormatSettings.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

// A status line whose panels are recorded, write by write.
struct TRecordedLine {
    TStatusLineObj line;
    std::vector<std::pair<int, std::string>> writes;
    TRecordedLine() {
        line.PanelWriter = [this](int panel, const std::string& text) { writes.emplace_back(panel, text); };
    }
    std::vector<std::string> panels() const { return {line.ZoomText, line.CenterText, line.MouseText}; }
};

TView2DZoomObj view2D(long double zx, long double zy, long double cx, long double cy) {
    TView2DZoomObj v;
    v.ZoomX = zx, v.ZoomY = zy, v.CenterX = cx, v.CenterY = cy;
    return v;
}

using Panels = std::vector<std::string>;

} // namespace

TEST(StatusLine, FormatStatusNumberKeepsFiveDecimalsTrimmed) {
    const std::pair<long double, const char*> table[] = {
        {2.5L, "2.5"}, {1.0L / 3, "0.33333"}, {-2.0L / 3, "-0.66667"},
        {100, "100"},  {-0.000001L, "0"},     {123456.789L, "123456.789"},
        {0, "0"}};
    for (auto [x, text] : table)
        EXPECT_EQ(FormatStatusNumber(x), text) << (double)x;
    FormatSettings().DecimalSeparator = ',';
    EXPECT_EQ(FormatStatusNumber(2.5L), "2,5");
    ResetFormatSettings();
}

TEST(StatusLine, TheExampleViewAndTheMouseOverTheOriginPixel) {
    TRecordedLine r;
    // Zoom 35 and centre 0 on a 1000 pixel picture: the origin is drawn at column 500, row 500.
    r.line.CenterFormat2D = vcCartesian;
    r.line.MouseFormat2D = mpPixels;
    r.line.Update2D(view2D(35, 35, 0, 0), 1000, 1000, 500, 500);
    EXPECT_EQ(r.panels(), (Panels{"Zoom X:35 Y:35", "Center X:0 Y:0", "Mouse(Pix) X:0 Y:0"}));
    r.line.Update2D(view2D(35, 35, 0, 0), 1000, 1000, 499, 501);
    EXPECT_EQ(r.line.MouseText, "Mouse(Pix) X:-1 Y:-1");

    // Odd sizes and a moved centre: the renderers draw the origin at column round(-CX) + W div 2
    // and row round(CY) + H div 2, which is where the readout must say 0, 0.
    const int w = 101, h = 51;
    const long double cx = 7, cy = -3;
    r.line.Update2D(view2D(10, 10, cx, cy), w, h, -7 + w / 2, -3 + h / 2);
    EXPECT_EQ(r.line.MouseText, "Mouse(Pix) X:0 Y:0");
    TViewPolarZoomObj polar;
    polar.CenterX = cx, polar.CenterY = cy;
    r.line.MouseFormatPolar = mpPixels;
    r.line.UpdatePolar(polar, w, h, -7 + w / 2, -3 + h / 2);
    EXPECT_EQ(r.line.MouseText, "Mouse(Pix) X:0 Y:0");
}

TEST(StatusLine, EveryCenterAndMouseFormatOf2DViews) {
    // Zoom X 10, zoom Y 20, centre (30, 40) pixels = (3, 2) graph units; on a 200 x 100 picture
    // the mouse at (150, 20) is graph pixel (80, 70) = (8, 3.5) graph units.
    const TView2DZoomObj v = view2D(10, 20, 30, 40);
    const std::pair<TViewCenterFormat, const char*> centres[] = {{vcCartesian, "Center X:3 Y:2"},
                                                                 {vcDegrees, "Center R:3.60555 T:33.69007d"},
                                                                 {vcRadians, "Center R:3.60555 T:0.588r"},
                                                                 {vcPixels, "Center(Pix) X:30 Y:40"},
                                                                 {TViewCenterFormat(7), ""}};
    const std::pair<TMousePosFormat, const char*> mice[] = {{mpCartesian, "Mouse X:8 Y:3.5"},
                                                            {mpDegrees, "Mouse R:8.73212 T:23.62938d"},
                                                            {mpRadians, "Mouse R:8.73212 T:0.41241r"},
                                                            {mpPixels, "Mouse(Pix) X:80 Y:70"},
                                                            {mpBitMap, "Mouse W:150 H:20"},
                                                            {TMousePosFormat(9), ""}};
    TRecordedLine r;
    for (auto [format, text] : centres) {
        r.line.CenterFormat2D = format;
        r.line.Update2D(v, 200, 100, 150, 20);
        EXPECT_EQ(r.line.CenterText, text);
        EXPECT_EQ(r.line.ZoomText, "Zoom X:10 Y:20");
    }
    for (auto [format, text] : mice) {
        r.line.MouseFormat2D = format;
        r.line.Update2D(v, 200, 100, 150, 20);
        EXPECT_EQ(r.line.MouseText, text);
    }
    // The angle lies in 0 .. 360 degrees: (-1, -1) is at 225.
    r.line.CenterFormat2D = vcDegrees;
    r.line.Update2D(view2D(1, 1, -1, -1), 200, 100, 0, 0);
    EXPECT_EQ(r.line.CenterText, "Center R:1.41421 T:225d");
}

TEST(StatusLine, MouseOffThePictureEmptiesPanelTwo) {
    TRecordedLine r;
    r.line.MouseFormat2D = mpBitMap;
    const TView2DZoomObj v = view2D(35, 35, 0, 0);
    const std::pair<std::pair<int, int>, const char*> table[] = {
        {{199, 99}, "Mouse W:199 H:99"}, {{200, 50}, ""}, {{50, 100}, ""}, {{-1, 50}, ""}, {{50, -1}, ""},
        {{0, 0}, "Mouse W:0 H:0"}};
    for (auto [mouse, text] : table) {
        r.line.Update2D(v, 200, 100, mouse.first, mouse.second);
        EXPECT_EQ(r.line.MouseText, text) << mouse.first << "," << mouse.second;
    }
}

TEST(StatusLine, PolarAnd3DPanels) {
    TRecordedLine r;
    TViewPolarZoomObj polar;
    polar.Zoom = 12.5L, polar.CenterX = 25, polar.CenterY = 0;
    r.line.UpdatePolar(polar, 100, 100, 50, 50); // defaults: degrees for both
    EXPECT_EQ(r.panels(), (Panels{"Zoom: 12.5", "Center R:2 T:0d", "Mouse R:2 T:0d"}));

    TView3DZoomObj v3;
    v3.Zoom = 20, v3.RotationX = 30, v3.RotationY = -45.5L, v3.RotationZ = 0;
    const std::pair<TMouse3DFormat, const char*> mice[] = {{m3DontShow, ""},
                                                           {m3Cartesian, "Mouse X:0.5 Y:0.5"},
                                                           {m3Pixels, "Mouse(Pix) X:10 Y:10"},
                                                           {m3BitMap, "Mouse W:60 H:40"},
                                                           {TMouse3DFormat(8), ""}};
    for (auto [format, text] : mice) {
        r.line.MouseFormat3D = format;
        r.line.Update3D(v3, 100, 100, 60, 40);
        EXPECT_EQ(r.panels(), (Panels{"Zoom: 20", "Rotate X:30 Y:-45.5 Z:0", text}));
    }
    r.line.MouseFormat3D = m3BitMap;
    r.line.Update3D(v3, 100, 100, 100, 40);
    EXPECT_EQ(r.line.MouseText, "");
}

TEST(StatusLine, PanelsAreWrittenOnlyWhenTheirTextChanges) {
    TRecordedLine r;
    // The first text of a panel is written even when it is empty.
    r.line.SetMouseText("");
    r.line.SetZoomText("Zoom: 3");
    r.line.SetZoomText("Zoom: 3");
    r.line.SetZoomText("zoom: 3");
    r.line.Clear();
    r.line.Clear();
    const std::vector<std::pair<int, std::string>> expected = {
        {2, ""}, {0, "Zoom: 3"}, {0, "zoom: 3"}, {0, ""}, {1, ""}};
    EXPECT_EQ(r.writes, expected);

    // Repeated updates with the same view write nothing more.
    r.line.Update2D(view2D(35, 35, 0, 0), 100, 100, 10, 10);
    const size_t after = r.writes.size();
    r.line.Update2D(view2D(35, 35, 0, 0), 100, 100, 10, 10);
    EXPECT_EQ(r.writes.size(), after);
}

TEST(StatusLine, FaultsClearTheWholeLine) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const TView2DZoomObj bad2D[] = {view2D(0, 35, 10, 10),   view2D(35, 0, 10, 10),
                                    view2D(inf, 35, 0, 0),   view2D(35, 35, nan, 0),
                                    view2D(35, 35, 0, -inf), view2D(35, 35, 1e30L, 0)};
    for (const TView2DZoomObj& v : bad2D) {
        for (TMousePosFormat mouse : {mpCartesian, mpPixels}) {
            TRecordedLine r;
            r.line.SetZoomText("old"), r.line.SetCenterText("old"), r.line.SetMouseText("old");
            r.line.MouseFormat2D = mouse;
            r.line.Update2D(v, 100, 100, 10, 10);
            EXPECT_EQ(r.panels(), (Panels{"", "", ""})) << (double)v.ZoomX << " " << (double)v.CenterX;
        }
    }
    TRecordedLine r;
    TViewPolarZoomObj polar;
    polar.Zoom = 0;
    r.line.UpdatePolar(polar, 100, 100, 10, 10);
    EXPECT_EQ(r.panels(), (Panels{"", "", ""}));
    TView3DZoomObj v3;
    v3.Zoom = 0;
    r.line.MouseFormat3D = m3Cartesian;
    r.line.Update3D(v3, 100, 100, 10, 10);
    EXPECT_EQ(r.panels(), (Panels{"", "", ""}));
    v3.Zoom = 20, v3.RotationY = nan;
    r.line.SetZoomText("old");
    r.line.Update3D(v3, 100, 100, 10, 10);
    EXPECT_EQ(r.panels(), (Panels{"", "", ""}));

    // A status bar that cannot be written still leaves the stored texts empty.
    r.line.SetZoomText("kept");
    r.line.PanelWriter = [](int, const std::string&) { throw std::runtime_error("no status bar"); };
    r.line.Clear();
    EXPECT_EQ(r.panels(), (Panels{"", "", ""}));
}

TEST(StatusLine, IniWordsAreCaseSensitiveAndDefaultsFillTheGaps) {
    TMemIniFile ini;
    ini.SetText("[StatusLine]\nCenterFormat2D=vcPixels\nMouseFormat2D=MPBITMAP\nCenterFormatPolar=vcdegrees\n"
                "MouseFormatPolar=mpRadians\nMouseFormat3D=m3BitMap\nShowStatusLine=0\n");
    TStatusLineObj line;
    ASSERT_TRUE(line.ReadIni(ini));
    EXPECT_EQ(line.CenterFormat2D, vcPixels);
    EXPECT_EQ(line.MouseFormat2D, mpCartesian);
    EXPECT_EQ(line.CenterFormatPolar, vcDegrees);
    EXPECT_EQ(line.MouseFormatPolar, mpRadians);
    EXPECT_EQ(line.MouseFormat3D, m3BitMap);
    EXPECT_FALSE(line.ShowStatusLine);

    // An empty section gives every default, whatever was set before.
    TMemIniFile empty;
    ASSERT_TRUE(line.ReadIni(empty));
    TStatusLineObj fresh;
    EXPECT_EQ(line.CenterFormat2D, fresh.CenterFormat2D);
    EXPECT_EQ(line.MouseFormat3D, m3DontShow);
    EXPECT_TRUE(line.ShowStatusLine);

    // Writing: the words in table order; a value outside its enumeration writes the key's default.
    line.CenterFormat2D = vcRadians, line.MouseFormatPolar = TMousePosFormat(17), line.ShowStatusLine = false;
    TMemIniFile out;
    ASSERT_TRUE(line.WriteIni(out));
    EXPECT_EQ(out.GetText(),
              "[StatusLine]\nCenterFormat2D=vcRadians\nMouseFormat2D=mpCartesian\n"
              "CenterFormatPolar=vcDegrees\nMouseFormatPolar=mpDegrees\nMouseFormat3D=m3DontShow\n"
              "ShowStatusLine=0\n");
    line.SetDefaults();
    EXPECT_EQ(line.CenterFormat2D, vcCartesian);
    EXPECT_TRUE(line.ShowStatusLine);
}
