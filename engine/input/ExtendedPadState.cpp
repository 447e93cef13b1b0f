#include "engine/input/ExtendedPadState.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr uint32_t kButtonOffset = 48;
constexpr uint32_t kHatOffset = 32;

} // namespace

int32_t ScalePadAxis(int32_t value)
{
    if (value >= 0)
        return static_cast<int32_t>(std::lround(std::min(value, 32767) * 1000.0 / 32767.0));
    return static_cast<int32_t>(std::lround(std::max(value, -32768) * 1000.0 / 32768.0));
}

uint32_t HatToHundredths(int32_t bits)
{
    // SDL: up 1, right 2, down 4, left 8.
    switch (bits) {
    case 1:
        return 0;
    case 1 | 2:
        return 4500;
    case 2:
        return 9000;
    case 2 | 4:
        return 13500;
    case 4:
        return 18000;
    case 4 | 8:
        return 22500;
    case 8:
        return 27000;
    case 8 | 1:
        return 31500;
    default:
        return ExtendedPadState::kHatCentred;
    }
}

ExtendedPadState ExtendedPadState::FromBridge(const platform::InputState::Pad& pad)
{
    ExtendedPadState state;
    if (!pad.connected)
        return state;
    int32_t* const axes[] = {&state.lX, &state.lY, &state.lZ, &state.lRx, &state.lRy, &state.lRz,
        &state.rglSlider[0], &state.rglSlider[1]};
    static_assert(std::size(axes) == platform::InputState::kPadAxes);
    for (size_t i = 0; i < std::size(axes); ++i)
        *axes[i] = ScalePadAxis(pad.axes[i]);
    for (size_t i = 0; i < state.rgdwPOV.size(); ++i)
        state.rgdwPOV[i] = HatToHundredths(pad.hats[i]);
    for (size_t i = 0; i < pad.buttons.size(); ++i)
        state.rgbButtons[i] = pad.buttons[i] ? 0x80 : 0;
    return state;
}

bool ToPadBufferedEvent(const platform::InputEvent& event, PadBufferedEvent& out)
{
    using Type = platform::InputEvent::Type;
    using platform::InputState;
    switch (event.type) {
    case Type::PadButtonDown:
    case Type::PadButtonUp:
        if (event.code < 0 || event.code >= InputState::kPadButtons)
            return false;
        out.offset = kButtonOffset + static_cast<uint32_t>(event.code);
        out.data = event.type == Type::PadButtonDown ? 0x80 : 0;
        return true;
    case Type::PadAxis:
        if (event.code < 0 || event.code >= InputState::kPadAxes)
            return false;
        out.offset = 4u * static_cast<uint32_t>(event.code);
        out.data = ScalePadAxis(event.value);
        return true;
    case Type::PadHat:
        if (event.code < 0 || event.code >= InputState::kPadHats)
            return false;
        out.offset = kHatOffset + 4u * static_cast<uint32_t>(event.code);
        out.data = static_cast<int32_t>(HatToHundredths(event.value));
        return true;
    default:
        return false;
    }
}
