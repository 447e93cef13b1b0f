#pragma once

#include "bosses/BossFrame.h"

#include <memory>
#include <string>
#include <vector>

class DXGraphicalSurface;
class GraphicalObject;
class NPC_Boss_Snow_Arm;
class Projectile_Boss_Snow;

// The timber giant of the Yard: a wooden body in a coat of snow. After
// "start" it drops into the arena; then it jumps to a random landing point
// ("boss_snow_loc"), buries the arena under falling blocks, throws blocks in
// an arc at the player for a while, jumps back to where it dropped, and
// again. The coat (a second NPC_Boss_Snow, carried along) must be broken
// before the wood can be hurt, and every random jump restores it. Both are
// hurt only while the pair stands on the ground. 50 life; its death removes
// every block and the coat.
class NPC_Boss_Snow : public BossCharacter {
public:
    static constexpr int kWaiting = -1;
    static constexpr int kDropping = 0;
    static constexpr int kSnowBody = 1;
    static constexpr int kFighting = 2;
    static constexpr int kBroken = 3;
    static constexpr int kOnGround = 0;
    static constexpr int kFalling = 1;
    static constexpr int kRising = 3;

    static constexpr int kLife = 50;
    static constexpr int kCoatLife = 4;
    static constexpr int kBlockPool = 20;
    static constexpr int kFirstWait = 132;
    static constexpr int kStandTime = 645;
    static constexpr int kBackWait = 33;
    static constexpr int kThrowGap = 30;
    static constexpr int kFirstThrow = 33;
    static constexpr int kAttackTimer = 165;
    static constexpr int kSnowfallHeight = 1472;
    static constexpr int kSnowfallWidth = 512;

    explicit NPC_Boss_Snow(std::string name);
    ~NPC_Boss_Snow() override;

    static std::string VersionedClassName() { return std::string("NPC_Boss_Snow") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void DeclareSounds() override;
    void Update(double dt) override;
    bool Draw(DXGraphicalSurface* target, Point<int> offset) override;
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    bool HandleScriptCommand(std::string command, std::string argument) override;
    std::vector<Rect<int>> GetHurtBoxes() override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // The coat's wind-up before a throw.
    void PrepareProjectile();
    // The snowfall of a landing: ten pool blocks from 1472 px above home.
    void DropSnowfall();
    // Dresses an arm: a wood one (30 life) or a snow one (10), right (1) or
    // left (-1).
    static void SetupArms(NPC_Boss_Snow_Arm* arm, int side, bool wood);

    // Set by its spawner: the zone offset plus the placed position.
    Point<int> homePoint;

    bool IsCoat() const { return maxLife == kCoatLife; }
    NPC_Boss_Snow* GetSnowBody() const { return snowBody; }
    int GetJumpPhase() const { return jumpPhase; }
    bool IsNextJumpRandom() const { return nextJumpRandom; }
    Point<int> GetDropPoint() const { return dropPoint; }
    Point<int> GetJumpTarget() const { return jumpTarget; }
    int GetFrameCounter() const { return frameCounter; }
    int GetAttackTimer() const { return attackTimer; }
    bool IsPrepareShown() const { return prepareShown; }
    GraphicalObject* GetPrepare() const { return prepare; }
    const std::vector<Projectile_Boss_Snow*>& GetBlockPool() const { return blockPool; }
    GraphicalObject* Look(const char* suffix) const { return sprites.Get(suffix); }

private:
    void StepDrop();
    void StepGround();
    void StartRandomJump();
    void AimApex();
    void StepJump();
    void ThrowBlock();
    void ChooseLook();

    GraphicalObject* appear = nullptr;
    GraphicalObject* body = nullptr;
    GraphicalObject* woodBody = nullptr;
    GraphicalObject* bodySnowBroken = nullptr;
    GraphicalObject* bodyBroken = nullptr;
    GraphicalObject* prepare = nullptr;
    bool prepareShown = false;
    bool dropStarted = false;
    int jumpPhase = kOnGround;
    // Update frames since the fall began: a fall that circles its target
    // too long heads straight for it.
    int fallFrames = 0;
    bool nextJumpRandom = true;
    Point<int> dropPoint;
    Point<int> jumpTarget;
    Point<int> jumpApex;
    std::vector<Projectile_Boss_Snow*> blockPool;
    NPC_Boss_Snow_Arm* arms[4] = {};
    NPC_Boss_Snow* snowBody = nullptr;
    int attackTimer = kAttackTimer;
    int frameCounter = 0;
};
