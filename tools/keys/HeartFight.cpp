#include "tools/keys/HeartFight.h"

#include "tools/keys/ChildProcess.h"
#include "tools/keys/GameWindow.h"
#include "tools/keys/HeartDeath.h"
#include "tools/keys/HeartSlot.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Sleep(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// A look every 33 ms, one update frame.
constexpr double kLookSeconds = 0.033;
// A blow: the key held this long.
constexpr double kBlowSeconds = 0.06;
// The picture black this long in the fight: the death screen.
constexpr double kDarkSeconds = 1.0;
// The death fight: standing still this long without being killed, or back
// from the death this long without moving, it ends.
constexpr double kStandingSeconds = 240.0;
constexpr double kNeverMovedSeconds = 30.0;

} // namespace

HeartFight::HeartFight(Options chosen)
    : options(std::move(chosen))
{
}

void HeartFight::Keep(const Picture& picture, const std::string& name) const
{
    std::ofstream out(std::filesystem::path(options.folder) / (name + ".ppm"), std::ios::binary);
    out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
    for (const uint32_t rgb : picture.pixels) {
        const char bytes[3] = {static_cast<char>(Picture::Red(rgb)), static_cast<char>(Picture::Green(rgb)),
            static_cast<char>(Picture::Blue(rgb))};
        out.write(bytes, 3);
    }
}

bool HeartFight::StartFromTheMenu(GameWindow& window, Result& result)
{
    // The title's intro plays out, then Play, then the first slot.
    const Clock::time_point start = Clock::now();
    while (SecondsSince(start) < 60.0) {
        const Picture picture = window.Grab();
        if (picture.Empty()) {
            result.error = "the game's window is gone";
            return false;
        }
        if (!HeartScreen::Read(picture).dark)
            break;
        Sleep(0.25);
    }
    Sleep(10.0);
    if (options.picturesEvery > 0.0)
        Keep(window.Grab(), "title");
    for (const char* step : {"Play", "slot"}) {
        window.Press("Return");
        Sleep(0.1);
        window.Release("Return");
        Sleep(1.5);
        if (options.picturesEvery > 0.0)
            Keep(window.Grab(), step);
    }
    // The slot's level loads: the HUD shows.
    const Clock::time_point loading = Clock::now();
    while (SecondsSince(loading) < 60.0) {
        const Picture picture = window.Grab();
        if (!picture.Empty() && HeartScreen::Read(picture).hud)
            return true;
        Sleep(0.25);
    }
    result.error = "the slot did not load from the menu (no HUD after 60 s)";
    return false;
}

// The death fight: no key but to walk in until he is killed and his
// reaction to the picture's return has passed (`still`); then a new player
// plays the fight from its start. False when the fight ends here.
bool HeartFight::FollowDeath(HeartDeath& death, KeysHeartPlayer& player, double now,
    const HeartScreen::Reading& reading, double& fightFrom, bool& still, Result& result) const
{
    const HeartDeath::Phase before = death.Current();
    death.See(now * 1000.0, reading);
    if (death.Current() == HeartDeath::Phase::Dead && before == HeartDeath::Phase::Standing) {
        result.died = true;
        result.diedAfter = death.DiedAt() / 1000.0;
    } else if (death.Current() == HeartDeath::Phase::Back && before == HeartDeath::Phase::Dead) {
        player = KeysHeartPlayer(options.way);
        fightFrom = now;
        result.lowestLife = HeartSlot::kLife;
    }
    if (death.Current() == HeartDeath::Phase::Standing && now > kStandingSeconds) {
        result.lostAt = "standing still, not killed";
        return false;
    }
    if (death.Current() == HeartDeath::Phase::Back && now - fightFrom > kNeverMovedSeconds) {
        result.lostAt = "the respawn, never moved";
        return false;
    }
    still = !death.Plays(now * 1000.0);
    return true;
}

