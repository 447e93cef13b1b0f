#include "scene/Level.h"

#include "scene/Layer.h"
#include "scene/LevelScript.h"
#include "tests/scene/LevelFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace scenetest;

namespace {

class LevelFile : public ::testing::Test, public GameLibrary {
protected:
    std::string Garden() { return ReadWholeFile(DataPath("garden.lvl")); }

    // The garden text with the first occurrence of `from` replaced.
    std::string GardenWith(const std::string& from, const std::string& to)
    {
        std::string text = Garden();
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
        return text;
    }
};

TEST_F(LevelFile, GardenLoadsAndWritesBackByteForByte)
{
    std::string error;
    std::unique_ptr<Level> level = Level::LoadFile(DataPath("garden.lvl"), &error);
    ASSERT_TRUE(level) << error;

    EXPECT_EQ(level->GetName(), "garden");
    EXPECT_EQ(level->GetLayerCount(Level::kBackground), 2);
    EXPECT_EQ(level->GetLayerCount(Level::kScene), 2);
    EXPECT_EQ(level->GetLayerCount(Level::kForeground), 1);
    Layer* sky = level->GetLayerAt(Level::kBackground, 0);
    EXPECT_EQ(sky->GetName(), "Sky");
    EXPECT_EQ(sky->GetScrollFactor(), Point<float>(0.25f, 0.5f));
    EXPECT_FLOAT_EQ(level->GetLayerAt(Level::kBackground, 1)->GetAutoScrollSpeed(), 2.0f);
    EXPECT_FALSE(level->GetLayerAt(Level::kForeground, 0)->GetDrawPlacedInstances());

    Layer* collisions = level->GetLayer(Level::kScene, "Collisions");
    ASSERT_NE(collisions, nullptr);
    // Ground twice, one ledge, one slope: the thorns (a hurt box) add no body.
    EXPECT_EQ(level->GetCollisionWorld()->GetBodyCount(), 4);
    EXPECT_EQ(collisions->GetInstance(0)->GetPrototype(), &ground);

    Layer* scene = level->GetLayer(Level::kScene, "Garden");
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->GetInstanceCount(), 5u);
    EXPECT_EQ(scene->GetInstance(1)->GetPosition(), Point<float>(96.5f, 64.0f));
    EXPECT_FLOAT_EQ(scene->GetInstance(1)->GetAngle(), 12.5f);
    EXPECT_TRUE(scene->GetInstance(2)->IsMirrored());
    EXPECT_FALSE(scene->GetInstance(3)->IsVisible());

    ASSERT_EQ(level->GetPointLists().size(), 2u);
    EXPECT_EQ(level->GetPointLists()[1], (std::vector<LevelPoint> {{1, 2, 3}, {-4, 5, -6}}));
    EXPECT_FLOAT_EQ(level->GetValueA(), 1.5f);
    EXPECT_FLOAT_EQ(level->GetValueB(), -2.0f);
    EXPECT_EQ(level->GetNextInstanceIndex(), 7);
    ASSERT_NE(level->GetScript(), nullptr);
    EXPECT_EQ(level->GetScript()->GetName(), "Startup Script");
    EXPECT_EQ(level->GetScript()->GetLines(), (std::vector<std::string> {"music garden", "wait 10", ""}));

    EXPECT_EQ(WriteLevel(*level), Garden());
}

