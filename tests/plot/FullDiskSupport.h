#pragma once
// A disk that fills up: while the object lives, writes that would make a file of this
// process larger than the limit fail (EFBIG), part way through, as on a full disk.

#include <csignal>
#include <sys/resource.h>

namespace plottest {

class TFullDisk {
public:
    explicit TFullDisk(rlim_t bytesLeft) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead of ending us
        rlimit limited = saved_;
        limited.rlim_cur = bytesLeft;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~TFullDisk() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    TFullDisk(const TFullDisk&) = delete;
    TFullDisk& operator=(const TFullDisk&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace plottest
