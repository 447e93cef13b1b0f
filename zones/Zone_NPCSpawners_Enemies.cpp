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
#include "scene/Layer.h"
#include "scene/Level.h"
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

// The spawns of the enemy and world-mechanism spawner zones: each creates its
// character, places it and hands it what the placement carries (rectangles,
// ranges, counts, links).

namespace {

// Steps of every spawn: create the character of the class, name it after
// the placement, test its class and put it at the spawn point. Null when
// the class is missing or the test fails.
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

} // namespace

void Zone_NPCSpawner_Door::Instance::Spawn(int x, int y, Level* level)
{
    if (pending) {
        if (auto* door = Standard<NPC_Door>(*this, x, y, "NPC_Door")) {
            door->doorKind = DoorKind.value;
            door->doorSide = DoorSide.value;
            door->BuildCollisionGraphicals(level);
        }
    }
    pending = false;
}

void Zone_NPCSpawner_FireDiamond::Instance::Spawn(int x, int y, Level* level)
{
    if (pending) {
        if (auto* diamond = Standard<NPC_FireDiamond>(*this, x, y, "NPC_FireDiamond"))
            diamond->BuildCollisionGraphical(level);
    }
    pending = false;
}

void Zone_NPCSpawner_FloatingSkull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!pending)
        return;
    const int kind = SkullKind.value;
    const Rect<int> roaming = NPCSpawner::MakeRects(x, y, GetSize()).R;
    const Point<int> offset = GetOffset();
    int made = 0;
    for (int pass = 0; pass < NPCSpawner::Count(SpawnCount.value) && kind <= 2; ++pass) {
        NPC_FloatingSkull* skull = kind < 2 ? Standard<NPC_FloatingSkull>(*this, x, y, "NPC_FloatingSkull")
                                            : Standard<NPC_ThrowerSkull>(*this, x, y, "NPC_ThrowerSkull");
        if (skull == nullptr)
            continue;
        if (kind < 2)
            skull->SetKind(kind);
        // Each skull starts at its own first destination, moved by the offset.
        skull->roamingRect = roaming;
        skull->PickRandomDestination();
        const Point<int> at = offset + skull->GetDestination();
        skull->SetPosition(Point<float>(static_cast<float>(at.x), static_cast<float>(at.y)));
        ++made;
    }
    if (made == 0)
        NPCSpawner::ReportNothingMade(*this);
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
    Unlink();
    auto* skull = Standard<NPC_CrouchSkull_Boat>(*this, x, y, "NPC_CrouchSkull_Boat");
    if (skull != nullptr) {
        character = skull;
        skull->walkRect = NPCSpawner::MakeRects(x, y, GetSize()).Rb;
        skull->spawnerLink = this;
    }
    pending = false;
}

void Zone_NPCSpawner_CrouchSkull_Boat::Instance::Unlink()
{
    if (auto* skull = dynamic_cast<NPC_CrouchSkull_Boat*>(character))
        skull->spawnerLink = nullptr;
    character = nullptr;
}

namespace {

void SetPlayerInZone(GameplayObject_Zone::Placed* placed, bool inside)
{
    auto* zone = placed != nullptr
        ? dynamic_cast<Zone_NPCSpawner_CrouchSkull_Boat::Instance*>(placed->GetPayload())
        : nullptr;
    if (zone == nullptr)
        return;
    if (auto* skull = dynamic_cast<NPC_CrouchSkull_Boat*>(zone->character))
        skull->playerInZone = inside;
}

} // namespace

void Zone_NPCSpawner_CrouchSkull_Boat::OnEnter(Placed* placed)
{
    SetPlayerInZone(placed, true);
}

void Zone_NPCSpawner_CrouchSkull_Boat::OnLeave(Placed* placed)
{
    SetPlayerInZone(placed, false);
}

void Zone_NPCSpawner_CrouchSkull_Ghost::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!pending)
        return;
    auto* skull = Standard<NPC_CrouchSkull_Ghost>(*this, x, y, "NPC_CrouchSkull_Ghost");
    character = skull;
    if (skull != nullptr)
        skull->walkRect = NPCSpawner::MakeRects(x, y, GetSize()).Rc;
    pending = false;
}

