#include "tools/world/LevelReach.h"

#include "engine/serial/FileUtils.h"
#include "tools/world/LevelDescription.h"
#include "tools/world/LevelHudBand.h"
#include "tools/world/WorldText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two screens wide: the fight's floor at the west (columns 2-11), a step two
// tiles up east of it (columns 14-16), a ledge three tiles over that step
// (columns 18-20) and the floor running on east beyond the first screen.
std::string Arena(const std::string& box, const std::string& arena = "arena")
{
    std::string text = "level reach.lvl\nscreens 2 1\ncell 5 5\npalette cemetery\ntiles\n";
    for (int y = 13; y >= 0; --y) {
        std::string row = "#" + std::string(30, '.') + "#";
        if (y <= 1)
            row = std::string(32, '#');
        if (y == 3)
            row.replace(14, 3, "===");
        if (y == 6)
            row.replace(18, 3, "===");
        text += row + "\n";
    }
    text += "place Point_PlayerStart start 4 2 name=start\n";
    text += "trigger " + arena + " 2 2 10x3 {\n:OnEnter\n}\n";
    return text + box;
}

std::vector<std::string> Faults(const std::string& box)
{
    return LevelReach::CheckStrikable(LevelDescription::Parse(Arena(box), "reach.lvd"), "arena", "cell");
}

TEST(LevelReach, ABoxIsStrikableWithinAShortJumpOfAFloorGotToOnTheSameScreen)
{
    const struct {
        const char* box;
        bool strikable;
        const char* why;
    } cases[] = {
        {"trigger cell 12 2 2x2 {\n}\n", true, "beside the fight's floor"},
        {"trigger cell 12 5 2x2 {\n}\n", true, "its foot a tile over the body: a short jump"},
        {"trigger cell 10 6 2x2 {\n}\n", false, "over the floor, higher than a short jump"},
        {"trigger cell 12 6 2x2 {\n}\n", true, "beside the step, two tiles up"},
        {"trigger cell 17 9 2x2 {\n}\n", false, "beside the ledge, three tiles over the step"},
        {"trigger cell 29 2 2x2 {\n}\n", false, "on the floor, but beyond the first screen"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Faults(c.box).empty(), c.strikable) << c.why;
    const std::vector<std::string> faults = Faults("trigger cell 17 9 2x2 {\n}\n");
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].rfind("reach.lvd:24: \"cell\" at tile (17, 9)", 0), 0u) << faults[0];
    EXPECT_EQ(Faults(""), std::vector<std::string> {"reach.lvd:1: no placement named \"cell\""});
}

// Every boss's body, and the markers a boss puts bodies on, must be struck
// from its arena's floor; a fault names the line of the placement.
TEST(LevelReach, EveryBossTargetIsStrikableFromItsArenasFloor)
{
    const std::string head = "place Zone_NPCSpawner_Boss_Cave head ";
    const std::string maw = "prop \"Scene Layer 01\" Zone_NPCSpawner_Boss_Ultimate 3 ";
    const struct {
        std::string placements;
        const char* arena;
        const char* fault; // null: struck
        int jumps = -1;
    } cases[] = {
        {head + "12 2 2x2\n", "arena_v", nullptr},
        {"place Zone_NPCSpawner_MiniBoss_Snow mini 12 5\n", "arena_s", nullptr},
        {head + "10 6 2x2\n", "arena_v", "reach.lvd:24: \"head\" at tile (10, 6)"},
        {head + "29 2 2x2\n", "arena_v", nullptr},
        {head + "17 11 2x2\n", "arena_v", "reach.lvd:24: \"head\" at tile (17, 11)"},
        // Beside the step: one jump up from the floor, none is not enough.
        {head + "12 6 2x2\n", "arena_v", nullptr, 1},
        {head + "12 6 2x2\n", "arena_v", "reach.lvd:24: \"head\" at tile (12, 6)", 0},
        // The maw's hurt box starts a tile over its spawner: on the floor it
        // is struck, on the step over the floor it is not.
        {maw + "2\ntrigger cell_etape_1 12 2 2x2 {\n}\n", "arena_h", nullptr},
        {maw + "5\n", "arena_h", "reach.lvd:24: \"Zone_NPCSpawner_Boss_Ultimate\" at tile (4, 6)"},
        {maw + "2\ntrigger cell_etape_2 17 9 2x2 {\n}\n", "arena_h",
            "reach.lvd:25: \"cell_etape_2\" at tile (17, 9)"},
        {head + "12 2 2x2\n", "arena",
            "reach.lvd:24: \"head\" has no trigger \"arena_...\" to be fought from"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.placements);
        const std::vector<std::string> faults = LevelReach::CheckBossesStrikable(
            LevelDescription::Parse(Arena(c.placements, c.arena), "reach.lvd"), c.jumps);
        ASSERT_EQ(faults.size(), c.fault == nullptr ? 0u : 1u);
        for (const std::string& fault : faults)
            EXPECT_EQ(fault.rfind(c.fault, 0), 0u) << fault;
    }
}

