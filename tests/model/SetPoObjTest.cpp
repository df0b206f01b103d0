// The polar settings object: defaults, copies, and its records in every file version, with
// the evaluation of its constant texts.
#include "common/GraphFileBytes.h"

#include "math/DefFont.h"
#include "model/SetPoObj.h"
#include "model/readedit.h"
#include "platform/Bitmap.h"
#include "platform/FormatSettings.h"
#include "platform/ScriptedUiHook.h"

#include <QLineEdit>

#include <gtest/gtest.h>

using namespace recordtest;

namespace {

ByteBuilder& fontBytes(ByteBuilder& b, const TFontRecord& f) {
    return b.Font(f.Name, f.Color, f.Style, f.Size);
}

} // namespace

namespace {

// The record of versions 3 and 4 of the polar settings, without texts and font.
struct Polar {
    uint32_t back = 0xFFFFFF;
    int32_t count = 8;
    std::vector<long double> angles{0, 45, 90, 135, 180, 225, 270, 315};
    uint32_t axisColor = 0;
    int32_t width = 1;
    uint8_t pen = 0;
    int64_t inc = 1;
    uint8_t tickType = 0;
    uint32_t tickColor = 0;
    int32_t dash = 5, circle = 1;
    uint8_t circlePen = 0;
    bool labels = true;
    uint8_t format = 0;
    bool thousands = true, plus = false;
    int32_t decimals = 1;
    bool restrict = false;
    int64_t radius = 5;

    Bytes record() const {
        ByteBuilder b;
        b.I32(int32_t(back)).I32(count);
        for (int i = 0; i < 360; ++i)
            b.Ext(i < int(angles.size()) ? angles[i] : 0);
        b.I32(int32_t(axisColor)).I32(width).U8(pen).PackedExact(inc, 1).U8(tickType).I32(int32_t(tickColor));
        b.I32(dash).I32(circle).U8(circlePen).Bool(labels).U8(format).Bool(thousands).Bool(plus).I32(
            decimals);
        b.Bool(restrict).PackedExact(radius, 1);
        EXPECT_EQ(b.Size(), 3694u);
        return b.b;
    }
};

} // namespace

TEST(SettingsPolar, DefaultRecordAndRoundTrip) {
    TScopedScriptedUiHook hook;
    TSettingPolarObj s;
    EXPECT_EQ(s.AxisCount, 8);
    EXPECT_EQ(s.AxisAngles[7], 315);
    EXPECT_EQ(s.AxisAngles[8], 0);
    expectExact(s.TickInc, 1, 1);
    expectExact(s.RadiusRestrict, 5, 1);
    EXPECT_EQ(s.RadiusRestrictStr, "5");
    EXPECT_EQ(s.TickMarkType, pkDashes);
    const TFontRecord def = GetDefaultFont();
    EXPECT_EQ(s.LabelFont, def);

    ByteBuilder expected;
    expected.Append(Polar{}.record()).Str("1").Str("5");
    fontBytes(expected, def);
    const Bytes written = WrittenBody(2, [&](TWriteGraphFile& w) { s.WriteToFile(w); });
    EXPECT_EQ(written, expected.b);

    TSettingPolarObj back;
    back.AxisCount = 0;
    ReadBody(4, 2, written, [&](TReadGraphFile& r) { back.ReadFromFile(r); });
    EXPECT_TRUE(back.Changed);
    EXPECT_EQ(back.AxisCount, 8);
    EXPECT_EQ(WrittenBody(2, [&](TWriteGraphFile& w) { back.WriteToFile(w); }), written);

    TSettingPolarObj copy;
    back.Changed = true;
    back.RadiusRestrictStr = "7";
    back.AxisAngles[100] = 12.5;
    copy.AssignFrom(back);
    EXPECT_FALSE(copy.Changed);
    EXPECT_EQ(copy.RadiusRestrictStr, "7");
    EXPECT_EQ(copy.AxisAngles[100], 12.5);
    back.RadiusRestrictStr[0] = '8';
    EXPECT_EQ(copy.RadiusRestrictStr, "7");
}

