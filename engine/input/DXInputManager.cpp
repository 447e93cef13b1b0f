#include "engine/input/DXInputManager.h"

#include "engine/input/ExtendedPadState.h"
#include "engine/input/InputGameAccess.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

namespace {

using platform::InputEvent;
using ActionFlag = bool InputActions::*;

// The manager CaptureTypedText reads, set by Init.
DXInputManager* g_InputManager = nullptr;

// PC set-1 codes the manager looks at itself.
constexpr uint32_t kEscape = 1;
constexpr uint32_t kBackspace = 14;
constexpr uint32_t kTab = 15;
constexpr uint32_t kKeyR = 19;
constexpr uint32_t kEnter = 28;
constexpr uint32_t kLeftCtrl = 29;
constexpr uint32_t kLeftShift = 42;
constexpr uint32_t kRightShift = 54;
constexpr uint32_t kLeftAlt = 56;
constexpr uint32_t kSpace = 57;
constexpr uint32_t kF4 = 62;
constexpr uint32_t kRightCtrl = 157;
constexpr uint32_t kRightAlt = 184;
constexpr uint32_t kUp = 200;
constexpr uint32_t kLeft = 203;
constexpr uint32_t kRight = 205;
constexpr uint32_t kDown = 208;
constexpr uint32_t kDelete = 211;

// Pad codes: buttons at 48 + n, the Z axis at 8.
constexpr uint32_t kPadButton0 = 48;
constexpr uint32_t kPadButtonLast = 79;
constexpr uint32_t kPadZ = 8;
constexpr int kPadButtonsRead = 32;

struct BindingAction {
    size_t binding;
    ActionFlag flag;
};

// Events of either device set these, the keyboard through the even bindings,
// the pad through the odd ones.
constexpr BindingAction kKeyEventActions[]
    = {{16, &InputActions::Action7}, {18, &InputActions::Action8}, {4, &InputActions::Action1},
        {6, &InputActions::Action2}, {8, &InputActions::Action3}, {10, &InputActions::Action4},
        {22, &InputActions::Action10}, {12, &InputActions::Action5}, {14, &InputActions::Action6}};
// The held state adds Action9, which no event sets.
constexpr BindingAction kKeyHeldActions[] = {{16, &InputActions::Action7}, {18, &InputActions::Action8},
    {4, &InputActions::Action1}, {6, &InputActions::Action2}, {8, &InputActions::Action3},
    {10, &InputActions::Action4}, {20, &InputActions::Action9}, {22, &InputActions::Action10},
    {12, &InputActions::Action5}, {14, &InputActions::Action6}};

// The device input an event stands for, by the buffered-event rule: a value
// with bit 7 set is a press, 0 a release; the pad's Z axis is pressed one way
// or the other beyond 100 and is no input in between (a release of it stays
// a release, of no code).
struct DeviceInput {
    InputTriggerer input;
    bool released = false;
};

DeviceInput FromBufferedEvent(uint32_t offset, int32_t data, bool padZ)
{
    DeviceInput result;
    if (data & 0x80)
        result.input.code = offset;
    if (data == 0) {
        result.input.code = offset;
        result.released = true;
    }
    if (padZ) {
        if (data < -100)
            result.input = InputTriggerer(kPadZ, -1);
        else if (data > 100)
            result.input = InputTriggerer(kPadZ, 1);
        else
            result.input = InputTriggerer();
    }
    result.input.state = result.released;
    return result;
}

// Sets the flag of every binding the input matches. Code 0 stands for no
// input and matches no binding (unbound actions never fire).
template <size_t N>
void MatchActions(const GameConfig& config, const InputTriggerer& input, size_t padSide,
    const BindingAction (&table)[N], InputActions& target)
{
    if (input.code == 0)
        return;
    for (const BindingAction& entry : table)
        if (input == config.GetBinding(entry.binding + padSide))
            target.*entry.flag = true;
}

// The characters the console's line takes: the letters, the punctuation of
// the commands and their paths, the space and the digits. Anything else (a
// capital, "=", "[") is no character of a command and is not typed.
constexpr std::string_view kTypedCharacters[]
    = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p", "q", "r", "s", "t",
        "u", "v", "w", "x", "y", "z", "&", "\xC3\xA9", "\"", "'", "(", "-", "_", ")", "$", "*", "!", ":", "/",
        ".", ";", ",", "?", "\\", " ", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "~"};

bool IsTypedCharacter(const std::string& character)
{
    return std::find(std::begin(kTypedCharacters), std::end(kTypedCharacters), character)
        != std::end(kTypedCharacters);
}

