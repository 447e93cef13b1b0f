#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"
#include "engine/serial/TypeNames.h"

#include <memory>
#include <string>

class GraphicalObject;

// The library's mini-boss: a heavy bookcase that slides along the floor of
// its zone after the player while the player is in the zone (widened 128
// pixels downward), and back to the zone's middle otherwise. It hurts on
// touch, raises dust every 32 pixels of travel, rumbles while it moves, bobs
// while it slides, loses half its speed at every hit and explodes after 20
// damage.
class NPC_MiniBoss_Bibli : public CharacterObject {
public:
    explicit NPC_MiniBoss_Bibli(std::string name);
    ~NPC_MiniBoss_Bibli() override;

    // The base's two, then "NPC_Miniboss_Bibli_Move" (index 2).
    void DeclareSounds() override;
    // The first update marks where the last dust rose.
    void ResetToStart() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    void SetZone(int x0, int y0, int x1, int y1) { zone = Rect<int>(x0, y0, x1, y1); }
    Point<int> GetTarget() const { return target; }
    int GetDustMarkX() const { return dustMarkX; }

    // Where it follows the player (x0 left, y0 top, x1 right, y1 bottom), set
    // by its spawner: the zone and 128 pixels below it.
    Rect<int> zone;

private:
    std::unique_ptr<GraphicalObject> spriteIdle;
    Point<int> target;
    int dustMarkX = 0;
};
