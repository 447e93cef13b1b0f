#pragma once

#include "bosses/BossFrame.h"

#include <string>
#include <vector>

class GraphicalObject;

// The vault's boss: one class in four roles chosen by its state. The main
// body (0), made by its spawner, makes on its first update the left (1),
// right (2) and top (3) parts, which it owns. The side parts fire beams in
// turn; the top part lays a lava floor that it raises now and then and drops
// lava between; the body throws lava bursts and runs the guardian cycle: it
// sends guardians to the areas named "guardian_step1" to "guardian_step4"
// and raises a shield over every piece while one lives. The top part falls
// first, then the sides; the body can be hurt only once it stands alone.
class NPC_Boss2_Bibli : public BossCharacter {
public:
    static constexpr int kBody = 0;
    static constexpr int kLeft = 1;
    static constexpr int kRight = 2;
    static constexpr int kTop = 3;

    explicit NPC_Boss2_Bibli(std::string name);

    // The base's two, then "NPC_Generic_Killed" (2), "NPC_Boss_Bibli2_Slime1",
    // "..._Slime2", "..._Proj", "..._StepBroken" and "..._Book".
    void DeclareSounds() override;
    // The body makes its parts; each role takes its timer and life.
    void ResetToStart() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    // "start" (any case) ends the wait of every piece and fills the current
    // guardian step at once.
    bool HandleScriptCommand(std::string command, std::string argument) override;
    bool IsHitByBox(Rect<int> box, bool flag) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    // A part renames itself, tells its owner and spills ink; the body frees
    // its lava and beams; then the common death.
    void Die() override;

    // Sends guardians to the areas of the step (5 down to 1).
    void SetGuardianStep(int step);
    // A side part whose twin is gone shows its cracked picture.
    void UseAltSprite();

    int GetLivingParts() const { return livingParts; }
    void LowerLivingParts() { --livingParts; }
    bool IsShielded() const { return shielded; }
    void SetShielded(bool value) { shielded = value; }
    void ResetGuardianIndex() { guardianIndex = -1; }
    bool IsWaitingForStart() const { return waitingForStart; }
    void StopWaiting() { waitingForStart = false; }
    int GetGuardianStep() const { return guardianStep; }
    int GetGuardianIndex() const { return guardianIndex; }
    int GetGuardianWait() const { return guardianWait; }
    int GetLaserTurn() const { return laserTurn; }

private:
    void RunGuardianCycle();
    void Attack();
    GraphicalObject* RoleSprite() const;

    GraphicalObject* spritePart1 = nullptr;
    GraphicalObject* spritePart2 = nullptr;
    GraphicalObject* spritePart2Alt = nullptr;
    GraphicalObject* spritePart3 = nullptr;
    GraphicalObject* spritePart3Alt = nullptr;
    GraphicalObject* spritePart4 = nullptr;
    bool waitingForStart = true;
    int livingParts = 4;
    int laserTurn = 2;
    bool shielded = false;
    int guardianStep = 5;
    int guardianIndex = -1;
    int guardianWait = -1;
    // Markers of the current step, looked up by name (not owned; the ones the
    // game removed are looked up again at the next step).
    std::vector<CharacterObject*> stepMarkers;
};
