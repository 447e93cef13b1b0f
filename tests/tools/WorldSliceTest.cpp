#include "engine/platform/DebugOutput.h"
#include "engine/serial/FileUtils.h"
#include "engine/serial/ReaderContext.h"
#include "engine/sound/MusicLibrary.h"
#include "game/AchievementManager.h"
#include "game/Game.h"
#include "scene/ArmorReplacement.h"
#include "scene/SpacialInstance.h"
#include "script/DialogueFile.h"
#include "tools/world/LevelDescription.h"
#include "tools/world/WorldText.h"
#include "ui/UITuning.h"
#include "ui/UI_Frame.h"

#include "tests/tools/WorldFolderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

// The assembled slice (build/world) as the game itself reads it: the
// settings file run the three times the start-up runs it, and every dialogue
// block the levels' scripts ask for.
namespace {

const std::string kData = std::string(QUENHOLT_SOURCE_DIR) + "/data";

class WorldSlice : public WorldFolderTest {
protected:
    WorldSlice()
        : WorldFolderTest("quenholt-world-slice")
    {
    }
};

TEST_F(WorldSlice, EverySettingsLineRunsBeforeAndAfterTheLibraryAndRunsAgainHarmlessly)
{
    Game game;
    // The start-up runs the file before the library, then twice after it.
    // Before the library no particle system is known, so the particle links
    // fail then; that run says nothing, since every line runs again after
    // the library.
    RunSettings(game, Game::CommandFileReport::kNothing);
    EXPECT_EQ(debug.Text(), "");
    debug.Clear();
    ASSERT_TRUE(ReadLibrary(game)) << debug.Text();
    RunSettings(game);
    RunSettings(game);
    // A refused or unknown line is reported as "init_vars.txt:N: expected ...".
    EXPECT_EQ(debug.Text().find("init_vars.txt:"), std::string::npos) << debug.Text();

    // What the lines set, once each however often they ran.
    EXPECT_EQ(game.firstMapName, "cemetery_01.lvl");
    EXPECT_EQ(game.defaultSpawner, "start");
    EXPECT_EQ(game.maxAdvanceScore, 36);
    EXPECT_EQ(game.frameDelay, 33);
    EXPECT_EQ(game.GetAchievements().FindByName("No more secret")->GetTarget(), 3);
    EXPECT_EQ(game.GetAchievements().FindByName("All the levers")->GetTarget(), 4);
    EXPECT_EQ(game.GetMusicLibrary()->GetCount(), ListFiles(kData + "/music", ".txt").size());
    const MusicTrack* cemetery = game.GetMusicLibrary()->Find("cemetery.ogg");
    ASSERT_NE(cemetery, nullptr);
    EXPECT_DOUBLE_EQ(cemetery->loopPoint, 12.5);
    EXPECT_FALSE(cemetery->noResume);
    const MusicTrack* boss = game.GetMusicLibrary()->Find("boss.ogg");
    ASSERT_NE(boss, nullptr);
    EXPECT_DOUBLE_EQ(boss->loopPoint, 6.25);
    EXPECT_TRUE(boss->noResume);
    EXPECT_EQ(std::count(ArmorReplacement::IceList().begin(), ArmorReplacement::IceList().end(),
                  ArmorReplacement("Water_Tile", "Ice_Tile")),
        1);
    EXPECT_EQ(std::count(ArmorReplacement::IceList().begin(), ArmorReplacement::IceList().end(),
                  ArmorReplacement("Lava_Tile", "Lava_Frozen")),
        1);
    EXPECT_EQ(std::count(ArmorReplacement::IceLavaList().begin(), ArmorReplacement::IceLavaList().end(),
                  ArmorReplacement("Lava_Tile", "Lava_Frozen")),
        1);
    // The HUD's hearts and slots, and the dialogue box's layout.
    EXPECT_EQ(UITuning::Current().playerLifesXPos, 136);
    EXPECT_EQ(UITuning::Current().playerLifesXDelta, 40);
    EXPECT_EQ(UITuning::Current().playerPowersXPos, 376);
    EXPECT_EQ(UITuning::Current().dialoguePortrait2, Point<int>(408, 16));
    EXPECT_EQ(UITuning::Current().dialogueTextFrame[2], 288);
    // The "SAVED" banner, drawn 400 pixels below the HUD's top, stands clear
    // of the see-through dialogue box.
    ASSERT_GE(game.uiFrames.size(), 2u);
    const auto* box = dynamic_cast<UI_Frame*>(game.uiFrames[0]->GetPrototype());
    const auto* hud = dynamic_cast<UI_Frame*>(game.uiFrames[1]->GetPrototype());
    ASSERT_TRUE(box != nullptr && hud != nullptr);
    EXPECT_LE(box->GetPosition().y + static_cast<float>(box->GetSize().y), hud->GetPosition().y + 400.0f);
}

TEST_F(WorldSlice, EveryDialogueBlockTheLevelsAskForReadsInEveryLanguage)
{
    Game game;
    ASSERT_TRUE(ReadLibrary(game)) << debug.Text();
    RunSettings(game);
    RunSettings(game); // the portraits link once the dialogue frame exists
    int asked = 0;
    for (const std::string& file : ListFiles(kData + "/levels", ".lvd")) {
        const LevelDescription level = LevelDescription::ReadFile(file);
        std::vector<std::string> lines;
        for (const auto& [line, where] : level.scripts)
            lines.push_back(line);
        for (const LevelPlacement& p : level.placements)
            lines.insert(lines.end(), p.script.begin(), p.script.end());
        for (const std::string& line : lines) {
            const std::vector<std::string> w = SplitWords(line);
            if (w.size() < 3 || ToLowerCase(w[0]).find("startdialogue_fromfile") == std::string::npos)
                continue;
            ++asked;
            for (const char* language : {"eng", "fr"}) {
                SCOPED_TRACE(level.file + ": " + line + " (" + language + ")");
                std::ifstream in(std::string("dialogues_") + language + "/" + w[1], std::ios::binary);
                ASSERT_TRUE(in);
                ReaderContext context(in, w[1]);
                std::vector<DialogueFile::Line> block;
                EXPECT_TRUE(DialogueFile::ReadBlock(in, std::atoi(w[2].c_str()), block))
                    << context.GetError();
                EXPECT_FALSE(block.empty());
            }
        }
    }
    EXPECT_GE(asked, 6);
}

} // namespace
