// The 3D controller: its caption and colours, a graph drawn through it, and its graph file
// body in every version: tags, a version-4 graph saved, loaded and saved byte for byte,
// and bodies of versions 1 to 3 built by hand.
#include "ControllerTestSupport.h"
#include "GraphBodyBytes.h"

#include "model/RecordValues.h"
#include "model/func3dobj.h"
#include "platform/ScriptedUiHook.h"
#include "plot/PtTh3d.h"

#include <gtest/gtest.h>

using namespace plottest;
using namespace bodytest;

namespace {

// One rotated curve and one surface with values away from every default.
void addBothClasses(TPlotThread3D& c) {
    auto rotate = std::make_unique<TFuncRotateObj>();
    rotate->Func->SetExpression("X^2");
    EXPECT_TRUE(rotate->Func->CompileMathFunc());
    rotate->LoBoundStr = "-1";
    rotate->LoBound = ExactMathValue(-1);
    rotate->RotationAxis = RotateAboutY;
    rotate->Circles = 8;
    rotate->FuncColor = 0x0000FF;
    c.AddFunction(std::move(rotate));
    auto surface = std::make_unique<TFunc3DObj>();
    surface->Func->SetDependentVar(dvX);
    surface->Func->SetExpression("Y*Z");
    EXPECT_TRUE(surface->Func->CompileMathFunc());
    surface->Var2Lines = 7;
    surface->LimitTo700 = true;
    surface->FuncColor = 0x00FF00;
    c.AddFunction(std::move(surface));
}

// Rotated curve and surface records after their tags, in the layouts of versions 2 and 3.
Bytes rotateV2() {
    ByteBuilder b;
    b.Ext(-1)
        .Ext(2)
        .U8(RotateAboutY)
        .Ext(0)
        .Ext(0)
        .Ext(1)
        .Ext(3)
        .I32(8)
        .I32(2)
        .I32(10)
        .I32(3)
        .I32(0x0000FF)
        .U8(1);
    for (const char* s : {"-1", "2", "0", "0", "1", "3"})
        b.Str(s);
    return b.Str("X^2").b;
}
Bytes rotateV3() {
    ByteBuilder b;
    b.PackedExact(-1, 1).PackedExact(2, 1).U8(RotateAboutY);
    b.PackedExact(0, 1).PackedExact(0, 1).PackedExact(1, 1).PackedExact(3, 1);
    b.I32(8).I32(2).I32(10).I32(3).I32(0x0000FF).U8(1);
    for (const char* s : {"-1", "2", "0", "0", "1", "3"})
        b.Str(s);
    return b.Str("X^2").b;
}
Bytes surfaceV2() {
    ByteBuilder b;
    b.I32(0x00FF00).Ext(-2).Ext(2).I32(5).I32(1).Ext(-3).Ext(3).I32(6).I32(2).U8(0);
    for (const char* s : {"-2", "2", "-3", "3"})
        b.Str(s);
    return b.I32(dvX).Str("Y+Z").b;
}
Bytes surfaceV3() {
    ByteBuilder b;
    b.I32(0x00FF00).PackedExact(-2, 1).PackedExact(2, 1).I32(5).I32(1);
    b.PackedExact(-3, 1).PackedExact(3, 1).I32(6).I32(2).U8(0);
    for (const char* s : {"-2", "2", "-3", "3"})
        b.Str(s);
    return b.I32(dvX).Str("Y+Z").b;
}

Bytes settingsV2() {
    ByteBuilder b;
    b.I32(0x00E0E0E0);
    b.U8(1).I32(0x0000FF).U8(1).U8(0).U8(1).U8(1); // X: "-X" not labelled
    b.U8(0).I32(0x00FF00).U8(1).U8(1).U8(0).U8(1); // Y hidden, no "+"
    b.U8(1).I32(0xFF0000).U8(1).U8(1).U8(1).U8(1);
    for (int i = 0; i < 3; ++i)
        b.Font("DejaVu Sans", 0, 0, 8 + i);
    return b.b;
}

void expectFunctions(const TPlotThread3D& c) {
    ASSERT_EQ(c.FuncList.size(), 2u);
    const auto& rotate = dynamic_cast<const TFuncRotateObj&>(*c.FuncList[0]);
    EXPECT_EQ(rotate.Func->GetExpression(), "X^2");
    EXPECT_EQ(rotate.RotationAxis, RotateAboutY);
    EXPECT_EQ(rotate.HiBoundStr, "2");
    expectExact(rotate.HiBound, 2, 1);
    EXPECT_EQ(rotate.P2YStr, "3");
    EXPECT_EQ(rotate.Circles, 8);
    EXPECT_EQ(rotate.LineDetail, 3);
    EXPECT_EQ(rotate.FuncColor, 0x0000FFu);
    EXPECT_TRUE(rotate.LimitTo700);
    const auto& surface = dynamic_cast<const TFunc3DObj&>(*c.FuncList[1]);
    EXPECT_EQ(surface.Func->DependentVar(), dvX);
    EXPECT_EQ(surface.Func->GetExpression(), "Y+Z");
    EXPECT_EQ(surface.Var2LoStr, "-3");
    expectExact(surface.Var2Lo, -3, 1);
    EXPECT_EQ(surface.Var1Lines, 5);
    EXPECT_EQ(surface.Var2Detail, 2);
    EXPECT_EQ(surface.FuncColor, 0x00FF00u);
}

} // namespace

