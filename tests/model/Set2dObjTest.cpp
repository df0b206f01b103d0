// The 2D settings object: defaults, copies, and its records in every file version, with
// the evaluation of its constant texts.
#include "common/GraphFileBytes.h"

#include "math/DefFont.h"
#include "model/Set2dObj.h"
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

// One 111-byte axis block of versions 3 and 4.
struct Axis2D {
    bool show = true, loEmpty = true, hiEmpty = true;
    int64_t loNum = 0, hiNum = 0;
    uint8_t loKind = 0, hiKind = 0;
    uint32_t axisColor = 0;
    int32_t width = 1;
    uint8_t pen = 0, tickType = 1;
    uint32_t tickColor = 0;
    int64_t incNum = 1;
    int32_t tickLength = 5;
    uint8_t gridPen = 2;
    bool labels = true;
    uint8_t format = 0;
    bool thousands = true, plus = false;
    int32_t decimals = 1;

    void put(ByteBuilder& b) const {
        b.Bool(show).Bool(loEmpty);
        loKind ? b.PackedExact(loNum, 1) : b.PackedEmpty();
        b.Bool(hiEmpty);
        hiKind ? b.PackedExact(hiNum, 1) : b.PackedEmpty();
        b.I32(int32_t(axisColor)).I32(width).U8(pen).U8(tickType).I32(int32_t(tickColor));
        b.PackedExact(incNum, 1)
            .I32(tickLength)
            .U8(gridPen)
            .Bool(labels)
            .U8(format)
            .Bool(thousands)
            .Bool(plus);
        b.I32(decimals);
    }
};

Bytes settings2D(const Axis2D& x, const Axis2D& y, uint32_t back, const std::vector<std::string>& texts,
                 const TFontRecord& fx, const TFontRecord& fy) {
    ByteBuilder b;
    x.put(b);
    y.put(b);
    b.I32(int32_t(back));
    EXPECT_EQ(b.Size(), 226u);
    for (const auto& t : texts)
        b.Str(t);
    fontBytes(b, fx);
    fontBytes(b, fy);
    return b.b;
}

} // namespace

TEST(Settings2D, DefaultRecordAndRoundTrip) {
    TScopedScriptedUiHook hook;
    TSetting2DObj s;
    EXPECT_FALSE(s.Changed);
    EXPECT_TRUE(s.X.ShowAxisLine);
    EXPECT_TRUE(s.X.LoLimitEmpty);
    EXPECT_EQ(s.X.LoLimit.Kind, mvEmpty);
    EXPECT_EQ(s.Y.TickIncStr, "1");
    expectExact(s.Y.TickInc, 1, 1);
    EXPECT_EQ(s.X.TickType, tkTickMarks);
    EXPECT_EQ(s.X.GridPenStyle, 2);
    EXPECT_EQ(s.X.DecimalPlaces, 1);
    EXPECT_EQ(s.BackColor, 0xFFFFFFu);
    const TFontRecord def = GetDefaultFont();
    EXPECT_EQ(s.XLabelFont, def);
    EXPECT_EQ(s.YLabelFont, def);

    const Bytes written = WrittenBody(1, [&](TWriteGraphFile& w) { s.WriteToFile(w); });
    EXPECT_EQ(written, settings2D(Axis2D{}, Axis2D{}, 0xFFFFFF, {"", "", "1", "", "", "1"}, def, def));

    TSetting2DObj back;
    back.X.TickIncStr = "7";
    ReadBody(4, 1, written, [&](TReadGraphFile& r) { back.ReadFromFile(r); });
    EXPECT_TRUE(back.Changed);
    EXPECT_EQ(back.X.TickIncStr, "1");
    expectExact(back.X.TickInc, 1, 1);
    EXPECT_TRUE(back.X.LoLimitEmpty);
    EXPECT_EQ(back.X.LoLimitStr, "");
    EXPECT_EQ(WrittenBody(1, [&](TWriteGraphFile& w) { back.WriteToFile(w); }), written);
    EXPECT_TRUE(hook->Messages.empty());
    EXPECT_TRUE(hook->ModalForms.empty());
}

