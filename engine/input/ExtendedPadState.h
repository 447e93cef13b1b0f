#pragma once

#include <array>
#include <cstdint>

#include "engine/platform/InputBridge.h"

// The pad as the input manager reads it: the extended joystick state with
// axes from -1000 to 1000, the hats in hundredths of a degree clockwise from
// up (centred 0xFFFF) and 128 button bytes (0x80 held).
struct ExtendedPadState {
    static constexpr uint32_t kHatCentred = 0xFFFF;

    int32_t lX = 0;
    int32_t lY = 0;
    int32_t lZ = 0;
    int32_t lRx = 0;
    int32_t lRy = 0;
    int32_t lRz = 0;
    std::array<int32_t, 2> rglSlider {};
    std::array<uint32_t, 4> rgdwPOV {kHatCentred, kHatCentred, kHatCentred, kHatCentred};
    std::array<uint8_t, 128> rgbButtons {};

    // The state of one pad slot of the bridge.
    static ExtendedPadState FromBridge(const platform::InputState::Pad& pad);
};

// One buffered pad event: the offset of what changed in the extended state
// (button n at 48 + n, X 0, Y 4, Z 8, Rx 12, Ry 16, Rz 20, sliders 24 and 28,
// hat n at 32 + 4n) and its new value (0x80 / 0 for buttons).
struct PadBufferedEvent {
    uint32_t offset = 0;
    int32_t data = 0;
};

// -32768..32767 to -1000..1000, the ends onto the ends.
int32_t ScalePadAxis(int32_t value);
// SDL hat bits to hundredths of a degree; centred (or an impossible
// combination) gives 0xFFFF.
uint32_t HatToHundredths(int32_t bits);
// The buffered event a bridge pad event stands for; false for events that
// have none (pads added or removed, buttons, axes or hats past the layout).
bool ToPadBufferedEvent(const platform::InputEvent& event, PadBufferedEvent& out);
