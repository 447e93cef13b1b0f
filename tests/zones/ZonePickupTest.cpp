#include "characters/Player.h"
#include "game/Game.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "zones/Zone_PickupObject.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Placed = SpacialInstance<GraphicalObject, float>;

// The game's player, which holds the seven modifiers, at a known size.
struct PlayerWithModifiers : Player {
    PlayerWithModifiers()
        : Player("Player")
    {
        SetSize(20, 40);
    }
};

class ZonePickup : public ::testing::Test {
protected:
    ZonePickup()
    {
        auto newPlayer = std::make_unique<PlayerWithModifiers>();
        player = newPlayer.get();
        game.SetPlayer(std::move(newPlayer));
        player->SetPosition(Point<float>(110.0f, 210.0f));
        placed.SetPayload(std::unique_ptr<SceneObjectInstance>(type.CreateInstance()));
    }
    Zone_PickupObject::Instance& Pickup()
    {
        return dynamic_cast<Zone_PickupObject::Instance&>(*placed.GetPayload());
    }

    Game game;
    Player* player = nullptr;
    Zone_PickupObject type {"Zone_PickupObject"};
    Placed placed {&type, 100.0f, 200.0f};
};

TEST_F(ZonePickup, AbilitiesAreGrantedOnceAndAnAbilityHeldAlreadyStays)
{
    for (int kind = 0; kind < 7; ++kind) {
        Zone_PickupObject::Instance& pickup = Pickup();
        pickup.kind.value = kind;
        pickup.SetEnabled(true);
        EXPECT_FALSE(player->IsModifierEnabled(kind));
        type.UpdatePlayerContact(&placed);
        EXPECT_TRUE(player->IsModifierEnabled(kind)) << kind;
        EXPECT_FALSE(pickup.IsEnabled()) << kind;
        // A second one of the same ability stays where it is.
        pickup.SetEnabled(true);
        type.UpdatePlayerContact(&placed);
        EXPECT_TRUE(pickup.IsEnabled()) << kind;
    }
}

TEST_F(ZonePickup, AttackRankRisesToFourAndNoFurther)
{
    // The rank says so in a text only: no picture over the HUD, even with
    // one in the library.
    GraphicalObject banner("HUD_Pickup_Rank");
    game.sceneObjects = {&banner}; // taken back before the game ends
    Pickup().kind.value = 27;
    player->SetAttackRank(3);
    type.UpdatePlayerContact(&placed);
    EXPECT_EQ(player->GetAttackRank(), 4);
    EXPECT_FALSE(Pickup().IsEnabled());
    EXPECT_EQ(game.pickupCinematicKind, 0);
    EXPECT_EQ(game.cinematicObject, nullptr);
    game.sceneObjects.clear();
    Pickup().SetEnabled(true);
    type.UpdatePlayerContact(&placed);
    EXPECT_EQ(player->GetAttackRank(), 4);
    EXPECT_TRUE(Pickup().IsEnabled());
}

TEST_F(ZonePickup, KindsWithoutAnEffectAndUntouchedOrTakenItemsChangeNothing)
{
    for (int kind : {8, 11, 13, 19, 25, -1, 29, 1000}) {
        Pickup().kind.value = kind;
        type.UpdatePlayerContact(&placed);
        EXPECT_TRUE(Pickup().IsEnabled()) << kind;
    }
    Pickup().kind.value = 2;
    player->SetPosition(Point<float>(400.0f, 210.0f));
    type.UpdatePlayerContact(&placed);
    EXPECT_FALSE(player->IsModifierEnabled(2));
    player->SetPosition(Point<float>(110.0f, 210.0f));
    Pickup().SetEnabled(false);
    type.UpdatePlayerContact(&placed);
    EXPECT_FALSE(player->IsModifierEnabled(2));
}

TEST_F(ZonePickup, TheGraphicStandsCentredOnTheZoneAndHidesWhenTheAbilityIsHeld)
{
    GraphicalObject item("PickupItem_Climb");
    item.SetSize(20, 30, true);
    game.nameMap["PickupItem_Climb"] = &item;
    Level level("cave_03");
    level.CreateLayer(Level::kForeground, "Front", nullptr, 512, 448, 32, 32);
    auto place = [&](bool held) {
        auto pickup = std::make_unique<Zone_PickupObject::Instance>();
        pickup->kind.value = 3;
        pickup->SetSize(Point<int>(64, 32));
        if (held)
            player->EnableModifier(3);
        pickup->Spawn(100, 200, &level);
        return pickup;
    };
    auto fresh = place(false);
    ASSERT_NE(fresh->itemGraphic, nullptr);
    EXPECT_EQ(fresh->itemGraphic->GetPosition(), Point<float>(122.0f, 200.0f));
    EXPECT_TRUE(fresh->itemGraphic->IsVisible());
    auto held = place(true);
    ASSERT_NE(held->itemGraphic, nullptr);
    EXPECT_FALSE(held->itemGraphic->IsVisible());
    // A taken pickup (restored disabled) places nothing.
    auto taken = std::make_unique<Zone_PickupObject::Instance>();
    taken->kind.value = 3;
    taken->SetEnabled(false);
    taken->Spawn(100, 200, &level);
    EXPECT_EQ(taken->itemGraphic, nullptr);
    EXPECT_FALSE(taken->IsPending());
    game.nameMap.clear();
}

} // namespace