TEST(Settings2D, VersionThreeAndFourEvaluateTheirTexts) {
    TScopedScriptedUiHook hook;
    Axis2D x;
    x.show = false;
    x.loEmpty = false;
    x.loKind = 2;
    x.loNum = 7; // replaced by the text's value
    x.hiEmpty = true;
    x.hiKind = 2;
    x.hiNum = 9; // an empty limit keeps the record's value
    x.axisColor = 0x0000FF;
    x.width = 3;
    x.pen = 1;
    x.tickType = 3;
    x.tickColor = 0x00FF00;
    x.tickLength = 7;
    x.gridPen = 4;
    x.labels = false;
    x.format = 2;
    x.thousands = false;
    x.plus = true;
    x.decimals = 5;
    Axis2D y;
    y.format = 4;
    y.decimals = 18;
    const TFontRecord fx{"Arial", 0xFF, 3, 12}, fy{"Courier", 0x00FF00, 0, 9};
    const Bytes body = settings2D(x, y, 0x123456, {"-2.5", "junk(", "1/4", "", "", "2"}, fx, fy);

    for (int version : {3, 4}) {
        TSetting2DObj s;
        ReadBody(version, 1, body, [&](TReadGraphFile& r) { s.ReadFromFile(r); });
        EXPECT_FALSE(s.X.ShowAxisLine);
        EXPECT_FALSE(s.X.LoLimitEmpty);
        EXPECT_EQ(s.X.LoLimitStr, "-2.5");
        expectExact(s.X.LoLimit, -5, 2);
        EXPECT_TRUE(s.X.HiLimitEmpty);
        EXPECT_EQ(s.X.HiLimitStr, "junk(");
        expectExact(s.X.HiLimit, 9, 1);
        EXPECT_EQ(s.X.AxisColor, 0x0000FFu);
        EXPECT_EQ(s.X.AxisWidth, 3);
        EXPECT_EQ(s.X.AxisPenStyle, 1);
        EXPECT_EQ(s.X.TickType, tkGridLines);
        EXPECT_EQ(s.X.TickColor, 0x00FF00u);
        EXPECT_EQ(s.X.TickIncStr, "1/4");
        expectExact(s.X.TickInc, 1, 4);
        EXPECT_EQ(s.X.TickLength, 7);
        EXPECT_EQ(s.X.GridPenStyle, 4);
        EXPECT_FALSE(s.X.ShowTickLabels);
        EXPECT_EQ(s.X.LabelFormat, nfScientific);
        EXPECT_FALSE(s.X.ThousandsSeparator);
        EXPECT_TRUE(s.X.PlusSign);
        EXPECT_EQ(s.X.DecimalPlaces, 5);
        EXPECT_EQ(s.Y.LabelFormat, nfCurrencyFixedDec);
        EXPECT_EQ(s.Y.DecimalPlaces, 18);
        EXPECT_EQ(s.Y.TickIncStr, "2");
        expectExact(s.Y.TickInc, 2, 1);
        EXPECT_EQ(s.BackColor, 0x123456u);
        EXPECT_EQ(s.XLabelFont, fx);
        EXPECT_EQ(s.YLabelFont, fy);
        // The written record carries the values the texts evaluated to, and reads back
        // to the same bytes.
        const Bytes saved = WrittenBody(1, [&](TWriteGraphFile& w) { s.WriteToFile(w); });
        ASSERT_GT(saved.size(), 226u);
        EXPECT_EQ(Bytes(saved.begin() + 2, saved.begin() + 29), ByteBuilder().PackedExact(-5, 2).b);
        EXPECT_EQ(Bytes(saved.begin() + 30, saved.begin() + 57), ByteBuilder().PackedExact(9, 1).b);
        EXPECT_EQ(Bytes(saved.begin() + 71, saved.begin() + 98), ByteBuilder().PackedExact(1, 4).b);
        TSetting2DObj again;
        ReadBody(4, 1, saved, [&](TReadGraphFile& r) { again.ReadFromFile(r); });
        EXPECT_EQ(WrittenBody(1, [&](TWriteGraphFile& w) { again.WriteToFile(w); }), saved);
    }
    EXPECT_TRUE(hook->ModalForms.empty()) << "an empty limit's text is never offered for repair";
}

