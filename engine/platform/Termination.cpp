#include "engine/platform/Termination.h"

#include <atomic>
#include <csignal>
#include <pthread.h>

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
    sigset_t requests;
    sigemptyset(&requests);
    for (int signal : {SIGTERM, SIGINT}) {
        struct sigaction action { };
        action.sa_handler = OnTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signal, &action, nullptr);
        sigaddset(&requests, signal);
    }
    // A mask inherited from the parent would hold a request for ever; one
    // that came while the program was loading, held there, is taken now.
    ::pthread_sigmask(SIG_UNBLOCK, &requests, nullptr);
}

bool TerminationRequested()
{
    return g_terminationRequested.load();
}

} // namespace platform
