#pragma once

#include "tools/world/LevelDescription.h"

#include <string>
#include <vector>

// What play needs to see stays clear of the HUD's band, the strip across the
// top of the 512 x 448 view that the HUD covers. The camera aims at any
// point of the level and the level's camera blockers hold it back as the
// game's camera does; a thing is seen at a camera position where it shows
// in the view below the band. A floor is seen when a player standing on it
// shows whole; a pickup, an exit or a fight's target when any part of it
// shows (an exit through the level's top runs up into the band).
namespace LevelHudBand {

// The HUD's height in pixels: the height of its frame "UI_Player_Frame"
// (data/art/ui_hud.txt), which the game draws at the top of the view
// ("setuipos player_frame 0 0", data/init_vars.txt). The HUD takes its height
// from that picture, which the level tool does not read; a world test holds
// the two equal.
constexpr int kHeight = 64;

// Faults "file:line: ..." for each floor, pickup, exit and fight's target
// (a trigger without a script, a zone holder, a boss's spawner) that the band
// hides at every camera position the blockers allow; and for each body a boss
// draws at a place of its own round its spawner (the Bow's beast's eye, head
// and arm, the Heart's maw) that does not show whole below the band while a
// player stands on the floor of its arena (the trigger "arena_..." nearest
// to the spawner), at any column from which it is in the view's width.
std::vector<std::string> CheckClearOfBand(const LevelDescription& level, int bandHeight = kHeight);

// Faults "file:line: ..." for each target of a boss fought on one screen
// (LevelReach::Target::onOneScreen: the Heart's cells and maw) from an arena
// no wider than the view that does not show whole below the band while a
// player stands anywhere on the arena's floor (its bottom row).
std::vector<std::string> CheckFightsOnScreen(const LevelDescription& level, int bandHeight = kHeight);

} // namespace LevelHudBand
