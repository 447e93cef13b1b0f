#include "zones/Zone_NPCSpawner_Thrower.h"

#include "scene/GraphicalObject.h"
#include "scene/SceneGameAccess.h"

// A placement is as large as the thrower's idle picture, once the game has it.
Zone_NPCSpawner_Thrower::Instance::Instance()
{
    SceneGameAccess* game = GetSceneGameAccess();
    auto* idle = game != nullptr ? dynamic_cast<GraphicalObject*>(game->FindSceneObject("NPC_Thrower_Idle"))
                                 : nullptr;
    if (idle != nullptr)
        size = PointSerialize<int>(idle->GetSize());
}
