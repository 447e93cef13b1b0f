#pragma once

#include <bitset>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "engine/config/GameConfig.h"
#include "engine/input/AbstractInputManager.h"
#include "engine/input/InputTriggerer.h"
#include "engine/platform/InputBridge.h"

class InputGameAccess;

// The game's input manager. The render thread's event pump feeds the bridge
// with keyboard and pad events; once per frame Poll takes them and turns them,
// with the held state, into the three action records through the 24 bindings
// of the game's configuration. Keyboard codes are PC set-1 scancodes; the pad
// (the first one connected; pads come and go while the game runs) is read as
// the extended joystick state. Main thread only.
class DXInputManager : public AbstractInputManager {
public:
    // Longest typed-text backlog kept between two reads of it.
    static constexpr size_t kMaxTypedBacklog = 256;

    // The bridge stands where the window handle stood: the manager's way to
    // the window's input and to its close message. Not owned.
    explicit DXInputManager(platform::InputBridge* window);
    ~DXInputManager() override;

    bool Init() override;
    bool Acquire() override;
    void Poll() override;
    void Release() override;
    InputTriggerer GetLastKeyboardTrigger() const override { return lastKeyboardInput; }
    InputTriggerer GetLastJoypadTrigger() const override { return lastPadInput; }

    // Bindings and debug flag come from here (not owned; null for none).
    void SetGameAccess(InputGameAccess* access) { gameAccess = access; }

    platform::InputBridge* GetWindowHandle() const { return window; }
    platform::InputBridge* GetDirectInput() const { return initialized ? window : nullptr; }
    // The bridge's pad slot read as joystick slot i (only slot 0 is ever
    // filled); -1 for none.
    int GetJoystick(int i) const { return i == 0 ? padSlot : -1; }

    // What the key-mapping menu takes a new binding from: the last key and
    // pad input pressed in the last poll (code 0 for none), and the device
    // that last sent something (0 keyboard, 1 pad).
    InputTriggerer GetLastKeyboardInput() const { return lastKeyboardInput; }
    InputTriggerer GetLastPadInput() const { return lastPadInput; }
    int GetLastDevice() const override { return lastDevice; }

    // Typed text for the console: one typed character per call (the letters,
    // digits, space and the punctuation of commands; a held key types once,
    // its repeats nothing), "copy" for a paste (Ctrl+V; the clipboard's
    // first line waits in TakePastedText), "last" for Ctrl+R; when nothing
    // was typed, the held arrows as "DOWN", "LEFT", "RIGHT", "UP" and a Space
    // held with a modifier as "SPACEBAR", each given once until it changes.
    // Text typed while nobody reads it is dropped at the next poll.
    std::string CaptureTypedText();
    std::string TakePastedText();

    // Held state of a key (PC set-1 code) at the last poll.
    bool IsKeyHeld(uint32_t pcCode) const { return pcCode < 256 && heldKeys.test(pcCode); }
    bool IsCtrlHeld() const;

private:
    void ReadKeyboardEvents(const std::vector<platform::InputEvent>& events, InputActions& pressed,
        InputActions& releasedNow, bool debug);
    void ReadKeyboardState(const platform::InputState& state, InputActions& pressed) const;
    void ReadPadEvents(
        const std::vector<platform::InputEvent>& events, InputActions& pressed, InputActions& releasedNow);
    void ReadPadState(const platform::InputState& state, InputActions& pressed) const;
    void ChoosePad(const platform::InputState& state);
    void QueueTyped(std::string text);

    platform::InputBridge* window = nullptr;
    InputGameAccess* gameAccess = nullptr;
    bool initialized = false;
    int padSlot = -1;
    GameConfig bindings; // the bindings of this poll

    InputTriggerer lastKeyboardInput;
    InputTriggerer lastPadInput;
    int lastDevice = 0;

    std::bitset<256> heldKeys;
    // Tab has been held with Shift (the console's key) since its press.
    bool tabHeldForConsole = false;
    std::deque<std::string> typed;
    bool typedRead = false;
    // The last key down was a repeat: the text that follows it is its own.
    bool keyRepeating = false;
    std::string lastWord;
    std::string pasted;
};

// The typed text of the manager that was last initialised (empty without one).
std::string CaptureTypedText();
