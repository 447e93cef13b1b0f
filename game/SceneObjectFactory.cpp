#include "engine/app/UsageObserver.h"
#include "game/Game.h"

#include "engine/serial/LineReaders.h"
#include "engine/serial/TypeNames.h"
#include "scene/CameraBlocker.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneObject.h"
#include "ui/UI_Frame_Dialogue.h"
#include "ui/UI_Frame_Player.h"
#include "ui/UI_Menu.h"
#include "ui/UI_Menu_Page.h"
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
#include <array>

namespace {

// One class the factory makes: its key, its class name (the library record's
// class line is the class name followed by "V0"), whether the game library
// may hold a record of it, and its constructor.
struct SceneObjectClass {
    const std::string* key;
    const char* className;
    bool inLibrary;
    SceneObject* (*create)(std::string name);
};

// In the order the keys are tested; the first equal key wins.
const std::array<SceneObjectClass, 59>& SceneObjectClasses()
{
    static const std::array<SceneObjectClass, 59> classes = {{
        {&TypeNames::SceneObject, "SceneObject", false,
            [](std::string name) -> SceneObject* { return new SceneObject(std::move(name)); }},
        {&TypeNames::GraphicalObject, "GraphicalObject", true,
            [](std::string name) -> SceneObject* { return new GraphicalObject(std::move(name)); }},
        {&TypeNames::ZoneHolder, "ZoneHolder", true,
            [](std::string name) -> SceneObject* { return new ZoneHolder(std::move(name)); }},
        {&TypeNames::ZoneSecret, "ZoneSecret", true,
            [](std::string name) -> SceneObject* { return new ZoneSecret(std::move(name)); }},
        {&TypeNames::CameraBlocker, "CameraBlocker", true,
            [](std::string name) -> SceneObject* { return new CameraBlocker(std::move(name)); }},
        {&TypeNames::UI_Frame_Dialogue, "UI_Frame_Dialogue", true,
            [](std::string name) -> SceneObject* { return new UI_Frame_Dialogue(std::move(name)); }},
        {&TypeNames::UI_Frame_Player, "UI_Frame_Player", true,
            [](std::string name) -> SceneObject* { return new UI_Frame_Player(std::move(name)); }},
        {&TypeNames::UI_Menu, "UI_Menu", true,
            [](std::string name) -> SceneObject* { return new UI_Menu(std::move(name)); }},
        {&TypeNames::UI_Menu_Page, "UI_Menu_Page", true,
            [](std::string name) -> SceneObject* { return new UI_Menu_Page(std::move(name)); }},
        {&TypeNames::Zone_LoadMap, "Zone_LoadMap", true,
            [](std::string name) -> SceneObject* { return new Zone_LoadMap(std::move(name)); }},
        {&TypeNames::Zone_ClimbJump, "Zone_ClimbJump", true,
            [](std::string name) -> SceneObject* { return new Zone_ClimbJump(std::move(name)); }},
        {&TypeNames::Zone_PickupObject, "Zone_PickupObject", true,
            [](std::string name) -> SceneObject* { return new Zone_PickupObject(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_FloatingSkull, "Zone_NPCSpawner_FloatingSkull", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_FloatingSkull(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_CrouchSkull, "Zone_NPCSpawner_CrouchSkull", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_CrouchSkull(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_CrouchSkull_Boat, "Zone_NPCSpawner_CrouchSkull_Boat", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_CrouchSkull_Boat(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_CrouchSkull_Ghost, "Zone_NPCSpawner_CrouchSkull_Ghost", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_CrouchSkull_Ghost(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_BoatPlant, "Zone_NPCSpawner_BoatPlant", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_BoatPlant(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_CrouchSkull_Strong, "Zone_NPCSpawner_CrouchSkull_Strong", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_CrouchSkull_Strong(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Door, "Zone_NPCSpawner_Door", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_Door(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_FireDiamond, "Zone_NPCSpawner_FireDiamond", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_FireDiamond(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Thrower, "Zone_NPCSpawner_Thrower", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_Thrower(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_BoatWorm, "Zone_NPCSpawner_BoatWorm", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_BoatWorm(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_DreamCatcher, "Zone_NPCSpawner_DreamCatcher", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_DreamCatcher(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Located_Claw, "Zone_NPCSpawner_Located_Claw", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Located_Claw(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Lonely_Head, "Zone_NPCSpawner_Lonely_Head", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Lonely_Head(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Seahorse, "Zone_NPCSpawner_Seahorse", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_Seahorse(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_Fire_Launcher, "Zone_NPCSpawner_Fire_Launcher", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Fire_Launcher(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Dead_Fish, "Zone_NPCSpawner_Dead_Fish", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_Dead_Fish(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_JellyFish, "Zone_NPCSpawner_JellyFish", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_JellyFish(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_MiniBoss_Bibli, "Zone_NPCSpawner_MiniBoss_Bibli", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_MiniBoss_Bibli(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_MiniBoss_FloatingSkull, "Zone_NPCSpawner_MiniBoss_FloatingSkull", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_MiniBoss_FloatingSkull(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_MiniBoss_Cave, "Zone_NPCSpawner_MiniBoss_Cave", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_MiniBoss_Cave(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_MiniBoss_Garden, "Zone_NPCSpawner_MiniBoss_Garden", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_MiniBoss_Garden(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_MiniBoss_Boat, "Zone_NPCSpawner_MiniBoss_Boat", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_MiniBoss_Boat(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_MiniBoss_Snow, "Zone_NPCSpawner_MiniBoss_Snow", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_MiniBoss_Snow(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_MiniBoss_Underwater, "Zone_NPCSpawner_MiniBoss_Underwater", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_MiniBoss_Underwater(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Bibli_Ghost, "Zone_NPCSpawner_Bibli_Ghost", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Bibli_Ghost(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Garden_Plant, "Zone_NPCSpawner_Garden_Plant", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Garden_Plant(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Boss_Snow, "Zone_NPCSpawner_Boss_Snow", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_Boss_Snow(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_Boss_Garden, "Zone_NPCSpawner_Boss_Garden", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Boss_Garden(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Boss_Underwater, "Zone_NPCSpawner_Boss_Underwater", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Boss_Underwater(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Boss_Bibli, "Zone_NPCSpawner_Boss_Bibli", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_Boss_Bibli(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_Boss_Cave, "Zone_NPCSpawner_Boss_Cave", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_Boss_Cave(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_Boss_Ultimate, "Zone_NPCSpawner_Boss_Ultimate", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Boss_Ultimate(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Boss_Final, "Zone_NPCSpawner_Boss_Final", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_Boss_Final(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_Boss_Boat, "Zone_NPCSpawner_Boss_Boat", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_Boss_Boat(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_Boss2_Garden, "Zone_NPCSpawner_Boss2_Garden", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Boss2_Garden(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Boss2_Bibli, "Zone_NPCSpawner_Boss2_Bibli", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Boss2_Bibli(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Boss2_Boat, "Zone_NPCSpawner_Boss2_Boat", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_Boss2_Boat(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_Boss2_Cave, "Zone_NPCSpawner_Boss2_Cave", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_Boss2_Cave(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_Boss2_Underwater, "Zone_NPCSpawner_Boss2_Underwater", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Boss2_Underwater(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Boss2_Snow, "Zone_NPCSpawner_Boss2_Snow", true,
            [](std::string name) -> SceneObject* { return new Zone_NPCSpawner_Boss2_Snow(std::move(name)); }},
        {&TypeNames::Zone_NPCSpawner_Killing_Mechanism, "Zone_NPCSpawner_Killing_Mechanism", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Killing_Mechanism(std::move(name));
            }},
        {&TypeNames::Zone_NPCSpawner_Chained_Skull, "Zone_NPCSpawner_Chained_Skull", true,
            [](std::string name) -> SceneObject* {
                return new Zone_NPCSpawner_Chained_Skull(std::move(name));
            }},
        {&TypeNames::Point_PlayerStart, "Point_PlayerStart", true,
            [](std::string name) -> SceneObject* { return new Point_PlayerStart(std::move(name)); }},
        {&TypeNames::Zone_Save, "Zone_Save", true,
            [](std::string name) -> SceneObject* { return new Zone_Save(std::move(name)); }},
        {&TypeNames::Point_MinimapLocation, "Point_MinimapLocation", true,
            [](std::string name) -> SceneObject* { return new Point_MinimapLocation(std::move(name)); }},
        {&TypeNames::Zone_Teleport, "Zone_Teleport", true,
            [](std::string name) -> SceneObject* { return new Zone_Teleport(std::move(name)); }},
        {&TypeNames::Zone_TriggerScript, "Zone_TriggerScript", true,
            [](std::string name) -> SceneObject* { return new Zone_TriggerScript(std::move(name)); }},
    }};
    return classes;
}

// The marker of an older graphical-object layout; the four lines after it
// are skipped and the fifth is the class line.
const char* const kOldGraphicalObjectMarker = "_GraphicalObject_updatetag_1.4_";

} // namespace

std::vector<std::string> Game::SceneObjectClassKeys()
{
    std::vector<std::string> keys;
    for (const SceneObjectClass& entry : SceneObjectClasses())
        keys.push_back(*entry.key);
    return keys;
}

SceneObject* Game::CreateSceneObjectByClass(std::string name, std::string classKey, std::string category)
{
    for (const SceneObjectClass& entry : SceneObjectClasses()) {
        if (*entry.key != classKey)
            continue;
        NoteUse("scene object class", classKey);
        SceneObject* object = entry.create(std::move(name));
        sceneObjects.push_back(object);
        if (!category.empty())
            object->SetCategory(std::move(category));
        object->PostUnSerialize();
        return object;
    }
    return nullptr;
}

SceneObject* Game::UnSerializeSceneObjects(std::istream& is, Game* game)
{
    std::string classLine;
    ReadStringLine(is, classLine);
    if (classLine == kOldGraphicalObjectMarker) {
        for (int i = 0; i < 5; ++i)
            ReadStringLine(is, classLine);
    }
    if (game == nullptr)
        return nullptr;
    const SceneObjectClass* match = nullptr;
    for (const SceneObjectClass& entry : SceneObjectClasses()) {
        if (!entry.inLibrary)
            continue;
        const std::string versioned = std::string(entry.className) + "V0";
        // The dialogue frame also reads the records of its base frame class.
        if (classLine == versioned
            || (*entry.key == TypeNames::UI_Frame_Dialogue && classLine == TypeNames::UI_Frame + "V0")) {
            match = &entry;
            break;
        }
    }
    if (match == nullptr)
        return nullptr;
    SceneObject* object = game->CreateSceneObjectByClass("", *match->key, "");
    if (object == nullptr || !object->UnSerialize(is))
        return nullptr;
    if (*match->key == TypeNames::GraphicalObject) {
        auto* graphical = static_cast<GraphicalObject*>(object);
        game->nameMap.emplace(graphical->GetName(), graphical);
    }
    return object;
}
