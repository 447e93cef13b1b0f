#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// Spawner zone: each placement brings a "NPC_Thrower" character into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_Thrower : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        // The zone is as large as the thrower's idle picture when the game
        // library has it, else 32 x 32.
        Instance();
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_Thrower::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        void Spawn(int x, int y, Level* level) override;
    };

    explicit Zone_NPCSpawner_Thrower(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_Thrower;
    }

    static std::string VersionedClassName() { return std::string("Zone_NPCSpawner_Thrower") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
};
