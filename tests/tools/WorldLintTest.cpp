#include "tools/world/WorldLint.h"
#include "engine/render/PixelImage.h"
#include "engine/serial/FileUtils.h"
#include "engine/serial/ReaderContext.h"
#include "engine/sound/WaveFile.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/Sprite.h"
#include "tools/world/ArtAtlas.h"
#include "tools/world/GameLibraryWriter.h"
#include "tools/world/LevelBuilder.h"
#include "tools/world/LevelChecks.h"
#include "tools/world/LevelModel.h"
#include "tools/world/MusicSynth.h"
#include "tools/world/WorldText.h"

#include "tests/tools/WorldSources.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

// The content lint: the world's sources (data/) and the world the build
// assembled (<build>/world) checked against the rules the game relies on.
namespace {

const std::string kData = std::string(QUENHOLT_SOURCE_DIR) + "/data";
const std::string kWorld = QUENHOLT_WORLD_DIR;

struct World : WorldSources {
    std::set<std::string> Names() const { return GameLibraryWriter(art, atlas, sounds).ObjectNames(); }
};

const World& TheWorld()
{
    static const World world;
    return world;
}

std::vector<std::string> InitVarsLines()
{
    std::vector<std::string> lines;
    EXPECT_TRUE(ReadLines(kData + "/init_vars.txt", lines));
    return lines;
}

TEST(WorldLintTest, EveryLevelKeepsTheRulesAndUsesOnlyNamesTheLibraryHas)
{
    const World& world = TheWorld();
    const std::set<std::string> names = world.Names();
    ASSERT_GE(world.levels.size(), 2u);
    EXPECT_EQ(CheckWorld(world.levels), std::vector<std::string>());
    for (const LevelDescription& level : world.levels) {
        SCOPED_TRACE(level.file);
        EXPECT_EQ(CheckLevel(level, names), std::vector<std::string>());
        // What the level tool adds (terrain art, backgrounds, blocks) exists too.
        for (const ModelLayer& layer : BuildLevelModel(level).layers)
            for (const ModelInstance& instance : layer.instances)
                EXPECT_TRUE(names.count(instance.object)) << instance.object << " in " << layer.name;
        for (const auto& [line, where] : level.scripts) {
            std::vector<std::string> words = SplitWords(line);
            if (!words.empty() && ToLowerCase(words[0]) == "playmusic") {
                EXPECT_TRUE(world.tracks.count(words.at(1))) << level.file << ":" << where;
            }
        }
    }
}

TEST(WorldLintTest, InitVarsRunsAsConsoleLinesAndNamesWhatExists)
{
    const World& world = TheWorld();
    std::set<std::string> levelNames;
    for (const LevelDescription& level : world.levels)
        levelNames.insert(ToLowerCase(level.level));
    const std::vector<std::string> lines = InitVarsLines();
    ASSERT_FALSE(lines.empty());
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE("init_vars.txt:" + std::to_string(i + 1) + ": " + lines[i]);
        // Every line is a command: no blank line, no comment, no stray blanks.
        ASSERT_FALSE(lines[i].empty());
        EXPECT_NE(lines[i][0], '#');
        EXPECT_NE(lines[i].substr(0, 2), "//");
        EXPECT_EQ(lines[i].find_first_of(" \t"), lines[i].find(' '));
        EXPECT_NE(lines[i].back(), ' ');
        // The tokenizer skips the character after a closing quote: a blank must stand there.
        for (size_t q = lines[i].find('"'); q != std::string::npos; q = lines[i].find('"', q + 1)) {
            const size_t close = lines[i].find('"', q + 1);
            ASSERT_NE(close, std::string::npos) << "unclosed quote";
            EXPECT_TRUE(close + 1 == lines[i].size() || lines[i][close + 1] == ' ');
            q = close;
        }
        const std::vector<std::string> w = SplitWords(lines[i]);
        if (w[0] == "setpath") {
            ASSERT_EQ(w.size(), 3u);
            EXPECT_NE(w[2][0], '\\');
            EXPECT_EQ(w[2].back() == '\\', w[1] != "map");
        } else if (w[0] == "setfirstmap") {
            EXPECT_TRUE(levelNames.count(ToLowerCase(w.at(1))));
        } else if (w[0] == "setmainmusicpath" || w[0] == "addmusicinfo") {
            EXPECT_TRUE(world.tracks.count(w.at(1)));
            for (size_t k = 3; k < w.size(); ++k)
                EXPECT_TRUE(w[k] == "0" || w[k] == "1") << "bools are 1 or 0";
        }
    }
}

