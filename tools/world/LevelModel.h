#pragma once

#include "tools/world/LevelDescription.h"

#include <map>
#include <string>
#include <vector>

// A level as the level file holds it, before it is handed to the engine's
// writers: layers in their lists, each with its placed objects. Positions and
// sizes are in pixels, the bottom-left corner of the object, y up; a size of
// 0 x 0 means the object's own size.
struct ModelInstance {
    std::string object;
    std::string name;
    int x = 0, y = 0, w = 32, h = 32;
    std::map<std::string, std::string> options;
    std::vector<std::string> script;
    int line = 0; // where the description places it; 0 for what the tool adds
};

struct ModelLayer {
    std::string name;
    int list = 0; // 0 background, 1 foreground, 2 scene
    float scrollX = 1.0f, scrollY = 1.0f;
    bool drawPlacedInstances = true;
    float autoScrollSpeed = 0.0f;
    std::vector<ModelInstance> instances;
};

struct LevelModel {
    std::string name;     // as the game names it
    std::string fileName; // on disk: lower case
    std::string source;   // the description it was built from
    int cellX = 0, cellRow = 0;
    std::vector<ModelLayer> layers; // list 0, then 2, then 1, each in order
    std::vector<std::string> script;

    ModelLayer* FindLayer(const std::string& layerName);
    const ModelLayer* FindLayer(const std::string& layerName) const;
};

// The art an area's levels use: terrain autotiles "Tile_<prefix>_..." and
// backgrounds "BG_<prefix>_...". False for an unknown palette.
bool AreaPrefix(const std::string& palette, std::string& prefix);

// Applies the standard skeleton to a description: the eight layers (with
// "BG_Clouds" under an open sky, and "FG_Secret" when something is placed in
// it), the background art of the level's backdrop, collision
// blocks and autotiled terrain from the tile map, water and lava, climb zones,
// the camera blockers, the minimap marker and a save stone under each save
// zone that stands on the ground. Throws WorldError on a palette,
// layer or backdrop the world does not know.
LevelModel BuildLevelModel(const LevelDescription& description);
