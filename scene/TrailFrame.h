#pragma once

#include "engine/serial/Point.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// One recorded command of an after-image: a copy of a render command of the
// frame it was drawn in, with the game camera's position at that moment.
struct RenderCommandSnapshot {
    Point<int> cameraPosition;
};

// What the after-image trail uses of the render pool's current frame slot and
// of the game camera. Stand-in until the render pool records frames: no
// command is recorded, so every recorded trail entry is empty and nothing is
// replayed (the render engine's immediate mode), and the camera stands at
// (0, 0).
class TrailFrame {
public:
    // Commands in the current frame slot.
    static size_t GetCommandCount() { return 0; }
    // The game camera's position, truncated toward zero.
    static Point<int> GetCameraPosition() { return Point<int>(); }
    // A copy of command `index` of the current frame slot.
    static std::unique_ptr<RenderCommandSnapshot> Snapshot(size_t /*index*/, Point<int> camera)
    {
        auto snapshot = std::make_unique<RenderCommandSnapshot>();
        snapshot->cameraPosition = camera;
        return snapshot;
    }
    // Appends a copy of the snapshot's command to the current frame slot,
    // moved by the camera's travel since it was recorded and faded to alpha.
    static void Replay(const RenderCommandSnapshot& /*snapshot*/, Point<int> /*camera*/, uint32_t /*alpha*/) {}
};
