#pragma once

#include "engine/serial/IntSerialize.h"
#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <string_view>
#include <utility>

// Spawner zone: each placement brings "NPC_FloatingSkull" or "NPC_ThrowerSkull" characters into the level when the level
// has been loaded, through the game's character factory.
class Zone_NPCSpawner_FloatingSkull : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        static constexpr std::string_view kTagSkullKind
            = "Zone_NPCSpawner_FloatingSkull::Instance_updatetag_1.0_";

        Instance()
        {
            RegisterMember(&SpawnCount);
            RegisterMember(&SkullKind);
        }
        static std::string VersionedClassName()
        {
            return std::string("Zone_NPCSpawner_FloatingSkull::Instance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        void Spawn(int x, int y, Level* level) override;

    protected:
        // SkullKind stands behind a tag of its own: records without it read
        // with SkullKind 0. The id is written as it stands, -1 included.
        // Indices past SkullKind read nothing.
        void WriteMember(std::ostream& os, size_t index) override;
        bool ReadMember(std::istream& is, size_t index) override;
        bool NumbersOnWrite() const override { return false; }
        bool SkipsExtraMembers() const override { return true; }

    public:
        // Number of skulls made.
        IntSerialize SpawnCount {1};
        // 0 normal, 1 ghost, 2 thrower skull; above 2 none.
        IntSerialize SkullKind {0};
    };

    explicit Zone_NPCSpawner_FloatingSkull(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_NPCSpawner_FloatingSkull;
    }

    static std::string VersionedClassName() { return std::string("Zone_NPCSpawner_FloatingSkull") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // The zone does not follow the player.
    bool UpdatePlayerContact(Placed*) override { return false; }
};
