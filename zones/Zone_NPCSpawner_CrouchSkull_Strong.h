#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/ZoneInstance.h"
#include "zones/Zone_NPCSpawner_CrouchSkull.h"

#include <string>
#include <utility>

// Spawner zone: each placement brings a "NPC_CrouchSkull_Strong" character into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_CrouchSkull_Strong : public Zone_NPCSpawner_CrouchSkull {
public:
    class Instance : public ZoneInstance {
    public:
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_CrouchSkull_Strong::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        void Spawn(int x, int y, Level* level) override;
        // The skull made by the last spawn (the game's character list owns it).
        CharacterObject* character = nullptr;
    };

    explicit Zone_NPCSpawner_CrouchSkull_Strong(std::string name)
        : Zone_NPCSpawner_CrouchSkull(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_CrouchSkull_Strong;
    }

    static std::string VersionedClassName()
    {
        return std::string("Zone_NPCSpawner_CrouchSkull_Strong") + "V0";
    }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // The zone contact rule, which its parent does not run.
    bool UpdatePlayerContact(Placed* placed) override
    {
        return GameplayObject_Zone::UpdatePlayerContact(placed);
    }
};
