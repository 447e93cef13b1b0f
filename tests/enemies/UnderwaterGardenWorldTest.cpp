#include "characters/PlayerArmorIce.h"
#include "enemies/NPC_Dead_Fish.h"
#include "enemies/NPC_DreamCatcher.h"
#include "enemies/NPC_Garden_Plant.h"
#include "enemies/NPC_JellyFish.h"
#include "enemies/NPC_Seahorse.h"
#include "enemies/Projectile_Dead_Fish_Spike.h"
#include "enemies/Projectile_Garden_Plant.h"
#include "enemies/Projectile_SadSoul.h"
#include "enemies/Projectile_Seahorse.h"
#include "engine/platform/Random.h"
#include "engine/serial/FileUtils.h"
#include "scene/Layer.h"
#include "zones/ZoneInstance.h"
#include "zones/Zone_Teleport.h"

#include "tests/enemies/EnemyArena.h"
#include "tests/enemies/LookSteps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>

// The underwater and garden enemies in arenas built by the level tool,
// played by the game with the world's library: what their spawners make,
// their states and timings, their shots, their contact with the player, the
// blows that kill them; the dead fish's spikes read from the blocks' names;
// and the two hubs as teleport destinations.
namespace {

class WaterGardenArena : public EnemyArena {
protected:
    // An arena of two screens whose rows (top first, 32 wide) the test
    // gives; the player's start at tile (startTile, 2).
    void EnterTiles(const std::vector<std::string>& rows, const std::string& placements, int startTile = 2)
    {
        std::string text = "level arena.lvl\nscreens 2 1\ncell 1 1\npalette underwater\ntiles\n";
        for (const std::string& row : rows)
            text += row + "\n";
        text += "place Point_PlayerStart start " + std::to_string(startTile) + " 2 name=start\n" + placements;
        const LevelModel model = BuildLevelModel(LevelDescription::Parse(text, "arena.lvd"));
        LevelBuilder builder([](const std::string& name) {
            return dynamic_cast<GraphicalObject*>(Game::FindSceneObject(name, false));
        });
        std::unique_ptr<Level> level = builder.Build(model);
        arenaPath = (folder / "arena.lvl").string();
        ASSERT_TRUE(level->SaveFile(arenaPath));
        Reload();
    }
    // Passes until the test holds, at most `limit`; the passes it took, or
    // -1.
    template <class Test> int PassesUntil(int limit, Test test)
    {
        for (int pass = 1; pass <= limit; ++pass) {
            Pass();
            if (test())
                return pass;
        }
        return -1;
    }
    // Held against the player's body until it hurts; whether it did.
    bool HurtsOnContact(CharacterObject* enemy, Point<float> offset)
    {
        // Away from the last blow's invulnerability first.
        for (int pass = 0; pass < 200 && ThePlayer().IsInvulnerable(); ++pass) {
            enemy->SetPosition(ThePlayer().GetPosition() + Point<float>(0.0f, 400.0f));
            Pass();
        }
        ThePlayer().SetLife(ThePlayer().GetMaxLife());
        const int life = ThePlayer().GetLife();
        for (int pass = 0; pass < 40; ++pass) {
            enemy->SetPosition(ThePlayer().GetPosition() + offset);
            Pass();
            if (ThePlayer().GetLife() < life)
                return true;
        }
        return false;
    }
};

// One kind as its spawner places it, the blows that kill it at attack ranks
// 1 to 4 (the scythe deals 1, 1, 2, 3) and where a blow finds its body.
struct Kind {
    const char* versionedName;
    std::string placement;
    float rise;
    int blows[4];
};

const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        {"NPC_JellyFishV0", "place Zone_NPCSpawner_JellyFish jelly 10 3 6x4 SpawnCount=1\n", 20.0f,
            {4, 4, 2, 2}},
        {"NPC_DreamCatcherV0", "place Zone_NPCSpawner_DreamCatcher catcher 12 2 2x5 ProjectileCount=0\n",
            0.0f, {4, 4, 2, 2}},
        {"NPC_Garden_PlantV0", "place Zone_NPCSpawner_Garden_Plant plant 12 2 1x2\n", 0.0f, {4, 4, 2, 2}},
        {"NPC_Dead_FishV0", "place Zone_NPCSpawner_Dead_Fish fish 10 2 8x3\n", 16.0f, {1, 1, 1, 1}},
    };
    return kinds;
}

