#include "script/BGEvent_PickupCinematic.h"

#include "characters/LocalParticleSystem.h"
#include "characters/Player.h"
#include "engine/render/GE_Fade.h"
#include "engine/render/RenderPoolManager.h"
#include "scene/Camera.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "script/NPC_Script.h"
#include "script/ScriptCommandSupport.h"
#include "script/ScriptGameAccess.h"

#include <utility>
#include <vector>

namespace {

constexpr int kDarkFrames = 60;

Player* ThePlayer()
{
    ScriptGameAccess* game = GetScriptGameAccess();
    return game != nullptr ? game->GetPlayer() : nullptr;
}

} // namespace

BGEvent_PickupCinematic::BGEvent_PickupCinematic(std::string name_, GraphicalObject* left,
    GraphicalObject* right, LocalParticleSystem* burst_, int burstOffsetX, int burstOffsetY)
    : BackgroundEvent(std::move(name_))
    , animationLeft(left)
    , animationRight(right)
    , burst(burst_)
    , burstOffset(burstOffsetX, burstOffsetY)
{
    ScriptGameAccess* game = GetScriptGameAccess();
    if (game == nullptr)
        return;
    actor = dynamic_cast<NPC_Script*>(game->CreateCharacterByClass("Pickup", "NPC_Script"));
    // The crossbow of the player's rank, and the next rank's it becomes.
    Player* player = game->GetPlayer();
    if (GetPlayerArmorCrossbow(player) == nullptr)
        return;
    const int rank = player->crossbowLevel;
    if (rank < 1 || rank > 3)
        return;
    const char* const names[] = {"Projectile_Crossbow_GraphicalIdleL", "Projectile_Crossbow_GraphicalIdleL",
        "Projectile_CrossbowR2_GraphicalIdleL", "Projectile_CrossbowR3_GraphicalIdleL"};
    oldCrossbow = game->FindGraphicalObject(names[rank - 1]);
    newCrossbow = game->FindGraphicalObject(names[rank]);
}

BGEvent_PickupCinematic::~BGEvent_PickupCinematic()
{
    RemoveInstance();
}

void BGEvent_PickupCinematic::RemoveInstance()
{
    if (instance == nullptr)
        return;
    delete instance->GetEffect();
    instance->SetEffect(nullptr);
    instanceLayer->DeleteInstance(instance);
    instance = nullptr;
}

void BGEvent_PickupCinematic::LaunchBurst(Point<int> at)
{
    ++bursts;
    Level* level = ScriptCommandSupport::CurrentLevel();
    if (burst == nullptr || level == nullptr)
        return;
    std::vector<LocalParticleSystem*> list {burst};
    CharacterObject::LaunchParticleEffect(
        level->GetLastLayer(Level::kScene, -1.0f, -1.0f), list, nullptr, true, at.x, at.y);
}

void BGEvent_PickupCinematic::Run()
{
    ScriptGameAccess* game = GetScriptGameAccess();
    kind = game != nullptr ? game->GetPickupCinematicKind() : kPickupNone;
    if (kind < kPickupAnimation || finished)
        return;
    switch (params[0]) {
    case 0:
        Darken();
        break;
    case 1:
        Show();
        break;
    case 2:
        WaitForAnimation();
        break;
    default:
        Brighten();
        break;
    }
    overlayAlpha = static_cast<int>(static_cast<float>(fade) / 60.0f * 255.0f * 0.5f);
    // The darkening: black over the whole screen, drawn over the level and
    // under the layers the cut-scene shows (the overlay commands).
    g_DeferredCommands.push_back(
        RenderPoolCommand::RectDraw(Point<int>(Camera::kViewWidth, Camera::kViewHeight), Point<int>(0, 0),
            Point<int>(0, 0), 0.0f, static_cast<uint32_t>(overlayAlpha) << 24, true));
    if (instance != nullptr && instance->GetPrototype() != nullptr) {
        instance->GetPrototype()->Update(33.0);
        if (auto* fadeEffect = dynamic_cast<GE_Fade*>(instance->GetEffect()))
            fadeEffect->Update();
    }
}

