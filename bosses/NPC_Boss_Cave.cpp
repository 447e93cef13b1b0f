#include "bosses/NPC_Boss_Cave.h"

#include "game/Game.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Cave.h"

#include <string>

// Roles 0 and 1 make a head (turned right or left) numbered after the heads
// already there and owned by the manager; role 2 makes the manager, which
// adopts the heads spawned before it.
void Zone_NPCSpawner_Boss_Cave::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!TakePendingSpawn())
        return;
    Game* game = Game::GetInstance();
    CharacterObject* created = NPCSpawner::Create("NPC_Boss_Cave", *this, true);
    if (game == nullptr || created == nullptr)
        return;
    // The heads already there, and the highest number among them.
    int highest = 0;
    CharacterObject* heads[3] = {};
    for (int n = 1; n <= 3; ++n) {
        heads[n - 1] = game->FindCharacterByName("NPC_Boss_Cave__HEAD" + std::to_string(n), nullptr);
        if (heads[n - 1] != nullptr)
            highest = n;
    }
    auto* boss = dynamic_cast<NPC_Boss_Cave*>(created);
    if (boss == nullptr)
        return;
    boss->SetPosition(NPCSpawner::SpawnPoint(*this, x, y));
    if (HeadRole.value == 0)
        boss->SetDirection(Point<float>(1.0f, 1.0f));
    else if (HeadRole.value == 1)
        boss->SetDirection(Point<float>(-1.0f, 1.0f));
    if (HeadRole.value != 2) {
        boss->SetName(
            "NPC_Boss_Cave__HEAD" + (highest < 3 ? std::to_string(highest + 1) : std::string("(UNKNOW)")));
        boss->SetOwner(game->FindCharacterByName("NPC_Boss_Cave__HEADS_MANAGER", nullptr));
        return;
    }
    boss->SetName("NPC_Boss_Cave__HEADS_MANAGER");
    boss->SetLife(3);
    boss->SetDirection(Point<float>(0.0f, 0.0f));
    for (CharacterObject* head : heads)
        if (head != nullptr)
            head->SetOwner(boss);
}
