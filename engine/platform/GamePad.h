#pragma once

#include <cstdint>
#include <string>

union SDL_Event;

namespace platform {

class InputBridge;

// One pad opened by the window's event pump. SDL's game-controller API is used
// where SDL has a mapping for the device, the raw joystick otherwise; either
// way the pad's events reach the bridge in the one layout InputEvent
// describes (buttons A, B, X, Y, LB, RB, Back, Start, sticks; Z from the two
// triggers; the directional pad as hat 0).
class GamePad {
public:
    GamePad() = default;
    ~GamePad();
    GamePad(const GamePad&) = delete;
    GamePad& operator=(const GamePad&) = delete;

    // Opens the device at this SDL device index; false when it cannot.
    bool Open(int deviceIndex);
    void Close();
    bool IsOpen() const { return joystick_ != nullptr; }
    bool IsGameController() const { return controller_ != nullptr; }
    int GetInstanceId() const { return instanceId_; }
    std::string GetName() const;

    // Pushes what one SDL event of this pad means to the bridge, for the
    // bridge's pad slot given. False when the event is not this pad's.
    bool Translate(const SDL_Event& event, int slot, InputBridge& bridge);

    // Layout index of a game-controller button; the directional pad and
    // buttons beyond the layout give -1.
    static int LayoutButton(int controllerButton);
    // Z from the two trigger positions (0 to 32767 each): left pushes it up,
    // right pushes it down.
    static int16_t CombinedTriggers(int16_t left, int16_t right);

private:
    bool TranslateController(const SDL_Event& event, int slot, InputBridge& bridge);
    bool TranslateJoystick(const SDL_Event& event, int slot, InputBridge& bridge);

    void* joystick_ = nullptr;   // SDL_Joystick, owned unless a controller owns it
    void* controller_ = nullptr; // SDL_GameController, or null for a raw joystick
    int instanceId_ = -1;
    int16_t leftTrigger_ = 0;
    int16_t rightTrigger_ = 0;
    uint8_t dpad_ = 0; // SDL hat bits of the directional pad
};

} // namespace platform
