#include "zones/ZonePayloadKinds.h"

#include "scene/PayloadFactory.h"
#include "zones/Point_MinimapLocation.h"
#include "zones/Point_PlayerStart.h"
#include "zones/ZoneHolder.h"
#include "zones/ZoneSecret.h"
#include "zones/Zone_ClimbJump.h"
#include "zones/Zone_LoadMap.h"
#include "zones/Zone_NPCSpawner_Bibli_Ghost.h"
#include "zones/Zone_NPCSpawner_BoatPlant.h"
#include "zones/Zone_NPCSpawner_BoatWorm.h"
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
#include "zones/Zone_NPCSpawner_MiniBoss_Bibli.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Boat.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Cave.h"
#include "zones/Zone_NPCSpawner_MiniBoss_FloatingSkull.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Garden.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Snow.h"
#include "zones/Zone_NPCSpawner_MiniBoss_Underwater.h"
#include "zones/Zone_NPCSpawner_Seahorse.h"
#include "zones/Zone_NPCSpawner_Thrower.h"
#include "zones/Zone_PickupObject.h"
#include "zones/Zone_Save.h"
#include "zones/Zone_Teleport.h"
#include "zones/Zone_TriggerScript.h"

#include <string_view>

namespace {

template <class T> std::unique_ptr<SceneObjectInstance> Make()
{
    return std::make_unique<T>();
}

struct PayloadKind {
    std::string_view key;
    PayloadCreator create;
};

// Wherever the zone types are part of the program, the levels read their
// placements from the start.
const bool registeredAtStart = (RegisterZonePayloadKinds(), true);

} // namespace

