// threads.cpp -- the workers on the standard library's threads
#include "platform/threads.h"

#include <system_error>
#include <thread>
#include <vector>

int runWorkers(int count, void (*work)(void* context, int index), void* context) {
    std::vector<std::thread> helpers;
    for (int index = 1; index < count; ++index) try {
            helpers.emplace_back(work, context, index);
        } catch (const std::system_error&) {
            break;
        }
    work(context, 0);
    for (std::thread& helper : helpers) helper.join();
    return int(helpers.size()) + 1;
}

int hardwareThreadCount() {
    const unsigned count = std::thread::hardware_concurrency();
    return count ? int(count) : 1;
}
