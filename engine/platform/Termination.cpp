#include "engine/platform/Termination.h"

#include <atomic>
#include <csignal>

namespace platform {

namespace {

// Lock-free, so the handler may set it.
std::atomic<bool> g_terminationRequested {false};
static_assert(std::atomic<bool>::is_always_lock_free);

void OnTerminationSignal(int)
{
    g_terminationRequested.store(true);
}

} // namespace

void InstallTerminationHandler()
{
    for (int signal : {SIGTERM, SIGINT}) {
        struct sigaction action { };
        action.sa_handler = OnTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signal, &action, nullptr);
    }
}

bool TerminationRequested()
{
    return g_terminationRequested.load();
}

} // namespace platform