void RegisterZonePayloadKinds()
{
    static constexpr PayloadKind kinds[] = {
        {"ZoneHolder::InstanceV0", &Make<ZoneHolder::Instance>},
        {"ZoneSecret::InstanceV0", &Make<ZoneSecret::Instance>},
        {"Zone_LoadMap::InstanceV0", &Make<Zone_LoadMap::Instance>},
        {"Zone_Teleport::InstanceV0", &Make<Zone_Teleport::Instance>},
        {"Zone_Save::InstanceV0", &Make<Zone_Save::Instance>},
        {"Zone_PickupObject::InstanceV0", &Make<Zone_PickupObject::Instance>},
        {"ZoneInstanceV0", &Make<Zone_PickupObject::Instance>},
        {"Zone_ClimbJump::InstanceV0", &Make<Zone_ClimbJump::Instance>},
        {"Zone_NPCSpawner_FloatingSkull::InstanceV0", &Make<Zone_NPCSpawner_FloatingSkull::Instance>},
        {"Zone_NPCSpawner_DreamCatcher::InstanceV0", &Make<Zone_NPCSpawner_DreamCatcher::Instance>},
        {"Zone_NPCSpawner_CrouchSkull::InstanceV0", &Make<Zone_NPCSpawner_CrouchSkull::Instance>},
        {"Zone_NPCSpawner_CrouchSkull_Boat::InstanceV0", &Make<Zone_NPCSpawner_CrouchSkull_Boat::Instance>},
        {"Zone_NPCSpawner_CrouchSkull_Ghost::InstanceV0", &Make<Zone_NPCSpawner_CrouchSkull_Ghost::Instance>},
        {"Zone_NPCSpawner_CrouchSkull_Strong::InstanceV0",
            &Make<Zone_NPCSpawner_CrouchSkull_Strong::Instance>},
        {"Zone_NPCSpawner_Lonely_Head::InstanceV0", &Make<Zone_NPCSpawner_Lonely_Head::Instance>},
        {"Zone_NPCSpawner_Door::InstanceV0", &Make<Zone_NPCSpawner_Door::Instance>},
        {"Zone_NPCSpawner_BoatPlant::InstanceV0", &Make<Zone_NPCSpawner_BoatPlant::Instance>},
        {"Zone_NPCSpawner_Located_Claw::InstanceV0", &Make<Zone_NPCSpawner_Located_Claw::Instance>},
        {"Zone_NPCSpawner_FireDiamond::InstanceV0", &Make<Zone_NPCSpawner_FireDiamond::Instance>},
        {"Zone_NPCSpawner_Thrower::InstanceV0", &Make<Zone_NPCSpawner_Thrower::Instance>},
        {"Zone_NPCSpawner_BoatWorm::InstanceV0", &Make<Zone_NPCSpawner_BoatWorm::Instance>},
        {"Zone_NPCSpawner_Seahorse::InstanceV0", &Make<Zone_NPCSpawner_Seahorse::Instance>},
        {"Zone_NPCSpawner_Fire_Launcher::InstanceV0", &Make<Zone_NPCSpawner_Fire_Launcher::Instance>},
        {"Zone_NPCSpawner_Killing_Mechanism::InstanceV0", &Make<Zone_NPCSpawner_Killing_Mechanism::Instance>},
        {"Zone_NPCSpawner_Dead_Fish::InstanceV0", &Make<Zone_NPCSpawner_Dead_Fish::Instance>},
        {"Zone_NPCSpawner_JellyFish::InstanceV0", &Make<Zone_NPCSpawner_JellyFish::Instance>},
        {"Zone_NPCSpawner_Chained_Skull::InstanceV0", &Make<Zone_NPCSpawner_Chained_Skull::Instance>},
        {"Zone_NPCSpawner_MiniBoss_Boat::InstanceV0", &Make<Zone_NPCSpawner_MiniBoss_Boat::Instance>},
        {"Zone_NPCSpawner_MiniBoss_Bibli::InstanceV0", &Make<Zone_NPCSpawner_MiniBoss_Bibli::Instance>},
        {"Zone_NPCSpawner_MiniBoss_FloatingSkull::InstanceV0",
            &Make<Zone_NPCSpawner_MiniBoss_FloatingSkull::Instance>},
        {"Zone_NPCSpawner_MiniBoss_Garden::InstanceV0", &Make<Zone_NPCSpawner_MiniBoss_Garden::Instance>},
        {"Zone_NPCSpawner_MiniBoss_Cave::InstanceV0", &Make<Zone_NPCSpawner_MiniBoss_Cave::Instance>},
        {"Zone_NPCSpawner_MiniBoss_Snow::InstanceV0", &Make<Zone_NPCSpawner_MiniBoss_Snow::Instance>},
        {"Zone_NPCSpawner_MiniBoss_Underwater::InstanceV0",
            &Make<Zone_NPCSpawner_MiniBoss_Underwater::Instance>},
        {"Zone_NPCSpawner_Garden_Plant::InstanceV0", &Make<Zone_NPCSpawner_Garden_Plant::Instance>},
        {"Zone_NPCSpawner_Boss_Cave::InstanceV0", &Make<Zone_NPCSpawner_Boss_Cave::Instance>},
        {"Zone_NPCSpawner_Boss_Final::InstanceV0", &Make<Zone_NPCSpawner_Boss_Final::Instance>},
        {"Zone_NPCSpawner_Boss_Bibli::InstanceV0", &Make<Zone_NPCSpawner_Boss_Bibli::Instance>},
        {"Zone_NPCSpawner_Boss_Garden::InstanceV0", &Make<Zone_NPCSpawner_Boss_Garden::Instance>},
        {"Zone_NPCSpawner_Boss2_Boat::InstanceV0", &Make<Zone_NPCSpawner_Boss2_Boat::Instance>},
        {"Zone_NPCSpawner_Boss2_Bibli::InstanceV0", &Make<Zone_NPCSpawner_Boss2_Bibli::Instance>},
        {"Zone_NPCSpawner_Boss2_Cave::InstanceV0", &Make<Zone_NPCSpawner_Boss2_Cave::Instance>},
        {"Zone_NPCSpawner_Boss2_Garden::InstanceV0", &Make<Zone_NPCSpawner_Boss2_Garden::Instance>},
        {"Zone_NPCSpawner_Boss2_Snow::InstanceV0", &Make<Zone_NPCSpawner_Boss2_Snow::Instance>},
        {"Zone_NPCSpawner_Boss2_Underwater::InstanceV0", &Make<Zone_NPCSpawner_Boss2_Underwater::Instance>},
        {"Zone_NPCSpawner_Boss_Boat::InstanceV0", &Make<Zone_NPCSpawner_Boss_Boat::Instance>},
        {"Zone_NPCSpawner_Boss_Underwater::InstanceV0", &Make<Zone_NPCSpawner_Boss_Underwater::Instance>},
        {"Zone_NPCSpawner_Boss_Ultimate::InstanceV0", &Make<Zone_NPCSpawner_Boss_Ultimate::Instance>},
        {"Zone_NPCSpawner_Boss_Snow::InstanceV0", &Make<Zone_NPCSpawner_Boss_Snow::Instance>},
        {"Zone_NPCSpawner_Bibli_Ghost::InstanceV0", &Make<Zone_NPCSpawner_Bibli_Ghost::Instance>},
        {"Zone_TriggerScript::InstanceV0", &Make<Zone_TriggerScript::Instance>},
        {"Point_PlayerStart::PointInstanceV0", &Make<Point_PlayerStart::Instance>},
        {"Point_MinimapLocation::PointInstanceV0", &Make<Point_MinimapLocation::Instance>},
    };
    for (const PayloadKind& kind : kinds)
        RegisterPayloadCreator(kind.key, kind.create);
}
