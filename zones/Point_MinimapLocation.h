#pragma once

#include "engine/serial/PointSerialize.h"
#include "engine/serial/TypeNames.h"
#include "scene/GameplayObject.h"
#include "zones/ZoneInstance.h"

#include <optional>
#include <string>
#include <utility>

class Player;

// The minimap marker: each frame it marks the map cell of the screen the
// player stands in as the current location and as visited.
class Point_MinimapLocation : public GameplayObject {
public:
    static constexpr int kScreenWidth = 512;
    static constexpr int kScreenHeight = 448;
    static constexpr int kMapWidth = 51;
    static constexpr int kMapHeight = 44;

    class Instance : public MapCellPointInstance {
    public:
        static std::string VersionedClassName()
        {
            return std::string("Point_MinimapLocation::PointInstance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
    };

    explicit Point_MinimapLocation(std::string name)
        : GameplayObject(std::move(name))
    {
        typeName = TypeNames::Point_MinimapLocation;
    }

    static std::string VersionedClassName() { return std::string("Point_MinimapLocation") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    bool UpdateInstance(SpacialInstance<GraphicalObject, float>* placed) override;

    // The map cell of the screen holding the player's centre column: the
    // screen grid is floored (also left of and below 0), measured from the
    // level's minimap origin and added to the level's map cell with the rows
    // turned round. Empty when the cell lies outside the 51 x 44 map.
    static std::optional<Point<int>> MapCell(
        Point<float> playerPosition, int playerWidth, Point<int> origin, Point<int> levelCell);
};
