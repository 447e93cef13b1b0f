#include "engine/serial/FileUtils.h"
#include "game/AchievementManager.h"
#include "game/Game.h"
#include "script/DialogueFile.h"
#include "script/Script.h"
#include "tools/world/ArtAtlas.h"
#include "tools/world/GameLibraryWriter.h"
#include "tools/world/LevelChecks.h"
#include "tools/world/ScriptLint.h"
#include "tools/world/WorldText.h"
#include "zones/Zone_PickupObject.h"

#include "tests/tools/WorldSources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <queue>
#include <sstream>

// The content lint of the world's scripts, pickups, dialogues and routes:
// every name a level's scripts use exists, every exit and start point joins
// the levels into one world, and every dialogue block a script asks for is
// there in each language.
namespace {

const std::string kData = std::string(QUENHOLT_SOURCE_DIR) + "/data";
const char* const kLanguages[] = {"dialogues_eng", "dialogues_fr"};

// Every level the world will hold (the hub names as the game lists them).
const char* const kWorldLevels[] = {"cemetery_01.lvl", "Cimetery_TP_01.lvl", "cemetery_02.lvl",
    "Cimetery_TP_02.lvl", "Cimetery_TP_03.lvl", "cemetery_crypt.lvl", "cemetery_heart.lvl", "Boat_TP_1.lvl",
    "boat_01.lvl", "boat_02.lvl", "boat_03.lvl", "Cave_tp.lvl", "cave_01.lvl", "cave_02.lvl", "cave_03.lvl",
    "snow_tp.lvl", "snow_01.lvl", "snow_02.lvl", "snow_03.lvl", "bibli_TP.lvl", "bibli_01.lvl",
    "bibli_02.lvl", "bibli_03.lvl", "underwater_TP.lvl", "underwater_01.lvl", "underwater_02.lvl",
    "underwater_03.lvl", "Garden_tp.lvl", "garden_01.lvl", "garden_02.lvl", "garden_03.lvl"};

// Dialogue blocks of a file's text: runs of lines with words.
int CountBlocks(const std::string& text)
{
    std::istringstream in(text);
    int blocks = 0;
    bool separated = true;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const bool words = !DialogueFile::SplitLine(line).empty();
        if (words && separated)
            ++blocks;
        separated = !words;
    }
    return blocks;
}

int BlocksInEveryLanguage(const std::string& file)
{
    int blocks = -1;
    for (const char* language : kLanguages) {
        const std::string path = kData + "/" + language + "/" + file;
        if (!std::filesystem::exists(path))
            return -1;
        const int here = CountBlocks(ReadWholeFile(path));
        if (blocks >= 0 && here != blocks)
            return -1;
        blocks = here;
    }
    return blocks;
}

std::vector<std::string> InitVars()
{
    std::vector<std::string> lines;
    ReadLines(kData + "/init_vars.txt", lines);
    return lines;
}

struct SliceWorld : WorldSources {
    ScriptNames names;
    Game game; // registers the script commands

    SliceWorld()
    {
        names.objects = GameLibraryWriter(art, atlas, sounds).ObjectNames();
        for (const ArtObject& object : art.objects) {
            if (!object.loop)
                names.finishing.insert(object.name);
            for (const ArtBox& box : object.boxes)
                if (box.type == 2)
                    names.hittable.insert(object.name);
        }
        for (const SynthSound& sound : sounds) {
            bool second = false;
            names.soundEvents.insert(GameLibraryWriter::EventForSound(sound.name, second));
        }
        for (const std::string& line : InitVars()) {
            const std::vector<std::string> w = SplitWords(line);
            if (w.size() >= 2 && w[0] == "addmusicinfo"
                && std::filesystem::exists(kData + "/music/" + w[1].substr(0, w[1].rfind('.')) + ".txt"))
                names.tracks.insert(w[1]);
        }
        AchievementManager achievements;
        for (size_t i = 0; i < achievements.GetCount(); ++i)
            names.achievements.insert(achievements.Get(i)->GetName());
        for (const char* level : kWorldLevels)
            names.levelNames.insert(ToLowerCase(level));
        names.layers = {"BG_Sky", "BG_Clouds", "BG_Far", "BG_Near", "Scene Layer 00", "Collisions",
            "Scene Layer 01", "FG_Near", "FG_Water", "FG_Secret"};
        names.levels = &levels;
        // The runner looks command words up in lower case.
        names.knownCommand
            = [](const std::string& command) { return Script::FindCommand(ToLowerCase(command)) != nullptr; };
        names.dialogueBlocks = BlocksInEveryLanguage;
    }

