#include "bosses/NPC_Boss2_Underwater.h"

#include "game/Game.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Underwater.h"

void Zone_NPCSpawner_Boss2_Underwater::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // The boss keeps its class name; the first one made leads.
    NPCSpawner::Spawn<NPC_Boss2_Underwater>(
        *this, x, y, {"NPC_Boss2_Underwater", NPCSpawner::Naming::ClassName}, [](NPC_Boss2_Underwater& boss) {
            Game* game = Game::GetInstance();
            if (game != nullptr)
                boss.leader = game->FindCharactersByName("NPC_Boss2_Underwater_0", nullptr, false).empty();
        });
}
