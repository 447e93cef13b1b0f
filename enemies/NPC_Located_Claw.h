#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"

#include <memory>
#include <string>

class GraphicalObject;

// A bone claw hidden at a rectangle of the level, unseen and harmless while
// it waits. Once it has waited 15 updates and the player's box touches the
// rectangle, it rises at the player's x on the rectangle's bottom edge,
// strikes (hurting on contact, and only then open to blows) and sinks
// again. A fire area hit counts twice and reaches it even unseen.
class NPC_Located_Claw : public CharacterObject {
public:
    static constexpr int kWaiting = 0;
    static constexpr int kAppearing = 1;
    static constexpr int kAttacking = 2;
    static constexpr int kDisappearing = 3;
    static constexpr int kDying = 4;
    // Updates it waits unseen before it can strike again.
    static constexpr int kWait = 15;

    explicit NPC_Located_Claw(std::string name);
    ~NPC_Located_Claw() override;

    // The base's sounds, then "NPC_LocatedClaw_Attack".
    void DeclareSounds() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    // Only while it strikes.
    std::vector<Rect<int>> GetAttackBoxes() override;
    bool IsHitByBox(Rect<int> box, bool flag) override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    void SetZone(int x1, int y1, int x2, int y2) { rect = Rect<int>(x1, y1, x2, y2); }

    // The rectangle that triggers it (x1, y1 the top, x2, y2), set by its
    // spawner.
    Rect<int> rect;

private:
    std::unique_ptr<GraphicalObject> appear;
    std::unique_ptr<GraphicalObject> attack;
    std::unique_ptr<GraphicalObject> disappear;
    std::unique_ptr<GraphicalObject> dieLook;
};
