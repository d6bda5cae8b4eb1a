// test_interval_timer.cpp -- IntervalTimer over clocks the test controls, and the system's
#include <gtest/gtest.h>

#include "platform/interval_timer.h"
#include "tests/fake_platform.h"

namespace {

using IntervalTimerTest = FakePlatformTest;

// Each case starts a timer at its first moment and reads it at each (after a restart where
// asked): the tick difference times the tick length in single precision, the product in double.
// The clock a timer does not use moves too, to show that it is not read.
TEST_F(IntervalTimerTest, ReadsTheCounterOrElseTheWrappingMillisecondClock) {
    const double third = double(float(1.0 / 3.0)), nano = double(float(1e-9)),
                 milli = double(0.001f);
    struct Moment {
        int64_t counter;
        uint32_t milliseconds;
        bool restart;
        double seconds;
    };
    const struct {
        int64_t frequency; // 0: no counter
        std::vector<Moment> moments;
    } cases[] = {
        // clang-format off
        {3, {{1000, 5, false, 0}, {1007, 9, false, 7 * third}, {1009, 0, false, 9 * third},
             {1009, 7, true, 0}, {1010, 8, false, third}}},
        {1000000000, {{-5'000'000'000, 0, false, 0}, {7'000'000'001, 1, false, 12'000'000'001 * nano}}},
        {0, {{555, 5000, false, 0}, {0, 5000, false, 0}, {1, 6000, false, 1000 * milli},
             {999999, 6000, false, 1000 * milli}, {5, 6000, true, 0}, {5, 6002, false, 2 * milli}}},
        {0, {{0, 0xFFFFFF00u, false, 0}, {0, 0x100, false, 512 * milli},
             {0, 0xFFFFFEFFu, false, 4294967295.0 * milli}}}}; // clang-format on
    for (const auto& c : cases) {
        fake.hasCounter = c.frequency != 0;
        fake.counterFrequency = c.frequency;
        fake.counter = c.moments[0].counter;
        fake.milliseconds = c.moments[0].milliseconds;
        IntervalTimer timer;
        for (const Moment& m : c.moments) {
            fake.counter = m.counter;
            fake.milliseconds = m.milliseconds;
            if (m.restart) timer.restart();
            EXPECT_EQ(timer.elapsedSeconds(), m.seconds)
                << &c - cases << ", " << &m - &c.moments[0];
        }
    }
}

TEST(SystemClocks, ReadingsNeverDecrease) {
    IntervalTimer timer;
    double last = 0;
    for (int i = 0; i < 1000; ++i) {
        const double now = timer.elapsedSeconds();
        ASSERT_GE(now, last);
        last = now;
    }
}

} // namespace
