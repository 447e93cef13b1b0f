#pragma once

#include "engine/render/RenderPoolCommand.h"
#include "engine/serial/Point.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// One recorded command of an after-image: a copy of a render command of the
// frame it was drawn in (with its own clone of the command's effect), and the
// game camera's position at that moment.
struct RenderCommandSnapshot {
    RenderPoolCommand command;
    Point<int> cameraPosition;
};

// What the after-image trail uses of the render pool's current frame slot and
// of the game camera. Without a render engine or render pool there is no
// frame slot: no command is counted or recorded and nothing is replayed.
class TrailFrame {
public:
    // Commands in the current frame slot.
    static size_t GetCommandCount();
    // The game camera's position, truncated toward zero; (0, 0) without a game.
    static Point<int> GetCameraPosition();
    // A copy of command `index` of the current frame slot.
    static std::unique_ptr<RenderCommandSnapshot> Snapshot(size_t index, Point<int> camera);
    // Appends a copy of the snapshot's command to the current frame slot,
    // moved by the camera's travel since it was recorded, so that it stays
    // where it was drawn in the level. A plain opaque white command is faded
    // to alpha; one with an effect or a colour of its own keeps its look.
    static void Replay(const RenderCommandSnapshot& snapshot, Point<int> camera, uint32_t alpha);
};