    const LevelDescription* Find(const std::string& level) const
    {
        for (const LevelDescription& d : levels)
            if (ToLowerCase(d.level) == ToLowerCase(level))
                return &d;
        return nullptr;
    }
};

const SliceWorld& TheWorld()
{
    static const SliceWorld* world = new SliceWorld();
    return *world;
}

TEST(WorldScriptLintTest, EveryScriptOfEveryLevelNamesWhatExists)
{
    const SliceWorld& world = TheWorld();
    ASSERT_GE(world.levels.size(), 6u);
    size_t scripts = 0;
    for (const LevelDescription& level : world.levels) {
        EXPECT_EQ(CheckLevelScripts(level, world.names), std::vector<std::string>());
        for (const LevelPlacement& p : level.placements)
            scripts += p.script.empty() ? 0 : 1;
    }
    // The slice's kits are there: intro, Keeper, lever, urn, bell, gates, hints.
    EXPECT_GE(scripts, 15u);
}

TEST(WorldScriptLintTest, TheSliceHoldsItsKitsWhereTheWorldPutsThem)
{
    const SliceWorld& world = TheWorld();
    const std::map<std::string, std::vector<std::string>> kits = {
        {"cemetery_01.lvl", {"intro", "keeper", "keeper_spot", "map_hint", "door_hint", "urn_c01"}},
        {"cemetery_02.lvl", {"lever_c02", "gate_c02_short", "gate_in_cm", "gate_out_cm", "reward_cm"}},
        {"Cimetery_TP_01.lvl", {"sign_tp01"}},
        {"Cimetery_TP_03.lvl", {"bell", "crypt_stairs", "reward_souls"}},
        {"Boat_TP_1.lvl", {"portal_check"}},
    };
    for (const auto& [levelName, triggers] : kits) {
        const LevelDescription* level = world.Find(levelName);
        ASSERT_NE(level, nullptr) << levelName;
        for (const std::string& trigger : triggers) {
            const bool found = std::any_of(level->placements.begin(), level->placements.end(),
                [&](const LevelPlacement& p) { return p.object == "Zone_TriggerZone" && p.name == trigger; });
            EXPECT_TRUE(found) << trigger << " in " << levelName;
        }
    }
    // The slice's pickups, each once where the world puts it.
    const std::map<int, std::string> pickups = {{27, "cemetery_01.lvl"}, {20, "cemetery_01.lvl"},
        {8, "cemetery_01.lvl"}, {7, "Cimetery_TP_03.lvl"}, {13, "Cimetery_TP_01.lvl"}};
    for (const auto& [kind, levelName] : pickups) {
        const LevelDescription* level = world.Find(levelName);
        ASSERT_NE(level, nullptr);
        const bool found = std::any_of(
            level->placements.begin(), level->placements.end(), [kind = kind](const LevelPlacement& p) {
                return p.object == "Zone_PickupObject" && p.options.count("kind")
                    && p.options.at("kind") == std::to_string(kind);
            });
        EXPECT_TRUE(found) << "kind " << kind << " in " << levelName;
    }
}

TEST(WorldScriptLintTest, PickupsAndSpawnersCarryWhatTheirZonesRead)
{
    const SliceWorld& world = TheWorld();
    for (const LevelDescription& level : world.levels)
        for (const LevelPlacement& p : level.placements) {
            SCOPED_TRACE(level.file + ":" + std::to_string(p.line));
            if (p.object == "Zone_PickupObject") {
                ASSERT_TRUE(p.options.count("kind"));
                const int kind = std::stoi(p.options.at("kind"));
                EXPECT_GE(kind, 0);
                EXPECT_LT(kind, Zone_PickupObject::kKindCount);
                const std::string graphic(Zone_PickupObject::GraphicName(kind));
                if (!graphic.empty()) {
                    EXPECT_TRUE(world.names.objects.count(graphic)) << graphic;
                }
                if (kind == Zone_PickupObject::kMapPieces) {
                    ASSERT_TRUE(p.options.count("param"));
                    EXPECT_FALSE(Zone_PickupObject::ParseMapCells(p.options.at("param")).empty());
                }
            } else if (p.object == "Zone_NPCSpawner_Door") {
                ASSERT_TRUE(p.options.count("DoorKind") && p.options.count("DoorSide"));
                EXPECT_TRUE(p.options.at("DoorKind") == "0" || p.options.at("DoorKind") == "3");
                EXPECT_TRUE(p.options.at("DoorSide") == "0" || p.options.at("DoorSide") == "1");
                EXPECT_EQ(p.h, 3) << "a door is 32 x 96";
            } else if (p.object == "Zone_NPCSPawner_FloatingSkull") {
                EXPECT_TRUE(p.options.count("SpawnCount") && p.options.count("SkullKind"));
            }
        }
}

