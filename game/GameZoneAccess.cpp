// The game's side of what zones, points and spawners ask of it.
#include "game/GameZoneAccess.h"
#include "engine/sound/SoundEventsManager.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "script/BGEvent_DialogueManager.h"
#include "script/BGEvent_ShowText.h"
#include "script/NPC_Script.h"
#include "script/Script.h"
#include "ui/UI_Frame_Player.h"

#include <memory>

void GameZoneAccess::OpenMap()
{
    game.OpenOverlayScreen();
    game.overlaySource = 0;
    game.teleportMap.mapMode = 0;
    // The overlay holds the game like the menu does, but the sounds go on.
    game.menuFlag = true;
    if (SoundEventsManager* sounds = game.GetSoundEventsManager())
        sounds->ResumeAll();
}

void GameZoneAccess::DiscoverTeleport(const Level* level)
{
    const std::string name = level != nullptr ? level->GetName() : std::string();
    game.AddTeleport(name, name, level != nullptr ? level->GetMinimapPoint() : Point<int>(-1, -1));
    ShowText("DiscoverTeleport", "You discovered a new teleporter !", 30);
    game.IncrementGameScore(game.saveData);
    if (UI_Frame_Player* hud = game.GetHud())
        hud->ShowTeleportMessage();
}

void GameZoneAccess::ShowText(const std::string& eventName, const std::string& text, int ticks)
{
    Level* level = game.GetCurrentLevel();
    if (level == nullptr)
        return;
    // The level owns the event from here on.
    auto* event
        = static_cast<BGEvent_ShowText*>(level->AddBackgroundEvent(new BGEvent_ShowText(eventName, text)));
    if (event != nullptr)
        event->StartFor(ticks);
}

bool GameZoneAccess::ShowDialogue(Level& level, const std::string& eventName, const std::string& fileName)
{
    auto dialogue = std::make_unique<BGEvent_DialogueManager>(eventName);
    if (!BGEvent_DialogueManager::LoadFromFile(dialogue.get(), fileName, 0) || dialogue->GetLines().empty())
        return false;
    auto* queued = static_cast<BGEvent_DialogueManager*>(level.AddBackgroundEvent(dialogue.release()));
    if (queued != nullptr) {
        queued->Start();
        queued->CompleteLine(-1);
    }
    return true;
}

void GameZoneAccess::StartScript(Level& level, const std::string& scriptName, const std::string& text,
    const std::string& label, Placed* placed)
{
    auto* script = new Script(scriptName);
    level.AddBackgroundEvent(script);
    script->SetText(text);
    script->Start(label, placed);
}

CharacterObject* GameZoneAccess::CreateScriptCharacter(
    const std::string& name, const std::string& graphicName)
{
    auto* character = dynamic_cast<NPC_Script*>(game.CreateCharacterByClass(name, "NPC_Script", nullptr));
    if (character == nullptr || graphicName.empty())
        return character;
    std::unique_ptr<SceneObject> copy(Game::FindSceneObject(graphicName, true));
    if (auto* graphic = dynamic_cast<GraphicalObject*>(copy.get())) {
        copy.release();
        character->SetOwnedGraphical(std::unique_ptr<GraphicalObject>(graphic));
    }
    return character;
}

std::vector<GraphicalObject*> GameZoneAccess::CollectScriptGraphicals(const std::string& scriptText)
{
    return Script::CollectSetGraphicalObjects(scriptText);
}
