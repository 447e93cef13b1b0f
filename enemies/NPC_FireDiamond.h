#pragma once

#include "characters/CharacterObject.h"
#include "characters/PlayerArmor.h"

#include <memory>
#include <string>
#include <vector>

class GraphicalObject;
class Level;
class PlayerArmorIce;

// A solid block of fire standing in the level's "Collisions" layer. It never
// takes damage and never hurts; struck while the player owns the ice armor,
// it starts melting the frozen cells around it: every "firediamond"
// "unfrozedelay" + 1 updates the melt spreads to the frozen cells touching
// those already melting, each melting cell runs its ice animation back one
// frame, and a cell back at its first frame turns to water again. While
// cells melt the gameplay is paused (the diamond alone keeps updating).
class NPC_FireDiamond : public CharacterObject {
public:
    using Record = ArmorActiveReplacement;

    explicit NPC_FireDiamond(std::string name);
    ~NPC_FireDiamond() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // Places a copy of its look in the level's "Collisions" layer at its
    // position (solid and visible) and takes the look as its own graphical.
    // Nothing without the layer or an accepting scene layer.
    void BuildCollisionGraphical(Level* level);
    // Appends to the melting cells the frozen cells whose centre lies in the
    // box twice its size around its centre.
    void CollectCellsInBox();
    // Sets or clears the game's gameplay pause.
    void SetMeltingFlag(bool value);

    const std::vector<Record>& GetRecords() const { return records; }
    const std::vector<Layer::Instance*>& GetMeltingCells() const { return melting; }
    int GetStepCounter() const { return stepCounter; }
    Layer::Instance* GetCollisionInstance() const { return collisionInstance; }

    static bool SameRecord(const Record& a, const Record& b);

private:
    // One melting step: forget stale records, the screen check, spread and
    // melt.
    void MeltStep(PlayerArmorIce& ice);
    void Spread();
    void Melt(PlayerArmorIce& ice, const std::vector<Layer::Instance*>& reached);
    // Unfreezes the armor's record of that replacement and forgets it here.
    void Unfreeze(PlayerArmorIce& ice, Layer::Instance* cell);
    bool IsMelting(const Layer::Instance* cell) const;

    Layer::Instance* collisionInstance = nullptr;
    Layer* collisionLayer = nullptr;
    std::vector<Record> records;
    std::vector<Layer::Instance*> melting;
    int32_t stepCounter = 0;
    std::unique_ptr<GraphicalObject> look;
};
