#include "engine/app/GameWindow.h"

#include "engine/platform/InputBridge.h"
#include "engine/render/D3DDevice.h"
#include "tests/engine/platform/SdlTestEvents.h"

#include <gtest/gtest.h>

namespace {

// The window is made on the test's own thread, as the render thread makes it.
class GLGameWindow : public testing::Test {
protected:
    void SetUp() override
    {
        g_FullScreen = false;
        g_WindowResized = false;
        g_NeedResetWindow = false;
        g_ScreenshotRequested = false;
        window = CreateGameWindow();
        ASSERT_NE(window, nullptr);
        Pump(); // what opening the window queued
    }
    void TearDown() override
    {
        window.reset();
        g_hWnd = nullptr;
        g_FullScreen = false;
        g_MinTrackWidth = 0;
        g_MinTrackHeight = 0;
    }

    // Pumps until the queue is empty; returns the messages for the window.
    std::vector<platform::WindowMessage> Pump(platform::InputBridge* bridge = nullptr)
    {
        std::vector<platform::WindowMessage> messages;
        platform::WindowMessage message;
        while (window->PollMessage(message, bridge))
            if (message.type != platform::WindowMessage::Type::None)
                messages.push_back(message);
        return messages;
    }

    // Pumps and lets the window procedure answer every message.
    void PumpAndAnswer(platform::InputBridge& bridge)
    {
        for (const auto& message : Pump(&bridge))
            GameWindowProc(*window, message);
    }

    std::unique_ptr<platform::Window> window;
};

} // namespace

TEST(GameWindowSize, TheLargestWholeMultipleThatFitsTheDesktop)
{
    struct Case {
        Point<int> desktop;
        Point<int> decorations;
        Point<int> client;
    };
    const Case cases[] = {
        {{1920, 1080}, {0, 0}, {1024, 896}}, {{1920, 1080}, {2, 30}, {1024, 896}},
        {{2560, 1440}, {0, 0}, {1536, 1344}}, {{3840, 2160}, {4, 40}, {2048, 1792}},
        {{1024, 896}, {0, 0}, {1024, 896}}, {{1024, 896}, {0, 28}, {512, 448}}, // the title bar would not fit
        {{1600, 900}, {0, 0}, {1024, 896}},                                     // the height decides
        {{1000, 2000}, {0, 0}, {512, 448}},                                     // the width decides
        {{800, 600}, {0, 0}, {512, 448}},
        {{400, 300}, {0, 0}, {512, 448}}, // smaller than the picture: the picture
    };
    for (const Case& c : cases) {
        const Point<int> client = WindowedClientSize(c.desktop, c.decorations);
        EXPECT_EQ(client.x, c.client.x) << c.desktop.x << " x " << c.desktop.y;
        EXPECT_EQ(client.y, c.client.y) << c.desktop.x << " x " << c.desktop.y;
    }
}

TEST_F(GLGameWindow, OpensAtItsWindowedSizeAtTheTopRightAndResizesThereOnlyWhenWindowed)
{
    EXPECT_EQ(g_hWnd, window.get());
    int screenWidth = 0, screenHeight = 0;
    platform::Window::GetScreenSize(screenWidth, screenHeight);
    int w = 0, h = 0, x = -1, y = -1, outerW = 0, outerH = 0;
    window->GetClientSize(w, h);
    window->GetOuterSize(outerW, outerH);
    window->GetPosition(x, y);
    const Point<int> expected
        = WindowedClientSize(Point<int>(screenWidth, screenHeight), Point<int>(outerW - w, outerH - h));
    EXPECT_EQ(w, expected.x);
    EXPECT_EQ(h, expected.y);
    EXPECT_EQ(x + outerW, screenWidth); // the right edges meet
    EXPECT_EQ(y, 0);
    // Whatever size it opened at, it can be made as small as the picture
    // (its outer size at that client), never smaller.
    int minW = 0, minH = 0;
    window->GetMinimumClientSize(minW, minH);
    EXPECT_EQ(minW, 512);
    EXPECT_EQ(minH, 448);
    EXPECT_EQ(g_MinTrackWidth, 512 + outerW - w);
    EXPECT_EQ(g_MinTrackHeight, 448 + outerH - h);

    for (const Point<int> size : {Point<int>(512, 448), Point<int>(1024, 896), Point<int>(600, 500)}) {
        ASSERT_TRUE(ResizeGameWindow(size.x, size.y)) << size.x << " x " << size.y;
        window->GetClientSize(w, h);
        window->GetPosition(x, y);
        EXPECT_EQ(w, size.x);
        EXPECT_EQ(h, size.y);
        EXPECT_EQ(x, screenWidth - size.x - (outerW - expected.x));
    }
    EXPECT_FALSE(ResizeGameWindow(400, 300));
    window->GetClientSize(w, h);
    EXPECT_EQ(w, 512);
    EXPECT_EQ(h, 448);
    ASSERT_TRUE(ResizeGameWindow(1024, 896));

    // In full screen neither a resize nor its message touches the window or
    // the reset flags.
    platform::WindowMessage resized;
    resized.type = platform::WindowMessage::Type::Resized;
    g_FullScreen = true;
    EXPECT_FALSE(ResizeGameWindow(640, 480));
    GameWindowProc(*window, resized);
    window->GetClientSize(w, h);
    EXPECT_EQ(w, 1024);
    EXPECT_FALSE(g_WindowResized);
    EXPECT_FALSE(g_NeedResetWindow);
    g_FullScreen = false;
    GameWindowProc(*window, resized);
    EXPECT_TRUE(g_WindowResized);
    EXPECT_TRUE(g_NeedResetWindow);
}

