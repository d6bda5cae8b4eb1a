// clock.cpp -- the performance counter, and the multimedia millisecond clock where there is none
#include "platform/clock.h"

#include <windows.h>

#include <mmsystem.h>

namespace {

bool systemCounterFrequency(int64_t* ticksPerSecond) {
    LARGE_INTEGER frequency;
    const bool exists = QueryPerformanceFrequency(&frequency) != 0;
    *ticksPerSecond = frequency.QuadPart;
    return exists;
}

// Its result is not looked at: where the frequency query succeeded, the counter works.
void systemCounterValue(int64_t* ticks) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    *ticks = now.QuadPart;
}

uint32_t systemMilliseconds() {
    return timeGetTime();
}

} // namespace

const ClockSource systemClocks = {systemCounterFrequency, systemCounterValue, systemMilliseconds};