TEST_F(LevelFile, OlderFilesLoadWithTheGroupsTheyLackAtTheirDefaults)
{
    struct Case {
        const char* what;
        std::string text;
        std::function<void(Level&)> check;
    };
    const std::vector<Case> cases = {
        {"no prototype list: the count line is read as the background count",
            Garden().erase(Garden().find("_Level_updatetag_1.3_"),
                Garden().find("2\r\nLayerV0") - Garden().find("_Level_updatetag_1.3_")),
            [](Level& l) { EXPECT_EQ(l.GetLayerCount(Level::kBackground), 2); }},
        {"layer without markers: drawn placed instances, no auto-scroll",
            GardenWith("_Layer_updatetag_1.0_\r\n1\r\n_Layer_updatetag_1.2_\r\n2\r\n", ""),
            [](Level& l) {
                Layer* hills = l.GetLayerAt(Level::kBackground, 1);
                EXPECT_TRUE(hills->GetDrawPlacedInstances());
                EXPECT_EQ(hills->GetAutoScrollSpeed(), 0.0f);
                EXPECT_EQ(l.GetLayerCount(Level::kScene), 2);
            }},
        {"the dropped point block of older layers",
            GardenWith("_Layer_updatetag_1.2_\r\n2\r\n",
                "_Layer_updatetag_1.1_\r\n2\r\n1\r\n1\r\n2\r\n3\r\n0\r\n_Layer_updatetag_1.2_\r\n2\r\n"),
            [](Level& l) {
                EXPECT_FLOAT_EQ(l.GetLayerAt(Level::kBackground, 1)->GetAutoScrollSpeed(), 2.0f);
            }},
        {"nothing after the level values", Garden().substr(0, Garden().find("_Level_updatetag_1.1_")),
            [](Level& l) {
                EXPECT_EQ(l.GetNextInstanceIndex(), 0);
                EXPECT_TRUE(l.GetScript()->GetLines().empty());
            }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Level level;
        ASSERT_TRUE(ReadLevel(level, c.text)) << level.GetLoadError();
        c.check(level);
    }
}

TEST_F(LevelFile, DamagedFilesFailNamingFileLineAndWhatWasExpectedAndLeaveNoLevel)
{
    const std::string garden = Garden();
    const std::string treeReference = "GraphicalObjectV0Ptr\r\nTree\r\n";
    struct Case {
        const char* what;
        std::string text;
        std::string message;
    };
    std::vector<Case> cases = {
        {"damaged layer count", GardenWith("\r\nSky\r\n2\r\nLayerV0", "\r\nSky\r\nx2\r\nLayerV0"),
            "bad.lvl:15: expected a count from 0 to 1024, found \"x2\""},
        {"count beyond the records",
            GardenWith("Sky\r\n32\r\n32\r\n0.25\r\n0.5\r\n1\r\n", "Sky\r\n32\r\n32\r\n0.25\r\n0.5\r\n3\r\n"),
            // The reference line is read and ignored: the name after it is refused.
            "bad.lvl:43: expected the name of a known prototype, found \"1\""},
        {"truncated inside a layer", garden.substr(0, garden.find(treeReference) + treeReference.size() - 6),
            "bad.lvl:210: expected a line of text, found the end of the file"},
        {"unknown object", GardenWith("GraphicalObjectV0Ptr\r\nTree\r\n", "GraphicalObjectV0Ptr\r\nOak\r\n"),
            "found \"Oak\""},
        {"unknown payload key", GardenWith("NULL\r\n", "Zone_Orchard::InstanceV0\r\n"),
            "bad.lvl:30: expected a payload class name or \"NULL\", found \"Zone_Orchard::InstanceV0\""},
        {"a position beyond the level's range", GardenWith("\r\n96.5\r\n", "\r\n3e+38\r\n"),
            "bad.lvl:230: expected a coordinate within +-4194304, found \"3e+38\""},
        {"nothing but a first line", "LevelV0\r\n",
            "bad.lvl:2: expected a line of text, found the end of the file"},
        // Any other first line is no level: refused whole, none of it quoted.
        {"not a level", "Save\r\n12\r\nQHGAME\r\n",
            "bad.lvl:1: expected \"LevelV0\", found a file that is not a level"},
        {"another version's first line", "LevelV7" + garden.substr(garden.find("\r\n")),
            "bad.lvl:1: expected \"LevelV0\", found a file that is not a level"},
        {"a layer spread over more screens than a grid holds",
            [&] {
                std::string text = garden;
                text.replace(text.find("\r\n100\r\n0\r\n"), 10, "\r\n-4000000\r\n-4000000\r\n");
                text.replace(text.find("\r\n700\r\n20\r\n"), 11, "\r\n4000000\r\n4000000\r\n");
                return text;
            }(),
            "expected placed instances within 1048576 screens of layer \"Hills\""},
    };
    // A damaged instance count is named at its own line, not where the
    // instances run out.
    const std::string skyCount = "Sky\r\n32\r\n32\r\n0.25\r\n0.5\r\n";
    const size_t countAt = garden.find(skyCount) + skyCount.size();
    const std::string countLine
        = std::to_string(std::count(garden.begin(), garden.begin() + countAt, '\n') + 1);
    for (const char* count : {"-1", "2147483647"}) {
        std::string text = garden;
        text.replace(countAt, 1, count);
        cases.push_back({"a damaged instance count", text,
            "bad.lvl:" + countLine + ": expected a count from 0 to 1048576, found \"" + count + "\""});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Level level("before");
        EXPECT_FALSE(ReadLevel(level, c.text, "bad.lvl"));
        EXPECT_NE(level.GetLoadError().find(c.message), std::string::npos) << level.GetLoadError();
        EXPECT_EQ(level.GetLoadError().rfind("bad.lvl:", 0), 0u) << level.GetLoadError();
        for (int list : Level::kFileOrder)
            EXPECT_EQ(level.GetLayerCount(list), 0);
        EXPECT_EQ(level.GetCollisionWorld(), nullptr);
    }

    std::string error;
    EXPECT_EQ(Level::LoadFile(DataPath("no-such-level.lvl"), &error), nullptr);
    EXPECT_NE(error.find("no-such-level.lvl: cannot open"), std::string::npos) << error;
}

TEST_F(LevelFile, WriterListsPrototypesByUseLeavesAddedInstancesOutAndNumbersPayloads)
{
    Level level("orchard");
    Layer* first = level.CreateLayer(Level::kScene, "Front", nullptr, 512, 448, 32, 32);
    Layer* second = level.CreateLayer(Level::kBackground, "Back", nullptr, 512, 448, 32, 32);
    first->AddPlacedInstance(&tree, 0, 0);
    first->AddPlacedInstance(&ledge, 40, 0);
    second->AddPlacedInstance(&ledge, 0, 0);
    second->AddPlacedInstance(&tree, 80, 0);
    second->AddPlacedInstance(&ledge, 0, 90);
    first->AddGraphicalObject(&torch, 5, 5, false, 0);

    std::vector<GraphicalObject*> objects;
    std::vector<int32_t> counts;
    first->CollectPrototypes(objects, counts);
    second->CollectPrototypes(objects, counts);
    EXPECT_EQ(objects, (std::vector<GraphicalObject*> {&tree, &ledge}));
    EXPECT_EQ(counts, (std::vector<int32_t> {2, 3}));

    const std::string text = WriteLevel(level);
    EXPECT_NE(text.find("_Level_updatetag_1.3_\r\n2\r\nLedge\r\nTree\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Torch"), std::string::npos);
    // The front layer writes two instances, not the added third.
    EXPECT_NE(text.find("Front\r\n32\r\n32\r\n1\r\n1\r\n2\r\n"), std::string::npos);

    // Written and read back, the level is the same.
    Level again;
    ASSERT_TRUE(ReadLevel(again, text)) << again.GetLoadError();
    EXPECT_EQ(WriteLevel(again), text);
    EXPECT_EQ(again.GetLayerAt(Level::kScene, 0)->GetAddedInstanceCount(), 0u);

    // After a reset nothing of the level is left.
    level.Reset();
    EXPECT_EQ(level.GetName(), "Reset");
    EXPECT_EQ(level.GetScript(), nullptr);
    EXPECT_EQ(level.GetCollisionWorld(), nullptr);
    EXPECT_EQ(level.GetLayerCount(Level::kScene) + level.GetLayerCount(Level::kBackground), 0);
}

} // namespace

TEST(LevelFileRefusals, FoldersPipesDevicesAndEndlessLinesAreRefusedByName)
{
    // Nothing that is not a regular file is opened (a pipe would block, a
    // device never end); a file with one endless line stops at the bound.
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("quenholt-levelpaths-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "folder.lvl");
    ASSERT_EQ(::mkfifo((folder / "pipe.lvl").c_str(), 0600), 0);
    std::ofstream(folder / "endless.lvl", std::ios::binary) << std::string(kMaxLineLength * 3, 'L');
    const struct {
        std::string path;
        std::string error;
    } cases[] = {
        {"/dev/zero", "/dev/zero: not a regular file"},
        {(folder / "folder.lvl").string(), (folder / "folder.lvl").string() + ": not a regular file"},
        {(folder / "pipe.lvl").string(), (folder / "pipe.lvl").string() + ": not a regular file"},
        {(folder / "endless.lvl").string(),
            (folder / "endless.lvl").string() + ":1: expected a line of at most "
                + std::to_string(kMaxLineLength) + " characters, found a longer one"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::string error;
        EXPECT_EQ(Level::LoadFile(c.path, &error), nullptr);
        EXPECT_EQ(error, c.error);
    }
    fs::remove_all(folder);
}
