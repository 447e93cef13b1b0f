#include "bosses/NPC_Boss2_Snow.h"
#include "bosses/NPC_Boss2_Snow_Enemy.h"
#include "enemies/Projectile_Fire_Launcher.h"

#include "tests/bosses/BossArena.h"

#include <gtest/gtest.h>

#include <cmath>

// The frost sentinel in a small arena at tile (2, 2), with two platforms of
// "snow2_enemies": it opens on "start", then each time an animation ends it
// shields, drops imps on the player near it or sends ice spikes at the
// player further off; 95 life, its death removes its imps.
namespace {

class GlacierFight : public BossArena {
protected:
    void SetUp() override
    {
        BossArena::SetUp();
        if (IsSkipped())
            return;
        Enter("place Zone_NPCSpawner_Boss2_Snow boss_snow2 2 2 4x4\n"
              "trigger snow2_enemies 20 4 5x1 {\n:OnStartup\n}\n"
              "trigger snow2_enemies 26 4 5x1 {\n:OnStartup\n}\n",
            28);
        boss = NamedAs<NPC_Boss2_Snow>("boss_snow2");
        ASSERT_NE(boss, nullptr);
    }
    // Holds the player at an offset from the boss's place for the next pass.
    void PlayerAt(float dx, float dy)
    {
        ThePlayer().SetPosition(boss->GetPosition() + Point<float>(dx, dy));
        ThePlayer().SetPreviousPosition(ThePlayer().GetPosition());
    }
    NPC_Boss2_Snow* boss = nullptr;
};

TEST_F(GlacierFight, TheZonesOfThePlayerAreTakenFromTheBossPlace)
{
    const struct {
        float dx, dy;
        int zone;
    } cases[] = {
        {400.0f, 250.0f, 1}, // near: in front, raised
        {100.0f, 400.0f, 1}, // high above it counts as near
        {700.0f, 250.0f, 2}, // far, raised
        {600.0f, 10.0f, 2},  // far, on the ground in front
        {200.0f, 10.0f, 0},  // next to it on the ground
        {1100.0f, 250.0f, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dx);
        PlayerAt(c.dx, c.dy);
        EXPECT_EQ(boss->ZoneOfPlayer(), c.zone);
    }
}

TEST_F(GlacierFight, ItOpensOnStartThenShieldsSpikesAndDropsImpsByWhereThePlayerStands)
{
    // Before "start" it stands on its opening's first frame.
    PlayerAt(600.0f, 0.0f);
    Passes(20);
    EXPECT_EQ(boss->GetState(), NPC_Boss2_Snow::kOpening);
    EXPECT_EQ(boss->GetCurrentGraphical(), boss->GetOpening());
    EXPECT_EQ(boss->GetOpening()->GetAnimationFrame(), 0);
    EXPECT_TRUE(Send("boss_snow2", "start"));
    ASSERT_GE(PassUntil([&] { return boss->GetOpening()->GetAnimationFrame() > 0; }, 10), 1);
    EXPECT_FALSE(Send("boss_snow2", "start")) << "once the opening plays, a second start goes to the base";
    // The opening plays, then the shield comes up while the player is in a zone.
    ASSERT_GE(PassUntil(
                  [&] {
                      PlayerAt(600.0f, 0.0f);
                      return boss->GetState() == NPC_Boss2_Snow::kShield;
                  },
                  200),
        0);
    // On the ground further off: the shield ends in the spikes' attack, and
    // 60 frames later the ice chain starts 480 px in front of it.
    ASSERT_GE(PassUntil(
                  [&] {
                      PlayerAt(600.0f, 0.0f);
                      return boss->GetState() == NPC_Boss2_Snow::kAttackDown;
                  },
                  200),
        0);
    EXPECT_EQ(boss->GetFrameCounter(), NPC_Boss2_Snow::kSpikeDelay);
    EXPECT_EQ(CountOf("Projectile_Fire_LauncherV0"), 0);
    Passes(NPC_Boss2_Snow::kSpikeDelay - 1);
    EXPECT_EQ(CountOf("Projectile_Fire_LauncherV0"), 0);
    Pass();
    auto* spikes = First<Projectile_Fire_Launcher>();
    ASSERT_NE(spikes, nullptr);
    EXPECT_EQ(spikes->GetDirection(), Point<float>(1.0f, 0.0f));
    EXPECT_TRUE(spikes->IsBoss2SnowFlame());
    // Back to the shield; with the player near it, the imps' drop: 30
    // frames later five imps fall on the platforms from 1024 px above them.
    ASSERT_GE(PassUntil(
                  [&] {
                      PlayerAt(450.0f, 300.0f);
                      return boss->GetState() == NPC_Boss2_Snow::kShield;
                  },
                  200),
        0);
    ASSERT_GE(PassUntil(
                  [&] {
                      PlayerAt(450.0f, 300.0f);
                      return boss->GetState() == NPC_Boss2_Snow::kDropEnemies;
                  },
                  200),
        0);
    Passes(NPC_Boss2_Snow::kDropDelay);
    std::vector<NPC_Boss2_Snow_Enemy*> imps = All<NPC_Boss2_Snow_Enemy>();
    ASSERT_EQ(imps.size(), size_t(NPC_Boss2_Snow::kEnemiesPerDrop));
    for (NPC_Boss2_Snow_Enemy* imp : imps) {
        ASSERT_NE(imp->GetOwner(), nullptr);
        EXPECT_EQ(imp->GetOwner()->GetName(), "snow2_enemies");
        EXPECT_GT(imp->GetPosition().y, imp->GetOwner()->GetPosition().y + 900.0f);
        EXPECT_GE(imp->GetPosition().x, imp->GetOwner()->GetPosition().x);
    }
    // They land on their platform and hop 64 px along it.
    NPC_Boss2_Snow_Enemy* imp = imps.front();
    ASSERT_GE(PassUntil([&] { return imp->GetState() == NPC_Boss2_Snow_Enemy::kIdle; }, 120), 0);
    EXPECT_FLOAT_EQ(imp->GetPosition().y, imp->GetOwner()->GetPosition().y);
    const float landedX = imp->GetPosition().x;
    ASSERT_GE(PassUntil([&] { return imp->GetState() == NPC_Boss2_Snow_Enemy::kHopping; }, 60), 0);
    ASSERT_GE(PassUntil([&] { return imp->GetState() == NPC_Boss2_Snow_Enemy::kIdle; }, 20), 0);
    EXPECT_FLOAT_EQ(std::abs(imp->GetPosition().x - landedX), 64.0f);
    EXPECT_FLOAT_EQ(imp->GetPosition().y, imp->GetOwner()->GetPosition().y);
}

TEST_F(GlacierFight, NinetyFiveLifeOfBlowsExplodeItAndItsRemovalTakesItsImps)
{
    MessageCounter* died = Await("boss_snow2_State_DIE");
    auto* imp = dynamic_cast<NPC_Boss2_Snow_Enemy*>(
        game.CreateCharacterByClass("NPC_Boss2_Snow_Enemy", "NPC_Boss2_Snow_Enemy", nullptr));
    ASSERT_NE(imp, nullptr);
    // Three life of blows end an imp, without an explosion.
    Strike(imp, 2);
    EXPECT_FALSE(imp->IsDead());
    Strike(imp, 1);
    EXPECT_TRUE(imp->IsDead());
    const Watched second(dynamic_cast<NPC_Boss2_Snow_Enemy*>(
        game.CreateCharacterByClass("NPC_Boss2_Snow_Enemy", "NPC_Boss2_Snow_Enemy", nullptr)));
    Strike(boss, NPC_Boss2_Snow::kLife - 1);
    EXPECT_FALSE(boss->IsExploding());
    Strike(boss, 1);
    EXPECT_TRUE(boss->IsExploding());
    ASSERT_GE(PassUntil([&] { return died->Count() > 0; }, 300), 0);
    Pass();
    EXPECT_FALSE(Live(second)) << "the boss's death takes its imps";
}

} // namespace