// Splits UTF-8 text into its characters, keeping the printable ones.
std::vector<std::string> PrintableCharacters(const std::string& text)
{
    std::vector<std::string> characters;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = 1;
        if (lead >= 0xF0)
            length = 4;
        else if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC0)
            length = 2;
        length = std::min(length, text.size() - i);
        if (length > 1 || (lead >= 0x20 && lead != 0x7F))
            characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

// The raw keys of a poll, without the game's actions.
InputActions ConsoleKeysOnly(const InputActions& pressed)
{
    InputActions kept;
    kept.RawTab = pressed.RawTab;
    kept.RawShift = pressed.RawShift;
    kept.RawCtrl = pressed.RawCtrl;
    kept.RawRightAlt = pressed.RawRightAlt;
    kept.RawBackspace = pressed.RawBackspace;
    kept.RawEnter = pressed.RawEnter;
    return kept;
}

} // namespace

DXInputManager::DXInputManager(platform::InputBridge* window)
    : window(window)
{
}

DXInputManager::~DXInputManager()
{
    if (g_InputManager == this)
        g_InputManager = nullptr;
}

bool DXInputManager::Init()
{
    if (!window) {
        errorText = "Keyboard was not initialized because the device is unknowed";
        return false;
    }
    initialized = true;
    padSlot = -1;
    g_InputManager = this;
    return true; // no pad at all is not a failure
}

bool DXInputManager::Acquire()
{
    if (!initialized) {
        errorText = "Keyboard can't be acquired because of it is not initialized";
        return false;
    }
    return true;
}

void DXInputManager::Release()
{
    initialized = false;
    padSlot = -1;
    if (g_InputManager == this)
        g_InputManager = nullptr;
}

bool DXInputManager::IsCtrlHeld() const
{
    return IsKeyHeld(kLeftCtrl) || IsKeyHeld(kRightCtrl);
}

void DXInputManager::Poll()
{
    previous = current;
    InputActions pressed;
    InputActions releasedNow;
    lastKeyboardInput = InputTriggerer();
    lastPadInput = InputTriggerer();
    if (!typedRead)
        typed.clear();
    typedRead = false;

    if (!Acquire()) {
        current = pressed;
        released = releasedNow;
        return;
    }
    std::vector<InputEvent> events;
    platform::InputState state;
    window->Take(events, state);

    bindings = GameConfig();
    bool debug = false;
    bool consoleOpen = false;
    if (gameAccess) {
        if (const GameConfig* config = gameAccess->GetConfig())
            bindings = *config;
        debug = gameAccess->IsDebugMode();
        consoleOpen = gameAccess->IsConsoleOpen();
    }

    ReadKeyboardEvents(events, pressed, releasedNow, debug);
    for (uint32_t code = 0; code < 256; ++code)
        heldKeys[code] = state.pcKeys[code];
    ReadKeyboardState(state, pressed);
    ChoosePad(state);
    if (padSlot >= 0) {
        ReadPadEvents(events, pressed, releasedNow);
        ReadPadState(state, pressed);
    }
    // In debug mode Shift+Tab is the console's and Tab alone the map's: one
    // press never opens both.
    if (debug) {
        const bool shift = pressed.RawShift || heldKeys[kLeftShift] || heldKeys[kRightShift];
        if (shift && (pressed.RawTab || heldKeys[kTab])) {
            pressed.Action10 = false;
            tabHeldForConsole = true;
        } else {
            pressed.RawTab = false;
        }
    }
    // The Tab of a Shift+Tab stays the console's until it is released: Shift
    // let go first must not turn the held Tab into the map's key.
    if (!heldKeys[kTab])
        tabHeldForConsole = false;
    else if (tabHeldForConsole)
        pressed.Action10 = false;
    // While the console is open the keys type its line: the game sees none
    // of them, only the raw keys the console edits with.
    if (consoleOpen) {
        pressed = ConsoleKeysOnly(pressed);
        releasedNow = InputActions();
    }
    current = pressed;
    released = releasedNow;
}

