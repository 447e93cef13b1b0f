#pragma once

#include "engine/serial/IntSerialize.h"
#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// Spawner zone: each placement brings a "NPC_Door" character into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_Door : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        Instance()
        {
            RegisterMember(&DoorKind);
            RegisterMember(&DoorSide);
            size = PointSerialize<int>(Point<int>(32, 96));
        }
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_Door::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        void Spawn(int x, int y, Level* level) override;
        // Door kind: 0 classic, 3 crossbow.
        IntSerialize DoorKind {0};
        // Door side: 0 left, any other value right.
        IntSerialize DoorSide {0};
    };

    explicit Zone_NPCSpawner_Door(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_Door;
    }

    static std::string VersionedClassName() { return std::string("Zone_NPCSpawner_Door") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // The zone does not follow the player.
    bool UpdatePlayerContact(Placed*) override { return false; }
};
