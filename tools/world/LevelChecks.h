#pragma once

#include "tools/world/LevelDescription.h"

#include <set>
#include <string>
#include <vector>

// The world's data rules a level description must keep. Each fault is one
// message "file:line: what is wrong"; an empty list means the level is sound.

// Rules inside one level: names the library knows, start points, exits, saves,
// floors under gaps, the minimap marker, teleports in hubs, scripts, and what
// play needs to see clear of the HUD's band.
std::vector<std::string> CheckLevel(const LevelDescription& level, const std::set<std::string>& knownObjects);

// Rules between levels: unique names and reference cells, exits that lead to
// an existing level and start point.
std::vector<std::string> CheckWorld(const std::vector<LevelDescription>& levels);

// The start-point name a placement gives (its "name=" option, else its own
// name); empty for anything but a start point.
std::string StartPointName(const LevelPlacement& placement);

// A hub (a level the teleport menu lists) has "_tp" in its name, any case.
bool IsHubLevel(const std::string& levelName);
