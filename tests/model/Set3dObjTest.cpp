// The 3D settings object and its records in every file version.
#include "common/GraphFileBytes.h"

#include "math/DefFont.h"
#include "model/Set3dObj.h"
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

TEST(Settings3D, RecordsOfEveryVersion) {
    TScopedScriptedUiHook hook;
    TSetting3DObj s;
    const TFontRecord def = GetDefaultFont();
    EXPECT_EQ(s.Z.LabelFont, def);
    EXPECT_TRUE(s.Y.ShowMinusSign);
    ByteBuilder expected;
    expected.I32(0xFFFFFF);
    for (int i = 0; i < 3; ++i)
        expected.Bool(true).I32(0).Bool(true).Bool(true).Bool(true).Bool(true);
    for (int i = 0; i < 3; ++i)
        fontBytes(expected, def);
    const Bytes written = WrittenBody(3, [&](TWriteGraphFile& w) { s.WriteToFile(w); });
    EXPECT_EQ(written, expected.b);

    ByteBuilder v2;
    v2.I32(0x010101);
    v2.Bool(false).I32(0xFF).Bool(true).Bool(false).Bool(true).Bool(false);
    v2.Bool(true).I32(0xFF00).Bool(false).Bool(true).Bool(false).Bool(true);
    v2.Bool(false).I32(0xFF0000).Bool(false).Bool(false).Bool(true).Bool(true);
    v2.Font("X", 1, 0, 8).Font("Y", 2, 0, 9).Font("Z", 3, 0, 10);
    for (int version : {2, 3, 4}) {
        TSetting3DObj r3;
        ReadBody(version, 3, v2.b, [&](TReadGraphFile& r) { r3.ReadFromFile(r); });
        EXPECT_EQ(r3.BackColor, 0x010101u);
        EXPECT_FALSE(r3.X.ShowAxisLine);
        EXPECT_EQ(r3.Y.AxisColor, 0xFF00u);
        EXPECT_FALSE(r3.Y.LabelPositiveEnd);
        EXPECT_TRUE(r3.Y.LabelNegativeEnd);
        EXPECT_TRUE(r3.Z.ShowMinusSign);
        EXPECT_FALSE(r3.Z.LabelNegativeEnd);
        EXPECT_EQ(r3.Z.LabelFont.Name, "Z");
        EXPECT_EQ(WrittenBody(3, [&](TWriteGraphFile& w) { r3.WriteToFile(w); }), v2.b);
    }

    // Version 1: one colour, one pair of sign flags and one font for all three axes.
    ByteBuilder v1;
    v1.I32(0x0C0C0C).Bool(true).Bool(false).Bool(true).I32(0x00ABCD);
    v1.Bool(true).Bool(false).Bool(false).Bool(true).Bool(true).Bool(true).Bool(false).Bool(true);
    ASSERT_EQ(v1.Size(), 19u);
    v1.FontV1("Old", 0x42, 1, 7);
    TSetting3DObj s1;
    ReadBody(1, 3, v1.b, [&](TReadGraphFile& r) { s1.ReadFromFile(r); });
    EXPECT_TRUE(s1.Changed);
    EXPECT_EQ(s1.BackColor, 0x0C0C0Cu);
    EXPECT_TRUE(s1.X.ShowAxisLine);
    EXPECT_FALSE(s1.Y.ShowAxisLine);
    EXPECT_TRUE(s1.Z.ShowAxisLine);
    for (const TSetting3DAxis* a : {&s1.X, &s1.Y, &s1.Z}) {
        EXPECT_EQ(a->AxisColor, 0x00ABCDu);
        EXPECT_FALSE(a->ShowPlusSign);
        EXPECT_TRUE(a->ShowMinusSign);
        EXPECT_EQ(a->LabelFont.Name, "Old");
        EXPECT_EQ(a->LabelFont.Size, 7);
    }
    EXPECT_TRUE(s1.X.LabelPositiveEnd);
    EXPECT_FALSE(s1.X.LabelNegativeEnd);
    EXPECT_FALSE(s1.Y.LabelPositiveEnd);
    EXPECT_TRUE(s1.Y.LabelNegativeEnd);
    EXPECT_TRUE(s1.Z.LabelPositiveEnd);
    EXPECT_TRUE(s1.Z.LabelNegativeEnd);

    TSetting3DObj copy;
    copy.AssignFrom(s1);
    EXPECT_FALSE(copy.Changed);
    EXPECT_EQ(copy.Y.LabelFont.Name, "Old");
    EXPECT_EQ(copy.BackColor, 0x0C0C0Cu);
}
