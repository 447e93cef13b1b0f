#include "tools/run/RunLegs.h"

#include "characters/Player.h"
#include "engine/app/DevConsole.h"
#include "engine/render/Screenshot.h"
#include "game/Game.h"
#include "tools/run/RunMoves.h"
#include "ui/UI_Menu.h"
#include "ui/UI_MenuCatalogue.h"
#include "ui/UI_Menu_Page.h"

#include <cmath>
#include <functional>
#include <string>

// A developer's epilogue, after the title came back: slot 1 continued, and in
// its level every console command the legs never need, typed at the console
// (Shift+Tab, the line, Enter) with arguments that leave the game as it was,
// a level change to the cemetery's gate, the slot read and written again (it
// keeps the final score), and "exit" last.
namespace {

using namespace MenuCatalogue;

// Where the console's level change goes: the cemetery's gate, whose
// crouching skulls bite a player who walks into them.
constexpr const char* kLevel = "cemetery_01.lvl";
constexpr float kTile = 32.0f;
constexpr float kSkullsFrom = 16 * kTile;
constexpr float kSkullsTo = 36 * kTile;

// Play, then slot 1 (its save goes on where it was written).
bool ContinueSlotOne(RunPilot& pilot)
{
    Game& game = pilot.TheGame();
    UI_Menu* menu = game.GetMenu();
    if (menu == nullptr || !game.menuFlag || menu->GetCurrentPageNumber() != kMain)
        return pilot.Fail("the title is not showing");
    if (!pilot.WaitUntil([&] { return menu->IsAnimationFinished(); }, 300))
        return pilot.Fail("the title's intro did not end");
    auto row
        = [&] { return menu->GetCurrentPage() != nullptr ? menu->GetCurrentPage()->GetSelectedIndex() : -1; };
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

// The player's life, 0 without a player.
int Life(RunPilot& pilot)
{
    return pilot.ThePlayer() != nullptr ? pilot.ThePlayer()->GetLife() : 0;
}

// Walks to and fro over the skulls, never striking, jumping where a step
// holds the player back, until `done` holds.
bool LetTheSkullsBite(RunPilot& pilot, const std::function<bool()>& done, int limit, const std::string& what)
{
    int side = 1;
    RunPilot::Stride stride(pilot);
    for (int pass = 0; pass < limit; ++pass) {
        if (done())
            return true;
        if (pilot.DialogueShown()) {
            pilot.Pass(pass % 2 == 1 ? RunPilot::Keys {RunPilot::Attack} : RunPilot::Keys {});
            continue;
        }
        if (pilot.X() > kSkullsTo)
            side = -1;
        else if (pilot.X() < kSkullsFrom)
            side = 1;
        pilot.Pass(stride.Toward(side));
    }
    return done()
        || pilot.Fail("the skulls of " + std::string(kLevel) + " did not bring the player to " + what
            + " (life " + std::to_string(Life(pilot)) + ")");
}

// The console's level change to the cemetery's gate; there, without the god
// flag, the skulls bring the player down to its last life (the HUD's hearts
// fade, the low-life sound loops), then to death, logged; the save brings it
// back, and the god flag is typed on again.
bool LifeStretch(RunPilot& pilot)
{
    Game& game = pilot.TheGame();
    const int logSetting = game.playerLogSetting;
    if (!pilot.Console(std::string("changelevel ") + kLevel + " start")
        || !pilot.WaitUntil([&] { return pilot.LevelName() == kLevel && game.GetPlayer() != nullptr; }, 60))
        return pilot.Fail("the console's changelevel did not reach " + std::string(kLevel));
    RunMoves::Settle(pilot);
    if (!pilot.Console("logplayer 1") || !pilot.Console("god 0"))
        return false;
    if (!LetTheSkullsBite(
            pilot, [&] { return Life(pilot) == 1; }, 3000, "its last life"))
        return false;
    // A few passes at one life (the HUD would fade its last heart).
    pilot.Hold({}, 4);
    if (!LetTheSkullsBite(
            pilot, [&] { return Life(pilot) <= 0; }, 3000, "death"))
        return false;
    // The die pose plays out, then the save is loaded again (a player whose
    // slot does not read starts the level again).
    if (!pilot.WaitUntil([&] { return Life(pilot) > 0 && !pilot.LevelName().empty(); }, 600))
        return pilot.Fail("the player did not come back after its death");
    RunMoves::Settle(pilot);
    return pilot.Console("god 1") && pilot.Console("logplayer " + std::to_string(logSetting));
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
        "setplayerattackrank " + std::to_string(player->GetAttackRank()),
        "setplayerwaterslow " + std::to_string(game.tuning.player.waterSlowRatio),
        "enableplayerarmors",
        "minimap notify_all",
    };
    for (const std::string& line : lines)
        if (!pilot.Console(line))
            return false;
    if (!LifeStretch(pilot))
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
