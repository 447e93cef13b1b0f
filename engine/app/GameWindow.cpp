#include "engine/app/GameWindow.h"

#include "engine/render/D3DDevice.h"

platform::Window* g_hWnd = nullptr;
int g_MinTrackWidth = 0;
int g_MinTrackHeight = 0;
std::atomic<bool> g_AlwaysOnTop {false};
std::atomic<bool> g_WindowResized {false};
std::atomic<bool> g_StartWindowed {false};

namespace {

constexpr int kClientWidth = 512;
constexpr int kClientHeight = 448;

} // namespace

std::unique_ptr<platform::Window> CreateGameWindow()
{
    int screenWidth = 0, screenHeight = 0;
    auto window = platform::Window::Create(
        kGameWindowTitle, 0, 0, kClientWidth, kClientHeight, g_AlwaysOnTop.load(), g_FullScreen.load());
    if (!window)
        return nullptr;
    // SDL sizes the client area directly; the decorations are only known once
    // the window exists, so the position is set afterwards.
    platform::Window::GetScreenSize(screenWidth, screenHeight);
    int outerWidth = 0, outerHeight = 0;
    window->GetOuterSize(outerWidth, outerHeight);
    window->MoveClient(screenWidth - outerWidth, 0, kClientWidth, kClientHeight);
    g_hWnd = window.get();
    return window;
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
    return g_hWnd->MoveClient(screenWidth - (width + decorationWidth), 0, width, height);
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