class WaterGardenBlows : public WaterGardenArena, public testing::WithParamInterface<size_t> { };

TEST_P(WaterGardenBlows, DiesToTheExpectedBlowsAtAttackRanksOneToFour)
{
    const Kind& kind = Kinds()[GetParam()];
    for (int rank = 1; rank <= 4; ++rank) {
        SCOPED_TRACE(std::string(kind.versionedName) + " rank " + std::to_string(rank));
        Enter(kind.placement);
        ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
        Pass();
        CharacterObject* enemy = nullptr;
        for (size_t i = 0; i < game.GetCharacterCount() && enemy == nullptr; ++i)
            if (game.GetCharacter(i)->GetVersionedClassName() == kind.versionedName)
                enemy = game.GetCharacter(i);
        ASSERT_NE(enemy, nullptr);
        EXPECT_EQ(BlowsToKill(enemy, rank, kind.rise), kind.blows[rank - 1]);
    }
}

INSTANTIATE_TEST_SUITE_P(UnderwaterGarden, WaterGardenBlows, testing::Range<size_t>(0, 4),
    [](const testing::TestParamInfo<size_t>& info) {
        std::string name = Kinds()[info.param].versionedName;
        return name.substr(0, name.size() - 2);
    });

TEST_F(WaterGardenArena, EachSpawnerMakesItsEnemiesOncePerLoad)
{
    std::string all;
    for (const Kind& kind : Kinds())
        all += kind.placement;
    all += "place Zone_NPCSpawner_JellyFish three 20 4 6x4 SpawnCount=3\n"
           "place Zone_NPCSpawner_Seahorse seahorse 24 2 4x2\n";
    Enter(all);
    for (int load = 0; load < 2; ++load) {
        Passes(3);
        EXPECT_EQ(All<NPC_JellyFish>().size(), 4u) << "load " << load;
        EXPECT_EQ(All<NPC_DreamCatcher>().size(), 1u);
        EXPECT_EQ(All<NPC_Garden_Plant>().size(), 1u);
        EXPECT_EQ(All<NPC_Dead_Fish>().size(), 1u);
        EXPECT_EQ(All<NPC_Seahorse>().size(), 1u);
        Reload();
    }
    // Jellyfish made together wait 0 to 99 updates and start apart; each
    // swims inside its zone.
    for (NPC_JellyFish* fish : All<NPC_JellyFish>())
        EXPECT_EQ(fish->rect.x1 - fish->rect.x0, 192);
}

TEST_F(WaterGardenArena, EachEnemyHurtsThePlayerItTouches)
{
    // Where each is held against the player's body.
    const Point<float> offsets[] = {{16.0f, 30.0f}, {0.0f, 0.0f}, {16.0f, 0.0f}, {0.0f, 30.0f}};
    for (size_t k = 0; k < Kinds().size(); ++k) {
        SCOPED_TRACE(Kinds()[k].versionedName);
        Enter(Kinds()[k].placement);
        Pass();
        CharacterObject* enemy = nullptr;
        for (size_t i = 0; i < game.GetCharacterCount() && enemy == nullptr; ++i)
            if (game.GetCharacter(i)->GetVersionedClassName() == Kinds()[k].versionedName)
                enemy = game.GetCharacter(i);
        ASSERT_NE(enemy, nullptr);
        EXPECT_TRUE(HurtsOnContact(enemy, offsets[k]));
    }
}

