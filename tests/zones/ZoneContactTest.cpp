#include "characters/Player.h"
#include "game/Game.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "script/Script.h"
#include "zones/Point_MinimapLocation.h"
#include "zones/Point_PlayerStart.h"
#include "zones/ZoneHolder.h"
#include "zones/Zone_ClimbJump.h"
#include "zones/Zone_LoadMap.h"
#include "zones/Zone_Save.h"
#include "zones/Zone_Teleport.h"
#include "zones/Zone_TriggerScript.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Placed = SpacialInstance<GraphicalObject, float>;

// A zone that notes its events in order.
struct RecordingZone : GameplayObject_Zone {
    RecordingZone()
        : GameplayObject_Zone("Recording")
    {
    }
    void OnEnter(Placed*) override { events.push_back("Enter"); }
    void OnEnterOnce(Placed*) override { events.push_back("EnterOnce"); }
    void OnLeaveOnce(Placed*) override { events.push_back("LeaveOnce"); }
    void OnLeave(Placed*) override { events.push_back("Leave"); }
    std::vector<std::string> events;
};

// A game with a player of 20 x 40 and zones placed at (100, 200).
class ZoneContact : public ::testing::Test {
protected:
    ZoneContact()
    {
        auto newPlayer = std::make_unique<Player>("Player");
        newPlayer->SetSize(20, 40);
        player = newPlayer.get();
        game.SetPlayer(std::move(newPlayer));
    }

    // Places the type with a fresh instance of it (a plain zone's for a type
    // without one), 32 x 32 unless given.
    Placed& Place(GameplayObject& type, Point<int> size = Point<int>(32, 32))
    {
        auto& placed = placements.emplace_back(std::make_unique<Placed>(&type, 100.0f, 200.0f));
        std::unique_ptr<SceneObjectInstance> payload(type.CreateInstance());
        if (!payload)
            payload = std::make_unique<ZoneHolder::Instance>();
        if (auto* zone = dynamic_cast<ZoneInstance*>(payload.get()))
            zone->SetSize(size);
        placed->SetPayload(std::move(payload));
        return *placed;
    }
    void MoveTo(float x, float y) { player->SetPosition(Point<float>(x, y)); }

    // The scripts the triggers queued on the current level, in queue order.
    std::vector<Script*> QueuedScripts() const
    {
        std::vector<Script*> scripts;
        for (size_t i = 0; i < level.GetBackgroundEventCount(); ++i)
            if (auto* script = dynamic_cast<Script*>(level.GetBackgroundEvent(i)))
                scripts.push_back(script);
        return scripts;
    }
    ~ZoneContact() override { game.SetCurrentLevel(nullptr); }

    Game game;
    Player* player = nullptr;
    Level level {"test"};
    std::vector<std::unique_ptr<Placed>> placements;
};

TEST_F(ZoneContact, APlayerTouchesFromOneWidthLeftToJustPastTheRightEdge)
{
    // Zone columns 100..131, rows 200..231; player 20 wide, 40 high.
    struct Case {
        float x, y;
        bool touches;
    };
    const Case cases[] = {
        {80.0f, 210.0f, true},   // x - w: last column 99, one left of the zone
        {79.0f, 210.0f, false},  // one more to the left
        {132.0f, 210.0f, true},  // x + width of the zone
        {133.0f, 210.0f, false}, // past it
        {110.0f, 160.0f, true},  // y - h: the head row just below the zone
        {110.0f, 159.0f, false}, //
        {110.0f, 232.0f, true},  // the feet just above the top row
        {110.0f, 233.0f, false}, //
    };
    RecordingZone zone;
    Placed& placed = Place(zone);
    for (const Case& c : cases) {
        MoveTo(c.x, c.y);
        EXPECT_EQ(PlayerTouchesZone(&placed), c.touches) << c.x << ", " << c.y;
    }
}

