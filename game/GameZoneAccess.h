#pragma once

#include "game/Game.h"
#include "zones/ZoneGameAccess.h"

#include <string>

// What zones, points and spawners ask of the game, answered from the game
// that owns it.
class GameZoneAccess : public ZoneGameAccess {
public:
    explicit GameZoneAccess(Game& owner)
        : game(owner)
    {
    }
    Player* GetPlayer() override { return game.GetPlayer(); }
    Level* GetCurrentLevel() override { return game.GetCurrentLevel(); }
    AbstractInputManager* GetInputManager() override { return game.GetInputManager(); }
    MapModel* GetMinimapModel() override { return game.minimapModel.get(); }
    CharacterObject* CreateCharacterByClass(const std::string& name, const std::string& className) override
    {
        return game.CreateCharacterByClass(name, className, nullptr);
    }
    SceneObject* FindSceneObject(const std::string& name, bool clone) override
    {
        return Game::FindSceneObject(name, clone);
    }
    GraphicalObject* FindGraphicalObject(const std::string& name, bool clone) override
    {
        return game.FindGraphicalObject(name, clone);
    }
    void RequestLevelChange(const std::string& levelFile, const std::string& startPoint) override
    {
        game.RequestLevelChange(levelFile, startPoint);
    }
    void IncrementGameScore() override { game.IncrementGameScore(game.saveData); }
    bool SaveGameAt(float x, float y, int direction) override { return game.SaveGameAt(x, y, direction); }
    int GetCurrentSaveSlot() override { return game.currentSaveSlot; }
    void OpenMap() override;
    bool IsTeleportKnown(const std::string& levelFile) override
    {
        return game.FindTeleportByLevel(levelFile) != nullptr;
    }
    size_t GetTeleportCount() override { return game.teleports.size(); }
    void DiscoverTeleport(const Level* level) override;
    void OpenTeleportMenu() override { game.OpenTeleportMenu(); }
    void ShowText(const std::string& eventName, const std::string& text, int ticks) override;
    bool ShowDialogue(Level& level, const std::string& eventName, const std::string& fileName) override;
    void StartScript(Level& level, const std::string& scriptName, const std::string& text,
        const std::string& label, Placed* placed) override;
    CharacterObject* CreateScriptCharacter(const std::string& name, const std::string& graphicName) override;
    std::vector<GraphicalObject*> CollectScriptGraphicals(const std::string& scriptText) override;

private:
    Game& game;
};
