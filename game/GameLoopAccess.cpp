#include "game/GameLoopAccess.h"

#include "characters/Player.h"
#include "engine/app/FpsOverlay.h"
#include "engine/input/DXInputManager.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolCommand.h"
#include "engine/render/RenderPoolManager.h"
#include "game/DrawDebugBox.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "ui/UI_Frame.h"

namespace {

// The outline colours of the debug drawing (ARGB).
constexpr uint32_t kAttackOutline = 0xFF9614FFu;
constexpr uint32_t kHurtOutline = 0x6414C8FAu;
constexpr uint32_t kPlayerHurtOutline = 0x6414C8FFu;

// Outlines the boxes, given from the character's position, at it.
void OutlineBoxes(const std::vector<Rect<int>>& boxes, Point<float> at, uint32_t colour)
{
    const Point<int> by = at.ToInt();
    for (const Rect<int>& box : boxes)
        DrawDebugBox(Rect<int>(box.x0 + by.x, box.y0 + by.y, box.x1 + by.x, box.y1 + by.y), colour);
}

// What "drawrect" asks for: the player's attack boxes; the hurt boxes of
// every live character and then the player's.
void DrawDebugOutlines(Game& game)
{
    Player* player = game.GetPlayer();
    if (game.drawPlayerAttackZone && player != nullptr)
        OutlineBoxes(player->GetAttackBoxes(), player->GetPosition(), kAttackOutline);
    if (game.drawNpcHitZone) {
        for (CharacterObject* character : game.liveCharacters)
            if (character != nullptr)
                OutlineBoxes(character->GetHurtBoxes(), character->GetPosition(), kHurtOutline);
        if (player != nullptr)
            OutlineBoxes(player->GetHurtBoxes(), player->GetPosition(), kPlayerHurtOutline);
    }
}

} // namespace

DevConsole& GameLoopAccess::GetConsole()
{
    return game.console;
}

void GameLoopAccess::Update()
{
    game.Update();
    // "exit": the render thread leaves its loop and the next pass's quit
    // test ends the main loop.
    if (game.IsQuitRequested())
        if (RenderPoolManager* pool
            = game.GetRenderEngine() ? game.GetRenderEngine()->GetRenderPool() : nullptr) {
            pool->quitting = true;
            pool->renderGoEvent.Set();
        }
}

bool GameLoopAccess::IsUpdateFrame() const
{
    return game.fixedStepTick != 0;
}

bool GameLoopAccess::HasPendingLevelChange() const
{
    return !game.pendingLevelFile.empty();
}

bool GameLoopAccess::HasLevel() const
{
    return game.GetCurrentLevel() != nullptr;
}

bool GameLoopAccess::IsMenuPaused() const
{
    return game.IsMenuFlagSet();
}

bool GameLoopAccess::MaySkipFrames() const
{
    GameConfig* config = game.GetConfig();
    return config->GetVSync() || config->GetFrameLimit();
}

double GameLoopAccess::MillisecondsToNextTick() const
{
    return game.MillisecondsToNextTick();
}

platform::TimedMutex* GameLoopAccess::GetGameMutex()
{
    return game.GetGameMutex();
}

PostEffects* GameLoopAccess::GetPostEffects()
{
    return game.postEffects.get();
}

void GameLoopAccess::RenderLevel()
{
    auto* engine = dynamic_cast<DXRenderEngine*>(game.GetRenderEngine());
    RenderPoolManager* pool = engine != nullptr ? engine->GetRecordingPool() : nullptr;
    if (game.uiState == 4) {
        // The full-screen map and its teleport menu, on black.
        if (pool != nullptr) {
            RenderPoolCommand clear = RenderPoolCommand::Named("ClearScreen");
            clear.SetColour(0xFF000000u);
            pool->AddCommand(std::move(clear));
        } else if (engine != nullptr) {
            engine->Clear(0xFF000000u, 0);
        }
        game.UpdateTeleportMenu(nullptr, Point<int>(0, 0), Point<int>(0, 0), Point<int>(512, 448));
        return;
    }
    // The overlay commands the update appended; the layers add their
    // captures while the level is drawn.
    const size_t fromUpdate = g_DeferredCommands.size();
    Game::RenderCurrentLevel(&game, true);
    DrawDebugOutlines(game);
    DrawDebugBoxList();
    if (pool != nullptr)
        pool->AddCommands();
    else
        DrawCommandsNow(game.GetRenderEngine(), g_DeferredCommands);
    // The captures belong to this frame; the update's commands stay for the
    // frames drawn before its next update frame.
    if (g_DeferredCommands.size() > fromUpdate)
        g_DeferredCommands.erase(
            g_DeferredCommands.begin() + static_cast<std::ptrdiff_t>(fromUpdate), g_DeferredCommands.end());
    game.DrawTransitionOverlays();
}

PostChainFrame GameLoopAccess::GetFrameState() const
{
    PostChainFrame frame;
    frame.levelLoaded = HasLevel();
    frame.uiState = game.uiState;
    frame.endingMode = game.endingMode;
    frame.firstTransitionCounter = game.arrivalCounter;
    frame.motionBlurLevel = game.GetConfig()->GetMotionBlur();
    frame.brightnessLevel = game.GetConfig()->GetBrightness();
    return frame;
}

void GameLoopAccess::PollInput()
{
    if (AbstractInputManager* input = game.GetInputManager())
        input->Poll();
}

void GameLoopAccess::RenderUI()
{
    Game::RenderUI(&game);
}

void GameLoopAccess::UpdateDevConsole()
{
    consoleEditor.UpdateDevConsole(
        dynamic_cast<DXInputManager*>(game.GetInputManager()), game.console, IsUpdateFrame());
}

void GameLoopAccess::DrawFpsOverlay()
{
    ::DrawFpsOverlay(game.console);
}

const GameConfig* GameLoopAccess::GetConfig()
{
    return game.GetConfig();
}

bool GameLoopAccess::IsDebugMode()
{
    return game.console.debug;
}

bool GameLoopAccess::IsConsoleOpen()
{
    return game.console.open;
}
