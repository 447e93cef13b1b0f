#include "characters/CharacterGameAccess.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NPC_BoatIns.h"
#include "enemies/NPC_BoatPlant.h"
#include "enemies/NPC_BoatWorm.h"
#include "enemies/NPC_CrouchSkull_Boat.h"
#include "enemies/NPC_Fire_Launcher.h"
#include "enemies/NPC_Killing_Mechanism.h"
#include "enemies/NPC_Located_Claw.h"
#include "enemies/Projectile_BoatWorm.h"
#include "enemies/Projectile_Fire_Launcher.h"
#include "enemies/Projectile_Ins_Acid.h"
#include "enemies/Projectile_Killing_Mechanism.h"
#include "engine/platform/Random.h"
#include "scene/Layer.h"
#include "script/ScriptVar.h"

#include "tests/enemies/EnemyArena.h"
#include "tests/enemies/LookSteps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

// The boat's and the cave's enemies in arenas built by the level tool, played
// by the game with the world's library and scripted input: their states and
// timings, their shots, what touching them does and the blows that kill them.
namespace {

// The move of one update (33 ms) at a speed in cells per second.
float Step(float speed)
{
    return speed * 32.0f * 33.0f * 0.001f;
}

struct Kind {
    const char* versionedName;
    std::string placement;
    float rise;
    // Blows of the scythe (1, 1, 2, 3 damage) at attack ranks 1 to 4.
    int blows[4];
};

const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        {"NPC_BoatWormV0", "place Zone_NPCSpawner_BoatWorm worm 12 2 2x2\n", 0.0f, {2, 2, 1, 1}},
        {"NPC_BoatPlantV0", "place Zone_NPCSpawner_BoatPlant plant 12 2 2x3\n", 0.0f, {6, 6, 3, 2}},
        {"NPC_Fire_LauncherV0", "place Zone_NPCSpawner_Fire_Launcher launcher 20 2 6x1\n", 0.0f,
            {8, 8, 4, 3}},
        {"NPC_Killing_MechanismV0", "place Zone_NPCSpawner_Killing_Mechanism press 20 2 3x5\n", 0.0f,
            {8, 8, 4, 3}},
    };
    return kinds;
}

class BoatCaveEnemies : public EnemyArena {
protected:
    template <class T> T* Make(const std::string& className)
    {
        return dynamic_cast<T*>(game.CreateCharacterByClass(className, className, nullptr));
    }
    int Life() { return ThePlayer().GetLife(); }
    // Passes until `done` holds; false when it never does.
    template <class Done> bool WaitFor(Done done, int limit)
    {
        for (int pass = 0; pass < limit; ++pass) {
            Pass();
            if (done())
                return true;
        }
        return false;
    }
};

class BoatCaveBlows : public EnemyArena, public testing::WithParamInterface<size_t> { };

