#pragma once

#include "game/Game.h"
#include "ui/UIGameAccess.h"

#include <string>

// What the interface's frames and the menus ask of the game, answered from
// the game that owns it.
class GameUIAccess : public UIGameAccess {
public:
    explicit GameUIAccess(Game& owner)
        : game(owner)
    {
    }
    GraphicalObject* FindGraphicalObject(const std::string& name, bool clone) override
    {
        return game.FindGraphicalObject(name, clone);
    }
    UI_Font* FindFont(const std::string& name) override { return Game::FindFont(name, &game); }
    GameConfig* GetConfig() override { return game.GetConfig(); }
    AbstractInputManager* GetInputManager() override { return game.GetInputManager(); }
    ISoundEngine* GetSoundEngine() override { return game.GetSoundEngine(); }
    IRenderEngine* GetRenderEngine() override { return game.GetRenderEngine(); }
    std::list<ProfileTimer>& GetProfileTimers() override { return game.console.profileTimers; }
    Player* GetPlayer() override { return game.GetPlayer(); }
    bool HasLevel() override { return game.GetCurrentLevel() != nullptr; }
    bool IsFixedStepTick() override { return game.fixedStepTick != 0; }
    MapModel* GetMinimapModel() override { return game.minimapModel.get(); }
    int GetPickupCinematicKind() override { return game.pickupCinematicKind; }
    GraphicalObject* GetCinematicObject() override { return game.cinematicObject; }
    Point<int> GetCinematicPosition() override { return game.cinematicPosition; }
    void DrawMinimapMap(Point<int> origin, Point<int> scroll, Point<int> size) override;
    bool IsMenuInputFree() override { return game.uiState == 0; }
    void SetMenuFlag(bool menu) override { game.SetMenuFlag(menu); }
    void ReturnToTitle() override { game.ReturnToTitle(); }
    void RequestQuit() override { game.RequestQuit(); }
    void StartSaveSlot(int slot) override;
    int GetSaveSlotPercent(int slot) override { return game.GetSaveSlotPercent(slot); }
    std::string GetSaveSlotSummary(int slot) override { return game.GetSaveSlotSummary(slot); }
    SlotCheck CheckSaveSlot(int slot) override { return game.CheckSaveSlot(slot); }
    void SetDisplayScaleMode(int mode) override { game.displayScaleMode = mode; }
    void SetLinearFilter(bool linear) override;

private:
    Game& game;
};
