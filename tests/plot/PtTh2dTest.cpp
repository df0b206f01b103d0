// The 2D controller: its caption and colours, a graph drawn through it, and its graph file
// body: tags, the pending view saved, a version-4 graph saved, loaded and saved byte for
// byte, hand-built bodies of versions 1 to 3, the two load messages, damaged bodies.
#include "ControllerTestSupport.h"
#include "GraphBodyBytes.h"
#include "common/JpegBytes.h"
#include "common/ResidentMemory.h"

#include "model/RecordValues.h"
#include "model/func2d.h"
#include "model/funcpara.h"
#include "platform/ScriptedUiHook.h"
#include "plot/PtTh2d.h"

#include <gtest/gtest.h>

using namespace plottest;
using namespace bodytest;

namespace {

std::unique_ptr<TFunc2DObj> function2D(const std::string& text, TColor color) {
    return CompiledFunction<TFunc2DObj>(text, color);
}

// A function with bounds, options and a special-values row of each kind, and a curve.
void addBothClasses(TPlotThread2D& c) {
    auto f = function2D("1/X", 0x0000FF);
    f->LoBoundStr = "-3";
    f->LoBound = ExactMathValue(-3);
    f->LoBoundEmpty = false;
    f->AsymFixUp = true;
    f->LineWidth = 2;
    auto single = std::make_unique<TFunc2DSpecialItem>();
    single->FirstStr = "0";
    single->FirstValue = ExactMathValue(0);
    single->AtBehavior = sbAtUndefined;
    f->SpecialValues.Items.push_back(std::move(single));
    auto series = std::make_unique<TFunc2DSpecialItem>();
    series->Kind = skSeriesFunc;
    series->FirstStr = "1";
    series->FirstValue = ExactMathValue(1);
    series->SecondStr = "2";
    series->SecondValue = ExactMathValue(2);
    series->EndStr = "5";
    series->EndValue = ExactMathValue(5);
    series->ValueCount = 5;
    series->FuncStr = "X*2";
    series->LeftBehavior = sbNotContinuous;
    f->SpecialValues.Items.push_back(std::move(series));
    c.AddFunction(std::move(f));
    auto curve = std::make_unique<TFuncParametricObj>();
    curve->FuncX.SetExpression("COS(T)");
    curve->FuncY.SetExpression("SIN(T)");
    EXPECT_TRUE(curve->FuncX.CompileMathFunc() && curve->FuncY.CompileMathFunc());
    curve->Samples = 400;
    curve->FuncColor = 0x00FF00;
    c.AddFunction(std::move(curve));
}

TBodyWithFields body2DV1(long double centreX) {
    TBodyWithFields t;
    ByteBuilder& b = t.Body;
    b.Append(BmpAttribsV1(60, 80));
    b.Ext(50).Ext(centreX).Ext(-3);
    b.U8(1).I32(0x0000FF).I16(2).U8(1).I32(0x00F0F0F0).U8(1).Short("1/2", 50).Ext(0.5L).I32(0x00FF00).I16(7);
    b.U8(0).I16(3);
    b.FontV1("DejaVu Sans", 0x000080, 0, 12);
    t.Field().I16(1);
    b.Zeros(4).Short("-2", 50).Short("", 50).U8(0).U8(1).Ext(-2).Ext(0).U8(1).I32(0x800000).I16(3);
    ExprV1(b, "X^2");
    t.Field().Append(LabelsV1());
    return t;
}

// One axis block of the version-2 settings record (60 bytes).
ByteBuilder& axisV2(ByteBuilder& b, uint8_t tickType, int32_t tickLength) {
    b.U8(1).U8(1).Ext(0).U8(1).Ext(0).I32(0).I32(1).U8(0).U8(tickType).I32(0).Ext(1);
    return b.I32(tickLength).U8(2).U8(1).U8(0).U8(1).U8(0).I32(1);
}
// One axis block of the version-3 settings record (111 bytes).
ByteBuilder& axisV3(ByteBuilder& b, uint8_t tickType, int32_t tickLength) {
    b.U8(1).U8(1).PackedEmpty().U8(1).PackedEmpty().I32(0).I32(1).U8(0).U8(tickType).I32(0).PackedExact(1, 1);
    return b.I32(tickLength).U8(2).U8(1).U8(0).U8(1).U8(0).I32(1);
}

TBodyWithFields body2DV23(int version) {
    TBodyWithFields t;
    ByteBuilder& b = t.Body;
    b.Append(BmpAttribsV2(55, 75));
    b.Ext(40).Ext(30).Ext(100).Ext(-50);
    if (version == 2) {
        axisV2(axisV2(b, tkGridLines, 6), tkNone, 4);
    } else {
        axisV3(axisV3(b, tkGridLines, 6), tkNone, 4);
    }
    b.I32(0x00E8E8E8);
    for (const char* s : {"", "", "1", "", "", "1/4"})
        b.Str(s);
    b.Font("DejaVu Sans", 0, 0, 9).Font("DejaVu Sans", 0, 1, 10);
    t.Field().I32(version == 2 ? 1 : 2);
    if (version == 3) t.Field().I32(Func2DKindFunction);
    if (version == 2) {
        b.U8(0).U8(1).Ext(-2).Ext(0).U8(1).U8(1).I32(0x800000).I32(3).Str("-2").Str("");
        t.Field().I32(2).Str("0").Str("1/3"); // two single values
        t.Field().I32(1).Zeros(10);
    } else {
        b.U8(0).U8(1).PackedExact(-2, 1).PackedEmpty().U8(1).U8(1).I32(0x800000).I32(3).Str("-2").Str("");
        t.Field().I32(1);
        b.PackedExact(1, 1)
            .PackedExact(2, 1)
            .PackedExact(5, 1)
            .U8(sbNotContinuous)
            .U8(0)
            .U8(0)
            .I32(5)
            .U8(skSeries);
        b.Str("1").Str("2").Str("5").Str("");
    }
    b.Str("X^2");
    if (version == 3) {
        t.Field().I32(Func2DKindParametric);
        b.PackedExact(0, 1).PackedExact(3, 1).I32(300).I32(0x00FF00).I32(2).Str("0").Str("3");
        b.Str("COS(T)").Str("SIN(T)");
    }
    t.Field().Append(LabelsV2());
    return t;
}

// A 40 x 30 2D body of version 3 or 4 up to its function count.
ByteBuilder body2DHead(int version) {
    ByteBuilder b;
    b.Append(BmpAttribsV2(30, 40));
    if (version == 4) b.I32(0xFFFFFF).U8(0).I32(0);
    b.Ext(35).Ext(35).Ext(0).Ext(0);
    axisV3(axisV3(b, 1, 5), 1, 5).I32(0xFFFFFF);
    for (const char* s : {"", "", "1", "", "", "1"})
        b.Str(s);
    b.Font("DejaVu Sans", 0, 0, 8).Font("DejaVu Sans", 0, 0, 8);
    return b;
}

// The tag and record of a function y = f(x) without bounds, up to its count of Rows special
// rows; the rows and the expression follow.
ByteBuilder& function2DHead(ByteBuilder& b, int32_t rows) {
    b.I32(Func2DKindFunction).U8(1).U8(1).PackedEmpty().PackedEmpty().U8(0).U8(0).I32(0).I32(1);
    return b.Str("").Str("").I32(rows);
}

// A special row of the file: the series First, First + 1 .. End (Through f(x) when given),
// or the single value First when End is First.
void specialRow2D(ByteBuilder& b, int64_t first, int64_t end, const std::string& through = "",
                  uint8_t left = 0) {
    const bool series = end != first;
    const int32_t count = series ? int32_t(end - first + 1) : 1;
    const uint8_t kind = !series ? skSingleValue : through.empty() ? skSeries : skSeriesFunc;
    b.PackedExact(first, 1);
    if (series)
        b.PackedExact(first + 1, 1).PackedExact(end, 1);
    else
        b.PackedEmpty().PackedEmpty();
    b.U8(left).U8(0).U8(0).I32(count).U8(kind);
    b.Str(std::to_string(first)).Str(series ? std::to_string(first + 1) : "");
    b.Str(series ? std::to_string(end) : "").Str(through);
}

void expectFunctionV1V2V3(const TFunc2DObj& f, int version) {
    EXPECT_EQ(f.Func.GetExpression(), "X^2");
    EXPECT_EQ(f.LoBoundStr, "-2");
    expectExact(f.LoBound, -2, 1);
    EXPECT_TRUE(f.HiBoundEmpty);
    EXPECT_TRUE(f.AsymFixUp);
    EXPECT_EQ(f.ExtraUndefAccuracy, version > 1);
    EXPECT_EQ(f.FuncColor, 0x800000u);
    EXPECT_EQ(f.LineWidth, 3);
}

} // namespace

