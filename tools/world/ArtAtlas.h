#pragma once

#include "tools/world/ArtRecipe.h"

#include <map>
#include <string>
#include <vector>

// Where each frame of each picture lands: objects that name the same image
// share power-of-two atlas pages of at most 1024 x 1024, filled shelf by shelf
// in recipe order. A page that would overflow starts "<image>_N.png".
struct AtlasFrame {
    std::string page; // file under images/, "/" separators
    int x = 0;
    int y = 0;
};

struct AtlasPage {
    std::string file;
    int width = 0;
    int height = 0;
};

struct ArtAtlas {
    std::vector<AtlasPage> pages;
    std::map<std::string, std::vector<AtlasFrame>> frames; // by object name

    static ArtAtlas Layout(const ArtBook& book);
};

// The sprite name of frame i of a picture: "<object>_fNN"; a one-frame plain
// sprite keeps its own name.
std::string FrameSpriteName(const ArtObject& object, int frame);
