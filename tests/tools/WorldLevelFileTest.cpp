#include "engine/serial/FileUtils.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "script/Script.h"
#include "tools/world/ArtAtlas.h"
#include "tools/world/GameLibraryWriter.h"
#include "tools/world/LevelBuilder.h"
#include "tools/world/LevelDescription.h"
#include "tools/world/LevelModel.h"
#include "tools/world/WorldText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

// The levels the level tool writes, read back through the engine's level
// reader: byte-for-byte round trips, and the layer and placement rules the
// game relies on checked on the loaded levels themselves.
namespace {

const std::string kData = std::string(QUENHOLT_SOURCE_DIR) + "/data";
const std::string kWorld = QUENHOLT_WORLD_DIR;

// The world's library objects lent to a game object, so that level files
// find their prototypes by name as they do in the game.
class WorldLibrary {
public:
    WorldLibrary()
    {
        for (const std::string& file : ListFiles(kData + "/art", ".txt"))
            book.ReadFile(file);
        atlas = ArtAtlas::Layout(book);
        writer = std::make_unique<GameLibraryWriter>(book, atlas, noSounds);
        for (GraphicalObject* object : writer->Objects())
            game.sceneObjects.push_back(object);
        for (const std::string& file : ListFiles(kData + "/levels", ".lvd"))
            levels.push_back(LevelDescription::ReadFile(file));
    }
    // The objects are the writer's: the game must not free them.
    ~WorldLibrary() { game.sceneObjects.clear(); }

    LevelBuilder Builder() const
    {
        return LevelBuilder([this](const std::string& name) { return writer->FindObject(name); });
    }

    ArtBook book;
    ArtAtlas atlas;
    std::vector<SynthSound> noSounds;
    std::unique_ptr<GameLibraryWriter> writer;
    Game game;
    std::vector<LevelDescription> levels;
};

class WorldLevelFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { library = new WorldLibrary(); }
    static void TearDownTestSuite()
    {
        delete library;
        library = nullptr;
        std::error_code ignored;
        std::filesystem::remove_all(LevelFolder(), ignored);
    }

    // Where the levels are written when the build did not assemble the world.
    static std::filesystem::path LevelFolder()
    {
        return std::filesystem::temp_directory_path() / "quenholt_world_levels";
    }

    // The level file of a description: the assembled world's when the build
    // made it, else one written now into the test's temporary folder.
    static std::string LevelPath(const LevelDescription& description)
    {
        const std::string built = kWorld + "/levels/" + ToLowerCase(description.level);
        if (std::filesystem::exists(built))
            return built;
        const std::filesystem::path folder = LevelFolder();
        std::filesystem::create_directories(folder);
        const std::string path = (folder / ToLowerCase(description.level)).string();
        std::unique_ptr<Level> level = library->Builder().Build(BuildLevelModel(description));
        EXPECT_TRUE(level->SaveFile(path)) << path;
        return path;
    }

    static std::unique_ptr<Level> Load(const LevelDescription& description)
    {
        std::string error;
        std::unique_ptr<Level> level = Level::LoadFile(LevelPath(description), &error);
        EXPECT_TRUE(level) << error;
        return level;
    }

    static inline WorldLibrary* library = nullptr;
};

// Every placed instance of a level with the list and layer it stands in.
struct Placed {
    int list;
    Layer* layer;
    Layer::Instance* instance;
    std::string object;
};

std::vector<Placed> AllPlaced(const Level& level)
{
    std::vector<Placed> all;
    for (int list : Level::kFileOrder)
        for (int i = 0; i < level.GetLayerCount(list); ++i) {
            Layer* layer = level.GetLayerAt(list, i);
            for (size_t k = 0; k < layer->GetInstanceCount(); ++k) {
                Layer::Instance* instance = layer->GetInstance(k);
                all.push_back({list, layer, instance, instance->GetPrototype()->GetName()});
            }
        }
    return all;
}

