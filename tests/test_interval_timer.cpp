// test_interval_timer.cpp -- IntervalTimer over clocks the test controls, and the system's
#include <gtest/gtest.h>

#include <vector>

#include "platform/interval_timer.h"
#include "tests/fake_platform.h"

namespace {

using IntervalTimerTest = FakePlatformTest;

// Each case starts a timer at the first moment and reads it at the others (after a restart
// where asked). Readings are the tick difference times the tick length in single precision, the
// product in double; the clock a timer does not use moves to show that it is not read.
TEST_F(IntervalTimerTest, ReadsTheCounterOrElseTheWrappingMillisecondClock) {
    struct Moment {
        int64_t counter;
        uint32_t milliseconds;
        bool restart;
        double seconds;
    };
    const double third = double(float(1.0 / 3.0)), milli = double(0.001f);
    const struct {
        const char* name;
        bool hasCounter;
        int64_t frequency;
        std::vector<Moment> moments;
    } cases[] = {
        {"counter, 1/3 s ticks: reading does not restart",
         true,
         3,
         {{1000, 5, false, 0},
          {1007, 9, false, 7 * third},
          {1009, 0, false, 9 * third},
          {1009, 7, true, 0},
          {1010, 8, false, third}}},
        {"counter starting below zero, difference beyond 32 bits",
         true,
         1000000000,
         {{-5'000'000'000, 0, false, 0}, {7'000'000'000, 0, false, 12e9 * double(float(1e-9))}}},
        {"no counter: milliseconds",
         false,
         1000,
         {{555, 5000, false, 0},
          {0, 5000, false, 0},
          {1, 6000, false, 1000 * milli},
          {999999, 6000, false, 1000 * milli},
          {5, 6000, true, 0},
          {5, 6002, false, 2 * milli}}},
        {"millisecond clock wraps",
         false,
         1000,
         {{0, 0xFFFFFF00u, false, 0},
          {0, 0x100, false, 512 * milli},
          {0, 0xFFFFFEFFu, false, 4294967295.0 * milli}}},
    };
    for (const auto& c : cases) {
        fake.hasCounter = c.hasCounter;
        fake.counterFrequency = c.frequency;
        fake.counter = c.moments[0].counter;
        fake.milliseconds = c.moments[0].milliseconds;
        IntervalTimer timer;
        for (const Moment& m : c.moments) {
            fake.counter = m.counter;
            fake.milliseconds = m.milliseconds;
            if (m.restart) timer.restart();
            EXPECT_EQ(timer.elapsedSeconds(), m.seconds) << c.name << ", at " << &m - &c.moments[0];
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
