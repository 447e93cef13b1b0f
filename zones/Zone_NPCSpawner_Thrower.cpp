#include "zones/Zone_NPCSpawner_Thrower.h"

#include "game/Game.h"
#include "scene/GraphicalObject.h"

// A placement is as large as the thrower's idle picture, once the game has it.
Zone_NPCSpawner_Thrower::Instance::Instance()
{
    auto* idle = dynamic_cast<GraphicalObject*>(Game::FindSceneObject("NPC_Thrower_Idle", false));
    if (Game::GetInstance() != nullptr && idle != nullptr)
        size = PointSerialize<int>(idle->GetSize());
}