TEST(WorldScriptLintTest, ExitsAndStartPointsJoinTheSliceIntoOneWorld)
{
    const SliceWorld& world = TheWorld();
    std::string first;
    for (const std::string& line : InitVars())
        if (line.rfind("setfirstmap ", 0) == 0)
            first = line.substr(12);
    ASSERT_NE(world.Find(first), nullptr) << first;
    // The ways out of a level, (level, start point): its exits, and the
    // level changes its triggers ask for (the Chapel's crypt stair).
    auto exits = [](const LevelDescription& level) {
        std::vector<std::pair<std::string, std::string>> ways;
        for (const LevelPlacement& p : level.placements) {
            if (p.object == "Zone_LoadMap")
                ways.emplace_back(p.options.at("level"), p.options.at("start"));
            for (const std::string& line : p.script) {
                std::istringstream words(line);
                std::string command, target, start;
                if (words >> command >> target >> start && command == "AskToChangeLevel")
                    ways.emplace_back(target, start);
            }
        }
        return ways;
    };
    // Every level is reached from the first by walking through exits.
    std::set<std::string> reached = {ToLowerCase(first)};
    std::queue<const LevelDescription*> next;
    next.push(world.Find(first));
    while (!next.empty()) {
        const LevelDescription* level = next.front();
        next.pop();
        for (const auto& [levelName, start] : exits(*level)) {
            const LevelDescription* target = world.Find(levelName);
            ASSERT_NE(target, nullptr) << levelName;
            if (reached.insert(ToLowerCase(target->level)).second)
                next.push(target);
        }
    }
    for (const LevelDescription& level : world.levels) {
        SCOPED_TRACE(level.level);
        EXPECT_TRUE(reached.count(ToLowerCase(level.level))) << "no exit leads here";
        EXPECT_TRUE(world.names.levelNames.count(ToLowerCase(level.level))) << "not a level of the world";
        // Every start point but "start" is the arrival of some exit; each name once.
        std::set<std::string> starts;
        for (const LevelPlacement& p : level.placements) {
            const std::string start = StartPointName(p);
            if (start.empty())
                continue;
            EXPECT_TRUE(starts.insert(start).second) << "start point " << start << " twice";
            if (start == "start")
                continue;
            bool arrival = false;
            for (const LevelDescription& other : world.levels)
                for (const auto& [levelName, at] : exits(other))
                    arrival = arrival || (ToLowerCase(levelName) == ToLowerCase(level.level) && at == start);
            EXPECT_TRUE(arrival) << "no exit arrives at " << start;
        }
        // Hubs: a teleporter and a save; every level: music from its first line.
        int saves = 0, teleports = 0;
        for (const LevelPlacement& p : level.placements) {
            saves += p.object == "Zone_Save";
            teleports += p.object == "Zone_Teleport";
        }
        if (IsHubLevel(level.level)) {
            EXPECT_EQ(teleports, 1);
            EXPECT_GE(saves, 1);
            ASSERT_FALSE(level.scripts.empty());
            EXPECT_EQ(level.scripts.front().first, "PlayMusic hub.ogg 1");
        }
    }
}

