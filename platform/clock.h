// clock.h -- the system clocks behind IntervalTimer; tests put in clocks of their own
#pragma once

#include <cstdint>

struct ClockSource {
    // Ticks per second of the high-resolution counter; false where there is no such counter.
    bool (*counterFrequency)(int64_t* ticksPerSecond);
    // The counter's present value.
    void (*counterValue)(int64_t* ticks);
    // A millisecond clock that wraps around at 2^32.
    uint32_t (*milliseconds)();
};

// The platform's own clocks: the performance counter and the multimedia millisecond clock.
extern const ClockSource systemClocks;

// The clocks that timers constructed from now on use; systemClocks unless a test swaps them.
extern const ClockSource* clockSource;
