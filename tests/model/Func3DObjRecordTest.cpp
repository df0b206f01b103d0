// The 3D function objects as list elements and in graph files: defaults, copies,
// descriptions, and their records of every file version from hand-built bytes.
#include "common/GraphFileBytes.h"

#include "model/func3dobj.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

using namespace recordtest;

namespace {

TMathValue exact(int32_t n) {
    TMathValue v;
    IntToMathValue(n, v);
    return v;
}

// Version-1 expression: one byte skipped, then a short text of 255 characters.
ByteBuilder& v1Expression(ByteBuilder& b, const std::string& text) {
    return b.U8(0).Short(text, 255);
}

} // namespace

TEST(Func3DObjects, DefaultsCopiesAndDescriptions) {
    TFuncRotateObj r;
    EXPECT_EQ(r.LoBoundStr, "0");
    EXPECT_EQ(r.HiBoundStr, "1");
    expectExact(r.LoBound, 0, 1);
    expectExact(r.HiBound, 1, 1);
    EXPECT_EQ(r.RotationAxis, 0);
    EXPECT_EQ(r.P2XStr, "1");
    expectExact(r.P2Y, 1, 1);
    EXPECT_EQ(r.Circles, 12);
    EXPECT_EQ(r.CircleDetail, 6);
    EXPECT_EQ(r.Lines, 12);
    EXPECT_EQ(r.LineDetail, 6);
    EXPECT_EQ(r.FuncColor, 0xFF0000u);
    EXPECT_FALSE(r.LimitTo700);
    EXPECT_EQ(r.Func->GetVariableCount(), 1);
    EXPECT_EQ(r.Func->GetVariableName(0), "X");
    EXPECT_EQ(r.Index, -1);
    EXPECT_FALSE(r.Modified);

    TFunc3DObj s;
    EXPECT_EQ(s.Func->DependentVar(), dvZ);
    EXPECT_EQ(s.Var1LoStr, "-1");
    expectExact(s.Var1Lo, -1, 1);
    expectExact(s.Var2Hi, 1, 1);
    EXPECT_EQ(s.Var1Lines, 12);
    EXPECT_EQ(s.Var2Detail, 6);
    EXPECT_EQ(s.FuncColor, 0xFF0000u);

    r.Func->SetExpression("SIN(X)");
    ASSERT_TRUE(r.Func->CompileMathFunc());
    EXPECT_EQ(r.GetDescription(), "Y=f(x)=SIN(X)");
    s.Func->SetExpression("x*y");
    EXPECT_EQ(s.GetDescription(), "Z=f(x,y)=x*y");
    s.Func->SetDependentVar(dvY);
    EXPECT_EQ(s.GetDescription(), "Y=f(x,z)=x*y");
    s.Func->SetDependentVar(dvX);
    EXPECT_EQ(s.GetDescription(), "X=f(y,z)=x*y");
    s.Func->SetExpression("Y*Z");
    ASSERT_TRUE(s.Func->CompileMathFunc());

    // Assign copies every field, the compiled expression with it; Clone gives defaults.
    r.LoBoundStr = "-2";
    r.LoBound = exact(-2);
    r.RotationAxis = 2;
    r.P1XStr = "7";
    r.P1X = exact(7);
    r.Circles = 3;
    r.CircleDetail = 1;
    r.Lines = 4;
    r.LineDetail = 2;
    r.FuncColor = clRed;
    r.LimitTo700 = true;
    auto rc = r.Clone();
    auto& rcopy = dynamic_cast<TFuncRotateObj&>(*rc);
    EXPECT_EQ(rcopy.Lines, 12);
    rcopy.Assign(r);
    EXPECT_EQ(rcopy.LoBoundStr, "-2");
    expectExact(rcopy.LoBound, -2, 1);
    EXPECT_EQ(rcopy.RotationAxis, 2);
    EXPECT_EQ(rcopy.P1XStr, "7");
    EXPECT_EQ(rcopy.Circles, 3);
    EXPECT_EQ(rcopy.CircleDetail, 1);
    EXPECT_EQ(rcopy.Lines, 4);
    EXPECT_EQ(rcopy.LineDetail, 2);
    EXPECT_EQ(rcopy.FuncColor, clRed);
    EXPECT_TRUE(rcopy.LimitTo700);
    EXPECT_EQ(rcopy.Func->State, msCompiled);
    rcopy.Func->SetVariableFloat(0, 0.5L);
    ASSERT_TRUE(rcopy.Func->EvaluateMathFunc());
    EXPECT_EQ(rcopy.Func->GetResultFloat(), std::sin(0.5L));
    r.LoBoundStr = "5";
    EXPECT_EQ(rcopy.LoBoundStr, "-2") << "the copy's text is its own";

    s.Var1Lines = 40;
    s.Var2Detail = 1;
    s.Var1HiStr = "3";
    s.LimitTo700 = true;
    auto sc = s.Clone();
    auto& scopy = dynamic_cast<TFunc3DObj&>(*sc);
    EXPECT_EQ(scopy.Func->DependentVar(), dvZ);
    scopy.Assign(s);
    EXPECT_EQ(scopy.Func->DependentVar(), dvX);
    EXPECT_EQ(scopy.GetDescription(), "X=f(y,z)=Y*Z");
    EXPECT_EQ(scopy.Var1Lines, 40);
    EXPECT_EQ(scopy.Var2Detail, 1);
    EXPECT_EQ(scopy.Var1HiStr, "3");
    EXPECT_TRUE(scopy.LimitTo700);

    EXPECT_THROW(rcopy.Assign(s), EConvertError);
    EXPECT_THROW(scopy.Assign(r), EConvertError);
    EXPECT_EQ(rcopy.Lines, 4) << "a failed Assign copies nothing";
}

