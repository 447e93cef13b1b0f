#include "characters/PlayerLayerCollisions.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "tests/characters/PlayerTestWorld.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace playertest;

namespace {

// A character hit through the character base's own hit tests: one hurt box
// (type 2) over its 32 x 64 look; it loses the damage it is dealt.
class Dummy : public CharacterObject {
public:
    Dummy(float x, float y, int lifePoints)
        : CharacterObject("NPC_Dummy")
    {
        look.SetSize(32, 64, true);
        look.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 63, 31, 0, 2);
        SetCurrentGraphical(&look);
        SetSize(32, 64);
        SetPosition({x, y});
        SetLife(lifePoints);
    }
    ~Dummy() override { SetCurrentGraphical(nullptr); }
    void ApplyDamage(CharacterObject* attacker, int damage) override
    {
        CharacterObject::ApplyDamage(attacker, damage);
        life -= damage;
    }

private:
    GraphicalObject look {"NPC_Dummy_Look"};
};

// A small level played by scripted input: walk to a block 64 px high, jump
// onto it, walk off its far edge, walk to a character and strike it until
// it dies. Every update the player's box stays out of every solid box.
// The same level is played on plain boxes and on a level's "Collisions"
// layer of placed blocks (floor 32 px blocks whose top is y = 0, the block
// two of them stacked).
class PlayerScenario : public ::testing::TestWithParam<bool>, public PlayerFixture {
protected:
    PlayerScenario()
    {
        if (GetParam()) {
            block.SetSize(32, 32, true);
            block.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0, 0);
            Layer* layer = level.CreateLayer(Level::kScene, "Collisions", nullptr, 2048, 512, 32, 32);
            for (int x = 0; x < 1600; x += 32)
                layer->AddPlacedInstance(&block, static_cast<float>(x), 64.0f);
            for (int x = 400; x < 600; x += 32) {
                layer->AddPlacedInstance(&block, static_cast<float>(x), 96.0f);
                layer->AddPlacedInstance(&block, static_cast<float>(x), 128.0f);
            }
            layerCollisions = std::make_unique<PlayerLayerCollisions>(layer);
            world.layerCollisions = layerCollisions.get();
            floorY = 96.0f;
        } else {
            world.collisions.Add(400.0f, 0.0f, 600.0f, 64.0f);
        }
        world.attackBoxes["Player GraphicalIdleAttackR"] = Rect<int>(40, 80, 100, 10);
        world.frames["Player GraphicalIdleAttackR"] = 4;
        target = std::make_unique<Dummy>(900.0f, floorY, 3);
        world.characters.push_back(target.get());
        // The fixture's player was built before the attack box was known.
        player = std::make_unique<SoundPlayer>("Player");
        world.player = player.get();
        player->SetPosition({100.0f, floorY});
        player->SetLife(5);
    }
    float H() const { return Y() - floorY; }
    void Play(const InputActions& keys)
    {
        Step(keys);
        ++frame;
        ASSERT_FALSE(world.GetCollisions()->Overlaps(player->GetWorldBox())) << "frame " << frame;
        ASSERT_EQ(player->GetLife(), 5) << "frame " << frame;
    }
    Level level {"scenario"};
    GraphicalObject block {"Block"};
    std::unique_ptr<PlayerLayerCollisions> layerCollisions;
    float floorY = 0.0f;
    std::unique_ptr<Dummy> target;
    int frame = 0;
};

