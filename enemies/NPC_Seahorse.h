#pragma once

#include "characters/CharacterObject.h"

#include <cstdint>
#include <memory>
#include <string>

class GraphicalObject;

// An enemy that alternates a move and an attack. It moves in steps of 64
// pixels left or right, at random within the band its spawner gives it, and
// cannot be harmed while it moves. Between moves it faces the player and
// attacks: half-way through, one Projectile_Seahorse leaves toward a player
// within 500 pixels. 8 life; an ice area hit counts twice.
class NPC_Seahorse : public CharacterObject {
public:
    static constexpr int kMove = 1;
    static constexpr int kAttack = 2;
    static constexpr int kLife = 8;
    // The length of one move.
    static constexpr float kStep = 64.0f;

    explicit NPC_Seahorse(std::string name);
    ~NPC_Seahorse() override;

    // The base's sounds, then "NPC_SeaHorse_Attack".
    void DeclareSounds() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    // Never hit while it moves.
    bool IsHitByBox(Rect<int> box, bool flag) override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    void SetRightBound(int value) { rightX = value; }
    void SetLeftBound(int value) { leftX = value; }
    bool HasFired() const { return shotFired; }

    // A move to the right is allowed while position x + 64 is not beyond
    // rightX, one to the left while position x - 64 is not below leftX. Set
    // by its spawner.
    int32_t leftX = 0;
    int32_t rightX = 0;

private:
    void Fire(Point<float> toPlayer);

    std::unique_ptr<GraphicalObject> moveLeft;
    std::unique_ptr<GraphicalObject> moveRight;
    std::unique_ptr<GraphicalObject> attackLeft;
    std::unique_ptr<GraphicalObject> attackRight;
    bool shotFired = false;
};
