#include "shell/OptDlgLogic.h"

#include "math/DefFont.h"
#include "math/Floatstr.h"
#include "math/GrGlobal.h"
#include "shell/Options.h"
#include "shell/status.h"

#include <algorithm>
#include <cstddef>

namespace {

// The steps of the 2D and polar windows.
constexpr long double ZoomStepLo = 0.00001L;
constexpr long double ZoomStepHi = 10000;
// The 3D rotation step in degrees.
constexpr long double RotationLo = 0.1L;
constexpr long double RotationHi = 359;

// A radio group of Count buttons shows Value, or Fallback when Value lies outside it.
int radioOf(int Value, int Count, int Fallback) {
    return Value >= 0 && Value < Count ? Value : Fallback;
}

// A checked radio gives its value; none checked keeps Field as it is.
template <class TEnum> void storeRadio(int Checked, int Count, TEnum& Field) {
    if (Checked >= 0 && Checked < Count) Field = static_cast<TEnum>(Checked);
}

TDlgCheck validateSteps(std::array<TMathConstCheck, 6>& Checks, const std::array<std::string, 6>& Texts,
                        int FirstControl) {
    for (std::size_t i = 0; i < Checks.size(); ++i) {
        TDlgCheck check = CheckConstField(Checks[i], Texts[i], FirstControl + int(i));
        if (!check.Ok) return check;
    }
    return {};
}

} // namespace

TOptionsPage OptionsPageOf(int Control) {
    if (Control >= ocZoom2D1 && Control <= ocZoom2D6) return opHotKey2D;
    if (Control >= ocZoomPol1 && Control <= ocZoomPol6) return opHotKeyPolar;
    if (Control == ocRotation3D) return opHotKey3D;
    return opGeneral;
}

TGeneralEntries LoadGeneralOptions(const TGeneralOptionsObj& Options) {
    TGeneralEntries e;
    e.EnableRepTBButtons = Options.EnableRepTBButtons;
    e.RepeatDelay = std::clamp(Options.RepeatDelay, RepeatDelayMin, RepeatDelayMax);
    e.RepeatRate = std::clamp(Options.RepeatRate, RepeatRateMin, RepeatRateMax);
    e.BmpWidth = std::clamp(Options.DefaultBmpWidth, OptBmpSizeMin, OptBmpSizeMax);
    e.BmpHeight = std::clamp(Options.DefaultBmpHeight, OptBmpSizeMin, OptBmpSizeMax);
    const int depth = Options.DefaultColorDepth;
    e.ColorDepthItem = depth == 0 ? 0 : depth >= 2 && depth <= 7 ? depth - 1 : NoneChecked;
    e.FlatToolBars = Options.FlatToolBars;
    e.CenterPosition = radioOf(Options.CenterDlgsOnPosition, 4, 3);
    e.CenterCommonDlgs = Options.CenterCommonDlgs;
    return e;
}

TStatusLineEntries LoadStatusLine(const TStatusLineObj& StatusLine) {
    TStatusLineEntries e;
    e.CenterFormat2D = radioOf(StatusLine.CenterFormat2D, 4, vcCartesian);
    e.MouseFormat2D = radioOf(StatusLine.MouseFormat2D, 5, mpCartesian);
    e.CenterFormatPolar = radioOf(StatusLine.CenterFormatPolar, 4, vcDegrees);
    e.MouseFormatPolar = radioOf(StatusLine.MouseFormatPolar, 5, mpDegrees);
    e.MouseFormat3D = radioOf(StatusLine.MouseFormat3D, 4, m3DontShow);
    e.ShowStatusLine = StatusLine.ShowStatusLine;
    return e;
}

THotKeyEntries LoadHotKeys(const THotKeyObj& HotKeys) {
    THotKeyEntries e;
    const long double steps[] = {HotKeys.Zoom1Range, HotKeys.Zoom2Range, HotKeys.Zoom3Range,
                                 HotKeys.Zoom4Range, HotKeys.Zoom5Range, HotKeys.Zoom6Range};
    for (std::size_t i = 0; i < e.Zoom.size(); ++i)
        e.Zoom[i] = FloatToStrTrim6(steps[i]);
    e.ScrollAmt = std::clamp(HotKeys.GrScrollAmt, ScrollAmtMin, ScrollAmtMax);
    return e;
}

THotKey3DEntries LoadHotKeys3D(const THotKey3DObj& HotKeys) {
    THotKey3DEntries e;
    e.Rotation = AngleToStr(HotKeys.Rotation3DIncAmt);
    const int steps[] = {HotKeys.Zoom1Range3D, HotKeys.Zoom2Range3D, HotKeys.Zoom3Range3D,
                         HotKeys.Zoom4Range3D};
    for (std::size_t i = 0; i < e.Zoom.size(); ++i)
        e.Zoom[i] = std::clamp(steps[i], Zoom3DStepMin, Zoom3DStepMax);
    return e;
}

TOptionsEntries LoadOptions(const TOptionsTargets& Targets) {
    TOptionsEntries e;
    e.General = LoadGeneralOptions(Targets.General);
    e.StatusLine = LoadStatusLine(Targets.StatusLine);
    e.HotKeys2D = LoadHotKeys(Targets.HotKeys2D);
    e.HotKeysPolar = LoadHotKeys(Targets.HotKeysPolar);
    e.HotKeys3D = LoadHotKeys3D(Targets.HotKeys3D);
    return e;
}

