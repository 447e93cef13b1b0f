#pragma once

#include "engine/config/GameConfig.h"
#include "engine/input/DXInputManager.h"
#include "engine/input/InputGameAccess.h"
#include "engine/platform/InputBridge.h"
#include "engine/platform/Window.h"
#include "tests/engine/input/InputTestSupport.h"
#include "tests/engine/platform/SdlTestEvents.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

// A pad made by SDL's virtual joystick driver: a game controller (SDL gives
// it a mapping in the order A, B, X, Y, Back, Guide, Start, sticks, shoulders,
// the directional pad as buttons 11 to 14; axes left X, Y, right X, Y, left and
// right trigger) or a plain joystick.
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
        desc.name = controller ? "virtual controller" : "virtual joystick";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        if (index >= 0)
            joystick = SDL_JoystickOpen(index);
    }
    ~VirtualPad() { Detach(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool Attached() const { return joystick != nullptr; }
    bool Button(int button, bool down) { return SDL_JoystickSetVirtualButton(joystick, button, down) == 0; }
    bool Axis(int axis, int value)
    {
        return SDL_JoystickSetVirtualAxis(joystick, axis, static_cast<Sint16>(value)) == 0;
    }
    bool Hat(int hat, Uint8 bits) { return SDL_JoystickSetVirtualHat(joystick, hat, bits) == 0; }
    void Detach()
    {
        if (!joystick)
            return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id)
                SDL_JoystickDetachVirtual(i);
    }

    // The raw value whose scaled extended-state value is thousandths.
    static int RawFor(int thousandths) { return static_cast<int>(std::lround(thousandths * 32.767)); }

private:
    SDL_Joystick* joystick = nullptr;
};

// The render thread's side (the window and its event pump, here on the test's
// own thread) feeding the bridge, and the main thread's input manager reading
// it. Recorded SDL events go in through SDL's own queue.
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
    void TearDown() override
    {
        manager->Release();
        manager.reset();
        window.reset();
    }

    const GameConfig* GetConfig() override { return &config; }
    bool IsDebugMode() override { return debug; }

    // Runs the window's pump until SDL's queue is empty; true when the pump
    // turned up a close message.
    bool Pump()
    {
        bool close = false;
        platform::WindowMessage message;
        while (window->PollMessage(message, &bridge))
            close |= message.type == platform::WindowMessage::Type::Close;
        return close;
    }

    // Pumps, polls and returns the pressed record.
    InputActions Poll()
    {
        Pump();
        manager->Poll();
        return manager->GetPressedActions();
    }

    void Key(bool down, SDL_Scancode key, Uint16 mod = KMOD_NONE, SDL_Keycode sym = SDLK_UNKNOWN)
    {
        ASSERT_TRUE(PushKeyForTest(down, key, sym, mod));
    }
    // One poll with the key going down, returns the pressed record; the key
    // goes up again and one more poll follows.
    InputActions Tap(SDL_Scancode key)
    {
        Key(true, key);
        const InputActions pressed = Poll();
        Key(false, key);
        Poll();
        return pressed;
    }

    GameConfig config;
    bool debug = false;
    platform::InputBridge bridge;
    std::unique_ptr<platform::Window> window;
    std::unique_ptr<DXInputManager> manager;
};
