#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// A creeping flame: at its spread frame it lights the next flame one flame
// width further along its direction when the ground there holds and no wall
// stands in the way (or, with a bounding character, while the flame stays
// within that character's width), and it leaves when its own animation has
// played. It hurts on contact. The fire launcher lights the plain flame; the
// chained skull, the boat mini-boss and the second snow boss switch theirs
// to their own look, which every flame it lights inherits.
class Projectile_Fire_Launcher : public CharacterObject {
public:
    explicit Projectile_Fire_Launcher(std::string name);
    ~Projectile_Fire_Launcher() override;

    // "NPC_FireLauncher_Fire" (0) and "NPC_ChainedSkull_Fire" (1) alone.
    void DeclareSounds() override;
    // The plain look, when the flame has none yet.
    void ResetToStart() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;

    void SetGraphicalChainedSkull();
    void SetGraphicalMiniBossBoat();
    void SetGraphicalBoss2Snow();
    bool IsChainedSkullFlame() const { return chainedSkull; }
    bool IsMiniBossBoatFlame() const { return miniBossBoat; }
    bool IsBoss2SnowFlame() const { return boss2Snow; }
    bool HasSpread() const { return spawned; }

    // The character whose horizontal extent bounds the flames (not owned).
    void SetBoundingCharacter(CharacterObject* character);
    // The bound while it is still in the level; null once it has left.
    CharacterObject* GetBoundingCharacter() const;

    // Whether the flame may stand at (x, y); it is moved there (dropped onto
    // the ground below first with `snap`).
    static bool TryPlace(Projectile_Fire_Launcher* flame, bool snap, int x, int y);
    // Drops the flame onto the top of a solid box within 16 pixels below it.
    static void SnapToGround(Projectile_Fire_Launcher* flame);
    // The position 4 pixels lower.
    Point<float> GetRaisedPosition() const { return position + Point<float>(0.0f, -4.0f); }

private:
    void SetLook(const char* name);
    void Spread();

    std::unique_ptr<GraphicalObject> look;
    bool spawned = false;
    bool chainedSkull = false;
    bool miniBossBoat = false;
    bool boss2Snow = false;
    CharacterObject* boundingCharacter = nullptr;
    std::string boundingName;
};
