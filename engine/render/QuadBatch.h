#pragma once

#include "engine/render/GLNames.h"
#include "engine/render/GLProgram.h"
#include "engine/serial/Point.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// One vertex of the quads: position, colour (0..1), texture coordinate.
struct QuadVertex {
    float x, y, z;
    float r, g, b, a;
    float u, v;
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
// shared index buffer, all owned. Quads of one texture (0 for untextured) on
// one target go out in one draw call.
class QuadBatch {
public:
    // Quads drawn in one call at most; the vertex buffer holds this many.
    static constexpr size_t kBatchQuads = 1024;

    // Null when there is no current context or the program does not build.
    static std::unique_ptr<QuadBatch> Create();

    // Adds a quad (corners in fan order); a change of texture or a full batch
    // draws what waits first.
    void Submit(const std::array<QuadVertex, 4>& corners, unsigned int texture);
    // Draws the waiting quads.
    void Flush();
    bool IsEmpty() const { return batch.empty(); }

    // The size of the bound target, which the quads' coordinates are centred
    // on.
    void SetTargetSize(int width, int height);
    int GetTargetWidth() const { return targetWidth; }
    int GetTargetHeight() const { return targetHeight; }

private:
    QuadBatch() = default;

    GLProgram program;
    int halfSizeLocation = -1;
    int texturedLocation = -1;
    GLVertexArray vertexArray;
    GLBuffer vertexBuffer;
    GLBuffer indexBuffer;
    std::vector<QuadVertex> batch;
    unsigned int batchTexture = 0;
    int targetWidth = 512;
    int targetHeight = 448;
};
