#pragma once

#include "characters/ParticleSystem.h"

// Keeps the whole view filled with particles (snow, rain, dust): the view
// plus two cells on every side is a grid of cells a little larger than the
// biggest sprite; every empty cell gets a particle, particles that leave the
// grid die, all drift with a common wind and each wanders around its cell
// toward random targets. The level keeps its origin at the layer's scroll
// position.
class FullScreenParticleSystem : public ParticleSystem {
public:
    FullScreenParticleSystem(
        int gapX, int gapY, int poolSize, std::vector<GraphicalObject*> sprites, int unused = 0);

    void SetParameters(float windStrength, float particleSpeed, float steer, float windX, float windY,
        float wanderX, float wanderY, float radius);
    void Update(double dt) override;
    void InitParticle(Particle* p) override;

    void SetOrigin(Point<int> o) { origin = o; }
    // The layer keeps the origin at its scroll position.
    bool FollowsScroll() const override { return true; }
    void SetScrollOrigin(Point<int> o) override { SetOrigin(o); }
    Point<int> GetOrigin() const { return origin; }
    Point<float> GetDrift() const { return drift; }
    // The constructor's last value, kept for the script command that made it.
    int GetExtraValue() const { return unused; }
    // The cell size: the gap plus the largest sprite, at least 1 x 1.
    Point<int> GetCellSize() const;
    // The grid region for the current origin: left, bottom, right, top.
    void GetRegion(int& left, int& bottom, int& right, int& top) const;

    // The view the grid covers, and the cells of margin on each side.
    static constexpr int kViewWidth = 512;
    static constexpr int kViewHeight = 448;
    static constexpr int kMarginCells = 2;

private:
    Point<int> gap;
    Point<float> drift;
    float windStrength = 0.0f;
    Point<float> windDirection;
    float particleSpeed = 0.0f;
    float steer = 0.0f;
    Point<float> wanderArea;
    float arrivalRadius = 0.0f;
    float minTargetDistance = 0.0f;
    Point<int> origin;
    int32_t unused = 0;
};
