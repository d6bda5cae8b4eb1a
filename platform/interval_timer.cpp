// interval_timer.cpp -- IntervalTimer over the counter or the millisecond clock
#include "platform/interval_timer.h"

#include "platform/clock.h"

IntervalTimer::IntervalTimer() : startMilliseconds(0), startTicks(0) {
    if (clockSource->counterFrequency(&ticksPerSecond)) {
        clockSource->counterValue(&startTicks);
        // Worked out once, so that a reading needs no division.
        secondsPerTick = float(1.0 / double(ticksPerSecond));
        highResolution = 1;
    } else {
        highResolution = 0;
        startMilliseconds = clockSource->milliseconds();
        ticksPerSecond = 1000;
        secondsPerTick = 0.001f;
    }
}

double IntervalTimer::elapsedSeconds() const {
    if (highResolution) {
        int64_t now;
        clockSource->counterValue(&now);
        return double(now - startTicks) * double(secondsPerTick);
    }
    const uint32_t milliseconds = clockSource->milliseconds() - startMilliseconds; // modulo 2^32
    return double(milliseconds) * double(secondsPerTick);
}

void IntervalTimer::restart() {
    if (highResolution)
        clockSource->counterValue(&startTicks);
    else
        startMilliseconds = clockSource->milliseconds();
}
