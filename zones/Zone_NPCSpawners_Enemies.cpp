#include "characters/CharacterObject.h"
#include "enemies/NPC_Bibli_Ghost.h"
#include "enemies/NPC_BoatPlant.h"
#include "enemies/NPC_BoatWorm.h"
#include "enemies/NPC_Chained_Skull.h"
#include "enemies/NPC_CrouchSkull.h"
#include "enemies/NPC_CrouchSkull_Boat.h"
#include "enemies/NPC_CrouchSkull_Ghost.h"
#include "enemies/NPC_CrouchSkull_Strong.h"
#include "enemies/NPC_Dead_Fish.h"
#include "enemies/NPC_Door.h"
#include "enemies/NPC_DreamCatcher.h"
#include "enemies/NPC_FireDiamond.h"
#include "enemies/NPC_Fire_Launcher.h"
#include "enemies/NPC_FloatingSkull.h"
#include "enemies/NPC_Garden_Plant.h"
#include "enemies/NPC_JellyFish.h"
#include "enemies/NPC_Killing_Mechanism.h"
#include "enemies/NPC_Located_Claw.h"
#include "enemies/NPC_Lonely_Head.h"
#include "enemies/NPC_Seahorse.h"
#include "enemies/NPC_Thrower.h"
#include "enemies/NPC_ThrowerSkull.h"
#include "engine/serial/LineReaders.h"
#include "game/Game.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Bibli_Ghost.h"
#include "zones/Zone_NPCSpawner_BoatPlant.h"
#include "zones/Zone_NPCSpawner_BoatWorm.h"
#include "zones/Zone_NPCSpawner_Chained_Skull.h"
#include "zones/Zone_NPCSpawner_CrouchSkull.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Boat.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Ghost.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Strong.h"
#include "zones/Zone_NPCSpawner_Dead_Fish.h"
#include "zones/Zone_NPCSpawner_Door.h"
#include "zones/Zone_NPCSpawner_DreamCatcher.h"
#include "zones/Zone_NPCSpawner_FireDiamond.h"
#include "zones/Zone_NPCSpawner_Fire_Launcher.h"
#include "zones/Zone_NPCSpawner_FloatingSkull.h"
#include "zones/Zone_NPCSpawner_Garden_Plant.h"
#include "zones/Zone_NPCSpawner_JellyFish.h"
#include "zones/Zone_NPCSpawner_Killing_Mechanism.h"
#include "zones/Zone_NPCSpawner_Located_Claw.h"
#include "zones/Zone_NPCSpawner_Lonely_Head.h"
#include "zones/Zone_NPCSpawner_Seahorse.h"
#include "zones/Zone_NPCSpawner_Thrower.h"

// The spawns of the enemy and world-mechanism spawner zones. What a kind
// hands to its character beyond the position and the name (rectangles,
// ranges, counts, links) is taken by the character classes once they hold
// those fields.

namespace {

// Steps of every spawn: create the character of the class, name it after
// the placement, test its class and put it at the spawn point. Null when
// the class is missing or the test fails.
template <class T>
T* Standard(const ZoneInstance& instance, int x, int y, const std::string& className, bool takeName = true)
{
    auto* character = dynamic_cast<T*>(NPCSpawner::Create(className, instance, takeName));
    if (character != nullptr)
        character->SetPosition(NPCSpawner::SpawnPoint(instance, x, y));
    return character;
}

} // namespace

void Zone_NPCSpawner_Door::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // The door's kind and side, and its sprites on the "Collisions" layer,
    // are the door's to take.
    if (pending)
        Standard<NPC_Door>(*this, x, y, "NPC_Door");
    pending = false;
}

void Zone_NPCSpawner_FireDiamond::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_FireDiamond>(*this, x, y, "NPC_FireDiamond");
    pending = false;
}

void Zone_NPCSpawner_FloatingSkull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!pending)
        return;
    const int kind = SkullKind.value;
    for (int pass = 0; pass < NPCSpawner::Count(SpawnCount.value) && kind <= 2; ++pass) {
        // Each skull starts at its first destination in the zone, which the
        // skull picks; until it does, at the spawn point.
        if (kind < 2)
            Standard<NPC_FloatingSkull>(*this, x, y, "NPC_FloatingSkull");
        else
            Standard<NPC_ThrowerSkull>(*this, x, y, "NPC_ThrowerSkull");
    }
    pending = false;
}

void Zone_NPCSpawner_FloatingSkull::Instance::WriteMember(std::ostream& os, size_t index)
{
    if (index == 4)
        WriteLine(os, kTagSkullKind);
    ZoneInstance::WriteMember(os, index);
}

bool Zone_NPCSpawner_FloatingSkull::Instance::ReadMember(std::istream& is, size_t index)
{
    if (index == 4 && !ReadUpdateTag(is, kTagSkullKind))
        return true;
    return ZoneInstance::ReadMember(is, index);
}

