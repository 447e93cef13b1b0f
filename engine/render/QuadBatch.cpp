#include "engine/render/QuadBatch.h"

#include "engine/platform/DebugOutput.h"
#include "engine/render/D3DDevice.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace {

constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec4 aColour;
layout(location = 2) in vec2 aTexCoord;
uniform vec2 uHalfSize;
out vec4 vColour;
out vec2 vTexCoord;
void main()
{
    // Orthographic: the target's centre is the origin, y grows upwards. The
    // render textures keep their top row first (as images do), so y is
    // turned over on the way into them.
    gl_Position = vec4(aPosition.x / uHalfSize.x, -aPosition.y / uHalfSize.y, aPosition.z * 0.01, 1.0);
    vColour = aColour;
    vTexCoord = aTexCoord;
}
)";

constexpr const char* kFragmentShader = R"(#version 330 core
in vec4 vColour;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform int uTextured;
out vec4 fragColour;
void main()
{
    vec4 colour = vColour;
    if (uTextured != 0)
        colour *= texture(uTexture, vTexCoord);
    fragColour = colour;
}
)";

// The same program for batches of several textures: each quad samples the
// unit its vertices name (a constant index per case, as GLSL 3.30 asks of
// sampler arrays). The images have no mipmaps, so level 0 is what texture()
// would read.
constexpr const char* kMultiVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec4 aColour;
layout(location = 2) in vec2 aTexCoord;
layout(location = 3) in int aUnit;
uniform vec2 uHalfSize;
out vec4 vColour;
out vec2 vTexCoord;
flat out int vUnit;
void main()
{
    gl_Position = vec4(aPosition.x / uHalfSize.x, -aPosition.y / uHalfSize.y, aPosition.z * 0.01, 1.0);
    vColour = aColour;
    vTexCoord = aTexCoord;
    vUnit = aUnit;
}
)";

// The fragment program for batches of up to `units` textures: a program per
// size, so that a batch of two images pays for two cases, not eight.
std::string MultiFragmentShader(int units)
{
    std::string source = R"(#version 330 core
in vec4 vColour;
in vec2 vTexCoord;
flat in int vUnit;
uniform sampler2D uTextures[)"
        + std::to_string(units) + R"(];
out vec4 fragColour;
void main()
{
    vec4 texel = vec4(1.0);
    switch (vUnit) {
)";
    for (int unit = 0; unit < units; ++unit)
        source += "    case " + std::to_string(unit) + ": texel = textureLod(uTextures["
            + std::to_string(unit) + "], vTexCoord, 0.0); break;\n";
    source += R"(    }
    fragColour = vColour * texel;
}
)";
    return source;
}

} // namespace

std::array<QuadVertex, 4> MakeQuad(const QuadSpec& spec)
{
    const float halfW = spec.targetWidth * 0.5f;
    const float halfH = spec.targetHeight * 0.5f;
    const auto [sx, sy, w, h] = spec.source;
    const Float4 colour = ColorToFloat4(spec.colour);
    std::array<QuadVertex, 4> v {};
    for (QuadVertex& corner : v) {
        corner.z = spec.depth;
        corner.r = colour.r;
        corner.g = colour.g;
        corner.b = colour.b;
        corner.a = colour.a;
    }
    const float cornerX[4] = {0.0f, float(w), float(w), 0.0f};
    const float cornerY[4] = {0.0f, 0.0f, float(h), float(h)};
    if (spec.rotationDegrees == 0.0f) {
        for (int i = 0; i < 4; ++i) {
            v[i].x = spec.x + cornerX[i] - halfW;
            v[i].y = halfH - (spec.y + cornerY[i]);
        }
    } else {
        // Turn about the rotation point, which stays where the unrotated
        // draw puts it.
        const double radians = -static_cast<double>(spec.rotationDegrees) * 0.01745329238474369;
        const float c = static_cast<float>(std::cos(radians));
        const float s = static_cast<float>(std::sin(radians));
        const float pivotX = spec.x + spec.rotationPoint.x - halfW;
        const float pivotY = halfH - (spec.y + spec.rotationPoint.y);
        for (int i = 0; i < 4; ++i) {
            const float dx = cornerX[i] - spec.rotationPoint.x;
            const float dy = -(cornerY[i] - spec.rotationPoint.y);
            v[i].x = pivotX + dx * c - dy * s;
            v[i].y = pivotY + dx * s + dy * c;
        }
    }
    const float invW
        = 1.0f / static_cast<float>(NextPowerOfTwo(static_cast<uint32_t>(std::max(spec.textureWidth, 0))));
    const float invH
        = 1.0f / static_cast<float>(NextPowerOfTwo(static_cast<uint32_t>(std::max(spec.textureHeight, 0))));
    float uLeft = sx * invW;
    float uRight = (sx + w) * invW;
    const float vTop = sy * invH;
    const float vBottom = (sy + h) * invH;
    if (spec.mirror)
        std::swap(uLeft, uRight);
    v[0].u = uLeft;
    v[0].v = vTop;
    v[1].u = uRight;
    v[1].v = vTop;
    v[2].u = uRight;
    v[2].v = vBottom;
    v[3].u = uLeft;
    v[3].v = vBottom;
    return v;
}

