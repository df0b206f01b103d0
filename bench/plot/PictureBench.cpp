// Dragging a label in the picture control of a 2000 x 2000 graph that holds 2000 labels:
// the cost of one mouse move on the GUI thread, from the mouse event to the repainted
// screen area (the label's not-xor outline moves; nothing else is drawn again). The first
// move of a drag, which also restarts the label worker without the dragged label, is
// timed once and reported as FirstMoveMs.
#include "labels/DrawObjs.h"
#include "plot/Imag2d.h"
#include "plot/PtThread.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <thread>
#include <vector>

namespace {

constexpr int kSize = 2000;
constexpr int kLabels = 2000;

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// 2000 labels of every kind spread over the picture; the dragged one is added last.
void addLabels(TSequenceList<TDrawBaseClass>& list) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> pos(0, kSize - 1), len(5, 150);
    for (int i = 0; i < kLabels - 1; ++i) {
        const TPoint a{pos(rng), pos(rng)}, b{a.X + len(rng), a.Y + len(rng)};
        switch (i % 5) {
        case 0: {
            auto l = std::make_unique<TDrawLine>();
            l->P1 = a;
            l->P2 = b;
            list.push_back(std::move(l));
            break;
        }
        case 1:
        case 2: {
            auto r = std::make_unique<TDrawInclosedShape>(i % 2 ? lkRectangle : lkEllipse);
            r->P1 = a;
            r->P2 = b;
            list.push_back(std::move(r));
            break;
        }
        case 3: {
            auto t = std::make_unique<TDrawText>();
            t->SetText(a, "Label", nullptr);
            list.push_back(std::move(t));
            break;
        }
        default: {
            auto f = std::make_unique<TDrawFreeHand>();
            f->BeginCurve(a.X, a.Y);
            for (int k = 1; k < 200; ++k)
                f->AddPoint(a.X + k / 2, a.Y + (k % 17));
            list.push_back(std::move(f));
            break;
        }
        }
    }
}

std::unique_ptr<TDrawBaseClass> draggedLabel(int kind) {
    if (kind == 0) {
        auto r = std::make_unique<TDrawInclosedShape>(lkRectangle);
        r->P1 = {900, 900};
        r->P2 = {1100, 1050};
        return r;
    }
    if (kind == 1) {
        auto f = std::make_unique<TDrawFreeHand>(); // a long curve: 1000 points
        f->BeginCurve(900, 900);
        for (int k = 1; k < 1000; ++k)
            f->AddPoint(900 + k / 4, 900 + (k * 7) % 150);
        return f;
    }
    auto t = std::make_unique<TDrawText>();
    t->SetText({900, 900}, "A text label being dragged", nullptr);
    return t;
}

// A mouse event as the window system delivers it to the picture.
void sendMouse(QWidget* image, QEvent::Type type, QPoint pos, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), QPointF(image->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(image, &event);
}

void pumpUntilIdle(TPlotImageBox& box) {
    const auto end = Clock::now() + std::chrono::seconds(60);
    while (box.PlotThread()->IsBusy() && Clock::now() < end) {
        QApplication::processEvents();
        if (!CheckSynchronize()) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

// Arguments: 0 a rectangle, 1 a free hand of 1000 points, 2 a text.
void BM_LabelDragMove(benchmark::State& state) {
    TImage2D box;
    box.SetBitmapAttributes(pf24bit, kSize, kSize);
    addLabels(box.MasterLabelList());
    box.MasterLabelList().push_back(draggedLabel(int(state.range(0))));
    box.resize(1200, 900);
    box.show();
    box.CenterBitmap();
    box.RedrawLabels(-1);
    box.StartGraphDrawing();
    pumpUntilIdle(box);

    // The dragged label is the last one: grab it on its first point, where nothing lies above it.
    TPoint at{900, 900};
    sendMouse(box.Image, QEvent::MouseButtonPress, QPoint(at.X, at.Y), Qt::LeftButton);
    const auto first = Clock::now();
    sendMouse(box.Image, QEvent::MouseMove, QPoint(at.X + 1, at.Y + 1), Qt::LeftButton);
    QApplication::processEvents();
    const double firstMoveMs = msSince(first);
    pumpUntilIdle(box); // the picture without the dragged label arrives once

    std::vector<double> times;
    times.reserve(100000);
    int step = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        ++step;
        const int dx = (step % 200) < 100 ? step % 100 : 100 - step % 100;
        sendMouse(box.Image, QEvent::MouseMove, QPoint(at.X + 2 + dx, at.Y + 2 + dx / 2), Qt::LeftButton);
        QApplication::processEvents(); // the damaged area is painted and flushed
        times.push_back(msSince(start));
    }
    sendMouse(box.Image, QEvent::MouseButtonRelease, QPoint(at.X, at.Y), Qt::NoButton);
    pumpUntilIdle(box);
    if (box.LabelWindowStatus() != lwLabelSelected) state.SkipWithError("the drag did not run");

    std::sort(times.begin(), times.end());
    state.counters["FirstMoveMs"] = firstMoveMs;
    state.counters["MedianMs"] = times[times.size() / 2];
    state.counters["P99Ms"] = times[times.size() * 99 / 100];
    state.counters["MaxMs"] = times.back();
}
BENCHMARK(BM_LabelDragMove)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(2000);

} // namespace