void Zone_NPCSpawner_CrouchSkull_Boat::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!pending)
        return;
    character = Standard<NPC_CrouchSkull_Boat>(*this, x, y, "NPC_CrouchSkull_Boat");
    pending = false;
}

void Zone_NPCSpawner_CrouchSkull_Boat::OnEnter(Placed* /*placed*/)
{
    // The skull's player-in-zone flag is set here once the skull has one.
}

void Zone_NPCSpawner_CrouchSkull_Boat::OnLeave(Placed* /*placed*/)
{
    // The skull's player-in-zone flag is cleared here once the skull has one.
}

void Zone_NPCSpawner_CrouchSkull_Ghost::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!pending)
        return;
    character = Standard<NPC_CrouchSkull_Ghost>(*this, x, y, "NPC_CrouchSkull_Ghost");
    pending = false;
}

void Zone_NPCSpawner_CrouchSkull_Strong::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!pending)
        return;
    character = Standard<NPC_CrouchSkull_Strong>(*this, x, y, "NPC_CrouchSkull_Strong");
    pending = false;
}

void Zone_NPCSpawner_Lonely_Head::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* head = Standard<NPC_Lonely_Head>(*this, x, y, "NPC_Lonely_Head")) {
            const Point<int> offset = GetOffset();
            head->SetPosition(Point<float>(static_cast<float>(offset.x), static_cast<float>(offset.y))
                + Point<float>(
                    static_cast<float>(x), static_cast<float>(y) + static_cast<float>(GetSize().y) * 0.5f));
        }
    }
    pending = false;
}

void Zone_NPCSpawner_JellyFish::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!pending)
        return;
    // Each jellyfish starts at the centre of the zone (truncated), moved by
    // the offset.
    const Rect<int> r = NPCSpawner::MakeRects(x, y, GetSize()).R;
    const Point<int> centre((r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2);
    const Point<int> offset = GetOffset();
    for (int pass = 0; pass < NPCSpawner::Count(SpawnCount.value); ++pass) {
        if (auto* fish = Standard<NPC_JellyFish>(*this, x, y, "NPC_JellyFish"))
            fish->SetPosition(Point<float>(
                static_cast<float>(offset.x + centre.x), static_cast<float>(offset.y + centre.y)));
    }
    pending = false;
}

Zone_NPCSpawner_Thrower::Instance::Instance()
{
    auto* idle = dynamic_cast<GraphicalObject*>(Game::FindSceneObject("NPC_Thrower_Idle", false));
    if (Game::GetInstance() != nullptr && idle != nullptr)
        size = PointSerialize<int>(idle->GetSize());
}

void Zone_NPCSpawner_Thrower::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_Thrower>(*this, x, y, "NPC_Thrower");
    pending = false;
}

void Zone_NPCSpawner_BoatWorm::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_BoatWorm>(*this, x, y, "NPC_BoatWorm");
    pending = false;
}

void Zone_NPCSpawner_CrouchSkull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_CrouchSkull>(*this, x, y, "NPC_CrouchSkull");
    pending = false;
}

void Zone_NPCSpawner_DreamCatcher::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_DreamCatcher>(*this, x, y, "NPC_DreamCatcher");
    pending = false;
}

void Zone_NPCSpawner_BoatPlant::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_BoatPlant>(*this, x, y, "NPC_BoatPlant");
    pending = false;
}

void Zone_NPCSpawner_Located_Claw::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_Located_Claw>(*this, x, y, "NPC_Located_Claw");
    pending = false;
}

void Zone_NPCSpawner_Seahorse::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_Seahorse>(*this, x, y, "NPC_Seahorse");
    pending = false;
}

void Zone_NPCSpawner_Fire_Launcher::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* character = Standard<NPC_Fire_Launcher>(*this, x, y, "NPC_Fire_Launcher"))
            character->SetDirection(Point<float>(1.0f, 0.0f));
    }
    pending = false;
}

void Zone_NPCSpawner_Dead_Fish::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* character = Standard<NPC_Dead_Fish>(*this, x, y, "NPC_Dead_Fish"))
            character->SetDirection(Point<float>(1.0f, 0.0f));
    }
    pending = false;
}

void Zone_NPCSpawner_Bibli_Ghost::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_Bibli_Ghost>(*this, x, y, "NPC_Bibli_Ghost");
    pending = false;
}

void Zone_NPCSpawner_Garden_Plant::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_Garden_Plant>(*this, x, y, "NPC_Garden_Plant");
    pending = false;
}

void Zone_NPCSpawner_Killing_Mechanism::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_Killing_Mechanism>(*this, x, y, "NPC_Killing_Mechanism");
    pending = false;
}

void Zone_NPCSpawner_Chained_Skull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending)
        Standard<NPC_Chained_Skull>(*this, x, y, "NPC_Chained_Skull");
    pending = false;
}
