#include "characters/Player.h"
#include "game/GameSaveData.h"
#include "script/ScriptVar.h"
#include "tools/run/RunLegs.h"
#include "ui/UI_Menu.h"
#include "ui/UI_MenuCatalogue.h"

#include "tests/run/RunFixture.h"

#include <chrono>

// The epilogue from the title with slot 1 saved in the cemetery, as the
// ending leaves it: every developer's console command typed, a death without
// the god flag and the save's return, the slot unchanged, and "exit". The
// commands it types, the sounds of the death and the quit "exit" asks for
// are the whole run's to check.
namespace {

using RunLegEpilogue = RunFixture;

TEST_F(RunLegEpilogue, EveryConsoleCommandTypedADeathThenExit)
{
    // The game started in debug mode, slot 1 saved at the Gate of Ashes with
    // a score, and back to the title.
    ASSERT_TRUE(game.console.ExecuteCommand("debug"));
    // (The urn by the skulls broken, as the cemetery leg leaves it.)
    game.CreateSaveVar("urn_c01")->SetValue("1");
    Arrive("cemetery_01.lvl");
    ASSERT_TRUE(
        pilot->WaitUntil([&] { return pilot->SaveVar("intro_done") == "1" && !game.gameplayPaused; }, 1500));
    game.currentSaveSlot = 0;
    ASSERT_TRUE(game.SaveGameAt(pilot->X(), pilot->Y(), 1));
    GameSaveData slot;
    std::string error;
    ASSERT_TRUE(slot.ReadFile(GameSaveData::GetSlotPath(0), nullptr, &error, false)) << error;
    const int32_t score = slot.GetScore();
    game.ReturnToTitle();
    auto* menu = game.GetMenu();
    ASSERT_TRUE(pilot->WaitUntil(
        [&] { return game.menuFlag && menu->GetCurrentPageNumber() == MenuCatalogue::kMain; }, 120));
    pilot->Hold({}, 60);

    const int start = pilot->Frame();
    const auto started = std::chrono::steady_clock::now();
    Fly(RunEpilogue);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("[ epilogue leg ] %d passes in %.1f s\n", pilot->Frame() - start, seconds);

    // Back where the slot was saved, alive, the god flag on, the slot as it
    // was.
    EXPECT_EQ(pilot->LevelName(), "cemetery_01.lvl");
    ASSERT_NE(game.GetPlayer(), nullptr);
    EXPECT_GT(game.GetPlayer()->GetLife(), 0);
    EXPECT_TRUE(game.godMode);
    EXPECT_EQ(game.currentSaveSlot, 0);
    ASSERT_TRUE(slot.ReadFile(GameSaveData::GetSlotPath(0), nullptr, &error, false)) << error;
    // "save" wrote the game's progress: what the slot held and what the cemetery
    // gave on the way (the run's slot has it all already).
    EXPECT_EQ(slot.GetScore(), game.saveData.GetScore());
    EXPECT_GE(slot.GetScore(), score);
}

} // namespace
