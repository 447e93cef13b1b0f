#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <cstdint>
#include <string>
#include <utility>

// A climbable wall. The player's climbing code runs the contact pass of the
// climb zones; each zone tells the player whether its body lies within it.
class Zone_ClimbJump : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        static std::string VersionedClassName() { return std::string("Zone_ClimbJump::Instance") + "V0"; }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
    };

    // The player's body as the climb test takes it, whatever its real size.
    static constexpr int kBodyWidth = 64;
    static constexpr int kBodyHeight = 96;
    // The debug line's colours: climbing, and merely in a climb zone.
    static constexpr uint32_t kClimbingColour = 0xFF5AE664u;
    static constexpr uint32_t kClimbZoneColour = 0xFF5AC8C8u;

    explicit Zone_ClimbJump(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_ClimbJump;
    }

    static std::string VersionedClassName() { return std::string("Zone_ClimbJump") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // Sets the player's climb flag and climb zone while its body is in the
    // zone; leaving the zone that set them clears them and sets the climb
    // skip flag once. Returns false.
    bool UpdatePlayerContact(Placed* placed) override;

    // Whether a player whose bottom-left corner is at `player` lies in the
    // zone at `corner` of `size`: both ends of its left edge, of its right
    // edge or of its middle column must lie inside (bounds inclusive).
    static bool BodyInZone(Point<int> corner, Point<int> size, Point<int> player);
};
