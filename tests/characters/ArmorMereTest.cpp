#include "tests/characters/FrozenMereFixture.h"

using armortest::FrozenMere;

namespace {

// The whole freeze, walk and thaw is played by the real player in
// PlayerMereTest; these isolate the armors' own rules.
TEST_F(FrozenMere, TheFrontPausesEveryNinthFrame)
{
    player.state.armorCharges = 1;
    ice->Use();
    // The use's own step: seeds kept, their neighbours dropped, timer reset.
    const std::vector<Point<int>> seeds = PlayerArmorIce::SeedCells(player.position);
    EXPECT_EQ(ice->GetFrozenList(), seeds);
    EXPECT_EQ(ice->GetPropagationTimer(), 8);
    EXPECT_EQ(HiddenWaterTiles(), 1); // the seed (192, 64) lies in the pool's top-left tile
    // The next frames replace the queue with the cells around what froze.
    ice->Update();
    EXPECT_EQ(ice->GetPropagationTimer(), 7);
    EXPECT_NE(ice->GetFrozenList(), seeds);
    EXPECT_FALSE(ice->GetFrozenList().empty());
}

TEST_F(FrozenMere, AUseWithoutWaterStillCostsAChargeAndTheFrontEndsAtOnce)
{
    player.position = Point<float>(1200, 300);
    player.state.armorCharges = 1;
    ice->Use();
    EXPECT_EQ(player.state.armorCharges, 0);
    EXPECT_EQ(player.Count(kSoundUseAoeIce), 1);
    ASSERT_EQ(player.attacks.size(), 1u);
    EXPECT_EQ(player.attacks[0].radius, 112.0f);
    EXPECT_EQ(player.ghostFreezeRadii.size(), 1u);
    EXPECT_EQ(level.GetBackgroundEventCount(), 1u);
    EXPECT_LE(RunFront(), 1);
    EXPECT_EQ(HiddenWaterTiles(), 0);
    // Without charges a use does nothing at all.
    ice->Use();
    EXPECT_EQ(player.attacks.size(), 1u);
    EXPECT_EQ(level.GetBackgroundEventCount(), 1u);
}

// Lava freezes only under the level-two armor, and only when the ice list
// gives it a pair (the ice-lava list alone makes it lava, no ice).
TEST_F(FrozenMere, LavaFreezesOnlyUnderTheLevelTwoArmor)
{
    for (int x = 0; x < 4; ++x)
        water->AddPlacedInstance(&lavaTile, static_cast<float>(1024 + 32 * x), 0);
    PlayerArmorIce::GroupReplaceableScenery(&level);
    player.position = Point<float>(1024, 32);
    const ArmorReplacement lavaPair = ArmorReplacement::IceList().back();
    const struct {
        int armorLevel;
        bool iceListNamesLava;
        int frozen;
    } cases[] = {{1, true, 0}, {2, false, 0}, {2, true, 4}};
    for (const auto& c : cases) {
        ArmorReplacement::IceList() = {ArmorReplacement("Water_Tile", "Ice_Tile")};
        if (c.iceListNamesLava)
            ArmorReplacement::IceList().push_back(lavaPair);
        ice->BuildReplacementTable();
        ice->SetLevel(c.armorLevel);
        player.state.armorCharges = 1;
        ice->Use();
        RunFront();
        int hidden = 0;
        for (size_t i = 0; i < water->GetInstanceCount(); ++i) {
            const Layer::Instance* instance = water->GetInstance(i);
            if (instance->GetPrototype() == &lavaTile && !instance->IsVisible())
                ++hidden;
        }
        EXPECT_EQ(hidden, c.frozen) << "armor level " << c.armorLevel << ", named " << c.iceListNamesLava;
    }
    // The water pool, out of reach, stayed as it was.
    EXPECT_EQ(HiddenWaterTiles(), 0);
}

TEST_F(FrozenMere, StandingInTheWaterCancelsTheFreeze)
{
    player.position = Point<float>(kPoolLeft + 64, 40);
    player.state.armorCharges = 1;
    ice->Use();
    RunFront();
    EXPECT_EQ(HiddenWaterTiles(), 0);
    EXPECT_TRUE(ice->GetActiveReplacements().empty());
    EXPECT_EQ(player.state.armorCharges, 0);

    // Water under the player whose ice would not reach the player's body
    // freezes: the slab's ice stands at x 1000 to 1031, the player at 1100.
    waterSlab.SetSize(160, 32, true);
    game.sceneObjects.push_back(&waterSlab);
    ArmorReplacement::IceList().emplace_back("Water_Slab", "Ice_Tile");
    waterSlab.Init();
    ice->BuildReplacementTable();
    water->AddPlacedInstance(&waterSlab, 1000, 0);
    PlayerArmorIce::GroupReplaceableScenery(&level);
    player.position = Point<float>(1100, 0);
    player.state.armorCharges = 1;
    ice->Use();
    RunFront();
    ASSERT_EQ(ice->GetActiveReplacements().size(), 1u);
    EXPECT_FALSE(ice->GetActiveReplacements()[0].replaced->IsVisible());
}

// The front walks every layer that scrolls with the camera: a puddle on a
// scene layer freezes whole.
TEST_F(FrozenMere, WaterOnASceneLayerFreezesToo)
{
    Layer* scene = level.CreateLayer(Level::kScene, "Scene Layer 00", nullptr, 2048, 448, 32, 32);
    for (int x = 0; x < 5; ++x)
        scene->AddPlacedInstance(&waterTile, static_cast<float>(1024 + 32 * x), 0);
    PlayerArmorIce::GroupReplaceableScenery(&level);
    player.position = Point<float>(1024, 32);
    ice->Use();
    RunFront();
    int hidden = 0;
    for (size_t i = 0; i < scene->GetInstanceCount(); ++i)
        hidden += !scene->GetInstance(i)->IsVisible();
    EXPECT_EQ(hidden, 5);
    EXPECT_EQ(HiddenWaterTiles(), 0) << "the pool is out of reach";
}

TEST_F(FrozenMere, TouchingPiecesShareAGroupAndSeparatePoolsDoNot)
{
    water->AddPlacedInstance(&waterTile, 1000, 0);
    water->AddPlacedInstance(&waterTile, 1032, 0);
    water->AddPlacedInstance(&waterTile, 1100, 0);
    PlayerArmorIce::GroupReplaceableScenery(&level);
    const int32_t pool = water->GetInstance(0)->GetAuxIndex();
    for (size_t i = 0; i < static_cast<size_t>(kPoolWidth * kPoolDepth); ++i)
        EXPECT_EQ(water->GetInstance(i)->GetAuxIndex(), pool);
    const size_t n = water->GetInstanceCount();
    const int32_t pair = water->GetInstance(n - 3)->GetAuxIndex();
    EXPECT_EQ(water->GetInstance(n - 2)->GetAuxIndex(), pair);
    const int32_t lone = water->GetInstance(n - 1)->GetAuxIndex();
    EXPECT_NE(pair, pool);
    EXPECT_NE(lone, pool);
    EXPECT_NE(lone, pair);
    EXPECT_GE(lone, 0);
}

TEST_F(FrozenMere, FireShowsMeltingFramesByDistanceAndThawsAt32)
{
    // Freeze the pool, then stand left of the tile at (192, 64) at a
    // distance d from it, with every other piece far to the right.
    player.state.armorCharges = 1;
    ice->Use();
    RunFront();
    ASSERT_EQ(HiddenWaterTiles(), kPoolWidth * kPoolDepth);
    Layer::Instance* corner = nullptr;
    for (const ArmorActiveReplacement& record : ice->GetActiveReplacements()) {
        if (record.replacement->GetPosition() == Point<float>(kPoolLeft, 64))
            corner = record.replacement;
    }
    ASSERT_NE(corner, nullptr);
    struct Case {
        int distance;
        int frame; // -1: unchanged, -2: thawed
    };
    const Case cases[] = {{160, -1}, {129, -1}, {128, 2}, {96, 1}, {64, 0}, {32, -2}};
    player.state.currentArmor = 0;
    const size_t frozen = ice->GetActiveReplacements().size();
    for (const Case& c : cases) {
        corner->GetPrototype()->SetAnimationFrame(4);
        player.position = Point<float>(static_cast<float>(kPoolLeft - c.distance), 64);
        fire->Update();
        if (c.frame == -2) {
            // The tile below, as near, thaws with it.
            EXPECT_EQ(ice->GetActiveReplacements().size(), frozen - 2) << c.distance;
            EXPECT_TRUE(water->GetInstance(2)->IsVisible()) << c.distance;
            continue;
        }
        EXPECT_EQ(corner->GetPrototype()->GetAnimationFrame(), c.frame == -1 ? 4 : c.frame) << c.distance;
        EXPECT_EQ(corner->GetPrototype()->GetCollisionShapeCount() == 0
                || !corner->GetPrototype()->GetCollisionShape(0),
            c.frame == 0)
            << c.distance;
    }
}

TEST_F(FrozenMere, InSpiderFormOrWithNothingFrozenFireChangesNothing)
{
    player.state.currentArmor = 0;
    player.position = Point<float>(kPoolLeft, kShoreTop);
    fire->Update();
    EXPECT_EQ(water->GetAddedInstanceCount(), 0u);
    player.state.armorCharges = 1;
    player.position = Point<float>(128, kShoreTop);
    ice->Use();
    RunFront();
    const size_t frozen = ice->GetActiveReplacements().size();
    player.spider = true;
    player.position = Point<float>(kPoolLeft + 64, kShoreTop);
    fire->Update();
    EXPECT_EQ(ice->GetActiveReplacements().size(), frozen);
    player.spider = false;
    fire->Update();
    EXPECT_LT(ice->GetActiveReplacements().size(), frozen);
}

TEST_F(FrozenMere, RecordsOfALevelLeftBehindAreForgottenNotFollowed)
{
    player.state.armorCharges = 1;
    ice->Use();
    ice->Update();
    ASSERT_FALSE(ice->GetActiveReplacements().empty());
    ASSERT_FALSE(ice->GetFrozenList().empty());
    {
        // The next level runs; the old one is gone before the armors look.
        Level next("snow_02");
        player.level = &next;
        player.state.currentArmor = 0;
        fire->Update();
        EXPECT_TRUE(ice->GetActiveReplacements().empty());
        ice->Update();
        EXPECT_TRUE(ice->GetFrozenList().empty());
        player.level = nullptr;
    }
    fire->Update();
    ice->Update();
    EXPECT_TRUE(ice->GetActiveReplacements().empty());
}

TEST_F(FrozenMere, ZoneReplacementSwapsTheVisibleSceneryOverlappingTheZoneOnly)
{
    ice->OnEnabled();
    // Water on "Collisions" itself is swapped too.
    Layer::Instance* pond = collisions->AddPlacedInstance(&waterTile, 256, 160);
    player.position = Point<float>(kPoolLeft + 64, kShoreTop);
    // Corner (128, 244) to (448, 44), edges included: the two upper rows,
    // the columns from x 192 to the one at 448.
    ice->ApplyReplacementsInZone(320, 200);
    EXPECT_EQ(HiddenWaterTiles(), 18);
    EXPECT_EQ(water->GetAddedInstanceCount(), 18u);
    EXPECT_FALSE(pond->IsVisible());
    EXPECT_EQ(collisions->GetAddedInstanceCount(), 18u + 2u);
    // Hidden pieces are not replaced twice.
    ice->ApplyReplacementsInZone(320, 200);
    EXPECT_EQ(water->GetAddedInstanceCount(), 18u);
    ice->UpdateReplacements(0);
    EXPECT_EQ(HiddenWaterTiles(), 0);
    EXPECT_EQ(water->GetAddedInstanceCount(), 0u);
}

} // namespace

