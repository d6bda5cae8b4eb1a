// threads.cpp -- the workers on helper threads that are kept from one piece of work to the next
//
// Starting a thread and waking a sleeping one each cost tens of microseconds, a good part of a
// computation of the four tiles on every core (about 2 ms). So the helpers are started once, and
// one that has done its part polls for the next for a while before it sleeps: work that follows
// at once, as the bench's runs and a large picture's rows of tiles do, starts on every core at
// once.
#include "platform/threads.h"

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/system_threads.h"

namespace {

// Polls of a count before its waiter sleeps: some tens of microseconds.
constexpr int PollsBeforeSleep = 1 << 12;

// A count that one thread raises and another waits for.
struct Signal {
    std::atomic<uint32_t> count{0};
    std::atomic<bool> sleeping{false};
    SystemSemaphore* wake = makeSemaphore();
};

// The waiter announces its sleep before it looks at the count a last time, and the raiser raises
// the count before it looks for a sleeper (all sequentially consistent): so either the waiter sees
// the new count, or the raiser sees the sleeper and wakes it. A wake that came after all only
// sends the waiter round its loop once more.
void raise(Signal& signal) {
    signal.count.fetch_add(1);
    if (signal.sleeping.load()) postSemaphore(signal.wake);
}

void await(Signal& signal, uint32_t count) {
    for (int polls = 0; signal.count.load() != count;) {
        if (++polls < PollsBeforeSleep) {
            __builtin_ia32_pause();
            continue;
        }
        signal.sleeping.store(true);
        if (signal.count.load() != count) waitSemaphore(signal.wake);
        signal.sleeping.store(false);
    }
}

struct Helper {
    Signal posted, finished;
    void (*work)(void* context, int index);
    void* context;
    int index; // its place among the workers: 1 for the first helper
};

void serve(void* argument) {
    Helper& helper = *static_cast<Helper*>(argument);
    for (uint32_t done = 0;; ++done) {
        await(helper.posted, done + 1);
        helper.work(helper.context, helper.index);
        raise(helper.finished);
    }
}

// Never freed: the helpers use them until the program ends.
std::vector<Helper*>& helpers = *new std::vector<Helper*>;

// Starts helpers until there are count of them, or until the system refuses one, after which it
// asks no more; returns how many there are, up to count.
int startHelpers(int count) {
    static bool refused = false;
    while (!refused && int(helpers.size()) < count) {
        Helper* helper = new Helper;
        helper->index = int(helpers.size()) + 1;
        if (startThread(serve, helper)) {
            helpers.push_back(helper);
        } else {
            refused = true;
            delete helper;
        }
    }
    return count < int(helpers.size()) ? count : int(helpers.size());
}

} // namespace

int runWorkers(int count, void (*work)(void* context, int index), void* context) {
    const int helping = count > 1 ? startHelpers(count - 1) : 0;
    for (int i = 0; i < helping; ++i) {
        Helper& helper = *helpers[i];
        helper.work = work;
        helper.context = context;
        raise(helper.posted);
    }
    work(context, 0);
    for (int i = 0; i < helping; ++i) await(helpers[i]->finished, helpers[i]->posted.count.load());
    return helping + 1;
}
