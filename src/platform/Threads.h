#pragma once
// Worker threads, synchronised calls into the GUI thread, critical sections and
// auto-reset events.
//
// TThread: derive, override Execute, create (the thread is created suspended), set what
// the worker borrows, then Resume. Execute polls Terminated() to stop early. Everything
// Execute throws is caught and kept (FatalException), so a body never ends the process.
//
// Synchronize(call) runs `call` on the GUI thread and blocks the calling worker until it
// has run; an exception thrown by the call is re-thrown in the worker. The GUI thread
// runs the queued calls when Qt's event loop delivers the wake-up that Synchronize posts,
// and also whenever it sits in WaitFor: waiting for a worker on the GUI thread keeps
// running every worker's synchronised calls, so a worker blocked in Synchronize can
// always finish. Nothing here processes other events while waiting.
//
// Ownership: the owner keeps the worker (e.g. in a std::unique_ptr), asks it to stop with
// Terminate, waits with WaitFor and only then frees it or anything it borrowed. A
// controller that reacts to a worker's last synchronised call takes the worker out of
// its field first and joins it later; a worker never frees itself. A class derived from
// TThread whose Execute uses its own members must Terminate and WaitFor in its own
// destructor (the base destructor does so too, but by then the derived part is gone).

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// True on the thread that runs the program's main (the GUI thread).
bool IsGuiThread();

// Runs every queued synchronised call; on the GUI thread only (elsewhere it does nothing).
// Returns whether any call ran.
bool CheckSynchronize();

class TThread {
public:
    TThread();
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Starts Execute on a thread of its own. Only the first call starts it; a worker runs
    // once.
    void Resume();
    // Asks Execute to stop; it sees Terminated() and returns at its next check.
    void Terminate() { terminated_.store(true); }
    bool Terminated() const { return terminated_.load(); }

    // Waits until Execute has returned (at once for a worker that was never resumed);
    // on the GUI thread it runs the queued synchronised calls meanwhile. The timed form
    // returns false when the worker is still running after `timeout`.
    void WaitFor();
    bool WaitFor(std::chrono::milliseconds timeout);

    bool Started() const { return started_.load(); }
    bool Finished() const;

    // What Execute threw, if anything, and its fixed worker message ("" when nothing).
    // Read them after WaitFor.
    std::exception_ptr FatalException() const { return fatal_; }
    std::string FatalErrorText() const;

    // Runs `call` on the GUI thread and waits for it (directly when called there).
    static void Synchronize(const std::function<void()>& call);

protected:
    virtual void Execute() = 0;

private:
    void run();
    bool waitUntil(const std::chrono::steady_clock::time_point* deadline);

    std::thread thread_;
    std::mutex joinMutex_;
    std::atomic<bool> started_{false};
    std::atomic<bool> terminated_{false};
    bool finished_ = false; // guarded by the synchronisation queue's mutex
    std::exception_ptr fatal_;
};

// A re-entrant lock: the thread that holds it may enter again (as often as it leaves).
class TCriticalSection {
public:
    void Enter() { mutex_.lock(); }
    void Leave() { mutex_.unlock(); }
    bool TryEnter() { return mutex_.try_lock(); }
    // BasicLockable, for std::lock_guard and std::scoped_lock.
    void lock() { Enter(); }
    void unlock() { Leave(); }
    bool try_lock() { return TryEnter(); }

private:
    std::recursive_mutex mutex_;
};

enum TWaitResult { wrSignaled, wrTimeout };

// An event that lets exactly one wait through per SetEvent and then resets itself; a
// SetEvent with nobody waiting stays signalled until the next wait.
class TAutoResetEvent {
public:
    explicit TAutoResetEvent(bool initiallySignaled = false) : signaled_(initiallySignaled) {}

    void SetEvent();
    void ResetEvent();
    TWaitResult WaitFor();
    TWaitResult WaitFor(std::chrono::milliseconds timeout);

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool signaled_;
};
