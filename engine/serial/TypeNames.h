#pragma once

#include <array>
#include <cstddef>
#include <string>

// The type name of every class whose objects are created by name, written to
// files or named in scripts. Factories, the level and game-library readers and
// the script commands compare against these texts; a versioned class name is
// the type name followed by "V0". Each member is named after its class; three
// keys differ from their class and files use them as they stand:
//   Zone_ClimbJump                -> "Climb_Zone"
//   Zone_TriggerScript            -> "Zone_TriggerZone"
//   Zone_NPCSpawner_FloatingSkull -> "Zone_NPCSPawner_FloatingSkull"
// The strings are built before main, in the order of All(), and never change.
// Read them at run time, not from initialisers of other files' globals (the
// order of initialisation between files is unspecified).
struct TypeNames {
    static const std::string CharacterObject;
    static const std::string CollisionShape;
    static const std::string CollisionBox;
    static const std::string CollisionLine;
    static const std::string GameplayObject;
    static const std::string GameplayObject_Zone;
    static const std::string Point_PlayerStart;
    static const std::string ZoneHolder;
    static const std::string ZoneSecret;
    static const std::string Point_MinimapLocation;
    static const std::string Zone_LoadMap;
    static const std::string Zone_ClimbJump;
    static const std::string Zone_NPCSpawner_Door;
    static const std::string Zone_NPCSpawner_FireDiamond;
    static const std::string Zone_NPCSpawner_Thrower;
    static const std::string Zone_NPCSpawner_BoatWorm;
    static const std::string Zone_Teleport;
    static const std::string Zone_PickupObject;
    static const std::string Zone_Save;
    static const std::string Zone_TriggerScript;
    static const std::string GraphicalObject;
    static const std::string CameraBlocker;
    static const std::string NPC_Bibli_Ghost;
    static const std::string Zone_NPCSpawner_Bibli_Ghost;
    static const std::string Projectile_Ins_Acid;
    static const std::string NPC_BoatIns;
    static const std::string NPC_BoatPlant;
    static const std::string Zone_NPCSpawner_BoatPlant;
    static const std::string NPC_BoatWorm;
    static const std::string Projectile_BoatWorm;
    static const std::string Projectile_Boss2_Bibli_Lava;
    static const std::string Projectile_Boss2_Bibli_LaserBeam;
    static const std::string Projectile_Boss2_Bibli_Guardian;
    static const std::string NPC_Boss2_Bibli;
    static const std::string Zone_NPCSpawner_Boss2_Bibli;
    static const std::string NPC_Boss2_Boat;
    static const std::string Projectile_Boss2_Boat;
    static const std::string Zone_NPCSpawner_Boss2_Boat;
    static const std::string NPC_Boss2_Cave;
    static const std::string Projectile_Boss2_Cave;
    static const std::string Zone_NPCSpawner_Boss2_Cave;
    static const std::string NPC_Boss2_Garden;
    static const std::string Projectile_Boss2_Garden;
    static const std::string Projectile_Boss2_Garden_Scyte;
    static const std::string Zone_NPCSpawner_Boss2_Garden;
    static const std::string NPC_Boss2_Snow;
    static const std::string NPC_Boss2_Snow_Enemy;
    static const std::string Zone_NPCSpawner_Boss2_Snow;
    static const std::string NPC_Boss2_Underwater;
    static const std::string Projectile_Boss2_Underwater;
    static const std::string Zone_NPCSpawner_Boss2_Underwater;
    static const std::string Projectile_Boss_Bibli;
    static const std::string NPC_Boss_Bibli;
    static const std::string Zone_NPCSpawner_Boss_Bibli;
    static const std::string Projectile_Boss_Boat;
    static const std::string NPC_Boss_Boat;
    static const std::string Zone_NPCSpawner_Boss_Boat;
    static const std::string NPC_Boss_Cave;
    static const std::string Zone_NPCSpawner_Boss_Cave;
    static const std::string Projectile_Boss_Cave;
    static const std::string Projectile_Boss_Final;
    static const std::string NPC_Boss_Final;
    static const std::string Zone_NPCSpawner_Boss_Final;
    static const std::string NPC_Boss_Garden;
    static const std::string Projectile_Boss_Garden_String;
    static const std::string Projectile_Boss_Garden_Beam;
    static const std::string Zone_NPCSpawner_Boss_Garden;
    static const std::string Projectile_Boss_Snow;
    static const std::string NPC_Boss_Snow_Arm;
    static const std::string NPC_Boss_Snow;
    static const std::string Zone_NPCSpawner_Boss_Snow;
    static const std::string Projectile_Boss_Ultimate;
    static const std::string NPC_Boss_Ultimate;
    static const std::string Zone_NPCSpawner_Boss_Ultimate;
    static const std::string NPC_Boss_Underwater;
    static const std::string Projectile_Boss_Underwater;
    static const std::string NPC_Boss_Underwater_Line;
    static const std::string Zone_NPCSpawner_Boss_Underwater;
    static const std::string Projectile_Chained_Skull;
    static const std::string NPC_Chained_Skull;
    static const std::string Zone_NPCSpawner_Chained_Skull;
    static const std::string NPC_CrouchSkull;
    static const std::string Zone_NPCSpawner_CrouchSkull;
    static const std::string NPC_CrouchSkull_Boat;
    static const std::string Zone_NPCSpawner_CrouchSkull_Boat;
    static const std::string NPC_CrouchSkull_Ghost;
    static const std::string Zone_NPCSpawner_CrouchSkull_Ghost;
    static const std::string NPC_CrouchSkull_Strong;
    static const std::string Zone_NPCSpawner_CrouchSkull_Strong;
    static const std::string Projectile_Dead_Fish_Spike;
    static const std::string NPC_Dead_Fish;
    static const std::string Zone_NPCSpawner_Dead_Fish;
    static const std::string NPC_Door;
    static const std::string Projectile_SadSoul;
    static const std::string NPC_DreamCatcher;
    static const std::string Zone_NPCSpawner_DreamCatcher;
    static const std::string Projectile_Fire_Launcher;
    static const std::string NPC_Fire_Launcher;
    static const std::string Zone_NPCSpawner_Fire_Launcher;
    static const std::string NPC_FireDiamond;
    static const std::string NPC_FloatingSkull;
    static const std::string NPC_ThrowerSkull;
    static const std::string Zone_NPCSpawner_FloatingSkull;
    static const std::string Projectile_Garden_Plant;
    static const std::string NPC_Garden_Plant;
    static const std::string Zone_NPCSpawner_Garden_Plant;
    static const std::string NPC_JellyFish;
    static const std::string Zone_NPCSpawner_JellyFish;
    static const std::string Projectile_Killing_Mechanism;
    static const std::string NPC_Killing_Mechanism;
    static const std::string Zone_NPCSpawner_Killing_Mechanism;
    static const std::string NPC_Located_Claw;
    static const std::string Zone_NPCSpawner_Located_Claw;
    static const std::string NPC_Lonely_Head;
    static const std::string Projectile_Lonely_Head;
    static const std::string Zone_NPCSpawner_Lonely_Head;
    static const std::string NPC_MiniBoss_Bibli;
    static const std::string Zone_NPCSpawner_MiniBoss_Bibli;
    static const std::string NPC_MiniBoss_Boat;
    static const std::string Zone_NPCSpawner_MiniBoss_Boat;
    static const std::string NPC_MiniBoss_Cave;
    static const std::string Projectile_MiniBoss_Cave;
    static const std::string Zone_NPCSpawner_MiniBoss_Cave;
    static const std::string NPC_MiniBoss_FloatingSkull;
    static const std::string Zone_NPCSpawner_MiniBoss_FloatingSkull;
    static const std::string NPC_MiniBoss_Garden;
    static const std::string Zone_NPCSpawner_MiniBoss_Garden;
    static const std::string NPC_MiniBoss_Snow;
    static const std::string Projectile_MiniBoss_Snow;
    static const std::string Zone_NPCSpawner_MiniBoss_Snow;
    static const std::string NPC_MiniBoss_Underwater_Arm;
    static const std::string Projectile_MiniBoss_Underwater;
    static const std::string NPC_MiniBoss_Underwater;
    static const std::string Zone_NPCSpawner_MiniBoss_Underwater;
    static const std::string NPC_Seahorse;
    static const std::string Zone_NPCSpawner_Seahorse;
    static const std::string Projectile_Seahorse;
    static const std::string NPC_Thrower;
    static const std::string Projectile_Thrower;
    static const std::string Player;
    static const std::string Projectile_Crossbow;
    static const std::string SceneObject;
    static const std::string NPC_Script;
    static const std::string UI_Frame;
    static const std::string UI_Frame_Dialogue;
    static const std::string UI_Frame_Text;
    static const std::string UI_Frame_Player;
    static const std::string UI_Menu_Item;
    static const std::string UI_Menu_Page;
    static const std::string UI_Menu;

    static constexpr std::size_t Count = 150;

    // Every type name, in the order in which they are built.
    static const std::array<const std::string*, Count>& All();
};

// Names of the three event prototypes every character starts from, in order.
struct CharacterEventNames {
    static const std::string OnExplose;
    static const std::string OnSpecial_01;
    static const std::string OnExploseWithPower;

    static const std::array<const std::string*, 3>& All();
};