void HeartFight::Play(GameWindow& window, Result& result)
{
    KeysHeartPlayer player(options.way);
    HeartDeath death;
    const std::string slot
        = HeartSlot::SlotFile((std::filesystem::path(options.folder) / "documents").string());
    const Clock::time_point start = Clock::now();
    bool left = false, right = false, jump = false;
    auto hold = [&](bool& held, bool wanted, const char* key) {
        if (held == wanted)
            return;
        held = wanted;
        if (wanted)
            window.Press(key);
        else
            window.Release(key);
    };
    double darkSince = -1.0, blowUp = -1.0, nextSlotRead = 0.0, nextPicture = 0.0, fightFrom = 0.0;
    int picture = 0;
    // What he saw and did, each look, when asked (QUENHOLT_KEYS_TRACE=1).
    FILE* trace = std::getenv("QUENHOLT_KEYS_TRACE") != nullptr
        ? std::fopen((std::filesystem::path(options.folder) / "trace.txt").c_str(), "w")
        : nullptr;
    result.lowestLife = HeartSlot::kLife;
    while (true) {
        const double now = SecondsSince(start);
        if (now - fightFrom > options.limitSeconds) {
            result.lostAt = "time";
            break;
        }
        const Picture shown = window.Grab();
        if (shown.Empty()) {
            result.error = "the game's window is gone";
            break;
        }
        const HeartScreen::Reading reading = HeartScreen::Read(shown);
        bool still = false;
        if (options.dieFirst && !FollowDeath(death, player, now, reading, fightFrom, still, result))
            break;
        if (options.picturesEvery > 0.0 && now >= nextPicture) {
            Keep(shown, "fight_" + std::to_string(picture++));
            nextPicture = now + options.picturesEvery;
        }
        if (reading.hearts >= 0 && !still && player.CurrentStep() != KeysHeartPlayer::Step::Entry) {
            result.lowestLife = std::min(result.lowestLife, reading.hearts);
            if (reading.hearts > 0)
                result.lifeLeft = reading.hearts;
        }
        if (now >= nextSlotRead) {
            nextSlotRead = now + 0.5;
            if (HeartSlot::Won(slot).value_or(false)) {
                result.won = true;
                break;
            }
        }
        const bool beforeDeath = options.dieFirst && death.Current() < HeartDeath::Phase::Back;
        if (!beforeDeath && player.CurrentStep() != KeysHeartPlayer::Step::Entry && reading.dark) {
            if (darkSince < 0.0)
                darkSince = now;
            if (now - darkSince >= kDarkSeconds) {
                Sleep(1.0);
                result.won = HeartSlot::Won(slot).value_or(false);
                if (!result.won)
                    result.lostAt = KeysHeartPlayer::StepName(player.CurrentStep());
                break;
            }
        } else {
            darkSince = -1.0;
        }
        const bool walkingIn = death.Current() == HeartDeath::Phase::Standing
            && player.CurrentStep() == KeysHeartPlayer::Step::Entry;
        KeysHeartPlayer::Keys keys;
        if (!still || walkingIn)
            keys = player.Act(now * 1000.0, reading);
        if (still && player.CurrentStep() != KeysHeartPlayer::Step::Entry)
            keys = {};
        if (trace != nullptr)
            std::fprintf(trace,
                "%.3f %s head=%d,%d x=%d life=%d west=%d eye=%d wind=%d stone=%d maw=%d keys=%s%s%s%s\n", now,
                still && !walkingIn ? "still" : KeysHeartPlayer::StepName(player.CurrentStep()),
                reading.wardenX, reading.wardenY, reading.playerX, reading.hearts, reading.westAlive,
                reading.eastLit, reading.eastWinding, reading.stoneShown, reading.mawShown,
                keys.left ? "a" : "", keys.right ? "d" : "", keys.jump ? "J" : "", keys.strike ? "S" : "");
        hold(left, keys.left, "a");
        hold(right, keys.right, "d");
        hold(jump, keys.jump, "space");
        if (blowUp >= 0.0 && now >= blowUp) {
            window.Release("slash");
            blowUp = -1.0;
        }
        if (keys.strike && blowUp < 0.0) {
            window.Press("slash");
            blowUp = now + kBlowSeconds;
        }
        const double spent = SecondsSince(start) - now;
        if (spent < kLookSeconds)
            Sleep(kLookSeconds - spent);
    }
    hold(left, false, "a");
    hold(right, false, "d");
    hold(jump, false, "space");
    window.Release("slash");
    result.seconds = SecondsSince(start) - fightFrom;
    result.moveDelay = death.MoveDelay() < 0.0 ? -1.0 : death.MoveDelay() / 1000.0;
    result.movedInTime = death.MovedInTime();
    if (trace != nullptr)
        std::fclose(trace);
}

HeartFight::Result HeartFight::Run()
{
    Result result;
    const std::filesystem::path folder(options.folder);
    const std::string documents = (folder / "documents").string();
    if (!HeartSlot::Make(options.game, options.world, documents, result.error))
        return result;
    GameWindow window;
    if (!window.Open(result.error))
        return result;
    ChildProcess game;
    if (!game.Start({options.game, "--windowed"}, options.world,
            {"XDG_DOCUMENTS_DIR=" + documents, "QUENHOLT_SEED=" + std::to_string(options.seed),
                "ALSOFT_DRIVERS=null", "SDL_VIDEODRIVER=x11"},
            (folder / "game.log").string())) {
        result.error = "cannot start " + options.game;
        return result;
    }
    const Clock::time_point start = Clock::now();
    while (!window.Find(game.Id())) {
        if (!game.Running() || SecondsSince(start) > 60.0) {
            result.error = "the game's window did not show";
            return result;
        }
        Sleep(0.2);
    }
    if (StartFromTheMenu(window, result))
        Play(window, result);
    game.Stop();
    return result;
}
