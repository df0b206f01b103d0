// The controller's function-list level and the kind template on a fake model: default
// colours, the function limit, the pending objects moved into the model, and which
// workers a replot stops.
#include "ControllerTestSupport.h"

#include <gtest/gtest.h>

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
