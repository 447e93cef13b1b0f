#include "enemies/NPC_Fire_Launcher.h"

#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Fire_Launcher.h"

void Zone_NPCSpawner_Fire_Launcher::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Fire_Launcher>(
        *this, x, y, {"NPC_Fire_Launcher"}, [&](NPC_Fire_Launcher& launcher) {
            launcher.SetDirection(Point<float>(1.0f, 0.0f));
            launcher.leftX = x;
            launcher.rightX = x + GetSize().x;
        });
}