TEST_F(WaterGardenArena, TheJellyfishStrokesFadeWithinItsZoneAndAHitPushesItAway)
{
    const float saved = NPC_JellyFish::GlideDistance();
    NPC_JellyFish::SetGlideDistance(0.0f);
    Enter("place Zone_NPCSpawner_JellyFish jelly 14 3 8x6 SpawnCount=1\n");
    NPC_JellyFish* fish = First<NPC_JellyFish>();
    ASSERT_NE(fish, nullptr);
    // One stroke at the default tuning, worked out at a 33 ms frame.
    EXPECT_NEAR(NPC_JellyFish::GlideDistance(), 72.3f, 0.1f);
    fish->SetStateTimer(0);
    const Rect<int> zone = fish->rect.Normalized();
    float fastest = 0.0f;
    for (int pass = 0; pass < 300; ++pass) {
        const Point<float> before = fish->GetPosition();
        Pass();
        const Point<int> c = fish->GetCenter().ToInt();
        EXPECT_GE(c.x, zone.x0 - 24);
        EXPECT_LE(c.x, zone.x1 + 24);
        EXPECT_GE(c.y, zone.y1 - 24);
        EXPECT_LE(c.y, zone.y0 + 24);
        fastest = std::max(fastest, (fish->GetPosition() - before).Length());
    }
    EXPECT_GT(fastest, 0.0f) << "it swims";
    // A blow from its left: pushed right, and the push fades to nothing.
    ThePlayer().SetPosition(fish->GetPosition() - Point<float>(80.0f, 0.0f));
    fish->ApplyDamage(&ThePlayer(), 1);
    EXPECT_EQ(fish->GetLife(), 3);
    EXPECT_EQ(fish->GetKnockback(), Point<float>(1.0f, 0.0f));
    Passes(80);
    EXPECT_EQ(fish->GetKnockback(), Point<float>());
    NPC_JellyFish::SetGlideDistance(saved);
}

TEST_F(WaterGardenArena, TheSeahorseMovesSixtyFourPixelsTurnsToThePlayerAndShootsHalfWayThroughItsAttack)
{
    Enter("place Zone_NPCSpawner_Seahorse seahorse 12 2 8x2\n");
    NPC_Seahorse* seahorse = First<NPC_Seahorse>();
    ASSERT_NE(seahorse, nullptr);
    EXPECT_EQ(seahorse->leftX, 12 * 32 - 64);
    EXPECT_EQ(seahorse->rightX, 12 * 32 + 8 * 32 - 64);
    EXPECT_EQ(seahorse->GetState(), NPC_Seahorse::kMove);
    // Moving, it takes nothing.
    seahorse->ApplyDamage(&ThePlayer(), 3);
    EXPECT_EQ(seahorse->GetLife(), NPC_Seahorse::kLife);
    EXPECT_FALSE(seahorse->IsHitByBox(Rect<int>(-10000, 10000, 10000, -10000), false));

    const float x = seahorse->GetPosition().x;
    const int attack = PassesUntil(60, [&] { return seahorse->GetState() == NPC_Seahorse::kAttack; });
    ASSERT_GT(attack, 0);
    // Its move look starts in its first update: the update after the one
    // that ends the look takes the step.
    EXPECT_EQ(attack, UpdatesToFinish("NPC_Seahorse_GraphicalMoveR") + 1);
    EXPECT_FLOAT_EQ(seahorse->GetPosition().x, x + 64.0f) << "the first move goes right";
    EXPECT_LT(seahorse->GetDirection().x, 0.0f) << "it faces the player on its left";
    const int shot = PassesUntil(30, [&] { return !All<Projectile_Seahorse>().empty(); });
    ASSERT_GT(shot, 1) << "not at once: half-way through";
    EXPECT_TRUE(seahorse->HasFired());
    const Watched bolt(All<Projectile_Seahorse>().front());
    EXPECT_LT(bolt->GetDirection().x, 0.0f);
    EXPECT_NEAR(bolt->GetDirection().Length(), 1.0f, 1e-4f);
    // Attacking, it can be hurt.
    seahorse->ApplyDamage(&ThePlayer(), 3);
    EXPECT_EQ(seahorse->GetLife(), NPC_Seahorse::kLife - 3);
    // One shot per attack; the next move follows the attack.
    EXPECT_GT(PassesUntil(40, [&] { return seahorse->GetState() == NPC_Seahorse::kMove; }), 0);
    EXPECT_EQ(All<Projectile_Seahorse>().size() <= 1u, true);
    // A shot ends within its 66 updates (or earlier, on the player or a wall).
    EXPECT_GT(PassesUntil(Projectile_Seahorse::kLifetime + 1, [&] { return !Live(bolt); }), 0);
}

