#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// The boat plant's insect: it steers smoothly toward random points of its
// flight zone, hurts on contact and drops a Projectile_Ins_Acid every 33
// updates. One hit kills it; its plant (its owner) then counts one insect
// less.
class NPC_BoatIns : public CharacterObject {
public:
    // Updates between two drops.
    static constexpr int kDropEvery = 33;
    // The speed after the first update (the first one flies at 1.25).
    static constexpr float kCruiseSpeed = 2.5f;

    explicit NPC_BoatIns(std::string name);
    ~NPC_BoatIns() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // A new point of the flight zone to fly to: anywhere in it at first,
    // later in its left half, moved right by half the zone's height while
    // the insect is left of that half's end.
    void ChooseTarget();
    Point<int> GetTarget() const { return target; }
    void SetTarget(Point<int> p) { target = p; }
    Rect<int> GetZone() const { return zone; }
    void SetZone(const Rect<int>& r) { zone = r; }

private:
    std::unique_ptr<GraphicalObject> idle;
    Point<int> target;
    Rect<int> zone;
};
