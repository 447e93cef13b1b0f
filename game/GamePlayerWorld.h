#pragma once

#include "characters/PlayerLayerCollisions.h"
#include "characters/PlayerWorld.h"

#include <cstdint>
#include <memory>

class Game;

// The game object's answers to what the player and its bolt ask: the
// current level, the live characters, the game library, the achievements,
// and the game-wide flags and counters the player reads and writes (god
// mode, gameplay pause, the log-player value, the play time and the
// player-died request).
class GamePlayerWorld : public PlayerWorld {
public:
    explicit GamePlayerWorld(Game& owner)
        : game(owner)
    {
    }

    GraphicalObject* CloneGraphical(const std::string& name) override;
    GraphicalObject* FindGraphical(const std::string& name) override;
    Player* GetPlayer() override;
    bool HasLevel() override;
    Level* GetLevel() override;
    std::string GetLevelName() override;
    // The minimap model's current cell; (-1, -1) without a model.
    Point<int> GetMinimapCell() override;
    // The "Collisions" layer of the current level's scene layers, or null.
    PlayerCollisions* GetCollisions() override;
    // Water or lava placed at the point on a layer that scrolls with the
    // scene (scroll factor 1, 1) of the foreground or scene lists.
    PlayerLiquid GetLiquidAt(Point<int> point) override;
    // The top of the column of water tiles over the point, on the layer
    // whose water holds it.
    bool GetWaterSurface(Point<int> point, int* surface) override;
    size_t GetCharacterCount() override;
    CharacterObject* GetCharacter(size_t index) override;
    CharacterObject* CreateCharacter(const std::string& classKey) override;
    double GetTimeMs() override;
    // The save data's play time.
    uint32_t GetPlayTime() override;
    void SetPlayTime(uint32_t ms) override;
    // The game's "god" flag: no life is lost.
    bool IsGodMode() override;
    bool IsGameplayPaused() override;
    // The game's "logplayer" setting: deaths are logged when above 0.
    int GetLogPlayer() override;
    int GetSaveSlot() override;
    void RaisePlayerDied() override { playerDied = true; }
    // The game's second transition (the fade-in after a death) runs.
    bool IsArrivalFadeRunning() override;
    bool IsWaterOverrideActive() override { return false; }
    void CountAchievement(const std::string& name) override;
    void ResetAchievement(const std::string& name) override;
    void RaiseAchievementTo(const std::string& name, int value) override;
    void AddDebugMessage(const std::string& text) override;
    void ProfileSection(const std::string& label) override;
    void ResetMusicPositions() override;
    std::string GetUserPath() override;

    bool playerDied = false;

private:
    Game& game;
    std::unique_ptr<PlayerLayerCollisions> collisions;
};
