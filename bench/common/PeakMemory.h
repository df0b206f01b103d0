#pragma once
// How much memory a piece of work made resident at its highest, from the kernel's
// accounting of this process (Linux): the free memory of the heap is handed back first and
// the high-water mark is reset to the present size, so memory the work takes again from
// the heap counts as well.

#include <malloc.h>

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

// The resident size now, with the kernel's peak reset to it; -1 when the peak cannot be
// reset. The work's peak is then StatusBytes("VmHWM") less this.
inline int64_t StartPeak() {
    malloc_trim(0);
    const int64_t now = StatusBytes("VmRSS");
    std::ofstream reset("/proc/self/clear_refs");
    reset << "5" << std::flush;
    return reset ? now : -1;
}