TEST_F(ZoneContact, FirstEntryAndExitFireTheirOnceEventsThenOnlyEnterAndLeave)
{
    RecordingZone zone;
    Placed& placed = Place(zone);
    auto frame = [&](float x) {
        MoveTo(x, 210.0f);
        EXPECT_TRUE(zone.UpdatePlayerContact(&placed));
    };
    frame(110.0f); // standing in it at the start
    frame(111.0f); // still inside: nothing
    EXPECT_EQ(zone.events, (std::vector<std::string> {"EnterOnce", "Enter"}));
    frame(300.0f);
    frame(110.0f);
    frame(300.0f);
    EXPECT_EQ(zone.events,
        (std::vector<std::string> {"EnterOnce", "Enter", "LeaveOnce", "Leave", "Enter", "Leave"}));
    auto* data = dynamic_cast<ZoneInstance*>(placed.GetPayload());
    EXPECT_TRUE(data->leftOnce);
    EXPECT_FALSE(data->inside);
}

TEST_F(ZoneContact, AMissingPlayerCountsAsOutsideAndPointsAreSkipped)
{
    RecordingZone zone;
    Placed& placed = Place(zone);
    MoveTo(110.0f, 210.0f);
    zone.UpdatePlayerContact(&placed);
    game.SetPlayer(nullptr);
    zone.UpdatePlayerContact(&placed);
    EXPECT_EQ(zone.events, (std::vector<std::string> {"EnterOnce", "Enter", "LeaveOnce", "Leave"}));

    // A point payload under a zone type: no events.
    Point_PlayerStart start("Point_PlayerStart");
    Placed point(&zone, 100.0f, 200.0f);
    point.SetPayload(std::unique_ptr<SceneObjectInstance>(start.CreateInstance()));
    EXPECT_TRUE(zone.UpdatePlayerContact(&point));
    EXPECT_EQ(zone.events.size(), 4u);
}

TEST_F(ZoneContact, AnExitRequestsItsLevelEveryFrameWhileTouchedOnceEntered)
{
    Zone_LoadMap exitType("Zone_LoadMap");
    Placed& placed = Place(exitType);
    auto& exit = dynamic_cast<Zone_LoadMap::Instance&>(*placed.GetPayload());
    exit.levelFile.value = "cave_01.lvl";
    exit.startPoint.value = "from_cemetery_01";
    // A player who arrives inside the exit is not sent on: he must leave it.
    MoveTo(110.0f, 210.0f);
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_FALSE(exitType.UpdatePlayerContact(&placed));
        EXPECT_EQ(game.pendingLevelFile, "") << frame;
    }
    MoveTo(400.0f, 210.0f);
    exitType.UpdatePlayerContact(&placed);
    EXPECT_EQ(game.pendingLevelFile, "");
    MoveTo(110.0f, 210.0f);
    for (int frame = 0; frame < 3; ++frame) {
        game.pendingLevelFile.clear();
        EXPECT_FALSE(exitType.UpdatePlayerContact(&placed));
        EXPECT_EQ(game.pendingLevelFile, "cave_01.lvl") << frame;
        EXPECT_EQ(game.startPointName, "from_cemetery_01");
    }
    // No inside state is kept and no events fire.
    EXPECT_FALSE(exit.inside);
    game.pendingLevelFile.clear();
    MoveTo(400.0f, 210.0f);
    exitType.UpdatePlayerContact(&placed);
    EXPECT_EQ(game.pendingLevelFile, "");
}

