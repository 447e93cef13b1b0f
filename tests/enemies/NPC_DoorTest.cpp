#include "enemies/NPC_Door.h"

#include "characters/Player.h"
#include "characters/PlayerLayerCollisions.h"
#include "characters/Projectile_Crossbow.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "game/Game.h"
#include "scene/AnimatedSprite.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/Sprite.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Characters that note the sounds they play.
class HearingPlayer : public Player {
public:
    using Player::Player;
    bool PlaySound(std::string soundName) override
    {
        heard.push_back(soundName);
        return Player::PlaySound(soundName);
    }
    std::vector<std::string> heard;
};

class HearingDoor : public NPC_Door {
public:
    using NPC_Door::NPC_Door;
    bool PlaySound(std::string soundName) override
    {
        heard.push_back(soundName);
        return NPC_Door::PlaySound(soundName);
    }
    std::vector<std::string> heard;
};

// A level whose "Collisions" layer takes the door at (320, 32), a library
// with both kinds' graphicals (opening and closing run 3 frames of 100 ms
// and stop), and a player of 20 x 40 left of the door.
class DoorTest : public ::testing::Test {
protected:
    DoorTest()
    {
        collisions = level.CreateLayer(Level::kScene, "Collisions", nullptr, 1024, 448, 32, 32);
        game.SetCurrentLevel(&level);
        auto newPlayer = std::make_unique<HearingPlayer>("Player");
        newPlayer->SetSize(20, 40);
        newPlayer->SetPosition(Point<float>(200.0f, 32.0f));
        player = newPlayer.get();
        game.SetPlayer(std::move(newPlayer));
        frame = new Sprite("DoorFrame", "doors.png", 0, 0, 32, 96);
        game.sprites.push_back(frame);
        swing = new AnimatedSprite("DoorSwing");
        for (int i = 0; i < 3; ++i)
            swing->AddFrame(frame, 100.0f, 0.0f);
        game.animatedSprites.push_back(swing);
        for (const int kind : {NPC_Door::kClassic, NPC_Door::kCrossbow})
            for (int state = 0; state < 4; ++state)
                for (int side = 0; side < 2; ++side)
                    AddGraphical(NPC_Door::GraphicalName(kind, state, side), state);
    }
    ~DoorTest() override
    {
        doors.clear();
        game.SetCurrentLevel(nullptr);
    }

    void AddGraphical(const std::string& name, int state)
    {
        auto* g = new GraphicalObject(name);
        g->SetSize(32, 96, true);
        if (state != NPC_Door::kOpen)
            g->CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 95, 31, 0, 0);
        g->CollisionShapeAt(1) = std::make_unique<CollisionBox<int>>(0, 95, 31, 0, 2);
        if (state == NPC_Door::kOpening || state == NPC_Door::kClosing)
            g->AddAnimatedInstance(swing, 0, 0);
        game.sceneObjects.push_back(g);
    }

    // A door as its spawner makes it.
    HearingDoor& Spawn(int kind, int side = 1)
    {
        doors.push_back(std::make_unique<HearingDoor>("gate_door"));
        HearingDoor& door = *doors.back();
        door.SetPosition(Point<float>(320.0f, 32.0f));
        door.doorKind = kind;
        door.doorSide = side;
        door.BuildCollisionGraphicals(&level);
        return door;
    }

    // One frame: the door, then the level's own objects (its copy's animation).
    void Frame(NPC_Door& door)
    {
        door.Update(kFrameMs);
        level.UpdateObjects(kFrameMs);
    }
    int FramesUntil(NPC_Door& door, int state, int limit = 400)
    {
        for (int n = 1; n <= limit; ++n) {
            Frame(door);
            if (door.GetDoorState() == state)
                return n;
        }
        return -1;
    }

    // Whether the player's collision test finds a wall where the player stands.
    bool Blocked(float x)
    {
        PlayerLayerCollisions test(collisions);
        return test.Overlaps(PlayerBox {x, 32.0f, x + 19.0f, 71.0f});
    }
    // The strike box of an attack reaching into the door.
    static Rect<int> Strike() { return Rect<int>(300, 80, 330, 40); }

    static constexpr double kFrameMs = 1000.0 / 60.0;
    Game game;
    Level level {"door_test.lvl"};
    Layer* collisions = nullptr;
    HearingPlayer* player = nullptr;
    Sprite* frame = nullptr;
    AnimatedSprite* swing = nullptr;
    std::vector<std::unique_ptr<HearingDoor>> doors;
};

