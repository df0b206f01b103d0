#pragma once
// What the Options dialog does, without its window: the controls' contents as plain
// values, loading them from the five option objects, the OK checks of the zoom and
// rotation steps in their fixed order, and storing the entries (or the defaults) back.
// The form (OptDlg.h) only shows the entries and reports a failed check.

#include "dialogs/DlgCheck.h"
#include "math/MathConst.h"
#include "platform/Fonts.h"

#include <array>
#include <string>

class TGeneralOptionsObj;
class TStatusLineObj;
class THotKeyObj;
class THotKey2DObj;
class THotKeyPolarObj;
class THotKey3DObj;

// The tab pages in their order.
enum TOptionsPage : int { opGeneral, opStatusLine, opHotKey2D, opHotKeyPolar, opHotKey3D };

// The fields an OK check can fail on.
enum TOptionsControl : int {
    ocNone,
    ocZoom2D1, // Edit1_2D .. Edit6_2D
    ocZoom2D6 = ocZoom2D1 + 5,
    ocZoomPol1, // Edit1_Pol .. Edit6_Pol
    ocZoomPol6 = ocZoomPol1 + 5,
    ocRotation3D, // ERotAmount_3D
};
// The page a field lies on.
TOptionsPage OptionsPageOf(int Control);

// Ranges of the controls.
inline constexpr int RepeatDelayMin = 1, RepeatDelayMax = 1500, RepeatDelayTick = 50;
inline constexpr int RepeatRateMin = 1, RepeatRateMax = 700, RepeatRateTick = 20;
inline constexpr int OptBmpSizeMin = 16, OptBmpSizeMax = 2000;
inline constexpr int ScrollAmtMin = 1, ScrollAmtMax = 2000;
inline constexpr int Zoom3DStepMin = 1, Zoom3DStepMax = 100;

// The colour depth list; item 0 is the screen's depth, items 1..6 the pixel formats 2..7.
inline constexpr std::array<const char*, 7> OptColorDepthItems = {
    "Current Video Card Setting", "16 Colors (4 Bit)",   "256 Colors (8 Bit)",  "32,768 Colors (15 Bit)",
    "65,536 Colors (16 Bit)",     "True Color (24 Bit)", "True Color (32 Bit)",
};
// The zoom bands of the 2D and polar steps, which also name them in messages.
inline constexpr std::array<const char*, 6> ZoomBandNames = {
    "10,000 to 1,000", "1,000 to 100", "100 to 20", "20 to 1", "1 to 0.01", "0.01 to 0.0001"};
inline constexpr std::array<const char*, 4> Zoom3DBandNames = {"1,000 to 500", "500 to 200", "200 to 20",
                                                               "20 to 1"};

// A radio group with no button checked.
inline constexpr int NoneChecked = -1;

struct TGeneralEntries {
    bool EnableRepTBButtons = true;
    int RepeatDelay = 600;
    int RepeatRate = 150;
    int BmpWidth = 1000;
    int BmpHeight = 1000;
    int ColorDepthItem = 6; // NoneChecked: no item selected
    bool FlatToolBars = false;
    int CenterPosition = 3; // the checked placement radio, 0..3
    bool CenterCommonDlgs = true;
};

// The checked radio of each group (the format's value) or NoneChecked.
struct TStatusLineEntries {
    int CenterFormat2D = 0;
    int MouseFormat2D = 0;
    int CenterFormatPolar = 1;
    int MouseFormatPolar = 1;
    int MouseFormat3D = 3;
    bool ShowStatusLine = true;
};

struct THotKeyEntries {
    std::array<std::string, 6> Zoom; // Zoom1Range .. Zoom6Range as typed
    int ScrollAmt = 10;
};

struct THotKey3DEntries {
    std::string Rotation;
    std::array<int, 4> Zoom{20, 10, 5, 2};
};

struct TOptionsEntries {
    TGeneralEntries General;
    TStatusLineEntries StatusLine;
    THotKeyEntries HotKeys2D;
    THotKeyEntries HotKeysPolar;
    THotKey3DEntries HotKeys3D;
    bool Default = false; // "Default": OK resets everything instead of storing
};

// The five objects the dialog edits.
struct TOptionsTargets {
    TGeneralOptionsObj& General;
    TStatusLineObj& StatusLine;
    THotKey2DObj& HotKeys2D;
    THotKeyPolarObj& HotKeysPolar;
    THotKey3DObj& HotKeys3D;
};

TGeneralEntries LoadGeneralOptions(const TGeneralOptionsObj& Options);
TStatusLineEntries LoadStatusLine(const TStatusLineObj& StatusLine);
THotKeyEntries LoadHotKeys(const THotKeyObj& HotKeys);
THotKey3DEntries LoadHotKeys3D(const THotKey3DObj& HotKeys);
TOptionsEntries LoadOptions(const TOptionsTargets& Targets);

void StoreGeneralOptions(const TGeneralEntries& Entries, TGeneralOptionsObj& Options);
void StoreStatusLine(const TStatusLineEntries& Entries, TStatusLineObj& StatusLine);

class TOptionsDlgLogic {
public:
    TOptionsDlgLogic();

    std::array<TMathConstCheck, 6> Zoom2D;
    std::array<TMathConstCheck, 6> ZoomPolar;
    TMathConstCheck Rotation3D;

    // The 2D steps, then the polar steps, then the rotation; the first failure stops.
    TDlgCheck Validate(const TOptionsEntries& Entries);

    // After a passed Validate: the zoom and rotation steps are the checked values.
    void StoreHotKeys(const THotKeyEntries& Entries, const std::array<TMathConstCheck, 6>& Checks,
                      THotKeyObj& HotKeys) const;
    void StoreHotKeys3D(const THotKey3DEntries& Entries, THotKey3DObj& HotKeys) const;

    // OK: with "Default" the default font and every object go back to their defaults and the
    // entries are ignored; otherwise the font holder takes Font and every object its entries.
    void Store(const TOptionsEntries& Entries, const TFontRecord& Font, const TOptionsTargets& Targets) const;
};
