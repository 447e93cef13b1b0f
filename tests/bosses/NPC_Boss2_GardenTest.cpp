#include "bosses/NPC_Boss2_Garden.h"
#include "bosses/Projectile_Boss2_Bibli_Lava.h"
#include "bosses/Projectile_Boss2_Garden.h"
#include "bosses/Projectile_Boss2_Garden_Scyte.h"
#include "characters/Projectile_Crossbow.h"
#include "engine/platform/Random.h"

#include "tests/bosses/LibGardenArena.h"

#include <gtest/gtest.h>

// The Burning Orchard: the ghost's lava row, its appearances on their
// timings, the skulls thrown from the other places and their bursts, the
// bolts it catches as scythes, its two phases, and the whole arena.
namespace {

const ArenaKit kOrchard {"g03", "boss_garden2", "boss_garden2_State_DIE", "NPC_Boss2_Garden_IdleLeft", 21,
    "2 Cinematic_AbilityL Cinematic_AbilityR"};

class Boss2Garden : public LibGardenArena {
protected:
    void TearDown() override
    {
        // The program-wide stores go back to empty.
        NPC_Boss2_Garden::SpawnPlaces().clear();
        NPC_Boss2_Garden::SkullGroups().clear();
        LibGardenArena::TearDown();
    }
    NPC_Boss2_Garden* Enter(const std::string& extra = "")
    {
        BossArena::Enter(extra + "place Zone_NPCSpawner_Boss2_Garden boss_garden2 14 6\n"
            + "place ZoneHolder spawnzone 4 8\nplace ZoneHolder spawnzone 14 10\nplace ZoneHolder spawnzone "
              "24 8\n"
            + "trigger lava_max 10 12 1x1 {\n:OnStartup\n}\n");
        Pass();
        return NamedAs<NPC_Boss2_Garden>("boss_garden2");
    }
    int FramesUntilState(NPC_Boss2_Garden* ghost, int state, int limit = 400)
    {
        for (int frame = 1; frame <= limit; ++frame) {
            Pass();
            if (ghost->GetState() == state)
                return frame;
        }
        return -1;
    }
};

TEST_F(Boss2Garden, ItLaysItsLavaRowAndFindsItsSpawnPlacesInvisibleUntilStarted)
{
    NPC_Boss2_Garden* ghost = Enter();
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(ghost->GetLife(), 105);
    EXPECT_EQ(ghost->GetPhase(), 1);
    EXPECT_EQ(ghost->GetCurrentGraphical(), nullptr);
    ASSERT_EQ(NPC_Boss2_Garden::SpawnPlaces().size(), 3u);
    EXPECT_EQ(NPC_Boss2_Garden::SkullGroups().size(), 3u);
    // 32 hidden tiles from 416 below "lava_max", 32 apart.
    std::vector<Projectile_Boss2_Bibli_Lava*> tiles = All<Projectile_Boss2_Bibli_Lava>();
    ASSERT_EQ(tiles.size(), 32u);
    EXPECT_EQ(tiles[0]->GetPosition(), Point<float>(320.0f, 384.0f - 416.0f));
    EXPECT_EQ(tiles[31]->GetPosition().x, 320.0f + 31 * 32.0f);
    EXPECT_EQ(tiles[0]->GetState(), Projectile_Boss2_Bibli_Lava::kHidden);
    // "hide" sinks a hidden tile 256 pixels, "start" then raises it 416.
    ASSERT_TRUE(Send("Projectile_Boss2_Bibli_Lava", "hide", ""));
    ASSERT_NE(
        PassUntil([&] { return tiles[0]->GetState() == Projectile_Boss2_Bibli_Lava::kResting; }, 200), -1);
    EXPECT_EQ(tiles[0]->GetPosition().y, 384.0f - 416.0f - 256.0f);
    EXPECT_FALSE(tiles[0]->HandleScriptCommand("hide", ""));
    EXPECT_TRUE(tiles[0]->HandleScriptCommand("start", ""));
    EXPECT_FALSE(tiles[0]->HandleScriptCommand("start", "")) << "a moving tile ignores start";
    // Its bob: between 16 above and 16 below, one pixel a frame.
    int low = 0, high = 0;
    for (int frame = 0; frame < 80; ++frame) {
        Pass();
        low = std::min(low, ghost->GetBobOffset());
        high = std::max(high, ghost->GetBobOffset());
    }
    EXPECT_EQ(low, -16);
    EXPECT_EQ(high, 16);
    // The place of its return: trunc(3u), u = (draw - 1) / 2^32, so a draw
    // of 0 is the last place and a draw of 1 the first.
    const struct {
        uint32_t draw;
        size_t place;
    } draws[] = {{0u, 2}, {1u, 0}, {0x55555556u, 0}, {0x55555557u, 1}};
    for (const auto& d : draws) {
        {
            const platform::ScopedRandomValues values({d.draw});
            ghost->LaunchSkulls();
        }
        EXPECT_EQ(ghost->GetPosition(), NPC_Boss2_Garden::SpawnPlaces()[d.place].ToFloat()) << d.draw;
    }
}

TEST_F(Boss2Garden, ItAppearsOnceWithoutAttackingThenComesBackAtAPlaceAndTheOthersThrowSkulls)
{
    NPC_Boss2_Garden* ghost = Enter();
    ASSERT_NE(ghost, nullptr);
    ASSERT_TRUE(Send("boss_garden2", "Start", ""));
    EXPECT_FALSE(Send("boss_garden2", "start", ""));
    EXPECT_EQ(ghost->GetState(), NPC_Boss2_Garden::kFadingIn);
    const Point<float> placed = ghost->GetPosition();
    // 30 frames in, 50 idle, 30 out, then 150 hidden.
    EXPECT_EQ(FramesUntilState(ghost, NPC_Boss2_Garden::kIdle), 31);
    EXPECT_EQ(FramesUntilState(ghost, NPC_Boss2_Garden::kFadingOut), 51);
    EXPECT_EQ(FramesUntilState(ghost, NPC_Boss2_Garden::kHidden), 31);
    EXPECT_EQ(ghost->GetPosition(), placed);
    EXPECT_EQ(CountOf("Projectile_Boss2_GardenV0"), 0);
    // It comes back at one of the three places, drawn at random, and each
    // of the two others throws a skull.
    EXPECT_EQ(FramesUntilState(ghost, NPC_Boss2_Garden::kFadingIn), 150);
    const std::vector<Point<int>>& places = NPC_Boss2_Garden::SpawnPlaces();
    int at = -1;
    for (size_t g = 0; g < places.size(); ++g)
        if (ghost->GetPosition() == places[g].ToFloat())
            at = static_cast<int>(g);
    ASSERT_NE(at, -1);
    std::vector<Projectile_Boss2_Garden*> thrown = All<Projectile_Boss2_Garden>();
    ASSERT_EQ(thrown.size(), 2u);
    for (Projectile_Boss2_Garden* skull : thrown) {
        EXPECT_NE(skull->GetGroupIndex(), at);
        EXPECT_EQ(skull->GetPosition(), places[static_cast<size_t>(skull->GetGroupIndex())].ToFloat());
        EXPECT_EQ(skull->GetCurrentGraphical(), nullptr) << "unseen until it bursts";
    }
    const size_t g = static_cast<size_t>(thrown[0]->GetGroupIndex());
    EXPECT_TRUE(NPC_Boss2_Garden::SkullGroups()[g].empty()) << "a thrown skull joins no group";
    // Then 90 idle and the attack.
    EXPECT_EQ(FramesUntilState(ghost, NPC_Boss2_Garden::kIdle), 31);
    EXPECT_EQ(FramesUntilState(ghost, NPC_Boss2_Garden::kAttacking), 91);
    ASSERT_NE(FramesUntilState(ghost, NPC_Boss2_Garden::kAfterAttack), -1);
    // A thrown skull bursts 140 frames after its throw into two small ones
    // that run their rectangle and join its place's group.
    ASSERT_NE(PassUntil([&] { return NPC_Boss2_Garden::SkullGroups()[g].size() == 2; }, 140), -1);
    Projectile_Boss2_Garden* small = NPC_Boss2_Garden::SkullGroups()[g][0];
    Pass();
    EXPECT_EQ(small->GetState(), Projectile_Boss2_Garden::kOnPath);
    EXPECT_EQ(small->GetLife(), 1);
    EXPECT_EQ(small->GetPathTarget().x, places[g].x + 64 - 96);
    ASSERT_NE(PassUntil([&] { return small->GetPathStep() == 2; }, 200), -1);
    EXPECT_EQ(small->GetDirection(), Point<float>(1.0f, 0.0f));
    // The waiting after the attack is 120 frames in the first phase.
    EXPECT_NE(FramesUntilState(ghost, NPC_Boss2_Garden::kFadingOut, 130), -1);
}

TEST_F(Boss2Garden, BoltsAreCaughtAsScythesThatCircleItAndOnlyItsOwnBlowsTakeItThroughTwoPhases)
{
    NPC_Boss2_Garden* ghost = Enter();
    ASSERT_NE(ghost, nullptr);
    ASSERT_TRUE(Send("boss_garden2", "start", ""));
    ASSERT_NE(FramesUntilState(ghost, NPC_Boss2_Garden::kIdle), -1);
    // Three bolts become scythes; a fourth only vanishes.
    for (int bolt = 0; bolt < 4; ++bolt) {
        auto* shot = Boss::CreateAs<Projectile_Crossbow>("Projectile_Crossbow");
        ASSERT_NE(shot, nullptr);
        ghost->ApplyDamage(shot, 3);
        EXPECT_TRUE(shot->IsDead());
        EXPECT_EQ(shot->IsDeathHandled(), bolt < 3);
    }
    EXPECT_EQ(ghost->GetLife(), 105);
    Pass();
    EXPECT_EQ(CountOf("Projectile_Boss2_Garden_ScyteV0"), 3);
    for (int slot = 0; slot < 3; ++slot)
        ASSERT_NE(ghost->GetScythe(slot), nullptr);
    // 80 pixels from the orbit's centre.
    const Point<float> centre = ghost->GetPosition() + Point<float>(48.0f, 128.0f);
    const Point<float> d = ghost->GetScythe(0)->GetPosition() - centre;
    EXPECT_NEAR(std::sqrt(d.x * d.x + d.y * d.y), 80.0f, 0.5f);
    // Fading out releases them at once.
    ASSERT_NE(FramesUntilState(ghost, NPC_Boss2_Garden::kFadingOut), -1);
    Pass();
    EXPECT_EQ(ghost->GetScythe(0), nullptr);
    Pass();
    EXPECT_EQ(CountOf("Projectile_Boss2_Garden_ScyteV0"), 0);

    // Hidden, it takes no blow; visible, the first bar of 105 ends phase 1:
    // it vanishes at once with 80 angry life.
    ASSERT_NE(FramesUntilState(ghost, NPC_Boss2_Garden::kHidden), -1);
    Strike(ghost, 50);
    EXPECT_EQ(ghost->GetLife(), 105);
    ASSERT_NE(FramesUntilState(ghost, NPC_Boss2_Garden::kIdle, 300), -1);
    MessageCounter* died = Await("boss_garden2_State_DIE");
    Strike(ghost, 105);
    EXPECT_EQ(ghost->GetPhase(), 2);
    EXPECT_EQ(ghost->GetLife(), 80);
    EXPECT_EQ(ghost->GetState(), NPC_Boss2_Garden::kFadingOut);
    EXPECT_FALSE(ghost->IsExploding());
    // Back in the angry look; the second bar ends it with the slow motion.
    ASSERT_NE(FramesUntilState(ghost, NPC_Boss2_Garden::kIdle, 400), -1);
    EXPECT_NE(ghost->GetCurrentGraphical()->GetName().find("Angry"), std::string::npos);
    Strike(ghost, 80);
    EXPECT_TRUE(ghost->IsExploding());
    EXPECT_GT(game.slowMotionBudget, 0);
    ASSERT_NE(PassUntil([&] { return died->Count() == 1; }, 300), -1);
    EXPECT_EQ(CountOf("Projectile_Boss2_GardenV0"), 0);
}

TEST_F(Boss2Garden, TheArenaRunsFromTheWalkInToTheRewardAndAReloadFindsTheFightDone)
{
    NPC_Boss2_Garden* ghost = Enter(KitText(kOrchard));
    ASSERT_NE(ghost, nullptr);
    WalkIn(kOrchard);
    EXPECT_NE(ghost->GetState(), NPC_Boss2_Garden::kWaiting) << "the arena sent start";
    // The ghost floats and fades: its blows are dealt directly, with the
    // player as the attacker, while it stands visible.
    for (int bar : {105, 80}) {
        ASSERT_NE(PassUntil([&] { return ghost->GetState() == NPC_Boss2_Garden::kIdle; }, 600), -1);
        Strike(ghost, bar);
    }
    EXPECT_TRUE(ghost->IsExploding());
    FinishAndReload(kOrchard, [&] { return Named("boss_garden2"); });
}

} // namespace
