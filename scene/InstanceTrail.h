#pragma once

#include "engine/serial/Point.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct RenderCommandSnapshot;

// The after-image trail of a placed instance: copies of the render commands
// its draws added during the last N frames, oldest first, replayed behind
// the instance where they were drawn in the level and faded from the oldest
// to the newest. N = 0 means no trail.
class InstanceTrail {
public:
    InstanceTrail();
    ~InstanceTrail();
    // A copy starts without after-images but with the same length and spacing.
    InstanceTrail(const InstanceTrail& other);
    InstanceTrail& operator=(const InstanceTrail& other);
    InstanceTrail(InstanceTrail&&) noexcept;
    InstanceTrail& operator=(InstanceTrail&&) noexcept;

    // A different count drops every after-image and leaves count empty
    // entries; the same count keeps them.
    void SetLength(int32_t count);
    int32_t GetLength() const { return static_cast<int32_t>(entries.size()); }

    // Entries left empty after each recorded one: 0 records every frame.
    void SetSpacing(int32_t spacing) { trailSpacing = spacing; }
    int32_t GetSpacing() const { return trailSpacing; }

    // Appends every stored after-image to the current frame; true.
    bool Replay() const;

    // Start of a draw: the number of commands already in the current frame.
    size_t BeginRecord() const;
    // End of a draw: drops the oldest entry and appends one holding the
    // commands added since `first`, or an empty one inside the spacing.
    void Record(size_t first);

    // Whether entry i holds a recording (possibly of no command), and how
    // many commands it holds.
    bool IsRecorded(size_t i) const;
    size_t GetCommandCount(size_t i) const;

private:
    struct Entry {
        bool recorded = false;
        std::vector<std::unique_ptr<RenderCommandSnapshot>> snapshots;
    };

    std::vector<Entry> entries;
    int32_t trailSpacing = 0;
};
