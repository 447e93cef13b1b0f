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

bool CoverScreenWithoutWindowManager(SDL_Window* window, int screenWidth, int screenHeight)
{
    if (window == nullptr || screenWidth <= 0 || screenHeight <= 0)
        return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    Display* display = info.info.x11.display;
    // A window manager that follows the desktop conventions names itself on
    // the root window.
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check != None) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const int read = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
            AnyPropertyType, &type, &format, &count, &after, &data);
        if (data != nullptr)
            XFree(data);
        if (read == Success && type != None && count > 0)
            return false;
    }
    XMoveResizeWindow(display, info.info.x11.window, 0, 0, static_cast<unsigned>(screenWidth),
        static_cast<unsigned>(screenHeight));
    XSync(display, False);
    return true;
}

} // namespace platform
