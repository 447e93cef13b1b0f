#pragma once

#include "engine/serial/ISerialization.h"
#include "engine/serial/Point.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GraphicalObject;

// One map record of the game library: lists of int triples, two ints, a name
// and a flag. The model keeps, writes and frees them.
struct MapRecord {
    std::vector<std::vector<std::array<int32_t, 3>>> cellLists;
    int32_t first = 0;
    int32_t second = 0;
    std::string name;
    bool flag = false;
};

// The world map: the game library's map records, and for the minimap model
// the 51 x 44 grid of screens the player has discovered (0 not discovered,
// 1 visited, 2 revealed without a visit) with the current screen.
class MapModel : public ISerialization {
public:
    static constexpr int kColumns = 51;
    static constexpr int kRows = 44;
    using Grid = std::array<int32_t, kColumns * kRows>;

    // The game object's member: records only, nothing bound.
    MapModel();
    // The minimap model: also binds "GlobalMinimap" and "GlobalMinimap_Mask"
    // from the game library.
    struct Minimap { };
    explicit MapModel(Minimap);
    ~MapModel() override;
    MapModel(const MapModel&) = delete;
    MapModel& operator=(const MapModel&) = delete;

    bool Serialize(std::ostream& os) override;
    // Appends the records of the text when all of them read; the first field
    // that does not parse ends the reading and the model keeps what it had.
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "MapModelV0"; }

    // The cell state; -1 outside the grid.
    int32_t GetCell(int x, int y) const;
    // Nothing outside the grid.
    void SetCell(int x, int y, int32_t value);
    // Replaces the whole grid (from the save data).
    void CopyVisitedCells(const Grid& saved) { cells = saved; }
    const Grid& GetCells() const { return cells; }

    const std::vector<std::unique_ptr<MapRecord>>& GetRecords() const { return records; }
    Point<int> GetCurrentLocation() const { return currentCell; }
    void SetCurrentLocation(Point<int> cell) { currentCell = cell; }
    GraphicalObject* GetMinimapObject(int index) const
    {
        return index >= 0 && index < 20 ? minimapObjects[static_cast<size_t>(index)] : nullptr;
    }
    GraphicalObject* GetGlobalMinimap() const { return globalMinimap; }
    GraphicalObject* GetGlobalMinimapMask() const { return globalMinimapMask; }

private:
    std::vector<std::unique_ptr<MapRecord>> records;
    std::array<GraphicalObject*, 20> minimapObjects {};
    GraphicalObject* globalMinimap = nullptr;
    GraphicalObject* globalMinimapMask = nullptr;
    Grid cells {};
    Point<int> currentCell {-1, -1};
};
