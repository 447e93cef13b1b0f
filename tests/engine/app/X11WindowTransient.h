#pragma once

struct SDL_Window;

// Whether a window manager taking the window in finds it transient for
// another window (WM_TRANSIENT_FOR set). Kept apart from the tests: Xlib's
// macros clash with GoogleTest's names.
bool IsX11WindowTransient(SDL_Window* window);
