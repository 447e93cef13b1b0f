#include "bosses/NPC_Boss2_Garden.h"
#include "bosses/NPC_Boss2_Underwater.h"
#include "bosses/NPC_Boss_Garden.h"
#include "bosses/NPC_Boss_Snow.h"
#include "bosses/NPC_MiniBoss_Bibli.h"
#include "bosses/NPC_MiniBoss_FloatingSkull.h"
#include "bosses/NPC_MiniBoss_Garden.h"
#include "bosses/NPC_MiniBoss_Underwater.h"
#include "enemies/NPC_Bibli_Ghost.h"
#include "enemies/NPC_BoatPlant.h"
#include "enemies/NPC_CrouchSkull.h"
#include "enemies/NPC_CrouchSkull_Boat.h"
#include "enemies/NPC_Dead_Fish.h"
#include "enemies/NPC_Door.h"
#include "enemies/NPC_DreamCatcher.h"
#include "enemies/NPC_Fire_Launcher.h"
#include "enemies/NPC_FloatingSkull.h"
#include "enemies/NPC_Garden_Plant.h"
#include "enemies/NPC_JellyFish.h"
#include "enemies/NPC_Located_Claw.h"
#include "enemies/NPC_Lonely_Head.h"
#include "enemies/NPC_Seahorse.h"
#include "game/Game.h"
#include "scene/GameplayObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "tests/engine/platform/DebugCapture.h"
#include "zones/ZoneHolder.h"
#include "zones/ZoneInstance.h"
#include "zones/Zone_NPCSpawner_BoatPlant.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Boat.h"
#include "zones/Zone_NPCSpawner_Door.h"
#include "zones/Zone_NPCSpawner_DreamCatcher.h"
#include "zones/Zone_NPCSpawner_FloatingSkull.h"
#include "zones/Zone_NPCSpawner_MiniBoss_FloatingSkull.h"

#include <gtest/gtest.h>

#include <cmath>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Spawns of placements at (100, 50), 64 x 32, moved by an offset of (16, 0):
// the characters stand at the offset, the rectangles and ranges at the
// placement. R = (100, 82, 164, 50), Rc = (100, 81, 164, 50),
// Rb = (77, 81, 178, 50), Rm = (100, 210, 164, 50).
class NPCSpawnerHandOver : public ::testing::Test {
protected:
    std::unique_ptr<ZoneInstance> Make(const std::string& key)
    {
        auto* type = dynamic_cast<GameplayObject*>(game.CreateSceneObjectByClass(key, key, "(game play)"));
        auto* zone = type != nullptr ? dynamic_cast<ZoneInstance*>(type->CreateInstance()) : nullptr;
        EXPECT_NE(zone, nullptr) << key;
        if (zone != nullptr) {
            zone->SetSize(Point<int>(64, 32));
            zone->SetOffset(Point<int>(16, 0));
        }
        return std::unique_ptr<ZoneInstance>(zone);
    }
    // The last character the placement of `key` made.
    template <class T> T* Spawned(const std::string& key)
    {
        Make(key)->Spawn(100, 50, &level);
        CharacterObject* last
            = game.GetCharacterCount() > 0 ? game.GetCharacter(game.GetCharacterCount() - 1) : nullptr;
        auto* made = dynamic_cast<T*>(last);
        EXPECT_NE(made, nullptr) << key;
        return made;
    }

    Game game;
    Level level {"spawn_test"};
};

