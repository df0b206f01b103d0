#pragma once
// How much memory a piece of work made resident, from the kernel's accounting of this
// process: the high-water mark of resident memory is reset before the work, so nothing
// that ran earlier hides what the work took.

#include "common/ResidentPeak.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace memtest {

// How far resident memory rose above where it stood while Work ran, in bytes.
template <class F> int64_t ResidentGrowth(F&& work) {
    const int64_t before = StatusBytes("VmRSS");
    if (!ResetResidentPeak() || before < 0)
        ADD_FAILURE() << "the peak of resident memory cannot be read or reset";
    work();
    return StatusBytes("VmHWM") - before;
}

} // namespace memtest