TEST(Func3DObjects, RotatedCurveNewestRecordIsByteExact) {
    TFuncRotateObj r;
    r.Func->SetExpression("X^2+0.5");
    ASSERT_TRUE(r.Func->CompileMathFunc());
    r.LoBoundStr = "-1.5";
    FloatToMathValue(r.LoBound, -1.5L);
    // A float's fraction fields are whatever an earlier value left; the record writes 0/1
    // so that saving the same graph twice gives the same bytes.
    r.LoBound.Numerator = -77;
    r.LoBound.Denominator = 5;
    r.HiBoundStr = "2";
    r.HiBound = exact(2);
    r.RotationAxis = 2;
    r.P1XStr = "0";
    r.P1YStr = "1";
    r.P1Y = exact(1);
    r.P2XStr = "3";
    r.P2X = exact(3);
    r.P2YStr = "1";
    r.Circles = 7;
    r.CircleDetail = 2;
    r.Lines = -4;
    r.LineDetail = 100000;
    r.FuncColor = 0x00123456;
    r.LimitTo700 = true;

    ByteBuilder e;
    e.I32(1)
        .PackedFloat(-1.5L)
        .PackedExact(2, 1)
        .U8(2)
        .PackedExact(0, 1)
        .PackedExact(1, 1)
        .PackedExact(3, 1)
        .PackedExact(1, 1)
        .I32(7)
        .I32(2)
        .I32(-4)
        .I32(100000)
        .I32(0x00123456)
        .U8(1);
    ASSERT_EQ(e.Size(), 4u + 184u);
    e.Str("-1.5").Str("2").Str("0").Str("1").Str("3").Str("1").Str("X^2+0.5");
    const Bytes written = WrittenBody(3, [&](TWriteGraphFile& w) { r.WriteToFile(w); });
    EXPECT_EQ(written, e.b);

    // Versions 3 and 4 read the same record; the texts give the values.
    for (int version : {3, 4}) {
        TFuncRotateObj back;
        ReadBody(version, 3, written, [&](TReadGraphFile& rd) {
            EXPECT_EQ(rd.ReadInteger(), 1);
            back.ReadFromFile(rd);
        });
        EXPECT_TRUE(back.Modified);
        EXPECT_EQ(back.LoBoundStr, "-1.5");
        expectExact(back.LoBound, -3, 2);
        expectExact(back.P2X, 3, 1);
        EXPECT_EQ(back.RotationAxis, 2);
        EXPECT_EQ(back.Circles, 7);
        EXPECT_EQ(back.CircleDetail, 2);
        EXPECT_EQ(back.Lines, -4);
        EXPECT_EQ(back.LineDetail, 100000);
        EXPECT_EQ(back.FuncColor, 0x00123456u);
        EXPECT_TRUE(back.LimitTo700);
        EXPECT_EQ(back.Func->GetExpression(), "X^2+0.5");
        EXPECT_EQ(back.Func->State, msCompiled);
    }

    // Under ',' the texts are written with '.' and read back with ','.
    {
        TDecimalSeparator comma(',');
        TFuncRotateObj c;
        c.Func->SetExpression("X*0,25");
        ASSERT_TRUE(c.Func->CompileMathFunc());
        c.HiBoundStr = "0,5";
        const Bytes body = WrittenBody(
            3, [&](TWriteGraphFile& w) { c.WriteToFile(w); }, ',');
        ByteBuilder strings;
        strings.Str("0").Str("0.5").Str("0").Str("0").Str("1").Str("1").Str("X*0.25");
        EXPECT_TRUE(std::equal(strings.b.begin(), strings.b.end(), body.end() - strings.b.size()));
        TFuncRotateObj back;
        ReadBody(
            4, 3, body,
            [&](TReadGraphFile& rd) {
                rd.ReadInteger();
                back.ReadFromFile(rd);
            },
            ',');
        EXPECT_EQ(back.HiBoundStr, "0,5");
        expectExact(back.HiBound, 1, 2);
        EXPECT_EQ(back.Func->GetExpression(), "X*0,25");
    }
}

