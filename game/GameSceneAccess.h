#pragma once

#include "game/Game.h"
#include "scene/SceneGameAccess.h"

#include <string>

// What the scene model asks of the game, answered from the game that owns it.
class GameSceneAccess : public SceneGameAccess {
public:
    explicit GameSceneAccess(Game& owner)
        : game(owner)
    {
    }
    Level* GetCurrentLevel() override { return game.GetCurrentLevel(); }
    Point<float> GetCameraPosition() override { return game.cameraPosition; }
    bool IsFixedStepTick() override { return game.fixedStepTick != 0; }
    DevConsole* GetConsole() override { return game.GetConsole(); }
    void RenderLoadingFrame() override { game.Render(false); }
    Sprite* FindSprite(const std::string& name) override { return Game::FindSprite(name); }
    AnimatedSprite* FindAnimatedSprite(const std::string& name) override
    {
        return Game::FindAnimatedSprite(name);
    }
    SceneObject* FindSceneObject(const std::string& name) override
    {
        return Game::FindSceneObject(name, false);
    }
    GraphicalObject* FindGraphicalObject(const std::string& name) override
    {
        return game.FindGraphicalObject(name, false);
    }
    bool IsCharacterName(const std::string& name) override { return Game::IsCharacterName(name); }
    void AddCharacterPrototype(GraphicalObject* object) override { Game::AddCharacterPrototype(object); }
    void RemoveCharacterPrototype(GraphicalObject* object) override
    {
        Game::RemoveCharacterPrototype(object);
    }
    size_t GetLiveCharacterCount() override { return game.liveCharacters.size(); }
    SceneCharacter* GetLiveCharacter(size_t index) override;
    bool HasPlayer() override { return game.GetPlayer() != nullptr; }
    SceneCharacter* GetPlayerCharacter() override;
    void DrawPlayer(DXGraphicalSurface* target, Point<int> offset) override;
    void PlacePlayerAtSavedPosition() override;
    // The layers the cut-scene shows, and its kind as the capture state.
    bool IsCapturedLayer(const Layer* layer) override;
    int GetCaptureState() override { return game.pickupCinematicKind; }
    void DrawPlayerFireflies(DXGraphicalSurface* target, Point<int> offset) override;
    int GetFireflyOverrideIndex() override { return game.fireflyOverrideIndex; }

private:
    Game& game;
};
