#pragma once

#include "characters/CharacterObject.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class GraphicalObject;
class Projectile_Garden_Plant;

// A rooted plant that grows a stem toward the player, one 32 x 32 piece
// (a Projectile_Garden_Plant) every 33 updates, up to 60 pieces. A piece
// that is cut dies with every piece grown after it; once the dying pieces
// are gone the plant grows on from what is left. The plant itself has 4
// life, hurts on contact, and a fire area hit counts twice; dying, it kills
// its whole stem.
class NPC_Garden_Plant : public CharacterObject {
public:
    static constexpr int kWaiting = 0;
    static constexpr int kGrowing = 1;
    static constexpr int kLife = 4;
    static constexpr int kGrowDelay = 33;
    static constexpr int kMaxPieces = 60;
    static constexpr int kPieceSize = 32;

    explicit NPC_Garden_Plant(std::string name);
    ~NPC_Garden_Plant() override;

    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    void Die() override;

    // Where the next piece grows from (the last piece's position).
    void SetTip(int x, int y) { tip = Point<int>(x, y); }
    Point<int> GetTip() const { return tip; }
    // A piece was cut: it and every piece after it die, and growth waits.
    void OnPieceHit(Projectile_Garden_Plant* piece);
    // A dying piece leaves the stem.
    void RemovePiece(Projectile_Garden_Plant* piece);
    const std::vector<Projectile_Garden_Plant*>& GetPieces() const { return pieces; }

    // Where the plant is rooted (the first piece's tip), set by its spawner.
    Point<int> anchorPoint;

private:
    // The stem pictures by name order: the ten living looks, then their
    // "_Die" twins.
    enum Look {
        kLeft,
        kRight,
        kDown,
        kUp,
        kCornerDownLeft,
        kCornerDownRight,
        kHorizontal,
        kVertical,
        kCornerUpLeft,
        kCornerUpRight,
        kLookCount
    };
    void GrowPiece(CharacterObject* player);
    // Gives a piece a clone of the look and of its dying twin.
    void Dress(Projectile_Garden_Plant& piece, Look look) const;

    std::unique_ptr<GraphicalObject> base;
    // The library's prototypes, not copies: each piece gets its own clones.
    std::array<GraphicalObject*, 2 * kLookCount> prototypes {};
    Point<int> tip;
    std::vector<Projectile_Garden_Plant*> pieces;
};
