#include "characters/PlayerDeathLog.h"
#include "characters/PlayerModifier.h"
#include "characters/Projectile_Crossbow.h"
#include "engine/sound/SoundEvent.h"
#include "engine/sound/SoundEventsManager.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "tests/characters/PlayerTestWorld.h"
#include "tests/engine/sound/SoundTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

using namespace playertest;

namespace {

// The attack poses reach from 40 to 100 px right of the player's corner.
class PlayerCombat : public ::testing::Test, public PlayerFixture {
protected:
    PlayerCombat()
    {
        for (const char* n : {"Player GraphicalIdleAttackR", "Player GraphicalIdleAttack[r2]R",
                 "Player GraphicalIdleAttack[r3]R", "Player GraphicalIdleAttack[r4]R", "CrossbowR"})
            world.attackBoxes[n] = Rect<int>(40, 80, 100, 10);
        for (const char* n : {"Projectile_Crossbow_GraphicalIdleL", "Projectile_Crossbow_GraphicalIdleR",
                 "Projectile_Crossbow_GraphicalTouchL", "Projectile_Crossbow_GraphicalTouchR",
                 "Projectile_CrossbowR3_GraphicalIdleL", "Projectile_CrossbowR3_GraphicalIdleR",
                 "Projectile_CrossbowR3_GraphicalTouchL", "Projectile_CrossbowR3_GraphicalTouchR"})
            world.sizes[n] = Point<int>(32, 8);
        player = std::make_unique<SoundPlayer>("Player");
        world.player = player.get();
        player->SetPosition({100.0f, 0.0f});
        player->SetLife(5);
        player->SetMaxLife(5);
        FaceRight();
    }
    ~PlayerCombat() override
    {
        for (auto& t : targets)
            t.reset();
    }
    void FaceRight()
    {
        Step(Keys(1, 0));
        Step(Keys(0, 0));
        player->SetPosition({100.0f, 0.0f});
    }
    Target* AddTarget(float x, float y, int lifePoints, const std::string& name = "NPC_Test")
    {
        targets.push_back(std::make_unique<Target>(name, x, y, lifePoints));
        world.characters.push_back(targets.back().get());
        return targets.back().get();
    }
    // Attacks once and lets the attack run out.
    void Attack()
    {
        Step(Keys(0, 0, false, true));
        for (int i = 0; i < 6 && player->GetAttackKind() != 0; ++i)
            Step(Keys(0, 0));
    }
    std::vector<std::unique_ptr<Target>> targets;
};

TEST_F(PlayerCombat, CloseAttackDamageFollowsTheRankWithOneStrikePerAttack)
{
    struct Case {
        int rank;
        int damage;
    };
    for (const Case c : {Case {1, 1}, Case {2, 1}, Case {3, 2}, Case {4, 3}}) {
        SCOPED_TRACE(c.rank);
        player->SetAttackRank(c.rank);
        Target* t = AddTarget(170.0f, 0.0f, 10);
        Attack();
        EXPECT_EQ(t->hits, 1) << "struck once although it stays in the box for the whole attack";
        EXPECT_EQ(t->GetLife(), 10 - c.damage);
        world.characters.clear();
    }
}

TEST_F(PlayerCombat, AnAttackWhileWalkingStopsTheWalkAndStrikes)
{
    Target* t = AddTarget(190.0f, 0.0f, 10);
    Step(Keys(1, 0));
    ASSERT_EQ(player->GetMoveState(), Player::kWalk);
    player->SetPosition({100.0f, 0.0f});
    Step(Keys(1, 0, false, true));
    EXPECT_EQ(player->GetMoveState(), Player::kIdle);
    EXPECT_EQ(player->GetAttackKind(), 1);
    EXPECT_EQ(X(), 100.0f);
    EXPECT_EQ(t->GetLife(), 9);

    // A hit pushes the player into a walk: the swing ends in that update and
    // the hurt look shows.
    Target attacker("NPC_Test", 0, 0, 1);
    attacker.SetDirection({1.0f, 0.0f});
    player->ApplyDamage(&attacker, 1);
    Step(Keys(0, 0));
    EXPECT_EQ(player->GetMoveState(), Player::kWalk);
    EXPECT_EQ(player->GetAttackKind(), 0);
    ASSERT_NE(player->GetCurrentGraphical(), nullptr);
    EXPECT_EQ(player->GetCurrentGraphical()->GetName(), "Player GraphicalTouchedGroundR");
}

TEST_F(PlayerCombat, AKillCountsInvincibleUnlessItIsABossOrAProjectile)
{
    AddTarget(170.0f, 0.0f, 1);
    AddTarget(170.0f, 0.0f, 1, "NPC_Boss_Test");
    AddTarget(170.0f, 0.0f, 1, "Projectile_Test");
    AddTarget(400.0f, 0.0f, 1); // out of reach
    Attack();
    EXPECT_EQ(world.achievements["Invincible"], 1);
    EXPECT_EQ(targets[3]->GetLife(), 1);
    EXPECT_EQ(player->GetStruckCharacters().size(), 3u);
}

// A ghost in its fade: the blow passes through it.
class Phantom : public Target {
public:
    using Target::Target;
    bool IsHitByBox(Rect<int>, bool) override { return false; }
};

// A blow through a ghost sounds as a miss.
TEST_F(PlayerCombat, TheBlowsSoundTellsAStrikeFromAMiss)
{
    struct Case {
        const char* what;
        float target;  // x of a target that takes the blow; 0: none
        float phantom; // x of a phantom; 0: none
        int sound;
    };
    const Case cases[] = {
        {"a target struck", 170.0f, 0.0f, kSoundAttackNearTouch},
        {"through a phantom", 0.0f, 170.0f, kSoundAttackNear},
        {"a target struck beside a phantom", 170.0f, 160.0f, kSoundAttackNearTouch},
        {"a phantom out of reach", 0.0f, 400.0f, kSoundAttackNear},
        {"nothing", 0.0f, 0.0f, kSoundAttackNear},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::unique_ptr<Phantom>> phantoms;
        if (c.target > 0.0f)
            AddTarget(c.target, 0.0f, 10);
        if (c.phantom > 0.0f) {
            phantoms.push_back(std::make_unique<Phantom>("NPC_Ghost", c.phantom, 0.0f, 10));
            world.characters.push_back(phantoms.back().get());
        }
        player->sounds.clear();
        Attack();
        EXPECT_EQ(player->Count(c.sound), 1);
        for (int other : {kSoundAttackNearTouch, kSoundAttackNearPhantomIgnore, kSoundAttackNear}) {
            if (other != c.sound) {
                EXPECT_EQ(player->Count(other), 0) << other;
            }
        }
        if (c.phantom > 0.0f) {
            EXPECT_EQ(phantoms.back()->GetLife(), 10) << "the phantom is never harmed";
        }
        world.characters.clear();
    }
}

TEST_F(PlayerCombat, KnockBackOnTheGroundAndInTheAir)
{
    Target attacker("NPC_Test", 0, 0, 1);
    attacker.SetDirection({1.0f, 0.0f});
    player->ApplyDamage(&attacker, 1);
    EXPECT_EQ(player->GetLife(), 4);
    EXPECT_EQ(player->GetDirection(), Point<float>(1.0f, 0.0f));
    EXPECT_EQ(player->GetPendingMoveState(), Player::kWalk);
    EXPECT_EQ(player->GetPendingForm(), Player::kHurt);
    EXPECT_EQ(player->GetCurrentSpeed(), player->walkSpeed);
    EXPECT_EQ(player->GetFormTimer(), 4.0);

    PlayerFixture air;
    air.player->SetPosition({100.0f, 300.0f});
    air.player->SetMoveState(Player::kFall);
    attacker.SetDirection({-1.0f, 0.0f});
    air.player->ApplyDamage(&attacker, 1);
    EXPECT_EQ(air.player->GetDirection(), Point<float>(-0.5f, 0.0f));
    EXPECT_EQ(air.player->GetPendingMoveState(), Player::kFall);

    // A burn has no attacker: the push keeps the direction, and an idle or
    // crouching player is pushed at walk speed all the same.
    for (const int state : {Player::kIdle, Player::kCrouch}) {
        PlayerFixture burnt;
        burnt.player->SetMoveStateValue(state);
        burnt.player->SetDirection({-1.0f, 0.0f});
        burnt.player->ApplyDamage(nullptr, 1);
        EXPECT_EQ(burnt.player->GetPendingMoveState(), Player::kWalk) << state;
        EXPECT_EQ(burnt.player->GetCurrentSpeed(), 20.0f) << state;
        EXPECT_EQ(burnt.player->GetDirection(), Point<float>(-1.0f, 0.0f)) << state;
    }
    SetPlayerWorld(&world);
}

TEST_F(PlayerCombat, AHitGivesSixtySixInvulnerableUpdates)
{
    player->ApplyDamage(nullptr, 1);
    ASSERT_EQ(player->GetInvulnerableFrames(), 66);
    for (int i = 0; i < 65; ++i) {
        Step(Keys(0, 0));
        player->ApplyDamage(nullptr, 1);
        ASSERT_EQ(player->GetLife(), 4) << "update " << i + 1;
    }
    Step(Keys(0, 0));
    player->ApplyDamage(nullptr, 1);
    EXPECT_EQ(player->GetLife(), 3);
}

TEST_F(PlayerCombat, DamageIsIgnoredWhilePausedOrLockedAndGodModeKeepsTheLife)
{
    world.achievements["Invincible"] = 7;
    world.paused = true;
    player->ApplyDamage(nullptr, 1);
    world.paused = false;
    player->SetInputLocked(true);
    player->ApplyDamage(nullptr, 1);
    player->SetInputLocked(false);
    EXPECT_EQ(player->GetLife(), 5);
    EXPECT_EQ(world.achievements["Invincible"], 7);

    world.godMode = true;
    player->ApplyDamage(nullptr, 3);
    EXPECT_EQ(player->GetLife(), 5);
    EXPECT_EQ(player->GetInvulnerableFrames(), 66);
    EXPECT_EQ(world.achievements["Invincible"], 0);
}

TEST_F(PlayerCombat, ZeroDamageKnocksBackWithoutInvulnerability)
{
    Target attacker("NPC_Test", 0, 0, 1);
    player->ApplyDamage(&attacker, 0);
    EXPECT_EQ(player->GetInvulnerableFrames(), 0);
    EXPECT_EQ(player->GetPendingForm(), Player::kHurt);
}

TEST_F(PlayerCombat, AHitWhileClimbingOnlyLowersTheLife)
{
    player->SetMoveStateValue(Player::kHanging);
    player->ApplyDamage(nullptr, 1);
    EXPECT_EQ(player->GetLife(), 4);
    EXPECT_EQ(player->GetPendingForm(), -1);
    EXPECT_EQ(player->GetFormTimer(), 0.0);
}

TEST_F(PlayerCombat, DeathPlaysTheDiePoseThenRaisesTheDiedRequest)
{
    player->ApplyDamage(nullptr, 5);
    EXPECT_EQ(player->GetLife(), 0);
    EXPECT_EQ(world.messages.back(), "You player is dead !");
    EXPECT_EQ(world.musicResets, 1);
    Step(Keys(1, 0, true));
    EXPECT_EQ(player->GetMoveState(), Player::kDying);
    ASSERT_NE(player->GetCurrentAnimation(), nullptr);
    EXPECT_EQ(player->GetCurrentAnimation()->GetName(), "Player DieR");
    EXPECT_TRUE(player->IsInputLocked());
    for (int i = 0; i < 6 && world.playerDied == 0; ++i)
        Step(Keys(0, 0));
    EXPECT_GE(world.playerDied, 1);
    EXPECT_EQ(X(), 100.0f) << "a dead player reads no input";
}

TEST_F(PlayerCombat, AMissingDiePoseRaisesTheDiedRequestAtOnce)
{
    TestWorld bareWorld;
    bareWorld.missing = {"Player DieL", "Player DieR"};
    bareWorld.collisions.Add(-1000, -100, 1000, 0);
    Player bare("Player");
    bareWorld.player = &bare;
    bare.SetLife(1);
    bare.ApplyDamage(nullptr, 5);
    InputActions none;
    bare.UpdateWithActions(33.0, none, none, none);
    EXPECT_EQ(bare.GetMoveState(), Player::kDying);
    EXPECT_EQ(bareWorld.playerDied, 1) << "never waits on a pose that does not exist";
    SetPlayerWorld(&world);
}

TEST_F(PlayerCombat, ADeathInTheAirWaitsForTheLanding)
{
    player->SetPosition({100.0f, 60.1f});
    player->SetMoveState(Player::kJump);
    player->ApplyDamage(nullptr, 5);
    Step(Keys(0, 0));
    EXPECT_EQ(player->GetMoveState(), Player::kFall);
    for (int i = 0; i < 20 && player->GetMoveState() == Player::kFall; ++i)
        Step(Keys(0, 0));
    EXPECT_EQ(player->GetMoveState(), Player::kDying);
}

TEST_F(PlayerCombat, DeathLogRecordsATabSeparatedRecordPerSlot)
{
    PlayerDeathRecord record;
    record.playTime = 123456;
    record.maxLife = 5;
    record.attackRank = 2;
    record.levelName = "Garden";
    record.position = {12.5f, 200.0f};
    record.minimapCell = {3, -1};
    EXPECT_EQ(FormatDeathRecord(record),
        "log_v0\t123456\tUnnamed\t5\t2\tGarden\tPoint(12.5;200)\r\n\tPoint(3;-1)\r\n\r\n");
    EXPECT_EQ(DeathLogFileName("D/", 1, "2013-5-7_21-3-9"), "D/Save_1_LogPlayer_2013-5-7_21-3-9.log");

    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quenholt-dieshistory-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    world.userPath = dir.string() + "/";
    player->ApplyDamage(nullptr, 5); // no slot: nothing
    EXPECT_FALSE(std::filesystem::exists(dir / "DiesHistory"));

    PlayerFixture again;
    again.world.userPath = dir.string() + "/";
    again.world.logPlayer = 1;
    again.world.saveSlot = 2;
    Target attacker("NPC_Killer", 0, 0, 1);
    again.player->ApplyDamage(&attacker, 9);
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "DiesHistory")) {
        ++files;
        EXPECT_EQ(entry.path().filename().string().rfind("Save_2_LogPlayer_", 0), 0u);
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_EQ(text.str().rfind(
                      "log_v0\t0\tNPC_Killer\t5\t1\tTestLevel\tPoint(100;0)\r\n\tPoint(3;4)\r\n\r\n", 0),
            0u);
    }
    EXPECT_EQ(files, 1u);
    std::filesystem::remove_all(dir);
    SetPlayerWorld(&world);
}