TEST_F(ZoneContact, ASavePointActsOncePerLoad)
{
    Zone_Save saveType("Zone_Save");
    Placed& placed = Place(saveType);
    player->SetMaxLife(6);
    player->SetLife(1);
    MoveTo(110.0f, 210.0f);
    EXPECT_TRUE(placed.GetPayload()->IsEnabled());
    saveType.UpdatePlayerContact(&placed);
    EXPECT_FALSE(placed.GetPayload()->IsEnabled());
    EXPECT_EQ(player->GetLife(), 6);
    player->SetLife(2);
    saveType.UpdatePlayerContact(&placed);
    EXPECT_EQ(player->GetLife(), 2);
    // A freshly loaded level makes fresh instances, enabled again.
    Placed& reloaded = Place(saveType);
    EXPECT_TRUE(reloaded.GetPayload()->IsEnabled());
    MoveTo(400.0f, 210.0f);
    saveType.UpdatePlayerContact(&reloaded);
    EXPECT_TRUE(reloaded.GetPayload()->IsEnabled());
}

TEST(ZoneClimb, EachOfTheThreeColumnPairsMustLieWhollyInTheZone)
{
    // Zone columns 100..163, rows 0..199 unless said otherwise.
    struct Case {
        const char* what;
        Point<int> size;
        Point<int> player;
        bool inside;
    };
    const Case cases[] = {
        {"left edge in, right edge out", {64, 200}, {150, 10}, true},
        {"right edge in, left edge out", {64, 200}, {40, 10}, true},
        {"head above the top row", {64, 200}, {100, 104}, false},
        {"head on the top row", {64, 200}, {100, 103}, true},
        {"a narrow zone under the middle column", {32, 200}, {84, 10}, true},
        {"a narrow zone between the columns", {16, 200}, {85, 10}, false},
        {"feet below the zone", {64, 200}, {100, -1}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Zone_ClimbJump::BodyInZone(Point<int>(100, 0), c.size, c.player), c.inside) << c.what;
}

TEST(ZoneMinimap, TheMarkerCellFollowsTheScreenGridWithinTheMapBounds)
{
    const Point<int> origin(0, 0);
    struct Case {
        const char* what;
        Point<float> player;
        int width;
        Point<int> levelCell;
        std::optional<Point<int>> cell;
    };
    const Case cases[] = {
        {"the level's own screen", {100.0f, 100.0f}, 20, {10, 10}, Point<int>(10, 10)},
        {"one screen right and one up: the map row goes down", {600.0f, 500.0f}, 20, {10, 10},
            Point<int>(11, 9)},
        {"a centre at x = -1 lies in the screen from -512", {-11.0f, 0.0f}, 20, {10, 10}, Point<int>(9, 10)},
        {"the last column of the map", {512.0f * 50, 0.0f}, 0, {0, 0}, Point<int>(50, 0)},
        {"more than 50 cells right", {512.0f * 51, 0.0f}, 0, {0, 0}, std::nullopt},
        {"a map row below 0", {0.0f, 448.0f}, 0, {0, 0}, std::nullopt},
        {"the last map row", {0.0f, -448.0f}, 0, {0, 42}, Point<int>(0, 43)},
        {"past the last map row", {0.0f, -448.0f}, 0, {0, 43}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Point_MinimapLocation::MapCell(c.player, c.width, origin, c.levelCell), c.cell) << c.what;
}

TEST_F(ZoneContact, ATeleporterIsRecordedOnceAndItsLevelStartsDiscoveredNextTime)
{
    Zone_Teleport teleportType("Zone_Teleport");
    Placed& first = Place(teleportType);
    Placed& second = Place(teleportType);
    MoveTo(110.0f, 210.0f);
    teleportType.UpdateInstance(&first);
    teleportType.UpdateInstance(&first);
    ASSERT_EQ(game.teleports.size(), 1u);
    // A second zone of the same level keeps a discovered flag of its own.
    teleportType.UpdateInstance(&second);
    EXPECT_EQ(game.teleports.size(), 2u);

    // At the next load every teleporter of a recorded level starts discovered.
    Level hub(game.teleports[0].levelFile);
    Placed& later = Place(teleportType);
    later.GetPayload()->Spawn(100, 200, &hub);
    EXPECT_TRUE(dynamic_cast<Zone_Teleport::Instance&>(*later.GetPayload()).discovered);
    Level other("elsewhere");
    Placed& elsewhere = Place(teleportType);
    elsewhere.GetPayload()->Spawn(100, 200, &other);
    EXPECT_FALSE(dynamic_cast<Zone_Teleport::Instance&>(*elsewhere.GetPayload()).discovered);
    // Walking away records nothing.
    MoveTo(500.0f, 210.0f);
    teleportType.UpdateInstance(&elsewhere);
    EXPECT_EQ(game.teleports.size(), 2u);
}

TEST_F(ZoneContact, TriggersStartAScriptForEveryEventWhileEnabled)
{
    Zone_TriggerScript triggerType("Zone_TriggerZone");
    Placed& placed = Place(triggerType);
    auto& trigger = dynamic_cast<Zone_TriggerScript::Instance&>(*placed.GetPayload());
    trigger.scriptText.value = ":OnEnter;say hi";
    game.SetCurrentLevel(&level);
    MoveTo(110.0f, 210.0f);
    triggerType.UpdatePlayerContact(&placed);
    MoveTo(400.0f, 210.0f);
    triggerType.UpdatePlayerContact(&placed);
    std::vector<std::string> started;
    for (Script* script : QueuedScripts()) {
        started.push_back(script->GetName() + " " + script->GetStartLabel());
        EXPECT_EQ(script->GetText(), ":OnEnter\nsay hi");
        EXPECT_EQ(script->GetOwnerInstance(), &placed);
        EXPECT_TRUE(script->IsRunning());
    }
    EXPECT_EQ(started,
        (std::vector<std::string> {"StartScriptOnEnterOnce :onenteronce", "StartScriptOnEnter :onenter",
            "StartScriptOnLeaveOnce :onleaveonce", "StartScriptOnLeave :onleave"}));

    // Disabled: no scripts, but the flags still follow the player.
    trigger.SetEnabled(false);
    MoveTo(110.0f, 210.0f);
    triggerType.UpdatePlayerContact(&placed);
    triggerType.OnStartup(&placed);
    EXPECT_EQ(QueuedScripts().size(), 4u);
    EXPECT_TRUE(trigger.inside);
}

TEST_F(ZoneContact, ATriggerMakesItsCharacterAtTheZoneOnce)
{
    Zone_TriggerScript triggerType("Zone_TriggerZone");
    Placed& placed = Place(triggerType, Point<int>(64, 96));
    auto& trigger = dynamic_cast<Zone_TriggerScript::Instance&>(*placed.GetPayload());
    trigger.SetName("urn");
    trigger.SetOffset(Point<int>(16, -8));
    trigger.Spawn(100, 200, &level);
    trigger.Spawn(100, 200, &level);
    ASSERT_EQ(game.GetCharacterCount(), 1u);
    CharacterObject* urn = game.FindCharacterByName("urn", nullptr);
    ASSERT_NE(urn, nullptr);
    EXPECT_EQ(urn->GetPosition(), Point<float>(116.0f, 192.0f));
    EXPECT_EQ(urn->GetSize(), Point<int>(64, 96));
    EXPECT_EQ(trigger.level, &level);

    // While the character reports a hit, every frame starts the hit section.
    game.SetCurrentLevel(&level);
    MoveTo(400.0f, 210.0f);
    triggerType.UpdatePlayerContact(&placed);
    EXPECT_TRUE(QueuedScripts().empty());
    urn->ApplyDamage(player, 1);
    triggerType.UpdatePlayerContact(&placed);
    triggerType.UpdatePlayerContact(&placed);
    ASSERT_EQ(QueuedScripts().size(), 2u);
    EXPECT_EQ(QueuedScripts()[1]->GetStartLabel(), ":onhit");
    EXPECT_EQ(QueuedScripts()[1]->GetName(), "StartScriptOnHit");
}

} // namespace
