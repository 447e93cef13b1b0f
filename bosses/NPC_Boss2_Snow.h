#pragma once

#include "bosses/BossFrame.h"

#include <string>
#include <vector>

class GraphicalObject;

// The frost sentinel of the Glacier Throat. It waits on the first frame of
// its opening until "start"; then, each time its present animation ends, it
// looks where the player stands: close in front of it or high above, it
// screams and drops five imps onto the platforms marked "snow2_enemies";
// further away in front, it sends a wave of ice spikes along the ground;
// between two attacks it raises its shield. 95 life; its death removes its
// imps.
class NPC_Boss2_Snow : public BossCharacter {
public:
    static constexpr int kOpening = 0;
    static constexpr int kShield = 1;
    static constexpr int kAttackDown = 2;
    static constexpr int kDropEnemies = 5;
    static constexpr int kLife = 95;
    static constexpr int kDropDelay = 30;
    static constexpr int kSpikeDelay = 60;
    static constexpr int kMaxEnemies = 30;
    static constexpr int kEnemiesPerDrop = 5;
    static constexpr Point<float> kSpikeStart {480.0f, 32.0f};

    explicit NPC_Boss2_Snow(std::string name);
    ~NPC_Boss2_Snow() override;

    static std::string VersionedClassName() { return std::string("NPC_Boss2_Snow") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void DeclareSounds() override;
    void Update(double dt) override;
    void ResetToStart() override { }
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    bool HandleScriptCommand(std::string command, std::string argument) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    void Die() override;

    // Where the player stands for the next move: 1 near (or high above),
    // 2 far in front, 0 elsewhere.
    int ZoneOfPlayer() const;
    int GetFrameCounter() const { return frameCounter; }
    GraphicalObject* GetOpening() const { return opening; }

private:
    void DropEnemies();
    void ChooseNext();
    void Show(GraphicalObject* sprite);

    GraphicalObject* opening = nullptr;
    GraphicalObject* shield = nullptr;
    GraphicalObject* attackDown = nullptr;
    GraphicalObject* repulse = nullptr;
    GraphicalObject* dropEnemies = nullptr;
    int frameCounter = 0;
};
