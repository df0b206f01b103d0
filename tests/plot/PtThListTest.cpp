// The controller's function-list level and the kind template on a fake model: default
// colours, the function limit, the pending objects moved into the model, and which
// workers a replot stops.
#include "ControllerTestSupport.h"
#include "common/GraphFileBytes.h"

#include "platform/FormatSettings.h"
#include "platform/ScriptedUiHook.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace plottest;

TEST(PlotController, NextFunctionColorSkipsColoursInUse) {
    auto c = MakeFakeController();
    EXPECT_EQ(c->NextFunctionColor(), 0xFF0000u) << "blue first";
    c->AddFunction(std::make_unique<TColorFunc>(0xFF0000)); // blue in use
    c->Settings().BackColor = 0x0000FF;                     // red is the background
    EXPECT_EQ(c->NextFunctionColor(), 0x008000u) << "green";

    // All fifteen in use (white is the background), twenty functions: entry 20 mod 15.
    c->ClearFunctions();
    c->Settings().BackColor = 0xFFFFFF;
    for (int i = 0; i < 20; ++i)
        c->AddFunction(std::make_unique<TColorFunc>(DefaultFunctionColors[i % 15]));
    EXPECT_EQ(c->NextFunctionColor(), 0x008080u) << "olive";

    c->FuncList.insert(c->FuncList.begin(), nullptr);
    EXPECT_EQ(AssertionOf([&] { c->NextFunctionColor(); }), "nil in FuncList of the fake controller");
}

TEST(PlotController, CanAddFunctionUpTo252) {
    auto c = MakeFakeController();
    for (int i = 0; i < 251; ++i)
        c->AddFunction(std::make_unique<TColorFunc>());
    EXPECT_TRUE(c->CanAddFunction());
    c->AddFunction(std::make_unique<TColorFunc>());
    EXPECT_FALSE(c->CanAddFunction());
}

TEST(ThreadController, PendingObjectsReachTheModelInARun) {
    TEventLog log;
    auto c = MakeFakeController();
    log.Hook(*c);
    c->ViewZoom().ZoomX = 77;
    c->ViewZoom().Changed = true;
    c->Settings().Y.TickLength = 9;
    c->Settings().Changed = true;
    c->AddFunction(std::make_unique<TColorFunc>(0x0000FF));
    c->AddFunction(std::make_unique<TColorFunc>(0x00FF00));
    c->Replot();
    PumpUntilIdle(*c);
    TFakeKindModel& model = c->Model();
    EXPECT_EQ(model.ViewZoom().ZoomX, 77);
    EXPECT_EQ(model.Settings().Y.TickLength, 9);
    EXPECT_FALSE(c->ViewZoom().Changed);
    EXPECT_FALSE(c->Settings().Changed);
    ASSERT_EQ(model.Functions().size(), 2u);
    EXPECT_EQ(static_cast<const TColorFunc&>(*model.Functions()[1]).FuncColor, 0x00FF00u);
    EXPECT_TRUE(c->Modified());
    ASSERT_NE(log.Picture, nullptr);
    EXPECT_EQ(log.Picture->Pixel(1, 1), TFakeKindModel::ViewMark(77)) << "drawn with the new view";

    // An unchanged pending view is not copied again: the model keeps its own.
    model.ViewZoom().ZoomX = 5;
    c->Replot();
    PumpUntilIdle(*c);
    EXPECT_EQ(model.ViewZoom().ZoomX, 5);
}

