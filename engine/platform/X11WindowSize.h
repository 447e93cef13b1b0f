#pragma once

struct SDL_Window;

namespace platform {

// The size the X server gives the window (what is really on screen); false
// when the window is not an X11 window (another video driver) or X has no
// answer. Kept apart: Xlib's macros clash with ordinary names.
bool GetX11WindowSize(SDL_Window* window, int& width, int& height);

} // namespace platform
