#pragma once

#include "engine/config/GameConfig.h"
#include "engine/input/DXInputManager.h"
#include "engine/input/InputGameAccess.h"
#include "engine/platform/Window.h"
#include "tests/engine/input/InputTestSupport.h"
#include "tests/engine/platform/SdlTestEvents.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

// A pad of SDL's virtual joystick driver: a game controller (SDL maps it as A,
// B, X, Y, Back, Guide, Start, sticks, shoulders, then the directional pad as
// buttons 11 to 14; axes left X, Y, right X, Y, triggers) or a plain joystick.
class VirtualPad {
public:
    VirtualPad(bool controller, int buttons, int axes, int hats)
    {
        SDL_VirtualJoystickDesc desc {};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = controller ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.nbuttons = static_cast<Uint16>(buttons);
        desc.naxes = static_cast<Uint16>(axes);
        desc.nhats = static_cast<Uint16>(hats);
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        joystick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
    }
    ~VirtualPad() { Detach(); }

    bool Button(int button, bool down) { return SDL_JoystickSetVirtualButton(joystick, button, down) == 0; }
    bool Axis(int axis, int value) { return SDL_JoystickSetVirtualAxis(joystick, axis, Sint16(value)) == 0; }
    bool Hat(int hat, Uint8 bits) { return SDL_JoystickSetVirtualHat(joystick, hat, bits) == 0; }
    void Detach()
    {
        if (!joystick)
            return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
        SDL_JoystickClose(std::exchange(joystick, nullptr));
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id)
                SDL_JoystickDetachVirtual(i);
    }
    // The raw axis value read back as this many thousandths.
    static int RawFor(int thousandths) { return static_cast<int>(std::lround(thousandths * 32.767)); }

private:
    SDL_Joystick* joystick = nullptr;
};

// The render thread's side (the window's event pump, here on the test's own
// thread) feeding the bridge, and the input manager polling it. Recorded SDL
// events go in through SDL's own queue.
class InputDeviceFixture : public testing::Test, public InputGameAccess {
protected:
    void SetUp() override
    {
        window = platform::Window::Create("input", 0, 0, 64, 64, false, false);
        ASSERT_NE(window, nullptr);
        Pump();
        bridge.Clear();
        manager = std::make_unique<DXInputManager>(&bridge);
        ASSERT_TRUE(manager->Init());
        manager->SetGameAccess(this);
    }
    void TearDown() override { manager->Release(); }

    const GameConfig* GetConfig() override { return &config; }
    bool IsDebugMode() override { return debug; }
    bool IsConsoleOpen() override { return consoleOpen; }

    // Pumps SDL's queue empty; true when a close message came out of it.
    bool Pump()
    {
        bool close = false;
        platform::WindowMessage message;
        while (window->PollMessage(message, &bridge))
            close |= message.type == platform::WindowMessage::Type::Close;
        return close;
    }
    InputActions Poll()
    {
        Pump();
        manager->Poll();
        return manager->GetPressedActions();
    }
    // One poll with the three records it must give.
    void ExpectPoll(const InputActions& pressed, const InputActions& before, const InputActions& released)
    {
        EXPECT_EQ(Poll(), pressed);
        EXPECT_EQ(manager->GetPreviousActions(), before);
        EXPECT_EQ(manager->GetReleasedActions(), released);
    }
    void Key(bool down, SDL_Scancode key, Uint16 mod = KMOD_NONE, SDL_Keycode sym = SDLK_UNKNOWN)
    {
        ASSERT_TRUE(PushKeyForTest(down, key, sym, mod));
    }
    // The pressed record of a poll with the key down; it goes up again after.
    InputActions Tap(SDL_Scancode key)
    {
        Key(true, key);
        const InputActions pressed = Poll();
        Key(false, key);
        Poll();
        return pressed;
    }
    void PushText(const char* text)
    {
        SDL_Event event {};
        event.type = SDL_TEXTINPUT;
        SDL_strlcpy(event.text.text, text, sizeof(event.text.text));
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    GameConfig config;
    bool debug = false;
    bool consoleOpen = false;
    platform::InputBridge bridge;
    std::unique_ptr<platform::Window> window;
    std::unique_ptr<DXInputManager> manager;
};
