#include "scene/PayloadFactory.h"

#include "engine/platform/DebugOutput.h"
#include "scene/SceneObjectInstance.h"

#include <iterator>

namespace {

// In the order the keys are compared. "ZoneInstanceV0" is the plain zone key
// of older files: a pickup zone.
constexpr std::string_view kPayloadKeys[] = {
    "ZoneHolder::InstanceV0",
    "ZoneSecret::InstanceV0",
    "Zone_LoadMap::InstanceV0",
    "Zone_Teleport::InstanceV0",
    "Zone_Save::InstanceV0",
    "Zone_PickupObject::InstanceV0",
    "ZoneInstanceV0",
    "Zone_ClimbJump::InstanceV0",
    "Zone_NPCSpawner_FloatingSkull::InstanceV0",
    "Zone_NPCSpawner_DreamCatcher::InstanceV0",
    "Zone_NPCSpawner_CrouchSkull::InstanceV0",
    "Zone_NPCSpawner_CrouchSkull_Boat::InstanceV0",
    "Zone_NPCSpawner_CrouchSkull_Ghost::InstanceV0",
    "Zone_NPCSpawner_CrouchSkull_Strong::InstanceV0",
    "Zone_NPCSpawner_Lonely_Head::InstanceV0",
    "Zone_NPCSpawner_Door::InstanceV0",
    "Zone_NPCSpawner_BoatPlant::InstanceV0",
    "Zone_NPCSpawner_Located_Claw::InstanceV0",
    "Zone_NPCSpawner_FireDiamond::InstanceV0",
    "Zone_NPCSpawner_Thrower::InstanceV0",
    "Zone_NPCSpawner_BoatWorm::InstanceV0",
    "Zone_NPCSpawner_Seahorse::InstanceV0",
    "Zone_NPCSpawner_Fire_Launcher::InstanceV0",
    "Zone_NPCSpawner_Killing_Mechanism::InstanceV0",
    "Zone_NPCSpawner_Dead_Fish::InstanceV0",
    "Zone_NPCSpawner_JellyFish::InstanceV0",
    "Zone_NPCSpawner_Chained_Skull::InstanceV0",
    "Zone_NPCSpawner_MiniBoss_Boat::InstanceV0",
    "Zone_NPCSpawner_MiniBoss_Bibli::InstanceV0",
    "Zone_NPCSpawner_MiniBoss_FloatingSkull::InstanceV0",
    "Zone_NPCSpawner_MiniBoss_Garden::InstanceV0",
    "Zone_NPCSpawner_MiniBoss_Cave::InstanceV0",
    "Zone_NPCSpawner_MiniBoss_Snow::InstanceV0",
    "Zone_NPCSpawner_MiniBoss_Underwater::InstanceV0",
    "Zone_NPCSpawner_Garden_Plant::InstanceV0",
    "Zone_NPCSpawner_Boss_Cave::InstanceV0",
    "Zone_NPCSpawner_Boss_Final::InstanceV0",
    "Zone_NPCSpawner_Boss_Bibli::InstanceV0",
    "Zone_NPCSpawner_Boss_Garden::InstanceV0",
    "Zone_NPCSpawner_Boss2_Boat::InstanceV0",
    "Zone_NPCSpawner_Boss2_Bibli::InstanceV0",
    "Zone_NPCSpawner_Boss2_Cave::InstanceV0",
    "Zone_NPCSpawner_Boss2_Garden::InstanceV0",
    "Zone_NPCSpawner_Boss2_Snow::InstanceV0",
    "Zone_NPCSpawner_Boss2_Underwater::InstanceV0",
    "Zone_NPCSpawner_Boss_Boat::InstanceV0",
    "Zone_NPCSpawner_Boss_Underwater::InstanceV0",
    "Zone_NPCSpawner_Boss_Ultimate::InstanceV0",
    "Zone_NPCSpawner_Boss_Snow::InstanceV0",
    "Zone_NPCSpawner_Bibli_Ghost::InstanceV0",
    "Zone_TriggerScript::InstanceV0",
    "Point_PlayerStart::PointInstanceV0",
    "Point_MinimapLocation::PointInstanceV0",
};

// The class made for each key, null while none is registered. Zero before
// any constructor runs, so the kinds may register while the program starts.
PayloadCreator creators[std::size(kPayloadKeys)] = {};

// The index of the key, or -1.
int FindPayloadKey(std::string_view key)
{
    for (size_t i = 0; i < std::size(kPayloadKeys); ++i)
        if (kPayloadKeys[i] == key)
            return static_cast<int>(i);
    return -1;
}

} // namespace

bool IsPayloadKey(std::string_view key)
{
    return FindPayloadKey(key) >= 0;
}

bool RegisterPayloadCreator(std::string_view key, PayloadCreator create)
{
    const int index = FindPayloadKey(key);
    if (index < 0)
        return false;
    creators[index] = create;
    return true;
}

std::unique_ptr<SceneObjectInstance> CreatePayloadByKey(const std::string& key, std::istream& is)
{
    const int index = FindPayloadKey(key);
    if (index < 0)
        return nullptr;
    const PayloadCreator create = creators[index];
    if (create == nullptr) {
        platform::DebugOutput("Placed instance: payload class not available: " + key + "\n");
        return nullptr;
    }
    std::unique_ptr<SceneObjectInstance> payload = create();
    if (payload && payload->UnSerialize(is))
        return payload;
    return nullptr;
}