// The seahorse is struck only while it attacks: each blow comes while it
// faces the player in its attack.
TEST_F(WaterGardenArena, TheSeahorseDiesToTheExpectedBlowsAtAttackRanksOneToFour)
{
    const int expected[] = {8, 8, 4, 3};
    for (int rank = 1; rank <= 4; ++rank) {
        SCOPED_TRACE("rank " + std::to_string(rank));
        Enter("place Zone_NPCSpawner_Seahorse seahorse 12 2 8x2\n");
        ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
        Pass();
        const Watched seahorse(First<NPC_Seahorse>());
        ASSERT_NE(seahorse, nullptr);
        ThePlayer().SetAttackRank(rank);
        int blows = -1;
        for (int blow = 1; blow <= 10 && blows < 0; ++blow) {
            InputActions right;
            right.x = 1.0f;
            Pass(right);
            Passes(2);
            seahorse->SetPosition(ThePlayer().GetPosition() + Point<float>(44.0f, 0.0f));
            seahorse->SetState(NPC_Seahorse::kAttack);
            InputActions attack;
            attack.SetAction3();
            Pass(attack);
            Pass(attack);
            for (int wait = 0; wait < 16 && Live(seahorse) && seahorse->GetLife() > 0; ++wait)
                Pass();
            if (!Live(seahorse) || seahorse->GetLife() <= 0)
                blows = blow;
        }
        EXPECT_EQ(blows, expected[rank - 1]);
    }
}

TEST_F(WaterGardenArena, ASeahorseShotHurtsThePlayerFliesOnAndEndsOnAHitOrAWall)
{
    Enter("");
    const Watched shot(dynamic_cast<Projectile_Seahorse*>(
        game.CreateCharacterByClass("Projectile_Seahorse", "Projectile_Seahorse", nullptr)));
    ASSERT_NE(shot, nullptr);
    EXPECT_TRUE(HurtsOnContact(shot, {20.0f, 40.0f}));
    EXPECT_TRUE(Live(shot)) << "it flies on";
    shot->ReceiveHit(&ThePlayer(), 0, 1.0f);
    Pass();
    EXPECT_FALSE(Live(shot));
    // Flying down into the floor, it ends there.
    const Watched down(dynamic_cast<Projectile_Seahorse*>(
        game.CreateCharacterByClass("Projectile_Seahorse", "Projectile_Seahorse", nullptr)));
    down->SetPosition({600.0f, 160.0f});
    down->SetDirection({0.0f, -1.0f});
    const int gone = PassesUntil(30, [&] { return !Live(down); });
    EXPECT_GT(gone, 0);
    EXPECT_LT(gone, 20);
}

