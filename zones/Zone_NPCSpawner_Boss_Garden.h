#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// Spawner zone: each placement brings a "NPC_Boss_Garden" character into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_Boss_Garden : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_Boss_Garden::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        void Spawn(int x, int y, Level* level) override;
    };

    explicit Zone_NPCSpawner_Boss_Garden(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_Boss_Garden;
    }

    static std::string VersionedClassName() { return std::string("Zone_NPCSpawner_Boss_Garden") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // The zone does not follow the player.
    bool UpdatePlayerContact(Placed*) override { return false; }
};
