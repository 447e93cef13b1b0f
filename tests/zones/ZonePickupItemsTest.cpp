#include "characters/Firefly.h"
#include "characters/Player.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerModifier.h"
#include "game/Game.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "scene/SpacialInstance.h"
#include "script/BGEvent_ShowText.h"
#include "zones/Zone_PickupObject.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Placed = SpacialInstance<GraphicalObject, float>;

// The game's player standing on a pickup placed at (100, 200), in a level
// that collects the texts the items show.
class ZonePickupItems : public ::testing::Test {
protected:
    ZonePickupItems()
    {
        auto newPlayer = std::make_unique<Player>("Player");
        newPlayer->SetSize(20, 40);
        newPlayer->SetPosition(Point<float>(110.0f, 210.0f));
        player = newPlayer.get();
        game.SetPlayer(std::move(newPlayer));
        game.SetCurrentLevel(&level);
        placed.SetPayload(std::unique_ptr<SceneObjectInstance>(type.CreateInstance()));
    }
    ~ZonePickupItems() override { game.SetCurrentLevel(nullptr); }

    Zone_PickupObject::Instance& Pickup()
    {
        return dynamic_cast<Zone_PickupObject::Instance&>(*placed.GetPayload());
    }
    // Touches a fresh pickup of the kind; true when it was taken.
    bool Take(int kind, const std::string& parameter = "")
    {
        Pickup().kind.value = kind;
        Pickup().parameter.value = parameter;
        Pickup().SetEnabled(true);
        type.UpdatePlayerContact(&placed);
        return !Pickup().IsEnabled();
    }
    // The texts of the "NewArmor" events queued on the level.
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (size_t i = 0; i < level.GetBackgroundEventCount(); ++i) {
            auto* text = dynamic_cast<BGEvent_ShowText*>(level.GetBackgroundEvent(i));
            if (text != nullptr && text->GetName() == "NewArmor")
                texts.push_back(text->GetText());
        }
        return texts;
    }

    Game game;
    Level level {"garden_01"};
    Player* player = nullptr;
    Zone_PickupObject type {"Zone_PickupObject"};
    Placed placed {&type, 100.0f, 200.0f};
};

TEST_F(ZonePickupItems, EachItemChangesThePlayerAndCountsAPointOfScore)
{
    struct Case {
        int kind;
        std::function<int(const Player&)> value;
        int before;
        int after;
    };
    auto crossbow = [](const Player& p) { return GetPlayerArmorCrossbow(const_cast<Player*>(&p)); };
    const std::vector<Case> cases = {
        {7, [](const Player& p) { return int(p.itemAttraction); }, 0, 1},
        {9, [](const Player& p) { return int(p.secretFinder); }, 0, 1},
        {21, [](const Player& p) { return p.GetMaxLife(); }, 5, 7},
        {22, [](const Player& p) { return p.GetArmorState().armorChargesMax; }, 0, 1},
        {23, [](const Player& p) { return p.GetArmorState().armorRechargePeriod; }, 150, 120},
        {24, [&](const Player& p) { return crossbow(p)->boltCapacity * 100 + crossbow(p)->boltsLeft; }, 301,
            404},
        {26, [](const Player& p) { return p.crossbowLevel; }, 1, 2},
        {28, [](const Player& p) { return int(p.spiderDoubleJump); }, 0, 1},
    };
    player->SetMaxLife(5);
    crossbow(*player)->boltsLeft = 1;
    int score = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(c.value(*player), c.before);
        EXPECT_TRUE(Take(c.kind));
        EXPECT_EQ(c.value(*player), c.after);
        EXPECT_EQ(game.saveData.GetScore(), ++score);
    }
    // None of these shows a text of its own.
    EXPECT_TRUE(Texts().empty());
}

// Each counter an item adds to stops at its bound, from the bound and from
// far beyond it; the item is taken all the same.
TEST_F(ZonePickupItems, CountersHoldAtTheirBounds)
{
    constexpr int32_t kMost = std::numeric_limits<int32_t>::max();
    PlayerArmorCrossbow& crossbow = *GetPlayerArmorCrossbow(player);
    int32_t life = 0;
    for (const auto& [kind, counter, before, after] :
        std::vector<std::tuple<int, int32_t*, int32_t, int32_t>> {{21, &life, 99, 100},
            {21, &life, kMost, kMost}, {22, &player->GetArmorState().armorChargesMax, kMost, kMost},
            {23, &player->GetArmorState().armorRechargePeriod, std::numeric_limits<int32_t>::min() + 29,
                std::numeric_limits<int32_t>::min()},
            {24, &crossbow.boltCapacity, 8, 8}, {24, &crossbow.boltCapacity, kMost, kMost},
            {26, &player->crossbowLevel, 2, 3}, {26, &player->crossbowLevel, 3, 3},
            {26, &player->crossbowLevel, kMost, kMost}}) {
        SCOPED_TRACE(std::to_string(kind) + " from " + std::to_string(before));
        *counter = before;
        player->SetMaxLife(life);
        EXPECT_TRUE(Take(kind));
        life = player->GetMaxLife();
        EXPECT_EQ(*counter, after);
    }
    EXPECT_EQ(crossbow.boltsLeft, kMost) << "the bolts fill up to the capacity";
}

