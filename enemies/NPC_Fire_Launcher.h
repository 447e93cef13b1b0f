#pragma once

#include "characters/CharacterObject.h"

#include <cstdint>
#include <memory>
#include <string>

class GraphicalObject;

// A brazier on legs that patrols between two bounds, turns to face the
// player and, when the cool-down is over and the player's centre is within
// 50 pixels of its stretch (and its height), stops and launches a creeping
// Projectile_Fire_Launcher on the ground in front of it. A hit pushes it
// away from the attacker for 10 updates.
class NPC_Fire_Launcher : public CharacterObject {
public:
    static constexpr int kWalk = 0;
    static constexpr int kTurn = 1;
    static constexpr int kAttack = 2;
    static constexpr int kCoolDown = 66;
    static constexpr int kKnockBack = 10;

    explicit NPC_Fire_Launcher(std::string name);
    ~NPC_Fire_Launcher() override;

    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // The trigger rectangle in world coordinates, from the current look's
    // height.
    Rect<int> TriggerRect() const;
    int GetFacing() const { return facing; }
    // The left edge of the 32-pixel grid cell that holds x (also below 0).
    static int GridCellOf(int x);
    int GetKnockBack() const { return knockBack; }

    // Its patrol stretch in world x, set by its spawner.
    int32_t leftX = 0;
    int32_t rightX = 0;

private:
    void Launch();
    void Move(double dt);

    int facing = 1;
    std::unique_ptr<GraphicalObject> moveL;
    std::unique_ptr<GraphicalObject> moveR;
    std::unique_ptr<GraphicalObject> turnL;
    std::unique_ptr<GraphicalObject> turnR;
    std::unique_ptr<GraphicalObject> attackL;
    std::unique_ptr<GraphicalObject> attackR;
    bool fired = false;
    int knockBack = 0;
};
