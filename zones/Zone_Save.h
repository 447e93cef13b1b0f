#pragma once

#include "engine/serial/StrSerialize.h"
#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// A save point: touching it refills the player's life, saves the game with
// the zone's corner as the respawn point and switches the zone off until the
// level is loaded again. "Saved !" shows only when the save was written.
class Zone_Save : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        Instance() { RegisterMember(&direction); }
        static std::string VersionedClassName() { return std::string("Zone_Save::Instance") + "V0"; }
        std::string GetVersionedClassName() override { return VersionedClassName(); }

        // "Right": the player faces right when resumed here; anything else, left.
        StrSerialize direction {""};
    };

    explicit Zone_Save(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_Save;
    }

    static std::string VersionedClassName() { return std::string("Zone_Save") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    bool UpdatePlayerContact(Placed* placed) override;
};
