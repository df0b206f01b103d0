#pragma once
// The kernel's accounting of this process's resident memory (Linux). Free of GoogleTest, so
// that the benchmarks read it as the tests do.

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

// A "Name:   123 kB" line of /proc/self/status in bytes; -1 when there is none.
inline int64_t StatusBytes(const std::string& name) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = name + ":";
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(prefix, 0) != 0) continue;
        int64_t kb = -1;
        std::istringstream(line.substr(prefix.size())) >> kb;
        return kb < 0 ? -1 : kb * 1024;
    }
    return -1;
}

// Starts the high-water mark of resident memory (VmHWM) again from the present size, so
// that nothing run earlier hides what the next piece of work takes; false when it cannot.
inline bool ResetResidentPeak() {
    std::ofstream reset("/proc/self/clear_refs");
    reset << "5" << std::flush;
    return bool(reset);
}