TEST(WorldLintTest, LibraryHoldsTheFirstStageNamesAndEverySoundPlaysAnEvent)
{
    const World& world = TheWorld();
    const std::set<std::string> names = world.Names();
    for (const char* name : {"Game_LoadingScreen_512_448", "GlobalMinimap", "GlobalMinimap_Mask",
             "Coll_cube_32", "Coll_platform_32", "coll_ceiling_16", "cube_ceiling_16_16_right",
             "CameraBlocker_Top", "Zone_LoadMap", "Point_PlayerStart", "Climb_Zone", "Zone_TriggerZone",
             "Zone_NPCSPawner_FloatingSkull", "Water_Tile"})
        EXPECT_TRUE(names.count(name)) << name;
    for (const char* part :
        {"Top", "Fill", "Left", "Right", "TopLeft", "TopRight", "Platform", "Ceiling", "Wall"})
        EXPECT_TRUE(names.count(std::string("Tile_Cem_") + part)) << part;
    for (const std::string& name : names) {
        // Only characters' pictures, in "(NPC)", may start with "NPC" or
        // "Proj": the game takes every such name for a character's.
        if (name.rfind("NPC", 0) != 0 && name.rfind("Proj", 0) != 0)
            continue;
        const ArtObject* art = world.art.Find(name);
        ASSERT_NE(art, nullptr) << name;
        EXPECT_EQ(art->category, "(NPC)") << name;
    }
    for (const std::string side : {"L", "R"})
        for (const std::string state : {"Close", "Open", "Openning", "Closing"})
            EXPECT_TRUE(names.count("NPC_DoorClassic_" + state + side)) << state << side;
    // Doors: 32 x 96; closed, opening and closing they block (a type-0 box),
    // open they do not; opening and closing finish, or a door never opens.
    for (const std::string kind : {"Classic", "Crossbow"}) {
        for (const std::string state : {"Close", "Open", "Openning", "Closing"}) {
            for (const std::string side : {"L", "R"}) {
                const ArtObject* door = world.art.Find("NPC_Door" + kind + "_" + state + side);
                ASSERT_NE(door, nullptr) << kind << state << side;
                EXPECT_EQ(door->width, 32);
                EXPECT_EQ(door->height, 96);
                const bool blocks = std::any_of(door->boxes.begin(), door->boxes.end(),
                    [](const ArtBox& box) { return box.type == 0 && box.frame == -1; });
                EXPECT_EQ(blocks, state != "Open") << door->name;
                EXPECT_EQ(door->loop, state != "Openning" && state != "Closing") << door->name;
            }
        }
    }
    std::set<std::string> events;
    for (const SynthSound& sound : world.sounds) {
        bool second = false;
        const std::string event = GameLibraryWriter::EventForSound(sound.name, second);
        EXPECT_FALSE(event.empty()) << sound.name << " plays no event";
        events.insert(event);
    }
    for (const char* event : {"Menu_Select", "Door_Close", "Player_Jump", "Script_User_00"})
        EXPECT_TRUE(events.count(event)) << event;
    // The loading screen and every finishing picture never loop.
    const ArtObject* loading = world.art.Find("Game_LoadingScreen_512_448");
    ASSERT_NE(loading, nullptr);
    EXPECT_EQ(loading->frames, 8);
    EXPECT_EQ(loading->width, 512);
    EXPECT_EQ(loading->height, 448);
}

