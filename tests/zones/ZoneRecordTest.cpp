#include "engine/serial/IntSerialize.h"
#include "engine/serial/VectorSerialize.h"
#include "game/Game.h"
#include "scene/Level.h"
#include "scene/PayloadFactory.h"
#include "zones/Point_PlayerStart.h"
#include "zones/ZoneHolder.h"
#include "zones/ZoneSecret.h"
#include "zones/Zone_LoadMap.h"
#include "zones/Zone_NPCSpawner_FloatingSkull.h"
#include "zones/Zone_PickupObject.h"
#include "zones/Zone_TriggerScript.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string Write(SceneObjectInstance& instance)
{
    std::ostringstream os;
    EXPECT_TRUE(instance.Serialize(os));
    return os.str();
}

// Reads a record the way a placed instance does: the class line picks the class.
std::unique_ptr<SceneObjectInstance> ReadPayload(const std::string& text)
{
    std::istringstream is(text);
    std::string key;
    std::getline(is, key);
    if (!key.empty() && key.back() == '\r')
        key.pop_back();
    return CreatePayloadByKey(key, is);
}

const char* const kPayloadKeys[]
    = {"ZoneHolder::InstanceV0", "ZoneSecret::InstanceV0", "Zone_LoadMap::InstanceV0",
        "Zone_Teleport::InstanceV0", "Zone_Save::InstanceV0", "Zone_PickupObject::InstanceV0",
        "ZoneInstanceV0", "Zone_ClimbJump::InstanceV0", "Zone_NPCSpawner_FloatingSkull::InstanceV0",
        "Zone_NPCSpawner_DreamCatcher::InstanceV0", "Zone_NPCSpawner_CrouchSkull::InstanceV0",
        "Zone_NPCSpawner_CrouchSkull_Boat::InstanceV0", "Zone_NPCSpawner_CrouchSkull_Ghost::InstanceV0",
        "Zone_NPCSpawner_CrouchSkull_Strong::InstanceV0", "Zone_NPCSpawner_Lonely_Head::InstanceV0",
        "Zone_NPCSpawner_Door::InstanceV0", "Zone_NPCSpawner_BoatPlant::InstanceV0",
        "Zone_NPCSpawner_Located_Claw::InstanceV0", "Zone_NPCSpawner_FireDiamond::InstanceV0",
        "Zone_NPCSpawner_Thrower::InstanceV0", "Zone_NPCSpawner_BoatWorm::InstanceV0",
        "Zone_NPCSpawner_Seahorse::InstanceV0", "Zone_NPCSpawner_Fire_Launcher::InstanceV0",
        "Zone_NPCSpawner_Killing_Mechanism::InstanceV0", "Zone_NPCSpawner_Dead_Fish::InstanceV0",
        "Zone_NPCSpawner_JellyFish::InstanceV0", "Zone_NPCSpawner_Chained_Skull::InstanceV0",
        "Zone_NPCSpawner_MiniBoss_Boat::InstanceV0", "Zone_NPCSpawner_MiniBoss_Bibli::InstanceV0",
        "Zone_NPCSpawner_MiniBoss_FloatingSkull::InstanceV0", "Zone_NPCSpawner_MiniBoss_Garden::InstanceV0",
        "Zone_NPCSpawner_MiniBoss_Cave::InstanceV0", "Zone_NPCSpawner_MiniBoss_Snow::InstanceV0",
        "Zone_NPCSpawner_MiniBoss_Underwater::InstanceV0", "Zone_NPCSpawner_Garden_Plant::InstanceV0",
        "Zone_NPCSpawner_Boss_Cave::InstanceV0", "Zone_NPCSpawner_Boss_Final::InstanceV0",
        "Zone_NPCSpawner_Boss_Bibli::InstanceV0", "Zone_NPCSpawner_Boss_Garden::InstanceV0",
        "Zone_NPCSpawner_Boss2_Boat::InstanceV0", "Zone_NPCSpawner_Boss2_Bibli::InstanceV0",
        "Zone_NPCSpawner_Boss2_Cave::InstanceV0", "Zone_NPCSpawner_Boss2_Garden::InstanceV0",
        "Zone_NPCSpawner_Boss2_Snow::InstanceV0", "Zone_NPCSpawner_Boss2_Underwater::InstanceV0",
        "Zone_NPCSpawner_Boss_Boat::InstanceV0", "Zone_NPCSpawner_Boss_Underwater::InstanceV0",
        "Zone_NPCSpawner_Boss_Ultimate::InstanceV0", "Zone_NPCSpawner_Boss_Snow::InstanceV0",
        "Zone_NPCSpawner_Bibli_Ghost::InstanceV0", "Zone_TriggerScript::InstanceV0",
        "Point_PlayerStart::PointInstanceV0", "Point_MinimapLocation::PointInstanceV0"};

