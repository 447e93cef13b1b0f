#include "tools/world/ZonePayloads.h"
#include "engine/serial/LineReaders.h"
#include "scene/PayloadFactory.h"
#include "scene/SceneObjectInstance.h"
#include "tools/world/WorldText.h"
#include "zones/Point_MinimapLocation.h"
#include "zones/Point_PlayerStart.h"
#include "zones/ZoneSecret.h"
#include "zones/Zone_LoadMap.h"
#include "zones/Zone_NPCSpawner_Door.h"
#include "zones/Zone_NPCSpawner_FloatingSkull.h"
#include "zones/Zone_PickupObject.h"
#include "zones/Zone_Save.h"
#include "zones/Zone_TriggerScript.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

// The payloads the level tool writes for placed zones and points: made by
// the engine's classes, carrying the description's options, and read back by
// the game's own payload reader to the same record.
namespace {

ModelInstance Placed(const std::string& object, const std::string& name, int w, int h,
    std::map<std::string, std::string> options, std::vector<std::string> script = {})
{
    ModelInstance i;
    i.object = object;
    i.name = name;
    i.w = w;
    i.h = h;
    i.options = std::move(options);
    i.script = std::move(script);
    i.line = 7;
    return i;
}

// The payload as the game's level reader makes it from the record written.
std::unique_ptr<SceneObjectInstance> ReadBack(SceneObjectInstance& payload)
{
    std::ostringstream os;
    payload.Serialize(os);
    std::istringstream is(os.str());
    std::string key;
    ReadTextLine(is, key);
    return CreatePayloadByKey(key, is);
}

template <class T> const T& As(const std::unique_ptr<SceneObjectInstance>& payload)
{
    const T* typed = dynamic_cast<const T*>(payload.get());
    if (typed == nullptr)
        throw std::runtime_error("the payload is not of the expected class");
    return *typed;
}

TEST(ZonePayloadsTest, EachTypeCarriesItsOptionsThroughTheGamesReader)
{
    using Payload = std::unique_ptr<SceneObjectInstance>;
    const struct {
        ModelInstance placed;
        std::function<void(const Payload&)> check;
    } cases[] = {
        {Placed("Zone_LoadMap", "to_tp01", 32, 96, {{"level", "Cimetery_TP_01.lvl"}, {"start", "from_c01"}}),
            [](const Payload& p) {
                EXPECT_EQ(As<Zone_LoadMap::Instance>(p).levelFile.value, "Cimetery_TP_01.lvl");
                EXPECT_EQ(As<Zone_LoadMap::Instance>(p).startPoint.value, "from_c01");
                EXPECT_EQ(As<ZoneInstance>(p).GetSize(), Point<int>(32, 96));
            }},
        {Placed("Zone_Save", "save", 32, 96, {{"dir", "Right"}}),
            [](const Payload& p) { EXPECT_EQ(As<Zone_Save::Instance>(p).direction.value, "Right"); }},
        // The game finds a start point by the payload's name: the name= option
        // is that name, and the start name beside it.
        {Placed("Point_PlayerStart", "from_c01", 0, 0, {{"name", "from_cemetery_01"}}),
            [](const Payload& p) {
                EXPECT_EQ(p->GetName(), "from_cemetery_01");
                EXPECT_EQ(As<Point_PlayerStart::Instance>(p).GetName(), "from_cemetery_01");
            }},
        {Placed("Point_PlayerStart", "start", 0, 0, {}),
            [](const Payload& p) {
                EXPECT_EQ(p->GetName(), "start");
                EXPECT_EQ(As<Point_PlayerStart::Instance>(p).GetName(), "start");
            }},
        {Placed("Point_MinimapLocation", "marker", 0, 0, {{"cell", "14 22"}}),
            [](const Payload& p) {
                EXPECT_EQ(As<Point_MinimapLocation::Instance>(p).point.value, Point<int>(14, 22));
            }},
        {Placed("Zone_PickupObject", "map_01", 32, 32, {{"kind", "20"}, {"param", "12 22-20 22;21 21"}}),
            [](const Payload& p) {
                EXPECT_EQ(As<Zone_PickupObject::Instance>(p).kind.value, 20);
                EXPECT_EQ(As<Zone_PickupObject::Instance>(p).parameter.value, "12 22-20 22;21 21");
            }},
        {Placed("Zone_TriggerZone", "lever", 32, 64, {{"graphic", "Actor_Lever_Off"}},
             {":OnHit", "IfVar lever == 1", "(", ")"}),
            [](const Payload& p) {
                const auto& trigger = As<Zone_TriggerScript::Instance>(p);
                EXPECT_EQ(trigger.scriptText.value, ":OnHit;IfVar lever == 1;(;)");
                EXPECT_EQ(trigger.graphicName.value, "Actor_Lever_Off");
                EXPECT_EQ(trigger.GetName(), "lever");
            }},
        {Placed("Zone_NPCSpawner_Door", "door", 0, 0, {{"DoorKind", "3"}, {"DoorSide", "1"}}),
            [](const Payload& p) {
                EXPECT_EQ(As<Zone_NPCSpawner_Door::Instance>(p).DoorKind.value, 3);
                EXPECT_EQ(As<Zone_NPCSpawner_Door::Instance>(p).DoorSide.value, 1);
                // Placed without a size, a door keeps its own: one tile by three.
                EXPECT_EQ(As<ZoneInstance>(p).GetSize(), Point<int>(32, 96));
            }},
        {Placed(
             "Zone_NPCSPawner_FloatingSkull", "skulls", 320, 160, {{"SpawnCount", "2"}, {"SkullKind", "2"}}),
            [](const Payload& p) {
                EXPECT_EQ(As<Zone_NPCSpawner_FloatingSkull::Instance>(p).SpawnCount.value, 2);
                EXPECT_EQ(As<Zone_NPCSpawner_FloatingSkull::Instance>(p).SkullKind.value, 2);
                EXPECT_EQ(As<ZoneInstance>(p).GetSize(), Point<int>(320, 160));
            }},
        {Placed("Climb_Zone", "", 32, 96, {}),
            [](const Payload& p) { EXPECT_EQ(As<ZoneInstance>(p).GetSize(), Point<int>(32, 96)); }},
        // A secret zone's reader names every secret zone alike.
        {Placed("ZoneSecret", "crypt_secret", 64, 64, {}),
            [](const Payload& p) { EXPECT_EQ(As<ZoneSecret::Instance>(p).GetName(), "ZoneSecret"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.placed.object + " " + c.placed.name);
        Payload made = MakePayload(c.placed, "t.lvd");
        ASSERT_TRUE(made);
        Payload read = ReadBack(*made);
        ASSERT_TRUE(read);
        c.check(made);
        c.check(read);
        if (c.placed.object != "ZoneSecret" && c.placed.object != "Point_PlayerStart") {
            EXPECT_EQ(read->GetName(), c.placed.name);
        }
    }
}

TEST(ZonePayloadsTest, EveryZoneAndPointTypeOfTheLibraryHasAPayloadAndPropsHaveNone)
{
    for (const char* object : {"Zone_LoadMap", "Zone_Teleport", "Zone_NPCSpawner_Thrower", "ZoneHolder",
             "Zone_NPCSpawner_Boss_Ultimate", "Point_PlayerStart", "Climb_Zone", "Zone_TriggerZone"}) {
        EXPECT_TRUE(HasPayload(object)) << object;
        const bool point = std::string(object).rfind("Point_", 0) == 0;
        EXPECT_TRUE(MakePayload(Placed(object, "x", point ? 0 : 32, point ? 0 : 32, {}), "t.lvd")) << object;
    }
    for (const char* object : {"Coll_cube_32", "CameraBlocker_Left", "Deco_Grave_A"}) {
        EXPECT_FALSE(HasPayload(object)) << object;
        EXPECT_FALSE(MakePayload(Placed(object, "", 0, 0, {}), "t.lvd")) << object;
    }
}

TEST(ZonePayloadsTest, BadOptionsAreRefusedNamingTheLineWhatWasExpectedAndFound)
{
    const struct {
        ModelInstance placed;
        const char* message;
    } cases[] = {
        {Placed("Zone_Save", "s", 32, 96, {{"dir", "Right"}, {"colour", "red"}}),
            "t.lvd:7: expected an option of Zone_Save (dir=), found \"colour=red\""},
        {Placed("Zone_PickupObject", "p", 32, 32, {{"kind", "x"}}),
            "t.lvd:7: expected a pickup kind from 0 to 28 for kind=, found \"x\""},
        {Placed("Zone_PickupObject", "p", 32, 32, {{"kind", "29"}}),
            "t.lvd:7: expected a pickup kind from 0 to 28 for kind=, found \"29\""},
        {Placed("Zone_PickupObject", "p", 32, 32, {{"kind", "-1"}}), "expected a pickup kind from 0 to 28"},
        // A map piece without cells would uncover nothing.
        {Placed("Zone_PickupObject", "p", 32, 32, {{"kind", "20"}}),
            "t.lvd:7: expected the cells of a map piece in param= (\"X Y\" or \"X1 Y1-X2 Y2\", \";\" "
            "between), "
            "found \"\""},
        {Placed("Zone_PickupObject", "p", 32, 32, {{"kind", "20"}, {"param", "12;x"}}),
            "expected the cells of a map piece"},
        {Placed("Zone_NPCSpawner_Door", "d", 0, 0, {{"DoorKind", "one"}}),
            "t.lvd:7: expected a whole number for DoorKind=, found \"one\""},
        {Placed("Zone_NPCSPawner_FloatingSkull", "s", 32, 32, {{"SpawnCount", "2.5"}}),
            "expected a whole number for SpawnCount=, found \"2.5\""},
        {Placed("Zone_NPCSPawner_FloatingSkull", "s", 32, 32, {{"SpawnCount", "99999999999"}}),
            "expected a whole number for SpawnCount="},
        {Placed("Point_MinimapLocation", "m", 0, 0, {{"cell", "14"}}),
            "expected two whole numbers \"X Y\" for cell=, found \"14\""},
        {Placed("Zone_Teleport", "tp", 64, 96, {{"level", "a.lvl"}}),
            "t.lvd:7: expected no option for Zone_Teleport, found \"level=a.lvl\""},
        {Placed("Deco_Grave_A", "", 0, 0, {{"dir", "Right"}}), "expected no option for Deco_Grave_A"},
        {Placed("Point_PlayerStart", "s", 64, 64, {}),
            "t.lvd:7: expected no size for a point (it is a position), found \"2x2\""},
        {Placed("Zone_LoadMap", "out", 32, 96, {{"level", "a.lvl"}, {"DoorKind", "1"}}),
            "expected an option of Zone_LoadMap (level=, start=), found \"DoorKind=1\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            MakePayload(c.placed, "t.lvd");
            ADD_FAILURE() << "accepted";
        } catch (const WorldError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

} // namespace
