#pragma once
// How much memory a piece of work made resident at its highest, from the kernel's
// accounting of this process (Linux): the free memory of the heap is handed back first and
// the high-water mark is reset to the present size, so memory the work takes again from
// the heap counts as well.

#include "common/ResidentPeak.h"

#include <malloc.h>

#include <cstdint>

// The resident size now, with the kernel's peak reset to it; -1 when the peak cannot be
// reset. The work's peak is then StatusBytes("VmHWM") less this.
inline int64_t StartPeak() {
    malloc_trim(0);
    const int64_t now = StatusBytes("VmRSS");
    return ResetResidentPeak() ? now : -1;
}