TEST(Settings2D, CommaSeparatorLocalisesTextsBothWays) {
    TScopedScriptedUiHook hook;
    FormatSettings().DecimalSeparator = ',';
    Axis2D x;
    x.loEmpty = false;
    const TFontRecord f = GetDefaultFont();
    TSetting2DObj s;
    ReadBody(
        4, 1, settings2D(x, Axis2D{}, 0, {"-2.5", "", "0.25", "", "", "1"}, f, f),
        [&](TReadGraphFile& r) { s.ReadFromFile(r); }, ',');
    EXPECT_EQ(s.X.LoLimitStr, "-2,5");
    expectExact(s.X.LoLimit, -5, 2);
    EXPECT_EQ(s.X.TickIncStr, "0,25");
    expectExact(s.X.TickInc, 1, 4);
    const Bytes back = WrittenBody(
        1, [&](TWriteGraphFile& w) { s.WriteToFile(w); }, ',');
    const std::string text(back.begin(), back.end());
    EXPECT_NE(text.find("-2.5"), std::string::npos);
    EXPECT_NE(text.find("0.25"), std::string::npos);
    ResetFormatSettings();
}

TEST(Settings2D, VersionTwoFloatsAndEmptyLimits) {
    TScopedScriptedUiHook hook;
    auto axis = [](ByteBuilder& b, bool loEmpty, long double lo, long double inc) {
        b.Bool(true).Bool(loEmpty).Ext(lo).Bool(true).Ext(0).I32(0x00AA00).I32(2).U8(3).U8(2).I32(0x0000BB);
        b.Ext(inc).I32(6).U8(1).Bool(true).U8(1).Bool(false).Bool(true).I32(4);
    };
    ByteBuilder b;
    axis(b, true, 3.25L, 0.5L);
    axis(b, false, -1.75L, 2);
    b.I32(0x00C0C0);
    ASSERT_EQ(b.Size(), 124u);
    b.Str("junk(").Str("").Str("").Str("").Str("").Str("3");
    b.Font("Arial", 1, 0, 10).Font("Arial", 2, 0, 11);

    TSetting2DObj s;
    ReadBody(2, 1, b.b, [&](TReadGraphFile& r) { s.ReadFromFile(r); });
    EXPECT_TRUE(s.X.LoLimitEmpty);
    EXPECT_EQ(s.X.LoLimitStr, "junk(");
    expectFloat(s.X.LoLimit, 3.25L);
    EXPECT_TRUE(hook->ModalForms.empty()) << "the empty limit's text is not evaluated";
    // An empty text leaves the record's value, turned into an inexact value.
    EXPECT_FALSE(s.Y.LoLimitEmpty);
    expectFloat(s.Y.LoLimit, -1.75L);
    expectFloat(s.X.TickInc, 0.5L);
    expectExact(s.Y.TickInc, 3, 1);
    EXPECT_EQ(s.X.AxisColor, 0x00AA00u);
    EXPECT_EQ(s.X.AxisPenStyle, 3);
    EXPECT_EQ(s.X.TickType, tkGridMarks);
    EXPECT_EQ(s.X.TickColor, 0x0000BBu);
    EXPECT_EQ(s.Y.TickLength, 6);
    EXPECT_EQ(s.Y.GridPenStyle, 1);
    EXPECT_EQ(s.Y.LabelFormat, nfFixedDecimal);
    EXPECT_FALSE(s.Y.ThousandsSeparator);
    EXPECT_TRUE(s.Y.PlusSign);
    EXPECT_EQ(s.Y.DecimalPlaces, 4);
    EXPECT_EQ(s.BackColor, 0x00C0C0u);
    EXPECT_EQ(s.YLabelFont.Color, 2u);
}