std::unique_ptr<QuadBatch> QuadBatch::Create()
{
    std::unique_ptr<QuadBatch> quads(new QuadBatch());
    std::string log;
    quads->program = GLProgram::Build(kVertexShader, kFragmentShader, &log);
    if (!quads->program.IsValid()) {
        platform::DebugOutput("Quad shader: " + log + "\n");
        return nullptr;
    }
    quads->halfSizeLocation = quads->program.GetUniformLocation("uHalfSize");
    quads->texturedLocation = quads->program.GetUniformLocation("uTextured");
    quads->program.Use();
    glUniform1i(quads->program.GetUniformLocation("uTexture"), 0);
    for (size_t size = 0; size < kMultiSizes.size(); ++size) {
        MultiProgram& multi = quads->multiPrograms[size];
        multi.units = kMultiSizes[size];
        multi.program = GLProgram::Build(kMultiVertexShader, MultiFragmentShader(multi.units), &log);
        if (!multi.program.IsValid()) {
            platform::DebugOutput("Quad shader (several textures): " + log + "\n");
            return nullptr;
        }
        multi.halfSizeLocation = multi.program.GetUniformLocation("uHalfSize");
        multi.program.Use();
        for (int unit = 0; unit < multi.units; ++unit)
            glUniform1i(
                multi.program.GetUniformLocation(("uTextures[" + std::to_string(unit) + "]").c_str()), unit);
    }

    quads->vertexArray = GLVertexArray::Generate();
    quads->vertexBuffer = GLBuffer::Generate();
    quads->indexBuffer = GLBuffer::Generate();
    glBindVertexArray(quads->vertexArray.Get());
    glBindBuffer(GL_ARRAY_BUFFER, quads->vertexBuffer.Get());
    glBufferData(GL_ARRAY_BUFFER, sizeof(QuadVertex) * 4 * kBufferQuads, nullptr, GL_STREAM_DRAW);
    // Each quad is two triangles of its corners in fan order.
    static_assert(kBatchQuads * 4 <= 65536, "a batch's vertices are numbered in 16 bits");
    std::vector<uint16_t> indices;
    indices.reserve(kBatchQuads * 6);
    for (size_t quad = 0; quad < kBatchQuads; ++quad) {
        const auto first = static_cast<uint16_t>(quad * 4);
        for (uint16_t corner : {0, 1, 2, 0, 2, 3})
            indices.push_back(static_cast<uint16_t>(first + corner));
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, quads->indexBuffer.Get());
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint16_t)),
        indices.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(QuadVertex), reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(
        1, 4, GL_FLOAT, GL_FALSE, sizeof(QuadVertex), reinterpret_cast<void*>(offsetof(QuadVertex, r)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(
        2, 2, GL_FLOAT, GL_FALSE, sizeof(QuadVertex), reinterpret_cast<void*>(offsetof(QuadVertex, u)));
    glEnableVertexAttribArray(3);
    glVertexAttribIPointer(
        3, 1, GL_INT, sizeof(QuadVertex), reinterpret_cast<void*>(offsetof(QuadVertex, unit)));
    quads->batch.reserve(kBatchQuads * 4);
    return quads;
}

int QuadBatch::UnitOf(unsigned int texture)
{
    if (texture == 0)
        return -1;
    for (int unit = 0; unit < batchTextureCount; ++unit)
        if (batchTextures[static_cast<size_t>(unit)] == texture)
            return unit;
    if (batchTextureCount == kUnits)
        return -2;
    batchTextures[static_cast<size_t>(batchTextureCount)] = texture;
    return batchTextureCount++;
}

bool QuadBatch::Holds(unsigned int texture) const
{
    if (texture == 0)
        return batchUntextured;
    return std::find(batchTextures.begin(), batchTextures.begin() + batchTextureCount, texture)
        != batchTextures.begin() + batchTextureCount;
}

void QuadBatch::Submit(const std::array<QuadVertex, 4>& corners, unsigned int texture, bool opaque)
{
    const auto [left, right] = std::minmax({corners[0].x, corners[1].x, corners[2].x, corners[3].x});
    const auto [bottom, top] = std::minmax({corners[0].y, corners[1].y, corners[2].y, corners[3].y});
    const bool large = (right - left) * (top - bottom) > float(kLargestSharedQuad);
    if (!batch.empty()) {
        // A batch of several kinds samples every texture for each pixel:
        // large quads go in batches of one kind.
        const bool anotherKind = !Holds(texture);
        const bool severalKinds = batchTextureCount + (batchUntextured ? 1 : 0) > 1;
        if (opaque != batchOpaque || batch.size() >= kBatchQuads * 4 || (anotherKind && (large || batchLarge))
            || (severalKinds && large))
            Flush();
    }
    batchLarge = batchLarge || large;
    batchUntextured = batchUntextured || texture == 0;
    int unit = UnitOf(texture);
    if (unit == -2) {
        Flush();
        unit = UnitOf(texture);
    }
    batchOpaque = opaque;
    const size_t first = batch.size();
    batch.insert(batch.end(), corners.begin(), corners.end());
    for (size_t i = first; i < batch.size(); ++i)
        batch[i].unit = unit;
}

void QuadBatch::Flush()
{
    if (batch.empty())
        return;
    // One texture, or none: the plain program; several, or a texture with
    // untextured quads (unit -1): the program that picks per quad.
    if (batchTextureCount > 1 || (batchTextureCount == 1 && batchUntextured)) {
        const MultiProgram& multi = *std::find_if(multiPrograms.begin(), multiPrograms.end(),
            [&](const MultiProgram& m) { return m.units >= batchTextureCount; });
        multi.program.Use();
        glUniform2f(multi.halfSizeLocation, targetWidth * 0.5f, targetHeight * 0.5f);
        for (int unit = batchTextureCount - 1; unit >= 0; --unit) {
            glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
            glBindTexture(GL_TEXTURE_2D, batchTextures[static_cast<size_t>(unit)]);
        }
    } else {
        program.Use();
        glUniform2f(halfSizeLocation, targetWidth * 0.5f, targetHeight * 0.5f);
        glUniform1i(texturedLocation, batchTextureCount);
        if (batchTextureCount == 1) {
            glActiveTexture(GL_TEXTURE0);
            glBindTexture(GL_TEXTURE_2D, batchTextures[0]);
        }
    }
    batchTextureCount = 0;
    batchUntextured = false;
    batchLarge = false;
    glBindVertexArray(vertexArray.Get());
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer.Get());
    if (bufferVertex + batch.size() > kBufferQuads * 4) {
        glBufferData(GL_ARRAY_BUFFER, sizeof(QuadVertex) * 4 * kBufferQuads, nullptr, GL_STREAM_DRAW);
        bufferVertex = 0;
    }
    glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(sizeof(QuadVertex) * bufferVertex),
        static_cast<GLsizeiptr>(sizeof(QuadVertex) * batch.size()), batch.data());
    if (batchOpaque)
        glDisable(GL_BLEND);
    glDrawElementsBaseVertex(GL_TRIANGLES, static_cast<GLsizei>(batch.size() / 4 * 6), GL_UNSIGNED_SHORT,
        nullptr, static_cast<GLint>(bufferVertex));
    bufferVertex += batch.size();
    ++drawCalls;
    if (batchOpaque)
        glEnable(GL_BLEND);
    batch.clear();
}

void QuadBatch::SetTargetSize(int width, int height)
{
    targetWidth = width;
    targetHeight = height;
}
