#include "engine/platform/MessageBox.h"

#include "engine/platform/Termination.h"

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

#include <sys/types.h>
#include <unistd.h>

namespace platform {

namespace {

bool EnvironmentIs(const char* name, const char* value)
{
    const char* text = std::getenv(name);
    return text && std::strcmp(text, value) == 0;
}

bool HasDisplay()
{
    if (EnvironmentIs("QUENHOLT_HEADLESS", "1") || EnvironmentIs("SDL_VIDEODRIVER", "offscreen")
        || EnvironmentIs("SDL_VIDEODRIVER", "dummy"))
        return false;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

Uint32 SdlFlags(MessageBoxIcon icon)
{
    switch (icon) {
    case MessageBoxIcon::Error:
        return SDL_MESSAGEBOX_ERROR;
    case MessageBoxIcon::Warning:
        return SDL_MESSAGEBOX_WARNING;
    case MessageBoxIcon::Information:
        break;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

// While a box waits for its click, watches for a request to end. SDL shows
// the box from a child process of the thread that asks for it (on X11, and
// through zenity on Wayland) and waits for that child: ending the child
// ends the wait, and the game then ends in order. The child keeps the
// game's own handler of SIGTERM, which only notes the request, so it is
// killed.
class BoxCloser {
public:
    BoxCloser()
        : owner(::gettid())
        , watcher([this](std::stop_token stop) { Watch(stop); })
    {
    }

private:
    void Watch(std::stop_token stop)
    {
        std::mutex mutex;
        std::condition_variable_any wake;
        std::unique_lock lock(mutex);
        while (!stop.stop_requested()) {
            if (TerminationRequested())
                EndBoxProcesses();
            wake.wait_for(lock, stop, std::chrono::milliseconds(50), [] { return false; });
        }
    }

    void EndBoxProcesses() const
    {
        std::ifstream children("/proc/self/task/" + std::to_string(owner) + "/children");
        for (pid_t child = 0; children >> child;)
            ::kill(child, SIGKILL);
    }

    pid_t owner;
    std::jthread watcher;
};

} // namespace

void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    // Once an end is asked nobody waits for a click.
    if (!HasDisplay() || TerminationRequested())
        return;
    const BoxCloser closer;
    SDL_ShowSimpleMessageBox(SdlFlags(icon), caption.c_str(), text.c_str(), nullptr);
}

} // namespace platform
