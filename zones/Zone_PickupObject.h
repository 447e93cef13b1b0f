#pragma once

#include "engine/serial/IntSerialize.h"
#include "engine/serial/Point.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class ZoneGameAccess;
class Player;

// An item lying in the level: an armor or ability, an upgrade, the fireflies
// or a piece of the map. Touching it applies the item and takes it away; a
// taken item stays gone through the save slot.
class Zone_PickupObject : public GameplayObject_Zone {
public:
    static constexpr int kKindCount = 29;
    // The item kinds from 7 on (those below are the player's modifiers).
    static constexpr int kItemAttraction = 7;
    static constexpr int kSecretFinder = 9;
    static constexpr int kIceArmorUpgrade = 10;
    static constexpr int kFireArmorUpgrade = 12;
    static constexpr int kMapPieces = 20;
    static constexpr int kLifeUpgrade = 21;
    static constexpr int kArmorCharge = 22;
    static constexpr int kArmorRecharge = 23;
    static constexpr int kCrossbowBolt = 24;
    static constexpr int kCrossbowRank = 26;
    static constexpr int kAttackRank = 27;
    static constexpr int kSpiderDoubleJump = 28;

    class Instance : public ZoneInstance {
    public:
        Instance()
        {
            RegisterMember(&kind);
            RegisterMember(&parameter);
        }
        static std::string VersionedClassName() { return std::string("Zone_PickupObject::Instance") + "V0"; }
        std::string GetVersionedClassName() override { return VersionedClassName(); }

        // Places the item's graphic into the level's first foreground layer.
        void Spawn(int x, int y, Level* level) override;
        // Appends the id, then 1 when still there and 0 when taken.
        void SaveState(VectorSerialize* states) override;
        // Enabled when the int record at index is 1.
        void LoadState(VectorSerialize* states, int index) override;

        IntSerialize kind {0};
        // The map cells of kind 20: "x y" pieces and "x1 y1-x2 y2" ranges, ";" between.
        StrSerialize parameter {""};
        // The graphic Spawn placed (the layer owns it); null when none.
        SpacialInstance<GraphicalObject, float>* itemGraphic = nullptr;
    };

    explicit Zone_PickupObject(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_PickupObject;
    }

    static std::string VersionedClassName() { return std::string("Zone_PickupObject") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    bool UpdatePlayerContact(Placed* placed) override;

    // The scene object that shows an item of the kind; empty for kinds
    // without a graphic (11, 13 to 19, and any kind outside 0 to 28).
    static std::string_view GraphicName(int kind);
    // The cells a map-piece text names, in order; pieces that name no cell
    // are skipped. Numbers read as the C library's atoi does.
    static std::vector<Point<int>> ParseMapCells(const std::string& text);

private:
    // Enables the ability or armor of a modifier kind and fits the armor
    // state to it; false when the player has it already.
    static bool TakeModifier(Player& player, int kind);
    // Applies an item of kind 7 and above; false when the item has no
    // effect (or none now) and stays in the level.
    static bool TakeItem(ZoneGameAccess& game, Player& player, Instance& pickup);
    // Reveals the cells of a map piece and opens the map; false without a
    // minimap.
    static bool TakeMapPieces(ZoneGameAccess& game, Player& player, Instance& pickup);
};
