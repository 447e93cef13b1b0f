#pragma once

#include "engine/serial/Point.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CharacterObject;
class GraphicalObject;
class Level;
class Player;

// A box of the level in pixels, y up: left <= right, bottom <= top. The
// player's box spans [left, right] x [bottom, top]; boxes that only touch
// do not meet.
struct PlayerBox {
    float left = 0.0f;
    float bottom = 0.0f;
    float right = 0.0f;
    float top = 0.0f;
    // The character's circle, tested against lines, in world coordinates:
    // the player's own (`Player::GetWorldBox`). A box given without one
    // (radius 0) stands for a character whose circle sits at the feet of its
    // box: half the smaller side wide, centred on the box.
    float circleX = 0.0f;
    float circleY = 0.0f;
    float circleRadius = 0.0f;

    PlayerBox Moved(float dx, float dy) const
    {
        return {left + dx, bottom + dy, right + dx, top + dy, circleX + dx, circleY + dy, circleRadius};
    }
};

// The level's collision layer as the player moves through it. A test moves
// the box along one axis (or not at all) and tells whether a solid box was
// met; then `allowed` is how far the box may still move along that axis
// (same sign as the move, 0 when it already touches) and `boxKind` the kind
// of the box met (2: a slope or step the player settles onto). Test kind -1
// lets floors that block only from above take part (downward or zero moves),
// kind 0 leaves them out.
class PlayerCollisions {
public:
    virtual ~PlayerCollisions() = default;
    virtual bool Test(int testKind, const PlayerBox& box, float dx, float dy, float* allowed, int* boxKind)
        = 0;
    // Whether the box overlaps any solid box of the layer (one-way floors
    // excluded).
    virtual bool Overlaps(const PlayerBox& box) = 0;
};

// What the level holds at a point for the player's water and lava contact.
enum class PlayerLiquid {
    None,
    Water,      // water that the player wades in
    WaterFall,  // a fall or splash: counts as already being in water
    Lava,       // active lava: one point of damage per update
    LavaFrozen, // inactive lava: nothing
};

// What the player and its crossbow bolt ask of the game object: the current
// level's collision layer and liquids, the live characters, the game's
// clocks, flags and counters, achievements, the death-history folder and the
// game library's look-ups. The game installs itself with SetPlayerWorld
// while it exists; without it there is no level, no character and nothing
// found, so the player stands still.
class PlayerWorld {
public:
    virtual ~PlayerWorld() = default;

    // A private copy of the graphical object of that name (the caller owns
    // it), or null when the name is missing or names something else.
    virtual GraphicalObject* CloneGraphical(const std::string& name) = 0;
    // The library's graphical object of that name (not owned), or null.
    virtual GraphicalObject* FindGraphical(const std::string& name) = 0;

    // The game's player, or null.
    virtual Player* GetPlayer() = 0;
    virtual bool HasLevel() = 0;
    // The level that runs now (the armors change its scenery), or null.
    virtual Level* GetLevel() { return nullptr; }
    virtual std::string GetLevelName() = 0;
    virtual Point<int> GetMinimapCell() = 0;
    // The "Collisions" layer of the current level's scene layers, or null.
    virtual PlayerCollisions* GetCollisions() = 0;
    virtual PlayerLiquid GetLiquidAt(Point<int> point) = 0;
    // The height of the surface of the water that holds the point (the top
    // of the water column above it); false when the point is in no water.
    virtual bool GetWaterSurface(Point<int> /*point*/, int* /*surface*/) { return false; }

    virtual size_t GetCharacterCount() = 0;
    virtual CharacterObject* GetCharacter(size_t index) = 0;
    // A new live character of the class (owned by the game), or null.
    virtual CharacterObject* CreateCharacter(const std::string& classKey) = 0;

    // The game's time in milliseconds, advanced by the fixed step of each
    // world step (never the wall clock).
    virtual double GetTimeMs() = 0;
    virtual uint32_t GetPlayTime() = 0;
    virtual void SetPlayTime(uint32_t ms) = 0;
    virtual bool IsGodMode() = 0;
    virtual bool IsGameplayPaused() = 0;
    virtual int GetLogPlayer() = 0;
    virtual int GetSaveSlot() = 0;
    // The request that the game respawns the player or ends the game.
    virtual void RaisePlayerDied() = 0;
    // Whether the screen is still brightening around a player brought back
    // after a death: its respawn lasts until the picture is back.
    virtual bool IsArrivalFadeRunning() { return false; }
    // The game's water-effect override: while active the player counts as
    // touching water everywhere.
    virtual bool IsWaterOverrideActive() = 0;

    // Achievement counters, by name; a missing achievement is skipped.
    virtual void CountAchievement(const std::string& name) = 0;
    virtual void ResetAchievement(const std::string& name) = 0;
    // Current counter = min(value, target) unless it already equals target.
    virtual void RaiseAchievementTo(const std::string& name, int value) = 0;

    virtual void AddDebugMessage(const std::string& text) = 0;
    // Opens, or closes, the developer console's timed section of that label
    // (timed on the game's tick passes only).
    virtual void ProfileSection(const std::string& /*label*/) { }
    virtual void ResetMusicPositions() = 0;
    // The user folder, ending in a separator.
    virtual std::string GetUserPath() = 0;
};

PlayerWorld* GetPlayerWorld();
void SetPlayerWorld(PlayerWorld* world);
