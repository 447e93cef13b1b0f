#include "scene/PayloadFactory.h"

#include "engine/platform/DebugOutput.h"
#include "scene/SceneObjectInstance.h"

namespace {

using PayloadCreator = std::unique_ptr<SceneObjectInstance> (*)();

struct PayloadClass {
    std::string_view key;
    PayloadCreator create; // null while the class is not part of the program
};

// In the order the keys are compared. The zone and point classes fill in
// their creators; until then a known key reads nothing it cannot read.
// "ZoneInstanceV0" is the plain zone key of older files: a pickup zone.
constexpr PayloadClass kPayloadClasses[] = {
    {"ZoneHolder::InstanceV0", nullptr},
    {"ZoneSecret::InstanceV0", nullptr},
    {"Zone_LoadMap::InstanceV0", nullptr},
    {"Zone_Teleport::InstanceV0", nullptr},
    {"Zone_Save::InstanceV0", nullptr},
    {"Zone_PickupObject::InstanceV0", nullptr},
    {"ZoneInstanceV0", nullptr},
    {"Zone_ClimbJump::InstanceV0", nullptr},
    {"Zone_NPCSpawner_FloatingSkull::InstanceV0", nullptr},
    {"Zone_NPCSpawner_DreamCatcher::InstanceV0", nullptr},
    {"Zone_NPCSpawner_CrouchSkull::InstanceV0", nullptr},
    {"Zone_NPCSpawner_CrouchSkull_Boat::InstanceV0", nullptr},
    {"Zone_NPCSpawner_CrouchSkull_Ghost::InstanceV0", nullptr},
    {"Zone_NPCSpawner_CrouchSkull_Strong::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Lonely_Head::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Door::InstanceV0", nullptr},
    {"Zone_NPCSpawner_BoatPlant::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Located_Claw::InstanceV0", nullptr},
    {"Zone_NPCSpawner_FireDiamond::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Thrower::InstanceV0", nullptr},
    {"Zone_NPCSpawner_BoatWorm::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Seahorse::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Fire_Launcher::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Killing_Mechanism::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Dead_Fish::InstanceV0", nullptr},
    {"Zone_NPCSpawner_JellyFish::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Chained_Skull::InstanceV0", nullptr},
    {"Zone_NPCSpawner_MiniBoss_Boat::InstanceV0", nullptr},
    {"Zone_NPCSpawner_MiniBoss_Bibli::InstanceV0", nullptr},
    {"Zone_NPCSpawner_MiniBoss_FloatingSkull::InstanceV0", nullptr},
    {"Zone_NPCSpawner_MiniBoss_Garden::InstanceV0", nullptr},
    {"Zone_NPCSpawner_MiniBoss_Cave::InstanceV0", nullptr},
    {"Zone_NPCSpawner_MiniBoss_Snow::InstanceV0", nullptr},
    {"Zone_NPCSpawner_MiniBoss_Underwater::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Garden_Plant::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss_Cave::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss_Final::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss_Bibli::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss_Garden::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss2_Boat::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss2_Bibli::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss2_Cave::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss2_Garden::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss2_Snow::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss2_Underwater::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss_Boat::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss_Underwater::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss_Ultimate::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Boss_Snow::InstanceV0", nullptr},
    {"Zone_NPCSpawner_Bibli_Ghost::InstanceV0", nullptr},
    {"Zone_TriggerScript::InstanceV0", nullptr},
    {"Point_PlayerStart::PointInstanceV0", nullptr},
    {"Point_MinimapLocation::PointInstanceV0", nullptr},
};

const PayloadClass* FindPayloadClass(std::string_view key)
{
    for (const PayloadClass& c : kPayloadClasses)
        if (c.key == key)
            return &c;
    return nullptr;
}

} // namespace

bool IsPayloadKey(std::string_view key)
{
    return FindPayloadClass(key) != nullptr;
}

std::unique_ptr<SceneObjectInstance> CreatePayloadByKey(const std::string& key, std::istream& is)
{
    const PayloadClass* c = FindPayloadClass(key);
    if (c == nullptr)
        return nullptr;
    if (c->create == nullptr) {
        platform::DebugOutput("Placed instance: payload class not available: " + key + "\n");
        return nullptr;
    }
    std::unique_ptr<SceneObjectInstance> payload = c->create();
    if (payload && payload->UnSerialize(is))
        return payload;
    return nullptr;
}