void StoreGeneralOptions(const TGeneralEntries& Entries, TGeneralOptionsObj& Options) {
    Options.EnableRepTBButtons = Entries.EnableRepTBButtons;
    Options.RepeatDelay = Entries.RepeatDelay;
    Options.RepeatRate = Entries.RepeatRate;
    Options.DefaultBmpWidth = Entries.BmpWidth;
    Options.DefaultBmpHeight = Entries.BmpHeight;
    const int item = Entries.ColorDepthItem;
    Options.DefaultColorDepth = item >= 1 && item <= 6 ? uint8_t(item + 1) : 0;
    Options.FlatToolBars = Entries.FlatToolBars;
    Options.CenterDlgsOnPosition = Entries.CenterPosition >= 0 && Entries.CenterPosition <= 2
                                       ? uint8_t(Entries.CenterPosition)
                                       : uint8_t(3);
    Options.CenterCommonDlgs = Entries.CenterCommonDlgs;
}

void StoreStatusLine(const TStatusLineEntries& Entries, TStatusLineObj& StatusLine) {
    storeRadio(Entries.CenterFormat2D, 4, StatusLine.CenterFormat2D);
    storeRadio(Entries.MouseFormat2D, 5, StatusLine.MouseFormat2D);
    storeRadio(Entries.CenterFormatPolar, 4, StatusLine.CenterFormatPolar);
    storeRadio(Entries.MouseFormatPolar, 5, StatusLine.MouseFormatPolar);
    storeRadio(Entries.MouseFormat3D, 4, StatusLine.MouseFormat3D);
    StatusLine.ShowStatusLine = Entries.ShowStatusLine;
}

TOptionsDlgLogic::TOptionsDlgLogic() {
    for (std::size_t i = 0; i < Zoom2D.size(); ++i) {
        SetInclusiveBounds(Zoom2D[i], ZoomBandNames[i], "0.00001", ZoomStepLo, "10,000", ZoomStepHi);
        SetInclusiveBounds(ZoomPolar[i], ZoomBandNames[i], "0.00001", ZoomStepLo, "10,000", ZoomStepHi);
    }
    SetInclusiveBounds(Rotation3D, "Rotation Amount", "0.1", RotationLo, "359", RotationHi);
}

TDlgCheck TOptionsDlgLogic::Validate(const TOptionsEntries& Entries) {
    TDlgCheck check = validateSteps(Zoom2D, Entries.HotKeys2D.Zoom, ocZoom2D1);
    if (!check.Ok) return check;
    check = validateSteps(ZoomPolar, Entries.HotKeysPolar.Zoom, ocZoomPol1);
    if (!check.Ok) return check;
    return CheckConstField(Rotation3D, Entries.HotKeys3D.Rotation, ocRotation3D);
}

void TOptionsDlgLogic::StoreHotKeys(const THotKeyEntries& Entries,
                                    const std::array<TMathConstCheck, 6>& Checks, THotKeyObj& HotKeys) const {
    long double* steps[] = {&HotKeys.Zoom1Range, &HotKeys.Zoom2Range, &HotKeys.Zoom3Range,
                            &HotKeys.Zoom4Range, &HotKeys.Zoom5Range, &HotKeys.Zoom6Range};
    // A step whose edit never passed its check keeps its value.
    for (std::size_t i = 0; i < Checks.size(); ++i)
        if (Checks[i].Valid) *steps[i] = Checks[i].Value.FloatValue;
    HotKeys.GrScrollAmt = Entries.ScrollAmt;
}

void TOptionsDlgLogic::StoreHotKeys3D(const THotKey3DEntries& Entries, THotKey3DObj& HotKeys) const {
    if (Rotation3D.Valid) HotKeys.Rotation3DIncAmt = Rotation3D.Value.FloatValue;
    HotKeys.Zoom1Range3D = Entries.Zoom[0];
    HotKeys.Zoom2Range3D = Entries.Zoom[1];
    HotKeys.Zoom3Range3D = Entries.Zoom[2];
    HotKeys.Zoom4Range3D = Entries.Zoom[3];
}

void TOptionsDlgLogic::Store(const TOptionsEntries& Entries, const TFontRecord& Font,
                             const TOptionsTargets& Targets) const {
    if (Entries.Default) {
        DefaultFontHolder().ResetFont();
        Targets.General.SetDefaults();
        Targets.StatusLine.SetDefaults();
        Targets.HotKeys2D.SetDefaults();
        Targets.HotKeysPolar.SetDefaults();
        Targets.HotKeys3D.SetDefaults();
        return;
    }
    DefaultFontHolder().SetFontAttributes(&Font);
    StoreGeneralOptions(Entries.General, Targets.General);
    StoreStatusLine(Entries.StatusLine, Targets.StatusLine);
    StoreHotKeys(Entries.HotKeys2D, Zoom2D, Targets.HotKeys2D);
    StoreHotKeys(Entries.HotKeysPolar, ZoomPolar, Targets.HotKeysPolar);
    StoreHotKeys3D(Entries.HotKeys3D, Targets.HotKeys3D);
}
