#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

// One input happening seen by the render thread's event pump. Keys carry the
// SDL scancode (the input manager maps it to the PC set-1 codes of the
// bindings); pads carry their slot, the button, axis or hat index and value.
//
// Pads are presented in one layout whatever lies beneath: a pad SDL knows as a
// game controller has its buttons in the order A, B, X, Y, LB, RB, Back,
// Start, left stick, right stick, Guide; its axes are 0 X, 1 Y, 2 Z (the left
// trigger pushes it up, the right one down), 3 X and 4 Y of the right stick;
// its directional pad is hat 0 (SDL hat bits). A plain joystick keeps its own
// button, axis and hat order.
struct InputEvent {
    enum class Type : uint8_t {
        KeyDown,
        KeyUp,
        Text,  // typed printable text (UTF-8)
        Paste, // clipboard text taken on Ctrl+V / Shift+Insert
        PadAdded,
        PadRemoved,
        PadButtonDown,
        PadButtonUp,
        PadAxis,
        PadHat,
    };

    Type type = Type::KeyDown;
    int32_t code = 0;    // SDL scancode, or button / axis / hat index
    int32_t pcCode = 0;  // keys: the PC set-1 code the bindings use (0: none)
    int32_t value = 0;   // axis position (-32768..32767) or hat bits
    int32_t pad = 0;     // pad slot for pad events
    bool repeat = false; // KeyDown only: the key's auto-repeat
    std::string text;    // Text and Paste only
};

// What is held down right now, kept from the events themselves (events pushed
// by tests never reach SDL's own keyboard state).
struct InputState {
    static constexpr int kKeyCount = 512;
    static constexpr int kPadCount = 4;
    static constexpr int kPadButtons = 32;
    static constexpr int kPadAxes = 8;
    static constexpr int kPadHats = 4;

    struct Pad {
        bool connected = false;
        std::string name;
        std::array<bool, kPadButtons> buttons {};
        std::array<int16_t, kPadAxes> axes {};
        std::array<uint8_t, kPadHats> hats {};
    };

    std::array<bool, kKeyCount> keys {}; // by SDL scancode
    std::array<bool, 256> pcKeys {};     // by PC set-1 code
    std::array<Pad, kPadCount> pads {};
};

// The meeting point of the render thread, which pumps the window's events,
// and the main thread's input manager. The pump pushes; the input manager
// takes the queued events and reads the snapshot once per poll.
class InputBridge {
public:
    // Oldest events are dropped beyond this many, so a main thread that stops
    // polling cannot make the queue grow without bound.
    static constexpr size_t kMaxQueued = 1024;
    // Pasted text is cut to its first line and at most this many characters.
    static constexpr size_t kMaxPaste = 1024;

    void Push(InputEvent event);
    std::vector<InputEvent> TakeEvents();
    InputState Snapshot() const;
    // The queued events and the state they lead to, taken together.
    void Take(std::vector<InputEvent>& events, InputState& state);
    void SetPadName(int pad, std::string name);
    void Clear();

    // The main thread asks the window to close (as the window's close box
    // does); the render thread's pump takes the request.
    void PostClose();
    bool TakeCloseRequest();

    // First line of the text, at most kMaxPaste characters.
    static std::string FirstLineForPaste(const std::string& text);

private:
    mutable std::mutex mutex_;
    std::deque<InputEvent> queue_;
    InputState state_;
    bool closeRequested_ = false;
};

} // namespace platform
