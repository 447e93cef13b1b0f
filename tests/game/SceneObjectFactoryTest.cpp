#include "engine/serial/TypeNames.h"
#include "game/Game.h"
#include "scene/CameraBlocker.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneObject.h"
#include "ui/UI_Frame_Dialogue.h"
#include "ui/UI_Frame_Player.h"
#include "ui/UI_Menu.h"
#include "ui/UI_Menu_Page.h"
#include "zones/Point_MinimapLocation.h"
#include "zones/Point_PlayerStart.h"
#include "zones/ZoneHolder.h"
#include "zones/ZoneSecret.h"
#include "zones/Zone_ClimbJump.h"
#include "zones/Zone_LoadMap.h"
#include "zones/Zone_NPCSpawner_Bibli_Ghost.h"
#include "zones/Zone_NPCSpawner_BoatPlant.h"
#include "zones/Zone_NPCSpawner_BoatWorm.h"
#include "zones/Zone_NPCSpawner_Boss2_Bibli.h"
#include "zones/Zone_NPCSpawner_Boss2_Boat.h"
#include "zones/Zone_NPCSpawner_Boss2_Cave.h"
#include "zones/Zone_NPCSpawner_Boss2_Garden.h"
#include "zones/Zone_NPCSpawner_Boss2_Snow.h"
#include "zones/Zone_NPCSpawner_Boss2_Underwater.h"
#include "zones/Zone_NPCSpawner_Boss_Bibli.h"
#include "zones/Zone_NPCSpawner_Boss_Boat.h"
#include "zones/Zone_NPCSpawner_Boss_Cave.h"
#include "zones/Zone_NPCSpawner_Boss_Final.h"
#include "zones/Zone_NPCSpawner_Boss_Garden.h"
#include "zones/Zone_NPCSpawner_Boss_Snow.h"
#include "zones/Zone_NPCSpawner_Boss_Ultimate.h"
#include "zones/Zone_NPCSpawner_Boss_Underwater.h"
#include "zones/Zone_NPCSpawner_Chained_Skull.h"
#include "zones/Zone_NPCSpawner_CrouchSkull.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Boat.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Ghost.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Strong.h"
#include "zones/Zone_NPCSpawner_Dead_Fish.h"
#include "zones/Zone_NPCSpawner_Door.h"
#include "zones/Zone_NPCSpawner_DreamCatcher.h"
#include "zones/Zone_NPCSpawner_FireDiamond.h"
#include "zones/Zone_NPCSpawner_Fire_Launcher.h"
#include "zones/Zone_NPCSpawner_FloatingSkull.h"
#include "zones/Zone_NPCSpawner_Garden_Plant.h"
#include "zones/Zone_NPCSpawner_JellyFish.h"
#include "zones/Zone_NPCSpawner_Killing_Mechanism.h"
#include "zones/Zone_NPCSpawner_Located_Claw.h"
#include "zones/Zone_NPCSpawner_Lonely_Head.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Bibli.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Boat.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Cave.h"
#include "zones/Zone_NPCSpawner_MiniBoss_FloatingSkull.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Garden.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Snow.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Underwater.h"
#include "zones/Zone_NPCSpawner_Seahorse.h"
#include "zones/Zone_NPCSpawner_Thrower.h"
#include "zones/Zone_PickupObject.h"
#include "zones/Zone_Save.h"
#include "zones/Zone_Teleport.h"
#include "zones/Zone_TriggerScript.h"
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <typeinfo>

