#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/PointSerialize.h"
#include "scene/SceneObjectInstance.h"

#include <string>
#include <utility>

// Per-placement data of a zone: its size (member 1) and the offset (member 2)
// at which triggers and spawners place their character, plus the contact
// state the zone rule keeps (not in the file).
class ZoneInstance : public SceneObjectInstance {
public:
    static std::string VersionedClassName() { return std::string("ZoneInstance") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }

    Point<int> GetSize() const { return size.value; }
    void SetSize(Point<int> s) { size.value = s; }
    Point<int> GetOffset() const { return offset.value; }
    void SetOffset(Point<int> o) { offset.value = o; }

    // Whether this placement's spawn is still to run; clears it, so that a
    // spawner makes its characters once per load.
    bool TakePendingSpawn() { return std::exchange(pending, false); }

    // Whether the player has left the zone since the level was loaded, and
    // whether it was inside at the last contact test.
    bool leftOnce = false;
    bool inside = false;

protected:
    ZoneInstance();

    // Sizes and offsets are coordinates (a size below 1 is an empty
    // extent); anything beyond them comes from a damaged file and fails the
    // record.
    bool ReadMember(std::istream& is, size_t index) override;

    PointSerialize<int> size {Point<int>(32, 32)};
    PointSerialize<int> offset {Point<int>(0, 0)};
};

// Per-placement data of a point (start points, minimap locations): a
// position, which is its placed instance's, and no size.
class PointInstance : public SceneObjectInstance {
public:
    static std::string VersionedClassName() { return std::string("PointInstance") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }

protected:
    PointInstance() = default;
};

// Per-placement data of a point that names a cell of the world map (the
// minimap location): the level takes the cell of the first it holds when it
// is entered.
class MapCellPointInstance : public PointInstance {
public:
    // The level's reference cell of the world map.
    PointSerialize<int> point {Point<int>(0, 0)};

protected:
    MapCellPointInstance() { RegisterMember(&point); }
};
