#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class PixelImage;

// Where a loaded picture has something to draw, worked out once at load: the
// picture is cut into cells of kCellWidth x kCellHeight pixels, each empty
// (every pixel fully transparent), opaque (every pixel fully opaque) or mixed.
// A draw of a part of the picture then covers only the cells that hold
// content, and draws the opaque ones without blending: with point sampling
// and blending by source alpha, a fully transparent pixel leaves the target
// as it was and a fully opaque one replaces it, so the picture is the same.
class ContentMap {
public:
    static constexpr int kCellWidth = 32;
    static constexpr int kCellHeight = 16;
    // Runs of one row beyond this many are drawn as one blended run.
    static constexpr int kMaxRunsPerRow = 8;

    enum class Cell : uint8_t { Empty, Opaque, Mixed };

    // A rectangle of picture pixels to draw.
    struct Piece {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        bool opaque = false;
    };

    ContentMap() = default;
    explicit ContentMap(const PixelImage& picture);

    // The pieces of the source rectangle (picture pixels, outside the picture
    // nothing) that hold content, replacing `pieces`: opaque pieces first,
    // then the blended ones; neighbouring cells of one kind merge into one
    // piece.
    void Cover(int left, int top, int width, int height, std::vector<Piece>& pieces) const;
    // Every pixel of the rectangle lies in the picture and is fully opaque.
    bool IsOpaque(int left, int top, int width, int height) const;

    Cell At(int column, int row) const { return cells[static_cast<size_t>(row * columns + column)]; }
    int GetColumns() const { return columns; }
    int GetRows() const { return rows; }

private:
    int width = 0;
    int height = 0;
    int columns = 0;
    int rows = 0;
    std::vector<Cell> cells;
};
