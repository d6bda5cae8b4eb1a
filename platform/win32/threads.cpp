// threads.cpp -- the workers on threads of the system's own, without the C++ library's threads
//
// The programs build with the win32 thread model of MinGW, whose library has no std::thread,
// and link no POSIX thread layer, whose clock calls would tie them to Windows Vista.
#include "platform/threads.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

struct Worker {
    void (*work)(void* context, int index);
    void* context;
    int index;
};

DWORD WINAPI runWorker(void* parameter) {
    const Worker& worker = *static_cast<const Worker*>(parameter);
    worker.work(worker.context, worker.index);
    return 0;
}

// One wait takes at most MAXIMUM_WAIT_OBJECTS handles.
void waitForAll(const std::vector<HANDLE>& threads) {
    for (size_t first = 0; first < threads.size(); first += MAXIMUM_WAIT_OBJECTS) {
        const size_t count = std::min<size_t>(threads.size() - first, MAXIMUM_WAIT_OBJECTS);
        WaitForMultipleObjects(DWORD(count), &threads[first], TRUE, INFINITE);
    }
}

} // namespace

int runWorkers(int count, void (*work)(void* context, int index), void* context) {
    std::vector<Worker> workers;
    for (int index = 0; index < count; ++index) workers.push_back({work, context, index});
    std::vector<HANDLE> threads;
    for (int index = 1; index < count; ++index) {
        const HANDLE thread = CreateThread(nullptr, 0, runWorker, &workers[index], 0, nullptr);
        if (!thread) break;
        threads.push_back(thread);
    }
    work(context, 0);
    waitForAll(threads);
    for (HANDLE thread : threads) CloseHandle(thread);
    return int(threads.size()) + 1;
}

int hardwareThreadCount() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    return system.dwNumberOfProcessors ? int(system.dwNumberOfProcessors) : 1;
}
