#include "characters/Player.h"
#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"
#include "game/Game.h"
#include "game/GameSaveData.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "script/DialogueFile.h"
#include "ui/UI_MenuCatalogue.h"
#include "ui/UI_Menu_Page.h"

#include "tests/tools/KeyboardGame.h"
#include "tests/tools/WorldFolderTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

// The menus of the assembled world driven by keys through the game's own
// input manager and frame update: new game, continue, erase, key mapping,
// language and render settings.
namespace {

namespace fs = std::filesystem;
using namespace MenuCatalogue;
using namespace menukeys;

constexpr float kTile = 32.0f;

class WorldMenu : public WorldFolderTest {
protected:
    WorldMenu()
        : WorldFolderTest("quenholt-menu")
    {
    }

    void SetUp() override
    {
        WorldFolderTest::SetUp();
        if (IsSkipped())
            return;
        Start();
    }
    void TearDown() override
    {
        world.reset();
        SetUserPath("");
        WorldFolderTest::TearDown();
    }

    // Starts the game as the program does, on the title.
    void Start()
    {
        world.reset();
        world = std::make_unique<KeyboardGame>([this](::Game& game) { fixedStep.Pass(game); });
        RunSettings(Game()); // the user folder: a scratch folder of the test
        ASSERT_TRUE(ReadLibrary(Game()));
        Game().minimapModel = std::make_unique<MapModel>(MapModel::Minimap {});
        RunSettings(Game());
        GiveScreenEffects(Game());
        Game().frameDelay = 0;
        ASSERT_NE(Menu(), nullptr);
        ASSERT_TRUE(world->PlayTitleIntro());
    }

    ::Game& Game() { return world->game; }
    UI_Menu* Menu() { return world->Menu(); }
    int32_t PageNumber() { return Menu()->GetCurrentPageNumber(); }
    std::string LevelName() { return Game().GetCurrentLevel() ? Game().GetCurrentLevel()->GetName() : ""; }

    void Pass() { world->Pass(); }
    void Key(int32_t pcCode, bool down) { world->Key(pcCode, down); }
    void Tap(int32_t pcCode, int times = 1) { world->Tap(pcCode, times); }
    // Passes until `done` holds; false when it never does.
    template <class Done> bool WaitUntil(Done done, int limit = 300)
    {
        for (int pass = 0; pass < limit; ++pass) {
            if (done())
                return true;
            Pass();
        }
        return done();
    }
    // A save of that slot made in play, at (x, y) of "cemetery_01.lvl".
    void MakeSave(int slot, float x, float y)
    {
        Game().currentSaveSlot = slot;
        ASSERT_TRUE(Game().ChangeLevel("cemetery_01.lvl"));
        ASSERT_TRUE(Game().SaveGameAt(x, y, 1));
        Game().ReturnToTitle();
        ASSERT_TRUE(world->PlayTitleIntro());
    }

    std::unique_ptr<KeyboardGame> world;
};

} // namespace

TEST_F(WorldMenu, TitlePlaySlotOneStartsANewGameInTheFirstLevel)
{
    EXPECT_TRUE(Game().menuFlag);
    EXPECT_EQ(PageNumber(), kMain);
    EXPECT_EQ(LevelName(), "");
    Tap(kEnter); // Play
    ASSERT_EQ(PageNumber(), kPlay);
    EXPECT_EQ(Menu()->GetCurrentPage()->GetItem(0)->GetPercent(), -1);
    Tap(kEnter); // slot 1
    ASSERT_TRUE(WaitUntil([&] { return !LevelName().empty(); }, 5));
    EXPECT_EQ(LevelName(), "cemetery_01.lvl");
    EXPECT_EQ(Game().currentSaveSlot, 0);
    EXPECT_FALSE(Game().menuFlag);
    ASSERT_NE(Game().GetPlayer(), nullptr);
    EXPECT_FLOAT_EQ(Game().GetPlayer()->GetPosition().x, 5 * kTile); // the level's start point
    EXPECT_EQ(Game().saveData.GetAttackRank(), 1);
    EXPECT_TRUE(Game().saveData.GetTeleports().empty());
    EXPECT_FALSE(fs::exists(GameSaveData::GetSlotPath(0)));
}