void BGEvent_PickupCinematic::Darken()
{
    ++params[2];
    if (params[2] < kDarkFrames) {
        fade = params[2];
        return;
    }
    params[0] = 1;
    params[2] = 0;
    Player* player = ThePlayer();
    Level* level = ScriptCommandSupport::CurrentLevel();
    if (player == nullptr || level == nullptr)
        return;
    if (kind == kPickupAnimation || kind == kPickupAnimationShort) {
        GraphicalObject* shown = player->GetCurrentGraphical();
        const std::string pose = shown != nullptr ? shown->GetName() : std::string();
        GraphicalObject* animation = !pose.empty() && pose.back() == 'R' ? animationRight : animationLeft;
        instanceLayer = level->GetLastLayer(Level::kScene, -1.0f, -1.0f);
        if (instanceLayer != nullptr)
            instance = instanceLayer->AddGraphicalObject(
                animation, player->GetPosition().x, player->GetPosition().y, false, 2);
    } else if (kind == kPickupCrossbow) {
        params[1] = 0;
        params[3] = 0;
        instanceLayer = level->GetFirstLayer(Level::kScene, -1.0f, -1.0f);
        if (oldCrossbow != nullptr && instanceLayer != nullptr) {
            const Point<float> centre = player->GetCenter();
            instance = instanceLayer->AddGraphicalObject(oldCrossbow,
                centre.x - static_cast<float>(oldCrossbow->GetSize().x / 2),
                centre.y - static_cast<float>(oldCrossbow->GetSize().y / 2), false, 2);
        }
    }
}

void BGEvent_PickupCinematic::Show()
{
    Player* player = ThePlayer();
    const Point<int> centre = player != nullptr
        ? Point<int>(static_cast<int>(player->GetCenter().x), static_cast<int>(player->GetCenter().y))
        : Point<int>(0, 0);
    if (kind == kPickupAnimation || kind == kPickupAnimationShort) {
        ++params[2];
        if (params[2] < (kind == kPickupAnimation ? 15 : 10))
            return;
        params[0] = 2;
        params[2] = 0;
        Point<int> top(0, 0);
        if (player != nullptr)
            top = Point<int>(
                static_cast<int>(player->GetPosition().x + static_cast<float>(player->GetSize().x) / 2),
                static_cast<int>(player->GetPosition().y));
        if (kind == kPickupAnimation)
            top.y -= 7;
        LaunchBurst(Point<int>(top.x + burstOffset.x, top.y + burstOffset.y));
    } else if (kind == kPickupCrossbow) {
        ShowCrossbow();
    } else if (kind == kPickupBurst) {
        LaunchBurst(Point<int>(centre.x + burstOffset.x, centre.y + burstOffset.y));
        params[0] = 3;
        params[2] = 0;
    } else if (kind == kPickupObjectAt || kind == kPickupObject) {
        // The interface's own cut-scene kinds have no sequence here: they
        // brighten at once rather than hold a waiting script for ever.
        params[0] = 3;
        params[2] = 0;
    }
    // Any other kind stays in this phase.
}

void BGEvent_PickupCinematic::ShowCrossbow()
{
    const int step = ++params[3];
    auto next = [this](int subPhase) {
        params[1] = subPhase;
        params[3] = 0;
    };
    switch (params[1]) {
    case 0:
        if (step >= 30)
            next(1);
        break;
    case 1:
        if (instance != nullptr)
            instance->SetPosition(instance->GetPosition().x, instance->GetPosition().y + 2.0f);
        if (step >= 48)
            next(2);
        break;
    case 2:
        if (step >= 15) {
            next(3);
            // The burst hides the change: without one the old crossbow stays.
            if (burst == nullptr)
                break;
            if (Player* player = ThePlayer())
                LaunchBurst(Point<int>(static_cast<int>(player->GetCenter().x) + burstOffset.x,
                    static_cast<int>(player->GetCenter().y) + burstOffset.y));
            if (newCrossbow != nullptr && instance != nullptr)
                instance->SetPrototype(newCrossbow);
        }
        break;
    case 3:
        if (step >= 60) {
            next(4);
            if (instance != nullptr)
                instance->SetEffect(new GE_Fade(30, false));
        }
        break;
    default:
        if (instance != nullptr)
            instance->SetPosition(instance->GetPosition().x, instance->GetPosition().y - 2.0f);
        if (step >= 48) {
            params[0] = 3;
            params[2] = 0;
            RemoveInstance();
        }
        break;
    }
}

void BGEvent_PickupCinematic::WaitForAnimation()
{
    GraphicalObject* shown = instance != nullptr ? instance->GetPrototype() : nullptr;
    if (shown == nullptr || shown->IsAnimationFinished()) {
        params[0] = 3;
        params[2] = 0;
        RemoveInstance();
    }
}

void BGEvent_PickupCinematic::Brighten()
{
    ++params[2];
    fade = kDarkFrames - params[2];
    if (params[2] >= kDarkFrames) {
        fade = 0;
        finished = true;
        // The cut-scene is over: no layer shows above the darkening any more.
        if (ScriptGameAccess* game = GetScriptGameAccess())
            game->ClearCinematicLayers();
    }
}
