#include "engine/platform/InputBridge.h"

#include "engine/platform/KeyCodes.h"

#include <utility>

namespace platform {

namespace {

bool ValidPad(int pad)
{
    return pad >= 0 && pad < InputState::kPadCount;
}

} // namespace

void InputBridge::Push(InputEvent event)
{
    std::lock_guard lock(mutex_);
    switch (event.type) {
    case InputEvent::Type::KeyDown:
    case InputEvent::Type::KeyUp: {
        const bool down = event.type == InputEvent::Type::KeyDown;
        if (event.code >= 0 && event.code < InputState::kKeyCount) {
            event.pcCode = PcScancodeFromSdl(event.code);
            state_.keys[event.code] = down;
            if (event.pcCode > 0)
                state_.pcKeys[static_cast<size_t>(event.pcCode)] = down;
        }
        break;
    }
    case InputEvent::Type::Paste:
        event.text = FirstLineForPaste(event.text);
        break;
    case InputEvent::Type::PadAdded:
        if (ValidPad(event.pad))
            state_.pads[event.pad].connected = true;
        break;
    case InputEvent::Type::PadRemoved:
        if (ValidPad(event.pad))
            state_.pads[event.pad] = InputState::Pad {};
        break;
    case InputEvent::Type::PadButtonDown:
    case InputEvent::Type::PadButtonUp:
        if (ValidPad(event.pad) && event.code >= 0 && event.code < InputState::kPadButtons)
            state_.pads[event.pad].buttons[event.code] = event.type == InputEvent::Type::PadButtonDown;
        break;
    case InputEvent::Type::PadAxis:
        if (ValidPad(event.pad) && event.code >= 0 && event.code < InputState::kPadAxes)
            state_.pads[event.pad].axes[event.code] = static_cast<int16_t>(event.value);
        break;
    case InputEvent::Type::PadHat:
        if (ValidPad(event.pad) && event.code >= 0 && event.code < InputState::kPadHats)
            state_.pads[event.pad].hats[event.code] = static_cast<uint8_t>(event.value);
        break;
    case InputEvent::Type::Text:
        break;
    }
    if (queue_.size() >= kMaxQueued)
        queue_.pop_front();
    queue_.push_back(std::move(event));
}

std::vector<InputEvent> InputBridge::TakeEvents()
{
    std::lock_guard lock(mutex_);
    std::vector<InputEvent> events(
        std::make_move_iterator(queue_.begin()), std::make_move_iterator(queue_.end()));
    queue_.clear();
    return events;
}

InputState InputBridge::Snapshot() const
{
    std::lock_guard lock(mutex_);
    return state_;
}

void InputBridge::Take(std::vector<InputEvent>& events, InputState& state)
{
    std::lock_guard lock(mutex_);
    events.assign(std::make_move_iterator(queue_.begin()), std::make_move_iterator(queue_.end()));
    queue_.clear();
    state = state_;
}

void InputBridge::PostClose()
{
    std::lock_guard lock(mutex_);
    closeRequested_ = true;
}

bool InputBridge::TakeCloseRequest()
{
    std::lock_guard lock(mutex_);
    return std::exchange(closeRequested_, false);
}

void InputBridge::SetPadName(int pad, std::string name)
{
    std::lock_guard lock(mutex_);
    if (ValidPad(pad))
        state_.pads[pad].name = std::move(name);
}

void InputBridge::Clear()
{
    std::lock_guard lock(mutex_);
    queue_.clear();
    state_ = InputState {};
    closeRequested_ = false;
}

std::string InputBridge::FirstLineForPaste(const std::string& text)
{
    std::string line = text.substr(0, text.find_first_of("\r\n"));
    if (line.size() > kMaxPaste)
        line.resize(kMaxPaste);
    return line;
}

} // namespace platform
