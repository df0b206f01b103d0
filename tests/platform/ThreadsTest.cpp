// Thread tests: every suite name starts with "Thread", so they also run in the
// ThreadSanitizer build (./test.sh --tsan). Waits that could deadlock are timed and end
// the program with a failure instead of hanging.
#include "platform/Threads.h"
#include "common/ThreadTestSupport.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Errors.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace std::chrono_literals;
using threadtest::eventually;
using threadtest::finishOrDie;

namespace {

class LambdaThread : public TThread {
public:
    explicit LambdaThread(std::function<void(LambdaThread&)> body) : body_(std::move(body)) {}
    ~LambdaThread() override {
        Terminate();
        WaitFor();
    }

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(LambdaThread&)> body_;
};

} // namespace

TEST(ThreadLifecycle, CreatedSuspendedRunsOnceAndStopsOnRequest) {
    std::atomic<int> runs{0};
    std::atomic<bool> sawStopBeforeStart{false};
    {
        LambdaThread idle([&](LambdaThread&) { ++runs; });
        std::this_thread::sleep_for(5ms);
        EXPECT_EQ(runs.load(), 0);
        EXPECT_FALSE(idle.Started());
        idle.WaitFor(); // nothing to wait for
    }                   // never started: destroyed without running
    EXPECT_EQ(runs.load(), 0);

    LambdaThread loop([&](LambdaThread& self) {
        ++runs;
        while (!self.Terminated())
            std::this_thread::sleep_for(1ms);
    });
    loop.Resume();
    loop.Resume(); // runs once only
    ASSERT_TRUE(eventually([&] { return runs.load() == 1; }));
    EXPECT_FALSE(loop.WaitFor(20ms)); // still looping
    loop.Terminate();
    finishOrDie(loop);
    EXPECT_TRUE(loop.Finished());
    EXPECT_EQ(runs.load(), 1);
    EXPECT_EQ(loop.FatalErrorText(), "");

    LambdaThread early([&](LambdaThread& self) { sawStopBeforeStart = self.Terminated(); });
    early.Terminate();
    early.Resume();
    finishOrDie(early);
    EXPECT_TRUE(sawStopBeforeStart.load());
}

TEST(ThreadLifecycle, ExceptionsInTheBodyAreKeptForTheOwner) {
    LambdaThread overflow([](LambdaThread&) { throw EOverflow(); });
    LambdaThread memory([](LambdaThread&) { throw std::bad_alloc(); });
    LambdaThread assertion([](LambdaThread&) { QX_FAIL("Broken in a worker"); });
    for (LambdaThread* t : {&overflow, &memory, &assertion})
        t->Resume();
    for (LambdaThread* t : {&overflow, &memory, &assertion})
        finishOrDie(*t);
    EXPECT_EQ(overflow.FatalErrorText(), "Floating point over flow error");
    EXPECT_EQ(memory.FatalErrorText(), "Out of memory error");
    EXPECT_EQ(assertion.FatalErrorText(), "Unknown error");
    EXPECT_TRUE(assertion.FatalException());
}

TEST(ThreadLifecycle, AnyThreadMayWaitForAWorker) {
    std::atomic<bool> release{false};
    LambdaThread worker([&](LambdaThread&) {
        while (!release.load())
            std::this_thread::sleep_for(1ms);
    });
    worker.Resume();
    std::atomic<bool> waited{false};
    LambdaThread waiter([&](LambdaThread&) {
        worker.WaitFor();
        waited = true;
    });
    waiter.Resume();
    std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(waited.load());
    release = true;
    finishOrDie(waiter);
    EXPECT_TRUE(waited.load());
    EXPECT_TRUE(worker.Finished());
}

TEST(ThreadSync, WorkerBlockedInSynchronizeFinishesWhileTheGuiThreadWaits) {
    ASSERT_TRUE(IsGuiThread());
    std::thread::id ranOn;
    std::atomic<bool> aboutToSync{false};
    LambdaThread worker([&](LambdaThread&) {
        EXPECT_FALSE(IsGuiThread());
        aboutToSync = true;
        TThread::Synchronize([&] { ranOn = std::this_thread::get_id(); });
    });
    worker.Resume();
    ASSERT_TRUE(eventually([&] { return aboutToSync.load(); }));
    std::this_thread::sleep_for(20ms); // let it block in Synchronize before we wait
    finishOrDie(worker);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_EQ(worker.FatalErrorText(), "");
}

