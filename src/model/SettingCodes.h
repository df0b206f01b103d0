#pragma once
// Cosmetic codes of the settings (pen styles, tick types, number formats, decimal places)
// are kept as the file or the dialog gave them, so that a file never fails to open over one
// byte of style and a save writes back what was read. The drawing and the dialogs take them
// through these, which turn a value out of range into the default one.

#include "math/Floatstr.h"
#include "platform/Canvas.h"

#include <algorithm>
#include <cstdint>

// Settings pen styles: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot; others draw solid.
inline constexpr uint8_t MaxSettingPenStyle = 4;
inline TPenStyle SettingPenStyle(uint8_t code) {
    return code <= MaxSettingPenStyle ? TPenStyle(code) : psSolid;
}

// Tick types of a 2D axis; others draw no ticks.
enum : uint8_t { tkNone = 0, tkTickMarks = 1, tkGridMarks = 2, tkGridLines = 3 };
inline uint8_t SettingTickType(uint8_t code) {
    return code <= tkGridLines ? code : uint8_t(tkNone);
}

// Number formats of tick labels; others format as "Max Decimal".
inline constexpr uint8_t MaxSettingNumberFormat = nfCurrencyFixedDec;
inline TNumberFormatKind SettingNumberFormat(uint8_t code) {
    return code <= MaxSettingNumberFormat ? TNumberFormatKind(code) : nfMaxDecimal;
}

// Decimal places (or precision) of tick labels, 0..18.
inline constexpr int32_t MaxSettingDecimalPlaces = 18;
inline int32_t SettingDecimalPlaces(int32_t value) {
    return std::clamp<int32_t>(value, 0, MaxSettingDecimalPlaces);
}
