#pragma once

#include "engine/input/DXInputManager.h"
#include "engine/platform/InputBridge.h"
#include "engine/platform/KeyCodes.h"
#include "game/Game.h"
#include "game/GameLoopAccess.h"
#include "ui/UI_Menu.h"
#include "ui/UI_Menu_Page.h"

#include <cstdint>
#include <functional>
#include <utility>

// PC set-1 codes of the keys a test presses.
namespace menukeys {
constexpr int32_t kEscape = 1;
constexpr int32_t kKeyR = 19;
constexpr int32_t kEnter = 28;
constexpr int32_t kKeyD = 32; // walks right
constexpr int32_t kKeyF = 33;
constexpr int32_t kUp = 200;
constexpr int32_t kLeft = 203;
constexpr int32_t kRight = 205;
constexpr int32_t kDown = 208;
} // namespace menukeys

// One game of the world with a keyboard: the game object, its input manager
// reading a bridge the test pushes keys into, and what the input manager
// asks of the game; with the walk through the menu by keys, one pass of the
// game at a time (`pass`: the test's update pass).
struct KeyboardGame {
    explicit KeyboardGame(std::function<void(Game&)> onePass)
        : pass(std::move(onePass))
    {
        manager->Init();
        manager->SetGameAccess(&access);
    }
    ~KeyboardGame() { manager->SetGameAccess(nullptr); }
    KeyboardGame(const KeyboardGame&) = delete;
    KeyboardGame& operator=(const KeyboardGame&) = delete;

    void Pass() { pass(game); }
    void Key(int32_t pcCode, bool down)
    {
        platform::InputEvent event;
        event.type = down ? platform::InputEvent::Type::KeyDown : platform::InputEvent::Type::KeyUp;
        event.code = platform::SdlScancodeFromPc(pcCode);
        bridge.Push(event);
    }
    // A key pressed for one pass and released for the next, `times` over.
    void Tap(int32_t pcCode, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            Key(pcCode, true);
            Pass();
            Key(pcCode, false);
            Pass();
        }
    }
    UI_Menu* Menu() { return game.GetMenu(); }
    // The title's intro played out (a frame per step at most), then a pass;
    // false when it never ends.
    bool PlayTitleIntro()
    {
        for (int step = 0; step < 100 && !Menu()->IsAnimationFinished(); ++step)
            Menu()->GraphicalObject::Update(100.0);
        const bool finished = Menu()->IsAnimationFinished();
        Pass();
        return finished;
    }
    // Down until the row is selected (the pages keep their row when left);
    // false when it never is.
    bool SelectRow(int32_t row)
    {
        for (int tap = 0; tap < 20 && Menu()->GetCurrentPage()->GetSelectedIndex() != row; ++tap)
            Tap(menukeys::kDown);
        return Menu()->GetCurrentPage()->GetSelectedIndex() == row;
    }

    platform::InputBridge bridge;
    DXInputManager* manager = new DXInputManager(&bridge);
    Game game {"Quenholt", nullptr, manager, nullptr};
    GameLoopAccess access {game};
    std::function<void(Game&)> pass;
};
