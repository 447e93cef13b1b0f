#pragma once

#include "engine/platform/Window.h"
#include "engine/serial/Point.h"

#include <atomic>
#include <memory>

// The one game window. It is created, pumped and destroyed on the render
// thread; the main thread only reads the flags its window procedure sets.
// The owning pointer lives with the render thread; g_hWnd is the shared view.
extern platform::Window* g_hWnd;
extern int g_MinTrackWidth;
extern int g_MinTrackHeight;
extern std::atomic<bool> g_AlwaysOnTop;
extern std::atomic<bool> g_WindowResized;
// The command line asks for a window ("--windowed"): it holds for the run,
// whatever the user's configuration file says.
extern std::atomic<bool> g_StartWindowed;

// Title of the window (and, on the original platform, of its class).
inline constexpr const char* kGameWindowTitle = "Quenholt - Release";

// The client size of the game in a window: the largest whole multiple of the
// 512 x 448 picture whose window, decorations included, fits the desktop;
// 512 x 448 at least.
Point<int> WindowedClientSize(Point<int> desktop, Point<int> decorations);

// Creates the window hidden and stores it in g_hWnd. In a window its client
// area is WindowedClientSize and its right edge meets the right edge of the
// primary screen; when g_FullScreen is set it covers the desktop, so that a
// full screen the system does not grant (no window manager) still has a
// window of the screen's size to fit the picture to. The window can be made
// as small as a 512 x 448 client, never smaller, whatever size it opened at
// (a full-screen start sets that smallest size when FitGameWindow first
// gives it a window).
// Returns the owner (null on failure, g_hWnd then stays null).
std::unique_ptr<platform::Window> CreateGameWindow();

// Windowed mode: gives the window its WindowedClientSize at the top right of
// the primary screen, restored (not minimised), shown and focused; used when
// full screen is left. False when there is no window or the move failed.
bool FitGameWindow();

// Windowed mode only: gives the window a w x h client area at the top right of
// the primary screen. False in full screen or when the move failed.
bool ResizeGameWindow(int width, int height);

// The window procedure: answers one message of the game window. Returns 0.
int GameWindowProc(platform::Window& window, const platform::WindowMessage& message);
