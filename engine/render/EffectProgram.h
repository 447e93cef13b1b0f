#pragma once

#include "engine/render/GLNames.h"
#include "engine/render/GLProgram.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// One corner of an effect quad: the 24 bytes the effects read (position,
// texture coordinate, ARGB colour).
struct EffectVertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float u = 0.0f;
    float v = 0.0f;
    uint32_t colour = 0xFFFFFFFFu;
};

using EffectQuadVertices = std::array<EffectVertex, 4>;

// A compiled effect: named parameters and one pass that draws quads. Setting
// a parameter the effect does not declare does nothing.
class IEffectProgram {
public:
    virtual ~IEffectProgram() = default;

    virtual bool HasParameter(const std::string& name) const = 0;
    // Column-major 4 x 4.
    virtual void SetMatrix(const std::string& name, const std::array<float, 16>& value) = 0;
    virtual void SetTexture(const std::string& name, uint32_t texture) = 0;
    virtual void SetInt2(const std::string& name, int x, int y) = 0;
    virtual void SetFloat(const std::string& name, float value) = 0;
    virtual void SetFloat2(const std::string& name, float x, float y) = 0;
    virtual void SetFloat4(const std::string& name, float x, float y, float z, float w) = 0;

    // Opens and closes the pass; quads are drawn between the two.
    virtual bool Begin() = 0;
    virtual void End() = 0;
    // Two triangles as a strip: corners 0, 1, 2, 3 in strip order.
    virtual void DrawQuad(const EffectQuadVertices& vertices) = 0;
};

// A GL program built from one effect file: the source is compiled once with
// "#define VERTEX" and once with "#define FRAGMENT" inserted after its
// "#version" line. The vertex inputs are "inPosition" (vec3), "inTexCoord"
// (vec2) and "inColor" (vec4). Owns its program, vertex array and buffer
// through their GL owners.
class GLEffectProgram : public IEffectProgram {
public:
    // Null on failure, with the compiler's or linker's text in `errors`.
    static std::unique_ptr<GLEffectProgram> Build(const std::string& source, std::string& errors);
    GLEffectProgram(const GLEffectProgram&) = delete;
    GLEffectProgram& operator=(const GLEffectProgram&) = delete;

    bool HasParameter(const std::string& name) const override;
    void SetMatrix(const std::string& name, const std::array<float, 16>& value) override;
    void SetTexture(const std::string& name, uint32_t texture) override;
    void SetInt2(const std::string& name, int x, int y) override;
    void SetFloat(const std::string& name, float value) override;
    void SetFloat2(const std::string& name, float x, float y) override;
    void SetFloat4(const std::string& name, float x, float y, float z, float w) override;
    bool Begin() override;
    void End() override;
    void DrawQuad(const EffectQuadVertices& vertices) override;

private:
    GLEffectProgram() = default;
    // Makes the program current (after the device's pending quads) and
    // returns the parameter's location, -1 when it is not declared.
    int Use(const std::string& name);

    GLProgram program;
    GLVertexArray vertexArray;
    GLBuffer vertexBuffer;
    // Texture units: "g_MeshTexture" 0, "g_MeshTexture2" 1, others from 2.
    int nextUnit = 2;
};

// Inserts `define` as a line of its own after the "#version" line (at the
// top when there is none).
std::string InsertDefine(const std::string& source, const std::string& define);
