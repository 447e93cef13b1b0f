#include "tools/run/RunLegs.h"

#include "engine/config/GameConfig.h"
#include "engine/input/AbstractInputManager.h"
#include "game/Game.h"
#include "ui/UI_Menu.h"
#include "ui/UI_MenuCatalogue.h"
#include "ui/UI_Menu_Page.h"

#include <string>

// The title leg: from the title, by keys only, through every page of the
// menu (the render settings changed and put back, the language switched to
// French and back, a key rebound and the defaults restored), then Play and a
// new game in slot 1. It reads the cemetery's intro on, opens the pause page
// once and closes it, and ends at the start of cemetery_01 in play.
namespace {

using namespace MenuCatalogue;

// Keys the menus read besides the pilot's own.
constexpr int32_t kKeyF = 33;
constexpr int32_t kJumpBinding = 4;
// The key mapping's Jump row.
constexpr int32_t kRowJump = 4;

class TitleFlight {
public:
    explicit TitleFlight(RunPilot& flying)
        : pilot(flying)
        , game(flying.TheGame())
    {
    }

    bool Fly()
    {
        menu = game.GetMenu();
        if (menu == nullptr || !game.menuFlag || Page() != kMain)
            return pilot.Fail("the title is not showing");
        if (!pilot.WaitUntil([&] { return menu->IsAnimationFinished(); }, 300))
            return pilot.Fail("the title's intro did not end");
        return RenderSettings() && Options() && NewGame() && IntroAndPause();
    }

private:
    int32_t Page() const { return menu->GetCurrentPageNumber(); }
    int32_t Row() const
    {
        return menu->GetCurrentPage() != nullptr ? menu->GetCurrentPage()->GetSelectedIndex() : -1;
    }
    GameConfig& Config() { return *game.GetConfig(); }

    bool OnPage(int32_t wanted, const std::string& after)
    {
        if (Page() == wanted && game.menuFlag)
            return true;
        return pilot.Fail("after " + after + " the menu shows page " + std::to_string(Page()) + ", not "
            + std::to_string(wanted));
    }
    // Steps the cursor down to a row of the page.
    bool MoveTo(int32_t row)
    {
        for (int step = 0; step < 20 && Row() != row; ++step)
            pilot.Tap(RunPilot::ArrowDown);
        if (Row() == row)
            return true;
        return pilot.Fail(
            "the cursor of page " + std::to_string(Page()) + " does not reach row " + std::to_string(row));
    }
    // Taps the keys on a row and checks the setting comes back to what it was.
    bool ThereAndBack(
        int32_t row, int32_t there, int32_t back, int (GameConfig::*setting)() const, const std::string& what)
    {
        if (!MoveTo(row))
            return false;
        const int before = (Config().*setting)();
        pilot.Tap(there);
        const int changed = (Config().*setting)();
        pilot.Tap(back);
        if (changed == before)
            return pilot.Fail("the " + what + " did not change");
        if ((Config().*setting)() != before)
            return pilot.Fail("the " + what + " did not come back to " + std::to_string(before));
        return true;
    }

    bool RenderSettings()
    {
        if (!MoveTo(kMainRenderSettings))
            return false;
        pilot.Tap(RunPilot::Enter);
        if (!OnPage(kRenderSettings, "Display"))
            return false;
        if (!ThereAndBack(kRenderRatio, RunPilot::Enter, RunPilot::Enter, &GameConfig::GetScaleMode, "ratio")
            || !ThereAndBack(kRenderFilter, RunPilot::ArrowRight, RunPilot::ArrowLeft,
                &GameConfig::GetScaleFilter, "filter")
            || !ThereAndBack(kRenderMotionBlur, RunPilot::ArrowRight, RunPilot::ArrowLeft,
                &GameConfig::GetMotionBlur, "motion blur")
            || !ThereAndBack(kRenderBrightness, RunPilot::ArrowRight, RunPilot::ArrowLeft,
                &GameConfig::GetBrightness, "brightness"))
            return false;
        pilot.Tap(RunPilot::Pause);
        return OnPage(kMain, "leaving the render settings");
    }

    bool Options()
    {
        if (!MoveTo(kMainOptions))
            return false;
        pilot.Tap(RunPilot::Enter);
        if (!OnPage(kOptions, "Options"))
            return false;
        if (!ThereAndBack(kOptionsMusic, RunPilot::ArrowLeft, RunPilot::ArrowRight,
                &GameConfig::GetMusicVolume, "music volume"))
            return false;
        if (!MoveTo(kOptionsLanguage))
            return false;
        pilot.Tap(RunPilot::Enter);
        if (Config().GetLanguage() != "fr")
            return pilot.Fail("the language switch did not give French");
        pilot.Tap(RunPilot::Enter);
        if (Config().GetLanguage() != "eng")
            return pilot.Fail("the language switch did not come back to English");
        return KeyMapping() && (pilot.Tap(RunPilot::Pause), OnPage(kMain, "leaving the options"));
    }

    bool KeyMapping()
    {
        if (!MoveTo(kOptionsKeyMapping))
            return false;
        pilot.Tap(RunPilot::Enter);
        if (!OnPage(kKeyMapping, "Key mapping"))
            return false;
        const InputTriggerer jump = Config().GetBinding(kJumpBinding);
        if (!MoveTo(kRowJump))
            return false;
        pilot.Tap(RunPilot::Enter);
        if (!game.GetInputManager()->IsCapturingKey())
            return pilot.Fail("the jump row does not wait for a key");
        pilot.Tap(kKeyF);
        if (Config().GetBinding(kJumpBinding) != InputTriggerer(kKeyF, 0))
            return pilot.Fail("F was not bound to the jump");
        // On the Exit row the erase key gives every default back.
        if (!MoveTo(kExitRow))
            return false;
        pilot.Tap(RunPilot::KeyR);
        if (Config().GetBinding(kJumpBinding) != jump)
            return pilot.Fail("the default keys did not come back");
        pilot.Tap(RunPilot::Enter);
        return OnPage(kOptions, "leaving the key mapping");
    }

    bool NewGame()
    {
        if (!MoveTo(kMainPlay))
            return false;
        pilot.Tap(RunPilot::Enter);
        if (!OnPage(kPlay, "Play") || !MoveTo(0))
            return false;
        pilot.Tap(RunPilot::Enter);
        if (!pilot.WaitUntil(
                [&] { return pilot.LevelName() == "cemetery_01.lvl" && game.GetPlayer() != nullptr; }, 30))
            return pilot.Fail(
                "slot 1 did not start a new game in cemetery_01.lvl (in \"" + pilot.LevelName() + "\")");
        return true;
    }

    bool IntroAndPause()
    {
        if (!pilot.WaitUntil(
                [&] { return pilot.SaveVar("intro_done") == "1" && !game.gameplayPaused; }, 1500))
            return pilot.Fail("the cemetery's intro did not end");
        pilot.Tap(RunPilot::Pause);
        if (!OnPage(kPause, "Escape in play"))
            return false;
        pilot.Tap(RunPilot::Pause);
        if (game.menuFlag)
            return pilot.Fail("Escape on the pause page did not go back to the game");
        return true;
    }

    RunPilot& pilot;
    Game& game;
    UI_Menu* menu = nullptr;
};

} // namespace

bool RunTitle(RunPilot& pilot)
{
    return TitleFlight(pilot).Fly();
}
