#include "characters/PlayerArmorControl.h"

#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerTuning.h"
#include "scene/ArmorReplacement.h"
#include "scene/Level.h"
#include "script/BGEvent_ArmorUse.h"
#include "tests/characters/ArmorTestHost.h"
#include "tests/characters/PlayerTestWorld.h"
#include "tests/scene/SceneHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using armortest::TestPlayer;
using namespace playertest;

namespace {

// A library that holds all 72 poses of each of the armors' six sets, as the
// world's does; installed before the player is made, since the fire armor
// finds its poses when the player makes it.
class ArmorPoseLibrary {
public:
    ArmorPoseLibrary()
    {
        for (const char* prefix : {"[Fire]", "[Fire2]", "[FireC]", "[Ice]", "[Ice2]", "[IceC]"}) {
            for (int slot = 0; slot < PlayerAnimationSet::kSlotCount; ++slot) {
                poses.push_back(std::make_unique<AnimatedSprite>(
                    prefix + std::string("Player ") + PlayerAnimationSet::SlotName(slot)));
                library.animatedSprites.push_back(poses.back().get());
            }
        }
    }

private:
    SceneHost library;
    std::vector<std::unique_ptr<AnimatedSprite>> poses;
};

// The real player with both armors enabled and two charges, standing next
// to a character the area attacks reach.
class ArmorControl : public ::testing::Test, private ArmorPoseLibrary, public PlayerFixture {
protected:
    ArmorControl()
    {
        player->EnableModifier(Player::kFireArmor);
        player->EnableModifier(Player::kIceArmor);
        State().armorCharges = 2;
        world.characters.push_back(&neighbour);
        Step(Keys(0, 0)); // the player shows its idle pose
    }

    PlayerArmorState& State() { return player->GetArmorState(); }
    void Frames(int n, bool fire = false, bool ice = false)
    {
        InputActions actions;
        actions.Action6 = fire;
        actions.Action5 = ice;
        for (int i = 0; i < n; ++i)
            player->UpdateArmors(actions);
    }