TEST(PlotController3D, CaptionAndColours) {
    TScopedScriptedUiHook hook;
    TPlotThread3D c;
    std::string s;
    c.GetCaption(s);
    EXPECT_EQ(s, "3D Cartesian");
    addBothClasses(c);
    EXPECT_TRUE(c.IsColorAlreadyInUse(0x0000FF));
    EXPECT_TRUE(c.IsColorAlreadyInUse(0x00FF00));
    EXPECT_TRUE(c.IsColorAlreadyInUse(0xFFFFFF)) << "the background";
    EXPECT_EQ(c.NextFunctionColor(), 0xFF0000u);
    c.FuncList.insert(c.FuncList.begin(), nullptr);
    EXPECT_EQ(AssertionOf([&] { c.IsColorAlreadyInUse(0x123456); }),
              "nil in FuncList in function TPlotThread3D.IsColorAlreadyInUse");
    c.FuncList.erase(c.FuncList.begin());

    c.SetBitmapAttributes(pf24bit, 60, 40);
    TTempDir dir;
    std::filesystem::create_directory(dir.Path() / "any folder");
    const std::string file = (dir.Path() / "any folder" / "surf.qxf").string();
    ASSERT_TRUE(c.SaveAs(file));
    TPlotThread3D loaded;
    ASSERT_TRUE(LoadGraph(loaded, file));
    loaded.GetCaption(s);
    EXPECT_EQ(s, "3D Cartesian - [surf.qxf]");
}

TEST(ThreadController3D, LoadedGraphDrawsWithItsLabels) {
    TScopedScriptedUiHook hook;
    TPlotThread3D c;
    c.SetBitmapAttributes(pf24bit, 80, 60);
    addBothClasses(c);
    c.Settings().BackColor = 0x00F0F0F0;
    c.Settings().Changed = true;
    c.MasterLabelList() = AllSevenLabels();
    c.MasterLabelList().erase(c.MasterLabelList().begin() + 1); // the flood fill would cover the background
    TPlotThread3D loaded;
    {
        TTempDir dir;
        ASSERT_TRUE(c.SaveAs(dir.File("g.qxf")));
        ASSERT_TRUE(LoadGraph(loaded, dir.File("g.qxf")));
    }
    TEventLog log;
    log.Hook(loaded);
    loaded.AssignFieldsAndLabels();
    loaded.StartGraphDrawing();
    PumpUntilIdle(loaded);
    ASSERT_NE(log.Picture, nullptr);
    EXPECT_EQ(log.Events(), (std::vector<std::string>{"start", "picture", "end"}));
    EXPECT_EQ(log.Picture->Width(), 80);
    EXPECT_EQ(log.Picture->Pixel(79, 0), 0x00F0F0F0u) << "the loaded background";
    EXPECT_EQ(log.Picture->Pixel(12, 7), 0x00FF00u) << "the filled shapes over the graph";
    int coloured = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 40; x < 80; ++x)
            coloured += log.Picture->Pixel(x, y) == 0x0000FF || log.Picture->Pixel(x, y) == 0x00FF00;
    EXPECT_GT(coloured, 20) << "the wire frames are drawn";
}

