#pragma once

#include "engine/serial/IntSerialize.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// Spawner zone: each placement brings a "NPC_BoatPlant" character into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_BoatPlant : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        Instance()
        {
            RegisterMember(&LinkedZoneName);
            RegisterMember(&PlantParameter);
            size = PointSerialize<int>(Point<int>(64, 96));
        }
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_BoatPlant::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        void Spawn(int x, int y, Level* level) override;
        // The zone of the scene layers handed to the plant.
        StrSerialize LinkedZoneName {""};
        // Number handed to the plant.
        IntSerialize PlantParameter {1};
    };

    explicit Zone_NPCSpawner_BoatPlant(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_BoatPlant;
    }

    static std::string VersionedClassName() { return std::string("Zone_NPCSpawner_BoatPlant") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // The zone does not follow the player.
    bool UpdatePlayerContact(Placed*) override { return false; }
};