TEST_F(WorldLevelFile, EveryLevelLoadsAndWritesBackByteForByteWithCrLf)
{
    ASSERT_GE(library->levels.size(), 2u);
    for (const LevelDescription& description : library->levels) {
        SCOPED_TRACE(description.file);
        const std::string path = LevelPath(description);
        const std::string bytes = ReadWholeFile(path);
        ASSERT_EQ(bytes.substr(0, 9), "LevelV0\r\n");
        for (size_t lf = bytes.find('\n'); lf != std::string::npos; lf = bytes.find('\n', lf + 1))
            ASSERT_EQ(bytes[lf - 1], '\r') << "bare LF at byte " << lf;

        std::unique_ptr<Level> level = Load(description);
        ASSERT_TRUE(level);
        EXPECT_EQ(LevelBuilder::LevelText(*level), bytes);
        // The file holds what the tool builds from the description today.
        std::unique_ptr<Level> fresh = library->Builder().Build(BuildLevelModel(description));
        EXPECT_EQ(LevelBuilder::LevelText(*fresh), bytes) << "the assembled world is out of date";
        // Every placed object was found in the library on the way in.
        for (const Placed& p : AllPlaced(*level))
            EXPECT_NE(library->writer->FindObject(p.object), nullptr) << p.object;
        EXPECT_EQ(level->GetScript()->GetLines().size(), description.scripts.size());
    }
}

TEST_F(WorldLevelFile, LoadedLevelsKeepTheLayerRulesTheGameNeeds)
{
    for (const LevelDescription& description : library->levels) {
        SCOPED_TRACE(description.file);
        std::unique_ptr<Level> level = Load(description);
        ASSERT_TRUE(level);
        // The scene list: "Scene Layer 00" first and accepting (it hosts the
        // characters), "Collisions" present and drawing no placed instance.
        Layer* first = level->GetLayerAt(Level::kScene, 0);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->GetName(), "Scene Layer 00");
        EXPECT_TRUE(first->GetDrawPlacedInstances());
        Layer* collisions = level->GetLayer(Level::kScene, "Collisions");
        ASSERT_NE(collisions, nullptr);
        EXPECT_FALSE(collisions->GetDrawPlacedInstances());
        EXPECT_NE(level->GetFirstLayer(Level::kScene, 1.0f, 1.0f), collisions);
        EXPECT_NE(level->GetLastLayer(Level::kScene, 1.0f, 1.0f), collisions);
        // Pickups land in the first accepting (1, 1) foreground layer.
        Layer* pickups = level->GetFirstLayer(Level::kForeground, 1.0f, 1.0f);
        ASSERT_NE(pickups, nullptr);
        EXPECT_EQ(pickups->GetName(), "FG_Water");
        // Background layers scroll slower than the scene; the sky stands
        // still and only the clouds, where the backdrop has them, drift.
        for (int i = 0; i < level->GetLayerCount(Level::kBackground); ++i)
            EXPECT_LT(level->GetLayerAt(Level::kBackground, i)->GetScrollFactorX(), 1.0f);
        EXPECT_EQ(level->GetLayer(Level::kBackground, "BG_Sky")->GetAutoScrollSpeed(), 0.0f);
        if (Layer* clouds = level->GetLayer(Level::kBackground, "BG_Clouds")) {
            EXPECT_GT(clouds->GetAutoScrollSpeed(), 0.0f);
        }

        int markers = 0;
        for (const Placed& p : AllPlaced(*level)) {
            if (p.object == "Water_Tile" || p.object == "Lava_Tile") {
                EXPECT_EQ(p.list, Level::kForeground) << p.object;
                EXPECT_EQ(p.layer->GetScrollFactor(), Point<float>(1.0f, 1.0f)) << p.object;
            }
            const bool gameplay = p.object.rfind("Zone", 0) == 0 || p.object.rfind("Point_", 0) == 0
                || p.object.rfind("Coll", 0) == 0 || p.object.rfind("coll", 0) == 0
                || p.object.rfind("cube_ceiling", 0) == 0 || p.object.rfind("CameraBlocker", 0) == 0
                || p.object == "Climb_Zone";
            // The Ultimate boss's spawner stands on a later layer, so that it
            // spawns after the markers it places its bodies on.
            if (p.object == "Zone_NPCSpawner_Boss_Ultimate") {
                EXPECT_EQ(p.layer->GetName(), "Scene Layer 01");
            } else if (gameplay) {
                EXPECT_EQ(p.layer, collisions) << p.object << " in " << p.layer->GetName();
            }
            markers += p.object == "Point_MinimapLocation";
        }
        EXPECT_EQ(markers, 1);
    }
}

