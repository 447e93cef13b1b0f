#include "scene/InstanceTrail.h"

#include "scene/TrailFrame.h"

#include <algorithm>

InstanceTrail::InstanceTrail() = default;
InstanceTrail::~InstanceTrail() = default;
InstanceTrail::InstanceTrail(InstanceTrail&&) noexcept = default;
InstanceTrail& InstanceTrail::operator=(InstanceTrail&&) noexcept = default;

InstanceTrail::InstanceTrail(const InstanceTrail& other)
    : entries(other.entries.size())
    , trailSpacing(other.trailSpacing)
{
}

InstanceTrail& InstanceTrail::operator=(const InstanceTrail& other)
{
    if (this != &other) {
        entries.clear();
        entries.resize(other.entries.size());
        trailSpacing = other.trailSpacing;
    }
    return *this;
}

void InstanceTrail::SetLength(int32_t count)
{
    count = std::max(count, 0);
    if (count == GetLength())
        return;
    entries.clear();
    entries.resize(static_cast<size_t>(count));
}

bool InstanceTrail::IsRecorded(size_t i) const
{
    return i < entries.size() && entries[i].recorded;
}

size_t InstanceTrail::GetCommandCount(size_t i) const
{
    return i < entries.size() ? entries[i].snapshots.size() : 0;
}

size_t InstanceTrail::BeginRecord() const
{
    return TrailFrame::GetCommandCount();
}

void InstanceTrail::Record(size_t first)
{
    const int32_t n = GetLength();
    if (n == 0)
        return;
    entries.erase(entries.begin());

    // The recent window: the last trailSpacing entries of what remains. A
    // spacing of 0 or less, or one longer than what remains, leaves it empty
    // and every frame is recorded.
    bool windowEmpty = true;
    if (trailSpacing > 0 && trailSpacing <= n - 1) {
        for (int32_t i = n - 1 - trailSpacing; i <= n - 2; ++i)
            if (entries[static_cast<size_t>(i)].recorded)
                windowEmpty = false;
    }

    Entry entry;
    if (windowEmpty) {
        entry.recorded = true;
        const Point<int> camera = TrailFrame::GetCameraPosition();
        const size_t count = TrailFrame::GetCommandCount();
        for (size_t i = first; i < count; ++i)
            if (auto snapshot = TrailFrame::Snapshot(i, camera))
                entry.snapshots.push_back(std::move(snapshot));
    }
    entries.push_back(std::move(entry));
}

bool InstanceTrail::Replay() const
{
    const int32_t n = GetLength();
    const Point<int> camera = TrailFrame::GetCameraPosition();
    for (int32_t i = 0; i < n; ++i) {
        // Older after-images are fainter; the newest never reaches full opacity.
        const auto alpha
            = static_cast<uint32_t>((static_cast<float>(i) / static_cast<float>(n) * 0.8f + 0.1f) * 255.0f);
        for (const auto& snapshot : entries[static_cast<size_t>(i)].snapshots)
            TrailFrame::Replay(*snapshot, camera, alpha);
    }
    return true;
}