TEST(PlotController2D, CaptionAndColours) {
    TPlotThread2D c;
    std::string s;
    c.GetCaption(s);
    EXPECT_EQ(s, "2D Cartesian");
    c.AddFunction(function2D("X", 0xFF0000));
    c.Settings().BackColor = 0x0000FF;
    EXPECT_EQ(c.NextFunctionColor(), 0x008000u) << "green";
    c.ClearFunctions();
    c.Settings().BackColor = 0xFFFFFF;
    for (int i = 0; i < 20; ++i) {
        if (i % 2) {
            auto curve = std::make_unique<TFuncParametricObj>();
            curve->FuncColor = DefaultFunctionColors[size_t(i % 15)];
            c.AddFunction(std::move(curve));
        } else {
            c.AddFunction(function2D("X", DefaultFunctionColors[size_t(i % 15)]));
        }
    }
    EXPECT_EQ(c.NextFunctionColor(), 0x008080u) << "olive";
    c.FuncList.insert(c.FuncList.begin(), nullptr);
    EXPECT_EQ(AssertionOf([&] { c.IsColorAlreadyInUse(0x123456); }),
              "nil in FuncList in function function function TPlotThread2D.IsColorAlreadyInUse");
}

TEST(ThreadController2D, ReplotDrawsTheFunctionsWithTheirLabels) {
    TScopedScriptedUiHook hook;
    TPlotThread2D c;
    c.SetBitmapAttributes(pf32bit, 101, 81);
    // A special value at x = 1: the worker works its point out for the copy it draws, and
    // this function, which shares the point, reads it afterwards.
    auto f = function2D("X", 0x0000FF);
    f->SpecialValues.Items.push_back(std::make_unique<TFunc2DSpecialItem>());
    f->SpecialValues.Items[0]->FirstValue = ExactMathValue(1);
    TMath2DFunc valueFunc;
    ASSERT_TRUE(f->SpecialValues.CalculateValues(valueFunc));
    const TFunc2DSpecialValues& special = f->SpecialValues;
    c.AddFunction(std::move(f));
    auto box = std::make_unique<TDrawInclosedShape>(lkRectangle);
    box->P1 = {5, 60};
    box->P2 = {25, 75};
    box->BrushColor = 0x00FF00;
    box->BrushStyle = 0;
    c.MasterLabelList().push_back(std::move(box));
    c.CopyLabelsToBuffer(-1);
    TEventLog log;
    log.Hook(c);
    c.Replot();
    PumpUntilIdle(c);
    ASSERT_NE(log.Picture, nullptr);
    EXPECT_EQ(log.Picture->Pixel(50 + 35, 40 - 35), 0x0000FFu) << "y = x at x = 1";
    EXPECT_EQ(log.Picture->Pixel(15, 68), 0x00FF00u) << "the label over the graph";
    EXPECT_EQ(log.Picture->Pixel(15, 10), 0xFFFFFFu);
    ASSERT_EQ(special.Points().size(), 1u);
    EXPECT_EQ(special.Points()[0].Value, 1);

    // A new colour only in the settings reaches the picture's background.
    c.Settings().BackColor = 0x00C0C0C0;
    c.Settings().Changed = true;
    c.Replot();
    PumpUntilIdle(c);
    EXPECT_EQ(log.Picture->Pixel(15, 10), 0x00C0C0C0u);
    EXPECT_EQ(c.PlotLabelsBuffer().Context().BackgroundColor, 0x00C0C0C0u);
    EXPECT_EQ(log.Count("error: Floating point divide-by-zero error"), 0);
}

