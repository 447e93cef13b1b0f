#pragma once

#include "engine/input/InputActions.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"
#include "game/TeleportInfo.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class GraphicalObject;

// What the map drawing needs of the renderer.
class MapCanvas {
public:
    virtual ~MapCanvas() = default;
    // A filled rectangle between two corners (x0, y0) and (x1, y1), y down.
    virtual void FillRect(const Rect<int>& box, uint32_t colour) = 0;
    // An object drawn with its upper-left corner at `at`.
    virtual void DrawObject(GraphicalObject& object, Point<int> at) = 0;
};

// The world map of the map screen and of the HUD's minimap: one 10 x 10
// square per screen of the 51 x 44 grid coloured by what the player knows of
// it, markers for the player's screen, the chosen teleporter and the story
// hint, and in teleport mode the row of discovered hubs with a cursor that
// picks the hub to travel to.
class TeleportMap {
public:
    static constexpr int kColumns = 51;
    static constexpr int kRows = 44;
    static constexpr uint32_t kVisitedColour = 0xFFB28B38u;
    static constexpr uint32_t kRevealedColour = 0xFF5C4618u;

    // The marker objects (any may be null).
    enum Marker {
        TpCross,
        PlayerCross,
        StoryHint,
        TpBackground,
        TpAvailable,
        TpSelect,
        TpPlayer,
        kMarkerCount
    };

    // What one call reads of the game.
    struct View {
        // The cell state (0 undiscovered, 1 visited, 2 revealed); empty when
        // the game has no minimap model.
        std::function<int32_t(int x, int y)> cell;
        Point<int> currentCell;
        GraphicalObject* globalMap = nullptr;
        const std::vector<TeleportInfo>* teleports = nullptr;
        std::string currentLevel;
        std::pair<int, int> storyHint {0, 0};
        bool frameFlag = false; // the view moves only on update frames
        double frameTime = 0.0; // markers animate by it
        InputActions pressed;
        InputActions previous;
    };

    // Draws the map into the rectangle at `origin` of `size`, scrolled by
    // `scroll`, and runs the teleport menu in map mode 1. True when a
    // teleporter was chosen (its level file is then in `chosenLevel`) or in
    // map mode 2.
    bool Update(MapCanvas& canvas, const View& view, Point<int> origin, Point<int> scroll, Point<int> size);

    // The hubs of the row: per hub file of TeleportLevelFiles in order, the first discovered
    // teleporter whose level file is its lower-case form.
    static std::vector<const TeleportInfo*> ListTeleporters(const std::vector<TeleportInfo>& teleports);
    // Where the row draws entry i.
    static Point<int> RowPosition(size_t i) { return {187 + 16 * static_cast<int>(i), 434}; }
    static constexpr Point<int> kRowBackground {172, 434};

    Point<float> mapView;
    int mapMode = 0; // 0 map, 1 teleport menu, 2 the HUD's window
    int cursor = -1;
    std::array<GraphicalObject*, kMarkerCount> markers {};
    std::string chosenLevel;

private:
    // Returns true when a teleporter was chosen.
    bool RunMenu(MapCanvas& canvas, const View& view, const std::vector<const TeleportInfo*>& listed);
    void DrawOnCell(MapCanvas& canvas, GraphicalObject* object, Point<int> cell, double frameTime) const;
    void Step(int direction, const View& view, const std::vector<const TeleportInfo*>& listed);
    // The global map drawn at `origin` cut to `size`, its sprites placed at
    // `shift`; then back to unshifted and the screen's size.
    static void DrawGlobalMapInWindow(
        MapCanvas& canvas, GraphicalObject& globalMap, Point<int> origin, Point<int> shift, Point<int> size);
    static constexpr Point<int> kScreenSize {512, 448};

    // Where the grid's cell (0, 0) lands this call.
    Point<int> gridOrigin;
};
