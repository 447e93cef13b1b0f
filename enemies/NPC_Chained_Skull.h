#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;
class Projectile_Chained_Skull;

// A skull that never moves. On its first update it makes its mouth, a
// Projectile_Chained_Skull in mouth mode that drops, spits a falling shot at
// the player within 512 pixels and rises again on its own. Its partner is
// the other live character of the same name (the placements share one
// name): the shots burst into flames at the partner's height. Killing the
// skull removes its mouth in the same frame.
class NPC_Chained_Skull : public CharacterObject {
public:
    explicit NPC_Chained_Skull(std::string name);
    ~NPC_Chained_Skull() override;

    // The base's sounds, then "NPC_ChainedSkull_Attack".
    void DeclareSounds() override;
    void Update(double dt) override;
    // Links the partner.
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    // The mouth that dies first is forgotten.
    void RemoveChild(CharacterObject* child) override;

    Projectile_Chained_Skull* GetMouth() const { return mouth; }
    // The partner while it is live (it has this skull's name); null once it
    // has died and gone.
    CharacterObject* GetPartner() const;

private:
    std::unique_ptr<GraphicalObject> body;
    Projectile_Chained_Skull* mouth = nullptr;
    CharacterObject* partner = nullptr;
};