TEST(PlotController2DFile, FunctionAndCurveAreTaggedAndKeepTheirOrder) {
    TScopedScriptedUiHook hook;
    TPlotThread2D c;
    c.SetBitmapAttributes(pf24bit, 40, 30);
    addBothClasses(c);
    const Bytes body = BodyOf(SavedFile(c));
    ByteBuilder functions;
    functions.I32(2).I32(Func2DKindFunction);
    functions.Append(WrittenBody(GraphKind2D, [&](TWriteGraphFile& w) {
        dynamic_cast<const TFunc2DObj&>(*c.FuncList[0]).WriteToFile(w);
    }));
    functions.I32(Func2DKindParametric);
    functions.Append(WrittenBody(GraphKind2D, [&](TWriteGraphFile& w) {
        dynamic_cast<const TFuncParametricObj&>(*c.FuncList[1]).WriteToFile(w);
    }));
    EXPECT_NE(std::search(body.begin(), body.end(), functions.b.begin(), functions.b.end()), body.end());

    // The pending view is saved even when no run has taken it yet.
    c.ViewZoom().ZoomX = 50;
    c.ViewZoom().Changed = true;
    TTempDir dir;
    ASSERT_TRUE(c.SaveAs(dir.File("g.qxf")));
    TPlotThread2D back;
    ASSERT_TRUE(LoadGraph(back, dir.File("g.qxf")));
    EXPECT_EQ(back.ViewZoom().ZoomX, 50);
    ASSERT_EQ(back.FuncList.size(), 2u);
    EXPECT_NE(dynamic_cast<const TFunc2DObj*>(back.FuncList[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<const TFuncParametricObj*>(back.FuncList[1].get()), nullptr);
    EXPECT_TRUE(hook->Messages.empty()) << hook->LastMessage();
}

TEST(PlotController2DFile, VersionFourSavesLoadsAndSavesByteForByte) {
    TScopedScriptedUiHook hook;
    TPlotThread2D c;
    c.SetBitmapAttributes(pf24bit, 40, 30);
    addBothClasses(c);
    c.BGPicture().Bitmap = MakePicture(9, 4);
    c.BGPicture().Placement = bgStretch;
    c.ViewZoom().ZoomY = 12;
    c.ViewZoom().CenterX = -7.25L;
    c.Settings().X.TickType = tkGridLines;
    c.Settings().Y.LabelFormat = nfScientific;
    c.Settings().YLabelFont.Size = 13;
    c.MasterLabelList() = AllSevenLabels();
    ExpectSaveLoadSave(c);
    EXPECT_TRUE(hook->Messages.empty()) << hook->LastMessage();
}

TEST(PlotController2DFile, JpegBackgroundsAreDecodedOnceOrDropped) {
    TScopedScriptedUiHook hook;
    // The program's own picture at the largest graph size: progressive, quality 100.
    TBitmap drawn(2000, 2000, pf24bit);
    drawn.Canvas().Brush.Color = clRed;
    drawn.Canvas().FillRect(Rect(990, 990, 1010, 1010));
    auto own = std::make_unique<TJPEGImage>();
    ASSERT_TRUE(own->Assign(drawn));
    TPlotThread2D c;
    c.SetBitmapAttributes(pf24bit, 40, 30);
    addBothClasses(c);
    c.BGPicture().JPEG = std::move(own);
    c.BGPicture().Placement = bgCenter;
    const Bytes saved = SavedFile(c);

    // Hostile pictures cost far more to decode than their size suggests; each is dropped
    // having cost next to nothing, and the rest of its graph (a 300 x 200 picture of no
    // functions) is kept.
    const auto fixture = [](const std::string& name) {
        const Bytes file = readBytes(std::string(QUORIX_TEST_FIXTURES) + "/jpeg/" + name);
        EXPECT_FALSE(file.empty()) << "no fixture " << name;
        return file;
    };
    struct Case {
        const char* what;
        Bytes file;
        bool kept;
        size_t functions;
        int width;
        TPixelFormat depth = pf24bit;
    };
    const Case cases[] = {
        {"own 2000 x 2000", saved, true, 2, 40},
        {"own 2000 x 2000 at 32 bits", saved, true, 2, 40, pf32bit},
        {"arithmetic-coded 8192 x 8192", WithBackgroundPicture(saved, jpegtest::ArithmeticJpegBomb()), false,
         2, 40},
        {"progressive 2000 x 2000 in 1000 scans", fixture("progressive-2000x2000-1000-scans.qxf"), false, 0,
         300},
        {"arithmetic progressive 2048 x 2048 in 1000 scans",
         fixture("arithmetic-progressive-2048x2048-1000-scans.qxf"), false, 0, 300},
        {"baseline 8192 x 8192 whose scan is zero bytes", fixture("corrupt-scan-8192x8192.qxf"), false, 0,
         300},
        {"progressive 2000 x 2000 in 1006 scans, the first with a fill byte",
         fixture("progressive-2000x2000-1006-scans-fill-byte.qxf"), false, 0, 300},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        TTempDir dir;
        writeBytes(dir.File("g.qxf"), k.file);
        TPlotThread2D back;
        bool loaded = false;
        const int64_t grown = memtest::ResidentGrowth([&] {
            loaded = LoadGraph(back, dir.File("g.qxf"), k.depth);
            back.AssignFieldsAndLabels();
        });
        ASSERT_TRUE(loaded);
        EXPECT_EQ(back.FuncList.size(), k.functions) << "the rest of the graph loads";
        EXPECT_EQ(back.BmpAttribs().Width, k.width);
        EXPECT_EQ(back.BGPicture().JPEG != nullptr, k.kept);
        const TBitmap* shown = back.Model().BackgroundBitmap();
        EXPECT_TRUE(hook->Messages.empty()) << hook->LastMessage();
        if (!k.kept) {
            EXPECT_EQ(shown, nullptr);
            EXPECT_LT(grown, 16 << 20) << "bytes made resident by a dropped picture";
            continue;
        }
        ASSERT_NE(shown, nullptr);
        // The 12 MB bitmap (16 MB at 32 bits) and libjpeg's 12 MB of coefficients, each
        // once: the rows are decoded into the bitmap that is shown.
        EXPECT_LT(grown, (k.depth == pf32bit ? 36 : 32) << 20) << "bytes made resident by a kept picture";
        EXPECT_EQ(shown->PixelFormat(), k.depth);
        EXPECT_EQ(shown->Width(), 2000);
        EXPECT_EQ(shown->Height(), 2000);
        // Quality 100 keeps flat areas within a few units.
        const TColor middle = shown->Pixel(1000, 1000), beside = shown->Pixel(900, 900);
        EXPECT_TRUE(GetRValue(middle) > 245 && GetGValue(middle) < 10 && GetBValue(middle) < 10) << middle;
        EXPECT_TRUE(GetRValue(beside) > 245 && GetGValue(beside) > 245 && GetBValue(beside) > 245) << beside;
        EXPECT_EQ(SavedFile(back), saved);
    }
}

TEST(PlotController2DFile, HandBuiltVersionsOneToThree) {
    TScopedScriptedUiHook hook;
    auto c1 = LoadBody<TPlotThread2D>(1, GraphKind2D, body2DV1(-70).Body.b);
    EXPECT_EQ(c1->BmpAttribs().Width, 80);
    EXPECT_EQ(c1->ViewZoom().ZoomX, 50);
    EXPECT_EQ(c1->ViewZoom().ZoomY, 50);
    EXPECT_EQ(c1->ViewZoom().CenterX, -70);
    const TSetting2DObj& s1 = c1->Settings();
    EXPECT_EQ(s1.BackColor, 0x00F0F0F0u);
    for (const TSetting2DAxis* axis : {&s1.X, &s1.Y}) {
        EXPECT_EQ(axis->AxisColor, 0x0000FFu);
        EXPECT_EQ(axis->AxisWidth, 2);
        EXPECT_EQ(axis->TickType, tkTickMarks);
        EXPECT_EQ(axis->TickIncStr, "1/2");
        expectExact(axis->TickInc, 1, 2);
        EXPECT_EQ(axis->TickLength, 7);
        EXPECT_FALSE(axis->ShowTickLabels);
        EXPECT_EQ(axis->DecimalPlaces, 3);
        EXPECT_TRUE(axis->LoLimitEmpty);
    }
    EXPECT_EQ(s1.YLabelFont.Size, 12);
    ASSERT_EQ(c1->FuncList.size(), 1u);
    expectFunctionV1V2V3(dynamic_cast<const TFunc2DObj&>(*c1->FuncList[0]), 1);
    ExpectLabelsV1(c1->MasterLabelList());

    for (int version : {2, 3}) {
        SCOPED_TRACE(version);
        auto c = LoadBody<TPlotThread2D>(version, GraphKind2D, body2DV23(version).Body.b);
        EXPECT_EQ(c->BmpAttribs().Height, 55);
        EXPECT_EQ(c->ViewZoom().ZoomY, 30);
        EXPECT_EQ(c->ViewZoom().CenterY, -50);
        EXPECT_EQ(c->Settings().X.TickType, tkGridLines);
        EXPECT_EQ(c->Settings().Y.TickLength, 4);
        EXPECT_EQ(c->Settings().Y.TickIncStr, "1/4");
        EXPECT_EQ(c->Settings().YLabelFont.Size, 10);
        ASSERT_EQ(c->FuncList.size(), version == 2 ? 1u : 2u);
        const auto& f = dynamic_cast<const TFunc2DObj&>(*c->FuncList[0]);
        expectFunctionV1V2V3(f, version);
        ASSERT_EQ(f.SpecialValues.Items.size(), version == 2 ? 2u : 1u);
        if (version == 2) {
            EXPECT_EQ(f.SpecialValues.Items[1]->FirstStr, "1/3");
        } else {
            EXPECT_EQ(f.SpecialValues.Items[0]->Kind, skSeries);
            EXPECT_EQ(f.SpecialValues.Points().size(), 5u);
            const auto& curve = dynamic_cast<const TFuncParametricObj&>(*c->FuncList[1]);
            EXPECT_EQ(curve.FuncY.GetExpression(), "SIN(T)");
            EXPECT_EQ(curve.Samples, 300);
            expectExact(curve.HiBound, 3, 1);
        }
        ExpectLabelsV2(c->MasterLabelList());
    }
    EXPECT_TRUE(hook->Messages.empty()) << hook->LastMessage();
}

TEST(PlotController2DFile, TheTwoMessagesOfALoad) {
    // A first-version view centre beyond the old range is moved, and said so once.
    {
        TScopedScriptedUiHook hook;
        auto c = LoadBody<TPlotThread2D>(1, GraphKind2D, body2DV1(250000).Body.b);
        EXPECT_EQ(c->ViewZoom().CenterX, 100000);
        EXPECT_EQ(
            hook->MessageTexts(),
            std::vector<std::string>{"The graph view center has been changed for compatibility reasons."});
    }
    // Special values that cannot be calculated, in two functions: one message, and only
    // from version 3 on.
    for (int version : {3, 4}) {
        TScopedScriptedUiHook hook;
        ByteBuilder b = body2DHead(version);
        b.I32(2);
        for (int i = 0; i < 2; ++i) {
            function2DHead(b, 1);
            b.PackedExact(1, 1).PackedExact(1, 1).PackedExact(5, 1).U8(0).U8(0).U8(0).I32(1).U8(skSeries);
            b.Str("1").Str("1").Str("5").Str("").Str("X");
        }
        b.I32(0);
        auto c = LoadBody<TPlotThread2D>(version, GraphKind2D, b.b);
        EXPECT_EQ(c->FuncList.size(), 2u);
        EXPECT_EQ(hook->MessageTexts(),
                  std::vector<std::string>{"An error occured while calculating 2D function special values."});
        EXPECT_EQ(hook->Messages[0].Type, mtError);
    }
}

TEST(PlotController2DFile, AGraphPastItsLimitsIsRefusedBeforeItsItemsAreRead) {
    // Special values: a small function, then full ones (50 series of 5000 values) up to
    // exactly what a graph may hold; one single value more is refused as soon as the rows
    // that pass it have been read.
    const auto specialValues = [](bool oneMore) {
        ByteBuilder b = body2DHead(4);
        b.I32(5);
        function2DHead(b, oneMore ? 3 : 2);
        specialRow2D(b, -2, -2, "", sbNotContinuous);
        specialRow2D(b, 1, 5, "X*X");
        if (oneMore) specialRow2D(b, 7, 7);
        b.Str("X");
        int64_t left = MaxGraphSpecialValues - 6;
        for (int i = 0; i < 4; ++i) {
            function2DHead(b, MaxSeriesRows);
            for (int row = 0; row < MaxSeriesRows; ++row) {
                const int64_t first = 10000 * (row + 1), count = std::min<int64_t>(left, MaxSeriesValues);
                specialRow2D(b, first, first + count - 1);
                left -= count;
            }
            b.Str("X");
        }
        EXPECT_EQ(left, 0);
        return b.I32(0).b;
    };
    const auto declaring = [](int32_t functions, int32_t labels) {
        return body2DHead(4).I32(functions).I32(labels).b;
    };
    // The first version's label list, which ends its body: labels, then flood fills.
    const auto declaringV1 = [](int16_t labels, int16_t fills) {
        Bytes b = body2DV1(-70).Body.b;
        b.resize(b.size() - LabelsV1().size());
        return ByteBuilder().Append(b).I16(labels).I16(fills).b;
    };
    const std::string refused =
        "There can not be more than 1,000,000 special X values in a graph; this graph "
        "holds more, and can not be opened.";
    struct Case {
        const char* what;
        int version;
        Bytes body;
        bool loads;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"special values at the limit", 4, specialValues(false), true, {}},
        {"one special value more", 4, specialValues(true), false, {refused}},
        {"253 functions", 4, declaring(253, 0), false, {"Error loading file"}},
        {"2001 labels", 4, declaring(0, 2001), false, {"Error loading file"}},
        {"2001 labels of the first version", 1, declaringV1(2001, 0), false, {"Error loading file"}},
        {"2001 flood fills of the first version", 1, declaringV1(0, 2001), false, {"Error loading file"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        TScopedScriptedUiHook hook;
        bool loaded = false;
        auto c = LoadBody<TPlotThread2D>(k.version, GraphKind2D, k.body, &loaded);
        EXPECT_EQ(loaded, k.loads);
        EXPECT_EQ(hook->MessageTexts(), k.messages);
        if (!k.loads) {
            EXPECT_TRUE(c->FuncList.empty());
            continue;
        }
        ASSERT_EQ(c->FuncList.size(), 5u);
        int64_t total = 0;
        for (const auto& f : c->FuncList)
            total += SpecialValueCount(*f);
        EXPECT_EQ(total, MaxGraphSpecialValues);
        // The points come out as ever: sorted, through f(x), with their rows' behaviours.
        c->AssignFieldsAndLabels();
        const auto& small = dynamic_cast<const TFunc2DObj&>(*c->Model().Functions()[0]);
        const TSpecialPointArray& p = small.SpecialValues.Points();
        std::vector<long double> xs;
        for (const TSpecialPoint& q : p)
            xs.push_back(q.Value);
        EXPECT_EQ(xs, (std::vector<long double>{-2, 1, 4, 9, 16, 25}));
        EXPECT_EQ(p[0].LeftBehavior, sbNotContinuous);
        EXPECT_EQ(p[1].ItemIndex, 1);
    }
}

TEST(PlotController2DFile, UnknownFunctionTagFailsTheLoad) {
    TScopedScriptedUiHook hook;
    TBodyWithFields t = body2DV23(3);
    Bytes body = t.Body.b;
    const size_t tagAt = t.Fields[1];
    body[tagAt] = 3;
    bool loaded = true;
    auto c = LoadBody<TPlotThread2D>(3, GraphKind2D, body, &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(c->FuncList.empty());
    EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error loading file"});
}

TEST(PlotController2DFile, DamagedBodiesEndInSuccessOrTheLoadError) {
    TScopedScriptedUiHook quiet;
    TPlotThread2D c;
    c.SetBitmapAttributes(pf24bit, 40, 30);
    addBothClasses(c);
    c.BGPicture().Bitmap = MakePicture(4, 3);
    c.MasterLabelList() = AllSevenLabels();
    const TMutationSource saved = SavedWithFields(c, GraphKind2D, [&](TWriteGraphFile& w, size_t i) {
        if (const auto* f = dynamic_cast<const TFunc2DObj*>(c.FuncList[i].get())) {
            w.WriteInteger(Func2DKindFunction);
            f->WriteToFile(w);
        } else {
            w.WriteInteger(Func2DKindParametric);
            dynamic_cast<const TFuncParametricObj&>(*c.FuncList[i]).WriteToFile(w);
        }
    });
    const std::vector<TMutationSource> sources = {saved, body2DV1(-70).Frame(1, GraphKind2D),
                                                  body2DV23(2).Frame(2, GraphKind2D),
                                                  body2DV23(3).Frame(3, GraphKind2D)};
    const TMutationOutcome outcome = LoadDamagedBodies<TPlotThread2D>(sources, 2202, 10000);
    EXPECT_EQ(outcome.Loaded + outcome.Failed, 10000);
    std::printf("damaged 2D bodies: %d loaded, %d refused\n", outcome.Loaded, outcome.Failed);
    EXPECT_GT(outcome.Loaded, 500);
    EXPECT_GT(outcome.Failed, 2000);
}