TEST(WorldScriptLintTest, DialoguesAreAliveInEveryLanguageWithLinkedSpeakers)
{
    const SliceWorld& world = TheWorld();
    std::set<std::string> linked = {"player"};
    for (const std::string& line : InitVars()) {
        const std::vector<std::string> w = SplitWords(line);
        if (w.size() == 3 && w[0] == "setui_dialoguecharacterobject") {
            EXPECT_EQ(w[1], ToLowerCase(w[1])) << "speakers are looked up in lower case";
            EXPECT_TRUE(world.names.objects.count(w[2])) << w[2];
            linked.insert(w[1]);
        }
    }
    std::set<std::string> files;
    for (const char* language : kLanguages)
        for (const auto& entry : std::filesystem::directory_iterator(kData + "/" + language))
            files.insert(entry.path().filename().string());
    ASSERT_TRUE(files.count("Infos_auto.h"));
    ASSERT_TRUE(files.count("cemetery.txt"));
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        EXPECT_GT(BlocksInEveryLanguage(file), 0) << "missing in a language, or the block counts differ";
        for (const char* language : kLanguages) {
            std::vector<std::string> lines;
            ASSERT_TRUE(ReadLines(kData + "/" + language + "/" + file, lines));
            for (size_t i = 0; i < lines.size(); ++i) {
                SCOPED_TRACE(std::string(language) + ":" + std::to_string(i + 1));
                // Printable 8-bit text (French accents in Latin-1); the font
                // lint checks that each character has its glyph.
                for (unsigned char c : lines[i])
                    EXPECT_TRUE(c >= 32 && c != 127) << "only printable characters";
                const DialogueFile::Line words = DialogueFile::SplitLine(lines[i]);
                if (words.empty())
                    continue;
                ASSERT_TRUE(words.size() == 1 || words.size() == 3) << lines[i];
                const std::string& text = words.back();
                EXPECT_EQ(lines[i].back(), '"') << "texts are quoted";
                if (words.size() == 3) {
                    EXPECT_EQ(words[1], ": ");
                    EXPECT_TRUE(linked.count(ToLowerCase(words[0]))) << words[0] << " has no portrait";
                }
                EXPECT_LT(text.size(), 200u);
                EXPECT_EQ(text.find("//"), std::string::npos);
                for (const char* token :
                    {"{ATTACK}", "{JUMP}", "{SCYTE}", "{SPIDER}", "{ICE}", "{FIRE}", "{MAP}"}) {
                    const size_t at = text.find(token);
                    EXPECT_TRUE(at == std::string::npos || text.find(token, at + 1) == std::string::npos)
                        << token;
                }
                EXPECT_EQ(
                    text.find("{STRAFFL}") == std::string::npos, text.find("{STRAFFR}") == std::string::npos);
            }
        }
    }
    // The game reads block 0 of the hints for its teleporters.
    std::istringstream hints(ReadWholeFile(kData + "/dialogues_eng/Infos_auto.h"));
    std::vector<DialogueFile::Line> block;
    EXPECT_TRUE(DialogueFile::ReadBlock(hints, 0, block));
    EXPECT_EQ(block.size(), 1u);
}

TEST(WorldScriptLintTest, SettingsNameWhatTheWorldHas)
{
    const SliceWorld& world = TheWorld();
    for (const std::string& line : InitVars()) {
        SCOPED_TRACE(line);
        const std::vector<std::string> w = SplitWords(line);
        if (w[0] == "addparticlesysteminnpc") {
            // Class, event, system: one line per link.
            ASSERT_EQ(w.size(), 4u);
            EXPECT_TRUE(w[2] == "OnExplose" || w[2] == "OnExploseWithPower" || w[2] == "OnSpecial_01");
            EXPECT_EQ(w[3].rfind("PS_", 0), 0u);
        }
        if (w[0] == "playerarmoraddreplaceforuse") {
            ASSERT_EQ(w.size(), 4u);
            EXPECT_TRUE(w[1] == "ice" || w[1] == "icelava");
            EXPECT_TRUE(world.names.objects.count(w[2]));
            EXPECT_TRUE(world.names.objects.count(w[3]));
            EXPECT_TRUE(world.names.finishing.count(w[3])) << "a frozen cell finishes";
        } else if (w[0] == "setmaxvalueforachievement") {
            ASSERT_EQ(w.size(), 3u);
            EXPECT_TRUE(world.names.achievements.count(w[1]));
        } else if (w[0] == "addmusicinfo" || w[0] == "setmainmusicpath") {
            EXPECT_TRUE(world.names.tracks.count(w[1]));
        }
    }
    // Every track the world has is registered.
    EXPECT_EQ(world.names.tracks.size(), ListFiles(kData + "/music", ".txt").size());
}