TEST(PlotController3DFile, VersionFourSavesLoadsAndSavesByteForByte) {
    TScopedScriptedUiHook hook;
    TPlotThread3D c;
    c.SetBitmapAttributes(pf24bit, 40, 30);
    addBothClasses(c);
    c.BGPicture().Bitmap = MakePicture(7, 5);
    c.BGPicture().Placement = bgBottomRight;
    c.ViewZoom().RotationX = 30;
    c.ViewZoom().Zoom = 33;
    c.Settings().Y.ShowAxisLine = false;
    c.Settings().Z.LabelFont.Size = 14;
    c.MasterLabelList() = AllSevenLabels();
    ExpectSaveLoadSave(c);

    // The function section: count 2, then each function's record led by its own tag.
    const Bytes body = BodyOf(SavedFile(c));
    const Bytes sections = WrittenBody(GraphKind3D, [&](TWriteGraphFile& w) {
        c.BmpAttribs().WriteToFile(w);
        c.BGPicture().WriteToFile(w);
        c.ViewZoom().WriteToFile(w);
        c.Settings().WriteToFile(w);
    });
    ByteBuilder functions;
    functions.I32(2);
    for (int32_t tag : {Func3DKindRotate, Func3DKindSurface}) {
        const Bytes record = WrittenBody(GraphKind3D, [&](TWriteGraphFile& w) {
            dynamic_cast<const TBaseFunc3DObj&>(*c.FuncList[size_t(tag - 1)]).WriteToFile(w);
        });
        EXPECT_EQ(Bytes(record.begin(), record.begin() + 4), ByteBuilder().I32(tag).b);
        functions.Append(record);
    }
    ASSERT_GT(body.size(), sections.size() + functions.Size());
    EXPECT_EQ(Bytes(body.begin(), body.begin() + sections.size()), sections);
    EXPECT_EQ(Bytes(body.begin() + sections.size(), body.begin() + sections.size() + functions.Size()),
              functions.b);
}

namespace {

// Version 1: words, byte tags 0 and 1, the narrow records and the old label list.
TBodyWithFields body3DV1() {
    TBodyWithFields t;
    ByteBuilder& v1 = t.Body;
    v1.Append(BmpAttribsV1(50, 70));
    v1.Ext(10).Ext(20).Ext(-30).I16(int16_t(0xFFF6));
    v1.I32(0x00E0E0E0).U8(1).U8(0).U8(1).I32(0x808080).U8(1).U8(0).U8(1).U8(1).U8(0).U8(1).U8(1).U8(0);
    v1.FontV1("DejaVu Sans", 0x0000FF, 2, 11);
    t.Field().I16(2);
    t.Field().U8(0); // rotated curve
    v1.Zeros(4).Short("-1", 50).Short("2", 50).Ext(-1).Ext(2).U8(2);
    v1.Short("0", 50).Short("0", 50).Short("1", 50).Short("3", 50).Ext(0).Ext(0).Ext(1).Ext(3);
    v1.I16(8).I16(2).I16(10).I16(3).I32(0x0000FF).U8(1);
    ExprV1(v1, "X^2");
    t.Field().U8(1); // surface
    v1.U8(2).Zeros(4).I32(0x00FF00).Short("-2", 50).Short("2", 50).Ext(-2).Ext(2).I16(5).I16(1);
    v1.Short("-3", 50).Short("3", 50).Ext(-3).Ext(3).I16(6).I16(2).U8(0);
    ExprV1(v1, "Y+Z");
    t.Field().Append(LabelsV1());
    return t;
}

// Versions 2 and 3: int32 sizes and counts, int32 tags, wider records.
TBodyWithFields body3DV23(int version) {
    TBodyWithFields t;
    ByteBuilder& b = t.Body;
    b.Append(BmpAttribsV2(45, 65));
    b.Ext(10).Ext(20).Ext(-30).I32(25);
    b.Append(settingsV2());
    t.Field().I32(2);
    t.Field().I32(Func3DKindRotate).Append(version == 2 ? rotateV2() : rotateV3());
    t.Field().I32(Func3DKindSurface).Append(version == 2 ? surfaceV2() : surfaceV3());
    t.Field().Append(LabelsV2());
    return t;
}

} // namespace

