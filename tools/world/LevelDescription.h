#pragma once

#include <map>
#include <string>
#include <vector>

// One object the description places: a zone or point ("place"), a prop in a
// named layer ("prop") or a script trigger ("trigger"). Positions and sizes
// are in 32-px tiles from the level's bottom-left corner, y up.
struct LevelPlacement {
    std::string kind; // place, prop, trigger
    std::string object;
    std::string name;
    std::string layer = "Collisions";
    int x = 0, y = 0, w = 1, h = 1;
    bool sized = false; // the size was written (else a zone keeps its type's own)
    std::map<std::string, std::string> options;
    std::vector<std::string> script; // a trigger's lines
    std::vector<int> scriptLines;    // where each was written
    int line = 0;
};

// A level description (data/levels/*.lvd) as written, before the standard
// layers and points are added.
struct LevelDescription {
    std::string file;
    std::string level; // name the game uses, e.g. "Cimetery_TP_01.lvl"
    int screensW = 0, screensH = 0;
    int cellX = -1, cellRow = -1;
    std::string palette;
    // The backgrounds' set "BG_<backdrop>_..."; empty: the palette's area.
    std::string backdrop;
    int backdropLine = 1;
    std::vector<std::pair<std::string, int>> scripts; // start-up script lines and where
    std::vector<std::string> tiles;                   // top row first
    int tilesLine = 0;
    std::vector<LevelPlacement> placements;
    bool standardBlockers = true;
    bool standardPoints = true;

    int TileWidth() const { return 16 * screensW; }
    int TileHeight() const { return 14 * screensH; }
    // The tile at (x, y), y up from the bottom row; '#' outside the level's
    // sides and bottom, '.' above its top.
    char TileAt(int x, int y) const;

    // Parses a description; throws WorldError "file:line: ..." on the first
    // fault of form (unknown word, bad number, tile rows of the wrong size).
    static LevelDescription Parse(const std::string& text, const std::string& fileName);
    static LevelDescription ReadFile(const std::string& path);
};

// Tile characters: solid ones become collision blocks.
bool IsSolidTile(char c);
// The invisible walls that close a level's sides: a collision block without
// terrain art ('|' in the air, '!' under water, which keeps its water).
bool IsInvisibleWallTile(char c);
// Solid tiles that are drawn as terrain (all but the invisible walls).
bool IsDrawnSolidTile(char c);
// Tiles a player can stand on: solid ones and the one-way platform.
bool IsFloorTile(char c);
// Every character a tile map may hold.
bool IsKnownTile(char c);