TEST_F(PlayerCombat, ACrossbowAttackWithoutAPoseGivesItsBoltBack)
{
    player->EnableModifier(Player::kCrossbow);
    PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(player.get());
    InputActions shoot;
    shoot.Action2 = true;
    Step(shoot);
    EXPECT_EQ(player->GetAttackKind(), 0);
    EXPECT_EQ(crossbow->boltsLeft, 3) << "the attack ended without firing";
    EXPECT_EQ(world.created.size(), 0u);
}

TEST_F(PlayerCombat, TheCrossbowFiresABoltWithDelayAndStock)
{
    player->EnableModifier(Player::kCrossbow);
    PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(player.get());
    std::unique_ptr<GraphicalObject> pose(world.Make("CrossbowR"));
    player->SetAnimationField(31, pose.get());
    InputActions shoot;
    shoot.Action2 = true;
    Step(shoot);
    ASSERT_EQ(world.created.size(), 1u);
    EXPECT_EQ(crossbow->boltsLeft, 2);
    CharacterObject* bolt = world.created[0];
    // The bolt sits at the centre of the attack box: (100 + 70, 45).
    EXPECT_EQ(bolt->GetPosition(), Point<float>(170.0f, 45.0f));
    EXPECT_EQ(bolt->GetDirection(), Point<float>(1.0f, 0.0f));
    EXPECT_EQ(bolt->GetTrailLength(), 0) << "a level-1 bolt leaves no streak";
    for (int i = 0; i < 5; ++i)
        Step(Keys(0, 0));
    Step(shoot);
    EXPECT_EQ(world.created.size(), 1u) << "not sooner than 30 updates after the last shot";
    for (int i = 0; i < 30; ++i)
        Step(Keys(0, 0));
    player->crossbowLevel = 3;
    Step(shoot);
    EXPECT_EQ(world.created.size(), 2u);
    EXPECT_EQ(world.created[1]->GetTrailLength(), 8) << "a level-3 bolt streaks";
    EXPECT_EQ(world.created[1]->GetTrailSpacing(), 2) << "its after-images spread out";
    player->crossbowLevel = 1;
    crossbow->boltsLeft = 0;
    for (int i = 0; i < 31; ++i)
        Step(Keys(0, 0));
    Step(shoot);
    EXPECT_EQ(world.created.size(), 2u) << "no bolt left";
    player->SetAnimationField(31, nullptr);
}