TEST_F(WaterGardenArena, TheDreamCatcherLaunchesItsVolleyWithin448PixelsAndRests132Updates)
{
    Enter("place Zone_NPCSpawner_DreamCatcher catcher 20 2 2x5 ProjectileCount=3\n");
    NPC_DreamCatcher* catcher = First<NPC_DreamCatcher>();
    ASSERT_NE(catcher, nullptr);
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    // The launch point is (672, 132): the player at x 64 is farther.
    Passes(10);
    EXPECT_TRUE(All<Projectile_SadSoul>().empty());
    const Point<int> launch = catcher->LaunchPoint();
    ThePlayer().SetPosition(Point<float>(static_cast<float>(launch.x - 440), kFloor));
    const int volley = PassesUntil(3, [&] { return All<Projectile_SadSoul>().size() == 3u; });
    ASSERT_GT(volley, 0);
    EXPECT_EQ(catcher->GetStateTimer(), NPC_DreamCatcher::kRest);
    for (Projectile_SadSoul* soul : All<Projectile_SadSoul>()) {
        const Point<int> a = soul->GetApproachPoint() - launch;
        EXPECT_NEAR(std::sqrt(static_cast<float>(a.x * a.x + a.y * a.y)), 64.0f, 1.5f);
    }
    // Resting, it makes no more; 132 updates on it launches again.
    ThePlayer().SetPosition(Point<float>(static_cast<float>(launch.x - 200), kFloor));
    const int next = PassesUntil(140, [&] { return catcher->GetState() == NPC_DreamCatcher::kVolley; });
    EXPECT_EQ(next, NPC_DreamCatcher::kRest + 1);
    // A soul: the scythe passes through, an area hit ends it; an old one
    // goes by itself.
    auto* soul = dynamic_cast<Projectile_SadSoul*>(
        game.CreateCharacterByClass("Projectile_SadSoul", "Projectile_SadSoul", nullptr));
    ASSERT_NE(soul, nullptr);
    soul->ApplyDamage(&ThePlayer(), 3);
    EXPECT_FALSE(soul->IsDead());
    soul->ReceiveHit(&ThePlayer(), 1, 1.0f);
    EXPECT_TRUE(soul->IsDead());
    Pass();
    EXPECT_LE(All<Projectile_SadSoul>().size(), 6u);
    ThePlayer().SetPosition(Point<float>(64.0f, kFloor));
    Passes(Projectile_SadSoul::kAgeLimit + 3);
    for (Projectile_SadSoul* old : All<Projectile_SadSoul>())
        EXPECT_LT(old->GetStateTimer(), Projectile_SadSoul::kAgeLimit + 2);
}

TEST_F(WaterGardenArena, ASoulDriftsOutThenHomesInWithALimitedTurnAndEndsOnThePlayer)
{
    Enter("");
    const Watched soul(dynamic_cast<Projectile_SadSoul*>(
        game.CreateCharacterByClass("Projectile_SadSoul", "Projectile_SadSoul", nullptr)));
    ASSERT_NE(soul, nullptr);
    soul->SetPosition({500.0f, 200.0f});
    soul->SetApproachPoint({580, 216});
    Pass();
    EXPECT_EQ(soul->GetState(), Projectile_SadSoul::kDrift);
    EXPECT_GT(soul->GetDirection().x, 0.99f) << "out toward its approach point";
    ASSERT_GT(PassesUntil(20, [&] { return soul->GetState() == Projectile_SadSoul::kHoming; }), 0);
    Passes(4);
    // From the fifth homing update on it turns at most 0.05 an update.
    for (int pass = 0; pass < 10 && Live(soul); ++pass) {
        const Point<float> before = soul->GetDirection();
        Pass();
        if (!Live(soul))
            break;
        EXPECT_LE((soul->GetDirection() - before).Length(), 0.051f);
    }
    // It ends on the player.
    ThePlayer().SetLife(ThePlayer().GetMaxLife());
    const int life = ThePlayer().GetLife();
    EXPECT_GT(PassesUntil(120, [&] { return !Live(soul); }), 0);
    EXPECT_LE(ThePlayer().GetLife(), life);
}

