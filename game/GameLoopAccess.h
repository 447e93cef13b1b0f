#pragma once

#include "engine/app/DevConsoleEditor.h"
#include "engine/app/MainLoopGame.h"
#include "engine/input/InputGameAccess.h"
#include "engine/render/PostChain.h"

class Game;

// What the main loop and the end of a frame ask of the game, answered from
// the one game object.
class GameLoopAccess : public MainLoopGame, public PostChainHost, public InputGameAccess {
public:
    explicit GameLoopAccess(Game& owner)
        : game(owner)
    {
    }

    DevConsole& GetConsole() override;
    void Update() override;
    bool IsUpdateFrame() const override;
    bool HasPendingLevelChange() const override;
    bool HasLevel() const override;
    bool IsMenuPaused() const override;
    bool MaySkipFrames() const override;
    double MillisecondsToNextTick() const override;
    platform::TimedMutex* GetGameMutex() override;
    PostEffects* GetPostEffects() override;
    void RenderLevel() override;
    PostChainFrame GetFrameState() const override;
    PostChainHost& GetPostChainHost() override { return *this; }
    void PollInput() override;

    // The UI frames: every visible frame's object at its place.
    void RenderUI() override;
    void UpdateDevConsole() override;
    void DrawFpsOverlay() override;

    // What the input manager reads of the game.
    const GameConfig* GetConfig() override;
    bool IsDebugMode() override;
    bool IsConsoleOpen() override;

private:
    Game& game;
    DevConsoleEditor consoleEditor;
};
