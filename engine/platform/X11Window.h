#pragma once

struct SDL_Window;

namespace platform {

// The size the X server gives the window (what is really on screen); false
// when the window is not an X11 window (another video driver) or X has no
// answer. Kept apart: Xlib's macros clash with ordinary names.
bool GetX11WindowSize(SDL_Window* window, int& width, int& height);

// Without a window manager on the X server, nothing grants a full screen that
// is asked for: the window itself is then moved to (0, 0) and given the
// screen's size. False when a window manager runs, or the window is not an
// X11 window.
bool CoverScreenWithoutWindowManager(SDL_Window* window, int screenWidth, int screenHeight);

// SDL marks every X11 window it makes as transient for the root window; a
// window manager then treats it as a dialog of the desktop: no title bar, and
// it cannot be moved. Called before the window is first shown, this drops the
// mark, so the window is a normal top-level window. False when the window is
// not an X11 window.
bool MakeTopLevelWindow(SDL_Window* window);

} // namespace platform
