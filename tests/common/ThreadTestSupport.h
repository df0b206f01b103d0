#pragma once
// Timed waits for the thread tests: a wait that never ends is a deadlock, and it must fail
// the test program instead of hanging it.

#include "platform/Threads.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace threadtest {

using namespace std::chrono_literals;

// Waits for the worker; after the limit the program ends with a failure (a test cannot go
// on with a worker it cannot stop).
inline void finishOrDie(TThread& t, std::chrono::milliseconds limit = 30s) {
    if (t.WaitFor(limit)) return;
    ADD_FAILURE() << "worker still running after the time limit (deadlock?)";
    std::fprintf(stderr, "Deadlock in a thread test; ending the test program.\n");
    std::fflush(stderr);
    std::_Exit(1);
}

// Polls Pred every millisecond; false when it is still false after the limit.
template <typename Pred> bool eventually(Pred pred, std::chrono::milliseconds limit = 10s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

} // namespace threadtest

namespace threadtest {

// Ends the test program with a failure when it is still alive after the limit: for tests
// whose waits are inside the code under test and cannot take a time limit themselves.
class TWatchdog {
public:
    explicit TWatchdog(std::chrono::seconds limit, const char* what) : what_(what) {
        thread_ = std::thread([this, limit] {
            std::unique_lock lock(mutex_);
            if (cv_.wait_for(lock, limit, [this] { return done_; })) return;
            std::fprintf(stderr,
                         "%s still running after the time limit (deadlock?); ending the test program.\n",
                         what_);
            std::fflush(stderr);
            std::_Exit(1);
        });
    }
    ~TWatchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        cv_.notify_all();
        thread_.join();
    }
    TWatchdog(const TWatchdog&) = delete;
    TWatchdog& operator=(const TWatchdog&) = delete;

private:
    const char* what_;
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false;
    std::thread thread_;
};

} // namespace threadtest