// Every key reads a record of its class: the record its own writer makes
// from a value for each member, which reads back into the same text.
TEST(ZoneRecord, EveryPayloadKeyRoundTripsByteForByte)
{
    for (const char* key : kPayloadKeys) {
        SCOPED_TRACE(key);
        ASSERT_TRUE(IsPayloadKey(key));
        std::istringstream empty("");
        // A default record: what the class writes for a fresh instance.
        std::unique_ptr<SceneObjectInstance> fresh = ReadPayload(std::string(key) + "\r\n"
            + Lines({std::string(SceneObjectInstance::kTagFormat), "2", "0",
                std::string(SceneObjectInstance::kTagId), "5"}));
        ASSERT_NE(fresh, nullptr);
        const bool secret = std::string(key) == "ZoneSecret::InstanceV0";
        fresh->SetName(secret ? "ZoneSecret" : "placed_one");
        fresh->SetSaveIndex(12);
        const std::string text = Write(*fresh);
        // The older plain key reads a pickup and writes the pickup's own key.
        const std::string ownKey
            = std::string(key) == "ZoneInstanceV0" ? "Zone_PickupObject::InstanceV0" : key;
        EXPECT_EQ(text.substr(0, ownKey.size() + 2), ownKey + "\r\n");
        std::unique_ptr<SceneObjectInstance> read = ReadPayload(text);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(Write(*read), text);
        EXPECT_EQ(read->GetSaveIndex(), 12);
    }
    EXPECT_FALSE(IsPayloadKey("Point_PlayerStart::InstanceV0"));
    EXPECT_FALSE(IsPayloadKey("NULL"));
    std::istringstream is("");
    EXPECT_EQ(CreatePayloadByKey("Unknown::InstanceV0", is), nullptr);
}