TEST_P(PlayerScenario, WalkJumpOntoABlockFallOffItsEdgeAndStrikeACharacterDown)
{
    // Walk until the block stops the walk.
    float lastX = X();
    while (player->GetDirection().x != 0.0f || frame == 0) {
        Play(Keys(1, 0));
        EXPECT_TRUE(X() - lastX == 0.0f || std::fabs(X() - lastX - 21.12f) < 1e-3 || X() + 54.0f > 399.0f)
            << "frame " << frame;
        lastX = X();
        ASSERT_LT(frame, 30);
    }
    EXPECT_NEAR(X() + 54.0f, 399.9f, 1e-3);
    EXPECT_NEAR(H(), 0.0f, 1e-3);

    // Jump with right held: the rise clears the block and lands on it.
    Play(Keys(1, 0, true));
    ASSERT_EQ(player->GetMoveState(), Player::kJump);
    while (player->GetMoveState() != Player::kIdle && player->GetMoveState() != Player::kWalk) {
        Play(Keys(1, 0, true));
        ASSERT_LT(frame, 80);
    }
    EXPECT_NEAR(H(), 64.1f, 1e-3) << "standing on the block, less the skin";
    EXPECT_GT(X() + 53.0f, 400.0f);

    // Walk off the far edge: a fall, a landing on the floor, no freeze (64 px).
    bool fell = false;
    while (!(fell && player->GetMoveState() == Player::kWalk)) {
        Play(Keys(1, 0));
        fell = fell || player->GetMoveState() == Player::kFall;
        ASSERT_LT(frame, 120);
    }
    EXPECT_NEAR(H(), 0.1f, 1e-3);
    EXPECT_GE(X() + 11.0f, 600.0f);
    EXPECT_EQ(player->GetForm(), Player::kNormal);

    // Walk on until the character is within reach, stop, then strike.
    while (X() + 100.0f < 900.0f + 16.0f) {
        Play(Keys(1, 0));
        ASSERT_LT(frame, 160);
    }
    Play(Keys(0, 0));
    std::vector<int> lives;
    for (int strike = 0; strike < 6 && target->GetLife() > 0; ++strike) {
        Play(Keys(0, 0, false, true));
        for (int i = 0; i < 8 && player->GetAttackKind() != 0; ++i)
            Play(Keys(0, 0));
        lives.push_back(target->GetLife());
    }
    EXPECT_EQ(lives, (std::vector<int> {2, 1, 0}));
    EXPECT_EQ(world.achievements["Invincible"], 1);
}

INSTANTIATE_TEST_SUITE_P(OnBoxesAndOnALevelLayer, PlayerScenario, ::testing::Bool(),
    [](const auto& info) { return info.param ? "Layer" : "Boxes"; });

} // namespace

namespace {

// A one-way ledge placed on a level's "Collisions" layer, its band 3 px thin
// as the world's: the player jumps up through it and lands on it, and a
// crouch jump's 4 px drop takes its feet below the band and through.
TEST(PlayerOnALayer, JumpsUpThroughAOneWayLedgeLandsOnItAndDropsThrough)
{
    PlayerFixture f;
    GraphicalObject block {"Block"};
    block.SetSize(32, 32, true);
    block.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 0, 0);
    GraphicalObject ledge {"Ledge"};
    ledge.SetSize(64, 16, true);
    ledge.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 15, 63, 13, 1);
    Level level {"ledges"};
    Layer* layer = level.CreateLayer(Level::kScene, "Collisions", nullptr, 1024, 512, 32, 32);
    for (int x = 0; x < 512; x += 32)
        layer->AddPlacedInstance(&block, static_cast<float>(x), 0.0f);
    layer->AddPlacedInstance(&ledge, 96.0f, 80.0f); // top at 96, 64 above the floor
    PlayerLayerCollisions collisions(layer);
    f.world.layerCollisions = &collisions;
    f.player->SetPosition({100.0f, 32.0f});

    f.Step(Keys(0, 0, true));
    float highest = f.Y();
    for (int i = 0; i < 40 && f.player->GetMoveState() != Player::kIdle; ++i) {
        f.Step(Keys(0, 0, true));
        highest = std::max(highest, f.Y());
    }
    EXPECT_GT(highest, 96.0f) << "rose through the ledge";
    EXPECT_NEAR(f.Y(), 96.1f, 1e-3) << "and landed on it";

    f.Step(Keys(0, -1.0f));
    f.Step(Keys(0, -1.0f, true));
    for (int i = 0; i < 40 && f.player->GetMoveState() != Player::kCrouch; ++i)
        f.Step(Keys(0, -1.0f));
    EXPECT_NEAR(f.Y(), 32.1f, 1e-3) << "dropped through to the floor";
}

// A one-way platform of a 4 px band (rows 28 to 31 of its 32 px cell) placed
// at (64, 64): a box coming down holds on it once its feet reach the band's
// bottom, as the layer's own test has it; below the band it passes.
TEST(PlayerOnALayer, AOneWayPlatformHoldsABoxComingDownFromItsBottomUp)
{
    GraphicalObject platform {"OneWay"};
    platform.SetSize(32, 32, true);
    platform.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 31, 28, 1);
    Level level {"platform"};
    Layer* layer = level.CreateLayer(Level::kScene, "Collisions", nullptr, 1024, 512, 32, 32);
    layer->AddPlacedInstance(&platform, 64.0f, 64.0f);
    PlayerLayerCollisions collisions(layer);
    const std::tuple<float, bool, float> cases[] = {{91.0f, false, 0.0f}, {92.0f, true, 0.0f},
        {94.0f, true, 0.0f}, {95.5f, true, 0.0f}, {96.1f, true, -0.1f}};
    for (const auto& [feet, held, expected] : cases) {
        SCOPED_TRACE(feet);
        const PlayerBox box {70.0f, feet, 112.0f, feet + 96.0f};
        float allowed = 1.0f;
        int kind = -1;
        EXPECT_EQ(collisions.Test(-1, box, 0.0f, -4.0f, &allowed, &kind), held);
        EXPECT_NEAR(held ? allowed : expected, expected, 1e-4);
        EXPECT_FALSE(collisions.Test(0, box, 0.0f, -4.0f, &allowed, &kind)) << "only coming down";
    }
}

} // namespace

