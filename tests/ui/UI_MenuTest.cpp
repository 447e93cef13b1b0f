#include "tests/ui/MenuFixture.h"

#include "engine/sound/SoundEvent.h"
#include "scene/AnimatedSprite.h"
#include "tests/engine/platform/DebugCapture.h"

#include <fstream>

namespace {

using namespace MenuCatalogue;

class UIMenu : public MenuFixture { };

class UIMenuMissingPage : public MenuFixture {
protected:
    UIMenuMissingPage() { missingPage = kOptions; }
};

} // namespace

TEST_F(UIMenu, BuildsTheSixPagesWithTheirRowsKindsAndPictures)
{
    struct Expected {
        int32_t page;
        size_t rows;
        int32_t firstKind;
        int32_t lastKind;
    };
    const Expected table[] = {
        {kMain, 4, 0, 0},
        {kPause, 5, 0, 0},
        {kOptions, 4, 2, 0},
        {kRenderSettings, 7, 4, 2},
        {kKeyMapping, 15, 6, 6},
        {kPlay, 3, 1, 1},
    };
    for (const Expected& row : table) {
        UI_Menu_Page* page = menu->GetPage(row.page);
        ASSERT_NE(page, nullptr) << row.page;
        EXPECT_EQ(page->GetPageKind(), row.page);
        EXPECT_EQ(page->GetMenu(), menu);
        ASSERT_EQ(page->GetItemCount(), row.rows) << row.page;
        EXPECT_EQ(page->GetItem(0)->GetKind(), row.firstKind) << row.page;
        EXPECT_EQ(page->GetItem(row.rows - 1)->GetKind(), row.lastKind) << row.page;
    }
    // Brightness takes its pictures from its own object name.
    UI_Menu_Item* brightness = menu->GetPage(kRenderSettings)->GetItem(6);
    EXPECT_EQ(brightness->GetName(), "UI_Menu_Page_OPT_Brightness");
    EXPECT_EQ(brightness->GetAppliedGraphic()->GetName(), "UI_Menu_Page_OPT_Brightness_0");
    EXPECT_EQ(brightness->GetPicture(1)->GetName(), "UI_Menu_Page_OPT_Brightness_1");
    // Pause and Play start on their first row; Play's other slots are not selected.
    EXPECT_TRUE(menu->GetPage(kPause)->GetItem(0)->IsSelected());
    EXPECT_EQ(menu->GetPage(kPlay)->GetItem(0)->GetAppliedGraphic()->GetName(), "UI_Menu_Play_Slot1_1");
    EXPECT_FALSE(menu->GetPage(kPlay)->GetItem(1)->IsSelected());
    EXPECT_EQ(menu->GetPage(kPlay)->GetItem(2)->GetAppliedGraphic()->GetName(), "UI_Menu_Play_Slot3_0");
    // Out of range: nothing is built.
    EXPECT_EQ(UI_Menu::BuildPage(6), nullptr);
    EXPECT_EQ(UI_Menu::BuildPage(-1), nullptr);
}

TEST_F(UIMenu, RowPicturesFollowSelectionAndCaptureAndExitHasNoCapturePicture)
{
    UI_Menu_Item* jump = menu->GetPage(kKeyMapping)->GetItem(4);
    jump->StopEditing(); // not editing: re-applies the normal picture
    EXPECT_EQ(jump->GetAppliedGraphic()->GetName(), "UI_Menu_OPT-Keymapping_Jump_0");
    jump->Select();
    jump->StartEditing();
    EXPECT_EQ(jump->GetAppliedGraphic()->GetName(), "UI_Menu_OPT-Keymapping_Jump_E");
    EXPECT_EQ(jump->GetName(), "UI_Menu_Page_OPT-Keymapping_Jump"); // the row keeps its name
    jump->StopEditing();
    EXPECT_EQ(jump->GetAppliedGraphic()->GetName(), "UI_Menu_OPT-Keymapping_Jump_1");

    UI_Menu_Item* exit = menu->GetPage(kKeyMapping)->GetItem(kExitRow);
    EXPECT_EQ(exit->GetPicture(2), nullptr);
    exit->Select();
    exit->StartEditing();
    EXPECT_EQ(exit->GetAppliedGraphic()->GetName(), "UI_Menu_OPT-Keymapping_Exit_1");
    // A row whose pictures are missing keeps its look and its size.
    UI_Menu_Item stray("UI_Menu_Page_Nothing", 0);
    stray.Init();
    stray.Select();
    EXPECT_EQ(stray.GetAppliedGraphic(), nullptr);
}

TEST_F(UIMenu, TitleWalksToPlayAndBackAndLeaves)
{
    EXPECT_EQ(menu->GetCurrentPageNumber(), kMain);
    Tap(With(&A::Confirm)); // row 0: Play
    EXPECT_EQ(menu->GetCurrentPageNumber(), kPlay);
    EXPECT_EQ(Page().GetSelectedIndex(), 0);
    Tap(With(&A::Back));
    EXPECT_EQ(menu->GetCurrentPageNumber(), kMain);

    Down(1);
    Tap(With(&A::Confirm));
    EXPECT_EQ(menu->GetCurrentPageNumber(), kOptions);
    Tap(With(&A::Back)); // no level: back to the title, and the settings are written
    EXPECT_EQ(menu->GetCurrentPageNumber(), kMain);
    EXPECT_TRUE(std::filesystem::exists(folder / "UserConfig.cfg"));

    Down(2); // row 3: Leave
    EXPECT_FALSE(game.IsQuitRequested());
    Tap(With(&A::Confirm));
    EXPECT_TRUE(game.IsQuitRequested());
}

