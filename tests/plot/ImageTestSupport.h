#pragma once
// A picture control on a small graph of its own for the picture-control tests: a model
// that draws a black frame and a black middle line (so flood fills have borders), an
// event log of the control's ten events, real mouse gestures through QTest, and the
// fresh redraw of the label list that every finished picture must equal.

#include "WorkerTestSupport.h"
#include "common/BitmapTestSupport.h"
#include "common/DialogTestSupport.h"

#include "labels/DrawObjs.h"
#include "labels/custedit.h"
#include "math/CenterErrorMsgDlg.h"
#include "model/FILESAVE.h"
#include "model/Set2dObj.h"
#include "model/Vw2dObj.h"
#include "platform/Canvas.h"
#include "platform/ScriptedUiHook.h"
#include "plot/PtBuffer.h"
#include "plot/PtImList.h"
#include "plot/PtThList.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace plottest {

inline constexpr TColor kFrameColor = clBlack;

class TImageTestModel : public TPlotGraphFuncList {
public:
    // The next runs fail as a division by zero would.
    std::atomic<bool> Fail{false};

    void DrawGraph(std::string& ErrorText) override {
        ErrorText.clear();
        if (Fail) throw EZeroDivide();
        FillGraphBmpBackground();
        TCanvas& c = PlotBitmap().Canvas();
        c.Pen = TPen{kFrameColor, 1, psSolid, pmCopy};
        c.Brush.Style = bsClear;
        c.Rectangle(0, 0, Width(), Height());
        c.MoveTo(Width() / 2, 0);
        c.LineTo(Width() / 2, Height());
    }
    void BeginIncrementalDraw() override {
        std::string ignored;
        DrawGraph(ignored);
    }
    bool DrawNextIncrement() override { return true; }
    TView2DZoomObj& ViewZoom() { return view_; }
    TSetting2DObj& Settings() { return settings_; }

private:
    TView2DZoomObj view_;
    TSetting2DObj settings_;
};

class TImageTestController : public TPlotThreadKind<TImageTestModel, TView2DZoomObj, TSetting2DObj> {
public:
    ~TImageTestController() override = default;
    using TPlotThreadKind::ClearModified; // as a save would
    void GetGraphTypeName(std::string& S) const override { S = "Test Graph"; }
    bool IsColorAlreadyInUse(TColor) const override { return false; }

protected:
    int32_t GraphKind() const override { return GraphKind2D; }
    void WriteFunctions(TWriteGraphFile& Writer) const override { Writer.WriteInteger(0); }
    void ReadFunctions(TReadGraphFile& Reader) override { Reader.ReadInteger(); }
};

class TTestImageBox : public TPlotImageFuncList {
public:
    TTestImageBox() { SetPlotThread(std::make_unique<TImageTestController>()); }
};

// What the control told its window.
struct TBoxEvents {
    std::vector<TLabelWindowStatus> Statuses;
    int DonePictures = 0, ToolOff = 0, StatusMsgs = 0, RunningStarts = 0, RunningEnds = 0;
    struct TPopup {
        int X, Y;
        bool Editor;
    };
    std::vector<TPopup> Popups;
    TDrawingTool Tool = dtOff;
    bool ResizeMode = false;
    TToolBarAttribClass Attribs;
    // Runs inside the popup event, while its bracket is open.
    std::function<void()> InPopup;

    void Hook(TPlotImageBox& box) {
        box.OnLabelWinStatusChange = [this](QObject*, TLabelWindowStatus s) { Statuses.push_back(s); };
        box.OnDoneDrawing = [this](QObject*) { ++DonePictures; };
        box.OnTurnDrawToolOff = [this](QObject*) {
            ++ToolOff;
            Tool = dtOff;
        };
        box.OnDisplayStatusMsg = [this](QObject*) { ++StatusMsgs; };
        box.OnRunningStart = [this](QObject*) { ++RunningStarts; };
        box.OnRunningEnd = [this](QObject*) { ++RunningEnds; };
        box.OnGetDrawingTool = [this](TDrawingTool& t) { t = Tool; };
        box.OnGetResizeLabelsMode = [this](bool& m) { m = ResizeMode; };
        box.OnGetToolBarAttrib = [this](TToolBarAttribClass*& a) { a = &Attribs; };
        box.OnShowLabelPopupMenu = [this](int x, int y, bool editor) {
            Popups.push_back({x, y, editor});
            if (InPopup) InPopup();
        };
    }
};

