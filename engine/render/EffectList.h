#pragma once

#include "engine/render/ShaderRes.h"

#include <memory>
#include <string>
#include <vector>

// The effects the game knows, by name and effect file, in the order the
// effect-load request creates them.
struct EffectListEntry {
    const char* name;
    const char* file;
};
const std::vector<EffectListEntry>& GetEffectListEntries();

// Owns the effects made from that list. Each registers itself with the
// render engine as it is made and leaves it as it is destroyed.
class EffectList {
public:
    EffectList() = default;
    EffectList(const EffectList&) = delete;
    EffectList& operator=(const EffectList&) = delete;

    // Makes one ShaderRes per entry, once; a second call keeps the effects.
    void Create();
    void Clear() { effects.clear(); }
    const std::vector<std::unique_ptr<ShaderRes>>& GetEffects() const { return effects; }

private:
    std::vector<std::unique_ptr<ShaderRes>> effects;
};
