#pragma once

#include "characters/CharacterGameAccess.h"
#include "game/Game.h"

#include <string>

// What the characters and particle systems ask of the game, answered from the
// game that owns it.
class GameCharacterAccess : public CharacterGameAccess {
public:
    explicit GameCharacterAccess(Game& owner)
        : game(owner)
    {
    }
    CharacterObject* GetPlayer() override;
    PlayerCrossbowState GetPlayerCrossbow() override;
    bool HasLevel() override { return game.GetCurrentLevel() != nullptr; }
    void AddBackgroundEvent(BackgroundEvent* event) override;
    void GetParticleLayers(Layer*& front, Layer*& back) override;
    void AddParticleSystem(Layer* layer, ParticleSystem* system) override;
    void RequestSlowMotion(int budget, int step) override;
    void BroadcastMessage(const std::string& message) override;
    GraphicalObject* FindGraphicalObject(const std::string& name) override
    {
        return game.FindGraphicalObject(name, false);
    }
    LocalParticleSystem* FindLocalParticleSystem(const std::string& name) override
    {
        return Game::FindLocalParticleSystem(name);
    }
    bool IsParticleLinkName(const std::string& name) override { return Game::IsParticleLinkName(name); }
    CharacterObject* CreateCharacter(const std::string& className) override
    {
        return game.CreateCharacterByClass(className, className, nullptr);
    }
    bool DeleteCharacter(CharacterObject* character) override
    {
        game.DeleteCharacter(character);
        return true;
    }
    GraphicalObject* CloneGraphicalObject(const std::string& name) override
    {
        return game.FindGraphicalObject(name, true);
    }
    SceneObject* CreateSceneObject(
        const std::string& name, const std::string& classKey, const std::string& category) override
    {
        return game.CreateSceneObjectByClass(name, classKey, category);
    }
    CharacterObject* FindCharacterByName(const std::string& name, const CharacterObject* leaveOut) override
    {
        return game.FindCharacterByName(name, leaveOut);
    }
    std::vector<CharacterObject*> FindCharactersByName(
        const std::string& name, const CharacterObject* leaveOut, bool skipDead) override
    {
        return game.FindCharactersByName(name, leaveOut, skipDead);
    }
    bool IsLiveCharacter(const CharacterObject* character, const std::string& name) override
    {
        return game.IsLiveCharacter(character, name);
    }
    std::vector<GraphicalObject*> FindCharacterPrototypes(const std::string& text) override
    {
        return Game::FindCharacterPrototypes(text, false);
    }
    Layer* FindSceneLayer(const std::string& layerName) override;
    CharacterObject* CreateCharacterNamed(
        const std::string& objectName, const std::string& className, CharacterObject* before) override
    {
        return game.CreateCharacterByClass(objectName, className, before);
    }
    Point<float> GetCameraPosition() override { return Point<float>(game.camera.GetX(), game.camera.GetY()); }
    void SetGameplayPaused(bool paused) override { game.gameplayPaused = paused; }
    Camera* GetCamera() override { return &game.camera; }

private:
    Game& game;
};
