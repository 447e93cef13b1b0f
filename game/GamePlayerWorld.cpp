#include "game/GamePlayerWorld.h"

#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "engine/sound/MusicLibrary.h"
#include "game/AchievementManager.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"

#include <chrono>

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
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

int GamePlayerWorld::GetSaveSlot()
{
    return game.currentSaveSlot;
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

void GamePlayerWorld::ResetMusicPositions()
{
    game.GetMusicLibrary()->ResetResumePositions();
}

std::string GamePlayerWorld::GetUserPath()
{
    return ::GetUserPath();
}
