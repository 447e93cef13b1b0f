#include "game/Game.h"

#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneObject.h"
#include "scene/Sprite.h"

namespace {

Game* g_game = nullptr;

template <class T> T* FindByName(const std::vector<T*>& table, const std::string& name)
{
    for (T* entry : table) {
        if (entry != nullptr && entry->GetName() == name)
            return entry;
    }
    return nullptr;
}

} // namespace

bool Game::IsCharacterName(const std::string& name)
{
    return name.rfind("NPC", 0) == 0 || name.rfind("Proj", 0) == 0;
}

Game::Game()
{
    g_game = this;
    SetRenderGameAccess(this);
}

Game::~Game()
{
    if (GetRenderGameAccess() == this)
        SetRenderGameAccess(nullptr);
    if (g_game == this)
        g_game = nullptr;
}

Game* Game::GetInstance()
{
    return g_game;
}

Sprite* Game::FindSprite(const std::string& name)
{
    return g_game ? FindByName(g_game->sprites, name) : nullptr;
}

AnimatedSprite* Game::FindAnimatedSprite(const std::string& name)
{
    return g_game ? FindByName(g_game->animatedSprites, name) : nullptr;
}

GraphicalObject* Game::FindCharacterPrototype(const std::string& name, bool clone)
{
    if (g_game == nullptr || !IsCharacterName(name))
        return nullptr;
    GraphicalObject* found = FindByName(g_game->characterPrototypes, name);
    if (found != nullptr && clone)
        return static_cast<GraphicalObject*>(found->Clone(true));
    return found;
}

SceneObject* Game::FindSceneObject(const std::string& name, bool clone)
{
    if (g_game == nullptr)
        return nullptr;
    if (GraphicalObject* prototype = FindCharacterPrototype(name, clone))
        return prototype;
    SceneObject* found = FindByName(g_game->sceneObjects, name);
    if (found != nullptr && clone)
        return found->Clone(true);
    return found;
}

GraphicalObject* Game::FindGraphicalObject(const std::string& name, bool clone)
{
    if (GraphicalObject* prototype = FindCharacterPrototype(name, clone))
        return prototype;
    for (SceneObject* object : sceneObjects) {
        auto* graphical = dynamic_cast<GraphicalObject*>(object);
        if (graphical != nullptr && graphical->GetName() == name)
            return clone ? static_cast<GraphicalObject*>(graphical->Clone(true)) : graphical;
    }
    return nullptr;
}

void Game::AddCharacterPrototype(GraphicalObject* object)
{
    if (g_game != nullptr && object != nullptr)
        g_game->characterPrototypes.push_back(object);
}

void Game::RemoveCharacterPrototype(GraphicalObject* object)
{
    // Every entry: an object read twice was listed twice.
    if (g_game != nullptr)
        std::erase(g_game->characterPrototypes, object);
}

void Game::Render(bool)
{
}

RenderGameState Game::GetRenderState()
{
    RenderGameState state;
    state.fixedStepTick = fixedStepTick != 0;
    state.secondStateFlag = secondStateFlag != 0;
    state.frameAdvance = frameAdvance;
    state.cameraWorld = cameraPosition.ToInt();
    state.displayScaleMode = displayScaleMode;
    state.linearFilter = linearFilter;
    return state;
}
