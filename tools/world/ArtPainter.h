#pragma once

#include "engine/render/PixelImage.h"
#include "tools/world/ArtRecipe.h"

#include <cstdint>
#include <map>
#include <string>

// Draws one frame of a recipe, step by step, into a picture of the object's
// size. Colours are palette indices 0-7, "#RRGGBB[AA]" or "clear". Random
// steps (speckle, ridge) draw from a generator seeded by the object's name
// and the world seed, so a picture never changes when others are added.
class ArtPainter {
public:
    ArtPainter(const ArtBook& book, uint64_t seed)
        : book(book)
        , seed(seed)
    {
    }

    // Throws WorldError naming the recipe line of a bad step.
    PixelImage Paint(const ArtObject& object, int frame) const;

private:
    const ArtBook& book;
    uint64_t seed;
};

struct ArtAtlas;

// Every atlas page drawn: page file name -> picture.
std::map<std::string, PixelImage> PaintAtlasPages(const ArtBook& book, const ArtAtlas& atlas, uint64_t seed);
