#include "tools/run/RunPilot.h"

#include "characters/Player.h"
#include "engine/app/DevConsole.h"
#include "engine/platform/InputBridge.h"
#include "engine/platform/KeyCodes.h"
#include "game/Game.h"
#include "game/GameLoopAccess.h"
#include "game/TeleportMap.h"
#include "scene/BackgroundEvent.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "script/ScriptVar.h"
#include "zones/Zone_Teleport.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

constexpr float kTile = 32.0f;

// One pass of the pilot is one fixed step of the game.
static_assert(RunPilot::kPassMilliseconds == Game::kFixedStepMs);

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

RunPilot::RunPilot(Game& owner, GameLoopAccess& loop, platform::InputBridge& input)
    : game(owner)
    , access(loop)
    , bridge(input)
{
}

void RunPilot::Press(const Keys& keys)
{
    // Key events for what changed since the last pass, as the window's
    // event pump sends them.
    auto send = [&](int32_t code, bool down) {
        platform::InputEvent event;
        event.type = down ? platform::InputEvent::Type::KeyDown : platform::InputEvent::Type::KeyUp;
        event.code = platform::SdlScancodeFromPc(code);
        event.pcCode = code;
        bridge.Push(event);
    };
    for (int32_t code : held)
        if (!keys.contains(code))
            send(code, false);
    for (int32_t code : keys)
        if (!held.contains(code))
            send(code, true);
    held = keys;
}

void RunPilot::Pass(const Keys& keys)
{
    Press(keys);
    recording.push_back(keys);
    clock.Advance(kPassMilliseconds);
    access.Update();
    access.RenderLevel();
    access.RenderUI();
    // The console reads its keys and typed text after the interface is
    // drawn, as the main loop's post-effect chain does.
    access.UpdateDevConsole();
    if (afterPass)
        afterPass();
}

void RunPilot::Hold(const Keys& keys, int passes)
{
    for (int i = 0; i < passes; ++i)
        Pass(keys);
}

void RunPilot::Tap(int32_t key)
{
    Pass({key});
    Pass();
}

void RunPilot::Type(const std::string& text)
{
    platform::InputEvent event;
    event.type = platform::InputEvent::Type::Text;
    event.text = text;
    bridge.Push(event);
    typed.push_back({Frame(), text});
}

bool RunPilot::Console(const std::string& line)
{
    DevConsole& console = game.console;
    if (!console.debug)
        return Fail("the console opens only in debug mode");
    // A console left open has its line emptied with Ctrl+Backspace; a closed
    // one is opened.
    if (console.open)
        Pass({LeftCtrl, Backspace});
    else
        Pass({RightShift, Map});
    Pass();
    if (!console.open)
        return Fail("Shift+Tab did not open the console");
    Type(line);
    // The console takes one typed character per pass.
    for (int pass = 0; pass < static_cast<int>(line.size()) + 2 && console.line != line; ++pass)
        Pass();
    if (console.line != line)
        return Fail("the console took \"" + console.line + "\" of \"" + line + "\"");
    Pass({Enter});
    Pass();
    if (console.open)
        return Fail("Enter did not run the console line \"" + line + "\"");
    return true;
}

Player* RunPilot::ThePlayer() const
{
    return game.GetPlayer();
}

float RunPilot::X() const
{
    return game.GetPlayer() != nullptr ? game.GetPlayer()->GetPosition().x : 0.0f;
}

float RunPilot::Y() const
{
    return game.GetPlayer() != nullptr ? game.GetPlayer()->GetPosition().y : 0.0f;
}

std::string RunPilot::LevelName() const
{
    return game.GetCurrentLevel() != nullptr ? game.GetCurrentLevel()->GetName() : std::string();
}

std::string RunPilot::SaveVar(const std::string& name) const
{
    ScriptVar* var = Game::FindSaveVar(name);
    return var != nullptr ? var->GetValue() : std::string();
}

bool RunPilot::DialogueShown() const
{
    // A teleporter's help shows for as long as the player stands in its zone;
    // it is not read on (the use key there opens the teleport menu).
    const BackgroundEvent* dialogue = BackgroundEvent::FindByTypeName("BGEvent_DialogueManager");
    if (dialogue != nullptr && dialogue->GetName() == "BGEvent_DialogShowHint_Teleport")
        return false;
    return !game.uiFrames.empty() && game.uiFrames[0]->IsVisible();
}

bool RunPilot::MapOpen() const
{
    return game.menuFlag && game.uiState == 4 && game.teleportMap.mapMode == 0;
}

