#include "shell/Options.h"

#include "math/DefFont.h"
#include "platform/IniFile.h"

#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

constexpr const char* kGeneral = "General";

// Ini words of the colour depth codes; code 1 has none.
constexpr std::array<std::pair<uint8_t, const char*>, 7> kColorDepthWords = {{{0, "pfDevice"},
                                                                              {2, "pf4bit"},
                                                                              {3, "pf8bit"},
                                                                              {4, "pf15bit"},
                                                                              {5, "pf16bit"},
                                                                              {6, "pf24bit"},
                                                                              {7, "pf32bit"}}};
constexpr uint8_t kColorDepthDefault = 7;

constexpr std::array<const char*, 4> kPositionWords = {"dpScreenCenter", "dpDesktopCenter",
                                                       "dpMainFormCenter", "dpSpecifiedFormCenter"};
constexpr uint8_t kPositionDefault = 3;

uint8_t colorDepthFromWord(const std::string& Word) {
    for (auto [code, word] : kColorDepthWords)
        if (Word == word) return code;
    return kColorDepthDefault;
}

const char* colorDepthWord(uint8_t Code) {
    for (auto [code, word] : kColorDepthWords)
        if (Code == code) return word;
    return "pf32bit";
}

uint8_t positionFromWord(const std::string& Word) {
    for (size_t i = 0; i < kPositionWords.size(); ++i)
        if (Word == kPositionWords[i]) return uint8_t(i);
    return kPositionDefault;
}

const char* positionWord(uint8_t Position) {
    return kPositionWords[Position <= 2 ? Position : kPositionDefault];
}

// The six band steps of a hot-key object in key order (Zoom1Range .. Zoom6Range).
constexpr std::array<long double THotKeyObj::*, 6> kZoomRanges = {
    &THotKeyObj::Zoom1Range, &THotKeyObj::Zoom2Range, &THotKeyObj::Zoom3Range,
    &THotKeyObj::Zoom4Range, &THotKeyObj::Zoom5Range, &THotKeyObj::Zoom6Range};

constexpr std::array<int THotKey3DObj::*, 4> kZoomRanges3D = {
    &THotKey3DObj::Zoom1Range3D, &THotKey3DObj::Zoom2Range3D, &THotKey3DObj::Zoom3Range3D,
    &THotKey3DObj::Zoom4Range3D};

std::string zoomRangeKey(size_t Index, const std::string& Suffix) {
    return "Zoom" + std::to_string(Index + 1) + "Range" + Suffix;
}

// A zoom kept in ZoomMin..ZoomMax; a value that is not a number goes to ZoomMin.
long double clampZoom(long double Zoom) {
    if (!(Zoom >= ZoomMin)) return ZoomMin;
    return Zoom > ZoomMax ? ZoomMax : Zoom;
}

constexpr int32_t kZoom3DMin = 1;
constexpr int32_t kZoom3DMax = 1000;

// Zoom + Delta kept in 1..1000; computed wide so that no step can overflow.
int32_t add3DZoom(int32_t Zoom, int64_t Delta) {
    return int32_t(std::clamp<int64_t>(int64_t(Zoom) + Delta, kZoom3DMin, kZoom3DMax));
}

} // namespace

bool TGeneralOptionsObj::ReadIni(const TMemIniFile& Ini) {
    const TGeneralOptionsObj d;
    try {
        EnableRepTBButtons = Ini.ReadBool(kGeneral, "EnableRepTBButtons", d.EnableRepTBButtons);
        RepeatDelay = Ini.ReadInteger(kGeneral, "RepeatDelay", d.RepeatDelay);
        RepeatRate = Ini.ReadInteger(kGeneral, "RepeatRate", d.RepeatRate);
        DefaultBmpWidth = Ini.ReadInteger(kGeneral, "DefaultBmpWidth", d.DefaultBmpWidth);
        DefaultBmpHeight = Ini.ReadInteger(kGeneral, "DefaultBmpHeight", d.DefaultBmpHeight);
        DefaultColorDepth = colorDepthFromWord(Ini.ReadString(kGeneral, "DefaultColorDepth", ""));
        FlatToolBars = Ini.ReadBool(kGeneral, "FlatToolBars", d.FlatToolBars);
        CenterDlgsOnPosition = positionFromWord(Ini.ReadString(kGeneral, "CenterDlgsOnPosition", ""));
        CenterCommonDlgs = Ini.ReadBool(kGeneral, "CenterCommonDlgs", d.CenterCommonDlgs);
        return true;
    } catch (...) {
        return false;
    }
}

