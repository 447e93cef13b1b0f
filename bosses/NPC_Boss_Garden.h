#pragma once

#include "bosses/BossFrame.h"
#include "bosses/Projectile_Boss_Garden_Beam.h"
#include "bosses/Projectile_Boss_Garden_String.h"
#include "bosses/WeakCharacter.h"

#include <string>
#include <vector>

class GraphicalObject;

// The garden's first boss: a floating skull in a helmet of three stages.
// Started, it comes down to its home and repeats a cycle: a series of dashes
// at the player, the way home, then in turn the beams (two columns that sweep
// out from its line) or a volley of ten souls. A cross of chains follows it
// everywhere. The helmet is a second skull of this class glued to it: until
// it is broken the skull cannot be hit, and each stage shortens the dash
// series (8, 6, 4). At its death the chains break from the centre outward
// and the beams go.
class NPC_Boss_Garden : public BossCharacter {
public:
    static constexpr int kWaiting = 0;
    static constexpr int kComing = 1;
    static constexpr int kDashing = 2;
    static constexpr int kBeams = 3;
    static constexpr int kDying = 4;
    static constexpr int kHelmetWhole = 5;
    static constexpr int kHelmetCracked = 6;
    static constexpr int kHelmetBroken = 7;
    static constexpr int kSouls = 8;
    // Dash phases.
    static constexpr int kAim = 0;
    static constexpr int kSpeedUp = 1;
    static constexpr int kBrake = 2;
    static constexpr int kReturn = -1;

    explicit NPC_Boss_Garden(std::string name);

    // The base's two, then "NPC_Boss_Garden_Move" (2), "..._Proje" (3),
    // "..._Proje2" (4) and "..._Change" (5).
    void DeclareSounds() override;
    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    // "start" (any case) in the waiting state brings it down.
    bool HandleScriptCommand(std::string command, std::string argument) override;
    // The skull is out of reach while its helmet is not broken.
    bool IsHitByBox(Rect<int> box, bool flag) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    void SetHome(int x, int y) { home = Point<int>(x, y); }
    Point<int> GetHome() const { return home; }
    // Makes the helmet, the two beam columns and the chains, once.
    void BuildParts();
    // Its centre: the place plus (48, 64).
    Point<float> GetAnchor() const;
    // Every chain link of the row takes the anchor's y, of the column its x.
    void AlignChains();

    // The helmet, or null (the helmet itself has none; a removed one is
    // gone).
    NPC_Boss_Garden* GetHelmet() const { return helmet.Get(); }
    int GetDashPhase() const { return dashPhase; }
    int GetDashesLeft() const { return dashesLeft; }
    int GetSoulsLeft() const { return soulsLeft; }
    bool IsNextAttackBeams() const { return nextAttackIsBeams != 0; }
    // The parts it made, the removed ones as null.
    std::vector<Projectile_Boss_Garden_Beam*> GetLeftBeams() const { return Live(leftBeams); }
    std::vector<Projectile_Boss_Garden_Beam*> GetRightBeams() const { return Live(rightBeams); }
    std::vector<Projectile_Boss_Garden_String*> GetRowChains() const { return Live(rowChains); }
    std::vector<Projectile_Boss_Garden_String*> GetColumnChains() const { return Live(columnChains); }

private:
    void StepDashes();
    void FireBeams();
    void ThrowSoul();
    void GoOnWithCycle();
    GraphicalObject* StateSprite() const;
    template <class T> static std::vector<T*> Live(const std::vector<WeakCharacter<T>>& links)
    {
        std::vector<T*> found;
        for (const WeakCharacter<T>& link : links)
            found.push_back(link.Get());
        return found;
    }

    GraphicalObject* spriteSkull = nullptr;
    GraphicalObject* spriteSkullAttack = nullptr;
    GraphicalObject* spriteSkullBroken = nullptr;
    GraphicalObject* spriteHelmet1 = nullptr;
    GraphicalObject* spriteHelmet2 = nullptr;
    GraphicalObject* spriteHelmet3 = nullptr;
    Point<int> dashTarget;
    Point<int> home;
    int dashPhase = kAim;
    Point<int> anchorOffset {48, 64};
    int dashesLeft = 0;
    int soulsLeft = 0;
    int nextAttackIsBeams = 1;
    // Weak links: the game removes these characters when they die.
    WeakCharacter<NPC_Boss_Garden> helmet;
    std::vector<WeakCharacter<Projectile_Boss_Garden_Beam>> leftBeams;
    std::vector<WeakCharacter<Projectile_Boss_Garden_Beam>> rightBeams;
    std::vector<WeakCharacter<Projectile_Boss_Garden_String>> rowChains;
    std::vector<WeakCharacter<Projectile_Boss_Garden_String>> columnChains;
};