// Override cursors still in place; removes them, so that one test's leftover does not
// reach the next.
inline int PopOverrideCursors() {
    int n = 0;
    while (QGuiApplication::overrideCursor()) {
        QGuiApplication::restoreOverrideCursor();
        ++n;
    }
    return n;
}

class ImageBoxTest : public ::testing::Test {
protected:
    static constexpr int W = 200, H = 150;

    void SetUp() override {
        box = std::make_unique<TTestImageBox>();
        events.Hook(*box);
        box->SetBitmapAttributes(pf24bit, W, H);
        box->resize(W + 60, H + 60);
        ASSERT_TRUE(ShowActive(*box));
        box->StartGraphDrawing();
        WaitForPicture();
        events.Statuses.clear();
    }
    void TearDown() override {
        EXPECT_EQ(PopOverrideCursors(), 0) << "an override cursor was left in place";
        if (auto* errorBox = OpenCenterErrorMsgDlg()) errorBox->done(0);
        box.reset();
    }

    TImageTestController& controller() { return static_cast<TImageTestController&>(*box->PlotThread()); }
    TSequenceList<TDrawBaseClass>& labels() { return box->MasterLabelList(); }
    TBitmap& picture() { return box->Image->Picture(); }

    // Runs the workers' deliveries until the controller is idle again.
    void WaitForPicture() {
        pumpUntil([&] { return !box->PlotThread()->IsBusy(); });
    }

    // The graph without labels, as the label worker starts from it, and with every label
    // drawn over it in list order.
    std::unique_ptr<TBitmap> plotted() {
        auto b = std::make_unique<TBitmap>();
        b->Assign(controller().BmpBuffer().Bitmap());
        return b;
    }
    std::unique_ptr<TBitmap> freshRedraw(bool withSelectionHandles = false) {
        auto b = plotted();
        for (const auto& l : labels()) {
            auto copy = l->Clone();
            copy->Assign(*l);
            static_cast<TDrawBaseClass&>(*copy).Draw(*b, box->Context());
        }
        if (withSelectionHandles && box->LabelWindowStatus() == lwLabelSelected) {
            auto copy = box->SelectedLabel()->Clone();
            copy->Assign(*box->SelectedLabel());
            static_cast<TDrawBaseClass&>(*copy).RedrawSelectionHandles(*b, box->Context());
        }
        return b;
    }
    // Pixels where the picture differs from Expected (none is what the tests want).
    int differences(const TBitmap& expected) {
        return static_cast<int>(bitmaptest::ChangedPixels(picture(), expected).size());
    }

    // Real mouse events on the picture, in bitmap pixels.
    void press(int x, int y, Qt::KeyboardModifiers m = Qt::NoModifier, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(box->Image, b, m, QPoint(x, y));
    }
    void moveTo(int x, int y) { QTest::mouseMove(box->Image, QPoint(x, y)); }
    void release(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(box->Image, b, Qt::NoModifier, QPoint(x, y));
    }
    void drag(TPoint from, TPoint to, Qt::KeyboardModifiers m = Qt::NoModifier, int steps = 4) {
        press(from.X, from.Y, m);
        for (int i = 1; i <= steps; ++i)
            moveTo(from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps);
        release(to.X, to.Y);
    }

    // Appends a label to the master list and brings the picture up to date.
    template <class T> T& addLabel(std::unique_ptr<T> label) {
        T& ref = *label;
        labels().push_back(std::move(label));
        box->RedrawLabels(-1);
        WaitForPicture();
        return ref;
    }
    static std::unique_ptr<TDrawLine> line(TPoint a, TPoint b) {
        auto l = std::make_unique<TDrawLine>();
        l->P1 = a;
        l->P2 = b;
        return l;
    }
    static std::unique_ptr<TDrawInclosedShape> rect(TPoint a, TPoint b, uint8_t kind = lkRectangle) {
        auto r = std::make_unique<TDrawInclosedShape>(kind);
        r->P1 = a;
        r->P2 = b;
        return r;
    }
    static std::unique_ptr<TDrawText> text(TPoint at, const std::string& s) {
        auto t = std::make_unique<TDrawText>();
        t->SetText(at, s, nullptr);
        return t;
    }
    static std::unique_ptr<TDrawFloodFill> fill(TPoint at, TColor color) {
        auto f = std::make_unique<TDrawFloodFill>();
        f->Location = at;
        f->FillColor = color;
        return f;
    }

    TScopedScriptedUiHook ui; // made before the box and gone after it
    std::unique_ptr<TTestImageBox> box;
    TBoxEvents events;
};

} // namespace plottest