TEST_F(WorldMenu, TitlePlaySlotTwoContinuesAtTheSave)
{
    MakeSave(1, 10 * kTile, 2 * kTile);
    Tap(kEnter);
    ASSERT_EQ(PageNumber(), kPlay);
    UI_Menu_Item* slot2 = Menu()->GetCurrentPage()->GetItem(1);
    EXPECT_GE(slot2->GetPercent(), 0);
    EXPECT_EQ(slot2->GetText().size(), 8u); // "hh:mm:ss"
    Tap(kDown);
    Tap(kEnter);
    ASSERT_TRUE(WaitUntil([&] { return !LevelName().empty(); }, 5));
    EXPECT_EQ(LevelName(), "cemetery_01.lvl");
    EXPECT_EQ(Game().currentSaveSlot, 1);
    ASSERT_NE(Game().GetPlayer(), nullptr);
    EXPECT_NEAR(Game().GetPlayer()->GetPosition().x, 10 * kTile, kTile);
}

// The window resized during the intro's cut-scene opens the pause menu (the
// device restore pauses whatever holds the game); TITLE MENU, then Continue
// on a slot saved in another level: the scene's pause and hidden interface
// ended with its level, so the Warden walks and Escape pauses.
TEST_F(WorldMenu, ContinueAfterLeavingTheIntroByThePauseMenuEntersALevelInPlay)
{
    Game().currentSaveSlot = 1;
    ASSERT_TRUE(Game().ChangeLevel("Cimetery_TP_01.lvl"));
    const Point<float> saved = Game().GetPlayer()->GetPosition();
    ASSERT_TRUE(Game().SaveGameAt(saved.x, saved.y, 1));
    Game().ReturnToTitle();
    ASSERT_TRUE(world->PlayTitleIntro());

    Tap(kEnter, 2); // Play, slot 1: a new game, the intro
    ASSERT_TRUE(WaitUntil([&] { return Game().gameplayPaused && Game().interfaceHidden; }));
    Game().OnDeviceRestored();
    Pass();
    ASSERT_EQ(PageNumber(), kPause);
    ASSERT_TRUE(world->SelectRow(kPauseTitle));
    Tap(kEnter);
    ASSERT_EQ(LevelName(), "");
    ASSERT_TRUE(world->PlayTitleIntro());
    Tap(kEnter);
    Tap(kDown);
    Tap(kEnter); // slot 2: Continue
    ASSERT_TRUE(WaitUntil([&] { return LevelName() == "cimetery_tp_01.lvl" && Game().arrivalCounter < 0; }));
    EXPECT_FALSE(Game().gameplayPaused);
    EXPECT_FALSE(Game().interfaceHidden);
    const float x = Game().GetPlayer()->GetPosition().x;
    Key(kKeyD, true);
    EXPECT_TRUE(WaitUntil([&] { return Game().GetPlayer()->GetPosition().x > x + kTile / 2; }, 20))
        << "the Warden walks";
    Key(kKeyD, false);
    Tap(kEscape);
    EXPECT_TRUE(Game().menuFlag);
    EXPECT_EQ(PageNumber(), kPause);
}

TEST_F(WorldMenu, EraseSlotThreeWithRThenValidate)
{
    MakeSave(2, 10 * kTile, 2 * kTile);
    const fs::path slot = GameSaveData::GetSlotPath(2);
    ASSERT_TRUE(fs::exists(slot));
    Tap(kEnter);
    Tap(kDown, 2);
    Tap(kKeyR);
    Tap(kEnter);
    EXPECT_FALSE(fs::exists(slot));
    EXPECT_EQ(Menu()->GetCurrentPage()->GetItem(2)->GetPercent(), -1);
    EXPECT_EQ(PageNumber(), kPlay);
    EXPECT_TRUE(LevelName().empty());
}

