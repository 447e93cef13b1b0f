#pragma once

#include "engine/serial/IntSerialize.h"
#include "engine/serial/TypeNames.h"
#include "zones/ZoneInstance.h"
#include "zones/Zone_NPCSpawner_FloatingSkull.h"

#include <string>
#include <utility>

// Spawner zone: each placement brings a "NPC_MiniBoss_FloatingSkull" character into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_MiniBoss_FloatingSkull : public Zone_NPCSpawner_FloatingSkull {
public:
    class Instance : public ZoneInstance {
    public:
        Instance() { RegisterMember(&ChildCount); }
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_MiniBoss_FloatingSkull::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        void Spawn(int x, int y, Level* level) override;
        // Floating skulls the mini-boss makes around itself.
        IntSerialize ChildCount {1};
    };

    explicit Zone_NPCSpawner_MiniBoss_FloatingSkull(std::string name)
        : Zone_NPCSpawner_FloatingSkull(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_MiniBoss_FloatingSkull;
    }

    static std::string VersionedClassName()
    {
        return std::string("Zone_NPCSpawner_MiniBoss_FloatingSkull") + "V0";
    }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // The zone does not follow the player.
    bool UpdatePlayerContact(Placed*) override { return false; }
};
