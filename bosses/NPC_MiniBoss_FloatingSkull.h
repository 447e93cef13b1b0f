#pragma once

#include "enemies/NPC_FloatingSkull.h"

#include <cstdint>
#include <string>
#include <vector>

// The Ossuary's mini-boss: a large floating skull with more life, a longer
// reach and lower speeds, that leads a swarm of plain floating skulls. On its
// first update it makes the swarm inside its own box and moves the swarm's
// zone along with itself every frame, so wandering children keep their places
// around it. Every blow speeds up its knock-back; the lethal blow explodes it,
// and its death frees the children and tells the arena's script
// "NPC_MiniBoss_FloatingSkull_State_DIE".
class NPC_MiniBoss_FloatingSkull : public NPC_FloatingSkull {
public:
    static constexpr const char* kDeathMessage = "NPC_MiniBoss_FloatingSkull_State_DIE";

    explicit NPC_MiniBoss_FloatingSkull(std::string name);
    ~NPC_MiniBoss_FloatingSkull() override;

    void Update(double dt) override;
    void RemoveChild(CharacterObject* child) override;
    // The first update makes the swarm.
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    void Die() override;

    // Makes `childCount` plain floating skulls at random points of its box,
    // owned by it; a creation that fails is skipped.
    void SpawnChildren();
    const std::vector<NPC_FloatingSkull*>& GetChildren() const { return children; }
    double GetTriggerDistanceSq() const { return triggerDistanceSq; }
    float GetWanderMaxSpeed() const { return wanderMaxSpeed; }

    // The floating skulls it makes around itself, set by its spawner.
    uint32_t childCount = 0;

private:
    // Its box (x0 left, y0 top, x1 right, y1 bottom) at its integer position.
    Rect<int> CurrentBox() const;

    std::vector<NPC_FloatingSkull*> children;
};
