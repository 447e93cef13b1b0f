#include "tests/ui/MenuFixture.h"

#include "scene/SpacialInstance.h"

#include <fstream>

namespace {

using namespace MenuCatalogue;

class MenuGame : public MenuFixture {
protected:
    // A running level, one update frame per pass.
    void Run()
    {
        game.SetCurrentLevel(new Level("cemetery_01.lvl")); // the game releases it
        game.SetMenuFlag(false);
        game.frameDelay = 0;
        fixedStep.Pass(game);
    }
    void Pass(const A& actions)
    {
        input->next = actions;
        fixedStep.Pass(game);
    }
};

} // namespace

TEST_F(MenuGame, EscapeOrStartPausesARunningLevelUnlessACutSceneHoldsIt)
{
    Run();
    EXPECT_EQ(game.uiState, 1);
    Pass(With(&A::Action9));
    EXPECT_TRUE(game.menuFlag);
    EXPECT_EQ(game.uiState, 0);
    EXPECT_EQ(menu->GetCurrentPageNumber(), kPause);
    EXPECT_TRUE(game.uiFrames[2]->IsVisible());
    Pass(With(&A::Action9)); // held: nothing new
    EXPECT_TRUE(game.menuFlag);
    Pass(A());
    Pass(With(&A::Action9)); // the menu's start action resumes
    EXPECT_FALSE(game.menuFlag);
    Pass(A());
    EXPECT_EQ(game.uiState, 1);
    EXPECT_FALSE(game.uiFrames[2]->IsVisible());

    game.gameplayPaused = true;
    Pass(With(&A::Action9));
    EXPECT_FALSE(game.menuFlag);
}

TEST_F(MenuGame, DamagedSettingsLoadAsAllowedAndKeepAWayThroughTheMenu)
{
    // An unknown key code and a key bound twice load as written.
    GameConfig written;
    written.SetBinding(6, InputTriggerer(4000000000u, 0));
    written.SetBinding(4, InputTriggerer(32, 0)); // D: right and jump
    written.SetBinding(21, InputTriggerer(0, 0)); // the pad's start undefined
    ASSERT_TRUE(written.SaveUserConfig());
    Config().LoadUserConfig();
    EXPECT_EQ(Config().GetBinding(6).code, 4000000000u);
    EXPECT_EQ(Config().GetBinding(4), Config().GetBinding(1));
    EXPECT_EQ(Config().GetBinding(20), InputTriggerer(1, 0)); // Escape stays the start key

    // A file cut short changes nothing.
    std::string text;
    {
        std::ifstream file(folder / "UserConfig.cfg", std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(file), {});
    }
    std::ofstream(folder / "UserConfig.cfg", std::ios::binary) << text.substr(0, text.size() / 2);
    Config().SetMusicVolume(3);
    Config().LoadUserConfig();
    EXPECT_EQ(Config().GetMusicVolume(), 3);
    EXPECT_EQ(Config().GetBinding(6).code, 4000000000u);

    // With a binding undefined the key mapping is still left, by undo.
    ASSERT_TRUE(written.SaveUserConfig());
    Config().LoadUserConfig();
    Run();
    Pass(With(&A::Action9));
    ASSERT_EQ(menu->GetCurrentPageNumber(), kPause);
    Pass(A());
    menu->SetCurrentPage(kKeyMapping);
    Page().SetSelectedIndex(kExitRow);
    Pass(With(&A::Confirm));
    Pass(A());
    EXPECT_EQ(menu->GetCurrentPageNumber(), kKeyMapping);
    Pass(With(&A::Back));
    Pass(A());
    EXPECT_EQ(menu->GetCurrentPageNumber(), kOptions);
    Pass(With(&A::Back));
    Pass(A());
    EXPECT_EQ(menu->GetCurrentPageNumber(), kPause);
}

TEST_F(MenuGame, ASlotWhoseLevelCannotBeOpenedReturnsToTheSlotPageSayingWhy)
{
    game.firstMapName = "no_such_level.lvl";
    game.frameDelay = 0;
    Tap(With(&A::Confirm));
    Tap(With(&A::Confirm)); // slot 1: a new game in a level that is not there
    ASSERT_EQ(game.currentSaveSlot, 0);
    fixedStep.Pass(game);
    EXPECT_EQ(game.GetCurrentLevel(), nullptr);
    EXPECT_TRUE(game.menuFlag);
    EXPECT_EQ(game.uiState, 0);
    EXPECT_EQ(menu->GetCurrentPageNumber(), kPlay);
    EXPECT_EQ(menu->GetNotice(), UI_Menu::kMissingLevelNotice);
}
