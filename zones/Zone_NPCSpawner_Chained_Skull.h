#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// Spawner zone: each placement brings a "NPC_Chained_Skull" character into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_Chained_Skull : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        Instance() { size = PointSerialize<int>(Point<int>(96, 96)); }
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_Chained_Skull::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        void Spawn(int x, int y, Level* level) override;
    };

    explicit Zone_NPCSpawner_Chained_Skull(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_Chained_Skull;
    }

    static std::string VersionedClassName() { return std::string("Zone_NPCSpawner_Chained_Skull") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // The zone does not follow the player.
    bool UpdatePlayerContact(Placed*) override { return false; }
};