bool TGeneralOptionsObj::WriteIni(TMemIniFile& Ini) const {
    try {
        Ini.WriteBool(kGeneral, "EnableRepTBButtons", EnableRepTBButtons);
        Ini.WriteInteger(kGeneral, "RepeatDelay", RepeatDelay);
        Ini.WriteInteger(kGeneral, "RepeatRate", RepeatRate);
        Ini.WriteInteger(kGeneral, "DefaultBmpWidth", DefaultBmpWidth);
        Ini.WriteInteger(kGeneral, "DefaultBmpHeight", DefaultBmpHeight);
        Ini.WriteString(kGeneral, "DefaultColorDepth", colorDepthWord(DefaultColorDepth));
        Ini.WriteBool(kGeneral, "FlatToolBars", FlatToolBars);
        Ini.WriteString(kGeneral, "CenterDlgsOnPosition", positionWord(CenterDlgsOnPosition));
        Ini.WriteBool(kGeneral, "CenterCommonDlgs", CenterCommonDlgs);
        return true;
    } catch (...) {
        return false;
    }
}

int TGeneralOptionsObj::NewGraphBmpWidth() const {
    return std::clamp(DefaultBmpWidth, MinGraphBmpSize, MaxGraphBmpSize);
}

int TGeneralOptionsObj::NewGraphBmpHeight() const {
    return std::clamp(DefaultBmpHeight, MinGraphBmpSize, MaxGraphBmpSize);
}

bool StartRepeatTimer(QTimer& Timer, int Interval) {
    if (Interval <= 0) {
        Timer.stop();
        return false;
    }
    Timer.start(Interval);
    return true;
}

bool THotKeyObj::ReadIni(const TMemIniFile& Ini, const std::string& Suffix) {
    const std::string section = "HotKey" + Suffix;
    const THotKeyObj d;
    try {
        GrScrollAmt = Ini.ReadInteger(section, "GrScrollAmt" + Suffix, d.GrScrollAmt);
        for (size_t i = 0; i < kZoomRanges.size(); ++i)
            this->*kZoomRanges[i] = Ini.ReadFloat(section, zoomRangeKey(i, Suffix), d.*kZoomRanges[i]);
        return true;
    } catch (...) {
        return false;
    }
}

bool THotKeyObj::WriteIni(TMemIniFile& Ini, const std::string& Suffix) const {
    const std::string section = "HotKey" + Suffix;
    try {
        Ini.WriteInteger(section, "GrScrollAmt" + Suffix, GrScrollAmt);
        for (size_t i = 0; i < kZoomRanges.size(); ++i)
            Ini.WriteFloat(section, zoomRangeKey(i, Suffix), this->*kZoomRanges[i]);
        return true;
    } catch (...) {
        return false;
    }
}

// A band's lower edge belongs to the band above it going in, so each step stops exactly on
// the band edges (... 18, 20, 25 ...).
bool THotKeyObj::StepZoomIn(long double& Zoom, long double Limit) const {
    const long double old = Zoom;
    if (Zoom >= Limit) {
        Zoom = Limit;
        return Zoom != old;
    }
    long double step = Zoom1Range, cap = 10000;
    if (Zoom < 0.01L)
        step = Zoom6Range, cap = 0.01L;
    else if (Zoom < 1)
        step = Zoom5Range, cap = 1;
    else if (Zoom < 20)
        step = Zoom4Range, cap = 20;
    else if (Zoom < 100)
        step = Zoom3Range, cap = 100;
    else if (Zoom < 1000)
        step = Zoom2Range, cap = 1000;
    Zoom += step;
    if (Zoom > cap) Zoom = cap;
    // A step of 0 or less read from the ini file must not carry the zoom to 0 or below.
    Zoom = clampZoom(Zoom);
    return Zoom != old;
}

// Going out, a band's lower edge belongs to the band below it (25, 20, 18 ...).
bool THotKeyObj::StepZoomOut(long double& Zoom, long double Limit) const {
    const long double old = Zoom;
    if (Zoom <= Limit) {
        Zoom = Limit;
        return Zoom != old;
    }
    long double step = Zoom6Range, floor = 0.0001L;
    if (Zoom > 1000)
        step = Zoom1Range, floor = 1000;
    else if (Zoom > 100)
        step = Zoom2Range, floor = 100;
    else if (Zoom > 20)
        step = Zoom3Range, floor = 20;
    else if (Zoom > 1)
        step = Zoom4Range, floor = 1;
    else if (Zoom > 0.01L)
        step = Zoom5Range, floor = 0.01L;
    Zoom -= step;
    if (Zoom < floor) Zoom = floor;
    Zoom = clampZoom(Zoom);
    return Zoom != old;
}

bool THotKey3DObj::ReadIni(const TMemIniFile& Ini) {
    const THotKey3DObj d;
    try {
        Rotation3DIncAmt = Ini.ReadFloat("HotKey3D", "Rotation3DIncAmt", d.Rotation3DIncAmt);
        for (size_t i = 0; i < kZoomRanges3D.size(); ++i)
            this->*kZoomRanges3D[i] = Ini.ReadInteger("HotKey3D", zoomRangeKey(i, "3D"), d.*kZoomRanges3D[i]);
        return true;
    } catch (...) {
        return false;
    }
}

