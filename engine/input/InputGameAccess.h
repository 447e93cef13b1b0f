#pragma once

class GameConfig;

// What the input manager asks of the game object: the configuration holding
// the 24 bindings, the console's debug flag (which gives Shift+Tab to the
// console and lets F4 through) and whether the console is open (its keys are then
// the console's alone). Without it the manager uses the default bindings and
// no debug mode.
class InputGameAccess {
public:
    virtual ~InputGameAccess() = default;

    virtual const GameConfig* GetConfig() = 0;
    virtual bool IsDebugMode() = 0;
    virtual bool IsConsoleOpen() = 0;
};
