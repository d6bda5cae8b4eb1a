// test_interval_timer.cpp -- IntervalTimer over clocks the test controls
#include <gtest/gtest.h>

#include "platform/interval_timer.h"
#include "tests/fake_platform.h"

namespace {

using IntervalTimerTest = FakePlatformTest;

TEST_F(IntervalTimerTest, CounterModeScalesTicksBySingleSecondsPerTick) {
    fake.hasCounter = true;
    fake.counterFrequency = 3; // 1/3 is not exact in single precision
    fake.counter = 1000;
    IntervalTimer timer;
    fake.counter = 1007;
    const double perTick = double(float(1.0 / 3.0));
    EXPECT_EQ(timer.elapsedSeconds(), 7 * perTick); // the product stays a double
    EXPECT_NE(timer.elapsedSeconds(), 7.0 / 3.0);
    fake.counter = 1009; // reading does not restart
    EXPECT_EQ(timer.elapsedSeconds(), 9 * perTick);
    timer.restart();
    EXPECT_EQ(timer.elapsedSeconds(), 0.0);
    fake.counter = 1010;
    EXPECT_EQ(timer.elapsedSeconds(), perTick);
}

TEST_F(IntervalTimerTest, CounterModeTakesLargeSignedDifferences) {
    fake.hasCounter = true;
    fake.counterFrequency = 1000000000;
    fake.counter = -5'000'000'000; // counters may start anywhere
    IntervalTimer timer;
    fake.counter = 7'000'000'000;
    EXPECT_EQ(timer.elapsedSeconds(), 12e9 * double(float(1e-9)));
}

TEST_F(IntervalTimerTest, MillisecondModeWithoutCounter) {
    fake.hasCounter = false;
    fake.counter = 555; // must not be used
    fake.milliseconds = 5000;
    IntervalTimer timer;
    EXPECT_EQ(timer.elapsedSeconds(), 0.0); // same millisecond
    fake.milliseconds = 6000;
    EXPECT_EQ(timer.elapsedSeconds(), 1000 * double(0.001f));
    EXPECT_GT(timer.elapsedSeconds(), 1.0); // 0.001f is slightly above a thousandth
    fake.counter = 999999;
    EXPECT_EQ(timer.elapsedSeconds(), 1000 * double(0.001f));
    timer.restart();
    fake.milliseconds = 6002;
    EXPECT_EQ(timer.elapsedSeconds(), 2 * double(0.001f));
}

TEST_F(IntervalTimerTest, MillisecondClockWrapsAround) {
    fake.hasCounter = false;
    fake.milliseconds = 0xFFFFFF00u;
    IntervalTimer timer;
    fake.milliseconds = 0x100;
    EXPECT_EQ(timer.elapsedSeconds(), 512 * double(0.001f));
    fake.milliseconds = 0xFFFFFEFFu; // the longest interval it can tell
    EXPECT_EQ(timer.elapsedSeconds(), 4294967295.0 * double(0.001f));
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
