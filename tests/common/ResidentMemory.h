#pragma once
// How much memory a piece of work made resident, from the kernel's accounting of this
// process: the high-water mark of resident memory is reset before the work, so nothing
// that ran earlier hides what the work took.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace memtest {

// A "Name:   123 kB" line of /proc/self/status in bytes; -1 when there is none.
inline int64_t StatusBytes(const std::string& name) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(name + ":", 0) != 0) continue;
        int64_t kb = -1;
        std::istringstream(line.substr(name.size() + 1)) >> kb;
        return kb < 0 ? -1 : kb * 1024;
    }
    return -1;
}

// How far resident memory rose above where it stood while Work ran, in bytes.
template <class F> int64_t ResidentGrowth(F&& work) {
    const int64_t before = StatusBytes("VmRSS");
    std::ofstream reset("/proc/self/clear_refs");
    reset << "5" << std::flush; // 5: the peak starts again from the present size
    if (before < 0 || !reset) ADD_FAILURE() << "the peak of resident memory cannot be read or reset";
    work();
    return StatusBytes("VmHWM") - before;
}

} // namespace memtest