TEST_F(ZonePickupItems, TheFirefliesGatherAtThePlayer)
{
    ASSERT_FALSE(player->GetFireflies().empty());
    for (const auto& firefly : player->GetFireflies())
        firefly->SetPosition(Point<float>(900.0f, 900.0f));
    EXPECT_TRUE(Take(9));
    EXPECT_TRUE(player->secretFinder);
    for (const auto& firefly : player->GetFireflies())
        EXPECT_EQ(firefly->GetPosition(), player->GetPosition());
}

TEST_F(ZonePickupItems, TheRechargePeriodFallsWithoutALowerBound)
{
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(Take(23));
    EXPECT_EQ(player->GetArmorState().armorRechargePeriod, -30);
}

TEST_F(ZonePickupItems, TheIceArmorGivesOneChargeAtOnceAndIsWorn)
{
    EXPECT_TRUE(Take(Player::kIceArmor));
    EXPECT_TRUE(player->IsModifierEnabled(Player::kIceArmor));
    // Enabling it would give two charges; the pickup gives one.
    EXPECT_EQ(player->GetArmorState().armorChargesMax, 1);
    EXPECT_EQ(player->GetArmorState().armorRechargeCounter, player->GetArmorState().armorRechargePeriod);
    EXPECT_EQ(player->GetCurrentArmor(), Player::kIceArmor);
    EXPECT_EQ(Texts(), std::vector<std::string> {"You get a new armor !"});

    EXPECT_TRUE(Take(Player::kFireArmor));
    EXPECT_EQ(player->GetCurrentArmor(), Player::kFireArmor);
    EXPECT_EQ(player->GetArmorState().armorChargesMax, 1);
}

TEST_F(ZonePickupItems, TheCrossbowComesWithThreeBolts)
{
    PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(player);
    crossbow->boltsLeft = 0;
    crossbow->boltCapacity = 0;
    EXPECT_TRUE(Take(Player::kCrossbow));
    EXPECT_EQ(crossbow->boltsLeft, 3);
    EXPECT_EQ(crossbow->boltCapacity, 3);
    // Abilities without armor leave the worn armor alone.
    EXPECT_EQ(player->GetCurrentArmor(), -1);
}

TEST_F(ZonePickupItems, ArmorUpgradesAreWornAtLevelTwo)
{
    EXPECT_TRUE(Take(10));
    EXPECT_EQ(player->GetCurrentArmor(), Player::kIceArmor);
    EXPECT_EQ(GetPlayerArmorIce(player)->GetLevel(), 2);
    EXPECT_EQ(GetPlayerArmorFire(player)->GetLevel(), 1);
    EXPECT_TRUE(Take(12));
    EXPECT_EQ(player->GetCurrentArmor(), Player::kFireArmor);
    EXPECT_EQ(GetPlayerArmorFire(player)->GetLevel(), 2);
    EXPECT_EQ(game.saveData.GetScore(), 2);
}

TEST_F(ZonePickupItems, MapPiecesRevealUnseenCellsAndOpenTheMap)
{
    // Without a minimap the piece stays.
    game.minimapModel.reset();
    EXPECT_FALSE(Take(Zone_PickupObject::kMapPieces, "3 4"));
    EXPECT_EQ(game.saveData.GetScore(), 0);

    game.minimapModel = std::make_unique<MapModel>();
    MapModel& map = *game.minimapModel;
    map.SetCell(11, 2, 1);
    // The teleport menu was the last page shown.
    game.teleportMap.mapMode = 1;
    game.overlaySource = 1;
    game.menuFlag = false;
    EXPECT_TRUE(Take(Zone_PickupObject::kMapPieces, "3 4;10 2-12 3;50 43-60 50;7"));
    std::vector<std::string> revealed;
    for (int x = 0; x < MapModel::kColumns; ++x)
        for (int y = 0; y < MapModel::kRows; ++y)
            if (map.GetCell(x, y) != 0)
                revealed.push_back(
                    std::to_string(x) + "," + std::to_string(y) + "=" + std::to_string(map.GetCell(x, y)));
    EXPECT_EQ(revealed,
        (std::vector<std::string> {
            "3,4=2", "10,2=2", "10,3=2", "11,2=1", "11,3=2", "12,2=2", "12,3=2", "50,43=2"}));
    // The map page of the overlay is open.
    EXPECT_TRUE(game.menuFlag);
    EXPECT_EQ(game.teleportMap.mapMode, 0);
    EXPECT_EQ(game.overlaySource, 0);
    EXPECT_EQ(game.saveData.GetScore(), 1);
    // Taken again, with nothing new to show: the map opens all the same.
    game.menuFlag = false;
    game.teleportMap.mapMode = 1;
    EXPECT_TRUE(Take(Zone_PickupObject::kMapPieces, "3 4"));
    EXPECT_TRUE(game.menuFlag);
    EXPECT_EQ(game.teleportMap.mapMode, 0);
}

TEST_F(ZonePickupItems, ItemsWithoutAnEffectCountNoScore)
{
    for (int kind : {8, 25, 11, 19, -3, 29})
        EXPECT_FALSE(Take(kind)) << kind;
    EXPECT_EQ(game.saveData.GetScore(), 0);
    // The attack rank rises to 4 and says so, then stops and counts nothing.
    player->SetAttackRank(3);
    EXPECT_TRUE(Take(27));
    EXPECT_EQ(Texts(), std::vector<std::string> {"You get a new attack power rank !"});
    EXPECT_EQ(game.saveData.GetScore(), 1);
    EXPECT_FALSE(Take(27));
    EXPECT_EQ(player->GetAttackRank(), 4);
    EXPECT_EQ(game.saveData.GetScore(), 1);
}

} // namespace