namespace {

// Freezing and thawing water and lava play none of the world's sounds: the
// armors' own use is all that is heard.
TEST_F(FrozenMere, FreezingAndThawingAreSilent)
{
    for (int x = 0; x < 4; ++x)
        water->AddPlacedInstance(&lavaTile, static_cast<float>(1024 + 32 * x), 0);
    water->AddPlacedInstance(&waterTile, 1168, 0); // a puddle of its own, past the lava
    PlayerArmorIce::GroupReplaceableScenery(&level);
    ice->SetLevel(2);
    struct Step {
        const char* what;
        bool use; // an ice use there, run to its end; else the fire passes by
        float y;
        float from; // the player's x (to, for the fire)
        float to;
    };
    const Step steps[] = {
        {"the pool freezes", true, kShoreTop, 128, 128},
        {"the lava and the puddle freeze", true, 32, 1100, 1100},
        {"the fire crosses the pool", false, kShoreTop, 120, 560},
        {"and the lava and the puddle", false, 32, 960, 1260},
    };
    for (const Step& step : steps) {
        player.position = Point<float>(step.from, step.y);
        const size_t frozen = ice->GetActiveReplacements().size();
        if (step.use) {
            player.state.currentArmor = 1;
            player.state.armorCharges = 1;
            ice->Use();
            RunFront();
            EXPECT_GE(ice->GetActiveReplacements().size(), frozen + 4) << step.what << ": pieces frozen";
        } else {
            player.state.currentArmor = 0;
            for (float x = step.from; x <= step.to; x += 8.0f) {
                player.position.x = x;
                fire->Update();
            }
            EXPECT_LE(ice->GetActiveReplacements().size() + 4, frozen) << step.what << ": pieces thawed";
        }
        for (int sound : {kSoundWaterToIce, kSoundLavaToIce, kSoundIceToWater})
            EXPECT_EQ(player.Count(sound), 0) << step.what << ": sound " << sound;
    }
}

} // namespace
