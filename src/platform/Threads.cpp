#include "platform/Threads.h"

#include "platform/Errors.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <deque>

namespace {

// Set while static objects are made, which happens on the thread that runs main.
const std::thread::id kGuiThread = std::this_thread::get_id();

struct SyncCall {
    const std::function<void()>* call;
    bool done = false;
    std::exception_ptr error;
};

// One queue of synchronised calls for the whole process. Its condition variable also
// announces finished workers, so that a GUI thread in WaitFor wakes for either.
struct SyncQueue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<SyncCall*> calls;
};

SyncQueue& syncQueue() {
    static SyncQueue queue;
    return queue;
}

} // namespace

bool IsGuiThread() {
    return std::this_thread::get_id() == kGuiThread;
}

bool CheckSynchronize() {
    if (!IsGuiThread()) return false;
    SyncQueue& q = syncQueue();
    bool ran = false;
    for (;;) {
        SyncCall* call;
        {
            std::lock_guard lock(q.mutex);
            if (q.calls.empty()) break;
            call = q.calls.front();
            q.calls.pop_front();
        }
        std::exception_ptr error;
        try {
            (*call->call)();
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard lock(q.mutex);
            call->error = error;
            call->done = true;
        }
        q.changed.notify_all();
        ran = true;
    }
    return ran;
}

void TThread::Synchronize(const std::function<void()>& call) {
    if (IsGuiThread()) {
        call();
        return;
    }
    SyncQueue& q = syncQueue();
    SyncCall entry{&call, false, {}};
    {
        std::lock_guard lock(q.mutex);
        q.calls.push_back(&entry);
    }
    q.changed.notify_all();
    // Wake the GUI thread's event loop; a GUI thread that waits in WaitFor has already
    // been woken through the condition variable.
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            app, [] { CheckSynchronize(); }, Qt::QueuedConnection);
    std::unique_lock lock(q.mutex);
    q.changed.wait(lock, [&] { return entry.done; });
    if (entry.error) std::rethrow_exception(entry.error);
}

TThread::TThread() = default;

TThread::~TThread() {
    if (!started_.load()) return;
    Terminate();
    WaitFor();
}

void TThread::Resume() {
    if (started_.exchange(true)) return;
    thread_ = std::thread([this] { run(); });
}

void TThread::run() {
    try {
        Execute();
    } catch (...) {
        fatal_ = std::current_exception();
    }
    SyncQueue& q = syncQueue();
    {
        std::lock_guard lock(q.mutex);
        finished_ = true;
    }
    q.changed.notify_all();
}

bool TThread::Finished() const {
    std::lock_guard lock(syncQueue().mutex);
    return finished_;
}

bool TThread::waitUntil(const std::chrono::steady_clock::time_point* deadline) {
    if (!started_.load()) return true;
    if (std::this_thread::get_id() == thread_.get_id())
        QX_FAIL("A thread cannot wait for itself in TThread.WaitFor");
    const bool gui = IsGuiThread();
    SyncQueue& q = syncQueue();
    {
        std::unique_lock lock(q.mutex);
        while (!finished_) {
            if (gui && !q.calls.empty()) {
                lock.unlock();
                CheckSynchronize();
                lock.lock();
                continue;
            }
            if (deadline) {
                if (q.changed.wait_until(lock, *deadline) == std::cv_status::timeout && !finished_ &&
                    !(gui && !q.calls.empty()))
                    return false;
            } else {
                q.changed.wait(lock);
            }
        }
    }
    std::lock_guard join(joinMutex_);
    if (thread_.joinable()) thread_.join();
    return true;
}

void TThread::WaitFor() {
    waitUntil(nullptr);
}

bool TThread::WaitFor(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    return waitUntil(&deadline);
}

std::string TThread::FatalErrorText() const {
    return fatal_ ? WorkerErrorText(fatal_) : std::string();
}

// ---------------------------------------------------------------------------------------

void TAutoResetEvent::SetEvent() {
    {
        std::lock_guard lock(mutex_);
        signaled_ = true;
    }
    cv_.notify_one();
}

void TAutoResetEvent::ResetEvent() {
    std::lock_guard lock(mutex_);
    signaled_ = false;
}

TWaitResult TAutoResetEvent::WaitFor() {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [&] { return signaled_; });
    signaled_ = false;
    return wrSignaled;
}

TWaitResult TAutoResetEvent::WaitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!cv_.wait_for(lock, timeout, [&] { return signaled_; })) return wrTimeout;
    signaled_ = false;
    return wrSignaled;
}