TEST_F(WaterGardenArena, TheGardenPlantGrowsAPieceEvery33UpdatesTowardThePlayerAndACutStemGrowsAgain)
{
    Enter("place Zone_NPCSpawner_Garden_Plant plant 14 2 1x2\n", 4);
    const Watched plant(First<NPC_Garden_Plant>());
    ASSERT_NE(plant, nullptr);
    Pass();
    ASSERT_EQ(plant->GetPieces().size(), 1u);
    const Point<float> root = plant->GetPosition();
    EXPECT_EQ(plant->GetPieces()[0]->GetPosition(), root + Point<float>(0.0f, 64.0f))
        << "first piece, pointing up";
    const int second = PassesUntil(40, [&] { return plant->GetPieces().size() == 2u; });
    EXPECT_EQ(second, NPC_Garden_Plant::kGrowDelay);
    // The player stands to the left and below: the stem turns left.
    Projectile_Garden_Plant* turned = plant->GetPieces()[1];
    EXPECT_EQ(turned->GetDirection(), Point<float>(-1.0f, 0.0f));
    EXPECT_EQ(turned->GetPosition(), root + Point<float>(-32.0f, 64.0f));
    Passes(2 * NPC_Garden_Plant::kGrowDelay);
    ASSERT_EQ(plant->GetPieces().size(), 4u);
    // Each piece is dressed by its way in and out: the first is a corner.
    GraphicalObject* corner = plant->GetPieces()[0]->GetSprite();
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->GetName(), "NPC_Garden_Plant_GraphicalCornerDown_Left");

    // Cutting the second piece kills it and those after it; the plant then
    // grows on from the first.
    plant->GetPieces()[1]->ApplyDamage(&ThePlayer(), 1);
    EXPECT_EQ(plant->GetState(), NPC_Garden_Plant::kWaiting);
    const int cut = PassesUntil(60, [&] { return plant->GetPieces().size() == 1u; });
    ASSERT_GT(cut, 0);
    EXPECT_GT(PassesUntil(40, [&] { return plant->GetPieces().size() == 2u; }), 0);
    // A piece touching the player hurts it.
    EXPECT_TRUE(HurtsOnContact(plant->GetPieces()[0], {16.0f, 30.0f}));
    // The plant's death takes its stem with it.
    plant->ApplyDamage(&ThePlayer(), 10);
    ASSERT_EQ(PassesUntil(60, [&] { return All<Projectile_Garden_Plant>().empty(); }) > 0, true);
    EXPECT_FALSE(Live(plant));
}

// A chamber of named blocks: an isolated cube, a stack of two cubes, an
// 8-pixel left wall, a low ledge and a thin ceiling block under a roof.
const std::vector<std::string>& ChamberRows()
{
    static const std::vector<std::string> rows = {
        "................................",
        "................................",
        "................................",
        "..........##########............",
        "..........T.....................",
        "................................",
        "................................",
        "................................",
        "................................",
        "......#.........................",
        "......#.....{..........#........",
        "................................",
        "##########_#####################",
        "################################",
    };
    return rows;
}

