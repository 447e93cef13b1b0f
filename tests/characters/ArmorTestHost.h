#pragma once

#include "characters/ArmorAnimationSet.h"
#include "characters/PlayerArmorControl.h"
#include "characters/PlayerArmorHost.h"
#include "characters/PlayerModifier.h"

#include <memory>
#include <vector>

namespace armortest {

// A player as the armors see it: its armor state and modifiers, a body of
// 64 x 96 pixels, and logs of the sounds, attacks and ghost freezes asked of it.
class TestPlayer : public PlayerArmorHost {
public:
    struct Attack {
        int kind;
        float radius;
    };

    TestPlayer() { modifiers = PlayerArmorControl::CreateModifiers(this); }

    PlayerArmorState& GetArmorState() override { return state; }
    std::vector<std::unique_ptr<PlayerModifier>>& GetModifiers() override { return modifiers; }
    Point<float> GetArmorHostPosition() const override { return position; }
    Point<int> GetArmorHostSize() const override { return Point<int>(64, 96); }
    int GetLife() const override { return life; }
    bool IsInSpiderForm() const override { return spider; }
    void PlayPlayerSound(int index) override { sounds.push_back(index); }
    void AreaAttack(int kind, float radius) override { attacks.push_back({kind, radius}); }
    void FreezeGhostsNear(Point<float>, float radius) override { ghostFreezeRadii.push_back(radius); }
    Level* GetCurrentLevel() const override { return level; }
    bool IsArmorDisplayShown() const override { return armorDisplay; }
    void ApplyAnimationSet(const ArmorAnimationSet& set) override { appliedSets.push_back(&set); }

    int Count(int sound) const
    {
        int n = 0;
        for (int s : sounds)
            n += s == sound ? 1 : 0;
        return n;
    }

    PlayerArmorState state;
    std::vector<std::unique_ptr<PlayerModifier>> modifiers;
    Point<float> position;
    int life = 3;
    bool spider = false;
    bool armorDisplay = true;
    Level* level = nullptr;
    std::vector<int> sounds;
    std::vector<Attack> attacks;
    std::vector<float> ghostFreezeRadii;
    std::vector<const ArmorAnimationSet*> appliedSets;
};

} // namespace armortest