bool THotKey3DObj::WriteIni(TMemIniFile& Ini) const {
    try {
        Ini.WriteFloat("HotKey3D", "Rotation3DIncAmt", Rotation3DIncAmt);
        for (size_t i = 0; i < kZoomRanges3D.size(); ++i)
            Ini.WriteInteger("HotKey3D", zoomRangeKey(i, "3D"), this->*kZoomRanges3D[i]);
        return true;
    } catch (...) {
        return false;
    }
}

// The 3D steps have no cap at the band edges; the zoom only stays in 1..1000.
bool THotKey3DObj::ZoomIn(int32_t& Zoom) const {
    const int32_t old = Zoom;
    if (Zoom >= kZoom3DMax) {
        Zoom = kZoom3DMax;
        return Zoom != old;
    }
    const int step = Zoom < 20    ? Zoom4Range3D
                     : Zoom < 200 ? Zoom3Range3D
                     : Zoom < 500 ? Zoom2Range3D
                                  : Zoom1Range3D;
    Zoom = add3DZoom(Zoom, std::llabs(step));
    return Zoom != old;
}

bool THotKey3DObj::ZoomOut(int32_t& Zoom) const {
    const int32_t old = Zoom;
    if (Zoom <= kZoom3DMin) {
        Zoom = kZoom3DMin;
        return Zoom != old;
    }
    const int step = Zoom > 500   ? Zoom1Range3D
                     : Zoom > 200 ? Zoom2Range3D
                     : Zoom > 20  ? Zoom3Range3D
                                  : Zoom4Range3D;
    Zoom = add3DZoom(Zoom, -std::llabs(step));
    return Zoom != old;
}

bool ReadFontFromIni(const TMemIniFile& Ini, TFontRecord& Font, const std::string& Section,
                     const std::string& NameKey, const std::string& ColorKey, const std::string& BoldKey,
                     const std::string& ItalicKey, const std::string& UnderlineKey,
                     const std::string& StrikeOutKey, const std::string& SizeKey) {
    try {
        const std::string name = Ini.ReadString(Section, NameKey, Font.Name);
        const TColor color = TColor(Ini.ReadInteger(Section, ColorKey, int(Font.Color)));
        TFontStyles style = 0;
        const std::pair<const std::string*, TFontStyle> styles[] = {{&BoldKey, fsBold},
                                                                    {&ItalicKey, fsItalic},
                                                                    {&UnderlineKey, fsUnderline},
                                                                    {&StrikeOutKey, fsStrikeOut}};
        for (auto [key, bit] : styles)
            if (Ini.ReadBool(Section, *key, Font.HasStyle(bit))) style |= bit;
        const int size = Ini.ReadInteger(Section, SizeKey, Font.Size);
        Font.Name = name;
        Font.Color = color;
        Font.Style = style;
        Font.Size = size;
        return true;
    } catch (...) {
        return false;
    }
}

bool WriteFontToIni(TMemIniFile& Ini, const TFontRecord& Font, const std::string& Section,
                    const std::string& NameKey, const std::string& ColorKey, const std::string& BoldKey,
                    const std::string& ItalicKey, const std::string& UnderlineKey,
                    const std::string& StrikeOutKey, const std::string& SizeKey) {
    try {
        Ini.WriteString(Section, NameKey, Font.Name);
        Ini.WriteInteger(Section, ColorKey, int(Font.Color));
        Ini.WriteBool(Section, BoldKey, Font.HasStyle(fsBold));
        Ini.WriteBool(Section, ItalicKey, Font.HasStyle(fsItalic));
        Ini.WriteBool(Section, UnderlineKey, Font.HasStyle(fsUnderline));
        Ini.WriteBool(Section, StrikeOutKey, Font.HasStyle(fsStrikeOut));
        Ini.WriteInteger(Section, SizeKey, Font.Size);
        return true;
    } catch (...) {
        return false;
    }
}

bool ReadDefaultFontFromIni(const TMemIniFile& Ini) {
    try {
        TFontRecord font;
        if (!ReadFontFromIni(Ini, font, kGeneral, "DefFontName", "DefFontColor", "DefFontStyleBold",
                             "DefFontStyleItalic", "DefFontStyleUnderline", "DefFontStyleStrikeOut",
                             "DefFontSize"))
            return false;
        DefaultFontHolder().SetFontAttributes(&font);
        return true;
    } catch (...) {
        return false;
    }
}

bool WriteDefaultFontToIni(TMemIniFile& Ini) {
    try {
        return WriteFontToIni(Ini, GetDefaultFont(), kGeneral, "DefFontName", "DefFontColor",
                              "DefFontStyleBold", "DefFontStyleItalic", "DefFontStyleUnderline",
                              "DefFontStyleStrikeOut", "DefFontSize");
    } catch (...) {
        return false;
    }
}