// A drifting layer draws the pictures in view once more one layer width to
// the left: each of its pictures must end at that width, or a gap opens at
// the screen's left edge and grows as the layer drifts.
TEST_F(WorldLevelFile, DriftingLayersWrapWithoutAGap)
{
    for (const LevelDescription& description : library->levels) {
        SCOPED_TRACE(description.file);
        std::unique_ptr<Level> level = Load(description);
        ASSERT_TRUE(level);
        for (int i = 0; i < level->GetLayerCount(Level::kBackground); ++i) {
            Layer* layer = level->GetLayerAt(Level::kBackground, i);
            if (layer->GetAutoScrollSpeed() == 0.0f)
                continue;
            std::map<std::string, float> rightEdge;
            float width = 0.0f;
            for (size_t k = 0; k < layer->GetInstanceCount(); ++k) {
                Layer::Instance* instance = layer->GetInstance(k);
                const auto* picture = dynamic_cast<const GraphicalObject*>(instance->GetPrototype());
                ASSERT_NE(picture, nullptr);
                const float right = instance->GetPosition().x + float(picture->GetSize().x);
                rightEdge[picture->GetName()] = std::max(rightEdge[picture->GetName()], right);
                width = std::max(width, right);
            }
            ASSERT_FALSE(rightEdge.empty()) << layer->GetName();
            for (const auto& [name, right] : rightEdge)
                EXPECT_EQ(right, width) << name << " in " << layer->GetName();
            EXPECT_GE(width, 512.0f) << layer->GetName() << " covers the screen";
        }
    }
}

TEST_F(WorldLevelFile, CameraBlockersStandOnEveryEdgeScreenAndStartsOnSolidFloor)
{
    for (const LevelDescription& description : library->levels) {
        SCOPED_TRACE(description.file);
        std::unique_ptr<Level> level = Load(description);
        ASSERT_TRUE(level);
        const int screenW = 512, screenH = 448;
        const int width = description.screensW * screenW, height = description.screensH * screenH;
        // One blocker per screen on each edge, inside that screen and on its edge.
        std::map<std::string, std::vector<int>> screens;
        for (const Placed& p : AllPlaced(*level)) {
            if (p.object.rfind("CameraBlocker_", 0) != 0)
                continue;
            const Point<float> at = p.instance->GetPosition();
            // A blocker the description places itself holds the camera on an
            // arena (the Heart's west wall); the standard ones stand on the
            // level's edges.
            if (std::any_of(description.placements.begin(), description.placements.end(),
                    [&](const LevelPlacement& d) {
                        return d.object == p.object && float(d.x * 32) == at.x && float(d.y * 32) == at.y;
                    }))
                continue;
            const bool vertical = p.object == "CameraBlocker_Left" || p.object == "CameraBlocker_Right";
            screens[p.object].push_back(vertical ? int(at.y) / screenH : int(at.x) / screenW);
            // Each stands on its own edge of the level.
            const std::map<std::string, float> edgeAt
                = {{"CameraBlocker_Left", at.x}, {"CameraBlocker_Right", float(width - 32) - at.x},
                    {"CameraBlocker_Bottom", at.y}, {"CameraBlocker_Top", float(height - 32) - at.y}};
            EXPECT_EQ(edgeAt.at(p.object), 0.0f) << p.object;
        }
        for (const char* edge : {"CameraBlocker_Left", "CameraBlocker_Right"}) {
            std::vector<int> expected(size_t(description.screensH));
            for (int s = 0; s < description.screensH; ++s)
                expected[size_t(s)] = s;
            EXPECT_EQ(screens[edge], expected) << edge;
        }
        for (const char* edge : {"CameraBlocker_Bottom", "CameraBlocker_Top"}) {
            std::vector<int> expected(size_t(description.screensW));
            for (int s = 0; s < description.screensW; ++s)
                expected[size_t(s)] = s;
            EXPECT_EQ(screens[edge], expected) << edge;
        }
        // The player arrives 10 px above a start point: the collision world
        // the level built must hold a block right under each one.
        int starts = 0;
        for (const Placed& p : AllPlaced(*level)) {
            if (p.object != "Point_PlayerStart")
                continue;
            ++starts;
            const Point<float> at = p.instance->GetPosition();
            const Rect<int> under(int(at.x) + 8, int(at.y) - 2, int(at.x) + 24, int(at.y) - 4);
            EXPECT_FALSE(level->QueryFixtures(under).empty())
                << "no floor under the start at " << at.x << ", " << at.y;
            const Rect<int> body(int(at.x) + 8, int(at.y) + 80, int(at.x) + 24, int(at.y) + 10);
            EXPECT_TRUE(level->QueryFixtures(body).empty())
                << "the start at " << at.x << ", " << at.y << " is inside a block";
        }
        EXPECT_GE(starts, 1);
    }
}

} // namespace