TEST(Settings2D, VersionOneSharesOneSetOfValues) {
    TScopedScriptedUiHook hook;
    ByteBuilder b;
    b.Bool(true).I32(0x112233).I16(2).U8(3).I32(0xABCDEF).U8(0).Short("0.5", 50).Ext(0.5L);
    b.I32(0x445566).I16(4).Bool(false).I16(3);
    ASSERT_EQ(b.Size(), 83u);
    b.FontV1("Times", 0x10, 1, 10);

    TSetting2DObj s;
    s.X.GridPenStyle = 4; // not in the record: kept
    ReadBody(1, 1, b.b, [&](TReadGraphFile& r) { s.ReadFromFile(r); });
    EXPECT_TRUE(s.Changed);
    for (const TSetting2DAxis* a : {&s.X, &s.Y}) {
        EXPECT_TRUE(a->ShowAxisLine);
        EXPECT_EQ(a->AxisColor, 0x112233u);
        EXPECT_EQ(a->AxisWidth, 2);
        EXPECT_EQ(a->AxisPenStyle, 3);
        EXPECT_EQ(a->TickType, tkNone);
        EXPECT_EQ(a->TickIncStr, "0.5");
        expectExact(a->TickInc, 1, 2);
        EXPECT_EQ(a->TickColor, 0x445566u);
        EXPECT_EQ(a->TickLength, 4);
        EXPECT_FALSE(a->ShowTickLabels);
        EXPECT_EQ(a->DecimalPlaces, 3);
        EXPECT_TRUE(a->LoLimitEmpty);
        EXPECT_TRUE(a->HiLimitEmpty);
        EXPECT_EQ(a->LabelFormat, nfMaxDecimal);
    }
    EXPECT_EQ(s.X.GridPenStyle, 4);
    EXPECT_EQ(s.Y.GridPenStyle, 2);
    EXPECT_EQ(s.BackColor, 0xABCDEFu);
    EXPECT_EQ(s.XLabelFont.Name, "Times");
    EXPECT_EQ(s.XLabelFont.Size, 10);
    EXPECT_EQ(s.YLabelFont, s.XLabelFont);

    // A non-zero tick flag means tick marks.
    b.b[12] = 1;
    ReadBody(1, 1, b.b, [&](TReadGraphFile& r) { s.ReadFromFile(r); });
    EXPECT_EQ(s.Y.TickType, tkTickMarks);
}

