// interval_timer.h -- stopwatch over the high-resolution counter, or the millisecond clock
#pragma once

#include <cstdint>

class IntervalTimer {
  public:
    // Chooses the clock once, from clockSource, and starts.
    IntervalTimer();
    // Seconds since the last start; does not restart.
    double elapsedSeconds() const;
    // Makes the present moment the new start.
    void restart();

  private:
    int64_t ticksPerSecond;
    float secondsPerTick;
    uint32_t startMilliseconds;
    uint8_t highResolution;
    int64_t startTicks;
};
