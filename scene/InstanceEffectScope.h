#pragma once

class GraphicalEffect;

// Makes a placed instance's own graphical effect the render engine's current
// one for the length of its draw, and gives the engine back the effect it
// had. Stand-in until the render engine is part of the program: the engine's
// effect state does not exist yet, so nothing is saved or set.
class InstanceEffectScope {
public:
    explicit InstanceEffectScope(GraphicalEffect* /*effect*/) {}
    ~InstanceEffectScope() = default;
    InstanceEffectScope(const InstanceEffectScope&) = delete;
    InstanceEffectScope& operator=(const InstanceEffectScope&) = delete;
};