void DXInputManager::ReadKeyboardEvents(
    const std::vector<InputEvent>& events, InputActions& pressed, InputActions& releasedNow, bool debug)
{
    // Ctrl and the left Alt as they stood at each event, for Ctrl+R and
    // typed text.
    bool leftCtrl = heldKeys[kLeftCtrl];
    bool rightCtrl = heldKeys[kRightCtrl];
    bool leftAlt = heldKeys[kLeftAlt];
    for (const InputEvent& event : events) {
        switch (event.type) {
        case InputEvent::Type::Text:
            // Ctrl and Alt combinations are commands, never text (the right
            // Alt, the layouts' third level, types); a held key types its
            // character once, not again at each of its repeats.
            if (!leftCtrl && !rightCtrl && !leftAlt && !keyRepeating)
                for (std::string& character : PrintableCharacters(event.text))
                    if (IsTypedCharacter(character))
                        QueueTyped(std::move(character));
            continue;
        case InputEvent::Type::Paste:
            pasted = event.text;
            QueueTyped("copy");
            continue;
        case InputEvent::Type::KeyDown:
        case InputEvent::Type::KeyUp:
            break;
        default:
            continue;
        }
        const bool down = event.type == InputEvent::Type::KeyDown;
        // The text a key down brings follows it: a repeat's text is none.
        keyRepeating = down && event.repeat;
        // Keys without a set-1 code are not seen by the game.
        if (event.pcCode <= 0 || event.pcCode >= 256)
            continue;
        const uint32_t code = static_cast<uint32_t>(event.pcCode);
        if (code == kLeftCtrl)
            leftCtrl = down;
        if (code == kRightCtrl)
            rightCtrl = down;
        if (code == kLeftAlt)
            leftAlt = down;
        if (event.repeat)
            continue; // the buffered key events know no auto-repeat
        if (down && code == kKeyR && (leftCtrl || rightCtrl))
            QueueTyped("last");

        if (down) {
            if (code == kTab && debug)
                pressed.RawTab = true;
            if (code == kLeftShift || code == kRightShift)
                pressed.RawShift = true;
            if (code == kLeftCtrl || code == kRightCtrl)
                pressed.RawCtrl = true;
            if (code == kRightAlt)
                pressed.RawRightAlt = true;
            if (code == kBackspace)
                pressed.RawBackspace = true;
            if (code == kEnter)
                pressed.RawEnter = true;
            if (code == kF4 && debug)
                window->PostClose();
        }

        // The key "7" has the code of the pad's Z axis and follows its rule.
        const DeviceInput device = FromBufferedEvent(code, down ? 0x80 : 0, code == kPadZ);
        // A key down only, of some code: the release of "7" (code 0) leaves
        // the last input and the last device alone.
        if (!device.released && device.input.code != 0 && device.input.code != kEscape) {
            lastKeyboardInput = InputTriggerer(device.input.code, device.input.direction);
            lastDevice = 0;
        }
        if (!device.released) {
            if (device.input == bindings.GetBinding(0))
                pressed.x = -1.0f;
            if (device.input == bindings.GetBinding(1))
                pressed.x = 1.0f;
            if (device.input == bindings.GetBinding(2))
                pressed.y = 1.0f;
            if (device.input == bindings.GetBinding(3))
                pressed.y = -1.0f;
        }
        MatchActions(bindings, device.input, 0, kKeyEventActions, device.released ? releasedNow : pressed);
        if (!down)
            continue;
        switch (code) {
        case kEnter:
            pressed.Confirm = true;
            break;
        case kEscape:
        case kBackspace:
            pressed.Back = true;
            break;
        case kDelete:
            pressed.Erase = true;
            break;
        case kKeyR:
            pressed.KeyROrPad3 = true;
            break;
        case kDown:
            pressed.MenuDown = true;
            break;
        case kUp:
            pressed.MenuUp = true;
            break;
        case kRight:
            pressed.MenuRight = true;
            break;
        case kLeft:
            pressed.MenuLeft = true;
            break;
        default:
            break;
        }
    }
}

void DXInputManager::ReadKeyboardState(const platform::InputState& state, InputActions& pressed) const
{
    for (uint32_t code = 1; code < 256; ++code) {
        if (!state.pcKeys[code])
            continue;
        const InputTriggerer input(code, 0);
        if (input == bindings.GetBinding(0))
            pressed.x = -1.0f;
        if (input == bindings.GetBinding(1))
            pressed.x = 1.0f;
        if (input == bindings.GetBinding(3))
            pressed.y = -1.0f;
        if (input == bindings.GetBinding(2))
            pressed.y = 1.0f;
        MatchActions(bindings, input, 0, kKeyHeldActions, pressed);
    }
}

void DXInputManager::ChoosePad(const platform::InputState& state)
{
    // The pad in use stays while it is connected; otherwise the first one
    // connected takes its place, so pads plugged in or pulled out while the
    // game runs are picked up or dropped.
    if (padSlot >= 0 && state.pads[padSlot].connected)
        return;
    padSlot = -1;
    for (int i = 0; i < platform::InputState::kPadCount; ++i) {
        if (state.pads[i].connected) {
            padSlot = i;
            return;
        }
    }
}

