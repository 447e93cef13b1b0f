#pragma once

#include "bosses/BossFrame.h"
#include "engine/serial/Rect.h"

#include <string>
#include <vector>

class GraphicalObject;

// The garden's mini-boss: a creature hidden in the ground of its zone. While
// the player is in the zone it surfaces, three to five times as its bottom
// part under the player, then once whole at a random place, each time for
// one play of its animation and 30 hidden frames after. 20 life, no phases.
class NPC_MiniBoss_Garden : public BossCharacter {
public:
    static constexpr int kBodyOut = 0;
    static constexpr int kBottomOut = 1;

    explicit NPC_MiniBoss_Garden(std::string name);

    // The base's two, then "NPC_Miniboss_Garden_Move" (index 2).
    void DeclareSounds() override;
    // The first update draws its first rises.
    void ResetToStart() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // How many bottom rises come before the next body rise, and where that
    // rises.
    void PickNextRise();
    int GetRiseCount() const { return riseCount; }
    int GetTargetX() const { return targetX; }
    GraphicalObject* GetSpriteBody() const { return spriteBody; }
    GraphicalObject* GetSpriteBottom() const { return spriteBottom; }

    // Its ground (x0, y0 top, x1, y1 bottom), set by its spawner.
    Rect<int> area;

private:
    GraphicalObject* spriteBody = nullptr;
    GraphicalObject* spriteBodyDie = nullptr;
    GraphicalObject* spriteBottom = nullptr;
    int riseCount = 0;
    int targetX = 0;
};
