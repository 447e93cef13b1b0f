#include "game/GamePlayerWorld.h"

#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "engine/sound/MusicLibrary.h"
#include "game/AchievementManager.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "scene/SpacialInstance.h"

#include <vector>

GraphicalObject* GamePlayerWorld::CloneGraphical(const std::string& name)
{
    return dynamic_cast<GraphicalObject*>(Game::FindSceneObject(name, true));
}

GraphicalObject* GamePlayerWorld::FindGraphical(const std::string& name)
{
    return game.FindGraphicalObject(name, false);
}

Player* GamePlayerWorld::GetPlayer()
{
    return game.GetPlayer();
}

bool GamePlayerWorld::HasLevel()
{
    return game.GetCurrentLevel() != nullptr;
}

std::string GamePlayerWorld::GetLevelName()
{
    return game.GetCurrentLevel() != nullptr ? game.GetCurrentLevel()->GetName() : std::string();
}

Point<int> GamePlayerWorld::GetMinimapCell()
{
    return game.minimapModel != nullptr ? game.minimapModel->GetCurrentLocation() : Point<int>(-1, -1);
}

Level* GamePlayerWorld::GetLevel()
{
    return game.GetCurrentLevel();
}

uint32_t GamePlayerWorld::GetPlayTime()
{
    return game.saveData.GetPlayTime();
}

void GamePlayerWorld::SetPlayTime(uint32_t ms)
{
    game.saveData.SetPlayTime(ms);
}

bool GamePlayerWorld::IsGodMode()
{
    return game.godMode;
}

int GamePlayerWorld::GetLogPlayer()
{
    return game.playerLogSetting;
}

PlayerCollisions* GamePlayerWorld::GetCollisions()
{
    Level* level = game.GetCurrentLevel();
    Layer* layer = level != nullptr ? level->GetLayer(Level::kScene, "Collisions") : nullptr;
    if (layer == nullptr)
        return nullptr;
    if (collisions == nullptr || collisions->GetLayer() != layer)
        collisions = std::make_unique<PlayerLayerCollisions>(layer);
    return collisions.get();
}

namespace {

// Water and lava are the objects the armors swap: water links to ice (its
// own kind 3 or more), lava to frozen lava.
bool IsWater(Layer::Instance* instance)
{
    GraphicalObject* object = instance != nullptr ? instance->GetPrototype() : nullptr;
    GraphicalObject* linked = object != nullptr ? object->GetReplacement() : nullptr;
    return object != nullptr && object->GetReplacementKind() > 0 && linked != nullptr
        && linked->GetReplacementKind() >= 3;
}

// Water tiles stacked over one another make one column; a guard against a
// degenerate level.
constexpr int kMaxWaterTiles = 256;

// The layers that hold the level's water and lava: the active ones of the
// foreground and scene lists that scroll with the scene, in list order.
std::vector<Layer*> LiquidLayers(Level* level)
{
    std::vector<Layer*> layers;
    for (int list : {Level::kForeground, Level::kScene}) {
        for (int i = 0; level != nullptr && i < level->GetLayerCount(list); ++i) {
            Layer* layer = level->GetLayerAt(list, i);
            if (layer != nullptr && layer->GetDrawPlacedInstances()
                && layer->GetScrollFactor() == Point<float>(1.0f, 1.0f))
                layers.push_back(layer);
        }
    }
    return layers;
}

} // namespace

bool GamePlayerWorld::GetWaterSurface(Point<int> point, int* surface)
{
    if (surface == nullptr)
        return false;
    for (Layer* layer : LiquidLayers(game.GetCurrentLevel())) {
        Layer::Instance* instance = layer->GetInstanceAt(point, true);
        if (!IsWater(instance))
            continue;
        int top = static_cast<int>(instance->GetPosition().y) + instance->GetSize().y;
        for (int tile = 0; tile < kMaxWaterTiles; ++tile) {
            Layer::Instance* above = layer->GetInstanceAt(Point<int>(point.x, top), true);
            if (!IsWater(above))
                break;
            const int next = static_cast<int>(above->GetPosition().y) + above->GetSize().y;
            if (next <= top)
                break;
            top = next;
        }
        *surface = top;
        return true;
    }
    return false;
}

PlayerLiquid GamePlayerWorld::GetLiquidAt(Point<int> point)
{
    bool fall = false;
    for (Layer* layer : LiquidLayers(game.GetCurrentLevel())) {
        Layer::Instance* instance = layer->GetInstanceAt(point, true);
        GraphicalObject* object = instance != nullptr ? instance->GetPrototype() : nullptr;
        if (object == nullptr)
            continue;
        const std::string name = object->GetName();
        if (name.find("fall") != std::string::npos || name.find("splash") != std::string::npos) {
            fall = true;
            continue;
        }
        if (object->GetReplacementKind() <= 0 || object->GetReplacement() == nullptr)
            continue;
        if (IsWater(instance))
            return PlayerLiquid::Water;
        return instance->IsVisible() ? PlayerLiquid::Lava : PlayerLiquid::LavaFrozen;
    }
    return fall ? PlayerLiquid::WaterFall : PlayerLiquid::None;
}

size_t GamePlayerWorld::GetCharacterCount()
{
    return game.GetCharacterCount();
}

CharacterObject* GamePlayerWorld::GetCharacter(size_t index)
{
    return game.GetCharacter(index);
}

CharacterObject* GamePlayerWorld::CreateCharacter(const std::string& classKey)
{
    return game.CreateCharacterByClass(classKey, classKey, nullptr);
}

double GamePlayerWorld::GetTimeMs()
{
    return game.GetGameTimeMs();
}

bool GamePlayerWorld::IsGameplayPaused()
{
    return game.gameplayPaused;
}

int GamePlayerWorld::GetSaveSlot()
{
    return game.currentSaveSlot;
}

bool GamePlayerWorld::IsArrivalFadeRunning()
{
    return game.secondTransitionCounter != -1;
}

void GamePlayerWorld::CountAchievement(const std::string& name)
{
    Achievement* a = game.GetAchievements().FindByName(name);
    if (a != nullptr && a->GetCurrent() != a->GetTarget())
        a->SetCurrent(a->GetCurrent() + 1);
}

void GamePlayerWorld::ResetAchievement(const std::string& name)
{
    Achievement* a = game.GetAchievements().FindByName(name);
    if (a != nullptr && a->GetCurrent() != a->GetTarget())
        a->SetCurrent(0);
}

void GamePlayerWorld::RaiseAchievementTo(const std::string& name, int value)
{
    Achievement* a = game.GetAchievements().FindByName(name);
    if (a != nullptr && a->GetCurrent() != a->GetTarget())
        a->SetCurrent(std::min(value, a->GetTarget()));
}

void GamePlayerWorld::AddDebugMessage(const std::string& text)
{
    // Alpha 255, red 100, green 10, blue 5, for 10 units of the console.
    game.console.AddDebugMessage(false, text, 0xFF640A05u, 10.0);
}

void GamePlayerWorld::ProfileSection(const std::string& label)
{
    TimeSection(game.console.profileTimers, label, game.fixedStepTick != 0);
}

void GamePlayerWorld::ResetMusicPositions()
{
    game.GetMusicLibrary()->ResetResumePositions();
}

std::string GamePlayerWorld::GetUserPath()
{
    return ::GetUserPath();
}
