#pragma once

#include "tools/world/LevelDescription.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

// What the scripts of the world's levels may name, gathered from the library,
// the sound list, the music, the settings and the dialogue files.
struct ScriptNames {
    std::set<std::string> objects;      // library scene objects
    std::set<std::string> finishing;    // objects whose animation ends (not looping)
    std::set<std::string> hittable;     // objects with a hurt box (type 2)
    std::set<std::string> soundEvents;  // events a sound of the world plays
    std::set<std::string> tracks;       // music the settings register
    std::set<std::string> achievements; // the game's achievement names
    std::set<std::string> levelNames;   // every level the world will hold, lower case
    std::set<std::string> layers;       // layer names a level may have
    // The levels described so far (their start points are checked).
    const std::vector<LevelDescription>* levels = nullptr;
    // Whether the script runner knows a command word.
    std::function<bool(const std::string&)> knownCommand;
    // Number of blocks a dialogue file has in every language; -1 when a
    // language lacks the file or the languages disagree.
    std::function<int(const std::string&)> dialogueBlocks;
};

// The script rules of one level: its start-up script and every trigger's
// script. Each fault reads "file:line: what was expected, what was found".
// Checked: labels, "(" ")" and "Else" blocks, "IfVar" conditions, known
// commands with their arguments (triggers of the same level, library
// objects, sound events, music, dialogue blocks, levels and start points,
// achievements, variable scopes, map cells), sounds played only after they
// are prepared, animations waited on only when they finish, and triggers
// struck (":OnHit") only when their graphic can be hit.
std::vector<std::string> CheckLevelScripts(const LevelDescription& level, const ScriptNames& names);
