#include "engine/serial/TypeNames.h"

// Defined in one file so that they are built in this order and destroyed in
// the reverse order.
const std::string TypeNames::CharacterObject = "CharacterObject";
const std::string TypeNames::CollisionShape = "CollisionShape";
const std::string TypeNames::CollisionBox = "CollisionBox";
const std::string TypeNames::CollisionLine = "CollisionLine";
const std::string TypeNames::GameplayObject = "GameplayObject";
const std::string TypeNames::GameplayObject_Zone = "GameplayObject_Zone";
const std::string TypeNames::Point_PlayerStart = "Point_PlayerStart";
const std::string TypeNames::ZoneHolder = "ZoneHolder";
const std::string TypeNames::ZoneSecret = "ZoneSecret";
const std::string TypeNames::Point_MinimapLocation = "Point_MinimapLocation";
const std::string TypeNames::Zone_LoadMap = "Zone_LoadMap";
const std::string TypeNames::Zone_ClimbJump = "Climb_Zone";
const std::string TypeNames::Zone_NPCSpawner_Door = "Zone_NPCSpawner_Door";
const std::string TypeNames::Zone_NPCSpawner_FireDiamond = "Zone_NPCSpawner_FireDiamond";
const std::string TypeNames::Zone_NPCSpawner_Thrower = "Zone_NPCSpawner_Thrower";
const std::string TypeNames::Zone_NPCSpawner_BoatWorm = "Zone_NPCSpawner_BoatWorm";
const std::string TypeNames::Zone_Teleport = "Zone_Teleport";
const std::string TypeNames::Zone_PickupObject = "Zone_PickupObject";
const std::string TypeNames::Zone_Save = "Zone_Save";
const std::string TypeNames::Zone_TriggerScript = "Zone_TriggerZone";
const std::string TypeNames::GraphicalObject = "GraphicalObject";
const std::string TypeNames::CameraBlocker = "CameraBlocker";
const std::string TypeNames::NPC_Bibli_Ghost = "NPC_Bibli_Ghost";
const std::string TypeNames::Zone_NPCSpawner_Bibli_Ghost = "Zone_NPCSpawner_Bibli_Ghost";
const std::string TypeNames::Projectile_Ins_Acid = "Projectile_Ins_Acid";
const std::string TypeNames::NPC_BoatIns = "NPC_BoatIns";
const std::string TypeNames::NPC_BoatPlant = "NPC_BoatPlant";
const std::string TypeNames::Zone_NPCSpawner_BoatPlant = "Zone_NPCSpawner_BoatPlant";
const std::string TypeNames::NPC_BoatWorm = "NPC_BoatWorm";
const std::string TypeNames::Projectile_BoatWorm = "Projectile_BoatWorm";
const std::string TypeNames::Projectile_Boss2_Bibli_Lava = "Projectile_Boss2_Bibli_Lava";
const std::string TypeNames::Projectile_Boss2_Bibli_LaserBeam = "Projectile_Boss2_Bibli_LaserBeam";
const std::string TypeNames::Projectile_Boss2_Bibli_Guardian = "Projectile_Boss2_Bibli_Guardian";
const std::string TypeNames::NPC_Boss2_Bibli = "NPC_Boss2_Bibli";
const std::string TypeNames::Zone_NPCSpawner_Boss2_Bibli = "Zone_NPCSpawner_Boss2_Bibli";
const std::string TypeNames::NPC_Boss2_Boat = "NPC_Boss2_Boat";
const std::string TypeNames::Projectile_Boss2_Boat = "Projectile_Boss2_Boat";
const std::string TypeNames::Zone_NPCSpawner_Boss2_Boat = "Zone_NPCSpawner_Boss2_Boat";
const std::string TypeNames::NPC_Boss2_Cave = "NPC_Boss2_Cave";
const std::string TypeNames::Projectile_Boss2_Cave = "Projectile_Boss2_Cave";
const std::string TypeNames::Zone_NPCSpawner_Boss2_Cave = "Zone_NPCSpawner_Boss2_Cave";
const std::string TypeNames::NPC_Boss2_Garden = "NPC_Boss2_Garden";
const std::string TypeNames::Projectile_Boss2_Garden = "Projectile_Boss2_Garden";
const std::string TypeNames::Projectile_Boss2_Garden_Scyte = "Projectile_Boss2_Garden_Scyte";
const std::string TypeNames::Zone_NPCSpawner_Boss2_Garden = "Zone_NPCSpawner_Boss2_Garden";
const std::string TypeNames::NPC_Boss2_Snow = "NPC_Boss2_Snow";
const std::string TypeNames::NPC_Boss2_Snow_Enemy = "NPC_Boss2_Snow_Enemy";
const std::string TypeNames::Zone_NPCSpawner_Boss2_Snow = "Zone_NPCSpawner_Boss2_Snow";
const std::string TypeNames::NPC_Boss2_Underwater = "NPC_Boss2_Underwater";
const std::string TypeNames::Projectile_Boss2_Underwater = "Projectile_Boss2_Underwater";
const std::string TypeNames::Zone_NPCSpawner_Boss2_Underwater = "Zone_NPCSpawner_Boss2_Underwater";
const std::string TypeNames::Projectile_Boss_Bibli = "Projectile_Boss_Bibli";
const std::string TypeNames::NPC_Boss_Bibli = "NPC_Boss_Bibli";
const std::string TypeNames::Zone_NPCSpawner_Boss_Bibli = "Zone_NPCSpawner_Boss_Bibli";
const std::string TypeNames::Projectile_Boss_Boat = "Projectile_Boss_Boat";
const std::string TypeNames::NPC_Boss_Boat = "NPC_Boss_Boat";
const std::string TypeNames::Zone_NPCSpawner_Boss_Boat = "Zone_NPCSpawner_Boss_Boat";
const std::string TypeNames::NPC_Boss_Cave = "NPC_Boss_Cave";
const std::string TypeNames::Zone_NPCSpawner_Boss_Cave = "Zone_NPCSpawner_Boss_Cave";
const std::string TypeNames::Projectile_Boss_Cave = "Projectile_Boss_Cave";
const std::string TypeNames::Projectile_Boss_Final = "Projectile_Boss_Final";
const std::string TypeNames::NPC_Boss_Final = "NPC_Boss_Final";
const std::string TypeNames::Zone_NPCSpawner_Boss_Final = "Zone_NPCSpawner_Boss_Final";
const std::string TypeNames::NPC_Boss_Garden = "NPC_Boss_Garden";
const std::string TypeNames::Projectile_Boss_Garden_String = "Projectile_Boss_Garden_String";
const std::string TypeNames::Projectile_Boss_Garden_Beam = "Projectile_Boss_Garden_Beam";
const std::string TypeNames::Zone_NPCSpawner_Boss_Garden = "Zone_NPCSpawner_Boss_Garden";
const std::string TypeNames::Projectile_Boss_Snow = "Projectile_Boss_Snow";
const std::string TypeNames::NPC_Boss_Snow_Arm = "NPC_Boss_Snow_Arm";
const std::string TypeNames::NPC_Boss_Snow = "NPC_Boss_Snow";
const std::string TypeNames::Zone_NPCSpawner_Boss_Snow = "Zone_NPCSpawner_Boss_Snow";
const std::string TypeNames::Projectile_Boss_Ultimate = "Projectile_Boss_Ultimate";
const std::string TypeNames::NPC_Boss_Ultimate = "NPC_Boss_Ultimate";
const std::string TypeNames::Zone_NPCSpawner_Boss_Ultimate = "Zone_NPCSpawner_Boss_Ultimate";
const std::string TypeNames::NPC_Boss_Underwater = "NPC_Boss_Underwater";
const std::string TypeNames::Projectile_Boss_Underwater = "Projectile_Boss_Underwater";
const std::string TypeNames::NPC_Boss_Underwater_Line = "NPC_Boss_Underwater_Line";
const std::string TypeNames::Zone_NPCSpawner_Boss_Underwater = "Zone_NPCSpawner_Boss_Underwater";
const std::string TypeNames::Projectile_Chained_Skull = "Projectile_Chained_Skull";
const std::string TypeNames::NPC_Chained_Skull = "NPC_Chained_Skull";
const std::string TypeNames::Zone_NPCSpawner_Chained_Skull = "Zone_NPCSpawner_Chained_Skull";
const std::string TypeNames::NPC_CrouchSkull = "NPC_CrouchSkull";
const std::string TypeNames::Zone_NPCSpawner_CrouchSkull = "Zone_NPCSpawner_CrouchSkull";
const std::string TypeNames::NPC_CrouchSkull_Boat = "NPC_CrouchSkull_Boat";
const std::string TypeNames::Zone_NPCSpawner_CrouchSkull_Boat = "Zone_NPCSpawner_CrouchSkull_Boat";
const std::string TypeNames::NPC_CrouchSkull_Ghost = "NPC_CrouchSkull_Ghost";
const std::string TypeNames::Zone_NPCSpawner_CrouchSkull_Ghost = "Zone_NPCSpawner_CrouchSkull_Ghost";
const std::string TypeNames::NPC_CrouchSkull_Strong = "NPC_CrouchSkull_Strong";
const std::string TypeNames::Zone_NPCSpawner_CrouchSkull_Strong = "Zone_NPCSpawner_CrouchSkull_Strong";
const std::string TypeNames::Projectile_Dead_Fish_Spike = "Projectile_Dead_Fish_Spike";
const std::string TypeNames::NPC_Dead_Fish = "NPC_Dead_Fish";
const std::string TypeNames::Zone_NPCSpawner_Dead_Fish = "Zone_NPCSpawner_Dead_Fish";
const std::string TypeNames::NPC_Door = "NPC_Door";
const std::string TypeNames::Projectile_SadSoul = "Projectile_SadSoul";
const std::string TypeNames::NPC_DreamCatcher = "NPC_DreamCatcher";
const std::string TypeNames::Zone_NPCSpawner_DreamCatcher = "Zone_NPCSpawner_DreamCatcher";
const std::string TypeNames::Projectile_Fire_Launcher = "Projectile_Fire_Launcher";
const std::string TypeNames::NPC_Fire_Launcher = "NPC_Fire_Launcher";
const std::string TypeNames::Zone_NPCSpawner_Fire_Launcher = "Zone_NPCSpawner_Fire_Launcher";
const std::string TypeNames::NPC_FireDiamond = "NPC_FireDiamond";
const std::string TypeNames::NPC_FloatingSkull = "NPC_FloatingSkull";
const std::string TypeNames::NPC_ThrowerSkull = "NPC_ThrowerSkull";
const std::string TypeNames::Zone_NPCSpawner_FloatingSkull = "Zone_NPCSPawner_FloatingSkull";
const std::string TypeNames::Projectile_Garden_Plant = "Projectile_Garden_Plant";
const std::string TypeNames::NPC_Garden_Plant = "NPC_Garden_Plant";
const std::string TypeNames::Zone_NPCSpawner_Garden_Plant = "Zone_NPCSpawner_Garden_Plant";
const std::string TypeNames::NPC_JellyFish = "NPC_JellyFish";
const std::string TypeNames::Zone_NPCSpawner_JellyFish = "Zone_NPCSpawner_JellyFish";
const std::string TypeNames::Projectile_Killing_Mechanism = "Projectile_Killing_Mechanism";
const std::string TypeNames::NPC_Killing_Mechanism = "NPC_Killing_Mechanism";
const std::string TypeNames::Zone_NPCSpawner_Killing_Mechanism = "Zone_NPCSpawner_Killing_Mechanism";
const std::string TypeNames::NPC_Located_Claw = "NPC_Located_Claw";
const std::string TypeNames::Zone_NPCSpawner_Located_Claw = "Zone_NPCSpawner_Located_Claw";
const std::string TypeNames::NPC_Lonely_Head = "NPC_Lonely_Head";
const std::string TypeNames::Projectile_Lonely_Head = "Projectile_Lonely_Head";
const std::string TypeNames::Zone_NPCSpawner_Lonely_Head = "Zone_NPCSpawner_Lonely_Head";
const std::string TypeNames::NPC_MiniBoss_Bibli = "NPC_MiniBoss_Bibli";
const std::string TypeNames::Zone_NPCSpawner_MiniBoss_Bibli = "Zone_NPCSpawner_MiniBoss_Bibli";
const std::string TypeNames::NPC_MiniBoss_Boat = "NPC_MiniBoss_Boat";
const std::string TypeNames::Zone_NPCSpawner_MiniBoss_Boat = "Zone_NPCSpawner_MiniBoss_Boat";
const std::string TypeNames::NPC_MiniBoss_Cave = "NPC_MiniBoss_Cave";
const std::string TypeNames::Projectile_MiniBoss_Cave = "Projectile_MiniBoss_Cave";
const std::string TypeNames::Zone_NPCSpawner_MiniBoss_Cave = "Zone_NPCSpawner_MiniBoss_Cave";
const std::string TypeNames::NPC_MiniBoss_FloatingSkull = "NPC_MiniBoss_FloatingSkull";
const std::string TypeNames::Zone_NPCSpawner_MiniBoss_FloatingSkull
    = "Zone_NPCSpawner_MiniBoss_FloatingSkull";
