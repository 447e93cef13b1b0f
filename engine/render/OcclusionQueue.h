#pragma once

#include "engine/render/QuadBatch.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The quads of the bound target waiting to be drawn, held until the next
// flush so that what later opaque quads hide is never shaded. Walking the
// draws from the last to the first, it keeps a mask of the target's pixels
// already covered by an opaque quad (every texel and the colour fully
// opaque: such a quad replaces what lies under it, blended or not); a draw
// whose pixels are all covered is dropped, one partly covered is cut into
// bands of rows, each cut to the runs of columns it leaves uncovered. Only unrotated quads
// on whole pixels are cut or cover; point sampling at whole pixels makes a
// cut quad sample the same texels as the whole one, so the picture is the
// same, byte for byte.
class OcclusionQueue {
public:
    // Rows of a band a partly covered quad is cut into (bands start on
    // multiples of this in target rows).
    static constexpr int kBandRows = 16;
    // Covered gaps narrower than this between the open runs of a band are
    // drawn over; beyond this many runs a band is drawn as one.
    static constexpr int kLeastGap = 16;
    static constexpr int kMaxRunsPerBand = 8;
    // How far back a part may move to join the parts of its texture.
    static constexpr size_t kMaxGroupsPassed = 16;
    static constexpr int kMaxPartsPassed = 64;
    // Opaque quads at least this large are drawn without blending; smaller
    // ones stay in the blended batch of the sprites around them, where a
    // change of blending would cost more than it saves.
    static constexpr int kLeastUnblendedArea = 64 * 64;

    struct Draw {
        QuadSpec spec;
        unsigned int texture = 0;
        // Every pixel it draws is fully opaque.
        bool opaque = false;
    };

    // Pixels of the quads added and of those drawn, since the counters were
    // last read (whole quads only, rotated ones by their source's area).
    struct Counts {
        uint64_t addedPixels = 0;
        uint64_t drawnPixels = 0;
        uint64_t addedQuads = 0;
        uint64_t drawnQuads = 0;
    };

    void Add(const QuadSpec& spec, unsigned int texture, bool opaque);
    bool IsEmpty() const { return draws.empty(); }

    // Works out the visible parts of the waiting draws and empties the queue:
    // first clear(covered), covered telling whether the opaque draws cover
    // the whole target (width x height), which makes a clear before them
    // needless; then emit(part, unblended) for each part in the order drawn
    // (the parts of one draw never overlap), unblended for large opaque ones.
    template <class Clear, class Emit> void Resolve(int width, int height, Clear clear, Emit emit)
    {
        clear(Cull(width, height));
        GroupByTexture();
        for (const Draw& part : visible)
            emit(part, IsUnblended(part));
        visible.clear();
    }

    static bool IsUnblended(const Draw& part)
    {
        return part.opaque && part.spec.source[2] * part.spec.source[3] >= kLeastUnblendedArea;
    }

    // The counts so far; reading starts them again.
    Counts TakeCounts();

private:
    // Fills `visible` (in draw order) from `draws`, which it empties; true
    // when the opaque draws cover the whole target.
    bool Cull(int width, int height);
    // Reorders `visible` so that parts of one texture and blending come
    // together where no part they pass over overlaps them: the picture is
    // the same, drawn in fewer calls.
    void GroupByTexture();
    // Fills `parts` with the rectangles of target pixels (x0, y0, x1, y1) to
    // draw of the given one: per band of rows, the runs of columns some row
    // leaves uncovered, over the rows that leave any.
    void CutToOpenParts(int x0, int y0, int x1, int y1);
    // Fills `open` with the columns of x0..x1 - 1 that some row of y0..y1 - 1
    // leaves uncovered and sets the first and last such row (+ 1); false when
    // every pixel is covered.
    bool OpenColumns(int y0, int y1, int x0, int x1, int& rowFrom, int& rowTo);
    // The first open (or covered) column of `open` from x on; x1 if none.
    int Next(int x, int x1, bool wantOpen) const;
    int NextOpen(int x, int x1) const { return Next(x, x1, true); }
    int NextCovered(int x, int x1) const { return Next(x, x1, false); }
    void Cover(int x0, int y0, int x1, int y1);
    // The part of the draw over target pixels (x0, y0)-(x1, y1), which lie in
    // its rectangle at (left, top).
    static Draw Part(const Draw& draw, int left, int top, int x0, int y0, int x1, int y1);

    std::vector<Draw> draws;
    std::vector<Draw> visible;
    // One bit a pixel, rows of `words` words.
    std::vector<uint64_t> mask;
    int words = 0;
    // The open columns of a band, one bit a column.
    std::vector<uint64_t> open;
    std::vector<std::array<int, 4>> parts;
    std::vector<size_t> partsAbove;
    std::vector<size_t> partsHere;
    // The groups of GroupByTexture: texture, blending, the parts' indices in
    // `visible`.
    struct Group {
        unsigned int texture = 0;
        bool unblended = false;
        std::vector<size_t> members;
    };
    std::vector<Group> groups;
    std::vector<Draw> grouped;
    Counts counts;
};
