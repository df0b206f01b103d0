// The polar controller: its caption and colours, a graph drawn through it, and its graph
// file body: untagged curves, a version-4 graph saved, loaded and saved byte for byte,
// hand-built bodies of versions 1 to 3, the view message, damaged bodies.
#include "ControllerTestSupport.h"
#include "GraphBodyBytes.h"

#include "model/funcpolr.h"
#include "platform/Jpeg.h"
#include "platform/ScriptedUiHook.h"
#include "plot/PtThPolr.h"

#include <gtest/gtest.h>

using namespace plottest;
using namespace bodytest;

namespace {

std::unique_ptr<TFuncPolarObj> polarCurve(const std::string& text, TColor color) {
    return CompiledFunction<TFuncPolarObj>(text, color);
}

ByteBuilder& angles(ByteBuilder& b, int count) {
    for (int i = 0; i < 360; ++i)
        b.Ext(i < count ? 360.0L * i / count : 0);
    return b;
}

TBodyWithFields bodyPolarV1(long double centreX) {
    TBodyWithFields t;
    ByteBuilder& b = t.Body;
    b.Append(BmpAttribsV1(64, 96));
    b.Ext(40).Ext(centreX).Ext(20);
    b.I32(0x00F4F4F4).I16(12);
    angles(b, 12);
    b.I32(0x808080).I16(2).U8(1).Short("1/2", 50).Ext(0.5L).U8(pkCircles).I32(0x0000FF).I16(6).I16(2).U8(2);
    b.U8(1).I16(4).U8(1).Short("3", 50).Ext(3);
    b.FontV1("DejaVu Sans", 0x00FF00, 0, 11);
    t.Field().I16(2);
    for (int i = 0; i < 2; ++i) {
        b.Zeros(4).Short("0", 50).Short("pi", 50).Ext(0).Ext(3.14L).I16(int16_t(i == 0 ? 500 : -1));
        b.I32(i == 0 ? 0x0000FF : 0x00FF00).I16(2);
        ExprV1(b, i == 0 ? "THETA" : "2");
    }
    t.Field().Append(LabelsV1());
    return t;
}

TBodyWithFields bodyPolarV23(int version) {
    const bool packed = version == 3;
    TBodyWithFields t;
    ByteBuilder& b = t.Body;
    b.Append(BmpAttribsV2(64, 96));
    b.Ext(40).Ext(-10).Ext(20);
    b.I32(0x00F4F4F4).I32(12);
    angles(b, 12);
    b.I32(0x808080).I32(2).U8(1);
    packed ? b.PackedExact(1, 2) : b.Ext(0.5L);
    b.U8(pkCircles).I32(0x0000FF).I32(6).I32(2).U8(2).U8(1).U8(nfFixedDecimal).U8(0).U8(1).I32(4).U8(1);
    packed ? b.PackedExact(3, 1) : b.Ext(3);
    b.Str("1/2").Str("3").Font("DejaVu Sans", 0x00FF00, 0, 11);
    t.Field().I32(2);
    for (int i = 0; i < 2; ++i) {
        packed ? b.PackedExact(0, 1).PackedFloat(3.14L) : b.Ext(0).Ext(3.14L);
        b.I32(i == 0 ? 500 : -1).I32(i == 0 ? 0x0000FF : 0x00FF00).I32(2).Str("0").Str("pi");
        b.Str(i == 0 ? "THETA" : "2");
    }
    t.Field().Append(LabelsV2());
    return t;
}

void expectLoaded(const TPlotThreadPolar& c, int version) {
    EXPECT_EQ(c.ViewZoom().Zoom, 40);
    EXPECT_EQ(c.ViewZoom().CenterY, 20);
    const TSettingPolarObj& s = c.Settings();
    EXPECT_EQ(s.BackColor, 0x00F4F4F4u);
    EXPECT_EQ(s.AxisCount, 12);
    EXPECT_EQ(s.AxisAngles[1], 30);
    EXPECT_EQ(s.AxisAngles[11], 330);
    EXPECT_EQ(s.AxisWidth, 2);
    EXPECT_EQ(s.TickIncStr, "1/2");
    expectExact(s.TickInc, 1, 2);
    EXPECT_EQ(s.TickMarkType, pkCircles);
    EXPECT_EQ(s.DashLength, 6);
    EXPECT_EQ(s.DecimalPlaces, 4);
    EXPECT_EQ(s.LabelFormat, version == 1 ? nfMaxDecimal : nfFixedDecimal) << "not in the first version";
    EXPECT_TRUE(s.RestrictRadius);
    expectExact(s.RadiusRestrict, 3, 1);
    EXPECT_EQ(s.LabelFont.Size, 11);
    ASSERT_EQ(c.FuncList.size(), 2u);
    const auto& first = dynamic_cast<const TFuncPolarObj&>(*c.FuncList[0]);
    EXPECT_EQ(first.Func.GetExpression(), "THETA");
    EXPECT_EQ(first.Samples, 500);
    EXPECT_EQ(first.HiBoundStr, "pi");
    EXPECT_EQ(first.LineWidth, 2);
    const auto& second = dynamic_cast<const TFuncPolarObj&>(*c.FuncList[1]);
    EXPECT_EQ(second.Samples, -1) << "kept as read";
    EXPECT_EQ(second.FuncColor, 0x00FF00u);
}

} // namespace

