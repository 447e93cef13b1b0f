#pragma once

#include "bosses/BossFrame.h"
#include "engine/serial/Point.h"
#include "scene/Layer.h"

#include <string>
#include <vector>

class GraphicalObject;
class Projectile_Boss_Boat;

// The wreck-beast of the Bow: a large body drawn with two parts of its own in
// the level's scene layers, a head that opens to spit fire and a left arm
// that slams the ground or grips the player. After "start" it slides in,
// screams and announces "NPC_Boss_Boat_State_IDLE"; then it changes lanes
// now and then, spits a fireball every 133 frames, brings six planks down
// when the player stands out of its reach, and when its life passes 22 and
// 5 it grips the player and slams it down. Its death explodes the body, the
// head and the arm, removes every shot and announces
// "NPC_Boss_Boat_State_DIE".
class NPC_Boss_Boat : public BossCharacter {
public:
    static constexpr int kWaiting = -1;
    static constexpr int kEntry = 0;
    static constexpr int kIdle = 1;
    static constexpr int kStrike = 2;
    static constexpr int kGrip = 3;
    static constexpr int kFire = 4;
    static constexpr int kLaneMove = 5;
    static constexpr int kPreparing = 30;

    static constexpr int kLife = 45;
    static constexpr int kFirePeriod = 133;
    static constexpr int kStrikeDelay = 28;
    static constexpr int kDebrisPool = 20;
    static constexpr int kDebrisPerStrike = 6;
    static constexpr int kLaneFrames = 30;
    static constexpr int kLaneRise = 96;
    static constexpr int kReachExtraHeight = 96;
    static constexpr int kPrepareSteps = 64;
    static constexpr int kReturnSteps = 32;
    static constexpr int kGripRelease = 56;
    static constexpr int kGripBlowAt = 4;
    // Where the body's own picture is drawn from, and its parts' offsets.
    static constexpr Point<int> kRestOffset {256, 32};
    static constexpr Point<int> kHeadOffset {256, 192};
    static constexpr Point<int> kArmOffset {0, 0};
    static constexpr Point<int> kEntryShift {384, -128};

    explicit NPC_Boss_Boat(std::string name);
    ~NPC_Boss_Boat() override;

    static std::string VersionedClassName() { return std::string("NPC_Boss_Boat") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void DeclareSounds() override;
    void Update(double dt) override;
    void SetPosition(Point<float> p) override;
    void SetDrawOffset(int x, int y) override;
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    bool HandleScriptCommand(std::string command, std::string argument) override;
    bool DamagePlayerOnContact() override;
    bool IsHitByBox(Rect<int> box, bool flag) override;
    bool AttackHitsBox(Rect<int> box) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    void Die() override;

    // Whether the seven pictures the fight cannot do without were found.
    bool HasSprites() const;

    // What the fight's tests read.
    int GetFireTimer() const { return fireTimer; }
    int GetLane() const { return lane; }
    int GetLaneDelay() const { return laneDelay; }
    void SetLaneDelay(int frames) { laneDelay = frames; }
    bool IsGripRequested() const { return gripRequest; }
    bool IsHoldingPlayer() const { return holdingPlayer; }
    int GetStrikeCountdown() const { return countdown; }
    Point<int> GetStrikeCornerA() const { return cornerA; }
    Point<int> GetStrikeCornerB() const { return cornerB; }
    const std::vector<Projectile_Boss_Boat*>& GetDebris() const { return debris; }
    Layer::Instance* GetHeadInstance() const { return headInstance; }
    Layer::Instance* GetArmInstance() const { return armInstance; }
    GraphicalObject* GetHeadSprite() const;
    GraphicalObject* GetArmSprite() const;
    GraphicalObject* Look(const char* suffix) const;
    const std::vector<CharacterObject*>& GetExplosionDoubles() const { return doubles; }

private:
    void RollLaneDelay();
    void PlaceParts();
    void ShowOnHead(GraphicalObject* sprite, bool restart);
    void ShowOnArm(GraphicalObject* sprite, bool restart);
    void StepEntry();
    void StepIdle();
    void GripPlayer();
    void UpdateFire();
    void UpdateHitGround();
    void StepLaneMove();
    void StepParts(double dt);
    void StepBody(double dt);
    void ExplodePart(Layer::Instance*& instance, CharacterObject* twin, bool front);
    void RemoveParts();
    void ReleasePlayer();
    Layer* PartLayer(bool front) const;
    Rect<int> PlayerBox() const;

    GraphicalObject* base = nullptr;
    GraphicalObject* headOpen = nullptr;
    GraphicalObject* headClose = nullptr;
    GraphicalObject* headIdle = nullptr;
    GraphicalObject* armIdle = nullptr;
    GraphicalObject* armGrip = nullptr;
    GraphicalObject* armGripOpen = nullptr;
    GraphicalObject* armHitGround = nullptr;
    GraphicalObject* baseMoveDown = nullptr;
    GraphicalObject* baseMoveUp = nullptr;
    GraphicalObject* armMove = nullptr;

    std::vector<CharacterObject*> doubles;
    Point<int> cornerA;
    Point<int> cornerB;
    Point<float> floatOffset;
    int fireTimer = 0;
    bool gripRequest = false;
    bool holdingPlayer = false;
    Layer::Instance* headInstance = nullptr;
    Layer::Instance* armInstance = nullptr;
    int countdown = 0;
    int slide = 0;
    int laneDelay = 0;
    int laneFramesLeft = 0;
    int lane = 0;
    Point<float> laneStart;
    Point<float> headStart;
    Point<float> armStart;
    std::vector<Projectile_Boss_Boat*> debris;
};
