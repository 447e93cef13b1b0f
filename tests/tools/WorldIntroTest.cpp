#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "engine/serial/FileUtils.h"
#include "game/Game.h"
#include "scene/SpacialInstance.h"
#include "script/DialogueFile.h"
#include "script/ScriptVar.h"
#include "tools/run/RunCoverage.h"
#include "ui/UI_Frame_Dialogue.h"

#include "tests/game/ScriptedInput.h"
#include "tests/tools/WorldFolderTest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

// The intro of "cemetery_01.lvl" in the assembled world, played by scripted
// input through the game's own frame update: every line of the Keeper's
// dialogue shows in the dialogue box with the speaker's portrait, the
// confirm key goes on, and the player has its keys back at the end.
namespace {

class WorldIntro : public WorldFolderTest {
protected:
    WorldIntro()
        : WorldFolderTest("quenholt-intro")
    {
    }

    void SetUp() override
    {
        WorldFolderTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(StartAsTheProgramDoes(game));
        SetUserPath(folder.string() + "/");
    }
    void TearDown() override
    {
        SetUserPath("");
        WorldFolderTest::TearDown();
    }

    UI_Frame_Dialogue* Box() { return dynamic_cast<UI_Frame_Dialogue*>(game.uiFrames.at(0)->GetPrototype()); }
    bool BoxShown() { return game.uiFrames.at(0)->IsVisible(); }
    // The box's text as its lines read, each line break standing for the
    // blank it replaced.
    std::string Shown()
    {
        std::string text;
        for (const std::string& line : Box()->GetTextFrame()->GetLines())
            text += (text.empty() ? "" : " ") + line;
        return text;
    }
    void Pass(const InputActions& keys)
    {
        input->next = keys;
        fixedStep.Pass(game);
    }
    bool WaitUntil(const std::function<bool()>& done, int limit = 600)
    {
        for (int pass = 0; pass < limit; ++pass) {
            Pass(InputActions());
            if (done())
                return true;
        }
        return false;
    }
    // The block's lines as the box shows them ("Keeper: Ah. ...").
    static std::vector<DialogueFile::Line> IntroLines(const std::string& language)
    {
        std::ifstream in("dialogues_" + language + "/cemetery.txt", std::ios::binary);
        std::vector<DialogueFile::Line> lines;
        DialogueFile::ReadBlock(in, 0, lines);
        return lines;
    }

    // Plays the intro in the configured language, checking each line.
    void PlayIntro(const std::string& language, const std::string& wardenName, const std::string& keeperName)
    {
        int wardenLines = 0;
        game.GetConfig()->SetLanguage(language);
        ASSERT_TRUE(game.ChangeLevel(game.firstMapName));
        GraphicalObject* warden = game.FindGraphicalObject("UI_Portrait_Player", false);
        GraphicalObject* keeper = game.FindGraphicalObject("UI_Portrait_Keeper", false);
        ASSERT_NE(warden, nullptr);
        ASSERT_NE(keeper, nullptr);
        const std::vector<DialogueFile::Line> lines = IntroLines(language);
        ASSERT_EQ(lines.size(), 4u);
        // The box's typing tick, heard once per character typed.
        RunCoverage heard;
        int typed = 0;
        ASSERT_TRUE(WaitUntil([&] { return BoxShown(); })) << "the intro's dialogue never showed";
        for (const DialogueFile::Line& line : lines) {
            const std::string full = line[0] + line[1] + line[2];
            SCOPED_TRACE(full);
            // The line types itself out as the box lays it out; the box
            // waits for the confirm key.
            ASSERT_TRUE(WaitUntil([&] { return Shown() == full; }));
            for (int pass = 0; pass < 20; ++pass)
                Pass(InputActions());
            EXPECT_EQ(Shown(), full);
            EXPECT_TRUE(BoxShown());
            // Every character but those shown at once (the speaker, its
            // colon and the first one) ticks, the line breaks among them.
            typed
                += static_cast<int>(Box()->GetTextFrame()->GetText().size() - line[0].size() - line[1].size())
                - 1;
            EXPECT_EQ(Box()->GetTextFrame()->GetGreyPrefix(), static_cast<int>(line[0].size() + 1));
            // The Warden speaks under the world's name for him, in the
            // box's language; only the speaker's portrait shows.
            const bool isWarden = line[0] == wardenName;
            wardenLines += isWarden;
            EXPECT_TRUE(isWarden || line[0] == keeperName) << line[0];
            EXPECT_EQ(Box()->GetFirstPortrait(), nullptr);
            EXPECT_EQ(Box()->GetSecondPortrait(), isWarden ? warden : keeper);
            EXPECT_FALSE(Box()->GetTextFrame()->GetLines().empty());
            InputActions confirm;
            confirm.SetAction3();
            Pass(confirm);
            Pass(InputActions());
        }
        EXPECT_EQ(wardenLines, 1);
        EXPECT_GT(typed, 100);
        EXPECT_EQ(heard.Count("sound event", "Menu_Dialogue"), typed);
        EXPECT_EQ(heard.Count("sound event", "Menu_Dialogue_Quick"), 0) << "no line was hurried";
        // Then the keys to jump and strike, before the first skulls (their
        // tokens show the bound keys when drawn).
        ASSERT_TRUE(WaitUntil([&] { return BoxShown(); })) << "the keys were not taught";
        for (int pass = 0; pass < 60; ++pass)
            Pass(InputActions());
        const std::string keys = Box()->GetTextFrame()->GetText();
        EXPECT_NE(keys.find("{JUMP}"), std::string::npos) << keys;
        EXPECT_NE(keys.find("{ATTACK}"), std::string::npos) << keys;
        InputActions confirm;
        confirm.SetAction3();
        for (int pass = 0; pass < 60 && BoxShown(); ++pass)
            Pass(pass % 2 == 0 ? confirm : InputActions());
        ASSERT_TRUE(WaitUntil([&] {
            return !BoxShown() && !game.gameplayPaused && !game.GetPlayer()->IsInputLocked();
        })) << "control never came back to the player";
        ScriptVar* done = Game::FindSaveVar("intro_done");
        ASSERT_NE(done, nullptr);
        EXPECT_EQ(done->GetValue(), "1");
    }

    ScriptedInput* input = new ScriptedInput();
    Game game {"Quenholt", nullptr, input, nullptr};
};

TEST_F(WorldIntro, TheKeepersLinesShowWithTheirPortraitsAndConfirmGoesOn)
{
    PlayIntro("eng", "Warden", "Keeper");
}

TEST_F(WorldIntro, TheSameIntroInFrenchShowsTheFrenchLines)
{
    PlayIntro("fr", "Gardien", "Veilleur");
    EXPECT_NE(IntroLines("fr")[0][2], IntroLines("eng")[0][2]);
}

} // namespace