TEST_F(NPCSpawnerHandOver, RectanglesAndRangesStandAtThePlacement)
{
    const Rect<int> R(100, 82, 164, 50), Rc(100, 81, 164, 50), Rb(77, 81, 178, 50), Rm(100, 210, 164, 50);
    struct Case {
        const char* key;
        std::function<Rect<int>()> take;
        Rect<int> expected;
    };
    const std::vector<Case> cases = {
        {"Zone_NPCSpawner_CrouchSkull",
            [&] { return Spawned<NPC_CrouchSkull>("Zone_NPCSpawner_CrouchSkull")->walkRect; }, Rc},
        {"Zone_NPCSpawner_CrouchSkull_Boat",
            [&] { return Spawned<NPC_CrouchSkull>("Zone_NPCSpawner_CrouchSkull_Boat")->walkRect; }, Rb},
        {"Zone_NPCSpawner_CrouchSkull_Ghost",
            [&] { return Spawned<NPC_CrouchSkull>("Zone_NPCSpawner_CrouchSkull_Ghost")->walkRect; }, Rc},
        {"Zone_NPCSpawner_CrouchSkull_Strong",
            [&] { return Spawned<NPC_CrouchSkull>("Zone_NPCSpawner_CrouchSkull_Strong")->walkRect; }, Rc},
        {"Zone_NPCSpawner_Located_Claw",
            [&] { return Spawned<NPC_Located_Claw>("Zone_NPCSpawner_Located_Claw")->rect; }, R},
        {"Zone_NPCSpawner_Bibli_Ghost",
            [&] { return Spawned<NPC_Bibli_Ghost>("Zone_NPCSpawner_Bibli_Ghost")->rect; }, R},
        {"Zone_NPCSpawner_JellyFish",
            [&] { return Spawned<NPC_JellyFish>("Zone_NPCSpawner_JellyFish")->rect; }, R},
        {"Zone_NPCSPawner_FloatingSkull",
            [&] { return Spawned<NPC_FloatingSkull>("Zone_NPCSPawner_FloatingSkull")->roamingRect; }, R},
        {"Zone_NPCSpawner_MiniBoss_Bibli",
            [&] { return Spawned<NPC_MiniBoss_Bibli>("Zone_NPCSpawner_MiniBoss_Bibli")->zone; }, Rm},
        {"Zone_NPCSpawner_MiniBoss_Garden",
            [&] { return Spawned<NPC_MiniBoss_Garden>("Zone_NPCSpawner_MiniBoss_Garden")->area; }, R},
        {"Zone_NPCSpawner_MiniBoss_Underwater",
            [&] { return Spawned<NPC_MiniBoss_Underwater>("Zone_NPCSpawner_MiniBoss_Underwater")->rect; }, R},
        {"Zone_NPCSpawner_MiniBoss_FloatingSkull",
            [&] {
                return Spawned<NPC_MiniBoss_FloatingSkull>("Zone_NPCSpawner_MiniBoss_FloatingSkull")
                    ->roamingRect;
            },
            R},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.take(), c.expected) << c.key;

    auto* head = Spawned<NPC_Lonely_Head>("Zone_NPCSpawner_Lonely_Head");
    EXPECT_EQ(head->lowerY, 50);
    EXPECT_EQ(head->upperY, 82);
    auto* seahorse = Spawned<NPC_Seahorse>("Zone_NPCSpawner_Seahorse");
    EXPECT_EQ(seahorse->leftX, 36);
    EXPECT_EQ(seahorse->rightX, 100);
    auto* launcher = Spawned<NPC_Fire_Launcher>("Zone_NPCSpawner_Fire_Launcher");
    EXPECT_EQ(launcher->leftX, 100);
    EXPECT_EQ(launcher->rightX, 164);
    auto* fish = Spawned<NPC_Dead_Fish>("Zone_NPCSpawner_Dead_Fish");
    EXPECT_EQ(fish->rect.GetFirstCorner(), Point<float>(100.0f, 82.0f));
    EXPECT_EQ(fish->rect.GetSecondCorner(), Point<float>(164.0f, 50.0f));
    EXPECT_EQ(fish->referencePoint, Point<float>(146.0f, 82.0f));
}

