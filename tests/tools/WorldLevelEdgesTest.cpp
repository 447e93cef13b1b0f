#include "characters/Player.h"
#include "characters/PlayerWorld.h"
#include "engine/serial/FileUtils.h"
#include "game/Game.h"
#include "scene/Level.h"
#include "tools/world/LevelDescription.h"
#include "tools/world/WorldText.h"

#include "tests/tools/WorldFolderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// Every level of an area, built and read as the game reads it, keeps the
// player inside: at each height of its west and east edges a body that
// walks or jumps outward meets a wall, or an exit that takes it on; a player
// who gets below the level all the same dies and is brought back.
namespace {

constexpr float kTile = 32.0f;

// An area: the prefixes of its levels' file names, the level a player falls
// out of, and whether god mode is on (it must not keep the fall from ending
// in death).
struct Area {
    const char* name;
    std::vector<std::string> prefixes;
    const char* fallLevel;
    bool god;
};

// The row's name as the test lists it (never its bytes, which hold padding).
void PrintTo(const Area& area, std::ostream* os)
{
    *os << area.name;
}

class WorldLevelEdges : public ScriptedWorldTest, public testing::WithParamInterface<Area> {
protected:
    WorldLevelEdges()
        : ScriptedWorldTest("quenholt-level-edges")
    {
    }

    // The descriptions of the area's levels: their file names begin with one
    // of the prefixes (any case).
    static std::vector<LevelDescription> AreaLevels(const std::vector<std::string>& prefixes)
    {
        std::vector<LevelDescription> levels;
        for (const std::string& file : ListFiles(std::string(QUENHOLT_SOURCE_DIR) + "/data/levels", ".lvd")) {
            LevelDescription level = LevelDescription::ReadFile(file);
            const std::string name = ToLowerCase(level.level);
            if (std::any_of(prefixes.begin(), prefixes.end(),
                    [&](const std::string& prefix) { return name.rfind(prefix, 0) == 0; }))
                levels.push_back(std::move(level));
        }
        return levels;
    }

    // The heights (in tiles, from the bottom) at which the player's body,
    // pressed against the edge, would leave the level: nothing solid stops it
    // within two tiles and no exit of the description covers that place.
    std::vector<std::string> OpenEdges(const LevelDescription& level)
    {
        std::vector<std::string> open;
        PlayerCollisions* collisions = GetPlayerWorld()->GetCollisions();
        if (collisions == nullptr)
            return {"no collision layer"};
        const float width = static_cast<float>(level.TileWidth()) * kTile;
        const PlayerBox body = game.GetPlayer()->GetWorldBox().Moved(
            -game.GetPlayer()->GetPosition().x, -game.GetPlayer()->GetPosition().y);
        const float bodyWidth = body.right - body.left;
        for (const bool east : {false, true}) {
            for (int row = 0; row + 1 < level.TileHeight(); ++row) {
                const float left = east ? width - bodyWidth - 1.0f : 1.0f;
                const float bottom = static_cast<float>(row) * kTile + 1.0f;
                const PlayerBox box {left, bottom, left + bodyWidth, bottom + (body.top - body.bottom)};
                if (collisions->Overlaps(box))
                    continue; // no room for the body there
                float allowed = 0.0f;
                int kind = 0;
                const float step = east ? 2.0f * kTile : -2.0f * kTile;
                if (collisions->Test(0, box, step, 0.0f, &allowed, &kind))
                    continue;
                const int edgeX = east ? level.TileWidth() - 1 : 0;
                const int bottomRow = row, topRow = static_cast<int>((box.top - 1.0f) / kTile);
                const bool exit = std::any_of(level.placements.begin(), level.placements.end(), [&](auto& p) {
                    return p.object == "Zone_LoadMap" && edgeX >= p.x && edgeX < p.x + p.w && topRow >= p.y
                        && bottomRow < p.y + p.h;
                });
                if (!exit)
                    open.push_back(
                        std::string(east ? "east" : "west") + " at tile row " + std::to_string(row));
            }
        }
        return open;
    }
};

TEST_P(WorldLevelEdges, KeepsThePlayerInAndBringsAFallenOneBack)
{
    const Area& area = GetParam();
    ASSERT_TRUE(!area.god || game.console.ExecuteCommand("god 1"));
    // A player put below the level comes back where the last save says (the
    // level's own save, or its start), standing.
    ASSERT_TRUE(game.ChangeLevel(area.fallLevel));
    Passes(2);
    Player* falling = MarkOldPlayer();
    falling->SetPosition(Point<float>(falling->GetPosition().x, -8.0f * kTile));
    ASSERT_TRUE(WaitUntil([&] { return NewPlayerIn(); }, 60))
        << "a player below the level was not brought back";
    Passes(5);
    ASSERT_NE(game.GetCurrentLevel(), nullptr);
    EXPECT_GE(game.GetPlayer()->GetPosition().y, 0.0f);
    EXPECT_GT(game.GetPlayer()->GetLife(), 0);

    // Each level of the area loads with its sides closed.
    const std::vector<LevelDescription> levels = AreaLevels(area.prefixes);
    ASSERT_FALSE(levels.empty());
    for (const LevelDescription& level : levels) {
        SCOPED_TRACE(level.level);
        ASSERT_TRUE(game.ChangeLevel(level.level));
        Passes(2);
        ASSERT_NE(game.GetPlayer(), nullptr);
        EXPECT_EQ(OpenEdges(level), std::vector<std::string>());
    }
}

INSTANTIATE_TEST_SUITE_P(Areas, WorldLevelEdges,
    testing::Values(Area {"Cemetery", {"cemetery", "cimetery"}, "cemetery_02.lvl", false},
        Area {"Boat", {"boat"}, "boat_02.lvl", false}, Area {"Cave", {"cave"}, "cave_01.lvl", false},
        Area {"Snow", {"snow"}, "snow_03.lvl", false}, Area {"Library", {"bibli"}, "bibli_01.lvl", false},
        Area {"UnderwaterNave", {"underwater"}, "underwater_01.lvl", false},
        Area {"GardenInGodMode", {"garden"}, "garden_01.lvl", true}),
    [](const testing::TestParamInfo<Area>& info) { return std::string(info.param.name); });

} // namespace
