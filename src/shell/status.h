#pragma once
// The three panels of the main window's status bar for the active graph window: panel 0
// the zoom, panel 1 the view centre (or the 3D rotation), panel 2 the graph point under
// the mouse. It also keeps how the user wants centre and mouse shown per graph kind and
// whether the status bar shows at all, in the ini section "StatusLine". GUI thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class TMemIniFile;
class TView2DZoomObj;
class TViewPolarZoomObj;
class TView3DZoomObj;

// The value words are also the ini words.
enum TViewCenterFormat : uint8_t { vcCartesian = 0, vcDegrees = 1, vcRadians = 2, vcPixels = 3 };
enum TMousePosFormat : uint8_t { mpCartesian = 0, mpDegrees = 1, mpRadians = 2, mpPixels = 3, mpBitMap = 4 };
enum TMouse3DFormat : uint8_t { m3Cartesian = 0, m3Pixels = 1, m3BitMap = 2, m3DontShow = 3 };

inline constexpr std::array<const char*, 4> ViewCenterFormatWords = {"vcCartesian", "vcDegrees", "vcRadians",
                                                                     "vcPixels"};
inline constexpr std::array<const char*, 5> MousePosFormatWords = {"mpCartesian", "mpDegrees", "mpRadians",
                                                                   "mpPixels", "mpBitMap"};
inline constexpr std::array<const char*, 4> Mouse3DFormatWords = {"m3Cartesian", "m3Pixels", "m3BitMap",
                                                                  "m3DontShow"};

// X fixed with 5 decimals, trailing zeros and a trailing separator removed ("2.5", "-0.33333").
std::string FormatStatusNumber(long double X);

class TStatusLineObj {
public:
    // Puts a text on panel 0, 1 or 2 of the status bar. The main window sets it; without
    // one only the stored texts change, which is all a test needs.
    std::function<void(int Panel, const std::string& Text)> PanelWriter;

    // The texts last written to panels 0, 1 and 2. The start values are texts no panel
    // ever shows, so that the first text set on a panel, even an empty one, is written.
    std::string ZoomText = "^?~1";
    std::string CenterText = "^?~2";
    std::string MouseText = "^?~3";

    TViewCenterFormat CenterFormat2D = vcCartesian;
    TMousePosFormat MouseFormat2D = mpCartesian;
    TViewCenterFormat CenterFormatPolar = vcDegrees;
    TMousePosFormat MouseFormatPolar = mpDegrees;
    TMouse3DFormat MouseFormat3D = m3DontShow;
    bool ShowStatusLine = true;

    // The six format and visibility defaults; the panel texts stay.
    void SetDefaults();
    // False when anything went wrong; the values read before that stay.
    bool ReadIni(const TMemIniFile& Ini);
    bool WriteIni(TMemIniFile& Ini) const;

    // Each stores S and writes its panel only when S differs from the stored text.
    void SetZoomText(const std::string& S);
    void SetCenterText(const std::string& S);
    void SetMouseText(const std::string& S);
    // Empties the three panels; when the panels cannot be written, empties the stored texts.
    void Clear();

    // The panels for a window of each kind. Mouse is the last mouse position in bitmap
    // pixels (Y downwards); a position off the bitmap leaves panel 2 empty. Anything that
    // cannot be computed (a zero zoom, a value that is not finite) clears the whole line.
    void Update2D(const TView2DZoomObj& View, int BmpWidth, int BmpHeight, int MouseX, int MouseY);
    void UpdatePolar(const TViewPolarZoomObj& View, int BmpWidth, int BmpHeight, int MouseX, int MouseY);
    void Update3D(const TView3DZoomObj& View, int BmpWidth, int BmpHeight, int MouseX, int MouseY);

private:
    void setPanel(int Panel, std::string& Stored, const std::string& S);
    void updatePlane(long double ZoomX, long double ZoomY, long double CenterX, long double CenterY,
                     TViewCenterFormat CenterFormat, TMousePosFormat MouseFormat, int BmpWidth, int BmpHeight,
                     int MouseX, int MouseY);
};
