// Controllers of every graph kind with their real renderers, driven through thousands of
// random replots, label redraws, setting changes, stops and destructions while their
// workers run. Every picture that reaches the window is checked: it is the whole picture
// of one applied background colour, never older than one delivered before, and it shows
// the labels as they were last set. At the end each graph settles on exactly the picture a
// fresh controller draws from the same settings.
#include "ControllerTestSupport.h"

#include "model/RecordValues.h"
#include "model/func2d.h"
#include "model/func3dobj.h"
#include "model/funcpolr.h"
#include "platform/ScriptedUiHook.h"
#include "plot/PtTh2d.h"
#include "plot/PtTh3d.h"
#include "plot/PtThPolr.h"

#include <gtest/gtest.h>

#include <random>

using namespace plottest;

namespace {

constexpr int kWidth = 120, kHeight = 90;
constexpr TColor kBackBase = 0x00100000;  // background colour of generation g: kBackBase + g
constexpr TColor kLabelBase = 0x00200000; // brush of the marker label of label generation g
const TPoint kMarkerPixel{97, 77};        // inside the marker label

bool isBackground(TColor c) {
    return (c & 0xFFFF0000) == kBackBase;
}

// What a controller of one kind is made of; the same state always gives the same picture.
struct TGraphState {
    uint32_t Generation = 1;
    uint32_t LabelGeneration = 1;
    int View = 0;
};

struct TKind {
    const char* Name;
    std::function<std::unique_ptr<TPlotThreadFuncList>()> Make; // with its functions
    std::function<void(TPlotThreadFuncList&, TColor)> SetBackColor;
    std::function<void(TPlotThreadFuncList&, int)> SetView;
};

const std::vector<TKind>& kinds() {
    static const std::vector<TKind> all = {
        {"2D",
         [] {
             auto c = std::make_unique<TPlotThread2D>();
             c->AddFunction(CompiledFunction<TFunc2DObj>("X^3/10", 0x0000FF));
             c->AddFunction(CompiledFunction<TFunc2DObj>("SIN(X)", 0x008000));
             return std::unique_ptr<TPlotThreadFuncList>(std::move(c));
         },
         [](TPlotThreadFuncList& c, TColor color) {
             auto& k = static_cast<TPlotThread2D&>(c);
             k.Settings().BackColor = color;
             k.Settings().Changed = true;
         },
         [](TPlotThreadFuncList& c, int view) {
             auto& k = static_cast<TPlotThread2D&>(c);
             k.ViewZoom().ZoomX = 30 + view % 11;
             k.ViewZoom().Changed = true;
         }},
        {"polar",
         [] {
             auto c = std::make_unique<TPlotThreadPolar>();
             auto f = CompiledFunction<TFuncPolarObj>("1+THETA/20", 0x0000FF);
             f->Samples = 300;
             c->AddFunction(std::move(f));
             return std::unique_ptr<TPlotThreadFuncList>(std::move(c));
         },
         [](TPlotThreadFuncList& c, TColor color) {
             auto& k = static_cast<TPlotThreadPolar&>(c);
             k.Settings().BackColor = color;
             k.Settings().Changed = true;
         },
         [](TPlotThreadFuncList& c, int view) {
             auto& k = static_cast<TPlotThreadPolar&>(c);
             k.ViewZoom().Zoom = 25 + view % 11;
             k.ViewZoom().Changed = true;
         }},
        {"3D",
         [] {
             auto c = std::make_unique<TPlotThread3D>();
             auto s = std::make_unique<TFunc3DObj>();
             s->Func->SetExpression("X*Y");
             s->Func->CompileMathFunc();
             s->Var1Lines = s->Var2Lines = 6;
             s->Var1Detail = s->Var2Detail = 2;
             s->FuncColor = 0x0000FF;
             c->AddFunction(std::move(s));
             return std::unique_ptr<TPlotThreadFuncList>(std::move(c));
         },
         [](TPlotThreadFuncList& c, TColor color) {
             auto& k = static_cast<TPlotThread3D&>(c);
             k.Settings().BackColor = color;
             k.Settings().Changed = true;
         },
         [](TPlotThreadFuncList& c, int view) {
             auto& k = static_cast<TPlotThread3D&>(c);
             k.ViewZoom().RotationX = 20 + view % 40;
             k.ViewZoom().RotationZ = view % 30;
             k.ViewZoom().Zoom = 15 + view % 6;
             k.ViewZoom().Changed = true;
         }},
    };
    return all;
}

std::unique_ptr<TDrawInclosedShape> markerLabel(uint32_t labelGeneration) {
    auto marker = std::make_unique<TDrawInclosedShape>(lkRectangle);
    marker->P1 = {90, 70};
    marker->P2 = {105, 85};
    marker->PenColor = marker->BrushColor = kLabelBase + labelGeneration;
    marker->BrushStyle = 0;
    return marker;
}

// One graph of one kind under test: its controller (re-made after every destruction), the
// state last applied, and what its pictures showed.
struct TSlot {
    const TKind* Kind = nullptr;
    std::unique_ptr<TPlotThreadFuncList> C;
    TGraphState State;
    int Instance = 0;
    uint32_t DeliveredGeneration = 0; // of the newest picture the current instance delivered
    int Pictures = 0;
    int BlankPictures = 0; // a label run before the first graph run of an instance ended
    std::unique_ptr<TBitmap> Last;
};

// The controller of a state, wired to Check; its first run is started.
std::unique_ptr<TPlotThreadFuncList> makeController(const TKind& kind, const TGraphState& state,
                                                    const std::function<void(TBitmap&)>& onPicture) {
    auto c = kind.Make();
    c->SetBitmapAttributes(pf32bit, kWidth, kHeight);
    kind.SetBackColor(*c, kBackBase + state.Generation);
    kind.SetView(*c, state.View);
    c->MasterLabelList().push_back(markerLabel(state.LabelGeneration));
    auto line = std::make_unique<TDrawLine>();
    line->P1 = {5, 80};
    line->P2 = {60, 85};
    c->MasterLabelList().push_back(std::move(line));
    c->CopyLabelsToBuffer(-1);
    c->OnLabelsBitmap = onPicture;
    c->OnError = [&kind](TPlotThread&, const std::string& msg) {
        ADD_FAILURE() << kind.Name << " reported " << msg;
    };
    c->Replot();
    return c;
}

void checkPicture(TSlot& s, TBitmap& b) {
    ++s.Pictures;
    const TColor back = b.Pixel(0, 0);
    EXPECT_EQ(b.Pixel(kMarkerPixel.X, kMarkerPixel.Y), kLabelBase + s.State.LabelGeneration)
        << s.Kind->Name << ": the labels as they were last set";
    if (!isBackground(back)) {
        // Labels over the hand-over buffer before the instance's first graph run ended.
        EXPECT_EQ(s.DeliveredGeneration, 0u) << s.Kind->Name << ": a picture without a background";
        ++s.BlankPictures;
        return;
    }
    const uint32_t generation = back - kBackBase;
    EXPECT_LE(generation, s.State.Generation) << s.Kind->Name << ": a colour never applied";
    EXPECT_GE(generation, s.DeliveredGeneration) << s.Kind->Name << ": an older picture after a newer one";
    s.DeliveredGeneration = generation;
    int torn = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = b.Pixel(x, y);
            torn += isBackground(c) && c != back;
        }
    EXPECT_EQ(torn, 0) << s.Kind->Name << ": pixels of another background colour";
    s.Last = std::make_unique<TBitmap>(b.Width(), b.Height(), b.PixelFormat());
    CopyBitmap(*s.Last, b);
}

