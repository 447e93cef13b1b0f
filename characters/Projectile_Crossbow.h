#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class GraphicalObject;
class Level;

// The crossbow's bolt: it flies straight, strikes each character it passes
// once with the damage of the player's crossbow level, flies on through the
// characters it kills, stops at the first that survives, and breaks on the
// level's collision layer. Its look follows the crossbow level it was shot at.
class Projectile_Crossbow : public CharacterObject {
public:
    static constexpr int kFrameLimit = 166500;

    explicit Projectile_Crossbow(std::string name);
    ~Projectile_Crossbow() override;

    std::string GetVersionedClassName() override { return "Projectile_CrossbowV0"; }
    void DeclareSounds() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;

    // Damage of a crossbow level: 3, 4 and 5 for levels 1 to 3, else 0.
    static int DamageOfLevel(int level);
    // The four graphical names of a level (idle L, idle R, touch L, touch R);
    // levels outside 1 to 3 take level 1's.
    static std::array<std::string, 4> GraphicalNames(int level);

    int GetKillCount() const { return killCount; }
    int GetFrameCounter() const { return frameCounter; }
    GraphicalObject* GetIdle(bool right) const { return right ? idleRight.get() : idleLeft.get(); }

private:
    void Break();
    // Whether the bolt stands in a box or on a line of the level's
    // "Collisions" layer.
    bool BreaksOnCollisions(Level* level);

    std::unique_ptr<GraphicalObject> idleLeft;
    std::unique_ptr<GraphicalObject> idleRight;
    std::unique_ptr<GraphicalObject> touchLeft;
    std::unique_ptr<GraphicalObject> touchRight;
    std::vector<CharacterObject*> struck;
    int32_t frameCounter = 0;
    int32_t killCount = 0;
    int32_t previousState = 0;
    std::unique_ptr<CollisionShape<int>> ownBox;
};