    Target neighbour {"NPC_Test", 140.0f, 0.0f, 100};
};

TEST_F(ArmorControl, EnablingTheIceArmorGivesTwoChargesOnlyToAPlayerWithout)
{
    EXPECT_EQ(State().armorChargesMax, 2);
    SoundPlayer stronger("Player");
    stronger.GetArmorState().armorChargesMax = 3;
    stronger.EnableModifier(Player::kIceArmor);
    EXPECT_EQ(stronger.GetArmorState().armorChargesMax, 3);
    EXPECT_TRUE(stronger.IsModifierEnabled(Player::kIceArmor));
    stronger.EnableModifier(7); // no such modifier
    EXPECT_EQ(stronger.GetModifierCount(), 7);
}

TEST_F(ArmorControl, BothActionsInOneFrameSelectAndUseTheIceArmor)
{
    Frames(1, true, true);
    EXPECT_EQ(player->GetCurrentArmor(), Player::kIceArmor);
    EXPECT_TRUE(State().armorChanged);
    EXPECT_EQ(State().armorCharges, 1);
    EXPECT_EQ(State().armorKeyDelay, PlayerArmorControl::kKeyDelay);
    ASSERT_EQ(neighbour.kinds.size(), 1u);
    EXPECT_EQ(neighbour.kinds[0], 2);
    EXPECT_EQ(player->Count(kSoundTransformChangeArmor), 1);
    EXPECT_EQ(player->Count(kSoundUseAoeIce), 1);
}

TEST_F(ArmorControl, KeyDelayIgnoresTheActionsForEightFrames)
{
    Frames(1, true);
    ASSERT_EQ(player->GetCurrentArmor(), Player::kFireArmor);
    ASSERT_EQ(State().armorCharges, 1);
    // Held for eight more frames: each only counts the delay down.
    Frames(8, false, true);
    EXPECT_EQ(player->GetCurrentArmor(), Player::kFireArmor);
    EXPECT_EQ(State().armorKeyDelay, 0);
    EXPECT_EQ(State().armorCharges, 1);
    // The next press switches to ice and uses it at once.
    Frames(1, false, true);
    EXPECT_EQ(player->GetCurrentArmor(), Player::kIceArmor);
    EXPECT_EQ(State().armorCharges, 0);
    EXPECT_EQ(player->Count(kSoundUseAoeFire), 1);
    EXPECT_EQ(player->Count(kSoundUseAoeIce), 1);
    EXPECT_EQ(neighbour.kinds, (std::vector<int> {1, 2}));
}

TEST_F(ArmorControl, PressingTheWornArmorUsesItWithoutReselecting)
{
    Frames(1, true);
    Frames(8);
    State().armorChanged = false;
    Frames(1, true);
    EXPECT_FALSE(State().armorChanged);
    EXPECT_EQ(State().armorCharges, 0);
    EXPECT_EQ(player->Count(kSoundTransformChangeArmor), 1);
    EXPECT_EQ(neighbour.kinds.size(), 2u);
    // Without a charge the press does nothing.
    Frames(8);
    Frames(1, true);
    EXPECT_EQ(neighbour.kinds.size(), 2u);
}

TEST_F(ArmorControl, ChargesComeBackAfter150And300Frames)
{
    player->armorFlagByte = 1; // the interface shows the armors
    State().armorCharges = 0;
    Frames(149);
    EXPECT_EQ(State().armorCharges, 0);
    Frames(1);
    EXPECT_EQ(State().armorCharges, 1);
    EXPECT_EQ(player->Count(kSoundArmorAvailable), 1);
    Frames(149);
    EXPECT_EQ(State().armorCharges, 1);
    Frames(1);
    EXPECT_EQ(State().armorCharges, 2);
    // Full: the counter stops.
    Frames(400);
    EXPECT_EQ(State().armorCharges, 2);
    EXPECT_EQ(State().armorRechargeCounter, 0);
    EXPECT_EQ(player->Count(kSoundArmorAvailable), 2);
    // Without the developer's command the HUD still shows the slots of the
    // charges: the charge that comes back is heard all the same.
    player->armorFlagByte = 0;
    State().armorCharges = 1;
    Frames(150);
    EXPECT_EQ(State().armorCharges, 2);
    EXPECT_EQ(player->Count(kSoundArmorAvailable), 3);
}

TEST_F(ArmorControl, NothingIsSelectedWhenTheActionCannotApply)
{
    struct Case {
        const char* what;
        int charges;
        bool spider;
        bool iceEnabled;
    };
    const Case cases[] = {
        {"no charge", 0, false, true},
        {"spider form", 2, true, true},
        {"armor not owned", 2, false, false},
    };
    for (const Case& c : cases) {
        SoundPlayer p("Player");
        if (c.iceEnabled)
            p.EnableModifier(Player::kIceArmor);
        p.GetArmorState().armorCharges = c.charges;
        if (c.spider)
            p.SetForm(Player::kSpider);
        InputActions ice;
        ice.Action5 = true;
        p.UpdateArmors(ice);
        EXPECT_EQ(p.GetCurrentArmor(), -1) << c.what;
        EXPECT_EQ(p.Count(kSoundUseAoeIce), 0) << c.what;
        EXPECT_EQ(p.GetArmorState().armorKeyDelay, 0) << c.what;
    }
    EXPECT_TRUE(neighbour.kinds.empty());
}

TEST_F(ArmorControl, ADeadPlayerNeitherSwitchesRechargesNorCountsTheStrafeDown)
{
    world.sections.clear();
    Frames(1);
    EXPECT_EQ(world.sections, (std::vector<std::string> {" Player::UpdateArmors", " Player::UpdateArmors"}))
        << "the armor rules are a timed section, opened and closed";
    world.sections.clear();
    player->SetLife(0);
    State().armorCharges = 0;
    player->GetModifier(Player::kStraff)->SetCooldown(5);
    Frames(300, false, true);
    EXPECT_EQ(player->GetCurrentArmor(), -1);
    EXPECT_EQ(State().armorCharges, 0);
    EXPECT_EQ(player->GetModifier(Player::kStraff)->GetCooldown(), 5);
    EXPECT_TRUE(world.sections.empty()) << "nor is a section timed";
}

TEST_F(ArmorControl, OnlyTheStrafeCooldownIsCountedDown)
{
    auto& strafe = dynamic_cast<PlayerArmorStraff&>(*player->GetModifier(Player::kStraff));
    strafe.StartDash();
    EXPECT_EQ(strafe.GetCooldown(), PlayerTuning::Current().straffDelay);
    player->GetModifier(Player::kCrossbow)->SetCooldown(4);
    Frames(PlayerTuning::Current().straffDelay + 3);
    EXPECT_EQ(strafe.GetCooldown(), 0);
    EXPECT_EQ(player->GetModifier(Player::kCrossbow)->GetCooldown(), 4);
}

TEST_F(ArmorControl, TheFrameUpdateReadsTheArmorActionsAndTheUseStartsItsEvent)
{
    Level level("TestLevel");
    world.level = &level;
    InputActions ice;
    ice.Action5 = true;
    Step(ice);
    EXPECT_EQ(player->GetCurrentArmor(), Player::kIceArmor);
    EXPECT_EQ(State().armorCharges, 1);
    ASSERT_EQ(level.GetBackgroundEventCount(), 1u);
    // The armor changed in this update: the next one starts afresh.
    EXPECT_TRUE(State().armorChanged);
    Step(Keys(0, 0));
    EXPECT_FALSE(State().armorChanged);
    // A second use while the first effect runs: a fire use adds its own.
    for (int i = 0; i < 8; ++i)
        Step(Keys(0, 0));
    InputActions fire;
    fire.Action6 = true;
    Step(fire);
    EXPECT_EQ(player->GetCurrentArmor(), Player::kFireArmor);
    EXPECT_EQ(level.GetBackgroundEventCount(), 2u);
    // A player held by a script reads no armor action.
    player->SetInputLocked(true);
    State().armorCharges = 2;
    for (int i = 0; i < 9; ++i)
        Step(ice);
    EXPECT_EQ(player->GetCurrentArmor(), Player::kFireArmor);
    EXPECT_EQ(State().armorCharges, 2);
    world.level = nullptr;
}

TEST_F(ArmorControl, TheWornArmorsSetReplacesTheDefaultOneWholeEmptySlotsIncluded)
{
    GraphicalObject* idle = player->GetAnimationField(0);
    ASSERT_NE(idle, nullptr);
    Frames(1, true);
    ASSERT_NE(player->GetAnimationField(0), nullptr);
    EXPECT_EQ(player->GetAnimationField(0)->GetName(), "[Fire]Player GraphicalIdleL");
    Frames(8);
    // A set with one pose: every other pose shows nothing, not the plain one.
    AnimatedSprite icePose("[Ice]Player GraphicalIdleL");
    ArmorAnimationSet set;
    set.animations[0] = &icePose;
    player->ApplyAnimationSet(set);
    GraphicalObject* shown = player->GetAnimationField(0);
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(shown, idle);
    EXPECT_EQ(shown->GetName(), "[Ice]Player GraphicalIdleL");
    ASSERT_NE(player->GetDefaultAnimationSet().GetSlot(1), nullptr);
    EXPECT_EQ(player->GetAnimationField(1), nullptr);
    // Applied again, the same graphical serves.
    player->ApplyAnimationSet(set);
    EXPECT_EQ(player->GetAnimationField(0), shown);
    // Shown nothing, the player draws nothing, has no boxes and its area
    // attack reaches no one; the charge is spent all the same.
    player->SetCurrentAnimation(player->GetAnimationField(1));
    ASSERT_EQ(player->GetCurrentGraphical(), nullptr);
    EXPECT_TRUE(player->Draw(nullptr, Point<int>()));
    EXPECT_TRUE(player->GetHurtBoxes().empty());
    EXPECT_EQ(player->GetBodyBox(), Rect<int>());
    ASSERT_EQ(neighbour.kinds.size(), 1u);
    Frames(1, true);
    EXPECT_EQ(State().armorCharges, 0);
    EXPECT_EQ(neighbour.kinds.size(), 1u);
}

// An enemy shot: most have no life (-1) and die at once when struck, a
// flame ignores the blow, a boss's shard loses life like any foe.
class Shot : public Target {
public:
    enum Reaction { kDies, kIgnores, kLosesLife };
    Shot(std::string name, int lifePoints, Reaction reaction)
        : Target(std::move(name), 140.0f, 0.0f, lifePoints)
        , reaction(reaction)
    {
    }
    bool IsHitByBox(Rect<int> box, bool) override { return Meets(box, Box()); }
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override
    {
        if (reaction == kDies)
            dead = true;
        else if (reaction == kLosesLife)
            Target::ReceiveHit(attacker, kind, amount);
    }
    Reaction reaction;
};

TEST_F(ArmorControl, AShotTheAreaAttackDestroysCountsOnceForCantTouchThis)
{
    struct Case {
        const char* name;
        int life;
        Shot::Reaction reaction;
        bool deadBefore;
        int counted;
    };
    const Case cases[] = {
        {"Projectile_SadSoul", -1, Shot::kDies, false, 1},
        {"Projectile_Fire_Launcher", -1, Shot::kIgnores, false, 0},
        {"Projectile_Thrower", -1, Shot::kDies, true, 0},
        {"Projectile_Shard", 1, Shot::kLosesLife, false, 1},
        {"Projectile_Shard", 5, Shot::kLosesLife, false, 0},
        {"NPC_Test", -1, Shot::kDies, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " life " + std::to_string(c.life));
        Shot shot(c.name, c.life, c.reaction);
        shot.SetDead(c.deadBefore);
        world.characters = {&shot};
        world.achievements.clear();
        State().armorCharges = 2;
        State().armorKeyDelay = 0;
        Frames(1, true);
        EXPECT_EQ(world.achievements["Can't touch this"], c.counted);
        EXPECT_EQ(world.achievements["Invincible"], 0) << "a shot is no kill";
    }
    world.characters.clear();
}

// The stand isolates the armors where the real player cannot show what is
// asked of it: which animation set is applied, and a short modifier vector.
TEST(ArmorControlStand, ArmorLevelPicksTheSoundRadiusAndAnimationSet)
{
    TestPlayer player;
    PlayerArmorControl::EnableModifier(player, 0);
    player.state.armorCharges = 2;
    auto* fire = PlayerArmorControl::GetFireArmor(player);
    fire->SetLevel(2);
    PlayerArmorControl::UpdateArmors(player, true, false);
    ASSERT_EQ(player.attacks.size(), 1u);
    EXPECT_EQ(player.attacks[0].radius, 144.0f);
    EXPECT_EQ(player.Count(kSoundUseAoe2Fire), 1);
    ASSERT_FALSE(player.appliedSets.empty());
    EXPECT_EQ(player.appliedSets.back(), &fire->GetAnimationSetB());
    // Enabling the crossbow while an armor is worn gives the armor's third set.
    PlayerArmorControl::EnableModifier(player, 5);
    EXPECT_EQ(player.appliedSets.back(), &fire->GetAnimationSetC());
}

TEST(ArmorControlStand, LookUpsByIndexCheckTheVector)
{
    TestPlayer player;
    PlayerArmorControl::EnableModifier(player, 0);
    PlayerArmorControl::EnableModifier(player, 1);
    player.state.armorCharges = 2;
    player.modifiers.resize(1);
    EXPECT_NE(PlayerArmorControl::GetFireArmor(player), nullptr);
    EXPECT_EQ(PlayerArmorControl::GetIceArmor(player), nullptr);
    EXPECT_EQ(PlayerArmorControl::GetCrossbow(player), nullptr);
    // Too few modifiers for the armors: the frame does nothing.
    PlayerArmorControl::UpdateArmors(player, true, true);
    EXPECT_EQ(player.state.currentArmor, -1);
}

TEST(ArmorReplacementList, AnEqualRecordIsNotAddedTwice)
{
    std::vector<ArmorReplacement> list;
    EXPECT_TRUE(ArmorReplacement::Append(list, ArmorReplacement("Water", "Ice")));
    EXPECT_FALSE(ArmorReplacement::Append(list, ArmorReplacement("Water", "Ice")));
    EXPECT_TRUE(ArmorReplacement::Append(list, ArmorReplacement("Water", "Ice2")));
    EXPECT_TRUE(ArmorReplacement::Append(list, ArmorReplacement("Lava", "Ice")));
    EXPECT_EQ(list.size(), 3u);
}

} // namespace
