#pragma once

#include "characters/CharacterObject.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class Projectile_Boss_Ultimate;
class SceneObjectHandle;

// The Ultimate boss of the Heart, fought in three steps; one class plays three
// roles, fixed by the state its spawner gives it. Step 1 cell bodies (state 0)
// grow chains of cells toward the player, step 2 cell bodies (state 4) lob
// stones at the player, and the step 3 body (state 8), the maw, fans its
// spikes, spits at the floor when hurt and strikes with its claw. The last
// body of step 1 and of step 2 to die announces "NPC_Boss_Ultimate_Step2" and
// "NPC_Boss_Ultimate_Step3"; the maw ends in the common explosion.
class NPC_Boss_Ultimate : public CharacterObject {
public:
    enum State {
        kStep1Wait = 0,
        kStep1Grow = 1,
        kStep1Open = 2,
        kStep1Dead = 3,
        kStep2Wait = 4,
        kStep2Pause = 5,
        kStep2Throw = 6,
        kStep2Dead = 7,
        kStep3Hidden = 8,
        kStep3Appear = 9,
        kStep3Idle = 10,
        kStep3Attack = 11,
        kNothing = 12,
    };
    static constexpr int kFanWait = 612;
    static constexpr int kFirstFanWait = 600;

    explicit NPC_Boss_Ultimate(std::string name);
    ~NPC_Boss_Ultimate() override;

    // The base's two, then "NPC_Generic_Killed" and the boss's own (2 to 10).
    void DeclareSounds() override;
    void Update(double dt) override;
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    // "step1_start", "step2_start" and "start", each in its waiting state;
    // anything else goes to the base ("enable", "disable").
    bool HandleScriptCommand(std::string command, std::string argument) override;
    Point<int> GetSize() const override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // Creates the projectiles of the current state.
    void FireProjectiles();
    // 60 to 116 frames before the next throw.
    void RandomizeWait();
    // The eight-way direction toward d (16-pixel dead band on each axis).
    static Point<int> QuantizeDirection(Point<float> d);
    // From the wanted direction and the last cell's, the next cell's
    // direction and the anchor's step.
    static void NextCell(Point<int> wanted, Point<int> last, Point<int>& next, Point<int>& step);
    // The cell and every later one die; the chain grows again from the last
    // cell left.
    void TruncateChain(Projectile_Boss_Ultimate* cell);

    Point<int> GetChainAnchor() const { return chainAnchor; }
    int GetAttackDelay() const { return attackDelay; }
    int GetFrameCounter() const { return frameCounter; }
    void SetFrameCounter(int value) { frameCounter = value; }
    // The live projectiles of its list, in creation order (null for one that
    // is gone).
    std::vector<Projectile_Boss_Ultimate*> GetProjectiles() const;
    GraphicalObject* GetSprite(int index) const { return sprites[static_cast<size_t>(index)].get(); }

    // Sprite indices.
    enum Sprite {
        kLookStep1Idle,
        kLookStep1Attack,
        kLookStep1Dead,
        kLookStep2IdleWait,
        kLookStep2Idle,
        kLookStep2Attack,
        kLookStep2Dead,
        kLookStep3Appears,
        kLookStep3Idle,
        kLookStep3Attack,
        kSpriteCount,
    };

private:
    // Every cell from `from` on dies and leaves the list; the chain grows
    // again from the last one left (or from the body).
    void CutChain(std::vector<SceneObjectHandle*>::iterator from);
    void StepStates();
    void ShowStateSprite();
    // Appends a projectile to the list (dropping entries that are gone).
    void Append(Projectile_Boss_Ultimate* projectile);
    void ClearList(bool kill);
    // Whether no character of this body's name has life left.
    bool LastOfItsStep() const;
    void Show(int sprite);

    std::array<std::unique_ptr<GraphicalObject>, kSpriteCount> sprites;
    int32_t attackDelay = 0;
    Point<int> chainAnchor;
    int32_t frameCounter = 0;
    std::vector<SceneObjectHandle*> projectiles;
};
