#pragma once

#include <optional>
#include <string>

// The save slot the real-keys fight starts from: the game's own program
// saves it at the Heart's stone (its console commands on the command line:
// the Crypt's stair, every armor, the fourth rank, "save"), then the slot's
// record, read and written by the game's own slot reader and writer, gets
// the rest of the world's end-game stats the console has no command for:
// 8 life, both armors at level 2, the ice armor worn.
class HeartSlot {
public:
    // The game's user folder under `documents` and its first slot's file.
    static std::string UserFolder(const std::string& documents);
    static std::string SlotFile(const std::string& documents);

    // Runs `game` in `world` headless; false with `error` when no slot came
    // out of it or it could not be raised to the end-game stats.
    static bool Make(
        const std::string& game, const std::string& world, const std::string& documents, std::string& error);
    // Sets the end-game stats in the slot file.
    static bool Raise(const std::string& slotFile, std::string& error);
    // The slot's "done_h" is 1 (the Heart won); nothing when the slot does
    // not read (being written).
    static std::optional<bool> Won(const std::string& slotFile);

    static constexpr int kLife = 8;
    static constexpr int kArmorLevel = 2;
    static constexpr int kAttackRank = 4;
};