TEST(PlotControllerPolar, CaptionAndColours) {
    TPlotThreadPolar c;
    std::string s;
    c.GetCaption(s);
    EXPECT_EQ(s, "Polar") << "a new graph: the bare type name";
    c.AddFunction(polarCurve("1", 0xFF0000));
    c.Settings().BackColor = 0x0000FF;
    EXPECT_EQ(c.NextFunctionColor(), 0x008000u);
    c.FuncList.insert(c.FuncList.begin(), nullptr);
    EXPECT_EQ(AssertionOf([&] { c.IsColorAlreadyInUse(0x123456); }),
              "nil in FuncList in function function TPlotThreadPolar.IsColorAlreadyInUse");
}

TEST(ThreadControllerPolar, ReplotDrawsTheCurve) {
    TScopedScriptedUiHook hook;
    TPlotThreadPolar c;
    c.SetBitmapAttributes(pf32bit, 101, 101);
    c.AddFunction(polarCurve("1", 0x0000FF));
    TEventLog log;
    log.Hook(c);
    c.Replot();
    PumpUntilIdle(c);
    ASSERT_NE(log.Picture, nullptr);
    int onCircle = 0;
    for (int y = 0; y < 101; ++y)
        for (int x = 0; x < 101; ++x)
            onCircle += log.Picture->Pixel(x, y) == 0x0000FF;
    EXPECT_GT(onCircle, 150) << "the circle r = 1 of radius 35";
    EXPECT_EQ(log.Picture->Pixel(50 + 35, 50), 0x0000FFu);
}

TEST(PlotControllerPolarFile, CurvesAreWrittenWithoutTags) {
    TScopedScriptedUiHook hook;
    TPlotThreadPolar c;
    c.SetBitmapAttributes(pf24bit, 40, 30);
    for (const char* text : {"1", "THETA", "SIN(3*THETA)"})
        c.AddFunction(polarCurve(text, 0x0000FF));
    const Bytes body = BodyOf(SavedFile(c));
    ByteBuilder functions;
    functions.I32(3);
    for (const auto& f : c.FuncList)
        functions.Append(WrittenBody(GraphKindPolar, [&](TWriteGraphFile& w) {
            dynamic_cast<const TFuncPolarObj&>(*f).WriteToFile(w);
        }));
    const Bytes labels = ByteBuilder().I32(0).b;
    EXPECT_EQ(Bytes(body.end() - std::ptrdiff_t(functions.Size() + 4), body.end() - 4), functions.b);
    EXPECT_EQ(Bytes(body.end() - 4, body.end()), labels);
}

