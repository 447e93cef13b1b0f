#include "bosses/NPC_Boss2_Bibli.h"
#include "bosses/NPC_Boss2_Boat.h"
#include "bosses/NPC_Boss2_Cave.h"
#include "bosses/NPC_Boss2_Garden.h"
#include "bosses/NPC_Boss2_Snow.h"
#include "bosses/NPC_Boss2_Underwater.h"
#include "bosses/NPC_Boss_Bibli.h"
#include "bosses/NPC_Boss_Boat.h"
#include "bosses/NPC_Boss_Cave.h"
#include "bosses/NPC_Boss_Final.h"
#include "bosses/NPC_Boss_Garden.h"
#include "bosses/NPC_Boss_Snow.h"
#include "bosses/NPC_Boss_Ultimate.h"
#include "bosses/NPC_Boss_Underwater.h"
#include "bosses/NPC_MiniBoss_Bibli.h"
#include "bosses/NPC_MiniBoss_Boat.h"
#include "bosses/NPC_MiniBoss_Cave.h"
#include "bosses/NPC_MiniBoss_FloatingSkull.h"
#include "bosses/NPC_MiniBoss_Garden.h"
#include "bosses/NPC_MiniBoss_Snow.h"
#include "bosses/NPC_MiniBoss_Underwater.h"
#include "characters/CharacterObject.h"
#include "game/Game.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Bibli.h"
#include "zones/Zone_NPCSpawner_Boss2_Boat.h"
#include "zones/Zone_NPCSpawner_Boss2_Cave.h"
#include "zones/Zone_NPCSpawner_Boss2_Garden.h"
#include "zones/Zone_NPCSpawner_Boss2_Snow.h"
#include "zones/Zone_NPCSpawner_Boss2_Underwater.h"
#include "zones/Zone_NPCSpawner_Boss_Bibli.h"
#include "zones/Zone_NPCSpawner_Boss_Boat.h"
#include "zones/Zone_NPCSpawner_Boss_Cave.h"
#include "zones/Zone_NPCSpawner_Boss_Final.h"
#include "zones/Zone_NPCSpawner_Boss_Garden.h"
#include "zones/Zone_NPCSpawner_Boss_Snow.h"
#include "zones/Zone_NPCSpawner_Boss_Ultimate.h"
#include "zones/Zone_NPCSpawner_Boss_Underwater.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Bibli.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Boat.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Cave.h"
#include "zones/Zone_NPCSpawner_MiniBoss_FloatingSkull.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Garden.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Snow.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Underwater.h"
#include <utility>
#include <vector>

// The spawns of the boss and mini-boss spawner zones: each creates its boss,
// places and names it and hands it what the placement carries (rectangles,
// reference points, states, parts, owners).

namespace {

template <class T>
T* Standard(const ZoneInstance& instance, int x, int y, const std::string& className, bool takeName = true)
{
    CharacterObject* created = NPCSpawner::Create(className, instance, takeName);
    auto* character = dynamic_cast<T*>(created);
    if (character != nullptr)
        character->SetPosition(NPCSpawner::SpawnPoint(instance, x, y));
    else if (created != nullptr)
        NPCSpawner::ReportNothingMade(instance);
    return character;
}

// A boss that takes the placement's name after it is placed, also when the
// name is "" (it then has no name at all).
template <class T>
T* NamedAfterPlacing(const ZoneInstance& instance, int x, int y, const std::string& className)
{
    T* boss = Standard<T>(instance, x, y, className, false);
    if (boss != nullptr)
        boss->SetName(instance.GetName());
    return boss;
}

// A boss that takes the placement's name after it is placed, when it has one.
template <class T> T* NamedWhenNamed(const ZoneInstance& instance, int x, int y, const std::string& className)
{
    T* boss = Standard<T>(instance, x, y, className, false);
    if (boss != nullptr && !instance.GetName().empty())
        boss->SetName(instance.GetName());
    return boss;
}

} // namespace

void Zone_NPCSpawner_MiniBoss_Bibli::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* boss = NamedWhenNamed<NPC_MiniBoss_Bibli>(*this, x, y, "NPC_MiniBoss_Bibli")) {
            // Centred over the zone by the width the boss shows.
            const float shift = static_cast<float>(GetSize().x - boss->GetSize().x) * 0.5f;
            boss->SetPosition(NPCSpawner::SpawnPoint(*this, x, y) + Point<float>(shift, 0.0f));
            boss->rect = NPCSpawner::MakeRects(x, y, GetSize()).Rm;
        }
    }
    pending = false;
}

void Zone_NPCSpawner_MiniBoss_FloatingSkull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // The mini-boss starts at its first destination in the zone, moved by
    // the offset.
    if (pending) {
        if (auto* boss = Standard<NPC_MiniBoss_FloatingSkull>(*this, x, y, "NPC_MiniBoss_FloatingSkull")) {
            boss->roamingRect = NPCSpawner::MakeRects(x, y, GetSize()).R;
            boss->PickRandomDestination();
            const Point<int> at = GetOffset() + boss->GetDestination();
            boss->SetPosition(Point<float>(static_cast<float>(at.x), static_cast<float>(at.y)));
            boss->childCount = ChildCount.value;
        }
    }
    pending = false;
}

void Zone_NPCSpawner_MiniBoss_Garden::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* boss = NamedWhenNamed<NPC_MiniBoss_Garden>(*this, x, y, "NPC_MiniBoss_Garden"))
            boss->rect = NPCSpawner::MakeRects(x, y, GetSize()).R;
    }
    pending = false;
}

