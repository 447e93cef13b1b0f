#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class NPC_Boss_Final;

// The final boss's one projectile in three forms: an eye of the ring that
// flies out and orbits the boss, a ground shot that slides toward the player
// and bursts under it, and a head that flies to a point and turns into a
// floating skull there. It lives in the boss's pool: disabled between uses,
// reset and enabled when the boss takes it.
class Projectile_Boss_Final : public CharacterObject {
public:
    // States: the ground shot sliding and landed, the eye, the head.
    static constexpr int kSliding = 0;
    static constexpr int kLanded = 1;
    static constexpr int kEye = 2;
    static constexpr int kHead = 3;
    // Modes of SetMode.
    static constexpr int kModeEye = 0;
    static constexpr int kModeGroundShot = 1;
    static constexpr int kModeHead = 2;
    // The floating skull a head becomes.
    static constexpr const char* kSkullName = "Projectile_Boss_Final_Last";

    explicit Projectile_Boss_Final(std::string name);
    ~Projectile_Boss_Final() override;

    // Exactly "NPC_Boss_Final_ProjMove" and "NPC_Boss_Final_ProjActive".
    void DeclareSounds() override;
    // Clears what a former use left: the boss calls it when it takes the
    // projectile from its pool.
    void ResetToStart() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;
    // Not while ghosted (a colour effect).
    bool IsHitByBox(Rect<int> box, bool flag) override;
    // An armour's area attack recolours the boss's ring.
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    // Only an eye takes damage; a killed eye leaves the ring.
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    void SetMode(int mode);

    Point<float> GetOffset() const { return offset; }
    Point<int> GetTarget() const { return target; }
    void SetTarget(Point<int> value) { target = value; }
    bool IsExpanding() const { return expanding; }
    float GetOrbitAngle() const { return orbitAngle; }
    GraphicalObject* GetEyeSprite(int hitKind) const;

private:
    void Move(double dt);
    NPC_Boss_Final* Boss() const;

    Point<float> offset;
    Point<int> target;
    bool expanding = false;
    float orbitAngle = 0.0f;
    int32_t frameCounter = 0;

    std::unique_ptr<GraphicalObject> spriteEye;
    std::unique_ptr<GraphicalObject> spriteEyeIce;
    std::unique_ptr<GraphicalObject> spriteEyeFire;
    std::unique_ptr<GraphicalObject> spriteHeadL;
    std::unique_ptr<GraphicalObject> spriteHeadR;
    std::unique_ptr<GraphicalObject> spriteGroundMove;
    std::unique_ptr<GraphicalObject> spriteGroundFade;
};
