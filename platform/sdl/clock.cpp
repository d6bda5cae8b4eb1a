// clock.cpp -- the monotonic system clock as a counter and as a wrapping millisecond clock
#include "platform/clock.h"

#include <ctime>

namespace {

int64_t monotonicNanoseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

bool systemCounterFrequency(int64_t* ticksPerSecond) {
    *ticksPerSecond = 1000000000;
    return true;
}

void systemCounterValue(int64_t* ticks) {
    *ticks = monotonicNanoseconds();
}

uint32_t systemMilliseconds() {
    return uint32_t(monotonicNanoseconds() / 1000000);
}

} // namespace

const ClockSource systemClocks = {systemCounterFrequency, systemCounterValue, systemMilliseconds};
