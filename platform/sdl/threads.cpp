// threads.cpp -- the standard library's threads and semaphores
#include <semaphore>
#include <system_error>
#include <thread>

#include "platform/system_threads.h"
#include "platform/threads.h"

struct SystemSemaphore {
    std::counting_semaphore<> semaphore{0};
};

bool startThread(void (*entry)(void* argument), void* argument) {
    try {
        std::thread(entry, argument).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

SystemSemaphore* makeSemaphore() {
    return new SystemSemaphore;
}

void waitSemaphore(SystemSemaphore* semaphore) {
    semaphore->semaphore.acquire();
}

void postSemaphore(SystemSemaphore* semaphore) {
    semaphore->semaphore.release();
}

int hardwareThreadCount() {
    const unsigned count = std::thread::hardware_concurrency();
    return count ? int(count) : 1;
}
