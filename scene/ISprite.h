#pragma once

#include <string>

#include "engine/serial/ISerialization.h"
#include "engine/serial/Point.h"

class DXGraphicalSurface;

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

protected:
    ISprite() = default;
    ISprite(const ISprite&) = default;
    ISprite& operator=(const ISprite&) = default;
};