// The checker itself: each rule catches the fault it is there for.
TEST(WorldScriptLintTest, CheckerReportsEachKindOfScriptFault)
{
    const SliceWorld& world = TheWorld();
    struct Case {
        const char* script;
        const char* fault; // empty: the script is sound
    };
    const Case cases[] = {
        {":OnStartup\nSetGraphical lamp Actor_Urn", ""},
        {":OnEnterOnce\nIfVar done == 1\n(\n)\nElse\n(\nCreateVar save done 1\n)", ""},
        {":OnEnterOnce\nIfVar a == 1 and b != 0\n(\n)", ""},
        {":OnBegin\nSetGraphical lamp Actor_Urn", "expected a trigger label"},
        {":OnStartup\nSetGraphical lamp Actor_Nothing", "found \"Actor_Nothing\""},
        {":OnStartup\nSetGraphical nobody Actor_Urn", "expected a trigger of this level, found \"nobody\""},
        {":OnStartup\nSetGraphicals lamp Actor_Urn", "expected a script command, found \"SetGraphicals\""},
        {":OnStartup\nIfVar a == 1\n(\nSetGraphical lamp Actor_Urn", "more \")\""},
        {":OnStartup\n)\n", "expected a \"(\" before this \")\""},
        {":OnStartup\nSetGraphical lamp Actor_Urn\n(\n)", "expected \"(\" after \"IfVar\" or \"Else\""},
        {":OnStartup\nIfVar a = 1\n(\n)", "expected a comparison"},
        {":OnStartup\nIfVar a == 1 and b == 1 or c == 1\n(\n)", "one joiner throughout"},
        {":OnStartup\nIfVar a == yes\n(\n)", "expected a number to compare"},
        {":OnStartup\nCreateVar forever x 1", "expected the scope save, global or local"},
        {":OnStartup\nPlaySoundEvent lamp Script_User_05",
            "expected \"PrepareSoundEvents lamp Script_User_05\""},
        {":OnStartup\nPrepareSoundEvents lamp Script_User_Nothing", "found \"Script_User_Nothing\""},
        {":OnStartup\nwaitEvent_StartDialogue_FromFile cemetery.txt 99",
            "expected a block of \"cemetery.txt\""},
        {":OnStartup\nwaitEvent_StartDialogue_FromFile nothing.txt 0", "dialogue file every language has"},
        {":OnStartup\nPlayMusic nothing.ogg 1", "expected music the settings register"},
        {":OnStartup\nAskToChangeLevel nowhere.lvl start", "expected a level of the world"},
        {":OnStartup\nAskToChangeLevel cemetery_01.lvl from_nowhere",
            "expected a start point of cemetery_01.lvl"},
        {":OnStartup\nIncrementAchievementCurrentValue \"All the lever\"", "expected an achievement name"},
        {":OnStartup\nChangeStoryHintPosition 50 22", "expected a map cell"},
        {":OnStartup\nSetGraphical lamp Actor_Keeper_Idle\nwaitEvent_WaitEndOfAnimation lamp", "looping"},
        {":OnStartup\nSetGraphical lamp Actor_Lever_Pull\nwaitEvent_WaitEndOfAnimation lamp", ""},
        {":OnStartup\nEvent_RunPickupCinematic 2 Cinematic_AbilityL", "two pictures"},
        {":OnStartup\nSetLayerVisible FG_Hidden 0", "expected a layer name"},
        {":OnHit\nSetGraphical lamp Actor_Urn", "hurt box"},
        {":OnStartup\nSetGraphical", "expected 2 arguments, found 0"},
        {":OnStartup\nwaitEvent_ChangeCameraTargetToLocator view 4", ""},
        {":OnStartup\nwaitEvent_ChangeCameraTargetToLocator low 4", "\"low\" centred at tile 9 6"},
        {":OnStartup\nwaitEvent_ChangeCameraTargetToLocator nowhere 4", "expected a trigger or zone holder"},
    };
    std::string tiles;
    for (int row = 0; row < 14; ++row)
        tiles += std::string(16, row < 12 ? '.' : '#') + "\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const LevelDescription level
            = LevelDescription::Parse("level test.lvl\nscreens 1 1\ncell 1 1\npalette cemetery\ntiles\n"
                    + tiles + "trigger lamp 1 2 1x1 graphic=Actor_Urn_Broken {\n" + c.script + "\n}\n"
                    + "trigger keeper 4 2 2x3 graphic=Actor_Keeper_Idle {\n}\n"
                    + "place ZoneHolder view 7 6 2x2\nplace ZoneHolder low 8 5 2x2\n",
                "test.lvd");
        const std::vector<std::string> faults = CheckLevelScripts(level, world.names);
        if (std::string(c.fault).empty()) {
            EXPECT_EQ(faults, std::vector<std::string>());
            continue;
        }
        ASSERT_FALSE(faults.empty());
        EXPECT_NE(faults.front().find(c.fault), std::string::npos) << faults.front();
        EXPECT_EQ(faults.front().rfind("test.lvd:", 0), 0u) << "faults name the file and line";
    }
}

} // namespace
