#include "engine/platform/X11WindowSize.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace platform {

bool GetX11WindowSize(SDL_Window* window, int& width, int& height)
{
    if (window == nullptr)
        return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    XWindowAttributes attributes {};
    if (!XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes))
        return false;
    if (attributes.width <= 0 || attributes.height <= 0)
        return false;
    width = attributes.width;
    height = attributes.height;
    return true;
}

} // namespace platform
