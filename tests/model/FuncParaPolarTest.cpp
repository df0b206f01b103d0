// The parametric and polar function objects and their records.
#include "common/GraphFileBytes.h"

#include "math/MathFunc.h"
#include "model/funcpara.h"
#include "model/funcpolr.h"
#include "platform/ScriptedUiHook.h"

#include <gtest/gtest.h>

using namespace recordtest;

namespace {
Bytes defaultRecord() {
    ByteBuilder b;
    b.PackedExact(0, 1).PackedFloat(DefaultHiBoundValue).I32(10000).I32(0xFF0000).I32(1);
    EXPECT_EQ(b.Size(), 66u);
    return b.b;
}
} // namespace

TEST(FuncParametric, DefaultsDescriptionAndRoundTrip) {
    TScopedScriptedUiHook hook;
    TFuncParametricObj p;
    EXPECT_EQ(p.GetDescription(), "X=; Y=");
    EXPECT_EQ(p.LoBoundStr, "0");
    EXPECT_EQ(p.HiBoundStr, "2pi");
    expectExact(p.LoBound, 0, 1);
    EXPECT_EQ(p.HiBound.Kind, mvFloat);
    EXPECT_EQ(p.Samples, 10000);
    // The default end is what the text "2pi" evaluates to.
    TMathFunction twoPi;
    twoPi.SetExpression("2pi");
    ASSERT_TRUE(twoPi.CompileMathFunc());
    EXPECT_EQ(twoPi.ResultValue.FloatValue, p.HiBound.FloatValue);

    const Bytes written = WrittenBody(1, [&](TWriteGraphFile& w) { p.WriteToFile(w); });
    EXPECT_EQ(written, ByteBuilder().Append(defaultRecord()).Str("0").Str("2pi").Str("").Str("").b);

    // An expression that does not compile cannot be loaded, so the round trip needs two.
    p.FuncX.SetExpression("T");
    p.FuncY.SetExpression("T^2");
    const Bytes saved = WrittenBody(1, [&](TWriteGraphFile& w) { p.WriteToFile(w); });
    TFuncParametricObj q;
    q.Modified = false;
    ReadBody(4, 1, saved, [&](TReadGraphFile& r) { q.ReadFromFile(r); });
    EXPECT_TRUE(q.Modified);
    EXPECT_EQ(q.HiBoundStr, "2pi");
    EXPECT_EQ(q.HiBound.FloatValue, p.HiBound.FloatValue);
    EXPECT_EQ(q.GetDescription(), "X=T; Y=T^2");
    EXPECT_EQ(WrittenBody(1, [&](TWriteGraphFile& w) { q.WriteToFile(w); }), saved);

    // Version 3 with values of its own; the texts replace the packed values.
    ByteBuilder b;
    b.PackedExact(5, 1).PackedExact(6, 1).I32(-7).I32(0x00FF00).I32(3).Str("-1/2").Str("3").Str("COS(T)").Str(
        "SIN(T)");
    ReadBody(3, 1, b.b, [&](TReadGraphFile& r) { q.ReadFromFile(r); });
    expectExact(q.LoBound, -1, 2);
    expectExact(q.HiBound, 3, 1);
    EXPECT_EQ(q.Samples, -7);
    EXPECT_EQ(q.FuncColor, 0x00FF00u);
    EXPECT_EQ(q.LineWidth, 3);
    EXPECT_EQ(q.GetDescription(), "X=COS(T); Y=SIN(T)");

    std::unique_ptr<TSequenceListObj> copy = q.Clone();
    copy->Assign(q);
    auto& c = dynamic_cast<TFuncParametricObj&>(*copy);
    EXPECT_EQ(c.GetDescription(), "X=COS(T); Y=SIN(T)");
    EXPECT_EQ(c.LoBoundStr, "-1/2");
    EXPECT_EQ(c.Samples, -7);
    c.FuncX.SetVariableFloat(0, 0);
    EXPECT_TRUE(c.FuncX.EvaluateMathFunc()) << "the compiled program travels with the copy";
    EXPECT_EQ(c.FuncX.GetResultFloat(), 1);

    // Parametric curves do not exist before version 3.
    TFuncParametricObj old;
    EXPECT_THROW(ReadBody(2, 1, b.b, [&](TReadGraphFile& r) { old.ReadFromFile(r); }), EAssertionFailed);
}

TEST(FuncPolar, RecordsOfEveryVersion) {
    TScopedScriptedUiHook hook;
    TFuncPolarObj p;
    EXPECT_EQ(p.GetDescription(), "R=f(Theta)=");
    const Bytes written = WrittenBody(2, [&](TWriteGraphFile& w) { p.WriteToFile(w); });
    EXPECT_EQ(written, ByteBuilder().Append(defaultRecord()).Str("0").Str("2pi").Str("").b);
    p.Func.SetExpression("2*THETA");
    const Bytes saved = WrittenBody(2, [&](TWriteGraphFile& w) { p.WriteToFile(w); });
    TFuncPolarObj q;
    for (int version : {3, 4}) {
        ReadBody(version, 2, saved, [&](TReadGraphFile& r) { q.ReadFromFile(r); });
        EXPECT_EQ(q.HiBound.FloatValue, DefaultHiBoundValue);
        EXPECT_EQ(q.GetDescription(), "R=f(Theta)=2*THETA");
        EXPECT_EQ(WrittenBody(2, [&](TWriteGraphFile& w) { q.WriteToFile(w); }), saved);
    }

    // Version 2: 80-bit floats; the texts are evaluated.
    ByteBuilder v2;
    v2.Ext(1).Ext(2).I32(500).I32(0x0000FF).I32(2).Str("0.5").Str("").Str("THETA*X");
    ReadBody(2, 2, v2.b, [&](TReadGraphFile& r) { q.ReadFromFile(r); });
    expectExact(q.LoBound, 1, 2);
    EXPECT_EQ(q.HiBound.Kind, mvFloat);
    EXPECT_EQ(q.HiBound.FloatValue, 2);
    EXPECT_EQ(q.Samples, 500);
    EXPECT_EQ(q.LineWidth, 2);
    EXPECT_EQ(q.GetDescription(), "R=f(Theta)=THETA*X");

    // Version 1: short texts, 16-bit samples and width widened with their sign.
    ByteBuilder v1;
    v1.Zeros(4).Short("0", 50).Short("4", 50).Ext(0).Ext(4).LE(0xFFFF, 2).I32(0x00FFFF).I16(-3);
    ASSERT_EQ(v1.Size(), 134u);
    v1.U8(0).Short("THETA", 255);
    ReadBody(1, 2, v1.b, [&](TReadGraphFile& r) { q.ReadFromFile(r); });
    EXPECT_EQ(q.Samples, -1);
    EXPECT_EQ(q.LineWidth, -3);
    EXPECT_EQ(q.FuncColor, 0x00FFFFu);
    expectExact(q.LoBound, 0, 1);
    expectExact(q.HiBound, 4, 1);
    EXPECT_EQ(q.Func.GetExpression(), "THETA");
    EXPECT_TRUE(q.Modified);
    EXPECT_TRUE(hook->Messages.empty());
}
