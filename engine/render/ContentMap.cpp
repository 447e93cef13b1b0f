#include "engine/render/ContentMap.h"

#include "engine/render/PixelImage.h"

#include <algorithm>

ContentMap::ContentMap(const PixelImage& picture)
    : width(picture.GetWidth())
    , height(picture.GetHeight())
    , columns((width + kCellWidth - 1) / kCellWidth)
    , rows((height + kCellHeight - 1) / kCellHeight)
    , cells(static_cast<size_t>(columns) * static_cast<size_t>(rows), Cell::Empty)
{
    // Per cell: whether some pixel is not fully transparent and whether
    // some is not fully opaque.
    std::vector<uint8_t> seen(cells.size(), 0);
    constexpr uint8_t kSomeContent = 1;
    constexpr uint8_t kSomeSeeThrough = 2;
    const std::vector<uint8_t>& pixels = picture.GetPixels();
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 4;
        uint8_t* cellRow = seen.data() + static_cast<size_t>(y / kCellHeight) * static_cast<size_t>(columns);
        for (int x = 0; x < width; ++x) {
            const uint8_t alpha = row[static_cast<size_t>(x) * 4 + 3];
            cellRow[x / kCellWidth] |= (alpha != 0 ? kSomeContent : 0) | (alpha != 255 ? kSomeSeeThrough : 0);
        }
    }
    for (size_t i = 0; i < cells.size(); ++i)
        cells[i] = !(seen[i] & kSomeContent) ? Cell::Empty
            : (seen[i] & kSomeSeeThrough)    ? Cell::Mixed
                                             : Cell::Opaque;
}

bool ContentMap::IsOpaque(int left, int top, int w, int h) const
{
    if (w <= 0 || h <= 0 || left < 0 || top < 0 || left + w > width || top + h > height)
        return false;
    for (int row = top / kCellHeight; row <= (top + h - 1) / kCellHeight; ++row)
        for (int column = left / kCellWidth; column <= (left + w - 1) / kCellWidth; ++column)
            if (At(column, row) != Cell::Opaque)
                return false;
    return true;
}

void ContentMap::Cover(int left, int top, int w, int h, std::vector<Piece>& pieces) const
{
    pieces.clear();
    const int x0 = std::max(left, 0), y0 = std::max(top, 0);
    const int x1 = std::min(left + w, width), y1 = std::min(top + h, height);
    if (x0 >= x1 || y0 >= y1)
        return;
    // Pieces of the row above, open to be extended downwards by a piece of
    // the same columns and kind.
    std::vector<size_t> open, nextOpen;
    std::vector<Piece> runs;
    for (int row = y0 / kCellHeight; row <= (y1 - 1) / kCellHeight; ++row) {
        const int top0 = std::max(y0, row * kCellHeight);
        const int bottom = std::min(y1, (row + 1) * kCellHeight);
        runs.clear();
        for (int column = x0 / kCellWidth; column <= (x1 - 1) / kCellWidth; ++column) {
            const Cell cell = At(column, row);
            if (cell == Cell::Empty)
                continue;
            const int from = std::max(x0, column * kCellWidth);
            const int to = std::min(x1, (column + 1) * kCellWidth);
            const bool opaque = cell == Cell::Opaque;
            if (!runs.empty() && runs.back().left + runs.back().width == from && runs.back().opaque == opaque)
                runs.back().width = to - runs.back().left;
            else
                runs.push_back(Piece {from, top0, to - from, bottom - top0, opaque});
        }
        if (static_cast<int>(runs.size()) > kMaxRunsPerRow) {
            const int from = runs.front().left;
            const int to = runs.back().left + runs.back().width;
            runs.assign(1, Piece {from, top0, to - from, bottom - top0, false});
        }
        nextOpen.clear();
        for (const Piece& run : runs) {
            auto above = std::find_if(open.begin(), open.end(), [&](size_t index) {
                const Piece& p = pieces[index];
                return p.left == run.left && p.width == run.width && p.opaque == run.opaque
                    && p.top + p.height == run.top;
            });
            if (above != open.end()) {
                pieces[*above].height += run.height;
                nextOpen.push_back(*above);
            } else {
                nextOpen.push_back(pieces.size());
                pieces.push_back(run);
            }
        }
        open.swap(nextOpen);
    }
    std::stable_partition(pieces.begin(), pieces.end(), [](const Piece& p) { return p.opaque; });
}
