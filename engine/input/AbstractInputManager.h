#pragma once

#include <string>

#include "engine/input/InputActions.h"
#include "engine/input/InputTriggerer.h"

// The platform-free input manager game code holds: the actions of the last
// poll, of the poll before it and those released in the last poll. Its
// destructor releases no device: call Release first.
class AbstractInputManager {
public:
    AbstractInputManager() = default;
    AbstractInputManager(const AbstractInputManager&) = delete;
    AbstractInputManager& operator=(const AbstractInputManager&) = delete;
    virtual ~AbstractInputManager() = default;

    // Key capture for the key-mapping menu: while set, a row waits for the
    // next key or pad input, which the last poll reports below.
    bool IsCapturingKey() const { return capturingKey; }
    void SetCapturingKey(bool capturing) { capturingKey = capturing; }
    // The key and the pad input pressed in the last poll (code 0 for none;
    // Escape is never reported).
    virtual InputTriggerer GetLastKeyboardTrigger() const { return InputTriggerer(); }
    virtual InputTriggerer GetLastJoypadTrigger() const { return InputTriggerer(); }

    virtual bool Init() = 0;
    virtual bool Acquire() = 0;
    virtual InputActions GetPressedActions() const { return current; }
    virtual InputActions GetPreviousActions() const { return previous; }
    virtual InputActions GetReleasedActions() const { return released; }
    virtual void Poll() = 0;
    virtual void Release() = 0;
    // Resets the three records to new ones.
    virtual void ClearActions()
    {
        current = InputActions();
        previous = InputActions();
        released = InputActions();
    }
    virtual std::string GetErrorText() const { return errorText; }
    // The device the latest input came from: 0 the keyboard, 1 a pad. Text
    // frames and menus show key names or pad icons by it.
    virtual int GetLastDevice() const { return 0; }

protected:
    std::string errorText;
    bool capturingKey = false;
    InputActions current;
    InputActions previous;
    InputActions released;
};
