#pragma once

#include "engine/serial/StrSerialize.h"
#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// A level exit: while the player touches it, it asks the game every frame to
// change to its level and place the player at its start point. It fires only
// for a player who entered it: one who arrives inside it (a start point or a
// reload within the zone) must leave it first, or an exit leading back to its
// own level would send him round for ever.
class Zone_LoadMap : public GameplayObject_Zone {
public:
    static constexpr std::string_view kTagStartPoint = "_Zone_LoadMap::Instance_updatetag_1.0_";

    class Instance : public ZoneInstance {
    public:
        Instance()
        {
            RegisterMember(&levelFile);
            RegisterMember(&startPoint);
        }
        static std::string VersionedClassName() { return std::string("Zone_LoadMap::Instance") + "V0"; }
        std::string GetVersionedClassName() override { return VersionedClassName(); }

        StrSerialize levelFile {""};
        StrSerialize startPoint {""};
        // Not in the file: the player was seen outside the zone since the
        // level was entered.
        bool playerWasOutside = false;

    protected:
        void WriteMember(std::ostream& os, size_t index) override;
        bool ReadMember(std::istream& is, size_t index) override;
    };

    explicit Zone_LoadMap(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_LoadMap;
    }

    static std::string VersionedClassName() { return std::string("Zone_LoadMap") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // Requests the level change while the player touches the zone, once he
    // has been outside it; fires no events. Returns false.
    bool UpdatePlayerContact(Placed* placed) override;
};
