#include "tools/keys/GameWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstddef>
#include <cstdint>

namespace {

// A window's _NET_WM_PID, or -1.
long PidOf(Display* display, Window window, Atom pidAtom)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(
            display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data != nullptr && count == 1 && format == 32)
        pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    if (data != nullptr)
        XFree(data);
    return pid;
}

bool Viewable(Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable
        && attributes.width > 64 && attributes.height > 64;
}

// A window that vanished between two calls must not end the program.
int IgnoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

} // namespace

GameWindow::GameWindow() = default;

GameWindow::~GameWindow()
{
    if (display != nullptr)
        XCloseDisplay(display);
}

bool GameWindow::Open(std::string& error)
{
    display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        error = "cannot open the X display (DISPLAY not set, or no server)";
        return false;
    }
    int event = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &errorBase, &major, &minor)) {
        error = "the X server has no XTEST extension";
        return false;
    }
    XSetErrorHandler(IgnoreErrors);
    return true;
}

unsigned long GameWindow::WindowOf(unsigned long parent, unsigned long pidAtom, pid_t pid, int depth)
{
    if (PidOf(display, parent, pidAtom) == pid && Viewable(display, parent))
        return parent;
    if (depth > 4)
        return 0;
    Window root = 0, up = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, parent, &root, &up, &children, &count) == 0)
        return 0;
    unsigned long found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i)
        found = WindowOf(children[i], pidAtom, pid, depth + 1);
    if (children != nullptr)
        XFree(children);
    return found;
}

bool GameWindow::Find(pid_t pid)
{
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None)
        return false;
    window = WindowOf(DefaultRootWindow(display), pidAtom, pid, 0);
    if (window == 0)
        return false;
    // No window manager runs on the test's server: the focus goes where a
    // click would put it.
    XRaiseWindow(display, window);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    return true;
}

Picture GameWindow::Grab()
{
    Picture picture;
    XWindowAttributes attributes;
    if (window == 0 || XGetWindowAttributes(display, window, &attributes) == 0)
        return picture;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
        static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return picture;
    picture = Picture(attributes.width, attributes.height);
    const bool plain = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (int y = 0; y < attributes.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            image->data + static_cast<ptrdiff_t>(y) * image->bytes_per_line);
        for (int x = 0; x < attributes.width; ++x)
            picture.Set(x, y, (plain ? row[x] : static_cast<uint32_t>(XGetPixel(image, x, y))) & 0xffffffu);
    }
    XDestroyImage(image);
    return picture;
}

void GameWindow::Send(const std::string& key, bool down)
{
    const KeySym symbol = XStringToKeysym(key.c_str());
    if (symbol == NoSymbol)
        return;
    const KeyCode code = XKeysymToKeycode(display, symbol);
    if (code == 0)
        return;
    XTestFakeKeyEvent(display, code, down ? True : False, CurrentTime);
    XFlush(display);
}

void GameWindow::Press(const std::string& key)
{
    Send(key, true);
}

void GameWindow::Release(const std::string& key)
{
    Send(key, false);
}
