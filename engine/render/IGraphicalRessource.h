#pragma once

#include "engine/serial/Point.h"

// A texture of the render engine as the engine's users see it: something with
// a size. The render engine's own resource class adds the device texture.
class IGraphicalRessource {
public:
    virtual ~IGraphicalRessource() = default;
    virtual Point<int> GetSize() = 0;
};
