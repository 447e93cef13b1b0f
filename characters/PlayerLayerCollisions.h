#pragma once

#include "characters/PlayerWorld.h"

#include <memory>

class Layer;

// The player's collision tests against a level's "Collisions" layer. Every
// test goes through the layer's character tests on the level's collision
// world (`Layer::CollideCharacter`): boxes of type 0 are solid, boxes of
// type 1 are floors that hold a box coming down onto their top, and lines
// hold through the character's circle (they answer kind 2, the slopes the
// player settles onto). The tested box stands for the player at the tested
// place.
class PlayerLayerCollisions : public PlayerCollisions {
public:
    explicit PlayerLayerCollisions(Layer* collisionLayer);
    ~PlayerLayerCollisions() override;
    PlayerLayerCollisions(const PlayerLayerCollisions&) = delete;
    PlayerLayerCollisions& operator=(const PlayerLayerCollisions&) = delete;

    bool Test(int testKind, const PlayerBox& box, float dx, float dy, float* allowed, int* boxKind) override;
    bool Overlaps(const PlayerBox& box) override;
    Layer* GetLayer() const { return layer; }

    class Probe;

private:
    // The move tested as a whole, with the floors met from below left out.
    bool TestAt(int testKind, const PlayerBox& box, float dx, float dy, float* allowed, int* boxKind);
    // One character test of the box moved by (dx, dy); false when the layer
    // finds nothing or what it finds does not stop the move (passThrough
    // tells a floor that lets the box through).
    bool TestOnce(int testKind, const PlayerBox& box, float dx, float dy, float* allowed, int* boxKind,
        bool* passThrough);

    Layer* layer;
    std::unique_ptr<Probe> probe;
};
