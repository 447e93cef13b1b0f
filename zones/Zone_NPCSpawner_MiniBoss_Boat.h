#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// Spawner zone: each placement brings a "NPC_MiniBoss_Boat" character into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_MiniBoss_Boat : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_MiniBoss_Boat::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        void Spawn(int x, int y, Level* level) override;
    };

    explicit Zone_NPCSpawner_MiniBoss_Boat(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_MiniBoss_Boat;
    }

    static std::string VersionedClassName() { return std::string("Zone_NPCSpawner_MiniBoss_Boat") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // The zone does not follow the player.
    bool UpdatePlayerContact(Placed*) override { return false; }
};