TEST(Func3DObjects, RotatedCurveOlderRecords) {
    // Version 2: extended values; a text that is there overrides its value, an empty one
    // leaves the record's value.
    ByteBuilder v2;
    v2.Ext(-2.5L).Ext(3).U8(1).Ext(0.25L).Ext(0).Ext(4).Ext(5).I32(2).I32(3).I32(4).I32(5).I32(0x00FF00).U8(
        0);
    ASSERT_EQ(v2.Size(), 82u);
    v2.Str("-2").Str("").Str("").Str("").Str("").Str("6").Str("X+1");
    TFuncRotateObj r2;
    ReadBody(2, 3, v2.b, [&](TReadGraphFile& rd) { r2.ReadFromFile(rd); });
    EXPECT_TRUE(r2.Modified);
    EXPECT_EQ(r2.LoBoundStr, "-2");
    expectExact(r2.LoBound, -2, 1);
    EXPECT_EQ(r2.HiBoundStr, "");
    expectFloat(r2.HiBound, 3);
    EXPECT_EQ(r2.RotationAxis, 1);
    expectFloat(r2.P1X, 0.25L);
    expectFloat(r2.P2X, 4);
    expectExact(r2.P2Y, 6, 1);
    EXPECT_EQ(r2.Circles, 2);
    EXPECT_EQ(r2.CircleDetail, 3);
    EXPECT_EQ(r2.Lines, 4);
    EXPECT_EQ(r2.LineDetail, 5);
    EXPECT_EQ(r2.FuncColor, 0x00FF00u);
    EXPECT_FALSE(r2.LimitTo700);
    EXPECT_EQ(r2.GetDescription(), "Y=f(x)=X+1");

    // Version 1: the short texts in the record, the axis counted from 1, 16-bit counts,
    // the expression before the texts are evaluated.
    auto v1Record = [](uint8_t axisCode) {
        ByteBuilder b;
        b.Zeros(4).Short("-3", 50).Short("0.5", 50).Ext(-3).Ext(0.5L).U8(axisCode);
        b.Short("1", 50).Short("2", 50).Short("3", 50).Short("", 50);
        b.Ext(1).Ext(2).Ext(3).Ext(-7).I16(-3).I16(4).I16(300).I16(1).I32(0x0000FF).U8(1);
        EXPECT_EQ(b.Size(), 384u);
        return v1Expression(b, "X*X");
    };
    const std::pair<uint8_t, uint8_t> axes[] = {{1, 0}, {2, 1}, {3, 2}, {0, 0}, {9, 0}};
    for (const auto& [code, axis] : axes) {
        TFuncRotateObj r1;
        ReadBody(1, 3, v1Record(code).b, [&](TReadGraphFile& rd) { r1.ReadFromFile(rd); });
        EXPECT_EQ(r1.RotationAxis, axis) << int(code);
        EXPECT_EQ(r1.LoBoundStr, "-3");
        expectExact(r1.LoBound, -3, 1);
        expectExact(r1.HiBound, 1, 2);
        expectExact(r1.P1X, 1, 1);
        expectExact(r1.P1Y, 2, 1);
        EXPECT_EQ(r1.P2YStr, "");
        expectFloat(r1.P2Y, -7);
        EXPECT_EQ(r1.Circles, -3);
        EXPECT_EQ(r1.CircleDetail, 4);
        EXPECT_EQ(r1.Lines, 300);
        EXPECT_EQ(r1.LineDetail, 1);
        EXPECT_EQ(r1.FuncColor, 0x0000FFu);
        EXPECT_TRUE(r1.LimitTo700);
        EXPECT_EQ(r1.Func->GetExpression(), "X*X");
    }

    // Damaged records end the load: a short text longer than its field, a cut record.
    Bytes bad = v1Record(1).b;
    bad[4] = 51;
    TFuncRotateObj r;
    EXPECT_TRUE(LoadFails(1, 3, bad, [&](TReadGraphFile& rd) { r.ReadFromFile(rd); }));
    EXPECT_TRUE(LoadFails(4, 3, Bytes(100, 0), [&](TReadGraphFile& rd) { r.ReadFromFile(rd); }));
}