bool RunPilot::WaitUntil(const std::function<bool()>& done, int limit)
{
    for (int pass = 0; pass < limit; ++pass) {
        if (done())
            return true;
        Keys keys;
        // Every other pass, so that each press is a fresh one.
        if (pass % 2 == 1 && DialogueShown())
            keys.insert(Attack);
        else if (pass % 2 == 1 && MapOpen())
            keys.insert(Map);
        Pass(keys);
    }
    return done();
}

RunPilot::Stride::Stride(RunPilot& pilot)
    : pilot(pilot)
    , last(pilot.X())
{
}

RunPilot::Keys RunPilot::Stride::Toward(int side)
{
    Keys keys {side > 0 ? Right : Left};
    stuck = std::abs(pilot.X() - last) < 0.5f ? stuck + 1 : 0;
    last = pilot.X();
    if (stuck > 6 && jump == 0)
        jump = 12;
    if (jump > 0 && --jump > 2)
        keys.insert(Jump);
    return keys;
}

bool RunPilot::WalkTo(float x, int limit)
{
    const std::string level = LevelName();
    Stride stride(*this);
    for (int pass = 0; pass < limit; ++pass) {
        if (LevelName() != level)
            return true;
        // Arrived first: a teleporter's help shows as long as the player
        // stands on it, and reading it on would never end.
        if (std::abs(X() - x) < kTile / 2) {
            Pass();
            return true;
        }
        if (DialogueShown() || MapOpen()) {
            Keys keys;
            if (pass % 2 == 0)
                keys.insert(DialogueShown() ? Attack : Map);
            Pass(keys);
            continue;
        }
        Pass(stride.Toward(x > X() ? 1 : -1));
    }
    return Fail("could not walk to x " + std::to_string(x) + " in " + level + " (stopped at "
        + std::to_string(X()) + ", " + std::to_string(Y()) + ")");
}

bool RunPilot::WalkOut(float x, const std::string& nextLevel, int limit)
{
    const std::string wanted = Lower(nextLevel);
    if (!WalkTo(x, limit))
        return false;
    if (!WaitUntil([&] { return LevelName() == wanted; }, 30))
        return Fail("walked to x " + std::to_string(x) + " but did not arrive in " + wanted + " (in "
            + LevelName() + ")");
    return true;
}

bool RunPilot::TeleportTo(const std::string& hubLevel)
{
    const std::string wanted = Lower(hubLevel);
    if (LevelName() == wanted)
        return true;
    Level* level = game.GetCurrentLevel();
    Layer* collisions = level != nullptr ? level->GetLayer(Level::kScene, "Collisions") : nullptr;
    float zoneX = -1.0f;
    for (size_t i = 0; collisions != nullptr && i < collisions->GetInstanceCount(); ++i) {
        Layer::Instance* placed = collisions->GetInstance(i);
        if (auto* zone = dynamic_cast<Zone_Teleport::Instance*>(placed->GetPayload()))
            zoneX = placed->GetPosition().x + static_cast<float>(zone->GetSize().x) / 2.0f;
    }
    if (zoneX < 0.0f)
        return Fail("no teleporter in " + LevelName() + " to go to " + wanted);
    if (!WalkTo(zoneX))
        return false;
    // The use key opens the menu; the cursor then steps right to the hub.
    Pass();
    Pass({Attack});
    if (!WaitUntil([&] { return game.uiState == 4 && game.teleportMap.mapMode == 1; }, 60))
        return Fail("the teleport menu did not open in " + LevelName());
    Pass();
    for (size_t step = 0; step <= game.teleports.size() + 1; ++step) {
        const auto listed = TeleportMap::ListTeleporters(game.teleports);
        const int cursor = game.teleportMap.cursor;
        if (cursor >= 0 && static_cast<size_t>(cursor) < listed.size()
            && Lower(listed[static_cast<size_t>(cursor)]->levelFile) == wanted) {
            Pass({Jump});
            Pass();
            if (!WaitUntil([&] { return LevelName() == wanted && game.GetPlayer() != nullptr; }, 120))
                return Fail("the teleport to " + wanted + " did not arrive");
            return true;
        }
        Tap(Right);
    }
    return Fail(wanted + " is not among the known teleporters");
}

bool RunPilot::Fail(const std::string& why)
{
    if (failure.empty())
        failure = "frame " + std::to_string(Frame()) + ": " + why;
    return false;
}
