// test_threads.cpp -- the workers: every index once per call, on helpers kept between calls
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/threads.h"

namespace {

struct Calls {
    std::atomic<int> runs[8];
    std::thread::id caller, ran[8];
};

void count(void* context, int index) {
    Calls& calls = *static_cast<Calls*>(context);
    calls.runs[index].fetch_add(1);
    calls.ran[index] = std::this_thread::get_id();
}

// Calls of every size, back to back and after the helpers have had time to fall asleep: each
// index runs once, index 0 on the caller and the others on threads of their own.
TEST(Workers, RunEveryIndexOnceWhetherTheHelpersPollOrSleep) {
    for (int count : {3, 1, 2, 5, 0, 3, 3}) {
        SCOPED_TRACE(count);
        Calls calls{};
        calls.caller = std::this_thread::get_id();
        ASSERT_EQ(runWorkers(count, ::count, &calls), count > 1 ? count : 1);
        for (int i = 0; i < 8; ++i) EXPECT_EQ(calls.runs[i], i < (count > 1 ? count : 1)) << i;
        EXPECT_EQ(calls.ran[0], calls.caller);
        for (int i = 1; i < count; ++i) {
            EXPECT_NE(calls.ran[i], calls.caller) << i;
            for (int j = 1; j < i; ++j) EXPECT_NE(calls.ran[i], calls.ran[j]) << i << j;
        }
        if (count % 2) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // Many short calls, with pauses about as long as the helpers poll before they sleep, so that
    // some come just as they fall asleep: no wake-up is lost, no part is run twice.
    Calls calls{};
    for (int call = 0; call < 4000; ++call) {
        runWorkers(3, ::count, &calls);
        const auto end = std::chrono::steady_clock::now() + std::chrono::microseconds(call % 50);
        while (std::chrono::steady_clock::now() < end) {
        }
    }
    for (int i = 0; i < 3; ++i) EXPECT_EQ(calls.runs[i], 4000) << i;
}

} // namespace
