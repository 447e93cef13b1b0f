// The game's passes of a recorded frame: the current level, the transition
// overlays drawn over it, and the UI frames in their fixed order.

#include "game/Game.h"

#include "characters/Player.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolCommand.h"
#include "engine/render/RenderPoolManager.h"
#include "scene/Camera.h"
#include "scene/GraphicalObject.h"
#include "scene/InstanceEffectScope.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "ui/UI_Frame.h"

#include <algorithm>
#include <cstdint>

namespace {

// The arrival's cross-fade lasts this many update frames; the second
// transition fades out over kSecondTransitionFrames.
constexpr double kArrivalFrames = 30.0;
constexpr double kSecondTransitionFramesF = Game::kSecondTransitionFrames;
constexpr uint32_t kBlack = 0xFF000000u;

// The alpha of t (0 to 1) in the top byte of a colour.
uint32_t AlphaOf(double t)
{
    return static_cast<uint32_t>(std::clamp(t, 0.0, 1.0) * 255.0) << 24;
}

// Draws the object at scale 1 with its colours kept and the alpha of t: the
// draws it records carry that colour.
void DrawWithAlpha(GraphicalObject* object, Point<int> at, double t)
{
    if (object == nullptr)
        return;
    auto* device = dynamic_cast<DXRenderEngine*>(g_RenderEngine);
    const uint32_t before = device != nullptr ? device->GetDiffuseColor() : 0xFFFFFFFFu;
    if (device != nullptr)
        device->SetDiffuseColor(AlphaOf(t) | 0x00FFFFFFu);
    object->DrawSprite(nullptr, at.x, at.y, 1, 1, 0.0f, 0, 0, 0, 0);
    if (device != nullptr)
        device->SetDiffuseColor(before);
}

// Black over the whole screen with the alpha of t.
void DrawDarkQuad(IRenderEngine& engine, double t)
{
    engine.DrawRect(Point<int>(Camera::kViewWidth, Camera::kViewHeight), nullptr, 0, 0, 0, 0, 0.0f,
        AlphaOf(t), true, false);
}

} // namespace

bool Game::RenderCurrentLevel(Game* game, bool flag)
{
    if (game != nullptr && flag && game->currentLevel != nullptr)
        game->currentLevel->Render(&game->camera);
    return false;
}

void Game::DrawTransitionOverlays()
{
    IRenderEngine* engine = renderEngine.get();
    if (engine == nullptr || player == nullptr)
        return;
    const Point<int> playerAt = player->GetScreenPosition();
    if (arrivalCounter != -1) {
        // The look the player left with slides to where it arrives and turns
        // into its look there, on black.
        auto* device = dynamic_cast<DXRenderEngine*>(engine);
        if (RenderPoolManager* pool = device != nullptr ? device->GetRecordingPool() : nullptr) {
            RenderPoolCommand clear = RenderPoolCommand::Named("ClearScreen");
            clear.SetColour(kBlack);
            pool->AddCommand(std::move(clear));
        } else {
            engine->Clear(kBlack, 0);
        }
        const double t = arrivalCounter / kArrivalFrames;
        const Point<int> at(transitionPosition.x + static_cast<int>((playerAt.x - transitionPosition.x) * t),
            transitionPosition.y + static_cast<int>((playerAt.y - transitionPosition.y) * t));
        // The arriving look holds its first frame while it fades in.
        GraphicalObject* look = player->GetCurrentGraphical();
        if (look != nullptr)
            look->RestartAnimations(true);
        DrawWithAlpha(transitionImage, at, 1.0 - t);
        DrawWithAlpha(look, at, t);
        return;
    }
    double t = 0.0;
    Point<int> at = playerAt;
    if (secondTransitionCounter != -1) {
        t = (kSecondTransitionFramesF - secondTransitionCounter) / kSecondTransitionFramesF;
    } else if (player->GetMoveState() == Player::kDying) {
        // Dying, the screen goes dark with the death pose over it, as the
        // loading screen then shows it.
        GraphicalObject* pose = player->GetCurrentGraphical();
        t = pose == nullptr || pose->IsAnimationFinished() ? 1.0 : pose->GetAnimationProgress();
        at = transitionImage != nullptr ? transitionPosition : playerAt;
    } else {
        return;
    }
    DrawDarkQuad(*engine, t);
    DrawWithAlpha(player->GetCurrentGraphical(), at, t);
}

bool Game::RenderUI(Game* game)
{
    if (game == nullptr || game->uiFrames.size() < 4)
        return false;
    auto& frames = game->uiFrames;
    // The ending shows its score and the menu only; otherwise the HUD, the
    // dialogue box, (the hidden score) and the menu over them.
    const bool ending = game->endingMode > 0;
    frames[3]->SetVisible(ending);
    static constexpr size_t kEndingOrder[] = {3, 2};
    static constexpr size_t kPlayOrder[] = {1, 0, 3, 2};
    const size_t* order = ending ? kEndingOrder : kPlayOrder;
    const size_t count = ending ? std::size(kEndingOrder) : std::size(kPlayOrder);
    for (size_t i = 0; i < count; ++i) {
        SpacialInstance<GraphicalObject, float>* frame = frames[order[i]].get();
        if (frame == nullptr || !frame->IsVisible() || frame->GetPrototype() == nullptr)
            continue;
        Point<int> at = frame->GetPosition().ToInt();
        // "setuipos" places the dialogue box and the HUD by their own position.
        if (const auto* uiFrame = dynamic_cast<const UI_Frame*>(frame->GetPrototype()))
            at = at + uiFrame->GetPosition().ToInt();
        // The frame's screen effect (the end score's fade-in) applies to its
        // draw and steps once per update frame.
        GraphicalEffect* effect = frame->GetEffect();
        if (effect != nullptr && game->fixedStepTick != 0)
            effect->Update();
        InstanceEffectScope scope(effect);
        frame->GetPrototype()->DrawSprite(nullptr, at.x, at.y, 0, 0, 0.0f, 0, 0, 0, 0);
    }
    return false;
}