const std::string TypeNames::NPC_MiniBoss_Garden = "NPC_MiniBoss_Garden";
const std::string TypeNames::Zone_NPCSpawner_MiniBoss_Garden = "Zone_NPCSpawner_MiniBoss_Garden";
const std::string TypeNames::NPC_MiniBoss_Snow = "NPC_MiniBoss_Snow";
const std::string TypeNames::Projectile_MiniBoss_Snow = "Projectile_MiniBoss_Snow";
const std::string TypeNames::Zone_NPCSpawner_MiniBoss_Snow = "Zone_NPCSpawner_MiniBoss_Snow";
const std::string TypeNames::NPC_MiniBoss_Underwater_Arm = "NPC_MiniBoss_Underwater_Arm";
const std::string TypeNames::Projectile_MiniBoss_Underwater = "Projectile_MiniBoss_Underwater";
const std::string TypeNames::NPC_MiniBoss_Underwater = "NPC_MiniBoss_Underwater";
const std::string TypeNames::Zone_NPCSpawner_MiniBoss_Underwater = "Zone_NPCSpawner_MiniBoss_Underwater";
const std::string TypeNames::NPC_Seahorse = "NPC_Seahorse";
const std::string TypeNames::Zone_NPCSpawner_Seahorse = "Zone_NPCSpawner_Seahorse";
const std::string TypeNames::Projectile_Seahorse = "Projectile_Seahorse";
const std::string TypeNames::NPC_Thrower = "NPC_Thrower";
const std::string TypeNames::Projectile_Thrower = "Projectile_Thrower";
const std::string TypeNames::Player = "Player";
const std::string TypeNames::Projectile_Crossbow = "Projectile_Crossbow";
const std::string TypeNames::SceneObject = "SceneObject";
const std::string TypeNames::NPC_Script = "NPC_Script";
const std::string TypeNames::UI_Frame = "UI_Frame";
const std::string TypeNames::UI_Frame_Dialogue = "UI_Frame_Dialogue";
const std::string TypeNames::UI_Frame_Text = "UI_Frame_Text";
const std::string TypeNames::UI_Frame_Player = "UI_Frame_Player";
const std::string TypeNames::UI_Menu_Item = "UI_Menu_Item";
const std::string TypeNames::UI_Menu_Page = "UI_Menu_Page";
const std::string TypeNames::UI_Menu = "UI_Menu";

