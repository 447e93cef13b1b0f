#pragma once

#include "engine/serial/Point.h"

class DXGraphicalSurface;

// A particle system playing in a layer. The layer owns it, updates it each
// frame and draws it with the layer's offset; the particle engine of the
// characters issue gives the family its particles.
class ParticleSystem {
public:
    virtual ~ParticleSystem() = default;

    virtual void Update(double /*dt*/) { }
    virtual bool Draw(DXGraphicalSurface* /*surface*/, Point<int> /*offset*/) { return true; }
};

// A particle system that covers the screen: the layer keeps its origin at the
// layer's scroll position.
class FullScreenParticleSystem : public ParticleSystem {
public:
    void SetOrigin(Point<int> o) { origin = o; }
    Point<int> GetOrigin() const { return origin; }

private:
    Point<int> origin;
};