TEST_F(WaterGardenArena, TheDeadFishPlantsSpikesOnTheBlocksByTheirNamesAndShowsThoseNearIt)
{
    EnterTiles(ChamberRows(), "place Zone_NPCSpawner_Dead_Fish fish 8 4 8x4\n");
    const Watched fish(First<NPC_Dead_Fish>());
    ASSERT_NE(fish, nullptr);
    Pass();
    // Spikes by place and kind (a ceiling spike may stand where a ground
    // spike of the block below does).
    std::map<std::tuple<int, int, bool>, Projectile_Dead_Fish_Spike*> at;
    for (Projectile_Dead_Fish_Spike* spike : fish->GetSpikes())
        at[{static_cast<int>(spike->GetPosition().x), static_cast<int>(spike->GetPosition().y),
            spike->IsCeiling()}]
            = spike;
    EXPECT_EQ(at.size(), fish->GetSpikes().size()) << "one spike per place";
    const auto has = [&](int x, int y, bool ceiling) { return at.count({x, y, ceiling}) == 1; };
    // The stack (x 192, cubes at y 96 and 128): a ground spike on the top
    // cube only; a cube never carries a ceiling spike.
    EXPECT_TRUE(has(192, 160, false));
    EXPECT_FALSE(has(192, 128, false));
    EXPECT_FALSE(has(192, 64, true));
    // The isolated cube (x 736, y 96): a ground spike, and none under a cube.
    EXPECT_TRUE(has(736, 128, false));
    EXPECT_FALSE(has(736, 64, true));
    // The 8-pixel wall (x 384, y 96): both spikes.
    ASSERT_TRUE(has(384, 128, false));
    EXPECT_TRUE(has(384, 64, true));
    // The low ledge in the floor (x 320, y 32): its ground spike 24 up.
    EXPECT_TRUE(has(320, 56, false));
    // The thin ceiling (x 320, y 288): its spike 16 down; the roof of cubes
    // above it has none under it.
    EXPECT_TRUE(has(320, 272, true));
    EXPECT_FALSE(has(352, 288, true));
    // Only blocks carry spikes: none where the spawners, points and camera
    // blockers of the layer stand (the fish's own zone at 256, 128).
    EXPECT_FALSE(has(256, 160, false));
    EXPECT_FALSE(has(224, -32, true));

    // Shown near the fish only: long within 128 pixels, small to 256.
    const Point<int> c = fish->GetCenter().ToInt();
    for (Projectile_Dead_Fish_Spike* spike : fish->GetSpikes()) {
        if (spike->GetCurrentGraphical() == nullptr)
            continue;
        // Measured from the spike's position, as when its look was chosen.
        const Point<float> d = spike->GetPosition() - c.ToFloat();
        const float s = d.x * d.x + d.y * d.y;
        EXPECT_LE(s, 65536.0f * 1.05f);
        EXPECT_EQ(spike->IsLong(), s <= 16384.0f) << spike->GetPosition().x << "," << spike->GetPosition().y;
    }
    Projectile_Dead_Fish_Spike* wall = at[{384, 128, false}];
    wall->SetLook(true, false);
    ASSERT_NE(wall->GetCurrentGraphical(), nullptr);
    EXPECT_EQ(wall->GetCurrentGraphical()->GetSize().x, 8);
    ASSERT_FALSE(wall->GetAttackBoxes().empty());
    EXPECT_EQ(wall->GetAttackBoxes()[0].x0, 0);
    EXPECT_EQ(wall->GetAttackBoxes()[0].x1, 7);

    // It crosses its rectangle and turns at the sides.
    const int turn = PassesUntil(400, [&] { return fish->GetState() == NPC_Dead_Fish::kTurn; });
    ASSERT_GT(turn, 0);
    EXPECT_GT(PassesUntil(40, [&] { return fish->GetState() == NPC_Dead_Fish::kSwim; }), 0);
    EXPECT_GE(fish->referencePoint.y, fish->rect.y1);
    EXPECT_LE(fish->referencePoint.y, fish->rect.y0);

    // One blow kills it, and its spikes go with it.
    const size_t spikes = fish->GetSpikes().size();
    ASSERT_GT(spikes, 0u);
    fish->ApplyDamage(&ThePlayer(), 1);
    Passes(2);
    EXPECT_FALSE(Live(fish));
    EXPECT_TRUE(All<Projectile_Dead_Fish_Spike>().empty());
}

