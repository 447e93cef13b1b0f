#pragma once

#include "engine/serial/IntSerialize.h"
#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// Spawner zone: each placement brings a "NPC_Boss_Cave" character into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_Boss_Cave : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        Instance()
        {
            RegisterMember(&HeadRole);
            size = PointSerialize<int>(Point<int>(288, 288));
        }
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_Boss_Cave::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        void Spawn(int x, int y, Level* level) override;
        // 0 head facing right, 1 head facing left, 2 heads manager.
        IntSerialize HeadRole {0};
    };

    explicit Zone_NPCSpawner_Boss_Cave(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_Boss_Cave;
    }

    static std::string VersionedClassName() { return std::string("Zone_NPCSpawner_Boss_Cave") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // The zone does not follow the player.
    bool UpdatePlayerContact(Placed*) override { return false; }
};
