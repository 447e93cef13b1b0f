#pragma once

class GameConfig;

// What the input manager asks of the game object: the configuration holding
// the 24 bindings, and the console's debug flag (which lets Tab and F4
// through). Without it the manager uses the default bindings and no debug
// mode.
class InputGameAccess {
public:
    virtual ~InputGameAccess() = default;

    virtual const GameConfig* GetConfig() = 0;
    virtual bool IsDebugMode() = 0;
};