void remake(TSlot& s) {
    s.C.reset(); // stops and waits for its workers first
    ++s.Instance;
    s.DeliveredGeneration = 0;
    s.C = makeController(*s.Kind, s.State, [&s](TBitmap& b) { checkPicture(s, b); });
}

void service(std::mt19937& rng) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::microseconds(rng() % 1500);
    while (std::chrono::steady_clock::now() < end)
        if (!CheckSynchronize()) std::this_thread::sleep_for(std::chrono::microseconds(50));
}

void randomStep(TSlot& s, std::mt19937& rng) {
    TPlotThreadFuncList& c = *s.C;
    switch (rng() % 20) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4: // a new background colour, which stops both workers
        s.Kind->SetBackColor(c, kBackBase + ++s.State.Generation);
        c.Replot();
        break;
    case 5:
    case 6:
    case 7: // a new view: the label worker may go on
        s.Kind->SetView(c, ++s.State.View);
        c.Replot();
        break;
    case 8:
    case 9:
    case 10:
    case 11: { // a label edit
        c.StopLabelThreadAndWait();
        auto& marker = static_cast<TDrawInclosedShape&>(*c.MasterLabelList()[0]);
        marker.BrushColor = marker.PenColor = kLabelBase + ++s.State.LabelGeneration;
        marker.Modified = true;
        c.CopyLabelsToBuffer(-1);
        c.RestartLabelThread();
        break;
    }
    case 12:
        c.StopDrawingAndWait();
        break;
    case 13:
        c.SignalStopDrawing();
        break;
    case 14:
        c.StopGraphDrawingAndWait();
        break;
    case 15:
        c.StopLabelThreadAndWait();
        break;
    case 16:
        c.StartGraphDrawing();
        break;
    case 17:
        c.RequestLabelRedraw();
        break;
    default: // gone at whatever moment its workers are in, and made again
        remake(s);
    }
}

// Lets the graph settle on the state: a last replot, then every run to its end.
void settle(TSlot& s) {
    s.C->Replot();
    pumpUntil([&] { return !s.C->IsBusy(); });
}

} // namespace

TEST(ThreadControllerStress, RandomRunsOfEveryKindDeliverOnlyPicturesOfAppliedSettings) {
    threadtest::TWatchdog watchdog(std::chrono::seconds(600), "The controller stress test");
    TScopedScriptedUiHook hook;
    std::vector<TSlot> graphs(kinds().size());
    for (size_t i = 0; i < graphs.size(); ++i) {
        graphs[i].Kind = &kinds()[i];
        remake(graphs[i]);
    }
    std::mt19937 rng(1616);
    constexpr int kSteps = 2400;
    for (int step = 0; step < kSteps && !HasFailure(); ++step) {
        randomStep(graphs[rng() % graphs.size()], rng);
        service(rng);
    }
    for (TSlot& s : graphs) {
        SCOPED_TRACE(s.Kind->Name);
        settle(s);
        ASSERT_NE(s.Last, nullptr);
        EXPECT_EQ(s.DeliveredGeneration, s.State.Generation) << "the last colour applied";
        // A fresh controller from the same state draws the very same picture.
        TSlot reference;
        reference.Kind = s.Kind;
        reference.State = s.State;
        remake(reference);
        pumpUntil([&] { return !reference.C->IsBusy() && reference.Last; });
        EXPECT_EQ(CountMismatches(*s.Last, [&](int x, int y) { return reference.Last->Pixel(x, y); }), 0);
        std::printf("%s: %d instances, %d pictures (%d before a first graph run)\n", s.Kind->Name, s.Instance,
                    s.Pictures, s.BlankPictures);
    }
    EXPECT_TRUE(hook->Messages.empty()) << hook->LastMessage();
}