TEST_F(PlayerCombat, TheBoltPiercesKillsStopsAtSurvivorsAndBreaksOnCollisions)
{
    player->crossbowLevel = 3;
    Target* a = AddTarget(300.0f, 40.0f, 5);
    Target* b = AddTarget(400.0f, 40.0f, 4);
    Target* c = AddTarget(500.0f, 40.0f, 9);
    Target* d = AddTarget(600.0f, 40.0f, 1);
    Projectile_Crossbow bolt("Bolt");
    bolt.SetPosition({200.0f, 50.0f});
    bolt.SetDirection({1.0f, 0.0f});
    for (int i = 0; i < 60 && !bolt.IsDead(); ++i)
        bolt.Update(33.0);
    EXPECT_EQ(a->GetLife(), 0);
    EXPECT_EQ(b->GetLife(), -1);
    EXPECT_EQ(c->GetLife(), 4) << "level 3 deals 5";
    EXPECT_EQ(d->GetLife(), 1) << "the survivor stopped the bolt";
    EXPECT_EQ(a->hits + b->hits + c->hits, 3) << "each struck once";
    EXPECT_EQ(bolt.GetKillCount(), 2);
    EXPECT_EQ(world.achievements["Scythe of Death"], 2);
    EXPECT_TRUE(bolt.IsDead());
}