TEST(PlotController3DFile, HandBuiltVersionsOneToThree) {
    TScopedScriptedUiHook hook;
    auto c1 = LoadBody<TPlotThread3D>(1, GraphKind3D, body3DV1().Body.b);
    EXPECT_EQ(c1->BmpAttribs().Height, 50);
    EXPECT_EQ(c1->BmpAttribs().Width, 70);
    EXPECT_EQ(c1->ViewZoom().RotationZ, -30);
    EXPECT_EQ(c1->ViewZoom().Zoom, -10) << "the zoom word is signed";
    EXPECT_EQ(c1->Settings().BackColor, 0x00E0E0E0u);
    EXPECT_EQ(c1->BmpAttribs().BackColor, 0x00E0E0E0u) << "the settings' colour";
    EXPECT_FALSE(c1->Settings().Y.ShowAxisLine);
    EXPECT_EQ(c1->Settings().Z.AxisColor, 0x808080u);
    EXPECT_FALSE(c1->Settings().X.LabelNegativeEnd);
    EXPECT_FALSE(c1->Settings().Z.ShowMinusSign);
    EXPECT_EQ(c1->Settings().Z.LabelFont, c1->Settings().X.LabelFont);
    EXPECT_EQ(c1->Settings().Y.LabelFont.Size, 11);
    expectFunctions(*c1);
    ExpectLabelsV1(c1->MasterLabelList());

    for (int version : {2, 3}) {
        SCOPED_TRACE(version);
        auto c = LoadBody<TPlotThread3D>(version, GraphKind3D, body3DV23(version).Body.b);
        EXPECT_EQ(c->BmpAttribs().Width, 65);
        EXPECT_EQ(c->ViewZoom().Zoom, 25);
        EXPECT_FALSE(c->Settings().Y.ShowAxisLine);
        EXPECT_FALSE(c->Settings().Y.ShowPlusSign);
        EXPECT_EQ(c->Settings().Z.LabelFont.Size, 10);
        EXPECT_EQ(c->BGPicture().Bitmap, nullptr) << "no picture section before version 4";
        expectFunctions(*c);
        ExpectLabelsV2(c->MasterLabelList());
    }
    EXPECT_TRUE(hook->Messages.empty()) << hook->LastMessage();
}

TEST(PlotController3DFile, DamagedBodiesEndInSuccessOrTheLoadError) {
    TScopedScriptedUiHook quiet;
    TPlotThread3D c;
    c.SetBitmapAttributes(pf24bit, 40, 30);
    addBothClasses(c);
    c.BGPicture().Bitmap = MakePicture(4, 3);
    c.MasterLabelList() = AllSevenLabels();
    const TMutationSource saved = SavedWithFields(c, GraphKind3D, [&](TWriteGraphFile& w, size_t i) {
        dynamic_cast<const TBaseFunc3DObj&>(*c.FuncList[i]).WriteToFile(w);
    });
    std::vector<TMutationSource> sources = {saved, body3DV1().Frame(1, GraphKind3D),
                                            body3DV23(2).Frame(2, GraphKind3D),
                                            body3DV23(3).Frame(3, GraphKind3D)};
    const TMutationOutcome outcome = LoadDamagedBodies<TPlotThread3D>(sources, 3303, 10000);
    EXPECT_EQ(outcome.Loaded + outcome.Failed, 10000);
    std::printf("damaged 3D bodies: %d loaded, %d refused\n", outcome.Loaded, outcome.Failed);
    EXPECT_GT(outcome.Loaded, 500) << "most damage to values still loads";
    EXPECT_GT(outcome.Failed, 2000);
}

TEST(PlotController3DFile, UnknownFunctionTagsFailTheLoad) {
    TScopedScriptedUiHook hook;
    ByteBuilder v1;
    v1.Append(BmpAttribsV1(50, 70)).Zeros(32).I32(0).Zeros(15).FontV1("DejaVu Sans", 0, 0, 8);
    v1.I16(1).U8(2); // byte tags are 0 and 1
    bool loaded = true;
    auto c1 = LoadBody<TPlotThread3D>(1, GraphKind3D, v1.b, &loaded);
    EXPECT_FALSE(loaded);
    ByteBuilder v4;
    v4.Append(BmpAttribsV2(45, 65)).I32(0xFFFFFF).U8(0).I32(0).Zeros(34).Append(settingsV2());
    v4.I32(1).I32(3); // int32 tags are 1 and 2
    auto c4 = LoadBody<TPlotThread3D>(4, GraphKind3D, v4.b, &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(c4->FuncList.empty());
    EXPECT_EQ(hook->MessageTexts(), (std::vector<std::string>{"Error loading file", "Error loading file"}));
}

TEST(PlotController3DFile, FirstVersionCountsBelowOneHoldNothing) {
    // The first version's function count is a signed word: 0xFFFF and 0x8000 are no entries.
    TScopedScriptedUiHook hook;
    for (int16_t count : {int16_t(0), int16_t(-1), int16_t(INT16_MIN)}) {
        SCOPED_TRACE(count);
        ByteBuilder v1;
        v1.Append(BmpAttribsV1(50, 70)).Zeros(32).I32(0).Zeros(15).FontV1("DejaVu Sans", 0, 0, 8);
        v1.I16(count).I16(0).I16(0); // no functions, no labels, no flood fills
        auto c = LoadBody<TPlotThread3D>(1, GraphKind3D, v1.b);
        EXPECT_TRUE(c->FuncList.empty());
        EXPECT_TRUE(c->MasterLabelList().empty());
    }
    EXPECT_TRUE(hook->Messages.empty()) << hook->LastMessage();
}
