#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One drawing step of a recipe: a primitive keyword and its words, with the
// frame it applies to (-1: every frame) and where it was written.
struct ArtStep {
    std::string op;
    std::vector<std::string> args;
    int frame = -1;
    int line = 0;
};

struct ArtBox {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int type = 0;
    int frame = -1;
};

// One picture of the world: a graphical object with its same-named animated
// sprite, or (plainSprite) a bare sprite that objects share.
struct ArtObject {
    std::string name;
    std::string image; // atlas file under images/, with "/" separators
    std::string category = "(Tiles)";
    std::string palette;
    int width = 32;
    int height = 32;
    int frames = 1;
    int frameMs = 100;
    bool loop = true;
    bool plainSprite = false;
    // The class the game library's record names ("UI_Frame_Dialogue"); empty
    // for a plain graphical object.
    std::string recordClass;
    std::vector<ArtBox> boxes;
    // "anchor X Y": the object also holds a sprite instance of its first
    // frame whose reference point is (X, Y) (a pivot that code reads; the
    // instance is not drawn).
    bool anchored = false;
    int anchorX = 0;
    int anchorY = 0;
    std::vector<ArtStep> steps;
    std::string file; // recipe it came from
    int line = 0;
};

// One particle system of the library: "particles NAME COUNT LIFETIME SPEED
// SPREAD GRAVITY PICTURE...": COUNT particles that live LIFETIME updates
// (fading over the last quarter), leave upward at SPEED (a random share of
// it sideways) within SPREAD degrees, pulled down by GRAVITY per update, each
// showing one of the pictures.
struct ArtParticles {
    std::string name;
    int count = 1;
    float lifetime = 30.0f;
    float speed = 8.0f;
    float spread = 40.0f;
    float gravity = 1.0f;
    std::vector<std::string> pictures;
    std::string file;
    int line = 0;
};

// Every recipe file of the art folder: palettes (8 colours, ARGB), objects
// and particle systems, in file order.
struct ArtBook {
    std::map<std::string, std::vector<uint32_t>> palettes;
    std::vector<ArtObject> objects;
    std::vector<ArtParticles> particles;

    // Reads one recipe file into the book; throws WorldError naming the file
    // and line of the first fault.
    void ReadFile(const std::string& path);
    void ReadText(const std::string& text, const std::string& fileName);
    const ArtObject* Find(const std::string& name) const;
};

// "#RRGGBB" or "#RRGGBBAA" as ARGB; false on anything else.
bool ParseHexColour(const std::string& word, uint32_t& argb);
