#pragma once

#include "engine/render/GLNames.h"
#include "engine/render/GLProgram.h"
#include "engine/serial/Point.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// One vertex of the quads: position, colour (0..1), texture coordinate, and
// the batch's texture unit it samples (-1: untextured; set by the batch).
struct QuadVertex {
    float x, y, z;
    float r, g, b, a;
    float u, v;
    int32_t unit = 0;
};

// One quad to draw, in the pixels of a target of targetWidth x targetHeight
// (y down): its top-left corner at (x, y), the source (left, top, width,
// height) in texels of a texture whose sides round up to powers of two, a
// turn in degrees (clockwise on screen) about rotationPoint (relative to the
// corner), ARGB colour, mirror flag and depth.
struct QuadSpec {
    int targetWidth = 512;
    int targetHeight = 448;
    float x = 0.0f;
    float y = 0.0f;
    int textureWidth = 1;
    int textureHeight = 1;
    Point<int> rotationPoint;
    float rotationDegrees = 0.0f;
    std::array<int, 4> source {0, 0, 1, 1};
    uint32_t colour = 0xFFFFFFFFu;
    bool mirror = false;
    float depth = 0.0f;
};

// The corners of the quad in fan order (top-left, top-right, bottom-right,
// bottom-left) in the target's centred, y-up system; pixel centres need no
// offset in GL. Mirroring swaps the source's own edges, so images narrower
// than their texture mirror in place.
std::array<QuadVertex, 4> MakeQuad(const QuadSpec& spec);

// The quads every sprite, rectangle and text becomes, gathered and drawn
// together: the quad program, its vertex array, the vertex buffer and the
// shared index buffer, all owned. Quads of up to kUnits textures (0 for
// untextured) on one target go out in one draw call, each texture on a unit
// of its own: small images drawn in turn cost no texture switch. A batch of one
// texture uses the plain program, one of several the program that picks the
// unit per quad. Opaque quads (every texel and the colour fully opaque) are
// drawn without blending, which gives the same pixels at less cost.
class QuadBatch {
public:
    // Quads drawn in one call at most.
    static constexpr size_t kBatchQuads = 4096;
    // Textures one draw call samples at most.
    static constexpr int kUnits = 8;
    // Quads the vertex buffer holds: batches go one after the other into it,
    // so a draw never rewrites vertices an earlier draw of the frame still
    // reads (the software renderer would have to finish that draw first);
    // when it is full, it is replaced by fresh storage.
    static constexpr size_t kBufferQuads = 4 * kBatchQuads;

    // Null when there is no current context or the program does not build.
    static std::unique_ptr<QuadBatch> Create();

    // Quads larger than this many pixels share a draw call only with quads
    // of their own texture: the program of several textures samples each of
    // them for every pixel, which costs more than a call saves.
    static constexpr int kLargestSharedQuad = 32 * 32;

    // Adds a quad (corners in fan order); a change of blending, a texture
    // the batch has no room for or that a large quad brings or meets, or a
    // full batch, draws what waits first.
    void Submit(const std::array<QuadVertex, 4>& corners, unsigned int texture, bool opaque = false);
    // Draws the waiting quads.
    void Flush();
    bool IsEmpty() const { return batch.empty(); }
    // The draw calls made since the last call.
    uint64_t TakeDrawCalls() { return std::exchange(drawCalls, 0); }

    // The size of the bound target, which the quads' coordinates are centred
    // on.
    void SetTargetSize(int width, int height);
    int GetTargetWidth() const { return targetWidth; }
    int GetTargetHeight() const { return targetHeight; }

private:
    QuadBatch() = default;

    // The unit of the texture in the batch, adding it when there is room;
    // -1 for untextured, -2 when the batch is full of other textures.
    int UnitOf(unsigned int texture);
    // The batch holds quads of the texture (0: untextured).
    bool Holds(unsigned int texture) const;

    GLProgram program;
    int halfSizeLocation = -1;
    int texturedLocation = -1;
    // The programs for batches of several textures, by the most they sample.
    struct MultiProgram {
        GLProgram program;
        int halfSizeLocation = -1;
        int units = 0;
    };
    static constexpr std::array<int, 2> kMultiSizes {2, kUnits};
    std::array<MultiProgram, kMultiSizes.size()> multiPrograms;
    GLVertexArray vertexArray;
    GLBuffer vertexBuffer;
    GLBuffer indexBuffer;
    std::vector<QuadVertex> batch;
    // The first free vertex of the vertex buffer.
    size_t bufferVertex = 0;
    std::array<unsigned int, kUnits> batchTextures {};
    int batchTextureCount = 0;
    bool batchOpaque = false;
    // The batch holds untextured quads, quads larger than kLargestSharedQuad.
    bool batchUntextured = false;
    bool batchLarge = false;
    uint64_t drawCalls = 0;
    int targetWidth = 512;
    int targetHeight = 448;
};
