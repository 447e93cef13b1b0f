#include "tools/world/LevelReach.h"

#include "engine/serial/FileUtils.h"
#include "tools/world/LevelDescription.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two screens wide: the fight's floor at the west (columns 2-11), a step two
// tiles up east of it (columns 14-16), a ledge three tiles over that step
// (columns 18-20) and the floor running on east beyond the first screen.
std::string Arena(const std::string& box)
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
    text += "trigger arena 2 2 10x3 {\n:OnEnter\n}\n";
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

// The Heart: each of its four wall cells is struck from the arena's floor or
// from a short jump off it, on the screen that shows the player there.
TEST(LevelReach, EveryCellOfTheHeartIsStrikableFromItsArenasFloor)
{
    const LevelDescription heart
        = LevelDescription::ReadFile(std::string(QUENHOLT_SOURCE_DIR) + "/data/levels/cemetery_heart.lvd");
    for (const char* cell : {"cell_etape_1", "cell_etape_2"})
        EXPECT_EQ(LevelReach::CheckStrikable(heart, "arena_h", cell), std::vector<std::string>()) << cell;
}

} // namespace
