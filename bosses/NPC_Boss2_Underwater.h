#pragma once

#include "bosses/BossFrame.h"

#include <cstdint>
#include <string>
#include <vector>

class GraphicalObject;

// The Egg Cradle's shell game: each placed egg is one of these. One egg at
// a time hides the boss. Closed eggs wait 240 to 360 frames and fire a fan
// of 3 to 6 shots; a broken wrong egg shows itself empty and stays open; the
// marked egg opens on the boss, which turns to the player, attacks once and
// may be hit while out, then every open egg closes and another egg is
// marked. All eggs share one pool of 50 life that only hits on the boss
// lower; as it falls the boss and its shots change rank, and when it is
// empty every egg explodes.
class NPC_Boss2_Underwater : public BossCharacter {
public:
    static constexpr int kWaiting = 0;
    static constexpr int kClosed = 1;
    static constexpr int kBossOut = 2;
    static constexpr int kEggLife = 15;
    static constexpr int kPool = 50;

    explicit NPC_Boss2_Underwater(std::string name);
    ~NPC_Boss2_Underwater() override;

    static std::string VersionedClassName() { return std::string("NPC_Boss2_Underwater") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void DeclareSounds() override;
    void Update(double dt) override;
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    bool HandleScriptCommand(std::string command, std::string argument) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // The shared pool of life and the rank it gives (1 above 30, 2 above
    // 15, else 3).
    static int GetPool() { return pool; }
    static void SetPool(int value) { pool = value; }
    static int GetRank();
    // Marks one egg of the level at random as the boss's.
    static void MarkRandomEgg();
    void CloseEgg();
    void DrawWait();

    bool IsMarked() const { return marked; }
    void SetMarked(bool value) { marked = value; }
    int GetFrameCounter() const { return frameCounter; }
    void SetFrameCounter(int frames) { frameCounter = frames; }
    int GetShotsLeft() const { return shotsLeft; }
    int GetBurstSize() const { return burstSize; }
    int GetAttackTimer() const { return attackTimer; }
    GraphicalObject* Look(const std::string& suffix) const { return sprites.Get(suffix); }

    // Set by its spawner when no egg is named "NPC_Boss2_Underwater_0".
    bool leader = false;

private:
    void FireShot();
    bool IsBossAttack(GraphicalObject* g) const;
    GraphicalObject* BossLook(int rank, bool attack, bool right) const;

    static int32_t pool;

    GraphicalObject* eggIdle = nullptr;
    GraphicalObject* eggOpen = nullptr;
    GraphicalObject* eggClose = nullptr;
    GraphicalObject* eggAttack = nullptr;
    // [rank - 1][idle R, attack R, idle L, attack L]
    GraphicalObject* boss[3][4] = {};
    bool marked = false;
    int burstSize = 0;
    int shotsLeft = 0;
    int attackTimer = 0;
    int frameCounter = 0;
};