TEST_F(NPCSpawnerHandOver, PointsFollowTheOffsetAndThePlacedPosition)
{
    // The plant is rooted 32 pixels above where it stands.
    auto* plant = Spawned<NPC_Garden_Plant>("Zone_NPCSpawner_Garden_Plant");
    EXPECT_EQ(plant->GetPosition(), Point<float>(116.0f, 50.0f));
    EXPECT_EQ(plant->anchorPoint, Point<int>(116, 82));
    EXPECT_EQ(Spawned<NPC_Boss_Snow>("Zone_NPCSpawner_Boss_Snow")->homePoint, Point<int>(116, 50));
    // The garden skull makes its parts after itself: it is the first of them.
    Make("Zone_NPCSpawner_Boss_Garden")->Spawn(100, 50, &level);
    NPC_Boss_Garden* garden = nullptr;
    for (size_t i = 0; i < game.GetCharacterCount() && garden == nullptr; ++i)
        garden = dynamic_cast<NPC_Boss_Garden*>(game.GetCharacter(i));
    ASSERT_NE(garden, nullptr);
    EXPECT_EQ(garden->GetHome(), Point<int>(116, 50));
    EXPECT_EQ(garden->GetPosition(), Point<float>(116.0f, 1074.0f));

    // Floating skulls start at their destination, moved by the offset: a
    // point of R, or one pushed out to 100 pixels from the spawn point.
    for (int i = 0; i < 20; ++i) {
        auto* skull = Spawned<NPC_FloatingSkull>("Zone_NPCSPawner_FloatingSkull");
        const Point<int> at = skull->GetDestination();
        const float dx = static_cast<float>(at.x) - 116.0f, dy = static_cast<float>(at.y) - 50.0f;
        const bool inZone = at.x >= 100 && at.x <= 164 && at.y >= 50 && at.y <= 82;
        EXPECT_TRUE(inZone || std::abs(std::sqrt(dx * dx + dy * dy) - 100.0f) <= 1.5f) << at.x << "," << at.y;
        EXPECT_EQ(
            skull->GetPosition(), Point<float>(static_cast<float>(at.x + 16), static_cast<float>(at.y)));
    }
}

TEST_F(NPCSpawnerHandOver, CountsKindsAndLinksReachTheirCharacters)
{
    auto door = Make("Zone_NPCSpawner_Door");
    auto& doorData = dynamic_cast<Zone_NPCSpawner_Door::Instance&>(*door);
    doorData.DoorKind.value = 3;
    doorData.DoorSide.value = 1;
    door->Spawn(100, 50, &level);
    auto* madeDoor = dynamic_cast<NPC_Door*>(game.GetCharacter(game.GetCharacterCount() - 1));
    ASSERT_NE(madeDoor, nullptr);
    EXPECT_EQ(madeDoor->doorKind, 3);
    EXPECT_EQ(madeDoor->doorSide, 1);

    auto catcher = Make("Zone_NPCSpawner_DreamCatcher");
    dynamic_cast<Zone_NPCSpawner_DreamCatcher::Instance&>(*catcher).ProjectileCount.value = 4;
    catcher->Spawn(0, 0, &level);
    EXPECT_EQ(
        dynamic_cast<NPC_DreamCatcher*>(game.GetCharacter(game.GetCharacterCount() - 1))->projectileCount, 4);

    auto boss = Make("Zone_NPCSpawner_MiniBoss_FloatingSkull");
    dynamic_cast<Zone_NPCSpawner_MiniBoss_FloatingSkull::Instance&>(*boss).ChildCount.value = 5;
    boss->Spawn(0, 0, &level);
    EXPECT_EQ(dynamic_cast<NPC_MiniBoss_FloatingSkull*>(game.GetCharacter(game.GetCharacterCount() - 1))
                  ->childCount,
        5);

    auto skulls = Make("Zone_NPCSPawner_FloatingSkull");
    dynamic_cast<Zone_NPCSpawner_FloatingSkull::Instance&>(*skulls).SkullKind.value = 1;
    skulls->Spawn(0, 0, &level);
    auto* ghost = dynamic_cast<NPC_FloatingSkull*>(game.GetCharacter(game.GetCharacterCount() - 1));
    EXPECT_EQ(ghost->GetKind(), 1);
    EXPECT_NE(ghost->GetDrawingEffect(), nullptr) << "drawn through the ghost effect";
    EXPECT_FALSE(ghost->IsFrozen());

    // The plant's linked zone is the first zone of that name in the scene layers.
    Layer* scene = level.CreateLayer(Level::kScene, "Collisions", nullptr, 512, 448, 32, 32);
    ZoneHolder holder("ZoneHolder");
    Layer::Instance* pond = scene->AddPlacedInstance(&holder, 200.0f, 50.0f);
    auto pondData = std::make_unique<ZoneHolder::Instance>();
    pondData->SetName("pond");
    pond->SetPayload(std::move(pondData));
    auto plant = Make("Zone_NPCSpawner_BoatPlant");
    auto& plantData = dynamic_cast<Zone_NPCSpawner_BoatPlant::Instance&>(*plant);
    plantData.LinkedZoneName.value = "pond";
    plantData.PlantParameter.value = 7;
    plant->Spawn(0, 0, &level);
    auto* madePlant = dynamic_cast<NPC_BoatPlant*>(game.GetCharacter(game.GetCharacterCount() - 1));
    EXPECT_EQ(madePlant->parameter, 7);
    EXPECT_EQ(madePlant->linkedZone, pond);

    // The garden boss's skulls appear at the "spawnzone" placements.
    for (float x : {64.0f, 320.0f}) {
        auto spawnData = std::make_unique<ZoneHolder::Instance>();
        spawnData->SetName("spawnzone");
        scene->AddPlacedInstance(&holder, x, 96.0f)->SetPayload(std::move(spawnData));
    }
    NPC_Boss2_Garden::SpawnPlaces() = {Point<int>(1, 1)};
    Make("Zone_NPCSpawner_Boss2_Garden")->Spawn(0, 0, &level);
    EXPECT_EQ(NPC_Boss2_Garden::SpawnPlaces(), (std::vector<Point<int>> {{64, 96}, {320, 96}}));
    NPC_Boss2_Garden::SpawnPlaces().clear();

    // The underwater boss leads unless one named "..._0" lives already.
    EXPECT_TRUE(Spawned<NPC_Boss2_Underwater>("Zone_NPCSpawner_Boss2_Underwater")->leader);
    game.GetCharacter(game.GetCharacterCount() - 1)->SetName("NPC_Boss2_Underwater_0");
    EXPECT_FALSE(Spawned<NPC_Boss2_Underwater>("Zone_NPCSpawner_Boss2_Underwater")->leader);
}

