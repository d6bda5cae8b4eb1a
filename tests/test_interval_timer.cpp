// test_interval_timer.cpp -- IntervalTimer over clocks the test controls, and the system's
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <tuple>
#include <vector>

#include "platform/interval_timer.h"
#include "tests/fake_platform.h"

namespace {

using IntervalTimerTest = FakePlatformTest;

// A timer started at a case's first moment reads at each (after a restart where asked) the tick
// difference times the tick length in single precision, in double. The clock it does not use
// moves too, to show that it is not read. The system's clocks never run backwards.
TEST_F(IntervalTimerTest, ReadsTheCounterOrElseTheWrappingMillisecondClock) {
    const double third = double(float(1.0 / 3.0)), milli = double(0.001f);
    // By counter frequency (0: none), moments of counter, milliseconds, restart and reading.
    using Moments = std::vector<std::tuple<int64_t, uint32_t, bool, double>>;
    const std::pair<int64_t, Moments> cases[] = {
        // clang-format off
        {3, {{1000, 5, false, 0}, {1007, 9, false, 7 * third}, {1009, 0, false, 9 * third},
             {1009, 7, true, 0}, {1010, 8, false, third}}},
        {1000, {{-3'000'000'000, 0, false, 0}, {3'000'000'001, 1, false, 6'000'000'001 * milli}}},
        {0, {{555, 5000, false, 0}, {0, 5000, false, 0}, {1, 6000, false, 1000 * milli},
             {999999, 6000, false, 1000 * milli}, {5, 6000, true, 0}, {5, 6002, false, 2 * milli}}},
        {0, {{0, 0xFFFFFF00u, false, 0}, {0, 0x100, false, 512 * milli},
             {0, 0xFFFFFEFFu, false, 4294967295.0 * milli}}}}; // clang-format on
    for (const auto& [frequency, moments] : cases) {
        fake.hasCounter = frequency != 0;
        fake.counterFrequency = frequency;
        std::optional<IntervalTimer> timer;
        for (const auto& [counter, milliseconds, restart, seconds] : moments) {
            fake.counter = counter;
            fake.milliseconds = milliseconds;
            if (!timer) timer.emplace();
            if (restart) timer->restart();
            EXPECT_EQ(timer->elapsedSeconds(), seconds)
                << frequency << ", at " << counter << ", " << milliseconds;
        }
    }
    clockSource = &systemClocks;
    const IntervalTimer system;
    std::vector<double> readings(1000);
    for (double& reading : readings) reading = system.elapsedSeconds();
    EXPECT_TRUE(std::is_sorted(readings.begin(), readings.end()));
}

} // namespace