TEST(ThreadSync, WaitingRunsTheCallsOfEveryWorkerInOrder) {
    int counter = 0; // touched only on the GUI thread, through Synchronize
    std::vector<int> order;
    std::vector<std::unique_ptr<LambdaThread>> workers;
    for (int w = 0; w < 4; ++w) {
        workers.push_back(std::make_unique<LambdaThread>([&, w](LambdaThread&) {
            for (int i = 0; i < 50; ++i)
                TThread::Synchronize([&, w, i] {
                    ++counter;
                    if (w == 0) order.push_back(i);
                });
        }));
    }
    for (auto& w : workers)
        w->Resume();
    for (auto& w : workers)
        finishOrDie(*w);
    EXPECT_EQ(counter, 200);
    ASSERT_EQ(order.size(), 50u);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(order[size_t(i)], i);
}

TEST(ThreadSync, TheEventLoopRunsQueuedCallsWithoutAWait) {
    std::atomic<bool> ran{false};
    LambdaThread worker([&](LambdaThread&) { TThread::Synchronize([&] { ran = true; }); });
    worker.Resume();
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!worker.Finished() && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_TRUE(ran.load());
    EXPECT_TRUE(worker.Finished());
    finishOrDie(worker);
    EXPECT_FALSE(CheckSynchronize()); // nothing left in the queue
}

TEST(ThreadSync, ACallThatThrowsRaisesInTheWorker) {
    std::string caught;
    LambdaThread handled([&](LambdaThread&) {
        try {
            TThread::Synchronize([] { throw EZeroDivide(); });
        } catch (...) {
            caught = CurrentWorkerErrorText();
        }
    });
    LambdaThread unhandled([](LambdaThread&) { TThread::Synchronize([] { throw EDivByZero(); }); });
    handled.Resume();
    unhandled.Resume();
    finishOrDie(handled);
    finishOrDie(unhandled);
    EXPECT_EQ(caught, "Floating point divide-by-zero error");
    EXPECT_EQ(unhandled.FatalErrorText(), "Integer divide-by-zero error");
}

TEST(ThreadSync, ASynchronizedCallMayStopAndWaitForAnotherWorker) {
    // The shape of a controller's completion handler: the first worker's last call
    // waits for a second worker, which is itself blocked in Synchronize.
    std::atomic<bool> secondBlocked{false};
    bool secondRan = false;
    std::unique_ptr<LambdaThread> second;
    LambdaThread first([&](LambdaThread&) {
        TThread::Synchronize([&] {
            second = std::make_unique<LambdaThread>([&](LambdaThread&) {
                secondBlocked = true;
                TThread::Synchronize([&] { secondRan = true; });
            });
            second->Resume();
            EXPECT_TRUE(eventually([&] { return secondBlocked.load(); }));
            second->Terminate();
            finishOrDie(*second);
        });
    });
    first.Resume();
    finishOrDie(first);
    EXPECT_TRUE(secondRan);
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->Finished());
}

TEST(ThreadLocks, CriticalSectionSerialisesAndReenters) {
    TCriticalSection lock;
    int counter = 0;
    std::vector<std::unique_ptr<LambdaThread>> workers;
    for (int w = 0; w < 4; ++w) {
        workers.push_back(std::make_unique<LambdaThread>([&](LambdaThread&) {
            for (int i = 0; i < 5000; ++i) {
                lock.Enter();
                lock.Enter(); // re-entrant
                ++counter;
                lock.Leave();
                lock.Leave();
            }
        }));
    }
    for (auto& w : workers)
        w->Resume();
    for (auto& w : workers)
        finishOrDie(*w);
    EXPECT_EQ(counter, 20000);

    std::lock_guard held(lock);
    std::atomic<int> tried{-1};
    LambdaThread other([&](LambdaThread&) { tried = lock.TryEnter() ? 1 : 0; });
    other.Resume();
    finishOrDie(other);
    EXPECT_EQ(tried.load(), 0);
    EXPECT_TRUE(lock.TryEnter()); // the holder itself may
    lock.Leave();
}