// Walls of a level's "Collisions" layer: a 20-px wall and a wall 2048 px wide
// (filed by the grid only under the cells of its corners). A bolt breaks on
// the first and anywhere inside the second.
TEST_F(PlayerCombat, TheBoltBreaksOnTheWallsOfTheCollisionLayer)
{
    Level level {"walls"};
    world.level = &level;
    Layer* layer = level.CreateLayer(Level::kScene, "Collisions", nullptr, 4096, 512, 32, 32);
    GraphicalObject thin {"ThinWall"}, wide {"WideWall"};
    for (auto [wall, w, h, x] : {std::tuple {&thin, 20, 400, 300.0f}, {&wide, 2048, 448, 1024.0f}}) {
        wall->SetSize(w, h, true);
        wall->CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, h - 1, w - 1, 0, 0);
        layer->AddPlacedInstance(wall, x, 0.0f);
    }

    auto breaksAt = [](float x) {
        Projectile_Crossbow bolt("Bolt");
        bolt.SetPosition({x, 50.0f});
        bolt.SetDirection({1.0f, 0.0f});
        int updates = 0;
        while (!bolt.IsDead() && updates++ < 200)
            bolt.Update(33.0);
        return bolt.IsDead() ? bolt.GetPosition().x : -1.0f;
    };
    const float atThin = breaksAt(200.0f);
    EXPECT_GT(atThin, 200.0f);
    EXPECT_LT(atThin, 320.0f);
    // Broken on its first update (it still makes that update's flight).
    for (float x : {1100.0f, 1700.0f, 2200.0f, 2800.0f})
        EXPECT_NEAR(breaksAt(x), x + 10.56f, 0.01f) << "a bolt inside the wide wall at x " << x;
    world.level = nullptr;
}