TEST_P(BoatCaveBlows, DiesToTheExpectedBlowsAtAttackRanksOneToFour)
{
    const Kind& kind = Kinds()[GetParam()];
    // The worm keeps its shots: a one-pixel trigger never meets the player.
    game.tuning.npc.boatWormTriggerZone = Rect<int>(0, 1, 1, 0);
    for (int rank = 1; rank <= 4; ++rank) {
        SCOPED_TRACE(std::string(kind.versionedName) + " rank " + std::to_string(rank));
        Enter(kind.placement);
        ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
        Pass();
        CharacterObject* enemy = nullptr;
        for (size_t i = 0; i < game.GetCharacterCount(); ++i)
            if (game.GetCharacter(i)->GetVersionedClassName() == kind.versionedName)
                enemy = game.GetCharacter(i);
        ASSERT_NE(enemy, nullptr);
        EXPECT_EQ(BlowsToKill(enemy, rank, kind.rise), kind.blows[rank - 1]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    BoatCave, BoatCaveBlows, testing::Range<size_t>(0, 4), [](const testing::TestParamInfo<size_t>& info) {
        std::string name = Kinds()[info.param].versionedName;
        return name.substr(0, name.size() - 2);
    });

TEST_F(BoatCaveEnemies, ThePlantKeepsItsInsectsInTheirZoneAndTheyDropAcidThatBurstsOnTheFloor)
{
    Enter("place ZoneHolder bugs 14 4 10x6\n"
          "place Zone_NPCSpawner_BoatPlant plant 8 2 2x3 LinkedZoneName=bugs PlantParameter=2\n");
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    const Watched plant(First<NPC_BoatPlant>());
    ASSERT_NE(plant, nullptr);
    EXPECT_EQ(plant->parameter, 2);
    EXPECT_EQ(plant->InsectZone(), Rect<int>(448, 128 + 192, 448 + 320, 128));
    EXPECT_EQ(plant->GetLife(), 6);

    // The first insect comes once the timer has passed 60: at the 61st update.
    int first = -1;
    for (int pass = 1; pass <= 70 && first < 0; ++pass) {
        Pass();
        if (!All<NPC_BoatIns>().empty())
            first = pass;
    }
    ASSERT_EQ(first, 61);
    NPC_BoatIns* insect = All<NPC_BoatIns>().front();
    EXPECT_EQ(insect->GetOwner(), plant);
    EXPECT_EQ(insect->GetZone(), plant->InsectZone());
    EXPECT_NEAR(insect->GetPosition().x, plant->GetPosition().x + 48.0f, 3.0f);
    EXPECT_NEAR(insect->GetPosition().y, plant->GetPosition().y + 80.0f, 3.0f);
    const Point<int> target = insect->GetTarget();
    EXPECT_TRUE(plant->InsectZone().Contains(target, true)) << "the first target lies in the zone";

    // At most the limit; a drop every 33 updates; the drops fall faster and
    // faster, then burst on the floor and leave.
    int drops = 0;
    float fastest = 0.0f;
    std::set<Watched<Projectile_Ins_Acid>> seen;
    for (int pass = 0; pass < 200; ++pass) {
        std::vector<std::pair<Watched<Projectile_Ins_Acid>, float>> before;
        for (const Watched<Projectile_Ins_Acid>& acid : WatchAll<Projectile_Ins_Acid>())
            before.push_back({acid, acid->GetPosition().y});
        Pass();
        EXPECT_LE(All<NPC_BoatIns>().size(), 2u);
        for (auto [acid, y] : before)
            if (Live(acid) && acid->GetState() == Projectile_Ins_Acid::kFalling)
                fastest = std::max(fastest, y - acid->GetPosition().y);
        for (const Watched<Projectile_Ins_Acid>& acid : WatchAll<Projectile_Ins_Acid>()) {
            drops += seen.insert(acid).second ? 1 : 0;
            EXPECT_GE(acid->GetPosition().y, kFloor - 12.0f) << "it stops on the floor";
        }
    }
    EXPECT_EQ(plant->GetLiveInsects(), 2);
    EXPECT_GE(drops, 6);
    EXPECT_NEAR(fastest, Step(Projectile_Ins_Acid::kMaxSpeed), 0.01f);

    // A blow kills an insect; the plant then counts one less.
    NPC_BoatIns* victim = All<NPC_BoatIns>().front();
    victim->ApplyDamage(&ThePlayer(), 1);
    EXPECT_TRUE(victim->IsDead());
    EXPECT_EQ(plant->GetLiveInsects(), 1);

    // Two ice area hits of 2: 6 - 4 = 2, then 0 and the dying look; the
    // insect left flies on without an owner.
    plant->ReceiveHit(&ThePlayer(), Enemy::kIceHit, 2.0f);
    EXPECT_EQ(plant->GetLife(), 2);
    plant->ReceiveHit(&ThePlayer(), Enemy::kIceHit, 2.0f);
    EXPECT_EQ(plant->GetLife(), 0);
    EXPECT_EQ(plant->GetState(), NPC_BoatPlant::kDying);
    EXPECT_TRUE(plant->IsDeathHandled()) << "its death message goes out at the killing blow";
    EXPECT_FALSE(plant->IsDead()) << "it stays while its dying look plays";
    Pass();
    for (NPC_BoatIns* left : All<NPC_BoatIns>())
        EXPECT_EQ(left->GetOwner(), nullptr);
    // A blow on the dying plant plays its dying look anew.
    GraphicalObject::AnimatedInstance* dying = plant->GetCurrentGraphical()->GetAnimatedInstance(0);
    ASSERT_NE(dying, nullptr);
    Pass();
    EXPECT_GT(dying->GetTime(), 0.0);
    plant->ApplyDamage(&ThePlayer(), 1);
    EXPECT_EQ(plant->GetState(), NPC_BoatPlant::kDying);
    EXPECT_EQ(dying->GetTime(), 0.0);
    EXPECT_TRUE(WaitFor([&] { return !Live(plant); }, 60));
    ASSERT_FALSE(All<NPC_BoatIns>().empty());
    NPC_BoatIns* orphan = All<NPC_BoatIns>().front();
    orphan->ApplyDamage(&ThePlayer(), 1);
    EXPECT_TRUE(orphan->IsDead());
}

TEST_F(BoatCaveEnemies, AnInsectDiesToOneBlowAtEveryAttackRank)
{
    for (int rank = 1; rank <= 4; ++rank) {
        SCOPED_TRACE("rank " + std::to_string(rank));
        Enter("place ZoneHolder bugs 4 3 8x3\n"
              "place Zone_NPCSpawner_BoatPlant plant 20 2 2x3 LinkedZoneName=bugs\n");
        ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
        ASSERT_TRUE(WaitFor([&] { return !All<NPC_BoatIns>().empty(); }, 70));
        EXPECT_EQ(BlowsToKill(All<NPC_BoatIns>().front(), rank, 30.0f), 1);
    }
}

TEST_F(BoatCaveEnemies, AnInsectWithoutAZoneFliesToTheOriginAndLaterTargetsKeepToTheLeftHalf)
{
    Enter("place Zone_NPCSpawner_BoatPlant plant 8 2 2x3 LinkedZoneName=nowhere\n");
    auto* plant = First<NPC_BoatPlant>();
    ASSERT_NE(plant, nullptr);
    EXPECT_EQ(plant->InsectZone(), Rect<int>());
    Passes(61);
    ASSERT_EQ(All<NPC_BoatIns>().size(), 1u);
    EXPECT_EQ(All<NPC_BoatIns>().front()->GetTarget(), Point<int>(0, 0));

    // A zone wider than high: later targets never reach its right half.
    NPC_BoatIns* insect = All<NPC_BoatIns>().front();
    insect->SetZone(Rect<int>(0, 100, 400, 0));
    insect->SetPosition(Point<float>(300.0f, 50.0f));
    for (int draw = 0; draw < 40; ++draw) {
        insect->SetStateTimer(1);
        insect->ChooseTarget();
        EXPECT_LT(insect->GetTarget().x, 200);
    }
    // Left of the half's end, moved right by half the zone's height.
    insect->SetPosition(Point<float>(10.0f, 50.0f));
    for (int draw = 0; draw < 40; ++draw) {
        insect->SetStateTimer(1);
        insect->ChooseTarget();
        EXPECT_GE(insect->GetTarget().x, 50);
        EXPECT_LT(insect->GetTarget().x, 250);
    }
}

TEST_F(BoatCaveEnemies, AnAcidDropHurtsThePlayerOnceAndBurstsAndOneWithoutFloorFallsAtMostItsLifetime)
{
    Enter("");
    Pass();
    const Watched acid(Make<Projectile_Ins_Acid>("Projectile_Ins_Acid"));
    ASSERT_NE(acid, nullptr);
    EXPECT_EQ(acid->GetLife(), -1);
    acid->SetPosition(ThePlayer().GetPosition() + Point<float>(24.0f, 110.0f));
    const int life = Life();
    ASSERT_TRUE(WaitFor([&] { return acid->GetState() == Projectile_Ins_Acid::kBurst; }, 30));
    EXPECT_EQ(Life(), life - 1);
    const float burstAt = acid->GetPosition().y;
    EXPECT_GT(burstAt, kFloor + 20.0f) << "it burst on the player, above the floor";
    Passes(2);
    EXPECT_TRUE(!Live(acid) || acid->GetPosition().y == burstAt) << "it falls no further";
    EXPECT_EQ(Life(), life - 1) << "once";

    // Outside the level no wall stops it: it leaves after 150 updates.
    const Watched lost(Make<Projectile_Ins_Acid>("Projectile_Ins_Acid"));
    ASSERT_NE(lost, nullptr);
    lost->SetPosition(Point<float>(-4000.0f, 100000.0f));
    int updates = 0;
    while (Live(lost) && updates < 200) {
        Pass();
        ++updates;
    }
    EXPECT_EQ(updates, Projectile_Ins_Acid::kLifetime + 1) << "removed in the pass after the last fall";
}

TEST_F(BoatCaveEnemies, ALevelChangeTellsThePlayerTheGeometryChangedUntilItsNextUpdate)
{
    Enter("");
    EXPECT_TRUE(ThePlayer().IsCollisionChanged());
    Pass();
    EXPECT_FALSE(ThePlayer().IsCollisionChanged());
    // Put in the air by the arrival, it does not fall in that first update.
    ThePlayer().SetPosition(Point<float>(6 * kTile, 200.0f));
    ThePlayer().SetCollisionChanged();
    Pass();
    EXPECT_FLOAT_EQ(ThePlayer().GetPosition().y, 200.0f);
    Pass();
    EXPECT_LT(ThePlayer().GetPosition().y, 200.0f) << "it falls from the next one on";
}

TEST_F(BoatCaveEnemies, AnAcidDropBurstsOnAOneWayPlatformAsOnAWall)
{
    // A wooden platform over tiles 16 to 23, four tiles above the floor (its
    // top at y 192).
    Enter("", 2, 7, std::string(16, '.') + std::string(8, '=') + std::string(8, '.'));
    Pass();
    auto* acid = Make<Projectile_Ins_Acid>("Projectile_Ins_Acid");
    ASSERT_NE(acid, nullptr);
    acid->SetPosition(Point<float>(20 * kTile, 260.0f));
    ASSERT_TRUE(WaitFor([&] { return acid->GetState() == Projectile_Ins_Acid::kBurst; }, 30));
    EXPECT_GT(acid->GetPosition().y, 150.0f) << "on the platform, not the floor under it";
}

TEST_F(BoatCaveEnemies, AnInsectsPointStaysInsideItsZoneForTheHighestDraws)
{
    Enter("place Zone_NPCSpawner_BoatPlant plant 8 2 2x3 LinkedZoneName=nowhere\n");
    Passes(61);
    ASSERT_EQ(All<NPC_BoatIns>().size(), 1u);
    NPC_BoatIns* insect = All<NPC_BoatIns>().front();
    insect->SetZone(Rect<int>(0, 100, 400, 0));
    insect->SetStateTimer(0);
    // The highest draws give the zone's last pixel, not one past its edge.
    const platform::ScopedRandomValues draws({0xFFFFFFFFu, 0xFFFFFF80u});
    insect->ChooseTarget();
    EXPECT_EQ(insect->GetTarget(), Point<int>(399, 99));
}

TEST_F(BoatCaveEnemies, TheWormAttacksInItsTriggerSpitsAtThePlayerAndRestsForTheWaitInForce)
{
    Enter("place Zone_NPCSpawner_BoatWorm worm 12 2 2x2\n");
    auto* worm = First<NPC_BoatWorm>();
    ASSERT_NE(worm, nullptr);
    EXPECT_EQ(worm->GetLife(), 2);
    // Before its first update it shows nothing, so that update's trigger
    // hangs from a worm of no size and misses a player its looks' 32 x 64
    // would reach; the second update's does not.
    EXPECT_EQ(worm->GetCurrentGraphical(), nullptr);
    EXPECT_EQ(worm->GetSize(), Point<int>(0, 0));
    worm->SetPosition(Point<float>(100.0f, 100.0f));
    ThePlayer().SetPosition(Point<float>(150.0f, 140.0f));
    Pass();
    EXPECT_EQ(worm->GetState(), NPC_BoatWorm::kIdle);
    ThePlayer().SetPosition(Point<float>(150.0f, 140.0f));
    Pass();
    EXPECT_EQ(worm->GetState(), NPC_BoatWorm::kAttack);
    Reload();
    worm = First<NPC_BoatWorm>();
    ASSERT_NE(worm, nullptr);
    Pass();
    // 256 x 256 below its top row, centred: at x 100 it spans -12 to 244.
    const Point<float> home = worm->GetPosition();
    worm->SetPosition(Point<float>(100.0f, 64.0f));
    ASSERT_EQ(worm->GetSize(), Point<int>(32, 64));
    EXPECT_EQ(worm->TriggerRect(), Rect<int>(-12, 64 + 63, 244, 64 + 63 - 256));
    worm->SetPosition(home);

    // Far away: it idles. The player steps in: the attack, and when it has
    // played, a shot from the mouth at the player's centre.
    ThePlayer().SetPosition(Point<float>(2 * kTile, kFloor));
    Passes(10);
    EXPECT_EQ(worm->GetState(), NPC_BoatWorm::kIdle);
    game.tuning.npc.boatWormWait = 25;
    ThePlayer().SetPosition(Point<float>(9 * kTile, kFloor));
    Pass();
    ASSERT_EQ(worm->GetState(), NPC_BoatWorm::kAttack);
    int shotAfter = 0;
    while (All<Projectile_BoatWorm>().empty() && shotAfter < 60) {
        Pass();
        ++shotAfter;
    }
    ASSERT_EQ(All<Projectile_BoatWorm>().size(), 1u);
    EXPECT_GE(shotAfter, 10) << "the attack plays out first";
    Projectile_BoatWorm* shot = All<Projectile_BoatWorm>().front();
    EXPECT_EQ(worm->GetState(), NPC_BoatWorm::kRest);
    // The mouth's spawn point is (12..19, 56..63): its centre (15, 59).
    const Point<float> from = worm->GetPosition() + Point<float>(15.0f - 6.0f, 59.0f);
    const Point<float> aim = ThePlayer().GetCenter() - from;
    const Point<float> d = shot->GetDirection();
    EXPECT_NEAR(d.x * aim.y - d.y * aim.x, 0.0f, 0.05f * std::sqrt(aim.x * aim.x + aim.y * aim.y))
        << "aimed at the player's centre";
    EXPECT_LT(d.x, 0.0f);
    // It rests the wait in force, counted from the shot's update, then attacks again.
    int rest = 1;
    while (worm->GetState() == NPC_BoatWorm::kRest && rest < 100) {
        // Held in the trigger, whatever the shot's blow did.
        ThePlayer().SetPosition(Point<float>(9 * kTile, kFloor));
        Pass();
        ++rest;
    }
    EXPECT_EQ(rest, 25);
    EXPECT_EQ(worm->GetState(), NPC_BoatWorm::kAttack) << "the player is still in its trigger";
}

TEST_F(BoatCaveEnemies, TheWormsShotFliesStraightAtItsSpeedAndLeavesOnThePlayerOrAWall)
{
    // The player stands far enough from the arena's west wall for a shot
    // to come at him from there.
    Enter("", 4);
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    Pass();
    auto* shot = Make<Projectile_BoatWorm>("Projectile_BoatWorm");
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(Projectile_BoatWorm::CurrentSpeed(), 5.0f);
    shot->SetPosition(Point<float>(20 * kTile, 200.0f));
    shot->SetDirection(Point<float>(3.0f, 4.0f));
    Pass();
    const Point<float> a = shot->GetPosition();
    Pass();
    const Point<float> b = shot->GetPosition();
    EXPECT_NEAR(b.x - a.x, 0.6f * Step(5.0f), 0.01f);
    EXPECT_NEAR(b.y - a.y, 0.8f * Step(5.0f), 0.01f);
    // A near blow does nothing; an area hit removes it.
    shot->ApplyDamage(&ThePlayer(), 3);
    EXPECT_FALSE(shot->IsDead());
    shot->ReceiveHit(&ThePlayer(), Enemy::kFireHit, 1.0f);
    EXPECT_TRUE(shot->IsDead());

    // Down into the floor's boxes: it leaves there.
    const Watched down(Make<Projectile_BoatWorm>("Projectile_BoatWorm"));
    ASSERT_NE(down, nullptr);
    down->SetPosition(Point<float>(20 * kTile, 120.0f));
    down->SetDirection(Point<float>(0.0f, -1.0f));
    EXPECT_TRUE(WaitFor([&] { return !Live(down); }, 30));

    // Into the player: the player takes 1 and the shot leaves.
    ASSERT_TRUE(game.console.ExecuteCommand("god 0"));
    const Watched hit(Make<Projectile_BoatWorm>("Projectile_BoatWorm"));
    ASSERT_NE(hit, nullptr);
    hit->SetPosition(ThePlayer().GetPosition() + Point<float>(-60.0f, 40.0f));
    hit->SetDirection(Point<float>(1.0f, 0.0f));
    const int life = Life();
    EXPECT_TRUE(WaitFor([&] { return !Live(hit); }, 30));
    EXPECT_EQ(Life(), life - 1);
}

TEST_F(BoatCaveEnemies, TheLauncherPatrolsItsStretchFacesThePlayerAndLaunchesAFlameRowThatStopsAtAWall)
{
    Enter("place Zone_NPCSpawner_Fire_Launcher launcher 6 2 8x1\n"
          "trigger wall 24 2 1x3 graphic=Gate_Closed {\n:OnStartup\nRefreshGraphicalCollision wall\n}\n",
        28);
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    auto* launcher = First<NPC_Fire_Launcher>();
    ASSERT_NE(launcher, nullptr);
    // Its first update chooses its look and runs no rule: the cool-down
    // counts from the second.
    EXPECT_EQ(launcher->GetCurrentGraphical(), nullptr);
    Pass();
    EXPECT_NE(launcher->GetCurrentGraphical(), nullptr);
    EXPECT_EQ(launcher->GetStateTimer(), NPC_Fire_Launcher::kCoolDown);
    EXPECT_EQ(launcher->leftX, 6 * 32);
    EXPECT_EQ(launcher->rightX, 14 * 32);
    EXPECT_EQ(launcher->GetLife(), 8);
    // The player far right: outside the trigger (50 beyond the stretch).
    float lowest = 1e9f, highest = -1e9f;
    for (int pass = 0; pass < 120; ++pass) {
        Pass();
        lowest = std::min(lowest, launcher->GetPosition().x);
        highest = std::max(highest, launcher->GetPosition().x + float(launcher->GetSize().x));
    }
    EXPECT_TRUE(All<Projectile_Fire_Launcher>().empty());
    EXPECT_GE(lowest, 6 * 32 - Step(4.0f));
    EXPECT_LE(highest, 14 * 32 + Step(4.0f));
    EXPECT_EQ(launcher->GetFacing(), 1) << "it faces the player, to its right";

    // The player to its left: it turns; then in the trigger, the attack.
    ThePlayer().SetPosition(Point<float>(0.0f, kFloor));
    EXPECT_TRUE(WaitFor([&] { return launcher->GetState() == NPC_Fire_Launcher::kTurn; }, 5));
    EXPECT_TRUE(WaitFor([&] { return launcher->GetState() == NPC_Fire_Launcher::kWalk; }, 20));
    ThePlayer().SetPosition(Point<float>(4 * kTile, kFloor));
    for (int pass = 0; pass < 10 && launcher->GetState() != NPC_Fire_Launcher::kAttack; ++pass)
        Pass();
    ASSERT_EQ(launcher->GetState(), NPC_Fire_Launcher::kAttack);
    EXPECT_EQ(launcher->GetFacing(), -1);
    const float standing = launcher->GetPosition().x;
    ASSERT_TRUE(WaitFor([&] { return !All<Projectile_Fire_Launcher>().empty(); }, 20));
    EXPECT_EQ(launcher->GetPosition().x, standing) << "it stands while it attacks";
    Projectile_Fire_Launcher* flame = All<Projectile_Fire_Launcher>().front();
    const int x = int(flame->GetPosition().x);
    EXPECT_EQ((x - 15) % 32, 0) << "on the grid, 16 into its cell from the left side";
    EXPECT_EQ(flame->GetPosition().y, kFloor - 1.0f) << "on the floor's top row";
    EXPECT_EQ(flame->GetDirection(), Point<float>(-1.0f, 0.0f));

    // To its right, still in the trigger: the next flame row runs right
    // and stops at the wall at tile 24.
    ThePlayer().SetPosition(Point<float>(14 * kTile, kFloor));
    float reach = 0.0f;
    for (int pass = 0; pass < 200; ++pass) {
        Pass();
        for (Projectile_Fire_Launcher* f : All<Projectile_Fire_Launcher>())
            if (f->GetDirection().x > 0.0f)
                reach = std::max(reach, f->GetPosition().x + float(f->GetSize().x));
    }
    EXPECT_GT(reach, 17 * kTile) << "the row crept along the floor";
    EXPECT_LE(reach, 24 * kTile) << "and stopped at the wall";
}

TEST_F(BoatCaveEnemies, AHitPushesTheLauncherAwayForTenUpdatesNeverPastItsBound)
{
    Enter("place Zone_NPCSpawner_Fire_Launcher launcher 6 2 8x1\n", 28);
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    auto* launcher = First<NPC_Fire_Launcher>();
    ASSERT_NE(launcher, nullptr);
    Pass();
    launcher->SetPosition(Point<float>(6 * kTile + 20.0f, kFloor));
    // The attacker at its right: pushed left, by less each update.
    ThePlayer().SetPosition(Point<float>(9 * kTile, kFloor));
    launcher->ApplyDamage(&ThePlayer(), 1);
    EXPECT_EQ(launcher->GetKnockBack(), -NPC_Fire_Launcher::kKnockBack);
    EXPECT_EQ(launcher->GetLife(), 7);
    for (int pass = 0; pass < 10; ++pass) {
        Pass();
        EXPECT_GE(launcher->GetPosition().x, 6 * kTile);
    }
    EXPECT_EQ(launcher->GetKnockBack(), 0);
    EXPECT_EQ(launcher->GetPosition().x, 6 * kTile) << "held at its left bound";
}

TEST_F(BoatCaveEnemies, APressStrikesThePlayerUnderAnotherOfItsGroupAndALoneOneNever)
{
    Enter("place Zone_NPCSpawner_Killing_Mechanism press 8 2 3x5\n"
          "place Zone_NPCSpawner_Killing_Mechanism press 14 2 3x5\n"
          "place Zone_NPCSpawner_Killing_Mechanism lone 22 2 3x5\n");
    std::vector<NPC_Killing_Mechanism*> presses = All<NPC_Killing_Mechanism>();
    ASSERT_EQ(presses.size(), 3u);
    NPC_Killing_Mechanism* a
        = presses[0]->GetPosition().x < presses[1]->GetPosition().x ? presses[0] : presses[1];
    NPC_Killing_Mechanism* b = a == presses[0] ? presses[1] : presses[0];
    NPC_Killing_Mechanism* lone = presses[2];
    Passes(3);
    EXPECT_EQ(a->GetGroup(), std::vector<CharacterObject*> {b});
    EXPECT_TRUE(lone->GetGroup().empty());
    EXPECT_NE(a->GetCollisionCopy(), nullptr) << "its body stands in Collisions";
    ASSERT_NE(b->GetBlade(), nullptr);
    EXPECT_EQ(b->GetBlade()->GetSize(), Point<int>(96, 160));

    // Under the lone one: nothing strikes.
    ThePlayer().SetPosition(Point<float>(22 * kTile, kFloor));
    Passes(20);
    EXPECT_EQ(lone->GetLastBlade(), nullptr);

    // Under a: b's blade comes down on a's place, centred on the player,
    // kept inside the place, 30 below its bottom.
    ThePlayer().SetPosition(Point<float>(8 * kTile + 16.0f, kFloor));
    ASSERT_TRUE(WaitFor([&] { return b->GetLastBlade() != nullptr; }, 20));
    Projectile_Killing_Mechanism* blade = b->GetLastBlade();
    EXPECT_EQ(a->GetLastBlade(), nullptr);
    EXPECT_EQ(blade->GetPosition(), Point<float>(8 * kTile, kFloor - 30.0f));
    const int life = Life();
    bool forward = false, backward = false;
    Pass();
    for (int pass = 0; pass < 60 && blade->GetCurrentGraphical() != nullptr; ++pass) {
        Pass();
        forward = forward || blade->GetState() == Projectile_Killing_Mechanism::kForward;
        backward = backward || blade->GetState() == Projectile_Killing_Mechanism::kBackward;
    }
    EXPECT_TRUE(forward);
    EXPECT_TRUE(backward);
    EXPECT_EQ(blade->GetCurrentGraphical(), nullptr) << "hidden again";
    EXPECT_LT(Life(), life) << "the plate struck the player";
}

TEST_F(BoatCaveEnemies, KillingAPressOpensTheWayItBlockedAndRemovesItsBlade)
{
    Enter("place Zone_NPCSpawner_Killing_Mechanism press 8 2 3x5\n"
          "place Zone_NPCSpawner_Killing_Mechanism press 14 2 3x5\n");
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    std::vector<NPC_Killing_Mechanism*> presses = All<NPC_Killing_Mechanism>();
    ASSERT_EQ(presses.size(), 2u);
    const Watched b(presses[0]->GetPosition().x < presses[1]->GetPosition().x ? presses[1] : presses[0]);
    ThePlayer().SetPosition(Point<float>(8 * kTile + 16.0f, kFloor));
    ASSERT_TRUE(WaitFor([&] { return b->GetLastBlade() != nullptr; }, 20));
    Layer* collisions = game.GetCurrentLevel()->GetLayer(Level::kScene, "Collisions");
    ASSERT_NE(collisions, nullptr);
    const size_t added = collisions->GetAddedInstanceCount();
    // Two ice hits of 2 count twice each: 8 - 4 - 4.
    b->ReceiveHit(&ThePlayer(), Enemy::kIceHit, 2.0f);
    EXPECT_EQ(b->GetLife(), 4);
    EXPECT_FALSE(ThePlayer().IsCollisionChanged());
    b->ReceiveHit(&ThePlayer(), Enemy::kIceHit, 2.0f);
    EXPECT_EQ(b->GetLife(), 0);
    EXPECT_EQ(b->GetState(), NPC_Killing_Mechanism::kDying);
    EXPECT_EQ(collisions->GetAddedInstanceCount(), added - 1) << "its copy left Collisions";
    EXPECT_TRUE(ThePlayer().IsCollisionChanged()) << "the player is told the geometry changed";
    EXPECT_TRUE(b->GetLastBlade()->IsDead());
    EXPECT_TRUE(WaitFor([&] { return !Live(b); }, 60));
    // A press killed before it ever struck leaves its dormant blade, unseen.
    NPC_Killing_Mechanism* a = All<NPC_Killing_Mechanism>().front();
    const Watched dormant(a->GetBlade());
    ASSERT_NE(dormant, nullptr);
    EXPECT_EQ(a->GetLastBlade(), nullptr);
    a->ApplyDamage(&ThePlayer(), 8);
    Passes(2);
    ASSERT_TRUE(Live(dormant));
    EXPECT_EQ(dormant->GetCurrentGraphical(), nullptr);
}

// The script commands "disable" and "enable": a disabled enemy draws nothing
// and does nothing; enabled again it shows the look of its state.
TEST_F(BoatCaveEnemies, APlantAndAPressDisabledAndEnabledAgainShowTheirLooksAgain)
{
    Enter("place Zone_NPCSpawner_BoatPlant plant 8 2 2x3\n"
          "place Zone_NPCSpawner_Killing_Mechanism press 14 2 3x5\n");
    Pass();
    for (CharacterObject* enemy : {static_cast<CharacterObject*>(First<NPC_BoatPlant>()),
             static_cast<CharacterObject*>(First<NPC_Killing_Mechanism>())}) {
        ASSERT_NE(enemy, nullptr);
        SCOPED_TRACE(enemy->GetVersionedClassName());
        ASSERT_NE(enemy->GetCurrentGraphical(), nullptr);
        ASSERT_TRUE(enemy->HandleScriptCommand("disable", ""));
        Pass();
        EXPECT_EQ(enemy->GetCurrentGraphical(), nullptr);
        ASSERT_TRUE(enemy->HandleScriptCommand("enable", ""));
        Pass();
        EXPECT_NE(enemy->GetCurrentGraphical(), nullptr);
    }
}

TEST_F(BoatCaveEnemies, TheClawWaitsFifteenUpdatesRisesAtThePlayerAndIsOpenToBlowsOnlyWhileItStrikes)
{
    Enter("place Zone_NPCSpawner_Located_Claw claw 10 2 5x1\n");
    const Watched claw(First<NPC_Located_Claw>());
    ASSERT_NE(claw, nullptr);
    EXPECT_EQ(claw->rect, Rect<int>(320, 64 + 32, 320 + 160, 64));
    EXPECT_EQ(claw->GetLife(), 2);
    // The player in its rectangle from the start: still 15 updates unseen.
    ThePlayer().SetPosition(Point<float>(11 * kTile, kFloor));
    int rose = 0;
    for (int pass = 1; pass <= 30 && rose == 0; ++pass) {
        EXPECT_EQ(claw->GetCurrentGraphical() == nullptr, claw->GetState() == NPC_Located_Claw::kWaiting);
        EXPECT_FALSE(claw->IsHitByBox(Rect<int>(0, 1000, 2000, 0), false));
        Pass();
        if (claw->GetState() == NPC_Located_Claw::kAppearing)
            rose = pass;
    }
    EXPECT_EQ(rose, 16);
    EXPECT_EQ(claw->GetPosition(), Point<float>(ThePlayer().GetPosition().x, 64.0f));
    const int life = Life();
    bool struck = false;
    std::vector<int> states;
    for (int pass = 0; pass < 80 && claw->GetState() != NPC_Located_Claw::kWaiting; ++pass) {
        if (states.empty() || states.back() != claw->GetState())
            states.push_back(claw->GetState());
        if (claw->GetState() == NPC_Located_Claw::kAttacking)
            struck = struck || claw->IsHitByBox(Rect<int>(0, 1000, 2000, 0), false);
        else
            EXPECT_TRUE(claw->GetAttackBoxes().empty());
        Pass();
    }
    EXPECT_EQ(states, (std::vector<int> {1, 2, 3}));
    EXPECT_TRUE(struck) << "open to blows while it strikes";
    EXPECT_LT(Life(), life) << "it hurt the player while striking";
    // A fire area hit reaches it unseen and counts twice: life 2, dead.
    ASSERT_EQ(claw->GetState(), NPC_Located_Claw::kWaiting);
    claw->ReceiveHit(&ThePlayer(), Enemy::kFireHit, 1.0f);
    EXPECT_EQ(claw->GetState(), NPC_Located_Claw::kDying);
    EXPECT_EQ(claw->GetPowerHit(), Enemy::kFireHit);
    // A blow while it dies starts its dying look again.
    const int die = UpdatesToFinish("NPC_Located_Claw_GraphicalDie");
    ASSERT_GT(die, 3);
    Passes(die - 2);
    ASSERT_TRUE(Live(claw));
    ASSERT_NE(claw->GetCurrentGraphical()->GetAnimationFrame(), 0);
    claw->ReceiveHit(&ThePlayer(), 0, 1.0f);
    EXPECT_EQ(claw->GetState(), NPC_Located_Claw::kDying);
    EXPECT_EQ(claw->GetCurrentGraphical()->GetAnimationFrame(), 0);
    int dying = 0;
    while (Live(claw) && dying < 200) {
        Pass();
        ++dying;
    }
    // The update after the one that plays its last step finds it finished
    // and sets the dead flag; the next pass removes it.
    EXPECT_EQ(dying, die + 2);
}

TEST_F(BoatCaveEnemies, TheClawDiesToTheExpectedBlowsAtAttackRanksOneToFour)
{
    const int expected[4] = {2, 2, 1, 1};
    for (int rank = 1; rank <= 4; ++rank) {
        SCOPED_TRACE("rank " + std::to_string(rank));
        Enter("place Zone_NPCSpawner_Located_Claw claw 6 2 6x1\n", 8);
        ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
        ThePlayer().SetAttackRank(rank);
        const Watched claw(First<NPC_Located_Claw>());
        ASSERT_NE(claw, nullptr);
        // Facing left, the scythe sweeps over the claw that rises at the
        // player's x; a blow each time it strikes.
        InputActions left;
        left.x = -1.0f;
        Pass(left);
        const Point<float> spot = ThePlayer().GetPosition();
        int blows = 0, lastLife = claw->GetLife();
        for (int pass = 0; pass < 400 && Live(claw) && claw->GetLife() > 0; ++pass) {
            // Held where the claw rises, whatever its strikes do.
            ThePlayer().SetPosition(spot);
            InputActions keys;
            if (claw->GetState() == NPC_Located_Claw::kAttacking && pass % 6 < 2)
                keys.SetAction3();
            Pass(keys);
            if (Live(claw) && claw->GetLife() < lastLife) {
                ++blows;
                lastLife = claw->GetLife();
            }
        }
        EXPECT_LE(claw->GetLife(), 0);
        EXPECT_EQ(blows, expected[rank - 1]);
    }
}

// The boat's skull steers toward the player while the player stands in its
// spawner zone: by the unit vector's x, at its follow speed; outside the zone
// it walks straight at its own speed. Within 8 pixels of the player it stops
// steering for 10 updates.
TEST_F(BoatCaveEnemies, TheBoatSkullFollowsThePlayerInItsZoneAtItsFollowSpeedAndStopsSteeringWhenClose)
{
    Enter("place Zone_NPCSpawner_CrouchSkull_Boat deck 8 2 16x4\n");
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    const Watched skull(First<NPC_CrouchSkull_Boat>());
    ASSERT_NE(skull, nullptr);
    const struct {
        const char* where;
        float playerX;
        bool follows;
        float speed;
    } cases[] = {{"outside its zone", 2 * kTile, false, 4.0f}, {"in its zone", 21 * kTile, true, 6.8f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        const Point<float> spot(c.playerX, kFloor);
        for (int pass = 0; pass < 3; ++pass) {
            ThePlayer().SetPosition(spot);
            Pass();
        }
        EXPECT_EQ(skull->playerInZone, c.follows);
        // Walking, in the middle of its bounds, facing away from the player.
        skull->SetState(NPC_CrouchSkull::kWalk);
        skull->SetPosition(Point<float>(14 * kTile, kFloor));
        skull->SetDirection(Point<float>(-1.0f, 0.0f));
        ThePlayer().SetPosition(spot);
        Point<float> toward = ThePlayer().GetCenter() - skull->GetCenter();
        toward.Normalize(false);
        const float x = skull->GetPosition().x;
        Pass();
        const float expected = c.follows ? toward.x : -1.0f;
        EXPECT_NEAR(skull->GetDirection().x, expected, 1e-5f);
        EXPECT_FLOAT_EQ(skull->GetSpeedValue(), c.speed);
        EXPECT_NEAR(skull->GetPosition().x - x, expected * Step(c.speed), 1e-3f);
    }
    // Its centre on the player's: ten updates without steering, the first
    // one included, each at the speed of its state.
    const Point<float> facing(0.25f, 0.0f);
    skull->SetDirection(facing);
    skull->SetPosition(ThePlayer().GetCenter() - skull->GetSize().ToFloat() * 0.5f);
    std::vector<int> pauses;
    for (int pass = 0; pass < 3; ++pass) {
        Pass();
        pauses.push_back(skull->GetSteeringPause());
        EXPECT_EQ(skull->GetDirection().x, facing.x) << pass;
    }
    EXPECT_EQ(pauses, (std::vector<int> {10, 9, 8}));
}

TEST(FireLauncherGrid, AFlameStandsInTheGridCellThatHoldsItsXAlsoLeftOfZero)
{
    const struct {
        int x;
        int cell;
    } cases[] = {{-1, -32}, {-32, -32}, {-33, -64}, {0, 0}, {31, 0}, {32, 32}, {100, 96}};
    for (const auto& c : cases)
        EXPECT_EQ(NPC_Fire_Launcher::GridCellOf(c.x), c.cell) << c.x;
}

} // namespace
