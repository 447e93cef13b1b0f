#include "engine/render/OcclusionQueue.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace {

// A quad the queue may cut and that may cover: unrotated, on whole pixels,
// not empty, and within the depth range the clip volume keeps (the quad
// program puts it at depth / 100).
bool OnWholePixels(const QuadSpec& spec)
{
    return spec.rotationDegrees == 0.0f && spec.source[2] > 0 && spec.source[3] > 0
        && spec.x == std::floor(spec.x) && spec.y == std::floor(spec.y) && std::fabs(spec.x) < 1e6f
        && std::fabs(spec.y) < 1e6f && std::fabs(spec.depth) < 100.0f;
}

// Bits from..to-1 of a word (0 <= from < to <= 64).
uint64_t Bits(int from, int to)
{
    const uint64_t upTo = to >= 64 ? ~uint64_t(0) : (uint64_t(1) << to) - 1;
    return upTo & ~((uint64_t(1) << from) - 1);
}

} // namespace

void OcclusionQueue::Add(const QuadSpec& spec, unsigned int texture, bool opaque)
{
    draws.push_back(Draw {spec, texture, opaque && OnWholePixels(spec)});
}

OcclusionQueue::Counts OcclusionQueue::TakeCounts()
{
    const Counts taken = counts;
    counts = Counts {};
    return taken;
}

void OcclusionQueue::Cover(int x0, int y0, int x1, int y1)
{
    for (int y = y0; y < y1; ++y) {
        uint64_t* row = mask.data() + static_cast<size_t>(y) * static_cast<size_t>(words);
        for (int x = x0; x < x1;) {
            const int bit = x & 63;
            const int span = std::min(64 - bit, x1 - x);
            row[x >> 6] |= Bits(bit, bit + span);
            x += span;
        }
    }
}

OcclusionQueue::Draw OcclusionQueue::Part(const Draw& draw, int left, int top, int x0, int y0, int x1, int y1)
{
    Draw part = draw;
    const auto [sx, sy, w, h] = draw.spec.source;
    (void)h;
    part.spec.x = float(x0);
    part.spec.y = float(y0);
    // Mirrored, the quad's left column shows the source's right one.
    const int sourceLeft = draw.spec.mirror ? sx + w - (x1 - left) : sx + (x0 - left);
    part.spec.source = {sourceLeft, sy + (y0 - top), x1 - x0, y1 - y0};
    return part;
}

bool OcclusionQueue::Cull(int width, int height)
{
    visible.clear();
    // Flushes come often with nothing waiting (before every effect's own
    // drawing): they cost nothing.
    if (draws.empty())
        return false;
    if (width <= 0 || height <= 0) {
        visible.swap(draws);
        return false;
    }
    words = (width + 63) / 64;
    mask.assign(static_cast<size_t>(words) * static_cast<size_t>(height), 0);
    open.assign(static_cast<size_t>(words), 0);
    for (auto draw = draws.rbegin(); draw != draws.rend(); ++draw) {
        const auto [sx, sy, w, h] = draw->spec.source;
        (void)sx;
        (void)sy;
        ++counts.addedQuads;
        if (!OnWholePixels(draw->spec)) {
            const uint64_t area = uint64_t(std::max(w, 0)) * uint64_t(std::max(h, 0));
            counts.addedPixels += area;
            counts.drawnPixels += area;
            ++counts.drawnQuads;
            visible.push_back(*draw);
            continue;
        }
        const int left = static_cast<int>(draw->spec.x);
        const int top = static_cast<int>(draw->spec.y);
        const int x0 = std::max(left, 0), y0 = std::max(top, 0);
        const int x1 = std::min(left + w, width), y1 = std::min(top + h, height);
        if (x0 >= x1 || y0 >= y1)
            continue; // wholly off the target: no pixel to draw
        counts.addedPixels += uint64_t(x1 - x0) * uint64_t(y1 - y0);
        CutToOpenParts(x0, y0, x1, y1);
        if (draw->opaque)
            Cover(x0, y0, x1, y1);
        if (parts.size() == 1 && parts[0] == std::array<int, 4> {x0, y0, x1, y1}) {
            counts.drawnPixels += uint64_t(x1 - x0) * uint64_t(y1 - y0);
            ++counts.drawnQuads;
            visible.push_back(*draw);
            continue;
        }
        // In reverse, as the whole list is turned round at the end.
        for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
            const auto [px0, py0, px1, py1] = *part;
            counts.drawnPixels += uint64_t(px1 - px0) * uint64_t(py1 - py0);
            ++counts.drawnQuads;
            visible.push_back(Part(*draw, left, top, px0, py0, px1, py1));
        }
    }
    draws.clear();
    std::reverse(visible.begin(), visible.end());
    const uint64_t lastWord = Bits(0, width - (words - 1) * 64);
    for (int y = 0; y < height; ++y) {
        const uint64_t* row = mask.data() + static_cast<size_t>(y) * static_cast<size_t>(words);
        for (int word = 0; word + 1 < words; ++word)
            if (row[word] != ~uint64_t(0))
                return false;
        if ((row[words - 1] & lastWord) != lastWord)
            return false;
    }
    return true;
}