// The Heart: each of its three wall cells is struck from the arena's floor or
// from a short jump off it, on the screen that shows the player there, and
// the maw from the floor beside it.
TEST(LevelReach, EveryCellAndTheMawOfTheHeartAreStrikableFromItsArenasFloor)
{
    const LevelDescription heart
        = LevelDescription::ReadFile(std::string(QUENHOLT_SOURCE_DIR) + "/data/levels/cemetery_heart.lvd");
    for (const char* cell : {"cell_etape_1", "cell_etape_2"})
        EXPECT_EQ(LevelReach::CheckStrikable(heart, "arena_h", cell), std::vector<std::string>()) << cell;
    EXPECT_EQ(LevelReach::BossTargets(heart).size(), 4u);
    EXPECT_EQ(LevelReach::CheckBossesStrikable(heart, 1), std::vector<std::string>());
    // Its whole fight shows from anywhere on the arena's floor: without the
    // blocker in its west wall the camera follows a player there and the
    // east wall's cells leave the view.
    EXPECT_EQ(LevelHudBand::CheckFightsOnScreen(heart), std::vector<std::string>());
    std::string text = ReadWholeFile(heart.file);
    const size_t blocker = text.find("place    CameraBlocker_Left");
    ASSERT_NE(blocker, std::string::npos);
    text.erase(blocker, text.find('\n', blocker) + 1 - blocker);
    const std::vector<std::string> faults
        = LevelHudBand::CheckFightsOnScreen(LevelDescription::Parse(text, "heart.lvd"));
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find("\"cell_etape_2\" at tile (46, 2)"), std::string::npos) << faults[0];
}

// The Heart's fight, on one screen, shows whole, below the HUD's band, while
// the player stands anywhere on its arena's floor.
TEST(LevelReach, AFightOnOneScreenShowsWholeFromAnywhereOnItsArenasFloor)
{
    const std::string maw = "prop \"Scene Layer 01\" Zone_NPCSpawner_Boss_Ultimate 3 2\n";
    const struct {
        std::string placements;
        const char* fault; // null: shown
    } cases[] = {
        {maw + "trigger cell_etape_1 12 2 2x2 {\n}\n", nullptr},
        {maw + "trigger cell_etape_1 16 2 2x2 {\n}\n",
            "reach.lvd:25: \"cell_etape_1\" at tile (16, 2) is out of the view, or under the HUD's band, "
            "while a "
            "player stands on the floor of \"arena_h\" at column 2"},
        {maw + "trigger cell_etape_1 12 11 2x2 {\n}\n", "reach.lvd:25: \"cell_etape_1\" at tile (12, 11)"},
        // A blocker holds the camera on the whole fight.
        {maw + "trigger cell_etape_1 16 2 2x2 {\n}\nplace CameraBlocker_Left lid 2 3\n", nullptr},
        // Other bosses are not held to one screen.
        {"place Zone_NPCSpawner_Boss_Cave head 16 2 2x2\n", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.placements);
        const std::vector<std::string> faults = LevelHudBand::CheckFightsOnScreen(
            LevelDescription::Parse(Arena(c.placements, "arena_h"), "reach.lvd"));
        ASSERT_EQ(faults.size(), c.fault == nullptr ? 0u : 1u) << (faults.empty() ? "" : faults[0]);
        for (const std::string& fault : faults)
            EXPECT_EQ(fault.rfind(c.fault, 0), 0u) << fault;
    }
}

// Each body a boss draws at a place of its own round its spawner shows
// whole below the HUD's band while a player stands on its arena's floor: one
// screen high, the view's lowest 384 px show below the band.
TEST(LevelReach, TheBodiesABossDrawsRoundItsSpawnerShowWholeBelowTheBandFromItsArenasFloor)
{
    const struct {
        std::string placement;
        std::vector<const char*> faults; // each fault's start, in order
    } cases[] = {
        {"place Zone_NPCSpawner_Boss_Boat beast 3 2 17x10\n", {}},
        // A tile higher, its eye's brow and its head's top go under the band.
        {"place Zone_NPCSpawner_Boss_Boat beast 3 3 17x10\n",
            {"reach.lvd:24: the beast's eye (pixels 452-589 across, 315-405 up) is under the HUD's band",
                "reach.lvd:24: the beast's head"}},
        {"prop \"Scene Layer 01\" Zone_NPCSpawner_Boss_Ultimate 3 2\n", {}},
        {"prop \"Scene Layer 01\" Zone_NPCSpawner_Boss_Ultimate 3 4\n",
            {"reach.lvd:24: the maw (pixels 96-415 across, 128-415 up) is under the HUD's band, or out "
             "of the view, while a player stands on the floor of \"arena_b\" at column 2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.placement);
        const std::vector<std::string> faults = LevelHudBand::CheckClearOfBand(
            LevelDescription::Parse(Arena(c.placement, "arena_b"), "reach.lvd"));
        ASSERT_EQ(faults.size(), c.faults.size()) << (faults.empty() ? "" : faults[0]);
        for (size_t i = 0; i < faults.size(); ++i)
            EXPECT_EQ(faults[i].rfind(c.faults[i], 0), 0u) << faults[i];
    }
}

} // namespace
