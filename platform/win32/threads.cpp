// threads.cpp -- the system's own threads and semaphores, without the C++ library's threads
//
// The programs build with the win32 thread model of MinGW, whose library has no std::thread,
// and link no POSIX thread layer, whose clock calls would tie them to Windows Vista.
#include <windows.h>

#include <climits>

#include "platform/system_threads.h"
#include "platform/threads.h"

namespace {

struct Start {
    void (*entry)(void* argument);
    void* argument;
};

DWORD WINAPI runThread(void* parameter) {
    const Start start = *static_cast<Start*>(parameter);
    delete static_cast<Start*>(parameter);
    start.entry(start.argument);
    return 0;
}

} // namespace

struct SystemSemaphore {
    HANDLE handle;
};

bool startThread(void (*entry)(void* argument), void* argument) {
    Start* start = new Start{entry, argument};
    const HANDLE thread = CreateThread(nullptr, 0, runThread, start, 0, nullptr);
    if (!thread) {
        delete start;
        return false;
    }
    CloseHandle(thread);
    return true;
}

SystemSemaphore* makeSemaphore() {
    return new SystemSemaphore{CreateSemaphoreW(nullptr, 0, LONG_MAX, nullptr)};
}

void waitSemaphore(SystemSemaphore* semaphore) {
    WaitForSingleObject(semaphore->handle, INFINITE);
}

void postSemaphore(SystemSemaphore* semaphore) {
    ReleaseSemaphore(semaphore->handle, 1, nullptr);
}

int hardwareThreadCount() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    return system.dwNumberOfProcessors ? int(system.dwNumberOfProcessors) : 1;
}