void Zone_NPCSpawner_MiniBoss_Underwater::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* boss = NamedWhenNamed<NPC_MiniBoss_Underwater>(*this, x, y, "NPC_MiniBoss_Underwater"))
            boss->rect = NPCSpawner::MakeRects(x, y, GetSize()).R;
    }
    pending = false;
}

void Zone_NPCSpawner_Boss_Garden::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* boss = Standard<NPC_Boss_Garden>(*this, x, y, "NPC_Boss_Garden")) {
            boss->SetPosition(NPCSpawner::SpawnPoint(*this, x, y) + Point<float>(0.0f, 1024.0f));
            boss->referencePoint = GetOffset() + Point<int>(x, y);
            boss->SetState(0);
            boss->BuildParts();
        }
    }
    pending = false;
}

void Zone_NPCSpawner_Boss_Cave::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!pending)
        return;
    pending = false;
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
    // The manager adopts the heads spawned before it.
    boss->SetName("NPC_Boss_Cave__HEADS_MANAGER");
    boss->SetLife(3);
    boss->SetDirection(Point<float>(0.0f, 0.0f));
    for (CharacterObject* head : heads)
        if (head != nullptr)
            head->SetOwner(boss);
}

void Zone_NPCSpawner_Boss_Final::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        NamedAfterPlacing<NPC_Boss_Final>(*this, x, y, "NPC_Boss_Final");
    pending = false;
}

void Zone_NPCSpawner_Boss_Ultimate::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!pending)
        return;
    pending = false;
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return;
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
    if (auto* body = Standard<NPC_Boss_Ultimate>(*this, x, y, "NPC_Boss_Ultimate"))
        body->SetState(8);
}

void Zone_NPCSpawner_Boss_Boat::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* boss = Standard<NPC_Boss_Boat>(*this, x, y, "NPC_Boss_Boat"))
            boss->SetName(GetName());
    }
    pending = false;
}

void Zone_NPCSpawner_Boss2_Bibli::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        NamedAfterPlacing<NPC_Boss2_Bibli>(*this, x, y, "NPC_Boss2_Bibli");
    pending = false;
}

void Zone_NPCSpawner_Boss2_Boat::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* boss = NamedAfterPlacing<NPC_Boss2_Boat>(*this, x, y, "NPC_Boss2_Boat"))
            boss->LaunchProjectiles();
    }
    pending = false;
}

void Zone_NPCSpawner_Boss2_Cave::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        NamedWhenNamed<NPC_Boss2_Cave>(*this, x, y, "NPC_Boss2_Cave");
    pending = false;
}

void Zone_NPCSpawner_Boss2_Garden::Instance::Spawn(int x, int y, Level* level)
{
    if (pending) {
        std::vector<Point<int>>& points = NPC_Boss2_Garden::SpawnPoints();
        points.clear();
        if (auto* boss = Standard<NPC_Boss2_Garden>(*this, x, y, "NPC_Boss2_Garden", false)) {
            // Its skulls appear at the "spawnzone" placements of the scene layers.
            for (int i = 0; level != nullptr && i < level->GetLayerCount(Level::kScene); ++i) {
                Layer* layer = level->GetLayerAt(Level::kScene, i);
                if (layer == nullptr)
                    continue;
                const auto found = layer->FindInstancesByName("spawnzone");
                for (auto* spawnZone : *found)
                    points.push_back(spawnZone->GetPosition().ToInt());
            }
            boss->SetName(GetName());
        }
    }
    pending = false;
}

void Zone_NPCSpawner_Boss2_Snow::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        NamedAfterPlacing<NPC_Boss2_Snow>(*this, x, y, "NPC_Boss2_Snow");
    pending = false;
}

void Zone_NPCSpawner_Boss2_Underwater::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // The boss keeps its class name.
    if (pending) {
        Game* game = Game::GetInstance();
        auto* boss = Standard<NPC_Boss2_Underwater>(*this, x, y, "NPC_Boss2_Underwater", false);
        if (boss != nullptr && game != nullptr)
            boss->leader = game->FindCharactersByName("NPC_Boss2_Underwater_0", nullptr, false).empty();
    }
    pending = false;
}

void Zone_NPCSpawner_MiniBoss_Boat::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_MiniBoss_Boat>(*this, x, y, "NPC_MiniBoss_Boat");
    pending = false;
}

void Zone_NPCSpawner_MiniBoss_Cave::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_MiniBoss_Cave>(*this, x, y, "NPC_MiniBoss_Cave");
    pending = false;
}

void Zone_NPCSpawner_MiniBoss_Snow::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_MiniBoss_Snow>(*this, x, y, "NPC_MiniBoss_Snow");
    pending = false;
}

void Zone_NPCSpawner_Boss_Snow::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* boss = Standard<NPC_Boss_Snow>(*this, x, y, "NPC_Boss_Snow"))
            boss->referencePoint = GetOffset() + Point<int>(x, y);
    }
    pending = false;
}

void Zone_NPCSpawner_Boss_Underwater::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_Boss_Underwater>(*this, x, y, "NPC_Boss_Underwater");
    pending = false;
}

void Zone_NPCSpawner_Boss_Bibli::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_Boss_Bibli>(*this, x, y, "NPC_Boss_Bibli");
    pending = false;
}
