#include "zones/Zone_TriggerScript.h"

#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SceneObject.h"
#include "script/NPC_Script.h"
#include "script/Script.h"

#include <algorithm>
#include <memory>

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
            if (!graphicName.value.empty()) {
                std::unique_ptr<SceneObject> copy(Game::FindSceneObject(graphicName.value, true));
                if (auto* graphic = dynamic_cast<GraphicalObject*>(copy.get())) {
                    copy.release();
                    character->SetOwnedGraphical(std::unique_ptr<GraphicalObject>(graphic));
                }
            }
            const Point<int> at = Point<int>(x, y) + GetOffset();
            character->SetPosition(Point<float>(static_cast<float>(at.x), static_cast<float>(at.y)));
            character->SetSize(GetSize().x, GetSize().y);
        }
        // Queued for the render thread when it records, else loaded now.
        for (GraphicalObject* shown : Script::CollectSetGraphicalObjects(scriptText.value))
            GraphicalObject::LoadImages(shown, false);
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
    Level* level = game->GetCurrentLevel() != nullptr ? game->GetCurrentLevel() : placed->GetLevel();
    if (level == nullptr)
        return;
    auto* script = new Script(scriptName);
    level->AddBackgroundEvent(script);
    script->SetText(trigger->scriptText.value);
    script->Start(label, placed);
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
