#pragma once

#include "bosses/BossFrame.h"
#include "engine/serial/TypeNames.h"

#include <string>

class GraphicalObject;

// A plant of the cave's great eye. Raised under a free marker at the
// ceiling, it grows a column of 16 plants downward, one more each time the
// bottom one has finished growing. The ice attack freezes a column from the
// plant next to the one it touched; a blow on a frozen plant shatters the
// column from its neighbour, and every shattered plant goes back to the
// eye's pool and frees its marker.
class Projectile_Boss2_Cave : public BossCharacter {
public:
    static constexpr int kGrowing = 0;
    static constexpr int kFreezing = 1;
    static constexpr int kFrozen = 2;
    static constexpr int kShattering = 3;
    static constexpr int kColumnLength = 16;

    explicit Projectile_Boss2_Cave(std::string name);

    static std::string VersionedClassName() { return "Projectile_Boss2_Cave" + std::string("V0"); }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    // "NPC_Generic_HitByPlayer" (hit), "NPC_Boss_Cave2_PlantDie" (death),
    // "NPC_Boss_Cave2_PlantApear".
    void DeclareSounds() override;
    void Update(double dt) override;
    void ResetToStart() override;
    // Only a frozen plant can be hit, unless the caller says otherwise.
    bool IsHitByBox(Rect<int> box, bool flag) override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    // The base death, then its marker is free again.
    void Die() override;

    Projectile_Boss2_Cave* GetAbove() const { return above; }
    Projectile_Boss2_Cave* GetBelow() const { return below; }
    void SetAbove(Projectile_Boss2_Cave* p) { above = p; }
    void SetBelow(Projectile_Boss2_Cave* p) { below = p; }
    int GetGrowCount() const { return growCount; }
    void SetGrowCount(int value) { growCount = value; }
    GraphicalObject* GetSpriteGhost();

    // The plant of the column (this one left out) nearest to the point, or
    // null when one of them is already in state `s` or none is near.
    Projectile_Boss2_Cave* NeighbourFor(Point<float> point, int s);

private:
    void TakeSprites();
    void Grow();
    void Shatter();

    GraphicalObject* spriteGhost = nullptr;
    GraphicalObject* spriteFrozen = nullptr;
    GraphicalObject* spriteBroken = nullptr;
    bool spritesTaken = false;
    Projectile_Boss2_Cave* above = nullptr;
    Projectile_Boss2_Cave* below = nullptr;
    int growCount = 0;
};