// A start point writes its format number as it stands, where every other
// record writes 2; a stored 0 reads as 1, so a 0 (a fresh start point, or
// one read without the tag) is written as the 1 it reads back as.
TEST(ZoneRecord, AStartPointWritesItsFormatUnchanged)
{
    const struct {
        const char* stored; // null: a fresh start point
        const char* written;
    } cases[] = {{nullptr, "1"}, {"0", "1"}, {"1", "1"}, {"2", "2"}, {"5", "5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored != nullptr ? c.stored : "fresh");
        std::unique_ptr<SceneObjectInstance> start = std::make_unique<Point_PlayerStart::Instance>();
        if (c.stored != nullptr) {
            start = ReadPayload(
                Lines({"Point_PlayerStart::PointInstanceV0", std::string(SceneObjectInstance::kTagFormat),
                    c.stored, "2", "here", "unused", std::string(SceneObjectInstance::kTagId), "4"}));
            ASSERT_NE(start, nullptr);
        }
        const std::vector<std::string> lines
            = {"Point_PlayerStart::PointInstanceV0", std::string(SceneObjectInstance::kTagFormat), c.written};
        EXPECT_EQ(Write(*start).rfind(Lines(lines), 0), 0u) << Write(*start);
    }
}

TEST(ZoneRecord, ZoneHolderIsWrittenLineByLine)
{
    ZoneHolder::Instance zone;
    zone.SetName("door1");
    zone.SetSize(Point<int>(64, 32));
    zone.SetSaveIndex(7);
    const std::string expected = Lines({"ZoneHolder::InstanceV0", "_SceneObjectInstance_updatetag_1.1_", "2",
        "3", "door1", "64", "32", "0", "0", "_SceneObjectInstance_updatetag_1.0_", "7"});
    EXPECT_EQ(Write(zone), expected);
}

// Older records: absent members keep their defaults, a missing tag is put
// back for the next reader.
TEST(ZoneRecord, OlderFormatsReadWithTheDefaultsOfAbsentMembers)
{
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        std::string name;
        Point<int> size;
        Point<int> offset;
        int id;
    };
    const Case cases[] = {
        {"no format tag, count 1: the size only", {"ZoneHolder::InstanceV0", "1", "48", "16", "next"}, "",
            {48, 16}, {0, 0}, -1},
        {"format 1, count 3: members 0, 1 and 3",
            {"ZoneHolder::InstanceV0", std::string(SceneObjectInstance::kTagFormat), "1", "2", "n", "48",
                "16", std::string(SceneObjectInstance::kTagId), "4", "next"},
            "n", {48, 16}, {0, 0}, 4},
        {"stored format 0 reads as 1",
            {"ZoneHolder::InstanceV0", std::string(SceneObjectInstance::kTagFormat), "0", "2", "z", "8", "9",
                "next"},
            "z", {8, 9}, {0, 0}, -1},
        {"a size below 1, read as written", {"ZoneHolder::InstanceV0", "1", "-5", "50", "next"}, "", {-5, 50},
            {0, 0}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::istringstream is(Lines(c.lines));
        std::string key;
        std::getline(is, key);
        std::unique_ptr<SceneObjectInstance> read = CreatePayloadByKey("ZoneHolder::InstanceV0", is);
        ASSERT_NE(read, nullptr);
        auto* zone = dynamic_cast<ZoneInstance*>(read.get());
        EXPECT_EQ(zone->GetName(), c.name);
        EXPECT_EQ(zone->GetSize(), c.size);
        EXPECT_EQ(zone->GetOffset(), c.offset);
        EXPECT_EQ(zone->GetSaveIndex(), c.id);
        std::string next;
        std::getline(is, next);
        EXPECT_EQ(next, "next\r");
    }
}

TEST(ZoneRecord, DamagedRecordsFailAndLeaveTheInstanceAsItWas)
{
    const std::string tag(SceneObjectInstance::kTagFormat);
    const std::vector<std::vector<std::string>> damaged = {
        {tag, "2", "4", "a", "1", "1", "0", "0", "x"}, // more members than the class has
        {tag, "2", "-1", "a"},                         // a count that wraps
        {tag, "2", "2", "a", "99999999", "32"},        // a size beyond any level
        {tag, "2", "3", "a", "32", "32", "1"},         // the offset cut short
        {tag, "two"},                                  // no format number
    };
    for (const auto& lines : damaged) {
        ZoneHolder::Instance zone;
        zone.SetName("kept");
        zone.SetSize(Point<int>(10, 20));
        zone.SetSaveIndex(3);
        std::istringstream is(Lines(lines));
        EXPECT_FALSE(zone.UnSerialize(is)) << lines[2];
        EXPECT_EQ(zone.GetName(), "kept");
        EXPECT_EQ(zone.GetSize(), Point<int>(10, 20));
        EXPECT_EQ(zone.GetSaveIndex(), 3);
        EXPECT_EQ(ReadPayload("ZoneHolder::InstanceV0\r\n" + Lines(lines)), nullptr);
    }
}

TEST(ZoneRecord, TaggedMembersOfExitsStartPointsAndSkullSpawners)
{
    const std::string tag(SceneObjectInstance::kTagFormat);
    const std::string idTag(SceneObjectInstance::kTagId);
    // An exit without the start point's tag loads its level file only.
    auto exit = ReadPayload(Lines(
        {"Zone_LoadMap::InstanceV0", tag, "2", "5", "e", "32", "32", "0", "0", "cave_01.lvl", idTag, "1"}));
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(dynamic_cast<Zone_LoadMap::Instance&>(*exit).levelFile.value, "cave_01.lvl");
    EXPECT_EQ(dynamic_cast<Zone_LoadMap::Instance&>(*exit).startPoint.value, "");

    // A start point of format 0 (no tag) with count 2 reads member 1, then
    // tries the name's tag, which is absent.
    auto start = ReadPayload(Lines({"Point_PlayerStart::PointInstanceV0", "2", "unused", idTag, "3"}));
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(dynamic_cast<Point_PlayerStart::Instance&>(*start).GetName(), "");
    EXPECT_EQ(start->GetSaveIndex(), 3);
    Point_PlayerStart::Instance named;
    named.SetStartName("from_cave");
    const std::string startText = Write(named);
    auto back = ReadPayload(startText);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(dynamic_cast<Point_PlayerStart::Instance&>(*back).GetName(), "from_cave");

    // A skull spawner of count 4 without the kind's marker: kind 0.
    auto skulls = ReadPayload(Lines({"Zone_NPCSpawner_FloatingSkull::InstanceV0", tag, "2", "4", "s", "32",
        "32", "0", "0", "3", idTag, "-1"}));
    ASSERT_NE(skulls, nullptr);
    auto& skull = dynamic_cast<Zone_NPCSpawner_FloatingSkull::Instance&>(*skulls);
    EXPECT_EQ(skull.SpawnCount.value, 3);
    EXPECT_EQ(skull.SkullKind.value, 0);
    // Written unnumbered, it stays -1 and its kind follows the marker.
    skull.SkullKind.value = 2;
    const std::string text = Write(skull);
    EXPECT_NE(
        text.find("Zone_NPCSpawner_FloatingSkull::Instance_updatetag_1.0_\r\n2\r\n"), std::string::npos);
    auto again = ReadPayload(text);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(dynamic_cast<Zone_NPCSpawner_FloatingSkull::Instance&>(*again).SkullKind.value, 2);
    EXPECT_EQ(again->GetSaveIndex(), -1);
    // A count past its five members reads nothing more for them.
    auto longer = ReadPayload(
        Lines({"Zone_NPCSpawner_FloatingSkull::InstanceV0", tag, "2", "4000000000", "s", "32", "32", "0", "0",
            "3", std::string(Zone_NPCSpawner_FloatingSkull::Instance::kTagSkullKind), "1", idTag, "5"}));
    ASSERT_NE(longer, nullptr);
    EXPECT_EQ(dynamic_cast<Zone_NPCSpawner_FloatingSkull::Instance&>(*longer).SkullKind.value, 1);
    EXPECT_EQ(longer->GetSaveIndex(), 5);
}

TEST(ZoneRecord, AnUnnumberedInstanceTakesTheCurrentLevelsNextNumber)
{
    Game game;
    Level level("numbered");
    game.SetCurrentLevel(&level);
    const std::string idTag(SceneObjectInstance::kTagId);
    ZoneHolder::Instance first;
    ZoneHolder::Instance second;
    // Numbers go out in the order of writing and the level counts on.
    EXPECT_NE(Write(first).find(idTag + "\r\n0\r\n"), std::string::npos);
    EXPECT_NE(Write(second).find(idTag + "\r\n1\r\n"), std::string::npos);
    EXPECT_EQ(level.GetNextInstanceIndex(), 2);
    // Written again, an instance keeps its number.
    EXPECT_NE(Write(first).find(idTag + "\r\n0\r\n"), std::string::npos);
    EXPECT_EQ(first.GetSaveIndex(), 0);
    EXPECT_EQ(level.GetNextInstanceIndex(), 2);
    game.SetCurrentLevel(nullptr);
}

TEST(ZoneRecord, SecretZonesAreNamedZoneSecretAndScriptsStandOnOneLine)
{
    ZoneSecret::Instance secret;
    secret.SetName("hidden_room");
    auto read = ReadPayload(Write(secret));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetName(), "ZoneSecret");

    Zone_TriggerScript::Instance trigger;
    trigger.scriptText.value = ":OnEnter\nsay hello\nend";
    const std::string text = Write(trigger);
    EXPECT_NE(text.find(":OnEnter;say hello;end\r\n"), std::string::npos);
    auto back = ReadPayload(text);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(dynamic_cast<Zone_TriggerScript::Instance&>(*back).scriptText.value, ":OnEnter;say hello;end");
}

