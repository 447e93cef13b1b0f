#include "bosses/NPC_Boss_Ultimate.h"

#include "game/Game.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Ultimate.h"

#include <utility>
#include <vector>

void Zone_NPCSpawner_Boss_Ultimate::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!IsPending())
        return;
    Game* game = Game::GetInstance();
    if (game == nullptr) {
        TakePendingSpawn();
        return;
    }
    // The two cells stand where the characters of their names stand; the
    // body at the zone.
    for (const auto& [cell, state] : {std::pair<const char*, int>("cell_etape_1", 0), {"cell_etape_2", 4}}) {
        const std::vector<CharacterObject*> places = game->FindCharactersByName(cell, nullptr, false);
        for (CharacterObject* place : places) {
            auto* role = dynamic_cast<NPC_Boss_Ultimate*>(
                game->CreateCharacterByClass("NPC_Boss_Ultimate", "NPC_Boss_Ultimate", nullptr));
            if (role == nullptr) {
                NPCSpawner::ReportNothingMade(*this);
                continue;
            }
            role->SetState(state);
            role->SetPosition(place->GetPosition());
            role->SetName(cell);
        }
    }
    NPCSpawner::Spawn<NPC_Boss_Ultimate>(
        *this, x, y, {"NPC_Boss_Ultimate"}, [](NPC_Boss_Ultimate& body) { body.SetState(8); });
}
