#pragma once

#include "engine/input/AbstractInputManager.h"

// An input manager whose next poll returns the record the test sets: the
// record before it becomes the previous one, as a device's polls do.
class ScriptedInput : public AbstractInputManager {
public:
    bool Init() override { return true; }
    bool Acquire() override { return true; }
    void Poll() override
    {
        previous = current;
        current = next;
        released = InputActions();
    }
    void Release() override { }

    InputActions next;
};
