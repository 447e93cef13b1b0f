#pragma once

#include "game/Game.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "zones/Zone_TriggerScript.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace fuzz {

// A game of its own for one input of the targets that drive the whole game
// (command files, scripts, applied saves): a player, a current level with a
// scene and a foreground layer, a scripted character "npc", a trigger
// "trigger" on that level, a music track "title" and a minimap. What the input changes goes with the
// game; the program-wide paths and flags it may change are put back, and the
// user folder is a private temporary folder, emptied afterwards, so nothing
// is written elsewhere.
class FuzzPlayground {
public:
    FuzzPlayground();
    ~FuzzPlayground();
    FuzzPlayground(const FuzzPlayground&) = delete;
    FuzzPlayground& operator=(const FuzzPlayground&) = delete;

    // The private user folder (ends with '/').
    const std::string& UserFolder() const { return userFolder; }
    // A text whose "setuserpath" lines are moved into the private folder: a
    // command file must not make folders anywhere else.
    std::string ConfineUserPaths(const std::string& text) const;
    // Takes the level away (the game then has none), with what is placed on
    // it and queued on it.
    void DropLevel();
    // One frame of the level's background events: their Run pass, their
    // Update pass, then the purge of the finished ones.
    void RunLevelEvents();

private:
    struct SavedPaths {
        std::string base, user, dialog, sound, music;
        uint8_t screenshotComments = 0;
    };
    // Taken before the game exists (its constructor sets some paths).
    SavedPaths saved;
    std::string userFolder;

public:
    Game game;
    Level* level = nullptr; // owned by the game as its current level
    Zone_TriggerScript triggerType {"Zone_TriggerZone"};
    Level::Instance trigger;
};

} // namespace fuzz
