#include "characters/Player.h"
#include "characters/PlayerModifier.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "script/BGEvent_HandleDropItem.h"
#include "tests/script/ScriptFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class DropItemEvent : public ScriptFixture {
protected:
    void SetUp() override
    {
        ScriptFixture::SetUp();
        foreground = level.CreateLayer(Level::kForeground, "FG", nullptr, 512, 448, 64, 64);
        life.AddSpriteInstance(&frame, 0, 0);
        bolt.AddSpriteInstance(&frame, 0, 0);
        game.nameMap["DropItem_Life"] = &life;
        game.nameMap["DropItem_Scyth"] = &bolt;
        game.SetPlayer(std::make_unique<Player>("Player"));
        player = game.GetPlayer();
        player->SetSize(32, 48);
        player->SetMaxLife(5);
        player->SetLife(3);
        player->SetPosition(Point<float>(100.0f, 100.0f));
    }
    void TearDown() override
    {
        game.nameMap.clear();
        ScriptFixture::TearDown();
    }

    Layer* foreground = nullptr;
    Sprite frame {"f", "f.png", 0, 0, 31, 31};
    GraphicalObject life {"DropItem_Life"};
    GraphicalObject bolt {"DropItem_Scyth"};
    Player* player = nullptr;
};

TEST_F(DropItemEvent, ATouchedItemIsTakenFromTheSeventeenthTickOn)
{
    BGEvent_HandleDropItem drop("DropItem", 0, Point<int>(120, 110));
    ASSERT_NE(drop.GetInstance(), nullptr);
    for (int tick = 1; tick <= 16; ++tick) {
        drop.Run();
        ASSERT_FALSE(drop.IsFinished()) << tick;
    }
    drop.Run();
    EXPECT_TRUE(drop.IsFinished());
    EXPECT_EQ(player->GetLife(), 4);

    // Touching counts: an item at (100, 100) is taken by the player (32 x 48)
    // from x 68 to 132 and from y 52 to 132.
    const struct {
        Point<float> at;
        bool taken;
    } edges[] = {{{68.0f, 100.0f}, true}, {{67.0f, 100.0f}, false}, {{132.0f, 100.0f}, true},
        {{133.0f, 100.0f}, false}, {{100.0f, 52.0f}, true}, {{100.0f, 51.0f}, false},
        {{100.0f, 132.0f}, true}, {{100.0f, 133.0f}, false}};
    for (const auto& edge : edges) {
        player->SetPosition(edge.at);
        BGEvent_HandleDropItem item("DropItem", 0, Point<int>(100, 100));
        for (int tick = 0; tick < 17; ++tick)
            item.Run();
        EXPECT_EQ(item.IsFinished(), edge.taken) << edge.at.x << ", " << edge.at.y;
    }
}

TEST_F(DropItemEvent, FullLifeTakesTheItemWithoutChangeAndADeadPlayerNothing)
{
    player->SetLife(5);
    BGEvent_HandleDropItem full("DropItem", 0, Point<int>(100, 100));
    for (int tick = 0; tick < 17; ++tick)
        full.Run();
    EXPECT_TRUE(full.IsFinished());
    EXPECT_EQ(player->GetLife(), 5);
    player->SetLife(0);
    BGEvent_HandleDropItem dead("DropItem", 0, Point<int>(100, 100));
    for (int tick = 0; tick < 40; ++tick)
        dead.Run();
    EXPECT_FALSE(dead.IsFinished());
}

// A crossbow charge gives one bolt back to a carried crossbow short of its
// capacity, never past it, and nothing to a crossbow not yet found; the item
// is taken in every case.
TEST_F(DropItemEvent, ACrossbowChargeGivesOneBoltBackUpToTheCapacity)
{
    const struct {
        bool enabled;
        int left, capacity, expected;
    } cases[] = {{true, 0, 3, 1}, {true, 2, 4, 3}, {true, 3, 3, 3}, {false, 0, 3, 0}};
    PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(player);
    ASSERT_NE(crossbow, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(
            testing::Message() << c.left << " of " << c.capacity << (c.enabled ? "" : ", not found"));
        crossbow->SetEnabled(c.enabled);
        crossbow->boltsLeft = c.left;
        crossbow->boltCapacity = c.capacity;
        BGEvent_HandleDropItem drop(
            "DropItem", BGEvent_HandleDropItem::kCrossbowCharge, Point<int>(110, 100));
        ASSERT_NE(drop.GetInstance(), nullptr);
        for (int tick = 0; tick < 17; ++tick)
            drop.Run();
        EXPECT_TRUE(drop.IsFinished());
        EXPECT_EQ(crossbow->boltsLeft, c.expected);
        EXPECT_EQ(player->GetLife(), 3) << "a charge is not a life point";
    }
}

