#include "cli/signal_cleanup.h"

#include <atomic>
#include <csignal>
#include <cstddef>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace rivo::tool {

namespace {

// What a signal handler reads: atomic pointers, which need no lock.
constexpr std::size_t kSlots = 8;
std::atomic<const char*> gFiles[kSlots];
static_assert(std::atomic<const char*>::is_always_lock_free);

void RemoveRegisteredFiles() {
    for (const std::atomic<const char*>& slot : gFiles) {
        if (const char* path = slot.load()) {
#ifdef _WIN32
            ::_unlink(path);
#else
            ::unlink(path);  // safe in a signal handler, unlike remove()
#endif
        }
    }
}

#ifdef _WIN32

void OnSignal(int signal) {
    RemoveRegisteredFiles();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

#else

// Installed to reset itself, the handler ends the process by raising its
// signal again: blocked while the handler runs, it is delivered on return.
void OnSignal(int signal) {
    RemoveRegisteredFiles();
    std::raise(signal);
}

#endif

}  // namespace

void RemoveFilesOnSignals() {
#ifdef _WIN32
    for (const int signal : {SIGINT, SIGTERM}) {
        if (std::signal(signal, OnSignal) == SIG_IGN) {
            std::signal(signal, SIG_IGN);
        }
    }
#else
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        ::sigaction(signal, &action, nullptr);
    }
#endif
}

void RemoveOnSignal(const char* path) {
    for (std::atomic<const char*>& slot : gFiles) {
        const char* empty = nullptr;
        if (slot.compare_exchange_strong(empty, path)) {
            return;
        }
    }
}

void ForgetOnSignal(const char* path) {
    for (std::atomic<const char*>& slot : gFiles) {
        const char* registered = path;
        if (slot.compare_exchange_strong(registered, nullptr)) {
            return;
        }
    }
}

}  // namespace rivo::tool