const std::array<const std::string*, TypeNames::Count>& TypeNames::All()
{
    static const std::array<const std::string*, Count> all = {
        &CharacterObject,
        &CollisionShape,
        &CollisionBox,
        &CollisionLine,
        &GameplayObject,
        &GameplayObject_Zone,
        &Point_PlayerStart,
        &ZoneHolder,
        &ZoneSecret,
        &Point_MinimapLocation,
        &Zone_LoadMap,
        &Zone_ClimbJump,
        &Zone_NPCSpawner_Door,
        &Zone_NPCSpawner_FireDiamond,
        &Zone_NPCSpawner_Thrower,
        &Zone_NPCSpawner_BoatWorm,
        &Zone_Teleport,
        &Zone_PickupObject,
        &Zone_Save,
        &Zone_TriggerScript,
        &GraphicalObject,
        &CameraBlocker,
        &NPC_Bibli_Ghost,
        &Zone_NPCSpawner_Bibli_Ghost,
        &Projectile_Ins_Acid,
        &NPC_BoatIns,
        &NPC_BoatPlant,
        &Zone_NPCSpawner_BoatPlant,
        &NPC_BoatWorm,
        &Projectile_BoatWorm,
        &Projectile_Boss2_Bibli_Lava,
        &Projectile_Boss2_Bibli_LaserBeam,
        &Projectile_Boss2_Bibli_Guardian,
        &NPC_Boss2_Bibli,
        &Zone_NPCSpawner_Boss2_Bibli,
        &NPC_Boss2_Boat,
        &Projectile_Boss2_Boat,
        &Zone_NPCSpawner_Boss2_Boat,
        &NPC_Boss2_Cave,
        &Projectile_Boss2_Cave,
        &Zone_NPCSpawner_Boss2_Cave,
        &NPC_Boss2_Garden,
        &Projectile_Boss2_Garden,
        &Projectile_Boss2_Garden_Scyte,
        &Zone_NPCSpawner_Boss2_Garden,
        &NPC_Boss2_Snow,
        &NPC_Boss2_Snow_Enemy,
        &Zone_NPCSpawner_Boss2_Snow,
        &NPC_Boss2_Underwater,
        &Projectile_Boss2_Underwater,
        &Zone_NPCSpawner_Boss2_Underwater,
        &Projectile_Boss_Bibli,
        &NPC_Boss_Bibli,
        &Zone_NPCSpawner_Boss_Bibli,
        &Projectile_Boss_Boat,
        &NPC_Boss_Boat,
        &Zone_NPCSpawner_Boss_Boat,
        &NPC_Boss_Cave,
        &Zone_NPCSpawner_Boss_Cave,
        &Projectile_Boss_Cave,
        &Projectile_Boss_Final,
        &NPC_Boss_Final,
        &Zone_NPCSpawner_Boss_Final,
        &NPC_Boss_Garden,
        &Projectile_Boss_Garden_String,
        &Projectile_Boss_Garden_Beam,
        &Zone_NPCSpawner_Boss_Garden,
        &Projectile_Boss_Snow,
        &NPC_Boss_Snow_Arm,
        &NPC_Boss_Snow,
        &Zone_NPCSpawner_Boss_Snow,
        &Projectile_Boss_Ultimate,
        &NPC_Boss_Ultimate,
        &Zone_NPCSpawner_Boss_Ultimate,
        &NPC_Boss_Underwater,
        &Projectile_Boss_Underwater,
        &NPC_Boss_Underwater_Line,
        &Zone_NPCSpawner_Boss_Underwater,
        &Projectile_Chained_Skull,
        &NPC_Chained_Skull,
        &Zone_NPCSpawner_Chained_Skull,
        &NPC_CrouchSkull,
        &Zone_NPCSpawner_CrouchSkull,
        &NPC_CrouchSkull_Boat,
        &Zone_NPCSpawner_CrouchSkull_Boat,
        &NPC_CrouchSkull_Ghost,
        &Zone_NPCSpawner_CrouchSkull_Ghost,
        &NPC_CrouchSkull_Strong,
        &Zone_NPCSpawner_CrouchSkull_Strong,
        &Projectile_Dead_Fish_Spike,
        &NPC_Dead_Fish,
        &Zone_NPCSpawner_Dead_Fish,
        &NPC_Door,
        &Projectile_SadSoul,
        &NPC_DreamCatcher,
        &Zone_NPCSpawner_DreamCatcher,
        &Projectile_Fire_Launcher,
        &NPC_Fire_Launcher,
        &Zone_NPCSpawner_Fire_Launcher,
        &NPC_FireDiamond,
        &NPC_FloatingSkull,
        &NPC_ThrowerSkull,
        &Zone_NPCSpawner_FloatingSkull,
        &Projectile_Garden_Plant,
        &NPC_Garden_Plant,
        &Zone_NPCSpawner_Garden_Plant,
        &NPC_JellyFish,
        &Zone_NPCSpawner_JellyFish,
        &Projectile_Killing_Mechanism,
        &NPC_Killing_Mechanism,
        &Zone_NPCSpawner_Killing_Mechanism,
        &NPC_Located_Claw,
        &Zone_NPCSpawner_Located_Claw,
        &NPC_Lonely_Head,
        &Projectile_Lonely_Head,
        &Zone_NPCSpawner_Lonely_Head,
        &NPC_MiniBoss_Bibli,
        &Zone_NPCSpawner_MiniBoss_Bibli,
        &NPC_MiniBoss_Boat,
        &Zone_NPCSpawner_MiniBoss_Boat,
        &NPC_MiniBoss_Cave,
        &Projectile_MiniBoss_Cave,
        &Zone_NPCSpawner_MiniBoss_Cave,
        &NPC_MiniBoss_FloatingSkull,
        &Zone_NPCSpawner_MiniBoss_FloatingSkull,
        &NPC_MiniBoss_Garden,
        &Zone_NPCSpawner_MiniBoss_Garden,
        &NPC_MiniBoss_Snow,
        &Projectile_MiniBoss_Snow,
        &Zone_NPCSpawner_MiniBoss_Snow,
        &NPC_MiniBoss_Underwater_Arm,
        &Projectile_MiniBoss_Underwater,
        &NPC_MiniBoss_Underwater,
        &Zone_NPCSpawner_MiniBoss_Underwater,
        &NPC_Seahorse,
        &Zone_NPCSpawner_Seahorse,
        &Projectile_Seahorse,
        &NPC_Thrower,
        &Projectile_Thrower,
        &Player,
        &Projectile_Crossbow,
        &SceneObject,
        &NPC_Script,
        &UI_Frame,
        &UI_Frame_Dialogue,
        &UI_Frame_Text,
        &UI_Frame_Player,
        &UI_Menu_Item,
        &UI_Menu_Page,
        &UI_Menu,
    };
    return all;
}

const std::string CharacterEventNames::OnExplose = "OnExplose";
const std::string CharacterEventNames::OnSpecial_01 = "OnSpecial_01";
const std::string CharacterEventNames::OnExploseWithPower = "OnExploseWithPower";

const std::array<const std::string*, 3>& CharacterEventNames::All()
{
    static const std::array<const std::string*, 3> all = {&OnExplose, &OnSpecial_01, &OnExploseWithPower};
    return all;
}