void Zone_NPCSpawner_CrouchSkull_Strong::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!pending)
        return;
    auto* skull = Standard<NPC_CrouchSkull_Strong>(*this, x, y, "NPC_CrouchSkull_Strong");
    character = skull;
    if (skull != nullptr)
        skull->walkRect = NPCSpawner::MakeRects(x, y, GetSize()).Rc;
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
            head->lowerY = y;
            head->upperY = y + GetSize().y;
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
    int made = 0;
    for (int pass = 0; pass < NPCSpawner::Count(SpawnCount.value); ++pass) {
        auto* fish = Standard<NPC_JellyFish>(*this, x, y, "NPC_JellyFish");
        if (fish == nullptr)
            continue;
        fish->rect = r;
        fish->SetPosition(
            Point<float>(static_cast<float>(offset.x + centre.x), static_cast<float>(offset.y + centre.y)));
        fish->PickRandomDirection(true);
        ++made;
    }
    if (made == 0)
        NPCSpawner::ReportNothingMade(*this);
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
    if (pending) {
        if (auto* skull = Standard<NPC_CrouchSkull>(*this, x, y, "NPC_CrouchSkull"))
            skull->walkRect = NPCSpawner::MakeRects(x, y, GetSize()).Rc;
    }
    pending = false;
}

void Zone_NPCSpawner_DreamCatcher::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* catcher = Standard<NPC_DreamCatcher>(*this, x, y, "NPC_DreamCatcher"))
            catcher->projectileCount = ProjectileCount.value;
    }
    pending = false;
}

void Zone_NPCSpawner_BoatPlant::Instance::Spawn(int x, int y, Level* level)
{
    if (pending) {
        if (auto* plant = Standard<NPC_BoatPlant>(*this, x, y, "NPC_BoatPlant")) {
            plant->parameter = PlantParameter.value;
            // The first zone of that name in the scene layers.
            for (int i = 0; level != nullptr && i < level->GetLayerCount(Level::kScene); ++i) {
                Layer* layer = level->GetLayerAt(Level::kScene, i);
                auto* zone = layer != nullptr ? layer->FindInstanceByName(LinkedZoneName.value) : nullptr;
                if (zone != nullptr && dynamic_cast<ZoneInstance*>(zone->GetPayload()) != nullptr) {
                    plant->linkedZone = zone;
                    break;
                }
            }
        }
    }
    pending = false;
}

void Zone_NPCSpawner_Located_Claw::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* claw = Standard<NPC_Located_Claw>(*this, x, y, "NPC_Located_Claw"))
            claw->rect = NPCSpawner::MakeRects(x, y, GetSize()).R;
    }
    pending = false;
}

void Zone_NPCSpawner_Seahorse::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* seahorse = Standard<NPC_Seahorse>(*this, x, y, "NPC_Seahorse")) {
            seahorse->leftX = x - 64;
            seahorse->rightX = x + GetSize().x - 64;
        }
    }
    pending = false;
}

void Zone_NPCSpawner_Fire_Launcher::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* launcher = Standard<NPC_Fire_Launcher>(*this, x, y, "NPC_Fire_Launcher")) {
            launcher->SetDirection(Point<float>(1.0f, 0.0f));
            launcher->leftX = x;
            launcher->rightX = x + GetSize().x;
        }
    }
    pending = false;
}

void Zone_NPCSpawner_Dead_Fish::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* fish = Standard<NPC_Dead_Fish>(*this, x, y, "NPC_Dead_Fish")) {
            fish->SetDirection(Point<float>(1.0f, 0.0f));
            const auto fx = static_cast<float>(x);
            const auto fy = static_cast<float>(y);
            fish->rect = Rect<float>(
                fx, fy + static_cast<float>(GetSize().y), fx + static_cast<float>(GetSize().x), fy);
            fish->referencePoint = Point<float>(fx + 46.0f, fy + 32.0f);
        }
    }
    pending = false;
}

void Zone_NPCSpawner_Bibli_Ghost::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* ghost = Standard<NPC_Bibli_Ghost>(*this, x, y, "NPC_Bibli_Ghost"))
            ghost->rect = NPCSpawner::MakeRects(x, y, GetSize()).R;
    }
    pending = false;
}

void Zone_NPCSpawner_Garden_Plant::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (pending) {
        if (auto* plant = Standard<NPC_Garden_Plant>(*this, x, y, "NPC_Garden_Plant"))
            plant->anchorPoint = plant->GetPosition().ToInt() + Point<int>(0, 32);
    }
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
