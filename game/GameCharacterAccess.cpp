// The game's side of what characters and particle systems ask of it.
#include "characters/ParticleSystem.h"
#include "characters/Player.h"
#include "game/Game.h"
#include "script/BackgroundEvent.h"

CharacterObject* Game::CharacterAccess::GetPlayer()
{
    return game.GetPlayer();
}

PlayerCrossbowState Game::CharacterAccess::GetPlayerCrossbow()
{
    // The player's crossbow modifier (bolts and capacity) is not built yet:
    // no crossbow, so no dying character drops bolts.
    return PlayerCrossbowState {};
}

void Game::CharacterAccess::AddBackgroundEvent(BackgroundEvent* event)
{
    // The level's event queue comes with the level; until then an event has
    // nowhere to run.
    delete event;
}

void Game::CharacterAccess::GetParticleLayers(Layer*& front, Layer*& back)
{
    // The level's layers come with the level.
    front = nullptr;
    back = nullptr;
}

void Game::CharacterAccess::AddParticleSystem(Layer* /*layer*/, ParticleSystem* system)
{
    delete system;
}

void Game::CharacterAccess::RequestSlowMotion(int budget, int step)
{
    game.slowMotionBudget = budget;
    game.slowMotionStep = step;
}

void Game::CharacterAccess::BroadcastMessage(const std::string& /*message*/)
{
    // Scripts waiting for messages come with the script runner.
}
