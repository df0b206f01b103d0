#pragma once
// A controller of a fake graph kind for the controller tests: a fake model with a view and
// settings of its own, fake functions with a colour, a save that does what the test
// wants, and a log of everything the controller fires, in order.

#include "WorkerTestSupport.h"

#include "model/FILESAVE.h"
#include "model/Set2dObj.h"
#include "model/Vw2dObj.h"
#include "plot/PtThList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace plottest {

// The fake model paints pixel (1, 1) in a colour made from its own view zoom, so a test
// sees which view a picture was drawn with.
class TFakeKindModel : public TFakeGraph {
public:
    TFakeKindModel() {
        Body = [](TFakeGraph& g, std::string&) {
            g.FillGraphBmpBackground();
            auto& self = static_cast<TFakeKindModel&>(g);
            g.PlotBitmap().SetPixel(1, 1, ViewMark(self.view_.ZoomX));
        };
    }
    static TColor ViewMark(long double zoomX) { return TColor(static_cast<int>(zoomX)) & 0xFFFFFF; }

    TView2DZoomObj& ViewZoom() { return view_; }
    TSetting2DObj& Settings() { return settings_; }

private:
    TView2DZoomObj view_;
    TSetting2DObj settings_;
};

class TColorFunc : public TBaseFuncObj {
public:
    explicit TColorFunc(TColor color = 0) : FuncColor(color) {}
    TColor FuncColor;
    std::unique_ptr<TSequenceListObj> Clone() const override { return std::make_unique<TColorFunc>(); }
    void Assign(const TSequenceListObj& Source) override {
        FuncColor = SequenceSourceAs<TColorFunc>(Source).FuncColor;
    }
    std::string GetDescription() const override { return "colour function"; }
};

// Colours that make the fake function section fail as a broken disk or a lack of memory
// would, part way through the body.
inline constexpr TColor kFailWriting = 0x00DEAD01;
inline constexpr TColor kNoMemory = 0x00DEAD02;

// A kind whose function section is a count and each function's colour.
class TFakeController : public TPlotThreadKind<TFakeKindModel, TView2DZoomObj, TSetting2DObj> {
public:
    // Replaces the body writer when set.
    std::function<bool(const std::string&)> SaveBody;

    bool SaveToFile(const std::string& FileName) override {
        return SaveBody ? SaveBody(FileName) : TPlotThreadKind::SaveToFile(FileName);
    }
    void GetGraphTypeName(std::string& S) const override { S = "Fake Graph"; }
    bool IsColorAlreadyInUse(TColor Color) const override {
        return ColorInUse(Color, "nil in FuncList of the fake controller",
                          [](const TBaseFuncObj& f, TColor& c) {
                              const auto* func = dynamic_cast<const TColorFunc*>(&f);
                              if (func) c = func->FuncColor;
                              return func != nullptr;
                          });
    }

protected:
    int32_t GraphKind() const override { return GraphKind2D; }
    void WriteFunctions(TWriteGraphFile& Writer) const override {
        Writer.WriteInteger(static_cast<int32_t>(FuncList.size()));
        for (const auto& f : FuncList) {
            const TColor c = static_cast<const TColorFunc&>(*f).FuncColor;
            if (c == kFailWriting) throw EFileSaveError();
            if (c == kNoMemory) throw std::bad_alloc();
            Writer.WriteColor(c);
        }
    }
    void ReadFunctions(TReadGraphFile& Reader) override {
        for (int32_t n = Reader.ReadInteger(); n > 0; --n) {
            const TColor c = Reader.ReadColor();
            if (c == kNoMemory) throw std::bad_alloc();
            AddFunction(std::make_unique<TColorFunc>(c));
        }
    }
};

// Everything a controller fires, in order; worker-side notes (a label painted, a graph
// drawn) go into the same log under its lock.
class TEventLog {
public:
    void Hook(TPlotThread& c) {
        c.OnStart = [this](TPlotThread&) { Add("start"); };
        c.OnEnd = [this](TPlotThread&) { Add("end"); };
        c.OnError = [this](TPlotThread&, const std::string& msg) { Add("error: " + msg); };
        c.OnLabelsBitmap = [this](TBitmap& b) {
            Picture = std::make_unique<TBitmap>(b.Width(), b.Height(), b.PixelFormat());
            CopyBitmap(*Picture, b);
            Add("picture");
        };
    }
    void Add(const std::string& event) {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    std::vector<std::string> Events() {
        std::lock_guard lock(mutex_);
        return events_;
    }
    int Count(const std::string& event) {
        std::lock_guard lock(mutex_);
        return static_cast<int>(std::count(events_.begin(), events_.end(), event));
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        events_.clear();
    }
    std::unique_ptr<TBitmap> Picture; // a copy of the last labelled picture

private:
    std::mutex mutex_;
    std::vector<std::string> events_;
};

// Holds a worker inside a drawing step until released, or until the time is up (so a
// worker told to stop is never held longer than that).
class TGate {
public:
    explicit TGate(std::chrono::milliseconds limit = std::chrono::milliseconds(400)) : limit_(limit) {}
    void Pass() {
        inside_ = true;
        const auto end = std::chrono::steady_clock::now() + limit_;
        while (!released_ && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        inside_ = false;
    }
    void Release() { released_ = true; }
    void Close() { released_ = false; }
    bool Inside() const { return inside_; }

private:
    std::chrono::milliseconds limit_;
    std::atomic<bool> released_{false};
    std::atomic<bool> inside_{false};
};

// A 40 x 30 controller of the fake kind with Labels fake labels in its master list and mirror.
inline std::unique_ptr<TFakeController> MakeFakeController(int labels = 0,
                                                           std::shared_ptr<TLabelProbe> probe = nullptr) {
    auto c = std::make_unique<TFakeController>();
    c->SetBitmapAttributes(pf24bit, 40, 30);
    c->MasterLabelList() = MakeFakeLabels(labels, probe ? probe : std::make_shared<TLabelProbe>());
    c->CopyLabelsToBuffer(-1);
    return c;
}

// Runs the synchronised calls until the controller is idle.
inline void PumpUntilIdle(TPlotThread& c) {
    pumpUntil([&] { return !c.IsBusy(); });
}

} // namespace plottest
