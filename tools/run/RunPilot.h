#pragma once

#include "engine/platform/Clock.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

class Game;
class GameLoopAccess;
class Player;

namespace platform {
class InputBridge;
}

// The pilot of the whole run: it plays the game by holding keys, one update
// pass at a time, exactly as a player at the keyboard would (the keys go
// through the input bridge, the input manager and its default bindings), and
// keeps which keys were held at each pass. What it keeps is the run's
// recording; replaying it drives the same passes without the pilot.
//
// Each pass also runs the main thread's share of drawing (the level, the map
// and its teleport menu, the interface) with nothing to draw on, since some
// of the game's logic lives there.
class RunPilot {
public:
    // The keys of the default bindings, as PC set-1 codes.
    enum Key : int32_t {
        Pause = 1,
        Backspace = 14,
        Map = 15,
        FireArmor = 16,
        Up = 17,
        IceArmor = 18,
        KeyR = 19,
        Enter = 28,
        LeftCtrl = 29,
        Left = 30,
        Down = 31,
        Right = 32,
        LeftShift = 42, // strafe left
        Spider = 51,
        Crossbow = 52,
        Attack = 53,
        RightShift = 54, // strafe right
        Jump = 57,
        ArrowUp = 200,
        ArrowLeft = 203,
        ArrowRight = 205,
        ArrowDown = 208,
    };
    using Keys = std::set<int32_t>;

    RunPilot(Game& game, GameLoopAccess& access, platform::InputBridge& bridge);

    // The game's clocks move by this much per pass: one update frame.
    static constexpr double kPassMilliseconds = 33.0;

    // One update pass with exactly these keys held.
    void Pass(const Keys& keys = {});
    // Passes holding these keys.
    void Hold(const Keys& keys, int passes);
    // A key pressed for one pass and released for the next.
    void Tap(int32_t key);
    // Text typed on the keyboard just before the next pass (the typed-text
    // events a window sends, which only the developer console reads: one
    // character per pass). Kept with the keys.
    void Type(const std::string& text);
    // The developer console (open in debug mode): opened with right Shift+Tab (the
    // shift keeps Tab from opening the map; a shift alone dashes, so the
    // player is best left where a dash does no harm), the line typed, run
    // with Enter. False, after Fail, when the console did not take it.
    bool Console(const std::string& line);

    // The number of passes so far, and the keys held at each.
    int Frame() const { return static_cast<int>(recording.size()); }
    const std::vector<Keys>& Recording() const { return recording; }
    // The text typed, with the frame of the pass it was typed before.
    struct TypedText {
        int frame = 0;
        std::string text;
    };
    const std::vector<TypedText>& Typed() const { return typed; }

    // What the pilot looks at.
    Game& TheGame() { return game; }
    Player* ThePlayer() const;
    float X() const;
    float Y() const;
    // The current level's file name, lower-cased as the game keeps it.
    std::string LevelName() const;
    // A save variable's value; empty when it does not exist.
    std::string SaveVar(const std::string& name) const;
    bool DialogueShown() const;
    bool MapOpen() const;

    // Passes until `done` holds: a dialogue is read on with the attack key, a
    // map opened by a pickup is closed again. False when it never held.
    bool WaitUntil(const std::function<bool()>& done, int limit = 600);
    // Walks toward x (pixels), jumping where a step holds the player back;
    // true within half a tile of it or when the level changes on the way.
    bool WalkTo(float x, int limit = 1500);
    // One walking pass toward `side` (1 right, -1 left) at a time, jumping
    // when a step has held the player back for a few passes.
    class Stride {
    public:
        explicit Stride(RunPilot& pilot);
        // The keys of the next pass toward `side`.
        Keys Toward(int side);

    private:
        RunPilot& pilot;
        float last;
        int stuck = 0;
        int jump = 0;
    };
    // Walks to x, through the exit there, into nextLevel (file name).
    bool WalkOut(float x, const std::string& nextLevel, int limit = 1500);
    // At a hub's teleporter: opens the teleport menu and goes to that hub
    // (its level file name, any case).
    bool TeleportTo(const std::string& hubLevel);

    // Called after every pass (the whole run watches the levels and the
    // ending with it); empty: nothing.
    void SetAfterPass(std::function<void()> watch) { afterPass = std::move(watch); }

    // Notes why the run cannot go on; returns false for the caller to pass on.
    bool Fail(const std::string& why);
    const std::string& Failure() const { return failure; }

private:
    void Press(const Keys& keys);

    Game& game;
    GameLoopAccess& access;
    platform::InputBridge& bridge;
    // While the pilot flies, time moves only with its passes.
    platform::ScopedManualClock clock;
    Keys held;
    std::vector<Keys> recording;
    std::vector<TypedText> typed;
    std::string failure;
    std::function<void()> afterPass;
};

// One stretch of the run. A leg starts where the one before it ended (at a
// hub, unless it says otherwise) and returns false, after RunPilot::Fail,
// when it cannot finish.
using RunLeg = std::function<bool(RunPilot&)>;
