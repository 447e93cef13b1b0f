#include "engine/platform/GamePad.h"

#include "engine/platform/InputBridge.h"

#include <SDL.h>

#include <algorithm>

namespace platform {

namespace {

// Pad axes of the bridge's layout.
constexpr int kAxisX = 0;
constexpr int kAxisY = 1;
constexpr int kAxisZ = 2;
constexpr int kAxisRx = 3;
constexpr int kAxisRy = 4;

void PushPad(InputBridge& bridge, InputEvent::Type type, int slot, int code, int value)
{
    InputEvent event;
    event.type = type;
    event.pad = slot;
    event.code = code;
    event.value = value;
    bridge.Push(std::move(event));
}

uint8_t DpadBit(int controllerButton)
{
    switch (controllerButton) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return SDL_HAT_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return SDL_HAT_DOWN;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return SDL_HAT_LEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return SDL_HAT_RIGHT;
    default:
        return 0;
    }
}

} // namespace

GamePad::~GamePad()
{
    Close();
}

bool GamePad::Open(int deviceIndex)
{
    Close();
    if (SDL_IsGameController(deviceIndex)) {
        if (SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex)) {
            controller_ = controller;
            joystick_ = SDL_GameControllerGetJoystick(controller);
        }
    }
    if (!joystick_)
        joystick_ = SDL_JoystickOpen(deviceIndex);
    if (!joystick_)
        return false;
    instanceId_ = SDL_JoystickInstanceID(static_cast<SDL_Joystick*>(joystick_));
    return true;
}

void GamePad::Close()
{
    if (controller_)
        SDL_GameControllerClose(static_cast<SDL_GameController*>(controller_));
    else if (joystick_)
        SDL_JoystickClose(static_cast<SDL_Joystick*>(joystick_));
    controller_ = nullptr;
    joystick_ = nullptr;
    instanceId_ = -1;
    leftTrigger_ = rightTrigger_ = 0;
    dpad_ = 0;
}

std::string GamePad::GetName() const
{
    const char* name = nullptr;
    if (controller_)
        name = SDL_GameControllerName(static_cast<SDL_GameController*>(controller_));
    else if (joystick_)
        name = SDL_JoystickName(static_cast<SDL_Joystick*>(joystick_));
    return name ? name : "";
}

int GamePad::LayoutButton(int controllerButton)
{
    switch (controllerButton) {
    case SDL_CONTROLLER_BUTTON_A:
        return 0;
    case SDL_CONTROLLER_BUTTON_B:
        return 1;
    case SDL_CONTROLLER_BUTTON_X:
        return 2;
    case SDL_CONTROLLER_BUTTON_Y:
        return 3;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return 4;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        return 5;
    case SDL_CONTROLLER_BUTTON_BACK:
        return 6;
    case SDL_CONTROLLER_BUTTON_START:
        return 7;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK:
        return 8;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK:
        return 9;
    case SDL_CONTROLLER_BUTTON_GUIDE:
        return 10;
    default:
        return -1;
    }
}

int16_t GamePad::CombinedTriggers(int16_t left, int16_t right)
{
    const int z = std::max<int>(left, 0) - std::max<int>(right, 0);
    return static_cast<int16_t>(std::clamp(z, -32768, 32767));
}

bool GamePad::Translate(const SDL_Event& event, int slot, InputBridge& bridge)
{
    if (!joystick_)
        return false;
    return controller_ ? TranslateController(event, slot, bridge) : TranslateJoystick(event, slot, bridge);
}

bool GamePad::TranslateController(const SDL_Event& event, int slot, InputBridge& bridge)
{
    switch (event.type) {
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        if (event.cbutton.which != instanceId_)
            return false;
        const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
        if (const uint8_t bit = DpadBit(event.cbutton.button)) {
            dpad_ = down ? (dpad_ | bit) : (dpad_ & ~bit);
            PushPad(bridge, InputEvent::Type::PadHat, slot, 0, dpad_);
        } else if (const int button = LayoutButton(event.cbutton.button); button >= 0) {
            PushPad(bridge, down ? InputEvent::Type::PadButtonDown : InputEvent::Type::PadButtonUp, slot,
                button, 0);
        }
        return true;
    }
    case SDL_CONTROLLERAXISMOTION: {
        if (event.caxis.which != instanceId_)
            return false;
        const int16_t value = event.caxis.value;
        switch (event.caxis.axis) {
        case SDL_CONTROLLER_AXIS_LEFTX:
            PushPad(bridge, InputEvent::Type::PadAxis, slot, kAxisX, value);
            break;
        case SDL_CONTROLLER_AXIS_LEFTY:
            PushPad(bridge, InputEvent::Type::PadAxis, slot, kAxisY, value);
            break;
        case SDL_CONTROLLER_AXIS_RIGHTX:
            PushPad(bridge, InputEvent::Type::PadAxis, slot, kAxisRx, value);
            break;
        case SDL_CONTROLLER_AXIS_RIGHTY:
            PushPad(bridge, InputEvent::Type::PadAxis, slot, kAxisRy, value);
            break;
        case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
        case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
            (event.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT ? leftTrigger_ : rightTrigger_) = value;
            PushPad(bridge, InputEvent::Type::PadAxis, slot, kAxisZ,
                CombinedTriggers(leftTrigger_, rightTrigger_));
            break;
        default:
            break;
        }
        return true;
    }
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        return event.jbutton.which == instanceId_; // the controller events carry them
    case SDL_JOYAXISMOTION:
        return event.jaxis.which == instanceId_;
    case SDL_JOYHATMOTION:
        return event.jhat.which == instanceId_;
    default:
        return false;
    }
}

bool GamePad::TranslateJoystick(const SDL_Event& event, int slot, InputBridge& bridge)
{
    switch (event.type) {
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        if (event.jbutton.which != instanceId_)
            return false;
        PushPad(bridge,
            event.type == SDL_JOYBUTTONDOWN ? InputEvent::Type::PadButtonDown : InputEvent::Type::PadButtonUp,
            slot, event.jbutton.button, 0);
        return true;
    case SDL_JOYAXISMOTION:
        if (event.jaxis.which != instanceId_)
            return false;
        PushPad(bridge, InputEvent::Type::PadAxis, slot, event.jaxis.axis, event.jaxis.value);
        return true;
    case SDL_JOYHATMOTION:
        if (event.jhat.which != instanceId_)
            return false;
        PushPad(bridge, InputEvent::Type::PadHat, slot, event.jhat.hat, event.jhat.value);
        return true;
    default:
        return false;
    }
}

} // namespace platform