TEST(ZoneRecord, PickupStateGoesToTheSaveRecordAndComesBack)
{
    Zone_PickupObject::Instance pickup;
    pickup.SetSaveIndex(9);
    VectorSerialize states(true);
    pickup.SaveState(&states);
    pickup.SetEnabled(false);
    pickup.SaveState(&states);
    ASSERT_EQ(states.Size(), 4u);
    EXPECT_EQ(states.As<IntSerialize>(0)->value, 9);
    EXPECT_EQ(states.As<IntSerialize>(1)->value, 1);
    EXPECT_EQ(states.As<IntSerialize>(3)->value, 0);

    Zone_PickupObject::Instance loaded;
    loaded.LoadState(&states, 3);
    EXPECT_FALSE(loaded.IsEnabled());
    loaded.LoadState(&states, 1);
    EXPECT_TRUE(loaded.IsEnabled());
    // Out of range or no list: nothing changes.
    loaded.LoadState(&states, 4);
    loaded.LoadState(&states, -1);
    loaded.LoadState(nullptr, 0);
    EXPECT_TRUE(loaded.IsEnabled());
}

TEST(ZoneRecord, MapPieceTextsNameTheirCells)
{
    using Cells = std::vector<Point<int>>;
    EXPECT_EQ(Zone_PickupObject::ParseMapCells("3 4;10 2-12 3"),
        (Cells {{3, 4}, {10, 2}, {11, 2}, {12, 2}, {10, 3}, {11, 3}, {12, 3}}));
    EXPECT_EQ(Zone_PickupObject::ParseMapCells("5 5-"), (Cells {{5, 5}}));
    EXPECT_EQ(Zone_PickupObject::ParseMapCells("5 5-7"), (Cells {{5, 5}}));
    EXPECT_TRUE(Zone_PickupObject::ParseMapCells("7").empty());
    EXPECT_TRUE(Zone_PickupObject::ParseMapCells("7 ").empty());
    EXPECT_EQ(Zone_PickupObject::ParseMapCells("a b"), (Cells {{0, 0}}));
    // A huge range names no more cells than the map holds.
    EXPECT_LE(Zone_PickupObject::ParseMapCells("0 0-2000000000 2000000000").size(), 66u * 66u);
}

} // namespace
