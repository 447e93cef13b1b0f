#include "engine/platform/Window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

// These run on a real X server without a window manager (ctest starts them
// under xvfb-run with QUENHOLT_X11_TESTS set); a bare run of the test program
// skips them.
namespace {

class X11Window : public testing::Test {
protected:
    void SetUp() override
    {
        if (std::getenv("QUENHOLT_X11_TESTS") == nullptr)
            GTEST_SKIP() << "needs an X server: run through ctest";
        window = platform::Window::Create("x11", 0, 0, 512, 448, false, true);
        ASSERT_NE(window, nullptr);
        const char* driver = SDL_GetCurrentVideoDriver();
        ASSERT_TRUE(driver && std::strcmp(driver, "x11") == 0) << (driver ? driver : "no video driver");
        ASSERT_TRUE(window->CreateGLContext());
        window->Show();
        platform::WindowMessage message;
        for (int pass = 0; pass < 20; ++pass) {
            while (window->PollMessage(message, nullptr)) { }
            SDL_Delay(5);
        }
    }
    std::unique_ptr<platform::Window> window;
};

} // namespace

TEST_F(X11Window, FullScreenNotGrantedGivesTheRealWindowsSizeToDrawInto)
{
    int screenWidth = 0, screenHeight = 0;
    platform::Window::GetScreenSize(screenWidth, screenHeight);
    ASSERT_GT(screenWidth, 512);
    // Full screen was asked for and SDL believes it: without a window manager
    // nobody grants it, and the window keeps the size it was made with.
    EXPECT_TRUE(window->IsFullScreen());
    int width = 0, height = 0;
    window->GetDrawableSize(width, height);
    EXPECT_EQ(width, 512);
    EXPECT_EQ(height, 448);

    // Windowed, SDL's own size is the real one.
    window->SetDesktopFullScreen(false);
    window->MoveClient(0, 0, 640, 480);
    platform::WindowMessage message;
    for (int pass = 0; pass < 20; ++pass) {
        while (window->PollMessage(message, nullptr)) { }
        SDL_Delay(5);
    }
    window->GetDrawableSize(width, height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
}
