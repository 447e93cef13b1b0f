#pragma once

// Base of the game's input managers. Only what the game object needs to own
// one is here yet: it deletes its input manager through this base.
class AbstractInputManager {
public:
    virtual ~AbstractInputManager() = default;
};