void DXInputManager::ReadPadEvents(
    const std::vector<InputEvent>& events, InputActions& pressed, InputActions& releasedNow)
{
    for (const InputEvent& event : events) {
        PadBufferedEvent buffered;
        if (event.pad != padSlot || !ToPadBufferedEvent(event, buffered))
            continue;
        const DeviceInput device
            = FromBufferedEvent(buffered.offset, buffered.data, buffered.offset == kPadZ);
        lastDevice = 1;
        const uint32_t code = device.input.code;
        const bool padInput = (code >= kPadButton0 && code <= kPadButtonLast) || code == kPadZ;
        if (code != 0 && padInput && !device.released)
            lastPadInput = InputTriggerer(code, device.input.direction);
        MatchActions(bindings, device.input, 1, kKeyEventActions, device.released ? releasedNow : pressed);
    }
}

void DXInputManager::ReadPadState(const platform::InputState& state, InputActions& pressed) const
{
    const ExtendedPadState pad = ExtendedPadState::FromBridge(state.pads[padSlot]);
    const uint32_t hat = pad.rgdwPOV[0];
    const bool hatCentred = (hat & 0xFFFF) == ExtendedPadState::kHatCentred;

    if (pad.lX > 360) {
        pressed.x = 1.0f;
        if (pad.lX > 720)
            pressed.MenuRight = true;
    } else if (pad.lX < -360) {
        pressed.x = -1.0f;
        if (pad.lX < -720)
            pressed.MenuLeft = true;
    }
    if (!hatCentred) {
        if (hat >= 4501 && hat <= 13499) {
            pressed.MenuRight = true;
            pressed.x = 1.0f;
        } else if (hat >= 22501 && hat <= 31499) {
            pressed.x = -1.0f;
            pressed.MenuLeft = true;
        }
    }
    if (pad.lY > 400) {
        pressed.y = -1.0f;
        if (pad.lY > 800)
            pressed.MenuDown = true;
    } else if (pad.lY < -400) {
        pressed.y = 1.0f;
        if (pad.lY < -800)
            pressed.MenuUp = true;
    }
    if (!hatCentred) {
        if (hat <= 4500 || hat > 31500) {
            pressed.MenuUp = true;
            pressed.y = 1.0f;
        } else if (hat >= 13501 && hat <= 22499) {
            pressed.y = -1.0f;
            pressed.MenuDown = true;
        }
    }

    std::vector<InputTriggerer> held;
    for (int n = 0; n < kPadButtonsRead; ++n)
        if (pad.rgbButtons[n] != 0)
            held.emplace_back(kPadButton0 + n, 0);
    if (pad.lZ < -100)
        held.emplace_back(kPadZ, -1);
    if (pad.lZ > 100)
        held.emplace_back(kPadZ, 1);
    for (const InputTriggerer& input : held) {
        MatchActions(bindings, input, 1, kKeyHeldActions, pressed);
        if (input.code == kPadButton0)
            pressed.Confirm = true;
        if (input.code == kPadButton0 + 1)
            pressed.Back = true;
        if (input.code == kPadButton0 + 3) {
            pressed.Erase = true;
            pressed.KeyROrPad3 = true;
        }
    }
}

void DXInputManager::QueueTyped(std::string text)
{
    if (typed.size() < kMaxTypedBacklog)
        typed.push_back(std::move(text));
}

std::string DXInputManager::CaptureTypedText()
{
    typedRead = true;
    if (!typed.empty()) {
        std::string text = std::move(typed.front());
        typed.pop_front();
        lastWord.clear();
        return text;
    }
    // Nothing typed: the held keys the player's debug input reads as words.
    std::string word;
    const bool modifier = IsKeyHeld(kLeftShift) || IsKeyHeld(kRightShift) || IsCtrlHeld()
        || IsKeyHeld(kLeftAlt) || IsKeyHeld(kRightAlt);
    if (IsKeyHeld(kDown))
        word = "DOWN";
    if (IsKeyHeld(kLeft))
        word = "LEFT";
    if (IsKeyHeld(kRight))
        word = "RIGHT";
    if (IsKeyHeld(kUp))
        word = "UP";
    if (IsKeyHeld(kSpace) && modifier)
        word = "SPACEBAR";
    if (word == lastWord)
        return "";
    lastWord = word;
    return word;
}

std::string DXInputManager::TakePastedText()
{
    return std::exchange(pasted, std::string());
}

std::string CaptureTypedText()
{
    return g_InputManager ? g_InputManager->CaptureTypedText() : std::string();
}