TEST(WorldLintTest, WrittenLibraryIsCrLfAndItsSpritesReadBackOntoTheAtlas)
{
    const World& world = TheWorld();
    std::ostringstream out;
    ASSERT_TRUE(GameLibraryWriter(world.art, world.atlas, world.sounds).Write(out));
    const std::string text = out.str();
    ASSERT_EQ(text.substr(0, 8), "GameV0\r\n");
    for (size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', lf + 1))
        ASSERT_EQ(text[lf - 1], '\r') << "bare LF at byte " << lf;
    std::ostringstream again;
    GameLibraryWriter(world.art, world.atlas, world.sounds).Write(again);
    EXPECT_EQ(again.str(), text);

    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    std::getline(in, line);
    std::getline(in, line);
    std::getline(in, line);
    const int count = std::stoi(line);
    int frames = 0;
    for (const ArtObject& object : world.art.objects)
        frames += object.frames;
    ASSERT_EQ(count, frames);
    size_t index = 0;
    for (const ArtObject& object : world.art.objects)
        for (int f = 0; f < object.frames; ++f, ++index) {
            std::getline(in, line);
            ASSERT_EQ(line, "SpriteV0\r");
            Sprite sprite(in);
            const AtlasFrame& at = world.atlas.frames.at(object.name)[size_t(f)];
            EXPECT_EQ(sprite.GetName(), FrameSpriteName(object, f));
            EXPECT_EQ(sprite.GetRect().x0, at.x);
            EXPECT_EQ(sprite.GetRect().y1, at.y + object.height);
            std::string page = sprite.GetImageFile();
            std::replace(page.begin(), page.end(), '\\', '/');
            EXPECT_EQ(page, at.page);
        }
}

TEST(WorldLintTest, AssembledWorldHoldsEveryFileTheLibraryAndSettingsName)
{
    if (!std::filesystem::exists(kWorld + "/gamelib.txt"))
        GTEST_SKIP() << "the world is not built in " << kWorld;
    const World& world = TheWorld();
    for (const AtlasPage& page : world.atlas.pages) {
        PixelImage picture;
        ASSERT_TRUE(picture.LoadFromFile(kWorld + "/images/" + page.file)) << page.file;
        EXPECT_EQ(picture.GetWidth(), page.width);
        EXPECT_EQ(picture.GetHeight(), page.height);
    }
    for (const SynthSound& sound : world.sounds) {
        WaveFile file;
        EXPECT_TRUE(file.OpenFile(kWorld + "/sounds/" + sound.name + ".wav")) << sound.name;
    }
    for (const std::string& track : world.tracks)
        EXPECT_TRUE(std::filesystem::exists(kWorld + "/music/" + track)) << track;
    for (const LevelDescription& level : world.levels)
        EXPECT_TRUE(std::filesystem::exists(kWorld + "/levels/" + ToLowerCase(level.level))) << level.level;
    EXPECT_EQ(ReadWholeFile(kWorld + "/init_vars.txt"), ReadWholeFile(kData + "/init_vars.txt"));
}

TEST(WorldLintTest, BuiltLevelsReadBackThroughTheGameHaveTheirExitsStartsMarkersAndLibraryNames)
{
    if (!std::filesystem::exists(kWorld + "/gamelib.txt"))
        GTEST_SKIP() << "the world is not built in " << kWorld;
    const World& world = TheWorld();
    Game game;
    {
        std::ifstream file(kWorld + "/gamelib.txt", std::ios::binary);
        ReaderContext context(file, "gamelib.txt");
        ASSERT_TRUE(game.UnSerialize(file));
    }
    std::set<std::string> library;
    for (SceneObject* object : game.sceneObjects)
        library.insert(object->GetName());
    std::vector<std::unique_ptr<Level>> loaded;
    std::vector<LintedLevel> levels;
    for (const LevelDescription& description : world.levels) {
        const std::string file = ToLowerCase(description.level);
        std::string error;
        loaded.push_back(Level::LoadFile(kWorld + "/levels/" + file, &error));
        ASSERT_TRUE(loaded.back()) << file << ": " << error;
        levels.push_back({file, loaded.back().get(), description.cellX, description.cellRow});
    }
    EXPECT_EQ(LintLevels(levels, [&](const std::string& name) { return library.count(name) > 0; }),
        std::vector<std::string>());
}

// Levels built straight from descriptions that the level tool's own checks
// would refuse, so the lint over built levels has something to find.
class BrokenWorld {
public:
    std::unique_ptr<Level> Build(const std::string& text, const std::string& file)
    {
        const LevelBuilder builder([this](const std::string& name) {
            auto& object = objects[name];
            if (!object)
                object = std::make_unique<GraphicalObject>(name);
            return object.get();
        });
        return builder.Build(BuildLevelModel(LevelDescription::Parse(text, file)));
    }

    std::map<std::string, std::unique_ptr<GraphicalObject>> objects;
};

// One screen with a floor, its start, an exit to "other.lvl" and a prop.
std::string BrokenLevel(const std::string& name, const std::string& exitStart, const std::string& extra)
{
    std::string text = "level " + name + "\nscreens 1 1\ncell 5 5\npalette cemetery\ntiles\n";
    for (int row = 0; row < 12; ++row)
        text += std::string(16, '.') + "\n";
    text += std::string(16, '#') + "\n" + std::string(16, '#') + "\n";
    text += "place Zone_LoadMap out 15 2 1x3 level=other.lvl start=" + exitStart + "\n";
    return text + extra;
}

TEST(WorldLintTest, LintOfBuiltLevelsFindsEachBrokenDescription)
{
    const World& world = TheWorld();
    const std::set<std::string> names = world.Names();
    const std::string start = "place Point_PlayerStart start 4 2 name=start\n";
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {BrokenLevel("a.lvl", "from_a", start),
            "a.lvl: exit \"out\" arrives at start point \"from_a\", which other.lvl does not have"},
        {BrokenLevel("a.lvl", "from_b", start + "place Zone_LoadMap far 0 2 1x3 level=Nowhere.lvl start=x\n"),
            "a.lvl: exit \"far\" leads to \"Nowhere.lvl\", which is no level of the world"},
        {BrokenLevel("a.lvl", "from_b", "place Point_PlayerStart begin 4 2 name=begin\n"),
            "a.lvl: no start point named \"start\""},
        {BrokenLevel("a.lvl", "from_b", "off points\n" + start),
            "a.lvl: expected one minimap marker, found 0"},
        {BrokenLevel("a.lvl", "from_b",
             start + "place Point_MinimapLocation m1 1 1\nplace Point_MinimapLocation m2 2 1\n"),
            "a.lvl: expected one minimap marker, found 2"},
        {BrokenLevel("a.lvl", "from_b", start + "prop \"Scene Layer 00\" Deco_Missing 3 2\n"),
            "a.lvl: object \"Deco_Missing\" at 96, 64 is not in the game library"},
        {BrokenLevel("a.lvl", "from_b", start + "place Point_PlayerStart back 15 3 name=back\n"),
            "a.lvl: start point \"back\" at 480, 96 lies inside exit \"out\""},
    };
    // The other level is sound: it has both start points the exits may name.
    BrokenWorld broken;
    std::unique_ptr<Level> other = broken.Build(
        BrokenLevel("other.lvl", "start", start + "place Point_PlayerStart b 8 2 name=from_b\n"),
        "other.lvd");
    const LintedLevel otherLinted {"other.lvl", other.get(), 5, 5};
    auto has = [&](const std::string& name) { return names.count(name) > 0; };
    EXPECT_EQ(LintLevels({otherLinted}, has), std::vector<std::string>());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        std::unique_ptr<Level> level = broken.Build(c.text, "a.lvd");
        const std::vector<std::string> faults = LintLevels({{"a.lvl", level.get(), 5, 5}, otherLinted}, has);
        const bool found = std::any_of(faults.begin(), faults.end(),
            [&](const std::string& f) { return f.find(c.message) != std::string::npos; });
        EXPECT_TRUE(found) << "got:\n" << (faults.empty() ? std::string("nothing") : faults.front());
    }

    // A zone without its payload does nothing in the game; a marker with
    // another cell points the minimap elsewhere.
    std::unique_ptr<Level> stripped = broken.Build(BrokenLevel("a.lvl", "from_b", start), "a.lvd");
    Layer* collisions = stripped->GetLayer(Level::kScene, "Collisions");
    for (size_t k = 0; k < collisions->GetInstanceCount(); ++k)
        if (collisions->GetInstance(k)->GetPrototype()->GetName() == "Zone_LoadMap")
            collisions->GetInstance(k)->TakePayload();
    std::vector<std::string> faults = LintLevels({{"a.lvl", stripped.get(), 5, 6}, otherLinted}, has);
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(faults[0], "a.lvl: Zone_LoadMap at 480, 64 carries no payload: the game cannot use it");
    EXPECT_EQ(faults[1], "a.lvl: the minimap marker carries the cell 5 5, the level's is 5 6");
}

} // namespace
