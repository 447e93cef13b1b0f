#include "engine/platform/X11Window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace platform {

namespace {

// The X display and window behind an SDL window; false when it is not an
// X11 window (another video driver).
bool GetX11Handles(SDL_Window* window, Display*& display, ::Window& x11Window)
{
    if (window == nullptr)
        return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    display = info.info.x11.display;
    x11Window = info.info.x11.window;
    return true;
}

} // namespace

bool GetX11WindowSize(SDL_Window* window, int& width, int& height)
{
    Display* display = nullptr;
    ::Window x11Window = 0;
    if (!GetX11Handles(window, display, x11Window))
        return false;
    XWindowAttributes attributes {};
    if (!XGetWindowAttributes(display, x11Window, &attributes))
        return false;
    if (attributes.width <= 0 || attributes.height <= 0)
        return false;
    width = attributes.width;
    height = attributes.height;
    return true;
}

bool CoverScreenWithoutWindowManager(SDL_Window* window, int screenWidth, int screenHeight)
{
    Display* display = nullptr;
    ::Window x11Window = 0;
    if (screenWidth <= 0 || screenHeight <= 0 || !GetX11Handles(window, display, x11Window))
        return false;
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
    XMoveResizeWindow(
        display, x11Window, 0, 0, static_cast<unsigned>(screenWidth), static_cast<unsigned>(screenHeight));
    XSync(display, False);
    return true;
}

bool MakeTopLevelWindow(SDL_Window* window)
{
    Display* display = nullptr;
    ::Window x11Window = 0;
    if (!GetX11Handles(window, display, x11Window))
        return false;
    XDeleteProperty(display, x11Window, XA_WM_TRANSIENT_FOR);
    XSync(display, False);
    return true;
}

} // namespace platform
