// The game's side of what characters and particle systems ask of it.
#include "game/GameCharacterAccess.h"
#include "characters/ParticleSystem.h"
#include "characters/Player.h"
#include "characters/PlayerModifier.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "script/BGEvent_WaitMessage.h"
#include "script/BackgroundEvent.h"

CharacterObject* GameCharacterAccess::GetPlayer()
{
    return game.GetPlayer();
}

PlayerCrossbowState GameCharacterAccess::GetPlayerCrossbow()
{
    PlayerCrossbowState result;
    if (PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(game.GetPlayer())) {
        result.exists = true;
        result.enabled = crossbow->IsEnabled();
        result.boltsLeft = crossbow->boltsLeft;
        result.capacity = crossbow->boltCapacity;
    }
    return result;
}

void GameCharacterAccess::AddBackgroundEvent(BackgroundEvent* event)
{
    // Without a level the event has nowhere to run.
    if (Level* level = game.GetCurrentLevel())
        level->AddBackgroundEvent(event);
    else
        delete event;
}

void GameCharacterAccess::GetParticleLayers(Layer*& front, Layer*& back)
{
    Level* level = game.GetCurrentLevel();
    front = level ? level->GetFirstLayer(Level::kScene, -1.0f, -1.0f) : nullptr;
    back = level ? level->GetLastLayer(Level::kScene, -1.0f, -1.0f) : nullptr;
}

void GameCharacterAccess::AddParticleSystem(Layer* layer, ParticleSystem* system)
{
    if (layer != nullptr)
        layer->AddParticleSystem(std::unique_ptr<ParticleSystem>(system));
    else
        delete system;
}

void GameCharacterAccess::RequestSlowMotion(int budget, int step)
{
    game.slowMotionBudget = budget;
    game.slowMotionStep = step;
    // The world update runs on these two: the skip counter holds the world
    // still for step frames, the steps count the slowed updates left.
    game.slowMotionSteps = budget;
    game.slowMotionSkip = step;
}

Layer* GameCharacterAccess::FindSceneLayer(const std::string& layerName)
{
    Level* level = game.GetCurrentLevel();
    return level != nullptr ? level->GetLayer(Level::kScene, layerName) : nullptr;
}

void GameCharacterAccess::BroadcastMessage(const std::string& message)
{
    BGEvent_WaitMessage::Broadcast(message);
}
