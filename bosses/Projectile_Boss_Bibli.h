#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <memory>
#include <string>

class GraphicalObject;
class SceneObjectHandle;

// One dagger of the library ghost's carousel: it circles the ghost, shaded by
// its place on the turn; once thrown it flies to its spot while turning to aim
// at the player, then shoots at the player and ends. In flight it hurts
// through the exact test of its rotated blade against the player's hurt box.
class Projectile_Boss_Bibli : public CharacterObject {
public:
    static constexpr int kOnCarousel = 0;
    static constexpr int kThrown = 1;
    static constexpr int kShot = 2;

    explicit Projectile_Boss_Bibli(std::string name);
    ~Projectile_Boss_Bibli() override;

    // Only "NPC_Boss_Bibli_Dague" (index 0).
    void DeclareSounds() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;
    bool DamagePlayerOnContact() override;

    // Sends it to its spot; its shade goes.
    void Throw(int x, int y);
    // The blade, turned as drawn, against the player's first hurt box.
    bool HitsPlayer();

    // The ghost it circles (a weak handle, taken here).
    void SetOwnerHandle(SceneObjectHandle* handle);
    void SetOrbit(float value) { orbit = value; }
    float GetOrbit() const { return orbit; }
    Point<int> GetTarget() const { return target; }
    // The drawn rotation of its blade, in degrees.
    float GetRotation() const;

private:
    // The ghost it belongs to, or null once it is gone or no ghost.
    CharacterObject* Boss() const;

    std::unique_ptr<GraphicalObject> spriteDagger;
    Point<int> target;
    SceneObjectHandle* ownerHandle = nullptr;
    float orbit = 0.0f;
};
