// test_interval_timer.cpp -- IntervalTimer over clocks the test controls
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/interval_timer.h"

namespace {

int64_t fakeFrequency;
bool fakeHasCounter;
int64_t fakeCounter;
uint32_t fakeMilliseconds;

const ClockSource fakeClocks = {
    [](int64_t* frequency) {
        *frequency = fakeFrequency;
        return fakeHasCounter;
    },
    [](int64_t* ticks) { *ticks = fakeCounter; },
    [] { return fakeMilliseconds; },
};

class IntervalTimerTest : public ::testing::Test {
  protected:
    void SetUp() override { clockSource = &fakeClocks; }
    void TearDown() override { clockSource = &systemClocks; }
};

TEST_F(IntervalTimerTest, CounterModeScalesTicksBySingleSecondsPerTick) {
    fakeHasCounter = true;
    fakeFrequency = 3; // 1/3 is not exact in single precision
    fakeCounter = 1000;
    IntervalTimer timer;
    fakeCounter = 1007;
    const double perTick = double(float(1.0 / 3.0));
    EXPECT_EQ(timer.elapsedSeconds(), 7 * perTick); // the product stays a double
    EXPECT_NE(timer.elapsedSeconds(), 7.0 / 3.0);
    fakeCounter = 1009; // reading does not restart
    EXPECT_EQ(timer.elapsedSeconds(), 9 * perTick);
    timer.restart();
    EXPECT_EQ(timer.elapsedSeconds(), 0.0);
    fakeCounter = 1010;
    EXPECT_EQ(timer.elapsedSeconds(), perTick);
}

TEST_F(IntervalTimerTest, CounterModeTakesLargeSignedDifferences) {
    fakeHasCounter = true;
    fakeFrequency = 1000000000;
    fakeCounter = -5'000'000'000; // counters may start anywhere
    IntervalTimer timer;
    fakeCounter = 7'000'000'000;
    EXPECT_EQ(timer.elapsedSeconds(), 12e9 * double(float(1e-9)));
}

TEST_F(IntervalTimerTest, MillisecondModeWithoutCounter) {
    fakeHasCounter = false;
    fakeCounter = 555; // must not be used
    fakeMilliseconds = 5000;
    IntervalTimer timer;
    EXPECT_EQ(timer.elapsedSeconds(), 0.0); // same millisecond
    fakeMilliseconds = 6000;
    EXPECT_EQ(timer.elapsedSeconds(), 1000 * double(0.001f));
    EXPECT_GT(timer.elapsedSeconds(), 1.0); // 0.001f is slightly above a thousandth
    fakeCounter = 999999;
    EXPECT_EQ(timer.elapsedSeconds(), 1000 * double(0.001f));
    timer.restart();
    fakeMilliseconds = 6002;
    EXPECT_EQ(timer.elapsedSeconds(), 2 * double(0.001f));
}

TEST_F(IntervalTimerTest, MillisecondClockWrapsAround) {
    fakeHasCounter = false;
    fakeMilliseconds = 0xFFFFFF00u;
    IntervalTimer timer;
    fakeMilliseconds = 0x100;
    EXPECT_EQ(timer.elapsedSeconds(), 512 * double(0.001f));
    fakeMilliseconds = 0xFFFFFEFFu; // the longest interval it can tell
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
