#pragma once

#include "engine/serial/IntSerialize.h"
#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// Spawner zone: each placement brings a "NPC_JellyFish" character into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_JellyFish : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        Instance() { RegisterMember(&SpawnCount); }
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_JellyFish::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        void Spawn(int x, int y, Level* level) override;
        // Number of jellyfish made.
        IntSerialize SpawnCount {1};
    };

    explicit Zone_NPCSpawner_JellyFish(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_JellyFish;
    }

    static std::string VersionedClassName() { return std::string("Zone_NPCSpawner_JellyFish") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
};
