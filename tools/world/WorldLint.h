#pragma once

#include <functional>
#include <string>
#include <vector>

class Level;

// The content lint over built levels as the game holds them (read back from
// their files, or straight from the level tool): what the descriptions
// promise must be there in the payloads the game reads.
struct LintedLevel {
    std::string file; // the level file's name, lower case ("cemetery_01.lvl")
    const Level* level = nullptr;
    int cellX = -1, cellRow = -1; // the reference cell its marker must carry
};

// Faults, one message "file: what is wrong" each; empty when sound:
// - every placed object's name is in the game library (libraryHas);
// - every zone or point type placement carries its payload;
// - every Zone_LoadMap names a level of the set and a start point of it;
// - no start point lies inside an exit (the player would arrive in it);
// - every level has its standard points: a start point "start" and exactly
//   one minimap marker carrying the level's reference cell.
std::vector<std::string> LintLevels(
    const std::vector<LintedLevel>& levels, const std::function<bool(const std::string&)>& libraryHas);
