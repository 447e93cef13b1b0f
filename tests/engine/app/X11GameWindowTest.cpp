#include "engine/app/GameWindow.h"
#include "engine/render/D3DDevice.h"
#include "tests/engine/app/X11WindowTransient.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

// The game window on a real X server without a window manager (ctest starts
// it under xvfb-run with QUENHOLT_X11_TESTS set; a bare run skips it): full
// screen is not granted there, so the window itself must have the screen's
// size, and leaving full screen gives the windowed size back.
namespace {

void Pump(platform::Window& window)
{
    platform::WindowMessage message;
    for (int pass = 0; pass < 20; ++pass) {
        while (window.PollMessage(message, nullptr)) { }
        SDL_Delay(5);
    }
}

// The game window, made as the program makes it, with its GL context and
// shown. A server just started by xvfb-run on a busy machine may refuse the
// first connection: a few tries; null when all fail.
std::unique_ptr<platform::Window> ShownGameWindow()
{
    std::unique_ptr<platform::Window> window;
    for (int attempt = 0; attempt < 5 && window == nullptr; ++attempt) {
        window = CreateGameWindow();
        if (window == nullptr)
            SDL_Delay(200);
    }
    if (window == nullptr || !window->CreateGLContext())
        return nullptr;
    window->Show();
    Pump(*window);
    return window;
}

} // namespace

// A window manager gives the game window a title bar and lets it be moved
// only when it is a top-level window of its own, never transient for another
// (SDL makes every X11 window transient for the root window), on top of the
// others or not; full screen and back leaves it so.
TEST(X11GameWindow, TheWindowIsATopLevelWindowOfItsOwn)
{
    if (std::getenv("QUENHOLT_X11_TESTS") == nullptr)
        GTEST_SKIP() << "needs an X server: run through ctest";
    g_FullScreen = false;
    for (const bool onTop : {false, true}) {
        g_AlwaysOnTop = onTop;
        std::unique_ptr<platform::Window> window = ShownGameWindow();
        ASSERT_NE(window, nullptr) << SDL_GetError();
        EXPECT_FALSE(IsX11WindowTransient(window->GetSDLWindow())) << "on top " << onTop;
        for (const bool fullScreen : {true, false}) {
            window->SetDesktopFullScreen(fullScreen);
            window->SetBordered(!fullScreen);
            Pump(*window);
        }
        EXPECT_FALSE(IsX11WindowTransient(window->GetSDLWindow()))
            << "on top " << onTop << ", full screen and back";
        window.reset();
        g_hWnd = nullptr;
    }
    g_AlwaysOnTop = false;
}

TEST(X11GameWindow, ARefusedFullScreenCoversTheScreenAndLeavingItFitsTheWindow)
{
    if (std::getenv("QUENHOLT_X11_TESTS") == nullptr)
        GTEST_SKIP() << "needs an X server: run through ctest";
    g_FullScreen = true;
    std::unique_ptr<platform::Window> window = ShownGameWindow();
    ASSERT_NE(window, nullptr) << SDL_GetError();
    int screenWidth = 0, screenHeight = 0;
    platform::Window::GetScreenSize(screenWidth, screenHeight);
    ASSERT_GT(screenWidth, 512);
    int width = 0, height = 0;
    window->GetDrawableSize(width, height);
    EXPECT_EQ(width, screenWidth);
    EXPECT_EQ(height, screenHeight);

    // Back in a window: the largest whole multiple of the picture, shown.
    g_FullScreen = false;
    window->SetDesktopFullScreen(false);
    EXPECT_TRUE(FitGameWindow());
    Pump(*window);
    window->GetClientSize(width, height);
    int outerWidth = 0, outerHeight = 0;
    window->GetOuterSize(outerWidth, outerHeight);
    const Point<int> expected = WindowedClientSize(
        Point<int>(screenWidth, screenHeight), Point<int>(outerWidth - width, outerHeight - height));
    EXPECT_EQ(width, expected.x);
    EXPECT_EQ(height, expected.y);
    // It can then be made as small as the picture.
    int minWidth = 0, minHeight = 0;
    window->GetMinimumClientSize(minWidth, minHeight);
    EXPECT_EQ(minWidth, 512);
    EXPECT_EQ(minHeight, 448);
    EXPECT_EQ(g_MinTrackWidth, 512 + outerWidth - width);
    window.reset();
    g_hWnd = nullptr;
    g_MinTrackWidth = 0;
    g_MinTrackHeight = 0;
}

// Full screen asked for from a window (the Display page's WINDOWED set to NO)
// and not granted: the window itself covers the screen, as at the start.
TEST(X11GameWindow, FullScreenAskedForFromAWindowCoversTheScreenWithoutAWindowManager)
{
    if (std::getenv("QUENHOLT_X11_TESTS") == nullptr)
        GTEST_SKIP() << "needs an X server: run through ctest";
    g_FullScreen = false;
    std::unique_ptr<platform::Window> window = ShownGameWindow();
    ASSERT_NE(window, nullptr) << SDL_GetError();
    int screenWidth = 0, screenHeight = 0;
    platform::Window::GetScreenSize(screenWidth, screenHeight);
    int width = 0, height = 0;
    window->GetDrawableSize(width, height);
    ASSERT_LT(width, screenWidth) << "the test needs a window smaller than the screen first";

    g_FullScreen = true;
    EXPECT_TRUE(window->SetDesktopFullScreen(true));
    Pump(*window);
    window->GetDrawableSize(width, height);
    EXPECT_EQ(width, screenWidth);
    EXPECT_EQ(height, screenHeight);
    int x = -1, y = -1;
    window->GetPosition(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    g_FullScreen = false;
    window.reset();
    g_hWnd = nullptr;
}