TEST(SettingsPolar, RecordsOfVersionsOneToFour) {
    TScopedScriptedUiHook hook;
    Polar p;
    p.back = 0x102030;
    p.count = 3;
    p.angles = {10, 20.5L, 330};
    p.axisColor = 0x0000FF;
    p.width = 2;
    p.pen = 4;
    p.tickType = 9; // any other type draws no ticks and is kept
    p.tickColor = 0x00FF00;
    p.dash = 8;
    p.circle = 3;
    p.circlePen = 2;
    p.labels = false;
    p.format = 3;
    p.thousands = false;
    p.plus = true;
    p.decimals = 2;
    p.restrict = true;
    const TFontRecord font{"Arial", 5, 2, 14};
    ByteBuilder v3;
    v3.Append(p.record()).Str("0.5").Str("12");
    fontBytes(v3, font);
    for (int version : {3, 4}) {
        TSettingPolarObj s;
        ReadBody(version, 2, v3.b, [&](TReadGraphFile& r) { s.ReadFromFile(r); });
        EXPECT_EQ(s.BackColor, 0x102030u);
        EXPECT_EQ(s.AxisCount, 3);
        EXPECT_EQ(s.AxisAngles[1], 20.5L);
        EXPECT_EQ(s.AxisAngles[3], 0);
        EXPECT_EQ(s.AxisPenStyle, 4);
        EXPECT_EQ(s.TickIncStr, "0.5");
        expectExact(s.TickInc, 1, 2);
        EXPECT_EQ(s.TickMarkType, 9);
        EXPECT_EQ(s.DashLength, 8);
        EXPECT_EQ(s.CircleWidth, 3);
        EXPECT_EQ(s.CirclePenStyle, 2);
        EXPECT_FALSE(s.ShowLabels);
        EXPECT_EQ(s.LabelFormat, nfCurrencyMaxDec);
        EXPECT_FALSE(s.ThousandsSeparator);
        EXPECT_TRUE(s.PlusSign);
        EXPECT_EQ(s.DecimalPlaces, 2);
        EXPECT_TRUE(s.RestrictRadius);
        expectExact(s.RadiusRestrict, 12, 1);
        EXPECT_EQ(s.LabelFont, font);
    }

    // Version 2: 80-bit floats for the two constants.
    ByteBuilder v2;
    v2.I32(0x0A0B0C).I32(2).Ext(0).Ext(90);
    for (int i = 2; i < 360; ++i)
        v2.Ext(0);
    v2.I32(0x111111).I32(4).U8(1).Ext(2.5L).U8(1).I32(0x222222).I32(6).I32(2).U8(3).Bool(true).U8(1);
    v2.Bool(true).Bool(false).I32(6).Bool(true).Ext(7.25L);
    ASSERT_EQ(v2.Size(), 3660u);
    v2.Str("").Str("29/4");
    fontBytes(v2, font);
    TSettingPolarObj s2;
    ReadBody(2, 2, v2.b, [&](TReadGraphFile& r) { s2.ReadFromFile(r); });
    EXPECT_EQ(s2.AxisCount, 2);
    EXPECT_EQ(s2.AxisAngles[1], 90);
    EXPECT_EQ(s2.AxisColor, 0x111111u);
    expectFloat(s2.TickInc, 2.5L); // an empty text keeps the record's value
    EXPECT_EQ(s2.TickMarkType, pkCircles);
    EXPECT_EQ(s2.CircleWidth, 2);
    EXPECT_EQ(s2.CirclePenStyle, 3);
    EXPECT_EQ(s2.LabelFormat, nfFixedDecimal);
    EXPECT_EQ(s2.DecimalPlaces, 6);
    expectExact(s2.RadiusRestrict, 29, 4);

    // Version 1: twelve axes with their angles, 16-bit numbers, short texts.
    ByteBuilder v1;
    v1.I32(0x00FFEE).I16(12);
    for (int i = 0; i < 360; ++i)
        v1.Ext(i < 12 ? 30.0L * i : 0);
    v1.I32(0x0000AA).I16(3).U8(2).Short("2", 50).Ext(2).U8(1).I32(0x0000BB).I16(-4).I16(5).U8(1);
    v1.Bool(true).I16(7).Bool(true).Short("10.5", 50).Ext(10.5L);
    ASSERT_EQ(v1.Size(), 3749u);
    v1.FontV1("Courier", 0x99, 4, 9);
    TSettingPolarObj s1;
    s1.LabelFormat = nfScientific; // not in the record: kept
    ReadBody(1, 2, v1.b, [&](TReadGraphFile& r) { s1.ReadFromFile(r); });
    EXPECT_EQ(s1.AxisCount, 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(s1.AxisAngles[i], 30.0L * i);
    EXPECT_EQ(s1.AxisWidth, 3);
    EXPECT_EQ(s1.AxisPenStyle, 2);
    EXPECT_EQ(s1.TickIncStr, "2");
    expectExact(s1.TickInc, 2, 1);
    EXPECT_EQ(s1.DashLength, -4);
    EXPECT_EQ(s1.CircleWidth, 5);
    EXPECT_EQ(s1.DecimalPlaces, 7);
    EXPECT_TRUE(s1.RestrictRadius);
    expectExact(s1.RadiusRestrict, 21, 2);
    EXPECT_EQ(s1.LabelFormat, nfScientific);
    EXPECT_EQ(s1.LabelFont.Name, "Courier");
    EXPECT_TRUE(hook->ModalForms.empty());
}

TEST(SettingsPolar, OutOfRangeStyleFieldsLoadAsRead) {
    TScopedScriptedUiHook hook;
    Polar p;
    p.pen = 9, p.circlePen = 5, p.format = 77, p.decimals = -1, p.tickType = 3;
    ByteBuilder body;
    body.Append(p.record()).Str("1").Str("5");
    fontBytes(body, GetDefaultFont());
    TSettingPolarObj s;
    ReadBody(4, 2, body.b, [&](TReadGraphFile& r) { s.ReadFromFile(r); });
    EXPECT_TRUE(hook->Messages.empty());
    EXPECT_EQ(s.AxisPenStyle, 9);
    EXPECT_EQ(s.CirclePenStyle, 5);
    EXPECT_EQ(int(s.LabelFormat), 77);
    EXPECT_EQ(s.DecimalPlaces, -1);
    EXPECT_EQ(s.TickMarkType, 3);
    EXPECT_EQ(WrittenBody(2, [&](TWriteGraphFile& w) { s.WriteToFile(w); }), body.b);
    EXPECT_EQ(SettingPenStyle(s.CirclePenStyle), psSolid);
}

TEST(SettingsPolar, AxisCountBeyondTheTableEndsTheLoad) {
    TScopedScriptedUiHook hook;
    const TFontRecord f = GetDefaultFont();
    for (int32_t count : {360, 0, 361, -1, 100000}) {
        Polar p;
        p.count = count;
        ByteBuilder b;
        b.Append(p.record()).Str("1").Str("5");
        fontBytes(b, f);
        TSettingPolarObj s;
        const bool failed = LoadFails(4, 2, b.b, [&](TReadGraphFile& r) { s.ReadFromFile(r); });
        EXPECT_EQ(failed, count < 0 || count > 360) << count;
    }
    EXPECT_EQ(hook->LastMessage(), "Error loading file");
}
