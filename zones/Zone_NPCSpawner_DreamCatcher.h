#pragma once

#include "engine/serial/IntSerialize.h"
#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// Spawner zone: each placement brings a "NPC_DreamCatcher" character into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_DreamCatcher : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        Instance()
        {
            RegisterMember(&ProjectileCount);
            size = PointSerialize<int>(Point<int>(64, 160));
        }
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_DreamCatcher::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        void Spawn(int x, int y, Level* level) override;
        // Projectiles thrown at each attack.
        IntSerialize ProjectileCount {1};
    };

    explicit Zone_NPCSpawner_DreamCatcher(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_DreamCatcher;
    }

    static std::string VersionedClassName() { return std::string("Zone_NPCSpawner_DreamCatcher") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // The zone does not follow the player.
    bool UpdatePlayerContact(Placed*) override { return false; }
};
