#pragma once

#include "engine/serial/ISerialization.h"
#include "engine/serial/Point.h"

class DXGraphicalSurface;

// What a layer does with the particle systems it owns: it updates and draws
// them every frame, and hands the ones that cover the whole screen its
// scroll position first. ParticleSystem implements it.
class LayerParticles : public ISerialization {
public:
    virtual void Update(double dt) = 0;
    // Draws for the view whose upper-left corner (level coordinates) is
    // offset; false once a draw failed.
    virtual bool Draw(DXGraphicalSurface* target, Point<int> offset) = 0;
    // Whether the system follows the layer's scroll, and the scroll
    // position it is handed before each update.
    virtual bool FollowsScroll() const { return false; }
    virtual void SetScrollOrigin(Point<int> /*origin*/) { }
};
