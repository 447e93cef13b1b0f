#pragma once

#include "characters/PlayerWorld.h"

#include <vector>

// Collision tests of the player's box against a set of axis-aligned solid
// boxes: a move along one axis stops at the nearest box it would enter,
// and floors that block only from above stop only a box that comes down
// onto them from their top (and only in tests of kind -1).
class PlayerBoxCollisions : public PlayerCollisions {
public:
    struct Solid {
        PlayerBox box;
        bool oneWay = false;
        int kind = 0;
    };

    void Add(float left, float bottom, float right, float top, bool oneWay = false, int kind = 0)
    {
        solids.push_back({{left, bottom, right, top}, oneWay, kind});
    }
    void Clear() { solids.clear(); }

    bool Test(int testKind, const PlayerBox& box, float dx, float dy, float* allowed, int* boxKind) override;
    bool Overlaps(const PlayerBox& box) override;

    // Whether two boxes share an area (touching is not enough).
    static bool Overlap(const PlayerBox& a, const PlayerBox& b);

    std::vector<Solid> solids;
};
