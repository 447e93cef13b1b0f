#pragma once

#include "engine/render/EffectProgram.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace effecttest {

// An effect program that records what it is given. It declares every
// parameter unless a declared set is given.
class RecordingProgram : public IEffectProgram {
public:
    RecordingProgram() = default;
    explicit RecordingProgram(std::set<std::string> declared)
        : declared(std::move(declared))
    {
    }

    bool HasParameter(const std::string& name) const override { return !declared || declared->count(name); }
    void SetMatrix(const std::string& name, const std::array<float, 16>& value) override
    {
        if (HasParameter(name))
            matrices[name] = value;
    }
    void SetTexture(const std::string& name, uint32_t texture) override
    {
        if (HasParameter(name))
            textures[name] = texture;
    }
    void SetInt2(const std::string& name, int x, int y) override
    {
        if (HasParameter(name))
            floats[name] = {float(x), float(y)};
    }
    void SetFloat(const std::string& name, float value) override
    {
        if (HasParameter(name))
            floats[name] = {value};
    }
    void SetFloat2(const std::string& name, float x, float y) override
    {
        if (HasParameter(name))
            floats[name] = {x, y};
    }
    void SetFloat4(const std::string& name, float x, float y, float z, float w) override
    {
        if (HasParameter(name))
            floats[name] = {x, y, z, w};
    }
    bool Begin() override
    {
        ++passes;
        return true;
    }
    void End() override { }
    void DrawQuad(const EffectQuadVertices& vertices) override { quads.push_back(vertices); }

    bool Has(const std::string& name) const { return floats.count(name) || textures.count(name); }

    std::optional<std::set<std::string>> declared;
    std::map<std::string, std::vector<float>> floats;
    std::map<std::string, uint32_t> textures;
    std::map<std::string, std::array<float, 16>> matrices;
    std::vector<EffectQuadVertices> quads;
    int passes = 0;
};

} // namespace effecttest
