#pragma once

#include "bosses/BossFrame.h"

#include <string>
#include <vector>

class GraphicalObject;
class SceneObjectHandle;

// The anemone of the Coral Throne: a body that hangs still with seven short
// and four long turning arms, each with an eye at its end. After "start" it
// fires a shot every 165 frames; the player cuts the arms down one by one
// (each death fires a cross of beams), the last eye flies back into the
// body, which turns weak and fires every 66 frames; 25 life, and its death
// removes every shot and beam.
class NPC_Boss_Underwater : public BossCharacter {
public:
    static constexpr int kWaiting = -1;
    static constexpr int kFighting = 0;
    static constexpr int kWeak = 1;
    static constexpr int kLife = 25;
    static constexpr int kShortArms = 7;
    static constexpr int kLongArms = 4;
    static constexpr int kShotPeriod = 165;
    static constexpr int kWeakShotPeriod = 66;
    static constexpr Point<float> kShotStart {48.0f, 48.0f};

    explicit NPC_Boss_Underwater(std::string name);
    ~NPC_Boss_Underwater() override;

    static std::string VersionedClassName() { return std::string("NPC_Boss_Underwater") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void DeclareSounds() override;
    void Update(double dt) override;
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    bool HandleScriptCommand(std::string command, std::string argument) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // The arms still in the level.
    std::vector<CharacterObject*> LiveArms() const;
    int GetFrameCounter() const { return frameCounter; }
    // Where the arms turn: the body's centre x less 32, its y.
    Point<float> Anchor() const;

private:
    GraphicalObject* normal = nullptr;
    GraphicalObject* weak = nullptr;
    std::vector<SceneObjectHandle*> shortLines;
    std::vector<SceneObjectHandle*> longLines;
    int frameCounter = 1;
};
