#pragma once

#include "characters/PlayerArmor.h"
#include "scene/ArmorReplacementTable.h"

#include <cstdint>
#include <set>
#include <vector>

class Level;

// The ice armor. Using it attacks around the player, freezes the ghosts near
// it and starts a freeze front that spreads cell by cell (32-pixel cells)
// from the player through connected water, swapping each piece for its ice
// replacement, until it meets nothing more to freeze. At a level's entry the level records in it the pieces it may freeze, which it numbers
// into connected groups.
class PlayerArmorIce : public PlayerArmor, public ArmorReplacementTable {
public:
    using PlayerArmor::PlayerArmor;

    static constexpr int kCell = 32;
    // Ghosts nearer than this to the player freeze on use.
    static constexpr float kGhostFreezeRadius = 128.0f;

    void SetEnabled(bool value) override;
    void OnEnabled() override;
    void OnSelected(bool silent) override;
    void OnDeselected() override;
    // One frame of the freeze front.
    void Update() override;
    void Use() override;
    Point<int> GetReplaceZoneSize() const override;
    // Also forgets the front.
    void Reset() override;

    void ReleaseLists();
    std::vector<Point<int>>& GetFrozenList() { return frozenCells; }
    int32_t GetPropagationTimer() const { return propagationTimer; }

    // The cells a use seeds the front with, for a player at position.
    static std::vector<Point<int>> SeedCells(Point<float> position);
    // Rounds down to a multiple of the cell size, also for negative values.
    static int FloorToCell(int v);
    // Numbers the connected groups of replaceable scenery of the level's
    // layers that scroll with the camera in lists 0 and 1, at the level's
    // entry: pieces that touch, directly or through others, share one
    // number. (The front walks the layers of all three lists.)
    static void GroupReplaceableScenery(Level* level);

    // The table the level prepares: the ice list's pairs (water, and lava
    // that the ice list names too), built early when the armor was never
    // enabled.
    bool IsReplacementTableEmpty() const override { return tableBuilt == 0; }
    void BuildReplacementTable() override;
    int GetReplacementIndex(const std::string& objectName) const override;
    void RecordReplaceable(Layer* layer, Layer::Instance* instance, Layer* collisions) override;
    // The pieces recorded since the last Reset, in walk order.
    const std::vector<ArmorActiveReplacement>& GetRecordedScenery() const { return recordedScenery; }

private:
    // Cancels the freeze when the player stands where ice is appearing;
    // true when it did.
    bool GuardPlayer(Level* level);
    void Cancel(size_t firstRecord);
    // Freezes what lies at the cell on the layer; appends the cells around a
    // piece it froze to next.
    void VisitCell(Level* level, Layer* layer, Layer* collisions, Point<int> cell, bool mayOpenGroup,
        float& animationTime, std::vector<Point<int>>& next);
    bool CanFreeze(const GraphicalObject* object) const;
    // The object that replaces a freezable one; null when there is none.
    GraphicalObject* ReplacementOf(const GraphicalObject* object) const;
    // Numbers the touching pieces of the list into groups.
    static void GroupPieces(std::vector<Layer::Instance*> work);
    bool InsideFrozenPiece(Point<int> cell) const;

    std::vector<Point<int>> frozenCells;
    int32_t propagationTimer = 0;
    // How many cells at the front of frozenCells are seeds (they may open a
    // group); the cells queued later only continue groups already frozen.
    size_t seedCount = 0;
    // The groups this front has entered.
    std::set<int32_t> frontGroups;
    // The replaceable pieces of the level entered (replaced, layer and
    // collision layer set; the rest null).
    std::vector<ArmorActiveReplacement> recordedScenery;
    int32_t tableBuilt = 0;
};