TEST(PlotControllerPolarFile, VersionFourSavesLoadsAndSavesByteForByte) {
    TScopedScriptedUiHook hook;
    TPlotThreadPolar c;
    c.SetBitmapAttributes(pf24bit, 40, 30);
    c.AddFunction(polarCurve("THETA/2", 0x0000FF));
    c.AddFunction(polarCurve("COS(2*THETA)", 0x008000));
    auto jpeg = std::make_unique<TJPEGImage>();
    ASSERT_TRUE(jpeg->Assign(*MakePicture(8, 6)));
    c.BGPicture().JPEG = std::move(jpeg);
    c.BGPicture().Placement = bgCenter;
    c.ViewZoom().ThetaInRadians = true;
    c.ViewZoom().CenterX = 12.5L;
    c.Settings().AxisCount = 5;
    c.Settings().TickMarkType = pkNone;
    c.Settings().LabelFont.Size = 15;
    c.MasterLabelList() = AllSevenLabels();
    ExpectSaveLoadSave(c);
    EXPECT_TRUE(hook->Messages.empty()) << hook->LastMessage();
}

TEST(PlotControllerPolarFile, HandBuiltVersionsOneToThree) {
    TScopedScriptedUiHook hook;
    auto c1 = LoadBody<TPlotThreadPolar>(1, GraphKindPolar, bodyPolarV1(-10).Body.b);
    EXPECT_EQ(c1->BmpAttribs().Width, 96);
    expectLoaded(*c1, 1);
    ExpectLabelsV1(c1->MasterLabelList());
    for (int version : {2, 3}) {
        SCOPED_TRACE(version);
        auto c = LoadBody<TPlotThreadPolar>(version, GraphKindPolar, bodyPolarV23(version).Body.b);
        EXPECT_EQ(c->BmpAttribs().Height, 64);
        EXPECT_EQ(c->ViewZoom().CenterX, -10);
        EXPECT_FALSE(c->ViewZoom().ThetaInRadians) << "not in records before version 4";
        expectLoaded(*c, version);
        ExpectLabelsV2(c->MasterLabelList());
    }
    EXPECT_TRUE(hook->Messages.empty()) << hook->LastMessage();

    // A first-version centre beyond the old range is moved, and said so once.
    auto moved = LoadBody<TPlotThreadPolar>(1, GraphKindPolar, bodyPolarV1(-300000).Body.b);
    EXPECT_EQ(moved->ViewZoom().CenterX, -100000);
    EXPECT_EQ(hook->MessageTexts(),
              std::vector<std::string>{"The graph view center has been changed for compatibility reasons."});
}

TEST(PlotControllerPolarFile, DamagedBodiesEndInSuccessOrTheLoadError) {
    TScopedScriptedUiHook quiet;
    TPlotThreadPolar c;
    c.SetBitmapAttributes(pf24bit, 40, 30);
    c.AddFunction(polarCurve("THETA", 0x0000FF));
    c.AddFunction(polarCurve("2", 0x00FF00));
    c.BGPicture().Bitmap = MakePicture(4, 3);
    c.MasterLabelList() = AllSevenLabels();
    const TMutationSource saved = SavedWithFields(c, GraphKindPolar, [&](TWriteGraphFile& w, size_t i) {
        dynamic_cast<const TFuncPolarObj&>(*c.FuncList[i]).WriteToFile(w);
    });
    const std::vector<TMutationSource> sources = {saved, bodyPolarV1(-10).Frame(1, GraphKindPolar),
                                                  bodyPolarV23(2).Frame(2, GraphKindPolar),
                                                  bodyPolarV23(3).Frame(3, GraphKindPolar)};
    const TMutationOutcome outcome = LoadDamagedBodies<TPlotThreadPolar>(sources, 2121, 10000);
    EXPECT_EQ(outcome.Loaded + outcome.Failed, 10000);
    std::printf("damaged polar bodies: %d loaded, %d refused\n", outcome.Loaded, outcome.Failed);
    EXPECT_GT(outcome.Loaded, 500);
    EXPECT_GT(outcome.Failed, 2000);
}