TEST(ThreadController, ReplotStopsTheLabelWorkerOnlyForBitmapChanges) {
    // A label run is held in its first label. A new view stops only the graph worker; a
    // new size, or a new background colour in the pending settings, stops both before the
    // picture and the buffers take the change.
    struct Case {
        const char* name;
        std::function<void(TFakeController&)> change;
        bool labelsGoOn;
    };
    const std::vector<Case> cases = {
        {"view", [](TFakeController& c) { c.ViewZoom().Changed = true; }, true},
        {"size",
         [](TFakeController& c) {
             c.BmpAttribs().Width = 50;
             c.BmpAttribs().SizeChanged = true;
         },
         false},
        {"background in the settings",
         [](TFakeController& c) {
             c.Settings().BackColor = 0x00ABCDEF;
             c.Settings().Changed = true;
         },
         false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto probe = std::make_shared<TLabelProbe>();
        TGate gate(2s);
        probe->OnDraw = [&](int) { gate.Pass(); };
        auto c = MakeFakeController(1, probe);
        c->RestartLabelThread();
        ASSERT_TRUE(eventually([&] { return gate.Inside(); }));
        k.change(*c);
        bool labelsRanDuringApply = false;
        TSettingBmpAttribsObj seen;
        c->Replot([&] {
            labelsRanDuringApply = c->IsLabelThreadRunning();
            seen = c->BmpAttribs(); // what the picture applies to itself
        });
        EXPECT_EQ(labelsRanDuringApply, k.labelsGoOn);
        gate.Release();
        PumpUntilIdle(*c);
        if (k.name == std::string("background in the settings")) {
            EXPECT_TRUE(seen.BackColorChanged) << "the picture learns of the new colour";
            EXPECT_EQ(seen.BackColor, 0x00ABCDEFu);
            EXPECT_EQ(c->PlotLabelsBuffer().Context().BackgroundColor, 0x00ABCDEFu);
            EXPECT_EQ(c->Model().BackgroundColor(), 0x00ABCDEFu);
        }
    }
}

// ---------------------------------------------------------------------------------------
// The graph file body around a kind's sections

namespace {

using namespace recordtest;

// A controller with something in every section.
std::unique_ptr<TFakeController> filledController() {
    auto c = MakeFakeController();
    c->BmpAttribs().BackColor = 0x00405060; // kept equal to the settings' by every run
    c->BGPicture().Bitmap = MakePicture(6, 5);
    c->BGPicture().Placement = bgTile;
    c->ViewZoom().ZoomX = 12.5L;
    c->Settings().BackColor = 0x00405060;
    c->Settings().Y.TickLength = 9;
    c->AddFunction(std::make_unique<TColorFunc>(0x0000FF));
    c->AddFunction(std::make_unique<TColorFunc>(0x00FF00));
    auto line = std::make_unique<TDrawLine>();
    line->P1 = {1, 2};
    line->P2 = {30, 20};
    c->MasterLabelList().push_back(std::move(line));
    auto fill = std::make_unique<TDrawFloodFill>();
    fill->Location = {5, 5};
    c->MasterLabelList().push_back(std::move(fill));
    return c;
}

Bytes sectionsOf(TFakeController& c) {
    return WrittenBody(GraphKind2D, [&](TWriteGraphFile& w) {
        c.BmpAttribs().WriteToFile(w);
        c.BGPicture().WriteToFile(w);
        c.ViewZoom().WriteToFile(w);
        c.Settings().WriteToFile(w);
        w.WriteInteger(static_cast<int32_t>(c.FuncList.size()));
        for (const auto& f : c.FuncList)
            w.WriteColor(static_cast<const TColorFunc&>(*f).FuncColor);
        WriteLabelList(w, c.MasterLabelList());
    });
}

bool load(TFakeController& c, const std::string& file, int depth = pf32bit) {
    TReadGraphFile reader;
    if (!reader.OpenGraphFile(file, FormatSettings().DecimalSeparator)) return false;
    const bool loaded = c.LoadFromFile(depth, file, reader);
    EXPECT_FALSE(reader.IsFileOpen()) << "the load closes the reader";
    return loaded;
}

} // namespace

TEST(PlotControllerFile, SavesEverySectionInOrderAndLoadsItBack) {
    TScopedScriptedUiHook hook;
    TTempDir dir;
    auto c = filledController();
    c->SetModified();
    ASSERT_TRUE(c->SaveAs(dir.File("g.qxf")));
    const Bytes file = readBytes(dir.File("g.qxf"));
    EXPECT_EQ(BodyOf(file), sectionsOf(*c));
    EXPECT_EQ(file[53], GraphKind2D);

    auto back = std::make_unique<TFakeController>();
    ASSERT_TRUE(load(*back, dir.File("g.qxf"), pf16bit));
    EXPECT_EQ(back->FileName(), dir.File("g.qxf"));
    EXPECT_FALSE(back->Modified());
    EXPECT_EQ(back->BmpAttribs().BackColor, 0x00405060u) << "the settings' colour";
    EXPECT_EQ(back->BmpAttribs().PixelFormat, pf16bit) << "the caller's depth";
    EXPECT_TRUE(back->BmpAttribs().SizeChanged) << "flags stay for the first run";
    EXPECT_EQ(back->ViewZoom().ZoomX, 12.5L);
    EXPECT_EQ(back->FuncList.size(), 2u);
    EXPECT_EQ(back->MasterLabelList().size(), 2u);
    EXPECT_EQ(back->PlotLabelsBuffer().LabelList().size(), 2u) << "the mirror is filled";
    EXPECT_EQ(back->PlotLabelsBuffer().Context().Width, 40);
    EXPECT_TRUE(hook->Messages.empty());

    ASSERT_TRUE(back->SaveAs(dir.File("again.qxf")));
    EXPECT_EQ(readBytes(dir.File("again.qxf")), file);
}

TEST(PlotControllerFile, AFailedSaveLeavesTheOldFileNameAndFlag) {
    TTempDir dir;
    const std::string name = dir.File("g.qxf");
    auto c = filledController();
    {
        TScopedScriptedUiHook hook;
        ASSERT_TRUE(c->SaveAs(name));
    }
    const Bytes before = readBytes(name);
    for (TColor failure : {kFailWriting, kNoMemory}) {
        TScopedScriptedUiHook hook;
        c->AddFunction(std::make_unique<TColorFunc>(failure));
        c->SetModified();
        EXPECT_FALSE(c->SaveAs(dir.File("other.qxf")));
        EXPECT_FALSE(c->Save());
        EXPECT_EQ(c->FileName(), name);
        EXPECT_TRUE(c->Modified());
        EXPECT_EQ(readBytes(name), before);
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"g.qxf"}) << "no new file, no leftover";
        const std::vector<std::string> told(failure == kNoMemory ? 2 : 0, "Error saving file");
        EXPECT_EQ(hook->MessageTexts(), told) << "a failing disk has told the user itself";
        c->FuncList.pop_back();
    }
}

