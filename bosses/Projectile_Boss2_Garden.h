#pragma once

#include "enemies/NPC_FloatingSkull.h"
#include "engine/serial/TypeNames.h"

#include <memory>
#include <string>

class GraphicalObject;

// A skull of the orchard's ghost: thrown from a spawn place (state 4) it waits
// 140 frames unseen and bursts into two small skulls, which in the first phase
// run a rectangle of 224 by 64 pixels for ever (state 5) and in the second
// chase the player as floating skulls (state 6). The small ones join the
// group of their place.
class Projectile_Boss2_Garden : public NPC_FloatingSkull {
public:
    static constexpr int kChasingToo = 1;
    static constexpr int kThrown = 4;
    static constexpr int kOnPath = 5;
    static constexpr int kChasing = 6;

    explicit Projectile_Boss2_Garden(std::string name);
    ~Projectile_Boss2_Garden() override;

    // The base's two, then "NPC_Boss_Garden2_Proj" and "NPC_Boss_Garden2_Fire".
    void DeclareSounds() override;
    // A small skull (counter 0) takes its speed, look and role.
    void ResetToStart() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;

    void SetGroupIndex(int index) { groupIndex = index; }
    int GetGroupIndex() const { return groupIndex; }
    Point<int> GetPathTarget() const { return pathTarget; }
    int GetPathStep() const { return pathStep; }
    int GetSide() const { return side; }
    GraphicalObject* GetSpriteExplosion() const { return spriteExplosion.get(); }

private:
    std::unique_ptr<GraphicalObject> spriteIdle;
    std::unique_ptr<GraphicalObject> spriteExplosion;
    Point<int> pathTarget;
    int pathStep = 0;
    int side = 0;
    int groupIndex = -1;
};
