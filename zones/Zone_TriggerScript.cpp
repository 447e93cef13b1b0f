#include "zones/Zone_TriggerScript.h"

#include "game/Game.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "script/NPC_Script.h"

#include <algorithm>

bool Zone_TriggerScript::Instance::Serialize(std::ostream& os)
{
    std::replace(scriptText.value.begin(), scriptText.value.end(), '\n', ';');
    return ZoneInstance::Serialize(os);
}

void Zone_TriggerScript::Instance::Spawn(int x, int y, Level* spawnLevel)
{
    Game* game = Game::GetInstance();
    if (spawnLevel != nullptr && pending && game != nullptr) {
        level = spawnLevel;
        character = dynamic_cast<NPC_Script*>(game->CreateCharacterByClass(GetName(), "NPC_Script", nullptr));
        if (character != nullptr) {
            const Point<int> at = Point<int>(x, y) + GetOffset();
            character->SetPosition(Point<float>(static_cast<float>(at.x), static_cast<float>(at.y)));
            character->SetSize(GetSize().x, GetSize().y);
        }
    }
    pending = false;
}

void Zone_TriggerScript::Instance::UpdateScriptObject()
{
    if (character == nullptr || level == nullptr)
        return;
    Layer* collisions = level->GetLayer(Level::kScene, "Collisions");
    if (collisions == nullptr)
        return;
    if (collisionCopy != nullptr)
        collisions->DeleteInstance(collisionCopy);
    collisionCopy = nullptr;
    if (GraphicalObject* graphic = character->GetCurrentGraphical()) {
        const Point<float> at = character->GetPosition();
        collisionCopy = collisions->AddGraphicalObject(graphic, at.x, at.y, true, -1);
    }
}

void Zone_TriggerScript::StartScript(Placed* placed, const std::string& scriptName, const std::string& label)
{
    Game* game = Game::GetInstance();
    auto* trigger = placed != nullptr ? dynamic_cast<Instance*>(placed->GetPayload()) : nullptr;
    if (game == nullptr || game->GetPlayer() == nullptr || trigger == nullptr || !trigger->IsEnabled())
        return;
    std::string text = trigger->scriptText.value;
    std::replace(text.begin(), text.end(), ';', '\n');
    trigger->startedScripts.push_back(StartedScript {scriptName, label, std::move(text), placed});
}

bool Zone_TriggerScript::UpdatePlayerContact(Placed* placed)
{
    const bool result = GameplayObject_Zone::UpdatePlayerContact(placed);
    Game* game = Game::GetInstance();
    auto* trigger = placed != nullptr ? dynamic_cast<Instance*>(placed->GetPayload()) : nullptr;
    if (game != nullptr && game->GetPlayer() != nullptr && trigger != nullptr && trigger->character != nullptr
        && trigger->character->WasHit())
        OnHit(placed);
    return result;
}
