#include "bosses/BossFrame.h"
#include "bosses/NPC_Boss2_Bibli.h"
#include "bosses/NPC_Boss2_Garden.h"
#include "bosses/NPC_Boss2_Underwater.h"
#include "bosses/NPC_Boss_Bibli.h"
#include "bosses/NPC_Boss_Ultimate.h"
#include "bosses/NPC_MiniBoss_Bibli.h"
#include "bosses/NPC_MiniBoss_Garden.h"
#include "engine/platform/Random.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "scene/GraphicalObject.h"

#include "tests/bosses/BossArena.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

// The shared rules of every boss: frame counters, words of scripts, random
// picks, vectors, the life rule of a hit; then, in an arena played by the
// game, sprites by full name, projectile pools, deaths, announcements and
// the slow motion of a boss death.
namespace {

TEST(BossFrameRules, CountdownsActOnTheUpdateThatFindsThemAtZeroOrBelow)
{
    // A counter reset to 4 acts every fifth frame, the first time at once.
    Boss::Countdown bob;
    std::string acted;
    for (int frame = 0; frame < 11; ++frame)
        acted += bob.Tick(4) ? 'x' : '.';
    EXPECT_EQ(acted, "x....x....x");

    Boss::Countdown pause(3);
    EXPECT_FALSE(pause.Run());
    EXPECT_FALSE(pause.Run());
    EXPECT_TRUE(pause.Run());
    EXPECT_TRUE(pause.Run());
    EXPECT_EQ(pause.Left(), 0);
}

TEST(BossFrameRules, ScriptWordsRandomPicksAndVectors)
{
    EXPECT_TRUE(Boss::IsCommand("START", "start"));
    EXPECT_TRUE(Boss::IsCommand("Disable", "disable"));
    EXPECT_FALSE(Boss::IsCommand("starts", "start"));
    EXPECT_EQ(Boss::Lower("NPC_Boss_Cave_State_DIE"), "npc_boss_cave_state_die");

    {
        // The highest draw stays inside the list; the lowest picks the first.
        platform::ScopedRandomValues draws({0xFFFFFFFFu, 0u, 0x80000000u});
        EXPECT_EQ(Boss::RandomIndex(3), 2);
        EXPECT_EQ(Boss::RandomIndex(3), 0);
        EXPECT_EQ(Boss::RandomIndex(3), 1);
    }
    EXPECT_EQ(Boss::RandomIndex(0), 0);

    struct Turn {
        Point<float> from;
        float radians;
        Point<float> to;
    };
    const Turn turns[]
        = {{{1, 0}, 1.5707963f, {0, 1}}, {{0, 2}, 3.1415927f, {0, -2}}, {{1, 1}, -1.5707963f, {1, -1}}};
    for (const Turn& turn : turns) {
        Point<float> v = turn.from;
        Boss::RotateVector(v, turn.radians);
        EXPECT_NEAR(v.x, turn.to.x, 1e-5f);
        EXPECT_NEAR(v.y, turn.to.y, 1e-5f);
    }
    EXPECT_EQ(Boss::Normalized(Point<float>(0, 0)), Point<float>(0, 0));
    EXPECT_NEAR(Boss::Normalized(Point<float>(0.3f, 0.4f)).x, 0.6f, 1e-6f);
}

TEST(BossFrameRules, AHitLowersLifeOnlyWithAnAttackerAndNeverBelowZeroFromZero)
{
    CharacterObject attacker("attacker");
    struct Case {
        int life;
        int damage;
        bool withAttacker;
        int after;
    };
    const Case cases[]
        = {{40, 3, true, 37}, {1, 3, true, -2}, {0, 5, true, 0}, {-4, 1, true, 0}, {40, 3, false, 40}};
    for (const Case& c : cases) {
        CharacterObject boss("boss");
        boss.SetLife(c.life);
        EXPECT_EQ(Boss::TakeDamage(boss, c.withAttacker ? &attacker : nullptr, c.damage), c.withAttacker);
        EXPECT_EQ(boss.GetLife(), c.after) << c.life << " - " << c.damage;
        EXPECT_EQ(boss.WasHit(), c.withAttacker);
    }
}

TEST(BossFrameRules, TheHitShakeIsDroppedAfterItsFrames)
{
    CharacterObject boss("boss");
    Boss::StartShake(boss, {1.0f, 1.0f}, {25.0f, 20.0f});
    int steps = 0;
    while (boss.GetDrawingEffect() != nullptr && steps < 100) {
        Boss::StepShake(boss, 10);
        ++steps;
    }
    EXPECT_EQ(steps, 11);
    boss.SetDirection({-1.0f, 0.5f});
    boss.SetPosition({100.0f, 100.0f});
    Boss::Move(boss, 5.0f);
    EXPECT_NEAR(boss.GetPosition().x, 100.0f - 5.28f, 1e-4f);
    EXPECT_NEAR(boss.GetPosition().y, 100.0f + 2.64f, 1e-4f);
}

class BossFrameArena : public BossArena { };

TEST_F(BossFrameArena, SpritesAreOwnCopiesByFullNameAndAMissingOneIsNull)
{
    Enter("");
    BossSprites a("NPC_CrouchSkull");
    BossSprites b("NPC_CrouchSkull");
    GraphicalObject* walk = a.Add("GraphicalWalkL");
    ASSERT_NE(walk, nullptr);
    EXPECT_EQ(a.Add("GraphicalWalkL"), walk);
    EXPECT_EQ(a.Get("GraphicalWalkL"), walk);
    EXPECT_NE(b.Add("GraphicalWalkL"), walk);
    EXPECT_NE(walk, game.FindGraphicalObject("NPC_CrouchSkull_GraphicalWalkL", false));
    EXPECT_EQ(a.Add("GraphicalNoSuchPose"), nullptr);
    EXPECT_EQ(a.Count(), 2u);
    EXPECT_NE(debug.Text().find("NPC_CrouchSkull_GraphicalNoSuchPose"), std::string::npos);
}

TEST_F(BossFrameArena, APoolIsMadeOnceReusedAndNeverOverrun)
{
    Enter("");
    const size_t before = game.GetCharacterCount();
    ProjectilePool<CharacterObject> pool;
    EXPECT_EQ(pool.FillAs("CharacterObject", 3, "shot"), 3);
    EXPECT_EQ(pool.FillAs("NoSuchClass", 2), 0);
    EXPECT_EQ(game.GetCharacterCount(), before + 3);
    Pass();
    EXPECT_EQ(pool.InPlay(), 0);

    CharacterObject* first = pool.Acquire();
    CharacterObject* second = pool.Acquire();
    CharacterObject* third = pool.Acquire();
    ASSERT_NE(third, nullptr);
    EXPECT_TRUE(first->IsEnabled());
    EXPECT_EQ(first->GetName(), "shot");
    // Every one in play: the next shot is skipped, nothing new is made.
    EXPECT_EQ(pool.Acquire(), nullptr);
    EXPECT_EQ(pool.InPlay(), 3);
    EXPECT_EQ(game.GetCharacterCount(), before + 3);

    second->SetEnabled(false);
    EXPECT_EQ(pool.Acquire(), second);
    pool.ReleaseAll();
    EXPECT_EQ(pool.InPlay(), 0);

    // Marked dead, they leave on the next pass and the pool finds none.
    pool.KillAll();
    Pass();
    EXPECT_EQ(game.GetCharacterCount(), before);
    EXPECT_EQ(pool.At(0), nullptr);
    EXPECT_EQ(pool.Acquire(), nullptr);
    EXPECT_EQ(pool.Size(), 3u);
}

TEST_F(BossFrameArena, ProjectilesAreReleasedOrKilledByNameAndDeathsAreAnnounced)
{
    Enter("");
    const Watched boss(Boss::Create("CharacterObject", "boss"));
    CharacterObject* other = Boss::Create("CharacterObject", "other_boss");
    ASSERT_NE(boss, nullptr);
    for (CharacterObject* owner : {boss.Get(), boss.Get(), other}) {
        CharacterObject* shot = Boss::Create("CharacterObject", "shot_of_boss");
        ASSERT_NE(shot, nullptr);
        shot->SetOwner(owner);
    }
    // A part inserted before its boss.
    CharacterObject* part = Boss::Create("CharacterObject", "part", boss);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(Boss::FindAll("part").size(), 1u);
    size_t partAt = 0;
    size_t bossAt = 0;
    for (size_t i = 0; i < game.GetCharacterCount(); ++i) {
        partAt = game.GetCharacter(i) == part ? i : partAt;
        bossAt = game.GetCharacter(i) == boss ? i : bossAt;
    }
    EXPECT_EQ(partAt + 1, bossAt);

    EXPECT_EQ(Boss::ReleaseProjectiles("shot_of_boss", boss), 2);
    int orphans = 0;
    for (CharacterObject* shot : Boss::FindAll("shot_of_boss"))
        orphans += shot->GetOwner() == nullptr ? 1 : 0;
    EXPECT_EQ(orphans, 3 - 1);

    MessageCounter* fight = Await("boss_fight_State_DIE");
    MessageCounter* removed = Await("boss_State_DIE");
    Boss::StartDeath(*boss, false);
    Boss::Announce("BOSS_FIGHT_State_DIE");
    EXPECT_EQ(Boss::KillProjectiles("shot_of_boss"), 3);
    EXPECT_TRUE(boss->IsExploding());
    Pass();
    // The shots go on the next frame; the boss only once its explosion ran.
    EXPECT_TRUE(Boss::FindAll("shot_of_boss").empty());
    EXPECT_TRUE(Live(boss));
    EXPECT_EQ(fight->Count(), 1);
    EXPECT_EQ(removed->Count(), 0);
    EXPECT_GT(PassUntil([&] { return !Live(boss); }, 200), 0);
    Pass();
    EXPECT_EQ(removed->Count(), 1);
    EXPECT_EQ(fight->Count(), 1);
}

TEST_F(BossFrameArena, ABlowOnAnExplodingBossNeverStartsItsDeathAgain)
{
    Enter("");
    // The eggs' shared pool is the program's: given back as it was.
    const struct PoolKept {
        int value = NPC_Boss2_Underwater::GetPool();
        ~PoolKept() { NPC_Boss2_Underwater::SetPool(value); }
    } poolKept;
    struct Row {
        const char* className;
        // Brings the boss, after its first update, to the state of its
        // lethal blow.
        std::function<void(CharacterObject&)> ready;
        bool slowMotion;
    };
    const Row rows[] = {
        {"NPC_Boss_Bibli", [](CharacterObject&) {}, true},
        {"NPC_Boss2_Bibli",
            [](CharacterObject& body) {
                // The body alone is left.
                for (int part = 0; part < 3; ++part)
                    dynamic_cast<NPC_Boss2_Bibli&>(body).LowerLivingParts();
            },
            true},
        {"NPC_MiniBoss_Bibli", [](CharacterObject&) {}, false},
        {"NPC_MiniBoss_Garden", [](CharacterObject&) {}, false},
        {"NPC_Boss2_Garden",
            [this](CharacterObject& ghost) {
                // The first life bar gone: the second phase, seen again.
                ghost.SetState(NPC_Boss2_Garden::kIdle);
                Strike(&ghost, ghost.GetLife());
                ghost.SetState(NPC_Boss2_Garden::kIdle);
            },
            true},
        {"NPC_Boss_Ultimate", [](CharacterObject& maw) { maw.SetState(NPC_Boss_Ultimate::kStep3Idle); },
            true},
        {"NPC_Boss2_Underwater",
            [](CharacterObject& egg) {
                egg.SetState(NPC_Boss2_Underwater::kBossOut);
                NPC_Boss2_Underwater::SetPool(1);
            },
            true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.className);
        Reload();
        const Watched boss(Boss::Create(row.className));
        ASSERT_NE(boss, nullptr);
        boss->SetPosition(Point<float>(20 * kTile, kFloor));
        Pass();
        row.ready(*boss);
        boss->SetLife(1);
        Strike(boss, 1);
        ASSERT_TRUE(boss->IsExploding());
        ASSERT_NE(boss->GetShockWave(), nullptr);
        EXPECT_FLOAT_EQ(boss->GetShockWave()->GetTimer(), 25.0f);
        EXPECT_EQ(game.slowMotionSteps, row.slowMotion ? 15 : 0);
        // Eight updates later the armours' area blow reaches it: its
        // explosion and the slow motion run on.
        ASSERT_GE(PassUntil([&] { return boss->GetShockWave()->GetTimer() >= 33.0f; }, 100), 8);
        const ShaderEffect_TimeDependent* wave = boss->GetShockWave();
        const int slowMotionLeft = game.slowMotionSteps;
        EXPECT_LT(slowMotionLeft, row.slowMotion ? 15 : 1);
        boss->ReceiveHit(&ThePlayer(), 1, 1.0f);
        EXPECT_EQ(boss->GetShockWave(), wave);
        EXPECT_FLOAT_EQ(boss->GetShockWave()->GetTimer(), 33.0f);
        EXPECT_EQ(game.slowMotionSteps, slowMotionLeft);
        EXPECT_TRUE(boss->IsExploding());
    }
}

TEST_F(BossFrameArena, ABossRemovedBeforeItsPartsLeavesThemNoLinkToIt)
{
    Enter("");
    // The parts come after their boss in the list: the pass removes them
    // first, from the back. A boss inserted after them goes first.
    const Watched part(Boss::Create("CharacterObject", "part"));
    const Watched boss(Boss::Create("CharacterObject", "boss"));
    CharacterObject* shot = Boss::Create("CharacterObject", "shot");
    ASSERT_NE(shot, nullptr);
    part->SetOwner(boss);
    shot->SetOwner(boss);
    boss->SetDead(true);
    Pass();
    EXPECT_FALSE(Live(boss));
    EXPECT_EQ(part->GetOwner(), nullptr);
    EXPECT_EQ(shot->GetOwner(), nullptr);
    // Their own deaths then report to nobody.
    MessageCounter* gone = Await("part_State_DIE");
    part->SetDead(true);
    shot->SetDead(true);
    Pass();
    EXPECT_EQ(gone->Count(), 1);
    EXPECT_FALSE(Live(part));
}

TEST_F(BossFrameArena, TheSlowMotionOfABossDeathUpdatesTheWorldOn15Of42Frames)
{
    Enter("");
    CharacterObject* watch = Boss::Create("CharacterObject", "watch");
    ASSERT_NE(watch, nullptr);
    Pass();
    Boss::StartSlowMotion();
    int updated = 0;
    for (int frame = 1; frame <= 60; ++frame) {
        watch->SetPosition(Point<float>(static_cast<float>(frame), 0.0f));
        Pass();
        if (watch->GetPreviousPosition().x == static_cast<float>(frame))
            updated += frame <= 42 ? 1 : 100;
    }
    // 15 slowed updates in the first 42 frames, then every frame again.
    EXPECT_EQ(updated, 15 + 18 * 100);
}

} // namespace
