#pragma once

#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneCharacter.h"
#include "scene/SceneGameAccess.h"
#include "scene/SceneObject.h"
#include "scene/Sprite.h"

#include <algorithm>
#include <string>
#include <vector>

// The game as the scene model sees it, for the scene's own tests: library
// tables the test fills (not owned), a camera, a current level and live
// characters. It is the installed scene access while it exists and puts back
// the one it found.
class SceneHost : public SceneGameAccess {
public:
    SceneHost()
        : previous(GetSceneGameAccess())
    {
        SetSceneGameAccess(this);
    }
    ~SceneHost() override { SetSceneGameAccess(previous); }
    SceneHost(const SceneHost&) = delete;
    SceneHost& operator=(const SceneHost&) = delete;

    Level* GetCurrentLevel() override { return currentLevel; }
    Point<float> GetCameraPosition() override { return cameraPosition; }
    bool IsFixedStepTick() override { return fixedStepTick; }
    DevConsole* GetConsole() override { return nullptr; }
    void RenderLoadingFrame() override { ++loadingFrames; }

    Sprite* FindSprite(const std::string& name) override { return Find(sprites, name); }
    AnimatedSprite* FindAnimatedSprite(const std::string& name) override
    {
        return Find(animatedSprites, name);
    }
    SceneObject* FindSceneObject(const std::string& name) override { return Find(sceneObjects, name); }
    GraphicalObject* FindGraphicalObject(const std::string& name) override
    {
        return dynamic_cast<GraphicalObject*>(FindSceneObject(name));
    }
    bool IsCharacterName(const std::string& name) override
    {
        return name.rfind("NPC", 0) == 0 || name.rfind("Proj", 0) == 0;
    }
    void AddCharacterPrototype(GraphicalObject* object) override { prototypes.push_back(object); }
    void RemoveCharacterPrototype(GraphicalObject* object) override { std::erase(prototypes, object); }

    size_t GetLiveCharacterCount() override { return liveCharacters.size(); }
    SceneCharacter* GetLiveCharacter(size_t index) override { return liveCharacters.at(index); }
    bool HasPlayer() override { return player != nullptr; }
    SceneCharacter* GetPlayerCharacter() override { return player; }
    void DrawPlayer(DXGraphicalSurface* target, Point<int> offset) override
    {
        if (player != nullptr)
            player->Draw(target, offset);
    }

    std::vector<Sprite*> sprites;
    std::vector<AnimatedSprite*> animatedSprites;
    std::vector<SceneObject*> sceneObjects;
    std::vector<GraphicalObject*> prototypes;
    std::vector<SceneCharacter*> liveCharacters;
    SceneCharacter* player = nullptr;
    Level* currentLevel = nullptr;
    Point<float> cameraPosition;
    bool fixedStepTick = false;
    int loadingFrames = 0;

private:
    template <class T> static T* Find(const std::vector<T*>& table, const std::string& name)
    {
        for (T* entry : table)
            if (entry != nullptr && entry->GetName() == name)
                return entry;
        return nullptr;
    }

    SceneGameAccess* previous;
};