TEST_F(UIMenu, ValidateAndBackInOnePollActAsBackAndAHeldValidateActsOnce)
{
    Tap(With(&A::Confirm));
    ASSERT_EQ(menu->GetCurrentPageNumber(), kPlay);
    Press(With(&A::Confirm, &A::Back));
    EXPECT_EQ(menu->GetCurrentPageNumber(), kMain);
    EXPECT_EQ(game.currentSaveSlot, -1); // no slot started
    Press(A());

    Down(1); // Options
    Press(With(&A::Confirm));
    EXPECT_EQ(menu->GetCurrentPageNumber(), kOptions);
    for (int i = 0; i < 3; ++i)
        Press(With(&A::Confirm)); // held: no new press
    EXPECT_EQ(menu->GetCurrentPageNumber(), kOptions);
    EXPECT_EQ(Config().GetLanguage(), "eng");
}

TEST_F(UIMenu, AnUnfinishedTitleTakesNoInputAndTheStartActionDoesNothingAtTheTitle)
{
    Tap(With(&A::Action9)); // no level: nothing to resume
    EXPECT_TRUE(game.menuFlag);
    // A looping title animation never ends: the title takes no input.
    auto* intro = new AnimatedSprite("title_intro");
    game.animatedSprites.push_back(intro); // the game owns it
    intro->SetLoopStart(0);
    menu->AddAnimatedInstance(intro, 0, 0);
    Tap(With(&A::Confirm));
    EXPECT_EQ(menu->GetCurrentPageNumber(), kMain);
}

TEST_F(UIMenu, PauseResumesByRowBackOrStartButNotOnTheKeyMapping)
{
    struct Case {
        const char* how;
        A press;
    };
    const Case cases[] = {
        {"Resume row", With(&A::Confirm)},
        {"Back", With(&A::Back)},
        {"Start", With(&A::Action9)},
    };
    for (const Case& c : cases) {
        PauseInLevel();
        ASSERT_TRUE(game.menuFlag);
        ASSERT_EQ(menu->GetCurrentPageNumber(), kPause);
        Tap(c.press);
        EXPECT_FALSE(game.menuFlag) << c.how;
    }

    PauseInLevel();
    Down(1);
    Tap(With(&A::Confirm)); // Options
    ASSERT_EQ(menu->GetCurrentPageNumber(), kOptions);
    Down(3);
    Tap(With(&A::Confirm)); // Key mapping
    ASSERT_EQ(menu->GetCurrentPageNumber(), kKeyMapping);
    Tap(With(&A::Action9));
    EXPECT_TRUE(game.menuFlag);
    Tap(With(&A::Back)); // row 0: the cursor goes to Exit
    EXPECT_EQ(Page().GetSelectedIndex(), kExitRow);
    Tap(With(&A::Back));
    EXPECT_EQ(menu->GetCurrentPageNumber(), kOptions);
    Tap(With(&A::Back)); // a level is loaded: back to the pause page
    EXPECT_EQ(menu->GetCurrentPageNumber(), kPause);

    // With a level loaded the start action resumes whatever the menu flag:
    // the resume's sound plays.
    game.SetMenuFlag(false);
    SoundEvent* resumed = menu->GetSoundEvent(1);
    ASSERT_NE(resumed, nullptr);
    resumed->Stop();
    Tap(With(&A::Action9));
    EXPECT_TRUE(resumed->IsPlaying());
}

TEST_F(UIMenu, PauseReturnsToTheTitle)
{
    PauseInLevel();
    Down(3);
    Tap(With(&A::Confirm));
    EXPECT_EQ(game.GetCurrentLevel(), nullptr);
    EXPECT_TRUE(game.menuFlag);
    EXPECT_EQ(menu->GetCurrentPageNumber(), kMain);
}

TEST_F(UIMenu, AnEmptySlotStartsANewGameFromAFreshRecordAndASavedOneAtItsSave)
{
    game.firstMapName = "cemetery_01.lvl";
    game.saveData.SetPosition(5.0f, 6.0f); // left from an earlier game
    Tap(With(&A::Confirm));
    DebugCapture debug;
    Tap(With(&A::Confirm)); // slot 1
    EXPECT_EQ(game.currentSaveSlot, 0);
    // The level is changed at once (here it is not there).
    EXPECT_NE(debug.Text().find("cannot open the level \"cemetery_01.lvl\""), std::string::npos)
        << debug.Text();
    EXPECT_EQ(game.startPointName, "");
    EXPECT_EQ(game.saveData.GetPosition().x, 0.0f);
}

TEST_F(UIMenuMissingPage, AMissingPageStaysNullAndTheMenuWaitsOnIt)
{
    EXPECT_EQ(menu->GetPage(kOptions), nullptr);
    Down(1);
    Tap(With(&A::Confirm));
    EXPECT_EQ(menu->GetCurrentPageNumber(), kOptions);
    Tap(With(&A::Back));
    EXPECT_EQ(menu->GetCurrentPageNumber(), kOptions);
}

TEST_F(UIMenu, TheOverlayOpensThePauseMenuAndClosesOnlyWhatItOpened)
{
    game.SetCurrentLevel(new Level("cemetery_01.lvl"));
    game.SetMenuFlag(false);
    game.OnGameOverlayActivated(true);
    EXPECT_TRUE(game.menuFlag);
    EXPECT_EQ(menu->GetCurrentPageNumber(), kPause);
    game.OnGameOverlayActivated(false);
    EXPECT_FALSE(game.menuFlag);

    PauseInLevel(); // the player's own pause stays when the overlay goes
    game.OnGameOverlayActivated(true);
    game.OnGameOverlayActivated(false);
    EXPECT_TRUE(game.menuFlag);
}