TEST(ThreadEvent, AutoResetLetsOneWaitThroughPerSignal) {
    TAutoResetEvent event;
    EXPECT_EQ(event.WaitFor(0ms), wrTimeout);
    event.SetEvent();
    event.SetEvent(); // still one signal
    EXPECT_EQ(event.WaitFor(0ms), wrSignaled);
    EXPECT_EQ(event.WaitFor(5ms), wrTimeout);
    event.SetEvent();
    event.ResetEvent();
    EXPECT_EQ(event.WaitFor(0ms), wrTimeout);
    TAutoResetEvent preset(true);
    EXPECT_EQ(preset.WaitFor(), wrSignaled);

    std::atomic<int> result{-1};
    LambdaThread waiter([&](LambdaThread&) { result = event.WaitFor(20s); });
    waiter.Resume();
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(result.load(), -1);
    event.SetEvent();
    finishOrDie(waiter);
    EXPECT_EQ(result.load(), int(wrSignaled));
}

TEST(ThreadCanvas, LargeFloodFillOnAWorkerCompletes) {
    // A serpentine maze makes the fill's path as long as the picture: a recursive fill
    // would need millions of stack frames on the worker's stack.
    bool ok = false;
    TColor corner = 0, far = 0, wall = 0;
    LambdaThread worker([&](LambdaThread&) {
        TBitmap b(2000, 2000, pf24bit);
        TCanvas& c = b.Canvas();
        for (int x = 2; x < 2000; x += 2) {
            c.MoveTo(x, (x / 2) % 2 ? 0 : 1);
            c.LineTo(x, (x / 2) % 2 ? 1999 : 2000);
        }
        c.Brush.Color = clBlue;
        ok = c.FloodFill(0, 0, clWhite, fsSurface);
        corner = b.Pixel(1, 1999);
        far = b.Pixel(1999, 1000);
        wall = b.Pixel(2, 500);
    });
    worker.Resume();
    finishOrDie(worker, 120s);
    EXPECT_EQ(worker.FatalErrorText(), "");
    EXPECT_TRUE(ok);
    EXPECT_EQ(corner, clBlue);
    EXPECT_EQ(far, clBlue);
    EXPECT_EQ(wall, clBlack);
}

TEST(ThreadCanvas, WorkersDrawUnderTheCanvasLock) {
    TBitmap shared(200, 120, pf32bit), snapshot(200, 120, pf32bit);
    std::vector<std::unique_ptr<LambdaThread>> workers;
    for (int w = 0; w < 2; ++w) {
        workers.push_back(std::make_unique<LambdaThread>([&, w](LambdaThread&) {
            for (int i = 0; i < 40; ++i) {
                std::lock_guard lock(shared.Canvas());
                TCanvas& c = shared.Canvas();
                c.Pen.Color = w ? clRed : clBlue;
                c.Pen.Mode = pmCopy;
                c.MoveTo(w * 100, i * 3);
                c.LineTo(w * 100 + 99, i * 3);
                c.Font.Color = c.Pen.Color;
                c.Brush.Style = bsClear;
                c.TextOut(w * 100 + 5, 100, "Ab");
            }
        }));
    }
    for (auto& w : workers)
        w->Resume();
    for (int i = 0; i < 20; ++i)
        CopyBitmap(snapshot, shared); // the GUI thread reads meanwhile
    for (auto& w : workers)
        finishOrDie(*w);
    CopyBitmap(snapshot, shared);
    EXPECT_EQ(snapshot.Pixel(50, 117), clBlue);
    EXPECT_EQ(snapshot.Pixel(150, 117), clRed);
}

TEST(ThreadCanvas, CopyBitmapLocksTheSourceFirst) {
    TBitmap source(50, 50), dest(50, 50);
    source.SetPixel(7, 7, clRed);
    std::atomic<bool> destHeld{false}, releaseDest{false}, sourceSeenLocked{false};
    LambdaThread holder([&](LambdaThread&) {
        std::unique_lock lock(dest);
        destHeld = true;
        // The copier takes the source and then blocks on the destination we hold.
        sourceSeenLocked = eventually([&] {
            if (source.try_lock()) {
                source.unlock();
                return false;
            }
            return true;
        });
        while (!releaseDest.load())
            std::this_thread::sleep_for(1ms);
    });
    holder.Resume();
    ASSERT_TRUE(eventually([&] { return destHeld.load(); }));
    LambdaThread copier([&](LambdaThread&) { CopyBitmap(dest, source); });
    copier.Resume();
    const bool seen = eventually([&] { return sourceSeenLocked.load(); });
    EXPECT_FALSE(copier.Finished());
    releaseDest = true;
    EXPECT_TRUE(seen);
    finishOrDie(copier);
    finishOrDie(holder);
    EXPECT_EQ(dest.Pixel(7, 7), clRed);
}
