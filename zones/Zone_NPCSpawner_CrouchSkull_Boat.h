#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/ZoneInstance.h"
#include "zones/Zone_NPCSpawner_CrouchSkull.h"

#include <string>
#include <utility>

class CharacterObject;

// Spawner zone: each placement brings a "NPC_CrouchSkull_Boat" character into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_CrouchSkull_Boat : public Zone_NPCSpawner_CrouchSkull {
public:
    class Instance : public ZoneInstance {
    public:
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_CrouchSkull_Boat::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        Instance() = default;
        // Unlinks the skull, which may outlive the placement.
        ~Instance() override { Unlink(); }
        Instance(const Instance&) = delete;
        Instance& operator=(const Instance&) = delete;
        void Spawn(int x, int y, Level* level) override;
        // Clears the link both ways.
        void Unlink();
        // The skull made by the last spawn (the game's character list owns
        // it); cleared by the skull when it is destroyed first.
        CharacterObject* character = nullptr;
    };

    explicit Zone_NPCSpawner_CrouchSkull_Boat(std::string name)
        : Zone_NPCSpawner_CrouchSkull(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_CrouchSkull_Boat;
    }

    static std::string VersionedClassName() { return std::string("Zone_NPCSpawner_CrouchSkull_Boat") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // The zone contact rule, which its parent does not run.
    bool UpdatePlayerContact(Placed* placed) override
    {
        return GameplayObject_Zone::UpdatePlayerContact(placed);
    }
    // The skull follows the player faster while the player is in the zone.
    void OnEnter(Placed* placed) override;
    void OnLeave(Placed* placed) override;
};