TEST_F(GLGameWindow, PrintScreenRequestsAScreenshotOnKeyUpOnly)
{
    platform::InputBridge bridge;
    ASSERT_TRUE(PushKeyForTest(true, platform::PrintScreenScancode()));
    PumpAndAnswer(bridge);
    EXPECT_FALSE(g_ScreenshotRequested);
    EXPECT_TRUE(bridge.Snapshot().keys[platform::PrintScreenScancode()]);

    ASSERT_TRUE(PushKeyForTest(false, SDL_SCANCODE_A));
    PumpAndAnswer(bridge);
    EXPECT_FALSE(g_ScreenshotRequested);

    ASSERT_TRUE(PushKeyForTest(false, platform::PrintScreenScancode()));
    PumpAndAnswer(bridge);
    EXPECT_TRUE(g_ScreenshotRequested);
    EXPECT_FALSE(bridge.Snapshot().keys[platform::PrintScreenScancode()]);
}

TEST_F(GLGameWindow, CloseBecomesTheQuitMessage)
{
    ASSERT_TRUE(PushCloseForTest());
    auto messages = Pump();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].type, platform::WindowMessage::Type::Close);
    GameWindowProc(*window, messages[0]);
    messages = Pump();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].type, platform::WindowMessage::Type::Quit);
}

TEST_F(GLGameWindow, CtrlVPastesTheClipboardsFirstLine)
{
    SDL_SetClipboardText("addgold 5\nsecond line");
    platform::InputBridge bridge;
    ASSERT_TRUE(PushKeyForTest(true, SDL_SCANCODE_V, SDLK_v, KMOD_LCTRL));
    Pump(&bridge);
    bool pasted = false;
    for (const auto& event : bridge.TakeEvents())
        if (event.type == platform::InputEvent::Type::Paste) {
            pasted = true;
            EXPECT_EQ(event.text, "addgold 5");
        }
    EXPECT_TRUE(pasted);
}

TEST_F(GLGameWindow, VirtualPadIsOpenedAndItsButtonsReachTheBridge)
{
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 1);
    ASSERT_GE(device, 0) << SDL_GetError();
    platform::InputBridge bridge;
    Pump(&bridge);
    ASSERT_TRUE(bridge.Snapshot().pads[0].connected);

    SDL_Joystick* handle = SDL_JoystickOpen(device);
    ASSERT_NE(handle, nullptr);
    SDL_JoystickSetVirtualButton(handle, 2, SDL_PRESSED);
    SDL_JoystickSetVirtualAxis(handle, 1, -20000);
    SDL_JoystickUpdate();
    Pump(&bridge);
    const auto state = bridge.Snapshot();
    EXPECT_TRUE(state.pads[0].buttons[2]);
    EXPECT_EQ(state.pads[0].axes[1], -20000);
    SDL_JoystickClose(handle);
    SDL_JoystickDetachVirtual(device);
    Pump(&bridge);
    EXPECT_FALSE(bridge.Snapshot().pads[0].connected);
}
