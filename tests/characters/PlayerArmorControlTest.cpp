#include "characters/PlayerArmorControl.h"

#include "characters/ArmorReplacement.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerTuning.h"
#include "tests/characters/ArmorTestHost.h"

#include <gtest/gtest.h>

using armortest::TestPlayer;

namespace {

// A player with both armors enabled and two charges.
class ArmorControl : public ::testing::Test {
protected:
    ArmorControl()
    {
        PlayerArmorControl::EnableModifier(player, 0);
        PlayerArmorControl::EnableModifier(player, 1);
        player.state.armorCharges = 2;
    }

    void Frames(int n, bool fire = false, bool ice = false)
    {
        for (int i = 0; i < n; ++i)
            PlayerArmorControl::UpdateArmors(player, fire, ice);
    }

    TestPlayer player;
};

TEST_F(ArmorControl, EnablingTheIceArmorGivesTwoChargesOnlyToAPlayerWithout)
{
    EXPECT_EQ(player.state.armorChargesMax, 2);
    TestPlayer stronger;
    stronger.state.armorChargesMax = 3;
    PlayerArmorControl::EnableModifier(stronger, 1);
    EXPECT_EQ(stronger.state.armorChargesMax, 3);
    EXPECT_TRUE(PlayerArmorControl::GetIceArmor(stronger)->IsEnabled());
    PlayerArmorControl::EnableModifier(stronger, 7); // no such modifier
}

TEST_F(ArmorControl, BothActionsInOneFrameSelectAndUseTheIceArmor)
{
    Frames(1, true, true);
    EXPECT_EQ(player.state.currentArmor, 1);
    EXPECT_TRUE(player.state.armorChanged);
    EXPECT_EQ(player.state.armorCharges, 1);
    EXPECT_EQ(player.state.armorKeyDelay, PlayerArmorControl::kKeyDelay);
    ASSERT_EQ(player.attacks.size(), 1u);
    EXPECT_EQ(player.attacks[0].kind, 2);
    EXPECT_EQ(player.Count(kSoundTransformChangeArmor), 1);
    EXPECT_EQ(player.Count(kSoundUseAoeIce), 1);
}

TEST_F(ArmorControl, KeyDelayIgnoresTheActionsForEightFrames)
{
    Frames(1, true);
    ASSERT_EQ(player.state.currentArmor, 0);
    ASSERT_EQ(player.state.armorCharges, 1);
    // Held for eight more frames: each only counts the delay down.
    Frames(8, false, true);
    EXPECT_EQ(player.state.currentArmor, 0);
    EXPECT_EQ(player.state.armorKeyDelay, 0);
    EXPECT_EQ(player.state.armorCharges, 1);
    // The next press switches to ice and uses it at once.
    Frames(1, false, true);
    EXPECT_EQ(player.state.currentArmor, 1);
    EXPECT_EQ(player.state.armorCharges, 0);
    EXPECT_EQ(player.Count(kSoundUseAoeFire) + player.Count(kSoundUseAoeIce), 2);
}

TEST_F(ArmorControl, PressingTheWornArmorUsesItWithoutReselecting)
{
    Frames(1, true);
    Frames(8);
    player.state.armorChanged = false;
    Frames(1, true);
    EXPECT_FALSE(player.state.armorChanged);
    EXPECT_EQ(player.state.armorCharges, 0);
    EXPECT_EQ(player.Count(kSoundTransformChangeArmor), 1);
    EXPECT_EQ(player.attacks.size(), 2u);
}

TEST_F(ArmorControl, ChargesComeBackAfter150And300Frames)
{
    player.state.armorCharges = 0;
    Frames(149);
    EXPECT_EQ(player.state.armorCharges, 0);
    Frames(1);
    EXPECT_EQ(player.state.armorCharges, 1);
    EXPECT_EQ(player.Count(kSoundArmorAvailable), 1);
    Frames(149);
    EXPECT_EQ(player.state.armorCharges, 1);
    Frames(1);
    EXPECT_EQ(player.state.armorCharges, 2);
    // Full: the counter stops.
    Frames(400);
    EXPECT_EQ(player.state.armorCharges, 2);
    EXPECT_EQ(player.state.armorRechargeCounter, 0);
    EXPECT_EQ(player.Count(kSoundArmorAvailable), 2);
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
        TestPlayer p;
        if (c.iceEnabled)
            PlayerArmorControl::EnableModifier(p, 1);
        p.state.armorCharges = c.charges;
        p.spider = c.spider;
        PlayerArmorControl::UpdateArmors(p, false, true);
        EXPECT_EQ(p.state.currentArmor, -1) << c.what;
        EXPECT_TRUE(p.attacks.empty()) << c.what;
        EXPECT_EQ(p.state.armorKeyDelay, 0) << c.what;
    }
}

TEST_F(ArmorControl, ADeadPlayerNeitherSwitchesRechargesNorCountsTheStrafeDown)
{
    player.life = 0;
    player.state.armorCharges = 0;
    player.modifiers[6]->SetCooldown(5);
    Frames(300, false, true);
    EXPECT_EQ(player.state.currentArmor, -1);
    EXPECT_EQ(player.state.armorCharges, 0);
    EXPECT_EQ(player.modifiers[6]->GetCooldown(), 5);
}

TEST_F(ArmorControl, OnlyTheStrafeCooldownIsCountedDown)
{
    auto& strafe = dynamic_cast<PlayerArmorStraff&>(*player.modifiers[6]);
    strafe.StartDash();
    EXPECT_EQ(strafe.GetCooldown(), PlayerTuning::straffDelay);
    player.modifiers[5]->SetCooldown(4);
    Frames(PlayerTuning::straffDelay + 3);
    EXPECT_EQ(strafe.GetCooldown(), 0);
    EXPECT_EQ(player.modifiers[5]->GetCooldown(), 4);
}

TEST_F(ArmorControl, ArmorLevelPicksTheSoundRadiusAndAnimationSet)
{
    auto* fire = PlayerArmorControl::GetFireArmor(player);
    fire->SetLevel(2);
    Frames(1, true);
    ASSERT_EQ(player.attacks.size(), 1u);
    EXPECT_EQ(player.attacks[0].radius, 144.0f);
    EXPECT_EQ(player.Count(kSoundUseAoe2Fire), 1);
    ASSERT_FALSE(player.appliedSets.empty());
    EXPECT_EQ(player.appliedSets.back(), &fire->GetAnimationSetB());
    // Enabling the crossbow while an armor is worn gives the armor's third set.
    PlayerArmorControl::EnableModifier(player, 5);
    EXPECT_EQ(player.appliedSets.back(), &fire->GetAnimationSetC());
}

TEST_F(ArmorControl, LookUpsByIndexCheckTheVector)
{
    player.modifiers.resize(1);
    EXPECT_NE(PlayerArmorControl::GetFireArmor(player), nullptr);
    EXPECT_EQ(PlayerArmorControl::GetIceArmor(player), nullptr);
    EXPECT_EQ(PlayerArmorControl::GetCrossbow(player), nullptr);
    // Too few modifiers for the armors: the frame does nothing.
    Frames(1, true, true);
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
