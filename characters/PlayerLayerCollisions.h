#pragma once

#include "characters/PlayerBoxCollisions.h"

class Layer;

// The player's collision tests against a level's "Collisions" layer: the
// boxes of the placed objects near the tested move, type 0 solid and type 1
// a floor that blocks only from above, each placed object's box taken in
// level coordinates.
class PlayerLayerCollisions : public PlayerCollisions {
public:
    explicit PlayerLayerCollisions(Layer* collisionLayer)
        : layer(collisionLayer)
    {
    }

    bool Test(int testKind, const PlayerBox& box, float dx, float dy, float* allowed, int* boxKind) override;
    bool Overlaps(const PlayerBox& box) override;
    Layer* GetLayer() const { return layer; }

private:
    // Collects the boxes of the objects placed around the box and its move.
    void Gather(const PlayerBox& box, float dx, float dy);

    Layer* layer;
    PlayerBoxCollisions boxes;
};