TEST_F(DoorTest, AClassicDoorBlocksIgnoresRankOneAndOpensOnRankTwoThroughOpening)
{
    HearingDoor& door = Spawn(NPC_Door::kClassic, 1);
    EXPECT_EQ(door.GetDoorState(), NPC_Door::kClosed);
    EXPECT_EQ(door.GetCurrentGraphical()->GetName(), "NPC_DoorClassic_CloseR");
    ASSERT_NE(door.GetCollisionInstance(), nullptr);
    EXPECT_FALSE(door.GetCollisionInstance()->IsVisible());
    EXPECT_EQ(collisions->GetAddedInstanceCount(), 1u);
    EXPECT_TRUE(Blocked(310.0f));
    EXPECT_FALSE(Blocked(280.0f));
    EXPECT_EQ(door.GetLife(), -1);

    // Rank 1: the near attack does not reach it; what reaches it anyway
    // only makes the player touch.
    player->SetAttackRank(1);
    EXPECT_FALSE(door.IsHitByBox(Strike(), false));
    EXPECT_TRUE(door.IsHitByAttack(Strike(), false));
    door.ApplyDamage(player, 1);
    EXPECT_EQ(door.GetDoorState(), NPC_Door::kClosed);
    EXPECT_EQ(player->heard, std::vector<std::string> {"Player_Attack_Near_Touch"});
    EXPECT_TRUE(door.heard.empty());

    // Rank 2: struck, it opens through its opening animation.
    player->SetAttackRank(2);
    EXPECT_TRUE(door.IsHitByBox(Strike(), false));
    EXPECT_FALSE(door.IsHitByBox(Rect<int>(100, 80, 120, 40), false)) << "a box beside the door";
    EXPECT_TRUE(door.AttackHitsBox(Strike()));
    door.ApplyDamage(player, 1);
    EXPECT_EQ(door.GetDoorState(), NPC_Door::kOpening);
    EXPECT_EQ(door.heard, std::vector<std::string> {"Door_Open"});
    EXPECT_EQ(door.GetLife(), -1) << "no damage is ever taken";
    EXPECT_EQ(door.GetCurrentGraphical()->GetName(), "NPC_DoorClassic_OpenningR");
    EXPECT_EQ(collisions->GetAddedInstanceCount(), 1u) << "the copy is swapped, not added";
    EXPECT_TRUE(Blocked(310.0f)) << "still in the way while opening";
    // Struck again while opening: nothing restarts.
    door.ApplyDamage(player, 1);
    EXPECT_EQ(door.heard.size(), 1u);
    EXPECT_FALSE(door.IsHitByBox(Strike(), false));

    const int frames = FramesUntil(door, NPC_Door::kOpen);
    // 300 ms of animation at 60 updates per second, its first step held.
    EXPECT_EQ(frames, 21);
    EXPECT_EQ(door.GetCurrentGraphical()->GetName(), "NPC_DoorClassic_OpenR");
    EXPECT_DOUBLE_EQ(door.GetOpenTimer(), NPC_Door::kOpenDelay);
    EXPECT_FALSE(Blocked(310.0f)) << "the player passes";
}

TEST_F(DoorTest, AnOpenClassicDoorWaitsUpdatesStaysWhileThePlayerIsInTheDoorwayThenCloses)
{
    HearingDoor& door = Spawn(NPC_Door::kClassic, 0);
    player->SetAttackRank(2);
    door.ApplyDamage(player, 2);
    ASSERT_GT(FramesUntil(door, NPC_Door::kOpen), 0);

    // The player walks into the doorway and stays there past the delay; the
    // wait counts updates, whatever their length.
    player->SetPosition(Point<float>(330.0f, 32.0f));
    for (int n = 0; n < 200; ++n)
        door.Update(n % 2 == 0 ? 1.0 : 500.0);
    EXPECT_EQ(door.GetDoorState(), NPC_Door::kOpen);
    EXPECT_DOUBLE_EQ(door.GetOpenTimer(), 0.0);
    // Touching only the doorway's far edge (x 352) still counts as inside.
    player->SetPosition(Point<float>(352.0f, 32.0f));
    Frame(door);
    EXPECT_EQ(door.GetDoorState(), NPC_Door::kOpen);

    // One pixel beyond, it closes at once, and through closing to closed.
    player->SetPosition(Point<float>(353.0f, 32.0f));
    Frame(door);
    EXPECT_EQ(door.GetDoorState(), NPC_Door::kClosing);
    EXPECT_EQ(door.heard, (std::vector<std::string> {"Door_Open", "Door_Close"}));
    EXPECT_EQ(door.GetCurrentGraphical()->GetName(), "NPC_DoorClassic_ClosingL");
    EXPECT_GT(FramesUntil(door, NPC_Door::kClosed), 0);
    EXPECT_EQ(door.GetCurrentGraphical()->GetName(), "NPC_DoorClassic_CloseL");
    EXPECT_TRUE(Blocked(310.0f));
    EXPECT_EQ(collisions->GetAddedInstanceCount(), 1u);
}

TEST_F(DoorTest, AClassicDoorClosesAfterTheDelayCountedInUpdates)
{
    HearingDoor& door = Spawn(NPC_Door::kClassic);
    player->SetAttackRank(3);
    door.ApplyDamage(player, 2);
    ASSERT_GT(FramesUntil(door, NPC_Door::kOpen), 0);
    // 166.67 updates: the 167th brings the timer to 0 or below.
    for (int n = 0; n < 166; ++n)
        Frame(door);
    EXPECT_EQ(door.GetDoorState(), NPC_Door::kOpen);
    EXPECT_GT(door.GetOpenTimer(), 0.0);
    Frame(door);
    EXPECT_EQ(door.GetDoorState(), NPC_Door::kClosing);
    EXPECT_EQ(FramesUntil(door, NPC_Door::kClosed), 20) << "187 updates from open to closed";
}