TEST_F(DropItemEvent, ItemsWithoutSpriteFinishAtOnceAndTheSpriteGoesWithTheEvent)
{
    BGEvent_HandleDropItem unknown("DropItem", 7, Point<int>(0, 0));
    unknown.Run();
    EXPECT_TRUE(unknown.IsFinished());
    {
        BGEvent_HandleDropItem drop("DropItem", 0, Point<int>(0, 0));
        EXPECT_EQ(foreground->GetAddedInstanceCount(), 1u);
    }
    EXPECT_EQ(foreground->GetAddedInstanceCount(), 0u);
}

// Once the player has absorbed souls, an item within 200 pixels drifts to it
// (after its 16 ticks out of reach) and is taken; before, it lies still.
TEST_F(DropItemEvent, AnItemDriftsToAPlayerWhoAttractsItemsAndLiesStillOtherwise)
{
    BGEvent_HandleDropItem lying("DropItem", 0, Point<int>(220, 100));
    for (int tick = 0; tick < 40; ++tick)
        lying.Run();
    EXPECT_FALSE(lying.IsFinished());
    EXPECT_EQ(lying.GetInstance()->GetPosition(), Point<float>(220.0f, 100.0f));

    player->itemAttraction = true;
    BGEvent_HandleDropItem drawn("DropItem", 0, Point<int>(220, 100));
    for (int tick = 0; tick < 17; ++tick)
        drawn.Run();
    EXPECT_LT(drawn.GetInstance()->GetPosition().x, 220.0f);
    for (int tick = 0; tick < 40 && !drawn.IsFinished(); ++tick)
        drawn.Run();
    EXPECT_TRUE(drawn.IsFinished());
    EXPECT_EQ(player->GetLife(), 4);
}

TEST(DropItemAttraction, PullsHarderWhenCloserAndNotFromTwoHundredPixels)
{
    EXPECT_EQ(BGEvent_HandleDropItem::AttractionStep(Point<float>(200.0f, 0.0f)), Point<float>(0.0f, 0.0f));
    EXPECT_EQ(BGEvent_HandleDropItem::AttractionStep(Point<float>(0.0f, -250.0f)), Point<float>(0.0f, 0.0f));
    const Point<float> far = BGEvent_HandleDropItem::AttractionStep(Point<float>(150.0f, 0.0f));
    const Point<float> near = BGEvent_HandleDropItem::AttractionStep(Point<float>(0.0f, 20.0f));
    EXPECT_FLOAT_EQ(far.x, -(40000.0f - 22500.0f) * 10.0f / 40000.0f);
    EXPECT_FLOAT_EQ(near.y, -(40000.0f - 400.0f) * 10.0f / 40000.0f);
    EXPECT_LE(std::abs(near.y), 10.0f);
    EXPECT_GT(std::abs(near.y), std::abs(far.x));
}

TEST_F(DropItemEvent, PickupsPopInSixteenPixelCellsOfTheCharacter)
{
    Level::Instance trigger;
    trigger.SetLevel(&level);
    CharacterObject* urn = game.CreateCharacterByClass("urn", "NPC_Script", nullptr);
    urn->SetPosition(Point<float>(64.0f, 32.0f));
    urn->SetSize(40, 8); // two columns, and one row although the box is lower than a cell
    Script& script = Make("PopPickupInTrigger urn 6;PopPickupInTrigger nobody 3");
    script.SetOwnerInstance(&trigger);
    script.Run();
    EXPECT_EQ(ErrorCount(), 0);
    ASSERT_EQ(level.GetBackgroundEventCount(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        auto* drop = dynamic_cast<BGEvent_HandleDropItem*>(level.GetBackgroundEvent(i));
        ASSERT_NE(drop, nullptr);
        EXPECT_TRUE(drop->IsAutoDelete());
        const Point<int> at = drop->GetPosition();
        EXPECT_TRUE(at.x == 64 || at.x == 80) << at.x;
        EXPECT_EQ(at.y, 32);
        EXPECT_EQ(drop->GetKind(), BGEvent_HandleDropItem::kLifePoint) << "no crossbow yet";
    }
    // With the crossbow found, bolts come out too, and life points still.
    GetPlayerArmorCrossbow(player)->SetEnabled(true);
    Script& again = Make("PopPickupInTrigger urn 60");
    again.SetOwnerInstance(&trigger);
    again.Run();
    ASSERT_EQ(level.GetBackgroundEventCount(), 66u);
    int bolts = 0;
    for (size_t i = 6; i < 66; ++i)
        bolts += dynamic_cast<BGEvent_HandleDropItem&>(*level.GetBackgroundEvent(i)).GetKind()
            == BGEvent_HandleDropItem::kCrossbowCharge;
    EXPECT_GT(bolts, 10);
    EXPECT_LT(bolts, 50);
}

} // namespace