TEST(Func3DObjects, SurfaceRecordsOfEveryVersion) {
    TFunc3DObj s;
    s.Func->SetDependentVar(dvY);
    s.Func->SetExpression("X-Z");
    ASSERT_TRUE(s.Func->CompileMathFunc());
    s.FuncColor = 0x00ABCDEF;
    s.Var1LoStr = "-2";
    s.Var1Lo = exact(-2);
    s.Var1HiStr = "0.75";
    FloatToMathValue(s.Var1Hi, 0.75L);
    s.Var1Lines = 9;
    s.Var1Detail = 0;
    s.Var2LoStr = "0";
    s.Var2Lo = exact(0);
    s.Var2HiStr = "4";
    s.Var2Hi = exact(4);
    s.Var2Lines = -1;
    s.Var2Detail = 77;
    s.LimitTo700 = true;

    ByteBuilder e;
    e.I32(2)
        .I32(0x00ABCDEF)
        .PackedExact(-2, 1)
        .PackedFloat(0.75L)
        .I32(9)
        .I32(0)
        .PackedExact(0, 1)
        .PackedExact(4, 1)
        .I32(-1)
        .I32(77)
        .U8(1);
    ASSERT_EQ(e.Size(), 4u + 129u);
    e.Str("-2").Str("0.75").Str("0").Str("4").I32(2).Str("X-Z");
    const Bytes written = WrittenBody(3, [&](TWriteGraphFile& w) { s.WriteToFile(w); });
    EXPECT_EQ(written, e.b);

    for (int version : {3, 4}) {
        TFunc3DObj back;
        ReadBody(version, 3, written, [&](TReadGraphFile& rd) {
            EXPECT_EQ(rd.ReadInteger(), 2);
            back.ReadFromFile(rd);
        });
        EXPECT_TRUE(back.Modified);
        EXPECT_EQ(back.Func->DependentVar(), dvY);
        EXPECT_EQ(back.GetDescription(), "Y=f(x,z)=X-Z");
        EXPECT_EQ(back.Func->State, msCompiled);
        EXPECT_EQ(back.FuncColor, 0x00ABCDEFu);
        expectExact(back.Var1Hi, 3, 4);
        EXPECT_EQ(back.Var1Lines, 9);
        EXPECT_EQ(back.Var2Lines, -1);
        EXPECT_EQ(back.Var2Detail, 77);
        EXPECT_TRUE(back.LimitTo700);
    }

    // Version 2: extended values, then the texts, then the code and the expression; codes
    // outside 1..3 leave the dependent variable alone.
    auto v2Body = [](int32_t code, const std::string& expression) {
        ByteBuilder b;
        b.I32(0x000080).Ext(-1.25L).Ext(1.25L).I32(5).I32(1).Ext(-3).Ext(3).I32(6).I32(2).U8(0);
        EXPECT_EQ(b.Size(), 61u);
        b.Str("").Str("").Str("-3").Str("").I32(code).Str(expression);
        return b.b;
    };
    const std::pair<int32_t, uint8_t> codes[] = {{1, dvX}, {2, dvY}, {3, dvZ}, {0, dvZ}, {4, dvZ}, {-1, dvZ}};
    for (const auto& [code, dependent] : codes) {
        TFunc3DObj s2;
        const std::string expression = dependent == dvX ? "Y+Z" : dependent == dvY ? "X+Z" : "X+Y";
        ReadBody(2, 3, v2Body(code, expression), [&](TReadGraphFile& rd) { s2.ReadFromFile(rd); });
        EXPECT_EQ(s2.Func->DependentVar(), dependent) << code;
        EXPECT_EQ(s2.Func->State, msCompiled) << code;
        EXPECT_EQ(s2.FuncColor, 0x000080u);
        expectFloat(s2.Var1Lo, -1.25L);
        expectFloat(s2.Var1Hi, 1.25L);
        expectExact(s2.Var2Lo, -3, 1);
        EXPECT_EQ(s2.Var2LoStr, "-3");
        expectFloat(s2.Var2Hi, 3);
        EXPECT_EQ(s2.Var1Lines, 5);
        EXPECT_EQ(s2.Var1Detail, 1);
        EXPECT_EQ(s2.Var2Lines, 6);
        EXPECT_EQ(s2.Var2Detail, 2);
        EXPECT_FALSE(s2.LimitTo700);
    }

    // Version 1: the dependent variable coded 2 X, 3 Y, 4 Z in the first byte; no code
    // before the expression; the texts evaluated after it.
    auto v1Body = [](uint8_t code, const std::string& expression) {
        ByteBuilder b;
        b.U8(code).Zeros(4).I32(0x00FFFF).Short("-0.5", 50).Short("2", 50).Ext(-0.5L).Ext(2).I16(-2).I16(3);
        b.Short("", 50).Short("1", 50).Ext(-9).Ext(1).I16(7).I16(-8).U8(1);
        EXPECT_EQ(b.Size(), 262u);
        return v1Expression(b, expression).b;
    };
    const std::pair<uint8_t, uint8_t> v1Codes[] = {{2, dvX}, {3, dvY}, {4, dvZ},
                                                   {1, dvZ}, {0, dvZ}, {200, dvZ}};
    for (const auto& [code, dependent] : v1Codes) {
        TFunc3DObj s1;
        const std::string expression = dependent == dvX ? "Y*Z" : dependent == dvY ? "X*Z" : "X*Y";
        ReadBody(1, 3, v1Body(code, expression), [&](TReadGraphFile& rd) { s1.ReadFromFile(rd); });
        EXPECT_EQ(s1.Func->DependentVar(), dependent) << int(code);
        EXPECT_EQ(s1.Func->State, msCompiled) << int(code);
        EXPECT_EQ(s1.FuncColor, 0x00FFFFu);
        EXPECT_EQ(s1.Var1LoStr, "-0.5");
        expectExact(s1.Var1Lo, -1, 2);
        expectExact(s1.Var1Hi, 2, 1);
        EXPECT_EQ(s1.Var1Lines, -2);
        EXPECT_EQ(s1.Var1Detail, 3);
        expectFloat(s1.Var2Lo, -9);
        expectExact(s1.Var2Hi, 1, 1);
        EXPECT_EQ(s1.Var2Lines, 7);
        EXPECT_EQ(s1.Var2Detail, -8);
        EXPECT_TRUE(s1.LimitTo700);
    }
}