TEST(Settings2D, OutOfRangeStyleFieldsLoadAsReadAndBadTextsEndTheLoad) {
    const TFontRecord f = GetDefaultFont();
    auto fails = [&](const Axis2D& x, std::vector<std::string> texts = {"", "", "1", "", "", "1"}) {
        TSetting2DObj s;
        return LoadFails(4, 1, settings2D(x, Axis2D{}, 0, texts, f, f),
                         [&](TReadGraphFile& r) { s.ReadFromFile(r); });
    };
    {
        // Pen styles, tick type, number format and decimal places out of range: the record
        // loads, keeps them, writes them back byte for byte, and they draw and format as
        // the defaults.
        TScopedScriptedUiHook hook;
        Axis2D a;
        a.pen = 5, a.tickType = 4, a.gridPen = 200, a.format = 5, a.decimals = -1;
        Axis2D b;
        b.decimals = 19;
        const Bytes body = settings2D(a, b, 0, {"", "", "1", "", "", "1"}, f, f);
        TSetting2DObj s;
        ReadBody(4, 1, body, [&](TReadGraphFile& r) { s.ReadFromFile(r); });
        EXPECT_TRUE(hook->Messages.empty());
        EXPECT_EQ(s.X.AxisPenStyle, 5);
        EXPECT_EQ(s.X.TickType, 4);
        EXPECT_EQ(s.X.GridPenStyle, 200);
        EXPECT_EQ(int(s.X.LabelFormat), 5);
        EXPECT_EQ(s.X.DecimalPlaces, -1);
        EXPECT_EQ(s.Y.DecimalPlaces, 19);
        EXPECT_EQ(WrittenBody(1, [&](TWriteGraphFile& w) { s.WriteToFile(w); }), body);
        EXPECT_EQ(SettingPenStyle(s.X.AxisPenStyle), psSolid);
        EXPECT_EQ(SettingPenStyle(s.X.GridPenStyle), psSolid);
        EXPECT_EQ(SettingPenStyle(4), psDashDotDot);
        EXPECT_EQ(SettingTickType(s.X.TickType), tkNone);
        EXPECT_EQ(SettingTickType(tkGridLines), tkGridLines);
        EXPECT_EQ(SettingNumberFormat(uint8_t(s.X.LabelFormat)), nfMaxDecimal);
        EXPECT_EQ(SettingDecimalPlaces(s.X.DecimalPlaces), 0);
        EXPECT_EQ(SettingDecimalPlaces(s.Y.DecimalPlaces), 18);
        EXPECT_EQ(FormatNumber(SettingNumberFormat(uint8_t(s.X.LabelFormat)), false, false, 2.25L,
                               SettingDecimalPlaces(s.X.DecimalPlaces)),
                  "2");
        // The canvas takes the normalised style: an axis line is drawn.
        TBitmap bitmap(10, 3), blank(10, 3);
        bitmap.Canvas().Pen.Style = SettingPenStyle(s.X.AxisPenStyle);
        bitmap.Canvas().MoveTo(0, 1);
        bitmap.Canvas().LineTo(10, 1);
        EXPECT_EQ(bitmap.Pixel(5, 1), clBlack);
    }
    {
        // A tick text that no longer compiles goes to the repair dialog; giving up ends the load.
        TScopedScriptedUiHook hook;
        hook->ScriptModal([](QDialog&) { return int(mrCancel); });
        EXPECT_TRUE(fails(Axis2D{}, {"", "", "1+", "", "", "1"}));
        EXPECT_EQ(hook->ModalForms.size(), 1u);
    }
    {
        // Mended in the dialog, the load goes on with the mended text.
        TScopedScriptedUiHook hook;
        hook->ScriptModal([](QDialog& d) {
            static_cast<TEditStrReadErrorDlg&>(d).EditString->setText("3/2");
            return int(mrOk);
        });
        TSetting2DObj s;
        ReadBody(4, 1, settings2D(Axis2D{}, Axis2D{}, 0, {"", "", "1+", "", "", "1"}, f, f),
                 [&](TReadGraphFile& r) { s.ReadFromFile(r); });
        EXPECT_EQ(s.X.TickIncStr, "3/2");
        expectExact(s.X.TickInc, 3, 2);
    }
}

TEST(Settings2D, AssignFromCopiesAllButTheChangedFlag) {
    TSetting2DObj src, dst;
    src.Changed = true;
    src.X.LoLimitStr = "5";
    src.X.LoLimitEmpty = false;
    IntToMathValue(5, src.X.LoLimit);
    src.Y.TickIncStr = "0.1";
    src.Y.LabelFormat = nfCurrencyMaxDec;
    src.BackColor = 0x010203;
    src.YLabelFont.Name = "Serif";
    dst.AssignFrom(src);
    EXPECT_FALSE(dst.Changed);
    EXPECT_EQ(dst.X.LoLimitStr, "5");
    EXPECT_FALSE(dst.X.LoLimitEmpty);
    EXPECT_EQ(dst.Y.LabelFormat, nfCurrencyMaxDec);
    EXPECT_EQ(dst.BackColor, 0x010203u);
    EXPECT_EQ(dst.YLabelFont.Name, "Serif");
    src.X.LoLimitStr[0] = '6';
    src.YLabelFont.Name = "Mono";
    EXPECT_EQ(dst.X.LoLimitStr, "5") << "texts are private copies";
    EXPECT_EQ(dst.YLabelFont.Name, "Serif");
    dst.Changed = true;
    dst.AssignFrom(TSetting2DObj());
    EXPECT_TRUE(dst.Changed);
    EXPECT_TRUE(dst.X.LoLimitEmpty);
}
