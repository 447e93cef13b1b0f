#pragma once

#include <string>

#include "engine/serial/ISerialization.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

class DXGraphicalRessource;
class DXGraphicalSurface;

// What the device draws of a sprite with an image of its own: its texture,
// its image rectangle (inclusive bounds) and the point it turns about.
struct SpriteImage {
    DXGraphicalRessource* texture = nullptr;
    Rect<int> rect;
    Point<int> point;
};

// What sprites and animated sprites share: a class name that tells the two
// apart, a name, a size and a draw.
class ISprite : public ISerialization {
public:
    ~ISprite() override = default;

    virtual std::string GetClassName() = 0;
    virtual const std::string& GetName() = 0;
    virtual Point<int> GetSize() = 0;
    // Draws at (x, y) on the target; the remaining arguments go to the image
    // draw unchanged.
    virtual bool Draw(DXGraphicalSurface* target, int x, int y, int a, int b, float rotation, int p7, int p8,
        int p9, int p10)
        = 0;
    // Has no caller; kept for the shape of the interface.
    virtual void ReservedOperation(int, int) { }

    // The image the render engine draws, its image loaded first when it is
    // not; no texture for a sprite without an image of its own (an animated
    // sprite draws through its frames) or whose image did not load.
    virtual SpriteImage GetSpriteImage() { return {}; }
    // Loads the image now (the render thread's image pass); nothing for a
    // sprite without an image of its own.
    virtual void LoadImage() { }

protected:
    ISprite() = default;
    ISprite(const ISprite&) = default;
    ISprite& operator=(const ISprite&) = default;
};
