#include "engine/platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

} // namespace

void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    if (HasDisplay())
        SDL_ShowSimpleMessageBox(SdlFlags(icon), caption.c_str(), text.c_str(), nullptr);
}

} // namespace platform
