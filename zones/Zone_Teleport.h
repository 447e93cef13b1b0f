#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// A teleporter. The first touch in a level the game has no record of
// records the level as a discovered teleporter, counts a point and says so;
// with two teleporters known, standing in it offers the teleport menu.
class Zone_Teleport : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        static std::string VersionedClassName() { return std::string("Zone_Teleport::Instance") + "V0"; }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        // Restores the discovered flag from the game's records of the level.
        void Spawn(int x, int y, Level* level) override;

        // The game holds a record of this level (not in the file).
        bool discovered = false;
        // The help dialogue's file could not be read (not in the file).
        bool hintUnavailable = false;
    };

    explicit Zone_Teleport(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_Teleport;
    }

    static std::string VersionedClassName() { return std::string("Zone_Teleport") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // Discovery, and with two teleporters known the use hint and the menu.
    bool UpdateInstance(Placed* placed) override;
};
