#pragma once

#include "characters/CharacterObject.h"

#include <array>
#include <memory>
#include <string>

// The Ultimate boss's one projectile class; its kind is the state the boss
// gives it: 0 a cell of a step 1 chain, 2 a large stone lobbed at the player
// that bursts into four mini stones (3) on the floor band, 4 a spit that
// splashes (5) on the floor area, 9 a spike that travels to its place, parks
// (10) and is launched by the maw (11), and 7 the claw, hidden until the
// player stands in its strip, where it strikes (8).
class Projectile_Boss_Ultimate : public CharacterObject {
public:
    enum State {
        kCell = 0,
        kLargeStone = 2,
        kMiniStone = 3,
        kSpit = 4,
        kSplash = 5,
        kClawWait = 7,
        kClawStrike = 8,
        kSpikeTravel = 9,
        kSpikeParked = 10,
        kSpikeLaunched = 11,
    };
    // Gravity of the large stone: 530 pixels per second squared.
    static constexpr double kHalfGravity = 265.0;
    static constexpr float kMiniFall = 0.5f;
    static constexpr float kMiniFallMax = -10.0f;
    static constexpr int kClawFirstWait = 450;

    explicit Projectile_Boss_Ultimate(std::string name);
    ~Projectile_Boss_Ultimate() override;

    // Only "NPC_Boss_Final2_BigStone" and "NPC_Boss_Final2_SmallStone".
    void DeclareSounds() override;
    void Update(double dt) override;
    // The set-up of its kind, on the first update.
    void ResetToStart() override;
    Point<int> GetSize() const override;
    // A cell by any blow; a splash only by an area attack (flag set).
    bool IsHitByBox(Rect<int> box, bool flag) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // Plays the event on the live "NPC_Boss_Ultimate" body, when there is one.
    static void PlayBossSound(const std::string& name);

    Point<int> GetStartOrTarget() const { return startOrTarget; }
    void SetTarget(Point<int> value) { startOrTarget = value; }
    Rect<int> GetArea() const { return area; }
    int GetFrameCounter() const { return frameCounter; }
    void SetFrameCounter(int value) { frameCounter = value; }
    GraphicalObject* GetSprite(int index) const { return sprites[static_cast<size_t>(index)].get(); }

    enum Sprite {
        kCellLeftDown,
        kCellLeftUp,
        kCellRightUp,
        kCellRightDown,
        kDieLeftDown,
        kDieLeftUp,
        kDieRightUp,
        kDieRightDown,
        kLargeIdle,
        kMiniIdle,
        kMovingIdle,
        kMovingSplash,
        kClawAttack,
        kMoving2Idle,
        kSpriteCount,
    };

private:
    void Load(int sprite);
    void AreaFrom(const char* markerName);
    Rect<int> OwnBox() const;
    // A stone's own collision box: the whole current sprite.
    void AddSpriteBox();
    void StepLargeStone(double dt);
    void StepMiniStone();
    void StepSpikeTravel();
    void StepClaw();
    void Burst();

    Point<int> startOrTarget;
    Rect<int> area;
    std::array<std::unique_ptr<GraphicalObject>, kSpriteCount> sprites;
    int32_t frameCounter = 0;
};
