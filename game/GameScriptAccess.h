#pragma once

#include "game/Game.h"
#include "script/ScriptGameAccess.h"

#include <string>

// What scripts, dialogues and cut-scene events ask of the game, answered from
// the game that owns it.
class GameScriptAccess : public ScriptGameAccess {
public:
    explicit GameScriptAccess(Game& owner)
        : game(owner)
    {
    }
    Level* GetCurrentLevel() override { return game.GetCurrentLevel(); }
    Player* GetPlayer() override { return game.GetPlayer(); }
    Camera* GetCamera() override { return &game.camera; }
    GameConfig* GetConfig() override { return game.GetConfig(); }
    AbstractInputManager* GetInputManager() override { return game.GetInputManager(); }
    IRenderEngine* GetRenderEngine() override { return game.GetRenderEngine(); }
    GraphicalObject* FindGraphicalObject(const std::string& name) override
    {
        return game.FindGraphicalObject(name, false);
    }
    UI_Font* FindFont(const std::string& name) override { return Game::FindFont(name, &game); }
    CharacterObject* CreateCharacterByClass(const std::string& name, const std::string& className) override
    {
        return game.CreateCharacterByClass(name, className, nullptr);
    }
    ScriptVar* FindGlobalVar(const std::string& name) override { return Game::FindGlobalVar(name); }
    ScriptVar* FindSaveVar(const std::string& name) override { return Game::FindSaveVar(name); }
    ScriptVar* CreateGlobalVar(const std::string& name) override { return game.CreateGlobalVar(name); }
    ScriptVar* CreateSaveVar(const std::string& name) override { return game.CreateSaveVar(name); }
    UI_Frame_Dialogue* GetDialogueFrame() override;
    void SetDialogueFrameVisible(bool visible) override;
    void ClearCinematicLayers() override { game.cinematicLayers.clear(); }
    int GetPickupCinematicKind() override { return game.pickupCinematicKind; }
    void AddDebugMessage(const std::string& text, uint32_t colour, double frames) override
    {
        game.console.AddDebugMessage(true, text, colour, frames);
    }

private:
    Game& game;
};