TEST_F(WaterGardenArena, TheUnderwaterAndGardenHubsBecomeTeleportDestinationsOnceFound)
{
    Enter("");
    const std::pair<const char*, Point<int>> hubs[]
        = {{"underwater_TP.lvl", {10, 24}}, {"Garden_tp.lvl", {26, 22}}};
    for (const auto& [hub, cell] : hubs) {
        SCOPED_TRACE(hub);
        ASSERT_TRUE(game.console.ExecuteCommand(std::string("changelevel ") + hub + " start"));
        Pass();
        auto* placed = game.GetCurrentLevel()->FindInstanceByClass(
            Zone_Teleport::Instance::VersionedClassName(), Level::kScene);
        ASSERT_NE(placed, nullptr);
        const int width = dynamic_cast<ZoneInstance&>(*placed->GetPayload()).GetSize().x;
        ThePlayer().SetPosition(
            placed->GetPosition() + Point<float>(static_cast<float>(width / 2 - 32), 0.0f));
        EXPECT_GT(
            PassesUntil(5, [&, hub = hub] { return game.FindTeleportByLevel(ToLowerCase(hub)) != nullptr; }),
            0);
        TeleportInfo* found = game.FindTeleportByLevel(ToLowerCase(hub));
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->cell, cell);
    }
    // From elsewhere, the teleport takes the player to the hub's ring.
    Reload();
    game.SetStartPointName("[TELEPORT]");
    ASSERT_TRUE(game.ChangeLevel("underwater_tp.lvl")) << debug.Text();
    auto* ring = game.GetCurrentLevel()->FindInstanceByClass(
        Zone_Teleport::Instance::VersionedClassName(), Level::kScene);
    ASSERT_NE(ring, nullptr);
    EXPECT_NEAR(ThePlayer().GetPosition().x, ring->GetPosition().x + 32.0f, 33.0f);
}

// The Chapel's way to the garden: from its arrival the passage east runs
// over a lava pit under a roof too low to jump; the lava burns, and only the
// level-2 ice armor freezes it into a floor level with the passage.
TEST_F(WaterGardenArena, TheChapelsLavaPassageBurnsAndFreezesUnderTheLevelTwoIceArmor)
{
    const auto arrive = [this] {
        game.SetStartPointName("from_garden_tp");
        ASSERT_TRUE(game.ChangeLevel("Cimetery_TP_03.lvl")) << debug.Text();
        ThePlayer().SetLife(ThePlayer().GetMaxLife());
        Passes(5);
    };
    arrive();
    EXPECT_NEAR(ThePlayer().GetPosition().y, 288.0f, 12.0f) << "on the passage's floor";
    InputActions right;
    right.x = 1.0f;
    int life = ThePlayer().GetLife();
    EXPECT_GT(PassesUntil(60,
                  [&] {
                      Pass(right);
                      return ThePlayer().GetLife() < life;
                  }),
        0)
        << "the lava burns";

    arrive();
    Player& player = ThePlayer();
    // The ice armor, worn, at level 2, with a charge.
    player.EnableModifier(Player::kIceArmor);
    const int previous = player.GetCurrentArmor();
    player.SetCurrentArmor(Player::kIceArmor);
    player.SwitchArmor(previous, true);
    PlayerArmorIce* ice = GetPlayerArmorIce(&player);
    ASSERT_NE(ice, nullptr);
    ice->SetLevel(2);
    ice->ApplyAnimationSet();
    player.GetArmorState().armorChargesMax = 1;
    player.GetArmorState().armorRechargeCounter = player.GetArmorState().armorRechargePeriod;
    Passes(5);
    InputActions use;
    use.SetAction5();
    Pass(use);
    Passes(90);
    life = player.GetLife();
    // Across the six frozen tiles (x 128 to 319) onto the far floor.
    for (int pass = 0; pass < 90 && player.GetPosition().x < 10 * kTile - 11; ++pass)
        Pass(right);
    EXPECT_GE(player.GetPosition().x, 10 * kTile - 11) << "across the frozen field";
    EXPECT_GE(player.GetPosition().y, 9 * kTile - 2.0f) << "on the frozen lava";
    EXPECT_EQ(player.GetLife(), life) << "the frozen lava does not burn";

    // The Chapel's floor, its old lava gone, leads east to the crypt stair.
    game.SetStartPointName("start");
    ASSERT_TRUE(game.ChangeLevel("Cimetery_TP_03.lvl")) << debug.Text();
    for (int pass = 0; pass < 120 && ThePlayer().GetPosition().x < 44 * kTile; ++pass)
        Pass(right);
    EXPECT_GE(ThePlayer().GetPosition().x, 44 * kTile);
    EXPECT_LT(ThePlayer().GetPosition().y, 3 * kTile) << "along the floor";
}

} // namespace
