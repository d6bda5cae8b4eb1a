// termination.cpp -- SIGINT and SIGTERM: the request to end, and the message box they take away
#include "platform/termination.h"

#include <SDL.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <new>

#include "platform/sdl/sdl_window.h"

namespace {

// SDL shows a message box in a child process and waits for it, taking no notice of signals. The
// child records itself here, in memory shared with it, so that a signal can end the box.
struct Shared {
    std::atomic<int> requested;
    std::atomic<pid_t> child;
};
Shared unshared; // if no shared page can be had: the request still counts, a box stays up
Shared* shared = &unshared;

// Of the request and the child's record, each side writes its own first and then reads the
// other's, so one of them at least sees both: the box never outlives a request.
void onSignal(int) {
    shared->requested = 1;
    if (const pid_t child = shared->child.exchange(0); child > 0) kill(child, SIGTERM);
}

void inChild() {
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    shared->child = getpid();
    if (shared->requested) _exit(1);
}

} // namespace

void catchTerminationSignals() {
    void* page =
        mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (page != MAP_FAILED) shared = new (page) Shared{{0}, {0}};
    pthread_atfork(nullptr, nullptr, inChild);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1"); // SDL would queue SDL_QUIT and go on waiting
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no restart: a wait in progress ends
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool terminationRequested() {
    return shared->requested != 0;
}

int showBoxUntilTermination(const SDL_MessageBoxData* box, int* pressed) {
    if (terminationRequested()) return -1;
    const int result = SDL_ShowMessageBox(box, pressed);
    shared->child = 0; // ended, and its number may be reused
    return terminationRequested() ? -1 : result;
}