void OcclusionQueue::CutToOpenParts(int x0, int y0, int x1, int y1)
{
    parts.clear();
    // The parts of the band above, which a run of the same columns right
    // under one of them extends.
    std::vector<size_t>& above = partsAbove;
    std::vector<size_t>& current = partsHere;
    above.clear();
    for (int bandTop = y0; bandTop < y1;) {
        const int bandBottom = std::min(y1, (bandTop / kBandRows + 1) * kBandRows);
        int rowFrom = 0, rowTo = 0;
        const bool any = OpenColumns(bandTop, bandBottom, x0, x1, rowFrom, rowTo);
        bandTop = bandBottom;
        current.clear();
        if (!any) {
            above.clear();
            continue;
        }
        size_t runs = 0;
        const size_t first = parts.size();
        for (int from = NextOpen(x0, x1); from < x1; ++runs) {
            int to = NextCovered(from, x1);
            // Covered gaps narrower than kLeastGap are drawn over: another
            // quad would cost more than their pixels.
            for (int next = NextOpen(to, x1); next < x1 && next - to < kLeastGap; next = NextOpen(to, x1))
                to = NextCovered(next, x1);
            parts.push_back({from, rowFrom, to, rowTo});
            from = NextOpen(to, x1);
        }
        if (runs > size_t(kMaxRunsPerBand)) {
            const int from = parts[first][0], to = parts.back()[2];
            parts.resize(first);
            parts.push_back({from, rowFrom, to, rowTo});
        }
        // Runs that continue a part of the band above join it.
        for (size_t index = first; index < parts.size();) {
            const std::array<int, 4> run = parts[index];
            auto joined = std::find_if(above.begin(), above.end(), [&](size_t part) {
                return parts[part][0] == run[0] && parts[part][2] == run[2] && parts[part][3] == run[1];
            });
            if (joined != above.end()) {
                parts[*joined][3] = run[3];
                current.push_back(*joined);
                parts.erase(parts.begin() + long(index));
            } else {
                current.push_back(index++);
            }
        }
        above.swap(current);
    }
}

bool OcclusionQueue::OpenColumns(int y0, int y1, int x0, int x1, int& rowFrom, int& rowTo)
{
    const int firstWord = x0 >> 6, lastWord = (x1 - 1) >> 6;
    std::fill(open.begin() + firstWord, open.begin() + lastWord + 1, uint64_t(0));
    rowFrom = -1;
    for (int y = y0; y < y1; ++y) {
        const uint64_t* row = mask.data() + static_cast<size_t>(y) * static_cast<size_t>(words);
        uint64_t any = 0;
        for (int word = firstWord; word <= lastWord; ++word) {
            const uint64_t inRange
                = Bits(word == firstWord ? (x0 & 63) : 0, word == lastWord ? ((x1 - 1) & 63) + 1 : 64);
            const uint64_t bits = ~row[word] & inRange;
            open[static_cast<size_t>(word)] |= bits;
            any |= bits;
        }
        if (any != 0) {
            if (rowFrom < 0)
                rowFrom = y;
            rowTo = y + 1;
        }
    }
    return rowFrom >= 0;
}

int OcclusionQueue::Next(int x, int x1, bool wantOpen) const
{
    // Covered columns are the clear bits of `open`: flipping the word looks
    // for them the same way.
    const uint64_t flip = wantOpen ? 0 : ~uint64_t(0);
    while (x < x1) {
        const uint64_t bits = (open[static_cast<size_t>(x >> 6)] ^ flip) & Bits(x & 63, 64);
        if (bits != 0)
            return std::min(x1, (x & ~63) + std::countr_zero(bits));
        x = (x & ~63) + 64;
    }
    return x1;
}

namespace {

// The target pixels of a part on whole pixels (x0, y0, x1, y1).
std::array<int, 4> PixelsOf(const QuadSpec& spec)
{
    const int left = static_cast<int>(spec.x), top = static_cast<int>(spec.y);
    return {left, top, left + spec.source[2], top + spec.source[3]};
}

bool Overlap(const std::array<int, 4>& a, const std::array<int, 4>& b)
{
    return a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];
}

} // namespace

void OcclusionQueue::GroupByTexture()
{
    // A part not on whole pixels (turned, between pixels) is passed by
    // nothing and passes nothing: it closes the groups before it.
    size_t firstOpen = 0;
    groups.clear();
    for (size_t index = 0; index < visible.size(); ++index) {
        const Draw& part = visible[index];
        const bool unblended = IsUnblended(part);
        if (!OnWholePixels(part.spec)) {
            groups.push_back(Group {part.texture, unblended, {index}});
            firstOpen = groups.size();
            continue;
        }
        const std::array<int, 4> pixels = PixelsOf(part.spec);
        Group* joined = nullptr;
        // The search is bounded: a part passes at most kMaxGroupsPassed
        // groups and kMaxPartsPassed parts.
        int passedParts = 0;
        for (size_t group = groups.size();
             group-- > firstOpen && group + kMaxGroupsPassed >= groups.size();) {
            Group& candidate = groups[group];
            if (candidate.texture == part.texture && candidate.unblended == unblended) {
                joined = &candidate;
                break;
            }
            passedParts += static_cast<int>(candidate.members.size());
            const bool blocked = passedParts > kMaxPartsPassed
                || std::any_of(candidate.members.begin(), candidate.members.end(),
                    [&](size_t member) { return Overlap(pixels, PixelsOf(visible[member].spec)); });
            if (blocked)
                break;
        }
        if (joined)
            joined->members.push_back(index);
        else
            groups.push_back(Group {part.texture, unblended, {index}});
    }
    if (groups.size() == visible.size())
        return;
    grouped.clear();
    for (const Group& group : groups)
        for (size_t member : group.members)
            grouped.push_back(visible[member]);
    visible.swap(grouped);
}