// A broken bolt's death sound ("Crossbow_Break") is handed to the sound-events
// manager: it outlives the bolt and goes once it has played out.
TEST(CharacterHitSound, TheDeathSoundPlaysOnAfterTheCharacterIsGone)
{
    SoundEventsManager events;
    soundtest::FakeGame sounds;
    sounds.manager = &events;
    auto bolt = std::make_unique<Projectile_Crossbow>("Bolt");
    ASSERT_NE(bolt->GetSoundEvent(1), nullptr);
    PlayCharacterHitSound(bolt.get());
    EXPECT_EQ(bolt->GetSoundEvent(1), nullptr) << "no longer the bolt's";
    EXPECT_EQ(events.GetDetachedCount(), 1u);
    const size_t live = events.GetLiveCopyCount();
    bolt.reset();
    EXPECT_EQ(events.GetLiveCopyCount(), live - 3) << "the bolt's other sounds went with it";
    // Without a sound engine no voice plays: the next frame lets it go.
    events.UpdateDetached();
    EXPECT_EQ(events.GetDetachedCount(), 0u);
    EXPECT_EQ(events.GetLiveCopyCount(), live - 4);
}

TEST(CrossbowBolt, DamageAndLookByLevel)
{
    EXPECT_EQ(Projectile_Crossbow::DamageOfLevel(1), 3);
    EXPECT_EQ(Projectile_Crossbow::DamageOfLevel(3), 5);
    EXPECT_EQ(Projectile_Crossbow::DamageOfLevel(4), 0);
    EXPECT_EQ(Projectile_Crossbow::GraphicalNames(2)[3], "Projectile_CrossbowR2_GraphicalTouchR");
    TestWorld world;
    Projectile_Crossbow bolt("Bolt");
    bolt.SetDirection({-1.0f, 0.0f});
    bolt.Update(33.0);
    EXPECT_EQ(bolt.GetCurrentGraphical(), bolt.GetIdle(false));
    EXPECT_NEAR(bolt.GetPosition().x, -10.56f, 1e-4);
    bolt.SetDirection({0.0f, 0.0f});
    bolt.Update(33.0);
    EXPECT_EQ(bolt.GetCurrentGraphical(), bolt.GetIdle(true)) << "no direction shows idle right";
}

} // namespace
