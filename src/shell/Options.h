#pragma once
// The option objects the main window owns: general options, the keyboard and tool-button
// steps of 2D, polar and 3D windows, and the default label font, each with its part of
// the ini file. Every ini routine catches everything and answers false; the user never
// sees an ini error. Values are stored as read; the places that use them keep them in
// range (picture sizes, timer intervals, zoom steps).

#include "platform/Fonts.h"

#include <cstdint>
#include <string>

class QTimer;
class TMemIniFile;

class TGeneralOptionsObj {
public:
    bool EnableRepTBButtons = true; // zoom, scroll, page and rotate buttons repeat while held
    int RepeatDelay = 600;          // ms before the first repeat
    int RepeatRate = 150;           // ms between repeats
    int DefaultBmpWidth = 1000;     // bitmap size of a new graph
    int DefaultBmpHeight = 1000;
    uint8_t DefaultColorDepth = 7; // 0 the screen's depth, 2..7 a pixel format code
    bool FlatToolBars = false;
    uint8_t CenterDlgsOnPosition = 3; // a TDialogPosition
    bool CenterCommonDlgs = true;

    // Back to the values above.
    void SetDefaults() { *this = TGeneralOptionsObj(); }
    bool ReadIni(const TMemIniFile& Ini);
    bool WriteIni(TMemIniFile& Ini) const;

    // The bitmap size a new graph gets: the stored size kept inside 16..2000, because a
    // hand-edited ini file may hold anything.
    int NewGraphBmpWidth() const;
    int NewGraphBmpHeight() const;
};

// Bitmap sizes a graph may have.
inline constexpr int MinGraphBmpSize = 16;
inline constexpr int MaxGraphBmpSize = 2000;

// Starts Timer with Interval ms. An interval of 0 or less would fire without pause, so
// such a timer is stopped instead; false then.
bool StartRepeatTimer(QTimer& Timer, int Interval);

// Zoom steps of one 2D-like window kind, in six bands of the zoom value.
class THotKeyObj {
public:
    int GrScrollAmt = 10;             // scroll step in pixels
    long double Zoom1Range = 500;     // band 1000..10000
    long double Zoom2Range = 25;      // band 100..1000
    long double Zoom3Range = 5;       // band 20..100
    long double Zoom4Range = 2;       // band 1..20
    long double Zoom5Range = 0.02L;   // band 0.01..1
    long double Zoom6Range = 0.0002L; // band 0.0001..0.01

    void SetDefaults() { *this = THotKeyObj(); }
    // Section "HotKey" + Suffix, keys "GrScrollAmt" + Suffix, "Zoom1Range" + Suffix ...
    bool ReadIni(const TMemIniFile& Ini, const std::string& Suffix);
    bool WriteIni(TMemIniFile& Ini, const std::string& Suffix) const;

    // One band step of Zoom in or out, stopping on the band edges and at Limit; true when
    // Zoom changed. The result always lies in ZoomMin..ZoomMax, whatever the steps hold.
    bool StepZoomIn(long double& Zoom, long double Limit) const;
    bool StepZoomOut(long double& Zoom, long double Limit) const;
};

// The range of 2D and polar zooms.
inline constexpr long double ZoomMin = 0.0001L;
inline constexpr long double ZoomMax = 10000;

class THotKey2DObj : public THotKeyObj {
public:
    static constexpr const char* Suffix = "2D";
    bool ReadIni(const TMemIniFile& Ini) { return THotKeyObj::ReadIni(Ini, Suffix); }
    bool WriteIni(TMemIniFile& Ini) const { return THotKeyObj::WriteIni(Ini, Suffix); }
    bool ZoomIn(long double& Zoom) const { return StepZoomIn(Zoom, ZoomMax); }
    bool ZoomOut(long double& Zoom) const { return StepZoomOut(Zoom, ZoomMin); }
};

class THotKeyPolarObj : public THotKeyObj {
public:
    static constexpr const char* Suffix = "Pol";
    bool ReadIni(const TMemIniFile& Ini) { return THotKeyObj::ReadIni(Ini, Suffix); }
    bool WriteIni(TMemIniFile& Ini) const { return THotKeyObj::WriteIni(Ini, Suffix); }
    bool ZoomIn(long double& Zoom) const { return StepZoomIn(Zoom, ZoomMax); }
    bool ZoomOut(long double& Zoom) const { return StepZoomOut(Zoom, ZoomMin); }
};

class THotKey3DObj {
public:
    long double Rotation3DIncAmt = 3; // degrees
    int Zoom1Range3D = 20;            // band 500..1000
    int Zoom2Range3D = 10;            // band 200..500
    int Zoom3Range3D = 5;             // band 20..200
    int Zoom4Range3D = 2;             // band 1..20

    void SetDefaults() { *this = THotKey3DObj(); }
    bool ReadIni(const TMemIniFile& Ini);
    bool WriteIni(TMemIniFile& Ini) const;

    // One step of the integer 3D zoom, kept in 1..1000; true when Zoom changed.
    bool ZoomIn(int32_t& Zoom) const;
    bool ZoomOut(int32_t& Zoom) const;
};

// A font's name, colour, bold, italic, underline, strike-out and size under the given keys,
// each read with the font's current value as its default.
bool ReadFontFromIni(const TMemIniFile& Ini, TFontRecord& Font, const std::string& Section,
                     const std::string& NameKey, const std::string& ColorKey, const std::string& BoldKey,
                     const std::string& ItalicKey, const std::string& UnderlineKey,
                     const std::string& StrikeOutKey, const std::string& SizeKey);
bool WriteFontToIni(TMemIniFile& Ini, const TFontRecord& Font, const std::string& Section,
                    const std::string& NameKey, const std::string& ColorKey, const std::string& BoldKey,
                    const std::string& ItalicKey, const std::string& UnderlineKey,
                    const std::string& StrikeOutKey, const std::string& SizeKey);

// The default label font in section "General" ("DefFontName" ... "DefFontSize"); reading
// starts from a newly made font and hands the result to the default font holder.
bool ReadDefaultFontFromIni(const TMemIniFile& Ini);
bool WriteDefaultFontToIni(TMemIniFile& Ini);
