#include "engine/app/GameWindow.h"

#include "engine/render/D3DDevice.h"

#include <algorithm>

platform::Window* g_hWnd = nullptr;
int g_MinTrackWidth = 0;
int g_MinTrackHeight = 0;
std::atomic<bool> g_AlwaysOnTop {false};
std::atomic<bool> g_WindowResized {false};
std::atomic<bool> g_StartWindowed {false};

namespace {

constexpr int kClientWidth = 512;
constexpr int kClientHeight = 448;

// The client size for the window's current decorations, and the move that
// gives it at the top right of the primary screen.
bool MoveToWindowedSize(platform::Window& window)
{
    int screenWidth = 0, screenHeight = 0;
    platform::Window::GetScreenSize(screenWidth, screenHeight);
    int outerWidth = 0, outerHeight = 0, clientWidth = 0, clientHeight = 0;
    window.GetOuterSize(outerWidth, outerHeight);
    window.GetClientSize(clientWidth, clientHeight);
    const Point<int> decorations(outerWidth - clientWidth, outerHeight - clientHeight);
    const Point<int> size = WindowedClientSize(Point<int>(screenWidth, screenHeight), decorations);
    // The client goes below the title bar, so the whole frame is on screen
    // and the window can be dragged.
    return window.MoveClient(
        screenWidth - (size.x + decorations.x), window.GetTopDecoration(), size.x, size.y);
}

// The window may be made as small as the 512 x 448 picture, whatever size
// it opened at: the outer size at that client in g_MinTrackWidth/Height,
// which the window procedure reports, the client size for the window system.
void KeepAtLeastThePicture(platform::Window& window)
{
    int outerWidth = 0, outerHeight = 0, clientWidth = 0, clientHeight = 0;
    window.GetOuterSize(outerWidth, outerHeight);
    window.GetClientSize(clientWidth, clientHeight);
    g_MinTrackWidth = kClientWidth + (outerWidth - clientWidth);
    g_MinTrackHeight = kClientHeight + (outerHeight - clientHeight);
    window.SetMinimumClientSize(kClientWidth, kClientHeight);
}

} // namespace

Point<int> WindowedClientSize(Point<int> desktop, Point<int> decorations)
{
    const int across = (desktop.x - decorations.x) / kClientWidth;
    const int down = (desktop.y - decorations.y) / kClientHeight;
    const int scale = std::max(1, std::min(across, down));
    return Point<int>(kClientWidth * scale, kClientHeight * scale);
}

std::unique_ptr<platform::Window> CreateGameWindow()
{
    // Full screen covers the desktop; a window is sized once it exists.
    const bool fullScreen = g_FullScreen.load();
    int width = kClientWidth, height = kClientHeight;
    if (fullScreen)
        platform::Window::GetScreenSize(width, height);
    auto window
        = platform::Window::Create(kGameWindowTitle, 0, 0, width, height, g_AlwaysOnTop.load(), fullScreen);
    if (!window)
        return nullptr;
    // SDL sizes the client area directly; the decorations are only known once
    // the window exists, so the size and position are set afterwards.
    // Its smallest size is the picture's; a full-screen start sets it when
    // it first leaves full screen.
    g_MinTrackWidth = 0;
    g_MinTrackHeight = 0;
    if (!fullScreen) {
        MoveToWindowedSize(*window);
        KeepAtLeastThePicture(*window);
    }
    g_hWnd = window.get();
    return window;
}

bool FitGameWindow()
{
    if (!g_hWnd)
        return false;
    const bool moved = MoveToWindowedSize(*g_hWnd);
    if (g_MinTrackWidth == 0)
        KeepAtLeastThePicture(*g_hWnd);
    g_hWnd->Restore();
    g_hWnd->Raise();
    return moved;
}

bool ResizeGameWindow(int width, int height)
{
    if (!g_hWnd || g_FullScreen)
        return false;
    int screenWidth = 0, screenHeight = 0;
    platform::Window::GetScreenSize(screenWidth, screenHeight);
    int outerWidth = 0, outerHeight = 0, clientWidth = 0, clientHeight = 0;
    g_hWnd->GetOuterSize(outerWidth, outerHeight);
    g_hWnd->GetClientSize(clientWidth, clientHeight);
    const int decorationWidth = outerWidth - clientWidth;
    return g_hWnd->MoveClient(
        screenWidth - (width + decorationWidth), g_hWnd->GetTopDecoration(), width, height);
}

int GameWindowProc(platform::Window& window, const platform::WindowMessage& message)
{
    switch (message.type) {
    case platform::WindowMessage::Type::Close:
        // Closing destroys the game window, which posts the quit message.
        window.PostQuit();
        break;
    case platform::WindowMessage::Type::Resized:
        if (!g_FullScreen) {
            g_WindowResized = true;
            g_NeedResetWindow = true;
        }
        break;
    case platform::WindowMessage::Type::KeyUp:
        // Every key-up is consumed; only Print Screen does something.
        if (message.key == platform::PrintScreenScancode())
            g_ScreenshotRequested = true;
        break;
    case platform::WindowMessage::Type::None:
    case platform::WindowMessage::Type::Quit:
        break;
    }
    return 0;
}