namespace {

// One object of the "Collisions" layer of a level: a floor 2048 px wide,
// a box or a line, whose top is y = 64. The grid files such an object only
// under the cells of its corners; the level's collision world holds it whole.
class PlayerOnAWideFloor : public ::testing::Test, public PlayerFixture {
protected:
    void Lay(std::unique_ptr<CollisionShape<int>> shape)
    {
        floor.SetSize(2048, 64, true);
        floor.CollisionShapeAt(0) = std::move(shape);
        layer = level.CreateLayer(Level::kScene, "Collisions", nullptr, 2048, 512, 32, 32);
        layer->AddPlacedInstance(&floor, 0.0f, 0.0f);
        collisions = std::make_unique<PlayerLayerCollisions>(layer);
        world.layerCollisions = collisions.get();
    }
    // Drops the player from 40 px above the floor at x and lets it settle.
    float LandAt(float x)
    {
        player->SetPosition({x, 104.0f});
        for (int i = 0; i < 40; ++i)
            Step(Keys(0, 0));
        return Y();
    }

    Level level {"wide"};
    GraphicalObject floor {"WideFloor"};
    Layer* layer = nullptr;
    std::unique_ptr<PlayerLayerCollisions> collisions;
};

// A box floor holds the player where it lands less the skin, a line floor
// within half a pixel; a walk from the last landing across the middle keeps
// it on either.
TEST_F(PlayerOnAWideFloor, ABoxOrALineFloorHoldsThePlayerAllAlongIt)
{
    for (const bool line : {false, true}) {
        SCOPED_TRACE(line ? "line" : "box");
        if (line)
            Lay(std::make_unique<CollisionLine<int>>(Point<int>(0, 64), Point<int>(2047, 64)));
        else
            Lay(std::make_unique<CollisionBox<int>>(0, 63, 2047, 0, 0));
        const float top = line ? 64.0f : 64.1f, tolerance = line ? 0.5f : 1e-3f;
        for (float x : {300.0f, 400.0f, 1200.0f, 1700.0f, 600.0f}) {
            EXPECT_NEAR(LandAt(x), top, tolerance) << "at x " << x;
            EXPECT_EQ(player->GetMoveState(), Player::kIdle) << "at x " << x;
        }
        for (int i = 0; i < 40; ++i)
            Step(Keys(1, 0));
        EXPECT_GT(X(), 1200.0f);
        EXPECT_NEAR(Y(), top, tolerance);
    }
}

} // namespace

namespace {

// A line stands across the way at x 1000: the player's circle, centred 32 px
// right of and 23 px above its position with a radius of 23, in either form,
// stops 23 px before it (the sweep keeps a fifth of a pixel of skin).
TEST_F(PlayerOnAWideFloor, ThePlayersOwnCircleMeetsALine)
{
    Lay(std::make_unique<CollisionLine<int>>(Point<int>(1000, 0), Point<int>(1000, 400)));
    for (const bool spider : {false, true}) {
        SCOPED_TRACE(spider ? "spider" : "standing");
        if (spider) {
            player->SetSize(64, 31);
            player->ResizeCollisionBox(1);
        }
        const std::tuple<float, float, float> cases[] = {{940.0f, 20.0f, 5.0f}, {1020.0f, -40.0f, -29.0f}};
        for (const auto& [x, move, expected] : cases) {
            player->SetPosition({x, 100.0f});
            float allowed = 0.0f;
            int kind = 0;
            ASSERT_TRUE(collisions->Test(0, player->GetWorldBox(), move, 0.0f, &allowed, &kind)) << x;
            EXPECT_NEAR(allowed, expected, 0.25f) << x;
            EXPECT_EQ(kind, 2) << x;
        }
    }
}

} // namespace