TEST(PlotControllerFile, AFailedLoadLeavesNothingHalfLoaded) {
    TTempDir dir;
    auto c = filledController();
    Bytes body;
    {
        TScopedScriptedUiHook hook;
        ASSERT_TRUE(c->SaveAs(dir.File("g.qxf")));
        body = BodyOf(readBytes(dir.File("g.qxf")));
    }
    // The second function's colour made the one that fails to read; the label count made
    // a count of labels that are not there.
    const Bytes functions = ByteBuilder().I32(2).I32(0x0000FF).I32(0x00FF00).b;
    const auto at = std::search(body.begin(), body.end(), functions.begin(), functions.end()) - body.begin();
    ASSERT_LT(size_t(at), body.size());
    Bytes noMemory = body, tooManyLabels = body;
    noMemory[size_t(at) + 8] = 0x02;
    noMemory[size_t(at) + 9] = 0xAD;
    noMemory[size_t(at) + 10] = 0xDE;
    tooManyLabels[size_t(at) + 12] = 9;
    for (const Bytes* bad : {&noMemory, &tooManyLabels}) {
        TScopedScriptedUiHook hook;
        writeBytes(dir.File("bad.qxf"), graphFile(4, GraphKind2D, *bad));
        hook->AnswerMessage(mrAbort); // a read past the end offers Abort and Retry
        auto back = std::make_unique<TFakeController>();
        EXPECT_FALSE(load(*back, dir.File("bad.qxf")));
        EXPECT_TRUE(back->FuncList.empty());
        EXPECT_TRUE(back->MasterLabelList().empty());
        EXPECT_TRUE(back->PlotLabelsBuffer().LabelList().empty());
        EXPECT_EQ(back->FileName(), "");
        const auto texts = hook->MessageTexts();
        EXPECT_EQ(texts.back(), bad == &noMemory ? "Error loading file" : "Error reading from file");
    }
}