TEST_F(NPCSpawnerHandOver, TheBoatSkullFollowsThePlayerInItsZoneAndUnlinksEitherWay)
{
    Zone_NPCSpawner_CrouchSkull_Boat type("Zone_NPCSpawner_CrouchSkull_Boat");
    GameplayObject_Zone::Placed placed(&type, 100.0f, 50.0f);
    placed.SetPayload(std::unique_ptr<SceneObjectInstance>(type.CreateInstance()));
    auto& zone = dynamic_cast<Zone_NPCSpawner_CrouchSkull_Boat::Instance&>(*placed.GetPayload());
    zone.Spawn(100, 50, &level);
    auto* skull = dynamic_cast<NPC_CrouchSkull_Boat*>(zone.character);
    ASSERT_NE(skull, nullptr);
    EXPECT_EQ(skull->spawnerLink, &zone);
    type.OnEnter(&placed);
    EXPECT_TRUE(skull->playerInZone);
    type.OnLeave(&placed);
    EXPECT_FALSE(skull->playerInZone);

    // The skull goes first: the zone forgets it, and entering is harmless.
    game.DeleteCharacter(skull);
    EXPECT_EQ(zone.character, nullptr);
    type.OnEnter(&placed);

    // The zone goes first: the skull forgets it.
    auto other = std::make_unique<Zone_NPCSpawner_CrouchSkull_Boat::Instance>();
    other->Spawn(0, 0, &level);
    auto* second = dynamic_cast<NPC_CrouchSkull_Boat*>(other->character);
    ASSERT_NE(second, nullptr);
    other.reset();
    EXPECT_EQ(second->spawnerLink, nullptr);
}

TEST_F(NPCSpawnerHandOver, ASpawnerThatMakesNothingSaysSo)
{
    DebugCapture debug;
    auto skulls = Make("Zone_NPCSPawner_FloatingSkull");
    skulls->SetName("crypt_skulls");
    dynamic_cast<Zone_NPCSpawner_FloatingSkull::Instance&>(*skulls).SkullKind.value = 3;
    skulls->Spawn(0, 0, &level);
    EXPECT_EQ(game.GetCharacterCount(), 0u);
    EXPECT_EQ(debug.Messages(), std::vector<std::string> {"Spawner \"crypt_skulls\": no character made\n"});
}

} // namespace
