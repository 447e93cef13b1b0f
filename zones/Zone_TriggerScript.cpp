#include "zones/Zone_TriggerScript.h"

#include "characters/CharacterObject.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "zones/ZoneGameAccess.h"

#include <algorithm>

bool Zone_TriggerScript::Instance::Serialize(std::ostream& os)
{
    std::replace(scriptText.value.begin(), scriptText.value.end(), '\n', ';');
    return ZoneInstance::Serialize(os);
}

void Zone_TriggerScript::Instance::Spawn(int x, int y, Level* spawnLevel)
{
    ZoneGameAccess* game = GetZoneGameAccess();
    if (spawnLevel != nullptr && pending && game != nullptr) {
        level = spawnLevel;
        character = game->CreateScriptCharacter(GetName(), graphicName.value);
        if (character != nullptr) {
            const Point<int> at = Point<int>(x, y) + GetOffset();
            character->SetPosition(Point<float>(static_cast<float>(at.x), static_cast<float>(at.y)));
            character->SetSize(GetSize().x, GetSize().y);
        }
        // The level loads them with its other objects.
        spawnLevel->AddScriptGraphicalObjects(game->CollectScriptGraphicals(scriptText.value));
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
    ZoneGameAccess* game = GetZoneGameAccess();
    auto* trigger = placed != nullptr ? dynamic_cast<Instance*>(placed->GetPayload()) : nullptr;
    if (game == nullptr || game->GetPlayer() == nullptr || trigger == nullptr || !trigger->IsEnabled())
        return;
    Level* level = game->GetCurrentLevel() != nullptr ? game->GetCurrentLevel() : placed->GetLevel();
    if (level == nullptr)
        return;
    game->StartScript(*level, scriptName, trigger->scriptText.value, label, placed);
}

bool Zone_TriggerScript::UpdatePlayerContact(Placed* placed)
{
    const bool result = GameplayObject_Zone::UpdatePlayerContact(placed);
    ZoneGameAccess* game = GetZoneGameAccess();
    auto* trigger = placed != nullptr ? dynamic_cast<Instance*>(placed->GetPayload()) : nullptr;
    if (game != nullptr && game->GetPlayer() != nullptr && trigger != nullptr && trigger->character != nullptr
        && trigger->character->WasHit())
        OnHit(placed);
    return result;
}
