#include "enemies/NPC_CrouchSkull.h"
#include "enemies/NPC_Door.h"
#include "enemies/NPC_Thrower.h"
#include "game/Game.h"
#include "tests/engine/platform/DebugCapture.h"
#include "zones/NPCSpawner.h"
#include "zones/ZoneInstance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A bare placement for the shared step, named as a level would name it.
class Placement : public ZoneInstance {
public:
    explicit Placement(const std::string& placementName)
    {
        SetName(placementName);
        SetSize(Point<int>(64, 32));
        SetOffset(Point<int>(16, 0));
    }
};

class NPCSpawnerStep : public ::testing::Test {
protected:
    Game game;
};

TEST_F(NPCSpawnerStep, EachNamingRuleNamesNamedAndUnnamedPlacements)
{
    struct Case {
        NPCSpawner::Naming naming;
        const char* named;
        const char* unnamed;
    };
    const Case cases[] = {
        {NPCSpawner::Naming::Placement, "guard", "NPC_Thrower"},
        {NPCSpawner::Naming::AfterPlacing, "guard", ""},
        {NPCSpawner::Naming::WhenNamed, "guard", "NPC_Thrower"},
        {NPCSpawner::Naming::ClassName, "NPC_Thrower", "NPC_Thrower"},
    };
    for (const Case& c : cases) {
        for (const char* placementName : {"guard", ""}) {
            Placement zone(placementName);
            NPC_Thrower* made = NPCSpawner::Spawn<NPC_Thrower>(zone, 100, 50, {"NPC_Thrower", c.naming});
            ASSERT_NE(made, nullptr);
            EXPECT_EQ(made->GetName(), *placementName != '\0' ? c.named : c.unnamed)
                << static_cast<int>(c.naming) << " \"" << placementName << "\"";
            EXPECT_EQ(made->GetPosition(), Point<float>(116.0f, 50.0f));
        }
    }
}

TEST_F(NPCSpawnerStep, RunsOncePerLoadAndHandsTheChosenRectangle)
{
    Placement zone("crypt");
    int setups = 0;
    const NPCSpawner::Kind<NPC_CrouchSkull> kind {
        "NPC_CrouchSkull", NPCSpawner::Naming::Placement, &NPC_CrouchSkull::walkRect, NPCSpawner::Area::Rb};
    NPC_CrouchSkull* skull = NPCSpawner::Spawn(zone, 100, 50, kind, [&](NPC_CrouchSkull&) { ++setups; });
    ASSERT_NE(skull, nullptr);
    EXPECT_EQ(skull->walkRect, Rect<int>(77, 81, 178, 50));
    EXPECT_EQ(NPCSpawner::Spawn(zone, 100, 50, kind, [&](NPC_CrouchSkull&) { ++setups; }), nullptr);
    EXPECT_EQ(setups, 1);
    EXPECT_EQ(game.GetCharacterCount(), 1u);
    // Every rectangle by its name.
    EXPECT_EQ(NPCSpawner::MakeArea(NPCSpawner::Area::R, 100, 50, {64, 32}), Rect<int>(100, 82, 164, 50));
    EXPECT_EQ(NPCSpawner::MakeArea(NPCSpawner::Area::Rc, 100, 50, {64, 32}), Rect<int>(100, 81, 164, 50));
    EXPECT_EQ(NPCSpawner::MakeArea(NPCSpawner::Area::Rm, 100, 50, {64, 32}), Rect<int>(100, 210, 164, 50));
}

TEST_F(NPCSpawnerStep, AClassOfTheWrongKindOrNoneIsReportedAndSkipped)
{
    DebugCapture debug;
    Placement door("west_door");
    // The factory makes a thrower, which is no door: the setup never runs.
    const NPC_Door* made = NPCSpawner::Spawn<NPC_Door>(door, 0, 0, {"NPC_Thrower"},
        [](NPC_Door&) { ADD_FAILURE() << "set up a character of the wrong class"; });
    Placement many("crowd");
    const int count = NPCSpawner::SpawnEach<NPC_Thrower>(many, 0, 0, {"NPC_NoSuchClass"}, 3);
    Placement none("empty");
    const int damaged = NPCSpawner::SpawnEach<NPC_Thrower>(none, 0, 0, {"NPC_Thrower"}, -2);
    std::vector<std::string> lines;
    for (const std::string& line : debug.Messages())
        // The thrower's missing looks (no library here) are warned about apart.
        if (line.rfind("Warning: enemy graphical", 0) != 0)
            lines.push_back(line);
    EXPECT_EQ(made, nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(damaged, 0);
    EXPECT_FALSE(door.IsPending());
    EXPECT_FALSE(many.IsPending());
    EXPECT_EQ(lines,
        (std::vector<std::string> {"Spawner \"west_door\": no character made\n",
            "Spawner \"crowd\": no character of class NPC_NoSuchClass\n",
            "Spawner \"crowd\": no character of class NPC_NoSuchClass\n",
            "Spawner \"crowd\": no character of class NPC_NoSuchClass\n",
            "Spawner \"crowd\": no character made\n", "Spawner \"empty\": no character made\n"}));
}

} // namespace