TEST_F(DoorTest, ACrossbowDoorIgnoresTheScytheOpensForABoltAndStaysOpen)
{
    HearingDoor& door = Spawn(NPC_Door::kCrossbow, 1);
    EXPECT_EQ(door.GetCurrentGraphical()->GetName(), "NPC_DoorCrossbow_CloseR");
    player->SetAttackRank(4);
    EXPECT_FALSE(door.IsHitByBox(Strike(), false)) << "the scythe cannot reach it";
    door.ApplyDamage(player, 3);
    EXPECT_EQ(door.GetDoorState(), NPC_Door::kClosed);
    EXPECT_EQ(player->heard, std::vector<std::string> {"Player_Attack_Near_Touch"});

    Projectile_Crossbow bolt("Projectile_Crossbow");
    EXPECT_TRUE(door.IsHitByAttack(Strike(), false));
    door.ApplyDamage(&bolt, 3);
    EXPECT_EQ(door.GetDoorState(), NPC_Door::kOpening);
    EXPECT_EQ(door.heard, std::vector<std::string> {"Door_Open"});
    ASSERT_GT(FramesUntil(door, NPC_Door::kOpen), 0);
    EXPECT_FALSE(Blocked(310.0f));
    for (int n = 0; n < 600; ++n)
        Frame(door);
    EXPECT_EQ(door.GetDoorState(), NPC_Door::kOpen) << "never closes";
    EXPECT_DOUBLE_EQ(door.GetOpenTimer(), NPC_Door::kOpenDelay);
}

TEST_F(DoorTest, ADisabledDoorDrawsNothingButStillBlocks)
{
    HearingDoor& door = Spawn(NPC_Door::kClassic);
    ASSERT_TRUE(door.HandleScriptCommand("disable", ""));
    Frame(door);
    EXPECT_EQ(door.GetCurrentGraphical(), nullptr);
    EXPECT_TRUE(Blocked(310.0f));
    ASSERT_NE(door.GetCollisionInstance(), nullptr);
}

TEST_F(DoorTest, LevelsWithoutTheLayersAndUnknownKindsPlaceNothing)
{
    // Another kind has no graphicals and nothing placed.
    HearingDoor& odd = Spawn(1);
    EXPECT_EQ(odd.GetCurrentGraphical(), nullptr);
    EXPECT_EQ(odd.GetCollisionInstance(), nullptr);
    EXPECT_EQ(collisions->GetAddedInstanceCount(), 0u);

    // No accepting layer: a counting hit leaves the door opening for good.
    collisions->SetDrawPlacedInstances(false);
    HearingDoor& bare = Spawn(NPC_Door::kClassic);
    EXPECT_EQ(bare.GetCurrentGraphical(), nullptr);
    EXPECT_EQ(collisions->GetAddedInstanceCount(), 0u);
    player->SetAttackRank(2);
    bare.ApplyDamage(player, 1);
    EXPECT_EQ(FramesUntil(bare, NPC_Door::kOpen, 30), -1);
    EXPECT_EQ(bare.GetDoorState(), NPC_Door::kOpening);
}

} // namespace

namespace {

// While a level loads, its spawners run before it becomes the current one:
// the door goes into the level it is spawned in.
TEST_F(DoorTest, ADoorIsPlacedInTheLevelItsSpawnerNames)
{
    Level loading("next.lvl");
    Layer* next = loading.CreateLayer(Level::kScene, "Collisions", nullptr, 1024, 448, 32, 32);
    doors.push_back(std::make_unique<HearingDoor>("gate_door"));
    doors.back()->BuildCollisionGraphicals(&loading);
    EXPECT_EQ(next->GetAddedInstanceCount(), 1u);
    EXPECT_EQ(collisions->GetAddedInstanceCount(), 0u);
    doors.clear();
}

TEST_F(DoorTest, AStruckDoorFlashesForFiveTicksThenShowsItsOwnLook)
{
    HearingDoor& door = Spawn(NPC_Door::kClassic);
    player->SetAttackRank(2);
    game.fixedStepTick = 1;
    door.ApplyDamage(player, 1);
    ASSERT_EQ(door.GetDoorState(), NPC_Door::kOpening);
    ShaderEffect_TimeDependent* flash = door.GetHitFlash();
    ASSERT_NE(flash, nullptr);
    EXPECT_TRUE(flash->IsRunning());
    // The flash advances as the door is drawn on game ticks.
    for (int tick = 0; tick < 5; ++tick)
        door.Draw(nullptr, Point<int>(0, 0));
    EXPECT_FALSE(flash->IsRunning());
    EXPECT_GE(flash->GetTimer(), flash->GetDuration()) << "no flash pass is drawn any more";
    game.fixedStepTick = 0;
}

} // namespace
