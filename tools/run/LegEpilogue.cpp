#include "tools/run/RunLegs.h"

#include "characters/Player.h"
#include "engine/app/DevConsole.h"
#include "engine/render/Screenshot.h"
#include "game/Game.h"
#include "scene/SpacialInstance.h"
#include "tools/run/RunMoves.h"
#include "ui/UI_Menu.h"
#include "ui/UI_MenuCatalogue.h"
#include "ui/UI_Menu_Page.h"

#include <cmath>
#include <string>

// A developer's epilogue, after the title came back: slot 1 continued, and in
// its level every console command the legs never need, typed at the console
// (Shift+Tab, the line, Enter) with arguments that leave the game as it was,
// a level change to the cemetery's gate, the slot read and written again (it
// keeps the final score), and "exit" last.
namespace {

using namespace MenuCatalogue;

// Where the console's level change goes.
constexpr const char* kLevel = "cemetery_01.lvl";

UI_Menu* TitleMenu(Game& game)
{
    return game.uiFrames.size() > 2 ? dynamic_cast<UI_Menu*>(game.uiFrames[2]->GetPrototype()) : nullptr;
}

// Play, then slot 1 (its save goes on where it was written).
bool ContinueSlotOne(RunPilot& pilot)
{
    Game& game = pilot.TheGame();
    UI_Menu* menu = TitleMenu(game);
    if (menu == nullptr || !game.menuFlag || menu->GetCurrentPageNumber() != kMain)
        return pilot.Fail("the title is not showing");
    if (!pilot.WaitUntil([&] { return menu->IsAnimationFinished(); }, 300))
        return pilot.Fail("the title's intro did not end");
    auto row = [&] { return menu->GetCurrentPage() != nullptr ? menu->GetCurrentPage()->GetSelectedIndex() : -1; };
    for (int step = 0; step < 8 && row() != 0; ++step)
        pilot.Tap(RunPilot::ArrowUp);
    pilot.Tap(RunPilot::Enter);
    pilot.Pass();
    if (menu->GetCurrentPageNumber() != kPlay)
        return pilot.Fail("Play did not open the slots");
    for (int step = 0; step < 8 && row() != 0; ++step)
        pilot.Tap(RunPilot::ArrowUp);
    pilot.Tap(RunPilot::Enter);
    if (!pilot.WaitUntil([&] { return !game.menuFlag && game.GetPlayer() != nullptr; }, 120))
        return pilot.Fail("slot 1 did not continue");
    RunMoves::Settle(pilot);
    return true;
}

// The console's level change, to the cemetery's gate and its first start.
bool ChangeLevel(RunPilot& pilot)
{
    Game& game = pilot.TheGame();
    if (!pilot.Console(std::string("changelevel ") + kLevel + " start")
        || !pilot.WaitUntil([&] { return pilot.LevelName() == kLevel && game.GetPlayer() != nullptr; }, 60))
        return pilot.Fail("the console's changelevel did not reach " + std::string(kLevel));
    RunMoves::Settle(pilot);
    return pilot.Console("god 1");
}

} // namespace

bool RunEpilogue(RunPilot& pilot)
{
    Game& game = pilot.TheGame();
    if (!ContinueSlotOne(pilot))
        return false;
    Player* player = pilot.ThePlayer();
    // The settings and flags typed are the ones the game has: nothing changes.
    const std::string lines[] = {
        "debug 1",
        "showargs epilogue",
        "reloadshaders",
        "resizewindow 512 448",
        "keepratio " + std::to_string(game.keepAspectRatio ? 1 : 0),
        "scalemethod " + std::to_string(game.displayScaleMode),
        "drawrect npc_hitzone " + std::to_string(game.drawNpcHitZone ? 1 : 0),
        "screenshotaddcomments " + std::to_string(g_ScreenshotAddComments),
        "useplayerstart " + std::to_string(game.usePlayerStart ? 1 : 0),
        "changesaveslot " + std::to_string(game.currentSaveSlot),
        "logplayer " + std::to_string(game.playerLogSetting),
        "setplayerattackrank " + std::to_string(player->GetAttackRank()),
        "enableplayerarmors",
        "minimap notify_all",
    };
    for (const std::string& line : lines)
        if (!pilot.Console(line))
            return false;
    if (!ChangeLevel(pilot))
        return false;
    // The slot read back (the map as saved) and written again: it holds what
    // it held. The achievements' Steam statistics have no back-end here.
    for (const char* line : {"load", "save", "resetsteamachievements", "exit"})
        if (!pilot.Console(line))
            return false;
    pilot.Pass();
    if (!game.IsQuitRequested())
        return pilot.Fail("\"exit\" did not ask the game to quit");
    return true;
}