TEST_F(WorldMenu, PauseRebindJumpSavesTheSettingsAndTheNewKeyJumps)
{
    // The Lantern Ring: no cut-scene holds the game there.
    ASSERT_TRUE(Game().ChangeLevel("Cimetery_TP_01.lvl"));
    ASSERT_TRUE(WaitUntil([&] { return !Game().gameplayPaused && Game().arrivalCounter < 0; }, 600));
    Tap(kEscape);
    ASSERT_TRUE(Game().menuFlag);
    ASSERT_EQ(PageNumber(), kPause);
    Tap(kDown);
    Tap(kEnter); // Options
    ASSERT_EQ(PageNumber(), kOptions);
    Tap(kDown, 3);
    Tap(kEnter); // Key mapping
    ASSERT_EQ(PageNumber(), kKeyMapping);
    Tap(kDown, 4);
    Tap(kEnter); // Jump: waiting for a key
    EXPECT_TRUE(Game().GetInputManager()->IsCapturingKey());
    Tap(kEscape); // never captured
    EXPECT_TRUE(Game().GetInputManager()->IsCapturingKey());
    Tap(kKeyF);
    EXPECT_FALSE(Game().GetInputManager()->IsCapturingKey());
    EXPECT_EQ(Game().GetConfig()->GetBinding(4), InputTriggerer(kKeyF, 0));
    Tap(kUp, 5); // past the first row to Exit
    Tap(kEnter); // saves and leaves
    ASSERT_EQ(PageNumber(), kOptions);
    Tap(kEscape);
    EXPECT_EQ(PageNumber(), kPause);
    Tap(kEscape);
    EXPECT_FALSE(Game().menuFlag);

    GameConfig expected;
    expected.SetBinding(4, InputTriggerer(kKeyF, 0));
    std::ostringstream text;
    expected.Write(text);
    std::ifstream file(GetUserPath() + "UserConfig.cfg", std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, text.str());

    const float ground = Game().GetPlayer()->GetPosition().y;
    float highest = ground;
    Key(kKeyF, true);
    for (int pass = 0; pass < 10; ++pass) {
        Pass();
        highest = std::max(highest, Game().GetPlayer()->GetPosition().y);
    }
    Key(kKeyF, false);
    EXPECT_GT(highest, ground + kTile / 2) << "F jumps";
}

TEST_F(WorldMenu, RenderSettingsChangedStaySoAfterARestart)
{
    Tap(kDown, 2);
    Tap(kEnter); // Display
    ASSERT_EQ(PageNumber(), kRenderSettings);
    Tap(kDown);
    Tap(kEnter); // ratio: 2
    Tap(kDown, 3);
    Tap(kRight, 2); // motion blur 2
    Tap(kDown, 2);
    Tap(kLeft, 3); // brightness 7
    Tap(kEscape);  // back to the title, the settings written
    ASSERT_EQ(PageNumber(), kMain);

    Start();
    const GameConfig& config = *Game().GetConfig();
    EXPECT_EQ(config.GetScaleMode(), 2);
    EXPECT_EQ(config.GetMotionBlur(), 2);
    EXPECT_EQ(config.GetBrightness(), 7);
    EXPECT_EQ(Game().displayScaleMode, 2);
}

TEST_F(WorldMenu, TheLanguageSwitchGivesTheNextDialogueInFrench)
{
    Tap(kDown);
    Tap(kEnter); // Options
    ASSERT_EQ(PageNumber(), kOptions);
    Tap(kDown, 2);
    Tap(kEnter); // Language
    EXPECT_EQ(Game().GetConfig()->GetLanguage(), "fr");
    Tap(kEscape); // the title; the settings written
    EXPECT_EQ(PageNumber(), kMain);
    std::vector<DialogueFile::Line> lines;
    ASSERT_TRUE(DialogueFile::LoadBlock("cemetery.txt", 0, lines));
    ASSERT_FALSE(lines.empty());
    ASSERT_EQ(lines[0].size(), 3u);
    // The French files are Latin-1, as the world font draws them.
    EXPECT_EQ(lines[0][2], "Ah. Vous voil\xE0 enfin r\xE9veill\xE9, Gardien.");

    Start(); // and so it stays
    EXPECT_EQ(Game().GetConfig()->GetLanguage(), "fr");
}
