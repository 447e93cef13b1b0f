#include "tests/engine/app/X11WindowTransient.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

bool IsX11WindowTransient(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    ::Window owner = 0;
    return XGetTransientForHint(info.info.x11.display, info.info.x11.window, &owner) != 0;
}