namespace {

struct FactoryKey {
    const char* key;
    const char* className;
    bool inLibrary;
    const std::type_info* type;
};

// The factory's keys in their documented order, with the class each makes.
const FactoryKey kSceneObjectKeys[] = {
    {"SceneObject", "SceneObject", false, &typeid(SceneObject)},
    {"GraphicalObject", "GraphicalObject", true, &typeid(GraphicalObject)},
    {"ZoneHolder", "ZoneHolder", true, &typeid(ZoneHolder)},
    {"ZoneSecret", "ZoneSecret", true, &typeid(ZoneSecret)},
    {"CameraBlocker", "CameraBlocker", true, &typeid(CameraBlocker)},
    {"UI_Frame_Dialogue", "UI_Frame_Dialogue", true, &typeid(UI_Frame_Dialogue)},
    {"UI_Frame_Player", "UI_Frame_Player", true, &typeid(UI_Frame_Player)},
    {"UI_Menu", "UI_Menu", true, &typeid(UI_Menu)},
    {"UI_Menu_Page", "UI_Menu_Page", true, &typeid(UI_Menu_Page)},
    {"Zone_LoadMap", "Zone_LoadMap", true, &typeid(Zone_LoadMap)},
    {"Climb_Zone", "Zone_ClimbJump", true, &typeid(Zone_ClimbJump)},
    {"Zone_PickupObject", "Zone_PickupObject", true, &typeid(Zone_PickupObject)},
    {"Zone_NPCSPawner_FloatingSkull", "Zone_NPCSpawner_FloatingSkull", true,
        &typeid(Zone_NPCSpawner_FloatingSkull)},
    {"Zone_NPCSpawner_CrouchSkull", "Zone_NPCSpawner_CrouchSkull", true,
        &typeid(Zone_NPCSpawner_CrouchSkull)},
    {"Zone_NPCSpawner_CrouchSkull_Boat", "Zone_NPCSpawner_CrouchSkull_Boat", true,
        &typeid(Zone_NPCSpawner_CrouchSkull_Boat)},
    {"Zone_NPCSpawner_CrouchSkull_Ghost", "Zone_NPCSpawner_CrouchSkull_Ghost", true,
        &typeid(Zone_NPCSpawner_CrouchSkull_Ghost)},
    {"Zone_NPCSpawner_BoatPlant", "Zone_NPCSpawner_BoatPlant", true, &typeid(Zone_NPCSpawner_BoatPlant)},
    {"Zone_NPCSpawner_CrouchSkull_Strong", "Zone_NPCSpawner_CrouchSkull_Strong", true,
        &typeid(Zone_NPCSpawner_CrouchSkull_Strong)},
    {"Zone_NPCSpawner_Door", "Zone_NPCSpawner_Door", true, &typeid(Zone_NPCSpawner_Door)},
    {"Zone_NPCSpawner_FireDiamond", "Zone_NPCSpawner_FireDiamond", true,
        &typeid(Zone_NPCSpawner_FireDiamond)},
    {"Zone_NPCSpawner_Thrower", "Zone_NPCSpawner_Thrower", true, &typeid(Zone_NPCSpawner_Thrower)},
    {"Zone_NPCSpawner_BoatWorm", "Zone_NPCSpawner_BoatWorm", true, &typeid(Zone_NPCSpawner_BoatWorm)},
    {"Zone_NPCSpawner_DreamCatcher", "Zone_NPCSpawner_DreamCatcher", true,
        &typeid(Zone_NPCSpawner_DreamCatcher)},
    {"Zone_NPCSpawner_Located_Claw", "Zone_NPCSpawner_Located_Claw", true,
        &typeid(Zone_NPCSpawner_Located_Claw)},
    {"Zone_NPCSpawner_Lonely_Head", "Zone_NPCSpawner_Lonely_Head", true,
        &typeid(Zone_NPCSpawner_Lonely_Head)},
    {"Zone_NPCSpawner_Seahorse", "Zone_NPCSpawner_Seahorse", true, &typeid(Zone_NPCSpawner_Seahorse)},
    {"Zone_NPCSpawner_Fire_Launcher", "Zone_NPCSpawner_Fire_Launcher", true,
        &typeid(Zone_NPCSpawner_Fire_Launcher)},
    {"Zone_NPCSpawner_Dead_Fish", "Zone_NPCSpawner_Dead_Fish", true, &typeid(Zone_NPCSpawner_Dead_Fish)},
    {"Zone_NPCSpawner_JellyFish", "Zone_NPCSpawner_JellyFish", true, &typeid(Zone_NPCSpawner_JellyFish)},
    {"Zone_NPCSpawner_MiniBoss_Bibli", "Zone_NPCSpawner_MiniBoss_Bibli", true,
        &typeid(Zone_NPCSpawner_MiniBoss_Bibli)},
    {"Zone_NPCSpawner_MiniBoss_FloatingSkull", "Zone_NPCSpawner_MiniBoss_FloatingSkull", true,
        &typeid(Zone_NPCSpawner_MiniBoss_FloatingSkull)},
    {"Zone_NPCSpawner_MiniBoss_Cave", "Zone_NPCSpawner_MiniBoss_Cave", true,
        &typeid(Zone_NPCSpawner_MiniBoss_Cave)},
    {"Zone_NPCSpawner_MiniBoss_Garden", "Zone_NPCSpawner_MiniBoss_Garden", true,
        &typeid(Zone_NPCSpawner_MiniBoss_Garden)},
    {"Zone_NPCSpawner_MiniBoss_Boat", "Zone_NPCSpawner_MiniBoss_Boat", true,
        &typeid(Zone_NPCSpawner_MiniBoss_Boat)},
    {"Zone_NPCSpawner_MiniBoss_Snow", "Zone_NPCSpawner_MiniBoss_Snow", true,
        &typeid(Zone_NPCSpawner_MiniBoss_Snow)},
    {"Zone_NPCSpawner_MiniBoss_Underwater", "Zone_NPCSpawner_MiniBoss_Underwater", true,
        &typeid(Zone_NPCSpawner_MiniBoss_Underwater)},
    {"Zone_NPCSpawner_Bibli_Ghost", "Zone_NPCSpawner_Bibli_Ghost", true,
        &typeid(Zone_NPCSpawner_Bibli_Ghost)},
    {"Zone_NPCSpawner_Garden_Plant", "Zone_NPCSpawner_Garden_Plant", true,
        &typeid(Zone_NPCSpawner_Garden_Plant)},
    {"Zone_NPCSpawner_Boss_Snow", "Zone_NPCSpawner_Boss_Snow", true, &typeid(Zone_NPCSpawner_Boss_Snow)},
    {"Zone_NPCSpawner_Boss_Garden", "Zone_NPCSpawner_Boss_Garden", true,
        &typeid(Zone_NPCSpawner_Boss_Garden)},
    {"Zone_NPCSpawner_Boss_Underwater", "Zone_NPCSpawner_Boss_Underwater", true,
        &typeid(Zone_NPCSpawner_Boss_Underwater)},
    {"Zone_NPCSpawner_Boss_Bibli", "Zone_NPCSpawner_Boss_Bibli", true, &typeid(Zone_NPCSpawner_Boss_Bibli)},
    {"Zone_NPCSpawner_Boss_Cave", "Zone_NPCSpawner_Boss_Cave", true, &typeid(Zone_NPCSpawner_Boss_Cave)},
    {"Zone_NPCSpawner_Boss_Ultimate", "Zone_NPCSpawner_Boss_Ultimate", true,
        &typeid(Zone_NPCSpawner_Boss_Ultimate)},
    {"Zone_NPCSpawner_Boss_Final", "Zone_NPCSpawner_Boss_Final", true, &typeid(Zone_NPCSpawner_Boss_Final)},
    {"Zone_NPCSpawner_Boss_Boat", "Zone_NPCSpawner_Boss_Boat", true, &typeid(Zone_NPCSpawner_Boss_Boat)},
    {"Zone_NPCSpawner_Boss2_Garden", "Zone_NPCSpawner_Boss2_Garden", true,
        &typeid(Zone_NPCSpawner_Boss2_Garden)},
    {"Zone_NPCSpawner_Boss2_Bibli", "Zone_NPCSpawner_Boss2_Bibli", true,
        &typeid(Zone_NPCSpawner_Boss2_Bibli)},
    {"Zone_NPCSpawner_Boss2_Boat", "Zone_NPCSpawner_Boss2_Boat", true, &typeid(Zone_NPCSpawner_Boss2_Boat)},
    {"Zone_NPCSpawner_Boss2_Cave", "Zone_NPCSpawner_Boss2_Cave", true, &typeid(Zone_NPCSpawner_Boss2_Cave)},
    {"Zone_NPCSpawner_Boss2_Underwater", "Zone_NPCSpawner_Boss2_Underwater", true,
        &typeid(Zone_NPCSpawner_Boss2_Underwater)},
    {"Zone_NPCSpawner_Boss2_Snow", "Zone_NPCSpawner_Boss2_Snow", true, &typeid(Zone_NPCSpawner_Boss2_Snow)},
    {"Zone_NPCSpawner_Killing_Mechanism", "Zone_NPCSpawner_Killing_Mechanism", true,
        &typeid(Zone_NPCSpawner_Killing_Mechanism)},
    {"Zone_NPCSpawner_Chained_Skull", "Zone_NPCSpawner_Chained_Skull", true,
        &typeid(Zone_NPCSpawner_Chained_Skull)},
    {"Point_PlayerStart", "Point_PlayerStart", true, &typeid(Point_PlayerStart)},
    {"Zone_Save", "Zone_Save", true, &typeid(Zone_Save)},
    {"Point_MinimapLocation", "Point_MinimapLocation", true, &typeid(Point_MinimapLocation)},
    {"Zone_Teleport", "Zone_Teleport", true, &typeid(Zone_Teleport)},
    {"Zone_TriggerZone", "Zone_TriggerScript", true, &typeid(Zone_TriggerScript)},
};

std::string Write(SceneObject& object)
{
    std::ostringstream os;
    EXPECT_TRUE(object.Serialize(os));
    return os.str();
}

TEST(SceneObjectFactory, EveryKeyMakesItsClassWithTheNameAndOwnsIt)
{
    ASSERT_EQ(std::size(kSceneObjectKeys), 59u);
    Game game;
    for (const FactoryKey& entry : kSceneObjectKeys) {
        SCOPED_TRACE(entry.key);
        const std::string name = std::string("Made_") + entry.key;
        SceneObject* object = game.CreateSceneObjectByClass(name, entry.key, "");
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(typeid(*object), *entry.type);
        EXPECT_EQ(object->GetName(), name);
        EXPECT_EQ(object->GetVersionedClassName(), std::string(entry.className) + "V0");
        EXPECT_EQ(game.sceneObjects.back(), object);
    }
    EXPECT_EQ(game.sceneObjects.size(), 59u);
}

TEST(SceneObjectFactory, UnknownAndWrongCaseKeysMakeNothing)
{
    Game game;
    for (const char* key : {"Zone_TriggerScript", "Zone_ClimbJump", "Zone_NPCSpawner_FloatingSkull",
             "graphicalobject", "GRAPHICALOBJECT", "UI_Frame", "CharacterObject", "", "GraphicalObject "}) {
        EXPECT_EQ(game.CreateSceneObjectByClass("x", key, ""), nullptr) << key;
    }
    EXPECT_TRUE(game.sceneObjects.empty());
}

TEST(SceneObjectFactory, CategoryReplacesTheClassDefaultOnlyWhenGiven)
{
    Game game;
    EXPECT_EQ(game.CreateSceneObjectByClass("z", "Zone_Save", "")->GetCategory(), "(game play)");
    EXPECT_EQ(game.CreateSceneObjectByClass("z", "Zone_Save", "Saves")->GetCategory(), "Saves");
    EXPECT_EQ(game.CreateSceneObjectByClass("s", "SceneObject", "")->GetCategory(), "(Default)");
}

TEST(SceneObjectFactory, LibraryRecordsAreChosenByTheClassNameNotTheKey)
{
    Game maker;
    std::string library;
    for (const FactoryKey& entry : kSceneObjectKeys) {
        if (entry.inLibrary)
            library += Write(*maker.CreateSceneObjectByClass(std::string("Lib_") + entry.key, entry.key, ""));
    }
    Game game;
    std::istringstream in(library);
    for (const FactoryKey& entry : kSceneObjectKeys) {
        if (!entry.inLibrary)
            continue;
        SCOPED_TRACE(entry.key);
        SceneObject* object = Game::UnSerializeSceneObjects(in, &game);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(typeid(*object), *entry.type);
        EXPECT_EQ(object->GetName(), std::string("Lib_") + entry.key);
    }
    // Only the plain graphical object enters the name map.
    ASSERT_EQ(game.nameMap.size(), 1u);
    EXPECT_EQ(game.nameMap.begin()->first, "Lib_GraphicalObject");
}

TEST(SceneObjectFactory, RecordsOfTheBaseFrameTheBaseObjectOrAKeyLine)
{
    Game game;
    GraphicalObject frame("Frame");
    std::string record = Write(frame);
    record.replace(0, record.find('\r'), "UI_FrameV0");
    std::istringstream frameIn(record);
    SceneObject* made = Game::UnSerializeSceneObjects(frameIn, &game);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(typeid(*made), typeid(UI_Frame_Dialogue));

    for (const char* classLine :
        {"SceneObjectV0", "Climb_ZoneV0", "Zone_TriggerZoneV0", "CameraBlockerV1", ""}) {
        std::string bad = Write(frame);
        bad.replace(0, bad.find('\r'), classLine);
        std::istringstream in(bad);
        const size_t before = game.sceneObjects.size();
        EXPECT_EQ(Game::UnSerializeSceneObjects(in, &game), nullptr) << classLine;
        EXPECT_EQ(game.sceneObjects.size(), before) << classLine;
    }
}

TEST(SceneObjectFactory, OldUpdateTagSkipsFourLinesAndNameMapKeepsTheFirst)
{
    Game game;
    GraphicalObject first("Twin");
    first.SetCategory("first");
    GraphicalObject second("Twin");
    second.SetCategory("second");
    std::istringstream in(
        "_GraphicalObject_updatetag_1.4_\r\na\r\nb\r\nc\r\nd\r\n" + Write(first) + Write(second));
    SceneObject* a = Game::UnSerializeSceneObjects(in, &game);
    SceneObject* b = Game::UnSerializeSceneObjects(in, &game);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->GetCategory(), "first");
    EXPECT_EQ(game.sceneObjects.size(), 2u);
    EXPECT_EQ(game.nameMap.at("Twin"), a);
    EXPECT_EQ(game.FindGraphicalObject("Twin", false), a);
}

TEST(SceneObjectFactory, ADamagedRecordFailsButTheObjectStaysOwned)
{
    Game game;
    // A sprite count far beyond what the stream holds.
    std::istringstream in(
        "GraphicalObjectV0\nCut\n(Default)\n_SceneObject_updatetag_1.0_\n1\n2\n3\n4\n32\n32\n4000000000\n");
    EXPECT_EQ(Game::UnSerializeSceneObjects(in, &game), nullptr);
    EXPECT_EQ(game.sceneObjects.size(), 1u);
    EXPECT_TRUE(game.nameMap.empty());
}

} // namespace
